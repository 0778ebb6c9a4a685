#pragma once

// System information of unit MY_: the computer (name, processors, disks).

#include <cstdint>
#include <string>
#include <vector>

namespace kiv {

// The computer; every answer is fetched anew.
class TComputer {
public:
  // Each the constant "n/a!".
  std::string GetName() const;
  std::string GetInfo() const;
  std::string GetVendor() const;

  // Total physical memory in bytes, all 64 bits of it.
  std::uint64_t GetPhysicalMemory() const;

  // The number of processors; 0 when the system cannot tell. The two give the same number.
  int GetCPUNoProcessors() const;
  int GetCPUNoActive() const;

  // The volume number of the volume whose root is ADrive as "1A2B - 3C4D"; "0000 - 0000" when
  // the volume cannot be read.
  std::string DiskSerialNumber(const std::string& ADrive) const;

  // Appends the root of every fixed drive to AList and returns it. Throws std::system_error
  // when the system cannot list them.
  std::vector<std::string>& GetDriveList(std::vector<std::string>& AList) const;
  std::vector<std::string> GetDriveList() const;
};

} // namespace kiv
