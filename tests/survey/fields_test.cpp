#include "survey/Fields.h"
#include "survey/ParameterNames.h"
#include "testing/model/SurveyFile.h"
#include "testing/support/TempDir.h"

#include <gtest/gtest.h>

namespace kiv::survey {
namespace {

std::vector<std::string> Names(const std::vector<Field>& fields) {
  std::vector<std::string> names;
  for (const Field& field : fields)
    names.push_back(field.name);
  return names;
}

TEST(FieldCatalogue, NamesEveryFieldOnceWithItsUnitFromTheCatalogue) {
  test::TempDir dir;
  test::SurveyShape shape{3, 3, false, ModelTypeNamed({"Phi"}, {"Altitude"}), 116};
  shape.lci = 2;
  const std::unique_ptr<TModFile> file = test::MakeSurvey(shape, dir / "s.mod");
  file->SetLCIMode(2);
  const FieldCatalogue fields(*file, *shape.type);
  EXPECT_EQ(Names(fields.SoundingFields()),
            (std::vector<std::string>{"x", "y", "elevation", "layers", "data_file", "Altitude",
                                      "Altitude_prior_factor", "Altitude_lateral_1_index",
                                      "Altitude_lateral_1_factor"}));
  const std::vector<std::string> group = {"", "_prior_factor", "_vertical_factor",
                                          "_lateral_1_index", "_lateral_1_factor"};
  std::vector<std::string> layer{"top"};
  for (const std::string name : {"thickness", "Resistivity", "Phi", "depth"})
    for (const std::string& part : group)
      if (name != "depth" || part != "_vertical_factor")
        layer.push_back(name + part);
  EXPECT_EQ(Names(fields.LayerFields()), layer);
  EXPECT_EQ(fields.Find("Resistivity")->Title(), "Resistivity (Ohmm)");
  EXPECT_EQ(fields.Find("Phi")->Title(), "Phi (mrad)");
  EXPECT_EQ(fields.Find("Phi_prior_factor")->Title(), "Phi_prior_factor");
  EXPECT_EQ(fields.Find("top")->Title(), "top (m)");
  EXPECT_EQ(fields.Find("nothing"), nullptr);
}

// The same values through the catalogue from a regular model and the sparse one converted from
// it; what the file does not hold is empty.
TEST(FieldCatalogue, ReadsAndSetsTheSameValuesInBothStyles) {
  test::TempDir dir;
  test::SurveyShape shape{3, 3, false, ModelTypeNamed({"Chargeability", "TauRho"}, {}), 0};
  const std::unique_ptr<TModFile> file = test::MakeSurvey(shape, dir / "s.mod");
  file->SetLCIMode(3);
  const FieldCatalogue fields(*file, *shape.type);
  TModel regular = file->GetModel(1);
  file->SwitchToSparseFormat(*shape.type);
  TSparseModel sparse = file->GetSparseModel(1);
  const TLayer& first = regular.Layers[0];
  struct Row {
    const char* field;
    std::size_t layer;
    Cell::Kind kind;
    double value;
  };
  const Row rows[] = {
      {"top", 2, Cell::Kind::Double,
       static_cast<double>(regular.Layers[0].ThkStart) + regular.Layers[1].ThkStart},
      {"thickness", 0, Cell::Kind::Single, first.ThkStart},
      {"thickness", 2, Cell::Kind::Empty, 0},
      {"thickness_vertical_factor", 0, Cell::Kind::Single, first.ThkVert},
      {"thickness_vertical_factor", 1, Cell::Kind::Empty, 0},
      {"Resistivity_vertical_factor", 1, Cell::Kind::Single, regular.Layers[1].ResVert},
      {"Resistivity_vertical_factor", 2, Cell::Kind::Empty, 0},
      {"Chargeability", 1, Cell::Kind::Single, regular.Layers[1].LayerParams[0].Value},
      {"TauRho_prior_factor", 0, Cell::Kind::Single, first.LayerParams[3].Value},
      {"TauRho_lateral_2_index", 0, Cell::Kind::Integer, 2},
      {"TauRho_lateral_2_factor", 0, Cell::Kind::Single, first.LayerParamCons[3].Values[1]},
      {"depth_lateral_1_factor", 2, Cell::Kind::Empty, 0},
      {"top", 3, Cell::Kind::Empty, 0},
      {"Resistivity", 3, Cell::Kind::Empty, 0},
  };
  for (const Row& row : rows) {
    const Field& field = *fields.Find(row.field);
    for (const Cell cell : {fields.LayerCell(regular, row.layer, field),
                            fields.LayerCell(sparse, row.layer, field)}) {
      EXPECT_EQ(cell.kind, row.kind) << row.field << " " << row.layer;
      EXPECT_EQ(cell.number, row.value) << row.field << " " << row.layer;
    }
  }
  const Field& charge = *fields.Find("Chargeability");
  EXPECT_TRUE(fields.SetLayerValue(regular, 2, charge, 42.5f));
  EXPECT_TRUE(fields.SetLayerValue(sparse, 2, charge, 42.5f));
  EXPECT_EQ(fields.LayerCell(sparse, 2, charge).number, 42.5);
  EXPECT_EQ(regular.Layers[2].LayerParams[0].Value, 42.5f);
  EXPECT_FALSE(fields.SetLayerValue(regular, 2, *fields.Find("thickness"), 3.0f));
  EXPECT_FALSE(fields.SetLayerValue(regular, 0, *fields.Find("top"), 3.0f));
}

TEST(FieldCatalogue, EditsFollowTheFieldsRule) {
  test::TempDir dir;
  const test::SurveyShape shape{3, 3, false, ModelTypeNamed({"C"}, {}), 0};
  const std::unique_ptr<TModFile> file = test::MakeSurvey(shape, dir / "s.mod");
  const FieldCatalogue fields(*file, *shape.type);
  struct Row {
    const char* field;
    const char* text;
    const char* refusal;
  };
  const Row rows[] = {
      {"Resistivity", "0", "A resistivity must be a positive number"},
      {"thickness", "-2", "A thickness must be a positive number"},
      {"C", "x", "The value must be a positive number"},
      {"C_prior_factor", "1e99", "The value must be a number"},
      {"depth", "-4", ""},
      {"top", "3", "This value is not kept in the file"},
      {"C", "0.25", ""},
  };
  for (const Row& row : rows)
    EXPECT_EQ(CheckEdit(*fields.Find(row.field), row.text).refusal, row.refusal) << row.field;
  EXPECT_EQ(CheckEdit(*fields.Find("C"), "0.25").value, 0.25f);
}

TEST(LayerDepths, RunDownTheModelAndLeaveTheHalfSpaceWithoutABottom) {
  TModel model;
  model.Layers.resize(3);
  model.Layers[0].ThkStart = 2.5f;
  model.Layers[1].ThkStart = 4;
  model.Layers[2].ThkStart = 100; // a half-space's thickness counts for nothing
  std::vector<std::string> seen;
  ForEachLayerDepth(model, [&](std::size_t k, double top, std::optional<double> bottom) {
    seen.push_back(std::to_string(k)
                       .append(":")
                       .append(std::to_string(top))
                       .append("-")
                       .append(bottom ? std::to_string(*bottom) : "none"));
    EXPECT_EQ(top, LayerTop(model, k));
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"0:0.000000-2.500000", "1:2.500000-6.500000",
                                            "2:6.500000-none"}));
}

} // namespace
} // namespace kiv::survey
