#include "framework/base/Computer.h"

#include "platform/AsciiText.h"
#include "platform/SystemInformation.h"
#include "platform/Volumes.h"

namespace kiv {

std::string TComputer::GetName() const {
  return "n/a!";
}

std::string TComputer::GetInfo() const {
  return "n/a!";
}

std::string TComputer::GetVendor() const {
  return "n/a!";
}

std::uint64_t TComputer::GetPhysicalMemory() const {
  return platform::PhysicalMemoryBytes();
}

int TComputer::GetCPUNoProcessors() const {
  return platform::ProcessorCount();
}

int TComputer::GetCPUNoActive() const {
  return platform::ProcessorCount();
}

std::string TComputer::DiskSerialNumber(const std::string& ADrive) const {
  const std::uint32_t number = platform::VolumeSerialNumber(ADrive).value_or(0);
  const std::uint8_t high[] = {static_cast<std::uint8_t>(number >> 24),
                               static_cast<std::uint8_t>(number >> 16)};
  const std::uint8_t low[] = {static_cast<std::uint8_t>(number >> 8),
                              static_cast<std::uint8_t>(number)};
  return platform::HexBytes(high, platform::HexCase::Upper) + " - " +
         platform::HexBytes(low, platform::HexCase::Upper);
}

std::vector<std::string>& TComputer::GetDriveList(std::vector<std::string>& AList) const {
  for (std::string& root : platform::FixedDriveRoots())
    AList.push_back(std::move(root));
  return AList;
}

std::vector<std::string> TComputer::GetDriveList() const {
  std::vector<std::string> list;
  GetDriveList(list);
  return list;
}

} // namespace kiv
