#include "model/ModFile_.h"
#include "testing/model/ModelFileFixtures.h"
#include "testing/model/ModelPrinters.h"
#include "testing/support/Failure.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <typeinfo>

namespace kiv {
namespace {

using test::MakeModelType;
using test::TempDir;

using test::Expected;
using test::Failure;

// The file's lines without their CR LF ends; fails when a line lacks its CR.
std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  const std::string bytes = test::ReadFile(path);
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t end = bytes.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "the last line has no CR LF";
    if (end == std::string::npos)
      break;
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

TLayer Layer(float res, float thk) {
  TLayer layer;
  layer.ResStart = res;
  layer.ResApriSTD = 99;
  layer.ResVert = 99;
  layer.ThkStart = thk;
  layer.ThkApriSTD = 99;
  layer.ThkVert = 99;
  layer.DepStart = thk;
  layer.DepApriSTD = 99;
  return layer;
}

TModel Model(std::int32_t type, std::vector<std::string> dataFiles, size_t layers) {
  TModel model;
  model.ModelType = type;
  model.DataFiles = std::move(dataFiles);
  model.UTMX = 1000.2;
  model.UTMY = 2000;
  model.Elevation = 12.5f;
  for (size_t k = 0; k < layers; ++k)
    model.Layers.push_back(Layer(100.0f * static_cast<float>(k + 1), 5));
  return model;
}

TEST(ModFileWrite, HeaderWithoutActiveConstraints) {
  TempDir dir;
  TModFile file;
  file.SetCommentLine("A comment");
  file.AddModel(Model(5, {"/data/a.tem", "b.tem"}, 1), 1);
  file.AddModel(Model(5, {"c.tem"}, 1), 2);
  file.SetSmoothInvType(0);
  file.SetFileName(dir / "h.mod");
  file.SaveGeneral(MakeModelType({}, {}), false);
  EXPECT_EQ(file.LCIMode(), 0);
  const std::vector<std::string> lines = Lines(dir / "h.mod");
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 6),
            (std::vector<std::string>{"A comment", "3 0 -1.00 1.00 1.00 3", "1 5 a.tem",
                                      "1 5 b.tem", "2 5 c.tem", "50"}));
  // With constraint mode 0 no line carries a vertical factor, and there are no lateral columns.
  EXPECT_EQ(lines[6], "           1      1000.2      2000.0       12.50");
  EXPECT_EQ(lines[7], "  1.0000e+02 -1.0000e+00            ");
}

TEST(ModFileWrite, SharpSettingsLine) {
  TempDir dir;
  TModFile file;
  for (std::int32_t i = 1; i <= 2; ++i) {
    TSparseModel model;
    model.UTMX = 1;
    model.DataFiles = {std::string("d") + std::to_string(i)};
    model.Layers.resize(1);
    model.Layers[0].ResStart = 10;
    file.AddSparseModel(model, i);
  }
  file.SetIsLCI(true);
  file.SetEnableSharpInversion(true);
  file.SetUseSharpApriori(1);
  file.SetSharpVertical(0.5f);
  file.SetSharpHorizontal(2);
  file.SetFileName(dir / "s.mo2");
  file.SaveGeneral(MakeModelType({}, {}), false);
  EXPECT_EQ(Lines(dir / "s.mo2")[1], "2 2 1 0.5 2 ");
  file.SetSharpVertical(0.3f);
  file.Save(false);
  EXPECT_EQ(Lines(dir / "s.mo2")[1], "2 2 1 0.300000011920929 2 ");
}

// Two models whose first layer has an active thickness constraint towards the next model, so
// that every lateral array of the first model keeps one entry.
void FillCoupledPair(TModFile& file, const std::string& path) {
  TModel first = Model(5, {"a"}, 2);
  for (TLayer& layer : first.Layers) {
    layer.ResLat = {99};
    layer.ThkLat = {2.5f};
    layer.DepLat = {1};
  }
  first.Layers[0].ResStart = 100;
  first.Layers[0].ResVert = 1.5f;
  first.AltitudeApri = 30;
  first.AltitudeApriSTD = 99;
  first.AltitudeLatSTDs = {99};
  file.AddModel(first, 1);
  file.AddModel(Model(5, {"b"}, 2), 2);
  file.SetFileName(path);
}

