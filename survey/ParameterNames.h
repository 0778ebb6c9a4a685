#pragma once

// Model types named by their parameters, as people write them on a command line or in a
// setting: "Chargeability,TauRho" for the layer parameters after resistivity, "Altitude,Pitch"
// for the extra parameters.

#include "core/PeloTypes_.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kiv::survey {

// A name that no parameter has; the message lists the names there are.
class UnknownParameterName : public std::invalid_argument {
public:
  using std::invalid_argument::invalid_argument;
};

// The names of a comma-separated list, empty ones left out.
std::vector<std::string> NameList(std::string_view text);

// Resistivity, then the layer parameters named (the catalogue's long or short texts, in any
// letter case), and the extra parameters named ("Altitude", "Pitch"...), each in file order.
// Throws UnknownParameterName.
TVesmarInvModelType ModelTypeNamed(const std::vector<std::string>& layerParams,
                                   const std::vector<std::string>& extras);

// The layer parameters after resistivity as ModelTypeNamed takes them: "Chargeability,TauRho".
std::string LayerParamsText(const TVesmarInvModelType& type);
// The extra parameters as ModelTypeNamed takes them: "Altitude,Pitch".
std::string ExtraParamsText(const TVesmarInvModelType& type);
// The model type for people: "Resistivity, Chargeability, TauRho; extra parameters Altitude,
// Pitch" ("no extra parameters" when it has none).
std::string ModelTypeText(const TVesmarInvModelType& type);

} // namespace kiv::survey
