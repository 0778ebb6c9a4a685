#include "framework/base/DebugLine.h"

#include "core/DateTimeText.h"
#include "framework/base/Tools.h"

namespace kiv {

std::string DebugLogLine(const platform::LocalDateTime& ANow, std::int64_t ACounter,
                         std::string_view ATypeText, int APieceNumber, std::string_view AText,
                         const FormatSettings& AFormats) {
  constexpr size_t kCounterFromRight = 10;
  constexpr size_t kCounterCharacters = 4;
  const std::string counter = std::to_string(ACounter);
  const size_t counterStart =
      counter.size() > kCounterFromRight ? counter.size() - kCounterFromRight : 0;
  std::string line = FormatDateTime("ddmmyy,hh:mm:ss.", ANow, AFormats);
  line += std::string_view(counter).substr(counterStart, kCounterCharacters);
  line += '\t';
  line += ATypeText;
  line += '\t';
  line += TTools::IntToStrZeros(APieceNumber, 3);
  line += '\t';
  line += AText;
  return line;
}

} // namespace kiv
