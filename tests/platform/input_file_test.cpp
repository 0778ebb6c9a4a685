#include "platform/InputFile.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/SystemFailure.h"
#include "testing/support/TempDir.h"

#include <gtest/gtest.h>

namespace kiv::platform {
namespace {

using test::TempDir;
using testing::Fault;
using testing::Operation;
using testing::ScopedFault;

std::string ReadAll(InputFile& file) {
  std::string content;
  char buffer[4];
  while (const size_t n = file.Read(buffer, sizeof buffer))
    content.append(buffer, n);
  return content;
}

TEST(InputFile, ReadsTheWholeFileAndKnowsItsSize) {
  TempDir dir;
  test::WriteFile(dir / "f", "0123456789");
  InputFile file(dir / "f");
  EXPECT_EQ(file.Size(), 10u);
  EXPECT_EQ(ReadAll(file), "0123456789");
}

TEST(InputFile, InterruptedReadsAreRetriedAndShortOnesPassedOn) {
  TempDir dir;
  test::WriteFile(dir / "f", "0123456789");
  InputFile file(dir / "f");
  char buffer[4];
  {
    ScopedFault interrupted(Operation::Read, Fault::Interruption());
    ASSERT_EQ(file.Read(buffer, sizeof buffer), 4u);
    EXPECT_TRUE(interrupted.Injected());
  }
  {
    ScopedFault cut(Operation::Read, Fault::ShortTransfer(1));
    ASSERT_EQ(file.Read(buffer, sizeof buffer), 1u);
    EXPECT_EQ(buffer[0], '4');
  }
  EXPECT_EQ(ReadAll(file), "56789");
}

struct OpenFailure {
  Operation operation;
  std::errc error;
  const char* call;
};

const OpenFailure kOpenFailures[] = {
    {Operation::Open, std::errc::no_such_file_or_directory, "open"},
    {Operation::Open, std::errc::permission_denied, "open"},
    {Operation::Status, std::errc::io_error, "fstat"},
};

TEST(InputFile, EachFailingCallIsNamed) {
  TempDir dir;
  test::WriteFile(dir / "f", "0123456789");
  for (const OpenFailure& c : kOpenFailures) {
    ScopedFault fault(c.operation, Fault::Error(c.error));
    EXPECT_EQ(test::SystemFailure([&] { InputFile file(dir / "f"); }),
              test::ExpectedSystemFailure(c.error, std::string(c.call) + " " + dir / "f"));
  }

  InputFile file(dir / "f");
  ScopedFault fault(Operation::Read, Fault::Error(std::errc::io_error));
  char buffer[4];
  EXPECT_EQ(test::SystemFailure([&] { file.Read(buffer, sizeof buffer); }),
            test::ExpectedSystemFailure(std::errc::io_error, "read " + dir / "f"));
}

TEST(InputFile, AFolderIsRefused) {
  TempDir dir;
  EXPECT_EQ(test::SystemFailure([&] { InputFile file(dir.path()); }),
            test::ExpectedSystemFailure(std::errc::is_a_directory, "open " + dir.path()));
}

} // namespace
} // namespace kiv::platform
