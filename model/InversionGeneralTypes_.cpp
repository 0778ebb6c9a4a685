#include "model/InversionGeneralTypes_.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string_view>

namespace kiv {
namespace {

// The resistivity row carries ordinal 0 in its DOI fields as a mere filler; a DOI lookup starting
// at row 0 would mistake it for the chargeability's upper DOI.
constexpr std::ptrdiff_t kFirstRowWithDOI = 1;

// The catalogue is fixed, so a lookup that misses is a programming error: each message asks to be
// reported, which makes the escalation turn it into EPFatal.
constexpr const char* kLayerParamNotFound = "Layer parameter not found! Please report this error";
constexpr const char* kPriValNotFound =
    "PriVal layer parameter not found! Please report this error";
constexpr const char* kVertSTDNotFound =
    "VertSTD layer parameter not found! Please report this error";
constexpr const char* kDOIUpperNotFound =
    "DOIUpper layer parameter not found! Please report this error";

// The first row, from firstRow on, whose field equals value; end() if none.
template <class Field, class Value>
TODVLayerParamSets::const_iterator FindRow(const TODVLayerParamSets& rows,
                                           Field TODVLayerParamSet::*field, const Value& value,
                                           std::ptrdiff_t firstRow = 0) {
  return std::ranges::find(std::next(rows.begin(), firstRow), rows.end(), value, field);
}

template <class Field, class Value>
bool HasRow(const TODVLayerParamSets& rows, Field TODVLayerParamSet::*field, const Value& value) {
  return FindRow(rows, field, value) != rows.end();
}

template <class Field, class Value>
TODVLayerParamSet CopyOfRow(const TODVLayerParamSets& rows, Field TODVLayerParamSet::*field,
                            const Value& value, const char* notFoundMessage,
                            std::ptrdiff_t firstRow = 0) {
  const auto row = FindRow(rows, field, value, firstRow);
  if (row == rows.end())
    throw EPelo(notFoundMessage);
  return *row;
}

} // namespace

TAllLayerParamSets::TAllLayerParamSets()
    : FLayerParamSets(
          GuardEscalating(ClassName(), "Create", [] { return GetAllLayerParamSets(); })) {}

TODVLayerParamSets TAllLayerParamSets::GetAllLayerParamSets() {
  return GuardEscalating(ClassName(), "GetAllLayerParamSets", [] {
    // Each row: the seven type fields, AxisType, LongText, DataType2D, ColorScale, ParamUnit, the
    // four DOI fields, ShortText, ParamProfUnit. The resistivity has no DOI quantities; its DOI
    // fields stay at ordinal 0.
    // clang-format off
    return TODVLayerParamSets{
        {ltRes, ltResStdDCoupled, ltResStdDUnCoupled,
         ltResPriVal, ltResPriStdD, ltResLatStdD, ltResVertStdD,
         "Res", "Resistivity", IsModel, "Resistivity", "Ohmm",
         {}, {}, {}, {},
         "RES", OHM_M},
        {ltChargeability, ltChargeabilityStdDCoupled, ltChargeabilityStdDUnCoupled,
         ltChargeabilityPriVal, ltChargeabilityPriStdD, ltChargeabilityLatStdD, ltChargeabilityVertStdD,
         "Cha", "Chargeability", IsIPModel, "Chargeability", "mV/V",
         dstChargeabilityDOIUp, dstChargeabilityDOIUpThr, dstChargeabilityDOILow, dstChargeabilityDOILowThr,
         "CHA", MV_V},
        {ltTau, ltTauStdDCoupled, ltTauStdDUnCoupled,
         ltTauPriVal, ltTauPriStdD, ltTauLatStdD, ltTauVertStdD,
         "Tau", "TauRho", IsTauModel, "Tau", "s",
         dstTauDOIUp, dstTauDOIUpThr, dstTauDOILow, dstTauDOILowThr,
         "TAU", S},
        {ltC, ltCStdDCoupled, ltCStdDUnCoupled,
         ltCPriVal, ltCPriStdD, ltCLatStdD, ltCVertStdD,
         "C", "C", IsCModel, "C", "",
         dstCDOIUp, dstCDOIUpThr, dstCDOILow, dstCDOILowThr,
         "C", no_unit},
        {ltPHI, ltPHIStdDCoupled, ltPHIStdDUnCoupled,
         ltPHIPriVal, ltPHIPriStdD, ltPHILatStdD, ltPHIVertStdD,
         "Phi", "Phi", isPhiModel, "Phi", "mrad",
         dstPhiDOIUp, dstPhiDOIUpThr, dstPhiDOILow, dstPhiDOILowThr,
         "PHI", M_RAD},
        {ltTauPhi, ltTauPhiStdDCoupled, ltTauPhiStdDUnCoupled,
         ltTauPhiPriVal, ltTauPhiPriStdD, ltTauPhiLatStdD, ltTauPhiVertStdD,
         "TauPhi", "TauPhi", isTauPhiModel, "Tau", "s",
         dstTauPhiDOIUp, dstTauPhiDOIUpThr, dstTauPhiDOILow, dstTauPhiDOILowThr,
         "TPHI", S},
        {ltSigma, ltSigmaStdDCoupled, ltSigmaStdDUnCoupled,
         ltSigmaPriVal, ltSigmaPriStdD, ltSigmaLatStdD, ltSigmaVertStdD,
         "Sigma", "Sigma", IsSigmaModel, "Resistivity", "mS/m",
         dstSigmaDOIUp, dstSigmaDOIUpThr, dstSigmaDOILow, dstSigmaDOILowThr,
         "SIG", MS_M},
        {ltSigmaBulk, ltSigmaBulkStdDCoupled, ltSigmaBulkStdDUnCoupled,
         ltSigmaBulkPriVal, ltSigmaBulkPriStdD, ltSigmaBulkLatStdD, ltSigmaBulkVertStdD,
         "SigmaBulk", "SigmaBulk", IsSigmaBulkModel, "Resistivity", "mS/m",
         dstSigmaBulkDOIUp, dstSigmaBulkDOIUpThr, dstSigmaBulkDOILow, dstSigmaBulkDOILowThr,
         "SIGB", MS_M},
        {ltSigma2nd, ltSigma2ndStdDCoupled, ltSigma2ndStdDUnCoupled,
         ltSigma2ndPriVal, ltSigma2ndPriStdD, ltSigma2ndLatStdD, ltSigma2ndVertStdD,
         "Sigma2nd", "Sigma2nd", IsSigma2ndModel, "Tau", "mS/m",
         dstSigma2ndDOIUp, dstSigma2ndDOIUpThr, dstSigma2ndDOILow, dstSigma2ndDOILowThr,
         "SIG2", MS_M},
        {ltRho2nd, ltRho2ndStdDCoupled, ltRho2ndStdDUnCoupled,
         ltRho2ndPriVal, ltRho2ndPriStdD, ltRho2ndLatStdD, ltRho2ndVertStdD,
         "Rho2nd", "Rho2nd", IsRho2ndModel, "Tau", "Ohmm",
         dstRho2ndDOIUp, dstRho2ndDOIUpThr, dstRho2ndDOILow, dstRho2ndDOILowThr,
         "RHO2", OHM_M},
        {ltPermeability, ltPermeabilityStdDCoupled, ltPermeabilityStdDUnCoupled,
         ltPermeabilityPriVal, ltPermeabilityPriStdD, ltPermeabilityLatStdD, ltPermeabilityVertStdD,
         "Permeability", "Permeability", isPermeabilityModel, "Tau", "m^2",
         dstPermeabilityDOIUp, dstPermeabilityDOIUpThr, dstPermeabilityDOILow, dstPermeabilityDOILowThr,
         "PERM", M2},
        {ltTauSigma, ltTauSigmaStdDCoupled, ltTauSigmaStdDUnCoupled,
         ltTauSigmaPriVal, ltTauSigmaPriStdD, ltTauSigmaLatStdD, ltTauSigmaVertStdD,
         "Tau", "TauSigma", isTauSigmaModel, "Tau", "s",
         dstTauSigmaDOIUp, dstTauSigmaDOIUpThr, dstTauSigmaDOILow, dstTauSigmaDOILowThr,
         "TSIG", S},
    };
    // clang-format on
  });
}

TODVLayerParamSet TAllLayerParamSets::GetParamSet(TODVLayerParam_Types iParam) const {
  return GuardEscalating(ClassName(), "GetParamSet", [&] {
    return CopyOfRow(FLayerParamSets, &TODVLayerParamSet::LayerParam, iParam, kLayerParamNotFound);
  });
}

TODVLayerParamSet TAllLayerParamSets::GetParamSetFromDataType2D(T2DDataType iDataType2D) const {
  return GuardEscalating(ClassName(), "GetParamSetFromDataType2D", [&] {
    return CopyOfRow(FLayerParamSets, &TODVLayerParamSet::DataType2D, iDataType2D,
                     kLayerParamNotFound);
  });
}

TODVLayerParamSet TAllLayerParamSets::GetParamSetFromLongText(const std::string& iText) const {
  return GuardEscalating(ClassName(), "GetParamSetFromLongText", [&] {
    return CopyOfRow(FLayerParamSets, &TODVLayerParamSet::LongText, iText, kLayerParamNotFound);
  });
}

TODVLayerParamSet TAllLayerParamSets::GetParamSetFromPriVal(TODVLayerParam_Types iParam) const {
  return GuardEscalating(ClassName(), "GetParamSetFromPriVal", [&] {
    return CopyOfRow(FLayerParamSets, &TODVLayerParamSet::PriVal, iParam, kPriValNotFound);
  });
}

TODVLayerParamSet TAllLayerParamSets::GetParamSetFromVertSTD(TODVLayerParamCon_Types iParam) const {
  return GuardEscalating(ClassName(), "GetParamSetFromVertSTD", [&] {
    return CopyOfRow(FLayerParamSets, &TODVLayerParamSet::VertStdD, iParam, kVertSTDNotFound);
  });
}

TODVLayerParamSet
TAllLayerParamSets::GetParamSetFromDOIUpper(TODVDOISupplParam_Types iParam) const {
  return GuardEscalating(ClassName(), "GetParamSetFromDOIUpper", [&] {
    return CopyOfRow(FLayerParamSets, &TODVLayerParamSet::DOIUpper, iParam, kDOIUpperNotFound,
                     kFirstRowWithDOI);
  });
}

bool TAllLayerParamSets::IsLayerParameter(TODVLayerParam_Types iLayerParam) const {
  return GuardEscalating(ClassName(), "IsLayerParameter", [&] {
    return HasRow(FLayerParamSets, &TODVLayerParamSet::LayerParam, iLayerParam);
  });
}

bool TAllLayerParamSets::IsLongTextParameter(const std::string& iText) const {
  return GuardEscalating(ClassName(), "IsLongTextParameter", [&] {
    return HasRow(FLayerParamSets, &TODVLayerParamSet::LongText, iText);
  });
}

bool TAllLayerParamSets::IsStdDCoupledParameter(TODVLayerParam_Types iLayerParam) const {
  return GuardEscalating(ClassName(), "IsStdDCoupledParameter", [&] {
    return HasRow(FLayerParamSets, &TODVLayerParamSet::StdDCoupled, iLayerParam);
  });
}

bool TAllLayerParamSets::IsStdDUnCoupledParameter(TODVLayerParam_Types iLayerParam) const {
  return GuardEscalating(ClassName(), "IsStdDUnCoupledParameter", [&] {
    return HasRow(FLayerParamSets, &TODVLayerParamSet::StdDUnCoupled, iLayerParam);
  });
}

bool TAllLayerParamSets::IsPriValParameter(TODVLayerParam_Types iLayerParam) const {
  return GuardEscalating(ClassName(), "IsPriValParameter", [&] {
    return HasRow(FLayerParamSets, &TODVLayerParamSet::PriVal, iLayerParam);
  });
}

bool TAllLayerParamSets::IsPriStdParameter(TODVLayerParam_Types iLayerParam) const {
  return GuardEscalating(ClassName(), "IsPriStdParameter", [&] {
    // The magnetic-resonance quantities have no parameter set, yet their prior standard deviations
    // count as prior standard deviations all the same.
    return HasRow(FLayerParamSets, &TODVLayerParamSet::PriStd, iLayerParam) ||
           iLayerParam == ltMRS_WaterContentPriStdD || iLayerParam == ltMRS_T1PriStdDev ||
           iLayerParam == ltMRS_T2StarPriStdD;
  });
}

bool TAllLayerParamSets::IsLatSTDParameter(TODVLayerParamCon_Types iLayerParam) const {
  return GuardEscalating(ClassName(), "IsLatSTDParameter", [&] {
    return HasRow(FLayerParamSets, &TODVLayerParamSet::LatStdD, iLayerParam);
  });
}

bool TAllLayerParamSets::IsDataType2DParameter(T2DDataType iDataType2D) const {
  return GuardEscalating(ClassName(), "IsDataType2DParameter", [&] {
    return HasRow(FLayerParamSets, &TODVLayerParamSet::DataType2D, iDataType2D);
  });
}

bool TAllLayerParamSets::IsVertSTDParameter(TODVLayerParamCon_Types iLayerParam) const {
  return GuardEscalating(ClassName(), "IsVertSTDParameter", [&] {
    return HasRow(FLayerParamSets, &TODVLayerParamSet::VertStdD, iLayerParam);
  });
}

} // namespace kiv
