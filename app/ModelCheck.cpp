#include "app/ModelCheck.h"

#include "model/ModFile_.h"

namespace kiv {

void RunModelCheck(std::vector<std::string>& runLog, const std::string& modelPath) {
  runLog.push_back("Reading mod file...");
  TModFile::CheckHeader(modelPath);
  runLog.push_back("Modfile ok!");
}

} // namespace kiv
