// The settings store as one SQLite database per hive.
//
// Schema (STRICT tables; names folded to ASCII lower case in C++):
//   keys(id, parent, name, folded UNIQUE): one row per key, the root with id 0 and folded "";
//     folded is the whole folded path, so a subtree is a range: [path + "\", path + "]").
//   vals(key_id -> keys ON DELETE CASCADE, seq, name, folded, type, data,
//        PRIMARY KEY(key_id, folded)): type is the registry's number (1 REG_SZ, 3 REG_BINARY,
//     4 REG_DWORD; any other type's bytes as a blob under its number); seq orders the names by
//     creation and an overwrite keeps it.

#include "platform/AsciiText.h"
#include "platform/FileHandle.h"
#include "platform/FileOperations.h"
#include "platform/SettingsStore.h"
#include "platform/posix/ErrnoError.h"
#include "platform/posix/SystemCalls.h"
#include "platform/posix/store/SqliteError.h"
#include "platform/store/SettingsPaths.h"
#include "platform/testing/SettingsStoreSeam.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <sqlite3.h>
#include <utility>

namespace kiv::platform {

namespace {

using store::KeyNamesOf;
using store::KeyPath;
using store::ThrowSqlite;

constexpr int kBusyMilliseconds = 60000;
constexpr int kTypeString = 1;
constexpr int kTypeBinary = 3;
constexpr int kTypeInteger = 4;

const char* const kSchema = R"(
CREATE TABLE IF NOT EXISTS keys(
  id INTEGER PRIMARY KEY,
  parent INTEGER,
  name TEXT NOT NULL,
  folded TEXT NOT NULL UNIQUE) STRICT;
CREATE INDEX IF NOT EXISTS keys_by_parent ON keys(parent, folded);
INSERT OR IGNORE INTO keys(id, parent, name, folded) VALUES(0, NULL, '', '');
CREATE TABLE IF NOT EXISTS vals(
  key_id INTEGER NOT NULL REFERENCES keys(id) ON DELETE CASCADE,
  seq INTEGER NOT NULL,
  name TEXT NOT NULL,
  folded TEXT NOT NULL,
  type INTEGER NOT NULL,
  data ANY NOT NULL,
  PRIMARY KEY(key_id, folded)) STRICT, WITHOUT ROWID;
CREATE INDEX IF NOT EXISTS vals_by_seq ON vals(key_id, seq);
)";

SettingsType TypeOf(std::int64_t stored) {
  switch (stored) {
  case kTypeInteger:
    return SettingsType::Integer;
  case kTypeString:
    return SettingsType::String;
  case kTypeBinary:
    return SettingsType::Binary;
  default:
    return SettingsType::Other;
  }
}

bool PathExists(const std::string& path) {
  struct stat info {};
  return sys::Stat(path.c_str(), &info) == 0;
}

std::string FolderOf(const std::string& file) {
  return file.substr(0, file.rfind('/'));
}

int CommitHook(void*) {
  testing::settingsCommitHook();
  return 0;
}

int ProgressHook(void*) {
  testing::settingsProgressHook();
  return 0;
}

// One row of a value: its stored type and data.
struct StoredValue {
  std::int64_t type = 0;
  std::string data;
};

class SqliteSettingsStore final : public SettingsStore {
public:
  SqliteSettingsStore(std::string file, bool machine) : file_(std::move(file)), machine_(machine) {}
  SqliteSettingsStore(const SqliteSettingsStore&) = delete;
  SqliteSettingsStore& operator=(const SqliteSettingsStore&) = delete;
  ~SqliteSettingsStore() override { Disconnect(); }

  bool Writable() override {
    if (Connect(false))
      return !readOnly_;
    std::string folder = FolderOf(file_);
    while (!folder.empty() && !PathExists(folder))
      folder = FolderOf(folder);
    return sys::CheckWriteAccess(folder.empty() ? "/" : folder.c_str()) == 0;
  }

