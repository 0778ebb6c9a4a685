#include "viewer/LayerColumns.h"

#include "model/ModelTypeNames.h"

namespace kiv::viewer {

std::vector<TLayerColumn> LayerColumns(const TVesmarInvModelType& type, bool verticalConstraints) {
  const std::vector<TODVLayerParamSet> sets = LayerParamSetsOf(type);
  const std::string resistivity = sets.front().LongText + " (" + sets.front().ParamUnit + ")";
  std::vector<TLayerColumn> columns{
      {resistivity, TLayerField::Resistivity, 0, TValueRule::Positive},
      {"Thickness (m)", TLayerField::Thickness, 0, TValueRule::Positive},
      {"Depth to top (m)", TLayerField::DepthToTop, 0, TValueRule::ReadOnly},
      {sets.front().LongText + " prior STD", TLayerField::ResistivityPriorStd},
  };
  if (verticalConstraints)
    columns.push_back({sets.front().LongText + " vertical", TLayerField::ResistivityVertical});
  for (std::size_t p = 1; p < sets.size(); ++p) {
    const TODVLayerParamSet& set = sets[p];
    const std::string unit = set.ParamUnit.empty() ? "" : " (" + set.ParamUnit + ")";
    columns.push_back({set.LongText + unit, TLayerField::ParamValue, p - 1});
    columns.push_back({set.LongText + " prior STD", TLayerField::ParamPriorStd, p - 1});
    if (verticalConstraints)
      columns.push_back({set.LongText + " vertical", TLayerField::ParamVertical, p - 1});
  }
  columns.push_back({"Thickness prior STD", TLayerField::ThicknessPriorStd});
  if (verticalConstraints)
    columns.push_back({"Thickness vertical", TLayerField::ThicknessVertical});
  columns.push_back({"Depth (m)", TLayerField::Depth});
  columns.push_back({"Depth prior STD", TLayerField::DepthPriorStd});
  return columns;
}

bool FieldHeld(TLayerField field, std::size_t layer, std::size_t layerCount) {
  const std::size_t last = layerCount - 1;
  switch (field) {
  case TLayerField::ResistivityVertical:
  case TLayerField::ParamVertical:
  case TLayerField::Thickness:
  case TLayerField::ThicknessPriorStd:
  case TLayerField::Depth:
  case TLayerField::DepthPriorStd:
    return layer < last;
  case TLayerField::ThicknessVertical:
    return layer + 1 < last;
  default:
    return true;
  }
}

} // namespace kiv::viewer
