#include "tools/harness/ToolRun.h"

#include "core/Exceptions.h"
#include "platform/CommandLine.h"
#include "platform/Process.h"
#include "platform/VersionResource.h"

#include <iostream>

namespace kiv {

std::vector<std::string> ToolArguments() {
  std::vector<std::string> arguments = platform::CommandLineArguments();
  if (!arguments.empty())
    arguments.erase(arguments.begin());
  return arguments;
}

std::string VersionLine(std::string_view program) {
  return std::string(program) + " " +
         platform::DottedText(platform::ReadFileVersion(platform::ExecutablePath()));
}

std::string UsageErrorText(std::string_view program, std::string_view message) {
  std::string text(program);
  return text.append(": error: ")
      .append(message)
      .append(" (")
      .append(program)
      .append(" --help says more)\n");
}

std::string FailureText(std::string_view program, const std::exception& failure) {
  const auto* own = dynamic_cast<const Exception*>(&failure);
  std::string text(program);
  text += ": error: ";
  if (own != nullptr && own->Line() > 0)
    text += "line " + std::to_string(own->Line()) + ": ";
  text.append(failure.what()).append("\n");
  if (own != nullptr && !own->CauseMessage().empty())
    text += "  cause: " + own->CauseMessage() + "\n";
  return text;
}

int RunTool(std::string_view program,
            const std::function<int(const std::vector<std::string>& arguments)>& tool) {
  try {
    return tool(ToolArguments());
  } catch (const UsageError& e) {
    std::cerr << UsageErrorText(program, e.what()) << std::flush;
    return kUsageExitCode;
  } catch (const std::exception& e) {
    std::cerr << FailureText(program, e) << std::flush;
    return kFailureExitCode;
  }
}

} // namespace kiv
