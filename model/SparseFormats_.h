#pragma once

#include "core/PeloTypes_.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kiv {

// Lateral constraints as an explicit list of neighbours. Indices and Values always have the same
// length; entries from NumValues on are spare capacity, which a stored model never keeps.
struct TSparseVector {
  TArrayOfInteger Indices;
  TArrayOfSingle Values;
  std::int32_t NumValues{};

  bool operator==(const TSparseVector&) const = default;
};

// TLayer in the sparse style: the same fields in the same order, the lateral ones as lists.
struct TSparseLayer {
  float Res{};
  float ResStart{};
  float ResApriSTD{};
  float ResSTDCoup{};
  float ResSTDUncoup{};
  float ResVert{};
  TSparseVector ResLat;
  float Thk{};
  float ThkStart{};
  float ThkApriSTD{};
  float ThkSTDCoup{};
  float ThkSTDUncoup{};
  float ThkVert{};
  TSparseVector ThkLat;
  float Dep{};
  float DepStart{};
  float DepApriSTD{};
  float DepSTDCoup{};
  float DepSTDUncoup{};
  TSparseVector DepLat;
  float Prod{};
  float ProdSTD{};
  float Coef{};
  float CoefSTD{};
  TArrayOfODVLayerParam LayerParams;
  TArrayOfODVLayerParamCon LayerParamCons;

  bool operator==(const TSparseLayer&) const = default;
};

// TModel in the sparse style: the same fields in the same order, the lateral ones as lists.
struct TSparseModel {
  std::string Title;
  std::int32_t ModelType{};
  std::vector<std::string> DataFiles;
  std::vector<TSparseLayer> Layers;
  double UTMX{};
  double UTMY{};
  float Elevation{};
  float Altitude{};
  float AltitudeSTD{};
  TSparseVector AltitudeLatSTDs;
  float AltitudeApri{};
  float AltitudeApriSTD{};
  float Pitch{};
  float PitchSTD{};
  TSparseVector PitchLatSTDs;
  float PitchApri{};
  float PitchApriSTD{};
  float Bias{};
  float BiasSTD{};
  float BiasApri{};
  float BiasApriSTD{};
  TSparseVector BiasLatSTDs;
  float Roll{};
  float RollSTD{};
  float RollApri{};
  float RollApriSTD{};
  TSparseVector RollLatSTDs;
  float Shift{};
  float ShiftSTD{};
  float ShiftApri{};
  float ShiftApriSTD{};
  TSparseVector ShiftLatSTDs;
  float TxRxDist{};
  float TxRxDistSTD{};
  float TxRxDistApri{};
  float TxRxDistApriSTD{};
  TSparseVector TxRxDistLatSTDs;
  float RxAngle{};
  float RxAngleSTD{};
  float RxAngleApri{};
  float RxAngleApriSTD{};
  TSparseVector RxAngleLatSTDs;

  bool operator==(const TSparseModel&) const = default;
};

// Appends the pair (Index, Value as single precision). A full vector grows to 2 * NumValues + 1
// pairs, so that building a vector of n pairs copies it only about log2(n) times.
void AddToSparseVector(double Value, std::int32_t Index, TSparseVector& Vector);

// Drops the spare capacity: both arrays end up NumValues long, as stored models keep them.
void TrimSparseVector(TSparseVector& Vector);

// Empties both arrays and sets NumValues to 0.
void ClearSparseVector(TSparseVector& Vector);

} // namespace kiv
