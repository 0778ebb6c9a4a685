#pragma once

// The model type of a model file found by reading it: the type code's when the lines of the
// models agree with it, else the model type that the lines and columns of its first models
// determine, or the model types that fit them equally, most likely first.

#include "model/ModFile_.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kiv::survey {

// What the first models of a file say of its model type.
struct ModelTypeFinding {
  // The model types that fit, most likely first; at most kMostCandidates of them.
  std::vector<TVesmarInvModelType> candidates;
  // Model types that fit as well as the last candidate but were left out of the list.
  std::size_t moreCandidates = 0;
  // True when the first candidate is the file's model type; false when several fit and a person
  // must choose.
  bool certain = false;
  // Why, in a sentence: "its type code 6 names its blocks", "the lines of its models fit no model
  // type", "2 layer-parameter blocks and 2 extra-parameter lines".
  std::string reason;

  static constexpr std::size_t kMostCandidates = 100;
};

// Finds the model type of the file whose header has been read, from the text that follows the
// header (its first model blocks; models that do not lie whole in it are not examined). Models
// of up to kModelsExamined are examined; the read of the whole file checks the rest.
ModelTypeFinding FindModelType(const TModFile& header, std::string_view firstBlocks);

inline constexpr std::int32_t kModelsExamined = 8;

// Whether the model type lays out the first models of the file as they are: what a remembered
// or given model type must do before it is used for a read.
bool ModelTypeFits(const TModFile& header, std::string_view firstBlocks,
                   const TVesmarInvModelType& type);

} // namespace kiv::survey
