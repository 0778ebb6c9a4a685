#include "framework/base/FileVersionText.h"

#include "platform/VersionResource.h"

namespace kiv {

std::string GetFileVersionText(const std::string& AFileName) {
  const std::optional<platform::FileVersion> version = platform::ReadProductVersionIfAny(AFileName);
  if (!version)
    return "N/A!";
  return platform::DottedText(*version);
}

} // namespace kiv
