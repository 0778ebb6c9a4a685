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

  // True when nothing is left to read.
  bool AtEnd() { return Available(1) == 0; }

  // Bytes of the file not yet consumed; 0 when the size is unknown.
  std::uint64_t RemainingBytes() const;

  // What a reader allocates for the file's content is claimed here first, so that no file makes
  // it allocate memory out of proportion to its size: in all, a file may claim
  // kClaimPerFileByte bytes per byte of its size plus kClaimSlack. Real content needs far less
  // (a line of two short numbers fills a layer record of a few hundred bytes); the slack lets a
  // file that merely ends early read its missing numbers as zero. Returns false, claiming
  // nothing, when count items of bytesEach bytes would exceed what is left.
  bool Claim(std::uint64_t count, std::uint64_t bytesEach);
  static constexpr std::uint64_t kClaimPerFileByte = 64;
  static constexpr std::uint64_t kClaimSlack = 16 * 1024 * 1024;

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
  std::uint64_t claimable_;
};

} // namespace kiv
