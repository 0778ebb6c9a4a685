#pragma once

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

// Writes bytes to path, replacing the file; fails the test on error.
void WriteFile(const std::string& path, std::string_view bytes);

// The file's bytes; empty when it cannot be read.
std::string ReadFile(const std::string& path);

bool FileExists(const std::string& path);

} // namespace kiv::test
