#pragma once

// The typed settings store: a tree of keys holding named, typed values, one tree per hive. On
// Windows it is the registry; elsewhere an SQLite database per hive in the folder named by
// KIV_REGISTRY_DIR, else $XDG_CONFIG_HOME/kiv (user) and /etc/kiv (machine).
//
// A key path is a list of names separated by "\", counted from the hive's root; one leading "\"
// says so again and changes nothing ("\Software\X" is "Software\X"; "" and "\" are the root).
// Key and value names compare without regard to ASCII case and keep the case they were written
// with. A path with an empty name ("a\\b", "a\", "\\a") is refused by every operation.
//
// Failures are std::system_error: a refused path or a read of another type or size with
// std::errc::invalid_argument, a read of a missing value with std::errc::no_such_file_or_directory,
// and failures of the system or the database with their cause (a full disk compares equal to
// std::errc::no_space_on_device).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace kiv::platform {

enum class SettingsHive { CurrentUser, LocalMachine };

// The stored types: REG_DWORD, REG_SZ and REG_BINARY, which the typed reads and writes take, and
// any other of the registry's types (REG_EXPAND_SZ, REG_MULTI_SZ, REG_QWORD, REG_NONE...), which
// ReadRaw and WriteRaw take as their bytes.
enum class SettingsType { Integer, String, Binary, Other };

// The registry's type numbers of the values that kivreg and the registry editor name.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;
inline constexpr std::uint32_t kRegQword = 11;

// A value of another type as the registry holds it: the type's number and the bytes (a text in
// UTF-16 little-endian with its terminating NUL, a REG_QWORD in 8 little-endian bytes).
struct SettingsRawValue {
  std::uint32_t type = kRegNone;
  std::vector<std::uint8_t> bytes;

  friend bool operator==(const SettingsRawValue&, const SettingsRawValue&) = default;
};

struct SettingsValueInfo {
  SettingsType type;
  std::size_t size; // bytes: 4 for an integer, a string's UTF-16 length with its terminator
};

class SettingsStore {
public:
  // The store of hive, shared by every caller in this process while one holds it. Opening touches
  // nothing: a read of a missing database finds nothing, the first write creates it.
  static std::shared_ptr<SettingsStore> Open(SettingsHive hive);

  virtual ~SettingsStore() = default;

  // True when this process may write the hive (its database or registry root is writable).
  virtual bool Writable() = 0;

  virtual bool KeyExists(const std::string& path) = 0;
  // Creates the key and every missing parent.
  virtual void CreateKey(const std::string& path) = 0;
  // Deletes the key with its whole subtree; false when it did not exist. The root is refused.
  virtual bool DeleteKey(const std::string& path) = 0;
  // Names of the key's subkeys in ascending folded order; empty for a missing key.
  virtual std::vector<std::string> KeyNames(const std::string& path) = 0;

  // Names of the key's values in creation order (an overwrite keeps the place); empty for a
  // missing key. The unnamed value is "".
  virtual std::vector<std::string> ValueNames(const std::string& path) = 0;
  // Type and size of the value, nullopt when the key or the value is missing.
  virtual std::optional<SettingsValueInfo> Describe(const std::string& path,
                                                    const std::string& name) = 0;
  virtual bool DeleteValue(const std::string& path, const std::string& name) = 0;

  virtual std::int32_t ReadInteger(const std::string& path, const std::string& name) = 0;
  virtual std::string ReadString(const std::string& path, const std::string& name) = 0;
  virtual std::vector<std::uint8_t> ReadBinary(const std::string& path,
                                               const std::string& name) = 0;

  // Each write creates the key with its missing parents and replaces a value of any type.
  virtual void WriteInteger(const std::string& path, const std::string& name,
                            std::int32_t value) = 0;
  virtual void WriteString(const std::string& path, const std::string& name,
                           const std::string& value) = 0;
  virtual void WriteBinary(const std::string& path, const std::string& name,
                           const std::vector<std::uint8_t>& bytes) = 0;

  // A value of type Other; a value of the typed ones is refused as a read of another type.
  virtual SettingsRawValue ReadRaw(const std::string& path, const std::string& name) = 0;
  // Writes a value of any type but REG_SZ, REG_BINARY and REG_DWORD, which the typed writes
  // take (refused with std::errc::invalid_argument).
  virtual void WriteRaw(const std::string& path, const std::string& name,
                        const SettingsRawValue& value) = 0;

  // Transactions nest; the outermost one is a write transaction that another process or a killed
  // process never sees half done. Prefer SettingsTransaction.
  virtual void BeginTransaction() = 0;
  virtual void CommitTransaction() = 0;
  // Never fails: a rollback that the database refuses leaves the transaction to be undone when
  // the connection closes.
  virtual void RollbackTransaction() noexcept = 0;
};

// One compound operation as one transaction: committed by Commit, rolled back when left without.
class SettingsTransaction {
public:
  explicit SettingsTransaction(SettingsStore& store) : store_(store) { store_.BeginTransaction(); }
  SettingsTransaction(const SettingsTransaction&) = delete;
  SettingsTransaction& operator=(const SettingsTransaction&) = delete;
  ~SettingsTransaction() {
    if (!done_)
      store_.RollbackTransaction();
  }
  void Commit() {
    done_ = true;
    store_.CommitTransaction();
  }

private:
  SettingsStore& store_;
  bool done_ = false;
};

// The path from the root that path names, without its leading "\"; nullopt when a name in it is
// empty. The one rule of key paths, for the stores and for whoever checks a path before use.
std::optional<std::string> SettingsKeyPath(std::string_view path);

// "REG_DWORD", "REG_SZ", "REG_BINARY", or "another type" for Other.
const char* SettingsTypeName(SettingsType type);

// The registry's name of a type number, as reg.exe prints it ("REG_EXPAND_SZ"); "REG_UNKNOWN" for
// a number it has no name for.
std::string RegistryTypeName(std::uint32_t type);

// The failure of a read of name in key path whose stored value is not of type wanted.
std::system_error WrongSettingsType(const std::string& path, const std::string& name,
                                    SettingsValueInfo stored, SettingsType wanted,
                                    std::optional<std::size_t> wantedSize = {});

} // namespace kiv::platform
