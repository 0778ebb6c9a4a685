// kivmod on small model files of both styles: what it exports is what the library reads, damaged
// files are named with their line, conversion both ways, diff, and the command line's mistakes.
#include "platform/AsciiText.h"
#include "survey/ParameterNames.h"
#include "survey/SurveyFile.h"
#include "survey/SurveyRows.h"
#include "testing/model/SurveyFile.h"
#include "tests/tools/kivmod/KivmodFixture.h"

#include <cmath>
#include <sstream>
#include <utility>

namespace kiv {
namespace {

using platform::testing::ChildResult;
using platform::testing::kStreamLineEnd;
using test::CsvRows;
using test::FixtureType;
using test::Kivmod;
using test::Number;

// text with every "\n" as the child's standard streams end lines.
std::string Lines(const std::string& text) {
  std::string lines;
  for (const char c : text)
    lines += c == '\n' ? kStreamLineEnd : std::string(1, c);
  return lines;
}

class KivmodTest : public ::testing::Test {
protected:
  KivmodTest() { test::WriteFile(mod_, test::kFixture); }
  // The fixture in the sparse style, converted by kivmod.
  std::string Sparse() {
    const ChildResult result = Kivmod({"convert", mod_, mo2_});
    EXPECT_EQ(result.exitCode, 0) << result.standardError;
    return mo2_;
  }

