#include "tools/kivreg/RegCommands.h"

#include "core/TextFile.h"
#include "platform/AsciiText.h"
#include "platform/FileSystem.h"
#include "platform/ReplacingFile.h"
#include "platform/SettingsStore.h"
#include "tools/kivreg/RegFileText.h"

#include <charconv>
#include <map>
#include <memory>
#include <optional>
#include <string_view>

namespace kiv {

namespace {

using platform::SettingsHive;
using platform::SettingsStore;
using platform::SettingsType;

const std::string kNotFound = "The system was unable to find the specified registry key or value.";
const std::string kDone = "The operation completed successfully.\n";
// The largest file that import reads: far beyond any export of settings, and a bound for an
// endless input (a device, a pipe).
constexpr std::size_t kLargestImport = std::size_t{64} << 20;

// A key as the command names it: its hive and its path in the hive.
struct HiveKey {
  SettingsHive hive;
  std::string path;
  std::string name; // the long hive name, "\" and the path
};

HiveKey SplitKey(const std::string& key) {
  const std::size_t separator = std::min(key.find('\\'), key.size());
  const std::string root = platform::AsciiUpperCase(key.substr(0, separator));
  std::string path = separator < key.size() ? key.substr(separator + 1) : "";
  if (!path.empty() && path.back() == '\\')
    path.pop_back();
  HiveKey result{SettingsHive::CurrentUser, path, ""};
  if (root == "HKCU" || root == "HKEY_CURRENT_USER") {
    result.name = "HKEY_CURRENT_USER";
  } else if (root == "HKLM" || root == "HKEY_LOCAL_MACHINE") {
    result.hive = SettingsHive::LocalMachine;
    result.name = "HKEY_LOCAL_MACHINE";
  } else {
    throw RegCommandError("Invalid key name \"" + key +
                          "\": it begins with HKCU, HKLM, HKEY_CURRENT_USER or "
                          "HKEY_LOCAL_MACHINE.");
  }
  if (!path.empty())
    result.name += "\\" + path;
  return result;
}

// The switches of one command line; a switch is written with "/" or "-" in any case.
struct Switches {
  std::vector<std::string> positional;
  std::optional<std::string> valueName; // /v NAME, or "" for /ve
  std::optional<std::string> type;      // /t
  std::optional<std::string> data;      // /d
  std::optional<std::string> separator; // /s, of REG_MULTI_SZ's texts
  bool force = false;                   // /f, /y
};

Switches ParseSwitches(const std::vector<std::string>& arguments, std::size_t positionalCount,
                       const std::string& allowed) {
  Switches switches;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    // On Linux a path begins with "/" too: a word is a switch only when it is one of kivreg's.
    const std::string name =
        argument.size() > 1 ? platform::AsciiUpperCase(argument.substr(1)) : "";
    const bool isSwitch =
        (argument[0] == '/' || argument[0] == '-') &&
        std::string_view(" V VE T D S F Y ").find(" " + name + " ") != std::string_view::npos;
    if (!isSwitch) {
      switches.positional.push_back(argument);
      continue;
    }
    const bool takesValue = name == "V" || name == "T" || name == "D" || name == "S";
    if (allowed.find(" " + name + " ") == std::string::npos ||
        (takesValue && i + 1 >= arguments.size()))
      throw RegCommandError("Invalid syntax: " + argument + ".");
    if (name == "V" || name == "VE") {
      if (switches.valueName)
        throw RegCommandError("Invalid syntax: /v and /ve name one value.");
      switches.valueName = name == "VE" ? std::string() : arguments[++i];
    } else if (name == "T") {
      switches.type = platform::AsciiUpperCase(arguments[++i]);
    } else if (name == "D") {
      switches.data = arguments[++i];
    } else if (name == "S") {
      switches.separator = arguments[++i];
      if (switches.separator->size() != 1)
        throw RegCommandError("Invalid syntax: /s takes one character.");
    } else {
      switches.force = true;
    }
  }
  if (switches.positional.size() != positionalCount)
    throw RegCommandError("Invalid syntax: " + std::to_string(positionalCount) +
                          (positionalCount == 1 ? " key or file" : " names") + " expected.");
  return switches;
}

// The data of a value of another type as reg.exe prints it: a REG_EXPAND_SZ as its text, a
// REG_MULTI_SZ as its texts with "\0" between them, a REG_QWORD as a 0x hexadecimal number, any
// other (and a text that is not UTF-16) as its bytes in hexadecimal.
std::string OtherData(const platform::SettingsRawValue& raw) {
  if (raw.type == platform::kRegQword && raw.bytes.size() == 8) {
    std::uint64_t number = 0;
    for (std::size_t i = 8; i-- > 0;)
      number = (number << 8) | raw.bytes[i];
    char digits[24];
    return "0x" + std::string(digits, std::to_chars(digits, digits + 24, number, 16).ptr);
  }
  if (raw.type == platform::kRegExpandSz || raw.type == platform::kRegMultiSz) {
    try {
      std::string text = TextOfRegistryBytes(raw.bytes);
      if (raw.type == platform::kRegExpandSz)
        return text;
      if (text.ends_with('\0'))
        text.pop_back();
      std::string joined;
      for (const char c : text)
        joined += c == '\0' ? std::string("\\0") : std::string(1, c);
      return joined;
    } catch (const RegFileError&) {
    }
  }
  return platform::HexBytes(raw.bytes, platform::HexCase::Upper);
}

std::string ValueLine(SettingsStore& store, const std::string& path, const std::string& name) {
  const auto info = store.Describe(path, name);
  if (!info)
    throw RegCommandError(kNotFound);
  std::string data;
  switch (info->type) {
  case SettingsType::Integer: {
    char digits[16];
    const auto number = static_cast<std::uint32_t>(store.ReadInteger(path, name));
    data = "0x" + std::string(digits, std::to_chars(digits, digits + 16, number, 16).ptr);
    break;
  }
  case SettingsType::String:
    data = store.ReadString(path, name);
    break;
  case SettingsType::Binary:
    data = platform::HexBytes(store.ReadBinary(path, name), platform::HexCase::Upper);
    break;
  case SettingsType::Other: {
    const platform::SettingsRawValue raw = store.ReadRaw(path, name);
    return "    " + (name.empty() ? std::string("(Default)") : name) + "    " +
           platform::RegistryTypeName(raw.type) + "    " + OtherData(raw) + "\n";
  }
  }
  return "    " + (name.empty() ? std::string("(Default)") : name) + "    " +
         platform::SettingsTypeName(info->type) + "    " + data + "\n";
}

// The value's name as it was written, for one named in any case.
std::string StoredName(SettingsStore& store, const std::string& path, const std::string& name) {
  for (const std::string& stored : store.ValueNames(path))
    if (platform::AsciiUpperCase(stored) == platform::AsciiUpperCase(name))
      return stored;
  throw RegCommandError(kNotFound);
}

std::shared_ptr<SettingsStore> StoreWithKey(const HiveKey& key) {
  auto store = SettingsStore::Open(key.hive);
  if (!store->KeyExists(key.path))
    throw RegCommandError(kNotFound);
  return store;
}

// The bytes of a REG_MULTI_SZ of data's texts between separators: each text with its NUL, and one
// more NUL at the end (no text is that NUL alone).
std::vector<std::uint8_t> MultiTextBytes(const std::string& data, const std::string& separator) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t start = 0; start < data.size();) {
    const std::size_t end = std::min(data.find(separator, start), data.size());
    const std::vector<std::uint8_t> text = RegistryBytesOfText(data.substr(start, end - start));
    bytes.insert(bytes.end(), text.begin(), text.end());
    start = end + separator.size();
  }
  bytes.insert(bytes.end(), 2, 0);
  return bytes;
}

