#include "platform/Process.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/SystemFailure.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kiv::platform {
namespace {

using testing::Fault;
using testing::Operation;
using testing::ScopedFault;

TEST(Process, ExecutablePathNamesThisTestProgram) {
  EXPECT_EQ(std::filesystem::path(ExecutablePath()).filename(),
            "kiv_platform_tests" KIV_EXECUTABLE_SUFFIX);
}

TEST(Process, ASystemThatCannotTellThePathFailsEveryTime) {
  // As on a system without /proc. Linux reads the path from a link, Windows asks for it.
#ifdef _WIN32
  const std::string failedCall = "GetModuleFileNameW of this process";
#else
  const std::string failedCall = "readlink /proc/self/exe";
#endif
  ScopedFault missing(Operation::ExecutablePath,
                      Fault::LastingError(std::errc::no_such_file_or_directory));
  for (int call = 0; call < 2; ++call)
    EXPECT_EQ(test::SystemFailure([] { ExecutablePath(); }),
              test::ExpectedSystemFailure(std::errc::no_such_file_or_directory, failedCall));
}

} // namespace
} // namespace kiv::platform
