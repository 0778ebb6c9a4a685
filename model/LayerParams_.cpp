#include "model/LayerParams_.h"

#include <cstddef>
#include <vector>

namespace kiv {
namespace {

template <class Element, class Type>
std::int32_t Locate(std::int32_t& ioHint, Type Element::*typeField, Type wanted,
                    const std::vector<Element>& elements) {
  const bool hintHits = ioHint >= 0 && static_cast<std::size_t>(ioHint) < elements.size() &&
                        elements[static_cast<std::size_t>(ioHint)].*typeField == wanted;
  if (hintHits)
    return ioHint;
  ioHint = -1;
  for (std::size_t index = 0; index < elements.size(); ++index) {
    if (elements[index].*typeField == wanted) {
      ioHint = static_cast<std::int32_t>(index);
      break;
    }
  }
  return ioHint;
}

} // namespace

std::int32_t LocateLayerParam(std::int32_t& ioHint, TODVLayerParam_Types iParamType,
                              const TArrayOfODVLayerParam& iLayerParams) {
  return GuardWrapping("LayerParams_", "LocateLayerParam", [&] {
    return Locate(ioHint, &TODVLayerParam::ParamType, iParamType, iLayerParams);
  });
}

std::int32_t LocateLayerParamCon(std::int32_t& ioHint, TODVLayerParamCon_Types iParamConType,
                                 const TArrayOfODVLayerParamCon& iLayerParamCons) {
  return GuardWrapping("LayerParams_", "LocateLayerParamCon", [&] {
    return Locate(ioHint, &TODVLayerParamCon::ParamConType, iParamConType, iLayerParamCons);
  });
}

TArrayOfODVLayerParam CopyLayerParams(const TArrayOfODVLayerParam& iLayerParams) {
  return GuardWrapping("LayerParams_", "CopyLayerParams",
                       [&] { return TArrayOfODVLayerParam(iLayerParams); });
}

TArrayOfODVLayerParamCon CopyLayerParams(const TArrayOfODVLayerParamCon& iLayerParamCons) {
  // Copying a vector of records copies their Values and Indices vectors too.
  return GuardWrapping("LayerParams_", "CopyLayerParams",
                       [&] { return TArrayOfODVLayerParamCon(iLayerParamCons); });
}

} // namespace kiv
