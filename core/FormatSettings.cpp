#include "core/FormatSettings.h"

namespace kiv {

FormatSettings& ProcessFormats() {
  static FormatSettings formats;
  return formats;
}

void SetRunFormats() {
  FormatSettings& formats = ProcessFormats();
  formats.DecimalSeparator = '.';
  formats.ShortDateFormat = "dd-mm-yyyy";
  formats.LongDateFormat = "dd-mm-yyyy";
  formats.ShortTimeFormat = "HH:nn:ss";
  formats.LongTimeFormat = "HH:nn:ss";
  formats.DateSeparator = '-';
  formats.TimeSeparator = ':';
}

} // namespace kiv
