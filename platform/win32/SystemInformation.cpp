#include "platform/SystemInformation.h"

#include "platform/win32/SystemCalls.h"
#include "platform/win32/Utf16.h"

#include <windows.h>

namespace kiv::platform {
namespace {

using testing::Operation;

// NtQuerySystemInformation's basic-information record (class 0), as ntdll fills it.
struct BasicInformation {
  ULONG Reserved;
  ULONG TimerResolution;
  ULONG PageSize;
  ULONG NumberOfPhysicalPages;
  ULONG LowestPhysicalPageNumber;
  ULONG HighestPhysicalPageNumber;
  ULONG AllocationGranularity;
  ULONG_PTR MinimumUserModeAddress;
  ULONG_PTR MaximumUserModeAddress;
  ULONG_PTR ActiveProcessorsAffinityMask;
  CCHAR NumberOfProcessors;
};

using QuerySystemInformation = LONG(WINAPI*)(int, void*, ULONG, ULONG*);

// ntdll's function, looked up by name once per process.
QuerySystemInformation NativeQuery() {
  static const QuerySystemInformation query = [] {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll == nullptr ? nullptr
                            : reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
                                  ::GetProcAddress(ntdll, "NtQuerySystemInformation")));
  }();
  return query;
}

} // namespace

OperatingSystemVersion SystemVersion() {
  OperatingSystemVersion version;
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (win32::Struck(Operation::SystemQuery) || !::GetVersionExW(&info))
    return version;
#pragma GCC diagnostic pop
  version.PlatformId = info.dwPlatformId;
  version.Major = info.dwMajorVersion;
  version.Minor = info.dwMinorVersion;
  version.Build = info.dwBuildNumber;
  version.ServicePack = win32::Utf8(info.szCSDVersion);
  return version;
}

int ProcessorCount() {
  const QuerySystemInformation query = NativeQuery();
  BasicInformation info{};
  if (query == nullptr || win32::Struck(Operation::SystemQuery) ||
      query(0, &info, sizeof info, nullptr) != 0)
    return 0;
  return info.NumberOfProcessors;
}

std::uint64_t PhysicalMemoryBytes() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (win32::Struck(Operation::SystemQuery) || !::GlobalMemoryStatusEx(&status))
    return 0;
  return status.ullTotalPhys;
}

std::optional<std::string> UserName() {
  wchar_t name[256] = {};
  DWORD size = 255;
  if (win32::Struck(Operation::SystemQuery) || !::GetUserNameW(name, &size))
    return std::nullopt;
  return win32::Utf8(name);
}

} // namespace kiv::platform
