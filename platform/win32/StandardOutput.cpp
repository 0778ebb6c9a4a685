#include "platform/StandardOutput.h"

#include "platform/win32/SystemCalls.h"

#include <system_error>
#include <windows.h>

namespace kiv::platform {

void WriteStandardOutput(std::string_view bytes) {
  const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD size = bytes.size() > 65536 ? 65536 : static_cast<DWORD>(bytes.size());
    if (win32::Struck(testing::Operation::Write) ||
        !::WriteFile(output, bytes.data(), size, &written, nullptr))
      throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(),
                              "WriteFile standard output");
    bytes.remove_prefix(written);
  }
}

} // namespace kiv::platform
