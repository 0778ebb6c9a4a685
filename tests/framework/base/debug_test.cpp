#include "core/Exceptions.h"
#include "core/FileNames.h"
#include "core/FormatSettings.h"
#include "framework/base/Debug.h"
#include "framework/base/DebugLine.h"
#include "framework/base/LogRotation.h"
#include "framework/base/LogWindow.h"
#include "framework/base/Tools.h"
#include "platform/Process.h"
#include "platform/testing/ChildProcess.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/Failure.h"
#include "testing/support/FrameworkObjects.h"
#include "testing/support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <numeric>
#include <regex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace kiv {
namespace {

using platform::testing::Fault;
using platform::testing::Operation;
using platform::testing::ScopedFault;
using test::TempDir;

// A log window that records what it is asked to show.
class RecordingWindow : public TLogWindow {
public:
  void ShowMessageListDialogBox(const std::string& AMessage, bool ASaveToFile) override {
    Lines.push_back(AMessage);
    EXPECT_FALSE(ASaveToFile);
  }
  std::vector<std::string> Lines;
};

// A log as a program of the suite wires it.
struct LogFixture {
  test::FrameworkObjects Objects;
  TTools Tools{nullptr, Objects.Information};
  RecordingWindow Window;
  TDebug Debug{Window, Tools, Objects.Information};
};

// The date and time, the counter characters and the tab before the type text.
const std::regex kLinePrefix(R"(^\d{6},\d\d:\d\d:\d\d\.\d{1,4}\t)");

// The lines of a log file without their CR LF; a line that lacks it fails the test.
std::vector<std::string> LogLines(const std::string& path) {
  const std::string text = test::ReadFile(path);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "a line without CR LF: " << text.substr(start);
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// The columns after the counter ("Warn\t001\tfirst"), each line checked for the shape before.
std::vector<std::string> LogTails(const std::vector<std::string>& lines) {
  std::vector<std::string> tails;
  for (const std::string& line : lines) {
    std::smatch prefix;
    EXPECT_TRUE(std::regex_search(line, prefix, kLinePrefix)) << line;
    tails.push_back(prefix.suffix());
  }
  return tails;
}

std::vector<std::string> LogTails(const std::string& path) {
  return LogTails(LogLines(path));
}

TEST(DebugLine, ColumnsFromAnInjectedClockAndCounter) {
  const platform::LocalDateTime when{2026, 3, 7, 9, 45, 4, 12};
  FormatSettings formats;
  struct Case {
    std::int64_t counter;
    const char* line;
  };
  const Case cases[] = {
      {12345678901234, "070326,09:45:04.5678\tWarn\t001\tfirst"},
      {1234567890, "070326,09:45:04.1234\tWarn\t001\tfirst"},
      {123456789, "070326,09:45:04.1234\tWarn\t001\tfirst"},
      {12, "070326,09:45:04.12\tWarn\t001\tfirst"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DebugLogLine(when, c.counter, "Warn", 1, "first", formats), c.line) << c.counter;
  formats.TimeSeparator = '.';
  EXPECT_EQ(DebugLogLine(when, 12, "Info", 1234, "", formats), "070326,09.45.04.12\tInfo\t1234\t");
}

TEST(Debug, MessagesSplitIntoNumberedLines) {
  struct Case {
    const char* name;
    std::string message;
    TMessageType type;
    std::vector<std::string> tails;
  };
  const Case cases[] = {
      {"CR LF", "first\r\nsecond", mt_Warn, {"Warn\t001\tfirst", "Warn\t002\tsecond"}},
      {"bar", "first|second", mt_Error, {"Error\t001\tfirst", "Error\t002\tsecond"}},
      {"empty", "", mt_Info, {"Info\t001\t"}},
      {"trailing bar", "end|", mt_Debug, {"Debug\t001\tend", "Debug\t002\t"}},
      {"lone CR", "a\rb", mt_Info, {"Info\t001\tab"}},
      {"trailing LF", "x\n", mt_Info, {"Info\t001\tx", "Info\t002\t"}},
  };
  for (const Case& c : cases) {
    TempDir dir;
    LogFixture log;
    log.Debug.SetShowLogWindow(true);
    log.Debug.SetFileName(dir / "a.log");
    log.Debug.WriteLine(c.message, c.type);
    EXPECT_EQ(LogTails(dir / "a.log"), c.tails) << c.name;
    // The window shows the same lines after its first one.
    ASSERT_EQ(log.Window.Lines.size(), c.tails.size() + 1) << c.name;
    EXPECT_EQ(LogTails(std::vector(log.Window.Lines.begin() + 1, log.Window.Lines.end())), c.tails)
        << c.name;
  }
}

TEST(Debug, WriteCollectsUntilWriteLn) {
  TempDir dir;
  LogFixture log;
  log.Debug.SetFileName(dir / "a.log");
  log.Debug.Write("lost", mt_Info);
  log.Debug.WriteLn("", mt_Info); // logging off: nothing written, the buffer emptied all the same
  log.Debug.SetShowLogWindow(true);
  log.Debug.Write("abc", mt_Warn);
  log.Debug.WriteLn("def", mt_Debug);
  log.Debug.WriteLn("x", mt_Info);
  EXPECT_EQ(LogTails(dir / "a.log"),
            (std::vector<std::string>{"Debug\t001\tabcdef", "Info\t001\tx"}));
}

TEST(Debug, NothingHappensWhileLoggingIsOff) {
  TempDir dir;
  {
    LogFixture log;
    log.Debug.SetFileName(dir / "a.log");
    log.Debug.WriteLine("line", mt_Info);
    log.Debug.WriteLine("%d", {"not a number"}, mt_Info); // not even formatted
    log.Debug.WriteExeptionMessage(EPelo("x"));
    EXPECT_TRUE(log.Window.Lines.empty());
  }
  EXPECT_FALSE(test::FileExists(dir / "a.log"));
}

TEST(Debug, TheWindowShowsOnceAndLoggingStaysOn) {
  TempDir dir;
  {
    LogFixture log;
    log.Debug.SetFileName(dir / "a.log");
    log.Debug.SetShowLogWindow(true);
    log.Debug.SetShowLogWindow(true);
    EXPECT_EQ(log.Window.Lines, std::vector<std::string>{"Showing log messages"});
    log.Debug.SetShowLogWindow(false);
    log.Debug.WriteLine("file only", mt_Info);
    log.Debug.WriteLine("%s", {"unformatted"}, mt_Info);
    EXPECT_EQ(log.Window.Lines.size(), 1u);
  }
  EXPECT_EQ(LogTails(dir / "a.log"),
            (std::vector<std::string>{"Info\t001\tfile only", "Info\t001\tTDebug.Destroy called",
                                      "Info\t001\t"}));
}

TEST(Debug, FormattedLinesAndFormatsThatDoNotFit) {
  TempDir dir;
  LogFixture log;
  log.Debug.SetFileName(dir / "a.log");
  log.Debug.SetShowLogWindow(true);
  log.Debug.WriteLine("%d of %s at %.2f|%x", {3, std::string("all"), 2.5, 255u}, mt_Warn);
  EXPECT_EQ(LogTails(dir / "a.log"),
            (std::vector<std::string>{"Warn\t001\t3 of all at 2.50", "Warn\t002\tff"}));
  struct Case {
    const char* format;
    const char* message;
  };
  const Case cases[] = {
      {"%d", "invalid type specifier"},
      {"%q", "invalid type specifier"},
      {"%s %s", "argument not found"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(test::Failure([&] { log.Debug.WriteLine(c.format, {"text"}, mt_Info); }),
              test::Expected("EPFatal", std::string("TDebug.WriteLine\n") + c.message))
        << c.format;
}

TEST(Debug, ExceptionsAreLoggedWithTheirClassName) {
  TempDir dir;
  LogFixture log;
  log.Debug.SetFileName(dir / "a.log");
  log.Debug.SetShowLogWindow(true);
  log.Debug.WriteExeptionMessage(EPelo("Invalid model number"));
  log.Debug.WriteExeptionMessage(std::out_of_range("index 7"));
  EXPECT_EQ(LogTails(dir / "a.log"),
            (std::vector<std::string>{"Error\t001\tEPelo error Invalid model number",
                                      "Error\t001\tout_of_range error index 7"}));
}

TEST(Debug, LinesAreLostSilentlyWhenTheFileFails) {
  TempDir dir;
  std::filesystem::create_directory(test::Utf8Path(dir / "folder"));
  std::vector<std::string> places = {dir / "missing/a.log", dir / "folder"};
#ifndef _WIN32
  places.push_back("/dev/full");
#endif
  for (const std::string& place : places) {
    LogFixture log;
    log.Debug.SetFileName(place);
    log.Debug.SetShowLogWindow(true);
    EXPECT_NO_THROW(log.Debug.WriteLine("lost|too", mt_Info)) << place;
    EXPECT_EQ(log.Window.Lines.size(), 3u) << place; // the window still shows them
  }
  EXPECT_FALSE(test::FileExists(dir / "missing/a.log"));
  // A full disk at the write itself.
  LogFixture log;
  log.Debug.SetFileName(dir / "a.log");
  log.Debug.SetShowLogWindow(true);
  {
    ScopedFault full(Operation::Write, Fault::Error(std::errc::no_space_on_device));
    EXPECT_NO_THROW(log.Debug.WriteLine("lost", mt_Info));
    EXPECT_TRUE(full.Injected());
  }
  log.Debug.WriteLine("kept", mt_Info);
  EXPECT_EQ(LogTails(dir / "a.log"), std::vector<std::string>{"Info\t001\tkept"});
}

// The header of a log file, as the message columns of its first eleven lines.
std::vector<std::string> HeaderTails(const std::string& executable, const std::string& version,
                                     const std::string& logFile) {
  std::vector<std::string> tails;
  for (const std::string& text :
       {"Application name: " + executable, "Version: " + version, "Application logfile: " + logFile,
        std::string("====================="), std::string("Columns:"), std::string("1: Data"),
        std::string("2: Time"), std::string("3: Application handle"), std::string("4: Log type"),
        std::string("5: Log message"), std::string("=====================")})
    tails.push_back("Info\t001\t" + text);
  return tails;
}

TEST(Debug, StartingALogFileRotatesAroundGaps) {
  TempDir dir;
  const std::string name = dir / "logs/run.log";
  std::filesystem::create_directory(test::Utf8Path(dir / "logs"));
  for (int n : {0, 3, 9})
    test::WriteFile(NumberedLogName(name, n), "log " + std::to_string(n));
  LogFixture log;
  log.Debug.SetShowLogWindow(true);
  log.Debug.StartLogFile(name);
  EXPECT_EQ(log.Debug.FileName(), name);
  std::map<int, std::string> present;
  for (int n = 1; n <= 9; ++n)
    if (test::FileExists(NumberedLogName(name, n)))
      present[n] = test::ReadFile(NumberedLogName(name, n));
  EXPECT_EQ(present, (std::map<int, std::string>{{1, "log 0"}, {4, "log 3"}}));
  EXPECT_EQ(LogTails(name), HeaderTails(platform::ExecutablePath(), KIV_PROJECT_VERSION, name));
}

TEST(Debug, StartingCreatesTheFolderAndKeepsNineOlderLogs) {
  TempDir dir;
  const std::string name = dir / "new/deeper/run_x_.log";
  LogFixture log;
  log.Debug.SetShowLogWindow(true);
  log.Debug.StartLogFile(name);
  for (int n = 1; n <= 9; ++n)
    test::WriteFile(NumberedLogName(name, n), std::to_string(n));
  log.Debug.StartLogFile(name);
  for (int n = 2; n <= 9; ++n)
    EXPECT_EQ(test::ReadFile(NumberedLogName(name, n)), std::to_string(n - 1));
  EXPECT_EQ(LogTails(NumberedLogName(name, 1)).size(), 11u);
  EXPECT_EQ(NumberedLogName(dir / "calc_x_.log", 3), dir / "calc_x_3.log");
}

// The probe as a program named my.tool in a fresh folder, started eleven times: its log under
// its whole name, and nine older ones, each beginning with the header.
TEST(Debug, ElevenStartsLeaveTheLogAndNineOlderOnes) {
  TempDir dir;
  const std::string program = dir / (std::string("my.tool") + KIV_EXECUTABLE_SUFFIX);
  std::filesystem::copy_file(test::Utf8Path(KIV_DEBUG_LOG_PROBE), test::Utf8Path(program));
  for (int run = 0; run < 11; ++run)
    ASSERT_EQ(platform::testing::RunChild(program, {"start"}).exitCode, 0);
  const std::string logs = dir / "logs";
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(test::Utf8Path(logs)))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{
                       "my.tool_x_.log", "my.tool_x_1.log", "my.tool_x_2.log", "my.tool_x_3.log",
                       "my.tool_x_4.log", "my.tool_x_5.log", "my.tool_x_6.log", "my.tool_x_7.log",
                       "my.tool_x_8.log", "my.tool_x_9.log"}));
  const std::string log = logs + PathSeparator() + "my.tool_x_.log";
  std::vector<std::string> expected = HeaderTails(program, KIV_PROJECT_VERSION, log);
  for (const char* text : {"probe run", "TDebug.Destroy called", ""})
    expected.push_back(std::string("Info\t001\t") + text);
  for (const std::string& name : names)
    EXPECT_EQ(LogTails(logs + PathSeparator() + name), expected) << name;
}

TEST(Debug, TwoProcessesInterleaveWholeLines) {
#ifdef _WIN32
  // Windows appends each write at the end of the file as one step; Wine, where the Windows build
  // is tested, finds the end and writes there in two, so that two processes overwrite each other.
  GTEST_SKIP() << "Wine does not append atomically across processes";
#endif
  TempDir dir;
  const std::string log = dir / "shared.log";
  std::vector<int> exitCodes(2, -1);
  std::vector<std::thread> children;
  for (int child = 0; child < 2; ++child)
    children.emplace_back([&, child] {
      exitCodes[static_cast<size_t>(child)] =
          platform::testing::RunChild(KIV_DEBUG_LOG_PROBE,
                                      {"lines", log, "1000", child == 0 ? "left" : "right"})
              .exitCode;
    });
  for (std::thread& child : children)
    child.join();
  EXPECT_EQ(exitCodes, (std::vector<int>{0, 0}));
  // Each child's last two lines are those of its log's destruction.
  const std::regex whole(R"(Debug\t001\t(left|right) (\d+))");
  std::map<std::string, std::vector<int>> numbers;
  std::vector<std::string> tails = LogTails(log);
  EXPECT_EQ(std::erase_if(tails,
                          [](const std::string& tail) {
                            return tail == "Info\t001\tTDebug.Destroy called" ||
                                   tail == "Info\t001\t";
                          }),
            4u);
  for (const std::string& tail : tails) {
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(tail, parts, whole)) << tail;
    numbers[parts[1]].push_back(std::stoi(parts[2]));
  }
  std::vector<int> inOrder(1000);
  std::iota(inOrder.begin(), inOrder.end(), 1);
  EXPECT_EQ(numbers["left"], inOrder);
  EXPECT_EQ(numbers["right"], inOrder);
}

TEST(DebugFlushSchedule, AtMostOneFlushAnIntervalButEveryErrorLineAtOnce) {
  struct Step {
    bool errorLine;
    std::uint64_t nowMs;
    bool flush;
  };
  const Step steps[] = {
      {false, 0, true}, // the first line, even on a clock that has just started
      {false, 1, false},  {false, 99, false},  {true, 99, true}, // the interval starts anew
      {true, 99, true},   {false, 198, false}, {false, 199, true},
      {false, 299, true}, {false, 300, false},
  };
  TDebugFlushSchedule schedule;
  for (const Step& step : steps)
    EXPECT_EQ(schedule.FlushLine(step.errorLine, step.nowMs), step.flush)
        << step.nowMs << (step.errorLine ? " error" : "");
}

TEST(Debug, AnErrorLineGoesToTheDiskAtOnceAndAFailedFlushLosesNoLine) {
  TempDir dir;
  LogFixture log;
  log.Debug.SetFileName(dir / "a.log");
  log.Debug.SetShowLogWindow(true);
  log.Debug.WriteLine("first", mt_Info);
  {
    ScopedFault failingFlush(Operation::Sync, Fault::Error(std::errc::io_error));
    EXPECT_NO_THROW(log.Debug.WriteLine("failure", mt_Error));
    EXPECT_TRUE(failingFlush.Injected());
  }
  log.Debug.WriteLine("after", mt_Info);
  EXPECT_EQ(
      LogTails(dir / "a.log"),
      (std::vector<std::string>{"Info\t001\tfirst", "Error\t001\tfailure", "Info\t001\tafter"}));
}

} // namespace
} // namespace kiv
