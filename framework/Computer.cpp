#include "framework/Computer.h"

#include "framework/Tools.h"
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
  return TTools::HexWord(static_cast<std::uint16_t>(number >> 16)) + " - " +
         TTools::HexWord(static_cast<std::uint16_t>(number & 0xFFFFu));
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
