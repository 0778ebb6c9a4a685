// The version record in ELF files, read by the Linux build: synthetic files of every class and
// byte order, damaged ones, and files that are no executables at all.
#include "platform/VersionResource.h"
#include "testing/support/TempDir.h"

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <sys/stat.h>

namespace kiv::platform {
namespace {

using test::TempDir;

TEST(VersionResource, SpecialAndCutFilesGiveZerosWithoutBlocking) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  // The section table stands at the end of the file.
  const std::string probe = test::ReadFile(KIV_VERSION_PROBE);
  test::WriteFile(dir / "first-half", probe.substr(0, probe.size() / 2));
  test::WriteFile(dir / "last-byte-missing", probe.substr(0, probe.size() - 1));
  for (const char* name : {"fifo", "first-half", "last-byte-missing"})
    EXPECT_EQ(ReadFileVersion(dir / name), FileVersion{}) << name;
  EXPECT_EQ(ReadFileVersion("/dev/zero"), FileVersion{});
}

// A minimal ELF file of either class and byte order: the header, the version record, the section
// names and a table of three sections (null, names, version record).
class SyntheticElf {
public:
  SyntheticElf(bool is64, bool bigEndian)
      : is64_(is64), bigEndian_(bigEndian), headerSize_(is64 ? 64 : 52),
        entrySize_(is64 ? 64 : 40) {
    bytes_.assign(TableOffset() + 3 * entrySize_, '\0');
    bytes_.replace(0, 4,
                   "\x7f"
                   "ELF");
    bytes_[4] = is64 ? 2 : 1;
    bytes_[5] = bigEndian ? 2 : 1;
    bytes_[6] = 1;
    bytes_.replace(RecordOffset(), 8, std::string("KIVFVER\0", 8));
    bytes_.replace(NamesOffset(), kNames.size(), kNames);
    Put(is64 ? 40 : 32, is64 ? 8 : 4, TableOffset()); // e_shoff
    Put(is64 ? 58 : 46, 2, entrySize_);               // e_shentsize
    Put(is64 ? 60 : 48, 2, 3);                        // e_shnum
    Put(is64 ? 62 : 50, 2, 1);                        // e_shstrndx
    SetSection(1, kShstrtabName, 3 /* SHT_STRTAB */, NamesOffset(), kNames.size());
    SetSection(2, kVersionName, 1 /* SHT_PROGBITS */, RecordOffset(), 16);
  }

  void SetVersion(FileVersion v) {
    for (std::uint16_t i = 0; const std::uint16_t n : {v.Major, v.Minor, v.Release, v.Build})
      Put(RecordOffset() + 8 + 2 * i++, 2, n);
  }

  // The header's section-table fields.
  void SetTableOffset(std::uint64_t value) { Put(is64_ ? 40 : 32, is64_ ? 8 : 4, value); }
  void SetEntrySize(std::uint64_t value) { Put(is64_ ? 58 : 46, 2, value); }
  void SetCount(std::uint64_t value) { Put(is64_ ? 60 : 48, 2, value); }
  void SetNamesIndex(std::uint64_t value) { Put(is64_ ? 62 : 50, 2, value); }

  // Fields of section header `index`.
  void SetName(int index, std::uint64_t value) { Put(Entry(index), 4, value); }
  void SetType(int index, std::uint64_t value) { Put(Entry(index) + 4, 4, value); }
  void SetOffset(int index, std::uint64_t value) {
    Put(Entry(index) + (is64_ ? 24 : 16), is64_ ? 8 : 4, value);
  }
  void SetSize(int index, std::uint64_t value) {
    Put(Entry(index) + (is64_ ? 32 : 20), is64_ ? 8 : 4, value);
  }
  void SetLink(int index, std::uint64_t value) { Put(Entry(index) + (is64_ ? 40 : 24), 4, value); }

  std::string& Bytes() { return bytes_; }
  size_t RecordOffset() const { return headerSize_; }
  size_t NamesSize() const { return kNames.size(); }

private:
  static constexpr std::uint64_t kShstrtabName = 1;
  static constexpr std::uint64_t kVersionName = 11;
  inline static const std::string kNames{"\0.shstrtab\0.kiv_version\0", 24};

  size_t NamesOffset() const { return RecordOffset() + 16; }
  size_t TableOffset() const { return (NamesOffset() + kNames.size() + 7) / 8 * 8; }
  size_t Entry(int index) const { return TableOffset() + static_cast<size_t>(index) * entrySize_; }

  void SetSection(int index, std::uint64_t name, std::uint64_t type, std::uint64_t offset,
                  std::uint64_t size) {
    SetName(index, name);
    SetType(index, type);
    SetOffset(index, offset);
    SetSize(index, size);
  }

  void Put(size_t offset, size_t width, std::uint64_t value) {
    for (size_t i = 0; i < width; ++i)
      bytes_[offset + (bigEndian_ ? width - 1 - i : i)] = static_cast<char>(value >> (8 * i));
  }