TEST(ModFileWrite, ColumnsOfRegularLines) {
  TempDir dir;
  TModFile file;
  FillCoupledPair(file, dir / "c.mod");
  file.SaveGeneral(MakeModelType({GGG_AIR_THK}, {}), false);
  EXPECT_EQ(file.LCIMode(), 2);
  const std::vector<std::string> lines = Lines(dir / "c.mod");
  ASSERT_EQ(lines.size(), 5u + 2 * 6);
  EXPECT_EQ(lines[5], "           2      1000.2      2000.0       12.50");
  // The altitude: a blank column before its lateral factors, 99 not converted but as 100000.
  EXPECT_EQ(lines[6], "  3.0000e+01  9.8000e+01              1.0000e+05");
  EXPECT_EQ(lines[7], "  1.0000e+02 -1.0000e+00  5.0000e-01  1.0000e+05");
  EXPECT_EQ(lines[8], "  2.0000e+02 -1.0000e+00              1.0000e+05");
  EXPECT_EQ(lines[9], "  5.0000e+00 -1.0000e+00              1.5000e+00");
  EXPECT_EQ(lines[10], "  5.0000e+00 -1.0000e+00              0.0000e+00");
  // The last model has no neighbours: its altitude line ends after the factor.
  EXPECT_EQ(lines[12], "  0.0000e+00 -1.0000e+00");
}

TEST(ModFileWrite, ColumnsOfSparseLines) {
  TempDir dir;
  TModFile file;
  TSparseModel model;
  model.UTMX = 1;
  model.Layers.resize(2);
  model.Layers[0].ResStart = 100;
  model.Layers[0].ResApriSTD = 99;
  model.Layers[0].ResVert = 1.5f;
  model.Layers[0].ResLat = {{1}, {99}, 1};
  model.Layers[1].ResStart = 10;
  model.Layers[1].ResApriSTD = 1.25f;
  file.AddSparseModel(model, 1);
  file.AddSparseModel(model, 2);
  file.SetFileName(dir / "c.mo2");
  file.SaveGeneral(MakeModelType({}, {}), false);
  const std::vector<std::string> lines = Lines(dir / "c.mo2");
  ASSERT_EQ(lines[1], "0 2"); // no data files: the model blocks start on the fourth line
  EXPECT_EQ(lines[4], "  1.0000e+02 -1.0000e+00  5.0000e-01           1           1 -1.0000e+00");
  EXPECT_EQ(lines[5], "  1.0000e+01  2.5000e-01                       0");
}

TEST(ModFileWrite, WideNumbersAndTheTwoDecimalFirstColumn) {
  TempDir dir;
  TModFile file;
  TModel model = Model(12, {"a"}, 1);
  model.Layers[0].ResStart = 123456792; // as wide as its column in "######0.00"
  model.Layers[0].ResApriSTD = 1.5f;
  file.AddModel(model, 1);
  file.SetUseExpFormat(false);
  file.SetFileName(dir / "w.mod");
  file.SaveGeneral(MakeModelType({}, {}), false);
  const std::vector<std::string> lines = Lines(dir / "w.mod");
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[5], " 123456792.00       0.500            ");

  TModFile reread(dir / "w.mod", MakeModelType({}, {}));
  EXPECT_EQ(reread.GetModel(1).Layers[0].ResStart, 123456792.0f);
  EXPECT_EQ(reread.GetModel(1).Layers[0].ResApriSTD, 1.5f);
}

TEST(ModFileWrite, RefusalsAndTheirMessages) {
  TempDir dir;
  TModFile noFolder;
  FillCoupledPair(noFolder, "plain.mod");
  EXPECT_EQ(Failure([&] { noFolder.SaveGeneral(MakeModelType({}, {}), false); }),
            Expected("EPelo", "Directory does not exist: "));
  TModFile gone;
  FillCoupledPair(gone, dir / "gone/x.mod");
  EXPECT_EQ(Failure([&] { gone.Save(false); }),
            Expected("EPelo", "Directory does not exist: " + (dir / "gone/")));

  TModFile layerless;
  FillCoupledPair(layerless, dir / "l.mod");
  TModel empty = Model(5, {"c"}, 0);
  layerless.AddModel(empty, 2);
  EXPECT_EQ(Failure([&] { layerless.Save(false); }),
            Expected("EPelo", "Model 2 has no layers and cannot be written"));

  TModFile zeroPosition;
  TSparseModel origin;
  origin.Layers.resize(1);
  origin.Layers[0].ResStart = 1;
  zeroPosition.AddSparseModel(origin, 1);
  zeroPosition.SetFileName(dir / "z.mo2");
  const char* position = "Error in TModFile.WriteModel. UTMX=0, UTMY=0 and Elevation=0.";
  EXPECT_EQ(Failure([&] { zeroPosition.SaveGeneral(MakeModelType({}, {}), false); }),
            Expected("EPFatal", std::string("TModFile.WriteSparseModelGeneral\n") + position));
  EXPECT_EQ(Failure([&] { zeroPosition.Save(false); }),
            Expected("EPFatal", std::string("TModFile.WriteModel\n") + position));

  TModFile regularOrigin;
  TModel regular = Model(5, {"a"}, 1);
  regular.UTMX = regular.UTMY = regular.Elevation = 0;
  regularOrigin.AddModel(regular, 1);
  regularOrigin.SetFileName(dir / "r.mod");
  regularOrigin.Save(false);
  EXPECT_TRUE(test::FileExists(dir / "r.mod"));
}

