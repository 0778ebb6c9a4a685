#pragma once

#include <string>

namespace kiv::test {

// Renders the framework's own windows (the progress window, a semi-modal form, the F1 box) to
// <folder>/<name>.png; false when one could not be written.
bool FrameworkWindows(const std::string& folder);

} // namespace kiv::test
