#pragma once

// POSIX implementation internals: the ELF section that carries an executable's file version.

#include <cstdint>

// The record in which every executable of the build carries its file version on systems with ELF
// files. The build compiles it from cmake/FileVersion.cpp.in into each executable;
// ReadFileVersion finds it again by the section's name and checks its tag before it believes the
// numbers. The numbers are in the byte order of the ELF file.
namespace kiv::platform {

// The template's section attribute spells the name out again: it takes only a literal.
inline constexpr char kVersionSectionName[] = ".kiv_version";

struct VersionSection {
  char Tag[8];
  std::uint16_t Major;
  std::uint16_t Minor;
  std::uint16_t Release;
  std::uint16_t Build;
};
static_assert(sizeof(VersionSection) == 16, "the record's layout is read back from files");

// Marks the record as ours, so that a section of the same name from elsewhere is not misread.
inline constexpr char kVersionSectionTag[sizeof VersionSection::Tag] = "KIVFVER";

// The tagged record of one version.
constexpr VersionSection MakeVersionSection(std::uint16_t major, std::uint16_t minor,
                                            std::uint16_t release, std::uint16_t build) {
  VersionSection section{{}, major, minor, release, build};
  for (unsigned i = 0; i < sizeof section.Tag; ++i)
    section.Tag[i] = kVersionSectionTag[i];
  return section;
}

} // namespace kiv::platform
