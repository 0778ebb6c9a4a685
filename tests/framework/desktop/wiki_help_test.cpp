#include "framework/desktop/KivForm_.h"
#include "framework/desktop/testing/SupportContactSeam.h"
#include "framework/toolkit/Screen.h"
#include "framework/toolkit/StandardControls.h"
#include "framework/toolkit/detail/Widget.h"
#include "platform/testing/ChildProcess.h"
#include "testing/gui/ModalAnswer.h"
#include "testing/support/ScopedEnvironment.h"
#include "testing/support/TempDir.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace kiv {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

const std::string kLongPage = "https://wiki.example.org/" + std::string(275, 'L');

// The probe copied under programName into a fresh folder, with the help index fixture beside it
// or none, started with an xdg-open on PATH that records what it was asked to open.
struct ProbeRun {
  ProbeRun(const std::string& programName, bool withHelpIndex) {
    fs::copy_file(KIV_FORM_PROBE, dir / programName);
    if (withHelpIndex) {
      fs::create_directory(dir / "Help");
      fs::copy_file(KIV_TEST_DATA_DIR "/help/Help.ini", dir / "Help/Help.ini");
    }
    fs::create_directory(dir / "bin");
    test::WriteFile(dir / "bin/xdg-open",
                    "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"" + dir / "opened" + "\"\n");
    fs::permissions(dir / "bin/xdg-open", fs::perms::owner_all);
  }

  std::string Run(const std::vector<std::string>& arguments) {
    const test::ScopedEnvironment path("PATH", dir / "bin:" + std::getenv("PATH"));
    const test::ScopedEnvironment platform("QT_QPA_PLATFORM", "offscreen");
    const auto result = platform::testing::RunChild(dir / program, arguments);
    EXPECT_EQ(result.exitCode, 0) << result.standardError;
    return result.standardOutput;
  }
  std::string Opened() const { return test::ReadFile(dir / "opened"); }

  TempDir dir;
  std::string program = "kivformprobe";
};

TEST(TKivFormWikiHelp, FindsThePageOfTheFormsSection) {
  struct Case {
    std::vector<std::string> arguments;
    std::string opened; // empty: no page, ShowWikiHelp is false
  };
  const Case cases[] = {
      {{"-"}, "https://wiki.example.org/KivForm"},
      {{"TPageForm"}, "https://wiki.example.org/PageForm"},
      {{"TTabbedForm", "&Data Import"}, "https://wiki.example.org/DataImport"},
      {{"TTabbedForm", "General"}, ""},
      {{"TNoPageForm"}, "https://wiki.example.org/Default"},
      {{"TCaseForm"}, ""},
      {{"TCasePageForm"}, "https://wiki.example.org/CasePage"},
      {{"TMissingForm"}, ""},
      {{"TLongForm"}, kLongPage},
  };
  for (const Case& c : cases) {
    ProbeRun probe("kivformprobe", true);
    const bool found = !c.opened.empty();
    EXPECT_EQ(probe.Run(c.arguments), found ? "popup=0 help=1\n" : "popup=0 help=0\n")
        << c.arguments[0];
    EXPECT_EQ(probe.Opened(), found ? c.opened + "\n" : "") << c.arguments[0];
  }
}

TEST(TKivFormWikiHelp, AMissingHelpIndexHasNoPage) {
  ProbeRun probe("kivformprobe", false);
  EXPECT_EQ(probe.Run({"TPageForm"}), "popup=0 help=0\n");
  EXPECT_EQ(probe.Opened(), "");
}

TEST(TKivForm, PopsUpAboveItsParentInsideCorvaleOnly) {
  for (const auto& [name, popup] :
       {std::pair{"MyCorValeTool", "popup=1"}, std::pair{"corvale", "popup=1"},
        std::pair{"Corval", "popup=0"}}) {
    ProbeRun probe(name, false);
    probe.program = name;
    EXPECT_EQ(probe.Run({}), std::string(popup) + " help=0\n") << name;
  }
}

// The box names the build's support contact, and names none while the build sets none.
TEST(WikiHelpUnavailableText, SendsToTheContactWhenThereIsOne) {
  EXPECT_EQ(WikiHelpUnavailableText("support@example.org"),
            "Wiki help for the active window is not available. Please contact support@example.org "
            "for help.");
  EXPECT_EQ(WikiHelpUnavailableText(""), "Wiki help for the active window is not available.");
}

// No help index lies beside the test program: F1 tells so in a box, the key stays from the
// form's own key handling and the cursor is the default again.
TEST(TKivForm, F1WithoutAPageShowsTheSupportContact) {
  TKivForm form(nullptr);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  std::vector<std::uint16_t> keys;
  form.OnKeyDown = [&](std::uint16_t& key, TShiftState) { keys.push_back(key); };
  form.Show();
  std::string text;
  {
    // A contact of the test's own: the build's may be empty, and the message then names none.
    desktop::testing::supportContact = "help@example.org";
    test::ModalAnswer ok(test::ClickMessageBoxButton(QMessageBox::Ok, &text));
    QTest::keyClick(&toolkit::QtWidget(*edit), Qt::Key_F1);
    desktop::testing::supportContact = nullptr;
  }
  EXPECT_EQ(text, WikiHelpUnavailableText("help@example.org"));
  EXPECT_NE(text, WikiHelpUnavailableText(""));
  EXPECT_EQ(Screen().Cursor(), crDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  QTest::keyClick(&toolkit::QtWidget(*edit), Qt::Key_A);
  form.SetWikiHelpEnabled(false);
  QTest::keyClick(&toolkit::QtWidget(*edit), Qt::Key_F1);
  EXPECT_EQ(keys, (std::vector<std::uint16_t>{'A', VK_F1}));
}

} // namespace
} // namespace kiv
