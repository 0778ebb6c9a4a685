// Two files of realistic shape, regular and sparse: four models of three layers with altitude and
// pitch, chargeability and tau, constraint mode 3. Each is read into exactly the values it holds.
#include "model/ModFile_.h"
#include "testing/model/ModelFileFixtures.h"
#include "testing/model/ModelPrinters.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace kiv {
namespace {

constexpr size_t kModels = 4;

float Factor(double number) {
  return static_cast<float>(number + 1.0);
}
size_t Neighbours(size_t model) {
  return std::min<size_t>(2, kModels - 1 - model);
}
TArrayOfInteger FirstIndices(size_t n) {
  TArrayOfInteger indices(n);
  for (size_t i = 0; i < n; ++i)
    indices[i] = static_cast<std::int32_t>(i + 1);
  return indices;
}

template <class Model> void ExpectHeader(const TModFile& file, const Model& first) {
  EXPECT_EQ(file.CommentLine(), "Survey line 7, starting models with IP");
  EXPECT_EQ(file.LCIMode(), 3);
  EXPECT_FALSE(file.IsLCI());
  EXPECT_EQ(file.MaxIterations(), 30);
  EXPECT_EQ(first.DataFiles, (std::vector<std::string>{"survey_001_hm.tem", "survey_001_lm.tem"}));
}

template <class Model> void SetPosition(Model& model, size_t m) {
  model.ModelType = 11;
  model.DataFiles = m == 0 ? std::vector<std::string>{"survey_001_hm.tem", "survey_001_lm.tem"}
                           : std::vector<std::string>{"survey_00" + std::to_string(m + 1) + ".tem"};
  model.UTMX = 552300.5 + 10.0 * static_cast<double>(m);
  model.UTMY = 6212400.0 + 5.0 * static_cast<double>(m);
  model.Elevation = 12.25f + 0.25f * static_cast<float>(m);
  model.AltitudeApri = 30.0f + static_cast<float>(m);
  model.AltitudeApriSTD = Factor(0.1);
  model.PitchApri = 0.5f;
  model.PitchApriSTD = 3.0f;
}

// The layer values both styles share; verticals stand in all but the last layer.
template <class Layer> void SetLayerValues(Layer& layer, size_t k, size_t m, float tauFactor) {
  const bool notLast = k < 2;
  layer.ResStart = static_cast<float>(100 * (k + 1) + m);
  layer.ResApriSTD = 99.0f;
  layer.ResVert = notLast ? 2.0f : 0.0f;
  if (notLast) {
    layer.ThkStart = 5.0f * static_cast<float>(k + 1);
    layer.ThkApriSTD = 1.5f;
    layer.ThkVert = k == 0 ? 2.0f : 0.0f;
    layer.DepStart = k == 0 ? 5.0f : 15.0f;
    layer.DepApriSTD = 99.0f;
  }
  const float tau[] = {0.001f, 0.002f, 0.003f};
  layer.LayerParams = {{ltChargeabilityPriVal, 20.0f + static_cast<float>(k)},
                       {ltChargeabilityPriStdD, 1.5f},
                       {ltTauPriVal, tau[k]},
                       {ltTauPriStdD, tauFactor}};
  layer.LayerParamCons = {{ltChargeabilityVertStdD, {notLast ? 2.0f : 0.0f}, {}},
                          {ltChargeabilityLatStdD, {}, {}},
                          {ltTauVertStdD, {notLast ? 99.0f : 0.0f}, {}},
                          {ltTauLatStdD, {}, {}}};
}

TModel ExpectedRegular(size_t m) {
  const size_t n = Neighbours(m);
  TModel model;
  SetPosition(model, m);
  model.AltitudeLatSTDs.assign(n, Factor(0.2));
  model.PitchLatSTDs.assign(n, 0.0f); // -1 + 1: extra-parameter lines take every number
  model.Layers.resize(3);
  for (size_t k = 0; k < 3; ++k) {
    TLayer& layer = model.Layers[k];
    SetLayerValues(layer, k, m, 99.5f); // 98.5 + 1 on a regular line
    layer.ResLat.assign(n, Factor(0.3));
    layer.ThkLat.assign(n, k < 2 ? 99.0f : 0.0f);
    layer.DepLat.assign(n, k < 2 ? Factor(0.2) : 0.0f);
    layer.LayerParamCons[1].Values.assign(n, Factor(0.1));
    layer.LayerParamCons[3].Values.assign(n, Factor(0.3));
  }
  return model;
}

TSparseVector Vector(size_t n, float value) {
  return {FirstIndices(n), TArrayOfSingle(n, value), static_cast<std::int32_t>(n)};
}

TSparseModel ExpectedSparse(size_t m) {
  const size_t n = Neighbours(m);
  TSparseModel model;
  SetPosition(model, m);
  model.AltitudeLatSTDs = Vector(n, Factor(0.2));
  model.PitchLatSTDs = Vector(n, 99.0f); // -1 on a sparse line means none
  model.Layers.resize(3);
  for (size_t k = 0; k < 3; ++k) {
    TSparseLayer& layer = model.Layers[k];
    SetLayerValues(layer, k, m, 99.0f); // 98.5 is above the sparse threshold
    layer.ResLat = m == 0 ? TSparseVector{{2}, {Factor(0.3)}, 1} : Vector(n, Factor(0.3));
    if (k < 2) {
      layer.ThkLat = Vector(n, 99.0f);
      layer.DepLat = Vector(n, Factor(0.2));
    }
    // The file lists one chargeability neighbour where two are possible: one is all there is.
    if (n > 0)
      layer.LayerParamCons[1] = {ltChargeabilityLatStdD, {Factor(0.1)}, {1}};
    layer.LayerParamCons[3].Values.assign(n, Factor(0.3));
    layer.LayerParamCons[3].Indices = FirstIndices(n);
  }
  return model;
}

const TVesmarInvModelType& SurveyType() {
  static const TVesmarInvModelType type =
      test::MakeModelType({GGG_AIR_THK, GGG_PITCH}, {ltChargeability, ltTau});
  return type;
}

// The survey file read from its file, and from memory under the same name.
std::vector<std::unique_ptr<TModFile>> ReadBothWays(const std::string& path) {
  std::vector<std::unique_ptr<TModFile>> files;
  files.push_back(std::make_unique<TModFile>(path, SurveyType()));
  files.push_back(std::make_unique<TModFile>());
  files.back()->OpenFromMemory(path, test::ReadFile(path), false, &SurveyType());
  return files;
}

TEST(ModFileSurvey, RegularFileReadsIntoExactlyItsValues) {
  for (const auto& file : ReadBothWays(KIV_TEST_DATA_DIR "/survey.mod")) {
    ASSERT_FALSE(file->SparseFormat());
    ASSERT_EQ(file->NumberOfModels(), static_cast<std::int32_t>(kModels));
    ExpectHeader(*file, file->GetModel(1));
    for (size_t m = 0; m < kModels; ++m)
      EXPECT_EQ(file->GetModel(static_cast<std::int32_t>(m + 1)), ExpectedRegular(m))
          << "model " << m;
  }
}

TEST(ModFileSurvey, SparseFileReadsIntoExactlyItsValues) {
  for (const auto& file : ReadBothWays(KIV_TEST_DATA_DIR "/survey.mo2")) {
    ASSERT_TRUE(file->SparseFormat());
    ASSERT_EQ(file->NumberOfModels(), static_cast<std::int32_t>(kModels));
    ExpectHeader(*file, file->GetSparseModel(1));
    for (size_t m = 0; m < kModels; ++m)
      EXPECT_EQ(file->GetSparseModel(static_cast<std::int32_t>(m + 1)), ExpectedSparse(m))
          << "model " << m;
  }
}

} // namespace
} // namespace kiv
