// kivmod: model files for scripts and spreadsheets (tools/kivmod/KivmodCommand.h).

#include "platform/heap/ProgramHeap.h"
#include "tools/harness/ToolRun.h"
#include "tools/kivmod/KivmodCommand.h"

int main() {
  // A full read builds about twice the file's size in fresh memory: on the programs' heap.
  kiv::platform::SetUpProgramHeap();
  return kiv::RunTool("kivmod", kiv::RunKivmod);
}
