#include "platform/Network.h"

#include "platform/win32/SystemCalls.h"
#include "platform/win32/Utf16.h"

// winsock2.h before windows.h, windows.h before the rest: they build on each other.
// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <wininet.h>
#include <winnetwk.h>
// clang-format on

#include <cstring>

namespace kiv::platform {

using testing::Operation;

bool NetworkPresent() {
  return !win32::Struck(Operation::SystemQuery) && (::GetSystemMetrics(SM_NETWORK) & 1) != 0;
}

std::optional<std::string> ComputerNetworkName() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  if (win32::Struck(Operation::SystemQuery) || !::GetComputerNameW(name, &size))
    return std::nullopt;
  return win32::Utf8(name);
}

std::optional<HardwareAddress> NetworkCardAddress() {
  if (win32::Struck(Operation::SystemQuery))
    return std::nullopt;
  ULONG size = 16384;
  std::string buffer;
  ULONG result = ERROR_BUFFER_OVERFLOW;
  for (int attempt = 0; attempt < 3 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
    buffer.assign(size, '\0');
    result =
        ::GetAdaptersAddresses(AF_UNSPEC, GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST, nullptr,
                               reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
  }
  if (result != NO_ERROR)
    return std::nullopt;
  for (auto* adapter = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()); adapter != nullptr;
       adapter = adapter->Next) {
    if (adapter->OperStatus != IfOperStatusUp || adapter->IfType == IF_TYPE_SOFTWARE_LOOPBACK ||
        adapter->PhysicalAddressLength != 6)
      continue;
    HardwareAddress address{};
    std::memcpy(address.data(), adapter->PhysicalAddress, address.size());
    return address;
  }
  return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> NetworkDriveMappings() {
  std::vector<std::pair<std::string, std::string>> mappings;
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
    const wchar_t local[] = {letter, L':', L'\0'};
    wchar_t remote[260] = {};
    DWORD size = 260;
    if (win32::Struck(Operation::SystemQuery) ||
        ::WNetGetConnectionW(local, remote, &size) != NO_ERROR)
      continue;
    mappings.emplace_back(std::string(1, static_cast<char>(letter)), win32::Utf8(remote));
  }
  return mappings;
}

bool InternetConnected() {
  DWORD flags = 0;
  return !win32::Struck(Operation::SystemQuery) && ::InternetGetConnectedState(&flags, 0) != FALSE;
}

} // namespace kiv::platform
