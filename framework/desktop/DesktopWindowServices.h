#pragma once

// The framework's window services implemented on the desktop toolkit.

#include "framework/base/WindowServices.h"

namespace kiv {

class TDialog;

// The window services of a desktop program, over the desktop toolkit. Needs the application
// object; the owner of the framework's process-wide objects hands it to TInformation and TTools.
class TDesktopWindowServices final : public TWindowServices {
public:
  TForm* MainForm() override;
  int MinFormHeight() override;
  // Only this program's own windows can be told by the toolkit: this process, or none.
  std::optional<std::uint64_t> ProcessOfWindow(const std::string& title) override;
  void BitmapDims(const std::string& fileName, int& width, int& height) override;
};

// The progress window of the tools' status callback: TDialog::Progress.
class TDialogProgress final : public TProgressDialog {
public:
  explicit TDialogProgress(TDialog& ADialog) : FDialog(ADialog) {}
  bool Progress(int current, int total, const std::string& message, const std::string& title,
                const std::string& buttonCaption) override;

private:
  TDialog& FDialog;
};

} // namespace kiv
