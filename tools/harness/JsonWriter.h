#pragma once

// The tools' JSON, appended to a string as it is made: kivinfo's object, kivmod's facts and rows.
// Strings are escaped by platform::JsonString, numbers written by core's AppendShortest.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

// A key escaped once, for the many objects that repeat it.
class JsonKey {
public:
  explicit JsonKey(std::string_view name);
  const std::string& Quoted() const { return quoted_; }

private:
  std::string quoted_;
};

class JsonWriter {
public:
  // compact: all on one line, ", " between items and ": " after a key. indented: each item of the
  // outermost object or array on a line of its own, indented, and its closing bracket on a line
  // of its own (an empty one too); what an item holds stays compact on its line.
  enum class Style { compact, indented };

  // Appends to text, which must outlive the writer; indent is the spaces before an indented item.
  explicit JsonWriter(std::string& text, Style style = Style::compact, size_t indent = 0);

  // A writer of an object's members alone, compact, for members made once and repeated in many
  // objects (Members); another writer writes the brackets.
  static JsonWriter ForMembers(std::string& text);

  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // The key of the object's next member, whose value comes next.
  void Key(std::string_view name);
  void Key(const JsonKey& key);

  void String(std::string_view text);
  void Integer(std::int64_t value);
  // The shortest text that reads back as the value in its own precision; null for a value that
  // is not finite, which JSON has no number for.
  void Number(double value);
  void Number(float value);
  void Null();
  // An array of strings.
  void Strings(const std::vector<std::string>& texts);
  void Integers(const std::vector<std::int32_t>& values);
  // Members that a ForMembers writer made, as the next members of the object being written.
  void Members(std::string_view members);

private:
  // Starts an item of the object or array being written: its separator and place.
  void Item();
  // Starts a value: after its key, or as an item.
  void Value();
  void Begin(char bracket);
  void End(char bracket);

  std::string& text_;
  Style style_;
  size_t indent_;
  // Whether each object or array open, the outermost first, is still empty.
  std::vector<bool> empty_;
  bool afterKey_ = false;
};

} // namespace kiv
