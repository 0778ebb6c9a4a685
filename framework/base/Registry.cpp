#include "framework/base/Registry.h"

#include <cstring>
#include <optional>

namespace kiv {

namespace {

platform::SettingsHive HiveOf(TRootKey iRootKey) {
  return iRootKey == TRootKey::LocalMachine ? platform::SettingsHive::LocalMachine
                                            : platform::SettingsHive::CurrentUser;
}

} // namespace

TRegistry::TRegistry() : TRegistry(HKEY_CURRENT_USER) {}

TRegistry::TRegistry(TRootKey iRootKey)
    : FRootKey(iRootKey), FStore(platform::SettingsStore::Open(HiveOf(iRootKey))) {}

TRegistry::~TRegistry() = default;

void TRegistry::SetRootKey(TRootKey iRootKey) {
  CloseKey();
  if (iRootKey == FRootKey)
    return;
  FStore = platform::SettingsStore::Open(HiveOf(iRootKey));
  FRootKey = iRootKey;
}

bool TRegistry::Resolve(const std::string& iKey, std::string& oPath) const {
  const bool relative = !iKey.starts_with('\\') && FKeyOpen && !FCurrentPath.empty();
  std::optional<std::string> path = platform::SettingsKeyPath(
      !relative ? iKey : (iKey.empty() ? FCurrentPath : FCurrentPath + "\\" + iKey));
  if (!path)
    return false;
  oPath = std::move(*path);
  return true;
}

bool TRegistry::OpenResolved(const std::string& iKey, bool iCanCreate, bool iWrite) {
  std::string path;
  if (!Resolve(iKey, path))
    return false;
  if (iWrite && !FStore->Writable())
    return false;
  if (iCanCreate)
    FStore->CreateKey(path);
  else if (!path.empty() && !FStore->KeyExists(path))
    return false;
  FCurrentPath = std::move(path);
  FKeyOpen = true;
  return true;
}

bool TRegistry::OpenKey(const std::string& iKey, bool iCanCreate) {
  return OpenResolved(iKey, iCanCreate, true);
}

bool TRegistry::OpenKeyReadOnly(const std::string& iKey) {
  return OpenResolved(iKey, false, false);
}

bool TRegistry::CreateKey(const std::string& iKey) {
  std::string path;
  if (!Resolve(iKey, path) || !FStore->Writable())
    return false;
  FStore->CreateKey(path);
  return true;
}

void TRegistry::CloseKey() {
  FCurrentPath.clear();
  FKeyOpen = false;
}

bool TRegistry::KeyExists(const std::string& iKey) {
  std::string path;
  return Resolve(iKey, path) && FStore->KeyExists(path);
}

bool TRegistry::DeleteKey(const std::string& iKey) {
  std::string path;
  if (!Resolve(iKey, path) || path.empty())
    return false;
  return FStore->DeleteKey(path);
}

std::vector<std::string> TRegistry::GetKeyNames() {
  return FStore->KeyNames(FCurrentPath);
}

bool TRegistry::ValueExists(const std::string& iName) {
  return FStore->Describe(FCurrentPath, iName).has_value();
}

bool TRegistry::DeleteValue(const std::string& iName) {
  return FStore->DeleteValue(FCurrentPath, iName);
}

std::vector<std::string> TRegistry::GetValueNames() {
  return FStore->ValueNames(FCurrentPath);
}

int TRegistry::GetDataSize(const std::string& iName) {
  const auto info = FStore->Describe(FCurrentPath, iName);
  return info ? static_cast<int>(info->size) : -1;
}

TRegDataType TRegistry::GetDataType(const std::string& iName) {
  const auto info = FStore->Describe(FCurrentPath, iName);
  if (!info)
    return rdUnknown;
  switch (info->type) {
  case platform::SettingsType::Integer:
    return rdInteger;
  case platform::SettingsType::String:
    return rdString;
  case platform::SettingsType::Binary:
    return rdBinary;
  case platform::SettingsType::Other:
    break;
  }
  return rdUnknown;
}

std::int32_t TRegistry::ReadInteger(const std::string& iName) {
  return FStore->ReadInteger(FCurrentPath, iName);
}

std::string TRegistry::ReadString(const std::string& iName) {
  return FStore->ReadString(FCurrentPath, iName);
}

bool TRegistry::ReadBool(const std::string& iName) {
  return ReadInteger(iName) != 0;
}

double TRegistry::ReadFloat(const std::string& iName) {
  const std::vector<std::uint8_t> bytes = ReadBinaryData(iName);
  if (bytes.size() != sizeof(double))
    throw platform::WrongSettingsType(FCurrentPath, iName,
                                      {platform::SettingsType::Binary, bytes.size()},
                                      platform::SettingsType::Binary, sizeof(double));
  double value = 0;
  std::memcpy(&value, bytes.data(), sizeof value);
  return value;
}

std::vector<std::uint8_t> TRegistry::ReadBinaryData(const std::string& iName) {
  return FStore->ReadBinary(FCurrentPath, iName);
}

void TRegistry::WriteInteger(const std::string& iName, std::int32_t iValue) {
  FStore->WriteInteger(FCurrentPath, iName, iValue);
}

void TRegistry::WriteString(const std::string& iName, const std::string& iValue) {
  FStore->WriteString(FCurrentPath, iName, iValue);
}

void TRegistry::WriteBool(const std::string& iName, bool iValue) {
  WriteInteger(iName, iValue ? 1 : 0);
}

void TRegistry::WriteFloat(const std::string& iName, double iValue) {
  std::vector<std::uint8_t> bytes(sizeof iValue);
  std::memcpy(bytes.data(), &iValue, sizeof iValue);
  WriteBinaryData(iName, bytes);
}

void TRegistry::WriteBinaryData(const std::string& iName, const std::vector<std::uint8_t>& iValue) {
  FStore->WriteBinary(FCurrentPath, iName, iValue);
}

} // namespace kiv
