#pragma once

#include <string>

namespace kiv {

// The file version of AFileName as four decimal numbers joined by "." (2.1.0.57), or "N/A!" when
// the file does not exist or carries no version.
std::string GetFileVersionText(const std::string& AFileName);

} // namespace kiv
