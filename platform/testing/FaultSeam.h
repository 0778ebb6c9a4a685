#pragma once

// The implementations' side of fault injection (see FaultInjection.h): each system call asks
// InjectedFault first, which costs a load and an untaken branch while no fault is armed.

#include "platform/testing/FaultInjection.h"

#include <optional>

namespace kiv::platform::testing {

// Set by kiv_platform_testing while at least one fault is armed.
using FaultHook = std::optional<Fault> (*)(Operation);
inline FaultHook faultHook = nullptr;

// The fault that strikes this call of operation, if any.
inline std::optional<Fault> InjectedFault(Operation operation) {
  if (faultHook == nullptr) [[likely]]
    return std::nullopt;
  return faultHook(operation);
}

} // namespace kiv::platform::testing
