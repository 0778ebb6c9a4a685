#include "core/TextFile.h"

#include "platform/FileSystem.h"
#include "platform/InputFile.h"

#include <algorithm>
#include <cstdint>
#include <limits>

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
  return *ReadFileUpTo(path, std::numeric_limits<std::size_t>::max());
}

std::optional<std::string> ReadFileUpTo(const std::string& path, std::size_t limit) {
  platform::InputFile file(path);
  std::string bytes;
  // The size is only where the file stood when opened: a pipe has none, a growing file more.
  bytes.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(file.Size(), limit)));
  char buffer[65536];
  for (size_t count; (count = file.Read(buffer, sizeof buffer)) > 0;) {
    if (count > limit - bytes.size())
      return std::nullopt;
    bytes.append(buffer, count);
  }
  return bytes;
}

} // namespace kiv
