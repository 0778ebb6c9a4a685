#include "framework/FileVersionText.h"

#include "platform/VersionResource.h"

namespace kiv {

std::string GetFileVersionText(const std::string& AFileName) {
  const std::optional<platform::FileVersion> version = platform::ReadFileVersionIfAny(AFileName);
  if (!version)
    return "N/A!";
  return std::to_string(version->Major) + "." + std::to_string(version->Minor) + "." +
         std::to_string(version->Release) + "." + std::to_string(version->Build);
}

} // namespace kiv
