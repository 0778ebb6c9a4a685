#pragma once

// The form settings registry's access to the settings store: hives and key paths.

#include "framework/base/Registry.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kiv::formregistry {

// A fresh accessor on the current user's hive or on the machine's.
std::unique_ptr<TRegistry> NewRegistry(bool machine);

// The path from the hive's root that a caller's key path names (one leading "\" changes nothing),
// or nullopt when it names the root or has an empty name ("a\\b", "a\", "\\a"): such a path
// could address a parent key, so it is never opened or deleted.
std::optional<std::string> KeyBelowRoot(std::string_view path);

// The path from the hive's root whatever key is open.
std::string FromRoot(const std::string& path);

// Closes the accessor's open key when it goes, on success or failure.
class KeyCloser {
public:
  explicit KeyCloser(TRegistry& registry) : FRegistry(registry) {}
  ~KeyCloser() { FRegistry.CloseKey(); }
  KeyCloser(const KeyCloser&) = delete;
  KeyCloser& operator=(const KeyCloser&) = delete;

private:
  TRegistry& FRegistry;
};

// The value of the open key read as that type, or none when the value is missing or holds
// another type or size.
std::optional<int> TryReadInteger(TRegistry& registry, const std::string& name);
std::optional<std::string> TryReadString(TRegistry& registry, const std::string& name);
std::optional<double> TryReadFloat(TRegistry& registry, const std::string& name);
std::optional<bool> TryReadBool(TRegistry& registry, const std::string& name);
// A one-byte binary value.
std::optional<std::uint8_t> TryReadByte(TRegistry& registry, const std::string& name);
void WriteByte(TRegistry& registry, const std::string& name, std::uint8_t value);

// Deletes path with its subtree when it exists and KeyBelowRoot takes it; true when it existed.
bool DeleteTree(TRegistry& registry, const std::string& path);

} // namespace kiv::formregistry
