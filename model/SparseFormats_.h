#pragma once

// Building the lateral-constraint lists of the sparse style; the sparse records themselves stand
// beside the regular ones in core/ModelRecords.h.
#include "core/ModelRecords.h"

#include <cstdint>

namespace kiv {

// Appends the pair (Index, Value as single precision). A full vector grows to 2 * NumValues + 1
// pairs, so that building a vector of n pairs copies it only about log2(n) times.
void AddToSparseVector(double Value, std::int32_t Index, TSparseVector& Vector);

// Drops the spare capacity: both arrays end up NumValues long, as stored models keep them.
void TrimSparseVector(TSparseVector& Vector);

// Empties both arrays and sets NumValues to 0.
void ClearSparseVector(TSparseVector& Vector);

} // namespace kiv
