#include "framework/base/OperatingSystem.h"

#include "platform/SystemInformation.h"

namespace kiv {

std::string TOperatingSystem::GetVersion() const {
  const platform::OperatingSystemVersion version = platform::SystemVersion();
  return std::to_string(version.Major) + "." + std::to_string(version.Minor) + "." +
         std::to_string(version.Build) + " " + version.ServicePack;
}

std::string TOperatingSystem::GetName() const {
  return std::to_string(platform::SystemVersion().PlatformId);
}

} // namespace kiv
