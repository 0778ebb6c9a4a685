#include "framework/toolkit/Containers.h"
#include "framework/toolkit/ExtraControls.h"
#include "framework/toolkit/Grids.h"
#include "framework/toolkit/Panel.h"
#include "framework/toolkit/StandardControls.h"
#include "testing/gui/FormRegistryFixture.h"
#include "testing/support/Failure.h"

namespace kiv::test {
namespace {

using FormRegistryControls = FormRegistryTest;
using Lines = std::vector<std::string>;

template <class Control> Control& Make(TComponent& owner, const char* name, int tag) {
  auto* control = new Control(&owner);
  control->SetName(name);
  control->SetTag(tag);
  return *control;
}

// One control of every kind whose content is kept, made for an owner with one tag.
struct ContentControls {
  explicit ContentControls(TComponent& owner, int tag = 5)
      : edit(Make<TEdit>(owner, "Edit", tag)), memo(Make<TMemo>(owner, "Memo", tag)),
        labeled(Make<TLabeledEdit>(owner, "Labeled", tag)),
        combo(Make<TComboBox>(owner, "Combo", tag)), check(Make<TCheckBox>(owner, "Check", tag)),
        radio(Make<TRadioButton>(owner, "Radio", tag)), list(Make<TListBox>(owner, "List", tag)),
        group(Make<TRadioGroup>(owner, "Group", tag)) {
    for (const char* item : {"a", "b", "c"})
      combo.AddItem(item);
    group.AddItem("x");
    group.AddItem("y");
  }
  void Fill() {
    edit.SetText("edited");
    memo.SetText("line 1\nline 2");
    labeled.SetText("labelled");
    combo.SetItemIndex(2);
    check.SetChecked(true);
    radio.SetChecked(true);
    for (const char* item : {"p", "", "q"})
      list.AddItem(item);
    group.SetItemIndex(1);
  }
  void ExpectFilled() const {
    EXPECT_EQ(edit.Text(), "edited");
    EXPECT_EQ(memo.Text(), "line 1\nline 2");
    EXPECT_EQ(labeled.Text(), "labelled");
    EXPECT_EQ(combo.ItemIndex(), 2);
    EXPECT_EQ(combo.Text(), "c");
    EXPECT_TRUE(check.Checked());
    EXPECT_TRUE(radio.Checked());
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Item(1), "");
    EXPECT_EQ(list.Item(2), "q");
    EXPECT_EQ(group.ItemIndex(), 1);
  }
  TEdit& edit;
  TMemo& memo;
  TLabeledEdit& labeled;
  TComboBox& combo;
  TCheckBox& check;
  TRadioButton& radio;
  TListBox& list;
  TRadioGroup& group;
};

TEST_F(FormRegistryControls, ContentOfEveryKindRoundTripsOnTheFormAndInAFrame) {
  for (const bool inFrame : {false, true}) {
    SCOPED_TRACE(inFrame ? "in a frame" : "on the form");
    store.DeleteKey("\\" + ProgramKey());
    TForm saved(nullptr);
    saved.SetName("MapForm");
    TComponent& savedOwner =
        inFrame ? static_cast<TComponent&>(Make<TFrame>(saved, "Frame", 0)) : saved;
    ContentControls source(savedOwner);
    source.Fill();
    TFormRegistry registry(saved, 0);
    registry.SaveControlContent(saved, 5);
    EXPECT_EQ(ValueNames(FormKey("MapForm\\Settings")),
              (Lines{"Edit", "Memo", "Labeled", "Combo_Index", "Combo", "Check", "Radio", "List",
                     "Group"}));
    EXPECT_EQ(GetString(FormKey("MapForm\\Settings"), "List"), "p\r\n\r\nq\r\n");

    TForm loaded(nullptr);
    loaded.SetName("MapForm");
    TComponent& loadedOwner =
        inFrame ? static_cast<TComponent&>(Make<TFrame>(loaded, "Frame", 0)) : loaded;
    const ContentControls target(loadedOwner);
    TFormRegistry(loaded, 0).LoadControlContent(loaded, 5);
    target.ExpectFilled();
  }
}

TEST_F(FormRegistryControls, OnlyControlsWithTheTagAreKeptAndFramesWithItAreNotEntered) {
  auto& other = Make<TEdit>(form, "Other", 4);
  auto& taggedFrame = Make<TFrame>(form, "Tagged", 5);
  auto& inTagged = Make<TEdit>(taggedFrame, "InTagged", 5);
  auto& frame = Make<TFrame>(form, "Frame", 0);
  auto& inner = Make<TFrame>(frame, "Inner", 0);
  auto& deep = Make<TEdit>(inner, "Deep", 5);
  other.SetText("x");
  inTagged.SetText("x");
  deep.SetText("x");
  TFormRegistry registry(form, 0);
  registry.SaveControlContent(form, 5);
  EXPECT_FALSE(KeyExists(FormKey("MapForm\\Settings")));
}

TEST_F(FormRegistryControls, ControlsOfOneNameInTwoFramesShareOneValue) {
  auto& first = Make<TEdit>(Make<TFrame>(form, "First", 0), "Shared", 5);
  auto& second = Make<TEdit>(Make<TFrame>(form, "Second", 0), "Shared", 5);
  first.SetText("one");
  second.SetText("two");
  TFormRegistry registry(form, 0);
  registry.SaveControlContent(form, 5);
  first.SetText("");
  registry.LoadControlContent(form, 5);
  EXPECT_EQ(ValueNames(FormKey("MapForm\\Settings")), Lines{"Shared"});
  EXPECT_EQ(first.Text(), "two");
}

TEST_F(FormRegistryControls, AStaleIndexSelectsNothingAndWrongTypesLeaveControlsAlone) {
  const ContentControls controls(form);
  controls.check.SetChecked(true);
  TFormRegistry registry(form, 0);
  registry.WriteByName("Combo_Index", 7);
  registry.WriteByName("Combo", "b");
  registry.WriteByName("Group", 5);
  registry.WriteByName("Check", "yes");
  registry.WriteByName("Edit", 3);
  controls.group.SetItemIndex(0);
  registry.LoadControlContent(form, 5);
  EXPECT_EQ(controls.combo.ItemIndex(), 1);
  EXPECT_EQ(controls.group.ItemIndex(), -1);
  EXPECT_TRUE(controls.check.Checked());
  EXPECT_EQ(controls.edit.Text(), "");
}

TEST_F(FormRegistryControls, ColumnWidthsOfStringGridsOnly) {
  auto& grid = Make<TStringGrid>(form, "Layers", 0);
  auto& drawn = Make<TDrawGrid>(form, "Drawn", 0);
  grid.SetColCount(3);
  grid.SetColWidths(1, 90);
  TFormRegistry registry(form, 0);
  const std::string key = FormKey("MapForm\\Settings\\Layers");
  EXPECT_FALSE(registry.ReadColWidths(grid));
  registry.WriteColWidths(grid);
  registry.WriteColWidths(drawn);
  EXPECT_EQ(ValueNames(key), (Lines{"Col 0", "Col 1", "Col 2"}));
  EXPECT_EQ(ValueNames(FormKey("MapForm\\Settings\\Drawn")), Lines{});
  EXPECT_TRUE(registry.ReadColWidths(drawn));
  EXPECT_FALSE(registry.ReadColWidth(drawn, 0));

  store.DeleteKey("\\" + key);
  PutInteger(key, "Col 1", 50);
  EXPECT_FALSE(registry.ReadColWidths(grid));
  EXPECT_EQ(grid.ColWidths(1), 50);
  store.DeleteKey("\\" + key);
  PutInteger(key, "Col 0", 30);
  EXPECT_TRUE(registry.ReadColWidths(grid));
  EXPECT_EQ(grid.ColWidths(0), 30);

  grid.SetColWidths(2, 77);
  registry.WriteColWidth(grid, 2);
  registry.WriteColWidth(grid, 3);
  EXPECT_EQ(ValueNames(key), (Lines{"Col 0", "Col 2"}));
  grid.SetColWidths(2, 1);
  EXPECT_TRUE(registry.ReadColWidth(grid, 2));
  EXPECT_EQ(grid.ColWidths(2), 77);
  EXPECT_FALSE(registry.ReadColWidth(grid, 1));
  PutInteger(key, "Col 5", 10);
  EXPECT_EQ(Failure([&] { registry.ReadColWidth(grid, 5); }),
            Expected("EPFatal",
                     "TFormRegistry.ReadColWidth\nTCustomGrid.ColWidths: index 5 out of range"));
}

TEST_F(FormRegistryControls, APanelSizeAppliesTheWidthEvenWithoutHeight) {
  auto& panel = Make<TPanel>(form, "Side", 0);
  TFormRegistry registry(form, 0);
  const std::string key = FormKey("MapForm\\Settings\\Side");
  EXPECT_FALSE(registry.ReadPanelSize(panel));
  PutInteger(key, "Width", 120);
  EXPECT_FALSE(registry.ReadPanelSize(panel));
  EXPECT_EQ(panel.Width(), 120);
  PutInteger(key, "Height", 70);
  EXPECT_TRUE(registry.ReadPanelSize(panel));
  EXPECT_EQ(panel.Height(), 70);
  panel.SetBounds(0, 0, 33, 44);
  registry.WritePanelSize(panel);
  EXPECT_EQ(GetInteger(key, "Width"), 33);
  EXPECT_EQ(GetInteger(key, "Height"), 44);
}

TEST_F(FormRegistryControls, TheWholeFormVisitsOnlyWhatTheFormOwns) {
  auto& grid = Make<TStringGrid>(form, "Layers", 0);
  auto& panel = Make<TPanel>(form, "Side", 0);
  auto& frame = Make<TFrame>(form, "Frame", 0);
  Make<TStringGrid>(frame, "Inner", 0);
  Make<TPanel>(frame, "InnerPanel", 0);
  TFormRegistry registry(form, 0);
  registry.SaveAllCols();
  registry.SaveAllPanels();
  EXPECT_TRUE(KeyExists(FormKey("MapForm\\Settings\\Layers")));
  EXPECT_TRUE(KeyExists(FormKey("MapForm\\Settings\\Side")));
  EXPECT_FALSE(KeyExists(FormKey("MapForm\\Settings\\Inner")));
  EXPECT_FALSE(KeyExists(FormKey("MapForm\\Settings\\InnerPanel")));
  grid.SetColWidths(0, 3);
  panel.SetWidth(3);
  registry.ReadAllCols();
  registry.ReadAllPanels();
  EXPECT_EQ(grid.ColWidths(0), 64);
  EXPECT_NE(panel.Width(), 3);
  TFormRegistry("Survey", 0).SaveAllPanels();
}

} // namespace
} // namespace kiv::test
