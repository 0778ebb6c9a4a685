// A symbolic link planted at a download target: the download never writes through it.
#include "testing/https/UpdateServerFixture.h"
#include "testing/support/Failure.h"

#include <filesystem>
#include <system_error>

namespace kiv {
namespace {

using test::Expected;
using test::Failure;
using test::RaiseCauseOf;
using test::ReadFile;
using test::RecordedProgress;
using test::Replay;
using test::WriteFile;

using PlantedLinkTest = test::UpdateServerTest;

TEST_F(PlantedLinkTest, ALinkAtTheArchiveIsRefusedAndWhatItLeadsToIsKept) {
  WriteFile(Folder() + "victim", "precious");
  std::filesystem::create_symlink(Folder() + "victim", Folder() + "kivview.zip");
  RecordedProgress progress;
  const auto fetch = Replay(
      [&] { FetchUpdate(Settings(), Folder(), TSoftware::ZipFile, "kivview.zip", progress); });
  EXPECT_EQ(Failure(fetch), Expected("EPelo", "Error downloading zip file with software update"));
  try {
    RaiseCauseOf(fetch);
  } catch (const std::system_error& cause) {
    EXPECT_EQ(cause.code(), std::errc::too_many_symbolic_link_levels) << cause.what();
  }
  EXPECT_EQ(ReadFile(Folder() + "victim"), "precious");
  EXPECT_TRUE(std::filesystem::is_symlink(Folder() + "kivview.zip"));
  EXPECT_EQ(Requests(), "");
}

} // namespace
} // namespace kiv
