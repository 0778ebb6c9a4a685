#include "platform/Directory.h"

#include "platform/posix/ErrnoError.h"
#include "platform/posix/SystemCalls.h"

#include <memory>

namespace kiv::platform {
namespace {

struct CloseDirectory {
  void operator()(DIR* dir) const { sys::CloseDirectory(dir); }
};

// The entry's type as the folder reports it, asking the file itself only for links and for file
// systems that do not say.
bool IsRegularFile(DIR* dir, const dirent& entry) {
  if (entry.d_type == DT_REG)
    return true;
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
    return false;
  struct stat info {};
  return sys::StatInDirectory(dir, entry.d_name, &info) == 0 && S_ISREG(info.st_mode);
}

// The bytes of the UTF-8 character that starts at text[at].
size_t CharacterLength(std::string_view text, size_t at) {
  size_t end = at + 1;
  while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
    ++end;
  return end - at;
}

// Matching from the left; on a mismatch the last "*" takes one more character and the match
// goes on behind it.
bool MatchesWildcard(std::string_view name, std::string_view pattern) {
  size_t n = 0;
  size_t p = 0;
  size_t afterStar = std::string_view::npos;
  size_t starTakesUpTo = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      afterStar = ++p;
      starTakesUpTo = n;
    } else if (p < pattern.size() && pattern[p] == '?') {
      ++p;
      n += CharacterLength(name, n);
    } else if (p < pattern.size() && pattern[p] == name[n]) {
      ++p;
      ++n;
    } else if (afterStar != std::string_view::npos) {
      p = afterStar;
      starTakesUpTo += CharacterLength(name, starTakesUpTo);
      n = starTakesUpTo;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*')
    ++p;
  return p == pattern.size();
}

} // namespace

std::vector<std::string> ListMatchingFiles(const std::string& folder, std::string_view pattern) {
  std::unique_ptr<DIR, CloseDirectory> dir(sys::OpenDirectory(folder.c_str()));
  if (!dir) {
    if (errno == ENOENT || errno == ENOTDIR || errno == EACCES)
      return {};
    throw ErrnoError("opendir", folder);
  }
  std::vector<std::string> names;
  for (;;) {
    errno = 0;
    const dirent* entry = sys::ReadDirectory(dir.get());
    if (entry == nullptr) {
      if (errno != 0)
        throw ErrnoError("readdir", folder);
      return names;
    }
    const std::string_view name(entry->d_name);
    if (MatchesWildcard(name, pattern) && IsRegularFile(dir.get(), *entry))
      names.emplace_back(name);
  }
}

} // namespace kiv::platform
