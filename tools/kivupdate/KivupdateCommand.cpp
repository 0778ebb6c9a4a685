#include "tools/kivupdate/KivupdateCommand.h"

#include "core/FileNames.h"
#include "tools/harness/CliParse.h"
#include "tools/harness/ProgressLine.h"
#include "tools/harness/UsageError.h"
#include "update/UpdateFetch.h"

#include <map>
#include <optional>

namespace kiv {
namespace {

// The download's progress on the progress line, in the progress window's texts; the last one
// stays after a download that showed the line.
class DownloadProgress final : public TransferProgress {
public:
  void WorkBegin(std::int64_t announcedTotal) override {
    totalkBytes_ = announcedTotal < 0 ? -1 : announcedTotal / 1000;
    line_.emplace();
  }
  void Work(std::int64_t received) override {
    if (line_ && line_->Due())
      line_->Show(std::to_string(received / 1000) + " of " +
                  (totalkBytes_ >= 0 ? std::to_string(totalkBytes_) : "?") + " kB downloaded");
  }
  void WorkEnd() override {
    if (line_)
      line_->Finish("Download finished!");
    line_.reset();
  }
  bool AbortRequested() override { return false; }

private:
  std::int64_t totalkBytes_ = -1;
  std::optional<ProgressLine> line_;
};

// The help of the server and release-folder options: the build's value, or what an empty one
// means and where it comes from.
std::string ServerHelp(const UpdateSettings& settings) {
  if (settings.serverAddress.empty())
    return "Base address of the update server (https://host/); this build has none "
           "(KIV_UPDATE_SERVER), so it must be given";
  return "Base address of the update server";
}

std::string ReleaseFolderHelp(const UpdateSettings& settings) {
  if (settings.releaseFolder.empty())
    return "Server folder of the release archives; this build's KIV_UPDATE_RELEASE_FOLDER is "
           "empty: the server's root folder";
  return "Server folder of the release archives";
}

} // namespace

int RunKivupdate(const std::vector<std::string>& arguments) {
  return RunKivupdateWith(arguments, DefaultUpdateSettings());
}

int RunKivupdateWith(const std::vector<std::string>& arguments, const UpdateSettings& defaults) {
  UpdateSettings settings = defaults;
  std::string folder;
  std::string kind;
  std::string archive;

  CLI::App app("Fetches a software update from the update server into a folder.", "kivupdate");
  app.footer("Exit code 0 once the files are in place; 1 with a message on the standard error "
             "when the download fails; 2 for a mistake of the command line.");
  // An empty build setting shows no default: the help says what it means instead.
  CLI::Option* server = app.add_option("--server", settings.serverAddress, ServerHelp(settings));
  if (!settings.serverAddress.empty())
    server->capture_default_str();
  CLI::Option* releaseFolder =
      app.add_option("--release-folder", settings.releaseFolder, ReleaseFolderHelp(settings));
  if (!settings.releaseFolder.empty())
    releaseFolder->capture_default_str();
  app.add_option("--ca", settings.caFile, "Certificate authorities trusted alone for the server");
  // A missing folder is a mistake of the command line, told before anything is fetched. The CA
  // file is not checked here: the fetch refuses it with its own message.
  app.add_option("--dir", folder, "Folder the files are stored in")
      ->required()
      ->check(CLI::ExistingDirectory);
  const std::map<std::string, TSoftware> kinds = {{"UpdZel", TSoftware::UpdZel},
                                                  {"UpdZel_NoUAC", TSoftware::UpdZel_NoUAC},
                                                  {"UnzipProgram", TSoftware::UnzipProgram},
                                                  {"ZipFile", TSoftware::ZipFile}};
  app.add_option("KIND", kind, "What to fetch")->required()->check(CLI::IsMember(kinds));
  app.add_option("ARCHIVE", archive, "Name of the release archive, for ZipFile alone");
  if (!ParseCommandLine(app, arguments))
    return 0;
  if (settings.serverAddress.empty())
    throw UsageError("--server: No update server is configured: give its address with --server "
                     "URL, or build with KIV_UPDATE_SERVER set to it");
  if ((kinds.at(kind) == TSoftware::ZipFile) == archive.empty())
    throw UsageError("ARCHIVE: ZipFile needs an archive name, other kinds none");
  if (!IsPathSeparator(folder.back()))
    folder += PathSeparator();

  DownloadProgress progress;
  FetchUpdate(settings, folder, kinds.at(kind), archive, progress);
  return 0;
}

} // namespace kiv
