#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kiv {

// A JSON string literal of text (UTF-8 passes unchanged; quotes, backslashes and control
// characters are escaped).
std::string JsonString(std::string_view text);

// A JSON array of string literals.
std::string JsonStringArray(const std::vector<std::string>& texts);

} // namespace kiv
