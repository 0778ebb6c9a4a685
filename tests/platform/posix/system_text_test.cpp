#include "platform/posix/SystemText.h"
#include "testing/support/TempDir.h"

#include <gtest/gtest.h>

namespace kiv::platform {
namespace {

std::string Sample(const char* name) {
  return test::ReadFile(std::string(KIV_TEST_DATA_DIR) + "/system/" + name);
}

TEST(MountTable, ReadsTargetsUnescapedAndTellsNetworkMounts) {
  const std::vector<MountEntry> mounts = ParseMountTable(Sample("mountinfo.txt"));
  ASSERT_EQ(mounts.size(), 8u);
  EXPECT_EQ(mounts[2].Target, "/home/my data");
  EXPECT_EQ(mounts[2].FileSystem, "ext4");
  EXPECT_EQ(mounts[5].Root, "/var/lib/hosts");
  EXPECT_TRUE(mounts[6].Network);
  EXPECT_TRUE(mounts[7].Network);
  EXPECT_FALSE(mounts[4].Network); // overlay
}

TEST(MountTable, FixedDrivesAreWholeBlockDeviceMounts) {
  // tmpfs, proc and overlay have no block device; /etc/hosts binds a sub-folder of /dev/sda1.
  EXPECT_EQ(FixedDriveMounts(ParseMountTable(Sample("mountinfo.txt"))),
            (std::vector<std::string>{"/", "/home/my data"}));
}

TEST(MountTable, NetworkMountsPairMountPointAndSource) {
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(NetworkMounts(ParseMountTable(Sample("mountinfo.txt"))),
            (Pairs{{"/mnt/nfs", "fileserver:/export/projects"},
                   {"/mnt/team share", "//winserver/team"}}));
}

TEST(MountTable, EmptyTextHasNoMounts) {
  EXPECT_TRUE(ParseMountTable("").empty());
}

TEST(RouteTable, DefaultRouteMustBeUp) {
  EXPECT_TRUE(HasDefaultRoute(Sample("route-default.txt")));
  EXPECT_FALSE(HasDefaultRoute(Sample("route-no-default.txt"))); // its default route is down
  EXPECT_FALSE(HasDefaultRoute(""));
}

TEST(OsRelease, ValuesLoseTheirQuotes) {
  const std::string text = Sample("os-release.txt");
  EXPECT_EQ(OsReleaseValue(text, "PRETTY_NAME"), "Debian GNU/Linux 12 (bookworm)");
  EXPECT_EQ(OsReleaseValue(text, "ID"), "debian");
  EXPECT_EQ(OsReleaseValue(text, "NAME"), "Debian GNU/Linux");
  EXPECT_EQ(OsReleaseValue(text, "VERSION"), std::nullopt);
}

TEST(UserDirs, ExpandsHomeAndRefusesOtherForms) {
  const std::string text = Sample("user-dirs.dirs");
  EXPECT_EQ(UserDirsValue(text, "XDG_DOCUMENTS_DIR", "/home/ann"), "/home/ann/My Documents");
  EXPECT_EQ(UserDirsValue(text, "XDG_MUSIC_DIR", "/home/ann"), "/srv/music");
  EXPECT_EQ(UserDirsValue(text, "XDG_VIDEOS_DIR", "/home/ann"), std::nullopt); // not quoted
  EXPECT_EQ(UserDirsValue(text, "XDG_PICTURES_DIR", "/home/ann"), std::nullopt);
}

TEST(ProcessStatus, FieldsInBytes) {
  const std::string text = Sample("status.txt");
  EXPECT_EQ(StatusFieldBytes(text, "VmRSS"), 5120u * 1024);
  EXPECT_EQ(StatusFieldBytes(text, "VmPeak"), 23456u * 1024);
  EXPECT_EQ(StatusFieldBytes(text, "Threads"), std::nullopt); // no unit
  EXPECT_EQ(StatusFieldBytes(text, "VmSwap"), std::nullopt);
}

TEST(KernelRelease, LeadingNumbers) {
  struct Row {
    const char* release;
    std::uint32_t major, minor, patch;
  };
  for (const Row& row : {Row{"6.1.0-13-amd64", 6, 1, 0}, Row{"5.15.167.4-microsoft", 5, 15, 167},
                         Row{"4.9", 4, 9, 0}, Row{"", 0, 0, 0}}) {
    const ReleaseNumbers numbers = ParseKernelRelease(row.release);
    EXPECT_EQ(numbers.Major, row.major) << row.release;
    EXPECT_EQ(numbers.Minor, row.minor) << row.release;
    EXPECT_EQ(numbers.Patch, row.patch) << row.release;
  }
}

} // namespace
} // namespace kiv::platform
