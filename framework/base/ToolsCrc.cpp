#include "framework/base/Tools.h"

#include <array>

namespace kiv {
namespace {

template <class Word> constexpr std::array<Word, 256> ReflectedTable(Word polynomial) {
  std::array<Word, 256> table{};
  for (unsigned i = 0; i < 256; ++i) {
    Word entry = i;
    for (int step = 0; step < 8; ++step)
      entry = (entry & 1) != 0 ? (entry >> 1) ^ polynomial : entry >> 1;
    table[i] = entry;
  }
  return table;
}

constexpr std::array<std::uint32_t, 256> kCrc32Table = ReflectedTable<std::uint32_t>(0xEDB88320u);
constexpr std::array<std::uint64_t, 256> kCrc64Table =
    ReflectedTable<std::uint64_t>(0xC96C5795D7870F42u);

template <class Word>
Word Crc(const std::array<Word, 256>& table, std::span<const std::uint8_t> bytes) {
  Word crc = 0;
  for (const std::uint8_t byte : bytes)
    crc = table[static_cast<std::uint8_t>(crc ^ byte)] ^ (crc >> 8);
  return crc;
}

} // namespace

std::uint32_t TTools::CRC32(std::span<const std::uint8_t> AInput) {
  return Crc(kCrc32Table, AInput);
}

std::int64_t TTools::CRC64(std::span<const std::uint8_t> AInput) {
  return static_cast<std::int64_t>(Crc(kCrc64Table, AInput));
}

} // namespace kiv
