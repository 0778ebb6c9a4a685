#include "platform/heap/ProgramHeap.h"

#include <windows.h>

namespace kiv::platform {

void SetUpProgramHeap() {}

void ReturnFreeHeapMemory() {
  // The C runtime's malloc takes its blocks from the process heap; compacting it decommits the
  // free ranges at its end.
  HeapCompact(GetProcessHeap(), 0);
}

std::string ProgramHeapName() {
  return "the process heap";
}

} // namespace kiv::platform
