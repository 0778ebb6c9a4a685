#include "core/TextFile.h"

#include "platform/FileSystem.h"
#include "platform/InputFile.h"

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

std::string ReadWholeFile(const std::string& path) {
  platform::InputFile file(path);
  std::string bytes;
  // The size is only where the file stood when opened: a pipe has none, a growing file more.
  bytes.reserve(file.Size());
  char buffer[65536];
  for (size_t count; (count = file.Read(buffer, sizeof buffer)) > 0;)
    bytes.append(buffer, count);
  return bytes;
}

} // namespace kiv
