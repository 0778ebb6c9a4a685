#pragma once

// What a first touch of fresh memory costs on this machine, with the kernel's 4 KiB pages and with
// transparent huge pages: the figure that tells machines apart for the read, whose models are
// all fresh memory. Linux only, like the comparison.

namespace kiv::bench {

struct FreshPageRates {
  double smallPagesMBps = 0; // MB/s of first touches, one write per 4 KiB page
  double hugePagesMBps = 0;  // the same, the memory advised as huge pages
};

// Maps, touches and unmaps a fresh anonymous region of 256 MiB, a few times each way, and keeps
// the median of each. hugePagesMBps is 0 where the kernel has no transparent huge pages.
FreshPageRates MeasureFreshPages();

} // namespace kiv::bench
