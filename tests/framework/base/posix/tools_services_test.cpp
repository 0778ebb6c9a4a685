// Linux services: links, modes, xdg-open and /proc.

#include "framework/base/Tools.h"
#include "framework/base/WindowServices.h"
#include "platform/ProcessMemory.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/Failure.h"
#include "testing/support/FrameworkObjects.h"
#include "testing/support/ScopedEnvironment.h"
#include "testing/support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv {
namespace {

using platform::testing::Fault;
using platform::testing::Operation;
using platform::testing::ScopedFault;
using test::TempDir;

// An xdg-open first on PATH that records how many arguments it had and its first one.
class FakeShell : public ::testing::Test {
protected:
  void SetUp() override { Install(0); }

  void Install(int exitCode) {
    const std::string script = dir_ / "xdg-open";
    test::WriteFile(script, "#!/bin/sh\nprintf '%s' \"$#\" > '" + dir_.path() +
                                "count'\nprintf '%s' \"$1\" > '" + dir_.path() +
                                "argument'\nexit " + std::to_string(exitCode) + "\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
  }

  std::string Count() const { return test::ReadFile(dir_ / "count"); }
  std::string Argument() const { return test::ReadFile(dir_ / "argument"); }

  TempDir dir_;
  test::ScopedEnvironment path_{"PATH", dir_.path() + ":" + std::getenv("PATH")};
  test::FrameworkObjects my_;
  TTools tools_{nullptr, my_.Information};
};

// Decodes %XX sequences.
std::string PercentDecode(const std::string& text) {
  std::string decoded;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      decoded += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

TEST_F(FakeShell, RunFileHandsADocumentsNameOverAsOneArgument) {
  for (const std::string& name : {std::string("/tmp/a b.txt"), std::string("x; touch pwned"),
                                  std::string("$(touch pwned) `id` 'q' \"w\"")}) {
    EXPECT_TRUE(TTools::RunFile(name, " "));
    EXPECT_EQ(Count(), "1") << name;
    EXPECT_EQ(Argument(), name);
  }
  EXPECT_FALSE(std::filesystem::exists("pwned"));
}

TEST_F(FakeShell, ADocumentWithParametersOpensWithoutThemAndIsFalse) {
  const std::string document = dir_ / "notes.txt";
  test::WriteFile(document, "text");
  EXPECT_FALSE(TTools::RunFile(document, "--page 2"));
  EXPECT_EQ(Count(), "1");
  EXPECT_EQ(Argument(), document);
}

TEST_F(FakeShell, FailuresOfTheShellAreFalse) {
  Install(3);
  EXPECT_FALSE(TTools::RunFile("/tmp/a", ""));
  EXPECT_EQ(Count(), "1");
  // A shell that would succeed: the refusal to start it alone makes the call false.
  Install(0);
  std::filesystem::remove(dir_ / "count");
  ScopedFault refused(Operation::StartProcess, Fault::Error(std::errc::permission_denied));
  EXPECT_FALSE(TTools::RunFile("/tmp/a", ""));
  EXPECT_TRUE(refused.Injected());
  EXPECT_FALSE(test::FileExists(dir_ / "count"));
}

// An executable script that writes each of its arguments in brackets into a named pipe, which
// the test reads: the read ends when the started program has written them, without waiting on
// time.
class StartedProgram : public FakeShell {
protected:
  void SetUp() override {
    FakeShell::SetUp();
    ASSERT_EQ(::mkfifo(pipe_.c_str(), 0600), 0);
    test::WriteFile(program_, "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\"; done > '" +
                                  pipe_ + "'\n");
    std::filesystem::permissions(program_, std::filesystem::perms::owner_all);
  }

  std::string Arguments() const { return test::ReadFile(pipe_); }

  std::string pipe_ = dir_ / "arguments";
  std::string program_ = dir_ / "tool program";
};

TEST_F(StartedProgram, AnExecutableGetsTheParametersSplitAsOnWindows) {
  const struct {
    const char* parameters;
    const char* arguments;
  } rows[] = {
      {"", ""},
      {"-v  \"my file.mod\"\t2", "[-v][my file.mod][2]"},
      {"$(touch pwned) ; `id` 'q'", "[$(touch][pwned)][;][`id`]['q']"},
      {R"(a\"b "c\\" "" d\\e)", R"([a"b][c\][][d\\e])"},
  };
  for (const auto& row : rows) {
    ASSERT_TRUE(TTools::RunFile(program_, row.parameters)) << row.parameters;
    EXPECT_EQ(Arguments(), row.arguments) << row.parameters;
  }
  EXPECT_FALSE(test::FileExists(dir_ / "count")); // never through xdg-open
  EXPECT_FALSE(std::filesystem::exists("pwned"));
}

TEST_F(StartedProgram, AProgramThatCannotStartIsFalse) {
  {
    ScopedFault refused(Operation::StartProcess,
                        Fault::Error(std::errc::resource_unavailable_try_again));
    EXPECT_FALSE(TTools::RunFile(program_, "a"));
  }
  // A program whose right to run cannot be asked counts as a document, which takes no parameters.
  ScopedFault unknown(Operation::CheckAccess, Fault::Error(std::errc::io_error));
  EXPECT_FALSE(TTools::RunFile(program_, "a"));
  EXPECT_EQ(Argument(), program_);
  test::WriteFile(dir_ / "not a program", "#!/nowhere/to/be/found\n");
  std::filesystem::permissions(dir_ / "not a program", std::filesystem::perms::owner_all);
  EXPECT_FALSE(TTools::RunFile(dir_ / "not a program", ""));
}

TEST_F(FakeShell, WithoutAShellRunFileIsFalse) {
  test::ScopedEnvironment emptyPath("PATH", dir_ / "nothing-here");
  EXPECT_FALSE(TTools::RunFile("/tmp/a", ""));
}

TEST_F(FakeShell, MailCarriesTheSummaryWhole) {
  EXPECT_TRUE(tools_.RunDefaultEmailClient("support@kiv.fi", "me", "Bug: 1/2 & more", "unused"));
  EXPECT_EQ(Count(), "1");
  const std::string address = Argument();
  const std::string head = "mailto:support@kiv.fi?subject=Bug%3A%201%2F2%20%26%20more&body= ";
  ASSERT_TRUE(address.starts_with(head)) << address;
  const std::string body = address.substr(head.size());
  EXPECT_EQ(body.find_first_of("\r\n &"), std::string::npos);
  EXPECT_EQ(PercentDecode(body), my_.Information.GetComputerSummary());
}

// Window services that know one window: this process, titled "me".
class OneWindow : public TWindowServices {
public:
  TForm* MainForm() override { return nullptr; }
  int MinFormHeight() override { return 0; }
  std::optional<std::uint64_t> ProcessOfWindow(const std::string& title) override {
    if (title == "me")
      return platform::CurrentProcessId();
    if (title == "gone")
      return std::uint64_t{0x7FFFFFF0};
    return std::nullopt;
  }
  void BitmapDims(const std::string&, int& width, int& height) override { width = height = 1; }
};

TEST(ProcessMemory, WholeMebibytesOfTheWindowsProcess) {
  test::FrameworkObjects my;
  TTools tools(nullptr, my.Information);
  std::uint64_t size = 12345;
  EXPECT_FALSE(tools.GetProcessMemorySize("me", size)); // no toolkit yet
  OneWindow windows;
  tools.SetWindowServices(&windows);
  EXPECT_FALSE(tools.GetProcessMemorySize("nobody", size));
  EXPECT_FALSE(tools.GetProcessMemorySize("gone", size)); // counters unreadable
  EXPECT_EQ(size, 12345u);
  ASSERT_TRUE(tools.GetProcessMemorySize("me", size));
  const std::uint64_t now = platform::WorkingSetBytes(platform::CurrentProcessId()).value_or(0);
  EXPECT_GT(size, 0u);
  EXPECT_LE(size, now / 1048576 + 1);
}

// A progress window that asks to stop and remembers what it was shown.
class StoppingDialog : public TProgressDialog {
public:
  bool Progress(int current, int total, const std::string& message, const std::string& title,
                const std::string& buttonCaption) override {
    shown = std::to_string(current) + "/" + std::to_string(total) + " " + message + "|" + title +
            "|" + buttonCaption;
    return false;
  }
  std::string shown;
};

TEST(StatusCallBack, ShowsProgressAndPassesTheStop) {
  test::FrameworkObjects my;
  StoppingDialog dialog;
  bool stop = false;
  TTools(&dialog, my.Information).StatusCallBack("File name \"a\"", 3, stop);
  EXPECT_TRUE(stop);
  EXPECT_EQ(dialog.shown, "0/3 File name \"a\"||");
  stop = false;
  TTools(nullptr, my.Information).StatusCallBack("x", 1, stop);
  EXPECT_FALSE(stop);
}

TEST(CreateComponentName, UpperCaseNameAndCounter) {
  test::FrameworkObjects my;
  EXPECT_TRUE(std::regex_match(TTools(nullptr, my.Information).CreateComponentName("my-Edit 1"),
                               std::regex("MY_EDIT_1\\d+")));
}

TEST(BitmapGetDims, WithoutToolkitIsFatal) {
  test::FrameworkObjects my;
  TTools tools(nullptr, my.Information);
  int width = 0;
  int height = 0;
  EXPECT_EQ(test::Failure([&] { tools.BitmapGetDims("x.bmp", width, height); }),
            test::Expected("EPFatal", "TTools.BitmapGetDims\nNo desktop toolkit to load bitmaps"));
}

TEST(LastError, CodeAndSystemText) {
  errno = ENOENT;
  EXPECT_EQ(TTools::GetLastError(), static_cast<std::uint32_t>(ENOENT));
  errno = ENOENT;
  EXPECT_EQ(TTools::GetLastErrorDesc(), std::generic_category().message(ENOENT));
}

} // namespace
} // namespace kiv
