#include "platform/testing/ChildProcess.h"

#include "platform/win32/LastError.h"
#include "platform/win32/Utf16.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
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

// A handle closed with its holder.
class Handle {
public:
  Handle() = default;
  explicit Handle(HANDLE h) : value_(h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Close(); }
  HANDLE Get() const { return value_; }
  HANDLE* Out() { return &value_; }
  // Hands the handle over to a new holder.
  HANDLE Release() { return std::exchange(value_, INVALID_HANDLE_VALUE); }
  void Reset(HANDLE h) {
    Close();
    value_ = h;
  }
  void Close() {
    if (value_ != INVALID_HANDLE_VALUE && value_ != nullptr)
      ::CloseHandle(value_);
    value_ = INVALID_HANDLE_VALUE;
  }

private:
  HANDLE value_ = INVALID_HANDLE_VALUE;
};

SECURITY_ATTRIBUTES Inherited() {
  return SECURITY_ATTRIBUTES{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
}

// A pipe with one end for the child to inherit (the reading end when childReads) and the other
// kept by this process alone.
struct Pipe {
  Handle read;
  Handle write;
  explicit Pipe(bool childReads) {
    SECURITY_ATTRIBUTES inherited = Inherited();
    if (!::CreatePipe(read.Out(), write.Out(), &inherited, 0) ||
        !::SetHandleInformation(childReads ? write.Get() : read.Get(), HANDLE_FLAG_INHERIT, 0))
      win32::ThrowLastError("CreatePipe", "");
  }
};

// The NUL device, for the child to inherit.
HANDLE OpenNul(DWORD access) {
  SECURITY_ATTRIBUTES inherited = Inherited();
  return ::CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                       OPEN_EXISTING, 0, nullptr);
}

// This process's standard error as a handle the child inherits; NUL when there is none.
HANDLE InheritableStandardError() {
  HANDLE copy = nullptr;
  const HANDLE own = ::GetStdHandle(STD_ERROR_HANDLE);
  if (own != nullptr && own != INVALID_HANDLE_VALUE &&
      ::DuplicateHandle(::GetCurrentProcess(), own, ::GetCurrentProcess(), &copy, 0, TRUE,
                        DUPLICATE_SAME_ACCESS))
    return copy;
  return OpenNul(GENERIC_WRITE);
}

// Starts program with arguments in workingDir, with the given standard handles, which it
// inherits; the process handle.
HANDLE Spawn(const std::string& program, const std::vector<std::string>& arguments,
             const std::string& workingDir, HANDLE input, HANDLE output, HANDLE error) {
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
  startup.hStdInput = input;
  startup.hStdOutput = output;
  startup.hStdError = error;
  PROCESS_INFORMATION child{};
  if (!::CreateProcessW(wideProgram.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &child))
    win32::ThrowLastError("CreateProcessW", program);
  ::CloseHandle(child.hThread);
  return child.hProcess;
}

// Everything the pipe carries until the child's end closes.
void ReadAll(const Handle& from, std::string& text) {
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(from.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
    text.append(buffer, read);
}

} // namespace

ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingDir) {
  Pipe output(false);
  Pipe error(false);
  const Handle nul(OpenNul(GENERIC_READ));
  const Handle process(
      Spawn(program, arguments, workingDir, nul.Get(), output.write.Get(), error.write.Get()));
  // Only the child may hold the pipes' writing ends now, so that reading ends with the child.
  output.write.Close();
  error.write.Close();

  // Both streams at once, so that a child filling one pipe never waits on the other.
  ChildResult result;
  std::thread outputReader([&] { ReadAll(output.read, result.standardOutput); });
  ReadAll(error.read, result.standardError);
  outputReader.join();
  ::WaitForSingleObject(process.Get(), INFINITE);
  DWORD exitCode = 0;
  if (::GetExitCodeProcess(process.Get(), &exitCode))
    result.exitCode = static_cast<int>(exitCode);
  return result;
}

// An anonymous pipe cannot be waited on with a time-out: a thread of its own reads the child's
// output into pending as it comes.
struct ChildProcess::Parts {
  Handle process;
  int exitCode = -1;
  Handle input;
  Handle output;
  std::mutex lock;
  std::condition_variable arrived;
  std::string pending; // read from the output, not yet handed out as a line
  bool ended = false;
  std::thread reader;

  void Read() {
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(output.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
      const std::lock_guard<std::mutex> held(lock);
      pending.append(buffer, read);
      arrived.notify_all();
    }
    const std::lock_guard<std::mutex> held(lock);
    ended = true;
    arrived.notify_all();
  }
};

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& workingDir)
    : parts_(std::make_unique<Parts>()) {
  Pipe input(true);
  Pipe output(false);
  const Handle error(InheritableStandardError());
  parts_->process.Reset(
      Spawn(program, arguments, workingDir, input.read.Get(), output.write.Get(), error.Get()));
  parts_->input.Reset(input.write.Release());
  parts_->output.Reset(output.read.Release());
  // The child's copy of the writing end is the last: its output ends with the child.
  output.write.Close();
  parts_->reader = std::thread([parts = parts_.get()] { parts->Read(); });
}

ChildProcess::~ChildProcess() {
  Stop();
}

ChildProcess::LineStatus ChildProcess::ReadLine(std::string& line,
                                                std::chrono::milliseconds timeout) {
  Parts& parts = *parts_;
  std::unique_lock<std::mutex> held(parts.lock);
  const bool ready = parts.arrived.wait_for(
      held, timeout, [&] { return parts.ended || parts.pending.find('\n') != std::string::npos; });
  if (!ready)
    return LineStatus::TimedOut;
  const size_t end = parts.pending.find('\n');
  if (end != std::string::npos) {
    line = parts.pending.substr(0, end > 0 && parts.pending[end - 1] == '\r' ? end - 1 : end);
    parts.pending.erase(0, end + 1);
    return LineStatus::Read;
  }
  if (parts.pending.empty())
    return LineStatus::Ended;
  line = std::exchange(parts.pending, {});
  return LineStatus::Read;
}

void ChildProcess::CloseInput() {
  parts_->input.Close();
}

int ChildProcess::Wait() {
  Parts& parts = *parts_;
  if (parts.process.Get() != INVALID_HANDLE_VALUE) {
    ::WaitForSingleObject(parts.process.Get(), INFINITE);
    DWORD exitCode = 0;
    if (::GetExitCodeProcess(parts.process.Get(), &exitCode))
      parts.exitCode = static_cast<int>(exitCode);
    parts.process.Close();
  }
  return parts.exitCode;
}

void ChildProcess::Stop() noexcept {
  Parts& parts = *parts_;
  // A child ended here did not exit normally: its exit code stays -1, as on POSIX systems.
  if (parts.process.Get() != INVALID_HANDLE_VALUE &&
      ::WaitForSingleObject(parts.process.Get(), 0) == WAIT_TIMEOUT &&
      ::TerminateProcess(parts.process.Get(), 1)) {
    ::WaitForSingleObject(parts.process.Get(), INFINITE);
    parts.process.Close();
  }
  Wait();
  parts.input.Close();
  if (parts.reader.joinable())
    parts.reader.join();
  parts.output.Close();
}

} // namespace kiv::platform::testing
