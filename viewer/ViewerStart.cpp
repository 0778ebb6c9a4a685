#include "viewer/ViewerStart.h"

#include "framework/base/Debug.h"
#include "framework/desktop/My.h"

namespace kiv::viewer {

TKivViewForm& StartViewer(TApplication& AApplication, const std::vector<std::string>& AArguments,
                          const std::string& ALogFile) {
  My()->Debug->StartLogFile(ALogFile);
  auto* form = new TKivViewForm(&AApplication);
  KivFormList->AddForm(*form, true);
  AApplication.SetMainForm(form);
  form->Show();
  if (AArguments.size() > 1)
    form->OpenFile(AArguments[1]);
  return *form;
}

} // namespace kiv::viewer
