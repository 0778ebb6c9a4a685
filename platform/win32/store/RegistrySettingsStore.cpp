// The settings store as the Windows registry itself. The registry has no transactions that every
// Windows (and Wine) offers, so a transaction here only groups the calls.

#include "platform/AsciiText.h"
#include "platform/SettingsStore.h"
#include "platform/store/SettingsPaths.h"
#include "platform/win32/Utf16.h"

#include <algorithm>
#include <windows.h>

namespace kiv::platform {

namespace {

using store::KeyNamesOf;
using store::KeyPath;

[[noreturn]] void ThrowRegistryError(LSTATUS status, const char* call, const std::string& path) {
  const std::error_code error(static_cast<int>(status), std::system_category());
  const std::error_condition portable = error.default_error_condition();
  const std::string what = std::string(call) + " " + path;
  if (portable.category() == std::generic_category())
    throw std::system_error(portable.value(), std::generic_category(), what);
  throw std::system_error(error, what);
}

// An open key, closed with the object; empty when it did not open.
class OpenedKey {
public:
  OpenedKey() = default;
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;
  ~OpenedKey() {
    if (key_ != nullptr)
      RegCloseKey(key_);
  }
  HKEY* Address() { return &key_; }
  HKEY Get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }

private:
  HKEY key_ = nullptr;
};

SettingsType TypeOf(DWORD type) {
  switch (type) {
  case REG_DWORD:
    return SettingsType::Integer;
  case REG_SZ:
    return SettingsType::String;
  case REG_BINARY:
    return SettingsType::Binary;
  default:
    return SettingsType::Other;
  }
}

class RegistrySettingsStore final : public SettingsStore {
public:
  explicit RegistrySettingsStore(HKEY root) : root_(root) {}

  bool Writable() override {
    OpenedKey key;
    return RegOpenKeyExW(root_, L"Software", 0, KEY_WRITE, key.Address()) == ERROR_SUCCESS;
  }

  bool KeyExists(const std::string& path) override {
    KeyNamesOf(path);
    OpenedKey key;
    return Open(path, KEY_READ, key);
  }

  void CreateKey(const std::string& path) override {
    KeyNamesOf(path);
    OpenedKey key;
    Create(path, key);
  }

  bool DeleteKey(const std::string& path) override {
    if (KeyNamesOf(path).empty())
      throw store::RootRefused();
    if (!KeyExists(path))
      return false;
    const LSTATUS status = RegDeleteTreeW(root_, win32::Wide(KeyPath(path)).c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
      ThrowRegistryError(status, "RegDeleteTreeW", path);
    return status == ERROR_SUCCESS;
  }

  std::vector<std::string> KeyNames(const std::string& path) override {
    KeyNamesOf(path);
    std::vector<std::string> names;
    OpenedKey key;
    if (!Open(path, KEY_READ, key))
      return names;
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
      DWORD length = 256;
      const LSTATUS status =
          RegEnumKeyExW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
      if (status == ERROR_NO_MORE_ITEMS)
        break;
      if (status != ERROR_SUCCESS)
        ThrowRegistryError(status, "RegEnumKeyExW", path);
      names.push_back(win32::Utf8(std::wstring_view(name, length)));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
      return AsciiLowerCase(a) < AsciiLowerCase(b);
    });
    return names;
  }

