// kivupdate as a build with an update server of its own would make it: the server is the one the
// test names in KIV_TEST_UPDATE_SERVER, so that the test of the configured server runs on every
// build, whatever its KIV_UPDATE_SERVER.

#include "tools/harness/ToolRun.h"
#include "tools/kivupdate/KivupdateCommand.h"

#include <cstdlib>

int main() {
  return kiv::RunTool("kivupdate", [](const std::vector<std::string>& arguments) {
    kiv::UpdateSettings settings = kiv::DefaultUpdateSettings();
    if (const char* server = std::getenv("KIV_TEST_UPDATE_SERVER"))
      settings.serverAddress = server;
    return kiv::RunKivupdateWith(arguments, settings);
  });
}
