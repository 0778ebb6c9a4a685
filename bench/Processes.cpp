#include "bench/Processes.h"

#include <fstream>
#include <unistd.h>

namespace kiv::bench {

namespace {

// A figure of /proc/self/status in KiB, by its key ("VmHWM:"); 0 when missing.
std::uint64_t StatusKib(const std::string& wanted) {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == wanted) {
      std::uint64_t kib = 0;
      status >> kib;
      return kib;
    }
    status.ignore(4096, '\n');
  }
  return 0;
}

} // namespace

std::uint64_t PeakResidentKib() {
  return StatusKib("VmHWM:");
}

std::uint64_t ResidentKib() {
  return StatusKib("VmRSS:");
}

unsigned ProcessorCount() {
  const long count = sysconf(_SC_NPROCESSORS_ONLN);
  return count > 0 ? static_cast<unsigned>(count) : 1;
}

std::string ProcessorName() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string line;
  while (std::getline(cpuinfo, line)) {
    if (line.rfind("model name", 0) == 0) {
      const size_t colon = line.find(':');
      return colon == std::string::npos ? line : line.substr(colon + 2);
    }
  }
  return "unknown";
}

} // namespace kiv::bench
