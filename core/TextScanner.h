#pragma once

// A buffered line scanner over a file or bytes in memory, for the model file and INI readers.

#include "platform/InputFile.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kiv {

// Where a TextScanner's bytes come from: a file, which the scanner opens and reads front to back
// through its one reused buffer, or bytes already in memory, which it scans where they lie,
// without a copy (they must outlive the scanner).
class ByteSource {
public:
  static ByteSource File(std::string path) { return ByteSource(std::move(path), {}, false); }
  static ByteSource Memory(std::string_view bytes) { return ByteSource({}, bytes, true); }

private:
  friend class TextScanner;
  ByteSource(std::string path, std::string_view bytes, bool inMemory)
      : path_(std::move(path)), bytes_(bytes), inMemory_(inMemory) {}

  std::string path_;
  std::string_view bytes_;
  bool inMemory_;
};

// Reads text front to back: whole physical lines, and numbers as words separated by characters
// of code 32 or less. Line ends are LF or CR LF. At the end of the text a missing number reads as
// 0 and a missing line as empty.
class TextScanner {
public:
  // Opens a file source. Throws std::system_error when it cannot be opened.
  explicit TextScanner(const ByteSource& source);

  // The rest of the current physical line without its line end; moves to the next line. Throws
  // std::length_error for a line longer than kMaxLineLength, which no text of ours has and which a
  // source without a size (a pipe) could make endless.
  std::string ReadLine();
  static constexpr size_t kMaxLineLength = 16 * 1024 * 1024;

  // The rest of the current physical line with blanks and control characters removed at both
  // ends; moves to the next line.
  std::string ReadTrimmedRestOfLine();

  // Moves to the start of the next physical line.
  void SkipLine();

  // Moves past up to lines physical lines, one after the other, while each lies whole in the
  // bytes at hand, with at least 32 of them from its start, and starts with two plain integers
  // of up to nine digits within its first 16 characters, each after blanks and before a blank or
  // the line end; two calls of ReadInteger and one of SkipLine would read such a line alike.
  // Returns the number of lines passed; at the first other line it stops, and those calls decide.
  // Lets a reader that only checks such lines scan them at memory speed.
  std::int32_t SkipLinesOfTwoIntegers(std::int32_t lines);

  // The next word as a number, after blanks, control characters and line ends. Throws
  // InvalidNumericInput when the word is not a number of that kind, and std::overflow_error for
  // a real too large for single precision.
  double ReadReal();
  float ReadSingle();
  std::int32_t ReadInteger();

  // True when nothing is left to read.
  bool AtEnd() { return Available(1) == 0; }

  // The text from the current position on, as far as the scanner holds it once its buffer is
  // filled (all of it for bytes in memory); nothing is consumed. Valid until the next read.
  std::string_view Ahead();

  // The line of the last byte consumed, from 1: a report's addition after a failed read. The line
  // feeds that have left a file's window were counted as they left, so that the file is never
  // read again (a pipe could not be).
  std::int64_t LineReached() const;

  // Bytes of the text not yet consumed; 0 when the size is unknown.
  std::uint64_t RemainingBytes() const;
  // Bytes of the text consumed so far, counted from its start.
  std::uint64_t BytesConsumed() const { return windowOffset_ + position_; }
  // The size of the text: a file's when it was opened; 0 for a file without one, such as a pipe.
  std::uint64_t Size() const { return size_; }

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
  // Makes at least minimum bytes from the current position available unless the text ends
  // first. Returns the number available.
  size_t Available(size_t minimum);
  // The first position from at on that holds no blank, control character or line end, or the
  // end of the window.
  size_t SeparatorsEnd(size_t at) const;
  // The next word after blanks, control characters and line ends, moved past; empty at the end
  // of the file. Throws InvalidNumericInput when it is longer than maxLength.
  std::string_view NextWord(size_t maxLength);

  std::string path_; // of a file source
  std::optional<platform::InputFile> file_;
  std::unique_ptr<char[]> buffer_; // a file's bytes pass through it
  const char* window_;             // the bytes at hand: the buffer, or all of the memory
  size_t position_ = 0;
  size_t end_ = 0;
  std::uint64_t windowOffset_ = 0;  // where the window starts in the text
  std::uint64_t lineFeedsLeft_ = 0; // in the bytes before the window
  char lastLeft_ = 0;               // the byte just before the window
  std::uint64_t size_ = 0;          // of the text; 0 for a file of unknown size
  bool ended_ = false;              // nothing beyond the window
  std::uint64_t claimable_ = 0;
};

} // namespace kiv
