#include "framework/toolkit/Application.h"
#include "tests/framework/support/LeftWindowsCheck.h"
#include "tests/framework/support/OffscreenScreen.h"

#include <gtest/gtest.h>

// The main of every GUI test program: an offscreen screen unless a platform is named, the one
// application object for all tests, and the check for windows left behind.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  kiv::test::UseOffscreenScreenUnlessSet();
  kiv::TApplication application(argc, argv);
  // Appended last, it runs before the result printer at the end of each test.
  testing::UnitTest::GetInstance()->listeners().Append(new kiv::test::LeftWindowsCheck);
  return RUN_ALL_TESTS();
}
