#include "bench/GeneralForm.h"

#include "bench/Words.h"
#include "platform/ReplacingFile.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

namespace kiv::bench {
namespace {

constexpr size_t kFlushSize = 256 * 1024;

bool IsIntegerWord(std::string_view word) {
  if (!word.empty() && word.front() == '-')
    word.remove_prefix(1);
  return !word.empty() && word.find_first_not_of("0123456789") == std::string_view::npos;
}

// The word as "%.6g" writes its value when that reads back alike, else its shortest exact form.
void AppendGeneral(std::string& out, std::string_view word) {
  if (IsIntegerWord(word)) {
    out.append(word);
    return;
  }
  double value = 0;
  const char* const end = word.data() + word.size();
  if (std::from_chars(word.data(), end, value).ptr != end) {
    out.append(word);
    return;
  }
  char text[64];
  char* written = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6).ptr;
  double back = 0;
  std::from_chars(text, written, back);
  if (back != value)
    written = std::to_chars(text, text + sizeof text, value, std::chars_format::general).ptr;
  out.append(text, written);
}

// Blanks whose count follows a fixed cycle: mixed widths that are the same on every run.
class Blanks {
public:
  void Append(std::string& out, size_t lowest) {
    state_ = state_ * 1103515245u + 12345u;
    out.append(lowest + (state_ >> 16) % 3, ' ');
  }

private:
  std::uint32_t state_ = 1;
};

void AppendModelLine(std::string& out, std::string_view line, Blanks& blanks) {
  bool first = true;
  ForEachWord(line, [&](std::string_view word) {
    blanks.Append(out, first ? 0 : 1);
    first = false;
    AppendGeneral(out, word);
  });
  out.append("\r\n");
}

} // namespace

std::uint64_t RewriteInGeneralForm(const std::string& columnPath, const std::string& path) {
  std::ifstream in(columnPath, std::ios::binary);
  if (!in)
    throw std::system_error(std::make_error_code(std::errc::no_such_file_or_directory),
                            "open " + columnPath);
  platform::ReplacingFile file(path);
  std::string out;
  std::string line;
  // The comment, the settings line, one line per data file and the iterations line.
  std::int64_t headerLines = 3;
  Blanks blanks;
  for (std::int64_t number = 0; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (number == 1)
      headerLines += std::stoll(line);
    if (number < headerLines) {
      out.append(line).append("\r\n");
    } else {
      AppendModelLine(out, line, blanks);
    }
    if (out.size() >= kFlushSize) {
      file.Write(out);
      out.clear();
    }
  }
  file.Write(out);
  file.Commit();
  return std::filesystem::file_size(path);
}

} // namespace kiv::bench
