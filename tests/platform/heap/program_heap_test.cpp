#include "platform/ProcessMemory.h"
#include "platform/heap/ProgramHeap.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace kiv::platform {
namespace {

// Many small blocks, as a read makes for the lateral and parameter arrays of its layers.
std::vector<std::unique_ptr<float[]>> SmallBlocks(size_t bytes) {
  constexpr size_t kFloats = 32;
  std::vector<std::unique_ptr<float[]>> blocks(bytes / (kFloats * sizeof(float)));
  for (auto& block : blocks)
    block = std::make_unique<float[]>(kFloats);
  return blocks;
}

// The address sanitizer holds freed blocks in its quarantine, out of any heap's reach.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif

std::uint64_t ResidentBytes() {
  const auto bytes = WorkingSetBytes(CurrentProcessId());
  EXPECT_TRUE(bytes.has_value());
  return bytes.value_or(0);
}

TEST(ProgramHeap, GivesFreedMemoryBack) {
  if (kAddressSanitizer)
    GTEST_SKIP() << "the address sanitizer keeps freed memory in its quarantine";
  constexpr size_t kBytes = size_t{256} << 20;
  const std::uint64_t before = ResidentBytes();
  {
    const auto blocks = SmallBlocks(kBytes);
    EXPECT_GT(ResidentBytes(), before + kBytes / 2);
  }
  ReturnFreeHeapMemory();
  EXPECT_LT(ResidentBytes(), before + kBytes / 4);
}

} // namespace
} // namespace kiv::platform