  bool KeyExists(const std::string& path) override {
    const std::string folded = AsciiLowerCase(KeyPath(path));
    if (folded.empty())
      return true;
    if (!Connect(false))
      return false;
    Query query(*this, "SELECT 1 FROM keys WHERE folded = ?1");
    query.Bind(1, folded);
    return query.Next();
  }

  void CreateKey(const std::string& path) override {
    KeyNamesOf(path);
    InWrite([&] { EnsureKey(path); });
  }

  bool DeleteKey(const std::string& path) override {
    if (KeyNamesOf(path).empty())
      throw store::RootRefused();
    if (!Connect(false))
      return false;
    bool deleted = false;
    InWrite([&] {
      const std::string folded = AsciiLowerCase(KeyPath(path));
      Query query(*this, "DELETE FROM keys WHERE folded = ?1 OR (folded >= ?2 AND folded < ?3)");
      query.Bind(1, folded);
      query.Bind(2, folded + "\\");
      query.Bind(3, folded + "]");
      query.Next();
      deleted = sqlite3_changes(db_) > 0;
    });
    return deleted;
  }

  std::vector<std::string> KeyNames(const std::string& path) override {
    return Names(path, "SELECT k.name FROM keys k JOIN keys p ON k.parent = p.id "
                       "WHERE p.folded = ?1 ORDER BY k.folded");
  }

  std::vector<std::string> ValueNames(const std::string& path) override {
    return Names(path, "SELECT v.name FROM vals v JOIN keys k ON v.key_id = k.id "
                       "WHERE k.folded = ?1 ORDER BY v.seq");
  }

  std::optional<SettingsValueInfo> Describe(const std::string& path,
                                            const std::string& name) override {
    const auto value = Find(path, name);
    if (!value)
      return std::nullopt;
    return InfoOf(*value);
  }

  bool DeleteValue(const std::string& path, const std::string& name) override {
    const std::string folded = AsciiLowerCase(KeyPath(path));
    if (!Connect(false))
      return false;
    bool deleted = false;
    InWrite([&] {
      Query query(*this, "DELETE FROM vals WHERE folded = ?2 AND "
                         "key_id = (SELECT id FROM keys WHERE folded = ?1)");
      query.Bind(1, folded);
      query.Bind(2, AsciiLowerCase(name));
      query.Next();
      deleted = sqlite3_changes(db_) > 0;
    });
    return deleted;
  }

  std::int32_t ReadInteger(const std::string& path, const std::string& name) override {
    const StoredValue value = Get(path, name, kTypeInteger);
    std::int32_t number = 0;
    std::memcpy(&number, value.data.data(), sizeof number);
    return number;
  }

  std::string ReadString(const std::string& path, const std::string& name) override {
    return Get(path, name, kTypeString).data;
  }

  std::vector<std::uint8_t> ReadBinary(const std::string& path, const std::string& name) override {
    const std::string data = Get(path, name, kTypeBinary).data;
    return {data.begin(), data.end()};
  }

  void WriteInteger(const std::string& path, const std::string& name, std::int32_t value) override {
    Put(path, name, kTypeInteger, [value](sqlite3_stmt* statement, int column) {
      return sqlite3_bind_int64(statement, column, value);
    });
  }

  void WriteString(const std::string& path, const std::string& name,
                   const std::string& value) override {
    Put(path, name, kTypeString, [&value](sqlite3_stmt* statement, int column) {
      return sqlite3_bind_text64(statement, column, value.data(), value.size(), SQLITE_STATIC,
                                 SQLITE_UTF8);
    });
  }

  void WriteBinary(const std::string& path, const std::string& name,
                   const std::vector<std::uint8_t>& bytes) override {
    Put(path, name, kTypeBinary, [&bytes](sqlite3_stmt* statement, int column) {
      if (bytes.empty())
        return sqlite3_bind_zeroblob(statement, column, 0);
      return sqlite3_bind_blob64(statement, column, bytes.data(), bytes.size(), SQLITE_STATIC);
    });
  }

