#pragma once

// Toolkit: a path shortened to fit a control's width.

#include <functional>
#include <string>

namespace kiv {

class TControl;

// AFileName shortened to at most AMaxWidth: leading folders give way to "..." one at a time
// ("/.../user/runs/job1.mod", "/.../runs/job1.mod", "/.../job1.mod"), then the root or drive
// goes (".../job1.mod"), then the dots; the file name itself is never cut. AWidth measures a text.
std::string MinimizeName(const std::string& AFileName,
                         const std::function<int(const std::string&)>& AWidth, int AMaxWidth);
// The same, measured in pixels in AControl's font.
std::string MinimizeName(const std::string& AFileName, const TControl& AControl, int AMaxWidth);

} // namespace kiv
