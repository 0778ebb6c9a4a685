#include "platform/VersionResource.h"

#include "platform/FileHandle.h"
#include "platform/posix/SystemCalls.h"
#include "platform/posix/VersionSection.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <elf.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv::platform {
namespace {

// A file read at offsets. Every read is checked against the size the file had when opened, so
// that no offset or size taken from the file can lead outside it.
class FileBytes {
public:
  // Non-blocking, so that a FIFO named by the caller cannot stall the open.
  explicit FileBytes(const std::string& path)
      : file_(sys::Open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {
    struct stat info {};
    if (file_.IsOpen() && sys::FileStat(sys::Descriptor(file_), &info) == 0 &&
        S_ISREG(info.st_mode))
      size_ = static_cast<std::uint64_t>(info.st_size);
  }

  std::uint64_t Size() const { return size_; }

  bool Contains(std::uint64_t offset, std::uint64_t length) const {
    return offset <= size_ && length <= size_ - offset;
  }

  bool Read(std::uint64_t offset, void* buffer, size_t length) const {
    if (!Contains(offset, length))
      return false;
    auto* out = static_cast<unsigned char*>(buffer);
    while (length > 0) {
      const ssize_t n =
          sys::ReadAt(sys::Descriptor(file_), out, length, static_cast<off_t>(offset));
      if (n < 0 && errno == EINTR)
        continue;
      if (n <= 0)
        return false;
      out += n;
      offset += static_cast<std::uint64_t>(n);
      length -= static_cast<size_t>(n);
    }
    return true;
  }

private:
  FileHandle file_;
  std::uint64_t size_ = 0;
};

// Unsigned fields of either width and byte order, as the file's identification says.
class Decoder {
public:
  explicit Decoder(bool bigEndian) : bigEndian_(bigEndian) {}

  std::uint64_t Unsigned(const unsigned char* bytes, size_t width) const {
    std::uint64_t value = 0;
    for (size_t i = 0; i < width; ++i)
      value |= std::uint64_t{bytes[bigEndian_ ? width - 1 - i : i]} << (8 * i);
    return value;
  }

private:
  bool bigEndian_;
};

// Where the fields this reader needs lie in the headers of one ELF class.
struct ElfLayout {
  size_t headerSize;
  size_t shoff, shoffWidth;
  size_t shentsize, shnum, shstrndx; // each two bytes wide
  size_t sectionHeaderSize;
  size_t shName, shType; // each four bytes wide
  size_t shOffset, shSize, addressWidth;
  size_t shLink; // four bytes wide
};

constexpr ElfLayout kElf32{sizeof(Elf32_Ehdr),
                           offsetof(Elf32_Ehdr, e_shoff),
                           sizeof(Elf32_Off),
                           offsetof(Elf32_Ehdr, e_shentsize),
                           offsetof(Elf32_Ehdr, e_shnum),
                           offsetof(Elf32_Ehdr, e_shstrndx),
                           sizeof(Elf32_Shdr),
                           offsetof(Elf32_Shdr, sh_name),
                           offsetof(Elf32_Shdr, sh_type),
                           offsetof(Elf32_Shdr, sh_offset),
                           offsetof(Elf32_Shdr, sh_size),
                           sizeof(Elf32_Off),
                           offsetof(Elf32_Shdr, sh_link)};

constexpr ElfLayout kElf64{sizeof(Elf64_Ehdr),
                           offsetof(Elf64_Ehdr, e_shoff),
                           sizeof(Elf64_Off),
                           offsetof(Elf64_Ehdr, e_shentsize),
                           offsetof(Elf64_Ehdr, e_shnum),
                           offsetof(Elf64_Ehdr, e_shstrndx),
                           sizeof(Elf64_Shdr),
                           offsetof(Elf64_Shdr, sh_name),
                           offsetof(Elf64_Shdr, sh_type),
                           offsetof(Elf64_Shdr, sh_offset),
                           offsetof(Elf64_Shdr, sh_size),
                           sizeof(Elf64_Off),
                           offsetof(Elf64_Shdr, sh_link)};

struct SectionHeader {
  std::uint32_t name;
  std::uint32_t type;
  std::uint64_t offset;
  std::uint64_t size;
  std::uint32_t link;
};

class ElfReader {
public:
  ElfReader(const FileBytes& file, const ElfLayout& layout, Decoder decoder)
      : file_(file), layout_(layout), decoder_(decoder) {}

