#pragma once

// System information of unit MY_: the network and the internet connection.

#include <string>
#include <vector>

namespace kiv {

// The computer's network; every answer is fetched anew.
class TNetwork {
public:
  // True when a network is present.
  bool GetConnected() const;

  // The computer's network name, at most 15 characters; "error getting comupter name" when it
  // cannot be read.
  std::string GetName() const;

  // The network card's address as twelve upper-case hexadecimal digits; twelve zeros when there
  // is no card.
  std::string GetMacAddress() const;

  // Appends "local: remote" for every network drive to AList and returns it.
  std::vector<std::string>& GetNetworkDriveMappings(std::vector<std::string>& AList) const;
  std::vector<std::string> GetNetworkDriveMappings() const;

  // True when the system says it is connected to the internet; never opens a connection.
  bool InternetConnected() const;
};

} // namespace kiv
