#pragma once

// The values of a layer that the sounding view shows: each column's title, the field of the
// record it stands for, and what an edit of it must be.

#include "core/ModelRecords.h"
#include "model/InversionGeneralTypes_.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kiv::viewer {

// The fields of a layer that a column stands for. The further parameters are the model type's
// own, counted by Param in their order.
enum class TLayerField {
  Resistivity,
  ResistivityPriorStd,
  ResistivityVertical,
  Thickness,
  ThicknessPriorStd,
  ThicknessVertical,
  Depth,
  DepthPriorStd,
  DepthToTop,
  ParamValue,
  ParamPriorStd,
  ParamVertical
};

// What a typed value must be: a positive number, any number, or nothing (the column is computed).
enum class TValueRule { Positive, Number, ReadOnly };

struct TLayerColumn {
  std::string Title;
  TLayerField Field;
  std::size_t Param = 0;
  TValueRule Rule = TValueRule::Number;
};

// The columns for models of the model type, in the file's block order, after the layer number:
// resistivity, thickness and the depth to the layer's top first. Vertical constraints are shown
// where the file holds them (lateral constraints, one per neighbour, are not shown).
std::vector<TLayerColumn> LayerColumns(const TVesmarInvModelType& type, bool verticalConstraints);

// Whether the file holds the field for layer of a model of layerCount layers: the half-space has
// no thickness, no depth and no vertical constraint below it.
bool FieldHeld(TLayerField field, std::size_t layer, std::size_t layerCount);

// The field in the record, or null for one computed (the depth to the top) or not held.
template <class Layer> float* FieldOf(Layer& l, const TLayerColumn& column) {
  switch (column.Field) {
  case TLayerField::Resistivity:
    return &l.ResStart;
  case TLayerField::ResistivityPriorStd:
    return &l.ResApriSTD;
  case TLayerField::ResistivityVertical:
    return &l.ResVert;
  case TLayerField::Thickness:
    return &l.ThkStart;
  case TLayerField::ThicknessPriorStd:
    return &l.ThkApriSTD;
  case TLayerField::ThicknessVertical:
    return &l.ThkVert;
  case TLayerField::Depth:
    return &l.DepStart;
  case TLayerField::DepthPriorStd:
    return &l.DepApriSTD;
  case TLayerField::DepthToTop:
    return nullptr;
  case TLayerField::ParamValue:
    return 2 * column.Param < l.LayerParams.size() ? &l.LayerParams[2 * column.Param].Value
                                                   : nullptr;
  case TLayerField::ParamPriorStd:
    return 2 * column.Param + 1 < l.LayerParams.size() ? &l.LayerParams[2 * column.Param + 1].Value
                                                       : nullptr;
  case TLayerField::ParamVertical: {
    if (2 * column.Param >= l.LayerParamCons.size())
      return nullptr;
    auto& values = l.LayerParamCons[2 * column.Param].Values;
    return values.empty() ? nullptr : &values[0];
  }
  }
  return nullptr;
}

template <class Layer> const float* FieldOf(const Layer& l, const TLayerColumn& column) {
  return FieldOf(const_cast<Layer&>(l), column);
}

} // namespace kiv::viewer
