#include "tools/ModelReading.h"

#include "core/DelimitedText.h"
#include "model/OlderLayout.h"
#include "platform/AsciiText.h"
#include "platform/FileOperations.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <iterator>

namespace kiv {
namespace {

struct ExtraName {
  TODVPoSet_Types type;
  std::string_view name;
};

// The extra parameters that models carry, named after their fields in the records.
constexpr ExtraName kExtraNames[] = {
    {GGG_AIR_THK, "Altitude"}, {GGG_PITCH, "Pitch"}, {GGG_ROLL, "Roll"},
    {GGG_BIAS, "Bias"},        {GGG_SHIFT, "Shift"}, {GGG_TXRX_DIST, "TxRxDist"},
    {GGG_RX_ANGLE, "RxAngle"},
};

const TAllLayerParamSets& Catalogue() {
  static const TAllLayerParamSets catalogue;
  return catalogue;
}

TLayerParam LayerParamOf(const TODVLayerParamSet& set) {
  return TLayerParam{set.LongText, set.LayerParam, 0, 0, 0};
}

TExtraParam ExtraParamOf(TODVPoSet_Types type) {
  TExtraParam extra;
  extra.ParamName = std::string(ExtraParamName(type));
  extra.ParamType = type;
  return extra;
}

const TODVLayerParamSet& ParamSetNamed(const std::string& name) {
  const std::string wanted = platform::AsciiUpperCase(name);
  for (const TODVLayerParamSet& set : Catalogue().LayerParamSets())
    if (set.LayerParam != ltRes && (platform::AsciiUpperCase(set.LongText) == wanted ||
                                    platform::AsciiUpperCase(set.ShortText) == wanted))
      return set;
  std::string known;
  for (const TODVLayerParamSet& set : Catalogue().LayerParamSets())
    if (set.LayerParam != ltRes)
      known += (known.empty() ? "" : ", ") + set.LongText;
  throw UsageError("unknown layer parameter \"" + name + "\" (known: " + known + ")");
}

TODVPoSet_Types ExtraNamed(const std::string& name) {
  const std::string wanted = platform::AsciiUpperCase(name);
  for (const ExtraName& extra : kExtraNames)
    if (platform::AsciiUpperCase(extra.name) == wanted)
      return extra.type;
  std::string known;
  for (const ExtraName& extra : kExtraNames)
    known += (known.empty() ? "" : ", ") + std::string(extra.name);
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
  type.LayerParams.push_back(LayerParamOf(Catalogue().GetParamSet(ltRes)));
  for (const std::string& name : params)
    type.LayerParams.push_back(LayerParamOf(ParamSetNamed(name)));
  for (const std::string& name : extras)
    type.ExtraParams.push_back(ExtraParamOf(ExtraNamed(name)));
  return type;
}

TVesmarInvModelType OlderLayoutModelType(std::int32_t typeCode) {
  TVesmarInvModelType type;
  type.LayerParams.push_back(LayerParamOf(Catalogue().GetParamSet(ltRes)));
  for (const OlderLayoutBlock& block : OlderLayoutBlocks(typeCode))
    type.LayerParams.push_back(LayerParamOf(Catalogue().GetParamSetFromPriVal(block.priVal)));
  for (const TODVPoSet_Types extra : OlderLayoutExtras(typeCode))
    type.ExtraParams.push_back(ExtraParamOf(extra));
  return type;
}

std::string_view ExtraParamName(TODVPoSet_Types type) {
  for (const ExtraName& extra : kExtraNames)
    if (extra.type == type)
      return extra.name;
  return "unknown";
}

std::vector<TODVLayerParamSet> LayerParamSetsOf(const TVesmarInvModelType& type) {
  std::vector<TODVLayerParamSet> sets{Catalogue().GetParamSet(ltRes)};
  for (const TLayerParam& param : type.LayerParams)
    if (param.ParamType != ltRes)
      sets.push_back(Catalogue().GetParamSet(param.ParamType));
  return sets;
}

std::vector<std::int32_t> TypeCodes(const TModFile& file) {
  std::vector<std::int32_t> codes;
  for (std::int32_t i = 1; i <= file.NumberOfModels(); ++i) {
    const std::int32_t code =
        file.SparseFormat() ? file.GetSparseModel(i).ModelType : file.GetModel(i).ModelType;
    if (std::find(codes.begin(), codes.end(), code) == codes.end())
      codes.push_back(code);
  }
  return codes;
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
