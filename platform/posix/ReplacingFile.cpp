#include "platform/ReplacingFile.h"

#include "platform/posix/ErrnoError.h"
#include "platform/posix/LinkText.h"
#include "platform/posix/SystemCalls.h"
#include "platform/posix/WriteAll.h"

#include <fcntl.h>
#include <optional>

namespace kiv::platform {
namespace {

// As many links as Linux follows in one path.
constexpr int kMaxLinksFollowed = 40;

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos)
    return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file that a path leads to through any symbolic links, with its status when it exists.
struct ResolvedTarget {
  std::string path;
  std::optional<struct stat> status;
};

ResolvedTarget Resolve(const std::string& given, LinkTarget policy) {
  std::string path = given;
  for (int links = 0;; ++links) {
    struct stat info {};
    if (sys::LinkStat(path.c_str(), &info) != 0) {
      if (errno == ENOENT)
        return {path, std::nullopt};
      throw ErrnoError("lstat", path);
    }
    if (!S_ISLNK(info.st_mode))
      return {path, info};
    if (policy == LinkTarget::Refuse)
      throw std::system_error(ELOOP, std::generic_category(), "open " + given);
    if (links == kMaxLinksFollowed)
      throw std::system_error(ELOOP, std::generic_category(), "readlink " + given);
    const std::optional<std::string> next = WholeLinkText(
        [&](char* buffer, size_t size) { return sys::ReadLink(path.c_str(), buffer, size); });
    if (!next)
      throw ErrnoError("readlink", path);
    path = next->starts_with('/') ? *next : FolderOf(path) + "/" + *next;
  }
}

// Gives the file at fd the owner, group and permissions of status, as far as the user may. The
// owner first: a change of owner may clear the set-user and set-group bits. A file system or a
// user that cannot carry them refuses with EPERM, which does not stop the save. When the owner
// cannot be kept (the file now belongs to the user saving it), the group is kept alone, so that
// the group's members keep their access; when the group cannot be kept either, the group's and
// others' permissions would go to the user's own group, so only the owner's are kept.
void KeepOwnerAndMode(int fd, const struct stat& status, const std::string& target) {
  mode_t mode = status.st_mode & 07777;
  if (sys::ChangeOwner(fd, status.st_uid, status.st_gid) != 0) {
    if (errno != EPERM)
      throw ErrnoError("fchown", target);
    // The set-user bit was the other owner's to give.
    mode &= ~mode_t{S_ISUID};
    if (sys::ChangeOwner(fd, static_cast<uid_t>(-1), status.st_gid) != 0) {
      if (errno != EPERM)
        throw ErrnoError("fchown", target);
      mode &= S_IRWXU;
    }
  }
  if (sys::ChangeMode(fd, mode) != 0 && errno != EPERM)
    throw ErrnoError("fchmod", target);
}

// Refuses a target that is not a regular file: a save would put a plain file in place of a
// folder, a device, a FIFO or a socket.
void RequireRegularFile(const struct stat& status, const std::string& target) {
  if (S_ISDIR(status.st_mode))
    throw std::system_error(EISDIR, std::generic_category(), "open " + target);
  if (!S_ISREG(status.st_mode))
    throw std::system_error(EINVAL, std::generic_category(),
                            "open " + target + " (not a regular file)");
}

} // namespace

ReplacingFile::ReplacingFile(std::string targetPath, LinkTarget links) {
  const ResolvedTarget target = Resolve(targetPath, links);
  target_ = target.path;
  if (target.status)
    RequireRegularFile(*target.status, target_);
  if (target.status && sys::CheckWriteAccess(target_.c_str()) != 0)
    throw ErrnoError("access", target_);
  // O_EXCL with a fresh name, rather than mkstemp, so that a new file gets the usual permissions
  // of a new file.
  for (unsigned attempt = 0; !file_.IsOpen(); ++attempt) {
    temporary_ =
        target_ + ".tmp" + std::to_string(sys::ProcessId()) + "-" + std::to_string(attempt);
    file_ =
        FileHandle(sys::Open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!file_.IsOpen() && (errno != EEXIST || attempt == 100))
      throw ErrnoError("open", target_);
  }
  if (!target.status)
    return;
  try {
    KeepOwnerAndMode(sys::Descriptor(file_), *target.status, target_);
  } catch (...) {
    Discard();
    throw;
  }
}

ReplacingFile::~ReplacingFile() {
  if (!committed_)
    Discard();
}

void ReplacingFile::Discard() noexcept {
  file_ = FileHandle();
  sys::Unlink(temporary_.c_str());
}

void ReplacingFile::Write(std::string_view bytes) {
  WriteAll(sys::Descriptor(file_), target_, bytes);
}

void ReplacingFile::Commit() {
  if (sys::Sync(sys::Descriptor(file_)) != 0)
    throw ErrnoError("fsync", target_);
  file_.Close(target_);
  if (sys::Rename(temporary_.c_str(), target_.c_str()) != 0)
    throw ErrnoError("rename", target_);
  committed_ = true;
  // Devices and read-only mounts have nothing to flush.
  const std::string folder = FolderOf(target_);
  if (sys::SyncFolder(folder.c_str()) != 0 && errno != EINVAL && errno != EROFS)
    throw ErrnoError("fsync", folder);
}

} // namespace kiv::platform
