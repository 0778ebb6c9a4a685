#include "tools/kivmod/ModelFacts.h"

#include "core/NumberFormat.h"
#include "model/ModelTypeNames.h"

#include <algorithm>

namespace kiv {
namespace {

std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts)
    joined += (joined.empty() ? "" : ", ") + text;
  return joined.empty() ? "none" : joined;
}

std::string Codes(const std::vector<std::int32_t>& codes, const char* separator) {
  std::string text;
  for (const std::int32_t code : codes)
    text += (text.empty() ? "" : separator) + std::to_string(code);
  return text;
}

template <class Model> void Include(ModelFileFacts& facts, const Model& model, bool first) {
  const auto layers = static_cast<std::int32_t>(model.Layers.size());
  facts.leastLayers = first ? layers : std::min(facts.leastLayers, layers);
  facts.mostLayers = first ? layers : std::max(facts.mostLayers, layers);
  facts.minX = first ? model.UTMX : std::min(facts.minX, model.UTMX);
  facts.maxX = first ? model.UTMX : std::max(facts.maxX, model.UTMX);
  facts.minY = first ? model.UTMY : std::min(facts.minY, model.UTMY);
  facts.maxY = first ? model.UTMY : std::max(facts.maxY, model.UTMY);
  if (std::find(facts.typeCodes.begin(), facts.typeCodes.end(), model.ModelType) ==
      facts.typeCodes.end())
    facts.typeCodes.push_back(model.ModelType);
}

} // namespace

ModelFileFacts FactsOf(const std::string& path, const survey::SurveyFile& survey) {
  const TModFile& file = survey.File();
  ModelFileFacts facts;
  facts.file = path;
  facts.style = file.SparseFormat() ? "sparse" : "regular";
  for (const TODVLayerParamSet& set : LayerParamSetsOf(survey.ModelType()))
    facts.layerParams.push_back(set.LongText);
  for (const TExtraParam& extra : survey.ModelType().ExtraParams)
    facts.extraParams.emplace_back(ExtraParamName(extra.ParamType));
  survey.WithModels([&](const auto& models) {
    for (std::size_t i = 0; i < models.size(); ++i)
      Include(facts, models[i], i == 0);
    facts.models = static_cast<std::int32_t>(models.size());
  });
  facts.constraintMode = file.LCIMode();
  facts.comment = file.CommentLine();
  return facts;
}

std::string FactsText(const ModelFileFacts& facts) {
  return facts.file + "\n" +                                         //
         "  style: " + facts.style + "\n" +                          //
         "  type codes: " + Codes(facts.typeCodes, ", ") + "\n" +    //
         "  layer parameters: " + Joined(facts.layerParams) + "\n" + //
         "  extra parameters: " + Joined(facts.extraParams) + "\n" + //
         "  models: " + std::to_string(facts.models) + "\n" +        //
         "  layers per model: " + std::to_string(facts.leastLayers) + " to " +
         std::to_string(facts.mostLayers) + "\n" + //
         "  constraint mode: " + std::to_string(facts.constraintMode) + "\n" +
         "  x: " + ShortestText(facts.minX) + " to " + ShortestText(facts.maxX) + "\n" +
         "  y: " + ShortestText(facts.minY) + " to " + ShortestText(facts.maxY) + "\n" +
         "  comment: " + facts.comment + "\n";
}

void WriteFactsJson(JsonWriter& json, const ModelFileFacts& facts) {
  json.BeginObject();
  json.Key("file");
  json.String(facts.file);
  json.Key("style");
  json.String(facts.style);
  json.Key("typeCodes");
  json.Integers(facts.typeCodes);
  json.Key("layerParameters");
  json.Strings(facts.layerParams);
  json.Key("extraParameters");
  json.Strings(facts.extraParams);
  json.Key("models");
  json.Integer(facts.models);
  json.Key("leastLayers");
  json.Integer(facts.leastLayers);
  json.Key("mostLayers");
  json.Integer(facts.mostLayers);
  json.Key("constraintMode");
  json.Integer(facts.constraintMode);
  json.Key("minX");
  json.Number(facts.minX);
  json.Key("maxX");
  json.Number(facts.maxX);
  json.Key("minY");
  json.Number(facts.minY);
  json.Key("maxY");
  json.Number(facts.maxY);
  json.Key("comment");
  json.String(facts.comment);
  json.EndObject();
}

} // namespace kiv
