#include "model/LayerParams_.h"
#include "testing/model/ModelPrinters.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace kiv {
namespace {

// The two locate routines share one rule; each case runs against both array kinds, built from the
// same type ordinals.
struct LocateCase {
  const char* what;
  std::vector<int> types;
  std::int32_t hint;
  int wanted;
  std::int32_t expected;
};

const LocateCase kLocateCases[] = {
    {"hint on the wanted type is taken as it is", {3, 5, 7}, 1, 5, 1},
    {"hint on the second of two is kept", {5, 2, 5}, 2, 5, 2},
    {"no hint finds the first of two", {5, 2, 5}, -1, 5, 0},
    {"hint on another type searches from the start", {5, 2, 5}, 1, 5, 0},
    {"hint beyond the end searches", {3, 5, 7}, 5, 7, 2},
    {"hint at the length searches", {3, 5, 7}, 3, 3, 0},
    {"any negative hint searches", {3, 5, 7}, -7, 7, 2},
    {"type missing", {3, 5, 7}, 0, 4, -1},
    {"empty array", {}, 0, 3, -1},
};

TEST(LayerParams, LocateLayerParam) {
  for (const LocateCase& c : kLocateCases) {
    TArrayOfODVLayerParam params;
    for (int type : c.types)
      params.push_back({static_cast<TODVLayerParam_Types>(type), 1.0f});
    std::int32_t hint = c.hint;
    EXPECT_EQ(LocateLayerParam(hint, static_cast<TODVLayerParam_Types>(c.wanted), params),
              c.expected)
        << c.what;
    EXPECT_EQ(hint, c.expected) << c.what;
  }
}

TEST(LayerParams, LocateLayerParamCon) {
  for (const LocateCase& c : kLocateCases) {
    TArrayOfODVLayerParamCon cons;
    for (int type : c.types)
      cons.push_back({static_cast<TODVLayerParamCon_Types>(type), {1.0f}, {}});
    std::int32_t hint = c.hint;
    EXPECT_EQ(LocateLayerParamCon(hint, static_cast<TODVLayerParamCon_Types>(c.wanted), cons),
              c.expected)
        << c.what;
    EXPECT_EQ(hint, c.expected) << c.what;
  }
}

TEST(LayerParams, CopiesAreEqualAndIndependent) {
  const TArrayOfODVLayerParam params = {{ltChargeabilityPriVal, 25.0f},
                                        {ltChargeabilityPriStdD, 99.0f}};
  TArrayOfODVLayerParam paramsCopy = CopyLayerParams(params);
  EXPECT_EQ(paramsCopy, params);
  paramsCopy[1].Value = 1.5f;
  EXPECT_EQ(params[1].Value, 99.0f);

  const TArrayOfODVLayerParamCon cons = {{ltChargeabilityVertStdD, {1.2f}, {}},
                                         {ltChargeabilityLatStdD, {1.5f, 2.0f}, {1, 3}}};
  TArrayOfODVLayerParamCon consCopy = CopyLayerParams(cons);
  EXPECT_EQ(consCopy, cons);
  consCopy[1].Values[0] = 7.0f;
  consCopy[1].Indices[1] = 9;
  EXPECT_EQ(cons[1].Values[0], 1.5f);
  EXPECT_EQ(cons[1].Indices[1], 3);

  EXPECT_TRUE(CopyLayerParams(TArrayOfODVLayerParam{}).empty());
  EXPECT_TRUE(CopyLayerParams(TArrayOfODVLayerParamCon{}).empty());
}

} // namespace
} // namespace kiv
