#pragma once

// How kivmod reads a model file: as a survey, its model type found by reading or named on the
// command line (--params, --extras, each alone or both), and how a file whose model type is not
// certain is told, with the --params and --extras that pick each candidate.

#include "survey/SurveyFile.h"

#include <memory>
#include <optional>
#include <string>

namespace kiv {

// The parameter lists of --params and --extras as given (comma-separated names); a list not
// given comes from reading the file.
struct ModelTypeNames {
  std::optional<std::string> params;
  std::optional<std::string> extras;
};

// Reads the whole file in one pass. Throws UsageError for a parameter name that is not known,
// survey::UncertainModelType when the file and the names leave the model type open, and the
// failures of the read (survey::SurveyFile::Read).
std::unique_ptr<survey::SurveyFile> ReadSurvey(const std::string& path,
                                               const ModelTypeNames& names);

// The text of a file whose model type is not certain: why, and a line per candidate (the first
// few, then how many more) with the options that pick it.
std::string UncertainText(const std::string& path, const survey::ModelTypeFinding& finding);

// Throws UsageError unless path is an existing file.
void RequireFile(const std::string& path);

// Throws UsageError when out names in, also through links: command would destroy its input.
void RefuseOverwritingInput(const std::string& command, const std::string& in,
                            const std::string& out);

// Throws UsageError for a path that exists as something other than a file (a folder, a device),
// which a save through a temporary file would replace.
void RequireFileOrNothing(const std::string& path);

} // namespace kiv
