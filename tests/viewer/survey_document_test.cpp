#include "platform/FileSystem.h"
#include "survey/ParameterNames.h"
#include "testing/model/ModelFileFixtures.h"
#include "testing/model/SurveyFile.h"
#include "testing/support/Failure.h"
#include "testing/support/TempDir.h"
#include "viewer/SurveyDocument.h"

#include <gtest/gtest.h>

namespace kiv::viewer {
namespace {

std::size_t ColumnOf(const TSurveyDocument& document, const std::string& name) {
  const auto& columns = document.Columns();
  for (std::size_t c = 0; c < columns.size(); ++c)
    if (columns[c].name == name)
      return c;
  ADD_FAILURE() << "no column " << name;
  return 0;
}

class SurveyDocumentTest : public testing::Test {
protected:
  test::TempDir dir;
  std::string path = test::WriteSurvey({20, 5, false}, dir / "survey.mod");
  std::unique_ptr<TSurveyDocument> document = TSurveyDocument::Read(path, {}, nullptr);
  std::size_t resistivity = ColumnOf(*document, "Resistivity");
  std::size_t thickness = ColumnOf(*document, "thickness");
};

TEST_F(SurveyDocumentTest, ShowsTheSoundingsAsTheLibraryReadThem) {
  TModFile file;
  const TVesmarInvModelType type = document->ModelType();
  file.Open(path, false, &type);
  ASSERT_EQ(document->Count(), 20u);
  const TModel third = file.GetModel(3);
  const auto sounding = [&](const char* name) {
    return document->SoundingValue(2, *document->Catalogue().Find(name));
  };
  EXPECT_EQ(sounding("x").number, third.UTMX);
  EXPECT_EQ(sounding("elevation").number, third.Elevation);
  EXPECT_EQ(document->LayerCount(2), 5u);
  EXPECT_EQ(sounding("data_file").text, "line100_3.tem");
  EXPECT_EQ(document->Value(2, 1, resistivity), third.Layers[1].ResStart);
  // The depth to the top of a layer is the sum of the thicknesses above it.
  const std::size_t depth = ColumnOf(*document, "top");
  EXPECT_EQ(document->Value(2, 2, depth),
            static_cast<double>(third.Layers[0].ThkStart) + third.Layers[1].ThkStart);
  // The half-space has no thickness.
  EXPECT_EQ(document->Value(2, 4, thickness), std::nullopt);
  EXPECT_FALSE(document->Modified());
}

TEST_F(SurveyDocumentTest, RefusesAValueWithTheReason) {
  struct Case {
    std::size_t layer;
    std::size_t column;
    const char* text;
    const char* reason;
  };
  const Case cases[] = {
      {0, resistivity, "abc", "A resistivity must be a positive number"},
      {0, resistivity, "0", "A resistivity must be a positive number"},
      {0, resistivity, "-5", "A resistivity must be a positive number"},
      {0, resistivity, "1e999", "A resistivity must be a positive number"},
      {1, thickness, "", "A thickness must be a positive number"},
      {4, thickness, "3", "This value is not kept in the file"},
      {1, ColumnOf(*document, "top"), "3", "This value is not kept in the file"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(document->Edit(0, c.layer, c.column, c.text), c.reason) << c.text;
  EXPECT_FALSE(document->Modified());
  EXPECT_FALSE(document->CanUndo());
}

TEST_F(SurveyDocumentTest, UndoesAndRedoesEditsAcrossASave) {
  const std::optional<double> before = document->Value(4, 0, resistivity);
  EXPECT_EQ(document->Edit(4, 0, resistivity, "123.5"), "");
  EXPECT_EQ(document->Value(4, 0, resistivity), 123.5f);
  EXPECT_TRUE(document->Modified());
  document->Save();
  EXPECT_FALSE(document->Modified());
  EXPECT_EQ(document->Edit(4, 1, thickness, "7"), "");

  EXPECT_EQ(document->Undo(), 4u);
  EXPECT_FALSE(document->Modified());
  EXPECT_EQ(document->Undo(), 4u);
  EXPECT_EQ(document->Value(4, 0, resistivity), before);
  EXPECT_TRUE(document->Modified());
  EXPECT_EQ(document->Undo(), std::nullopt);
  EXPECT_EQ(document->Redo(), 4u);
  EXPECT_FALSE(document->Modified());
  EXPECT_EQ(document->Redo(), 4u);
  EXPECT_EQ(document->Value(4, 1, thickness), 7.0f);
  EXPECT_EQ(document->Redo(), std::nullopt);

  // A new edit after undoing past the save leaves the saved state out of reach.
  document->Undo();
  document->Undo();
  EXPECT_EQ(document->Edit(4, 0, resistivity, "99"), "");
  document->Undo();
  EXPECT_TRUE(document->Modified());

  const std::unique_ptr<TSurveyDocument> back = TSurveyDocument::Read(path, {}, nullptr);
  EXPECT_EQ(back->Value(4, 0, resistivity), 123.5f);
}

TEST_F(SurveyDocumentTest, SavesTheBytesOfTheLibrarysOwnSave) {
  const std::string copy = dir / "library.mod";
  TModFile file;
  const TVesmarInvModelType type = document->ModelType();
  file.Open(path, false, &type);
  file.SetFileName(copy);
  file.SaveGeneral(type, false);
  // The file on disk differs first, so that a save which writes nothing is seen.
  test::WriteFile(path, "not a model file");
  document->Save();
  EXPECT_EQ(test::ReadFile(path), test::ReadFile(copy));
}

TEST_F(SurveyDocumentTest, SavesInTheSparseStyleAndRefusesTheWayBack) {
  const std::string sparse = dir / "survey.mo2";
  document->SaveAs(sparse, survey::FileStyle::Sparse, survey::FileLayout::General);
  EXPECT_TRUE(document->Sparse());
  EXPECT_EQ(document->FileName(), sparse);
  EXPECT_FALSE(document->Modified());
  const std::unique_ptr<TSurveyDocument> back = TSurveyDocument::Read(sparse, {}, nullptr);
  EXPECT_TRUE(back->Sparse());
  EXPECT_EQ(back->Count(), 20u);
  EXPECT_EQ(back->Value(7, 2, resistivity), document->Value(7, 2, resistivity));

  EXPECT_EQ(
      test::Failure([&] {
        document->SaveAs(dir / "back.mod", survey::FileStyle::Regular, survey::FileLayout::General);
      }),
      test::Expected("EPelo", "A file in the sparse style cannot be saved in the regular style: "
                              "the library converts regular models to sparse ones, not back"));
  EXPECT_EQ(document->FileName(), sparse);
  EXPECT_FALSE(platform::RegularFileExists(dir / "back.mod"));
}

TEST_F(SurveyDocumentTest, AFailedSaveKeepsTheNameAndTheChanges) {
  document->Edit(1, 0, resistivity, "50");
  const std::string nowhere = dir / "missing/survey.mod";
  EXPECT_ANY_THROW(
      document->SaveAs(nowhere, survey::FileStyle::Regular, survey::FileLayout::Older));
  EXPECT_EQ(document->FileName(), path);
  EXPECT_TRUE(document->Modified());
}

TEST(SurveyDocument, ShowsTheCataloguesLayerFieldsUnderTheirNames) {
  test::TempDir dir;
  // The generated survey holds vertical constraints; without them a file has no vertical factors.
  std::unique_ptr<TModFile> unconstrained = test::MakeSurvey(
      {4, 3, false, survey::ModelTypeNamed({"Sigma"}, {}), 0, false, 1}, dir / "plain.mod");
  for (std::int32_t m = 1; m <= 4; ++m) {
    TModel model = unconstrained->GetModel(m);
    for (TLayer& layer : model.Layers)
      layer.ResVert = layer.ThkVert = 0;
    unconstrained->SetModel(m, model);
  }
  unconstrained->SaveGeneral(survey::ModelTypeNamed({"Sigma"}, {}), false);
  struct Case {
    std::string path;
    survey::ModelTypeChoice choice;
    std::vector<std::string> titles;
  };
  const Case cases[] = {
      {test::WriteSurvey({4, 3, false}, dir / "constrained.mod"),
       {},
       {"Resistivity (Ohmm)", "top (m)", "thickness (m)", "depth (m)", "thickness_prior_factor",
        "thickness_vertical_factor", "Resistivity_prior_factor", "Resistivity_vertical_factor",
        "depth_prior_factor"}},
      {dir / "plain.mod",
       {survey::ModelTypeNamed({"Sigma"}, {}), true, true, std::nullopt},
       {"Resistivity (Ohmm)", "Sigma (mS/m)", "top (m)", "thickness (m)", "depth (m)",
        "thickness_prior_factor", "Resistivity_prior_factor", "Sigma_prior_factor",
        "depth_prior_factor"}},
  };
  for (const Case& c : cases) {
    const std::unique_ptr<TSurveyDocument> document = TSurveyDocument::Read(c.path, c.choice);
    std::vector<std::string> titles;
    for (const survey::Field& field : document->Columns())
      titles.push_back(field.Title());
    EXPECT_EQ(titles, c.titles) << c.path;
  }
}

} // namespace
} // namespace kiv::viewer
