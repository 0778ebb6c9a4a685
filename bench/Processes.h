#pragma once

#include <cstdint>
#include <string>

// The few facts of this process and machine that the comparison reports beyond the platform
// layer; POSIX only. Children run through platform/testing/ChildProcess.h.
namespace kiv::bench {

// The peak resident memory of this process image in KiB (VmHWM): unlike ru_maxrss it starts
// afresh with the image, so it holds nothing of the process that started it.
std::uint64_t PeakResidentKib();
// The resident memory of this process now in KiB (VmRSS).
std::uint64_t ResidentKib();

// The number of processors online and the processor's model name.
unsigned ProcessorCount();
std::string ProcessorName();

} // namespace kiv::bench
