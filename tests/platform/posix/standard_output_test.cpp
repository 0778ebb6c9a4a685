#include "platform/StandardOutput.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/SystemFailure.h"

#include <gtest/gtest.h>

namespace kiv::platform {
namespace {

using testing::Fault;
using testing::Operation;
using testing::ScopedFault;

// A tool's output that cannot be written is a failure, not a silent loss.
TEST(StandardOutput, AFailingWriteNamesTheCall) {
  for (std::errc error : {std::errc::io_error, std::errc::no_space_on_device}) {
    ScopedFault fault(Operation::Write, Fault::Error(error));
    EXPECT_EQ(test::SystemFailure([] { WriteStandardOutput("lost"); }),
              test::ExpectedSystemFailure(error, "write standard output"));
  }
}

} // namespace
} // namespace kiv::platform
