#include "framework/Registry.h"
#include "tests/support/ScopedRegistry.h"

#include <gtest/gtest.h>
#include <system_error>

namespace kiv {
namespace {

// Every test works under this key of the current user's hive and deletes it afterwards.
class RegistryTest : public ::testing::Test {
protected:
  void TearDown() override {
    TRegistry cleaner;
    cleaner.DeleteKey("\\KivRegistryTest");
  }
  test::ScopedRegistry store;
  TRegistry registry;
};

TEST_F(RegistryTest, PathsStartAtTheRootOrAtTheCurrentKey) {
  ASSERT_TRUE(registry.OpenKey("KivRegistryTest\\Program", true));
  EXPECT_EQ(registry.CurrentPath(), "KivRegistryTest\\Program");
  ASSERT_TRUE(registry.OpenKey("Forms\\Map", true));
  EXPECT_EQ(registry.CurrentPath(), "KivRegistryTest\\Program\\Forms\\Map");
  registry.WriteInteger("Left", 10);
  ASSERT_TRUE(registry.OpenKey("\\KivRegistryTest\\Program", false));
  EXPECT_EQ(registry.GetKeyNames(), std::vector<std::string>{"Forms"});
  registry.CloseKey();
  EXPECT_EQ(registry.CurrentPath(), "");
  ASSERT_TRUE(registry.OpenKeyReadOnly("KIVREGISTRYTEST\\program\\forms\\MAP"));
  EXPECT_EQ(registry.ReadInteger("left"), 10);
}

TEST_F(RegistryTest, OpeningWithoutCreationNeverCreates) {
  EXPECT_FALSE(registry.OpenKey("KivRegistryTest\\Absent", false));
  EXPECT_FALSE(registry.OpenKeyReadOnly("KivRegistryTest\\Absent"));
  EXPECT_FALSE(registry.KeyExists("KivRegistryTest"));
  EXPECT_EQ(registry.CurrentPath(), "");
}

TEST_F(RegistryTest, APathWithAnEmptyNameCannotBeOpenedCreatedOrDeleted) {
  ASSERT_TRUE(registry.CreateKey("KivRegistryTest\\Forms"));
  for (const char* path : {"KivRegistryTest\\Forms\\", "KivRegistryTest\\\\Forms",
                           "\\\\KivRegistryTest", "KivRegistryTest\\Forms\\\\Position"}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(registry.OpenKey(path, true));
    EXPECT_FALSE(registry.OpenKeyReadOnly(path));
    EXPECT_FALSE(registry.CreateKey(path));
    EXPECT_FALSE(registry.KeyExists(path));
    EXPECT_FALSE(registry.DeleteKey(path));
  }
  EXPECT_TRUE(registry.KeyExists("KivRegistryTest\\Forms"));
  ASSERT_TRUE(registry.OpenKey("KivRegistryTest", false));
  EXPECT_EQ(registry.GetKeyNames(), std::vector<std::string>{"Forms"});
}

TEST_F(RegistryTest, TypedValuesAndTheirSizes) {
  ASSERT_TRUE(registry.OpenKey("KivRegistryTest", true));
  registry.WriteBool("Visible", true);
  registry.WriteFloat("Ratio", -0.1);
  registry.WriteString("Name", "Map");
  registry.WriteBinaryData("State", {2});
  EXPECT_TRUE(registry.ReadBool("Visible"));
  EXPECT_EQ(registry.ReadFloat("Ratio"), -0.1);
  EXPECT_EQ(registry.ReadString("Name"), "Map");
  EXPECT_EQ(registry.ReadBinaryData("State"), std::vector<std::uint8_t>{2});
  EXPECT_EQ(registry.GetDataSize("Ratio"), 8);
  EXPECT_EQ(registry.GetDataSize("Name"), 8);
  EXPECT_EQ(registry.GetDataSize("Absent"), -1);
  EXPECT_EQ(registry.GetDataType("Visible"), rdInteger);
  EXPECT_EQ(registry.GetDataType("Name"), rdString);
  EXPECT_EQ(registry.GetDataType("State"), rdBinary);
  EXPECT_EQ(registry.GetDataType("Absent"), rdUnknown);
  EXPECT_EQ(registry.GetValueNames(),
            (std::vector<std::string>{"Visible", "Ratio", "Name", "State"}));
  EXPECT_TRUE(registry.ValueExists("NAME"));
  EXPECT_TRUE(registry.DeleteValue("name"));
  EXPECT_FALSE(registry.ValueExists("Name"));
}

TEST_F(RegistryTest, AFloatOfAnotherSizeFailsWithTheStoresReadError) {
  ASSERT_TRUE(registry.OpenKey("KivRegistryTest", true));
  registry.WriteBinaryData("State", {2});
  try {
    registry.ReadFloat("State");
    FAIL() << "read";
  } catch (const std::system_error& e) {
    EXPECT_EQ(e.code(), std::errc::invalid_argument);
    EXPECT_EQ(std::string(e.what()), "settings value \"State\" of key \"KivRegistryTest\" is "
                                     "REG_BINARY of 1 bytes, not REG_BINARY of 8 bytes: Invalid "
                                     "argument");
  }
}

TEST_F(RegistryTest, TheHivesAreSeparate) {
  TRegistry machine(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(machine.OpenKey("KivRegistryTest", true));
  machine.WriteString("Where", "machine");
  EXPECT_FALSE(registry.KeyExists("KivRegistryTest"));
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(registry.RootKey(), HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(registry.OpenKeyReadOnly("KivRegistryTest"));
  EXPECT_EQ(registry.ReadString("Where"), "machine");
  EXPECT_TRUE(registry.DeleteKey("\\KivRegistryTest"));
  registry.SetRootKey(HKEY_CURRENT_USER);
}

TEST_F(RegistryTest, DeletingAKeyTakesItsSubtreeAndReportsWhetherItExisted) {
  ASSERT_TRUE(registry.OpenKey("KivRegistryTest\\Forms\\Map\\Position", true));
  registry.WriteInteger("Left", 1);
  ASSERT_TRUE(registry.CreateKey("\\KivRegistryTest\\Forms2"));
  registry.CloseKey();
  EXPECT_TRUE(registry.DeleteKey("KivRegistryTest\\Forms"));
  EXPECT_FALSE(registry.DeleteKey("KivRegistryTest\\Forms"));
  EXPECT_FALSE(registry.KeyExists("KivRegistryTest\\Forms\\Map\\Position"));
  EXPECT_TRUE(registry.KeyExists("KivRegistryTest\\Forms2"));
}

} // namespace
} // namespace kiv