  test::TempDir dir_;
  const std::string mod_ = dir_ / "fixture.mod";
  const std::string mo2_ = dir_ / "fixture.mo2";
};

void ExpectSingle(const std::map<std::string, std::string>& row, const std::string& field,
                  float expected) {
  ASSERT_TRUE(row.contains(field)) << field;
  EXPECT_EQ(static_cast<float>(Number(row.at(field))), expected) << field << " " << row.at(field);
}

// Every value that the library reads, found in the CSV of either style, to the last bit.
TEST_F(KivmodTest, ExportedCsvOfEitherStyleHoldsTheModelsTheLibraryReads) {
  const TModFile regular(mod_, FixtureType());
  const TModFile sparse(Sparse(), FixtureType());
  for (const std::string& file : {mod_, mo2_}) {
    SCOPED_TRACE(file);
    const ChildResult result = Kivmod({"export", file});
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    const auto rows = CsvRows(result.standardOutput);
    ASSERT_EQ(rows.size(), 4u);
    size_t at = 0;
    for (std::int32_t m = 1; m <= 2; ++m) {
      const TModel model = regular.GetModel(m);
      const TSparseModel sparseModel = sparse.GetSparseModel(m);
      double top = 0;
      for (size_t l = 0; l < model.Layers.size(); ++l) {
        const auto& row = rows[at++];
        const TLayer& layer = model.Layers[l];
        EXPECT_EQ(row.at("model"), std::to_string(m));
        EXPECT_EQ(row.at("layer"), std::to_string(l + 1));
        EXPECT_EQ(Number(row.at("x")), model.UTMX);
        EXPECT_EQ(Number(row.at("y")), model.UTMY);
        EXPECT_EQ(Number(row.at("top")), top);
        ExpectSingle(row, "elevation", model.Elevation);
        ExpectSingle(row, "Resistivity", layer.ResStart);
        ExpectSingle(row, "Resistivity_prior_factor", layer.ResApriSTD);
        ExpectSingle(row, "Phi", layer.LayerParams[0].Value);
        ExpectSingle(row, "Phi_prior_factor", layer.LayerParams[1].Value);
        if (m == 1) {
          ExpectSingle(row, "Resistivity_lateral_1_factor", layer.ResLat[0]);
          EXPECT_EQ(row.at("Resistivity_lateral_1_index"),
                    std::to_string(sparseModel.Layers[l].ResLat.Indices[0]));
          ExpectSingle(row, "Phi_lateral_1_factor", layer.LayerParamCons[1].Values[0]);
        } else {
          EXPECT_EQ(row.at("Resistivity_lateral_1_factor"), "");
          EXPECT_EQ(row.at("Phi_lateral_1_factor"), "");
        }
        // No vertical constraint ties the half-space to a layer below it.
        if (l + 1 < model.Layers.size()) {
          ExpectSingle(row, "Resistivity_vertical_factor", layer.ResVert);
          ExpectSingle(row, "Phi_vertical_factor", layer.LayerParamCons[0].Values[0]);
          ExpectSingle(row, "thickness", layer.ThkStart);
          ExpectSingle(row, "thickness_prior_factor", layer.ThkApriSTD);
          ExpectSingle(row, "depth", layer.DepStart);
          ExpectSingle(row, "depth_prior_factor", layer.DepApriSTD);
          top += layer.ThkStart;
        } else {
          EXPECT_EQ(row.at("Resistivity_vertical_factor"), "");
          EXPECT_EQ(row.at("Phi_vertical_factor"), "");
          EXPECT_EQ(row.at("thickness"), "");
          EXPECT_EQ(row.at("depth"), "");
        }
      }
    }
  }
}

TEST_F(KivmodTest, ModelsSelectsTheRowsAndJsonIsAnArrayOfObjects) {
  const ChildResult result = Kivmod({"export", mod_, "--format", "json", "--models", "2"});
  ASSERT_EQ(result.exitCode, 0) << result.standardError;
  const std::string& json = result.standardOutput;
  EXPECT_EQ(json.substr(0, 43), "[\n{\"model\": 2, \"x\": 110.5, \"y\": 210.3, \"ele");
  EXPECT_EQ(json.substr(json.size() - 4), "}\n]\n");
  EXPECT_NE(json.find(", \"layer\": 2, \"top\": 11, \"thickness\": null"), std::string::npos);
}

TEST_F(KivmodTest, InfoGivesTheFactsAsTextAndJson) {
  EXPECT_EQ(Kivmod({"info", mod_}).standardOutput,
            mod_ + "\n  style: regular\n  type codes: 116\n  layer parameters: Resistivity, Phi\n"
                   "  extra parameters: none\n  models: 2\n  layers per model: 2 to 2\n"
                   "  constraint mode: 2\n  x: 100.5 to 110.5\n  y: 200.7 to 210.3\n"
                   "  comment: Fixture of kivmod\n");
  const ChildResult json = Kivmod({"info", "--json", Sparse(), "--extras", "Altitude"});
  EXPECT_EQ(json.exitCode, 1);
  EXPECT_EQ(json.standardOutput, "[\n]\n");
  EXPECT_EQ(json.standardError,
            Lines(mo2_ + ":7: TModFile.ReadSparseModelGeneral\nTModFile.ReadSparseExtraParam\n"
                         "TModFile.ReadSparseLine\nInvalid numeric input\n"
                         "  cause: Invalid numeric input\n"));
  // A file that cannot be read leaves nothing in the array, before a file that can be.
  const std::string damaged = dir_ / "damaged.mod";
  test::WriteFile(damaged, "x\r\n");
  const ChildResult skipped = Kivmod({"info", "--json", damaged, mod_});
  EXPECT_EQ(skipped.exitCode, 1);
  EXPECT_TRUE(skipped.standardOutput.starts_with("[\n{\"file\": ")) << skipped.standardOutput;
  EXPECT_EQ(Kivmod({"info", "--json", mo2_}).standardOutput,
            "[\n{\"file\": " + platform::JsonString(mo2_) +
                ", \"style\": \"sparse\", \"typeCodes\": [116], \"layerParameters\": "
                "[\"Resistivity\", \"Phi\"], \"extraParameters\": [], \"models\": 2, "
                "\"leastLayers\": 2, \"mostLayers\": 2, \"constraintMode\": 2, \"minX\": 100.5, "
                "\"maxX\": 110.5, \"minY\": 200.7, \"maxY\": 210.3, \"comment\": \"Fixture of "
                "kivmod\"}\n]\n");
}

TEST_F(KivmodTest, ConvertsToTheSparseStyleAndRefusesTheWayBack) {
  const TModFile converted(Sparse(), FixtureType());
  EXPECT_TRUE(converted.SparseFormat());
  EXPECT_EQ(converted.NumberOfModels(), 2);
  const ChildResult fromSparse = Kivmod({"export", mo2_});
  const ChildResult fromRegular = Kivmod({"export", mod_});
  EXPECT_EQ(fromSparse.exitCode, 0) << fromSparse.standardError;
  EXPECT_EQ(fromRegular.exitCode, 0) << fromRegular.standardError;
  EXPECT_EQ(fromSparse.standardOutput, fromRegular.standardOutput);

  const std::string back = dir_ / "back.mod";
  const ChildResult refused = Kivmod({"convert", mo2_, back});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.standardError,
            Lines("kivmod: error: A file in the sparse style cannot be saved in the regular style: "
                  "the library converts regular models to sparse ones, not back\n"));
  EXPECT_FALSE(test::FileExists(back));
}

TEST_F(KivmodTest, ConvertsWithinTheRegularStyleInEitherLayout) {
  const TModFile original(mod_, FixtureType());
  for (const char* layout : {"general", "older"}) {
    const std::string out = dir_ / (std::string(layout) + ".mod");
    const ChildResult result = Kivmod({"convert", "--layout", layout, mod_, out});
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    const TModFile written(out, FixtureType());
    for (std::int32_t m = 1; m <= 2; ++m)
      EXPECT_EQ(written.GetModel(m), original.GetModel(m)) << layout << " " << m;
  }
  // The general layout writes the extra parameters' lines that the older one leaves out: the
  // tenth line of a file with extra parameters tells the layouts apart.
  const std::string extras = std::string(KIV_TEST_DATA_DIR) + "/extras.mod";
  const std::pair<const char*, const char*> tenthLines[] = {
      {"general", "  0.0000e+00  1.0000e+00             -1.0000e+00"},
      {"older", "  5.0000e+01  3.0000e-01  5.0000e-01  4.0000e-01"}};
  for (const auto& [layout, tenth] : tenthLines) {
    const std::string out = dir_ / (std::string("extras-") + layout + ".mod");
    const ChildResult result = Kivmod({"convert", "--layout", layout, extras, out});
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    std::istringstream lines(test::ReadFile(out));
    std::string line;
    for (int n = 0; n < 10; ++n)
      std::getline(lines, line);
    if (line.ends_with('\r'))
      line.pop_back();
    EXPECT_EQ(line, tenth) << layout;
  }
  const ChildResult over = Kivmod({"convert", mod_, mod_});
  EXPECT_EQ(over.exitCode, 2);
  EXPECT_EQ(over.standardError, Lines("kivmod: error: convert will not write over its input " +
                                      mod_ + ": name another file (kivmod --help says more)\n"));
}

TEST_F(KivmodTest, ExportWillNotWriteOverItsInput) {
  const ChildResult over = Kivmod({"export", mod_, "-o", mod_});
  EXPECT_EQ(over.exitCode, 2);
  EXPECT_EQ(over.standardError, Lines("kivmod: error: export will not write over its input " +
                                      mod_ + ": name another file (kivmod --help says more)\n"));
  EXPECT_EQ(test::ReadFile(mod_), test::kFixture);
}

TEST_F(KivmodTest, DiffNamesTheOneChangedValue) {
  const ChildResult same = Kivmod({"diff", mod_, Sparse()});
  EXPECT_EQ(same.exitCode, 0) << same.standardError;
  EXPECT_EQ(same.standardOutput, "no differences in 2 models\n");

  std::string changed = test::kFixture;
  changed.replace(changed.find("6.1000e+00"), 10, "6.2000e+00");
  const std::string other = dir_ / "other.mod";
  test::WriteFile(other, changed);
  const ChildResult differ = Kivmod({"diff", mod_, other});
  EXPECT_EQ(differ.exitCode, 1);
  EXPECT_EQ(differ.standardOutput, "model 2, layer 2: Phi: 6.1 | 6.2\n1 difference in 1 model\n");
  EXPECT_EQ(Kivmod({"diff", "--tolerance", "0.02", mod_, other}).exitCode, 0);
  EXPECT_EQ(Kivmod({"diff", "--max", "0", mod_, other}).standardOutput,
            "1 difference in 1 model (the first 0 shown)\n");
}

struct Damage {
  const char* name;
  const char* file; // fixture.mod or fixture.mo2
  const char* from; // the fixture's text replaced
  const char* to;
  const char* expected; // what check prints after the file's name
};

void PrintTo(const Damage& damage, std::ostream* out) {
  *out << damage.name;
}

class KivmodDamage : public KivmodTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(KivmodDamage, CheckNamesTheLineWhereTheReadStopped) {
  const Damage& damage = GetParam();
  std::string text = test::kFixture;
  text.replace(text.find(damage.from), std::string(damage.from).size(), damage.to);
  const std::string file = dir_ / damage.file;
  test::WriteFile(file, text);
  const ChildResult result = Kivmod({"check", mod_, file});
  EXPECT_EQ(result.exitCode, 1);
  std::string expected = damage.expected;
  for (size_t at; (at = expected.find("FILE")) != std::string::npos;)
    expected.replace(at, 4, file);
  EXPECT_EQ(result.standardOutput, mod_ + ": ok (2 models)\n" + file + expected);
}

const Damage kDamages[] = {
    {"SettingsLineOfOneField", "damaged.mod", "2 2\r\n", "2\r\n",
     ":2: Error reading file: FILE in ModFile.ReadHeader\n"
     "  cause: The settings line needs at least two fields\n"},
    {"LetterInAFactor", "damaged.mod", "1.0000e+02  1.0000e-01", "1.0000e+02  1.0000x-01",
     ":7: Error reading file: FILE in TModfile.ReadLine\n  cause: Invalid numeric input\n"},
    {"NumberBeyondSinglePrecision", "damaged.mod", "2.0100e+02", "2.0100e+99",
     ":15: Error reading file: FILE in TModfile.ReadLine\n"
     "  cause: Floating point overflow\n"},
    {"LetterInALayerCount", "damaged.mod", "           2       110.5", "           x       110.5",
     ":13: TModFile.ReadModelGeneral\nInvalid numeric input\n  cause: Invalid numeric input\n"},
    {"LetterInASparseLine", "damaged.mo2", "1.0000e+02  1.0000e-01", "1.0000e+02  1.0000x-01",
     ":7: TModFile.ReadSparseModelGeneral\nTModFile.ReadSparseLine\nInvalid numeric input\n"
     "  cause: Invalid numeric input\n"},
};

INSTANTIATE_TEST_SUITE_P(Kivmod, KivmodDamage, ::testing::ValuesIn(kDamages),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(KivmodTest, HeaderCheckReadsTheHeaderAlone) {
  std::string text = test::kFixture;
  text.replace(text.find("1.0000e-01"), 10, "1.0000x-01");
  const std::string damaged = dir_ / "damaged.mod";
  test::WriteFile(damaged, text);
  const ChildResult result = Kivmod({"check", "--header", damaged});
  EXPECT_EQ(result.exitCode, 0) << result.standardError;
  EXPECT_EQ(result.standardOutput, damaged + ": header ok\n");
}

// Mistakes of the command line: one line on the standard error, exit code 2.
TEST_F(KivmodTest, MistakesOfTheCommandLineEndWithCodeTwoAndOneLine) {
  const std::vector<std::vector<std::string>> mistakes = {
      {},
      {"export", mod_, "--bogus"},
      {"check", dir_ / "missing.mod"},
      {"export", mod_, "--format", "xml"},
      {"export", mod_, "--models", "2-3"},
      {"export", mod_, "--params", "Phi,Nonsense"},
      {"convert", mod_, dir_.path()},
  };
  for (const auto& arguments : mistakes) {
    const ChildResult result = Kivmod(arguments);
    const std::string& error = result.standardError;
    EXPECT_EQ(result.exitCode, 2) << error;
    EXPECT_EQ(error.substr(0, 15), "kivmod: error: ") << error;
    EXPECT_EQ(error.find('\n'), error.size() - 1) << error;
    EXPECT_EQ(result.standardOutput, "");
  }
  for (const char* command : {"info", "check", "convert", "export", "diff"}) {
    const ChildResult help = Kivmod({command, "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.standardOutput.find(std::string("Usage: kivmod ") + command), std::string::npos);
  }
}

// The first line of the CSV that export writes: its field names.
std::string HeaderRow(const std::string& csv) {
  return csv.substr(0, csv.find("\r\n"));
}

// kivmod reads a file as the survey layer does, whatever its type code says: the model type and
// the field names of its info and export are the survey's, which the viewer shows too.
TEST(KivmodModelType, FilesReadAsTheSurveyLayerReadsThem) {
  test::TempDir dir;
  struct Row {
    const char* params;
    const char* extras;
    std::int32_t code;
    bool sparse;
  };
  const Row rows[] = {
      {"Chargeability,TauRho", "Altitude,Pitch", 6, false}, // the generator's default
      {"Chargeability,TauRho", "Altitude,Pitch", 6, true},
      {"Chargeability,TauRho,C", "", 11, false},
      {"Phi", "Altitude", 126, true},
      {"", "Altitude,RxAngle,TxRxDist,Pitch,Roll", 8, false},
  };
  for (const Row& row : rows) {
    const TVesmarInvModelType type =
        survey::ModelTypeNamed(survey::NameList(row.params), survey::NameList(row.extras));
    const std::string path = test::WriteSurvey({6, 4, row.sparse, type, row.code},
                                               dir / (row.sparse ? "s.mo2" : "s.mod"));
    const std::unique_ptr<survey::SurveyFile> read = survey::SurveyFile::Read(path, {});
    const survey::SurveyRows surveyRows(read->File(), read->ModelType());
    std::string names;
    for (const std::string& name : surveyRows.Names())
      names += (names.empty() ? "" : ",") + name;

    const ChildResult exported = Kivmod({"export", path});
    ASSERT_EQ(exported.exitCode, 0) << exported.standardError;
    EXPECT_EQ(HeaderRow(exported.standardOutput), names) << path;
    const std::string info = Kivmod({"info", path}).standardOutput;
    EXPECT_NE(
        info.find("  layer parameters: " +
                  survey::ModelTypeText(type).substr(0, survey::ModelTypeText(type).find(';')) +
                  "\n"),
        std::string::npos)
        << info;
    EXPECT_EQ(Kivmod({"check", path}).standardOutput, path + ": ok (6 models)\n");
  }
}

// A file that several model types fit alike is refused with each of them and the options that
// pick it; the options given settle it.
TEST(KivmodModelType, AnUncertainFileListsTheOptionsThatPickEachCandidate) {
  test::TempDir dir;
  const std::string path =
      test::WriteSurvey({6, 4, false, survey::ModelTypeNamed({"Sigma"}, {}), 0}, dir / "one.mod");
  const ChildResult refused = Kivmod({"export", path});
  EXPECT_EQ(refused.exitCode, 1);
  const std::string expected =
      "kivmod: error: the model type of one.mod is not certain: its models have 1 "
      "layer-parameter block and 0 extra-parameter lines, which several model types have. Name "
      "it with --params and --extras:\n"
      "  --params Chargeability --extras \"\"   Resistivity, Chargeability; no extra parameters\n"
      "  --params Phi --extras \"\"             Resistivity, Phi; no extra parameters\n";
  EXPECT_EQ(refused.standardError.substr(0, Lines(expected).size()), Lines(expected));
  EXPECT_NE(refused.standardError.find("  --params Sigma --extras \"\""), std::string::npos);
  EXPECT_EQ(refused.standardOutput, "");

  const ChildResult check = Kivmod({"check", path});
  EXPECT_EQ(check.exitCode, 1);
  EXPECT_EQ(check.standardOutput.substr(0, path.size() + 22), path + ": the model type of on");
  const ChildResult picked = Kivmod({"export", "--params", "Sigma", path});
  EXPECT_EQ(picked.exitCode, 0) << picked.standardError;
  EXPECT_NE(HeaderRow(picked.standardOutput).find(",Sigma,Sigma_prior_factor,"), std::string::npos);
}

} // namespace
} // namespace kiv
