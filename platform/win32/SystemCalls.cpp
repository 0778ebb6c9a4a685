#include "platform/win32/SystemCalls.h"

#include "platform/testing/FaultSeam.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

namespace kiv::platform::win32 {
namespace {

static_assert(sizeof(Dword) == sizeof(DWORD) && sizeof(Handle) == sizeof(HANDLE));

using testing::Fault;
using testing::InjectedFault;
using testing::Operation;

// The Windows error of each error a test can inject, chosen so that the C++ library maps it back
// to the same std::errc: a test compares codes the same way on every system.
constexpr std::pair<std::errc, DWORD> kWindowsErrors[] = {
    {std::errc::no_such_file_or_directory, ERROR_FILE_NOT_FOUND},
    {std::errc::permission_denied, ERROR_ACCESS_DENIED},
    {std::errc::operation_not_permitted, ERROR_PRIVILEGE_NOT_HELD},
    {std::errc::no_space_on_device, ERROR_DISK_FULL},
    {std::errc::io_error, ERROR_IO_DEVICE},
    {std::errc::read_only_file_system, ERROR_WRITE_PROTECT},
    {std::errc::file_exists, ERROR_FILE_EXISTS},
    {std::errc::not_a_directory, ERROR_DIRECTORY},
    {std::errc::directory_not_empty, ERROR_DIR_NOT_EMPTY},
    {std::errc::device_or_resource_busy, ERROR_SHARING_VIOLATION},
    {std::errc::too_many_files_open, ERROR_TOO_MANY_OPEN_FILES},
    {std::errc::bad_file_descriptor, ERROR_INVALID_HANDLE},
    {std::errc::not_enough_memory, ERROR_NOT_ENOUGH_MEMORY},
    {std::errc::invalid_argument, ERROR_INVALID_PARAMETER},
    {std::errc::filename_too_long, ERROR_FILENAME_EXCED_RANGE},
    {std::errc::cross_device_link, ERROR_NOT_SAME_DEVICE},
    {std::errc::broken_pipe, ERROR_BROKEN_PIPE},
    {std::errc::function_not_supported, ERROR_NOT_SUPPORTED},
    {std::errc::interrupted, ERROR_CANCELLED},
};

// Fails as the system does: the error left for GetLastError, and the call's failure value. An
// error without a Windows counterpart becomes ERROR_GEN_FAILURE.
template <class Result> Result Fail(const Fault& fault, Result failure) {
  DWORD error = ERROR_GEN_FAILURE;
  for (const auto& [condition, code] : kWindowsErrors)
    if (condition == fault.error)
      error = code;
  ::SetLastError(error);
  return failure;
}

// The size a read or write may move: all of it, or what a short transfer lets through; nullopt
// when the call fails instead. Windows never interrupts a call, so an interruption lets the whole
// call go ahead.
std::optional<DWORD> TransferSize(Operation operation, DWORD size) {
  const std::optional<Fault> fault = InjectedFault(operation);
  if (!fault || fault->kind == Fault::Kind::Interruption)
    return size;
  if (fault->kind == Fault::Kind::ShortTransfer)
    return static_cast<DWORD>(std::min<size_t>(size, fault->bytes));
  Fail(*fault, 0);
  return std::nullopt;
}

} // namespace

bool Struck(Operation operation) {
  const std::optional<Fault> fault = InjectedFault(operation);
  return fault && Fail(*fault, true);
}

Handle InvalidHandle() {
  return INVALID_HANDLE_VALUE;
}

Handle CreateFileW(const std::wstring& path, Dword access, Dword share, Dword disposition,
                   Dword flags) {
  if (const auto fault = InjectedFault(Operation::Open))
    return Fail(*fault, INVALID_HANDLE_VALUE);
  return ::CreateFileW(path.c_str(), access, share, nullptr, disposition, flags, nullptr);
}

bool ReadFile(Handle file, void* buffer, Dword size, Dword& read) {
  const std::optional<DWORD> allowed = TransferSize(Operation::Read, size);
  return allowed && ::ReadFile(file, buffer, *allowed, &read, nullptr) != FALSE;
}

bool WriteFile(Handle file, const void* bytes, Dword size, Dword& written) {
  const std::optional<DWORD> allowed = TransferSize(Operation::Write, size);
  return allowed && ::WriteFile(file, bytes, *allowed, &written, nullptr) != FALSE;
}

bool FlushFileBuffers(Handle file) {
  if (const auto fault = InjectedFault(Operation::Sync))
    return Fail(*fault, false);
  return ::FlushFileBuffers(file) != FALSE;
}

bool GetFileSizeEx(Handle file, std::uint64_t& size) {
  if (const auto fault = InjectedFault(Operation::Status))
    return Fail(*fault, false);
  LARGE_INTEGER value{};
  if (::GetFileSizeEx(file, &value) == FALSE)
    return false;
  size = static_cast<std::uint64_t>(value.QuadPart);
  return true;
}

bool GetFileType(Handle file, Dword& type) {
  if (const auto fault = InjectedFault(Operation::Status))
    return Fail(*fault, false);
  type = ::GetFileType(file);
  return type != FILE_TYPE_UNKNOWN || ::GetLastError() == NO_ERROR;
}

bool GetFileInformationByHandle(Handle file, Dword& attributes) {
  if (const auto fault = InjectedFault(Operation::Status))
    return Fail(*fault, false);
  BY_HANDLE_FILE_INFORMATION information{};
  if (::GetFileInformationByHandle(file, &information) == FALSE)
    return false;
  attributes = information.dwFileAttributes;
  return true;
}

bool CloseHandle(Handle handle) {
  if (const auto fault = InjectedFault(Operation::Close)) {
    // The handle goes all the same, as a failed close on Linux releases its descriptor.
    ::CloseHandle(handle);
    return Fail(*fault, false);
  }
  return ::CloseHandle(handle) != FALSE;
}

Dword GetFileAttributesW(const std::wstring& path) {
  if (const auto fault = InjectedFault(Operation::Status))
    return Fail(*fault, INVALID_FILE_ATTRIBUTES);
  return ::GetFileAttributesW(path.c_str());
}

bool MoveFileExW(const std::wstring& from, const std::wstring& to) {
  if (const auto fault = InjectedFault(Operation::Rename))
    return Fail(*fault, false);
  return ::MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool DeleteFileW(const std::wstring& path) {
  if (const auto fault = InjectedFault(Operation::Remove))
    return Fail(*fault, false);
  return ::DeleteFileW(path.c_str()) != FALSE;
}

bool CheckWriteAccess(const std::wstring& path) {
  if (const auto fault = InjectedFault(Operation::CheckAccess))
    return Fail(*fault, false);
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  ::CloseHandle(file);
  return true;
}

bool GetFileTypeOfPath(const std::wstring& path, Dword& type) {
  if (const auto fault = InjectedFault(Operation::Status))
    return Fail(*fault, false);
  const HANDLE file =
      ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  type = ::GetFileType(file);
  const DWORD error = ::GetLastError();
  ::CloseHandle(file);
  ::SetLastError(error);
  return type != FILE_TYPE_UNKNOWN || error == NO_ERROR;
}

Handle FindFirstFileExW(const std::wstring& pattern, _WIN32_FIND_DATAW& entry) {
  if (const auto fault = InjectedFault(Operation::ListDirectory))
    return Fail(*fault, INVALID_HANDLE_VALUE);
  return ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                            nullptr, FIND_FIRST_EX_LARGE_FETCH);
}

bool FindNextFileW(Handle search, _WIN32_FIND_DATAW& entry) {
  if (const auto fault = InjectedFault(Operation::ReadDirectory))
    return Fail(*fault, false);
  return ::FindNextFileW(search, &entry) != FALSE;
}

bool FindClose(Handle search) {
  if (const auto fault = InjectedFault(Operation::Close)) {
    ::FindClose(search);
    return Fail(*fault, false);
  }
  return ::FindClose(search) != FALSE;
}

Dword GetModuleFileNameW(wchar_t* buffer, Dword size) {
  if (const auto fault = InjectedFault(Operation::ExecutablePath))
    return Fail(*fault, DWORD{0});
  return ::GetModuleFileNameW(nullptr, buffer, size);
}

const wchar_t* GetCommandLineW() {
  return ::GetCommandLineW();
}

wchar_t** CommandLineToArgvW(const wchar_t* commandLine, int& count) {
  return ::CommandLineToArgvW(commandLine, &count);
}

void LocalFree(void* memory) {
  ::LocalFree(memory);
}

Dword GetCurrentProcessId() {
  return ::GetCurrentProcessId();
}

void GetLocalTime(_SYSTEMTIME& time) {
  ::GetLocalTime(&time);
}

Dword GetFileVersionInfoSizeW(const std::wstring& path) {
  if (const auto fault = InjectedFault(Operation::Open))
    return Fail(*fault, DWORD{0});
  DWORD ignored = 0;
  return ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
}

bool GetFileVersionInfoW(const std::wstring& path, Dword size, void* data) {
  if (const auto fault = InjectedFault(Operation::Read))
    return Fail(*fault, false);
  return ::GetFileVersionInfoW(path.c_str(), 0, size, data) != FALSE;
}

bool VerQueryValueW(const void* block, const wchar_t* subBlock, void*& value, unsigned& length) {
  UINT size = 0;
  const bool found = ::VerQueryValueW(block, subBlock, &value, &size) != FALSE;
  length = size;
  return found;
}

bool Utf8ToUtf16(std::string_view utf8, std::wstring& utf16) {
  utf16.clear();
  if (utf8.empty())
    return true;
  const int size = static_cast<int>(utf8.size());
  const int length =
      ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (length <= 0)
    return false;
  utf16.resize(static_cast<size_t>(length));
  return ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, utf16.data(),
                               length) == length;
}

bool Utf16ToUtf8(std::wstring_view utf16, std::string& utf8) {
  utf8.clear();
  if (utf16.empty())
    return true;
  const int size = static_cast<int>(utf16.size());
  const int length = ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16.data(), size,
                                           nullptr, 0, nullptr, nullptr);
  if (length <= 0)
    return false;
  utf8.resize(static_cast<size_t>(length));
  return ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16.data(), size, utf8.data(),
                               length, nullptr, nullptr) == length;
}

Dword GetLastError() {
  return ::GetLastError();
}

void SetLastError(Dword error) {
  ::SetLastError(error);
}

} // namespace kiv::platform::win32
