#pragma once

// TRegistry: the registry accessor of the framework over the settings store, with the operations
// and the current-key model of the Windows registry class that the settings code speaks to. Keys
// are paths of names separated by "\"; a path beginning with "\" starts at the root, any other at
// the current key. A path with an empty name cannot be opened, created, tested or deleted.
// Failures of the store pass as its std::system_error (a read of a missing value or of another
// type or size among them).

#include "platform/SettingsStore.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kiv {

enum class TRootKey { CurrentUser, LocalMachine };
inline constexpr TRootKey HKEY_CURRENT_USER = TRootKey::CurrentUser;
inline constexpr TRootKey HKEY_LOCAL_MACHINE = TRootKey::LocalMachine;

// The type of a stored value as the registry class reports it.
enum TRegDataType { rdUnknown, rdString, rdInteger, rdBinary };

class TRegistry {
public:
  // An accessor on HKEY_CURRENT_USER with no key open.
  TRegistry();
  explicit TRegistry(TRootKey iRootKey);
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;
  ~TRegistry();

  TRootKey RootKey() const { return FRootKey; }
  // Closes the current key and moves to another hive.
  void SetRootKey(TRootKey iRootKey);
  // Path of the open key from the root, without leading "\"; empty when none is open.
  const std::string& CurrentPath() const { return FCurrentPath; }

  // Opens the key with full access, creating it with its parents when iCanCreate; false when it
  // is missing (and not created), its path has an empty name, or the hive refuses writing.
  bool OpenKey(const std::string& iKey, bool iCanCreate);
  // Opens an existing key for reading only.
  bool OpenKeyReadOnly(const std::string& iKey);
  // Creates the key with its parents without opening it; false for a path with an empty name.
  bool CreateKey(const std::string& iKey);
  void CloseKey();

  bool KeyExists(const std::string& iKey);
  // Deletes the key with its whole subtree; false when it did not exist.
  bool DeleteKey(const std::string& iKey);
  // Subkey names of the current key.
  std::vector<std::string> GetKeyNames();

  // The rest work on the current key (the root when none is open).
  bool ValueExists(const std::string& iName);
  bool DeleteValue(const std::string& iName);
  // Value names in creation order.
  std::vector<std::string> GetValueNames();
  // The value's size in bytes, -1 when it does not exist.
  int GetDataSize(const std::string& iName);
  // rdUnknown when the value does not exist or is of a type other than the three.
  TRegDataType GetDataType(const std::string& iName);

  std::int32_t ReadInteger(const std::string& iName);
  std::string ReadString(const std::string& iName);
  // An integer value; any other than 0 is true.
  bool ReadBool(const std::string& iName);
  // An 8-byte binary value holding an IEEE double.
  double ReadFloat(const std::string& iName);
  std::vector<std::uint8_t> ReadBinaryData(const std::string& iName);

  void WriteInteger(const std::string& iName, std::int32_t iValue);
  void WriteString(const std::string& iName, const std::string& iValue);
  void WriteBool(const std::string& iName, bool iValue);
  void WriteFloat(const std::string& iName, double iValue);
  void WriteBinaryData(const std::string& iName, const std::vector<std::uint8_t>& iValue);

  // The store of this accessor's hive, for a transaction around a compound operation:
  // platform::SettingsTransaction transaction(registry.Store()); ...; transaction.Commit();
  platform::SettingsStore& Store() { return *FStore; }

private:
  // The absolute path of iKey, or false when it has an empty name.
  bool Resolve(const std::string& iKey, std::string& oPath) const;
  bool OpenResolved(const std::string& iKey, bool iCanCreate, bool iWrite);

  TRootKey FRootKey;
  std::shared_ptr<platform::SettingsStore> FStore;
  std::string FCurrentPath;
  bool FKeyOpen = false;
};

} // namespace kiv
