#include "platform/RenameFile.h"

#include "platform/posix/SystemCalls.h"

namespace kiv::platform {

bool RenameFile(const std::string& from, const std::string& to) {
  return sys::Rename(from.c_str(), to.c_str()) == 0;
}

} // namespace kiv::platform
