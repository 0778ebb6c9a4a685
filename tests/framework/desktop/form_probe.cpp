// A desktop program with one TKivForm, for what depends on the program's own file: its name (the
// popup mode) and the help index beside it. Prints "popup=<0|1> help=<0|1>".
//
//   kiv_form_probe [SECTION [TAB]]   SECTION: the wiki help form name ("-": the class name);
//                                    TAB: the caption of the active tab of a page control.

#include "framework/desktop/KivForm_.h"
#include "framework/toolkit/PageControl.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  kiv::TApplication application(argc, argv);
  kiv::TKivFormListStartup forms(application);
  auto* form = new kiv::TKivForm(&application);
  if (argc > 1 && std::string(argv[1]) != "-")
    form->SetWikiHelpFormName(argv[1]);
  if (argc > 2) {
    auto* pages = new kiv::TPageControl(form);
    pages->SetParent(form);
    auto* general = new kiv::TTabSheet(form);
    general->SetCaption("General");
    general->SetPageControl(pages);
    auto* tab = new kiv::TTabSheet(form);
    tab->SetCaption(argv[2]);
    tab->SetPageControl(pages);
    pages->SetActivePage(*tab);
  }
  const bool popup = form->PopupMode == kiv::TPopupMode::pmExplicit;
  const bool help = form->ShowWikiHelp();
  std::printf("popup=%d help=%d\n", popup ? 1 : 0, help ? 1 : 0);
  return 0;
}
