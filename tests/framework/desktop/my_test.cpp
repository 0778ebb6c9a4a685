#include "framework/desktop/MY_.h"

#include "framework/desktop/DesktopWindowServices.h"
#include "framework/desktop/DialogLogWindow.h"
#include "framework/desktop/FrameworkStartup.h"
#include "framework/desktop/My.h"
#include "framework/desktop/testing/MemberReleaseSeam.h"
#include "framework/toolkit/Application.h"
#include "framework/toolkit/Clipboard.h"
#include "framework/toolkit/Printer.h"
#include "framework/toolkit/Screen.h"
#include "testing/gui/DesktopWindows.h"
#include "testing/support/FailingAllocation.h"
#include "testing/support/Failure.h"

#include <QPlainTextEdit>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace kiv {
namespace {

const std::vector<std::string> kReleaseOrder = {
    "UITools",     "Debug",           "Disk", "Tools",  "Dialog", "Computer",
    "Information", "OperatingSystem", "User", "Network"};

// The member names the aggregate reports as it frees them, while alive.
class ReleaseRecorder {
public:
  ReleaseRecorder() {
    Released().clear();
    desktop::testing::memberReleased = [](std::string_view field) {
      Released().emplace_back(field);
    };
  }
  ~ReleaseRecorder() { desktop::testing::memberReleased = nullptr; }
  ReleaseRecorder(const ReleaseRecorder&) = delete;
  ReleaseRecorder& operator=(const ReleaseRecorder&) = delete;

  static std::vector<std::string>& Released() {
    static std::vector<std::string> released;
    return released;
  }
};

// The text of the diagnostic log's window, the dialog helpers' message list.
std::string LogWindowText() {
  QWidget* window = test::WindowCaptioned("Messages");
  return window == nullptr ? "no log window"
                           : window->findChild<QPlainTextEdit*>()->toPlainText().toStdString();
}

TEST(My, MembersShareTheDialogToolsAndInformation) {
  TMy my;
  EXPECT_EQ(my.Screen, &Screen());
  EXPECT_EQ(my.Clipboard, &Clipboard());
  EXPECT_EQ(&my.Tools->Information(), my.Information.get());
  EXPECT_NE(dynamic_cast<TDialogProgress*>(my.Tools->Dialog()), nullptr);
  EXPECT_EQ(&my.Debug->Tools(), my.Tools.get());
  EXPECT_EQ(&my.Debug->Information(), my.Information.get());
  EXPECT_EQ(&dynamic_cast<TDialogLogWindow&>(my.Debug->Dialog()).Dialog(), my.Dialog.get());
}

TEST(My, MembersGoInOrderAndTheToolkitObjectsStay) {
  ReleaseRecorder recorder;
  { TMy my; }
  EXPECT_EQ(ReleaseRecorder::Released(), kReleaseOrder);
  EXPECT_GT(Screen().Width(), 0);
  Clipboard().SetAsText("after the aggregate");
  EXPECT_EQ(Clipboard().AsText(), "after the aggregate");
}

// Every allocation of the construction fails once in turn: the members made before it are freed
// in the destructor's order and nothing leaks (the sanitizer build checks).
TEST(My, APartlyBuiltAggregateFreesWhatItMade) {
  // The toolkit's screen, printer and clipboard are made on their first use and outlive every
  // aggregate: made here, their allocations are not among those that fail below.
  Screen();
  Printer();
  Clipboard();
  ReleaseRecorder recorder;
  bool built = false;
  bool failedAfterTheLog = false;
  for (long succeeding = 0; !built; ++succeeding) {
    ReleaseRecorder::Released().clear();
    try {
      test::FailingAllocation failing(succeeding);
      TMy my;
      built = !failing.Failed();
    } catch (const std::bad_alloc&) {
    }
    if (built)
      break;
    // What was freed is the release order with the members not yet made left out.
    const std::vector<std::string>& released = ReleaseRecorder::Released();
    failedAfterTheLog = failedAfterTheLog || (!released.empty() && released.front() == "Debug");
    auto next = kReleaseOrder.begin();
    for (const std::string& field : released) {
      next = std::find(next, kReleaseOrder.end(), field);
      ASSERT_NE(next, kReleaseOrder.end()) << field << " after " << succeeding;
      ++next;
    }
  }
  EXPECT_TRUE(failedAfterTheLog);
}

TEST(My, TheStartupObjectMakesAndFreesTheAggregateAndTheFormList) {
  EXPECT_EQ(My(), nullptr);
  EXPECT_EQ(KivFormList, nullptr);
  {
    ReleaseRecorder recorder;
    TFrameworkStartup startup(Application());
    ASSERT_NE(My(), nullptr);
    EXPECT_NE(KivFormList, nullptr);
    EXPECT_EQ(test::Failure([] { TFrameworkStartup second{Application()}; }),
              test::Expected("foreign", "TDesktopStartup: a program has one start-up object"));
    EXPECT_NE(My(), nullptr);
    My()->Debug->SetShowLogWindow(true);
    My()->Debug->WriteLine("first|second", mt_Warn);
    const std::string text = LogWindowText();
    EXPECT_EQ(text.rfind("Showing log messages\n", 0), 0u) << text;
    EXPECT_NE(text.find("\tWarn\t001\tfirst\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\tWarn\t002\tsecond"), std::string::npos) << text;
  }
  EXPECT_EQ(My(), nullptr);
  EXPECT_EQ(KivFormList, nullptr);
}

} // namespace
} // namespace kiv
