#pragma once

// Toolkit: the INI file reader (TIniFile).

#include <string>
#include <vector>

namespace kiv {

// Reads an INI file the way the platform's profile functions do, opening it for each call:
// "[section]" lines and "key=value" lines, names compared without regard to ASCII case, blanks
// around names and values dropped, one pair of matching quotes around a value removed, the first
// of equal sections and keys winning. A line starting with ";" is a comment; nothing else is
// (a ";" inside a value is part of it), and no line continues on the next. A file that is missing
// or cannot be read holds nothing.
class TIniFile {
public:
  explicit TIniFile(std::string AFileName) : FFileName(std::move(AFileName)) {}

  const std::string& FileName() const noexcept { return FFileName; }
  std::string ReadString(const std::string& ASection, const std::string& AIdent,
                         const std::string& ADefault) const;
  // The value as a decimal number, or hexadecimal after "$" or "0x"; ADefault when it is missing
  // or not a number of 32 bits.
  int ReadInteger(const std::string& ASection, const std::string& AIdent, int ADefault) const;
  bool ValueExists(const std::string& ASection, const std::string& AIdent) const;
  // The section names in file order, each once.
  std::vector<std::string> ReadSections() const;

private:
  std::string FFileName;
};

} // namespace kiv
