// kivupdate: the update download for scripts (tools/kivupdate/KivupdateCommand.h).

#include "tools/harness/ToolRun.h"
#include "tools/kivupdate/KivupdateCommand.h"

int main() {
  return kiv::RunTool("kivupdate", kiv::RunKivupdate);
}
