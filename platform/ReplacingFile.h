#pragma once

// Platform service: a file saved through a temporary beside its target.

#include "platform/FileHandle.h"

#include <string>
#include <string_view>

namespace kiv::platform {

// What a ReplacingFile does with a target that is a symbolic link.
enum class LinkTarget {
  Follow, // the file at the end of the chain gets the new content
  Refuse, // the target is refused (too_many_symbolic_link_levels), for a target in a folder that
          // someone else may have planted a link in
};

// A file written beside its target and moved over it only when complete, so that a failed save
// leaves the target as it was and no temporary behind. A target reached through symbolic links is
// the file at the end of the chain: the links stay links and that file gets the new content. An
// existing target keeps its permissions and, where the system lets the user, its owner and group.
// Failures throw std::system_error naming the failed call and the target.
class ReplacingFile {
public:
  // Refuses, before anything is created, a target that is a link when links says Refuse, an
  // existing target that is not a regular file (a folder: is_a_directory; a device, FIFO or
  // socket: invalid_argument, "(not a regular file)") and one that the user may not write
  // (permission denied); otherwise creates the temporary in the target's folder.
  explicit ReplacingFile(std::string targetPath, LinkTarget links = LinkTarget::Follow);
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  // Removes the temporary unless Commit succeeded.
  ~ReplacingFile();

  // Appends bytes to the temporary.
  void Write(std::string_view bytes);

  // Flushes the temporary to the disk, closes it, renames it over the target and flushes the
  // target's folder, so that the new content survives a crash. When a step up to the rename
  // fails, the target is untouched; a failing flush of the folder is reported too, though the
  // target then already holds the new content.
  void Commit();

private:
  void Discard() noexcept;

  std::string target_; // the file replaced, at the end of any links
  std::string temporary_;
  FileHandle file_;
  bool committed_ = false;
};

} // namespace kiv::platform
