#pragma once

// Platform service: the file version carried by an executable.

#include <cstdint>
#include <optional>
#include <string>

namespace kiv::platform {

// The four-part file version of an executable.
struct FileVersion {
  std::uint16_t Major = 0;
  std::uint16_t Minor = 0;
  std::uint16_t Release = 0;
  std::uint16_t Build = 0;

  bool operator==(const FileVersion&) const = default;
};

// The four numbers joined by ".", as version texts show them: 2.1.0.57.
inline std::string DottedText(const FileVersion& version) {
  return std::to_string(version.Major) + "." + std::to_string(version.Minor) + "." +
         std::to_string(version.Release) + "." + std::to_string(version.Build);
}

// The file version that the build embedded in the executable file at path. All zero when the
// file carries none, is not an executable of a kind this system runs, is damaged or cannot be
// read: a file's content is never trusted, and nothing is thrown.
FileVersion ReadFileVersion(const std::string& path) noexcept;

// The same version, but nullopt when the file carries none, so that a file without a version
// tells from one whose version is 0.0.0.0.
std::optional<FileVersion> ReadFileVersionIfAny(const std::string& path) noexcept;

// The product version of the executable file at path, nullopt when it carries none. A Windows
// version resource holds it beside the file version, and the two may differ; on Linux the build
// embeds one version, which is both.
std::optional<FileVersion> ReadProductVersionIfAny(const std::string& path) noexcept;

} // namespace kiv::platform
