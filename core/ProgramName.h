#pragma once

// An executable's name as the suite shows it: its file name without ".exe".

#include <string>
#include <string_view>

namespace kiv {

// An executable's file name without a trailing ".exe" in any letter case; any other name stays
// whole, so that "setup.tool" stays "setup.tool" and "setup.tool.exe" gives "setup.tool".
std::string ProgramNameWithoutExe(std::string_view fileName);

} // namespace kiv
