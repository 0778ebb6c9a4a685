#include "tools/kivinfo/KivinfoCommand.h"

#include "framework/base/Computer.h"
#include "framework/base/Information.h"
#include "framework/base/Network.h"
#include "framework/base/OperatingSystem.h"
#include "framework/base/User.h"
#include "platform/AsciiText.h"
#include "platform/StandardOutput.h"
#include "tools/harness/JsonText.h"
#include "tools/harness/ToolRun.h"

#include <algorithm>
#include <iostream>
#include <string_view>
#include <vector>

namespace kiv {
namespace {

constexpr std::string_view kHelp =
    R"(kivinfo: prints the computer summary that support mails carry.

  kivinfo [--json] [ARGUMENT...]
      Prints the summary: this program's path, each ARGUMENT as the program was given it
      ("param(1): ..."; --json too), the system's version, the computer, login and network
      names, the processors, the MAC address, the fixed drives and the network drives. With
      --json the same facts as one JSON object.
  kivinfo --help
      Prints this text.
  kivinfo --version
      Prints the program's name and version.

An ARGUMENT may not begin with "-": such words are switches, and the three above are all there
are.

Exit code 0 on success; 2 with a message on the standard error for an unknown switch; 1 for any
other failure.
)";

std::string SummaryJson(const TComputerFacts& facts) {
  using platform::JsonString;
  std::string json = "{\n";
  json += "  \"executable\": " + JsonString(facts.Executable) + ",\n";
  json += "  \"parameters\": " + JsonStringArray(facts.Parameters) + ",\n";
  json += "  \"osVersion\": " + JsonString(facts.OsVersion) + ",\n";
  json += "  \"computerName\": " + JsonString(facts.ComputerName) + ",\n";
  json += "  \"loginName\": " + JsonString(facts.LoginName) + ",\n";
  json += "  \"cpuCount\": " + std::to_string(facts.CpuCount) + ",\n";
  json += "  \"activeCpuCount\": " + std::to_string(facts.ActiveCpuCount) + ",\n";
  json += "  \"netName\": " + JsonString(facts.NetName) + ",\n";
  json += "  \"macAddress\": " + JsonString(facts.MacAddress) + ",\n";
  json += "  \"drives\": " + JsonStringArray(facts.Drives) + ",\n";
  json += "  \"netDrives\": " + JsonStringArray(facts.NetDrives) + "\n";
  return json + "}\n";
}

} // namespace

// Every argument, --json too, appears in the summary as the program was given it (kHelp).
int RunKivinfo(const std::vector<std::string>& arguments) {
  auto given = [&](std::string_view word) {
    return std::find(arguments.begin(), arguments.end(), word) != arguments.end();
  };
  // The help switches of kivreg, wherever they stand.
  if (given("--help") || given("-h") || given("/?")) {
    std::cout << kHelp;
    return 0;
  }
  if (given("--version")) {
    std::cout << VersionLine("kivinfo") << "\n";
    return 0;
  }
  const bool json = given("--json");
  for (const std::string& argument : arguments)
    if (argument.starts_with('-') && argument != "--json")
      throw UsageError("unknown switch \"" + argument + "\"");
  TOperatingSystem system;
  TComputer computer;
  TUser user;
  TNetwork network;
  const TInformation information(system, computer, user, network);
  platform::WriteStandardOutput(json ? SummaryJson(information.GetComputerFacts())
                                     : information.GetComputerSummary());
  return 0;
}

} // namespace kiv
