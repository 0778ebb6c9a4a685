// The tools' JSON: compact on one line, or the outermost items a line each, and members made once
// and repeated.
#include "tools/harness/JsonWriter.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace kiv {
namespace {

using Style = JsonWriter::Style;

struct JsonCase {
  const char* name;
  Style style;
  size_t indent;
  std::function<void(JsonWriter&)> write;
  const char* expected;
};

// An object of every kind of value, arrays and an object within.
void EveryKind(JsonWriter& json) {
  json.BeginObject();
  json.Key("text");
  json.String("a \"b\"\n");
  json.Key("numbers");
  json.BeginArray();
  json.Integer(-3);
  json.Number(1.2f);
  json.Number(0.1);
  json.Number(std::numeric_limits<double>::quiet_NaN());
  json.Number(-std::numeric_limits<float>::infinity());
  json.Null();
  json.EndArray();
  json.Key("inner");
  json.BeginObject();
  json.Key("none");
  json.Strings({});
  json.Key("two");
  json.Strings({"a", "b"});
  json.EndObject();
  json.Key("codes");
  json.Integers({116, 5});
  json.EndObject();
}

const JsonCase kCases[] = {
    {"CompactOnOneLine", Style::compact, 0, EveryKind,
     "{\"text\": \"a \\\"b\\\"\\n\", \"numbers\": [-3, 1.2, 0.1, null, null, null], "
     "\"inner\": {\"none\": [], \"two\": [\"a\", \"b\"]}, \"codes\": [116, 5]}"},
    {"IndentedMembersALine", Style::indented, 2, EveryKind,
     "{\n  \"text\": \"a \\\"b\\\"\\n\",\n  \"numbers\": [-3, 1.2, 0.1, null, null, null],\n"
     "  \"inner\": {\"none\": [], \"two\": [\"a\", \"b\"]},\n  \"codes\": [116, 5]\n}"},
    {"IndentedArrayOfObjects", Style::indented, 0,
     [](JsonWriter& json) {
       json.BeginArray();
       for (int i = 1; i <= 2; ++i) {
         json.BeginObject();
         json.Key(JsonKey("n"));
         json.Integer(i);
         json.EndObject();
       }
       json.EndArray();
     },
     "[\n{\"n\": 1},\n{\"n\": 2}\n]"},
    {"IndentedEmptyArrayClosesOnItsLine", Style::indented, 0,
     [](JsonWriter& json) {
       json.BeginArray();
       json.EndArray();
     },
     "[\n]"},
    {"MembersMadeOnceBeginEachObject", Style::compact, 0,
     [](JsonWriter& json) {
       std::string made;
       JsonWriter members = JsonWriter::ForMembers(made);
       members.Key("model");
       members.Integer(2);
       members.Key("x");
       members.Number(110.5);
       json.BeginArray();
       for (int layer = 1; layer <= 2; ++layer) {
         json.BeginObject();
         json.Members(made);
         json.Key("layer");
         json.Integer(layer);
         json.EndObject();
       }
       json.BeginObject();
       json.Members("");
       json.Key("alone");
       json.Null();
       json.EndObject();
       json.EndArray();
     },
     "[{\"model\": 2, \"x\": 110.5, \"layer\": 1}, {\"model\": 2, \"x\": 110.5, \"layer\": 2}, "
     "{\"alone\": null}]"},
};

class JsonWriterCase : public ::testing::TestWithParam<JsonCase> {};

TEST_P(JsonWriterCase, WritesTheExpectedText) {
  const JsonCase& c = GetParam();
  std::string text = "=";
  JsonWriter json(text, c.style, c.indent);
  c.write(json);
  EXPECT_EQ(text, std::string("=") + c.expected);
}

INSTANTIATE_TEST_SUITE_P(Json, JsonWriterCase, ::testing::ValuesIn(kCases),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace kiv
