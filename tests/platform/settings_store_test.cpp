// The contract of the settings store: the same rows run against SQLite on Linux and against the
// registry on Windows.

#include "platform/SettingsStore.h"
#include "platform/testing/Emulation.h"
#include "testing/support/ScopedRegistry.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

namespace kiv::platform {
namespace {

// Every row works under the test's own key, which the fixture deletes afterwards; the rows'
// expected texts name it "KivStoreContract".
const std::string kBaseInRows = "KivStoreContract";
std::string base;

std::string Key(const std::string& path) {
  return path.empty() ? base : base + "\\" + path;
}

// text with the rows' name of the base key replaced by the running test's.
std::string WithBase(std::string text) {
  for (std::size_t at = text.find(kBaseInRows); at != std::string::npos;
       at = text.find(kBaseInRows, at + base.size()))
    text.replace(at, kBaseInRows.size(), base);
  return text;
}

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i)
    text += (i == 0 ? "" : ",") + names[i];
  return text;
}

std::string ConditionName(const std::error_code& code) {
  if (code == std::errc::invalid_argument)
    return "invalid_argument";
  if (code == std::errc::no_such_file_or_directory)
    return "no_such_file_or_directory";
  return "other " + code.message();
}

// What body returned, or the condition and text of the std::system_error it raised.
std::string Outcome(const std::function<std::string()>& body) {
  try {
    return body();
  } catch (const std::system_error& e) {
    return "[" + ConditionName(e.code()) + "] " + e.what();
  }
}

struct ContractRow {
  const char* name;
  std::function<std::string(SettingsStore&)> steps;
  std::string expected;
};

// A row prints as its name in the test's listing.
void PrintTo(const ContractRow& row, std::ostream* out) {
  *out << row.name;
}

