#pragma once

// Lines of right-aligned number and text columns, as the model file writes them.

#include "core/FormatSettings.h"
#include "core/NumberFormat.h"
#include "platform/ReplacingFile.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <string_view>

namespace kiv {

// Writes lines of right-aligned columns through one reused buffer. A text narrower than the
// column is padded with blanks on the left; one as wide or wider gets a single blank before it,
// so that neighbouring numbers never run together. Lines end with CR LF. Numbers follow the
// process-wide formats as they were when the writer was made.
//
// The first failure of the file is kept and writing to it stops there; Flush reports it. So a
// failing disk reaches the caller once and the same way, wherever the buffer happened to fill.
class ColumnWriter {
public:
  ColumnWriter(platform::ReplacingFile& file, size_t columnWidth);

  void Number(double value, const PictureFormat& format);
  void Integer(std::int64_t value);
  void BlankColumn();
  // Text as it stands, outside the columns.
  void Text(std::string_view text);
  void EndLine();
  // Writes what the buffer still holds. Throws the first failure of the file, if there was one.
  void Flush();

private:
  // Hands the buffer's bytes to the file unless it has failed before, and empties the buffer.
  void Drain();
  // Room for size more bytes at the end of the buffer, draining or growing it first.
  char* Reserve(size_t size);
  // Aligns the text of length written at the end of the buffer in its column.
  void Align(size_t length);

  platform::ReplacingFile& file_;
  size_t width_;
  FormatSettings formats_;
  std::unique_ptr<char[]> buffer_;
  size_t capacity_;
  size_t size_ = 0;
  std::exception_ptr failure_;
};

} // namespace kiv
