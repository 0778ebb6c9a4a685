#include "core/FileNames.h"
#include "framework/base/Tools.h"
#include "platform/FileOperations.h"
#include "platform/FolderEntries.h"
#include "platform/InputFile.h"
#include "platform/ReplacingFile.h"

#include <system_error>

namespace kiv {
namespace {

constexpr size_t kMaxSaveNameLength = 259;

// Searches folder (empty or ending in a separator) for FindFiles; true when the callback stopped.
bool SearchFolder(const std::string& folder, const std::string& mask, bool includeSubDirs,
                  std::int32_t attributes, const TStatusCallBack& callback,
                  std::vector<std::string>& found) {
  for (const platform::FolderEntry& entry : platform::ListFolderEntries(folder, mask)) {
    if (attributes != -1 && entry.Attributes != static_cast<std::uint32_t>(attributes))
      continue;
    found.push_back(folder + entry.Name);
    if (callback) {
      bool stop = false;
      callback("File name \"" + entry.Name + "\"", static_cast<int>(found.size()), stop);
      if (stop)
        return true;
    }
  }
  if (!includeSubDirs)
    return false;
  for (const platform::FolderEntry& entry : platform::ListFolderEntries(folder, "*"))
    if (entry.IsFolder && SearchFolder(folder + entry.Name + PathSeparator(), mask, true,
                                       attributes, callback, found))
      return true;
  return false;
}

std::string WithoutTrailingSeparators(std::string path) {
  while (!path.empty() && IsPathSeparator(path.back()))
    path.pop_back();
  return path;
}

} // namespace

std::int64_t TTools::GetFileSize(const std::string& AFileName) {
  try {
    const platform::InputFile file(AFileName);
    return static_cast<std::int64_t>(file.Size());
  } catch (const std::system_error&) {
    return -1;
  }
}

bool TTools::StringSaveToFile(const std::string& AFileName, std::string_view AStringToSave,
                              std::string* AErrorMessage) {
  if (AErrorMessage != nullptr)
    AErrorMessage->clear();
  if (AFileName.size() > kMaxSaveNameLength)
    throw std::system_error(std::make_error_code(std::errc::filename_too_long),
                            "StringSaveToFile " + AFileName);
  try {
    platform::ReplacingFile file(AFileName);
    file.Write(AStringToSave);
    file.Commit();
    return true;
  } catch (const std::system_error&) {
    if (AErrorMessage != nullptr)
      *AErrorMessage = "error saving file to string";
    return false;
  }
}

std::string TTools::StringReadFrom(const std::string& AFileName, std::string* AErrorMessage) {
  if (AErrorMessage != nullptr)
    AErrorMessage->clear();
  platform::InputFile file(AFileName);
  std::string bytes(file.Size(), '\0');
  size_t read = 0;
  try {
    while (read < bytes.size()) {
      const size_t n = file.Read(bytes.data() + read, bytes.size() - read);
      if (n == 0)
        break;
      read += n;
    }
  } catch (const std::system_error&) {
    // reported below as a short read, like any other
  }
  if (read < bytes.size() && AErrorMessage != nullptr)
    *AErrorMessage = "Error reading file:\tCould not read the whole file";
  bytes.resize(read);
  return bytes.substr(0, bytes.find('\0'));
}

bool TTools::CleanDirRefuses(const std::string& iDirectory) {
  const std::string folder = WithoutTrailingSeparators(iDirectory);
  if (folder.empty() || (folder.size() == 2 && folder[1] == ':'))
    return true;
  return platform::KindOf(folder) != platform::EntryKind::Folder || platform::IsRootFolder(folder);
}

void TTools::CleanDir(const std::string& iDirectory) {
  if (CleanDirRefuses(iDirectory))
    return;
  const std::string folder = WithoutTrailingSeparators(iDirectory);
  try {
    if (const auto entries = FindFiles(folder + PathSeparator() + "*.*", true, -1))
      for (const std::string& entry : *entries)
        platform::RemoveFile(entry);
    platform::RemoveEmptyFolder(folder);
  } catch (const std::exception&) {
    // Cleaning is best effort: what cannot be removed stays.
  }
}

std::optional<std::vector<std::string>> TTools::FindFiles(const std::string& AFilespec,
                                                          bool AIncludeSubDirs,
                                                          std::int32_t AAttributes,
                                                          const TStatusCallBack& AStatusCallBack) {
  std::vector<std::string> found;
  try {
    SearchFolder(ExtractFilePath(AFilespec), ExtractFileName(AFilespec), AIncludeSubDirs,
                 AAttributes, AStatusCallBack, found);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  return found;
}

bool TTools::CopyFile(const std::string& AFileNameFrom, const std::string& AFileNameTo,
                      bool AOverwriteIfExists) {
  if (platform::IsSameFile(AFileNameFrom, AFileNameTo))
    return false;
  if (AOverwriteIfExists && platform::KindOf(AFileNameTo) != platform::EntryKind::Missing)
    return false;
  try {
    platform::InputFile source(AFileNameFrom);
    platform::ReplacingFile target(AFileNameTo);
    char buffer[65536];
    while (const size_t n = source.Read(buffer, sizeof buffer))
      target.Write(std::string_view(buffer, n));
    target.Commit();
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

} // namespace kiv
