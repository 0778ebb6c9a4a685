#pragma once

// The process-wide number and date formats that every number and date text follows.

#include <string>

namespace kiv {

// Number and date-time conventions that every number and date text of the process follows.
// Never taken from the system's regional settings.
struct FormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  std::string ShortDateFormat = "dd-mm-yyyy";
  std::string LongDateFormat = "dd-mm-yyyy";
  std::string ShortTimeFormat = "HH:nn:ss";
  std::string LongTimeFormat = "HH:nn:ss";
  char DateSeparator = '-';
  char TimeSeparator = ':';
};

// The one process-wide instance.
FormatSettings& ProcessFormats();

// Sets the process-wide formats the run and the model file rely on.
void SetRunFormats();

} // namespace kiv
