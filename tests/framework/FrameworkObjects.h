#pragma once

#include "framework/MY_.h"

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
