#include "testing/support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace kiv::test {

TempDir::TempDir() {
  // Creating a folder fails when it exists, so a fresh name is ours alone.
  std::random_device seed;
  std::mt19937_64 random(seed());
  const std::filesystem::path temporary = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path folder = temporary / ("kiv-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(folder)) {
      const std::u8string name = (folder / "").u8string();
      path_.assign(name.begin(), name.end());
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder in " + temporary.string());
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(Utf8Path(path_), std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(Utf8Path(path_), ignored);
}

std::filesystem::path Utf8Path(std::string_view path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(Utf8Path(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(Utf8Path(path), std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool FileExists(const std::string& path) {
  return std::filesystem::exists(Utf8Path(path));
}

} // namespace kiv::test
