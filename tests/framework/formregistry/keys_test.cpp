#include "framework/toolkit/Form.h"
#include "testing/gui/FormRegistryFixture.h"

#include <functional>

namespace kiv::test {
namespace {

using FormRegistryKeys = FormRegistryTest;

TEST_F(FormRegistryKeys, NamesTheKeysAfterProgramFormAndId) {
  EXPECT_EQ(ProgramKey(), "Software\\kiv_form_registry_tests");
  TForm other(nullptr);
  other.SetName("MapForm_7");
  const TFormRegistry byForm(form, 1);
  const TFormRegistry sameKey(other, 1);
  const TFormRegistry withId(form, "B", 1);
  const TFormRegistry byName("MapForm_2", 1);
  const std::string mapForm = FormKey("MapForm");
  EXPECT_EQ(byForm.KeyNameProgram(), ProgramKey());
  EXPECT_EQ(byForm.KeyNameForm(), mapForm);
  EXPECT_EQ(byForm.KeyNamePosition(), mapForm + "\\Position");
  EXPECT_EQ(byForm.KeyNameSettings(), mapForm + "\\Settings");
  EXPECT_EQ(sameKey.KeyNameForm(), mapForm);
  EXPECT_EQ(withId.KeyNamePosition(), mapForm + "_B\\Position");
  EXPECT_EQ(withId.KeyNameSettings(), mapForm + "_B\\Settings");
  EXPECT_EQ(byName.KeyNameForm(), FormKey("MapForm_2"));
  EXPECT_EQ(byName.KeyNamePosition(), "");
  EXPECT_EQ(byName.KeyNameSettings(), FormKey("MapForm_2") + "\\Settings");
  EXPECT_EQ(byForm.Form(), &form);
  EXPECT_EQ(byName.Form(), nullptr);
}

TEST_F(FormRegistryKeys, ConstructionStampsThePositionOrTheSettingsKey) {
  const TFormRegistry byForm(form, 3);
  const TFormRegistry byName("Survey", 4);
  EXPECT_EQ(GetInteger(FormKey("MapForm\\Position"), "Version"), 3);
  EXPECT_EQ(GetInteger(FormKey("Survey\\Settings"), "Version"), 4);
  EXPECT_FALSE(KeyExists(FormKey("Survey\\Position")));
}

// Each stamp found at construction with version 3, and whether the form key is cleared.
TEST_F(FormRegistryKeys, AStampOfAnotherVersionOrUnreadableClearsTheWholeFormKey) {
  struct Case {
    const char* what;
    std::function<void()> stamp;
    bool cleared;
  };
  const std::string position = FormKey("MapForm\\Position");
  const std::vector<Case> cases = {
      {"other version", [&] { PutInteger(position, "Version", 2); }, true},
      {"same version", [&] { PutInteger(position, "Version", 3); }, false},
      {"string stamp", [&] { PutString(position, "Version", "3"); }, true},
      {"no stamp", [&] { PutInteger(position, "Left", 5); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    store.DeleteKey(std::string("\\").append(ProgramKey()));
    c.stamp();
    PutString(FormKey("MapForm\\Settings"), "Depth", "12");
    PutInteger(FormKey("MapForm\\Settings\\Grid"), "Col 0", 40);
    PutInteger(FormKey("MapForm\\Settings\\Panel"), "Width", 40);
    PutInteger(FormKey("Other\\Position"), "Version", 2);
    const TFormRegistry registry(form, 3);
    EXPECT_EQ(KeyExists(FormKey("MapForm\\Settings")), !c.cleared);
    EXPECT_EQ(KeyExists(FormKey("MapForm\\Settings\\Grid")), !c.cleared);
    EXPECT_EQ(GetInteger(position, "Version"), 3);
    EXPECT_TRUE(KeyExists(FormKey("Other\\Position")));
  }
}

TEST_F(FormRegistryKeys, AnIdKeyWithoutStampIsClearedUnlessTheVersionIsZero) {
  PutString(FormKey("MapForm_B\\Settings"), "Depth", "12");
  const TFormRegistry zero(form, "B", 0);
  EXPECT_TRUE(KeyExists(FormKey("MapForm_B\\Settings")));
  store.DeleteKey("\\" + FormKey("MapForm_B\\Position"));
  const TFormRegistry three(form, "B", 3);
  EXPECT_FALSE(KeyExists(FormKey("MapForm_B\\Settings")));
  EXPECT_EQ(GetInteger(FormKey("MapForm_B\\Position"), "Version"), 3);
  EXPECT_EQ(GetInteger(FormKey("MapForm\\Position"), "Version"), 3);
}

TEST_F(FormRegistryKeys, AKeyPathWithAnEmptyPartIsNeverOpened) {
  form.SetName("_Hidden");
  PutInteger(FormKey("Other\\Position"), "Version", 2);
  PutString(FormKey("Other\\Settings"), "Depth", "12");
  TFormRegistry registry(form, 3);
  EXPECT_EQ(registry.KeyNameForm(), FormKey(""));
  registry.SavePosition();
  registry.WriteByName("Depth", 5);
  registry.DeleteAllForCurrentKey();
  registry.DeleteAllForCurrentKeySettings();
  const TFormRegistry byName("", 3);
  EXPECT_EQ(registry.GetVersion(), 0);
  EXPECT_EQ(ValueNames(ProgramKey() + "\\Forms"), std::vector<std::string>{});
  EXPECT_EQ(GetString(FormKey("Other\\Settings"), "Depth"), "12");
  EXPECT_FALSE(registry.DeleteKeyHKCU(ProgramKey() + "\\Forms\\"));
  EXPECT_TRUE(KeyExists(FormKey("Other\\Position")));
}

TEST_F(FormRegistryKeys, ACopyTakesTheStoredVersionAndNeverTouchesTheStore) {
  TFormRegistry registry(form, "B_", 3);
  PutInteger(FormKey("MapForm_B_\\Position"), "Version", 9);
  PutString(FormKey("MapForm_B_\\Settings"), "Depth", "12");
  const std::unique_ptr<TFormRegistry> copy = registry.CreateCopy();
  EXPECT_EQ(copy->Form(), &form);
  EXPECT_EQ(copy->GetID(), "B");
  EXPECT_EQ(copy->GetVersion(), 9);
  EXPECT_EQ(copy->KeyNameForm(), registry.KeyNameForm());
  EXPECT_EQ(copy->KeyNamePosition(), registry.KeyNamePosition());
  EXPECT_EQ(copy->KeyNameSettings(), registry.KeyNameSettings());
  EXPECT_EQ(GetString(FormKey("MapForm_B_\\Settings"), "Depth"), "12");
  EXPECT_EQ(GetInteger(FormKey("MapForm_B_\\Position"), "Version"), 9);

  const TFormRegistry byName("Survey", 4);
  store.DeleteKey("\\" + FormKey("Survey"));
  const std::unique_ptr<TFormRegistry> nameCopy = byName.CreateCopy();
  EXPECT_EQ(nameCopy->Form(), nullptr);
  EXPECT_EQ(nameCopy->GetVersion(), 0);
  EXPECT_EQ(nameCopy->KeyNameSettings(), byName.KeyNameSettings());
  EXPECT_FALSE(KeyExists(FormKey("Survey")));
}

} // namespace
} // namespace kiv::test
