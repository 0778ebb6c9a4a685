#pragma once

// The framework unit MY_: system information (TOperatingSystem, TComputer, TNetwork, TUser,
// TDisk, TInformation, GetFileVersionText), the file and text tools (TTools), the diagnostic log
// (TDebug), the dialog helpers (TDialog, TUITools) and the framework aggregate (TMy, My(), made by
// TFrameworkStartup). The services that need windows reach the
// desktop toolkit through TWindowServices (TDesktopWindowServices, TDialogProgress) and the log
// its window through TLogWindow (TDialogLogWindow); the dialog helpers and those are in
// kiv_framework_desktop with the aggregate.

#include "framework/Computer.h"
#include "framework/Debug.h"
#include "framework/DesktopWindowServices.h"
#include "framework/Dialog.h"
#include "framework/DialogLogWindow.h"
#include "framework/Disk.h"
#include "framework/FileVersionText.h"
#include "framework/FrameworkStartup.h"
#include "framework/Information.h"
#include "framework/LogWindow.h"
#include "framework/My.h"
#include "framework/Network.h"
#include "framework/OperatingSystem.h"
#include "framework/Tools.h"
#include "framework/UITools.h"
#include "framework/User.h"
#include "framework/WindowServices.h"
