#pragma once

// The units in which the suite shows profiles and sections.
#include <cstdint>

namespace kiv {

// The unit in which a profile or section of a parameter is shown.
enum TProfUnit : std::uint8_t {
  OHM_M,   // ohm metres
  MS_M,    // millisiemens per metre
  MS_CM,   // millisiemens per centimetre
  MV_V,    // millivolts per volt
  S,       // seconds
  M_RAD,   // milliradians
  no_unit, // a pure number
  M2,      // square metres
};

} // namespace kiv
