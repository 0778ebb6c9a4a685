#include "platform/win32/Handles.h"
#include "platform/win32/LastError.h"

#include <algorithm>

namespace kiv::platform::win32 {

void WriteAll(const FileHandle& file, const std::string& path, std::string_view bytes) {
  // One WriteFile takes at most a DWORD's worth of bytes.
  constexpr size_t kLargestWrite = size_t{1} << 30;
  while (!bytes.empty()) {
    Dword written = 0;
    const auto size = static_cast<Dword>(std::min(bytes.size(), kLargestWrite));
    if (!WriteFile(Native(file), bytes.data(), size, written))
      ThrowLastError("WriteFile", path);
    bytes.remove_prefix(written);
  }
}

} // namespace kiv::platform::win32
