#include "platform/Process.h"
#include "platform/VersionResource.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/TempDir.h"

#include <gtest/gtest.h>
#include <string>

namespace kiv::platform {
namespace {

using test::TempDir;

TEST(VersionResource, ExecutablesOfTheBuildCarryTheirVersion) {
  EXPECT_EQ(ReadFileVersion(KIV_VERSION_PROBE), (FileVersion{4, 2, 0, 17}));
  EXPECT_EQ(DottedText(ReadFileVersion(KIV_VESMARINVCHK)), KIV_PROJECT_VERSION);
  EXPECT_EQ(DottedText(ReadFileVersion(ExecutablePath())), KIV_PROJECT_VERSION);
}

TEST(VersionResource, FilesWithoutVersionGiveZeros) {
  TempDir dir;
  test::WriteFile(dir / "text.txt", "Model file created by hand\r\n");
  test::WriteFile(dir / "empty", "");
  test::WriteFile(dir / "elf-magic-only", "\x7f"
                                          "ELF");

  test::WriteFile(dir / "pe-magic-only", "MZ");

  for (const char* name : {"text.txt", "empty", "elf-magic-only", "pe-magic-only", "absent", ""})
    EXPECT_EQ(ReadFileVersion(dir / name), FileVersion{}) << name;
  EXPECT_EQ(ReadFileVersion(dir.path()), FileVersion{}) << "a folder";
}

// Whatever step of reading the file fails, the version reads as zeros and nothing is thrown.
TEST(VersionResource, AFileThatCannotBeReadGivesZeros) {
  for (const testing::Operation step : {testing::Operation::Open, testing::Operation::Read}) {
    testing::ScopedFault fault(step, testing::Fault::Error(std::errc::io_error));
    EXPECT_EQ(ReadFileVersion(KIV_VERSION_PROBE), FileVersion{});
    EXPECT_TRUE(fault.Injected());
  }
  EXPECT_EQ(ReadFileVersion(KIV_VERSION_PROBE), (FileVersion{4, 2, 0, 17}));
}

} // namespace
} // namespace kiv::platform
