#pragma once

// A generated airborne survey for the viewer, the tools and the survey layer: soundings along a
// flight line with smooth trends in elevation and resistivity, by default with altitude and pitch
// per model under type code 6, lateral constraints to the following models; or models of any
// model type under any type code, in either layout.

#include "model/ModFile_.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kiv::test {

// The type code of the survey's models by default, whose older layout holds altitude and pitch.
inline constexpr std::int32_t kSurveyTypeCode = 6;

struct SurveyShape {
  std::int32_t soundings = 300;
  std::int32_t layers = 12;
  bool sparse = false;
  // The parameters of the models; none: the older layout's of the type code.
  std::optional<TVesmarInvModelType> type = std::nullopt;
  std::int32_t typeCode = kSurveyTypeCode;
  // Written by TModFile::Save, whose lines each model's type code decides, instead of SaveGeneral.
  bool olderLayout = false;
  // The constraint mode: each model is tied to at most lci - 1 following models.
  std::int32_t lci = 3;
};

// The model type the survey's models have: the shape's, else its type code's older layout.
TVesmarInvModelType SurveyModelType(const SurveyShape& shape);

// The survey's models in a file object named path, in the shape's style; not yet written.
std::unique_ptr<TModFile> MakeSurvey(const SurveyShape& shape, const std::string& path);

// Writes the survey to path as the library's SaveGeneral (or Save) writes it and returns path.
std::string WriteSurvey(const SurveyShape& shape, const std::string& path);

} // namespace kiv::test
