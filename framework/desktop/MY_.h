#pragma once

// The framework unit MY_: system information (TOperatingSystem, TComputer, TNetwork, TUser,
// TDisk, TInformation, GetFileVersionText), the file and text tools (TTools), the diagnostic log
// (TDebug), the dialog helpers (TDialog, TUITools) and the framework aggregate (TMy, My(), made by
// TFrameworkStartup). The services that need windows reach the
// desktop toolkit through TWindowServices (TDesktopWindowServices, TDialogProgress) and the log
// its window through TLogWindow (TDialogLogWindow); the dialog helpers and those are in
// kiv_framework_desktop with the aggregate.

#include "framework/base/Computer.h"
#include "framework/base/Debug.h"
#include "framework/base/Disk.h"
#include "framework/base/FileVersionText.h"
#include "framework/base/Information.h"
#include "framework/base/LogWindow.h"
#include "framework/base/Network.h"
#include "framework/base/OperatingSystem.h"
#include "framework/base/Tools.h"
#include "framework/base/User.h"
#include "framework/base/WindowServices.h"
#include "framework/desktop/DesktopWindowServices.h"
#include "framework/desktop/Dialog.h"
#include "framework/desktop/DialogLogWindow.h"
#include "framework/desktop/FrameworkStartup.h"
#include "framework/desktop/My.h"
#include "framework/desktop/UITools.h"
