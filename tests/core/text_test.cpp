#include "core/DateTimeText.h"
#include "core/FileNames.h"
#include "core/TextFile.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/SystemFailure.h"
#include "testing/support/TempDir.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(FileNames, ExtensionRule) {
  struct Case {
    const char* path;
    const char* changed;
    const char* folder;
    const char* extension;
  };
  const Case cases[] = {
      {"/runs/job1.xyz", "/runs/job1_VIC.log", "/runs/", ".xyz"},
      {"/runs/job1", "/runs/job1_VIC.log", "/runs/", ""},
      {"job1.tar.gz", "job1.tar_VIC.log", "", ".gz"},
      {"/run.d/job1", "/run.d/job1_VIC.log", "/run.d/", ""},
      {"/runs/.hidden", "/runs/_VIC.log", "/runs/", ".hidden"},
      {"job.", "job_VIC.log", "", "."},
      {"", "_VIC.log", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChangeFileExt(c.path, "_VIC.log"), c.changed) << c.path;
    EXPECT_EQ(ExtractFilePath(c.path), c.folder) << c.path;
    EXPECT_EQ(ExtractFileExt(c.path), c.extension) << c.path;
  }
  EXPECT_EQ(ExtractFileName("/a/b/KorLog.exe"), "KorLog.exe");
}

// On Windows "\\" and the drive's ":" separate as well as "/"; on Linux they are parts of a name.
TEST(FileNames, BackslashAndColonSeparateOnWindowsOnly) {
  struct Case {
    const char* path;
    const char* windowsFolder;
    const char* windowsChanged;
    const char* linuxChanged;
  };
  const Case cases[] = {
      {"C:\\runs\\job1.xyz", "C:\\runs\\", "C:\\runs\\job1_VIC.log", "C:\\runs\\job1_VIC.log"},
      {"C:\\run.d\\job1", "C:\\run.d\\", "C:\\run.d\\job1_VIC.log", "C:\\run_VIC.log"},
      {"C:job1.d", "C:", "C:job1_VIC.log", "C:job1_VIC.log"},
      {"C:run.d:job1", "C:run.d:", "C:run.d:job1_VIC.log", "C:run_VIC.log"},
      {"Z:/runs/x.d\\job1", "Z:/runs/x.d\\", "Z:/runs/x.d\\job1_VIC.log", "Z:/runs/x_VIC.log"},
  };
  for (const Case& c : cases) {
#ifdef _WIN32
    EXPECT_EQ(ExtractFilePath(c.path), c.windowsFolder) << c.path;
    EXPECT_EQ(ChangeFileExt(c.path, "_VIC.log"), c.windowsChanged) << c.path;
#else
    EXPECT_EQ(ChangeFileExt(c.path, "_VIC.log"), c.linuxChanged) << c.path;
#endif
  }
#ifdef _WIN32
  EXPECT_EQ(PathSeparator(), '\\');
#else
  EXPECT_EQ(PathSeparator(), '/');
#endif
}

TEST(DateTimeText, PicturesUseTheProcessSeparators) {
  const platform::LocalDateTime when{2026, 3, 7, 9, 5, 4, 12};
  FormatSettings formats;
  EXPECT_EQ(DateTimeStamp(when, formats), "07-03-2026 09:05:04");
  formats.DateSeparator = '.';
  EXPECT_EQ(FormatDateTime("d/m/yy 'at' h:nn:ss.zzz", when, formats), "7.3.26 at 9:05:04.012");
}

TEST(DateTimeText, MonthAfterAnHourReadsAsMinutes) {
  const platform::LocalDateTime when{2026, 3, 7, 9, 45, 4, 12};
  const FormatSettings formats;
  EXPECT_EQ(FormatDateTime("ddmmyy,hh:mm:ss.", when, formats), "070326,09:45:04.");
  EXPECT_EQ(FormatDateTime("hh 'x' mm/mm", when, formats), "09 x 45-03");
}

TEST(TextFile, LinesEndWithCrLfAndNoByteOrderMark) {
  test::TempDir dir;
  WriteTextFile(dir / "a.log", {"one", "", "three"});
  EXPECT_EQ(test::ReadFile(dir / "a.log"), "one\r\n\r\nthree\r\n");
  WriteTextFile(dir / "a.log", {});
  EXPECT_EQ(test::ReadFile(dir / "a.log"), "");
}

TEST(TextFile, WholeFileIsReadByteForByte) {
  test::TempDir dir;
  const std::string bytes[] = {"", std::string("\xff\xfe[\0\r\n", 6), std::string(200000, 'x')};
  for (const std::string& written : bytes) {
    test::WriteFile(dir / "f", written);
    EXPECT_EQ(ReadWholeFile(dir / "f"), written) << written.size();
  }
  platform::testing::ScopedFault fault(platform::testing::Operation::Read,
                                       platform::testing::Fault::Error(std::errc::io_error));
  EXPECT_EQ(test::SystemFailure([&] { ReadWholeFile(dir / "f"); }),
            test::ExpectedSystemFailure(std::errc::io_error, "read " + dir / "f"));
}

} // namespace
} // namespace kiv
