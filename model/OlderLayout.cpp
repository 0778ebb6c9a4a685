#include "model/OlderLayout.h"

namespace kiv {

std::span<const std::int32_t> OlderLayoutTypeCodes() {
  static constexpr std::int32_t kCodes[] = {5, 501, 6, 8, 51, 52, 11, 12, 116, 126};
  return kCodes;
}

std::vector<TODVPoSet_Types> OlderLayoutExtras(std::int32_t modelType) {
  switch (modelType) {
  case 5:
  case 501:
    return {GGG_AIR_THK};
  case 6:
    return {GGG_AIR_THK, GGG_PITCH};
  case 8:
    return {GGG_AIR_THK, GGG_RX_ANGLE, GGG_TXRX_DIST, GGG_PITCH, GGG_ROLL};
  case 51:
    return {GGG_AIR_THK, GGG_SHIFT};
  case 52:
    return {GGG_AIR_THK, GGG_BIAS};
  default:
    return {};
  }
}

std::vector<OlderLayoutBlock> OlderLayoutBlocks(std::int32_t modelType) {
  switch (modelType) {
  case 11:
  case 12:
    return {{"Chargeability", ltChargeabilityPriVal, ltChargeabilityPriStdD,
             ltChargeabilityVertStdD, ltChargeabilityLatStdD},
            {"Tau", ltTauPriVal, ltTauPriStdD, ltTauVertStdD, ltTauLatStdD},
            {"C", ltCPriVal, ltCPriStdD, ltCVertStdD, ltCLatStdD}};
  case 116:
  case 126:
    return {{"Phi", ltPHIPriVal, ltPHIPriStdD, ltPHIVertStdD, ltPHILatStdD}};
  default:
    return {};
  }
}

} // namespace kiv
