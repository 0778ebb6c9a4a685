#pragma once

// Parameters written as one text for a Windows program, split into the arguments of a program
// started directly. A pure function, so that it can be tested on its own.

#include <string>
#include <string_view>
#include <vector>

namespace kiv::platform {

// The arguments of parameters as the Microsoft C runtime splits a command line after the
// program's name: blanks and tabs separate; double quotes group, also inside an argument
// (a"b c"d is one); within quotes "" is a literal quote; backslashes are literal except before a
// quote, where each pair gives one backslash and an odd one left over makes the quote literal.
// "" alone is an empty argument; blanks alone give none.
std::vector<std::string> SplitWindowsParameters(std::string_view parameters);

} // namespace kiv::platform
