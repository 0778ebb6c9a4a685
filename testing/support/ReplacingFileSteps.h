#pragma once

#include "platform/ReplacingFile.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kiv::test {

// One whole save: the bytes written and committed.
inline void Save(const std::string& path, std::string_view bytes) {
  platform::ReplacingFile file(path);
  file.Write(bytes);
  file.Commit();
}

// The names in folder, sorted, so that a left-over temporary shows.
inline std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

} // namespace kiv::test
