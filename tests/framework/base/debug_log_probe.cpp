// A program that logs through TDebug, for the tests of the log file across processes:
//   start             starts the log file under its default name and writes one line;
//   lines FILE N TAG  writes N lines "TAG i" (i from 1) to the log FILE.
// Logging is turned on the way programs turn it on, by showing the log window, here a window
// that shows nothing.
#include "core/FormatSettings.h"
#include "framework/base/Computer.h"
#include "framework/base/Debug.h"
#include "framework/base/Information.h"
#include "framework/base/LogWindow.h"
#include "framework/base/Network.h"
#include "framework/base/OperatingSystem.h"
#include "framework/base/Tools.h"
#include "framework/base/User.h"
#include "platform/Process.h"

#include <string>

namespace {

class NoWindow : public kiv::TLogWindow {
public:
  void ShowMessageListDialogBox(const std::string&, bool) override {}
};

} // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments = kiv::platform::CommandLineArguments(argc, argv);
  kiv::SetRunFormats();
  kiv::TOperatingSystem system;
  kiv::TComputer computer;
  kiv::TUser user;
  kiv::TNetwork network;
  kiv::TInformation information(system, computer, user, network);
  kiv::TTools tools(nullptr, information);
  NoWindow window;
  kiv::TDebug debug(window, tools, information);
  debug.SetShowLogWindow(true);
  if (arguments.size() == 1 && arguments[0] == "start") {
    debug.StartLogFile("");
    debug.WriteLine("probe run", kiv::mt_Info);
    return 0;
  }
  if (arguments.size() == 4 && arguments[0] == "lines") {
    debug.SetFileName(arguments[1]);
    const int count = std::stoi(arguments[2]);
    for (int i = 1; i <= count; ++i)
      debug.WriteLine(arguments[3] + " " + std::to_string(i), kiv::mt_Debug);
    return 0;
  }
  return 2;
}
