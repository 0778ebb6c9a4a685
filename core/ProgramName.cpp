#include "core/ProgramName.h"

#include "platform/AsciiText.h"

namespace kiv {

std::string ProgramNameWithoutExe(std::string_view fileName) {
  constexpr std::string_view kExe = ".EXE";
  if (fileName.size() > kExe.size() &&
      platform::AsciiUpperCase(fileName.substr(fileName.size() - kExe.size())) == kExe)
    fileName.remove_suffix(kExe.size());
  return std::string(fileName);
}

} // namespace kiv
