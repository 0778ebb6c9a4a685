// kivinfo: prints the computer summary that support mails carry, or the same facts as JSON.

#include "framework/MY_.h"
#include "platform/CommandLine.h"
#include "platform/Process.h"
#include "platform/StandardOutput.h"
#include "tools/JsonText.h"

#include <algorithm>
#include <exception>
#include <iostream>
#include <string_view>

namespace {

std::string SummaryJson(const kiv::TOperatingSystem& system, const kiv::TComputer& computer,
                        const kiv::TUser& user, const kiv::TNetwork& network) {
  using kiv::JsonString;
  const std::vector<std::string> arguments = kiv::platform::CommandLineArguments();
  const std::vector<std::string> parameters(
      arguments.empty() ? arguments.end() : arguments.begin() + 1, arguments.end());
  std::string json = "{\n";
  json += "  \"executable\": " + JsonString(kiv::platform::ExecutablePath()) + ",\n";
  json += "  \"parameters\": " + kiv::JsonStringArray(parameters) + ",\n";
  json += "  \"osVersion\": " + JsonString(system.GetVersion()) + ",\n";
  json += "  \"computerName\": " + JsonString(computer.GetName()) + ",\n";
  json += "  \"loginName\": " + JsonString(user.GetName()) + ",\n";
  json += "  \"cpuCount\": " + std::to_string(computer.GetCPUNoProcessors()) + ",\n";
  json += "  \"activeCpuCount\": " + std::to_string(computer.GetCPUNoActive()) + ",\n";
  json += "  \"netName\": " + JsonString(network.GetName()) + ",\n";
  json += "  \"macAddress\": " + JsonString(network.GetMacAddress()) + ",\n";
  json += "  \"drives\": " + kiv::JsonStringArray(computer.GetDriveList()) + ",\n";
  json += "  \"netDrives\": " + kiv::JsonStringArray(network.GetNetworkDriveMappings()) + "\n";
  return json + "}\n";
}

} // namespace

// Usage: kivinfo [--json] [argument...]. Every argument, --json too, appears in the summary as
// the program was given it.
int main(int argc, char** argv) {
  const bool json = std::any_of(argv + 1, argv + argc, [](const char* argument) {
    return std::string_view(argument) == "--json";
  });
  try {
    kiv::TOperatingSystem system;
    kiv::TComputer computer;
    kiv::TUser user;
    kiv::TNetwork network;
    const kiv::TInformation information(system, computer, user, network);
    kiv::platform::WriteStandardOutput(json ? SummaryJson(system, computer, user, network)
                                            : information.GetComputerSummary());
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "kivinfo: " << e.what() << "\n";
    return 1;
  }
}
