#include "platform/heap/ProgramHeap.h"

#if KIV_PROGRAM_HEAP_MIMALLOC
#include <mimalloc.h>
#else
#include <malloc.h>
#endif

namespace kiv::platform {

#if KIV_PROGRAM_HEAP_MIMALLOC

void SetUpProgramHeap() {
  // mimalloc reads the option whenever it maps a segment, so segments mapped from here on are
  // advised as huge pages; with the kernel's transparent huge pages at "never", it is a no-op.
  mi_option_enable(mi_option_large_os_pages);
}

void ReturnFreeHeapMemory() {
  mi_collect(true);
}

std::string ProgramHeapName() {
  const int version = mi_version();
  return "mimalloc " + std::to_string(version / 100) + "." + std::to_string(version / 10 % 10) +
         "." + std::to_string(version % 10) +
         (mi_option_is_enabled(mi_option_large_os_pages) ? ", transparent huge pages"
                                                         : ", 4 KiB pages");
}

#else

void SetUpProgramHeap() {}

void ReturnFreeHeapMemory() {
  malloc_trim(0);
}

std::string ProgramHeapName() {
  return "the C library's malloc";
}

#endif

} // namespace kiv::platform
