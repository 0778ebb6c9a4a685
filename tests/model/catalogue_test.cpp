#include "model/InversionGeneralTypes_.h"
#include "testing/model/ModelPrinters.h"
#include "testing/support/Failure.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace kiv {
namespace {

using test::Failure;

TEST(Catalogue, Rows) {
  // The seven type fields of a row follow its parameter's ordinals (value, two standard
  // deviations, prior value and prior factor in a run; lateral then vertical constraint), and so
  // do the four DOI fields; the table gives the first of each run.
  struct Row {
    TODVLayerParam_Types layerParam;
    TODVLayerParamCon_Types latStdD;
    TODVDOISupplParam_Types doiUpper;
    const char* axisType;
    const char* longText;
    T2DDataType dataType2D;
    const char* colorScale;
    const char* paramUnit;
    const char* shortText;
    TProfUnit profUnit;
  };
  const Row expected[] = {
      {ltRes, ltResLatStdD, {}, "Res", "Resistivity", IsModel, "Resistivity", "Ohmm", "RES", OHM_M},
      {ltChargeability, ltChargeabilityLatStdD, dstChargeabilityDOIUp, "Cha", "Chargeability",
       IsIPModel, "Chargeability", "mV/V", "CHA", MV_V},
      {ltTau, ltTauLatStdD, dstTauDOIUp, "Tau", "TauRho", IsTauModel, "Tau", "s", "TAU", S},
      {ltC, ltCLatStdD, dstCDOIUp, "C", "C", IsCModel, "C", "", "C", no_unit},
      {ltPHI, ltPHILatStdD, dstPhiDOIUp, "Phi", "Phi", isPhiModel, "Phi", "mrad", "PHI", M_RAD},
      {ltTauPhi, ltTauPhiLatStdD, dstTauPhiDOIUp, "TauPhi", "TauPhi", isTauPhiModel, "Tau", "s",
       "TPHI", S},
      {ltSigma, ltSigmaLatStdD, dstSigmaDOIUp, "Sigma", "Sigma", IsSigmaModel, "Resistivity",
       "mS/m", "SIG", MS_M},
      {ltSigmaBulk, ltSigmaBulkLatStdD, dstSigmaBulkDOIUp, "SigmaBulk", "SigmaBulk",
       IsSigmaBulkModel, "Resistivity", "mS/m", "SIGB", MS_M},
      {ltSigma2nd, ltSigma2ndLatStdD, dstSigma2ndDOIUp, "Sigma2nd", "Sigma2nd", IsSigma2ndModel,
       "Tau", "mS/m", "SIG2", MS_M},
      {ltRho2nd, ltRho2ndLatStdD, dstRho2ndDOIUp, "Rho2nd", "Rho2nd", IsRho2ndModel, "Tau", "Ohmm",
       "RHO2", OHM_M},
      {ltPermeability, ltPermeabilityLatStdD, dstPermeabilityDOIUp, "Permeability", "Permeability",
       isPermeabilityModel, "Tau", "m^2", "PERM", M2},
      {ltTauSigma, ltTauSigmaLatStdD, dstTauSigmaDOIUp, "Tau", "TauSigma", isTauSigmaModel, "Tau",
       "s", "TSIG", S},
  };
  const TAllLayerParamSets catalogue;
  const TODVLayerParamSets& rows = catalogue.LayerParamSets();
  ASSERT_EQ(rows.size(), std::size(expected));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    const TODVLayerParamSet& row = rows[i];
    const Row& want = expected[i];
    EXPECT_EQ(row.LayerParam, want.layerParam);
    EXPECT_EQ(row.StdDCoupled, want.layerParam + 1);
    EXPECT_EQ(row.StdDUnCoupled, want.layerParam + 2);
    EXPECT_EQ(row.PriVal, want.layerParam + 3);
    EXPECT_EQ(row.PriStd, want.layerParam + 4);
    EXPECT_EQ(row.LatStdD, want.latStdD);
    EXPECT_EQ(row.VertStdD, want.latStdD + 1);
    EXPECT_EQ(row.AxisType, want.axisType);
    EXPECT_EQ(row.LongText, want.longText);
    EXPECT_EQ(row.DataType2D, want.dataType2D);
    EXPECT_EQ(row.ColorScale, want.colorScale);
    EXPECT_EQ(row.ParamUnit, want.paramUnit);
    EXPECT_EQ(row.ShortText, want.shortText);
    EXPECT_EQ(row.ParamProfUnit, want.profUnit);
    if (i == 0) {
      // The resistivity has no DOI quantities: every DOI field holds the filler at ordinal 0.
      EXPECT_EQ(row.DOIUpper, 0);
      EXPECT_EQ(row.DOIUpperThr, 0);
      EXPECT_EQ(row.DOILower, 0);
      EXPECT_EQ(row.DOILowerThr, 0);
    } else {
      EXPECT_EQ(row.DOIUpper, want.doiUpper);
      EXPECT_EQ(row.DOIUpperThr, want.doiUpper + 1);
      EXPECT_EQ(row.DOILower, want.doiUpper + 2);
      EXPECT_EQ(row.DOILowerThr, want.doiUpper + 3);
    }
  }
}

