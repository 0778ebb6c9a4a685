#pragma once

// kivmod info: the facts of a model file that a script checks before a run, as text or JSON.

#include "tools/harness/JsonWriter.h"
#include "tools/kivmod/ModelReading.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kiv {

struct ModelFileFacts {
  std::string file;
  std::string style;                    // "regular" or "sparse"
  std::vector<std::int32_t> typeCodes;  // of the data-file lines, each once, in file order
  std::vector<std::string> layerParams; // the catalogue's long texts, resistivity first
  std::vector<std::string> extraParams;
  std::int32_t models = 0;
  std::int32_t leastLayers = 0;
  std::int32_t mostLayers = 0;
  std::int32_t constraintMode = 0;
  // The bounding box of the models' positions; all 0 without models.
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  std::string comment;
};

// The facts of a file read whole (ReadSurvey).
ModelFileFacts FactsOf(const std::string& path, const survey::SurveyFile& survey);

// The facts as lines of "name: value".
std::string FactsText(const ModelFileFacts& facts);
// The facts as one JSON object, written by json.
void WriteFactsJson(JsonWriter& json, const ModelFileFacts& facts);

} // namespace kiv
