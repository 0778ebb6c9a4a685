#pragma once

// The update unit vekInternetUtils_: the software update download with its progress window
// (TvekInternetUtils), over the fetch logic of update/UpdateFetch.h.

#include "framework/desktop/ProgressForm_.h"
#include "framework/toolkit/ComponentGuard.h"
#include "update/UpdateFetch.h"

#include <cstdint>
#include <string>

namespace kiv {

// The kind of work a progress notification reports: reading a body or writing a request.
enum class TWorkMode { wmRead, wmWrite };

// Downloads the files of one kind of software update into a folder while a progress window shows
// the kilobytes that have arrived, and an Abort button ends the download.
class TvekInternetUtils : public TComponent {
public:
  explicit TvekInternetUtils(TComponent* AOwner);

  // The update server, its release folder, the CA file and the limits of every download: the
  // build's defaults until changed.
  UpdateSettings Settings = DefaultUpdateSettings();

  // True when every file of Software arrived whole and was put in place in DownloadDir (a folder
  // with its trailing separator); ZipFileName names the archive of ZipFile. False on any failure,
  // an abort, and a call made while another download runs; never raises. The screen cursor is
  // the one it was, and the progress window is gone, when the call returns.
  bool GetUpdate(const std::string& DownloadDir, TSoftware Software,
                 const std::string& ZipFileName);

  // The download's progress notifications; they react to reading work only.
  void HttpWorkBegin(TComponent* ASender, TWorkMode AWorkMode, std::int64_t AWorkCountMax);
  void HttpWork(TComponent* ASender, TWorkMode AWorkMode, std::int64_t AWorkCount);
  void HttpWorkEnd(TComponent* ASender, TWorkMode AWorkMode);

  // The progress window of the running call; null outside a call and once the window is gone.
  TProgressForm* ProgressForm() const noexcept { return FProgressForm.Get(); }

private:
  std::int64_t FTotalBytes = 0;
  std::int64_t FTotalkBytes = 0;
  TComponentGuard<TProgressForm> FProgressForm;
  TSoftware FSoftware = TSoftware::UpdZel;
};

} // namespace kiv
