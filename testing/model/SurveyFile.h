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
#include <utility>

namespace kiv::test {

// The type code of the survey's models by default, whose older layout holds altitude and pitch.
inline constexpr std::int32_t kSurveyTypeCode = 6;

struct SurveyShape {
  // Built from the leading fields as a braced list names them; the rest keep their defaults.
  SurveyShape(std::int32_t soundingCount = 300, std::int32_t layerCount = 12,
              bool sparseStyle = false, std::optional<TVesmarInvModelType> modelType = {},
              std::int32_t code = kSurveyTypeCode, bool older = false, std::int32_t mode = 3)
      : soundings(soundingCount), layers(layerCount), sparse(sparseStyle),
        type(std::move(modelType)), typeCode(code), olderLayout(older), lci(mode) {}

  std::int32_t soundings;
  std::int32_t layers;
  bool sparse;
  // The parameters of the models; none: the older layout's of the type code.
  std::optional<TVesmarInvModelType> type;
  std::int32_t typeCode;
  // Written by TModFile::Save, whose lines each model's type code decides, instead of SaveGeneral.
  bool olderLayout;
  // The constraint mode: each model is tied to at most lci - 1 following models.
  std::int32_t lci;
};

// The model type the survey's models have: the shape's, else its type code's older layout.
TVesmarInvModelType SurveyModelType(const SurveyShape& shape);

// The survey's models in a file object named path, in the shape's style; not yet written.
std::unique_ptr<TModFile> MakeSurvey(const SurveyShape& shape, const std::string& path);

// Writes the survey to path as the library's SaveGeneral (or Save) writes it and returns path.
std::string WriteSurvey(const SurveyShape& shape, const std::string& path);

} // namespace kiv::test
