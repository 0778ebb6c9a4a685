// kivreg: the settings store with reg.exe's commands (tools/kivreg/KivregCommand.h).

#include "tools/harness/ToolRun.h"
#include "tools/kivreg/KivregCommand.h"

int main() {
  // kivreg tells its own failures as reg.exe does; the harness only gives it its arguments.
  return kiv::RunTool("kivreg", kiv::RunKivreg);
}