RegFileValue ValueFromSwitches(const Switches& switches) {
  RegFileValue value;
  value.name = *switches.valueName;
  const std::string type = switches.type.value_or("REG_SZ");
  const std::string data = switches.data.value_or("");
  if (type == "REG_SZ") {
    value.text = data;
  } else if (type == "REG_DWORD") {
    value.type = SettingsType::Integer;
    const bool hex = data.starts_with("0x") || data.starts_with("0X");
    const char* first = data.data() + (hex ? 2 : 0);
    const auto [stop, error] =
        std::from_chars(first, data.data() + data.size(), value.number, hex ? 16 : 10);
    if (error != std::errc() || stop != data.data() + data.size() || first == stop)
      throw RegCommandError("Invalid data \"" + data +
                            "\" for REG_DWORD: a number from 0 to 4294967295, decimal or 0x "
                            "hexadecimal.");
  } else if (type == "REG_BINARY") {
    value.type = SettingsType::Binary;
    for (std::size_t i = 0; i < data.size(); i += 2) {
      unsigned byte = 0;
      const char* end = data.data() + std::min(i + 2, data.size());
      const auto [stop, error] = std::from_chars(data.data() + i, end, byte, 16);
      if (i + 2 > data.size() || error != std::errc() || stop != end)
        throw RegCommandError("Invalid data \"" + data +
                              "\" for REG_BINARY: pairs of hexadecimal digits.");
      value.bytes.push_back(static_cast<std::uint8_t>(byte));
    }
  } else if (type == "REG_EXPAND_SZ" || type == "REG_NONE") {
    // reg.exe takes the data of REG_NONE as a text too.
    value.type = SettingsType::Other;
    value.registryType = type == "REG_NONE" ? platform::kRegNone : platform::kRegExpandSz;
    if (type == "REG_EXPAND_SZ" || switches.data)
      value.bytes = RegistryBytesOfText(data);
  } else if (type == "REG_MULTI_SZ") {
    value.type = SettingsType::Other;
    value.registryType = platform::kRegMultiSz;
    value.bytes = MultiTextBytes(data, switches.separator.value_or("\\0"));
  } else if (type == "REG_QWORD") {
    value.type = SettingsType::Other;
    value.registryType = platform::kRegQword;
    std::uint64_t number = 0;
    const bool hex = data.starts_with("0x") || data.starts_with("0X");
    const char* first = data.data() + (hex ? 2 : 0);
    const auto [stop, error] =
        std::from_chars(first, data.data() + data.size(), number, hex ? 16 : 10);
    if (error != std::errc() || stop != data.data() + data.size() || first == stop)
      throw RegCommandError("Invalid data \"" + data +
                            "\" for REG_QWORD: a number from 0 to 18446744073709551615, decimal "
                            "or 0x hexadecimal.");
    for (int i = 0; i < 8; ++i)
      value.bytes.push_back(static_cast<std::uint8_t>(number >> (8 * i)));
  } else {
    throw RegCommandError("Invalid type \"" + type +
                          "\": the store holds REG_SZ, REG_MULTI_SZ, REG_EXPAND_SZ, REG_DWORD, "
                          "REG_QWORD, REG_BINARY and REG_NONE.");
  }
  if (switches.separator && type != "REG_MULTI_SZ")
    throw RegCommandError("Invalid syntax: /s is for REG_MULTI_SZ.");
  return value;
}

