// The SQLite settings store: its files, its transactions, damage, a full disk, and several
// processes at once, some of them killed (the probe program in settings_store_probe.cpp).

#include "platform/SettingsStore.h"
#include "platform/testing/ChildProcess.h"
#include "platform/testing/FaultInjection.h"
#include "platform/testing/SettingsStoreSeam.h"
#include "testing/support/ScopedEnvironment.h"
#include "testing/support/ScopedRegistry.h"
#include "testing/support/SystemFailure.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <random>
#include <sqlite3.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace kiv::platform {
namespace {

using testing::ChildResult;
using testing::RunChild;

std::shared_ptr<SettingsStore> UserStore() {
  return SettingsStore::Open(SettingsHive::CurrentUser);
}

ChildResult Probe(const std::vector<std::string>& arguments) {
  return RunChild(KIV_SETTINGS_STORE_PROBE, arguments);
}

// What SQLite itself says of the database file: its integrity check and one query's number.
struct Inspection {
  std::string integrity;
  long long number = -1;
};

Inspection Inspect(const std::string& file, const char* countQuery) {
  sqlite3* db = nullptr;
  Inspection result;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_exec(
        db, "PRAGMA integrity_check",
        [](void* out, int, char** values, char**) {
          static_cast<Inspection*>(out)->integrity += values[0];
          return 0;
        },
        &result, nullptr);
    sqlite3_exec(
        db, countQuery,
        [](void* out, int, char** values, char**) {
          static_cast<Inspection*>(out)->number = std::atoll(values[0]);
          return 0;
        },
        &result, nullptr);
  }
  sqlite3_close(db);
  return result;
}

