#pragma once

// The engine's model records in both styles, regular and sparse, the table of their extra-parameter
// groups, and the enumerations that name their parameters.
#include <cstdint>
#include <string>
#include <vector>

// Enumerations are unscoped and one byte wide; code compares them by ordinal and the suite's
// programs share these lists, so no value may move.
namespace kiv {

// The kind of one per-layer quantity; each physical parameter is followed by its companions.
enum TODVLayerParam_Types : std::uint8_t {
  ltThickness, // 0
  ltThkStdDev,
  ltThkPriVal,
  ltThkPriStdD,
  ltDepBottom, // 4
  ltDBoStdDev,
  ltDBoPriVal,
  ltDBoPriStdD,
  ltMRS_WaterContent, // 8
  ltMRS_WaterContentStdDev,
  ltMRS_WaterContentPriVal,
  ltMRS_WaterContentPriStdD,
  ltMRS_T1, // 12
  ltMRS_T1StdDev,
  ltMRS_T1PriVal,
  ltMRS_T1PriStdDev,
  ltMRS_T2Star, // 16
  ltMRS_T2StarStdDev,
  ltMRS_T2StarPriVal,
  ltMRS_T2StarPriStdD,
  ltMRS_Permeabillity, // 20
  ltMRS_Transmissivity,
  ltMRS_WaterContent2,
  ltMRS_WaterVolume,
  ltChargeability, // 24
  ltChargeabilityStdDCoupled,
  ltChargeabilityStdDUnCoupled,
  ltChargeabilityPriVal,
  ltChargeabilityPriStdD,
  ltTau, // 29
  ltTauStdDCoupled,
  ltTauStdDUnCoupled,
  ltTauPriVal,
  ltTauPriStdD,
  ltC, // 34
  ltCStdDCoupled,
  ltCStdDUnCoupled,
  ltCPriVal,
  ltCPriStdD,
  ltPHI, // 39
  ltPHIStdDCoupled,
  ltPHIStdDUnCoupled,
  ltPHIPriVal,
  ltPHIPriStdD,
  ltRes, // 44; held in a layer's own Res fields, never in its LayerParams
  ltResStdDCoupled,
  ltResStdDUnCoupled,
  ltResPriVal,
  ltResPriStdD,
  ltTauPhi, // 49
  ltTauPhiStdDCoupled,
  ltTauPhiStdDUnCoupled,
  ltTauPhiPriVal,
  ltTauPhiPriStdD,
  ltSigma, // 54
  ltSigmaStdDCoupled,
  ltSigmaStdDUnCoupled,
  ltSigmaPriVal,
  ltSigmaPriStdD,
  ltSigmaBulk, // 59
  ltSigmaBulkStdDCoupled,
  ltSigmaBulkStdDUnCoupled,
  ltSigmaBulkPriVal,
  ltSigmaBulkPriStdD,
  ltSigma2nd, // 64
  ltSigma2ndStdDCoupled,
  ltSigma2ndStdDUnCoupled,
  ltSigma2ndPriVal,
  ltSigma2ndPriStdD,
  ltRho2nd, // 69
  ltRho2ndStdDCoupled,
  ltRho2ndStdDUnCoupled,
  ltRho2ndPriVal,
  ltRho2ndPriStdD,
  ltPermeability, // 74
  ltPermeabilityStdDCoupled,
  ltPermeabilityStdDUnCoupled,
  ltPermeabilityPriVal,
  ltPermeabilityPriStdD,
  ltTauSigma, // 79
  ltTauSigmaStdDCoupled,
  ltTauSigmaStdDUnCoupled,
  ltTauSigmaPriVal,
  ltTauSigmaPriStdD,
  ltNone, // 84
};

// The kind of one per-layer constraint: a lateral and a vertical one per parameter.
enum TODVLayerParamCon_Types : std::uint8_t {
  ltChargeabilityLatStdD, // 0
  ltChargeabilityVertStdD,
  ltTauLatStdD,
  ltTauVertStdD,
  ltCLatStdD,
  ltCVertStdD,
  ltPHILatStdD,
  ltPHIVertStdD,
  ltResLatStdD, // 8
  ltResVertStdD,
  ltTauPhiLatStdD,
  ltTauPhiVertStdD,
  ltSigmaLatStdD,
  ltSigmaVertStdD,
  ltSigmaBulkLatStdD,
  ltSigmaBulkVertStdD,
  ltSigma2ndLatStdD, // 16
  ltSigma2ndVertStdD,
  ltRho2ndLatStdD,
  ltRho2ndVertStdD,
  ltPermeabilityLatStdD,
  ltPermeabilityVertStdD,
  ltTauSigmaLatStdD,
  ltTauSigmaVertStdD,
  ltConNone, // 24
};

// Depth-of-investigation quantities: per parameter an upper and a lower DOI, each with a threshold.
enum TODVDOISupplParam_Types : std::uint8_t {
  dstChargeabilityDOIUp, // 0
  dstChargeabilityDOIUpThr,
  dstChargeabilityDOILow,
  dstChargeabilityDOILowThr,
  dstTauDOIUp, // 4
  dstTauDOIUpThr,
  dstTauDOILow,
  dstTauDOILowThr,
  dstCDOIUp, // 8
  dstCDOIUpThr,
  dstCDOILow,
  dstCDOILowThr,
  dstPhiDOIUp, // 12
  dstPhiDOIUpThr,
  dstPhiDOILow,
  dstPhiDOILowThr,
  dstTauPhiDOIUp, // 16
  dstTauPhiDOIUpThr,
  dstTauPhiDOILow,
  dstTauPhiDOILowThr,
  dstSigmaDOIUp, // 20
  dstSigmaDOIUpThr,
  dstSigmaDOILow,
  dstSigmaDOILowThr,
  dstSigmaBulkDOIUp, // 24
  dstSigmaBulkDOIUpThr,
  dstSigmaBulkDOILow,
  dstSigmaBulkDOILowThr,
  dstSigma2ndDOIUp, // 28
  dstSigma2ndDOIUpThr,
  dstSigma2ndDOILow,
  dstSigma2ndDOILowThr,
  dstRho2ndDOIUp, // 32
  dstRho2ndDOIUpThr,
  dstRho2ndDOILow,
  dstRho2ndDOILowThr,
  dstPermeabilityDOIUp, // 36
  dstPermeabilityDOIUpThr,
  dstPermeabilityDOILow,
  dstPermeabilityDOILowThr,
  dstTauSigmaDOIUp, // 40
  dstTauSigmaDOIUpThr,
  dstTauSigmaDOILow,
  dstTauSigmaDOILowThr,
};

// What a two-dimensional section shows. The letter case of the leading Is/is differs between
// values and is kept as the rest of the suite spells it.
enum T2DDataType : std::uint8_t {
  IsPseudo, // 0
  IsForward,
  IsDiff,
  IsModel,
  IsIPPseudo, // 4
  IsIPForward,
  IsIPDiff,
  IsIPModel,
  IsTauModel, // 8
  IsCModel,
  IsIPRelDiff,
  isPhiModel,
  isTauPhiModel, // 12
  IsSigmaModel,
  IsSigmaBulkModel,
  IsSigma2ndModel,
  IsRho2ndModel, // 16
  isPermeabilityModel,
  isTauSigmaModel,
  isUndefined, // 19
};

// The per-sounding quantities of the suite's position records. Models carry only the seven groups
// GGG_AIR_THK, GGG_PITCH, GGG_ROLL, GGG_BIAS, GGG_SHIFT, GGG_TXRX_DIST and GGG_RX_ANGLE. The
// numbers inside the unused names at ordinals 24 to 28 do not match their ordinals; the names are
// the ones the rest of the suite uses.
enum TODVPoSet_Types : std::uint8_t {
  GGG_Not_Used_0, // 0
  GGG_Not_Used_1,
  GGG_Not_Used_2,
  GGG_Not_Used_3,
  GGG_EMOFileName, // 4
  GGG_TemFiles,
  GGG_DataTransform,
  GGG_SourceType,
  GGG_FieldPolarization,
  GGG_AIR_THK, // 9
  GGG_AIR_THK_STD,
  GGG_AIR_THK_PRIOR,
  GGG_AIR_THK_STDPRIOR,
  GGG_AIR_THK_LATSTD,
  GGG_Not_Used_14, // 14
  GGG_Not_Used_15,
  GGG_Not_Used_16,
  GGG_Not_Used_17,
  GGG_Not_Used_18,
  GGG_PITCH, // 19
  GGG_PITCH_STD,
  GGG_PITCH_PRIOR,
  GGG_PITCH_STDPRIOR,
  GGG_PITCH_LATSTD,
  GGG_Not_Used_19, // 24
  GGG_Not_Used_20,
  GGG_Not_Used_21,
  GGG_Not_Used_22,
  GGG_Not_Used_23,
  GGG_ROLL, // 29
  GGG_ROLL_STD,
  GGG_ROLL_PRIOR,
  GGG_ROLL_STDPRIOR,
  GGG_ROLL_LATSTD,
  GGG_RX_ALT, // 34
  GGG_RX_ALT_STD,
  GGG_RX_ALT_PRIOR,
  GGG_RX_ALT_STDPRIOR,
  GGG_RX_ALT_LATSTD,
  GGG_TX_ALT, // 39
  GGG_TX_ALT_STD,
  GGG_TX_ALT_PRIOR,
  GGG_TX_ALT_STDPRIOR,
  GGG_TX_ALT_LATSTD,
  GGG_Rx_Pos, // 44
  GGG_RX_Pos_STD,
  GGG_RX_Pos_PRIOR,
  GGG_RX_Pos_STDPRIOR,
  GGG_RX_Pos_LATSTD,
  GGG_BIAS, // 49
  GGG_BIAS_STD,
  GGG_BIAS_PRIOR,
  GGG_BIAS_STDPRIOR,
  GGG_BIAS_LATSTD,
  GGG_SHIFT, // 54
  GGG_SHIFT_STD,
  GGG_SHIFT_PRIOR,
  GGG_SHIFT_STDPRIOR,
  GGG_SHIFT_LATSTD,
  GGG_TXRX_DIST, // 59
  GGG_TXRX_DIST_STD,
  GGG_TXRX_DIST_PRIOR,
  GGG_TXRX_DIST_STDPRIOR,
  GGG_TXRX_DIST_LATSTD,
  GGG_RX_ANGLE, // 64
  GGG_RX_ANGLE_STD,
  GGG_RX_ANGLE_PRIOR,
  GGG_RX_ANGLE_STDPRIOR,
  GGG_RX_ANGLE_LATSTD,
  GGG_TIMESTAMP, // 69
  GGG_TX_CURRENT,
  GGG_TX_AREA,
  GGG_SHARPNESS_VERTICAL,
  GGG_SHARPNESS_HORIZONTAL,
  GGG_COMPACT,
  GGG_MINIMIZATION_NORM_TYPE, // 75
};

using TArrayOfSingle = std::vector<float>;
using TArrayOfInteger = std::vector<std::int32_t>;
using TArrayOfReal = std::vector<double>;

// Every record below value-initialises to zeros, empty strings and empty arrays, and every
// enumeration field to ordinal 0: the readers fill only what the model file holds and rely on the
// rest staying zero. A priori standard deviations and constraints are factors (file number + 1,
// 99 for none); lateral arrays hold one entry per following neighbour.

// One value of a further layer parameter: a start value or a factor, according to its type.
struct TODVLayerParam {
  TODVLayerParam_Types ParamType{};
  float Value{};

