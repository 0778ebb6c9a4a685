#pragma once

// Platform service: an open file of the system, as an opaque handle.

#include <cstdint>
#include <string>
#include <utility>

namespace kiv::platform {

// An open file of the system, closed with the object. It holds the system's own handle (a
// descriptor on POSIX systems, a HANDLE on Windows) as an opaque number, so that the services'
// headers are the same on every system; only the platform's implementations look inside.
class FileHandle {
public:
  FileHandle() = default;
  explicit FileHandle(std::intptr_t native) : native_(native) {}
  FileHandle(FileHandle&& other) noexcept : native_(std::exchange(other.native_, kNone)) {}
  FileHandle& operator=(FileHandle&& other) noexcept;
  // Closes the file, if open; a failure can no longer be reported here.
  ~FileHandle();

  bool IsOpen() const { return native_ != kNone; }
  std::intptr_t Native() const { return native_; }

  // Closes the file now, so that a failure of its last write-back is seen. Throws
  // std::system_error naming the call and path; the file is closed either way.
  void Close(const std::string& path);

private:
  static constexpr std::intptr_t kNone = -1;
  std::intptr_t native_ = kNone;
};

} // namespace kiv::platform
