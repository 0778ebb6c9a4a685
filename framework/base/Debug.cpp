#include "framework/base/Debug.h"

#include "core/ClassNames.h"
#include "core/Escalation.h"
#include "core/FileNames.h"
#include "framework/base/DebugLine.h"
#include "framework/base/Information.h"
#include "framework/base/LogRotation.h"
#include "framework/base/LogWindow.h"
#include "framework/base/Tools.h"
#include "platform/Clock.h"
#include "platform/FileOperations.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/Ticks.h"

#include <array>
#include <fmt/args.h>
#include <fmt/printf.h>
#include <system_error>

namespace kiv {
namespace {

constexpr std::array<std::string_view, 4> kMessageTypeNames = {"mt_Info", "mt_Debug", "mt_Warn",
                                                               "mt_Error"};

// The message with line feeds as "|" and carriage returns dropped.
std::string Flattened(std::string_view AMessage) {
  std::string flat;
  flat.reserve(AMessage.size());
  for (char c : AMessage)
    if (c == '\n')
      flat += '|';
    else if (c != '\r')
      flat += c;
  return flat;
}

std::string Formatted(std::string_view AFormat, std::initializer_list<TLogValue> AValues) {
  fmt::dynamic_format_arg_store<fmt::printf_context> arguments;
  for (const TLogValue& value : AValues)
    std::visit([&](const auto& v) { arguments.push_back(v); }, value.Value());
  return fmt::vsprintf(fmt::string_view(AFormat.data(), AFormat.size()),
                       fmt::basic_format_args<fmt::printf_context>(arguments));
}

} // namespace

TDebug::TDebug(TLogWindow& IDialog, TTools& ITools, TInformation& IInformation)
    : FDialog(IDialog), FTools(ITools), FInformation(IInformation) {}

TDebug::~TDebug() {
  // The last lines are a courtesy: a window that fails now must not end the program.
  try {
    if (FDebugFlagIsActive) {
      WriteLine("TDebug.Destroy called", mt_Info);
      WriteLine("", mt_Info);
    }
  } catch (...) {
  }
  FlushPendingLines();
}

void TDebug::SetFileName(std::string AFileName) {
  FlushPendingLines();
  FFileName = std::move(AFileName);
}

void TDebug::SetShowLogWindow(bool AValue) {
  if (AValue && !FShowLogWindow)
    FDialog.ShowMessageListDialogBox("Showing log messages", false);
  if (AValue)
    FDebugFlagIsActive = true;
  FShowLogWindow = AValue;
}

void TDebug::WriteLine(const std::string& AMessage, TMessageType AMessageType) {
  if (!FDebugFlagIsActive)
    return;
  const std::string typeText =
      TTools::GetEnumNameAsString(kMessageTypeNames, AMessageType).substr(3);
  const std::string flat = Flattened(AMessage);
  int pieceNumber = 1;
  for (size_t start = 0;; ++pieceNumber) {
    const size_t bar = flat.find('|', start);
    const std::string_view piece = std::string_view(flat).substr(start, bar - start);
    const std::string line = DebugLogLine(platform::Now(), FInformation.GetPentiumTime(), typeText,
                                          pieceNumber, piece, ProcessFormats());
    AppendLine(line, AMessageType);
    if (FShowLogWindow)
      FDialog.ShowMessageListDialogBox(line, false);
    if (bar == std::string::npos)
      break;
    start = bar + 1;
  }
}

void TDebug::WriteLine(std::string_view AMsgFormat, std::initializer_list<TLogValue> AMsgValues,
                       TMessageType AMessageType) {
  if (!FShowLogWindow)
    return;
  const std::string message =
      GuardEscalating(ClassName(), "WriteLine", [&] { return Formatted(AMsgFormat, AMsgValues); });
  WriteLine(message, AMessageType);
}

void TDebug::Write(const std::string& AMessage, TMessageType) {
  FMessageBuffer += AMessage;
}

void TDebug::WriteLn(const std::string& AMessage, TMessageType AMessageType) {
  const std::string message = FMessageBuffer + AMessage;
  FMessageBuffer.clear();
  WriteLine(message, AMessageType);
}

void TDebug::WriteExeptionMessage(const std::exception& AException) {
  WriteLine(ExceptionClassName(AException) + " error " + AException.what(), mt_Error);
}

void TDebug::StartLogFile(const std::string& AFileName) {
  FlushPendingLines();
  FFileName = !AFileName.empty() ? AFileName
                                 : FInformation.GetPath() + "logs" + PathSeparator() +
                                       FInformation.GetApplicationExeName() + "_x_.log";
  try {
    const std::string folder = ExtractFilePath(FFileName);
    if (!folder.empty())
      platform::CreateFolderPath(folder);
  } catch (const std::system_error&) {
    // Without its folder the log loses its lines, as on any other failure of the file.
  }
  RotateLogFiles(FFileName);
  const std::string separator = "=====================";
  for (const std::string& line :
       {"Application name: " + platform::ExecutablePath(), "Version: " + FInformation.GetVersion(),
        "Application logfile: " + FFileName, separator, std::string("Columns:"),
        std::string("1: Data"), std::string("2: Time"), std::string("3: Application handle"),
        std::string("4: Log type"), std::string("5: Log message"), separator})
    WriteLine(line, mt_Info);
}

void TDebug::AppendLine(const std::string& ALine, TMessageType AMessageType) {
  if (FFileName.empty())
    return;
  const bool flush =
      FFlushSchedule.FlushLine(AMessageType == mt_Error, platform::MillisecondsSinceStart());
  // One write of the whole line to a file opened for appending, so that processes sharing the
  // log interleave whole lines only.
  try {
    platform::AppendOrCreateFile(FFileName, ALine + "\r\n",
                                 flush ? platform::Flush::toDisk : platform::Flush::later);
  } catch (const std::system_error&) {
    return;
  }
  FLinesPending = !flush;
}

void TDebug::FlushPendingLines() noexcept {
  if (!FLinesPending)
    return;
  FLinesPending = false;
  try {
    platform::FlushFileToDisk(FFileName);
  } catch (const std::system_error&) {
  }
}

} // namespace kiv