  std::vector<std::string> ValueNames(const std::string& path) override {
    KeyNamesOf(path);
    std::vector<std::string> names;
    OpenedKey key;
    if (!Open(path, KEY_READ, key))
      return names;
    std::wstring name(16384, L'\0');
    for (DWORD index = 0;; ++index) {
      DWORD length = static_cast<DWORD>(name.size());
      const LSTATUS status =
          RegEnumValueW(key.Get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
      if (status == ERROR_NO_MORE_ITEMS)
        break;
      if (status != ERROR_SUCCESS)
        ThrowRegistryError(status, "RegEnumValueW", path);
      names.push_back(win32::Utf8(std::wstring_view(name.data(), length)));
    }
    return names;
  }

  std::optional<SettingsValueInfo> Describe(const std::string& path,
                                            const std::string& name) override {
    KeyNamesOf(path);
    OpenedKey key;
    if (!Open(path, KEY_READ, key))
      return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    const LSTATUS status =
        RegQueryValueExW(key.Get(), win32::Wide(name).c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND)
      return std::nullopt;
    if (status != ERROR_SUCCESS)
      ThrowRegistryError(status, "RegQueryValueExW", path);
    return SettingsValueInfo{TypeOf(type), size};
  }

  bool DeleteValue(const std::string& path, const std::string& name) override {
    KeyNamesOf(path);
    OpenedKey key;
    if (!Open(path, KEY_SET_VALUE, key))
      return false;
    const LSTATUS status = RegDeleteValueW(key.Get(), win32::Wide(name).c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
      ThrowRegistryError(status, "RegDeleteValueW", path);
    return status == ERROR_SUCCESS;
  }

  std::int32_t ReadInteger(const std::string& path, const std::string& name) override {
    const std::string data = Get(path, name, SettingsType::Integer);
    std::int32_t number = 0;
    std::copy_n(data.data(), std::min(data.size(), sizeof number),
                reinterpret_cast<char*>(&number));
    return number;
  }

  std::string ReadString(const std::string& path, const std::string& name) override {
    const std::string data = Get(path, name, SettingsType::String);
    std::wstring text(data.size() / sizeof(wchar_t), L'\0');
    std::copy_n(data.data(), text.size() * sizeof(wchar_t), reinterpret_cast<char*>(text.data()));
    while (!text.empty() && text.back() == L'\0')
      text.pop_back();
    return win32::Utf8(text);
  }

  std::vector<std::uint8_t> ReadBinary(const std::string& path, const std::string& name) override {
    const std::string data = Get(path, name, SettingsType::Binary);
    return {data.begin(), data.end()};
  }

  SettingsRawValue ReadRaw(const std::string& path, const std::string& name) override {
    DWORD type = REG_NONE;
    const std::string data = Get(path, name, SettingsType::Other, &type);
    return {type, {data.begin(), data.end()}};
  }

  void WriteInteger(const std::string& path, const std::string& name, std::int32_t value) override {
    Set(path, name, REG_DWORD, &value, sizeof value);
  }

  void WriteString(const std::string& path, const std::string& name,
                   const std::string& value) override {
    const std::wstring text = win32::WidePath(value, "RegSetValueExW");
    Set(path, name, REG_SZ, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  }

  void WriteBinary(const std::string& path, const std::string& name,
                   const std::vector<std::uint8_t>& bytes) override {
    Set(path, name, REG_BINARY, bytes.data(), bytes.size());
  }

  void WriteRaw(const std::string& path, const std::string& name,
                const SettingsRawValue& value) override {
    if (TypeOf(value.type) != SettingsType::Other)
      throw store::TypedRawWrite(path, name, value.type);
    Set(path, name, value.type, value.bytes.data(), value.bytes.size());
  }

  void BeginTransaction() override {}
  void CommitTransaction() override {}
  void RollbackTransaction() noexcept override {}

private:
  bool Open(const std::string& path, REGSAM access, OpenedKey& key) {
    const LSTATUS status =
        RegOpenKeyExW(root_, win32::Wide(KeyPath(path)).c_str(), 0, access, key.Address());
    if (status == ERROR_FILE_NOT_FOUND)
      return false;
    if (status != ERROR_SUCCESS)
      ThrowRegistryError(status, "RegOpenKeyExW", path);
    return true;
  }

  void Create(const std::string& path, OpenedKey& key) {
    const LSTATUS status = RegCreateKeyExW(root_, win32::Wide(KeyPath(path)).c_str(), 0, nullptr, 0,
                                           KEY_READ | KEY_WRITE, nullptr, key.Address(), nullptr);
    if (status != ERROR_SUCCESS)
      ThrowRegistryError(status, "RegCreateKeyExW", path);
  }

  // The value's bytes; its type number into *type when asked.
  std::string Get(const std::string& path, const std::string& name, SettingsType wanted,
                  DWORD* type = nullptr) {
    const auto info = Describe(path, name);
    if (!info)
      throw store::MissingValue(path, name);
    if (info->type != wanted)
      throw WrongSettingsType(path, name, *info, wanted);
    OpenedKey key;
    Open(path, KEY_READ, key);
    std::string data(info->size, '\0');
    DWORD size = static_cast<DWORD>(data.size());
    const LSTATUS status = RegQueryValueExW(key.Get(), win32::Wide(name).c_str(), nullptr, type,
                                            reinterpret_cast<BYTE*>(data.data()), &size);
    if (status != ERROR_SUCCESS)
      ThrowRegistryError(status, "RegQueryValueExW", path);
    data.resize(size);
    return data;
  }

  void Set(const std::string& path, const std::string& name, DWORD type, const void* data,
           std::size_t size) {
    KeyNamesOf(path);
    OpenedKey key;
    Create(path, key);
    const LSTATUS status = RegSetValueExW(key.Get(), win32::Wide(name).c_str(), 0, type,
                                          static_cast<const BYTE*>(data), static_cast<DWORD>(size));
    if (status != ERROR_SUCCESS)
      ThrowRegistryError(status, "RegSetValueExW", path);
  }

  HKEY root_;
};

} // namespace

std::shared_ptr<SettingsStore> SettingsStore::Open(SettingsHive hive) {
  return std::make_shared<RegistrySettingsStore>(
      hive == SettingsHive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER);
}

} // namespace kiv::platform
