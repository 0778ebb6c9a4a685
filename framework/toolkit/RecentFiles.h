#pragma once

// Toolkit: the recent-files part of a menu (TRecentFilesMenu).

#include "framework/toolkit/Component.h"

#include <functional>
#include <string>
#include <vector>

namespace kiv {

class TMenuItem;

// The recent files as items of a submenu: one item per file under the parent ("&1 <path>",
// newest first, at most AMaxCount), the parent disabled while the list is empty. The items are
// its own; a freed parent leaves it with no menu to show in.
class TRecentFilesMenu : public TComponent {
public:
  TRecentFilesMenu(TComponent* AOwner, TMenuItem& AParent, int AMaxCount = 8);

  const std::vector<std::string>& Files() const noexcept { return FFiles; }
  // The list as restored from settings: cut to the most, later duplicates dropped.
  void SetFiles(std::vector<std::string> AFiles);
  // Puts the file at the top; an equal entry moves up.
  void Add(const std::string& AFileName);
  // Takes the file off the list (one that no longer opens).
  void Remove(const std::string& AFileName);

  // An entry was chosen: its full path.
  std::function<void(const std::string& AFileName)> OnOpen;
  // The list changed, so that the program stores it.
  std::function<void()> OnChange;

protected:
  void Notification(TComponent& AComponent, TOperation AOperation) override;

private:
  void Changed(std::vector<std::string> AFiles);
  void Open(std::size_t AIndex);

  TMenuItem* FParent;
  std::size_t FMaxCount;
  std::vector<std::string> FFiles;
  // One item per place in the list, hidden while the place is empty: an item is never freed
  // while the list changes, as its own click may be what changes it.
  std::vector<TMenuItem*> FItems;
};

} // namespace kiv
