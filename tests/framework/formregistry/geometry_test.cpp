#include "framework/toolkit/Screen.h"
#include "testing/gui/FormRegistryFixture.h"

namespace kiv::test {
namespace {

using FormRegistryGeometry = FormRegistryTest;

TEST_F(FormRegistryGeometry, SavePositionStoresEveryValueUnderItsNameAndType) {
  form.SetBounds(100, 120, 640, 480);
  form.SetFormStyle(TFormStyle::fsStayOnTop);
  form.SetBorderStyle(TFormBorderStyle::bsDialog);
  form.UndockHeight = 300;
  form.LRDockWidth = 70;
  form.TBDockHeight = 80;
  form.HostDockSiteName = "DockPanel";
  form.DragKind = TDragKind::dkDock;
  TFormRegistry registry(form, 3);
  registry.SavePosition();
  const std::string position = FormKey("MapForm\\Position");
  EXPECT_EQ(ValueNames(position),
            (std::vector<std::string>{"Version", "Left", "Top", "Width", "Height", "UndockHeight",
                                      "UndockWidth", "WindowState", "Visible", "DockHost",
                                      "FormStyle", "BorderStyle", "DragMode", "DragKind",
                                      "LRDockWidth", "TBDockHeight"}));
  EXPECT_EQ(GetInteger(position, "Left"), 100);
  EXPECT_EQ(GetInteger(position, "Width"), 640);
  EXPECT_EQ(GetInteger(position, "UndockWidth"), 640);
  EXPECT_EQ(GetInteger(position, "UndockHeight"), 300);
  EXPECT_EQ(GetInteger(position, "Visible"), 0);
  EXPECT_EQ(GetString(position, "DockHost"), "DockPanel");
  EXPECT_EQ(GetBinary(position, "WindowState"), std::vector<std::uint8_t>{0});
  EXPECT_EQ(GetBinary(position, "FormStyle"), std::vector<std::uint8_t>{3});
  EXPECT_EQ(GetBinary(position, "BorderStyle"), std::vector<std::uint8_t>{3});
  EXPECT_EQ(GetBinary(position, "DragKind"), std::vector<std::uint8_t>{1});
  EXPECT_EQ(GetInteger(position, "TBDockHeight"), 80);
  EXPECT_EQ(registry.GetFormStyle(), TFormStyle::fsStayOnTop);
  EXPECT_EQ(registry.GetDockHost(), "DockPanel");
}

TEST_F(FormRegistryGeometry, RestoreGivesBackTheSavedPlacement) {
  form.SetBounds(100, 120, 640, 480);
  form.UndockWidth = 200;
  form.LRDockWidth = 70;
  TFormRegistry(form, 3).SavePosition();
  TForm next(nullptr);
  next.SetName("MapForm");
  next.SetBounds(0, 0, 300, 200);
  TFormRegistry registry(next, 3);
  EXPECT_TRUE(registry.Restore());
  EXPECT_EQ(next.Left(), 100);
  EXPECT_EQ(next.Top(), 120);
  EXPECT_EQ(next.Width(), 640);
  EXPECT_EQ(next.Height(), 480);
  EXPECT_EQ(next.UndockWidth, 200);
  EXPECT_EQ(next.UndockHeight, 480);
  EXPECT_EQ(next.LRDockWidth, 70);
}

TEST_F(FormRegistryGeometry, AFreshKeyGetsOnlyTheStampAndADefaultFormIsCentred) {
  form.SetBounds(5, 5, 400, 300);
  form.SetPosition(TPosition::poDefault);
  TFormRegistry registry(form, 3);
  store.DeleteKey("\\" + FormKey("MapForm"));
  EXPECT_FALSE(registry.Restore());
  EXPECT_EQ(ValueNames(FormKey("MapForm\\Position")), std::vector<std::string>{"Version"});
  EXPECT_EQ(form.Left(), (1920 - 400) / 2);
  EXPECT_EQ(form.Top(), (1080 - 300) / 2);
}

TEST_F(FormRegistryGeometry, AFormMostlyOffTheScreenIsBroughtBack) {
  struct Case {
    int left, top, width, height;
    int wantLeft, wantTop;
  };
  const Case cases[] = {
      {1800, 1000, 400, 300, 1920 - 400, 1080 - 300},
      {-380, -280, 400, 300, 0, 0},
      {100, 100, 400, 300, 100, 100},
  };
  TFormRegistry registry(form, 3);
  for (const Case& c : cases) {
    form.SetBounds(c.left, c.top, c.width, c.height);
    EXPECT_FALSE(registry.Restore());
    EXPECT_EQ(form.Left(), c.wantLeft) << c.left;
    EXPECT_EQ(form.Top(), c.wantTop) << c.top;
  }
}

TEST_F(FormRegistryGeometry, LeftAndTopAreKeptWithinTheScreenOnlyWhenTheSizeIsKnown) {
  struct Case {
    bool horizontal;
    int place;
    std::optional<int> size;
    int want;
  };
  const Case cases[] = {{true, 3000, 800, 1120},
                        {true, -50, 800, 0},
                        {true, -50, std::nullopt, -50},
                        {false, 3000, 800, 280}};
  const std::string position = FormKey("MapForm\\Position");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.place);
    store.DeleteKey("\\" + position);
    PutInteger(position, c.horizontal ? "Left" : "Top", c.place);
    if (c.size)
      PutInteger(position, c.horizontal ? "Width" : "Height", *c.size);
    TFormRegistry registry(form, 0);
    EXPECT_EQ(c.horizontal ? registry.GetLeft() : registry.GetTop(), c.want);
  }
}

