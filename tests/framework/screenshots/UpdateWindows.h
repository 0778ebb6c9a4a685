#pragma once

#include <string>

namespace kiv::test {

// Renders the update download's progress window halfway through a download from the local HTTPS
// server to <folder>/progress-download.png; false when it could not be written.
bool UpdateWindows(const std::string& folder);

} // namespace kiv::test
