#pragma once

// The text format of the Windows registry editor ("Windows Registry Editor Version 5.00", and
// "REGEDIT4" on reading), as kivreg exports and imports it, blanks around a line ignored: sections
// "[KEY]" (or "[-KEY]" to delete one) with lines "name"="text", "name"=dword:0000012c,
// "name"=hex:01,02 (continued over lines ending in "\"),
// "name"=hex(N):... for a value of any other type (hex(2) REG_EXPAND_SZ, hex(7) REG_MULTI_SZ,
// hex(b) REG_QWORD, hex(0) REG_NONE...), @ for the unnamed value and =- to delete a value. A text
// that a quoted line cannot hold (a line break, a NUL) is written as its UTF-16 bytes,
// "name"=hex(1):61,00,0a,00,00,00.

#include "platform/SettingsStore.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

// A malformed registry file or text.
class RegFileError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

struct RegFileValue {
  std::string name; // "" for the unnamed value
  bool remove = false;
  platform::SettingsType type = platform::SettingsType::String;
  std::string text;                // REG_SZ
  std::uint32_t number = 0;        // REG_DWORD
  std::vector<std::uint8_t> bytes; // REG_BINARY, and any other type's bytes
  std::uint32_t registryType = 0;  // the number of the other type (REG_QWORD 11...)

  friend bool operator==(const RegFileValue&, const RegFileValue&) = default;
};

struct RegFileKey {
  std::string name; // with its hive: HKEY_CURRENT_USER\Software\Survey
  bool remove = false;
  std::vector<RegFileValue> values;

  friend bool operator==(const RegFileKey&, const RegFileKey&) = default;
};

// The file's text (UTF-8, CR LF lines) for keys in their order.
std::string RegFileText(const std::vector<RegFileKey>& keys);

// The keys of text; throws RegFileError naming the line for anything it cannot read.
std::vector<RegFileKey> ParseRegFile(std::string_view text);

// The text of a registry value's bytes, UTF-16 little-endian, its terminating NUL dropped. Throws
// RegFileError for bytes that are not UTF-16.
std::string TextOfRegistryBytes(const std::vector<std::uint8_t>& bytes);

// UTF-8 text as the registry holds a text: UTF-16 little-endian with its terminating NUL.
std::vector<std::uint8_t> RegistryBytesOfText(std::string_view text);

// UTF-8 text as UTF-16 little-endian bytes with the byte-order mark, as the registry editor
// writes its files.
std::string Utf16FileBytes(std::string_view text);

// The text of a file's bytes: UTF-16 little-endian when they start with its byte-order mark,
// else UTF-8 (a byte-order mark dropped). Throws RegFileError for bytes of neither.
std::string TextOfFileBytes(std::string_view bytes);

} // namespace kiv
