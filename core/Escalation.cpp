#include "core/Escalation.h"

#include "core/DateTimeText.h"
#include "core/FileNames.h"
#include "core/TextFile.h"
#include "platform/AsciiText.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"

#include <array>
#include <typeinfo>

namespace kiv {
namespace {

std::string& ErrorLogFileNameStorage() {
  static std::string fileName;
  return fileName;
}

// The sibling programs whose escalations are recorded, compared in this order.
constexpr std::array<std::string_view, 4> kErrorLoggingExecutables = {
    "KORLOG.EXE", "DRIFLOG.EXE", "NEMLOG.EXE", "VESMARSCOUT.EXE"};

bool RunsInErrorLoggingExecutable(const std::string& executablePath) {
  const std::string name = platform::AsciiUpperCase(ExtractFileName(executablePath));
  for (std::string_view sibling : kErrorLoggingExecutables)
    if (name == sibling)
      return true;
  return false;
}

// A failing error log must never stop the escalation, so every failure here is swallowed.
void AppendErrorLogEntry(const std::exception& E, std::string_view location,
                         std::string_view extra) {
  try {
    if (ErrorLogFileName().empty())
      return;
    const std::string executable = platform::ExecutablePath();
    if (!RunsInErrorLoggingExecutable(executable))
      return;
    const std::string entry = JoinCrLfLines({
        DateTimeStamp(platform::Now(), ProcessFormats()) + ", " + executable,
        std::string(location),
        E.what(),
        std::string(extra),
    });
    platform::AppendOrCreateFile(ErrorLogFileName(), entry);
  } catch (...) {
  }
}

bool AsksToBeReported(const char* message) {
  return platform::AsciiUpperCase(message).find("PLEASE REPORT") != std::string::npos;
}

// A failure re-created by the escalation keeps what the caught one kept; a foreign failure being
// handled is itself the cause, so that a full disk under a library stays a full disk.
std::exception_ptr CauseOf(const std::exception& E) {
  if (const auto* own = dynamic_cast<const Exception*>(&E))
    return own->Cause();
  std::exception_ptr handled = std::current_exception();
  if (!handled)
    return nullptr;
  try {
    std::rethrow_exception(handled);
  } catch (const std::exception& current) {
    if (&current == &E)
      return handled;
  } catch (...) {
  }
  return nullptr;
}

std::string Location(std::string_view unitOrClass, std::string_view routine) {
  std::string location;
  location.reserve(unitOrClass.size() + 1 + routine.size());
  location.append(unitOrClass).append(".").append(routine);
  return location;
}

} // namespace

std::string PeloBuildErrorMessage(const std::exception& E, std::string_view location,
                                  std::string_view extra) {
  return GuardWrapping("PeloTypes_", "PeloBuildErrorMessage", [&] {
    std::string message(location);
    message += '\n';
    message += E.what();
    if (!extra.empty()) {
      message += '\n';
      message += extra;
      message += '\n';
    }
    return message;
  });
}

EPFatal EPFatalCreate(const std::exception& E, std::string_view unitOrClass,
                      std::string_view routine, std::string_view extra) {
  return GuardWrapping("PeloTypes_", "EPFatalCreate", [&] {
    return EPFatal(PeloBuildErrorMessage(E, Location(unitOrClass, routine), extra), CauseOf(E));
  });
}

void PeloRaiseError(const std::exception& E, std::string_view unitOrClass, std::string_view routine,
                    std::string_view extra) {
  AppendErrorLogEntry(E, Location(unitOrClass, routine), extra);
  const bool pleaseReport = AsksToBeReported(E.what());
  if (typeid(E) == typeid(EPelo) && !pleaseReport)
    throw EPelo(E.what(), CauseOf(E));
  if (typeid(E) == typeid(EPInfo) && !pleaseReport)
    throw EPInfo(E.what(), CauseOf(E));
  throw EPFatalCreate(E, unitOrClass, routine, extra);
}

const std::string& ErrorLogFileName() {
  return ErrorLogFileNameStorage();
}

void SetErrorLogFileName(std::string fileName) {
  ErrorLogFileNameStorage() = std::move(fileName);
}

} // namespace kiv
