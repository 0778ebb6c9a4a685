#pragma once

// Numbers as the viewer shows them: at most seven significant digits, which is what a float of
// the model file holds, so that 12.3 reads "12.3" and not "12.3000001907349".

#include <string>

namespace kiv::viewer {

std::string NumberText(double value);

} // namespace kiv::viewer
