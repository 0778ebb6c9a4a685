#include "platform/ReplacingFile.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/ReplacingFileSteps.h"
#include "testing/support/SystemFailure.h"
#include "testing/support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace kiv::platform {
namespace {

namespace fs = std::filesystem;
using test::Entries;
using test::Save;
using test::TempDir;
using testing::Fault;
using testing::Operation;
using testing::ScopedFault;

TEST(ReplacingFile, CreatesAndReplacesLeavingNoTemporary) {
  TempDir dir;
  Save(dir / "model.mod", "first");
  EXPECT_EQ(test::ReadFile(dir / "model.mod"), "first");
  Save(dir / "model.mod", "second");
  EXPECT_EQ(test::ReadFile(dir / "model.mod"), "second");
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"model.mod"});
}

TEST(ReplacingFile, ATargetTheUserMayNotWriteIsRefusedBeforeAnythingIsCreated) {
  TempDir dir;
  test::WriteFile(dir / "model.mod", "old");
  // Tests may run as a user whom no permission stops, so the refusal comes from the seam.
  ScopedFault refused(Operation::CheckAccess, Fault::Error(std::errc::permission_denied));
  ScopedFault created(Operation::Open, Fault::Error(std::errc::io_error));
  EXPECT_EQ(
      test::SystemFailure([&] { ReplacingFile file(dir / "model.mod"); }),
      test::ExpectedSystemFailure(std::errc::permission_denied, "access " + dir / "model.mod"));
  EXPECT_FALSE(created.Injected());
  EXPECT_EQ(test::ReadFile(dir / "model.mod"), "old");
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"model.mod"});
}

#ifdef _WIN32
constexpr const char* kNullDevice = "NUL";
#else
constexpr const char* kNullDevice = "/dev/null";
#endif

TEST(ReplacingFile, ATargetThatIsNotARegularFileIsRefusedBeforeAnythingIsCreated) {
  TempDir dir;
  fs::create_directory(dir / "folder");
  EXPECT_EQ(test::SystemFailure([&] { ReplacingFile file(dir / "folder"); }),
            test::ExpectedSystemFailure(std::errc::is_a_directory, "open " + dir / "folder"));
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"folder"});
  EXPECT_EQ(
      test::SystemFailure([&] { ReplacingFile file(kNullDevice); }),
      test::ExpectedSystemFailure(std::errc::invalid_argument,
                                  "open " + std::string(kNullDevice) + " (not a regular file)"));
}

TEST(ReplacingFile, ANewTargetNeedsNoWriteAccessCheck) {
  TempDir dir;
  ScopedFault refused(Operation::CheckAccess, Fault::Error(std::errc::permission_denied));
  Save(dir / "model.mod", "new");
  EXPECT_FALSE(refused.Injected());
  EXPECT_EQ(test::ReadFile(dir / "model.mod"), "new");
}

TEST(ReplacingFile, InterruptedAndShortWritesAreCompleted) {
  for (Fault fault : {Fault::Interruption(), Fault::ShortTransfer(1), Fault::ShortTransfer(7)}) {
    TempDir dir;
    ScopedFault injected(Operation::Write, fault);
    Save(dir / "model.mod", "0123456789");
    EXPECT_TRUE(injected.Injected());
    EXPECT_EQ(test::ReadFile(dir / "model.mod"), "0123456789");
  }
}

// A step of a save that fails, and the call it names with the target.
struct StepFailure {
  Operation operation;
  std::errc error;
  const char* call;
};

const StepFailure kStepFailures[] = {
    {Operation::CheckAccess, std::errc::read_only_file_system, "access"},
    {Operation::Open, std::errc::permission_denied, "open"},
    {Operation::Open, std::errc::no_space_on_device, "open"},
    {Operation::Write, std::errc::no_space_on_device, "write"},
    {Operation::Write, std::errc::io_error, "write"},
    {Operation::Sync, std::errc::io_error, "fsync"},
    {Operation::Close, std::errc::no_space_on_device, "close"},
    {Operation::Rename, std::errc::cross_device_link, "rename"},
    {Operation::Rename, std::errc::permission_denied, "rename"},
};

TEST(ReplacingFile, AFailingStepLeavesTheTargetAndNoTemporary) {
  for (const StepFailure& c : kStepFailures) {
    TempDir dir;
    test::WriteFile(dir / "model.mod", "old");
    ScopedFault fault(c.operation, Fault::Error(c.error));
    EXPECT_EQ(test::SystemFailure([&] { Save(dir / "model.mod", "new"); }),
              test::ExpectedSystemFailure(c.error, std::string(c.call) + " " + dir / "model.mod"));
    EXPECT_EQ(test::ReadFile(dir / "model.mod"), "old") << c.call;
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"model.mod"}) << c.call;
  }
}

} // namespace
} // namespace kiv::platform
