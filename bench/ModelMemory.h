#pragma once

#include "model/ModFile_.h"

#include <cstdint>

namespace kiv::bench {

// The memory the models of a file hold: for every model, its record, plus the allocator's usable
// size of every heap block that it or anything inside it owns (the layers' array, every lateral
// and parameter array, every string longer than the in-place buffer). Measured on copies, whose
// arrays are exactly as long as their contents, as the reader makes them.
std::uint64_t ModelBytes(const TModFile& file);

} // namespace kiv::bench
