#pragma once

// The framework unit MY_: system information (TOperatingSystem, TComputer, TNetwork, TUser,
// TDisk, TInformation, GetFileVersionText), the file and text tools (TTools) and the diagnostic
// log (TDebug). The services that need windows reach the desktop toolkit through TWindowServices,
// and the log its window through TLogWindow.

#include "framework/Computer.h"
#include "framework/Debug.h"
#include "framework/Disk.h"
#include "framework/FileVersionText.h"
#include "framework/Information.h"
#include "framework/LogWindow.h"
#include "framework/Network.h"
#include "framework/OperatingSystem.h"
#include "framework/Tools.h"
#include "framework/User.h"
#include "framework/WindowServices.h"
