#include "core/ProgramName.h"

#include "core/FileNames.h"

namespace kiv {

std::string ProgramNameWithoutExe(std::string_view fileName) {
  constexpr std::string_view kExe = ".EXE";
  if (fileName.size() > kExe.size() &&
      AsciiUpperCase(fileName.substr(fileName.size() - kExe.size())) == kExe)
    fileName.remove_suffix(kExe.size());
  return std::string(fileName);
}

} // namespace kiv