TEST_F(FormRegistryGeometry, AnEnumerationOfAnotherSizeReadsAsTheFirstAndAStateIsMended) {
  const std::string position = FormKey("MapForm\\Position");
  PutInteger(position, "WindowState", 2);
  PutBinary(position, "FormStyle", {3, 0});
  PutBinary(position, "BorderStyle", {9});
  PutString(position, "Visible", "yes");
  TFormRegistry registry(form, 0);
  EXPECT_EQ(registry.GetWindowState(), TWindowState::wsNormal);
  EXPECT_EQ(GetBinary(position, "WindowState"), std::vector<std::uint8_t>{0});
  EXPECT_EQ(registry.GetFormStyle(), TFormStyle::fsNormal);
  EXPECT_EQ(registry.GetBorderStyle(), TFormBorderStyle::bsNone);
  EXPECT_FALSE(registry.GetVisible());
  EXPECT_EQ(GetBinary(position, "FormStyle"), (std::vector<std::uint8_t>{3, 0}));
}

TEST_F(FormRegistryGeometry, VisibleIsTrueWithoutKeyAndFalseWithoutValue) {
  TFormRegistry byName("Survey", 0);
  EXPECT_TRUE(byName.GetVisible());
  TFormRegistry registry(form, 0);
  EXPECT_FALSE(registry.GetVisible());
  EXPECT_EQ(registry.GetDockHost(), "");
  EXPECT_EQ(registry.GetDragKind(), TDragKind::dkDrag);
}

// The stored window state and border style decide what a restore applies.
TEST_F(FormRegistryGeometry, StateAndBorderStyleDecideWhatIsRestored) {
  struct Case {
    std::uint8_t state;
    std::uint8_t border;
    TWindowState wantState;
    int wantLeft, wantWidth;
  };
  const Case cases[] = {{0, 2, TWindowState::wsNormal, 100, 640},   // sizeable: place and size
                        {0, 3, TWindowState::wsNormal, 100, 300},   // dialog: place only
                        {1, 2, TWindowState::wsNormal, 10, 300},    // minimized: neither
                        {2, 0, TWindowState::wsMaximized, 10, -1}}; // maximized: the state only
  const std::string position = FormKey("MapForm\\Position");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state * 10 + c.border);
    TForm target(nullptr);
    target.SetName("MapForm");
    target.SetBounds(10, 10, 300, 200);
    PutInteger(position, "Left", 100);
    PutInteger(position, "Top", 100);
    PutInteger(position, "Width", 640);
    PutInteger(position, "Height", 480);
    PutInteger(position, "LRDockWidth", 33);
    PutBinary(position, "WindowState", {c.state});
    PutBinary(position, "BorderStyle", {c.border});
    TFormRegistry registry(target, 0);
    EXPECT_TRUE(registry.Restore());
    EXPECT_EQ(target.WindowState(), c.wantState);
    if (c.wantWidth > 0) {
      EXPECT_EQ(target.Left(), c.wantLeft);
      EXPECT_EQ(target.Width(), c.wantWidth);
    }
    EXPECT_EQ(target.LRDockWidth, 33);
  }
}

} // namespace
} // namespace kiv::test
