#include "update/desktop/vekInternetUtils_.h"

#include "core/Escalation.h"
#include "framework/toolkit/Application.h"
#include "framework/toolkit/Screen.h"

#include <memory>

namespace kiv {
namespace {

// The whole kilobytes of bytes, rounded down also below zero.
std::int64_t FloorKilobytes(std::int64_t bytes) {
  return bytes >= 0 ? bytes / 1000 : -((-bytes + 999) / 1000);
}

// The transfer's progress handed to the notifications as reading work. Every question whether to
// stop first lets the application handle its pending events, so that the window repaints and
// Abort can be pressed while the server is silent too; a window that went away stops the
// download, as nobody can watch or stop it any more.
class WindowProgress final : public TransferProgress {
public:
  explicit WindowProgress(TvekInternetUtils& utils) : FUtils(utils) {}

  void WorkBegin(std::int64_t announcedTotal) override {
    FUtils.HttpWorkBegin(&FUtils, TWorkMode::wmRead, announcedTotal);
  }
  void Work(std::int64_t received) override {
    FUtils.HttpWork(&FUtils, TWorkMode::wmRead, received);
  }
  void WorkEnd() override { FUtils.HttpWorkEnd(&FUtils, TWorkMode::wmRead); }
  bool AbortRequested() override {
    Application().ProcessMessages();
    return FUtils.ProgressForm() == nullptr || FUtils.ProgressForm()->AbortRequested();
  }

private:
  TvekInternetUtils& FUtils;
};

// Frees the window that the guard still holds when the call ends: a window event may have freed
// it already, and the guard then holds nothing.
class FreeWindowAtEnd {
public:
  explicit FreeWindowAtEnd(TComponentGuard<TProgressForm>& window) : FWindow(window) {}
  FreeWindowAtEnd(const FreeWindowAtEnd&) = delete;
  FreeWindowAtEnd& operator=(const FreeWindowAtEnd&) = delete;
  ~FreeWindowAtEnd() {
    TProgressForm* window = FWindow.Get();
    FWindow.Reset(nullptr);
    delete window;
  }

private:
  TComponentGuard<TProgressForm>& FWindow;
};

} // namespace

TvekInternetUtils::TvekInternetUtils(TComponent* AOwner) : TComponent(AOwner) {}

bool TvekInternetUtils::GetUpdate(const std::string& DownloadDir, TSoftware Software,
                                  const std::string& ZipFileName) {
  // A call from inside a running download's window events must leave that download's window and
  // fields alone.
  if (UpdateFetchRunning())
    return false;
  try {
    FSoftware = Software;
    const TScreenCursorGuard busy;
    auto window = std::make_unique<TProgressForm>(nullptr);
    FProgressForm.Reset(window.get());
    const FreeWindowAtEnd freeWindow(FProgressForm);
    TProgressForm& form = *window.release();
    form.SetAbortCheckActive(true);
    form.UpdateFormSize();
    WindowProgress progress(*this);
    FetchUpdate(Settings, DownloadDir, Software, ZipFileName, progress);
    return true;
  } catch (...) {
    return false;
  }
}

void TvekInternetUtils::HttpWorkBegin(TComponent*, TWorkMode AWorkMode,
                                      std::int64_t AWorkCountMax) {
  GuardEscalating(ClassName(), "HttpWorkBegin", [&] {
    if (AWorkMode != TWorkMode::wmRead || !FProgressForm)
      return;
    FProgressForm->Show();
    FProgressForm->SetShowProgressBar(false);
    switch (FSoftware) {
    case TSoftware::UpdZel:
    case TSoftware::UpdZel_NoUAC:
      FProgressForm->SetFormCaption("Downloading update program");
      break;
    case TSoftware::ZipFile:
      FProgressForm->SetFormCaption("Downloading software update");
      break;
    default:
      FProgressForm->SetFormCaption("File download");
    }
    FTotalBytes = AWorkCountMax;
    FTotalkBytes = FloorKilobytes(AWorkCountMax);
  });
}

void TvekInternetUtils::HttpWork(TComponent*, TWorkMode AWorkMode, std::int64_t AWorkCount) {
  GuardEscalating(ClassName(), "HttpWork", [&] {
    if (AWorkMode != TWorkMode::wmRead || !FProgressForm)
      return;
    FProgressForm->SetMainLabel(std::to_string(FloorKilobytes(AWorkCount)) + " of " +
                                std::to_string(FTotalkBytes) + " kB downloaded");
  });
}

void TvekInternetUtils::HttpWorkEnd(TComponent*, TWorkMode AWorkMode) {
  GuardEscalating(ClassName(), "HttpWorkEnd", [&] {
    if (AWorkMode != TWorkMode::wmRead || !FProgressForm)
      return;
    FProgressForm->SetMainLabel("Download finished!");
    if (FProgressForm)
      FProgressForm->Hide();
  });
}

} // namespace kiv
