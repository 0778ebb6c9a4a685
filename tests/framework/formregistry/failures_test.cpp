#include "framework/toolkit/StandardControls.h"
#include "platform/testing/SettingsStoreSeam.h"
#include "testing/gui/FormRegistryFixture.h"
#include "testing/support/Failure.h"

namespace kiv::test {
namespace {

// A settings database that cannot grow for the life of the object.
class FullStore {
public:
  FullStore() { platform::testing::settingsPageLimit = 1; }
  ~FullStore() { platform::testing::settingsPageLimit = 0; }
  FullStore(const FullStore&) = delete;
  FullStore& operator=(const FullStore&) = delete;
};

using FormRegistryFailures = FormRegistryTest;

// The dock site's name is the one value too large for the store: the values saved before it
// are undone with it.
TEST_F(FormRegistryFailures, AFullStoreFailsSavePositionWholeWithItsLocations) {
  form.SetBounds(10, 10, 300, 200);
  form.HostDockSiteName.assign(200000, 'd');
  TFormRegistry registry(form, 3);
  std::pair<std::string, std::string> failure;
  {
    const FullStore full;
    failure = Failure([&] { registry.SavePosition(); });
  }
  EXPECT_EQ(failure.first, "EPFatal");
  EXPECT_EQ(failure.second.rfind(
                "TFormRegistry.SavePosition\nTFormRegistry.SaveDockHost\nsqlite3_step ", 0),
            0u)
      << failure.second;
  EXPECT_NE(failure.second.find(": database or disk is full"), std::string::npos);
  EXPECT_EQ(ValueNames(FormKey("MapForm\\Position")), std::vector<std::string>{"Version"});
}

// A control content save stops at the control that fails, and nothing of it is kept.
TEST_F(FormRegistryFailures, AFullStoreFailsAControlContentSaveWhole) {
  auto* small = new TEdit(&form);
  small->SetName("Small");
  small->SetTag(1);
  small->SetText("kept?");
  auto* large = new TEdit(&form);
  large->SetName("Large");
  large->SetTag(1);
  large->SetText(std::string(200000, 'x'));
  TFormRegistry registry(form, 3);
  std::pair<std::string, std::string> failure;
  {
    const FullStore full;
    failure = Failure([&] { registry.SaveControlContent(form, 1); });
  }
  EXPECT_EQ(failure.first, "EPFatal");
  EXPECT_EQ(failure.second.rfind("TFormRegistry.Save\nTFormRegistry.WriteByName\nsqlite3_step ", 0),
            0u)
      << failure.second;
  EXPECT_FALSE(KeyExists(FormKey("MapForm\\Settings")));
}

TEST_F(FormRegistryFailures, AConstructorThatCannotStampFailsWithEveryRoutineCrossed) {
  PutInteger(ProgramKey(), "Started", 1);
  form.SetName(std::string(200000, 'M'));
  std::pair<std::string, std::string> failure;
  {
    const FullStore full;
    failure = Failure([&] { TFormRegistry registry(form, 3); });
  }
  EXPECT_EQ(failure.first, "EPFatal");
  EXPECT_EQ(failure.second.rfind("TFormRegistry.Create\nTFormRegistry.CheckVersionNo\n"
                                 "TFormRegistry.SaveVersion\nsqlite3_step ",
                                 0),
            0u)
      << failure.second.substr(0, 200);
}

} // namespace
} // namespace kiv::test
