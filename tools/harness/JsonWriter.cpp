#include "tools/harness/JsonWriter.h"

#include "core/NumberFormat.h"
#include "platform/AsciiText.h"

#include <charconv>
#include <cmath>

namespace kiv {

JsonKey::JsonKey(std::string_view name) : quoted_(platform::JsonString(name)) {}

JsonWriter::JsonWriter(std::string& text, Style style, size_t indent)
    : text_(text), style_(style), indent_(indent) {}

JsonWriter JsonWriter::ForMembers(std::string& text) {
  JsonWriter members(text);
  members.empty_.push_back(true);
  return members;
}

void JsonWriter::Item() {
  if (empty_.empty())
    return;
  if (style_ == Style::indented && empty_.size() == 1) {
    text_ += empty_.back() ? "\n" : ",\n";
    text_.append(indent_, ' ');
  } else if (!empty_.back()) {
    text_ += ", ";
  }
  empty_.back() = false;
}

void JsonWriter::Value() {
  if (afterKey_)
    afterKey_ = false;
  else
    Item();
}

void JsonWriter::Begin(char bracket) {
  Value();
  text_ += bracket;
  empty_.push_back(true);
}

void JsonWriter::End(char bracket) {
  empty_.pop_back();
  if (style_ == Style::indented && empty_.empty())
    text_ += '\n';
  text_ += bracket;
}

void JsonWriter::BeginObject() {
  Begin('{');
}

void JsonWriter::EndObject() {
  End('}');
}

void JsonWriter::BeginArray() {
  Begin('[');
}

void JsonWriter::EndArray() {
  End(']');
}

void JsonWriter::Key(std::string_view name) {
  Item();
  text_ += platform::JsonString(name);
  text_ += ": ";
  afterKey_ = true;
}

void JsonWriter::Key(const JsonKey& key) {
  Item();
  text_ += key.Quoted();
  text_ += ": ";
  afterKey_ = true;
}

void JsonWriter::String(std::string_view text) {
  Value();
  text_ += platform::JsonString(text);
}

void JsonWriter::Integer(std::int64_t value) {
  Value();
  char digits[24];
  text_.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void JsonWriter::Number(double value) {
  Value();
  if (std::isfinite(value))
    AppendShortest(text_, value);
  else
    text_ += "null";
}

void JsonWriter::Number(float value) {
  Value();
  if (std::isfinite(value))
    AppendShortest(text_, value);
  else
    text_ += "null";
}

void JsonWriter::Null() {
  Value();
  text_ += "null";
}

void JsonWriter::Strings(const std::vector<std::string>& texts) {
  BeginArray();
  for (const std::string& text : texts)
    String(text);
  EndArray();
}

void JsonWriter::Integers(const std::vector<std::int32_t>& values) {
  BeginArray();
  for (const std::int32_t value : values)
    Integer(value);
  EndArray();
}

void JsonWriter::Members(std::string_view members) {
  if (members.empty())
    return;
  Item();
  text_ += members;
}

} // namespace kiv