// Every lookup must compare its own column: each row is found again through each of its keys.
TEST(Catalogue, EveryRowIsFoundByEachOfItsKeys) {
  const TAllLayerParamSets catalogue;
  const TODVLayerParamSets& rows = catalogue.LayerParamSets();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    const TODVLayerParamSet& row = rows[i];
    EXPECT_EQ(catalogue.GetParamSet(row.LayerParam), row);
    EXPECT_EQ(catalogue.GetParamSetFromDataType2D(row.DataType2D), row);
    EXPECT_EQ(catalogue.GetParamSetFromLongText(row.LongText), row);
    EXPECT_EQ(catalogue.GetParamSetFromPriVal(row.PriVal), row);
    EXPECT_EQ(catalogue.GetParamSetFromVertSTD(row.VertStdD), row);
    if (i > 0) {
      EXPECT_EQ(catalogue.GetParamSetFromDOIUpper(row.DOIUpper), row);
    }
    EXPECT_TRUE(catalogue.IsLayerParameter(row.LayerParam));
    EXPECT_TRUE(catalogue.IsLongTextParameter(row.LongText));
    EXPECT_TRUE(catalogue.IsStdDCoupledParameter(row.StdDCoupled));
    EXPECT_TRUE(catalogue.IsStdDUnCoupledParameter(row.StdDUnCoupled));
    EXPECT_TRUE(catalogue.IsPriValParameter(row.PriVal));
    EXPECT_TRUE(catalogue.IsPriStdParameter(row.PriStd));
    EXPECT_TRUE(catalogue.IsLatSTDParameter(row.LatStdD));
    EXPECT_TRUE(catalogue.IsDataType2DParameter(row.DataType2D));
    EXPECT_TRUE(catalogue.IsVertSTDParameter(row.VertStdD));
  }
}

TEST(Catalogue, UpperDOILookupSkipsTheResistivityFiller) {
  const TAllLayerParamSets catalogue;
  EXPECT_EQ(catalogue.GetParamSetFromDOIUpper(dstChargeabilityDOIUp).LayerParam, ltChargeability);
}

