#include "tools/kivinfo/KivinfoCommand.h"

#include "framework/base/Computer.h"
#include "framework/base/Information.h"
#include "framework/base/Network.h"
#include "framework/base/OperatingSystem.h"
#include "framework/base/User.h"
#include "platform/StandardOutput.h"
#include "tools/harness/JsonWriter.h"
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

} // namespace

std::string ComputerFactsJson(const TComputerFacts& facts) {
  std::string text;
  JsonWriter json(text, JsonWriter::Style::indented, 2);
  json.BeginObject();
  json.Key("executable");
  json.String(facts.Executable);
  json.Key("parameters");
  json.Strings(facts.Parameters);
  json.Key("osVersion");
  json.String(facts.OsVersion);
  json.Key("computerName");
  json.String(facts.ComputerName);
  json.Key("loginName");
  json.String(facts.LoginName);
  json.Key("cpuCount");
  json.Integer(facts.CpuCount);
  json.Key("activeCpuCount");
  json.Integer(facts.ActiveCpuCount);
  json.Key("netName");
  json.String(facts.NetName);
  json.Key("macAddress");
  json.String(facts.MacAddress);
  json.Key("drives");
  json.Strings(facts.Drives);
  json.Key("netDrives");
  json.Strings(facts.NetDrives);
  json.EndObject();
  return text + "\n";
}

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
  platform::WriteStandardOutput(json ? ComputerFactsJson(information.GetComputerFacts())
                                     : information.GetComputerSummary());
  return 0;
}

} // namespace kiv
