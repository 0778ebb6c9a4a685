#include "core/ColumnWriter.h"

#include <charconv>

namespace kiv {
namespace {

constexpr size_t kFlushSize = 256 * 1024;

} // namespace

ColumnWriter::ColumnWriter(platform::ReplacingFile& file, size_t columnWidth)
    : file_(file), width_(columnWidth) {
  buffer_.reserve(kFlushSize + 4096);
}

void ColumnWriter::Column(std::string_view text) {
  buffer_.append(text.size() < width_ ? width_ - text.size() : 1, ' ');
  buffer_.append(text);
}

void ColumnWriter::Number(double value, const PictureFormat& format) {
  // Large enough for every model-file picture, even in fixed notation of the largest double.
  char small[512];
  if (format.MaxLength() <= sizeof small) {
    Column(std::string_view(small, format.Format(value, small)));
    return;
  }
  std::string large(format.MaxLength(), '\0');
  large.resize(format.Format(value, large.data()));
  Column(large);
}

void ColumnWriter::Integer(std::int64_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  Column(std::string_view(digits, static_cast<size_t>(result.ptr - digits)));
}

void ColumnWriter::BlankColumn() {
  buffer_.append(width_, ' ');
}

void ColumnWriter::Text(std::string_view text) {
  buffer_.append(text);
}

void ColumnWriter::EndLine() {
  buffer_.append("\r\n");
  if (buffer_.size() >= kFlushSize)
    Flush();
}

void ColumnWriter::Flush() {
  file_.Write(buffer_);
  buffer_.clear();
}

} // namespace kiv
