#pragma once

// The catalogue of layer parameter sets: for each layer parameter the types of its companion
// quantities, its DOI quantities and how it is shown.
#include "core/PeloTypes_.h"
#include "model/comTypes_.h"

#include <string>
#include <string_view>
#include <vector>

namespace kiv {

// Everything the suite knows about one further layer parameter (or the resistivity): the types of
// its companion quantities, its DOI quantities and how it is displayed.
struct TODVLayerParamSet {
  TODVLayerParam_Types LayerParam{};
  TODVLayerParam_Types StdDCoupled{};
  TODVLayerParam_Types StdDUnCoupled{};
  TODVLayerParam_Types PriVal{};
  TODVLayerParam_Types PriStd{};
  TODVLayerParamCon_Types LatStdD{};
  TODVLayerParamCon_Types VertStdD{};
  std::string AxisType;
  std::string LongText;
  T2DDataType DataType2D{};
  std::string ColorScale;
  std::string ParamUnit;
  TODVDOISupplParam_Types DOIUpper{};
  TODVDOISupplParam_Types DOIUpperThr{};
  TODVDOISupplParam_Types DOILower{};
  TODVDOISupplParam_Types DOILowerThr{};
  std::string ShortText;
  TProfUnit ParamProfUnit{};

  bool operator==(const TODVLayerParamSet&) const = default;
};

using TODVLayerParamSets = std::vector<TODVLayerParamSet>;

// The fixed catalogue of parameter sets, looked up by any of their keys. Built completely by the
// constructor and read-only afterwards. A Get... that finds nothing fails with EPFatal (the
// catalogue is fixed, so a miss is a programming error); an Is... answers false.
class TAllLayerParamSets {
public:
  TAllLayerParamSets();

  // The class name that locations of failures carry.
  static constexpr std::string_view ClassName() noexcept { return "TAllLayerParamSets"; }

  // The rows in catalogue order.
  const TODVLayerParamSets& LayerParamSets() const noexcept { return FLayerParamSets; }

  TODVLayerParamSet GetParamSet(TODVLayerParam_Types iParam) const;
  TODVLayerParamSet GetParamSetFromDataType2D(T2DDataType iDataType2D) const;
  // Exact and case-sensitive.
  TODVLayerParamSet GetParamSetFromLongText(const std::string& iText) const;
  TODVLayerParamSet GetParamSetFromPriVal(TODVLayerParam_Types iParam) const;
  TODVLayerParamSet GetParamSetFromVertSTD(TODVLayerParamCon_Types iParam) const;
  // The resistivity row has no DOI quantities and is never found here.
  TODVLayerParamSet GetParamSetFromDOIUpper(TODVDOISupplParam_Types iParam) const;

  bool IsLayerParameter(TODVLayerParam_Types iLayerParam) const;
  // Exact and case-sensitive.
  bool IsLongTextParameter(const std::string& iText) const;
  bool IsStdDCoupledParameter(TODVLayerParam_Types iLayerParam) const;
  bool IsStdDUnCoupledParameter(TODVLayerParam_Types iLayerParam) const;
  bool IsPriValParameter(TODVLayerParam_Types iLayerParam) const;
  // Also true for the prior standard deviations of the magnetic-resonance quantities.
  bool IsPriStdParameter(TODVLayerParam_Types iLayerParam) const;
  bool IsLatSTDParameter(TODVLayerParamCon_Types iLayerParam) const;
  bool IsDataType2DParameter(T2DDataType iDataType2D) const;
  bool IsVertSTDParameter(TODVLayerParamCon_Types iLayerParam) const;

private:
  static TODVLayerParamSets GetAllLayerParamSets();

  TODVLayerParamSets FLayerParamSets;
};

} // namespace kiv
