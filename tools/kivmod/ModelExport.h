#pragma once

// kivmod export: the rows of a survey (survey::SurveyRows) as CSV (RFC 4180) or as a JSON array
// of objects, one row per model and layer, written as each row is made.

#include "survey/SurveyRows.h"
#include "tools/kivmod/TextOutput.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kiv {

enum class ExportFormat { csv, json };

// The field as RFC 4180 writes it: in quotes, with each quote doubled, when it holds a comma, a
// quote or a line break; else as it is.
std::string CsvField(std::string_view text);

// Writes models first to last (from 1) of the rows to out: a header row of the field names (CSV)
// and one row per layer with the model's number, its fields, the layer's number, the depth of its
// top and its fields. A field the row does not have is empty (CSV) or null (JSON), as is a value
// that is not finite. progress is told each model done.
void ExportModels(const survey::SurveyRows& rows, ExportFormat format, std::int32_t first,
                  std::int32_t last, TextOutput& out,
                  const std::function<void(std::int32_t done)>& progress);

} // namespace kiv
