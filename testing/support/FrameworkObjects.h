#pragma once

#include "framework/base/Computer.h"
#include "framework/base/Disk.h"
#include "framework/base/Information.h"
#include "framework/base/Network.h"
#include "framework/base/OperatingSystem.h"
#include "framework/base/User.h"

namespace kiv::test {

// The information objects wired as the framework aggregate wires them.
struct FrameworkObjects {
  TOperatingSystem System;
  TComputer Computer;
  TUser User;
  TNetwork Network;
  TInformation Information{System, Computer, User, Network};
  TDisk Disk;
};

} // namespace kiv::test
