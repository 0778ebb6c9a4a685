#pragma once

// CLI11 for the tools: every command line answers --help and --version, and its mistakes are
// UsageError.

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace kiv {

// Gives app a --version flag (VersionLine of the app's name) and parses arguments, the words after
// the program's name. Returns false when the arguments asked for --help or --version, which it
// then has printed on the standard output: the tool ends with exit code 0. Throws UsageError with
// CLI11's text for a mistake of the command line.
bool ParseCommandLine(CLI::App& app, const std::vector<std::string>& arguments);

} // namespace kiv
