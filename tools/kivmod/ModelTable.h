#pragma once

// The models of a model file as a table for scripts: per model its position and extra parameters,
// per layer every value, prior factor and constraint factor of the record, each field named from
// the parameter-set catalogue. A regular and a sparse file of the same models give the same table.

#include "model/InversionGeneralTypes_.h"
#include "model/ModFile_.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kiv {

// Receives the cells of a row in field order.
class CellSink {
public:
  virtual ~CellSink() = default;
  virtual void Integer(std::int64_t value) = 0;
  virtual void Single(float value) = 0;
  virtual void Double(double value) = 0;
  // A field that the model or layer does not have.
  virtual void Empty() = 0;
};

class ModelTable {
public:
  // The fields of the file's models read with the model type; file must outlive the table.
  ModelTable(const TModFile& file, const TVesmarInvModelType& type);

  // Fields of a model: x, y, elevation, then each extra parameter's a-priori value, factor and
  // lateral constraints ("Altitude", "Altitude_prior_factor", "Altitude_lateral_1_index",
  // "Altitude_lateral_1_factor"...).
  const std::vector<std::string>& ModelFields() const { return modelFields_; }
  // Fields of a layer: thickness, then each layer parameter (resistivity first) with its factors,
  // then the a-priori depth of the bottom: a value, "_prior_factor", "_vertical_factor" (not for
  // the depth) and the lateral constraints, one index and factor per neighbour.
  const std::vector<std::string>& LayerFields() const { return layerFields_; }

  std::int32_t NumberOfModels() const { return file_.NumberOfModels(); }
  // Makes model modelNumber (from 1) the one the calls below describe.
  void Load(std::int32_t modelNumber);
  std::int32_t NumberOfLayers() const;
  // The cells of ModelFields, of the model loaded.
  void ModelCells(CellSink& sink) const;
  // The cells of LayerFields of layer (from 0); the half-space has no thickness and no depth.
  void LayerCells(std::int32_t layer, CellSink& sink) const;
  // The depth of the layer's top: the sum of the start thicknesses above it.
  double LayerTop(std::int32_t layer) const;

  // How many neighbours the lateral fields of each group have room for.
  struct Widths {
    std::vector<size_t> extras; // in the model type's order
    std::vector<size_t> params; // resistivity first
    size_t thickness = 0;
    size_t depth = 0;
  };

private:
  void NameFields();

  const TModFile& file_;
  TVesmarInvModelType type_;
  std::vector<TODVLayerParamSet> sets_;
  Widths widths_;
  std::vector<std::string> modelFields_;
  std::vector<std::string> layerFields_;
  std::optional<TModel> model_;
  std::optional<TSparseModel> sparseModel_;
};

} // namespace kiv