  SettingsRawValue ReadRaw(const std::string& path, const std::string& name) override {
    auto value = Find(path, name);
    if (!value)
      throw store::MissingValue(path, name);
    if (TypeOf(value->type) != SettingsType::Other)
      throw WrongSettingsType(path, name, InfoOf(*value), SettingsType::Other);
    return {static_cast<std::uint32_t>(value->type), {value->data.begin(), value->data.end()}};
  }

  void WriteRaw(const std::string& path, const std::string& name,
                const SettingsRawValue& value) override {
    if (TypeOf(value.type) != SettingsType::Other)
      throw store::TypedRawWrite(path, name, value.type);
    const std::vector<std::uint8_t>& bytes = value.bytes;
    Put(path, name, value.type, [&bytes](sqlite3_stmt* statement, int column) {
      if (bytes.empty())
        return sqlite3_bind_zeroblob(statement, column, 0);
      return sqlite3_bind_blob64(statement, column, bytes.data(), bytes.size(), SQLITE_STATIC);
    });
  }

  void BeginTransaction() override {
    if (depth_ == 0) {
      if (!Connect(true))
        ThrowSqlite(SQLITE_CANTOPEN, "sqlite3_open_v2", file_, nullptr);
      ApplyTestHooks();
      Execute("BEGIN IMMEDIATE");
      rollbackOnly_ = false;
    }
    ++depth_;
  }

  void CommitTransaction() override {
    if (--depth_ > 0)
      return;
    if (rollbackOnly_) {
      Execute("ROLLBACK");
      throw std::system_error(std::make_error_code(std::errc::operation_canceled),
                              "settings transaction on " + file_ +
                                  " rolled back after a failure inside it");
    }
    const int rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
      sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
      ThrowSqlite(rc, "COMMIT", file_, db_);
    }
  }

  void RollbackTransaction() noexcept override {
    rollbackOnly_ = true;
    if (--depth_ == 0 && db_ != nullptr)
      sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  }

private:
  // A prepared statement of the cache, reset and cleared when the query ends.
  class Query {
  public:
    Query(SqliteSettingsStore& owner, const char* sql)
        : owner_(owner), statement_(owner.Prepared(sql)) {}
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;
    ~Query() {
      sqlite3_reset(statement_);
      sqlite3_clear_bindings(statement_);
    }
    void Bind(int column, const std::string& text) {
      Check(sqlite3_bind_text64(statement_, column, text.data(), text.size(), SQLITE_TRANSIENT,
                                SQLITE_UTF8));
    }
    void Bind(int column, sqlite3_int64 number) {
      Check(sqlite3_bind_int64(statement_, column, number));
    }
    template <typename Binder> void BindWith(int column, Binder&& binder) {
      Check(binder(statement_, column));
    }
    // True while a row is there.
    bool Next() {
      const int rc = sqlite3_step(statement_);
      if (rc == SQLITE_ROW)
        return true;
      if (rc != SQLITE_DONE)
        ThrowSqlite(rc, "sqlite3_step", owner_.file_, owner_.db_);
      return false;
    }
    sqlite3_int64 Integer(int column) { return sqlite3_column_int64(statement_, column); }
    std::string Bytes(int column) {
      const void* bytes = sqlite3_column_blob(statement_, column);
      const auto size = static_cast<std::size_t>(sqlite3_column_bytes(statement_, column));
      return size == 0 ? std::string() : std::string(static_cast<const char*>(bytes), size);
    }

  private:
    void Check(int rc) {
      if (rc != SQLITE_OK)
        ThrowSqlite(rc, "sqlite3_bind", owner_.file_, owner_.db_);
    }
    SqliteSettingsStore& owner_;
    sqlite3_stmt* statement_;
  };

