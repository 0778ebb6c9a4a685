#include "framework/base/Information.h"
#include "framework/base/Tools.h"
#include "framework/desktop/DesktopWindowServices.h"
#include "framework/desktop/Dialog.h"
#include "framework/toolkit/Application.h"
#include "framework/toolkit/Form.h"
#include "platform/ProcessMemory.h"
#include "testing/gui/DesktopWindows.h"
#include "testing/support/FrameworkObjects.h"
#include "testing/support/TempDir.h"

#include <QPointer>
#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(TDesktopWindowServices, MainFormAndMinimumHeightComeFromTheToolkit) {
  TDesktopWindowServices windows;
  test::FrameworkObjects my;
  my.Information.SetWindowServices(&windows);
  EXPECT_EQ(my.Information.GetApplicationMainForm(), nullptr);
  TForm main(nullptr);
  Application().SetMainForm(&main);
  EXPECT_EQ(my.Information.GetApplicationMainForm(), &main);
  Application().SetMainForm(nullptr);
  // The offscreen screen's frames are 2 pixels wide and have no title bar of their own.
  TForm shown(nullptr);
  shown.SetClientHeight(0);
  shown.Show();
  EXPECT_EQ(my.Information.GetMinFormHeight(), shown.Height());
  EXPECT_GT(my.Information.GetMinFormHeight(), 0);
}

TEST(TDesktopWindowServices, ProcessMemoryFindsOnlyThisProgramsWindows) {
  TDesktopWindowServices windows;
  test::FrameworkObjects my;
  TTools tools(nullptr, my.Information);
  tools.SetWindowServices(&windows);
  TForm form(nullptr);
  form.SetCaption("Memory probe");
  std::uint64_t size = 0;
  EXPECT_TRUE(tools.GetProcessMemorySize("Memory probe", size));
  EXPECT_GT(size, 0u);
  EXPECT_FALSE(tools.GetProcessMemorySize("No such window", size));
}

TEST(TDesktopWindowServices, BitmapDimensionsComeFromTheHeaderAlone) {
  TDesktopWindowServices windows;
  test::FrameworkObjects my;
  TTools tools(nullptr, my.Information);
  tools.SetWindowServices(&windows);
  test::TempDir folder;
  // A file header and the first fields of an information header: 640 by -480 (top-down); no
  // pixels follow.
  const std::string path = folder / "picture.bmp";
  test::WriteFile(path, std::string("BM") + std::string(12, '\0') +
                            std::string("\x28\0\0\0\x80\x02\0\0\x20\xFE\xFF\xFF", 12));
  int width = 0;
  int height = 0;
  tools.BitmapGetDims(path, width, height);
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
}

TEST(TDialogProgress, StatusCallBackShowsTheProgressWindowAndPassesTheStop) {
  TDialog dialog(nullptr);
  TDialogProgress progress(dialog);
  test::FrameworkObjects my;
  TTools tools(&progress, my.Information);
  bool stop = true;
  tools.StatusCallBack("searching", 7, stop);
  EXPECT_FALSE(stop);
  QPointer<QWidget> window = test::WindowCaptioned("");
  ASSERT_TRUE(window);
  EXPECT_TRUE(test::Alive(window).isVisible());
  dialog.Progress(0, 0, "", "", "");
}

} // namespace
} // namespace kiv
