#include "framework/toolkit/Application.h"
#include "testing/gui/GuiTestProcess.h"
#include "testing/gui/LeftWindowsCheck.h"

#include <gtest/gtest.h>

// The main of every GUI test program: an offscreen screen unless a platform is named and folders of
// its own, the one application object for all tests, and the check for windows left behind.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const kiv::test::GuiTestProcess process;
  kiv::TApplication application(argc, argv);
  // Appended last, it runs before the result printer at the end of each test.
  testing::UnitTest::GetInstance()->listeners().Append(new kiv::test::LeftWindowsCheck);
  return RUN_ALL_TESTS();
}
