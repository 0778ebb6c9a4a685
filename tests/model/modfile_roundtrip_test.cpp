// Models built in code, written in both styles and both layouts and read back: every value and
// factor returns as it was, the sentinels included.
#include "model/ModFile_.h"
#include "model/OlderLayout.h"
#include "testing/model/ModelFileFixtures.h"
#include "testing/model/ModelPrinters.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <stdexcept>

namespace kiv {
namespace {

using test::MakeModelType;
using test::TempDir;

// Draws values that the default formats write exactly: five significant digits at most.
class Draw {
public:
  explicit Draw(unsigned seed) : random_(seed) {}
  size_t Count(size_t low, size_t high) {
    return std::uniform_int_distribution<size_t>(low, high)(random_);
  }
  float Value() { return 0.25f * static_cast<float>(Count(1, 3999)); }
  // A factor of an active constraint, or now and then 99 for none.
  float Factor() {
    return Count(0, 9) == 0 ? 99.0f : 1.0f + 0.25f * static_cast<float>(Count(1, 388));
  }
  float Active() { return 1.0f + 0.25f * static_cast<float>(Count(1, 388)); }

private:
  std::mt19937 random_;
};

struct Shape {
  const char* name;
  std::vector<TODVPoSet_Types> extras;
  std::vector<TODVLayerParam_Types> further;
  std::int32_t modelType; // the code that the older layout reads its lines from; -1 for none
  std::int32_t lciMode;
  size_t models;
};

TVesmarInvModelType TypeOf(const Shape& shape) {
  return MakeModelType(shape.extras, shape.further);
}

// A regular model as the reader gives it back: lateral arrays as long as the neighbours it has,
// no vertical factor where none is written, nothing in the half-space's thickness and depth.
TModel CanonicalModel(const Shape& shape, size_t index, Draw& draw) {
  const TAllLayerParamSets catalogue;
  const bool vertical = shape.lciMode > 0;
  const size_t lateral =
      shape.lciMode > 0
          ? std::min<size_t>(static_cast<size_t>(shape.lciMode) - 1, shape.models - 1 - index)
          : 0;
  TModel model;
  model.ModelType = shape.modelType;
  model.DataFiles = {"model" + std::to_string(index + 1) + ".tem"};
  model.UTMX = 500000.0 + 0.5 * static_cast<double>(draw.Count(0, 100000));
  model.UTMY = 6000000.0 + 0.5 * static_cast<double>(draw.Count(0, 100000));
  model.Elevation = 0.25f * static_cast<float>(draw.Count(0, 1000));
  for (TODVPoSet_Types extra : shape.extras) {
    const TExtraParamGroup<TModel>* found = FindExtraParamGroup<TModel>(extra);
    if (found == nullptr)
      throw std::invalid_argument("an extra parameter without a group");
    const TExtraParamGroup<TModel>& group = *found;
    model.*group.Apri = draw.Value();
    model.*group.ApriSTD = draw.Factor();
    (model.*group.LatSTDs).resize(lateral);
    for (float& factor : model.*group.LatSTDs)
      factor = draw.Active();
  }
  // The first model has a layer with a vertical factor, which keeps the constraint mode.
  const size_t layers = draw.Count(index == 0 ? 2 : 1, 6);
  model.Layers.resize(layers);
  for (size_t k = 0; k < layers; ++k) {
    TLayer& l = model.Layers[k];
    const bool notLast = k + 1 < layers;
    l.ResStart = draw.Value();
    l.ResApriSTD = draw.Factor();
    l.ResVert = vertical && notLast ? draw.Factor() : 0;
    l.ResLat.resize(lateral);
    for (float& factor : l.ResLat)
      factor = draw.Factor();
    l.ThkLat.resize(lateral);
    l.DepLat.resize(lateral);
    for (TODVLayerParam_Types param : shape.further) {
      const TODVLayerParamSet set = catalogue.GetParamSet(param);
      l.LayerParams.push_back({set.PriVal, draw.Value()});
      l.LayerParams.push_back({set.PriStd, draw.Factor()});
      l.LayerParamCons.push_back({set.VertStdD, {vertical && notLast ? draw.Factor() : 0}, {}});
      TArrayOfSingle lat(lateral);
      for (float& factor : lat)
        factor = draw.Factor();
      l.LayerParamCons.push_back({set.LatStdD, lat, {}});
    }
    if (notLast) {
      l.ThkStart = draw.Value();
      l.ThkApriSTD = draw.Factor();
      l.ThkVert = vertical && k + 2 < layers ? draw.Factor() : 0;
      l.DepStart = draw.Value();
      l.DepApriSTD = draw.Factor();
      for (size_t j = 0; j < lateral; ++j) {
        l.ThkLat[j] = draw.Factor();
        l.DepLat[j] = draw.Factor();
      }
    }
  }
  // Keep the lateral width and the constraint mode what the shape says.
  if (lateral > 0)
    model.Layers.front().ResLat.back() = 1.5f;
  if (vertical && layers > 1)
    model.Layers.front().ResVert = 2.0f;
  return model;
}

std::vector<TModel> CanonicalModels(const Shape& shape, Draw& draw) {
  std::vector<TModel> models;
  for (size_t i = 0; i < shape.models; ++i)
    models.push_back(CanonicalModel(shape, i, draw));
  return models;
}

std::unique_ptr<TModFile> FileOf(const std::vector<TModel>& models, const std::string& path) {
  auto file = std::make_unique<TModFile>();
  for (size_t i = 0; i < models.size(); ++i)
    file->AddModel(models[i], static_cast<std::int32_t>(i + 1));
  file->SetFileName(path);
  return file;
}

// The file's models switched to the sparse style.
std::vector<TSparseModel> SparseOf(TModFile& file, const TVesmarInvModelType& type) {
  file.SwitchToSparseFormat(type);
  std::vector<TSparseModel> models;
  for (std::int32_t i = 1; i <= file.NumberOfModels(); ++i)
    models.push_back(file.GetSparseModel(i));
  return models;
}

// Sparse models as the sparse reader gives them back: the half-space has no thickness or depth
// lines, and a vertical constraint no indices.
std::vector<TSparseModel> AsReadBack(std::vector<TSparseModel> models) {
  for (TSparseModel& model : models) {
    for (TSparseLayer& layer : model.Layers)
      for (size_t c = 0; c < layer.LayerParamCons.size(); c += 2)
        layer.LayerParamCons[c].Indices.clear();
    model.Layers.back().ThkLat = {};
    model.Layers.back().DepLat = {};
  }
  return models;
}

const Shape kShapes[] = {
    {"resistivity only, no constraints", {}, {}, 1, 0, 3},
    {"vertical constraints only", {}, {}, 1, 1, 3},
    {"altitude, L 2", {GGG_AIR_THK}, {}, 5, 2, 4},
    {"altitude and pitch, L 3", {GGG_AIR_THK, GGG_PITCH}, {}, 6, 3, 5},
    {"five extras, wide",
     {GGG_AIR_THK, GGG_RX_ANGLE, GGG_TXRX_DIST, GGG_PITCH, GGG_ROLL},
     {},
     8,
     6,
     4},
    {"chargeability, tau and C", {}, {ltChargeability, ltTau, ltC}, 11, 3, 4},
    {"phi, L 2", {}, {ltPHI}, 116, 2, 3},
    {"one model", {GGG_AIR_THK}, {}, 5, 0, 1},
    {"chargeability, L wider than the models", {GGG_PITCH}, {ltChargeability}, -1, 9, 3},
};

TEST(ModFileRoundTrip, GeneralLayoutBothStyles) {
  unsigned seed = 1;
  for (const Shape& shape : kShapes) {
    SCOPED_TRACE(shape.name);
    TempDir dir;
    Draw draw(seed++);
    const TVesmarInvModelType type = TypeOf(shape);
    const std::vector<TModel> models = CanonicalModels(shape, draw);

    const std::unique_ptr<TModFile> regularFile = FileOf(models, dir / "r.mod");
    TModFile& regular = *regularFile;
    regular.SaveGeneral(type, false);
    const TModFile regularBack(dir / "r.mod", type);
    ASSERT_EQ(regularBack.NumberOfModels(), static_cast<std::int32_t>(models.size()));
    EXPECT_EQ(regularBack.LCIMode(), regular.LCIMode());
    for (size_t i = 0; i < models.size(); ++i)
      EXPECT_EQ(regularBack.GetModel(static_cast<std::int32_t>(i + 1)), models[i]) << i;

    if (shape.lciMode == 0)
      continue; // a sparse file always has vertical factors
    const std::unique_ptr<TModFile> sparseFile = FileOf(models, dir / "r.mod");
    TModFile& sparse = *sparseFile;
    const std::vector<TSparseModel> sparseModels = SparseOf(sparse, type);
    EXPECT_EQ(sparse.FileName(), dir / "r.mo2");
    sparse.SetIsLCI(shape.lciMode <= 2);
    sparse.SaveGeneral(type, false);
    const TModFile sparseBack(dir / "r.mo2", type);
    const std::vector<TSparseModel> expected = AsReadBack(sparseModels);
    ASSERT_EQ(sparseBack.NumberOfModels(), static_cast<std::int32_t>(models.size()));
    for (size_t i = 0; i < models.size(); ++i)
      EXPECT_EQ(sparseBack.GetSparseModel(static_cast<std::int32_t>(i + 1)), expected[i]) << i;
  }
}

TEST(ModFileRoundTrip, OlderLayoutReadsBackThroughAMatchingModelType) {
  unsigned seed = 100;
  for (const Shape& shape : kShapes) {
    if (shape.modelType < 0)
      continue;
    SCOPED_TRACE(shape.name);
    TempDir dir;
    Draw draw(seed++);
    const TVesmarInvModelType type = TypeOf(shape);
    const std::vector<TModel> models = CanonicalModels(shape, draw);
    const std::unique_ptr<TModFile> regularFile = FileOf(models, dir / "o.mod");
    TModFile& regular = *regularFile;
    regular.Save(false);
    const TModFile back(dir / "o.mod", type);
    for (size_t i = 0; i < models.size(); ++i)
      EXPECT_EQ(back.GetModel(static_cast<std::int32_t>(i + 1)), models[i]) << i;

    if (!shape.further.empty() || shape.lciMode == 0)
      continue; // the sparse older layout writes no layer-parameter lines
    const std::unique_ptr<TModFile> sparseFile = FileOf(models, dir / "o.mod");
    TModFile& sparse = *sparseFile;
    const std::vector<TSparseModel> sparseModels = SparseOf(sparse, type);
    sparse.Save(false);
    const TModFile sparseBack(dir / "o.mo2", type);
    const std::vector<TSparseModel> expected = AsReadBack(sparseModels);
    for (size_t i = 0; i < models.size(); ++i)
      EXPECT_EQ(sparseBack.GetSparseModel(static_cast<std::int32_t>(i + 1)), expected[i]) << i;
  }
}

TEST(ModFileRoundTrip, ManyRandomModels) {
  Draw draw(20261210);
  TempDir dir;
  for (int round = 0; round < 20; ++round) {
    const Shape shape{
        "random", {GGG_AIR_THK, GGG_PITCH, GGG_BIAS},          {ltChargeability, ltTau},
        1,        static_cast<std::int32_t>(draw.Count(0, 6)), draw.Count(1, 25)};
    SCOPED_TRACE(round);
    const TVesmarInvModelType type = TypeOf(shape);
    const std::vector<TModel> models = CanonicalModels(shape, draw);
    const std::unique_ptr<TModFile> fileFile = FileOf(models, dir / "random.mod");
    TModFile& file = *fileFile;
    file.SetUseExpFormat(draw.Count(0, 1) == 0);
    file.SaveGeneral(type, false);
    const TModFile back(dir / "random.mod", type);
    for (size_t i = 0; i < models.size(); ++i)
      ASSERT_EQ(back.GetModel(static_cast<std::int32_t>(i + 1)), models[i]) << i;
  }
}

TEST(ModFileRoundTrip, ARegularFileConvertedAndSavedAsSparse) {
  TempDir dir;
  const TVesmarInvModelType type =
      MakeModelType({GGG_AIR_THK, GGG_PITCH}, {ltChargeability, ltTau});
  std::filesystem::copy_file(KIV_TEST_DATA_DIR "/survey.mod", dir / "survey.mod");
  TModFile file(dir / "survey.mod", type);
  const std::vector<TSparseModel> converted = SparseOf(file, type);
  file.SaveGeneral(type, false);
  const TModFile back(dir / "survey.mo2", type);
  EXPECT_EQ(back.CommentLine(), file.CommentLine());
  std::vector<TSparseModel> expected = AsReadBack(converted);
  // Two factors of the file mean "none" once written in the sparse style: the pitch's lateral
  // factor 0 (the regular file's -1, which extra-parameter lines take as it stands) and the
  // tau prior's 99.5 (the regular file's 98.5).
  for (TSparseModel& model : expected) {
    std::fill(model.PitchLatSTDs.Values.begin(), model.PitchLatSTDs.Values.end(), 99.0f);
    for (TSparseLayer& layer : model.Layers)
      layer.LayerParams[3].Value = 99.0f;
  }
  ASSERT_EQ(back.NumberOfModels(), 4);
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(back.GetSparseModel(static_cast<std::int32_t>(i + 1)), expected[i]) << i;
}

// The list of the older layout's codes is what programs search when they ask which model types
// a code can name: every code with lines of its own must be on it.
TEST(OlderLayout, ListsEveryTypeCodeWithLinesOfItsOwn) {
  const std::span<const std::int32_t> listed = OlderLayoutTypeCodes();
  for (std::int32_t code = -1; code <= 1000; ++code) {
    const bool own = !OlderLayoutExtras(code).empty() || !OlderLayoutBlocks(code).empty();
    EXPECT_EQ(std::find(listed.begin(), listed.end(), code) != listed.end(), own) << code;
  }
}

} // namespace
} // namespace kiv