void Write(SettingsStore& store, const std::string& path, const RegFileValue& value) {
  switch (value.type) {
  case SettingsType::String:
    store.WriteString(path, value.name, value.text);
    break;
  case SettingsType::Integer:
    store.WriteInteger(path, value.name, static_cast<std::int32_t>(value.number));
    break;
  case SettingsType::Binary:
    store.WriteBinary(path, value.name, value.bytes);
    break;
  case SettingsType::Other:
    store.WriteRaw(path, value.name, {value.registryType, value.bytes});
    break;
  }
}

// The sections of key and its subtree, depth first in the store's order of subkeys.
void Sections(SettingsStore& store, const std::string& path, const std::string& name,
              std::vector<RegFileKey>& keys) {
  RegFileKey key;
  key.name = name;
  for (const std::string& valueName : store.ValueNames(path)) {
    RegFileValue value;
    value.name = valueName;
    value.type = store.Describe(path, valueName)->type;
    switch (value.type) {
    case SettingsType::String:
      value.text = store.ReadString(path, valueName);
      break;
    case SettingsType::Integer:
      value.number = static_cast<std::uint32_t>(store.ReadInteger(path, valueName));
      break;
    case SettingsType::Binary:
      value.bytes = store.ReadBinary(path, valueName);
      break;
    case SettingsType::Other: {
      platform::SettingsRawValue raw = store.ReadRaw(path, valueName);
      value.registryType = raw.type;
      value.bytes = std::move(raw.bytes);
      break;
    }
    }
    key.values.push_back(std::move(value));
  }
  keys.push_back(std::move(key));
  for (const std::string& subkey : store.KeyNames(path))
    Sections(store, path.empty() ? subkey : path + "\\" + subkey, name + "\\" + subkey, keys);
}

} // namespace

