#pragma once

// Date and time texts in the picture formats of the process-wide format settings.

#include "core/FormatSettings.h"
#include "platform/Clock.h"

#include <string>
#include <string_view>

namespace kiv {

// Formats a date-time with a picture of d, dd, m, mm, yy, yyyy, h, hh, n, nn, s, ss, z, zzz
// (any letter case), "/" for the date separator, ":" for the time separator and quoted literals.
// An "m" run that follows an "h" run ("hh:mm") stands for minutes, as "n" does.
std::string FormatDateTime(std::string_view picture, const platform::LocalDateTime& value,
                           const FormatSettings& formats);

// Short date, a blank, long time: the text that stamps log entries.
std::string DateTimeStamp(const platform::LocalDateTime& value, const FormatSettings& formats);

} // namespace kiv
