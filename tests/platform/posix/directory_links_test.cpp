// Facts of POSIX systems only: symbolic links.
#include "platform/Directory.h"
#include "testing/support/SystemFailure.h"
#include "testing/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <system_error>

namespace kiv::platform {
namespace {

using test::TempDir;

TEST(Directory, AFolderThatCannotBeOpenedThrows) {
  TempDir dir;
  std::filesystem::create_symlink(dir / "loop-a", dir / "loop-b");
  std::filesystem::create_symlink(dir / "loop-b", dir / "loop-a");
  EXPECT_EQ(test::SystemFailure([&] { ListMatchingFiles(dir / "loop-a", "*"); }),
            test::ExpectedSystemFailure(std::errc::too_many_symbolic_link_levels,
                                        "opendir " + dir / "loop-a"));
}

} // namespace
} // namespace kiv::platform
