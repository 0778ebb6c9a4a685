#include "core/TextFile.h"

#include "platform/FileSystem.h"

namespace kiv {

std::string JoinCrLfLines(const std::vector<std::string>& lines) {
  size_t size = 0;
  for (const std::string& line : lines)
    size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

void WriteTextFile(const std::string& path, const std::vector<std::string>& lines) {
  platform::WriteWholeFile(path, JoinCrLfLines(lines));
}

} // namespace kiv
