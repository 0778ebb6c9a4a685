#include "framework/base/Network.h"

#include "core/Escalation.h"
#include "platform/AsciiText.h"
#include "platform/Network.h"

namespace kiv {

bool TNetwork::GetConnected() const {
  return platform::NetworkPresent();
}

std::string TNetwork::GetName() const {
  constexpr size_t kNetBiosNameLength = 15;
  const std::optional<std::string> name = platform::ComputerNetworkName();
  return name ? name->substr(0, kNetBiosNameLength) : "error getting comupter name";
}

std::string TNetwork::GetMacAddress() const {
  const platform::HardwareAddress address =
      platform::NetworkCardAddress().value_or(platform::HardwareAddress{});
  return platform::HexBytes(address, platform::HexCase::Upper);
}

std::vector<std::string>& TNetwork::GetNetworkDriveMappings(std::vector<std::string>& AList) const {
  for (const auto& [local, remote] : platform::NetworkDriveMappings())
    AList.push_back(local + ": " + remote);
  return AList;
}

std::vector<std::string> TNetwork::GetNetworkDriveMappings() const {
  std::vector<std::string> list;
  GetNetworkDriveMappings(list);
  return list;
}

bool TNetwork::InternetConnected() const {
  return GuardWrapping("MY_", "InternetConnected", [] { return platform::InternetConnected(); });
}

} // namespace kiv