  bool operator==(const TODVLayerParam&) const = default;
};

// One constraint of a further layer parameter: one factor if vertical, one per neighbour if
// lateral. Indices name the neighbours in the sparse style only.
struct TODVLayerParamCon {
  TODVLayerParamCon_Types ParamConType{};
  TArrayOfSingle Values;
  TArrayOfInteger Indices;

  bool operator==(const TODVLayerParamCon&) const = default;
};

using TArrayOfODVLayerParam = std::vector<TODVLayerParam>;
using TArrayOfODVLayerParamCon = std::vector<TODVLayerParamCon>;

// One layer of a regular-style model; the last layer of a model is the half-space.
struct TLayer {
  float Res{};
  float ResStart{};
  float ResApriSTD{};
  float ResSTDCoup{};
  float ResSTDUncoup{};
  float ResVert{};
  TArrayOfSingle ResLat;
  float Thk{};
  float ThkStart{};
  float ThkApriSTD{};
  float ThkSTDCoup{};
  float ThkSTDUncoup{};
  float ThkVert{};
  TArrayOfSingle ThkLat;
  float Dep{};
  float DepStart{};
  float DepApriSTD{};
  float DepSTDCoup{};
  float DepSTDUncoup{};
  TArrayOfSingle DepLat;
  float Prod{};
  float ProdSTD{};
  float Coef{};
  float CoefSTD{};
  // Per further parameter of the model type (ltRes excluded), in its order: the prior value, then
  // the prior factor; and the vertical, then the lateral constraint.
  TArrayOfODVLayerParam LayerParams;
  TArrayOfODVLayerParamCon LayerParamCons;