// A picture the writer cannot use is refused when it is set, not at the next save.
TEST(ModFileWrite, UnusableNumberFormatsAreRefusedWhenSet) {
  struct Case {
    const char* picture;
    const char* reason;
  };
  const Case cases[] = {
      {"abc", "Number picture without digit placeholder: \"abc\""},
      {"0.00;0.0", "Number picture sections (;) are not supported: \"0.00;0.0\""},
  };
  TempDir dir;
  TModFile file;
  file.AddModel(Model(5, {"a"}, 1), 1);
  file.SetFileName(dir / "f.mod");
  for (const Case& c : cases) {
    for (bool exponential : {true, false}) {
      const char* property = exponential ? "ExpFormat" : "LinFormat";
      try {
        if (exponential)
          file.SetExpFormat(c.picture);
        else
          file.SetLinFormat(c.picture);
        ADD_FAILURE() << property << " took " << c.picture;
      } catch (const EPelo& e) {
        EXPECT_EQ(typeid(e), typeid(EPelo));
        EXPECT_EQ(e.Message(),
                  std::string("Invalid number format for ") + property + ": " + c.picture);
        EXPECT_EQ(e.CauseMessage(), c.reason);
      }
    }
  }
  EXPECT_EQ(file.ExpFormat(), "0.0000e+00");
  EXPECT_EQ(file.LinFormat(), "#####0.000");
  file.SetExpFormat("0.0e-0");
  file.SetLinFormat("0.0");
  file.Save(false);
  file.SetUseExpFormat(false);
  file.Save(false);
}

TEST(ModFileWrite, MissingLayerParametersPerLayout) {
  TempDir dir;
  TModFile file;
  file.AddModel(Model(11, {"a"}, 2), 1);
  file.SetFileName(dir / "p.mod");
  EXPECT_EQ(Failure([&] { file.SaveGeneral(MakeModelType({}, {ltChargeability}), false); }),
            Expected("EPFatal", "TModFile.WriteModelGeneral\n"
                                "Error - PriVal not found in model. Please report this error."));
  EXPECT_EQ(Failure([&] { file.Save(false); }),
            Expected("EPelo", "Chargeability start model parameter not found in "
                              "TModFile.WriteModel"));

  TModel withCharge = Model(11, {"a"}, 2);
  for (TLayer& layer : withCharge.Layers) {
    layer.LayerParams = {{ltChargeabilityPriVal, 20}, {ltChargeabilityPriStdD, 2}};
    layer.LayerParamCons = {{ltChargeabilityVertStdD, {99}, {}}, {ltChargeabilityLatStdD, {}, {}}};
  }
  TModFile tauMissing;
  tauMissing.AddModel(withCharge, 1);
  tauMissing.SetFileName(dir / "t.mod");
  EXPECT_EQ(Failure([&] { tauMissing.Save(false); }),
            Expected("EPelo", "Tau start model parameter not found in TModFile.WriteModel"));

  withCharge.Layers[1].LayerParams[0].Value = 0;
  tauMissing.SetModel(1, withCharge);
  EXPECT_EQ(Failure([&] { tauMissing.SaveGeneral(MakeModelType({}, {ltChargeability}), false); }),
            Expected("EPFatal", "TModFile.WriteModelGeneral\nStart Chargeability <= 0 is not "
                                "allowed (0 for layer 2)! Please report this error"));
}

TEST(ModFileWrite, AFailedSaveLeavesTheOldFileAndNoTemporary) {
  TempDir dir;
  const std::string path = dir / "keep.mod";
  test::WriteFile(path, "the user's data\r\n");
  TModFile file;
  for (std::int32_t i = 1; i <= 4; ++i)
    file.AddModel(Model(5, {std::string("m") + std::to_string(i)}, 3), i);
  TModel third = file.GetModel(3);
  third.Layers[0].ResStart = 0;
  file.SetModel(3, third);
  file.SetFileName(path);
  EXPECT_EQ(Failure([&] { file.SaveGeneral(MakeModelType({}, {}), false); }),
            Expected("EPFatal", "TModFile.WriteModelGeneral\nStart res <= 0 is not allowed (0 "
                                "for layer 1)! Please report this error"));
  EXPECT_EQ(test::ReadFile(path), "the user's data\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

  third.Layers[0].ResStart = 3;
  file.SetModel(3, third);
  file.SaveGeneral(MakeModelType({}, {}), false);
  EXPECT_EQ(TModFile(path, MakeModelType({}, {})).NumberOfModels(), 4);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

} // namespace
} // namespace kiv
