// kivupdate: fetches one kind of software update from the update server into a folder, with the
// same files, checks and messages as the desktop programs' update download, for scripts.

#include "core/Exceptions.h"
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

} // namespace

int main(int argc, char** argv) {
  kiv::UpdateSettings settings = kiv::DefaultUpdateSettings();
  std::string folder;
  std::string kind;
  std::string archive;

  CLI::App app("Fetches a software update from the update server into a folder.", "kivupdate");
  app.add_option("--server", settings.serverAddress, "Base address of the update server")
      ->capture_default_str();
  app.add_option("--release-folder", settings.releaseFolder,
                 "Server folder of the release archives")
      ->capture_default_str();
  app.add_option("--ca", settings.caFile, "Certificate authorities trusted alone for the server");
  // The folder and the CA file are not checked here: the fetch refuses them with its own messages.
  app.add_option("--dir", folder, "Folder the files are stored in")->required();
  const std::map<std::string, kiv::TSoftware> kinds = {
      {"UpdZel", kiv::TSoftware::UpdZel},
      {"UpdZel_NoUAC", kiv::TSoftware::UpdZel_NoUAC},
      {"UnzipProgram", kiv::TSoftware::UnzipProgram},
      {"ZipFile", kiv::TSoftware::ZipFile}};
  app.add_option("KIND", kind, "What to fetch")->required()->check(CLI::IsMember(kinds));
  app.add_option("ARCHIVE", archive, "Name of the release archive, for ZipFile alone");
  try {
    app.parse(argc, argv);
    if ((kinds.at(kind) == kiv::TSoftware::ZipFile) == archive.empty())
      throw CLI::ValidationError("ARCHIVE", "ZipFile needs an archive name, other kinds none");
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 1;
  }
  if (!folder.ends_with('/'))
    folder += '/';

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
