#include "tools/harness/CliParse.h"

#include "tools/harness/ToolRun.h"

namespace kiv {

bool ParseCommandLine(CLI::App& app, const std::vector<std::string>& arguments) {
  app.set_version_flag(
      "--version", [&app] { return VersionLine(app.get_name()); },
      "Print the program's name and version and exit");
  try {
    // CLI11 takes the words in reverse order.
    std::vector<std::string> words(arguments.rbegin(), arguments.rend());
    app.parse(words);
    return true;
  } catch (const CLI::Success& e) {
    app.exit(e);
    return false;
  } catch (const CLI::ParseError& e) {
    throw UsageError(e.what());
  }
}

} // namespace kiv
