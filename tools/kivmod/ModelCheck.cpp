#include "tools/kivmod/ModelCheck.h"

#include "core/Exceptions.h"
#include "tools/harness/UsageError.h"

namespace kiv {

std::string FailureLine(const std::string& path, const std::exception& failure) {
  if (const auto* uncertain = dynamic_cast<const survey::UncertainModelType*>(&failure))
    return path + ": " + UncertainText(path, uncertain->Finding()) + "\n";
  // The survey's failure of a read names the file as a person reads it; the library's failure
  // under it, with the line, is what scripts have read here.
  if (const auto* read = dynamic_cast<const survey::ReadFailure*>(&failure);
      read && read->Cause()) {
    try {
      std::rethrow_exception(read->Cause());
    } catch (const Exception& cause) {
      std::string line = path + ":" + std::to_string(read->Line()) + ": " + cause.Message() + "\n";
      if (!cause.CauseMessage().empty())
        line += "  cause: " + cause.CauseMessage() + "\n";
      return line;
    } catch (...) {
    }
  }
  const auto* own = dynamic_cast<const Exception*>(&failure);
  const std::int64_t at = own != nullptr ? own->Line() : 0;
  std::string line = path;
  if (at > 0)
    line.append(":").append(std::to_string(at));
  line.append(": ").append(failure.what()).append("\n");
  if (own != nullptr && !own->CauseMessage().empty())
    line += "  cause: " + own->CauseMessage() + "\n";
  return line;
}

std::string CheckModelFile(const std::string& path, const ModelTypeNames& names, bool headerOnly,
                           bool& ok) {
  ok = false;
  try {
    if (headerOnly) {
      TModFile::CheckHeader(path);
      ok = true;
      return path + ": header ok\n";
    }
    const std::unique_ptr<survey::SurveyFile> survey = ReadSurvey(path, names);
    ok = true;
    return path + ": ok (" + std::to_string(survey->Count()) + " models)\n";
  } catch (const UsageError&) {
    throw;
  } catch (const std::exception& e) {
    return FailureLine(path, e);
  }
}

void ConvertModelFile(const std::string& in, const std::string& out, const ModelTypeNames& names,
                      survey::FileLayout layout) {
  RefuseOverwritingInput("convert", in, out);
  RequireFileOrNothing(out);
  ReadSurvey(in, names)->SaveAs(out, survey::StyleOfName(out), layout);
}

} // namespace kiv
