#include "tools/kivmod/KivmodCommand.h"

#include "core/Exceptions.h"
#include "survey/SurveyDiff.h"
#include "tools/harness/CliParse.h"
#include "tools/harness/ProgressLine.h"
#include "tools/harness/UsageError.h"
#include "tools/kivmod/ModelCheck.h"
#include "tools/kivmod/ModelExport.h"
#include "tools/kivmod/ModelFacts.h"
#include "tools/kivmod/ModelReading.h"
#include "tools/kivmod/TextOutput.h"

#include <charconv>
#include <iostream>

namespace kiv {
namespace {

constexpr const char* kFooter =
    R"(The blocks of a model file are read with a model type: resistivity, then the layer
parameters of --params (the catalogue's names: Chargeability or CHA, TauRho or TAU, C, Phi,
TauPhi, Sigma, SigmaBulk, Sigma2nd, Rho2nd, Permeability, TauSigma), and the extra parameters of
--extras (Altitude, Pitch, Roll, Bias, Shift, TxRxDist, RxAngle), each list comma-separated in
file order. Without them, the model type is found by reading the file's first models: the type code's where
its blocks agree with it, else the one the blocks determine; a file that several model types fit
alike is refused with each of them and the --params and --extras that pick it. A list given
alone takes the other from the file (docs/survey.md).

Exit code 0 on success; 1 when a file cannot be read or written, or diff finds differences; 2
for a mistake of the command line (an unknown switch, a missing file).)";

// The steps of kivmod's work on the progress line: "kivmod: file 3 of 10".
class Progress {
public:
  Progress(std::string what, std::int64_t total) : what_(std::move(what)), total_(total) {}
  void Step(std::int64_t done) {
    if (line_.Due())
      line_.Show("kivmod: " + what_ + " " + std::to_string(done) + " of " + std::to_string(total_));
  }

private:
  ProgressLine line_;
  std::string what_;
  std::int64_t total_;
};

// The lists of the model type, on every subcommand that reads model blocks.
void AddModelTypeOptions(CLI::App& command, ModelTypeNames& names) {
  command.add_option("--params", names.params, "Layer parameters after resistivity");
  command.add_option("--extras", names.extras, "Extra parameters");
}

// "FIRST-LAST" or "N", models counted from 1.
std::pair<std::int32_t, std::int32_t> ModelRange(const std::string& text, std::int32_t models) {
  std::int32_t first = 0;
  std::int32_t last = 0;
  const char* end = text.data() + text.size();
  std::from_chars_result read = std::from_chars(text.data(), end, first);
  last = first;
  if (read.ec == std::errc() && read.ptr != end && *read.ptr == '-')
    read = std::from_chars(read.ptr + 1, end, last);
  if (read.ec != std::errc() || read.ptr != end || first < 1 || last < first)
    throw UsageError("--models " + text + ": give FIRST-LAST or N, counted from 1");
  if (last > models)
    throw UsageError("--models " + text + ": the file has " + std::to_string(models) + " models");
  return {first, last};
}

int Info(const std::vector<std::string>& files, const ModelTypeNames& names, bool json) {
  TextOutput out;
  int code = 0;
  Progress progress("file", static_cast<std::int64_t>(files.size()));
  // One object a line, in an array.
  JsonWriter list(out.Buffer(), JsonWriter::Style::indented);
  if (json)
    list.BeginArray();
  for (size_t i = 0; i < files.size(); ++i) {
    try {
      const ModelFileFacts facts = FactsOf(files[i], *ReadSurvey(files[i], names));
      if (json)
        WriteFactsJson(list, facts);
      else
        out.Buffer() += FactsText(facts);
      out.Drain();
    } catch (const UsageError&) {
      throw;
    } catch (const std::exception& e) {
      std::cerr << FailureLine(files[i], e);
      code = 1;
    }
    progress.Step(static_cast<std::int64_t>(i + 1));
  }
  if (json) {
    list.EndArray();
    out.Append("\n");
  }
  out.Finish();
  return code;
}

int Check(const std::vector<std::string>& files, const ModelTypeNames& names, bool headerOnly) {
  TextOutput out;
  int code = 0;
  Progress progress("file", static_cast<std::int64_t>(files.size()));
  for (size_t i = 0; i < files.size(); ++i) {
    bool ok = false;
    out.Append(CheckModelFile(files[i], names, headerOnly, ok));
    code = ok ? code : 1;
    progress.Step(static_cast<std::int64_t>(i + 1));
  }
  out.Finish();
  return code;
}

int Export(const std::string& in, const std::string& outPath, ExportFormat format,
           const std::string& models, const ModelTypeNames& names) {
  if (!outPath.empty())
    RefuseOverwritingInput("export", in, outPath);
  TextOutput out(outPath);
  const std::unique_ptr<survey::SurveyFile> survey = ReadSurvey(in, names);
  const survey::SurveyRows rows(survey->File(), survey->ModelType());
  const auto count = static_cast<std::int32_t>(rows.Models());
  const auto [first, last] = models.empty() ? std::pair(1, count) : ModelRange(models, count);
  Progress progress("model", last - first + 1);
  ExportModels(rows, format, first, last, out, [&](std::int32_t done) { progress.Step(done); });
  out.Finish();
  return 0;
}

int Diff(const std::string& a, const std::string& b, const survey::DiffOptions& options,
         const ModelTypeNames& names) {
  TextOutput out;
  const std::unique_ptr<survey::SurveyFile> surveyA = ReadSurvey(a, names);
  const std::unique_ptr<survey::SurveyFile> surveyB = ReadSurvey(b, names);
  const survey::SurveyRows rowsA(surveyA->File(), surveyA->ModelType());
  const survey::SurveyRows rowsB(surveyB->File(), surveyB->ModelType());
  Progress progress("model", static_cast<std::int64_t>(std::min(rowsA.Models(), rowsB.Models())));
  const survey::DiffOutcome outcome =
      survey::DiffSurveys(rowsA, rowsB, options, out.Buffer(), [&](std::size_t done) {
        progress.Step(static_cast<std::int64_t>(done));
      });
  out.Finish();
  return outcome.differences == 0 ? 0 : 1;
}

int Dispatch(const std::vector<std::string>& arguments);

} // namespace

