#pragma once

#include "core/PeloTypes_.h"

#include <cstdint>

// The kind of model file that the benchmarks generate and read, shared so that every program
// reads a generated file with the model type it was written for.
namespace kiv::bench {

// The type code of the data-file lines: the code under which the older layout writes the
// altitude and pitch lines.
inline constexpr std::int32_t kModelTypeCode = 6;

// Resistivity, chargeability and tau per layer; altitude and pitch per model.
inline TVesmarInvModelType BenchModelType() {
  TVesmarInvModelType type;
  type.ModelName = "BenchmarkSurvey";
  type.LayerParams = {{"Res", ltRes, 0.1, 100000, 100},
                      {"Chargeability", ltChargeability, 0.1, 1000, 10},
                      {"Tau", ltTau, 1e-6, 10, 1e-3}};
  TExtraParam altitude;
  altitude.ParamName = "Altitude";
  altitude.ParamType = GGG_AIR_THK;
  TExtraParam pitch;
  pitch.ParamName = "Pitch";
  pitch.ParamType = GGG_PITCH;
  type.ExtraParams = {altitude, pitch};
  return type;
}

// A survey of airborne soundings: one model per sounding, all with the same number of layers.
struct ModelShape {
  std::int64_t models = 20000;
  std::int32_t layers = 30;
  // The constraint mode: each model is tied to at most lci - 1 following models.
  std::int32_t lci = 3;
  bool sparse = false;
  // The parameters of the blocks, in file order; resistivity comes first, named or not.
  TVesmarInvModelType modelType = BenchModelType();
  // The type code of every data-file line, which need not match the blocks: a reader that takes
  // the model type from the code meets such files too.
  std::int32_t typeCode = kModelTypeCode;
};

// Neighbours that model index (from 0) of a file of modelCount models is tied to laterally.
inline std::int32_t LateralNeighbours(std::int32_t lci, std::int64_t index,
                                      std::int64_t modelCount) {
  if (lci <= 1)
    return 0;
  const std::int64_t following = modelCount - 1 - index;
  return static_cast<std::int32_t>(following < lci - 1 ? following : lci - 1);
}

} // namespace kiv::bench
