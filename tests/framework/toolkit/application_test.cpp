#include "framework/toolkit/Application.h"
#include "framework/toolkit/DesktopStartup.h"
#include "framework/toolkit/Form.h"
#include "testing/support/Failure.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(TApplication, ExeNameIsTheRunningTestProgram) {
  const std::string name = Application().ExeName();
  EXPECT_EQ(name.substr(name.rfind('/') + 1), "kiv_toolkit_tests");
  EXPECT_EQ(Application().Title(), "kiv_toolkit_tests");
}

TEST(TApplication, ProcessMessagesAndHandleMessageRunWhatIsPending) {
  int ran = 0;
  QTimer::singleShot(0, [&] { ++ran; });
  Application().ProcessMessages();
  EXPECT_EQ(ran, 1);
  QTimer::singleShot(0, [&] { ++ran; });
  Application().HandleMessage();
  EXPECT_EQ(ran, 2);
}

TEST(TApplication, OneApplicationObjectPerProgram) {
  int argc = 1;
  char name[] = "second";
  char* argv[] = {name, nullptr};
  EXPECT_EQ(test::Failure([&] { TApplication second(argc, argv); }),
            test::Expected("foreign", "TApplication: a program has one application object"));
}

TEST(TApplication, FreesTheFormsItOwnsAndForgetsAFreedMainForm) {
  const int before = Application().ComponentCount();
  auto* form = new TForm(&Application());
  Application().SetMainForm(form);
  EXPECT_EQ(Application().ComponentCount(), before + 1);
  delete form;
  EXPECT_EQ(Application().MainForm(), nullptr);
  EXPECT_EQ(Application().ComponentCount(), before);
}

// Terminating is for good: the case runs in a program of its own.
TEST(TApplicationDeathTest, AskedToQuitItIsTerminating) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        QTimer::singleShot(0, [] { QCoreApplication::quit(); });
        const int code = Application().Run();
        std::exit(code == 0 && Application().Terminated() ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

TEST(TDesktopStartup, RunsBetweenItsStartAndItsEndOncePerProgram) {
  EXPECT_FALSE(TDesktopStartup::Running());
  {
    TDesktopStartup startup(Application());
    EXPECT_TRUE(TDesktopStartup::Running());
    EXPECT_EQ(test::Failure([] { TDesktopStartup second(Application()); }),
              test::Expected("foreign", "TDesktopStartup: a program has one start-up object"));
    EXPECT_TRUE(TDesktopStartup::Running());
  }
  EXPECT_FALSE(TDesktopStartup::Running());
}

} // namespace
} // namespace kiv
