#include "platform/FileSystem.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/TempDir.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <system_error>

namespace kiv::platform::testing {
namespace {

using test::TempDir;

// The error of one whole-file write, or none.
std::error_code WriteError(const std::string& path) {
  try {
    WriteWholeFile(path, "x");
    return {};
  } catch (const std::system_error& e) {
    return e.code();
  }
}

TEST(FaultInjection, AFaultStrikesOnceAfterTheCallsItLetsPass) {
  TempDir dir;
  ScopedFault fault(Operation::Open, Fault::Error(std::errc::read_only_file_system), 2);
  EXPECT_EQ(WriteError(dir / "f"), std::error_code());
  EXPECT_EQ(WriteError(dir / "f"), std::error_code());
  EXPECT_FALSE(fault.Injected());
  EXPECT_EQ(WriteError(dir / "f"), std::errc::read_only_file_system);
  EXPECT_TRUE(fault.Injected());
  EXPECT_EQ(WriteError(dir / "f"), std::error_code());
}

TEST(FaultInjection, FaultsCountTheirOwnOperationAndLeaveWithTheirScope) {
  TempDir dir;
  {
    ScopedFault open(Operation::Open, Fault::Error(std::errc::permission_denied), 1);
    ScopedFault close(Operation::Close, Fault::Error(std::errc::io_error));
    EXPECT_EQ(WriteError(dir / "f"), std::errc::io_error);
    EXPECT_EQ(WriteError(dir / "f"), std::errc::permission_denied);
    EXPECT_TRUE(open.Injected());
    EXPECT_TRUE(close.Injected());
  }
  {
    ScopedFault unused(Operation::Rename, Fault::Error(std::errc::io_error));
    ScopedFault later(Operation::Open, Fault::Error(std::errc::io_error), 5);
  }
  EXPECT_EQ(WriteError(dir / "f"), std::error_code());
  EXPECT_EQ(test::ReadFile(dir / "f"), "x");
}

TEST(FaultInjection, ALastingErrorStrikesEveryCallUntilWithdrawn) {
  TempDir dir;
  {
    ScopedFault lasting(Operation::Sync, Fault::LastingError(std::errc::io_error), 1);
    EXPECT_EQ(WriteError(dir / "f"), std::error_code());
    EXPECT_EQ(WriteError(dir / "f"), std::errc::io_error);
    EXPECT_EQ(WriteError(dir / "f"), std::errc::io_error);
    EXPECT_TRUE(lasting.Injected());
  }
  EXPECT_EQ(WriteError(dir / "f"), std::error_code());
}

TEST(FaultInjection, OnlyTransfersCanBeInterruptedOrCutShort) {
  EXPECT_THROW(ScopedFault(Operation::Open, Fault::Interruption()), std::invalid_argument);
  EXPECT_THROW(ScopedFault(Operation::Sync, Fault::ShortTransfer(1)), std::invalid_argument);
  EXPECT_THROW(ScopedFault(Operation::Write, Fault::ShortTransfer(0)), std::invalid_argument);
  ScopedFault read(Operation::Read, Fault::Interruption());
  ScopedFault write(Operation::Write, Fault::ShortTransfer(1));
  EXPECT_FALSE(read.Injected());
}

} // namespace
} // namespace kiv::platform::testing
