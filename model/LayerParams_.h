#pragma once

// Finding a layer parameter or constraint by its type in a layer's arrays, and copying those
// arrays.
#include "core/PeloTypes_.h"

#include <cstdint>

namespace kiv {

// The index of the element of type iParamType in iLayerParams, or -1. ioHint is tried first and
// then left equal to the result, so that layers holding their parameters in the same order cost
// one comparison each.
std::int32_t LocateLayerParam(std::int32_t& ioHint, TODVLayerParam_Types iParamType,
                              const TArrayOfODVLayerParam& iLayerParams);

// As LocateLayerParam, for a layer's constraints.
std::int32_t LocateLayerParamCon(std::int32_t& ioHint, TODVLayerParamCon_Types iParamConType,
                                 const TArrayOfODVLayerParamCon& iLayerParamCons);

// Deep copies: the result shares no storage with the source, down to the inner arrays.
TArrayOfODVLayerParam CopyLayerParams(const TArrayOfODVLayerParam& iLayerParams);
TArrayOfODVLayerParamCon CopyLayerParams(const TArrayOfODVLayerParamCon& iLayerParamCons);

} // namespace kiv
