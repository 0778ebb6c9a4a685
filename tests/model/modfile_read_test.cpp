#include "model/ModFile_.h"
#include "platform/testing/FaultInjection.h"
#include "testing/model/ModelFileFixtures.h"
#include "testing/model/ModelPrinters.h"
#include "testing/support/Failure.h"

#include <gtest/gtest.h>
#include <optional>
#include <type_traits>

namespace kiv {
namespace {

using platform::testing::Fault;
using platform::testing::Operation;
using platform::testing::ScopedFault;
using test::Header;
using test::MakeModelType;
using test::ModelFile;
using test::TempDir;

using test::Expected;
using test::Failure;

float Factor(double number) {
  return static_cast<float>(number + 1.0);
}

TEST(ModFileHeader, SettingsLineForms) {
  struct Case {
    const char* settings;
    std::int32_t lciMode;
    bool isLCI;
    bool sharp;
    std::int32_t sharpApriori;
    float sharpVertical;
    float sharpHorizontal;
    std::int32_t smoothInvType;
  };
  const Case cases[] = {
      {"1 2", 2, true, false, -1, -1, -1, 1},
      {"1,2", 2, true, false, -1, -1, -1, 1},
      {"  1 ,\t 3  ", 3, false, false, -1, -1, -1, 1},
      {"\"1\" \"0\"", 0, true, false, -1, -1, -1, 1},
      {"1 2 1 0.5 2.5", 2, true, true, 1, 0.5f, 2.5f, 1},
      {"1 2 -1.00 1.00 1.00 3", 2, true, false, -1, -1, -1, 0},
      {"1 5 7", 5, false, false, -1, -1, -1, 1},
      {"1 2 1 0.5 2.5 3 4", 2, true, false, -1, -1, -1, 1},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string path = ModelFile(dir, "a.mod", Header(c.settings, {"1 5 a.tem"}));
    EXPECT_EQ(Failure([&] { TModFile::CheckHeader(path); }).first, "nothing") << c.settings;
    const TModFile file(path, true);
    EXPECT_EQ(file.LCIMode(), c.lciMode) << c.settings;
    EXPECT_EQ(file.IsLCI(), c.isLCI) << c.settings;
    EXPECT_EQ(file.EnableSharpInversion(), c.sharp) << c.settings;
    EXPECT_EQ(file.UseSharpApriori(), c.sharpApriori) << c.settings;
    EXPECT_EQ(file.SharpVertical(), c.sharpVertical) << c.settings;
    EXPECT_EQ(file.SharpHorizontal(), c.sharpHorizontal) << c.settings;
    EXPECT_EQ(file.SmoothInvType(), c.smoothInvType) << c.settings;
    EXPECT_EQ(file.MaxIterations(), 50);
    EXPECT_EQ(file.CommentLine(), "comment");
  }
}

TEST(ModFileHeader, DamagedHeadersFailWithTheHeaderMessage) {
  const char* damaged[] = {
      "comment\r\n3\r\n",                           // a single field
      "comment\r\n1 x\r\n1 5 a\r\n50\r\n",          // a field that is not an integer
      "comment\r\n1 0x10\r\n1 5 a\r\n50\r\n",       // hexadecimal
      "comment\r\n1 -1\r\n1 5 a\r\n50\r\n",         // a negative constraint mode
      "comment\r\n1 2 1 x 2.5\r\n1 5 a\r\n50\r\n",  // a sharp setting that is not a real
      "comment\r\n1 2\r\n1 5.5 a\r\n50\r\n",        // a model type that is not an integer
      "comment\r\n1 2\r\n1 5 a\r\nfifty\r\n",       // the iteration line
      "comment\r\n2147483647 2\r\n1 5 a\r\n50\r\n", // more data-file lines than the file holds
      "",
  };
  for (const char* content : damaged) {
    TempDir dir;
    const std::string path = ModelFile(dir, "a.mo2", content);
    EXPECT_EQ(Failure([&] { TModFile file(path, true); }),
              Expected("EPelo", "Error reading file: " + path + " in ModFile.ReadHeader"))
        << content;
    EXPECT_EQ(Failure([&] { TModFile::CheckHeader(path); }),
              Expected("EPelo", "Error reading file: " + path + " in ModFile.ReadHeader"))
        << content;
  }
}

TEST(ModFileHeader, DataFileLinesGroupIntoModels) {
  struct Case {
    std::initializer_list<std::string_view> lines;
    std::vector<std::vector<std::string>> dataFiles;
    std::vector<std::int32_t> modelTypes;
    size_t dataLineCount = 0; // when the lines are not one to a physical line
  };
  const Case cases[] = {
      {{"1 5 a", "1 6 b", "2 7 c"}, {{"a", "b"}, {"c"}}, {6, 7}},
      {{"2 5 a", "3 6 b"}, {{}, {"a"}, {"b"}}, {0, 5, 6}},
      {{"1 5 a", "2 6 b", "1 7 c"}, {{"a"}, {"b"}, {"c"}}, {5, 6, 7}},
      {{}, {{}}, {0}},
      {{"1 4   inner blank.tem  \t ", "1\t4\tx"}, {{"inner blank.tem", "x"}}, {4}},
      {{"1", "5 name"}, {{"name"}}, {5}, 1}, // the type on the next line takes that line's rest
  };
  for (const Case& c : cases) {
    TempDir dir;
    std::string settings =
        std::to_string(c.dataLineCount != 0 ? c.dataLineCount : c.lines.size()) + " 2";
    for (const char* name : {"h.mod", "h.mo2"}) {
      TModFile file(ModelFile(dir, name, Header(settings, c.lines)), true);
      ASSERT_EQ(file.NumberOfModels(), static_cast<std::int32_t>(c.dataFiles.size()));
      std::vector<std::string> all;
      for (std::int32_t i = 0; i < file.NumberOfModels(); ++i) {
        const bool sparse = file.SparseFormat();
        const auto& files =
            sparse ? file.GetSparseModel(i + 1).DataFiles : file.GetModel(i + 1).DataFiles;
        EXPECT_EQ(files, c.dataFiles[static_cast<size_t>(i)]);
        EXPECT_EQ(sparse ? file.GetSparseModel(i + 1).ModelType : file.GetModel(i + 1).ModelType,
                  c.modelTypes[static_cast<size_t>(i)]);
        EXPECT_EQ(file.GetNumberOfDataFiles(i), static_cast<std::int32_t>(files.size()));
        EXPECT_EQ(file.GetNumberOfLayers(i + 1), 0);
        all.insert(all.end(), files.begin(), files.end());
      }
      EXPECT_EQ(file.GetDataFileNames(), all);
    }
  }
}

TEST(ModFileHeader, ExtensionDecidesTheStyle) {
  for (auto [name, sparse] :
       {std::pair{"a.MO2", true}, std::pair{"a.mo2", true}, std::pair{"a.Mo2", true},
        std::pair{"a.mod", false}, std::pair{"a.txt", false}, std::pair{"a.mo2.bak", false}}) {
    TempDir dir;
    const TModFile file(ModelFile(dir, name, Header("1 2", {"1 5 a"})), true);
    EXPECT_EQ(file.SparseFormat(), sparse) << name;
  }
}

// The constructors take a model type or the header-only flag; a pointer to a model type, which
// would become the flag, does not compile.
static_assert(std::is_constructible_v<TModFile, std::string, const TVesmarInvModelType&>);
static_assert(std::is_constructible_v<TModFile, const char*, bool>);
static_assert(!std::is_constructible_v<TModFile, std::string, const TVesmarInvModelType*>);
static_assert(!std::is_constructible_v<TModFile, std::string, TVesmarInvModelType*>);
static_assert(!std::is_constructible_v<TModFile, std::string, int>);

TEST(ModFileOpen, FailuresToOpenOrWithoutAModelType) {
  TempDir dir;
  const std::string missing = dir / "missing.mod";
  EXPECT_EQ(Failure([&] { TModFile file(missing, true); }),
            Expected("EPelo", "Error opening model file: " + missing));
  EXPECT_EQ(Failure([&] { TModFile file(dir.path(), true); }),
            Expected("EPelo", "Error opening model file: " + dir.path()));
  const std::string path = ModelFile(dir, "a.mod", Header("1 2", {"1 5 a"}));
  EXPECT_EQ(Failure([&] { TModFile file(path, false); }),
            Expected("EPelo", "A model type is needed to read the models of " + path));
}

// A model file held in memory: its name decides the style and stands in the messages, and no
// file of that name is touched.
TEST(ModFileOpen, AFileHeldInMemoryIsKnownByItsName) {
  const TVesmarInvModelType plain = MakeModelType({}, {});
  const std::string header = Header("1 2", {"1 5 a"});
  TModFile file;
  file.OpenFromMemory("held/a.MO2", header + "1 0 0 0\r\n10 1 1 2 0.5\r\n", false, &plain);
  EXPECT_TRUE(file.SparseFormat());
  EXPECT_EQ(file.FileName(), "held/a.MO2");
  EXPECT_EQ(file.GetSparseModel(1).Layers[0].ResLat.Indices, TArrayOfInteger{2});
  file.OpenFromMemory("held/a.mod", header, true, nullptr);
  EXPECT_FALSE(file.SparseFormat());
  EXPECT_EQ(file.GetDataFileNames(), std::vector<std::string>{"a"});

  struct Case {
    std::string content;
    bool headerOnly;
    const char* message;
  };
  const Case cases[] = {
      {"comment\r\n3\r\n", true, "Error reading file: held/a.mod in ModFile.ReadHeader"},
      {header + "1 0 0 0\r\nx 1\r\n", false, "Error reading file: held/a.mod in TModfile.ReadLine"},
      {"", true, "Error reading file: held/a.mod in ModFile.ReadHeader"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Failure([&] {
                file.OpenFromMemory("held/a.mod", c.content, c.headerOnly,
                                    c.headerOnly ? nullptr : &plain);
              }),
              Expected("EPelo", c.message))
        << c.content;
  EXPECT_EQ(Failure([&] { file.OpenFromMemory("held/a.mod", header, false, nullptr); }),
            Expected("EPelo", "A model type is needed to read the models of held/a.mod"));
}

// One model of the given layer count at 1, 2, 3 in a file with constraint mode L and N models.
std::string Blocks(std::int32_t models, const char* block) {
  std::string text;
  for (std::int32_t i = 0; i < models; ++i)
    text += block;
  return text;
}

TEST(ModFileRegular, LateralNeighboursFollowTheConstraintMode) {
  struct Case {
    std::int32_t lciMode;
    std::int32_t models;
    std::vector<size_t> lateral;
  };
  const Case cases[] = {
      {3, 4, {2, 2, 1, 0}}, {2, 3, {1, 1, 0}}, {1, 3, {0, 0, 0}}, {0, 2, {0, 0}}, {9, 2, {1, 0}}};
  const TVesmarInvModelType type = MakeModelType({GGG_AIR_THK}, {ltChargeability});
  for (const Case& c : cases) {
    std::vector<std::string_view> lines;
    std::vector<std::string> names;
    for (std::int32_t i = 0; i < c.models; ++i)
      names.push_back(std::to_string(i + 1) + " 5 f");
    for (const std::string& name : names)
      lines.push_back(name);
    // Two layers: every line holds more numbers than any case reads; the rest are ignored.
    const char* block = "2 1 2 3\n"
                        "30 0.1 0.2 0.2 0.2 0.2\n"
                        "10 0.5 0.2 0.3 0.3 0.3\n20 0.5 0.2 0.3 0.3 0.3\n"
                        "7 0.5 0.2 0.3 0.3 0.3\n8 0.5 0.2 0.3 0.3 0.3\n"
                        "5 0.5 0.3 0.3 0.3 0.3\n5 0.5 0.3 0.3 0.3 0.3\n";
    std::string content = "c\n" + std::to_string(c.models) + " " + std::to_string(c.lciMode) + "\n";
    for (const std::string& name : names)
      content += name + "\n";
    content += "50\n" + Blocks(c.models, block);
    TempDir dir;
    TModFile file(ModelFile(dir, "l.mod", content), type);
    ASSERT_EQ(file.NumberOfModels(), c.models);
    for (std::int32_t i = 0; i < c.models; ++i) {
      const TModel model = file.GetModel(i + 1);
      const size_t n = c.lateral[static_cast<size_t>(i)];
      EXPECT_EQ(model.AltitudeLatSTDs, TArrayOfSingle(n, Factor(0.2))) << c.lciMode << " " << i;
      const TLayer& top = model.Layers[0];
      EXPECT_EQ(top.ResLat, TArrayOfSingle(n, Factor(0.3)));
      EXPECT_EQ(top.DepLat, TArrayOfSingle(n, Factor(0.3)));
      EXPECT_EQ(top.LayerParamCons[1].Values, TArrayOfSingle(n, Factor(0.3)));
      EXPECT_EQ(model.Layers[1].ThkLat, TArrayOfSingle(n, 0.0f)); // no line, zeros
      const bool vertical = c.lciMode > 0;
      EXPECT_EQ(top.ResVert, vertical ? Factor(0.2) : 0.0f);
      EXPECT_EQ(top.LayerParamCons[0].Values, TArrayOfSingle{vertical ? Factor(0.2) : 0.0f});
      EXPECT_EQ(top.ThkVert, 0.0f); // the only thickness line is the last one
      EXPECT_EQ(model.Layers[1].ResVert, 0.0f);
    }
  }
}

TEST(ModFileRegular, FactorRulesPerKindOfLine) {
  struct Case {
    const char* number;
    float resFactor;   // resistivity, layer-parameter, thickness and depth lines
    float extraFactor; // extra-parameter lines
    float sparseFactor;
  };
  const Case cases[] = {
      {"-1", 99, 0, 99},
      {"150", 99, 151, 99},
      {"98.5", 99.5f, 99.5f, 99},
      {"0.3", Factor(0.3), Factor(0.3), Factor(0.3)},
      {"0", 1, 1, 1},
      {"99", 100, 100, 99},
      {"100000", 99, 100001, 99},
      {"-0.0", 1, 1, 1},
  };
  const TVesmarInvModelType type = MakeModelType({GGG_PITCH}, {});
  for (const Case& c : cases) {
    const std::string f = c.number;
    TempDir dir;
    const std::string regular = Header("2 2", {"1 5 a", "2 5 b"}) + "1 0 0 0\n7 " + f + " " + f +
                                "\n10 " + f + " " + f + " " + f + "\n1 0 0 0\n7 1\n10 1\n";
    TModFile file(ModelFile(dir, "f.mod", regular), type);
    const TModel model = file.GetModel(1);
    EXPECT_EQ(model.Layers[0].ResApriSTD, c.resFactor) << f;
    EXPECT_EQ(model.Layers[0].ResLat, TArrayOfSingle{c.resFactor}) << f;
    EXPECT_EQ(model.Layers[0].ResVert, 0.0f) << "the last layer has no vertical factor";
    EXPECT_EQ(model.PitchApriSTD, c.extraFactor) << f;
    EXPECT_EQ(model.PitchLatSTDs, TArrayOfSingle{c.extraFactor}) << f;

    const std::string sparse = Header("2 2", {"1 5 a", "2 5 b"}) + "1 0 0 0\n7 " + f + " 1 1 " + f +
                               "\n10 " + f + " 1 2 " + f + "\n1 0 0 0\n7 1 0\n10 1 0\n";
    TModFile sparseFile(ModelFile(dir, "f.mo2", sparse), type);
    const TSparseModel sparseModel = sparseFile.GetSparseModel(1);
    EXPECT_EQ(sparseModel.Layers[0].ResApriSTD, c.sparseFactor) << f;
    EXPECT_EQ(sparseModel.Layers[0].ResLat, (TSparseVector{{2}, {c.sparseFactor}, 1})) << f;
    EXPECT_EQ(sparseModel.PitchApriSTD, c.sparseFactor) << f;
    EXPECT_EQ(sparseModel.PitchLatSTDs, (TSparseVector{{1}, {c.sparseFactor}, 1})) << f;
  }
}

TEST(ModFileRegular, ResistivityLineOfATopLayer) {
  TempDir dir;
  const std::string content =
      Header("2 2", {"1 5 a", "2 5 b"}) + "2 0 0 0\n10 -1 0.2 0.5\n20 150 0.2 0.5\n5 0 0\n5 0\n";
  TModFile file(ModelFile(dir, "r.mod", content), MakeModelType({}, {}));
  const TLayer top = file.GetModel(1).Layers[0];
  EXPECT_EQ(top.ResStart, 10.0f);
  EXPECT_EQ(top.ResApriSTD, 99.0f);
  EXPECT_EQ(top.ResVert, Factor(0.2));
  EXPECT_EQ(top.ResLat, TArrayOfSingle{1.5f});
  EXPECT_EQ(file.GetModel(1).Layers[1].ResApriSTD, 99.0f);

  const std::string sparse = Header("2 2", {"1 5 a", "2 5 b"}) +
                             "2 0 0 0\n10 98.5 0.2 2 1 2 0.5 -1\n20 0 0\n5 0 0 0\n5 0 0\n";
  TModFile sparseFile(ModelFile(dir, "r.mo2", sparse), MakeModelType({}, {}));
  const TSparseLayer sparseTop = sparseFile.GetSparseModel(1).Layers[0];
  EXPECT_EQ(sparseTop.ResApriSTD, 99.0f);
  EXPECT_EQ(sparseTop.ResVert, Factor(0.2));
  EXPECT_EQ(sparseTop.ResLat, (TSparseVector{{1, 2}, {1.5f, 99.0f}, 2}));
}

TEST(ModFileRegular, OneLayerModelsHaveNoThicknessOrDepthLines) {
  TempDir dir;
  const std::string content =
      Header("2 2", {"1 5 a", "2 5 b"}) + "1 1 2 3\n10 1 0.5\n1 4 5 6\n20 1\n";
  TModFile file(ModelFile(dir, "one.mod", content), MakeModelType({}, {}));
  const TModel first = file.GetModel(1);
  ASSERT_EQ(first.Layers.size(), 1u);
  EXPECT_EQ(first.Layers[0].ResStart, 10.0f);
  EXPECT_EQ(first.Layers[0].ThkStart, 0.0f);
  EXPECT_EQ(first.Layers[0].DepApriSTD, 0.0f);
  EXPECT_EQ(file.GetModel(2).UTMX, 4.0);
  EXPECT_EQ(file.GetModel(2).Layers[0].ResStart, 20.0f);
}

TEST(ModFileRegular, AFileEndingInsideABlockReadsTheRestAsZero) {
  const TVesmarInvModelType type = MakeModelType({GGG_AIR_THK}, {ltTau});
  for (const char* name : {"end.mod", "end.mo2"}) {
    TempDir dir;
    TModFile file(ModelFile(dir, name, Header("2 3", {"1 5 a", "2 5 b"}) + "3 1 2 3\n30 0.1 1"),
                  type);
    ASSERT_EQ(file.NumberOfModels(), 2);
    EXPECT_EQ(file.GetNumberOfLayers(1), 3);
    EXPECT_EQ(file.GetNumberOfLayers(2), 0);
  }
}

TEST(ModFileEscalation, ChainsOfLocations) {
  const TVesmarInvModelType rxAltitude = MakeModelType({GGG_RX_ALT}, {});
  const TVesmarInvModelType thickness = MakeModelType({}, {ltThickness});
  const TVesmarInvModelType plain = MakeModelType({}, {});
  struct Case {
    const char* name;
    std::string body;
    const TVesmarInvModelType* type;
    const char* cls;
    std::string message; // {file} stands for the file's path
  };
  const std::string header = Header("1 2", {"1 5 a"});
  const Case cases[] = {
      {"x.mod", "1 0 0 0\n5 1\n", &rxAltitude, "EPFatal",
       "TModFile.ReadModelGeneral\nTModFile.ReadExtraParam\n"
       "Unknown extra parameter! Please report this error!"},
      {"x.mo2", "1 0 0 0\n5 1 0\n", &rxAltitude, "EPFatal",
       "TModFile.ReadSparseModelGeneral\nTModFile.ReadSparseExtraParam\n"
       "Unknown extra parameter! Please report this error!"},
      {"x.mod", "1 0 0 0\n", &thickness, "EPFatal",
       "TModFile.ReadModelGeneral\nTAllLayerParamSets.GetParamSet\n"
       "Layer parameter not found! Please report this error"},
      {"x.mod", "1 0 zero 0\n10 1\n", &plain, "EPFatal",
       "TModFile.ReadModelGeneral\nInvalid numeric input"},
      {"x.mod", "1 0 0 0\n10 1e999\n", &plain, "EPelo",
       "Error reading file: {file} in TModfile.ReadLine"},
      {"x.mod", "1 0 0 0\n1e39 1\n", &plain, "EPelo",
       "Error reading file: {file} in TModfile.ReadLine"},
      {"x.mo2", "1 0 0 0\n10 1 1 x 1\n", &plain, "EPFatal",
       "TModFile.ReadSparseModelGeneral\nTModFile.ReadSparseLine\nInvalid numeric input"},
      {"x.mo2", "1 0 0 0\n10 1 -1\n", &plain, "EPFatal",
       "TModFile.ReadSparseModelGeneral\nTModFile.ReadSparseLine\nInvalid number of neighbours: "
       "-1"},
      {"x.mod", "-1 0 0 0\n", &plain, "EPFatal",
       "TModFile.ReadModelGeneral\nInvalid number of layers: -1"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string path = ModelFile(dir, c.name, header + c.body);
    std::string message = c.message;
    if (const size_t at = message.find("{file}"); at != std::string::npos)
      message.replace(at, 6, path);
    EXPECT_EQ(Failure([&] { TModFile file(path, *c.type); }), Expected(c.cls, message)) << c.body;
  }
}

TEST(ModFileHostileCounts, WhatAFileClaimsIsBoundedByItsSize) {
  TempDir dir;
  const std::string header = Header("1 2", {"1 5 a"});
  const TVesmarInvModelType plain = MakeModelType({}, {});
  // A file may claim 64 bytes of memory per byte of its size plus 16 MiB in all; one model of one
  // layer has claimed its records before the count of neighbours of 8 bytes each.
  const auto content = [&](std::int64_t count) {
    return header + "1 0 0 0\n10 1 " + std::to_string(count) + "\r\n";
  };
  const std::uint64_t size = content(2000000).size();
  const std::uint64_t records = sizeof(TSparseModel) + sizeof(std::string) + sizeof(TSparseLayer);
  const auto bound = static_cast<std::int64_t>((64 * size + 16 * 1024 * 1024 - records) / 8);
  ASSERT_EQ(content(bound).size(), size);
  TModFile atBound(ModelFile(dir, "m.mo2", content(bound)), plain);
  EXPECT_EQ(atBound.GetSparseModel(1).Layers[0].ResLat.NumValues, bound);
  EXPECT_EQ(atBound.GetSparseModel(1).Layers[0].ResLat.Values.size(), static_cast<size_t>(bound));

  for (std::int64_t count : {bound + 1, std::int64_t{2147483647}}) {
    const std::string path = ModelFile(dir, "m.mo2", content(count));
    EXPECT_EQ(Failure([&] { TModFile file(path, plain); }),
              Expected("EPFatal", "TModFile.ReadSparseModelGeneral\nTModFile.ReadSparseLine\n"
                                  "Invalid number of neighbours: " +
                                      std::to_string(count) +
                                      " cannot be held by the rest of the file"));
  }
  for (const char* name : {"n.mod", "n.mo2"}) {
    const std::string path = ModelFile(dir, name, header + "2000000000 0 0 0\n");
    EXPECT_EQ(Failure([&] { TModFile file(path, plain); }).first, "EPFatal") << name;
  }
}

TEST(ModFileModels, AddingAndQueryingWithEveryMessage) {
  TModFile file;
  EXPECT_EQ(file.NumberOfModels(), 0);
  EXPECT_EQ(file.GetNumberOfDataFiles(0), 0);
  EXPECT_EQ(Failure([&] { file.AddDatafile("a", 1); }), Expected("EPelo", "No model type set."));
  EXPECT_EQ(Failure([&] { file.AddDatafile("a", 2); }), Expected("EPelo", "Invalid model number"));
  EXPECT_EQ(Failure([&] { file.GetNumberOfLayers(1); }),
            Expected("EPelo", "Unknown model format!"));
  EXPECT_EQ(Failure([&] { file.GetDataFileNames(); }), Expected("EPelo", "Unknown model format!"));

  TModel first;
  first.Title = "first";
  TModel second;
  second.Title = "second";
  second.Layers.resize(2);
  file.AddModel(first, 1);
  file.AddModel(second, 1);
  EXPECT_FALSE(file.SparseFormat());
  EXPECT_EQ(file.GetModel(1).Title, "second");
  EXPECT_EQ(file.GetModel(2).Title, "first");
  EXPECT_EQ(file.GetNumberOfLayers(1), 2);
  for (std::int32_t bad : {0, 4, -1})
    EXPECT_EQ(Failure([&] { file.AddModel(first, bad); }),
              Expected("EPelo", "Invalid model number"));
  for (std::int32_t bad : {0, 3})
    EXPECT_EQ(Failure([&] { file.GetModel(bad); }), Expected("EPelo", "Invalid model number"));
  EXPECT_EQ(Failure([&] { file.GetNumberOfLayers(3); }), Expected("EPelo", "Invalid model number"));
  EXPECT_EQ(Failure([&] { file.AddDatafile("x", 3); }), Expected("EPelo", "Invalid model number"));
  EXPECT_EQ(Failure([&] { file.AddSparseModel(TSparseModel{}, 1); }),
            Expected("EPelo", "Cannot add sparse style models to a model file, once regular "
                              "models have been added."));
  EXPECT_EQ(Failure([&] { file.GetSparseModel(1); }), Expected("EPelo", "Invalid model number"));
  EXPECT_THROW(file.GetNumberOfDataFiles(2), std::out_of_range);

  file.AddDatafile("x.tem", 2);
  file.AddDatafile("y.tem", 1);
  file.AddDatafile("x.tem", 2);
  EXPECT_EQ(file.GetDataFileNames(), (std::vector<std::string>{"y.tem", "x.tem", "x.tem"}));
  EXPECT_EQ(file.GetNumberOfDataFiles(1), 2);

  TModFile sparse;
  sparse.AddSparseModel(TSparseModel{}, 1);
  EXPECT_TRUE(sparse.SparseFormat());
  EXPECT_EQ(Failure([&] { sparse.AddModel(first, 1); }),
            Expected("EPelo", "Cannot add regular style models to a model file, once sparse "
                              "models have been added."));
}

TEST(ModFileModels, ANewObjectNamesTheRunningProgram) {
  const TModFile file;
  EXPECT_EQ(file.CommentLine(), "Model file created by kiv_model_tests");
  {
    ScopedFault noProc(Operation::ExecutablePath,
                       Fault::LastingError(std::errc::no_such_file_or_directory));
    EXPECT_EQ(TModFile().CommentLine(), "Model file created by ");
    EXPECT_TRUE(noProc.Injected());
  }
  EXPECT_EQ(file.MaxIterations(), 50);
  EXPECT_EQ(file.ColWidth(), 12);
  EXPECT_EQ(file.ExpFormat(), "0.0000e+00");
  EXPECT_EQ(file.LinFormat(), "#####0.000");
  EXPECT_TRUE(file.UseExpFormat());
  EXPECT_EQ(file.SmoothInvType(), 1);
}

TEST(ModFileModels, OpeningASecondFileReplacesTheFirst) {
  TempDir dir;
  const TVesmarInvModelType plain = MakeModelType({}, {});
  TModFile file(ModelFile(dir, "a.mod",
                          Header("2 2", {"1 5 a", "2 5 b"}) + "1 0 0 0\n10 1 0\n1 0 0 0\n10 1\n"),
                plain);
  ASSERT_EQ(file.NumberOfModels(), 2);
  file.Open(ModelFile(dir, "b.mo2", Header("1 0", {"1 5 c"}) + "1 0 0 0\n10 1 0\n"), false, &plain);
  EXPECT_EQ(file.NumberOfModels(), 1);
  EXPECT_EQ(file.GetDataFileNames(), std::vector<std::string>{"c"});
  EXPECT_EQ(file.LCIMode(), 0);
  file.SetLCIMode(7);
  EXPECT_THROW(file.Open(dir / "missing.mod", true, nullptr), EPelo);
  EXPECT_EQ(file.NumberOfModels(), 0);
  EXPECT_EQ(file.LCIMode(), 0);
}

} // namespace
} // namespace kiv
