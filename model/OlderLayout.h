#pragma once

// The parameters of the older layout, which TModFile::Save writes by each model's type code: the
// layout's one definition, for the writer and for whoever reads such a file back.

#include "core/PeloTypes_.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kiv {

// The type codes that have extra-parameter lines or layer-parameter blocks of their own; every
// other code has neither.
std::span<const std::int32_t> OlderLayoutTypeCodes();

// The extra-parameter lines of a model of that type code, in order.
std::vector<TODVPoSet_Types> OlderLayoutExtras(std::int32_t modelType);

// One layer-parameter block: the name in the writer's messages and the types it writes.
struct OlderLayoutBlock {
  const char* name;
  TODVLayerParam_Types priVal;
  TODVLayerParam_Types priStd;
  TODVLayerParamCon_Types vert;
  TODVLayerParamCon_Types lat;
};

// The layer-parameter blocks of a regular model of that type code, in order; a sparse model of
// the older layout has none.
std::vector<OlderLayoutBlock> OlderLayoutBlocks(std::int32_t modelType);

} // namespace kiv
