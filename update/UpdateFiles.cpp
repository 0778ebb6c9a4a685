#include "update/UpdateFiles.h"

#include "core/Exceptions.h"
#include "platform/AsciiText.h"

#include <stdexcept>

namespace kiv {
namespace {

constexpr std::string_view kUpdateFolder = "KivSoftware/Update/";
constexpr std::string_view kZipFileFailure = "Error downloading zip file with software update";

// A server file of the update folder and the name it is stored under.
struct ServerFile {
  std::string_view serverName;
  std::string_view localName;
};

constexpr ServerFile kUpdateProgram[] = {
    {"Upd.ex_", "Upd.exe"}, {"libeay32.dl_", "libeay32.dll"}, {"ssleay32.dl_", "ssleay32.dll"}};
constexpr ServerFile kUpdateProgramNoUac[] = {{"UpdNoUAC.ex_", "UpdNoUAC.exe"},
                                              {"libeay32.dl_", "libeay32.dll"},
                                              {"ssleay32.dl_", "ssleay32.dll"}};
constexpr ServerFile kUnzipProgram = {"unzip.ex_", "unzip.exe"};

std::string WithTrailingSlash(std::string text) {
  if (!text.ends_with('/'))
    text += '/';
  return text;
}

// An empty release folder is the server's root folder.
std::string FolderWithTrailingSlash(std::string folder) {
  return folder.empty() ? folder : WithTrailingSlash(std::move(folder));
}

std::string UpdateFolderAddress(const UpdateSettings& settings) {
  return WithTrailingSlash(settings.serverAddress) + std::string(kUpdateFolder);
}

UpdateFile UpdateProgramFile(const UpdateSettings& settings, const std::string& downloadDir,
                             const ServerFile& file) {
  const std::string target = downloadDir + std::string(file.localName);
  return {UpdateFolderAddress(settings) + std::string(file.serverName), target,
          "Error downloading " + std::string(file.serverName), "Error renaming file to " + target};
}

std::vector<UpdateFile> UpdateProgramFiles(const UpdateSettings& settings,
                                           const std::string& downloadDir,
                                           const auto& serverFiles) {
  std::vector<UpdateFile> files;
  for (const ServerFile& file : serverFiles)
    files.push_back(UpdateProgramFile(settings, downloadDir, file));
  return files;
}

UpdateFile ArchiveFile(const UpdateSettings& settings, const std::string& downloadDir,
                       const std::string& zipFileName) {
  if (!IsPlainFileName(zipFileName))
    throw EPelo(std::string(kZipFileFailure),
                std::make_exception_ptr(std::invalid_argument("The archive name \"" + zipFileName +
                                                              "\" is not a plain file name")));
  return {WithTrailingSlash(settings.serverAddress) +
              FolderWithTrailingSlash(settings.releaseFolder) +
              platform::PercentEncode(zipFileName),
          downloadDir + zipFileName, std::string(kZipFileFailure), std::string(kZipFileFailure)};
}

} // namespace

std::vector<UpdateFile> UpdateFilesOf(const UpdateSettings& settings,
                                      const std::string& downloadDir, TSoftware software,
                                      const std::string& zipFileName) {
  if (settings.serverAddress.empty())
    throw EPelo("No update server is configured: the update settings hold no server address "
                "(the build's KIV_UPDATE_SERVER is empty unless set)");
  switch (software) {
  case TSoftware::UpdZel:
    return UpdateProgramFiles(settings, downloadDir, kUpdateProgram);
  case TSoftware::UpdZel_NoUAC:
    return UpdateProgramFiles(settings, downloadDir, kUpdateProgramNoUac);
  case TSoftware::UnzipProgram:
    return {{UpdateFolderAddress(settings) + std::string(kUnzipProgram.serverName),
             downloadDir + std::string(kUnzipProgram.localName), "Error downloading Update Program",
             "Error acessing files on disk"}};
  case TSoftware::ZipFile:
    return {ArchiveFile(settings, downloadDir, zipFileName)};
  }
  throw EPelo("Software update by WWW not implemented for this Software");
}

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name.find("..") != std::string_view::npos)
    return false;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || c == ':' || byte < 0x20 || byte == 0x7f)
      return false;
  }
  return true;
}

} // namespace kiv
