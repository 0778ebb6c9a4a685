#include "core/FormatSettings.h"
#include "model/PeloCode_.h"
#include "platform/testing/FaultInjection.h"
#include "testing/model/ModelPrinters.h"
#include "testing/support/Failure.h"
#include "testing/support/TempDir.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

namespace kiv {
namespace {

using test::TempDir;

// The smallest single-precision factor at or above the double bound 98.99. The float nearest to
// 98.99 lies just below it and so still counts as a constraint.
const float kFirstFactorAtBound = std::nextafter(98.99f, 100.0f);

TModel ModelWithLayer(TLayer layer) {
  TModel model;
  model.Layers = {TLayer{}, std::move(layer)};
  return model;
}

TEST(PeloCode, SetZeroSmoothFieldsTo99ChangesOnlyTheLayersSmallLateralFactors) {
  TLayer layer;
  layer.ResLat = {0.0f, 0.5f, 1.0f, 50.0f};
  layer.ThkLat = {-3.0f, 99.0f};
  layer.DepLat = {0.999f};
  layer.ResVert = 0.0f;
  TModel model = ModelWithLayer(layer);
  model.AltitudeLatSTDs = {0.0f};
  model.PitchLatSTDs = {0.5f};

  SetZeroSmoothFieldsTo99(model);
  EXPECT_EQ(model.Layers[1].ResLat, (TArrayOfSingle{99.0f, 99.0f, 1.0f, 50.0f}));
  EXPECT_EQ(model.Layers[1].ThkLat, (TArrayOfSingle{99.0f, 99.0f}));
  EXPECT_EQ(model.Layers[1].DepLat, (TArrayOfSingle{99.0f}));
  EXPECT_EQ(model.Layers[1].ResVert, 0.0f);
  EXPECT_EQ(model.AltitudeLatSTDs, (TArrayOfSingle{0.0f}));
  EXPECT_EQ(model.PitchLatSTDs, (TArrayOfSingle{0.5f}));
}

// Each factor is put in turn into every layer array and into the altitude and pitch arrays, at
// position 2 behind two entries of 99.
struct FactorCase {
  float factor;
  bool active;
};

const FactorCase kFactorCases[] = {
    {0.0f, false},  {1.0f, false},  {std::nextafter(1.0f, 2.0f), true}, {50.0f, true},
    {98.98f, true}, {98.99f, true}, {kFirstFactorAtBound, false},       {99.0f, false},
    {-5.0f, false},
};

TEST(PeloCode, ActiveConstraintsLieStrictlyBetweenOneAnd9899) {
  for (const FactorCase& c : kFactorCases) {
    for (auto array : {&TLayer::ResLat, &TLayer::ThkLat, &TLayer::DepLat}) {
      TLayer layer;
      layer.*array = {99.0f, 99.0f, c.factor};
      const TModel model = ModelWithLayer(layer);
      EXPECT_EQ(ModelHasCoupling(model), c.active) << c.factor;
      EXPECT_EQ(MaxLateralWidth(std::span(&model, 1)), c.active ? 3 : 0) << c.factor;
    }
    for (auto array : {&TModel::AltitudeLatSTDs, &TModel::PitchLatSTDs}) {
      TModel model = ModelWithLayer(TLayer{});
      model.*array = {99.0f, 99.0f, c.factor};
      EXPECT_FALSE(ModelHasCoupling(model)) << c.factor;
      EXPECT_EQ(MaxLateralWidth(std::span(&model, 1)), c.active ? 3 : 0) << c.factor;
    }
  }
}

TEST(PeloCode, OtherModelArraysAndVerticalFactorsAreNotLateralConstraints) {
  TLayer layer;
  layer.ResVert = 5.0f;
  layer.ThkVert = 5.0f;
  layer.LayerParamCons = {{ltChargeabilityLatStdD, {5.0f, 5.0f}, {}}};
  TModel model = ModelWithLayer(layer);
  // Of the model's own arrays only the altitude's and the pitch's count.
  for (const TExtraParamGroup<TModel>& group : ExtraParamGroups<TModel>)
    if (group.ParamType != GGG_AIR_THK && group.ParamType != GGG_PITCH)
      model.*group.LatSTDs = {5.0f, 5.0f};
  EXPECT_FALSE(ModelHasCoupling(model));
  EXPECT_EQ(MaxLateralWidth(std::span(&model, 1)), 0);
}

TEST(PeloCode, SequencesTakeAnyModelAndTheWidestEntry) {
  EXPECT_FALSE(ModelsHaveCoupling({}));
  EXPECT_EQ(MaxLateralWidth({}), 0);

  TLayer narrow;
  narrow.ResLat = {5.0f};
  TLayer wide;
  wide.DepLat = {99.0f, 99.0f, 5.0f};
  const std::vector<TModel> models = {ModelWithLayer(TLayer{}), ModelWithLayer(wide),
                                      ModelWithLayer(narrow)};
  EXPECT_TRUE(ModelsHaveCoupling(models));
  EXPECT_EQ(MaxLateralWidth(models), 3);
  EXPECT_FALSE(ModelsHaveCoupling(std::span(models).first(1)));
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

// The fixture folder of the file-list cases: regular files and a sub-folder that matches.
void MakeFileListFixture(const TempDir& dir) {
  for (const char* name :
       {"a.dat", "b.dat", ".dat", "ab.dat", "x.y.dat", "c.txt", "d.DAT", "ab", "a-b", "ba"})
    test::WriteFile(dir / name, "x");
  std::filesystem::create_directory(dir / "sub.dat");
  std::filesystem::create_directory(dir / "sub-ab");
}

// A mask and the names it lists on Linux. Windows matches without regard to case, which lists
// the extra names too; a row whose answer Wine's matcher gives differently from Windows is checked
// on Linux only.
struct FileListCase {
  const char* mask;
  std::vector<std::string> names;
  std::vector<std::string> extraWithoutCase = {};
  bool linuxOnly = false;
};

const FileListCase kFileListCases[] = {
    {".dat", {".dat", "a.dat", "ab.dat", "b.dat", "x.y.dat"}, {"d.DAT"}},
    {"*.dat", {".dat", "a.dat", "ab.dat", "b.dat", "x.y.dat"}, {"d.DAT"}},
    {"?.dat", {"a.dat", "ab.dat", "b.dat", "x.y.dat"}, {}, true},
    {"a*b", {"a-b", "ab"}},
    {".y.dat", {"x.y.dat"}},
    {".DAT", {"d.DAT"}, {".dat", "a.dat", "ab.dat", "b.dat", "x.y.dat"}},
    {"", {".dat", "a-b", "a.dat", "ab", "ab.dat", "b.dat", "ba", "c.txt", "d.DAT", "x.y.dat"}},
    {".none", {}},
};

TEST(PeloCode, BuildFileListGivesFullNamesOfTheFilesMatchingTheMask) {
  TempDir dir;
  MakeFileListFixture(dir);
  std::string folder = dir.path();
  folder.pop_back();

  for (const FileListCase& c : kFileListCases) {
    std::vector<std::string> expected;
    for (const std::string& name : c.names)
      expected.push_back(dir / name);
#ifdef _WIN32
    if (c.linuxOnly)
      continue;
    for (const std::string& name : c.extraWithoutCase)
      expected.push_back(dir / name);
    expected = Sorted(expected);
#endif
    for (const std::string& given : {folder, dir.path()}) {
      std::vector<std::string> list = {"left over"};
      BuildFileList(given, c.mask, &list);
      EXPECT_EQ(Sorted(list), expected) << c.mask << " in " << given;
    }
  }
  BuildFileList(dir.path(), ".dat", nullptr);
}

TEST(PeloCode, BuildFileListGivesNothingForAMissingOrUnreadableFolder) {
  TempDir dir;
  MakeFileListFixture(dir);
  std::vector<std::string> list = {"left over"};
  BuildFileList(dir / "absent", ".dat", &list);
  EXPECT_TRUE(list.empty());

  // Tests may run as a user whom no permission stops, so the refusal comes from the seam.
  platform::testing::ScopedFault refused(
      platform::testing::Operation::ListDirectory,
      platform::testing::Fault::Error(std::errc::permission_denied));
  list = {"left over"};
  BuildFileList(dir.path(), ".dat", &list);
  EXPECT_TRUE(refused.Injected());
  EXPECT_TRUE(list.empty());
}

TEST(PeloCode, BuildFileListEscalatesAFailingListing) {
  TempDir dir;
  platform::testing::ScopedFault fault(platform::testing::Operation::ListDirectory,
                                       platform::testing::Fault::Error(std::errc::io_error));
  std::vector<std::string> list;
  const auto [failureClass, message] =
      test::Failure([&] { BuildFileList(dir.path(), ".dat", &list); });
  EXPECT_EQ(failureClass, "EPFatal");
  // The platform layer names the call that failed, which differs between the systems, and
  // the system's own reason follows.
#ifdef _WIN32
  const std::string call = "FindFirstFileExW ";
#else
  const std::string call = "opendir ";
#endif
  const std::string located = "PeloCode_.BuildFileList\n" + call + dir.path() + ": ";
  EXPECT_EQ(message.substr(0, located.size()), located);
  EXPECT_GT(message.size(), located.size());
}

TEST(PeloCode, GetFileVersionNumbersReadsTheBuildsVersion) {
  EXPECT_EQ(GetFileVersionNumbers(KIV_VERSION_PROBE), (TFileVersionNumbers{4, 2, 0, 17}));
  TempDir dir;
  test::WriteFile(dir / "text.txt", "no version here");
  EXPECT_EQ(GetFileVersionNumbers(dir / "text.txt"), TFileVersionNumbers{});
  EXPECT_EQ(GetFileVersionNumbers(dir / "absent"), TFileVersionNumbers{});
}

TEST(PeloCode, GetApplicationVersionIsThisProgramsVersion) {
  EXPECT_EQ(GetApplicationVersion(), KIV_PROJECT_VERSION);
  // Without a path there is no version resource to read.
  platform::testing::ScopedFault noProc(
      platform::testing::Operation::ExecutablePath,
      platform::testing::Fault::LastingError(std::errc::no_such_file_or_directory));
  EXPECT_EQ(GetApplicationVersion(), "0.0.0.0");
  EXPECT_TRUE(noProc.Injected());
}

struct VersionTextCase {
  TFileVersionNumbers version;
  const char* text;
};

const VersionTextCase kVersionTexts[] = {
    {{0, 0, 0, 0}, "0.0.0.0"},
    {{1, 2, 3, 45}, "1.2.3.45"},
    {{4, 2, 0, 17}, "4.2.0.17"},
    {{99, 99, 99, 999}, "99.99.99.999"},
    {{100, 150, 155, 1000}, "1E2.1.5E2.1.6E2.1E3"},
    {{1, 2, 999, 1234}, "1.2.1E3.1.23E3"},
    {{1, 2, 3, 1235}, "1.2.3.1.24E3"},
    {{65535, 0, 0, 65535}, "6.6E4.0.0.6.55E4"},
    {{0, 0, 0, 9995}, "0.0.0.1E4"},
};

TEST(PeloCode, VersionTextSwitchesToExponentsBeyondItsDigits) {
  for (const VersionTextCase& c : kVersionTexts)
    EXPECT_EQ(VersionText(c.version), c.text);

  const char separator = ProcessFormats().DecimalSeparator;
  ProcessFormats().DecimalSeparator = ',';
  EXPECT_EQ(VersionText({1, 2, 3, 1234}), "1.2.3.1,23E3");
  ProcessFormats().DecimalSeparator = separator;
}

} // namespace
} // namespace kiv
