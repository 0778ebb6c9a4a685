#include "platform/heap/ProgramHeap.h"

#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace kiv::platform {
namespace {

// The lines of /proc/self/smaps that describe the mapping holding address.
std::string MappingOf(const void* address) {
  const auto where = reinterpret_cast<std::uintptr_t>(address);
  std::ifstream smaps("/proc/self/smaps");
  std::string line;
  std::string mapping;
  bool inside = false;
  while (std::getline(smaps, line)) {
    std::uintptr_t begin = 0;
    std::uintptr_t end = 0;
    char dash = 0;
    std::istringstream range(line);
    if (range >> std::hex >> begin >> dash >> end && dash == '-') {
      if (inside)
        break;
      inside = begin <= where && where < end;
    }
    if (inside)
      mapping += line + "\n";
  }
  return mapping;
}

bool TransparentHugePagesOff() {
  std::ifstream setting("/sys/kernel/mm/transparent_hugepage/enabled");
  std::string text;
  std::getline(setting, text);
  return text.empty() || text.find("[never]") != std::string::npos;
}

// The blocks of a read land in memory that the kernel may back with huge pages.
TEST(ProgramHeap, AsksForHugePagesOnceSetUp) {
  if (ProgramHeapName().rfind("mimalloc", 0) != 0)
    GTEST_SKIP() << "this build's programs run on " << ProgramHeapName();
  if (TransparentHugePagesOff())
    GTEST_SKIP() << "transparent huge pages are off on this machine";
  SetUpProgramHeap();
  EXPECT_NE(ProgramHeapName().find("transparent huge pages"), std::string::npos);
  std::vector<std::unique_ptr<float[]>> blocks(size_t{1} << 19);
  for (auto& block : blocks)
    block = std::make_unique<float[]>(32);
  // "hg": the mapping is advised as huge pages, whether or not the kernel found any free yet.
  const std::string mapping = MappingOf(blocks.back().get());
  const size_t flags = mapping.find("VmFlags:");
  ASSERT_NE(flags, std::string::npos) << mapping;
  EXPECT_NE((mapping.substr(flags) + " ").find(" hg "), std::string::npos) << mapping;
}

} // namespace
} // namespace kiv::platform
