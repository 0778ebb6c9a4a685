#include "framework/toolkit/Screen.h"
#include "testing/gui/FormRegistryFixture.h"

#include <cstdlib>
#include <string>

namespace kiv::test {
namespace {

// Runs on the test screen of 96 dpi and, registered once more with a screen configuration of
// its own, at 120 and 144 dpi (KIV_TEST_SCREEN_DPI names the density that run must have).
class FormRegistryDpi : public FormRegistryTest {
protected:
  // 96 and 120 dpi keep sizes as stored, 144 dpi doubles them.
  int Factor() const { return form.PixelsPerInch() >= 144 ? 2 : 1; }
};

TEST_F(FormRegistryDpi, RunsOnTheScreenItWasRegisteredFor) {
  const char* expected = std::getenv("KIV_TEST_SCREEN_DPI");
  EXPECT_EQ(form.PixelsPerInch(), expected ? std::stoi(expected) : 96);
  EXPECT_EQ(Screen().Width(), 1920);
}

TEST_F(FormRegistryDpi, StoredSizesAreScaledByTheRoundedDensity) {
  PutInteger(FormKey("MapForm\\Position"), "Width", 500);
  PutInteger(FormKey("MapForm\\Position"), "UndockHeight", 301);
  TFormRegistry registry(form, 0);
  EXPECT_EQ(registry.GetWidth(), 500 * Factor());
  EXPECT_EQ(registry.GetUndockHeight(), 301 * Factor());
}

TEST_F(FormRegistryDpi, FiveSavesAndRestoresLeaveThePlacementAsItWas) {
  form.SetBounds(100, 60, 800, 600);
  for (int run = 0; run < 5; ++run) {
    TFormRegistry registry(form, 1);
    registry.SavePosition();
    TFormRegistry next(form, 1);
    ASSERT_TRUE(next.Restore());
  }
  EXPECT_EQ(form.Left(), 100);
  EXPECT_EQ(form.Top(), 60);
  EXPECT_EQ(form.Width(), 800);
  EXPECT_EQ(form.Height(), 600);
  EXPECT_EQ(GetInteger(FormKey("MapForm\\Position"), "Width"), 800 / Factor());
}

} // namespace
} // namespace kiv::test
