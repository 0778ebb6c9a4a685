#pragma once

// Parsers of the text files through which Linux describes itself. Pure functions over text, so
// that they can be tested on stored samples.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kiv::platform {

// One mount of a mount table, its texts unescaped.
struct MountEntry {
  std::string Source;
  std::string Target;
  std::string FileSystem;
  std::string Root; // the mounted folder of the file system; "/" in tables that do not say
  bool Network = false;
};

// The mounts of a table in the format of /proc/self/mountinfo or of /etc/mtab, read with libmount.
// Throws std::system_error when libmount refuses the text.
std::vector<MountEntry> ParseMountTable(std::string_view text);

// The mount points of fixed drives: mounts of a block device under /dev/ that mount the root of
// their file system and are not network mounts.
std::vector<std::string> FixedDriveMounts(const std::vector<MountEntry>& mounts);

// The network mounts as (mount point, source).
std::vector<std::pair<std::string, std::string>>
NetworkMounts(const std::vector<MountEntry>& mounts);

// True when a route table in the format of /proc/net/route has a default route (destination and
// mask 0) that is up.
bool HasDefaultRoute(std::string_view routeTable);

// The value of key in an os-release file, its quotes and escapes removed; nullopt when absent.
std::optional<std::string> OsReleaseValue(std::string_view text, std::string_view key);

// The folder of key (such as XDG_DOCUMENTS_DIR) in a user-dirs.dirs file, with "$HOME" expanded
// to home; nullopt when absent or when the line is not of the form KEY="$HOME/..." or KEY="/...".
std::optional<std::string> UserDirsValue(std::string_view text, std::string_view key,
                                         std::string_view home);

// The number of a "Name:  1234 kB" field of a /proc/<id>/status file, in bytes; nullopt when
// absent or malformed.
std::optional<std::uint64_t> StatusFieldBytes(std::string_view text, std::string_view field);

// The leading decimal numbers of a kernel release ("6.1.0-13-amd64" gives 6, 1, 0); missing
// ones are 0.
struct ReleaseNumbers {
  std::uint32_t Major = 0, Minor = 0, Patch = 0;
};
ReleaseNumbers ParseKernelRelease(std::string_view release);

} // namespace kiv::platform
