#pragma once

#include "core/NumberFormat.h"
#include "platform/ReplacingFile.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kiv {

// Writes lines of right-aligned columns through one reused buffer. A text narrower than the
// column is padded with blanks on the left; one as wide or wider gets a single blank before it,
// so that neighbouring numbers never run together. Lines end with CR LF.
class ColumnWriter {
public:
  ColumnWriter(platform::ReplacingFile& file, size_t columnWidth);

  void Number(double value, const PictureFormat& format);
  void Integer(std::int64_t value);
  void BlankColumn();
  // Text as it stands, outside the columns.
  void Text(std::string_view text);
  void EndLine();
  // Writes what the buffer still holds.
  void Flush();

private:
  void Column(std::string_view text);

  platform::ReplacingFile& file_;
  size_t width_;
  std::string buffer_;
};

} // namespace kiv
