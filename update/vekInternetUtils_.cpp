#include "update/vekInternetUtils_.h"

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
  explicit WindowProgress(TvekInternetUtils& utils) : utils_(utils) {}

  void WorkBegin(std::int64_t announcedTotal) override {
    utils_.HttpWorkBegin(&utils_, TWorkMode::wmRead, announcedTotal);
  }
  void Work(std::int64_t received) override {
    utils_.HttpWork(&utils_, TWorkMode::wmRead, received);
  }
  void WorkEnd() override { utils_.HttpWorkEnd(&utils_, TWorkMode::wmRead); }
  bool AbortRequested() override {
    Application().ProcessMessages();
    return utils_.ProgressForm() == nullptr || utils_.ProgressForm()->AbortRequested();
  }

private:
  TvekInternetUtils& utils_;
};

// The screen cursor as it was, again when the object goes.
class RememberedCursor {
public:
  RememberedCursor() : cursor_(Screen().Cursor()) {}
  RememberedCursor(const RememberedCursor&) = delete;
  RememberedCursor& operator=(const RememberedCursor&) = delete;
  ~RememberedCursor() { Screen().SetCursor(cursor_); }

private:
  TCursor cursor_;
};

} // namespace

TvekInternetUtils::TvekInternetUtils(TComponent* AOwner) : TComponent(AOwner) {}

TvekInternetUtils::~TvekInternetUtils() {
  if (FProgressForm != nullptr)
    FProgressForm->RemoveFreeNotification(*this);
}

void TvekInternetUtils::Notification(TComponent& AComponent, TOperation AOperation) {
  TComponent::Notification(AComponent, AOperation);
  if (AOperation == TOperation::opRemove && &AComponent == FProgressForm)
    FProgressForm = nullptr;
}

bool TvekInternetUtils::GetUpdate(const std::string& DownloadDir, TSoftware Software,
                                  const std::string& ZipFileName) {
  // A call from inside a running download's window events must leave that download's window and
  // fields alone.
  if (UpdateFetchRunning())
    return false;
  bool arrived = false;
  try {
    FSoftware = Software;
    const RememberedCursor cursor;
    auto window = std::make_unique<TProgressForm>(nullptr);
    FProgressForm = window.get();
    FProgressForm->FreeNotification(*this);
    FProgressForm->SetAbortCheckActive(true);
    FProgressForm->UpdateFormSize();
    Screen().SetCursor(crHourGlass);
    WindowProgress progress(*this);
    try {
      FetchUpdate(Settings, DownloadDir, Software, ZipFileName, progress);
      arrived = true;
    } catch (...) {
    }
    // A window event may have freed the window already.
    if (FProgressForm == nullptr)
      (void)window.release();
    FProgressForm = nullptr;
  } catch (...) {
    arrived = false;
  }
  return arrived;
}

void TvekInternetUtils::HttpWorkBegin(TComponent*, TWorkMode AWorkMode,
                                      std::int64_t AWorkCountMax) {
  GuardEscalating(ClassName(), "HttpWorkBegin", [&] {
    if (AWorkMode != TWorkMode::wmRead || FProgressForm == nullptr)
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
    if (AWorkMode != TWorkMode::wmRead || FProgressForm == nullptr)
      return;
    FProgressForm->SetMainLabel(std::to_string(FloorKilobytes(AWorkCount)) + " of " +
                                std::to_string(FTotalkBytes) + " kB downloaded");
  });
}

void TvekInternetUtils::HttpWorkEnd(TComponent*, TWorkMode AWorkMode) {
  GuardEscalating(ClassName(), "HttpWorkEnd", [&] {
    if (AWorkMode != TWorkMode::wmRead || FProgressForm == nullptr)
      return;
    FProgressForm->SetMainLabel("Download finished!");
    if (FProgressForm != nullptr)
      FProgressForm->Hide();
  });
}

} // namespace kiv
