#include "framework/formregistry/RegistryAccess.h"

namespace kiv::formregistry {

namespace {

bool Holds(TRegistry& registry, const std::string& name, TRegDataType type) {
  return registry.GetDataType(name) == type;
}

} // namespace

std::unique_ptr<TRegistry> NewRegistry(bool machine) {
  return std::make_unique<TRegistry>(machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER);
}

std::optional<std::string> KeyBelowRoot(std::string_view path) {
  std::optional<std::string> fromRoot = platform::SettingsKeyPath(path);
  if (fromRoot && fromRoot->empty())
    return std::nullopt;
  return fromRoot;
}

std::string FromRoot(const std::string& path) {
  return "\\" + path;
}

std::optional<int> TryReadInteger(TRegistry& registry, const std::string& name) {
  if (!Holds(registry, name, rdInteger))
    return std::nullopt;
  return registry.ReadInteger(name);
}

std::optional<std::string> TryReadString(TRegistry& registry, const std::string& name) {
  if (!Holds(registry, name, rdString))
    return std::nullopt;
  return registry.ReadString(name);
}

std::optional<double> TryReadFloat(TRegistry& registry, const std::string& name) {
  if (!Holds(registry, name, rdBinary) || registry.GetDataSize(name) != 8)
    return std::nullopt;
  return registry.ReadFloat(name);
}

std::optional<bool> TryReadBool(TRegistry& registry, const std::string& name) {
  if (!Holds(registry, name, rdInteger))
    return std::nullopt;
  return registry.ReadBool(name);
}

std::optional<std::uint8_t> TryReadByte(TRegistry& registry, const std::string& name) {
  if (!Holds(registry, name, rdBinary) || registry.GetDataSize(name) != 1)
    return std::nullopt;
  return registry.ReadBinaryData(name).front();
}

void WriteByte(TRegistry& registry, const std::string& name, std::uint8_t value) {
  registry.WriteBinaryData(name, {value});
}

bool DeleteTree(TRegistry& registry, const std::string& path) {
  const std::optional<std::string> key = KeyBelowRoot(path);
  return key && registry.DeleteKey(FromRoot(*key));
}

} // namespace kiv::formregistry