  sqlite3_stmt* Prepared(const char* sql) {
    auto& statement = statements_[sql];
    if (statement == nullptr) {
      const int rc =
          sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
      if (rc != SQLITE_OK) {
        statements_.erase(sql);
        ThrowSqlite(rc, "sqlite3_prepare_v3", file_, db_);
      }
    }
    return statement;
  }

  void Execute(const char* sql) {
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
      ThrowSqlite(rc, sql, file_, db_);
  }

  template <typename Body> void InWrite(Body&& body) {
    SettingsTransaction transaction(*this);
    body();
    transaction.Commit();
  }

  // Opens the database; a missing one is created only when create is true. False when there is
  // none. A damaged database is set aside, so that the next write begins a new one.
  bool Connect(bool create) {
    if (db_ != nullptr && (depth_ > 0 || FileIdentity() == identity_))
      return true;
    if (db_ != nullptr)
      Disconnect(); // another process set the file aside or removed it
    if (!PathExists(file_)) {
      if (!create)
        return false;
      CreateFile();
    }
    Open();
    if (Damaged()) {
      const std::pair<dev_t, ino_t> damaged = identity_;
      Disconnect();
      if (testing::settingsSetAsideHook != nullptr)
        testing::settingsSetAsideHook();
      if (!SetAside(damaged))
        return false;
      return Connect(create);
    }
    if (!readOnly_) {
      Prepare();
    } else if (!HasSchema()) {
      // A writer created the file and has not yet written its tables: nothing is stored yet.
      Disconnect();
      return false;
    }
    return true;
  }

  bool HasSchema() {
    Query query(*this, "SELECT 1 FROM sqlite_master WHERE name = 'vals'");
    return query.Next();
  }

  void CreateFile() {
    const mode_t mode = machine_ ? 0644 : 0600;
    CreateFolderPath(FolderOf(file_),
                     machine_ ? FolderAccess::EveryoneReads : FolderAccess::OwnerOnly);
    const FileHandle file(sys::Open(file_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, mode));
    if (!file.IsOpen())
      throw ErrnoError("open", file_);
  }

  void Open() {
    const int rc = sqlite3_open_v2(file_.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
      const std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : "";
      Disconnect();
      throw std::system_error(rc, store::SqliteCategory(),
                              "sqlite3_open_v2 " + file_ + " (" + message + ")");
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, kBusyMilliseconds);
    readOnly_ = sqlite3_db_readonly(db_, "main") == 1;
    identity_ = FileIdentity();
  }

  // The device and inode of the database file, zeros when it is missing.
  std::pair<dev_t, ino_t> FileIdentity() const {
    struct stat info {};
    if (sys::Stat(file_.c_str(), &info) != 0)
      return {};
    return {info.st_dev, info.st_ino};
  }

