// Any bytes read as a model file whose model type is found by reading. The first byte chooses the
// style (bit 0: sparse); the rest is the file. The finding must name at least one model type that
// the model file can read, at most the most it lists, each with resistivity once; the read with
// the likeliest must succeed or fail with the library's own exception. A foreign exception
// escapes to libFuzzer as a crash, and so do the sanitizers' findings.
#include "fuzz/FuzzSupport.h"
#include "model/ModFile_.h"
#include "platform/FileSystem.h"
#include "survey/SurveyFile.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace kiv::fuzz {
namespace {

void Check(const survey::ModelTypeFinding& finding) {
  if (finding.candidates.empty())
    Fault("no candidate");
  if (finding.candidates.size() > survey::ModelTypeFinding::kMostCandidates)
    Fault("more candidates than listed");
  for (const TVesmarInvModelType& type : finding.candidates)
    if (std::count_if(type.LayerParams.begin(), type.LayerParams.end(),
                      [](const TLayerParam& param) { return param.ParamType == ltRes; }) != 1)
      Fault("a candidate without resistivity once");
}

} // namespace
} // namespace kiv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kiv;
  if (size == 0)
    return 0;
  const std::string path = fuzz::ScratchFolder() + ((data[0] & 1) != 0 ? "/f.mo2" : "/f.mod");
  platform::WriteWholeFile(path,
                           std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
  survey::ModelTypeFinding finding;
  try {
    finding = survey::FindModelTypeOfFile(path);
  } catch (const Exception&) {
    return 0;
  }
  fuzz::Check(finding);
  try {
    TModFile file(path, finding.candidates.front());
  } catch (const Exception&) {
  }
  return 0;
}
