#include "core/ColumnWriter.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace kiv {
namespace {

constexpr size_t kFlushSize = 256 * 1024;

} // namespace

ColumnWriter::ColumnWriter(platform::ReplacingFile& file, size_t columnWidth)
    : file_(file), width_(columnWidth), formats_(ProcessFormats()), buffer_(new char[kFlushSize]),
      capacity_(kFlushSize) {}

char* ColumnWriter::Reserve(size_t size) {
  if (size_ + size > capacity_) {
    Drain();
    if (size > capacity_) {
      buffer_.reset(new char[size]);
      capacity_ = size;
    }
  }
  return buffer_.get() + size_;
}

void ColumnWriter::Align(size_t length) {
  char* text = buffer_.get() + size_;
  const size_t pad = length < width_ ? width_ - length : 1;
  std::memmove(text + pad, text, length);
  std::memset(text, ' ', pad);
  size_ += pad + length;
}

void ColumnWriter::Number(double value, const PictureFormat& format) {
  const size_t room = std::max(width_, format.MaxLength() + 1);
  const size_t length = format.Format(value, Reserve(room), formats_);
  Align(length);
}

void ColumnWriter::Integer(std::int64_t value) {
  char* text = Reserve(std::max<size_t>(width_, 21));
  Align(static_cast<size_t>(std::to_chars(text, text + 20, value).ptr - text));
}

void ColumnWriter::BlankColumn() {
  std::memset(Reserve(width_), ' ', width_);
  size_ += width_;
}

void ColumnWriter::Text(std::string_view text) {
  std::memcpy(Reserve(text.size()), text.data(), text.size());
  size_ += text.size();
}

void ColumnWriter::EndLine() {
  std::memcpy(Reserve(2), "\r\n", 2);
  size_ += 2;
}

void ColumnWriter::Drain() {
  if (!failure_) {
    try {
      file_.Write(std::string_view(buffer_.get(), size_));
    } catch (...) {
      failure_ = std::current_exception();
    }
  }
  size_ = 0;
}

void ColumnWriter::Flush() {
  Drain();
  if (failure_)
    std::rethrow_exception(failure_);
}

} // namespace kiv
