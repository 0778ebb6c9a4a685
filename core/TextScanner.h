#pragma once

#include "platform/InputFile.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace kiv {

// Reads a text file front to back through one reused buffer: whole physical lines, and numbers
// as words separated by characters of code 32 or less. Line ends are LF or CR LF. At the end of
// the file a missing number reads as 0 and a missing line as empty.
class TextScanner {
public:
  // Opens path. Throws std::system_error when it cannot be opened.
  explicit TextScanner(const std::string& path);

  // The rest of the current physical line without its line end; moves to the next line.
  std::string ReadLine();

  // The rest of the current physical line with blanks and control characters removed at both
  // ends; moves to the next line.
  std::string ReadTrimmedRestOfLine();

  // Moves to the start of the next physical line.
  void SkipLine();

  // The next word as a number, after blanks, control characters and line ends. Throws
  // InvalidNumericInput when the word is not a number of that kind, and std::overflow_error for
  // a real too large for single precision.
  double ReadReal();
  float ReadSingle();
  std::int32_t ReadInteger();

  // Bytes of the file not yet consumed; 0 when the size is unknown.
  std::uint64_t RemainingBytes() const;

private:
  // Makes at least minimum bytes from the current position available unless the file ends first.
  // Returns the number available.
  size_t Available(size_t minimum);
  // The next word after blanks, control characters and line ends, moved past; empty at the end
  // of the file. Throws InvalidNumericInput when it is longer than maxLength.
  std::string_view NextWord(size_t maxLength);

  platform::InputFile file_;
  std::unique_ptr<char[]> buffer_;
  size_t position_ = 0;
  size_t end_ = 0;
  std::uint64_t bufferStartOffset_ = 0;
  bool fileEnded_ = false;
};

} // namespace kiv
