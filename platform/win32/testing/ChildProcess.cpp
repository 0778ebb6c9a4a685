#include "platform/testing/ChildProcess.h"

#include "platform/win32/Utf16.h"

#include <system_error>
#include <thread>
#include <windows.h>

namespace kiv::platform::testing {
namespace {

// One argument as the child's runtime splits the command line again: in quotes, with every run
// of backslashes before a quote (or the closing quote) doubled and each quote escaped.
void AppendQuoted(std::wstring& commandLine, const std::wstring& argument) {
  commandLine += L'"';
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    commandLine.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    commandLine += c;
  }
  commandLine.append(2 * backslashes, L'\\');
  commandLine += L'"';
}

struct Handle {
  HANDLE value = INVALID_HANDLE_VALUE;
  Handle() = default;
  explicit Handle(HANDLE h) : value(h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Close(); }
  void Close() {
    if (value != INVALID_HANDLE_VALUE && value != nullptr)
      ::CloseHandle(value);
    value = INVALID_HANDLE_VALUE;
  }
};

// A pipe whose reading end stays with this process and whose writing end the child inherits.
struct Pipe {
  Handle read;
  Handle write;
  explicit Pipe(SECURITY_ATTRIBUTES& inherited) {
    if (!::CreatePipe(&read.value, &write.value, &inherited, 0) ||
        !::SetHandleInformation(read.value, HANDLE_FLAG_INHERIT, 0))
      throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(),
                              "CreatePipe");
  }
};

// Everything the pipe carries until the child's end closes.
void ReadAll(const Handle& from, std::string& text) {
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(from.value, buffer, sizeof buffer, &read, nullptr) && read > 0)
    text.append(buffer, read);
}

} // namespace

ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingDir) {
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  Pipe output(inherited);
  Pipe error(inherited);
  Handle nul(::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                           OPEN_EXISTING, 0, nullptr));

  const std::wstring wideProgram = win32::Wide(program);
  std::wstring commandLine;
  AppendQuoted(commandLine, wideProgram);
  for (const std::string& argument : arguments) {
    commandLine += L' ';
    AppendQuoted(commandLine, win32::Wide(argument));
  }
  const std::wstring folder = win32::Wide(workingDir);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nul.value;
  startup.hStdOutput = output.write.value;
  startup.hStdError = error.write.value;
  PROCESS_INFORMATION child{};
  if (!::CreateProcessW(wideProgram.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &child))
    throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(),
                            "CreateProcessW " + program);
  const Handle process(child.hProcess);
  const Handle thread(child.hThread);
  // Only the child may hold the pipes' writing ends now, so that reading ends with the child.
  output.write.Close();
  error.write.Close();

  // Both streams at once, so that a child filling one pipe never waits on the other.
  ChildResult result;
  std::thread outputReader([&] { ReadAll(output.read, result.standardOutput); });
  ReadAll(error.read, result.standardError);
  outputReader.join();
  ::WaitForSingleObject(process.value, INFINITE);
  DWORD exitCode = 0;
  if (::GetExitCodeProcess(process.value, &exitCode))
    result.exitCode = static_cast<int>(exitCode);
  return result;
}

} // namespace kiv::platform::testing
