#pragma once

// The Windows implementations' side of fault injection: each system call of these services asks
// Struck first, which sets the thread's last error as the failed call would.

#include "platform/testing/FaultInjection.h"

namespace kiv::platform::win32 {

// True when an armed fault strikes this call of operation; the last error is then set.
bool Struck(testing::Operation operation);

} // namespace kiv::platform::win32
