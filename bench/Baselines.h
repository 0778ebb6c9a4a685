#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The plain ways of reading and writing columns of numbers that the model-file reader and writer
// are measured against. Each goes through the same file services as the model-file library, with
// the reader's buffer size, so that a ratio compares the text work and not the input and output.
namespace kiv::bench {

// A buffer kept across runs: allocating a fresh one each time costs page faults that would be
// measured with it.
using ReuseBuffer = std::vector<char>;

// Reads the file through buffer and nothing else; returns the bytes read.
std::uint64_t ReadOnly(const std::string& path, ReuseBuffer& buffer);

// Splits the file into words at bytes of code 32 or less and converts every word with
// std::from_chars as a double; returns the sum of the words that are numbers.
double TokenizeWithFromChars(const std::string& path, ReuseBuffer& buffer);

// Reads the file with std::istream >> double, stepping over words that are not numbers; returns
// the sum of the numbers. The stream reads through buffer from the same file service as the
// others, in the classic locale: what it adds is operator>>'s own work per word.
double ReadWithIstream(const std::string& path, ReuseBuffer& buffer);

// A written model file as columns: each line's numbers in order, with their kinds.
struct NumberTable {
  enum Kind : std::uint8_t { Real, Integer, Blank };
  std::vector<double> columns;
  std::vector<Kind> kinds;
  std::vector<std::uint32_t> columnsPerLine;
};

// The columns of a file written in 12-character columns: lines made of whole columns are cut
// into columns, other lines into words, of which the numbers count. A number without "." or
// exponent is an integer.
NumberTable ReadNumberTable(const std::string& path);

// Writes the table as 12-character right-aligned columns, each real in scientific notation with
// 4 decimals, each integer in decimal, a blank column as blanks, lines ending in CR LF, through
// buffer, to a file replaced at path once complete. Returns the bytes written.
std::uint64_t WriteWithToChars(const NumberTable& table, const std::string& path,
                               std::string& buffer);
// The same with snprintf("%12.4e") and snprintf("%12lld").
std::uint64_t WriteWithSnprintf(const NumberTable& table, const std::string& path,
                                std::string& buffer);

// Writes bytes to a file replaced at path once complete: the output floor of a save.
void WriteBytes(const std::string& path, const std::string& bytes);

// The file's bytes.
std::string ReadWholeFile(const std::string& path);

} // namespace kiv::bench
