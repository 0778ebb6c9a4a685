#pragma once

// The frame of every command-line tool: its arguments in UTF-8, its name and version for
// --version, and what the user sees of a failure: "TOOL: error: ..." on the standard error with
// exit code 2 for a mistake of the command line (UsageError) and 1 for anything else.

#include "tools/harness/UsageError.h"

#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

// The exit codes of a failure and of a mistake of the command line.
inline constexpr int kFailureExitCode = 1;
inline constexpr int kUsageExitCode = 2;

// The words the tool was given after its own name, in UTF-8 on every system
// (platform::CommandLineArguments, never main's argv). Throws std::system_error when the system
// cannot tell them.
std::vector<std::string> ToolArguments();

// What --version prints: the program's name and the file version of the running executable,
// "kivmod 2.1.0.57".
std::string VersionLine(std::string_view program);

// The line of a mistake of the command line: "TOOL: error: MESSAGE (TOOL --help says more)".
std::string UsageErrorText(std::string_view program, std::string_view message);

// The lines of a failure: "TOOL: error: MESSAGE" ("line N: " before the message when a kiv::
// Exception knows the line of the file where a read stopped), then "  cause: " and the cause's
// text when the failure replaced another.
std::string FailureText(std::string_view program, const std::exception& failure);

// Runs the tool on ToolArguments() and returns its exit code: the tool's own, or after a failure
// told on the standard error kUsageExitCode for a UsageError and kFailureExitCode for any other.
int RunTool(std::string_view program,
            const std::function<int(const std::vector<std::string>& arguments)>& tool);

} // namespace kiv
