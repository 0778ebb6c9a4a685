#include "model/ModFile_.h"
#include "model/SparseFormats_.h"
#include "model/detail/ModFileInternals.h"
#include "testing/model/ModelPrinters.h"
#include "testing/support/FailingAllocation.h"

#include <array>
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>
#include <typeinfo>

namespace kiv {
namespace {

TEST(SparseVector, GrowsByDoublingAndTrimsToItsPairs) {
  TSparseVector vector;
  const size_t lengths[] = {1, 3, 3, 7};
  for (std::int32_t i = 0; i < 4; ++i) {
    AddToSparseVector(0.1 * (i + 1), 10 + i, vector);
    EXPECT_EQ(vector.NumValues, i + 1);
    EXPECT_EQ(vector.Values.size(), lengths[i]);
    EXPECT_EQ(vector.Indices.size(), lengths[i]);
  }
  TrimSparseVector(vector);
  EXPECT_EQ(vector, (TSparseVector{{10, 11, 12, 13}, {0.1f, 0.2f, 0.3f, 0.4f}, 4}));

  ClearSparseVector(vector);
  EXPECT_EQ(vector, TSparseVector{});
}

TEST(SparseVector, RefusesWhatItCannotHold) {
  TSparseVector vector;
  EXPECT_THROW(AddToSparseVector(1e40, 1, vector), std::overflow_error);
  EXPECT_EQ(vector, TSparseVector{});

  vector.NumValues = -1;
  try {
    TrimSparseVector(vector);
    FAIL() << "expected std::out_of_range";
  } catch (const std::out_of_range& e) {
    EXPECT_STREQ(e.what(), "Negative NumValues in a sparse vector: -1");
  }
}

TVesmarInvModelType TypeWithExtras(const std::vector<TODVPoSet_Types>& extras) {
  TVesmarInvModelType type;
  for (TODVPoSet_Types extra : extras) {
    TExtraParam param;
    param.ParamType = extra;
    type.ExtraParams.push_back(param);
  }
  return type;
}

// Each extra parameter's group in both styles; the two tables list the same parameters in the
// same order.
const auto& kGroups = ExtraParamGroups<TModel>;
const auto& kSparseGroups = ExtraParamGroups<TSparseModel>;

// A layer with every field set to a value of its own, and the sparse layer it converts to.
const TLayer kLayer{.Res = 1,
                    .ResStart = 2,
                    .ResApriSTD = 3,
                    .ResSTDCoup = 4,
                    .ResSTDUncoup = 5,
                    .ResVert = 6,
                    .ResLat = {5.0f, 99.0f, 1.0f},
                    .Thk = 7,
                    .ThkStart = 8,
                    .ThkApriSTD = 9,
                    .ThkSTDCoup = 10,
                    .ThkSTDUncoup = 11,
                    .ThkVert = 12,
                    .ThkLat = {},
                    .Dep = 13,
                    .DepStart = 14,
                    .DepApriSTD = 15,
                    .DepSTDCoup = 16,
                    .DepSTDUncoup = 17,
                    .DepLat = {0.0f},
                    .Prod = 18,
                    .ProdSTD = 19,
                    .Coef = 20,
                    .CoefSTD = 21,
                    .LayerParams = {{ltChargeabilityPriVal, 25.0f}, {ltChargeabilityPriStdD, 1.5f}},
                    .LayerParamCons = {{ltChargeabilityVertStdD, {1.2f}, {}},
                                       {ltChargeabilityLatStdD, {1.5f, 2.0f, 3.0f}, {7, 7}}}};

const TSparseLayer kSparseLayer{
    .Res = 1,
    .ResStart = 2,
    .ResApriSTD = 3,
    .ResSTDCoup = 4,
    .ResSTDUncoup = 5,
    .ResVert = 6,
    .ResLat = {{1, 2, 3}, {5.0f, 99.0f, 1.0f}, 3},
    .Thk = 7,
    .ThkStart = 8,
    .ThkApriSTD = 9,
    .ThkSTDCoup = 10,
    .ThkSTDUncoup = 11,
    .ThkVert = 12,
    .ThkLat = {},
    .Dep = 13,
    .DepStart = 14,
    .DepApriSTD = 15,
    .DepSTDCoup = 16,
    .DepSTDUncoup = 17,
    .DepLat = {{1}, {0.0f}, 1},
    .Prod = 18,
    .ProdSTD = 19,
    .Coef = 20,
    .CoefSTD = 21,
    .LayerParams = {{ltChargeabilityPriVal, 25.0f}, {ltChargeabilityPriStdD, 1.5f}},
    .LayerParamCons = {{ltChargeabilityVertStdD, {1.2f}, {1}},
                       {ltChargeabilityLatStdD, {1.5f, 2.0f, 3.0f}, {1, 2, 3}}}};

// A model with every field set, each extra parameter's group to values of its own.
TModel RichModel() {
  TModel model;
  model.Title = "Sounding 7";
  model.ModelType = 4;
  model.DataFiles = {"a.tem", "b.tem"};
  model.Layers = {kLayer, kLayer};
  model.UTMX = 512345.25;
  model.UTMY = 6123456.5;
  model.Elevation = 42.5f;
  for (size_t g = 0; g < std::size(kGroups); ++g) {
    const std::array scalars = {kGroups[g].Value, kGroups[g].STD, kGroups[g].Apri,
                                kGroups[g].ApriSTD};
    for (size_t s = 0; s < scalars.size(); ++s)
      model.*scalars[s] = static_cast<float>(10 * g + s + 1);
    model.*kGroups[g].LatSTDs = {static_cast<float>(g) + 1.5f, 99.0f};
  }
  return model;
}

void ExpectGroup(const TSparseModel& sparse, const TModel& model, size_t g, bool converted) {
  const TExtraParamGroup<TModel>& group = kGroups[g];
  const TExtraParamGroup<TSparseModel>& sparseGroup = kSparseGroups[g];
  const std::array<std::pair<float TModel::*, float TSparseModel::*>, 4> scalars = {{
      {group.Value, sparseGroup.Value},
      {group.STD, sparseGroup.STD},
      {group.Apri, sparseGroup.Apri},
      {group.ApriSTD, sparseGroup.ApriSTD},
  }};
  for (size_t s = 0; s < scalars.size(); ++s)
    EXPECT_EQ(sparse.*scalars[s].second, converted ? model.*scalars[s].first : 0.0f)
        << "group " << int(group.ParamType) << ", field " << s;
  const TArrayOfSingle& dense = model.*group.LatSTDs;
  const TSparseVector expected = converted ? TSparseVector{{1, 2}, dense, 2} : TSparseVector{};
  EXPECT_EQ(sparse.*sparseGroup.LatSTDs, expected) << "group " << int(group.ParamType);
}

TSparseModel ConvertOne(const TModel& model, const TVesmarInvModelType& type) {
  TModFile file;
  file.AddModel(model, 1);
  file.SwitchToSparseFormat(type);
  return file.GetSparseModel(1);
}

TEST(SparseConversion, ModelFieldsAndLayersAreCarriedOver) {
  const TModel model = RichModel();
  const TSparseModel sparse = ConvertOne(model, TypeWithExtras({}));
  EXPECT_EQ(sparse.Title, model.Title);
  EXPECT_EQ(sparse.ModelType, model.ModelType);
  EXPECT_EQ(sparse.DataFiles, model.DataFiles);
  EXPECT_EQ(sparse.UTMX, model.UTMX);
  EXPECT_EQ(sparse.UTMY, model.UTMY);
  EXPECT_EQ(sparse.Elevation, model.Elevation);
  EXPECT_EQ(sparse.Layers, (std::vector<TSparseLayer>{kSparseLayer, kSparseLayer}));
  for (size_t g = 0; g < std::size(kGroups); ++g)
    ExpectGroup(sparse, model, g, false);
}

TEST(SparseConversion, OnlyTheModelTypesExtraParametersAreCarriedOver) {
  const TModel model = RichModel();
  for (const TExtraParamGroup<TModel>& only : kGroups) {
    const TSparseModel sparse = ConvertOne(model, TypeWithExtras({only.ParamType}));
    for (size_t g = 0; g < std::size(kGroups); ++g)
      ExpectGroup(sparse, model, g, kGroups[g].ParamType == only.ParamType);
  }

  // Every group, named in the reverse of the table's order.
  std::vector<TODVPoSet_Types> every;
  for (const TExtraParamGroup<TModel>& group : kGroups)
    every.insert(every.begin(), group.ParamType);
  const TSparseModel all = ConvertOne(model, TypeWithExtras(every));
  for (size_t g = 0; g < std::size(kGroups); ++g)
    ExpectGroup(all, model, g, true);

  const TSparseModel none =
      ConvertOne(model, TypeWithExtras({GGG_RX_ALT, GGG_TX_ALT, GGG_Rx_Pos, GGG_TIMESTAMP}));
  for (size_t g = 0; g < std::size(kGroups); ++g)
    ExpectGroup(none, model, g, false);
}

TEST(SparseConversion, SwitchConvertsEveryModelAndKeepsTheRegularOnes) {
  TModel second = RichModel();
  second.Title = "Sounding 8";
  second.Layers.resize(1);
  TModFile file;
  file.AddModel(RichModel(), 1);
  file.AddModel(second, 2);
  const TVesmarInvModelType type = TypeWithExtras({GGG_AIR_THK});

  file.SwitchToSparseFormat(type);
  EXPECT_TRUE(file.SparseFormat());
  ASSERT_EQ(file.NumberOfModels(), 2);
  EXPECT_EQ(file.GetSparseModel(1), ConvertOne(RichModel(), type));
  EXPECT_EQ(file.GetSparseModel(2), ConvertOne(second, type));
  EXPECT_EQ(file.GetModel(2), second);
}

TEST(SparseConversion, SwitchGivesTheFileNameTheSparseExtension) {
  const std::pair<const char*, const char*> names[] = {{"run.mod", "run.mo2"},
                                                       {"a.b.mod", "a.b.mo2"},
                                                       {"run", "run.mo2"},
                                                       {"runs.d/run", "runs.d/run.mo2"},
                                                       {"run.MOD", "run.mo2"}};
  for (const auto& [before, after] : names) {
    TModFile file;
    file.AddModel(RichModel(), 1);
    file.SetFileName(before);
    file.SwitchToSparseFormat(TypeWithExtras({}));
    EXPECT_EQ(file.FileName(), after);
  }
}

TEST(SparseConversion, SwitchOfAFileWithoutModels) {
  TModFile empty;
  empty.SetFileName("run.mod");
  empty.SwitchToSparseFormat(TypeWithExtras({}));
  EXPECT_EQ(TModFileInternals::Format(empty), ModelFormatSparse);
  EXPECT_EQ(empty.NumberOfModels(), 0);
  EXPECT_EQ(empty.FileName(), "run.mo2");
}

TEST(SparseConversion, SwitchLeavesASparseFileAsItIs) {
  TModFile file;
  file.AddSparseModel(ConvertOne(RichModel(), TypeWithExtras({})), 1);
  file.SetFileName("run.mod");
  file.SwitchToSparseFormat(TypeWithExtras({GGG_AIR_THK}));
  EXPECT_TRUE(file.SparseFormat());
  EXPECT_EQ(file.FileName(), "run.mod");
  ASSERT_EQ(file.NumberOfModels(), 1);
  EXPECT_EQ(file.GetSparseModel(1), ConvertOne(RichModel(), TypeWithExtras({})));
}

// Makes each allocation of the switch fail in turn: every failure reaches the caller as EPFatal
// through the steps it passed, and leaves the object as it was.
TEST(SparseConversion, AFailedSwitchChangesNothing) {
  const TVesmarInvModelType type = TypeWithExtras({GGG_AIR_THK});
  std::set<std::string> locations;
  for (long succeeding = 0;; ++succeeding) {
    TModFile file;
    file.AddModel(RichModel(), 1);
    file.AddModel(RichModel(), 2);
    file.SetFileName("run.mod");
    std::string message;
    bool failed = false;
    {
      test::FailingAllocation failing(succeeding);
      try {
        file.SwitchToSparseFormat(type);
      } catch (const EPFatal& e) {
        EXPECT_EQ(typeid(e), typeid(EPFatal));
        message = e.Message();
      }
      failed = failing.Failed();
    }
    if (!failed) {
      EXPECT_TRUE(file.SparseFormat());
      break;
    }
    const std::string cause = "\nstd::bad_alloc";
    ASSERT_TRUE(message.ends_with(cause)) << message;
    locations.insert(message.substr(0, message.size() - cause.size()));
    EXPECT_EQ(TModFileInternals::Format(file), ModelFormatRegular);
    EXPECT_EQ(file.FileName(), "run.mod");
    file.SetIsSparse(true);
    EXPECT_EQ(file.NumberOfModels(), 0);
  }
  const std::string top = "TModFile.CopyFromModelToSparseModel";
  const std::string model = top + "\nTModFile.ConvertModelToSparse";
  const std::string layer = model + "\nTModFile.ConvertLayerToSparse";
  EXPECT_EQ(locations,
            (std::set<std::string>{top, model, layer, layer + "\nLayerParams_.CopyLayerParams",
                                   model + "\nTModFile.ConvertExtraParam"}));
}

} // namespace
} // namespace kiv