  // True when the file is not a sound database.
  bool Damaged() {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db_, "PRAGMA quick_check(1)", -1, &statement, nullptr);
    bool sound = false;
    if (rc == SQLITE_OK) {
      rc = sqlite3_step(statement);
      sound = rc == SQLITE_ROW &&
              std::string_view(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))) ==
                  "ok";
    }
    sqlite3_finalize(statement);
    const int primary = rc & 0xFF;
    if (!sound && primary != SQLITE_CORRUPT && primary != SQLITE_NOTADB && rc != SQLITE_ROW)
      ThrowSqlite(rc, "PRAGMA quick_check", file_, db_);
    return !sound;
  }

  // Moves the damaged file, the one of identity damaged, and its journals to the first free name
  // file.damaged.N; false when this process may not. Another process may have set it aside
  // already and begun a sound database under the name, which stays.
  bool SetAside(std::pair<dev_t, ino_t> damaged) {
    const std::string folder = FolderOf(file_);
    if (sys::CheckWriteAccess(folder.c_str()) != 0)
      return false;
    if (FileIdentity() != damaged)
      return true;
    std::string target;
    for (int number = 1;; ++number) {
      target = file_ + ".damaged." + std::to_string(number);
      if (!PathExists(target))
        break;
    }
    if (sys::Rename(file_.c_str(), target.c_str()) != 0)
      throw ErrnoError("rename", file_);
    for (const char* journal : {"-wal", "-shm", "-journal"})
      if (PathExists(file_ + journal))
        sys::Rename((file_ + journal).c_str(), (target + journal).c_str());
    return true;
  }

  // Changing the journal mode takes the file's exclusive lock, and SQLite answers busy at once,
  // without the busy handler, while another process opens the same new file: so it waits here,
  // as long as the busy handler would.
  void SetJournalMode() {
    const char* const sql = machine_ ? "PRAGMA journal_mode=DELETE" : "PRAGMA journal_mode=WAL";
    constexpr int kRetryMilliseconds = 10;
    for (int waited = 0;; waited += kRetryMilliseconds) {
      const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
      if (rc == SQLITE_OK)
        return;
      if ((rc & 0xFF) != SQLITE_BUSY || waited >= kBusyMilliseconds)
        ThrowSqlite(rc, sql, file_, db_);
      sqlite3_sleep(kRetryMilliseconds);
    }
  }

  void Prepare() {
    SetJournalMode();
    Execute("PRAGMA synchronous=NORMAL");
    Execute("PRAGMA foreign_keys=ON");
    Execute("BEGIN IMMEDIATE");
    const int rc = sqlite3_exec(db_, kSchema, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
      sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
      ThrowSqlite(rc, "CREATE TABLE", file_, db_);
    }
    Execute("COMMIT");
  }

  void Disconnect() {
    for (auto& entry : statements_)
      sqlite3_finalize(entry.second);
    statements_.clear();
    sqlite3_close_v2(db_);
    db_ = nullptr;
  }

  void ApplyTestHooks() {
    if (testing::settingsPageLimit != appliedPageLimit_) {
      appliedPageLimit_ = testing::settingsPageLimit;
      const std::string pragma =
          "PRAGMA max_page_count=" +
          std::to_string(appliedPageLimit_ != 0 ? appliedPageLimit_ : 0xFFFFFFFEU);
      Execute(pragma.c_str());
    }
    if (testing::settingsCommitHook != nullptr)
      sqlite3_commit_hook(db_, CommitHook, nullptr);
    if (testing::settingsProgressHook != nullptr)
      sqlite3_progress_handler(db_, 50, ProgressHook, nullptr);
  }

  std::int64_t EnsureKey(const std::string& path) {
    const std::vector<std::string> names = KeyNamesOf(path);
    std::int64_t id = 0;
    std::string prefix;
    for (const std::string& name : names) {
      prefix += prefix.empty() ? name : "\\" + name;
      const std::string folded = AsciiLowerCase(prefix);
      {
        Query find(*this, "SELECT id FROM keys WHERE folded = ?1");
        find.Bind(1, folded);
        if (find.Next()) {
          id = find.Integer(0);
          continue;
        }
      }
      Query insert(*this, "INSERT INTO keys(parent, name, folded) VALUES(?1, ?2, ?3)");
      insert.Bind(1, id);
      insert.Bind(2, name);
      insert.Bind(3, folded);
      insert.Next();
      id = sqlite3_last_insert_rowid(db_);
    }
    return id;
  }

  std::vector<std::string> Names(const std::string& path, const char* sql) {
    const std::string folded = AsciiLowerCase(KeyPath(path));
    std::vector<std::string> names;
    if (!Connect(false))
      return names;
    Query query(*this, sql);
    query.Bind(1, folded);
    while (query.Next())
      names.push_back(query.Bytes(0));
    return names;
  }

  std::optional<StoredValue> Find(const std::string& path, const std::string& name) {
    const std::string folded = AsciiLowerCase(KeyPath(path));
    if (!Connect(false))
      return std::nullopt;
    Query query(*this, "SELECT v.type, v.data FROM vals v JOIN keys k ON v.key_id = k.id "
                       "WHERE k.folded = ?1 AND v.folded = ?2");
    query.Bind(1, folded);
    query.Bind(2, AsciiLowerCase(name));
    if (!query.Next())
      return std::nullopt;
    StoredValue value;
    value.type = query.Integer(0);
    if (value.type == kTypeInteger) {
      const auto number = static_cast<std::int32_t>(query.Integer(1));
      value.data.assign(reinterpret_cast<const char*>(&number), sizeof number);
    } else {
      value.data = query.Bytes(1);
    }
    return value;
  }

  static SettingsValueInfo InfoOf(const StoredValue& value) {
    const SettingsType type = TypeOf(value.type);
    if (type == SettingsType::String)
      return {type, (store::Utf16Length(value.data) + 1) * 2};
    return {type, value.data.size()};
  }

  StoredValue Get(const std::string& path, const std::string& name, std::int64_t type) {
    auto value = Find(path, name);
    if (!value)
      throw store::MissingValue(path, name);
    if (value->type != type)
      throw WrongSettingsType(path, name, InfoOf(*value), TypeOf(type));
    return std::move(*value);
  }

  template <typename Binder>
  void Put(const std::string& path, const std::string& name, std::int64_t type, Binder&& binder) {
    KeyNamesOf(path);
    InWrite([&] {
      const std::int64_t id = EnsureKey(path);
      Query query(*this,
                  "INSERT INTO vals(key_id, seq, name, folded, type, data) VALUES(?1, "
                  "(SELECT ifnull(max(seq), 0) + 1 FROM vals WHERE key_id = ?1), ?2, ?3, ?4, ?5) "
                  "ON CONFLICT(key_id, folded) DO UPDATE SET type = excluded.type, "
                  "data = excluded.data");
      query.Bind(1, id);
      query.Bind(2, name);
      query.Bind(3, AsciiLowerCase(name));
      query.Bind(4, type);
      query.BindWith(5, binder);
      query.Next();
    });
  }

  const std::string file_;
  const bool machine_;
  sqlite3* db_ = nullptr;
  bool readOnly_ = false;
  int depth_ = 0;
  bool rollbackOnly_ = false;
  unsigned appliedPageLimit_ = 0;
  std::pair<dev_t, ino_t> identity_{}; // of the file the connection has open
  std::map<const char*, sqlite3_stmt*> statements_;
};

