#include "platform/Process.h"
#include "platform/testing/FaultInjection.h"
#include "tests/support/SystemFailure.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kiv::platform {
namespace {

using testing::Fault;
using testing::Operation;
using testing::ScopedFault;

TEST(Process, ExecutablePathNamesThisTestProgram) {
  EXPECT_EQ(std::filesystem::path(ExecutablePath()).filename(), "kiv_platform_tests");
}

TEST(Process, ASystemThatCannotTellThePathFailsEveryTime) {
  // As on a system without /proc.
  ScopedFault missing(Operation::ExecutablePath,
                      Fault::LastingError(std::errc::no_such_file_or_directory));
  for (int call = 0; call < 2; ++call)
    EXPECT_EQ(test::SystemFailure([] { ExecutablePath(); }),
              test::ExpectedSystemFailure(std::errc::no_such_file_or_directory,
                                          "readlink /proc/self/exe"));
}

} // namespace
} // namespace kiv::platform
