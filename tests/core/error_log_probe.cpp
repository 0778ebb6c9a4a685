// Escalates one foreign failure with the error log named by the first argument and exits 0
// when the escalation raised EPFatal as it must.
#include "core/Escalation.h"
#include "core/FormatSettings.h"
#include "platform/Process.h"

#include <stdexcept>

int main(int argc, char** argv) {
  if (argc < 2)
    return 2;
  kiv::SetRunFormats();
  kiv::SetErrorLogFileName(kiv::platform::CommandLineArguments(argc, argv).front());
  try {
    kiv::GuardEscalating("TProbe", "Run", [] { throw std::out_of_range("index 7\nout of range"); });
  } catch (const kiv::EPFatal& e) {
    return e.Message() == "TProbe.Run\nindex 7\nout of range" ? 0 : 3;
  }
  return 4;
}
