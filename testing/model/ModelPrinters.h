#pragma once

// Readable failure messages for the model records that tests compare. Every test file of the model
// library includes this header, because GoogleTest's printer of a type is instantiated once per
// program: a file that compared models without it would make every file print raw bytes.
#include "core/ModelRecords.h"

#include <ostream>

namespace kiv {

void PrintTo(const TModel& model, std::ostream* out);
void PrintTo(const TSparseModel& model, std::ostream* out);

} // namespace kiv
