// kivinfo: the computer summary for support mails (tools/kivinfo/KivinfoCommand.h).

#include "tools/harness/ToolRun.h"
#include "tools/kivinfo/KivinfoCommand.h"

int main() {
  return kiv::RunTool("kivinfo", kiv::RunKivinfo);
}
