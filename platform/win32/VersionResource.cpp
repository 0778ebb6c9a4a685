#include "platform/VersionResource.h"

#include "platform/win32/FaultPoint.h"
#include "platform/win32/WideText.h"

#include <vector>
#include <windows.h>

namespace kiv::platform {

std::optional<FileVersion> ReadFileVersionIfAny(const std::string& path) noexcept {
  try {
    const std::wstring file = win32::Wide(path);
    DWORD handle = 0;
    const DWORD size = win32::Struck(testing::Operation::Open)
                           ? 0
                           : ::GetFileVersionInfoSizeW(file.c_str(), &handle);
    if (size == 0)
      return std::nullopt;
    std::vector<unsigned char> block(size);
    if (!::GetFileVersionInfoW(file.c_str(), 0, size, block.data()))
      return std::nullopt;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
        fixed == nullptr || length < sizeof(VS_FIXEDFILEINFO))
      return std::nullopt;
    return FileVersion{HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
                       HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS)};
  } catch (...) {
    return std::nullopt;
  }
}

FileVersion ReadFileVersion(const std::string& path) noexcept {
  return ReadFileVersionIfAny(path).value_or(FileVersion{});
}

} // namespace kiv::platform
