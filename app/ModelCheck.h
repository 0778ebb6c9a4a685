#pragma once

// The run's model check: the model file's header read once, the outcome in the run log.

#include <string>
#include <vector>

namespace kiv {

// Proves the run's model file readable by reading its header, and records that in the run log.
// Every failure passes on unchanged.
void RunModelCheck(std::vector<std::string>& runLog, const std::string& modelPath);

} // namespace kiv
