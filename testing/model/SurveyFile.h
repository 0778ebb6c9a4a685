#pragma once

// A generated airborne survey that the viewer and the tools read back by the type code of its
// models: soundings along a flight line with smooth trends in elevation and resistivity, altitude
// and pitch per model, lateral constraints to the following models.

#include "model/ModFile_.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kiv::test {

struct SurveyShape {
  std::int32_t soundings = 300;
  std::int32_t layers = 12;
  bool sparse = false;
};

// The type code of the survey's models, whose older layout holds altitude and pitch.
inline constexpr std::int32_t kSurveyTypeCode = 6;

// The survey's models in a file object named path, in the shape's style; not yet written.
std::unique_ptr<TModFile> MakeSurvey(const SurveyShape& shape, const std::string& path);

// Writes the survey to path as the library's SaveGeneral writes it and returns path.
std::string WriteSurvey(const SurveyShape& shape, const std::string& path);

} // namespace kiv::test
