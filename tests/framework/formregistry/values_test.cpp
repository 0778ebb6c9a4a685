#include "testing/gui/FormRegistryFixture.h"
#include "testing/support/Failure.h"

namespace kiv::test {
namespace {

using FormRegistryValues = FormRegistryTest;

TEST_F(FormRegistryValues, EachTypeReadsBackAsWrittenAndOnlyAsItsOwnType) {
  TFormRegistry registry(form, 0);
  registry.WriteByName("Count", 12);
  registry.WriteByName("Name", "12");
  registry.WriteByName("Depth", 2.5);
  registry.WriteByName("Shown", true);
  int count = 0;
  std::string name;
  double depth = 0;
  bool shown = false;
  EXPECT_TRUE(registry.ReadByName("count", count));
  EXPECT_TRUE(registry.ReadByName("Name", name));
  EXPECT_TRUE(registry.ReadByName("Depth", depth));
  EXPECT_TRUE(registry.ReadByName("Shown", shown));
  EXPECT_EQ(count, 12);
  EXPECT_EQ(name, "12");
  EXPECT_EQ(depth, 2.5);
  EXPECT_TRUE(shown);
  const std::string settings = FormKey("MapForm\\Settings");
  EXPECT_EQ(GetBinary(settings, "Depth").size(), 8u);
  EXPECT_EQ(GetInteger(settings, "Shown"), 1);

  int fromString = 7;
  EXPECT_FALSE(registry.ReadByName("Name", fromString));
  EXPECT_EQ(fromString, 7);
  EXPECT_FALSE(registry.ReadByName("Count", name));
  EXPECT_FALSE(registry.ReadByName("Count", depth));
  EXPECT_FALSE(registry.ReadByName("Name", shown));
  EXPECT_EQ(registry.ReadByNameDefault("Name", 5), 5);
  EXPECT_EQ(registry.ReadByNameDefault("Missing", "none"), "none");
  EXPECT_EQ(registry.ReadByNameDefault("Depth", 1.0), 2.5);
  EXPECT_TRUE(registry.ReadByNameDefault("Name", true));
  registry.ReadByNameDefault("Name", fromString, 9);
  EXPECT_EQ(fromString, 9);

  registry.WriteByName("Name", 3);
  EXPECT_EQ(registry.ReadByNameDefault("Name", 0), 3);
}

TEST_F(FormRegistryValues, AReadOfANeverWrittenKeyCreatesNothing) {
  TFormRegistry registry(form, 0);
  int value = 4;
  EXPECT_FALSE(registry.ReadByName("Count", value));
  EXPECT_EQ(value, 4);
  EXPECT_FALSE(KeyExists(FormKey("MapForm\\Settings")));
}

} // namespace
} // namespace kiv::test
