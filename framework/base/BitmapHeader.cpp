#include "framework/base/BitmapHeader.h"

#include "platform/InputFile.h"

#include <cstdint>
#include <stdexcept>

namespace kiv {

namespace {

// The file header (14 bytes) and the first fields of the information header that follows it.
constexpr size_t kHeaderBytes = 26;
constexpr std::uint32_t kCoreHeaderSize = 12; // BITMAPCOREHEADER: 16-bit sizes

std::uint32_t LittleEndian(const unsigned char* bytes, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i)
    value = value << 8 | bytes[i];
  return value;
}

} // namespace

void ReadBitmapDims(const std::string& AFileName, int& oWidth, int& oHeight) {
  platform::InputFile file(AFileName);
  unsigned char header[kHeaderBytes];
  size_t read = 0;
  while (read < kHeaderBytes) {
    const size_t now = file.Read(reinterpret_cast<char*>(header) + read, kHeaderBytes - read);
    if (now == 0)
      break;
    read += now;
  }
  const std::uint32_t infoSize = read >= 18 ? LittleEndian(header + 14, 4) : 0;
  const size_t needed = infoSize == kCoreHeaderSize ? 22 : kHeaderBytes;
  if (read < needed || header[0] != 'B' || header[1] != 'M' || infoSize < kCoreHeaderSize)
    throw std::invalid_argument(AFileName + " is not a Windows bitmap");
  if (infoSize == kCoreHeaderSize) {
    oWidth = static_cast<int>(LittleEndian(header + 18, 2));
    oHeight = static_cast<int>(LittleEndian(header + 20, 2));
    return;
  }
  const auto width = static_cast<std::int32_t>(LittleEndian(header + 18, 4));
  const auto height = static_cast<std::int32_t>(LittleEndian(header + 22, 4));
  if (width < 0 || height == INT32_MIN)
    throw std::invalid_argument(AFileName + " is not a Windows bitmap");
  oWidth = width;
  oHeight = height < 0 ? -height : height;
}

} // namespace kiv
