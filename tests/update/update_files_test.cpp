// The files of each kind, their addresses and messages; archive names.
#include "core/Exceptions.h"
#include "testing/support/Failure.h"
#include "update/UpdateFiles.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

using test::Expected;
using test::Failure;

UpdateSettings ServerWithoutTrailingSlashes() {
  UpdateSettings settings;
  settings.serverAddress = "https://updates.invalid";
  settings.releaseFolder = "kiv/releases";
  return settings;
}

// Every field of every file, one row per file.
std::vector<std::string> Rows(const std::vector<UpdateFile>& files) {
  std::vector<std::string> rows;
  for (const UpdateFile& file : files)
    rows.push_back(file.address + " | " + file.target + " | " + file.downloadFailure + " | " +
                   file.placeFailure);
  return rows;
}

TEST(UpdateFiles, EachKindsFilesAddressesTargetsAndMessages) {
  const UpdateSettings settings = ServerWithoutTrailingSlashes();
  const std::string update = "https://updates.invalid/KivSoftware/Update/";
  EXPECT_EQ(Rows(UpdateFilesOf(settings, "dl/", TSoftware::UpdZel, "ignored.zip")),
            (std::vector<std::string>{
                update + "Upd.ex_ | dl/Upd.exe | Error downloading Upd.ex_ | "
                         "Error renaming file to dl/Upd.exe",
                update + "libeay32.dl_ | dl/libeay32.dll | Error downloading libeay32.dl_ | "
                         "Error renaming file to dl/libeay32.dll",
                update + "ssleay32.dl_ | dl/ssleay32.dll | Error downloading ssleay32.dl_ | "
                         "Error renaming file to dl/ssleay32.dll"}));
  EXPECT_EQ(Rows(UpdateFilesOf(settings, "dl/", TSoftware::UpdZel_NoUAC, "")),
            (std::vector<std::string>{
                update + "UpdNoUAC.ex_ | dl/UpdNoUAC.exe | Error downloading UpdNoUAC.ex_ | "
                         "Error renaming file to dl/UpdNoUAC.exe",
                update + "libeay32.dl_ | dl/libeay32.dll | Error downloading libeay32.dl_ | "
                         "Error renaming file to dl/libeay32.dll",
                update + "ssleay32.dl_ | dl/ssleay32.dll | Error downloading ssleay32.dl_ | "
                         "Error renaming file to dl/ssleay32.dll"}));
  EXPECT_EQ(Rows(UpdateFilesOf(settings, "dl/", TSoftware::UnzipProgram, "")),
            (std::vector<std::string>{update + "unzip.ex_ | dl/unzip.exe | Error downloading "
                                               "Update Program | Error acessing files on disk"}));
  EXPECT_EQ(Rows(UpdateFilesOf(settings, "dl/", TSoftware::ZipFile, "Kiv 7.2+x.zip")),
            (std::vector<std::string>{
                "https://updates.invalid/kiv/releases/Kiv%207.2%2Bx.zip | dl/Kiv 7.2+x.zip | "
                "Error downloading zip file with software update | "
                "Error downloading zip file with software update"}));
}

TEST(UpdateFiles, ArchiveNamesThatCouldLeaveTheFolderAreRefused) {
  const std::vector<std::string> names = {"",          ".",           "..",           "../Kiv.zip",
                                          "a..zip",    "sub/Kiv.zip", "sub\\Kiv.zip", "C:Kiv.zip",
                                          "Kiv\n.zip", "Kiv\x7f.zip", {"K\0.zip", 6}};
  for (const std::string& name : names)
    EXPECT_EQ(Failure([&] {
                UpdateFilesOf(ServerWithoutTrailingSlashes(), "dl/", TSoftware::ZipFile, name);
              }),
              Expected("EPelo", "Error downloading zip file with software update"))
        << name;
}

TEST(UpdateFiles, WithoutAServerEveryKindIsRefusedSayingSo) {
  for (const TSoftware kind :
       {TSoftware::UpdZel, TSoftware::UpdZel_NoUAC, TSoftware::UnzipProgram, TSoftware::ZipFile})
    EXPECT_EQ(Failure([&] { UpdateFilesOf({}, "dl/", kind, "Kiv.zip"); }),
              Expected("EPelo", "No update server is configured: the update settings hold no "
                                "server address (the build's KIV_UPDATE_SERVER is empty unless "
                                "set)"));
}

TEST(UpdateFiles, AnEmptyReleaseFolderIsTheServersRoot) {
  UpdateSettings settings = ServerWithoutTrailingSlashes();
  settings.releaseFolder.clear();
  EXPECT_EQ(UpdateFilesOf(settings, "dl/", TSoftware::ZipFile, "Kiv.zip").front().address,
            "https://updates.invalid/Kiv.zip");
}

} // namespace
} // namespace kiv
