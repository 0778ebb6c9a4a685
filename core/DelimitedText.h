#pragma once

// Splitting a line into delimited fields, quoted or not.

#include <string>
#include <string_view>
#include <vector>

namespace kiv {

// Splits text into fields at the delimiter and at blanks and control characters; a run of them
// counts as one separator, a field may be enclosed in quotes (a doubled quote inside stands for
// one), and two delimiters in a row or a delimiter at the end give an empty field.
std::vector<std::string> SplitDelimitedText(std::string_view text, char delimiter = ',',
                                            char quote = '"');

} // namespace kiv
