#pragma once

// Platform service: network presence, connections and the internet state.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kiv::platform {

// True when a network is present: GetSystemMetrics(SM_NETWORK) on Windows; on Linux when an
// interface other than the loopback is up (getifaddrs).
bool NetworkPresent();

// The computer's network name: GetComputerNameW (the NetBIOS name) on Windows; on Linux the host
// name up to its first "." (as hostname -s gives it). nullopt when it cannot be read.
std::optional<std::string> ComputerNetworkName();

// A 6-byte hardware address.
using HardwareAddress = std::array<std::uint8_t, 6>;

// The network card's address: on Windows that of the first adapter GetAdaptersAddresses lists
// that is up and not the loopback; on Linux that of the first interface getifaddrs lists that is
// up, not the loopback and has a 6-byte link-layer address. nullopt when there is none.
std::optional<HardwareAddress> NetworkCardAddress();

// The connected network drives as (local name, remote name) pairs. On Windows each drive letter
// A to Z (the letter alone) whose "X:" has a connection (WNetGetConnectionW; remote names up to
// 259 characters). On Linux each network mount of the mount table (/proc/self/mountinfo read
// with libmount: its network file systems such as nfs and cifs) as (mount point, source), in
// table order.
std::vector<std::pair<std::string, std::string>> NetworkDriveMappings();

// True when the system says it is connected to the internet, without opening any connection:
// InternetGetConnectedState on Windows; on Linux when the route table (/proc/net/route) has a
// default route that is up.
bool InternetConnected();

} // namespace kiv::platform