std::string RegQuery(const std::vector<std::string>& arguments) {
  const Switches switches = ParseSwitches(arguments, 1, " V VE ");
  const HiveKey key = SplitKey(switches.positional[0]);
  const auto store = StoreWithKey(key);
  std::string output = "\n" + key.name + "\n";
  if (switches.valueName)
    return output + ValueLine(*store, key.path, StoredName(*store, key.path, *switches.valueName)) +
           "\n";
  for (const std::string& name : store->ValueNames(key.path))
    output += ValueLine(*store, key.path, name);
  output += "\n";
  for (const std::string& subkey : store->KeyNames(key.path))
    output += key.name + "\\" + subkey + "\n";
  return output;
}

std::string RegAdd(const std::vector<std::string>& arguments) {
  const Switches switches = ParseSwitches(arguments, 1, " V VE T D S F ");
  const HiveKey key = SplitKey(switches.positional[0]);
  auto store = SettingsStore::Open(key.hive);
  platform::SettingsTransaction transaction(*store);
  store->CreateKey(key.path);
  if (switches.valueName) {
    const RegFileValue value = ValueFromSwitches(switches);
    if (!switches.force && store->Describe(key.path, value.name))
      throw RegCommandError("The value \"" + value.name + "\" exists; add /f to overwrite it.");
    Write(*store, key.path, value);
  } else if (switches.type || switches.data || switches.separator) {
    throw RegCommandError("Invalid syntax: /t, /d and /s need /v or /ve.");
  }
  transaction.Commit();
  return kDone;
}

std::string RegDelete(const std::vector<std::string>& arguments) {
  const Switches switches = ParseSwitches(arguments, 1, " V VE F ");
  const HiveKey key = SplitKey(switches.positional[0]);
  if (!switches.force)
    throw RegCommandError("Add /f to delete without a question; kivreg asks none.");
  auto store = SettingsStore::Open(key.hive);
  if (switches.valueName) {
    if (!store->DeleteValue(key.path, *switches.valueName))
      throw RegCommandError(kNotFound);
  } else if (key.path.empty()) {
    throw RegCommandError("Invalid key name \"" + switches.positional[0] +
                          "\": a hive cannot be deleted.");
  } else if (!store->DeleteKey(key.path)) {
    throw RegCommandError(kNotFound);
  }
  return kDone;
}

std::string RegExport(const std::vector<std::string>& arguments) {
  const Switches switches = ParseSwitches(arguments, 2, " Y ");
  const HiveKey key = SplitKey(switches.positional[0]);
  const std::string& file = switches.positional[1];
  const auto store = StoreWithKey(key);
  std::vector<RegFileKey> keys;
  Sections(*store, key.path, key.name, keys);
  if (!switches.force && platform::RegularFileExists(file))
    throw RegCommandError("The file \"" + file + "\" exists; add /y to overwrite it.");
  platform::ReplacingFile target(file);
  target.Write(Utf16FileBytes(RegFileText(keys)));
  target.Commit();
  return kDone;
}

std::string RegImport(const std::vector<std::string>& arguments) {
  const Switches switches = ParseSwitches(arguments, 1, " ");
  const std::string& file = switches.positional[0];
  const std::optional<std::string> bytes = ReadFileUpTo(file, kLargestImport);
  if (!bytes)
    throw RegCommandError("The file \"" + file + "\" is not a registry file: it is larger than " +
                          std::to_string(kLargestImport >> 20) + " MiB.");
  std::vector<RegFileKey> keys;
  try {
    keys = ParseRegFile(TextOfFileBytes(*bytes));
  } catch (const RegFileError& e) {
    throw RegCommandError("The file \"" + file + "\" is not a registry file: " + e.what() + ".");
  }
  // Every hive the file names gets one transaction, committed only when every line is written.
  std::map<SettingsHive, std::shared_ptr<SettingsStore>> stores;
  std::vector<std::unique_ptr<platform::SettingsTransaction>> transactions;
  for (const RegFileKey& section : keys) {
    const HiveKey key = SplitKey(section.name);
    auto& store = stores[key.hive];
    if (!store) {
      store = SettingsStore::Open(key.hive);
      transactions.push_back(std::make_unique<platform::SettingsTransaction>(*store));
    }
    if (section.remove) {
      if (!key.path.empty())
        store->DeleteKey(key.path);
      continue;
    }
    store->CreateKey(key.path);
    for (const RegFileValue& value : section.values) {
      if (value.remove)
        store->DeleteValue(key.path, value.name);
      else
        Write(*store, key.path, value);
    }
  }
  for (const auto& transaction : transactions)
    transaction->Commit();
  return kDone;
}

} // namespace kiv
