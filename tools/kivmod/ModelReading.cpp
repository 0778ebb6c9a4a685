#include "tools/kivmod/ModelReading.h"

#include "core/DelimitedText.h"
#include "model/OlderLayout.h"
#include "platform/AsciiText.h"
#include "platform/FileOperations.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <iterator>

namespace kiv {
namespace {

const TODVLayerParamSet& ParamSetNamed(const std::string& name) {
  const std::string wanted = platform::AsciiUpperCase(name);
  for (const TODVLayerParamSet& set : LayerParamCatalogue().LayerParamSets())
    if (set.LayerParam != ltRes && (platform::AsciiUpperCase(set.LongText) == wanted ||
                                    platform::AsciiUpperCase(set.ShortText) == wanted))
      return set;
  std::string known;
  for (const TODVLayerParamSet& set : LayerParamCatalogue().LayerParamSets())
    if (set.LayerParam != ltRes)
      known += (known.empty() ? "" : ", ") + set.LongText;
  throw UsageError("unknown layer parameter \"" + name + "\" (known: " + known + ")");
}

TODVPoSet_Types ExtraNamed(const std::string& name) {
  const std::string wanted = platform::AsciiUpperCase(name);
  for (const TODVPoSet_Types extra : ListedExtraParams())
    if (platform::AsciiUpperCase(ExtraParamName(extra)) == wanted)
      return extra;
  std::string known;
  for (const TODVPoSet_Types extra : ListedExtraParams())
    known += (known.empty() ? "" : ", ") + std::string(ExtraParamName(extra));
  throw UsageError("unknown extra parameter \"" + name + "\" (known: " + known + ")");
}

std::vector<std::string> ListOf(const std::string& text) {
  std::vector<std::string> names = SplitDelimitedText(text);
  std::erase(names, std::string());
  return names;
}

} // namespace

TVesmarInvModelType NamedModelType(const std::vector<std::string>& params,
                                   const std::vector<std::string>& extras) {
  TVesmarInvModelType type;
  type.LayerParams.push_back(LayerParamOf(LayerParamCatalogue().GetParamSet(ltRes)));
  for (const std::string& name : params)
    type.LayerParams.push_back(LayerParamOf(ParamSetNamed(name)));
  for (const std::string& name : extras)
    type.ExtraParams.push_back(ExtraParamOf(ExtraNamed(name)));
  return type;
}

ModelFileRead ReadModelFile(const std::string& path, const ModelTypeNames& names) {
  ModelFileRead read;
  if (names.params && names.extras) {
    read.type = NamedModelType(ListOf(*names.params), ListOf(*names.extras));
  } else {
    const TVesmarInvModelType named =
        NamedModelType(names.params ? ListOf(*names.params) : std::vector<std::string>{},
                       names.extras ? ListOf(*names.extras) : std::vector<std::string>{});
    const std::vector<std::int32_t> codes = TypeCodes(TModFile(path, true));
    read.type = OlderLayoutModelType(codes.empty() ? 0 : codes.front());
    for (const std::int32_t code : codes)
      if (OlderLayoutModelType(code) != read.type)
        throw EPelo("The models of " + path + " have type codes " + std::to_string(codes.front()) +
                    " and " + std::to_string(code) +
                    ", whose blocks differ: name the parameters with --params and --extras");
    if (names.params)
      read.type.LayerParams = named.LayerParams;
    if (names.extras)
      read.type.ExtraParams = named.ExtraParams;
  }
  read.file = std::make_unique<TModFile>(path, read.type);
  return read;
}

void RequireFile(const std::string& path) {
  if (!platform::RegularFileExists(path))
    throw UsageError("no such file: " + path);
}

void RequireFileOrNothing(const std::string& path) {
  if (!platform::RegularFileExists(path) && platform::IsSameFile(path, path))
    throw UsageError(path + " is not a file");
}

} // namespace kiv
