// The line a TextScanner has reached, as a failed read reports it: the line of the last byte
// consumed, in memory and in a file, also once the start of the file has left the scanner's
// buffer, without reading the file again; and the longest line it reads.
#include "core/TextScanner.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/TempDir.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

// Reads the text's words and lines as steps give them ('w' a real, 'l' a line), then the line.
// The file is not opened again: a pipe could not be read again, and reopening one would wait.
std::int64_t LineAfter(TextScanner& scanner, std::string_view steps) {
  for (const char step : steps) {
    if (step == 'w')
      scanner.ReadReal();
    else
      scanner.ReadLine();
  }
  using platform::testing::Fault;
  const platform::testing::ScopedFault noReopening(platform::testing::Operation::Open,
                                                   Fault::LastingError(std::errc::io_error));
  return scanner.LineReached();
}

struct Case {
  const char* name;
  std::string text;
  const char* steps;
  std::int64_t line;
};

// Far enough in that the file's start has left the buffer.
const std::string kFarText = std::string(300000, '\n') + "1 2\r\n3\r\n";

const Case kCases[] = {
    {"NothingRead", "1 2\r\n", "", 1},
    {"AWordOfTheFirstLine", "1 2\r\n3\r\n", "w", 1},
    {"ALineEndConsumedBelongsToItsLine", "comment\r\nsettings\r\n3\r\n", "ll", 2},
    {"AWordAfterBlankLines", "1\n\n\n2\n", "ww", 4},
    {"FarIntoTheText", kFarText, "www", 300002},
    {"FarIntoTheTextAfterALineEnd", kFarText, "wwl", 300001},
    // The whole of the scanner's buffer consumed: the last byte has just left it.
    {"AWholeBufferOfLineEnds", std::string(256 * 1024, '\n'), "w", 256 * 1024},
};

TEST(ScannerLine, LineOfTheLastByteConsumedInMemoryAndInAFile) {
  const test::TempDir dir;
  for (const Case& c : kCases) {
    TextScanner memory(ByteSource::Memory(c.text));
    EXPECT_EQ(LineAfter(memory, c.steps), c.line) << c.name << " in memory";
    const std::string path = dir / "text.txt";
    test::WriteFile(path, c.text);
    TextScanner file(ByteSource::File(path));
    EXPECT_EQ(LineAfter(file, c.steps), c.line) << c.name << " in a file";
  }
}

TEST(ScannerLine, ALineLongerThanTheLimitFails) {
  const std::string text = "x" + std::string(TextScanner::kMaxLineLength, 'x') + "\r\n";
  TextScanner longest(ByteSource::Memory(std::string_view(text).substr(1)));
  EXPECT_EQ(longest.ReadLine().size(), TextScanner::kMaxLineLength);
  TextScanner tooLong(ByteSource::Memory(text));
  try {
    tooLong.ReadLine();
    ADD_FAILURE() << "no failure";
  } catch (const std::length_error& e) {
    EXPECT_EQ(std::string(e.what()), "A line is longer than 16777216 bytes");
  }
}

} // namespace
} // namespace kiv
