#include "app/CommandLineRun.h"
#include "platform/Process.h"

#include <iostream>

int main(int argc, char** argv) {
  return kiv::RunVesmarInvChk(kiv::platform::CommandLineArguments(argc, argv), std::cerr);
}
