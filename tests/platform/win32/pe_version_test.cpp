// The VERSIONINFO resource in Windows executables, read by the Windows build: the resource found
// under any file name, and damaged resources.
#include "platform/VersionResource.h"
#include "testing/support/TempDir.h"

#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace kiv::platform {
namespace {

using test::TempDir;

constexpr FileVersion kProbeVersion{4, 2, 0, 17};

// Where the probe's version block begins: its header (length, value length, type) stands just
// before the key "VS_VERSION_INFO" in UTF-16, and the fixed block follows the key.
size_t VersionBlockStart(const std::string& executable) {
  const std::u16string key = u"VS_VERSION_INFO";
  const std::string bytes(reinterpret_cast<const char*>(key.data()), 2 * key.size());
  const size_t at = executable.find(bytes);
  return at == std::string::npos ? at : at - 6;
}

// The key with its terminating null and padding to four bytes.
constexpr size_t kFixedBlockOffset = 6 + 32 + 2;

FileVersion ReadBytes(const TempDir& dir, const std::string& bytes) {
  test::WriteFile(dir / "damaged.exe", bytes);
  return ReadFileVersion(dir / "damaged.exe");
}

// The four numbers of the fixed block's double word pair at offset (file version 8, product
// version 16), most significant word first, as the resource stores them.
FileVersion FixedBlockVersion(const std::string& executable, size_t offset) {
  const size_t at = VersionBlockStart(executable) + kFixedBlockOffset + offset;
  auto word = [&](size_t i) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(executable[at + i]) |
                                      static_cast<unsigned char>(executable[at + i + 1]) << 8);
  };
  return FileVersion{word(2), word(0), word(6), word(4)};
}

TEST(VersionResource, TheCommandsProductVersionIsItsFileVersion) {
  const std::string command = test::ReadFile(KIV_VESMARINVCHK);
  ASSERT_NE(VersionBlockStart(command), std::string::npos);
  EXPECT_EQ(FixedBlockVersion(command, 8), ReadFileVersion(KIV_VESMARINVCHK));
  EXPECT_EQ(FixedBlockVersion(command, 16), ReadFileVersion(KIV_VESMARINVCHK));
}

TEST(VersionResource, FileAndProductVersionAreReadApart) {
  EXPECT_EQ(ReadFileVersionIfAny(KIV_PRODUCT_VERSION_PROBE), kProbeVersion);
  EXPECT_EQ(ReadProductVersionIfAny(KIV_PRODUCT_VERSION_PROBE), (FileVersion{5, 1, 0, 3}));
  EXPECT_EQ(ReadProductVersionIfAny(KIV_VERSION_PROBE), kProbeVersion);
  TempDir dir;
  test::WriteFile(dir / "text.exe", "not a program");
  EXPECT_EQ(ReadProductVersionIfAny(dir / "text.exe"), std::nullopt);
}

TEST(VersionResource, AnyFileNameIsReadByContent) {
  TempDir dir;
  std::filesystem::copy_file(KIV_VERSION_PROBE, dir / "renamed.bin");
  EXPECT_EQ(ReadFileVersion(dir / "renamed.bin"), kProbeVersion);
}

TEST(VersionResource, DamagedVersionBlocksGiveZeros) {
  const std::string probe = test::ReadFile(KIV_VERSION_PROBE);
  const size_t block = VersionBlockStart(probe);
  ASSERT_NE(block, std::string::npos);
  struct Damage {
    const char* what;
    size_t offset;
    char value;
  };
  const Damage damages[] = {
      {"fixed block's signature changed", kFixedBlockOffset, 'X'},
      {"no fixed block (value length 0)", 2, 0},
  };
  TempDir dir;
  EXPECT_EQ(ReadBytes(dir, probe.substr(0, block + kFixedBlockOffset)), FileVersion{})
      << "cut before the fixed block";
  for (const Damage& damage : damages) {
    std::string damaged = probe;
    damaged[block + damage.offset] = damage.value;
    if (damage.offset == 2)
      damaged[block + 3] = 0;
    EXPECT_EQ(ReadBytes(dir, damaged), FileVersion{}) << damage.what;
  }
}

// Bytes changed at random in the block's header, key and signature either leave the version
// readable or give zeros, never other numbers.
TEST(VersionResource, RandomlyDamagedBlocksNeverMisread) {
  const std::string probe = test::ReadFile(KIV_VERSION_PROBE);
  const size_t block = VersionBlockStart(probe);
  ASSERT_NE(block, std::string::npos);
  std::mt19937 random(20240611);
  std::uniform_int_distribution<size_t> position(block, block + kFixedBlockOffset + 3);
  std::uniform_int_distribution<int> byte(0, 255);
  TempDir dir;
  for (int round = 0; round < 100; ++round) {
    std::string damaged = probe;
    for (int change = 0; change < 2; ++change)
      damaged[position(random)] = static_cast<char>(byte(random));
    const FileVersion version = ReadBytes(dir, damaged);
    EXPECT_TRUE(version == FileVersion{} || version == kProbeVersion) << "round " << round;
  }
}

} // namespace
} // namespace kiv::platform
