#include "update/UpdateFetch.h"

#include "core/Escalation.h"
#include "platform/ReplacingFile.h"
#include "update/HttpsTransfer.h"

#include <memory>
#include <stdexcept>

namespace kiv {
namespace {

// An update file of this size or less is an error page or a cut-off file, never a program.
constexpr std::int64_t kSizeFloor = 100000;

// Marks the process's one running fetch for the life of the object.
class RunningFetch {
public:
  RunningFetch() {
    if (running_)
      throw EPelo("An update download is already running");
    running_ = true;
  }
  RunningFetch(const RunningFetch&) = delete;
  RunningFetch& operator=(const RunningFetch&) = delete;
  ~RunningFetch() { running_ = false; }

  static bool Running() noexcept { return running_; }

private:
  static inline bool running_ = false;
};

// Downloads file beside its target; the result is moved into place by Commit.
std::unique_ptr<platform::ReplacingFile>
Download(const UpdateFile& file, const TransferLimits& limits, TransferProgress& progress) {
  return GuardReplacing(file.downloadFailure, [&] {
    // A link at the target would carry the download into whatever file it leads to.
    auto staged =
        std::make_unique<platform::ReplacingFile>(file.target, platform::LinkTarget::Refuse);
    const std::int64_t size = HttpsGet(
        file.address, limits, [&](std::string_view bytes) { staged->Write(bytes); }, progress);
    if (size <= kSizeFloor)
      throw std::length_error(std::to_string(size) +
                              " bytes arrived; an update file has more than " +
                              std::to_string(kSizeFloor));
    return staged;
  });
}

} // namespace

bool UpdateFetchRunning() noexcept {
  return RunningFetch::Running();
}

void FetchUpdate(const UpdateSettings& settings, const std::string& downloadDir, TSoftware software,
                 const std::string& zipFileName, TransferProgress& progress) {
  const RunningFetch running;
  const std::vector<UpdateFile> files = UpdateFilesOf(settings, downloadDir, software, zipFileName);
  const TransferLimits limits{settings.caFile, settings.readTimeout, settings.sizeCap};
  std::vector<std::unique_ptr<platform::ReplacingFile>> staged;
  for (const UpdateFile& file : files)
    staged.push_back(Download(file, limits, progress));
  for (size_t i = 0; i < files.size(); ++i)
    GuardReplacing(files[i].placeFailure, [&] { staged[i]->Commit(); });
}

} // namespace kiv
