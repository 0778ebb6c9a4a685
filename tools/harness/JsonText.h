#pragma once

// JSON arrays for the tools' machine-readable output.

#include <string>
#include <vector>

namespace kiv {

// A JSON array of string literals (platform::JsonString).
std::string JsonStringArray(const std::vector<std::string>& texts);

} // namespace kiv
