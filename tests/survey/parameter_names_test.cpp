#include "survey/ParameterNames.h"

#include <gtest/gtest.h>

namespace kiv::survey {
namespace {

TEST(ParameterNames, NamesInAnyCaseAndShortTextsMakeTheModelType) {
  const TVesmarInvModelType type = ModelTypeNamed({"cha", "TauRho"}, {"altitude", "Pitch"});
  ASSERT_EQ(type.LayerParams.size(), 3u);
  EXPECT_EQ(type.LayerParams[0].ParamType, ltRes);
  EXPECT_EQ(type.LayerParams[1].ParamType, ltChargeability);
  EXPECT_EQ(type.LayerParams[2].ParamType, ltTau);
  ASSERT_EQ(type.ExtraParams.size(), 2u);
  EXPECT_EQ(type.ExtraParams[1].ParamType, GGG_PITCH);
  EXPECT_EQ(LayerParamsText(type), "Chargeability,TauRho");
  EXPECT_EQ(ExtraParamsText(type), "Altitude,Pitch");
  EXPECT_EQ(ModelTypeText(type),
            "Resistivity, Chargeability, TauRho; extra parameters Altitude, Pitch");
  EXPECT_EQ(ModelTypeText(ModelTypeNamed({}, {})), "Resistivity; no extra parameters");
}

TEST(ParameterNames, AnUnknownNameListsTheKnownOnes) {
  try {
    ModelTypeNamed({"Yaw"}, {});
    FAIL() << "no failure";
  } catch (const UnknownParameterName& e) {
    EXPECT_STREQ(e.what(), "unknown layer parameter \"Yaw\" (known: Chargeability, TauRho, C, "
                           "Phi, TauPhi, Sigma, SigmaBulk, Sigma2nd, Rho2nd, Permeability, "
                           "TauSigma)");
  }
  EXPECT_THROW(ModelTypeNamed({}, {"Yaw"}), UnknownParameterName);
  EXPECT_EQ(NameList(",Phi,,TauPhi"), (std::vector<std::string>{"Phi", "TauPhi"}));
}

} // namespace
} // namespace kiv::survey
