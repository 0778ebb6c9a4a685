#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kiv::platform {

// A file written beside its target and moved over it only when complete, so that a failed save
// leaves the target as it was and no temporary behind.
class ReplacingFile {
public:
  // Creates the temporary in the target's folder. Throws std::system_error.
  explicit ReplacingFile(std::string targetPath);
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  // Removes the temporary unless Commit succeeded.
  ~ReplacingFile();

  // Appends bytes to the temporary. Throws std::system_error.
  void Write(std::string_view bytes);

  // Flushes the temporary to the disk, closes it and renames it over the target.
  // Throws std::system_error; the target is then untouched.
  void Commit();

private:
  std::string target_;
  std::string temporary_;
  // The system's handle of the open file, whatever its kind; -1 when none is open.
  std::intptr_t handle_ = -1;
  bool committed_ = false;
};

} // namespace kiv::platform
