#pragma once

#include "core/PeloTypes_.h"

namespace kiv {

// The fields of a model that hold one extra parameter: its a-priori value and factor and its
// lateral constraints. Model is TModel or TSparseModel.
template <class Model> struct ExtraParamFields {
  float* Apri = nullptr;
  float* ApriSTD = nullptr;
  decltype(Model::AltitudeLatSTDs)* LatSTDs = nullptr;

  explicit operator bool() const { return Apri != nullptr; }
};

// The field group of an extra parameter; empty for a parameter that a model does not carry.
template <class Model>
ExtraParamFields<Model> FieldsOfExtraParam(Model& model, TODVPoSet_Types type) {
  switch (type) {
  case GGG_AIR_THK:
    return {&model.AltitudeApri, &model.AltitudeApriSTD, &model.AltitudeLatSTDs};
  case GGG_PITCH:
    return {&model.PitchApri, &model.PitchApriSTD, &model.PitchLatSTDs};
  case GGG_ROLL:
    return {&model.RollApri, &model.RollApriSTD, &model.RollLatSTDs};
  case GGG_BIAS:
    return {&model.BiasApri, &model.BiasApriSTD, &model.BiasLatSTDs};
  case GGG_SHIFT:
    return {&model.ShiftApri, &model.ShiftApriSTD, &model.ShiftLatSTDs};
  case GGG_TXRX_DIST:
    return {&model.TxRxDistApri, &model.TxRxDistApriSTD, &model.TxRxDistLatSTDs};
  case GGG_RX_ANGLE:
    return {&model.RxAngleApri, &model.RxAngleApriSTD, &model.RxAngleLatSTDs};
  default:
    return {};
  }
}

} // namespace kiv