  bool operator==(const TLayer&) const = default;
};

// One regular-style model. The altitude and pitch groups declare their lateral array before the
// a priori fields, the other groups after them; the order is kept as the engine declares it.
struct TModel {
  std::string Title;
  std::int32_t ModelType{};
  std::vector<std::string> DataFiles;
  std::vector<TLayer> Layers;
  double UTMX{};
  double UTMY{};
  float Elevation{};
  float Altitude{};
  float AltitudeSTD{};
  TArrayOfSingle AltitudeLatSTDs;
  float AltitudeApri{};
  float AltitudeApriSTD{};
  float Pitch{};
  float PitchSTD{};
  TArrayOfSingle PitchLatSTDs;
  float PitchApri{};
  float PitchApriSTD{};
  float Bias{};
  float BiasSTD{};
  float BiasApri{};
  float BiasApriSTD{};
  TArrayOfSingle BiasLatSTDs;
  float Roll{};
  float RollSTD{};
  float RollApri{};
  float RollApriSTD{};
  TArrayOfSingle RollLatSTDs;
  float Shift{};
  float ShiftSTD{};
  float ShiftApri{};
  float ShiftApriSTD{};
  TArrayOfSingle ShiftLatSTDs;
  float TxRxDist{};
  float TxRxDistSTD{};
  float TxRxDistApri{};
  float TxRxDistApriSTD{};
  TArrayOfSingle TxRxDistLatSTDs;
  float RxAngle{};
  float RxAngleSTD{};
  float RxAngleApri{};
  float RxAngleApriSTD{};
  TArrayOfSingle RxAngleLatSTDs;