const std::vector<ContractRow>& ContractRows() {
  static const std::vector<ContractRow> rows = {
      {"NamesCompareWithoutCaseAndKeepTheirCase",
       [](SettingsStore& s) {
         s.WriteInteger(Key("Software\\Survey"), "Left", 1);
         s.WriteInteger(Key("SOFTWARE\\survey"), "LEFT", 2);
         return Joined(s.KeyNames(Key(""))) + "|" + Joined(s.KeyNames(Key("software"))) + "|" +
                Joined(s.ValueNames(Key("software\\SURVEY"))) + "|" +
                std::to_string(s.ReadInteger(Key("sOfTwArE\\Survey"), "lEfT"));
       },
       "Software|Survey|Left|2"},
      {"MissingParentsAreCreated",
       [](SettingsStore& s) {
         s.CreateKey(Key("A\\B\\C"));
         return std::to_string(s.KeyExists(Key("A"))) + std::to_string(s.KeyExists(Key("A\\B"))) +
                Joined(s.KeyNames(Key("A\\B")));
       },
       "11C"},
      {"IntegerReadOfString",
       [](SettingsStore& s) {
         s.WriteString(Key("K"), "V", "12");
         return std::to_string(s.ReadInteger(Key("K"), "V"));
       },
       "[invalid_argument] settings value \"V\" of key \"KivStoreContract\\K\" is REG_SZ of 6 "
       "bytes, not REG_DWORD: Invalid argument"},
      {"StringReadOfInteger",
       [](SettingsStore& s) {
         s.WriteInteger(Key("K"), "V", 12);
         return s.ReadString(Key("K"), "V");
       },
       "[invalid_argument] settings value \"V\" of key \"KivStoreContract\\K\" is REG_DWORD of 4 "
       "bytes, not REG_SZ: Invalid argument"},
      {"BinaryReadOfInteger",
       [](SettingsStore& s) {
         s.WriteInteger(Key("K"), "V", 12);
         return std::to_string(s.ReadBinary(Key("K"), "V").size());
       },
       "[invalid_argument] settings value \"V\" of key \"KivStoreContract\\K\" is REG_DWORD of 4 "
       "bytes, not REG_BINARY: Invalid argument"},
      {"IntegerReadOfBinary",
       [](SettingsStore& s) {
         s.WriteBinary(Key("K"), "V", {1, 2, 3, 4});
         return std::to_string(s.ReadInteger(Key("K"), "V"));
       },
       "[invalid_argument] settings value \"V\" of key \"KivStoreContract\\K\" is REG_BINARY of 4 "
       "bytes, not REG_DWORD: Invalid argument"},
      {"StringReadOfBinary",
       [](SettingsStore& s) {
         s.WriteBinary(Key("K"), "V", {});
         return s.ReadString(Key("K"), "V");
       },
       "[invalid_argument] settings value \"V\" of key \"KivStoreContract\\K\" is REG_BINARY of 0 "
       "bytes, not REG_SZ: Invalid argument"},
      {"ReadOfMissingValue",
       [](SettingsStore& s) {
         s.CreateKey(Key("K"));
         return s.ReadString(Key("K"), "Absent");
       },
       "[no_such_file_or_directory] settings value \"Absent\" of key \"KivStoreContract\\K\" does "
       "not exist: No such file or directory"},
      {"AWriteReplacesAValueOfAnotherType",
       [](SettingsStore& s) {
         s.WriteInteger(Key("K"), "V", 7);
         s.WriteString(Key("K"), "v", "seven");
         return s.ReadString(Key("K"), "V") + "|" + Joined(s.ValueNames(Key("K")));
       },
       "seven|V"},
      {"OrderIsCreationOrderAndAnOverwriteKeepsItsPlace",
       [](SettingsStore& s) {
         s.WriteInteger(Key("K"), "b", 1);
         s.WriteInteger(Key("K"), "a", 2);
         s.WriteInteger(Key("K"), "c", 3);
         s.WriteString(Key("K"), "A", "again");
         s.WriteInteger(Key("K"), "0", 4);
         return Joined(s.ValueNames(Key("K")));
       },
       "b,a,c,0"},
      {"TheUnnamedValueExists",
       [](SettingsStore& s) {
         s.WriteString(Key("K"), "", "default");
         s.WriteString(Key("K"), "x", "named");
         return "[" + Joined(s.ValueNames(Key("K"))) + "]" + s.ReadString(Key("K"), "");
       },
       "[,x]default"},
      {"ByteSizes",
       [](SettingsStore& s) {
         s.WriteInteger(Key("K"), "i", -1);
         s.WriteString(Key("K"), "s", "abc");
         s.WriteString(Key("K"), "u", "\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80");
         s.WriteString(Key("K"), "e", "");
         s.WriteBinary(Key("K"), "b", {0, 1, 2});
         std::string sizes;
         for (const char* name : {"i", "s", "u", "e", "b"})
           sizes += std::to_string(s.Describe(Key("K"), name)->size) + " ";
         return sizes + std::to_string(s.Describe(Key("K"), "absent").has_value());
       },
       "4 8 10 2 3 0"},
      {"ValuesRoundTrip",
       [](SettingsStore& s) {
         s.WriteInteger(Key("K"), "i", -2147483647 - 1);
         s.WriteString(Key("K"), "s",
                       "Gr\xC3\xBC\xC3\x9F"
                       "e");
         s.WriteBinary(Key("K"), "b", {0, 255, 0});
         const auto bytes = s.ReadBinary(Key("K"), "b");
         return std::to_string(s.ReadInteger(Key("K"), "i")) + " " + s.ReadString(Key("K"), "s") +
                " " + std::to_string(bytes.size()) + std::to_string(bytes[1]);
       },
       "-2147483648 Gr\xC3\xBC\xC3\x9F"
       "e 3255"},
      {"ValuesOfEveryOtherTypeRoundTripAsTheirBytes",
       [](SettingsStore& s) {
         const std::vector<SettingsRawValue> values = {
             {kRegNone, {}},
             {kRegExpandSz, {'%', 0, 'P', 0, '%', 0, 0, 0}},
             {kRegMultiSz, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}},
             {kRegQword, {1, 2, 3, 4, 5, 6, 7, 0x80}},
             {0x12345678, {9}},
         };
         std::string outcome;
         for (std::size_t i = 0; i < values.size(); ++i) {
           const std::string name = "v" + std::to_string(i);
           s.WriteRaw(Key("K"), name, values[i]);
           const auto info = s.Describe(Key("K"), name);
           outcome += std::to_string(info->type == SettingsType::Other) +
                      std::to_string(info->size) +
                      std::to_string(s.ReadRaw(Key("K"), name) == values[i]) + " ";
         }
         return outcome + Joined(s.ValueNames(Key("K")));
       },
       "101 181 1101 181 111 v0,v1,v2,v3,v4"},
      {"ARawWriteReplacesATypedValueAndBack",
       [](SettingsStore& s) {
         s.WriteInteger(Key("K"), "V", 7);
         s.WriteRaw(Key("K"), "v", {kRegQword, {7, 0, 0, 0, 0, 0, 0, 0}});
         std::string outcome = std::to_string(s.ReadRaw(Key("K"), "V").type) + " ";
         s.WriteString(Key("K"), "V", "seven");
         return outcome + s.ReadString(Key("K"), "V") + " " + Joined(s.ValueNames(Key("K")));
       },
       "11 seven V"},
      {"RawReadOfString",
       [](SettingsStore& s) {
         s.WriteString(Key("K"), "V", "12");
         return std::to_string(s.ReadRaw(Key("K"), "V").type);
       },
       "[invalid_argument] settings value \"V\" of key \"KivStoreContract\\K\" is REG_SZ of 6 "
       "bytes, not another type: Invalid argument"},
      {"BinaryReadOfOtherType",
       [](SettingsStore& s) {
         s.WriteRaw(Key("K"), "V", {kRegExpandSz, {'x', 0, 0, 0}});
         return std::to_string(s.ReadBinary(Key("K"), "V").size());
       },
       "[invalid_argument] settings value \"V\" of key \"KivStoreContract\\K\" is another type "
       "of 4 bytes, not REG_BINARY: Invalid argument"},
      {"RawWriteOfATypedType",
       [](SettingsStore& s) {
         for (const std::uint32_t type : {kRegSz, kRegBinary, kRegDword}) {
           try {
             s.WriteRaw(Key("K"), "V", {type, {1, 0, 0, 0}});
             return std::string("written");
           } catch (const std::system_error&) {
             if (type == kRegDword)
               throw;
           }
         }
         return std::string("accepted");
       },
       "[invalid_argument] settings value \"V\" of key \"KivStoreContract\\K\" is of type "
       "REG_DWORD, which only its typed write takes: Invalid argument"},
      {"DeletingFormsLeavesForms2",
       [](SettingsStore& s) {
         s.WriteInteger(Key("Forms\\Map\\Position"), "Left", 1);
         s.WriteInteger(Key("Forms"), "V", 1);
         s.WriteInteger(Key("Forms2"), "V", 2);
         s.WriteInteger(Key("Forms-"), "V", 3);
         std::string outcome = std::to_string(s.DeleteKey(Key("forms")));
         outcome += std::to_string(s.DeleteKey(Key("Forms")));
         outcome += std::to_string(s.KeyExists(Key("Forms\\Map"))) + "|";
         outcome += Joined(s.KeyNames(Key(""))) + "|";
         return outcome + std::to_string(s.ReadInteger(Key("Forms2"), "V"));
       },
       "100|Forms-,Forms2|2"},
      {"DeleteValue",
       [](SettingsStore& s) {
         s.WriteInteger(Key("K"), "a", 1);
         s.WriteInteger(Key("K"), "b", 2);
         std::string outcome = std::to_string(s.DeleteValue(Key("K"), "A"));
         outcome += std::to_string(s.DeleteValue(Key("K"), "a"));
         outcome += std::to_string(s.DeleteValue(Key("Absent"), "a"));
         return outcome + Joined(s.ValueNames(Key("K")));
       },
       "100b"},
      {"AMissingKeyHasNothing",
       [](SettingsStore& s) {
         return std::to_string(s.KeyExists(Key("Absent"))) + "[" +
                Joined(s.ValueNames(Key("Absent"))) + Joined(s.KeyNames(Key("Absent"))) + "]" +
                std::to_string(s.Describe(Key("Absent"), "v").has_value()) +
                std::to_string(s.KeyExists(Key("Absent")));
       },
       "0[]00"},
      {"EmptyNameInPathMiddle",
       [](SettingsStore& s) { return std::to_string(s.KeyExists(Key("a\\\\b"))); },
       "[invalid_argument] settings key \"KivStoreContract\\a\\\\b\" has an empty name: Invalid "
       "argument"},
      {"EmptyNameAtPathEnd",
       [](SettingsStore& s) {
         s.WriteInteger(Key("a\\"), "v", 1);
         return std::string("written");
       },
       "[invalid_argument] settings key \"KivStoreContract\\a\\\" has an empty name: Invalid "
       "argument"},
      {"ALeadingBackslashCountsFromTheRootToo",
       [](SettingsStore& s) {
         s.WriteInteger("\\" + Key("K"), "v", 7);
         std::string outcome = std::to_string(s.ReadInteger(Key("K"), "v"));
         outcome += std::to_string(s.KeyExists("\\" + Key("K")));
         outcome += Joined(s.ValueNames("\\" + Key("K"))) + Joined(s.KeyNames("\\" + base));
         outcome += std::to_string(s.DeleteKey("\\" + Key("K")));
         return outcome + std::to_string(s.KeyExists(Key("K")));
       },
       "71vK10"},
      {"EmptyNameAtPathStart",
       [](SettingsStore& s) { return std::to_string(s.DeleteKey("\\\\" + base)); },
       "[invalid_argument] settings key \"\\\\KivStoreContract\" has an empty name: Invalid "
       "argument"},
      {"EmptyNameRefusedWithoutWriting",
       [](SettingsStore& s) {
         for (const std::function<void()>& step : std::vector<std::function<void()>>{
                  [&] { s.CreateKey(Key("x\\\\y")); }, [&] { s.WriteString(Key("\\x"), "v", ""); },
                  [&] { s.ValueNames(Key("x\\")); }, [&] { s.DeleteValue(Key("x\\\\"), "v"); }}) {
           try {
             step();
             return std::string("accepted");
           } catch (const std::system_error&) {
           }
         }
         return std::to_string(s.KeyExists(Key("x")));
       },
       "0"},
  };
  return rows;
}

