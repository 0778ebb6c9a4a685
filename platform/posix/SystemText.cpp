#include "platform/posix/SystemText.h"

#include "platform/AsciiText.h"
#include "platform/posix/ErrnoError.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <libmount.h>
#include <memory>
#include <system_error>

namespace kiv::platform {
namespace {

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  }
  return lines;
}

// A line without its blanks, and without the CR of a CR LF line end.
std::string_view TrimBlanks(std::string_view text) {
  return TrimmedEndIf(TrimmedStartIf(text, IsBlank),
                      [](char c) { return IsBlank(c) || c == '\r'; });
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i]))
      ++i;
    const size_t start = i;
    while (i < line.size() && !IsBlank(line[i]))
      ++i;
    if (i > start)
      fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

std::string Text(const char* text) {
  return text == nullptr ? std::string() : std::string(text);
}

struct TableDeleter {
  void operator()(libmnt_table* table) const { mnt_unref_table(table); }
};
struct IteratorDeleter {
  void operator()(libmnt_iter* iterator) const { mnt_free_iter(iterator); }
};
struct StreamCloser {
  void operator()(FILE* stream) const { std::fclose(stream); }
};

} // namespace

std::vector<MountEntry> ParseMountTable(std::string_view text) {
  std::vector<MountEntry> mounts;
  if (text.empty())
    return mounts;
  std::string copy(text);
  std::unique_ptr<FILE, StreamCloser> stream(fmemopen(copy.data(), copy.size(), "r"));
  if (!stream)
    throw ErrnoError("fmemopen");
  std::unique_ptr<libmnt_table, TableDeleter> table(mnt_new_table());
  std::unique_ptr<libmnt_iter, IteratorDeleter> iterator(mnt_new_iter(MNT_ITER_FORWARD));
  if (!table || !iterator)
    throw std::system_error(ENOMEM, std::generic_category(), "mnt_new_table");
  if (const int error = mnt_table_parse_stream(table.get(), stream.get(), "mount table"); error < 0)
    throw std::system_error(-error, std::generic_category(), "mnt_table_parse_stream");
  libmnt_fs* fs = nullptr;
  while (mnt_table_next_fs(table.get(), iterator.get(), &fs) == 0) {
    const char* root = mnt_fs_get_root(fs);
    mounts.push_back({Text(mnt_fs_get_source(fs)), Text(mnt_fs_get_target(fs)),
                      Text(mnt_fs_get_fstype(fs)), root == nullptr ? "/" : std::string(root),
                      mnt_fs_is_netfs(fs) != 0});
  }
  return mounts;
}

std::vector<std::string> FixedDriveMounts(const std::vector<MountEntry>& mounts) {
  std::vector<std::string> roots;
  for (const MountEntry& mount : mounts)
    if (!mount.Network && mount.Source.starts_with("/dev/") && mount.Root == "/")
      roots.push_back(mount.Target);
  return roots;
}

std::vector<std::pair<std::string, std::string>>
NetworkMounts(const std::vector<MountEntry>& mounts) {
  std::vector<std::pair<std::string, std::string>> network;
  for (const MountEntry& mount : mounts)
    if (mount.Network)
      network.emplace_back(mount.Target, mount.Source);
  return network;
}

bool HasDefaultRoute(std::string_view routeTable) {
  constexpr unsigned kRouteUp = 0x1;
  const std::vector<std::string_view> lines = Lines(routeTable);
  for (size_t i = 1; i < lines.size(); ++i) { // the first line names the columns
    const std::vector<std::string_view> fields = Fields(lines[i]);
    if (fields.size() < 8)
      continue;
    unsigned flags = 0;
    const auto [end, error] =
        std::from_chars(fields[3].data(), fields[3].data() + fields[3].size(), flags, 16);
    const bool flagsRead = error == std::errc{} && end == fields[3].data() + fields[3].size();
    if (fields[1] == "00000000" && fields[7] == "00000000" && flagsRead && (flags & kRouteUp) != 0)
      return true;
  }
  return false;
}

std::optional<std::string> OsReleaseValue(std::string_view text, std::string_view key) {
  for (std::string_view line : Lines(text)) {
    line = TrimBlanks(line);
    if (!line.starts_with(key) || line.size() == key.size() || line[key.size()] != '=')
      continue;
    std::string_view value = line.substr(key.size() + 1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    std::string result;
    for (size_t i = 0; i < value.size(); ++i) {
      if (value[i] == '\\' && i + 1 < value.size())
        ++i;
      result += value[i];
    }
    return result;
  }
  return std::nullopt;
}

std::optional<std::string> UserDirsValue(std::string_view text, std::string_view key,
                                         std::string_view home) {
  for (std::string_view line : Lines(text)) {
    line = TrimBlanks(line);
    if (!line.starts_with(key) || line.size() == key.size() || line[key.size()] != '=')
      continue;
    std::string_view value = line.substr(key.size() + 1);
    if (value.size() < 2 || value.front() != '"' || value.back() != '"')
      return std::nullopt;
    value = value.substr(1, value.size() - 2);
    std::string folder;
    if (value.starts_with("$HOME")) {
      folder = std::string(home);
      value.remove_prefix(5);
      if (!value.empty() && value.front() != '/')
        return std::nullopt;
    } else if (!value.starts_with('/')) {
      return std::nullopt;
    }
    for (size_t i = 0; i < value.size(); ++i) {
      if (value[i] == '\\' && i + 1 < value.size())
        ++i;
      folder += value[i];
    }
    return folder;
  }
  return std::nullopt;
}

std::optional<std::uint64_t> StatusFieldBytes(std::string_view text, std::string_view field) {
  for (std::string_view line : Lines(text)) {
    if (!line.starts_with(field) || line.size() == field.size() || line[field.size()] != ':')
      continue;
    const std::vector<std::string_view> fields = Fields(line.substr(field.size() + 1));
    if (fields.size() != 2 || fields[1] != "kB")
      return std::nullopt;
    std::uint64_t kilobytes = 0;
    const char* last = fields[0].data() + fields[0].size();
    const auto [end, error] = std::from_chars(fields[0].data(), last, kilobytes);
    if (error != std::errc{} || end != last || kilobytes > UINT64_MAX / 1024)
      return std::nullopt;
    return kilobytes * 1024;
  }
  return std::nullopt;
}

ReleaseNumbers ParseKernelRelease(std::string_view release) {
  std::uint32_t numbers[3] = {0, 0, 0};
  const char* p = release.data();
  const char* last = release.data() + release.size();
  for (std::uint32_t& number : numbers) {
    const auto [end, error] = std::from_chars(p, last, number);
    if (error != std::errc{})
      break;
    p = end;
    if (p == last || *p != '.')
      break;
    ++p;
  }
  return {numbers[0], numbers[1], numbers[2]};
}

} // namespace kiv::platform
