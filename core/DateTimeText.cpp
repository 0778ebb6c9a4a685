#include "core/DateTimeText.h"

#include "platform/AsciiText.h"

namespace kiv {
namespace {

void AppendPadded(std::string& out, int value, size_t width) {
  std::string digits = std::to_string(value);
  if (digits.size() < width)
    out.append(width - digits.size(), '0');
  out += digits;
}

size_t RunLength(std::string_view picture, size_t start) {
  const char letter = platform::AsciiLower(picture[start]);
  size_t end = start;
  while (end < picture.size() && platform::AsciiLower(picture[end]) == letter)
    ++end;
  return end - start;
}

} // namespace

std::string FormatDateTime(std::string_view picture, const platform::LocalDateTime& value,
                           const FormatSettings& formats) {
  std::string out;
  // As in the platform's formatter, "m" after an hour ("hh:mm") means minutes: the last letter
  // seen decides, whatever separators or literals stand between.
  char lastLetter = 0;
  size_t i = 0;
  while (i < picture.size()) {
    const char c = picture[i];
    if (c == '"' || c == '\'') {
      const size_t close = picture.find(c, i + 1);
      const size_t end = close == std::string_view::npos ? picture.size() : close;
      out.append(picture.substr(i + 1, end - i - 1));
      i = end == picture.size() ? end : end + 1;
      continue;
    }
    const size_t run = RunLength(picture, i);
    char letter = platform::AsciiLower(c);
    if (letter == 'm' && lastLetter == 'h')
      letter = 'n';
    if (letter >= 'a' && letter <= 'z')
      lastLetter = letter;
    switch (letter) {
    case 'd':
      AppendPadded(out, value.day, run >= 2 ? 2 : 1);
      break;
    case 'm':
      AppendPadded(out, value.month, run >= 2 ? 2 : 1);
      break;
    case 'y':
      if (run >= 3)
        AppendPadded(out, value.year, 4);
      else
        AppendPadded(out, value.year % 100, 2);
      break;
    case 'h':
      AppendPadded(out, value.hour, run >= 2 ? 2 : 1);
      break;
    case 'n':
      AppendPadded(out, value.minute, run >= 2 ? 2 : 1);
      break;
    case 's':
      AppendPadded(out, value.second, run >= 2 ? 2 : 1);
      break;
    case 'z':
      AppendPadded(out, value.millisecond, run >= 3 ? 3 : 1);
      break;
    case '/':
      out.append(run, formats.DateSeparator);
      break;
    case ':':
      out.append(run, formats.TimeSeparator);
      break;
    default:
      out.append(picture.substr(i, run));
      break;
    }
    i += run;
  }
  return out;
}

std::string DateTimeStamp(const platform::LocalDateTime& value, const FormatSettings& formats) {
  return FormatDateTime(formats.ShortDateFormat, value, formats) + ' ' +
         FormatDateTime(formats.LongTimeFormat, value, formats);
}

} // namespace kiv
