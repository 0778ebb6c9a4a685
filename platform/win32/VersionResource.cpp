#include "platform/VersionResource.h"

#include "platform/win32/SystemCalls.h"

#include <cstring>
#include <vector>
#include <windows.h>

namespace kiv::platform {

FileVersion ReadFileVersion(const std::string& path) noexcept {
  try {
    std::wstring wide;
    if (path.empty() || !win32::Utf8ToUtf16(path, wide))
      return {};
    const win32::Dword size = win32::GetFileVersionInfoSizeW(wide);
    if (size == 0)
      return {};
    std::vector<unsigned char> block(size);
    if (!win32::GetFileVersionInfoW(wide, size, block.data()))
      return {};
    void* value = nullptr;
    unsigned length = 0;
    VS_FIXEDFILEINFO fixed{};
    if (!win32::VerQueryValueW(block.data(), L"\\", value, length) || value == nullptr ||
        length < sizeof fixed)
      return {};
    std::memcpy(&fixed, value, sizeof fixed);
    if (fixed.dwSignature != VS_FFI_SIGNATURE)
      return {};
    return FileVersion{HIWORD(fixed.dwFileVersionMS), LOWORD(fixed.dwFileVersionMS),
                       HIWORD(fixed.dwFileVersionLS), LOWORD(fixed.dwFileVersionLS)};
  } catch (...) {
    // Only memory for the block can fail here.
    return {};
  }
}

} // namespace kiv::platform
