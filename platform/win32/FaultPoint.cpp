#include "platform/win32/FaultPoint.h"

#include "platform/testing/FaultSeam.h"

#include <windows.h>

namespace kiv::platform::win32 {
namespace {

DWORD Win32Error(std::errc error) {
  switch (error) {
  case std::errc::no_such_file_or_directory:
    return ERROR_FILE_NOT_FOUND;
  case std::errc::permission_denied:
  case std::errc::operation_not_permitted:
    return ERROR_ACCESS_DENIED;
  case std::errc::no_space_on_device:
    return ERROR_DISK_FULL;
  case std::errc::not_enough_memory:
    return ERROR_NOT_ENOUGH_MEMORY;
  case std::errc::file_exists:
    return ERROR_FILE_EXISTS;
  case std::errc::invalid_argument:
    return ERROR_INVALID_PARAMETER;
  default:
    return ERROR_GEN_FAILURE;
  }
}

} // namespace

bool Struck(testing::Operation operation) {
  const std::optional<testing::Fault> fault = testing::InjectedFault(operation);
  if (!fault)
    return false;
  ::SetLastError(Win32Error(fault->error));
  return true;
}

} // namespace kiv::platform::win32