class SettingsStoreContract : public ::testing::TestWithParam<ContractRow> {
protected:
  void SetUp() override { base = test::ScopedRegistry::TestKey(); }
  void TearDown() override { store->DeleteKey(base); }

  test::ScopedRegistry registry;
  std::shared_ptr<SettingsStore> store = SettingsStore::Open(SettingsHive::CurrentUser);
};

TEST_P(SettingsStoreContract, Row) {
  if (GetParam().name == std::string("OrderIsCreationOrderAndAnOverwriteKeepsItsPlace") &&
      testing::UnderWine())
    GTEST_SKIP() << "Wine's registry lists values sorted by name, Windows in creation order";
  EXPECT_EQ(Outcome([&] { return GetParam().steps(*store); }), WithBase(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Rows, SettingsStoreContract, ::testing::ValuesIn(ContractRows()),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(SettingsStore, TheRootCannotBeDeleted) {
  test::ScopedRegistry registry;
  for (const char* root : {"", "\\"})
    EXPECT_EQ(Outcome([&] {
                return std::to_string(
                    SettingsStore::Open(SettingsHive::CurrentUser)->DeleteKey(root));
              }),
              "[invalid_argument] the root of a settings hive cannot be deleted: Invalid argument")
        << root;
}

TEST(SettingsKeyPath, OneLeadingBackslashIsTheRootAndOnlyEmptyNamesAreRefused) {
  const struct {
    const char* path;
    std::optional<std::string> fromRoot;
  } rows[] = {
      {"", ""},
      {"\\", ""},
      {"Software", "Software"},
      {"Software\\X", "Software\\X"},
      {"\\Software\\X", "Software\\X"},
      {"\\\\Software", std::nullopt},
      {"\\\\", std::nullopt},
      {"Software\\\\X", std::nullopt},
      {"Software\\", std::nullopt},
      {"\\Software\\", std::nullopt},
      {"\\Software\\\\X", std::nullopt},
  };
  for (const auto& row : rows)
    EXPECT_EQ(SettingsKeyPath(row.path), row.fromRoot) << row.path;
}

} // namespace
} // namespace kiv::platform
