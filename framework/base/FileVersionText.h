#pragma once

// The version text of an executable file, as the framework shows it.

#include <string>

namespace kiv {

// The product version of AFileName as four decimal numbers joined by "." (2.1.0.57), or "N/A!"
// when the file does not exist or carries no version. Only a Windows version resource can give a
// product version other than the file version.
std::string GetFileVersionText(const std::string& AFileName);

} // namespace kiv
