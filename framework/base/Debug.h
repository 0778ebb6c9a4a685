#pragma once

// The diagnostic log of unit MY_ (TDebug): a log file beside the executable, nine older ones
// kept, mirrored in a window.

#include "framework/base/DebugFlush.h"

#include <concepts>
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace kiv {

class TInformation;
class TLogWindow;
class TTools;

// The type of a log line; its text in the line is the name without "mt_".
enum TMessageType { mt_Info, mt_Debug, mt_Warn, mt_Error };

// One value of a formatted log line: an integer, a floating-point number or a text.
class TLogValue {
public:
  template <std::integral T> TLogValue(T AValue) {
    if constexpr (std::signed_integral<T>)
      FValue = static_cast<std::int64_t>(AValue);
    else
      FValue = static_cast<std::uint64_t>(AValue);
  }
  TLogValue(double AValue) : FValue(AValue) {}
  TLogValue(std::string_view AValue) : FValue(AValue) {}
  TLogValue(const char* AValue) : FValue(std::string_view(AValue)) {}
  TLogValue(const std::string& AValue) : FValue(std::string_view(AValue)) {}

  const std::variant<std::int64_t, std::uint64_t, double, std::string_view>& Value() const {
    return FValue;
  }

private:
  std::variant<std::int64_t, std::uint64_t, double, std::string_view> FValue;
};

// The diagnostic log: time-stamped, typed lines appended to a file and, while the log window is
// shown, mirrored into it. Logging is off until the log window is shown; no write operation
// reports a failure of the file (the line is lost). Each line is appended whole, in order, as
// the program writes it; the file goes to the disk as TDebugFlushSchedule says, when the log
// moves to another file and when it ends. A line not yet flushed is in the system's cache, which
// a crash of the program does not lose.
class TDebug {
public:
  // Keeps the three references, which must outlive the object. Starts no log file: a program
  // that wants one calls StartLogFile.
  TDebug(TLogWindow& IDialog, TTools& ITools, TInformation& IInformation);
  // Writes "TDebug.Destroy called" and an empty line when logging is on.
  ~TDebug();
  TDebug(const TDebug&) = delete;
  TDebug& operator=(const TDebug&) = delete;

  // The class name that locations of failures carry; no class derives from this one.
  static constexpr std::string_view ClassName() noexcept { return "TDebug"; }

  // The log file's path; empty (no file) until assigned or until StartLogFile.
  const std::string& FileName() const { return FFileName; }
  void SetFileName(std::string AFileName);

  // Whether lines are mirrored into the log window. Setting it true shows the window (the first
  // time with "Showing log messages") and turns logging on for good; false only stops the mirror.
  bool ShowLogWindow() const { return FShowLogWindow; }
  void SetShowLogWindow(bool AValue);

  // Always 0.
  int GetCurrentThreadHandle() const { return 0; }

  // Writes AMessage split at line feeds and "|", one numbered line per piece; carriage returns
  // are dropped.
  void WriteLine(const std::string& AMessage, TMessageType AMessageType);
  // While the window is shown, writes AMsgFormat formatted printf-style with AMsgValues; else
  // does nothing, not even formatting. A format that does not fit its values escalates
  // (EPFatal from "TDebug.WriteLine").
  void WriteLine(std::string_view AMsgFormat, std::initializer_list<TLogValue> AMsgValues,
                 TMessageType AMessageType);
  // Collects AMessage for the next WriteLn; writes nothing.
  void Write(const std::string& AMessage, TMessageType AMessageType);
  // Writes the collected text followed by AMessage, then forgets the collected text (also when
  // logging is off).
  void WriteLn(const std::string& AMessage, TMessageType AMessageType);
  // Writes the failure's class name, " error " and its message as mt_Error.
  void WriteExeptionMessage(const std::exception& AException);

  // Starts a log file: AFileName, or when empty "logs" beside the executable with the program's
  // name and "_x_.log"; creates its folder, keeps nine older logs numbered 1 (newest) to 9, and
  // writes the header while logging is on.
  void StartLogFile(const std::string& AFileName);

  // The objects given at construction.
  TLogWindow& Dialog() const { return FDialog; }
  TTools& Tools() const { return FTools; }
  TInformation& Information() const { return FInformation; }

private:
  void AppendLine(const std::string& ALine, TMessageType AMessageType);
  // Takes the lines appended since the last flush to the disk.
  void FlushPendingLines() noexcept;

  TLogWindow& FDialog;
  TTools& FTools;
  TInformation& FInformation;
  std::string FFileName;
  bool FDebugFlagIsActive = false;
  std::string FMessageBuffer;
  bool FShowLogWindow = false;
  TDebugFlushSchedule FFlushSchedule;
  bool FLinesPending = false;
};

} // namespace kiv