  std::optional<FileVersion> Version() {
    if (!ReadSectionTable())
      return std::nullopt;
    const std::optional<SectionHeader> names = Section(namesIndex_);
    if (!names || names->type == SHT_NOBITS || !file_.Contains(names->offset, names->size))
      return std::nullopt;
    for (std::uint64_t i = 0; i < count_; ++i) {
      const std::optional<SectionHeader> section = Section(i);
      if (section && section->type == SHT_PROGBITS && IsVersionSection(*names, *section))
        return Record(*section);
    }
    return std::nullopt;
  }

private:
  bool ReadSectionTable() {
    unsigned char header[sizeof(Elf64_Ehdr)];
    if (!file_.Read(0, header, layout_.headerSize))
      return false;
    tableOffset_ = decoder_.Unsigned(header + layout_.shoff, layout_.shoffWidth);
    entrySize_ = decoder_.Unsigned(header + layout_.shentsize, 2);
    count_ = decoder_.Unsigned(header + layout_.shnum, 2);
    namesIndex_ = decoder_.Unsigned(header + layout_.shstrndx, 2);
    if (tableOffset_ == 0 || entrySize_ < layout_.sectionHeaderSize)
      return false;
    // Files with very many sections keep the true count and names index in section 0.
    if (count_ == 0 || namesIndex_ == SHN_XINDEX) {
      const std::optional<SectionHeader> first = SectionAt(tableOffset_);
      if (!first)
        return false;
      if (count_ == 0)
        count_ = first->size;
      if (namesIndex_ == SHN_XINDEX)
        namesIndex_ = first->link;
    }
    // From here on no index below count_ can take a read outside the file.
    return count_ <= file_.Size() / entrySize_ && file_.Contains(tableOffset_, count_ * entrySize_);
  }

  std::optional<SectionHeader> Section(std::uint64_t index) const {
    if (index >= count_)
      return std::nullopt;
    return SectionAt(tableOffset_ + index * entrySize_);
  }

  std::optional<SectionHeader> SectionAt(std::uint64_t offset) const {
    unsigned char bytes[sizeof(Elf64_Shdr)];
    if (!file_.Read(offset, bytes, layout_.sectionHeaderSize))
      return std::nullopt;
    return SectionHeader{static_cast<std::uint32_t>(decoder_.Unsigned(bytes + layout_.shName, 4)),
                         static_cast<std::uint32_t>(decoder_.Unsigned(bytes + layout_.shType, 4)),
                         decoder_.Unsigned(bytes + layout_.shOffset, layout_.addressWidth),
                         decoder_.Unsigned(bytes + layout_.shSize, layout_.addressWidth),
                         static_cast<std::uint32_t>(decoder_.Unsigned(bytes + layout_.shLink, 4))};
  }

  bool IsVersionSection(const SectionHeader& names, const SectionHeader& section) const {
    constexpr size_t length = sizeof kVersionSectionName; // with its terminating null
    if (section.name > names.size || names.size - section.name < length)
      return false;
    char name[length];
    return file_.Read(names.offset + section.name, name, length) &&
           std::memcmp(name, kVersionSectionName, length) == 0;
  }

  std::optional<FileVersion> Record(const SectionHeader& section) const {
    unsigned char bytes[sizeof(VersionSection)];
    if (section.size < sizeof bytes || !file_.Read(section.offset, bytes, sizeof bytes) ||
        std::memcmp(bytes, kVersionSectionTag, sizeof kVersionSectionTag) != 0)
      return std::nullopt;
    auto number = [&](size_t offset) {
      return static_cast<std::uint16_t>(decoder_.Unsigned(bytes + offset, 2));
    };
    return FileVersion{
        number(offsetof(VersionSection, Major)), number(offsetof(VersionSection, Minor)),
        number(offsetof(VersionSection, Release)), number(offsetof(VersionSection, Build))};
  }

  const FileBytes& file_;
  const ElfLayout& layout_;
  Decoder decoder_;
  std::uint64_t tableOffset_ = 0;
  std::uint64_t entrySize_ = 0;
  std::uint64_t count_ = 0;
  std::uint64_t namesIndex_ = 0;
};

} // namespace

std::optional<FileVersion> ReadFileVersionIfAny(const std::string& path) noexcept {
  const FileBytes file(path);
  unsigned char ident[EI_NIDENT];
  if (!file.Read(0, ident, sizeof ident) || std::memcmp(ident, ELFMAG, SELFMAG) != 0)
    return std::nullopt;
  const bool is64 = ident[EI_CLASS] == ELFCLASS64;
  if (!is64 && ident[EI_CLASS] != ELFCLASS32)
    return std::nullopt;
  if (ident[EI_DATA] != ELFDATA2LSB && ident[EI_DATA] != ELFDATA2MSB)
    return std::nullopt;
  ElfReader elf(file, is64 ? kElf64 : kElf32, Decoder(ident[EI_DATA] == ELFDATA2MSB));
  return elf.Version();
}

FileVersion ReadFileVersion(const std::string& path) noexcept {
  return ReadFileVersionIfAny(path).value_or(FileVersion{});
}

std::optional<FileVersion> ReadProductVersionIfAny(const std::string& path) noexcept {
  return ReadFileVersionIfAny(path);
}

} // namespace kiv::platform
