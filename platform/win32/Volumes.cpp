#include "platform/Volumes.h"

#include "platform/win32/SystemCalls.h"
#include "platform/win32/Utf16.h"

#include <system_error>
#include <windows.h>

namespace kiv::platform {

using testing::Operation;

std::vector<std::string> FixedDriveRoots() {
  constexpr DWORD kBufferLength = 258;
  wchar_t buffer[kBufferLength + 1] = {};
  const DWORD length =
      win32::Struck(Operation::VolumeQuery) ? 0 : ::GetLogicalDriveStringsW(kBufferLength, buffer);
  if (length == 0)
    throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(),
                            "GetLogicalDriveStringsW");
  if (length > kBufferLength)
    throw std::system_error(ERROR_NOT_ENOUGH_MEMORY, std::system_category(),
                            "GetLogicalDriveStringsW");
  std::vector<std::string> roots;
  for (const wchar_t* root = buffer; *root != L'\0'; root += std::wcslen(root) + 1)
    if (::GetDriveTypeW(root) == DRIVE_FIXED)
      roots.push_back(win32::Utf8(root));
  return roots;
}

std::optional<std::uint32_t> VolumeSerialNumber(const std::string& root) {
  DWORD serial = 0;
  if (win32::Struck(Operation::VolumeQuery) ||
      !::GetVolumeInformationW(win32::Wide(root).c_str(), nullptr, 0, &serial, nullptr, nullptr,
                               nullptr, 0))
    return std::nullopt;
  return serial;
}

std::optional<std::int64_t> FreeBytesForUser(const std::string& path) {
  ULARGE_INTEGER free{};
  if (win32::Struck(Operation::VolumeQuery) ||
      !::GetDiskFreeSpaceExW(win32::Wide(path).c_str(), &free, nullptr, nullptr))
    return std::nullopt;
  return static_cast<std::int64_t>(free.QuadPart);
}

} // namespace kiv::platform
