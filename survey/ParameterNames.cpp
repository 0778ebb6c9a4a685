#include "survey/ParameterNames.h"

#include "core/DelimitedText.h"
#include "model/ModelTypeNames.h"
#include "platform/AsciiText.h"

namespace kiv::survey {
namespace {

std::string Joined(const std::vector<std::string>& names, const char* separator) {
  std::string text;
  for (const std::string& name : names)
    text += (text.empty() ? "" : separator) + name;
  return text;
}

const TODVLayerParamSet& ParamSetNamed(const std::string& name) {
  const std::string wanted = platform::AsciiUpperCase(name);
  std::vector<std::string> known;
  for (const TODVLayerParamSet& set : LayerParamCatalogue().LayerParamSets()) {
    if (set.LayerParam == ltRes)
      continue;
    if (platform::AsciiUpperCase(set.LongText) == wanted ||
        platform::AsciiUpperCase(set.ShortText) == wanted)
      return set;
    known.push_back(set.LongText);
  }
  throw UnknownParameterName("unknown layer parameter \"" + name +
                             "\" (known: " + Joined(known, ", ") + ")");
}

TODVPoSet_Types ExtraNamed(const std::string& name) {
  const std::string wanted = platform::AsciiUpperCase(name);
  std::vector<std::string> known;
  for (const TODVPoSet_Types extra : ListedExtraParams()) {
    if (platform::AsciiUpperCase(std::string(ExtraParamName(extra))) == wanted)
      return extra;
    known.emplace_back(ExtraParamName(extra));
  }
  throw UnknownParameterName("unknown extra parameter \"" + name +
                             "\" (known: " + Joined(known, ", ") + ")");
}

std::vector<std::string> LayerNames(const TVesmarInvModelType& type, bool withResistivity) {
  std::vector<std::string> names;
  for (const TODVLayerParamSet& set : LayerParamSetsOf(type))
    if (withResistivity || set.LayerParam != ltRes)
      names.push_back(set.LongText);
  return names;
}

std::vector<std::string> ExtraNames(const TVesmarInvModelType& type) {
  std::vector<std::string> names;
  for (const TExtraParam& extra : type.ExtraParams)
    names.emplace_back(ExtraParamName(extra.ParamType));
  return names;
}

} // namespace

std::vector<std::string> NameList(std::string_view text) {
  std::vector<std::string> names = SplitDelimitedText(std::string(text));
  std::erase(names, std::string());
  return names;
}

TVesmarInvModelType ModelTypeNamed(const std::vector<std::string>& layerParams,
                                   const std::vector<std::string>& extras) {
  TVesmarInvModelType type;
  type.LayerParams.push_back(LayerParamOf(LayerParamCatalogue().GetParamSet(ltRes)));
  for (const std::string& name : layerParams)
    type.LayerParams.push_back(LayerParamOf(ParamSetNamed(name)));
  for (const std::string& name : extras)
    type.ExtraParams.push_back(ExtraParamOf(ExtraNamed(name)));
  return type;
}

std::string LayerParamsText(const TVesmarInvModelType& type) {
  return Joined(LayerNames(type, false), ",");
}

std::string ExtraParamsText(const TVesmarInvModelType& type) {
  return Joined(ExtraNames(type), ",");
}

std::string ModelTypeText(const TVesmarInvModelType& type) {
  const std::vector<std::string> extras = ExtraNames(type);
  return Joined(LayerNames(type, true), ", ") + "; " +
         (extras.empty() ? "no extra parameters" : "extra parameters " + Joined(extras, ", "));
}

} // namespace kiv::survey