  bool is64_;
  bool bigEndian_;
  size_t headerSize_;
  size_t entrySize_;
  std::string bytes_;
};

FileVersion ReadBytes(const std::string& bytes) {
  TempDir dir;
  test::WriteFile(dir / "elf", bytes);
  return ReadFileVersion(dir / "elf");
}

TEST(VersionResource, ReadsEitherClassAndByteOrder) {
  const FileVersion version{4, 513, 0, 65535};
  for (bool is64 : {false, true}) {
    for (bool bigEndian : {false, true}) {
      SyntheticElf elf(is64, bigEndian);
      elf.SetVersion(version);
      EXPECT_EQ(ReadBytes(elf.Bytes()), version) << "64-bit " << is64 << ", MSB " << bigEndian;

      // Files with very many sections keep the count and the names index in section 0.
      elf.SetCount(0);
      elf.SetNamesIndex(0xFFFF);
      elf.SetSize(0, 3);
      elf.SetLink(0, 1);
      EXPECT_EQ(ReadBytes(elf.Bytes()), version) << "64-bit " << is64 << ", MSB " << bigEndian;
    }
  }
}

struct Damage {
  const char* what;
  std::function<void(SyntheticElf&)> apply;
};

const Damage kDamages[] = {
    {"unknown class", [](SyntheticElf& e) { e.Bytes()[4] = 3; }},
    {"unknown byte order", [](SyntheticElf& e) { e.Bytes()[5] = 0; }},
    {"cut inside the header", [](SyntheticElf& e) { e.Bytes().resize(20); }},
    {"cut inside the section table", [](SyntheticElf& e) { e.Bytes().pop_back(); }},
    {"no section table", [](SyntheticElf& e) { e.SetTableOffset(0); }},
    {"section table beyond the end", [](SyntheticElf& e) { e.SetTableOffset(1 << 20); }},
    {"section table offset wraps around", [](SyntheticElf& e) { e.SetTableOffset(~0ull - 8); }},
    {"entries smaller than a section header", [](SyntheticElf& e) { e.SetEntrySize(8); }},
    {"more sections than the file holds", [](SyntheticElf& e) { e.SetCount(0xFFFF); }},
    {"huge count in section 0",
     [](SyntheticElf& e) {
       e.SetCount(0);
       e.SetSize(0, 0xFFFFFF00);
     }},
    {"names index beyond the table", [](SyntheticElf& e) { e.SetNamesIndex(3); }},
    {"names section without data", [](SyntheticElf& e) { e.SetType(1, 8 /* SHT_NOBITS */); }},
    {"names beyond the end", [](SyntheticElf& e) { e.SetOffset(1, 1 << 20); }},
    {"names offset wraps around", [](SyntheticElf& e) { e.SetOffset(1, ~0ull - 4); }},
    {"name beyond the names", [](SyntheticElf& e) { e.SetName(2, 1000); }},
    {"name cut by the end of the names", [](SyntheticElf& e) { e.SetName(2, e.NamesSize() - 1); }},
    {"name offset wraps around", [](SyntheticElf& e) { e.SetName(2, 0xFFFFFFFF); }},
    {"record without data", [](SyntheticElf& e) { e.SetType(2, 8 /* SHT_NOBITS */); }},
    {"record smaller than a version", [](SyntheticElf& e) { e.SetSize(2, 8); }},
    {"record beyond the end", [](SyntheticElf& e) { e.SetOffset(2, e.Bytes().size() - 8); }},
    {"record offset wraps around", [](SyntheticElf& e) { e.SetOffset(2, ~0ull - 4); }},
    {"record of another kind", [](SyntheticElf& e) { e.Bytes()[e.RecordOffset()] = 'X'; }},
};

TEST(VersionResource, DamagedFilesGiveZeros) {
  for (const Damage& damage : kDamages) {
    for (bool is64 : {false, true}) {
      SyntheticElf elf(is64, false);
      elf.SetVersion({4, 2, 0, 17});
      damage.apply(elf);
      EXPECT_EQ(ReadBytes(elf.Bytes()), FileVersion{}) << damage.what << ", 64-bit " << is64;
    }
  }
}

// Bytes changed at random in the headers of a real executable either leave its version readable
// or give zeros; under the sanitizers this also proves that nothing is read outside the file.
TEST(VersionResource, RandomlyDamagedHeadersNeverMisread) {
  const std::string probe = test::ReadFile(KIV_VERSION_PROBE);
  ASSERT_GT(probe.size(), 64u);
  std::uint64_t tableOffset = 0;
  for (size_t i = 0; i < 8; ++i)
    tableOffset |= std::uint64_t{static_cast<unsigned char>(probe[40 + i])} << (8 * i);
  ASSERT_LT(tableOffset, probe.size());

  std::mt19937 random(20240611);
  std::uniform_int_distribution<size_t> header(0, 63);
  std::uniform_int_distribution<size_t> table(tableOffset, probe.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  TempDir dir;
  for (int round = 0; round < 300; ++round) {
    std::string damaged = probe;
    for (int change = 0; change < 3; ++change) {
      const size_t at = round % 2 == 0 ? header(random) : table(random);
      damaged[at] = static_cast<char>(byte(random));
    }
    test::WriteFile(dir / "damaged", damaged);
    const FileVersion version = ReadFileVersion(dir / "damaged");
    EXPECT_TRUE(version == FileVersion{} || version == (FileVersion{4, 2, 0, 17}))
        << "round " << round << ": " << DottedText(version);
  }
}

} // namespace
} // namespace kiv::platform
