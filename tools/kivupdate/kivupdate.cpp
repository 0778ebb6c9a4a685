// kivupdate: fetches one kind of software update from the update server into a folder, with the
// same files, checks and messages as the desktop programs' update download, for scripts.

#include "core/Exceptions.h"
#include "core/FileNames.h"
#include "platform/CommandLine.h"
#include "platform/StandardOutput.h"
#include "platform/Terminal.h"
#include "update/UpdateFetch.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <map>

namespace {

// The progress line of a terminal: the progress window's texts, each over the one before.
class TerminalProgress final : public kiv::TransferProgress {
public:
  void WorkBegin(std::int64_t announcedTotal) override {
    totalkBytes_ = announcedTotal < 0 ? -1 : announcedTotal / 1000;
  }
  void Work(std::int64_t received) override {
    std::string text = std::to_string(received / 1000) + " of " +
                       (totalkBytes_ >= 0 ? std::to_string(totalkBytes_) : "?") + " kB downloaded";
    if (text != shown_)
      Show(std::move(text));
  }
  void WorkEnd() override {
    Show("Download finished!");
    kiv::platform::WriteStandardOutput("\n");
    shown_.clear();
  }
  bool AbortRequested() override { return false; }

private:
  void Show(std::string text) {
    const size_t previous = shown_.size();
    shown_ = std::move(text);
    kiv::platform::WriteStandardOutput(
        "\r" + shown_ + std::string(previous > shown_.size() ? previous - shown_.size() : 0, ' '));
  }

  std::int64_t totalkBytes_ = -1;
  std::string shown_;
};

// Nothing shown where the output is not a terminal.
class SilentProgress final : public kiv::TransferProgress {
public:
  void WorkBegin(std::int64_t) override {}
  void Work(std::int64_t) override {}
  void WorkEnd() override {}
  bool AbortRequested() override { return false; }
};

// The help of the server and release-folder options: the build's value, or what an empty one
// means and where it comes from.
std::string ServerHelp(const kiv::UpdateSettings& settings) {
  if (settings.serverAddress.empty())
    return "Base address of the update server (https://host/); this build has none "
           "(KIV_UPDATE_SERVER), so it must be given";
  return "Base address of the update server";
}

std::string ReleaseFolderHelp(const kiv::UpdateSettings& settings) {
  if (settings.releaseFolder.empty())
    return "Server folder of the release archives; this build's KIV_UPDATE_RELEASE_FOLDER is "
           "empty: the server's root folder";
  return "Server folder of the release archives";
}

} // namespace

int main() {
  const std::vector<std::string> arguments = kiv::platform::CommandLineArguments();
  kiv::UpdateSettings settings = kiv::DefaultUpdateSettings();
  std::string folder;
  std::string kind;
  std::string archive;

  CLI::App app("Fetches a software update from the update server into a folder.", "kivupdate");
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
  const std::map<std::string, kiv::TSoftware> kinds = {
      {"UpdZel", kiv::TSoftware::UpdZel},
      {"UpdZel_NoUAC", kiv::TSoftware::UpdZel_NoUAC},
      {"UnzipProgram", kiv::TSoftware::UnzipProgram},
      {"ZipFile", kiv::TSoftware::ZipFile}};
  app.add_option("KIND", kind, "What to fetch")->required()->check(CLI::IsMember(kinds));
  app.add_option("ARCHIVE", archive, "Name of the release archive, for ZipFile alone");
  try {
    // CLI11 takes the words in reverse order, after the program's name; UTF-8 on every system.
    std::vector<std::string> words(arguments.rbegin(), arguments.rend() - 1);
    app.parse(words);
    if (settings.serverAddress.empty())
      throw CLI::ValidationError("--server",
                                 "No update server is configured: give its address with --server "
                                 "URL, or build with KIV_UPDATE_SERVER set to it");
    if ((kinds.at(kind) == kiv::TSoftware::ZipFile) == archive.empty())
      throw CLI::ValidationError("ARCHIVE", "ZipFile needs an archive name, other kinds none");
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 1;
  }
  if (!kiv::IsPathSeparator(folder.back()))
    folder += kiv::PathSeparator();

  try {
    TerminalProgress terminal;
    SilentProgress silent;
    kiv::FetchUpdate(settings, folder, kinds.at(kind), archive,
                     kiv::platform::StandardOutputIsTerminal()
                         ? static_cast<kiv::TransferProgress&>(terminal)
                         : silent);
    return 0;
  } catch (const kiv::Exception& e) {
    std::cerr << e.Message() << "\n";
    if (const std::string cause = e.CauseMessage(); !cause.empty())
      std::cerr << cause << "\n";
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
  }
  return 1;
}
