#include "framework/toolkit/Menus.h"
#include "framework/toolkit/RecentFiles.h"
#include "framework/toolkit/detail/MenuParts.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

using Files = std::vector<std::string>;

// A "Reopen" submenu with room for three files.
struct ReopenMenu {
  ReopenMenu() {
    recent->OnChange = [this] { ++changes; };
    recent->OnOpen = [this](const std::string& file) { opened.push_back(file); };
  }
  // The captions of the items that show.
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (int i = 0; i < parent.Count(); ++i)
      if (parent.Items(i).Visible())
        captions.push_back(parent.Items(i).Caption());
    return captions;
  }
  TMenuItem parent{nullptr};
  TRecentFilesMenu* recent = new TRecentFilesMenu(&parent, parent, 3);
  int changes = 0;
  Files opened;
};

TEST(TRecentFilesMenu, KeepsTheNewestFirstUpToItsMost) {
  ReopenMenu menu;
  EXPECT_FALSE(menu.parent.Enabled());
  struct Step {
    const char* name;
    void (TRecentFilesMenu::*change)(const std::string&);
    const char* file;
    Files files;
  };
  const Step steps[] = {
      {"add", &TRecentFilesMenu::Add, "/m/a.mod", {"/m/a.mod"}},
      {"add", &TRecentFilesMenu::Add, "/m/b.mod", {"/m/b.mod", "/m/a.mod"}},
      {"add", &TRecentFilesMenu::Add, "/m/c.mod", {"/m/c.mod", "/m/b.mod", "/m/a.mod"}},
      {"an equal entry moves up",
       &TRecentFilesMenu::Add,
       "/m/a.mod",
       {"/m/a.mod", "/m/c.mod", "/m/b.mod"}},
      {"the oldest goes", &TRecentFilesMenu::Add, "/m/d.mod", {"/m/d.mod", "/m/a.mod", "/m/c.mod"}},
      {"remove", &TRecentFilesMenu::Remove, "/m/a.mod", {"/m/d.mod", "/m/c.mod"}},
      {"remove one not there", &TRecentFilesMenu::Remove, "/m/x.mod", {"/m/d.mod", "/m/c.mod"}},
  };
  for (const Step& step : steps) {
    (menu.recent->*step.change)(step.file);
    EXPECT_EQ(menu.recent->Files(), step.files) << step.name;
  }
  EXPECT_EQ(menu.Captions(), (std::vector<std::string>{"&1 /m/d.mod", "&2 /m/c.mod"}));
  EXPECT_TRUE(menu.parent.Enabled());
  EXPECT_EQ(menu.changes, 6); // removing a file not there changes nothing
  menu.recent->Remove("/m/d.mod");
  menu.recent->Remove("/m/c.mod");
  EXPECT_FALSE(menu.parent.Enabled());
  EXPECT_TRUE(menu.Captions().empty());
}

TEST(TRecentFilesMenu, RestoredListLosesDuplicatesAndWhatIsTooMany) {
  ReopenMenu menu;
  menu.recent->SetFiles({"/a", "/b", "/a", "/c", "/d"});
  EXPECT_EQ(menu.recent->Files(), (Files{"/a", "/b", "/c"}));
  EXPECT_EQ(menu.changes, 1);
}

TEST(TRecentFilesMenu, ShowsAmpersandsOfPathsAndOpensTheFullPath) {
  ReopenMenu menu;
  menu.recent->SetFiles({"/R&D/x.mod", "/runs/y.mod"});
  EXPECT_EQ(menu.Captions(), (std::vector<std::string>{"&1 /R&&D/x.mod", "&2 /runs/y.mod"}));
  // Opening moves the file up from the item's own click, which changes that item.
  menu.recent->OnOpen = [&menu](const std::string& file) {
    menu.opened.push_back(file);
    menu.recent->Add(file);
  };
  menu.parent.Items(1).QtAction().action.trigger();
  menu.parent.Items(1).QtAction().action.trigger();
  EXPECT_EQ(menu.opened, (Files{"/runs/y.mod", "/R&D/x.mod"}));
  EXPECT_EQ(menu.recent->Files(), (Files{"/R&D/x.mod", "/runs/y.mod"}));
}

} // namespace
} // namespace kiv
