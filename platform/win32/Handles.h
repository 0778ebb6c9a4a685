#pragma once

#include "platform/win32/SystemCalls.h"

#include <cstdint>

namespace kiv::platform::win32 {

// The opaque handle of the platform headers and the HANDLE it holds on Windows.
inline Handle FromOpaque(std::intptr_t handle) {
  return reinterpret_cast<Handle>(handle);
}
inline std::intptr_t ToOpaque(Handle handle) {
  return reinterpret_cast<std::intptr_t>(handle);
}

} // namespace kiv::platform::win32