int RunKivmod(const std::vector<std::string>& arguments) {
  try {
    return Dispatch(arguments);
  } catch (const survey::UncertainModelType& e) {
    // Told as kivmod's own failure, with the options that settle it.
    throw EPelo(UncertainText(e.Path(), e.Finding()));
  }
}

namespace {

int Dispatch(const std::vector<std::string>& arguments) {
  CLI::App app("kivmod: model files (.mod, .mo2) for scripts and spreadsheets.", "kivmod");
  app.footer(kFooter);
  app.require_subcommand(1);
  ModelTypeNames names;

  std::vector<std::string> files;
  bool json = false;
  CLI::App* info = app.add_subcommand(
      "info", "Prints each file's style, type codes, parameters, number of models, layers per "
              "model (least and most), constraint mode, bounding box of X and Y, and comment.");
  info->add_option("FILE", files, "Model files")->required();
  info->add_flag("--json", json, "The same facts as a JSON array, one object per file");
  AddModelTypeOptions(*info, names);

  bool headerOnly = false;
  CLI::App* check = app.add_subcommand(
      "check", "Reads each file whole and prints \"FILE: ok (N models)\", or \"FILE:LINE: "
               "message\" with the library's message and its cause; exit code 1 when one fails.");
  check->add_option("FILE", files, "Model files")->required();
  check->add_flag("--header", headerOnly, "Check the header only, as the run does");
  AddModelTypeOptions(*check, names);

  std::string in;
  std::string out;
  std::string layout = "general";
  CLI::App* convert = app.add_subcommand(
      "convert", "Writes IN's models to OUT, in the sparse style when OUT ends in .mo2, else in "
                 "the regular one; the library converts regular models to sparse ones, not back.");
  convert->add_option("IN", in, "Model file read")->required();
  convert->add_option("OUT", out, "Model file written; not IN")->required();
  convert->add_option("--layout", layout, "general: SaveGeneral's layout; older: Save's")
      ->check(CLI::IsMember({"general", "older"}))
      ->capture_default_str();
  AddModelTypeOptions(*convert, names);

  std::string format = "csv";
  std::string models;
  CLI::App* exportCommand = app.add_subcommand(
      "export", "Writes one row per model and layer: model number, x, y, elevation, extra "
                "parameters, layer number, depth of the top, thickness and every value, prior "
                "factor and constraint factor, numbers in the shortest form that reads back "
                "alike. CSV (RFC 4180, CR LF) or a JSON array of objects.");
  exportCommand->add_option("IN", in, "Model file read")->required();
  exportCommand->add_option("-o,--output", out, "File written (the standard output if none)");
  exportCommand->add_option("--format", format, "csv or json")
      ->check(CLI::IsMember({"csv", "json"}))
      ->capture_default_str();
  exportCommand->add_option("--models", models, "FIRST-LAST or N: the models written, from 1");
  AddModelTypeOptions(*exportCommand, names);

  std::string other;
  survey::DiffOptions diffOptions;
  CLI::App* diff = app.add_subcommand(
      "diff", "Compares A and B model by model and field by field (the fields of export); prints "
              "each difference with both values, then a summary line; exit code 1 when they "
              "differ.");
  diff->add_option("A", in, "Model file")->required();
  diff->add_option("B", other, "Model file")->required();
  diff->add_option("--tolerance", diffOptions.tolerance,
                   "Relative difference allowed, of the larger magnitude")
      ->check(CLI::NonNegativeNumber)
      ->capture_default_str();
  diff->add_option("--max", diffOptions.maxShown, "Differences listed")
      ->check(CLI::NonNegativeNumber)
      ->capture_default_str();
  AddModelTypeOptions(*diff, names);

  if (!ParseCommandLine(app, arguments))
    return 0;
  for (const std::string& file :
       info->parsed() || check->parsed() ? files : std::vector<std::string>{in})
    RequireFile(file);
  if (diff->parsed())
    RequireFile(other);
  if (info->parsed())
    return Info(files, names, json);
  if (check->parsed())
    return Check(files, names, headerOnly);
  if (convert->parsed()) {
    ConvertModelFile(in, out, names,
                     layout == "general" ? survey::FileLayout::General : survey::FileLayout::Older);
    return 0;
  }
  if (exportCommand->parsed())
    return Export(in, out, format == "csv" ? ExportFormat::csv : ExportFormat::json, models, names);
  return Diff(in, other, diffOptions, names);
}

} // namespace

} // namespace kiv
