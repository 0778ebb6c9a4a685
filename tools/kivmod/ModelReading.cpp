#include "tools/kivmod/ModelReading.h"

#include "core/FileNames.h"
#include "platform/FileOperations.h"
#include "platform/FileSystem.h"
#include "survey/ParameterNames.h"
#include "tools/harness/UsageError.h"

#include <algorithm>

namespace kiv {
namespace {

// Candidates listed with their options; the rest are counted.
constexpr std::size_t kCandidatesShown = 12;

// A list as the shell takes it: "" for none.
std::string Argument(const std::string& list) {
  return list.empty() ? "\"\"" : list;
}

} // namespace

std::unique_ptr<survey::SurveyFile> ReadSurvey(const std::string& path,
                                               const ModelTypeNames& names) {
  survey::ModelTypeChoice choice;
  if (names.params || names.extras) {
    try {
      choice.given = survey::ModelTypeNamed(survey::NameList(names.params.value_or("")),
                                            survey::NameList(names.extras.value_or("")));
    } catch (const survey::UnknownParameterName& e) {
      throw UsageError(e.what());
    }
    choice.layerParamsGiven = names.params.has_value();
    choice.extraParamsGiven = names.extras.has_value();
  }
  return survey::SurveyFile::Read(path, choice);
}

std::string UncertainText(const std::string& path, const survey::ModelTypeFinding& finding) {
  std::string text = "the model type of " + ExtractFileName(path) +
                     " is not certain: " + finding.reason + ". Name it with --params and --extras:";
  std::vector<std::string> options;
  std::size_t width = 0;
  const std::size_t shown = std::min(finding.candidates.size(), kCandidatesShown);
  for (std::size_t i = 0; i < shown; ++i) {
    const TVesmarInvModelType& type = finding.candidates[i];
    options.push_back("--params " + Argument(survey::LayerParamsText(type)) + " --extras " +
                      Argument(survey::ExtraParamsText(type)));
    width = std::max(width, options.back().size());
  }
  for (std::size_t i = 0; i < shown; ++i)
    text += "\n  " + options[i] + std::string(width - options[i].size() + 3, ' ') +
            survey::ModelTypeText(finding.candidates[i]);
  if (const std::size_t more = finding.candidates.size() - shown + finding.moreCandidates; more > 0)
    text += "\n  and " + std::to_string(more) + " more";
  return text;
}

void RequireFile(const std::string& path) {
  if (!platform::RegularFileExists(path))
    throw UsageError("no such file: " + path);
}

void RefuseOverwritingInput(const std::string& command, const std::string& in,
                            const std::string& out) {
  if (in == out || platform::IsSameFile(in, out))
    throw UsageError(command + " will not write over its input " + in + ": name another file");
}

void RequireFileOrNothing(const std::string& path) {
  if (!platform::RegularFileExists(path) && platform::IsSameFile(path, path))
    throw UsageError(path + " is not a file");
}

} // namespace kiv
