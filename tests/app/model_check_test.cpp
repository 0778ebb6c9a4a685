// The run on a machine where the system cannot tell the program's path (no /proc): the model
// check needs no program name, so a good model file still ends the run with 100.
#include "app/CommandLineRun.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/TempDir.h"

#include <gtest/gtest.h>
#include <sstream>

namespace kiv {
namespace {

using platform::testing::Fault;
using platform::testing::Operation;
using platform::testing::ScopedFault;

TEST(RunModelCheck, AGoodModelFileNeedsNoExecutablePath) {
  test::TempDir dir;
  test::WriteFile(dir / "job1.mod", "Run model\r\n1 2\r\n1 5 a.tem\r\n50\r\n");
  ScopedFault noProc(Operation::ExecutablePath,
                     Fault::LastingError(std::errc::no_such_file_or_directory));
  std::ostringstream diagnostics;
  EXPECT_EQ(RunVesmarInvChk({dir / "job1.xyz"}, diagnostics), 100);
  EXPECT_EQ(diagnostics.str(), "");
  EXPECT_FALSE(noProc.Injected()) << "the run asked for the program's path";
  EXPECT_EQ(test::ReadFile(dir / "job1_VIC.log"), "Mod file found: " + (dir / "job1.mod") +
                                                      "\r\nPath: " + dir.path() +
                                                      "\r\nReading mod file...\r\nModfile ok!\r\n");
}

} // namespace
} // namespace kiv
