#pragma once

// The heap of a program that builds large model sets, chosen by the program and never by a
// library: a full read of a model file makes about twice the file's size in fresh memory, and on
// machines where a fresh 4 KiB page is expensive to fault, those faults cost more than the read.

#include <string>

namespace kiv::platform {

// Sets up the heap that the program was linked with (kiv::program_heap); call it first in main.
// On Linux the program runs on mimalloc, whose small blocks come from large segments, and this
// asks it to put those segments in transparent huge pages: one fault per 2 MiB, not per 4 KiB.
// On Windows the process heap stays as it is (large pages need the "Lock pages in memory" right
// and cannot be paged out, so a program must not take them unasked). Without kiv::program_heap's
// allocator (an address-sanitizer build, which brings its own) it does nothing.
void SetUpProgramHeap();

// Gives the memory freed so far back to the system, so that what is allocated next faults fresh
// pages as in a new process: for benchmarks that repeat a read.
void ReturnFreeHeapMemory();

// The heap the program runs on, for reports: "mimalloc 2.0.9, transparent huge pages".
std::string ProgramHeapName();

} // namespace kiv::platform
