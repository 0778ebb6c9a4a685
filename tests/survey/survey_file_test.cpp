#include "survey/ParameterNames.h"
#include "survey/SurveyFile.h"
#include "testing/model/SurveyFile.h"
#include "testing/support/Failure.h"
#include "testing/support/TempDir.h"

#include <gtest/gtest.h>

namespace kiv::survey {
namespace {

TVesmarInvModelType Named(const std::string& params, const std::string& extras) {
  return ModelTypeNamed(NameList(params), NameList(extras));
}

ModelTypeChoice Given(const std::string& params, const std::string& extras, bool paramsGiven,
                      bool extrasGiven) {
  return {Named(params, extras), paramsGiven, extrasGiven, std::nullopt};
}

class SurveyFileTest : public ::testing::Test {
protected:
  test::TempDir dir_;
  // One layer-parameter block under a code that names none: Chargeability and Phi fit alike.
  std::string oneBlock_ = test::WriteSurvey({6, 3, false, Named("Sigma", ""), 0}, dir_ / "one.mod");
};

TEST_F(SurveyFileTest, AnUncertainModelTypeIsRefusedWithItsCandidatesBeforeTheBlocksAreRead) {
  EXPECT_EQ(test::Failure([&] { SurveyFile::Read(oneBlock_, {}); }),
            test::Expected("UncertainModelType",
                           "The model type of one.mod is not certain: its models have 1 "
                           "layer-parameter block and 0 extra-parameter lines, which several "
                           "model types have. It may be:\n"
                           "  Resistivity, Chargeability; no extra parameters\n"
                           "  Resistivity, Phi; no extra parameters\n"
                           "  Resistivity, TauRho; no extra parameters\n"
                           "  Resistivity, C; no extra parameters\n"
                           "  Resistivity, TauPhi; no extra parameters\n"
                           "  and 6 more"));
}

TEST_F(SurveyFileTest, AChoiceSettlesTheModelType) {
  EXPECT_EQ(ModelTypeText(SurveyFile::Read(oneBlock_, Given("Sigma", "", true, true))->ModelType()),
            "Resistivity, Sigma; no extra parameters");
  // The parameters given alone: the extra parameters come from the finding.
  const auto partly = SurveyFile::Read(oneBlock_, Given("Sigma", "", true, false));
  EXPECT_EQ(ModelTypeText(partly->ModelType()), "Resistivity, Sigma; no extra parameters");
  EXPECT_EQ(partly->Count(), 6u);
  // A choice remembered is taken where it lays out the blocks, else the finding decides.
  ModelTypeChoice preferred;
  preferred.preferred = Named("Phi", "");
  EXPECT_EQ(SurveyFile::Read(oneBlock_, preferred)->ModelTypeReason(), "chosen before");
  preferred.preferred = Named("Phi,TauPhi", "");
  EXPECT_THROW(SurveyFile::Read(oneBlock_, preferred), UncertainModelType);
}

TEST_F(SurveyFileTest, AFileThatDoesNotReadNamesItsLineAndKeepsTheLibrarysFailure) {
  const std::string path = dir_ / "s.mod";
  const std::string text = test::ReadFile(
      test::WriteSurvey({6, 3, false, Named("Chargeability,TauRho", "Altitude,Pitch"), 6}, path));
  // The start of line n (from 1): the fourth model's block starts on line 58, after a header of
  // nine lines and three blocks of sixteen; its resistivity lines follow two extra lines.
  const auto lineStart = [&](int n) {
    std::size_t at = 0;
    for (int line = 1; line < n; ++line)
      at = text.find('\n', at) + 1;
    return at;
  };
  struct Row {
    std::size_t at;
    std::int64_t line;
    std::string cause;
  };
  const Row rows[] = {
      {text.find('3', lineStart(58)), 58, "TModFile.ReadModelGeneral\nInvalid numeric input"},
      {lineStart(61) + 3, 61, "Error reading file: " + path + " in TModfile.ReadLine"},
  };
  for (const Row& row : rows) {
    std::string damaged = text;
    damaged[row.at] = 'x';
    test::WriteFile(path, damaged);
    try {
      SurveyFile::Read(path, {});
      ADD_FAILURE() << "no failure";
    } catch (const ReadFailure& e) {
      EXPECT_EQ(e.Message(), "s.mod, line " + std::to_string(row.line) + ": Invalid numeric input");
      EXPECT_EQ(e.Line(), row.line);
      EXPECT_EQ(e.Reason(), "Invalid numeric input");
      EXPECT_EQ(e.CauseMessage(), row.cause);
    }
  }
}

TEST_F(SurveyFileTest, SavesInTheStyleAndLayoutAskedButNotFromSparseToRegular) {
  const std::string path = test::WriteSurvey({6, 3, false, std::nullopt, 6}, dir_ / "a.mod");
  const std::unique_ptr<SurveyFile> survey = SurveyFile::Read(path, {});
  EXPECT_THROW(survey->SaveAs(dir_ / "missing/b.mo2", FileStyle::Sparse, FileLayout::Older), EPelo);
  EXPECT_FALSE(survey->Sparse());
  EXPECT_EQ(survey->FileName(), path);
  EXPECT_EQ(survey->Layout(), FileLayout::General);
  survey->SaveAs(dir_ / "b.mo2", FileStyle::Sparse, FileLayout::Older);
  EXPECT_TRUE(survey->Sparse());
  EXPECT_EQ(survey->FileName(), dir_ / "b.mo2");
  EXPECT_EQ(test::Failure(
                [&] { survey->SaveAs(dir_ / "c.mod", FileStyle::Regular, FileLayout::General); }),
            test::Expected("EPelo", "A file in the sparse style cannot be saved in the regular "
                                    "style: the library converts regular models to sparse ones, "
                                    "not back"));
  EXPECT_EQ(SurveyFile::Read(dir_ / "b.mo2", {})->Count(), 6u);
  EXPECT_EQ(StyleOfName("x.MO2"), FileStyle::Sparse);
  EXPECT_EQ(StyleOfName("x.mo2.mod"), FileStyle::Regular);
}

} // namespace
} // namespace kiv::survey
