#include "model/ModelTypeNames.h"
#include "model/OlderLayout.h"
#include "survey/ModelTypeFinding.h"
#include "survey/ParameterNames.h"
#include "survey/SurveyFile.h"
#include "testing/model/SurveyFile.h"
#include "testing/support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kiv::survey {
namespace {

// The finding for a written survey, and the read with its likeliest model type.
ModelTypeFinding Find(const std::string& path) {
  ModelTypeFinding finding;
  TModFile file;
  file.OpenWithHeaderType(
      path,
      [&](const TModFile& header, std::string_view blocks) {
        finding = FindModelType(header, blocks);
        return finding.candidates.front();
      },
      nullptr);
  return finding;
}

std::vector<std::string> Texts(const ModelTypeFinding& finding) {
  std::vector<std::string> texts;
  for (const TVesmarInvModelType& type : finding.candidates)
    texts.push_back(ModelTypeText(type));
  return texts;
}

TVesmarInvModelType Named(const std::string& params, const std::string& extras) {
  return ModelTypeNamed(NameList(params), NameList(extras));
}

std::string Name(const test::SurveyShape& shape) {
  return ModelTypeText(test::SurveyModelType(shape)) + ", code " + std::to_string(shape.typeCode) +
         (shape.sparse ? ", sparse" : ", regular") + (shape.olderLayout ? ", older layout" : "") +
         ", mode " + std::to_string(shape.lci);
}

// Files whose model type the type code or the suite's known model types settle.
TEST(ModelTypeFinding, FindsTheModelTypeWhereTheCodeOrTheBlocksSettleIt) {
  struct Row {
    const char* params;
    const char* extras;
    std::int32_t code;
  };
  const Row rows[] = {
      {"", "", 0},                                     // resistivity alone
      {"Phi", "", 116},                                // the code's own blocks
      {"Chargeability,TauRho,C", "", 12},              //
      {"", "Altitude", 5},                             // the code's own extra lines
      {"", "Altitude,Pitch", 6},                       //
      {"", "Altitude,RxAngle,TxRxDist,Pitch,Roll", 8}, //
      {"", "Altitude,Shift", 51},                      //
      {"", "Altitude,Bias", 52},                       //
      {"Chargeability,TauRho", "Altitude,Pitch", 6},   // the code says nothing of the blocks
      {"Chargeability,TauRho,C", "Altitude", 5},       //
      {"Phi", "Altitude", 126},                        // one extra line is the altitude's
      {"Chargeability,TauRho,C", "Altitude", 6},       // a code that names more extra lines
      {"", "", 999},                                   // a code the suite does not know
  };
  test::TempDir dir;
  for (const Row& row : rows)
    for (const bool sparse : {false, true})
      for (const std::int32_t lci : {0, 2, 3}) {
        test::SurveyShape shape{12, 4, sparse, Named(row.params, row.extras), row.code};
        shape.lci = lci;
        const ModelTypeFinding finding =
            Find(test::WriteSurvey(shape, dir / (sparse ? "s.mo2" : "s.mod")));
        EXPECT_TRUE(finding.certain) << Name(shape) << ": " << finding.reason;
        EXPECT_EQ(Texts(finding).front(), ModelTypeText(*shape.type)) << Name(shape);
      }
}

// The older layout writes what each model's type code says: a regular model its extra lines and
// blocks, a sparse one its extra lines alone.
TEST(ModelTypeFinding, FindsTheOlderLayoutOfEveryTypeCode) {
  test::TempDir dir;
  for (const std::int32_t code : OlderLayoutTypeCodes())
    for (const bool sparse : {false, true}) {
      test::SurveyShape shape{12, 4, sparse, std::nullopt, code, true};
      TVesmarInvModelType expected = OlderLayoutModelType(code);
      if (sparse)
        expected.LayerParams.resize(1);
      const ModelTypeFinding finding =
          Find(test::WriteSurvey(shape, dir / (sparse ? "s.mo2" : "s.mod")));
      EXPECT_TRUE(finding.certain) << Name(shape) << ": " << finding.reason;
      EXPECT_EQ(Texts(finding).front(), ModelTypeText(expected)) << Name(shape);
    }
}

// Every parameter of the catalogue alone, under a code that names no blocks: one block could be
// any of them, so the finding asks, with the blocks the suite knows first and the right one
// among the candidates.
TEST(ModelTypeFinding, ReportsEveryParameterAloneAsAmbiguousWithItAmongTheCandidates) {
  test::TempDir dir;
  for (const TODVLayerParamSet& set : LayerParamCatalogue().LayerParamSets()) {
    if (set.LayerParam == ltRes)
      continue;
    for (const char* extras : {"", "Altitude,Pitch"})
      for (const std::int32_t code : {0, 6, 7})
        for (const bool sparse : {false, true}) {
          test::SurveyShape shape{12, 4, sparse, Named(set.LongText, extras), code};
          const ModelTypeFinding finding =
              Find(test::WriteSurvey(shape, dir / (sparse ? "s.mo2" : "s.mod")));
          const std::vector<std::string> texts = Texts(finding);
          EXPECT_FALSE(finding.certain) << Name(shape);
          EXPECT_NE(std::find(texts.begin(), texts.end(), ModelTypeText(*shape.type)), texts.end())
              << Name(shape);
          EXPECT_EQ(finding.reason, code == 6 && *extras == '\0'
                                        ? "its models have 1 layer-parameter block and 0 "
                                          "extra-parameter lines, which several model types have"
                                        : "its models have 1 layer-parameter block and " +
                                              std::string(*extras ? "2" : "0") +
                                              " extra-parameter lines, which several model "
                                              "types have")
              << Name(shape);
        }
  }
}

TEST(ModelTypeFinding, ListsTheKnownModelTypesFirst) {
  test::TempDir dir;
  const ModelTypeFinding oneBlock =
      Find(test::WriteSurvey({12, 4, false, Named("Sigma", ""), 0}, dir / "one.mod"));
  const std::vector<std::string> texts = Texts(oneBlock);
  ASSERT_EQ(texts.size(), 11u);
  EXPECT_EQ(texts[0], "Resistivity, Chargeability; no extra parameters");
  EXPECT_EQ(texts[1], "Resistivity, Phi; no extra parameters");
  EXPECT_EQ(texts[2], "Resistivity, TauRho; no extra parameters");

  // Two extra lines under a code that names none: the three pairs of the older layout.
  const ModelTypeFinding twoExtras =
      Find(test::WriteSurvey({12, 4, false, Named("Phi", "Roll,Bias"), 116}, dir / "two.mod"));
  EXPECT_FALSE(twoExtras.certain);
  const std::vector<std::string> pairs = Texts(twoExtras);
  ASSERT_GE(pairs.size(), 3u);
  EXPECT_EQ(pairs[0], "Resistivity, Phi; extra parameters Altitude, Pitch");
  EXPECT_EQ(pairs[1], "Resistivity, Phi; extra parameters Altitude, Shift");
  EXPECT_EQ(pairs[2], "Resistivity, Phi; extra parameters Altitude, Bias");
  EXPECT_NE(std::find(pairs.begin(), pairs.end(), "Resistivity, Phi; extra parameters Roll, Bias"),
            pairs.end());
}

TEST(ModelTypeFinding, ReadsAFileWhoseLinesFitNoModelTypeAsItsTypeCodeSays) {
  test::TempDir dir;
  const std::string path = dir / "damaged.mod";
  test::WriteFile(path, "damaged\r\n1 0\r\n1 116 a.tem\r\n30\r\n"
                        "           2       100.5       200.7        10.5\r\n"
                        "  1.0000e+02  1.0000e-01  2.0000e+00  3.0000e-01\r\n"
                        "  2.0000e+02\r\n");
  TModFile header(path, true);
  const ModelTypeFinding finding =
      FindModelType(header, "           2  1.0  2.0  3.0\r\n1 2 3\r\n");
  EXPECT_TRUE(finding.certain);
  EXPECT_EQ(Texts(finding), std::vector<std::string>{"Resistivity, Phi; no extra parameters"});
  EXPECT_EQ(finding.reason, "the lines of its models fit no model type; it is read as its type "
                            "code lays its models out");
}

TEST(ModelTypeFinding, AModelTypeFitsTheFileWhoseBlocksItLaysOut) {
  test::TempDir dir;
  const std::string path = test::WriteSurvey(
      {12, 4, false, Named("Chargeability,TauRho", "Altitude,Pitch"), 6}, dir / "s.mod");
  bool fits = false;
  bool other = true;
  TModFile file;
  file.OpenWithHeaderType(
      path,
      [&](const TModFile& header, std::string_view blocks) {
        fits = ModelTypeFits(header, blocks, Named("Phi,TauPhi", "Roll,Bias"));
        other = ModelTypeFits(header, blocks, Named("Phi", "Altitude,Pitch"));
        return Named("Phi,TauPhi", "Roll,Bias");
      },
      nullptr);
  EXPECT_TRUE(fits);
  EXPECT_FALSE(other);
}

TEST(ModelTypeFinding, OfAFileReadsItsHeaderAndFirstModels) {
  test::TempDir dir;
  const std::string path = test::WriteSurvey({12, 4, true, Named("Phi", ""), 0}, dir / "s.mo2");
  const ModelTypeFinding finding = FindModelTypeOfFile(path);
  EXPECT_FALSE(finding.certain);
  EXPECT_EQ(Texts(finding), Texts(Find(path)));
}

} // namespace
} // namespace kiv::survey
