#include "framework/desktop/My.h"

#include "framework/base/Computer.h"
#include "framework/base/Debug.h"
#include "framework/base/Disk.h"
#include "framework/base/Information.h"
#include "framework/base/Network.h"
#include "framework/base/OperatingSystem.h"
#include "framework/base/Tools.h"
#include "framework/base/User.h"
#include "framework/desktop/DesktopWindowServices.h"
#include "framework/desktop/Dialog.h"
#include "framework/desktop/DialogLogWindow.h"
#include "framework/desktop/UITools.h"
#include "framework/desktop/testing/MemberReleaseSeam.h"
#include "framework/toolkit/Clipboard.h"
#include "framework/toolkit/Printer.h"
#include "framework/toolkit/Screen.h"

#include <string_view>

namespace kiv {
namespace {

template <class T> void Free(std::unique_ptr<T>& AMember, std::string_view AField) noexcept {
  if (!AMember)
    return;
  AMember.reset();
  if (desktop::testing::memberReleased != nullptr)
    desktop::testing::memberReleased(AField);
}

} // namespace

TMy::TMy() : Screen(&kiv::Screen()), Printer(&kiv::Printer()), Clipboard(&kiv::Clipboard()) {
  try {
    Network = std::make_unique<TNetwork>();
    User = std::make_unique<TUser>();
    Computer = std::make_unique<TComputer>();
    OperatingSystem = std::make_unique<TOperatingSystem>();
    Information = std::make_unique<TInformation>(*OperatingSystem, *Computer, *User, *Network);
    Dialog = std::make_unique<TDialog>(nullptr);
    FWindowServices = std::make_unique<TDesktopWindowServices>();
    FDialogProgress = std::make_unique<TDialogProgress>(*Dialog);
    FLogWindow = std::make_unique<TDialogLogWindow>(*Dialog);
    Information->SetWindowServices(FWindowServices.get());
    Tools = std::make_unique<TTools>(FDialogProgress.get(), *Information);
    Tools->SetWindowServices(FWindowServices.get());
    Disk = std::make_unique<TDisk>();
    Debug = std::make_unique<TDebug>(*FLogWindow, *Tools, *Information);
    UITools = std::make_unique<TUITools>();
  } catch (...) {
    Release();
    throw;
  }
}

TMy::~TMy() {
  Release();
}

void TMy::Release() noexcept {
  Free(UITools, "UITools");
  Free(Debug, "Debug");
  Free(Disk, "Disk");
  Free(Tools, "Tools");
  // The bindings to the dialog object go with it: nothing that uses them is left.
  FLogWindow.reset();
  FDialogProgress.reset();
  Free(Dialog, "Dialog");
  Free(Computer, "Computer");
  Free(Information, "Information");
  FWindowServices.reset();
  Free(OperatingSystem, "OperatingSystem");
  Free(User, "User");
  Free(Network, "Network");
}

} // namespace kiv
