#pragma once

#include "core/PeloTypes_.h"

#include <type_traits>

namespace kiv {

// The fields of a model that hold one extra parameter: its result value and standard deviation,
// its a-priori value and factor, and its lateral constraints. Model is TModel or TSparseModel,
// const or not.
template <class Model> struct ExtraParamFields {
  template <class T> using Like = std::conditional_t<std::is_const_v<Model>, const T, T>;

  Like<float>* Value = nullptr;
  Like<float>* STD = nullptr;
  Like<float>* Apri = nullptr;
  Like<float>* ApriSTD = nullptr;
  Like<decltype(std::remove_const_t<Model>::AltitudeLatSTDs)>* LatSTDs = nullptr;

  explicit operator bool() const { return Apri != nullptr; }
};

// The field group of an extra parameter; empty for a parameter that a model does not carry.
template <class Model>
ExtraParamFields<Model> FieldsOfExtraParam(Model& model, TODVPoSet_Types type) {
  switch (type) {
  case GGG_AIR_THK:
    return {&model.Altitude, &model.AltitudeSTD, &model.AltitudeApri, &model.AltitudeApriSTD,
            &model.AltitudeLatSTDs};
  case GGG_PITCH:
    return {&model.Pitch, &model.PitchSTD, &model.PitchApri, &model.PitchApriSTD,
            &model.PitchLatSTDs};
  case GGG_ROLL:
    return {&model.Roll, &model.RollSTD, &model.RollApri, &model.RollApriSTD, &model.RollLatSTDs};
  case GGG_BIAS:
    return {&model.Bias, &model.BiasSTD, &model.BiasApri, &model.BiasApriSTD, &model.BiasLatSTDs};
  case GGG_SHIFT:
    return {&model.Shift, &model.ShiftSTD, &model.ShiftApri, &model.ShiftApriSTD,
            &model.ShiftLatSTDs};
  case GGG_TXRX_DIST:
    return {&model.TxRxDist, &model.TxRxDistSTD, &model.TxRxDistApri, &model.TxRxDistApriSTD,
            &model.TxRxDistLatSTDs};
  case GGG_RX_ANGLE:
    return {&model.RxAngle, &model.RxAngleSTD, &model.RxAngleApri, &model.RxAngleApriSTD,
            &model.RxAngleLatSTDs};
  default:
    return {};
  }
}

} // namespace kiv
