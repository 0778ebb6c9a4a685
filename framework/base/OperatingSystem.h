#pragma once

// System information of unit MY_: the operating system.

#include <string>

namespace kiv {

// The running operating system; every answer is fetched anew.
class TOperatingSystem {
public:
  // Major, ".", minor, ".", build, a blank and the service-pack text (possibly empty).
  std::string GetVersion() const;
  // The decimal platform identifier (2 on the Windows NT family, 0 on Linux).
  std::string GetName() const;
};

} // namespace kiv
