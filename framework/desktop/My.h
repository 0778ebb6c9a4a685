#pragma once

// The framework aggregate of unit MY_ (TMy) and My(), through which a program reaches the
// framework's services.

#include <memory>

namespace kiv {

class TClipboard;
class TComputer;
class TDebug;
class TDesktopWindowServices;
class TDialog;
class TDialogLogWindow;
class TDialogProgress;
class TDisk;
class TInformation;
class TNetwork;
class TOperatingSystem;
class TPrinter;
class TScreen;
class TTools;
class TUITools;
class TUser;

// The framework aggregate: one object through which a desktop program reaches the toolkit's
// screen, printer and clipboard and the framework's services. It creates its members, gives each
// the others it needs (the tools and the log share the aggregate's dialog and information
// objects) and frees them. Needs the application object; one per program, made by the start-up
// object (FrameworkStartup.h) and reached through My().
class TMy {
public:
  // Creates the members in the order Network, User, Computer, OperatingSystem, Information,
  // Dialog, Tools, Disk, Debug, UITools. When one fails, those made so far are freed (as by the
  // destructor) and the failure passes on.
  TMy();
  // Frees UITools, Debug, Disk, Tools, Dialog, Computer, Information, OperatingSystem, User and
  // Network in this order; the screen, printer and clipboard stay.
  ~TMy();
  TMy(const TMy&) = delete;
  TMy& operator=(const TMy&) = delete;

  // The toolkit's process-wide objects; not owned.
  TScreen* const Screen;
  TPrinter* const Printer;
  TClipboard* const Clipboard;
  // Owned; never replaced.
  std::unique_ptr<TNetwork> Network;
  std::unique_ptr<TUser> User;
  std::unique_ptr<TOperatingSystem> OperatingSystem;
  std::unique_ptr<TInformation> Information;
  std::unique_ptr<TComputer> Computer;
  std::unique_ptr<TTools> Tools;
  std::unique_ptr<TDisk> Disk;
  std::unique_ptr<TDebug> Debug;
  std::unique_ptr<TDialog> Dialog;
  std::unique_ptr<TUITools> UITools;

private:
  // Frees the members that exist, in the destructor's order.
  void Release() noexcept;

  // What binds the dialog object and the toolkit to the tools, the information and the log.
  std::unique_ptr<TDesktopWindowServices> FWindowServices;
  std::unique_ptr<TDialogProgress> FDialogProgress;
  std::unique_ptr<TDialogLogWindow> FLogWindow;
};

// The program's aggregate while the start-up object lives; none before and after.
TMy* My() noexcept;

} // namespace kiv
