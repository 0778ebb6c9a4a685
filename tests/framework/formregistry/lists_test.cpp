#include "testing/gui/FormRegistryFixture.h"
#include "testing/support/Failure.h"

namespace kiv::test {
namespace {

using FormRegistryLists = FormRegistryTest;
using Lines = std::vector<std::string>;

TEST_F(FormRegistryLists, TheUserHiveListRoundTripsNamedAndPlainLines) {
  TFormRegistry registry(form, 0);
  const std::string key = ProgramKey() + "\\Lists";
  registry.WriteToRegistryHKCU({"a=1", "hello", "b=x=y", "a=2"}, key);
  EXPECT_EQ(ValueNames(key), (Lines{"a", "Text1", "b"}));
  Lines read{"old"};
  EXPECT_TRUE(registry.ReadFromRegistryHKCU(read, key));
  EXPECT_EQ(read, (Lines{"a=2", "Text1=hello", "b=x=y"}));
  Lines untouched{"old"};
  EXPECT_FALSE(registry.ReadFromRegistryHKCU(untouched, key + "\\Missing"));
  EXPECT_EQ(untouched, Lines{"old"});
}

TEST_F(FormRegistryLists, TheSettingsListRefusesAPlainLineAfterWritingTheLinesBefore) {
  TFormRegistry registry(form, 0);
  EXPECT_EQ(Failure([&] {
              registry.WriteListToRegistryInCurrentKey({"a=1", "plain", "b=2"});
            }),
            Expected("EPelo", "Invalid key/value pair in input list. Error in "
                              "TFormRegistry.WriteListToRegistryInCurrentKey"));
  EXPECT_EQ(ValueNames(FormKey("MapForm\\Settings")), Lines{"a"});
}

TEST_F(FormRegistryLists, TheSettingsListOfAFormNameSkipsItsStamp) {
  TFormRegistry registry("Survey", 3);
  registry.WriteListToRegistryInCurrentKey({"a=1", "b="});
  Lines read;
  EXPECT_TRUE(registry.ReadListFromRegistryInCurrentKey(read));
  EXPECT_EQ(read, (Lines{"a=1", "b="}));
}

TEST_F(FormRegistryLists, AUserHiveValueThatIsNoStringFailsWithItsLocation) {
  TFormRegistry registry(form, 0);
  const std::string key = ProgramKey() + "\\Lists";
  PutInteger(key, "n", 1);
  std::string storeMessage;
  try {
    ASSERT_TRUE(store.OpenKey("\\" + key, false));
    store.ReadString("n");
  } catch (const std::exception& e) {
    storeMessage = e.what();
  }
  store.CloseKey();
  Lines read;
  EXPECT_EQ(Failure([&] { registry.ReadFromRegistryHKCU(read, key); }),
            Expected("EPFatal", "TFormRegistry.ReadFromRegistryHKCU\n" + storeMessage));
}

TEST_F(FormRegistryLists, TheMachineHiveIsWrittenOnlyWhereAKeyExists) {
  TFormRegistry registry(form, 0);
  registry.WriteToRegistryHKLM({"a=1"}, "Software\\Kiv");
  Lines read{"old"};
  EXPECT_FALSE(registry.ReadFromRegistryHKLM(read, "Software\\Kiv"));
  TRegistry machine(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(machine.CreateKey("\\Software\\Kiv"));
  registry.WriteToRegistryHKLM({"plain", "a=1", "more text"}, "Software\\Kiv");
  EXPECT_TRUE(registry.ReadFromRegistryHKLM(read, "Software\\Kiv"));
  // Lines without "=" keep their text, named as the user hive's writer names them.
  EXPECT_EQ(read, (Lines{"Text0=plain", "a=1", "Text2=more text"}));
}

TEST_F(FormRegistryLists, AKeyFromTheRootMayBeginWithABackslashButHaveNoEmptyName) {
  TFormRegistry registry(form, 0);
  const std::string key = ProgramKey() + "\\Lists";
  registry.WriteToRegistryHKCU({"a=1"}, "\\" + key);
  Lines read;
  EXPECT_TRUE(registry.ReadFromRegistryHKCU(read, key));
  EXPECT_EQ(read, Lines{"a=1"});
  EXPECT_TRUE(registry.ReadFromRegistryHKCU(read, "\\" + key));
  EXPECT_EQ(read, Lines{"a=1"});
  for (const std::string& refused : {"\\\\" + key, key + "\\", "\\" + ProgramKey() + "\\\\Lists",
                                     std::string("\\"), std::string()}) {
    SCOPED_TRACE(refused);
    Lines untouched{"old"};
    EXPECT_FALSE(registry.ReadFromRegistryHKCU(untouched, refused));
    EXPECT_EQ(untouched, Lines{"old"});
    registry.WriteToRegistryHKCU({"b=2"}, refused);
    EXPECT_FALSE(registry.DeleteKeyHKCU(refused));
  }
  EXPECT_EQ(ValueNames(key), Lines{"a"});
  EXPECT_TRUE(registry.DeleteKeyHKCU("\\" + key));
  EXPECT_FALSE(KeyExists(key));
  EXPECT_TRUE(KeyExists(ProgramKey()));
}

TEST_F(FormRegistryLists, DeletionTakesTheFormKeyOrOnlyItsSettings) {
  TFormRegistry registry(form, 3);
  registry.WriteByName("Depth", 1);
  PutInteger(FormKey("MapForm2\\Settings"), "Depth", 1);
  registry.DeleteAllForCurrentKeySettings();
  EXPECT_FALSE(KeyExists(FormKey("MapForm\\Settings")));
  EXPECT_TRUE(KeyExists(FormKey("MapForm\\Position")));
  registry.DeleteAllForCurrentKey();
  EXPECT_FALSE(KeyExists(FormKey("MapForm")));
  EXPECT_TRUE(KeyExists(FormKey("MapForm2\\Settings")));
  EXPECT_TRUE(registry.DeleteKeyHKCU(FormKey("MapForm2")));
  EXPECT_FALSE(registry.DeleteKeyHKCU(FormKey("MapForm2")));
}

} // namespace
} // namespace kiv::test
