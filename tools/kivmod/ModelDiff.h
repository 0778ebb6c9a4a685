#pragma once

// kivmod diff: two model files compared model by model and field by field (ModelTable's fields,
// matched by name), each difference named with both values.

#include "tools/kivmod/ModelTable.h"

#include <cstdint>
#include <functional>
#include <string>

namespace kiv {

struct DiffOptions {
  // Two numbers match when they differ by at most this part of the larger magnitude.
  double tolerance = 0;
  // Differences listed; the rest are only counted.
  std::int64_t maxShown = 20;
};

struct DiffOutcome {
  std::int64_t differences = 0;
  std::int32_t modelsDiffering = 0;
};

// Compares the models of a and b, appending one line per difference shown ("model 2, layer 1:
// Resistivity: 100 | 101") and then the summary line to text. progress is told each model done.
DiffOutcome DiffModels(ModelTable& a, ModelTable& b, const DiffOptions& options, std::string& text,
                       const std::function<void(std::int32_t done)>& progress);

} // namespace kiv
