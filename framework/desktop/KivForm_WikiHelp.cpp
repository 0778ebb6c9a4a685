#include "core/FileNames.h"
#include "framework/desktop/KivForm_.h"
#include "framework/toolkit/IniFile.h"
#include "framework/toolkit/PageControl.h"
#include "framework/toolkit/Screen.h"
#include "platform/Shell.h"

#include <stdexcept>

namespace kiv {

namespace {

// The help index: Help/Help.ini in the executable's folder.
TIniFile HelpIndex() {
  const char separator = PathSeparator();
  return TIniFile(ExtractFilePath(Application().ExeName()) + "Help" + separator + "Help.ini");
}

// A tab's key in the help index: its caption without accelerator marks and spaces.
std::string TabKey(const std::string& caption) {
  std::string key;
  for (const char c : caption)
    if (c != '&' && c != ' ')
      key += c;
  return key;
}

} // namespace

// Without a contact the text stops after its first sentence, rather than ask the user to contact
// nobody or someone made up.
std::string WikiHelpUnavailableText(const std::string& AContact) {
  std::string text = "Wiki help for the active window is not available.";
  if (!AContact.empty())
    text += " Please contact " + AContact + " for help.";
  return text;
}

bool TKivForm::ShowWikiHelp() {
  try {
    const TScreenCursorGuard busy(crHourGlass, crDefault);
    const std::string page = WikiHelpPage();
    return !page.empty() && platform::OpenWithShell(page);
  } catch (...) {
    return false;
  }
}

// The page of the form's section: its "Page" in page mode (the "DefaultPage" one for a section
// without), or in tab mode the value named after the active tab of the first page control that
// has one. Empty when there is none.
std::string TKivForm::WikiHelpPage() {
  const TIniFile index = HelpIndex();
  const std::string section = FWikiHelpFormName.empty() ? ClassName() : FWikiHelpFormName;
  if (index.ReadInteger(section, "TabSetting", -1) == -1) {
    if (index.ValueExists(section, "Page"))
      return index.ReadString(section, "Page", "");
    // The section exists with this exact spelling, but names no page of its own.
    for (const std::string& name : index.ReadSections())
      if (name == section)
        return index.ReadString("DefaultPage", "Page", "");
    return {};
  }
  for (int i = 0; i < ComponentCount(); ++i) {
    const auto* pages = dynamic_cast<const TPageControl*>(&Components(i));
    if (!pages)
      continue;
    const TTabSheet* active = pages->ActivePage();
    if (!active)
      throw std::logic_error("TKivForm.ShowWikiHelp: " + pages->Name() + " has no active page");
    std::string page = index.ReadString(section, TabKey(active->Caption()), "");
    if (!page.empty())
      return page;
  }
  return {};
}

} // namespace kiv