TEST(Catalogue, FailedLookupsAreFatalWithTheirLocation) {
  const TAllLayerParamSets catalogue;
  const std::string notFound = "\nLayer parameter not found! Please report this error";
  struct Case {
    const char* what;
    std::function<void()> lookup;
    std::string message;
  };
  const Case cases[] = {
      {"thickness has no set", [&] { catalogue.GetParamSet(ltThickness); },
       "TAllLayerParamSets.GetParamSet" + notFound},
      {"ltNone has no set", [&] { catalogue.GetParamSet(ltNone); },
       "TAllLayerParamSets.GetParamSet" + notFound},
      {"a companion is no key of GetParamSet", [&] { catalogue.GetParamSet(ltResPriVal); },
       "TAllLayerParamSets.GetParamSet" + notFound},
      {"pseudo-sections show no parameter", [&] { catalogue.GetParamSetFromDataType2D(IsPseudo); },
       "TAllLayerParamSets.GetParamSetFromDataType2D" + notFound},
      {"Tau is an axis name only", [&] { catalogue.GetParamSetFromLongText("Tau"); },
       "TAllLayerParamSets.GetParamSetFromLongText" + notFound},
      {"long texts compare case-sensitively",
       [&] { catalogue.GetParamSetFromLongText("resistivity"); },
       "TAllLayerParamSets.GetParamSetFromLongText" + notFound},
      {"magnetic-resonance prior", [&] { catalogue.GetParamSetFromPriVal(ltMRS_T1PriVal); },
       "TAllLayerParamSets.GetParamSetFromPriVal\nPriVal layer parameter not found! Please report "
       "this error"},
      {"a lateral constraint is no vertical one",
       [&] { catalogue.GetParamSetFromVertSTD(ltResLatStdD); },
       "TAllLayerParamSets.GetParamSetFromVertSTD\nVertSTD layer parameter not found! Please "
       "report this error"},
      {"a threshold is no upper DOI",
       [&] { catalogue.GetParamSetFromDOIUpper(dstChargeabilityDOIUpThr); },
       "TAllLayerParamSets.GetParamSetFromDOIUpper\nDOIUpper layer parameter not found! Please "
       "report this error"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Failure(c.lookup), std::make_pair(std::string("EPFatal"), c.message)) << c.what;
}

TEST(Catalogue, QuestionsAboutValuesWithoutARow) {
  const TAllLayerParamSets catalogue;
  struct Case {
    const char* what;
    bool answer;
    bool expected;
  };
  const Case cases[] = {
      {"IsLayerParameter(ltThickness)", catalogue.IsLayerParameter(ltThickness), false},
      {"IsLayerParameter(ltNone)", catalogue.IsLayerParameter(ltNone), false},
      {"IsLongTextParameter(Tau)", catalogue.IsLongTextParameter("Tau"), false},
      {"IsLongTextParameter(resistivity)", catalogue.IsLongTextParameter("resistivity"), false},
      {"IsStdDCoupledParameter(uncoupled)", catalogue.IsStdDCoupledParameter(ltResStdDUnCoupled),
       false},
      {"IsStdDUnCoupledParameter(coupled)", catalogue.IsStdDUnCoupledParameter(ltResStdDCoupled),
       false},
      {"IsPriValParameter(ltMRS_T1PriVal)", catalogue.IsPriValParameter(ltMRS_T1PriVal), false},
      {"IsPriStdParameter(ltMRS_WaterContentPriStdD)",
       catalogue.IsPriStdParameter(ltMRS_WaterContentPriStdD), true},
      {"IsPriStdParameter(ltMRS_T1PriStdDev)", catalogue.IsPriStdParameter(ltMRS_T1PriStdDev),
       true},
      {"IsPriStdParameter(ltMRS_T2StarPriStdD)", catalogue.IsPriStdParameter(ltMRS_T2StarPriStdD),
       true},
      {"IsPriStdParameter(ltThkPriStdD)", catalogue.IsPriStdParameter(ltThkPriStdD), false},
      {"IsPriStdParameter(ltMRS_T1PriVal)", catalogue.IsPriStdParameter(ltMRS_T1PriVal), false},
      {"IsLatSTDParameter(ltConNone)", catalogue.IsLatSTDParameter(ltConNone), false},
      {"IsLatSTDParameter(vertical)", catalogue.IsLatSTDParameter(ltResVertStdD), false},
      {"IsVertSTDParameter(ltConNone)", catalogue.IsVertSTDParameter(ltConNone), false},
      {"IsVertSTDParameter(lateral)", catalogue.IsVertSTDParameter(ltResLatStdD), false},
      {"IsDataType2DParameter(IsPseudo)", catalogue.IsDataType2DParameter(IsPseudo), false},
      {"IsDataType2DParameter(isUndefined)", catalogue.IsDataType2DParameter(isUndefined), false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.answer, c.expected) << c.what;
}

} // namespace
} // namespace kiv
