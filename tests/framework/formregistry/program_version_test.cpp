#include "model/PeloCode_.h"
#include "testing/gui/FormRegistryFixture.h"
#include "testing/gui/ModalAnswer.h"

#include <QMessageBox>
#include <functional>

namespace kiv::test {
namespace {

using FormRegistryProgramVersion = FormRegistryTest;

TEST_F(FormRegistryProgramVersion, SavesTheProgramsVersionText) {
  TFormRegistry registry(form, 0);
  registry.SaveApplicationVersion();
  EXPECT_EQ(GetString(ProgramKey(), "Version"), GetApplicationVersion());
}

// What each stored program version does against the running program's: reset with the box, or
// keep. The running program's own version is never one of the texts below.
TEST_F(FormRegistryProgramVersion, AnOtherVersionResetsEverythingAfterTellingTheUser) {
  const std::string current = GetApplicationVersion();
  struct Case {
    const char* what;
    std::function<void()> stamp;
    bool corvale;
    bool reset;
  };
  const std::string key = ProgramKey();
  const auto text = [&](const char* version) {
    return [this, key, version] { PutString(key, "Version", version); };
  };
  const std::vector<Case> cases = {
      {"2.10.0.5 Corvale", text("2.10.0.5"), true, true},
      {"3.1.0.0 Corvale", text("3.1.0.0"), true, false},
      {"10.1.0.0 Corvale", text("10.1.0.0"), true, false},
      {"2.10.0.5", text("2.10.0.5"), false, true},
      {"3.1.0.0", text("3.1.0.0"), false, true},
      {"no version text", text("beta"), true, true},
      {"empty text", text(""), true, true},
      {"integer stamp", [this, key] { PutInteger(key, "Version", 3); }, true, true},
      {"same text", [this, key, current] { PutString(key, "Version", current); }, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NE(current, "3.1.0.0");
    store.DeleteKey("\\" + key);
    c.stamp();
    PutInteger(FormKey("MapForm\\Position"), "Version", 0);
    PutInteger("Software\\SlabInvViewer\\Forms", "Left", 1);
    std::string message;
    {
      std::optional<ModalAnswer> ok;
      if (c.reset)
        ok.emplace(ClickMessageBoxButton(QMessageBox::Ok, &message));
      TFormRegistry("Survey", 0).CheckApplicationVersion(c.corvale);
    }
    EXPECT_EQ(KeyExists(key), !c.reset);
    EXPECT_EQ(KeyExists("Software\\SlabInvViewer"), !c.reset);
    if (c.reset) {
      EXPECT_EQ(message, "kiv_form_registry_tests has updated\rApplication settings will be "
                         "reset to default values");
    }
  }
}

TEST_F(FormRegistryProgramVersion, AProgramKeyWithoutVersionGoesSilently) {
  PutInteger(FormKey("MapForm\\Position"), "Version", 0);
  PutInteger("Software\\SlabInvViewer", "Left", 1);
  TFormRegistry registry(form, 0);
  registry.CheckApplicationVersion(true);
  EXPECT_FALSE(KeyExists(ProgramKey()));
  EXPECT_TRUE(KeyExists("Software\\SlabInvViewer"));
  registry.CheckApplicationVersion(true);
  EXPECT_FALSE(KeyExists(ProgramKey()));
}

} // namespace
} // namespace kiv::test
