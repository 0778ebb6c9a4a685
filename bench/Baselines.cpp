#include "bench/Baselines.h"

#include "bench/Words.h"
#include "platform/InputFile.h"
#include "platform/ReplacingFile.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <istream>
#include <locale>
#include <streambuf>

namespace kiv::bench {
namespace {

// The reader's own buffer size, so that both make the same number of reads.
constexpr size_t kReadSize = 256 * 1024;
constexpr size_t kFlushSize = 256 * 1024;
constexpr size_t kColumn = 12;

template <class FormatReal, class FormatInteger>
std::uint64_t WriteTable(const NumberTable& table, const std::string& path, std::string& buffer,
                         FormatReal&& formatReal, FormatInteger&& formatInteger) {
  platform::ReplacingFile file(path);
  buffer.clear();
  std::uint64_t written = 0;
  const double* next = table.columns.data();
  const NumberTable::Kind* kind = table.kinds.data();
  for (std::uint32_t count : table.columnsPerLine) {
    for (std::uint32_t c = 0; c < count; ++c, ++next, ++kind) {
      if (*kind == NumberTable::Real)
        formatReal(buffer, *next);
      else if (*kind == NumberTable::Integer)
        formatInteger(buffer, static_cast<long long>(*next));
      else
        buffer.append(kColumn, ' ');
    }
    buffer.append("\r\n");
    if (buffer.size() >= kFlushSize) {
      file.Write(buffer);
      written += buffer.size();
      buffer.clear();
    }
  }
  file.Write(buffer);
  written += buffer.size();
  buffer.clear();
  file.Commit();
  return written;
}

// A stream buffer that fills the reused buffer from the platform's input file.
class InputFileBuffer : public std::streambuf {
public:
  InputFileBuffer(const std::string& path, ReuseBuffer& buffer) : file_(path), buffer_(buffer) {
    buffer_.resize(kReadSize);
  }

protected:
  int_type underflow() override {
    const size_t n = file_.Read(buffer_.data(), buffer_.size());
    if (n == 0)
      return traits_type::eof();
    setg(buffer_.data(), buffer_.data(), buffer_.data() + n);
    return traits_type::to_int_type(*gptr());
  }

private:
  platform::InputFile file_;
  ReuseBuffer& buffer_;
};

void AppendColumn(std::string_view word, NumberTable& table, std::uint32_t& count) {
  if (word.empty()) {
    table.columns.push_back(0);
    table.kinds.push_back(NumberTable::Blank);
    ++count;
    return;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size())
    return;
  table.columns.push_back(value);
  table.kinds.push_back(word.find_first_of(".eE") == std::string_view::npos ? NumberTable::Integer
                                                                            : NumberTable::Real);
  ++count;
}

void AppendLineColumns(std::string_view line, NumberTable& table) {
  std::uint32_t count = 0;
  if (!line.empty() && line.size() % kColumn == 0) {
    for (size_t at = 0; at < line.size(); at += kColumn) {
      std::string_view field = line.substr(at, kColumn);
      while (!field.empty() && IsSeparator(field.front()))
        field.remove_prefix(1);
      AppendColumn(field, table, count);
    }
  } else {
    ForEachWord(line, [&](std::string_view word) { AppendColumn(word, table, count); });
  }
  table.columnsPerLine.push_back(count);
}

} // namespace

std::uint64_t ReadOnly(const std::string& path, ReuseBuffer& buffer) {
  buffer.resize(kReadSize);
  platform::InputFile file(path);
  std::uint64_t total = 0;
  while (const size_t n = file.Read(buffer.data(), buffer.size()))
    total += n;
  return total;
}

double TokenizeWithFromChars(const std::string& path, ReuseBuffer& buffer) {
  // Room for a word cut at the end of one read, carried to the front of the next.
  buffer.resize(kReadSize + 4096);
  platform::InputFile file(path);
  double sum = 0;
  size_t carried = 0;
  for (;;) {
    const size_t n = file.Read(buffer.data() + carried, kReadSize);
    const bool last = n == 0;
    const char* at = buffer.data();
    const char* const end = buffer.data() + carried + n;
    for (;;) {
      while (at < end && IsSeparator(*at))
        ++at;
      const char* word = at;
      while (at < end && !IsSeparator(*at))
        ++at;
      if (at == end && !last) {
        carried = static_cast<size_t>(end - word);
        if (carried > 4096)
          carried = 0; // not a number: drop it
        std::memmove(buffer.data(), word, carried);
        break;
      }
      if (word == at)
        break;
      double value = 0;
      if (std::from_chars(word, at, value).ec == std::errc())
        sum += value;
    }
    if (last)
      return sum;
  }
}

double ReadWithIstream(const std::string& path, ReuseBuffer& buffer) {
  InputFileBuffer source(path, buffer);
  std::istream in(&source);
  in.imbue(std::locale::classic());
  double sum = 0;
  double value = 0;
  std::string skipped;
  for (;;) {
    if (in >> value) {
      sum += value;
      continue;
    }
    if (in.eof())
      return sum;
    in.clear();
    if (!(in >> skipped))
      return sum;
  }
}

NumberTable ReadNumberTable(const std::string& path) {
  const std::string text = ReadWholeFile(path);
  NumberTable table;
  table.columns.reserve(text.size() / kColumn);
  table.kinds.reserve(text.size() / kColumn);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos)
      end = text.size();
    std::string_view line(text.data() + start, end - start);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    AppendLineColumns(line, table);
    start = end + 1;
  }
  return table;
}

std::uint64_t WriteWithToChars(const NumberTable& table, const std::string& path,
                               std::string& buffer) {
  const auto column = [](std::string& out, const char* text, const char* end) {
    const size_t length = static_cast<size_t>(end - text);
    if (length < kColumn)
      out.append(kColumn - length, ' ');
    out.append(text, length);
  };
  return WriteTable(
      table, path, buffer,
      [&](std::string& out, double value) {
        char text[32];
        column(
            out, text,
            std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 4).ptr);
      },
      [&](std::string& out, long long value) {
        char text[32];
        column(out, text, std::to_chars(text, text + sizeof text, value).ptr);
      });
}

std::uint64_t WriteWithSnprintf(const NumberTable& table, const std::string& path,
                                std::string& buffer) {
  return WriteTable(
      table, path, buffer,
      [](std::string& out, double value) {
        char text[64];
        const int length = std::snprintf(text, sizeof text, "%12.4e", value);
        out.append(text, static_cast<size_t>(length));
      },
      [](std::string& out, long long value) {
        char text[64];
        const int length = std::snprintf(text, sizeof text, "%12lld", value);
        out.append(text, static_cast<size_t>(length));
      });
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  platform::ReplacingFile file(path);
  for (size_t at = 0; at < bytes.size(); at += kFlushSize)
    file.Write(std::string_view(bytes).substr(at, kFlushSize));
  file.Commit();
}

std::string ReadWholeFile(const std::string& path) {
  platform::InputFile file(path);
  std::string bytes(file.Size(), '\0');
  size_t total = 0;
  for (;;) {
    if (total == bytes.size())
      bytes.resize(bytes.size() + kReadSize);
    const size_t n = file.Read(bytes.data() + total, bytes.size() - total);
    if (n == 0)
      break;
    total += n;
  }
  bytes.resize(total);
  return bytes;
}

} // namespace kiv::bench
