#include "framework/toolkit/RecentFiles.h"

#include "framework/toolkit/Menus.h"

#include <algorithm>
#include <stdexcept>

namespace kiv {

namespace {

// "&" marks a mnemonic in a caption: a path shows its own doubled.
std::string Literal(const std::string& text) {
  std::string literal;
  for (char c : text) {
    if (c == '&')
      literal += '&';
    literal += c;
  }
  return literal;
}

} // namespace

TRecentFilesMenu::TRecentFilesMenu(TComponent* AOwner, TMenuItem& AParent, int AMaxCount)
    : TComponent(AOwner), FParent(&AParent) {
  if (AMaxCount < 1)
    throw std::invalid_argument("TRecentFilesMenu: at most " + std::to_string(AMaxCount) +
                                " files");
  FMaxCount = static_cast<std::size_t>(AMaxCount);
  FreeNotification(AParent);
  for (std::size_t i = 0; i < FMaxCount; ++i) {
    auto* item = new TMenuItem(this);
    item->SetVisible(false);
    item->OnClick = [this, i] { Open(i); };
    AParent.Add(*item);
    FItems.push_back(item);
  }
  AParent.SetEnabled(false);
}

void TRecentFilesMenu::SetFiles(std::vector<std::string> AFiles) {
  std::vector<std::string> files;
  for (std::string& file : AFiles)
    if (files.size() < FMaxCount && std::find(files.begin(), files.end(), file) == files.end())
      files.push_back(std::move(file));
  Changed(std::move(files));
}

void TRecentFilesMenu::Add(const std::string& AFileName) {
  std::vector<std::string> files{AFileName};
  for (const std::string& file : FFiles)
    if (file != AFileName)
      files.push_back(file);
  files.resize(std::min(files.size(), FMaxCount));
  Changed(std::move(files));
}

void TRecentFilesMenu::Remove(const std::string& AFileName) {
  std::vector<std::string> files = FFiles;
  files.erase(std::remove(files.begin(), files.end(), AFileName), files.end());
  Changed(std::move(files));
}

void TRecentFilesMenu::Changed(std::vector<std::string> AFiles) {
  if (AFiles == FFiles)
    return;
  FFiles = std::move(AFiles);
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    const bool used = i < FFiles.size();
    // Appended, not prepended: GCC's optimiser warns falsely (-Wrestrict) of "&" + a temporary.
    std::string caption;
    if (used)
      caption.append("&").append(std::to_string(i + 1)).append(" ").append(Literal(FFiles[i]));
    FItems[i]->SetCaption(caption);
    FItems[i]->SetVisible(used);
  }
  if (FParent)
    FParent->SetEnabled(!FFiles.empty());
  if (OnChange)
    OnChange();
}

void TRecentFilesMenu::Open(std::size_t AIndex) {
  // A copy: OnOpen may change the list (move the file up, or remove it).
  const std::string file = FFiles.at(AIndex);
  if (OnOpen)
    OnOpen(file);
}

void TRecentFilesMenu::Notification(TComponent& AComponent, TOperation AOperation) {
  if (AOperation == TOperation::opRemove && &AComponent == static_cast<TComponent*>(FParent))
    FParent = nullptr;
}

} // namespace kiv