std::string DatabaseFile(SettingsHive hive) {
  const bool machine = hive == SettingsHive::LocalMachine;
  if (const char* folder = std::getenv("KIV_REGISTRY_DIR"); folder != nullptr && *folder != '\0') {
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/')
      path.pop_back();
    return path + (machine ? "/HKLM.sqlite3" : "/HKCU.sqlite3");
  }
  if (machine)
    return "/etc/kiv/registry.sqlite3";
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/')
    return std::string(config) + "/kiv/registry.sqlite3";
  // Without a home folder the database would land in /.config, shared by every such process.
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home != '/')
    throw std::system_error(std::make_error_code(std::errc::no_such_file_or_directory),
                            "the user's settings have no folder: HOME is not set to a folder, "
                            "nor XDG_CONFIG_HOME or KIV_REGISTRY_DIR");
  return std::string(home) + "/.config/kiv/registry.sqlite3";
}

} // namespace

// One connection per database and process, kept for the process: closing the last connection
// of a WAL database checkpoints and syncs it, which every new accessor would pay again.
std::shared_ptr<SettingsStore> SettingsStore::Open(SettingsHive hive) {
  static std::map<std::string, std::shared_ptr<SettingsStore>> open;
  const std::string file = DatabaseFile(hive);
  std::shared_ptr<SettingsStore>& store = open[file];
  if (!store)
    store = std::make_shared<SqliteSettingsStore>(file, hive == SettingsHive::LocalMachine);
  return store;
}

} // namespace kiv::platform
