#pragma once

#include "core/PeloTypes_.h"

#include <vector>

namespace kiv::test {

// A model type with resistivity, then the given layer parameters, and the given extra
// parameters; the model file reads nothing else of it.
inline TVesmarInvModelType MakeModelType(const std::vector<TODVPoSet_Types>& extras,
                                         const std::vector<TODVLayerParam_Types>& further) {
  TVesmarInvModelType type;
  type.LayerParams.push_back(TLayerParam{"Res", ltRes, 0, 0, 0});
  for (TODVLayerParam_Types param : further)
    type.LayerParams.push_back(TLayerParam{"", param, 0, 0, 0});
  for (TODVPoSet_Types extra : extras) {
    TExtraParam entry;
    entry.ParamType = extra;
    type.ExtraParams.push_back(entry);
  }
  return type;
}

// Every extra parameter that models carry, in the records' order.
inline std::vector<TODVPoSet_Types> EveryExtraParam() {
  std::vector<TODVPoSet_Types> extras;
  for (const TExtraParamGroup<TModel>& group : ExtraParamGroups<TModel>)
    extras.push_back(group.ParamType);
  return extras;
}

} // namespace kiv::test