mode_t Mode(const std::string& path) {
  struct stat info {};
  stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

TEST(SqliteSettingsStore, AReadNeverCreatesTheDatabase) {
  test::ScopedRegistry registry;
  auto store = UserStore();
  EXPECT_FALSE(store->KeyExists("Software"));
  EXPECT_TRUE(store->ValueNames("Software").empty());
  EXPECT_FALSE(store->Describe("Software", "v").has_value());
  EXPECT_FALSE(store->DeleteKey("Software"));
  EXPECT_FALSE(store->DeleteValue("Software", "v"));
  EXPECT_TRUE(store->Writable());
  EXPECT_FALSE(std::filesystem::exists(registry.folder() / "HKCU.sqlite3"));
}

TEST(SqliteSettingsStore, FoldersAndFilesGetTheirRightsAndJournals) {
  test::TempDir dir;
  test::ScopedEnvironment place("KIV_REGISTRY_DIR", dir / "a/b");
  UserStore()->WriteInteger("K", "v", 1);
  SettingsStore::Open(SettingsHive::LocalMachine)->WriteInteger("K", "v", 1);

  EXPECT_EQ(Mode(dir / "a"), 0700U);
  EXPECT_EQ(Mode(dir / "a/b"), 0700U);
  EXPECT_EQ(Mode(dir / "a/b/HKCU.sqlite3"), 0600U);
  EXPECT_EQ(Mode(dir / "a/b/HKLM.sqlite3"), 0644U);
  EXPECT_EQ(Inspect(dir / "a/b/HKCU.sqlite3", "SELECT 1").integrity, "ok");
  EXPECT_TRUE(std::filesystem::exists(dir / "a/b/HKCU.sqlite3-wal"));
  EXPECT_FALSE(std::filesystem::exists(dir / "a/b/HKLM.sqlite3-wal"));
}

TEST(SqliteSettingsStore, AFailedFolderCreationNamesItsCall) {
  test::TempDir dir;
  test::ScopedEnvironment place("KIV_REGISTRY_DIR", dir / "new");
  testing::ScopedFault fault(testing::Operation::CreateFolder,
                             testing::Fault::Error(std::errc::permission_denied));
  try {
    UserStore()->WriteInteger("K", "v", 1);
    FAIL() << "no failure";
  } catch (const std::system_error& e) {
    EXPECT_EQ(e.code(), std::errc::permission_denied);
    EXPECT_EQ(std::string(e.what()), "mkdir " + (dir / "new") + ": Permission denied");
  }
}

TEST(SqliteSettingsStore, ACompoundOperationIsOneTransaction) {
  test::ScopedRegistry registry;
  auto store = UserStore();
  try {
    SettingsTransaction outer(*store);
    store->WriteInteger("K", "a", 1);
    {
      SettingsTransaction inner(*store);
      store->WriteInteger("K", "b", 2);
      inner.Commit();
    }
    throw std::runtime_error("half way");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(store->KeyExists("K"));

  SettingsTransaction outer(*store);
  store->WriteInteger("K", "a", 1);
  { SettingsTransaction failed(*store); }
  try {
    outer.Commit();
    FAIL() << "committed";
  } catch (const std::system_error& e) {
    EXPECT_EQ(e.code(), std::errc::operation_canceled);
  }
  EXPECT_FALSE(store->KeyExists("K"));
}

TEST(SqliteSettingsStore, ADamagedDatabaseIsSetAsideAndANewOneBegins) {
  test::ScopedRegistry registry;
  const std::string file = registry.folder() / "HKCU.sqlite3";
  const std::string garbage(8192, 'x');
  test::WriteFile(file, garbage);
  test::WriteFile(file + ".damaged.1", "an earlier one");
  auto store = UserStore();
  EXPECT_FALSE(store->KeyExists("K"));
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(test::ReadFile(file + ".damaged.1"), "an earlier one");
  EXPECT_EQ(test::ReadFile(file + ".damaged.2"), garbage);
  store->WriteInteger("K", "v", 5);
  EXPECT_EQ(store->ReadInteger("K", "v"), 5);
}

TEST(SqliteSettingsStore, AFileSetAsideByAnotherProcessIsLeftForTheNewOne) {
  test::ScopedRegistry registry;
  const std::string file = registry.folder() / "HKCU.sqlite3";
  auto store = UserStore();
  store->WriteInteger("K", "old", 1);
  std::filesystem::rename(file, file + ".damaged.1");
  std::filesystem::remove(file + "-wal");
  std::filesystem::remove(file + "-shm");
  EXPECT_FALSE(store->KeyExists("K"));
  store->WriteInteger("K", "new", 2);
  EXPECT_EQ(Inspect(file, "SELECT count(*) FROM vals").number, 1);
}

// The sound database that another process makes in place of a damaged one, between this
// process's finding of the damage and its setting aside.
std::string soundFile;
void ReplaceWithSoundDatabase() {
  testing::settingsSetAsideHook = nullptr;
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((soundFile + ".new").c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, "CREATE TABLE other(x); INSERT INTO other VALUES (1)", nullptr,
                         nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  std::filesystem::rename(soundFile + ".new", soundFile);
}

TEST(SqliteSettingsStore, OnlyTheFileFoundDamagedIsSetAside) {
  test::ScopedRegistry registry;
  soundFile = registry.folder() / "HKCU.sqlite3";
  const std::string garbage(8192, 'x');
  test::WriteFile(soundFile, garbage);
  testing::settingsSetAsideHook = ReplaceWithSoundDatabase;
  auto store = UserStore();
  store->WriteInteger("K", "v", 5);
  testing::settingsSetAsideHook = nullptr;
  EXPECT_EQ(store->ReadInteger("K", "v"), 5);
  EXPECT_EQ(Inspect(soundFile, "SELECT count(*) FROM other").number, 1);
  EXPECT_FALSE(std::filesystem::exists(soundFile + ".damaged.1"));
}

TEST(SqliteSettingsStore, WithoutAHomeFolderTheUserHiveIsRefused) {
  test::ScopedEnvironment registry("KIV_REGISTRY_DIR", "");
  test::ScopedEnvironment config("XDG_CONFIG_HOME", "");
  test::ScopedEnvironment home("HOME", "");
  const std::error_code missing = std::make_error_code(std::errc::no_such_file_or_directory);
  EXPECT_EQ(test::SystemFailure([] { UserStore(); }),
            std::pair(missing, "the user's settings have no folder: HOME is not set to a folder, "
                               "nor XDG_CONFIG_HOME or KIV_REGISTRY_DIR: " +
                                   missing.message()));
}

TEST(SqliteSettingsStore, AFullDiskIsReportedWithItsCauseAndTheDatabaseStaysIntact) {
  test::ScopedRegistry registry;
  auto store = UserStore();
  store->WriteString("K", "kept", "before");
  testing::settingsPageLimit = 8;
  const std::vector<std::uint8_t> page(4096, 7);
  std::error_code failure;
  std::string text;
  for (int i = 0; i < 64 && !failure; ++i) {
    try {
      store->WriteBinary("K", std::string("v").append(std::to_string(i)), page);
    } catch (const std::system_error& e) {
      failure = e.code();
      text = e.what();
    }
  }
  testing::settingsPageLimit = 0;
  EXPECT_EQ(failure, std::errc::no_space_on_device);
  EXPECT_EQ(text,
            "sqlite3_step " + (registry.folder() / "HKCU.sqlite3") + ": database or disk is full");
  EXPECT_EQ(store->ReadString("K", "kept"), "before");
  store->WriteString("K", "after", "written");
  EXPECT_EQ(Inspect(registry.folder() / "HKCU.sqlite3", "SELECT 1").integrity, "ok");
}

TEST(SqliteSettingsStore, EightProcessesWritingAtOnceLoseNothing) {
  test::ScopedRegistry registry;
  std::vector<ChildResult> results(8);
  std::vector<std::thread> writers;
  for (std::size_t i = 0; i < results.size(); ++i)
    writers.emplace_back([&results, i] {
      results[i] = Probe({"write", std::to_string(i), "1000"});
    });
  for (std::thread& writer : writers)
    writer.join();
  for (const ChildResult& result : results)
    EXPECT_EQ(result.exitCode, 0) << result.standardError;
  const Inspection inspection =
      Inspect(registry.folder() / "HKCU.sqlite3", "SELECT count(*) FROM vals");
  EXPECT_EQ(inspection.integrity, "ok");
  EXPECT_EQ(inspection.number, 8000);
}

TEST(SqliteSettingsStore, AWriterKilledAtFiftyCommitPointsLosesNoAcknowledgedWrite) {
  test::ScopedRegistry registry;
  std::mt19937 seeds(20261210);
  std::uniform_int_distribution<int> commitPoint(1, 40);
  int killed = 0;
  for (int run = 0; run < 50; ++run) {
    const int point = commitPoint(seeds);
    const ChildResult result = Probe({"acknowledge", std::to_string(point), "40"});
    killed += result.exitCode == -1 ? 1 : 0;
    auto store = UserStore();
    std::istringstream acknowledged(result.standardOutput);
    for (std::string number; std::getline(acknowledged, number);)
      ASSERT_EQ(store->ReadInteger("Ack", "v" + number), std::stoi(number)) << "point " << point;
    store->DeleteKey("Ack");
    EXPECT_EQ(Inspect(registry.folder() / "HKCU.sqlite3", "SELECT 1").integrity, "ok");
  }
  EXPECT_EQ(killed, 50);
  EXPECT_EQ(Probe({"write", "after", "10"}).exitCode, 0);
}

// Kills probe command at seeded steps until it runs to its end; each time check sees the store.
// Returns how many runs were killed.
template <typename Check> int KillAtSteps(const char* command, int stride, Check&& check) {
  std::mt19937 seeds(7);
  std::uniform_int_distribution<int> jitter(0, stride - 1);
  int killed = 0;
  for (int step = 1;; step += stride) {
    const int point = step + jitter(seeds);
    const ChildResult result = Probe({command, std::to_string(point)});
    check(point);
    if (result.exitCode == 0)
      return killed;
    EXPECT_EQ(result.exitCode, -1) << result.standardError;
    ++killed;
  }
}

TEST(SqliteSettingsStore, AKilledCompoundWriteLeavesAllOrNothing) {
  test::ScopedRegistry registry;
  const int killed = KillAtSteps("compound", 3, [&](int point) {
    const auto count = UserStore()->ValueNames("Position").size();
    EXPECT_TRUE(count == 0 || count == 16) << count << " values after step " << point;
  });
  EXPECT_GT(killed, 0);
  EXPECT_EQ(UserStore()->ValueNames("Position").size(), 16U);
  std::cout << "compound write killed at " << killed << " steps\n";
}

TEST(SqliteSettingsStore, AKilledTreeDeleteLeavesAllOrNothing) {
  test::ScopedRegistry registry;
  {
    auto store = UserStore();
    SettingsTransaction transaction(*store);
    for (int i = 0; i < 10000; ++i)
      store->WriteInteger(std::string("Tree\\Sub").append(std::to_string(i % 10)),
                          std::string("v").append(std::to_string(i)), i);
    transaction.Commit();
  }
  const std::string file = registry.folder() / "HKCU.sqlite3";
  const int killed = KillAtSteps("delete", 600, [&](int point) {
    const long long count = Inspect(file, "SELECT count(*) FROM vals").number;
    EXPECT_TRUE(count == 0 || count == 10000) << count << " values after step " << point;
  });
  EXPECT_GT(killed, 0);
  EXPECT_FALSE(UserStore()->KeyExists("Tree"));
  std::cout << "tree delete killed at " << killed << " steps\n";
}

TEST(SqliteSettingsStore, TheMachineHiveIsReadableByAnOrdinaryUser) {
  if (geteuid() != 0)
    GTEST_SKIP() << "only root can start a child under another user id";
  test::ScopedRegistry registry;
  std::filesystem::permissions(registry.folder().path(), std::filesystem::perms(0755));
  // A file that its writer has created but not yet filled holds nothing for a reader.
  const std::string file = registry.folder() / "HKLM.sqlite3";
  test::WriteFile(file, "");
  const ChildResult early = Probe({"read-machine", "65534"});
  EXPECT_EQ(early.exitCode, 1);
  EXPECT_EQ(early.standardError, "settings value \"Text\" of key \"Software\\Kiv\" does not "
                                 "exist: No such file or directory\n");

  SettingsStore::Open(SettingsHive::LocalMachine)->WriteString("Software\\Kiv", "Text", "shared");
  const ChildResult result = Probe({"read-machine", "65534"});
  EXPECT_EQ(result.exitCode, 0) << result.standardError;
  EXPECT_EQ(result.standardOutput, "shared 0\n");
}

} // namespace
} // namespace kiv::platform
