#pragma once

// What every implementation of the settings store shares: the checks and failures of its
// contract, so that both systems report them in the same words.

#include "platform/SettingsStore.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kiv::platform::store {

// The path from the root that path names (SettingsKeyPath); throws std::system_error
// (invalid_argument) for an empty name.
std::string KeyPath(const std::string& path);

// The names of path (KeyPath); the root has none.
std::vector<std::string> KeyNamesOf(const std::string& path);

// The number of UTF-16 code units of UTF-8 text.
std::size_t Utf16Length(std::string_view text);

// The failure of a read of a value that does not exist.
std::system_error MissingValue(const std::string& path, const std::string& name);

// The failure of WriteRaw for a type that the typed writes take.
std::system_error TypedRawWrite(const std::string& path, const std::string& name,
                                std::uint32_t type);

// The failure of deleting the root.
std::system_error RootRefused();

} // namespace kiv::platform::store
