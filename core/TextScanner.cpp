#include "core/TextScanner.h"

#include "core/ByteClasses.h"
#include "core/NumberParse.h"
#include "platform/AsciiText.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>
#include <string>

namespace kiv {
namespace {

constexpr size_t kBufferSize = 256 * 1024;

// Where the second of two plain integers at the start of the classified bytes ends, as the bit of
// the separator after it; 0 when they do not start that way. Adding a word's first bit to the
// digits carries through its run of digits and stops on the byte after it.
std::uint32_t TwoIntegersEnd(const ByteClasses& classes) {
  std::uint32_t read = 0; // the bytes before the next word
  std::uint32_t after = 0;
  for (int word = 0; word < 2; ++word) {
    const std::uint32_t passed = classes.blanks | read;
    const std::uint32_t first = (passed + 1) & ~passed;
    after = (classes.digits + first) & ~classes.digits;
    // Up to nine digits, which ReadInteger takes as they are, ending inside the classified bytes
    // before a separator.
    if ((first & classes.digits) == 0 || after > first << 9 ||
        (after & (classes.blanks | classes.lineFeeds)) == 0)
      return 0;
    read = after - 1;
  }
  return after;
}

} // namespace

TextScanner::TextScanner(const ByteSource& source) {
  if (source.inMemory_) {
    // An empty view may have no address; the window needs one.
    window_ = source.bytes_.empty() ? "" : source.bytes_.data();
    end_ = source.bytes_.size();
    size_ = end_;
    ended_ = true;
  } else {
    path_ = source.path_;
    file_.emplace(path_);
    buffer_.reset(new char[kBufferSize]);
    window_ = buffer_.get();
    size_ = file_->Size();
  }
  claimable_ = size_ * kClaimPerFileByte + kClaimSlack;
}

size_t TextScanner::Available(size_t minimum) {
  if (end_ - position_ >= minimum || ended_)
    return end_ - position_;
  // Only a file's window is refilled: memory is whole from the start.
  char* buffer = buffer_.get();
  if (position_ > 0) {
    // The bytes leaving the window are counted once, here, for LineReached.
    lineFeedsLeft_ += CountLineFeeds(buffer, buffer + position_);
    lastLeft_ = buffer[position_ - 1];
    std::memmove(buffer, buffer + position_, end_ - position_);
    windowOffset_ += position_;
    end_ -= position_;
    position_ = 0;
  }
  while (end_ < minimum && end_ < kBufferSize) {
    const size_t n = file_->Read(buffer + end_, kBufferSize - end_);
    if (n == 0) {
      ended_ = true;
      break;
    }
    end_ += n;
  }
  return end_ - position_;
}

std::string_view TextScanner::Ahead() {
  // Filling the window moves the bytes at hand to its start.
  const size_t available = Available(kBufferSize);
  return {window_ + position_, available};
}

std::string TextScanner::ReadLine() {
  std::string line;
  while (Available(1) > 0) {
    const char* start = window_ + position_;
    const size_t count = end_ - position_;
    const void* lineFeed = std::memchr(start, '\n', count);
    const size_t length = lineFeed != nullptr
                              ? static_cast<size_t>(static_cast<const char*>(lineFeed) - start)
                              : count;
    // One byte more for the carriage return of a line end.
    if (line.size() + length > kMaxLineLength + 1)
      throw std::length_error("A line is longer than " + std::to_string(kMaxLineLength) + " bytes");
    line.append(start, length);
    if (lineFeed != nullptr) {
      position_ += length + 1;
      break;
    }
    position_ = end_;
  }
  if (!line.empty() && line.back() == '\r')
    line.pop_back();
  return line;
}

std::string TextScanner::ReadTrimmedRestOfLine() {
  return std::string(platform::TrimmedIf(ReadLine(), IsSeparator));
}

void TextScanner::SkipLine() {
  while (Available(1) > 0) {
    const char* start = window_ + position_;
    const void* lineFeed = std::memchr(start, '\n', end_ - position_);
    if (lineFeed != nullptr) {
      position_ += static_cast<size_t>(static_cast<const char*>(lineFeed) - start) + 1;
      return;
    }
    position_ = end_;
  }
}

std::int32_t TextScanner::SkipLinesOfTwoIntegers(std::int32_t lines) {
  // A line's first 16 bytes are classified at once. Lines of a header mostly differ only after
  // their integers, so the classes of the line before, which decide alike, usually spare finding
  // the words again. The line feed is then looked for in the next 16 bytes, and only then further.
  const char* const end = window_ + end_;
  const char* line = window_ + position_;
  ByteClasses known;          // no digits: no integers, which knownEnd says
  std::uint32_t knownEnd = 0; // TwoIntegersEnd of known
  std::int32_t skipped = 0;
  for (; skipped < lines && end - line >= 2 * kClassifiedBytes; ++skipped) {
    const ByteClasses classes = ClassifyBytes(line);
    if (classes != known) {
      known = classes;
      knownEnd = TwoIntegersEnd(classes);
    }
    if (knownEnd == 0)
      break;
    const char* lineFeed = nullptr;
    if (const std::uint32_t feeds = classes.lineFeeds & ~(knownEnd - 1); feeds != 0)
      lineFeed = line + std::countr_zero(feeds);
    else if (const std::uint32_t next = ClassifyBytes(line + kClassifiedBytes).lineFeeds; next != 0)
      lineFeed = line + kClassifiedBytes + std::countr_zero(next);
    else
      lineFeed = static_cast<const char*>(
          std::memchr(line + 2 * kClassifiedBytes, '\n',
                      static_cast<size_t>(end - line) - 2 * kClassifiedBytes));
    if (lineFeed == nullptr)
      break;
    line = lineFeed + 1;
  }
  position_ = static_cast<size_t>(line - window_);
  return skipped;
}

size_t TextScanner::SeparatorsEnd(size_t at) const {
  static_assert(std::endian::native == std::endian::little);
  // Eight characters at once: the top bit of a byte marks one above code 32 (the addition
  // reaches 0x80) or of 128 and more; the first mark is exact, as carries go only upwards, to
  // later characters. Right-aligned columns start with up to eleven blanks, blank ones have twelve.
  while (end_ - at >= 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, window_ + at, sizeof word);
    const std::uint64_t marks = ((word + 0x5F5F5F5F5F5F5F5F) | word) & 0x8080808080808080;
    if (marks != 0)
      return at + static_cast<size_t>(std::countr_zero(marks)) / 8;
    at += 8;
  }
  while (at < end_ && IsSeparator(window_[at]))
    ++at;
  return at;
}

