#include "platform/VersionResource.h"

#include "platform/win32/SystemCalls.h"

#include <cstring>
#include <vector>
#include <windows.h>

namespace kiv::platform {
namespace {

// The fixed block of the file's version resource, nullopt when there is none or it is damaged.
std::optional<VS_FIXEDFILEINFO> ReadFixedBlock(const std::string& path) noexcept {
  try {
    std::wstring wide;
    if (path.empty() || !win32::Utf8ToUtf16(path, wide))
      return std::nullopt;
    const win32::Dword size = win32::GetFileVersionInfoSizeW(wide);
    if (size == 0)
      return std::nullopt;
    std::vector<unsigned char> block(size);
    if (!win32::GetFileVersionInfoW(wide, size, block.data()))
      return std::nullopt;
    void* value = nullptr;
    unsigned length = 0;
    VS_FIXEDFILEINFO fixed{};
    if (!win32::VerQueryValueW(block.data(), L"\\", value, length) || value == nullptr ||
        length < sizeof fixed)
      return std::nullopt;
    std::memcpy(&fixed, value, sizeof fixed);
    if (fixed.dwSignature != VS_FFI_SIGNATURE)
      return std::nullopt;
    return fixed;
  } catch (...) {
    // Only memory for the block can fail here.
    return std::nullopt;
  }
}

// The four numbers of a version's most and least significant words.
FileVersion VersionOf(DWORD mostSignificant, DWORD leastSignificant) {
  return FileVersion{HIWORD(mostSignificant), LOWORD(mostSignificant), HIWORD(leastSignificant),
                     LOWORD(leastSignificant)};
}

} // namespace

std::optional<FileVersion> ReadFileVersionIfAny(const std::string& path) noexcept {
  const std::optional<VS_FIXEDFILEINFO> fixed = ReadFixedBlock(path);
  if (!fixed)
    return std::nullopt;
  return VersionOf(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
}

std::optional<FileVersion> ReadProductVersionIfAny(const std::string& path) noexcept {
  const std::optional<VS_FIXEDFILEINFO> fixed = ReadFixedBlock(path);
  if (!fixed)
    return std::nullopt;
  return VersionOf(fixed->dwProductVersionMS, fixed->dwProductVersionLS);
}

FileVersion ReadFileVersion(const std::string& path) noexcept {
  return ReadFileVersionIfAny(path).value_or(FileVersion{});
}

} // namespace kiv::platform
