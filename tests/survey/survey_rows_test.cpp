#include "core/NumberFormat.h"
#include "survey/ParameterNames.h"
#include "survey/SurveyDiff.h"
#include "survey/SurveyFile.h"
#include "survey/SurveyRows.h"
#include "testing/model/SurveyFile.h"
#include "testing/support/TempDir.h"

#include <gtest/gtest.h>

namespace kiv::survey {
namespace {

std::string RowsText(const SurveyRows& rows) {
  std::string text;
  std::vector<Cell> model;
  std::vector<Cell> layer;
  for (std::size_t m = 0; m < rows.Models(); ++m) {
    rows.ModelPart(m, model);
    for (std::size_t l = 0; l < rows.Layers(m); ++l) {
      rows.LayerPart(m, l, layer);
      for (const std::vector<Cell>* part : {&model, &layer})
        for (const Cell& cell : *part)
          text += (cell.kind == Cell::Kind::Empty ? "-" : std::to_string(cell.number)) + ",";
      text += "\n";
    }
  }
  return text;
}

// The rows of a regular file and of the sparse file converted from it are the same, and a diff of
// the two finds nothing; a value changed is named with both values.
TEST(SurveyRows, ARegularAndASparseFileGiveTheSameRowsAndDiffNamesAChange) {
  test::TempDir dir;
  const TVesmarInvModelType type = ModelTypeNamed({"Chargeability", "TauRho"}, {"Altitude"});
  const std::string regular = test::WriteSurvey({5, 3, false, type, 5}, dir / "s.mod");
  const std::unique_ptr<SurveyFile> a = SurveyFile::Read(regular, {});
  const std::unique_ptr<SurveyFile> b = SurveyFile::Read(regular, {});
  b->SaveAs(dir / "s.mo2", FileStyle::Sparse, FileLayout::General);
  const std::unique_ptr<SurveyFile> sparse = SurveyFile::Read(dir / "s.mo2", {});
  const SurveyRows rowsA(a->File(), a->ModelType());
  const SurveyRows rowsB(sparse->File(), sparse->ModelType());
  EXPECT_EQ(rowsA.Names(), rowsB.Names());
  EXPECT_EQ(rowsA.Names()[rowsA.LayerPartStart()], "layer");
  EXPECT_EQ(RowsText(rowsA), RowsText(rowsB));
  std::string text;
  std::size_t done = 0;
  EXPECT_EQ(DiffSurveys(rowsA, rowsB, {}, text, [&](std::size_t d) { done = d; }).differences, 0);
  EXPECT_EQ(text, "no differences in 5 models\n");
  EXPECT_EQ(done, 5u);

  TSparseModel changed = sparse->File().GetSparseModel(2);
  changed.Layers[1].LayerParams[2].Value = 0.25f;
  sparse->File().SetSparseModel(2, changed);
  const SurveyRows rowsC(sparse->File(), sparse->ModelType());
  text.clear();
  const DiffOutcome outcome = DiffSurveys(rowsA, rowsC, {}, text, [](std::size_t) {});
  EXPECT_EQ(outcome.differences, 1);
  const TModel original = a->File().GetModel(2);
  EXPECT_EQ(text,
            "model 2, layer 2: TauRho: " + ShortestText(original.Layers[1].LayerParams[2].Value) +
                " | 0.25\n1 difference in 1 model\n");
}

} // namespace
} // namespace kiv::survey
