#include "platform/Network.h"

#include "platform/posix/SystemCalls.h"
#include "platform/posix/SystemFiles.h"
#include "platform/posix/SystemText.h"

#include <cstring>
#include <linux/if_packet.h>
#include <net/if.h>
#include <netinet/in.h>

namespace kiv::platform {
namespace {

// The interface list, freed with the object; empty when the system refuses it.
class InterfaceList {
public:
  InterfaceList() {
    if (sys::InterfaceAddresses(&first_) != 0)
      first_ = nullptr;
  }
  InterfaceList(const InterfaceList&) = delete;
  InterfaceList& operator=(const InterfaceList&) = delete;
  ~InterfaceList() {
    if (first_ != nullptr)
      sys::FreeInterfaceAddresses(first_);
  }

  const ifaddrs* First() const { return first_; }

private:
  ifaddrs* first_ = nullptr;
};

bool UpAndNotLoopback(const ifaddrs& entry) {
  return (entry.ifa_flags & IFF_UP) != 0 && (entry.ifa_flags & IFF_LOOPBACK) == 0;
}

std::vector<MountEntry> Mounts() {
  const std::optional<std::string> text = ReadSystemFile("/proc/self/mountinfo");
  return text ? ParseMountTable(*text) : std::vector<MountEntry>{};
}

} // namespace

bool NetworkPresent() {
  const InterfaceList interfaces;
  for (const ifaddrs* entry = interfaces.First(); entry != nullptr; entry = entry->ifa_next)
    if (UpAndNotLoopback(*entry))
      return true;
  return false;
}

std::optional<std::string> ComputerNetworkName() {
  char name[256] = {};
  if (sys::HostName(name, sizeof name - 1) != 0)
    return std::nullopt;
  const std::string host(name);
  return host.substr(0, host.find('.'));
}

std::optional<HardwareAddress> NetworkCardAddress() {
  const InterfaceList interfaces;
  for (const ifaddrs* entry = interfaces.First(); entry != nullptr; entry = entry->ifa_next) {
    if (!UpAndNotLoopback(*entry) || entry->ifa_addr == nullptr ||
        entry->ifa_addr->sa_family != AF_PACKET)
      continue;
    sockaddr_ll link{};
    std::memcpy(&link, entry->ifa_addr, sizeof link);
    if (link.sll_halen != 6)
      continue;
    HardwareAddress address{};
    std::memcpy(address.data(), link.sll_addr, address.size());
    return address;
  }
  return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> NetworkDriveMappings() {
  return NetworkMounts(Mounts());
}

bool InternetConnected() {
  const std::optional<std::string> routes = ReadSystemFile("/proc/net/route");
  return routes && HasDefaultRoute(*routes);
}

} // namespace kiv::platform
