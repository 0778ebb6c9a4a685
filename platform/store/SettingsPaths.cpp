#include "platform/store/SettingsPaths.h"

#include <iterator>

namespace kiv::platform {

const char* SettingsTypeName(SettingsType type) {
  switch (type) {
  case SettingsType::Integer:
    return "REG_DWORD";
  case SettingsType::String:
    return "REG_SZ";
  case SettingsType::Binary:
    return "REG_BINARY";
  case SettingsType::Other:
    break;
  }
  return "another type";
}

std::string RegistryTypeName(std::uint32_t type) {
  static const char* const kNames[] = {"REG_NONE",
                                       "REG_SZ",
                                       "REG_EXPAND_SZ",
                                       "REG_BINARY",
                                       "REG_DWORD",
                                       "REG_DWORD_BIG_ENDIAN",
                                       "REG_LINK",
                                       "REG_MULTI_SZ",
                                       "REG_RESOURCE_LIST",
                                       "REG_FULL_RESOURCE_DESCRIPTOR",
                                       "REG_RESOURCE_REQUIREMENTS_LIST",
                                       "REG_QWORD"};
  return type < std::size(kNames) ? kNames[type] : "REG_UNKNOWN";
}

std::system_error WrongSettingsType(const std::string& path, const std::string& name,
                                    SettingsValueInfo stored, SettingsType wanted,
                                    std::optional<std::size_t> wantedSize) {
  std::string what = "settings value \"" + name + "\" of key \"" + path + "\" is " +
                     SettingsTypeName(stored.type) + " of " + std::to_string(stored.size) +
                     " bytes, not " + SettingsTypeName(wanted);
  if (wantedSize)
    what += " of " + std::to_string(*wantedSize) + " bytes";
  return std::system_error(std::make_error_code(std::errc::invalid_argument), what);
}

std::optional<std::string> SettingsKeyPath(std::string_view path) {
  // Callers of the registry write a path from the root with a leading "\" as often as without.
  if (path.starts_with('\\'))
    path.remove_prefix(1);
  if (!path.empty() &&
      (path.front() == '\\' || path.back() == '\\' || path.find("\\\\") != std::string_view::npos))
    return std::nullopt;
  return std::string(path);
}

} // namespace kiv::platform

namespace kiv::platform::store {

std::string KeyPath(const std::string& path) {
  std::optional<std::string> fromRoot = SettingsKeyPath(path);
  if (!fromRoot)
    throw std::system_error(std::make_error_code(std::errc::invalid_argument),
                            "settings key \"" + path + "\" has an empty name");
  return std::move(*fromRoot);
}

std::vector<std::string> KeyNamesOf(const std::string& path) {
  const std::string fromRoot = KeyPath(path);
  std::vector<std::string> names;
  if (fromRoot.empty())
    return names;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = fromRoot.find('\\', start);
    names.push_back(fromRoot.substr(start, end - start));
    if (end == std::string::npos)
      return names;
    start = end + 1;
  }
}

std::size_t Utf16Length(std::string_view text) {
  std::size_t units = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) != 0x80)
      ++units;
    if (byte >= 0xF0)
      ++units;
  }
  return units;
}

std::system_error MissingValue(const std::string& path, const std::string& name) {
  return std::system_error(std::make_error_code(std::errc::no_such_file_or_directory),
                           "settings value \"" + name + "\" of key \"" + path +
                               "\" does not exist");
}

std::system_error TypedRawWrite(const std::string& path, const std::string& name,
                                std::uint32_t type) {
  return std::system_error(std::make_error_code(std::errc::invalid_argument),
                           "settings value \"" + name + "\" of key \"" + path + "\" is of type " +
                               RegistryTypeName(type) + ", which only its typed write takes");
}

std::system_error RootRefused() {
  return std::system_error(std::make_error_code(std::errc::invalid_argument),
                           "the root of a settings hive cannot be deleted");
}

} // namespace kiv::platform::store
