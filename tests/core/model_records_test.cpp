#include "core/PeloTypes_.h"

#include <cstring>
#include <gtest/gtest.h>
#include <new>

namespace kiv {
namespace {

static_assert(sizeof(TODVLayerParam_Types) == 1 && sizeof(TODVLayerParamCon_Types) == 1 &&
              sizeof(TODVDOISupplParam_Types) == 1 && sizeof(T2DDataType) == 1 &&
              sizeof(TODVPoSet_Types) == 1);

TEST(ModelRecords, EnumerationOrdinals) {
  struct Case {
    const char* name;
    int actual;
    int expected;
  };
  // The last value of each list fixes its count; the others sit where a slip in a long list would
  // shift everything after it.
  const Case cases[] = {
      {"ltDepBottom", ltDepBottom, 4},
      {"ltMRS_Permeabillity", ltMRS_Permeabillity, 20},
      {"ltMRS_WaterVolume", ltMRS_WaterVolume, 23},
      {"ltChargeability", ltChargeability, 24},
      {"ltPHIPriStdD", ltPHIPriStdD, 43},
      {"ltRes", ltRes, 44},
      {"ltTauPhi", ltTauPhi, 49},
      {"ltTauSigma", ltTauSigma, 79},
      {"ltNone", ltNone, 84},
      {"ltResLatStdD", ltResLatStdD, 8},
      {"ltTauSigmaVertStdD", ltTauSigmaVertStdD, 23},
      {"ltConNone", ltConNone, 24},
      {"dstPhiDOIUp", dstPhiDOIUp, 12},
      {"dstTauSigmaDOILowThr", dstTauSigmaDOILowThr, 43},
      {"IsModel", IsModel, 3},
      {"isPhiModel", isPhiModel, 11},
      {"isUndefined", isUndefined, 19},
      {"GGG_AIR_THK", GGG_AIR_THK, 9},
      {"GGG_PITCH", GGG_PITCH, 19},
      {"GGG_Not_Used_19", GGG_Not_Used_19, 24},
      {"GGG_ROLL", GGG_ROLL, 29},
      {"GGG_Rx_Pos", GGG_Rx_Pos, 44},
      {"GGG_BIAS", GGG_BIAS, 49},
      {"GGG_SHIFT", GGG_SHIFT, 54},
      {"GGG_TXRX_DIST", GGG_TXRX_DIST, 59},
      {"GGG_RX_ANGLE", GGG_RX_ANGLE, 64},
      {"GGG_MINIMIZATION_NORM_TYPE", GGG_MINIMIZATION_NORM_TYPE, 75},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.actual, c.expected) << c.name;
}

// Default-initialises a T over storage filled with a non-zero pattern and compares it with the
// value-initialised T (all zeros by the language): a field that lacks its own initialiser keeps
// the pattern instead of passing by luck.
template <class T> bool DefaultInitialisedIsZero() {
  alignas(T) unsigned char storage[sizeof(T)];
  std::memset(storage, 0xA5, sizeof storage);
  T* record = ::new (static_cast<void*>(storage)) T;
  const bool zero = *record == T{};
  record->~T();
  return zero;
}

TEST(ModelRecords, NewRecordsStartAtZero) {
  EXPECT_TRUE(DefaultInitialisedIsZero<TODVLayerParam>());
  EXPECT_TRUE(DefaultInitialisedIsZero<TODVLayerParamCon>());
  EXPECT_TRUE(DefaultInitialisedIsZero<TLayer>());
  EXPECT_TRUE(DefaultInitialisedIsZero<TModel>());
  EXPECT_TRUE(DefaultInitialisedIsZero<TLayerParam>());
  EXPECT_TRUE(DefaultInitialisedIsZero<TExtraParam>());
  EXPECT_TRUE(DefaultInitialisedIsZero<TVesmarInvModelType>());
  EXPECT_TRUE(DefaultInitialisedIsZero<TSparseVector>());
  EXPECT_TRUE(DefaultInitialisedIsZero<TSparseLayer>());
  EXPECT_TRUE(DefaultInitialisedIsZero<TSparseModel>());
}

// Every loop over the extra parameters follows this table, so each entry is checked against the
// fields named after its parameter; the sparse model shares the names through the same table.
TEST(ModelRecords, ExtraParamGroupsHoldTheFieldsOfTheirParameter) {
  using M = TModel;
  const TExtraParamGroup<M> expected[] = {
      {GGG_AIR_THK, &M::Altitude, &M::AltitudeSTD, &M::AltitudeApri, &M::AltitudeApriSTD,
       &M::AltitudeLatSTDs},
      {GGG_PITCH, &M::Pitch, &M::PitchSTD, &M::PitchApri, &M::PitchApriSTD, &M::PitchLatSTDs},
      {GGG_BIAS, &M::Bias, &M::BiasSTD, &M::BiasApri, &M::BiasApriSTD, &M::BiasLatSTDs},
      {GGG_ROLL, &M::Roll, &M::RollSTD, &M::RollApri, &M::RollApriSTD, &M::RollLatSTDs},
      {GGG_SHIFT, &M::Shift, &M::ShiftSTD, &M::ShiftApri, &M::ShiftApriSTD, &M::ShiftLatSTDs},
      {GGG_TXRX_DIST, &M::TxRxDist, &M::TxRxDistSTD, &M::TxRxDistApri, &M::TxRxDistApriSTD,
       &M::TxRxDistLatSTDs},
      {GGG_RX_ANGLE, &M::RxAngle, &M::RxAngleSTD, &M::RxAngleApri, &M::RxAngleApriSTD,
       &M::RxAngleLatSTDs},
  };
  ASSERT_EQ(std::size(ExtraParamGroups<M>), std::size(expected));
  for (const TExtraParamGroup<M>& want : expected) {
    const TExtraParamGroup<M>* group = FindExtraParamGroup<M>(want.ParamType);
    ASSERT_NE(group, nullptr) << int(want.ParamType);
    EXPECT_TRUE(group->Value == want.Value && group->STD == want.STD && group->Apri == want.Apri &&
                group->ApriSTD == want.ApriSTD && group->LatSTDs == want.LatSTDs)
        << int(want.ParamType);
  }
  for (TODVPoSet_Types other : {GGG_AIR_THK_STD, GGG_RX_ALT, GGG_TX_ALT, GGG_Rx_Pos, GGG_TIMESTAMP})
    EXPECT_EQ(FindExtraParamGroup<TSparseModel>(other), nullptr) << int(other);
}

} // namespace
} // namespace kiv
