#include "FreshPages.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <sys/mman.h>
#include <system_error>
#include <vector>

namespace kiv::bench {
namespace {

constexpr size_t kRegion = size_t{256} << 20;
constexpr size_t kHugePage = size_t{2} << 20;
constexpr size_t kSmallPage = 4096;
constexpr int kRepetitions = 3;

// MB/s of one pass of first touches over a fresh region, advised as huge pages or not; 0 when
// the advice is refused (no transparent huge pages).
double TouchFreshRegion(bool hugePages) {
  void* mapped = mmap(nullptr, kRegion + kHugePage, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED)
    throw std::system_error(errno, std::generic_category(), "mmap of the fresh-page region");
  // Aligned to a huge page, so that both passes fault the same kind of region.
  auto* region = reinterpret_cast<volatile char*>(
      (reinterpret_cast<std::uintptr_t>(mapped) + kHugePage - 1) & ~(kHugePage - 1));
  double rate = 0;
  if (!hugePages || madvise(const_cast<char*>(region), kRegion, MADV_HUGEPAGE) == 0) {
    const auto start = std::chrono::steady_clock::now();
    for (size_t offset = 0; offset < kRegion; offset += kSmallPage)
      region[offset] = 1;
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    rate = static_cast<double>(kRegion) / 1e6 / took.count();
  }
  munmap(mapped, kRegion + kHugePage);
  return rate;
}

double MedianRate(bool hugePages) {
  std::vector<double> rates;
  for (int i = 0; i < kRepetitions; ++i)
    rates.push_back(TouchFreshRegion(hugePages));
  std::nth_element(rates.begin(), rates.begin() + kRepetitions / 2, rates.end());
  return rates[kRepetitions / 2];
}

} // namespace

FreshPageRates MeasureFreshPages() {
  return {MedianRate(false), MedianRate(true)};
}

} // namespace kiv::bench