  bool operator==(const TModel&) const = default;
};

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

// The fields of a model (TModel or TSparseModel) that hold one extra parameter: its result value
// and standard deviation, its a-priori value and factor, and its lateral constraints.
template <class Model> struct TExtraParamGroup {
  TODVPoSet_Types ParamType;
  float Model::*Value;
  float Model::*STD;
  float Model::*Apri;
  float Model::*ApriSTD;
  decltype(Model::AltitudeLatSTDs) Model::*LatSTDs;
};

// The extra parameters that models carry, in the records' field order; no other value of
// TODVPoSet_Types has fields in a model. A new group is one entry here.
template <class Model>
inline constexpr TExtraParamGroup<Model> ExtraParamGroups[] = {
    {GGG_AIR_THK, &Model::Altitude, &Model::AltitudeSTD, &Model::AltitudeApri,
     &Model::AltitudeApriSTD, &Model::AltitudeLatSTDs},
    {GGG_PITCH, &Model::Pitch, &Model::PitchSTD, &Model::PitchApri, &Model::PitchApriSTD,
     &Model::PitchLatSTDs},
    {GGG_BIAS, &Model::Bias, &Model::BiasSTD, &Model::BiasApri, &Model::BiasApriSTD,
     &Model::BiasLatSTDs},
    {GGG_ROLL, &Model::Roll, &Model::RollSTD, &Model::RollApri, &Model::RollApriSTD,
     &Model::RollLatSTDs},
    {GGG_SHIFT, &Model::Shift, &Model::ShiftSTD, &Model::ShiftApri, &Model::ShiftApriSTD,
     &Model::ShiftLatSTDs},
    {GGG_TXRX_DIST, &Model::TxRxDist, &Model::TxRxDistSTD, &Model::TxRxDistApri,
     &Model::TxRxDistApriSTD, &Model::TxRxDistLatSTDs},
    {GGG_RX_ANGLE, &Model::RxAngle, &Model::RxAngleSTD, &Model::RxAngleApri, &Model::RxAngleApriSTD,
     &Model::RxAngleLatSTDs},
};

// The group of an extra parameter; null for a parameter that models do not carry.
template <class Model>
constexpr const TExtraParamGroup<Model>* FindExtraParamGroup(TODVPoSet_Types type) {
  for (const TExtraParamGroup<Model>& group : ExtraParamGroups<Model>)
    if (group.ParamType == type)
      return &group;
  return nullptr;
}

// A layer parameter of a model type; the model file reads only ParamType.
struct TLayerParam {
  std::string ParamName;
  TODVLayerParam_Types ParamType{};
  double MinValue{};
  double MaxValue{};
  double DefaultValue{};

  bool operator==(const TLayerParam&) const = default;
};

// An extra (model-level) parameter of a model type; the model file reads only ParamType.
struct TExtraParam {
  std::string ParamName;
  TODVPoSet_Types ParamType{};
  std::string UnitName;
  double MinValue{};
  double MaxValue{};
  std::string DisplayName;
  std::string ApriDefault;
  std::string ApriSTDDefault;

  bool operator==(const TExtraParam&) const = default;
};

using TLayerParams = std::vector<TLayerParam>;
using TExtraParams = std::vector<TExtraParam>;

// Which layer and extra parameters the models of one kind of inversion have. Callers build it; a
// usable one lists ltRes exactly once in LayerParams, and in ExtraParams only the seven groups
// that models carry.
class TVesmarInvModelType {
public:
  std::string ModelName;
  std::string DisplayName;
  std::string GerdaType;
  std::int32_t ModelID{};
  std::int32_t Dim{};
  std::int32_t IPDataRequired{};
  bool NewDOI{};
  TLayerParams LayerParams;
  TExtraParams ExtraParams;

  bool operator==(const TVesmarInvModelType&) const = default;
};

} // namespace kiv
