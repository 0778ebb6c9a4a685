#pragma once

#include "platform/win32/SystemCalls.h"

#include <string>
#include <string_view>

namespace kiv::platform::win32 {

// Owns a handle from CreateFileW, closed with the object unless closed before.
class OpenFile {
public:
  explicit OpenFile(Handle handle) : handle_(handle) {}
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  ~OpenFile();

  bool IsOpen() const { return handle_ != InvalidHandle(); }
  Handle Get() const { return handle_; }
  // Closes now, so that a failure of the close is seen; false when it failed.
  bool Close();
  // Hands the handle over to the caller, who closes it.
  void Release() { handle_ = InvalidHandle(); }

private:
  Handle handle_;
};

// Writes all of bytes to file. Throws std::system_error naming WriteFile and path.
void WriteAll(Handle file, const std::string& path, std::string_view bytes);

} // namespace kiv::platform::win32
