#pragma once

// The model type of a file written in the older layout, taken from its models' type codes, and
// the names that programs show for a model type's parameters.

#include "model/InversionGeneralTypes_.h"
#include "model/LayerParams_.h"
#include "model/ModFile_.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace kiv {

// The model type of the older layout for a type code: the extra parameters and layer parameters
// that TModFile::Save writes for it, named by the catalogue's long texts and ExtraParamName.
TVesmarInvModelType OlderLayoutModelType(std::int32_t typeCode);

// The distinct type codes of the models held, in order of appearance.
std::vector<std::int32_t> TypeCodes(const TModFile& file);

// The name of an extra parameter's group ("Altitude", "Pitch"...); "unknown" for a type that no
// model carries.
std::string_view ExtraParamName(TODVPoSet_Types type);

// The extra parameters that models carry, in the order that programs list them.
std::span<const TODVPoSet_Types> ListedExtraParams();

// The catalogue row of each layer parameter of the model type, resistivity first.
std::vector<TODVLayerParamSet> LayerParamSetsOf(const TVesmarInvModelType& type);

// A model type's entries for a catalogue row and for an extra parameter, named as above.
TLayerParam LayerParamOf(const TODVLayerParamSet& set);
TExtraParam ExtraParamOf(TODVPoSet_Types type);

// The one catalogue of layer parameter sets that these names come from.
const TAllLayerParamSets& LayerParamCatalogue();

} // namespace kiv
