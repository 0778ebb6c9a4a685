#pragma once

#include <string>

namespace kiv::test {

// Renders kivview with a generated survey of 2,000 soundings: its main window, the sounding view,
// the open with its progress window, the Open as dialog of a survey whose model type is not
// certain and the question about unsaved changes, to <folder>/viewer-*.png; false when one could
// not be written.
bool ViewerWindows(const std::string& folder);

} // namespace kiv::test
