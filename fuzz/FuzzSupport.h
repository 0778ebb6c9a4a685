#pragma once

#include "core/PeloTypes_.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kiv::fuzz {

// The writer works on a path, so what a target saves goes to a folder of this process alone (on
// a memory file system where there is one), removed when the process ends.
const std::string& ScratchFolder();

// The model types the targets read with: they decide which lines a block has. They are the
// types of the fixtures in tests/data (extras.mod, layers.mo2, survey.*), which seed the corpora.
enum class Shape : std::uint8_t {
  ResistivityOnly,
  EveryExtraParameter, // all seven groups that models carry
  Phase,               // one further layer parameter: phi
  Survey,              // altitude and pitch, chargeability and tau
};
inline constexpr int kShapeCount = 4;

const TVesmarInvModelType& ModelTypeOf(Shape shape);

// Fails the run (libFuzzer keeps the input) after printing what went wrong.
[[noreturn]] void Fault(std::string_view what);

} // namespace kiv::fuzz
