#include "model/ModelTypeNames.h"

#include "model/OlderLayout.h"

#include <algorithm>
#include <iterator>

namespace kiv {
namespace {

// The extra parameters that models carry, named after their fields in the records.
constexpr TODVPoSet_Types kListedExtras[] = {GGG_AIR_THK, GGG_PITCH,     GGG_ROLL,    GGG_BIAS,
                                             GGG_SHIFT,   GGG_TXRX_DIST, GGG_RX_ANGLE};
constexpr std::string_view kExtraNames[] = {"Altitude", "Pitch",    "Roll",   "Bias",
                                            "Shift",    "TxRxDist", "RxAngle"};
static_assert(std::size(kListedExtras) == std::size(kExtraNames));

} // namespace

TLayerParam LayerParamOf(const TODVLayerParamSet& set) {
  return TLayerParam{set.LongText, set.LayerParam, 0, 0, 0};
}

TExtraParam ExtraParamOf(TODVPoSet_Types type) {
  TExtraParam extra;
  extra.ParamName = std::string(ExtraParamName(type));
  extra.ParamType = type;
  return extra;
}

const TAllLayerParamSets& LayerParamCatalogue() {
  static const TAllLayerParamSets catalogue;
  return catalogue;
}

TVesmarInvModelType OlderLayoutModelType(std::int32_t typeCode) {
  TVesmarInvModelType type;
  type.LayerParams.push_back(LayerParamOf(LayerParamCatalogue().GetParamSet(ltRes)));
  for (const OlderLayoutBlock& block : OlderLayoutBlocks(typeCode))
    type.LayerParams.push_back(
        LayerParamOf(LayerParamCatalogue().GetParamSetFromPriVal(block.priVal)));
  for (const TODVPoSet_Types extra : OlderLayoutExtras(typeCode))
    type.ExtraParams.push_back(ExtraParamOf(extra));
  return type;
}

namespace {

// Read in place: a copy of each model (GetModel) only for its code took a third as long as the
// header's read itself.
template <class Model> std::vector<std::int32_t> CodesOf(const std::vector<Model>& models) {
  std::vector<std::int32_t> codes;
  for (const Model& model : models)
    if (std::find(codes.begin(), codes.end(), model.ModelType) == codes.end())
      codes.push_back(model.ModelType);
  return codes;
}

} // namespace

std::vector<std::int32_t> TypeCodes(const TModFile& file) {
  return file.SparseFormat() ? CodesOf(file.SparseModels()) : CodesOf(file.RegularModels());
}

std::span<const TODVPoSet_Types> ListedExtraParams() {
  return kListedExtras;
}

std::string_view ExtraParamName(TODVPoSet_Types type) {
  for (size_t i = 0; i < std::size(kListedExtras); ++i)
    if (kListedExtras[i] == type)
      return kExtraNames[i];
  return "unknown";
}

std::vector<TODVLayerParamSet> LayerParamSetsOf(const TVesmarInvModelType& type) {
  std::vector<TODVLayerParamSet> sets{LayerParamCatalogue().GetParamSet(ltRes)};
  for (const TLayerParam& param : type.LayerParams)
    if (param.ParamType != ltRes)
      sets.push_back(LayerParamCatalogue().GetParamSet(param.ParamType));
  return sets;
}

} // namespace kiv
