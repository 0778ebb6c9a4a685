#pragma once

// Win32 implementation internals: the HANDLE inside a FileHandle, and writing to it.

#include "platform/FileHandle.h"
#include "platform/win32/SystemCalls.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kiv::platform::win32 {

// The opaque number of the platform headers and the HANDLE it holds on Windows. An invalid
// HANDLE is -1, as FileHandle's "none".
inline Handle FromOpaque(std::intptr_t handle) {
  return reinterpret_cast<Handle>(handle);
}
inline FileHandle Own(Handle handle) {
  return FileHandle(reinterpret_cast<std::intptr_t>(handle));
}
inline Handle Native(const FileHandle& file) {
  return FromOpaque(file.Native());
}

// Writes all of bytes to file. Throws std::system_error naming WriteFile and path.
void WriteAll(const FileHandle& file, const std::string& path, std::string_view bytes);

} // namespace kiv::platform::win32
