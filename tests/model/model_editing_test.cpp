#include "model/ModFile_.h"
#include "model/detail/ModFileInternals.h"
#include "testing/model/ModelPrinters.h"
#include "testing/support/FailingAllocation.h"
#include "testing/support/Failure.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kiv {
namespace {

using test::Failure;

TModel Titled(const char* title) {
  TModel model;
  model.Title = title;
  model.DataFiles = {std::string(title) + ".tem"};
  return model;
}

TSparseModel SparseTitled(const char* title) {
  TSparseModel model;
  model.Title = title;
  return model;
}

TEST(ModelEditing, SetModelReplacesARegularModelWithinRange) {
  TModFile file;
  file.AddModel(Titled("first"), 1);
  file.AddModel(Titled("second"), 2);
  for (std::int32_t number : {0, 3})
    EXPECT_EQ(Failure([&] { file.SetModel(number, Titled("new")); }),
              std::make_pair(std::string("EPelo"),
                             std::string("Invalid model number in TModFile.SetModel")))
        << number;

  file.SetModel(2, Titled("new"));
  EXPECT_EQ(file.GetModel(1), Titled("first"));
  EXPECT_EQ(file.GetModel(2), Titled("new"));

  // The format does not matter: SetModel addresses the regular models.
  file.SetIsSparse(true);
  file.SetModel(1, Titled("newer"));
  EXPECT_EQ(file.GetModel(1), Titled("newer"));
}

TEST(ModelEditing, SetModelAsksToReportAnUnexpectedFailure) {
  TModFile file;
  file.AddModel(Titled("first"), 1);
  const TModel replacement = Titled("second");
  std::pair<std::string, std::string> raised;
  {
    test::FailingAllocation failing(0);
    raised = Failure([&] { file.SetModel(1, replacement); });
  }
  EXPECT_EQ(raised, std::make_pair(std::string("EPFatal"),
                                   std::string("Error in procedure TModFile.SetModel:\n\r"
                                               "std::bad_alloc\n\r"
                                               "Please report this problem.")));
  EXPECT_EQ(file.GetModel(1), Titled("first"));
}

TEST(ModelEditing, SetSparseModelReplacesASparseModelWithinRange) {
  TModFile file;
  file.AddSparseModel(SparseTitled("first"), 1);
  for (std::int32_t number : {0, 2})
    EXPECT_EQ(Failure([&] { file.SetSparseModel(number, SparseTitled("new")); }),
              std::make_pair(std::string("EPelo"),
                             std::string("Invalid model number in TModFile.SetSparseModel")))
        << number;
  file.SetSparseModel(1, SparseTitled("new"));
  EXPECT_EQ(file.GetSparseModel(1), SparseTitled("new"));
}

TEST(ModelEditing, SparseFormatPropertySetsTheFormatOnly) {
  TModFile file;
  file.AddModel(Titled("first"), 1);
  file.SetIsSparse(true);
  EXPECT_TRUE(file.SparseFormat());
  EXPECT_EQ(file.NumberOfModels(), 0);
  file.SetIsSparse(false);
  EXPECT_EQ(TModFileInternals::Format(file), ModelFormatRegular);
  EXPECT_EQ(file.GetModel(1), Titled("first"));

  TModFile unset;
  unset.SetIsSparse(false);
  EXPECT_EQ(TModFileInternals::Format(unset), ModelFormatRegular);
}

TEST(ModelEditing, CopyPropertiesCopiesTheSettingsOnly) {
  TModFile source;
  source.AddModel(Titled("source"), 1);
  source.SetFileName("source.mod");
  source.SetCommentLine("source comment");
  source.SetLCIMode(3);
  source.SetMaxIterations(17);
  source.SetEnableSharpInversion(true);
  source.SetUseSharpApriori(1);
  source.SetSharpVertical(0.5f);
  source.SetSharpHorizontal(2.5f);
  source.SetSmoothInvType(0);
  source.SetIsLCI(true);
  source.SetExpFormat("0.0e-0");
  source.SetLinFormat("0.00");
  TModFileInternals::TwoDFormat(source) = "0.0";
  source.SetUseExpFormat(false);
  source.SetColWidth(9);
  TModFileInternals::ColFormat(source) = "%9s";

  TModFile target;
  target.AddSparseModel(SparseTitled("target"), 1);
  target.SetFileName("target.mo2");
  target.SetCommentLine("target comment");
  source.CopyProperties(target);

  EXPECT_EQ(target.LCIMode(), 3);
  EXPECT_EQ(target.MaxIterations(), 17);
  EXPECT_TRUE(target.EnableSharpInversion());
  EXPECT_EQ(target.UseSharpApriori(), 1);
  EXPECT_EQ(target.SharpVertical(), 0.5f);
  EXPECT_EQ(target.SharpHorizontal(), 2.5f);
  EXPECT_EQ(target.SmoothInvType(), 0);
  EXPECT_TRUE(target.IsLCI());
  EXPECT_EQ(target.ExpFormat(), "0.0e-0");
  EXPECT_EQ(target.LinFormat(), "0.00");
  EXPECT_EQ(TModFileInternals::TwoDFormat(target), "0.0");
  EXPECT_FALSE(target.UseExpFormat());
  EXPECT_EQ(target.ColWidth(), 9);
  EXPECT_EQ(TModFileInternals::ColFormat(target), "%9s");
  EXPECT_EQ(TModFileInternals::Format(target), ModelFormatRegular);

  EXPECT_EQ(target.FileName(), "target.mo2");
  EXPECT_EQ(target.CommentLine(), "target comment");
  target.SetIsSparse(true);
  ASSERT_EQ(target.NumberOfModels(), 1);
  EXPECT_EQ(target.GetSparseModel(1), SparseTitled("target"));
  EXPECT_EQ(target.GetDataFileNames(), std::vector<std::string>{});
}

TEST(ModelEditing, CopyPropertiesPassesAnUnsetFormat) {
  TModFile source;
  TModFile target;
  target.AddSparseModel(SparseTitled("target"), 1);
  source.CopyProperties(target);
  EXPECT_EQ(TModFileInternals::Format(target), ModelFormatNotSet);
  EXPECT_EQ(target.NumberOfModels(), 0);
}

// The lengths of every dense lateral array of a model: the layers' three, then the model's seven.
std::vector<size_t> LateralLengths(const TModel& model) {
  std::vector<size_t> lengths;
  for (const TLayer& layer : model.Layers)
    for (const TArrayOfSingle* factors : {&layer.ResLat, &layer.ThkLat, &layer.DepLat})
      lengths.push_back(factors->size());
  for (const TExtraParamGroup<TModel>& group : ExtraParamGroups<TModel>)
    lengths.push_back((model.*group.LatSTDs).size());
  return lengths;
}

// Adds n models of two layers; the first one's top ResLat is `firstResLat`, every other lateral
// array of every model holds `others`.
void AddModels(TModFile& file, size_t n, const TArrayOfSingle& firstResLat,
               const TArrayOfSingle& others) {
  for (size_t i = 0; i < n; ++i) {
    TModel model;
    model.Layers.resize(2);
    for (TLayer& layer : model.Layers)
      layer.ResLat = layer.ThkLat = layer.DepLat = others;
    for (const TExtraParamGroup<TModel>& group : ExtraParamGroups<TModel>)
      model.*group.LatSTDs = others;
    if (i == 0)
      model.Layers[0].ResLat = firstResLat;
    file.AddModel(model, static_cast<std::int32_t>(i + 1));
  }
}

TEST(LateralFit, CoupledModelsGetTheWidthLessTowardsTheEnd) {
  struct Case {
    size_t models;
    TArrayOfSingle firstResLat;
    std::vector<size_t> lengths;
  };
  const Case cases[] = {
      {5, {99.0f, 5.0f, 99.0f, 99.0f}, {2, 2, 2, 1, 0}},
      {3, {99.0f, 99.0f, 99.0f, 99.0f, 5.0f}, {2, 1, 0}},
  };
  for (const Case& c : cases) {
    TModFile file;
    AddModels(file, c.models, c.firstResLat, {99.0f, 99.0f, 99.0f});
    TModFileInternals::FitLateralConstraints(file, false);
    for (size_t i = 0; i < c.models; ++i)
      EXPECT_EQ(LateralLengths(file.GetModel(static_cast<std::int32_t>(i + 1))),
                std::vector<size_t>(13, c.lengths[i]))
          << c.models << " models, model " << i + 1;
  }
}

TEST(LateralFit, AddedEntriesAreZeroUnlessTheFlagMakesTheLayersOnes99) {
  for (bool modify : {false, true}) {
    TModFile file;
    AddModels(file, 3, {5.0f, 5.0f}, {});
    TModFileInternals::FitLateralConstraints(file, modify);
    const TModel second = file.GetModel(2);
    const float layerFill = modify ? 99.0f : 0.0f;
    EXPECT_EQ(file.GetModel(1).Layers[0].ResLat, (TArrayOfSingle{5.0f, 5.0f}));
    EXPECT_EQ(second.Layers[1].DepLat, (TArrayOfSingle{layerFill}));
    EXPECT_EQ(second.AltitudeLatSTDs, (TArrayOfSingle{0.0f}));
  }
}

TEST(LateralFit, WithoutLayerCouplingEveryLateralArrayIsEmptied) {
  const float atBound = std::nextafter(98.99f, 100.0f);
  for (bool modify : {false, true}) {
    TModFile file;
    AddModels(file, 3, {1.0f, atBound, 99.0f, 0.5f}, {});
    TModel first = file.GetModel(1);
    first.AltitudeLatSTDs = {5.0f};
    first.PitchLatSTDs = {5.0f, 5.0f};
    file.SetModel(1, first);
    TModFileInternals::FitLateralConstraints(file, modify);
    for (std::int32_t number = 1; number <= 3; ++number)
      EXPECT_EQ(LateralLengths(file.GetModel(number)), std::vector<size_t>(13, 0)) << number;
  }
}

// A save fits the models and sets the mode from the width that the fitting reports when it
// changed nothing; the mode must be the one that measuring the fitted models gives.
TEST(LateralFit, TheWidthReportedByTheFittingGivesTheMeasuredMode) {
  const struct {
    size_t models;
    TArrayOfSingle firstResLat;
    TArrayOfSingle others;
    bool modify;
  } cases[] = {
      {5, {99.0f, 5.0f, 99.0f, 99.0f}, {99.0f, 99.0f, 99.0f}, false},
      {3, {99.0f, 99.0f, 99.0f, 99.0f, 5.0f}, {}, false},
      {3, {5.0f, 0.5f}, {5.0f, 0.5f}, true}, // 0.5 becomes 99, inactive as before
      {4, {5.0f}, {5.0f}, false},
      {2, {99.0f}, {99.0f}, false}, // no coupling
  };
  for (const auto& c : cases) {
    TModFile file;
    AddModels(file, c.models, c.firstResLat, c.others);
    for (int save = 1; save <= 2; ++save) { // the second finds every array fitted
      const std::optional<std::int32_t> width =
          TModFileInternals::FitLateralConstraints(file, c.modify);
      TModFileInternals::DetermineLCIMode(file);
      const std::int32_t measured = file.LCIMode();
      TModFileInternals::DetermineLCIMode(file, width);
      EXPECT_EQ(file.LCIMode(), measured) << c.models << " models, save " << save;
    }
  }
}

TEST(LateralFit, OnlyRegularFilesAreFitted) {
  TModFile file;
  AddModels(file, 2, {5.0f, 5.0f, 5.0f}, {});
  file.SetIsSparse(true);
  TModFileInternals::FitLateralConstraints(file, true);
  EXPECT_EQ(file.GetModel(1).Layers[0].ResLat, (TArrayOfSingle{5.0f, 5.0f, 5.0f}));
  EXPECT_EQ(file.GetModel(2).Layers[0].ResLat, TArrayOfSingle{});
}

TEST(LateralFit, ConstraintModeFollowsVerticalFactorsAndWidth) {
  struct Case {
    const char* what;
    float resVert;
    float thkVert;
    TArrayOfSingle resLat;
    std::int32_t mode;
  };
  const Case cases[] = {
      {"no constraint at all", 99.0f, 99.0f, {}, 0},
      {"a vertical thickness factor", 99.0f, 50.0f, {}, 1},
      {"a vertical resistivity factor", 50.0f, 99.0f, {99.0f}, 1},
      {"a width of 2", 99.0f, 99.0f, {99.0f, 5.0f}, 3},
      {"a width of 2 and a vertical factor", 50.0f, 50.0f, {99.0f, 5.0f}, 3},
      {"98.95 lies above the vertical bound", 98.95f, 99.0f, {}, 0},
      {"98.89 lies below it", 98.89f, 99.0f, {}, 1},
      {"1.0 is no constraint", 1.0f, 1.0f, {}, 0},
  };
  for (const Case& c : cases) {
    TModFile file;
    AddModels(file, 2, c.resLat, {});
    TModel second = file.GetModel(2);
    second.Layers[1].ResVert = c.resVert;
    second.Layers[1].ThkVert = c.thkVert;
    file.SetModel(2, second);
    file.SetLCIMode(7);
    TModFileInternals::DetermineLCIMode(file);
    EXPECT_EQ(file.LCIMode(), c.mode) << c.what;
  }
}

} // namespace
} // namespace kiv
