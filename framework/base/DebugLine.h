#pragma once

// The text of one line of the diagnostic log.

#include "core/FormatSettings.h"
#include "platform/Clock.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kiv {

// One line of the diagnostic log without its line end: the date and time as "ddmmyy,hh:mm:ss."
// with the process's time separator, four characters of the decimal counter from its tenth
// character from the right (from its first when it is shorter), a tab, the type text, a tab, the
// piece number with at least three digits, a tab and the text.
std::string DebugLogLine(const platform::LocalDateTime& ANow, std::int64_t ACounter,
                         std::string_view ATypeText, int APieceNumber, std::string_view AText,
                         const FormatSettings& AFormats);

} // namespace kiv
