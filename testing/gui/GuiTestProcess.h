#pragma once

#include "testing/support/ScopedEnvironment.h"
#include "testing/support/TempDir.h"

#include <optional>
#include <string>

namespace kiv::test {

// What a GUI test program sets up before its application object exists, for its whole life:
// - an offscreen screen of 1920 by 1080 pixels at 96 dpi, unless QT_QPA_PLATFORM names a
//   platform already;
// - Qt's per-user folders in a temporary folder of the process's own, removed at its end: the
//   runtime folder (else Qt warns and makes /tmp/runtime-<user>) and the configuration, data
//   and cache folders (Qt's file dialog keeps its state in ~/.config/QtProject.conf). A death
//   test's child, which may end without cleaning up, uses its parent's;
// - no message for what a screen without windows cannot do (raise a window, grab the keyboard),
//   which every test would print.
class GuiTestProcess {
public:
  GuiTestProcess();
  GuiTestProcess(const GuiTestProcess&) = delete;
  GuiTestProcess& operator=(const GuiTestProcess&) = delete;

private:
  std::optional<TempDir> owned_;
  std::string folder_;
  ScopedEnvironment runtime_;
  ScopedEnvironment config_;
  ScopedEnvironment data_;
  ScopedEnvironment cache_;
};

} // namespace kiv::test
