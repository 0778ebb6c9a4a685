#include "framework/base/Registry.h"
#include "platform/AsciiText.h"
#include "testing/support/ScopedRegistry.h"

#include <gtest/gtest.h>
#include <system_error>

namespace kiv {
namespace {

// The running test's own key, under which it works.
std::string Base() {
  return test::ScopedRegistry::TestKey();
}

// Every test works under its own key of the current user's hive and deletes it afterwards.
class RegistryTest : public ::testing::Test {
protected:
  void TearDown() override {
    TRegistry cleaner;
    cleaner.DeleteKey(std::string("\\").append(Base()));
  }
  test::ScopedRegistry store;
  TRegistry registry;
};

TEST_F(RegistryTest, PathsStartAtTheRootOrAtTheCurrentKey) {
  ASSERT_TRUE(registry.OpenKey(Base() + "\\Program", true));
  EXPECT_EQ(registry.CurrentPath(), Base() + "\\Program");
  ASSERT_TRUE(registry.OpenKey("Forms\\Map", true));
  EXPECT_EQ(registry.CurrentPath(), Base() + "\\Program\\Forms\\Map");
  registry.WriteInteger("Left", 10);
  ASSERT_TRUE(registry.OpenKey("\\" + Base() + "\\Program", false));
  EXPECT_EQ(registry.GetKeyNames(), std::vector<std::string>{"Forms"});
  registry.CloseKey();
  EXPECT_EQ(registry.CurrentPath(), "");
  ASSERT_TRUE(registry.OpenKeyReadOnly(platform::AsciiUpperCase(Base()) + "\\program\\forms\\MAP"));
  EXPECT_EQ(registry.ReadInteger("left"), 10);
}

TEST_F(RegistryTest, OpeningWithoutCreationNeverCreates) {
  EXPECT_FALSE(registry.OpenKey(Base() + "\\Absent", false));
  EXPECT_FALSE(registry.OpenKeyReadOnly(Base() + "\\Absent"));
  EXPECT_FALSE(registry.KeyExists(Base()));
  EXPECT_EQ(registry.CurrentPath(), "");
}

TEST_F(RegistryTest, APathWithAnEmptyNameCannotBeOpenedCreatedOrDeleted) {
  ASSERT_TRUE(registry.CreateKey(Base() + "\\Forms"));
  for (const std::string& path : {Base() + "\\Forms\\", Base() + "\\\\Forms", "\\\\" + Base(),
                                  Base() + "\\Forms\\\\Position"}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(registry.OpenKey(path, true));
    EXPECT_FALSE(registry.OpenKeyReadOnly(path));
    EXPECT_FALSE(registry.CreateKey(path));
    EXPECT_FALSE(registry.KeyExists(path));
    EXPECT_FALSE(registry.DeleteKey(path));
  }
  EXPECT_TRUE(registry.KeyExists(Base() + "\\Forms"));
  ASSERT_TRUE(registry.OpenKey(Base(), false));
  EXPECT_EQ(registry.GetKeyNames(), std::vector<std::string>{"Forms"});
}

TEST_F(RegistryTest, TypedValuesAndTheirSizes) {
  ASSERT_TRUE(registry.OpenKey(Base(), true));
  registry.WriteString("Name", "Map");
  registry.WriteFloat("Ratio", -0.1);
  registry.WriteBinaryData("State", {2});
  registry.WriteBool("Visible", true);
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
            (std::vector<std::string>{"Name", "Ratio", "State", "Visible"}));
  EXPECT_TRUE(registry.ValueExists("NAME"));
  EXPECT_TRUE(registry.DeleteValue("name"));
  EXPECT_FALSE(registry.ValueExists("Name"));
}

TEST_F(RegistryTest, AFloatOfAnotherSizeFailsWithTheStoresReadError) {
  ASSERT_TRUE(registry.OpenKey(Base(), true));
  registry.WriteBinaryData("State", {2});
  try {
    registry.ReadFloat("State");
    FAIL() << "read";
  } catch (const std::system_error& e) {
    EXPECT_EQ(e.code(), std::errc::invalid_argument);
    EXPECT_EQ(std::string(e.what()),
              "settings value \"State\" of key \"" + Base() +
                  "\" is "
                  "REG_BINARY of 1 bytes, not REG_BINARY of 8 bytes: Invalid "
                  "argument");
  }
}

TEST_F(RegistryTest, TheHivesAreSeparate) {
  TRegistry machine(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(machine.OpenKey(Base(), true));
  machine.WriteString("Where", "machine");
  EXPECT_FALSE(registry.KeyExists(Base()));
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(registry.RootKey(), HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(registry.OpenKeyReadOnly(Base()));
  EXPECT_EQ(registry.ReadString("Where"), "machine");
  EXPECT_TRUE(registry.DeleteKey("\\" + Base()));
  registry.SetRootKey(HKEY_CURRENT_USER);
}

TEST_F(RegistryTest, DeletingAKeyTakesItsSubtreeAndReportsWhetherItExisted) {
  ASSERT_TRUE(registry.OpenKey(Base() + "\\Forms\\Map\\Position", true));
  registry.WriteInteger("Left", 1);
  ASSERT_TRUE(registry.CreateKey("\\" + Base() + "\\Forms2"));
  registry.CloseKey();
  EXPECT_TRUE(registry.DeleteKey(Base() + "\\Forms"));
  EXPECT_FALSE(registry.DeleteKey(Base() + "\\Forms"));
  EXPECT_FALSE(registry.KeyExists(Base() + "\\Forms\\Map\\Position"));
  EXPECT_TRUE(registry.KeyExists(Base() + "\\Forms2"));
}

} // namespace
} // namespace kiv
