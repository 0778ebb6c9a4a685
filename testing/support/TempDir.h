#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kiv::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  // The folder's path with a trailing separator: "/" on Linux, "\" on Windows.
  const std::string& path() const { return path_; }
  std::string operator/(std::string_view name) const { return path_ + std::string(name); }

private:
  std::string path_;
};

// A path held in UTF-8, as the system's file functions take it (on Windows a narrow path would
// be read in the ANSI code page).
std::filesystem::path Utf8Path(std::string_view path);

// Writes bytes to path, replacing the file; fails the test on error.
void WriteFile(const std::string& path, std::string_view bytes);

// The file's bytes; empty when it cannot be read.
std::string ReadFile(const std::string& path);

bool FileExists(const std::string& path);

} // namespace kiv::test
