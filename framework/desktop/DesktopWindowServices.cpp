#include "framework/desktop/DesktopWindowServices.h"

#include "framework/base/BitmapHeader.h"
#include "framework/desktop/Dialog.h"
#include "framework/toolkit/Application.h"
#include "framework/toolkit/Form.h"
#include "framework/toolkit/Screen.h"
#include "platform/ProcessMemory.h"

#include <memory>

namespace kiv {

TForm* TDesktopWindowServices::MainForm() {
  return Application().MainForm();
}

int TDesktopWindowServices::MinFormHeight() {
  // The frame is known only once a window shows: a plain form with no client area, shown for
  // the measurement and gone again before anything repaints.
  auto form = std::make_unique<TForm>(nullptr);
  form->SetClientHeight(0);
  form->Show();
  const int height = form->Height();
  form->Hide();
  return height;
}

std::optional<std::uint64_t> TDesktopWindowServices::ProcessOfWindow(const std::string& title) {
  if (!HasWindowCaptioned(title))
    return std::nullopt;
  return platform::CurrentProcessId();
}

void TDesktopWindowServices::BitmapDims(const std::string& fileName, int& width, int& height) {
  ReadBitmapDims(fileName, width, height);
}

bool TDialogProgress::Progress(int current, int total, const std::string& message,
                               const std::string& title, const std::string& buttonCaption) {
  return FDialog.Progress(current, total, message, title, buttonCaption);
}

} // namespace kiv