std::string_view TextScanner::NextWord(size_t maxLength) {
  const char* buffer = window_;
  for (;;) {
    position_ = SeparatorsEnd(position_);
    // One byte beyond the longest word tells a word that is too long from one that fits.
    if (end_ - position_ > maxLength || ended_)
      break;
    Available(maxLength + 1);
    buffer = window_;
  }
  const char* start = buffer + position_;
  const size_t limit = std::min(end_ - position_, maxLength + 1);
  size_t length = 0;
  while (length < limit && !IsSeparator(start[length]))
    ++length;
  if (length > maxLength)
    throw InvalidNumericInput();
  position_ += length;
  return std::string_view(start, length);
}

double TextScanner::ReadReal() {
  // Most numbers of a model file have the writer's column form or are short plain decimals, read
  // as they are found, without finding the word's end first; anything else, and a word near the
  // buffer's end, takes the general way.
  const char* buffer = window_;
  const size_t start = SeparatorsEnd(position_);
  if (end_ - start >= kFastRealReach) {
    double value = 0;
    if (const size_t length = ParseFastReal(buffer + start, value); length != 0) {
      position_ = start + length;
      return value;
    }
  }
  position_ = start;
  const std::string_view word = NextWord(kMaxRealWordLength);
  double value = 0;
  if (!word.empty() && !ParseReal(word, value))
    throw InvalidNumericInput();
  return value;
}

float TextScanner::ReadSingle() {
  return NarrowToSingle(ReadReal());
}

std::int32_t TextScanner::ReadInteger() {
  // Counts and neighbour indices are short runs of digits, read as they are found; anything else,
  // and a word near the buffer's end, takes the general way.
  const char* buffer = window_;
  const size_t start = SeparatorsEnd(position_);
  if (end_ - start > 10) {
    const char* p = buffer + start;
    const bool negative = *p == '-';
    p += negative ? 1 : 0;
    std::int32_t value = 0;
    int digits = 0;
    for (; digits < 9 && static_cast<unsigned>(*p - '0') <= 9; ++p, ++digits)
      value = value * 10 + (*p - '0');
    if (digits > 0 && IsSeparator(*p)) {
      position_ = static_cast<size_t>(p - buffer);
      return negative ? -value : value;
    }
  }
  position_ = start;
  const std::string_view word = NextWord(kMaxIntegerWordLength);
  std::int32_t value = 0;
  if (!word.empty() && !ParseInteger(word, value))
    throw InvalidNumericInput();
  return value;
}

bool TextScanner::Claim(std::uint64_t count, std::uint64_t bytesEach) {
  if (bytesEach != 0 && count > claimable_ / bytesEach)
    return false;
  claimable_ -= count * bytesEach;
  return true;
}

std::int64_t TextScanner::LineReached() const {
  const std::uint64_t consumed = BytesConsumed();
  if (consumed == 0)
    return 1;
  // The line feeds before the last byte consumed: a line end consumed belongs to the line it ends.
  const std::uint64_t before = consumed - 1;
  if (before < windowOffset_) // that byte has just left the window
    return static_cast<std::int64_t>(lineFeedsLeft_) - (lastLeft_ == '\n' ? 1 : 0) + 1;
  return static_cast<std::int64_t>(lineFeedsLeft_ +
                                   CountLineFeeds(window_, window_ + (before - windowOffset_))) +
         1;
}

std::uint64_t TextScanner::RemainingBytes() const {
  const std::uint64_t consumed = BytesConsumed();
  return size_ > consumed ? size_ - consumed : 0;
}

} // namespace kiv
