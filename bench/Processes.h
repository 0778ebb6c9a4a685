#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The few process services the comparison needs beyond the platform layer; POSIX only.
namespace kiv::bench {

// Starts the program with the arguments (arguments[0] is the program's path), its standard
// output sent to /dev/null, and waits for it. Returns its exit code, or -1 when it did not exit
// normally. Throws std::system_error when it cannot be started.
int RunProcess(const std::vector<std::string>& arguments);

// The peak resident memory of this process image in KiB (VmHWM): unlike ru_maxrss it starts
// afresh with the image, so it holds nothing of the process that started it.
std::uint64_t PeakResidentKib();

// The number of processors online and the processor's model name.
unsigned ProcessorCount();
std::string ProcessorName();

} // namespace kiv::bench
