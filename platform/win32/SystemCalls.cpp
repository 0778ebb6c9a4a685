#include "platform/win32/SystemCalls.h"

#include <shellapi.h>
#include <windows.h>

namespace kiv::platform::win32 {

static_assert(sizeof(Dword) == sizeof(DWORD) && sizeof(Handle) == sizeof(HANDLE));

Handle InvalidHandle() {
  return INVALID_HANDLE_VALUE;
}

Handle CreateFileW(const std::wstring& path, Dword access, Dword share, Dword disposition,
                   Dword flags) {
  return ::CreateFileW(path.c_str(), access, share, nullptr, disposition, flags, nullptr);
}

bool ReadFile(Handle file, void* buffer, Dword size, Dword& read) {
  return ::ReadFile(file, buffer, size, &read, nullptr) != FALSE;
}

bool WriteFile(Handle file, const void* bytes, Dword size, Dword& written) {
  return ::WriteFile(file, bytes, size, &written, nullptr) != FALSE;
}

bool FlushFileBuffers(Handle file) {
  return ::FlushFileBuffers(file) != FALSE;
}

bool GetFileSizeEx(Handle file, std::uint64_t& size) {
  LARGE_INTEGER value{};
  if (::GetFileSizeEx(file, &value) == FALSE)
    return false;
  size = static_cast<std::uint64_t>(value.QuadPart);
  return true;
}

bool GetFileType(Handle file, Dword& type) {
  type = ::GetFileType(file);
  return type != FILE_TYPE_UNKNOWN || ::GetLastError() == NO_ERROR;
}

bool GetFileInformationByHandle(Handle file, Dword& attributes) {
  BY_HANDLE_FILE_INFORMATION information{};
  if (::GetFileInformationByHandle(file, &information) == FALSE)
    return false;
  attributes = information.dwFileAttributes;
  return true;
}

bool CloseHandle(Handle handle) {
  return ::CloseHandle(handle) != FALSE;
}

Dword GetFileAttributesW(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str());
}

bool MoveFileExW(const std::wstring& from, const std::wstring& to) {
  return ::MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool DeleteFileW(const std::wstring& path) {
  return ::DeleteFileW(path.c_str()) != FALSE;
}

Handle FindFirstFileExW(const std::wstring& pattern, _WIN32_FIND_DATAW& entry) {
  return ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                            nullptr, FIND_FIRST_EX_LARGE_FETCH);
}

bool FindNextFileW(Handle search, _WIN32_FIND_DATAW& entry) {
  return ::FindNextFileW(search, &entry) != FALSE;
}

bool FindClose(Handle search) {
  return ::FindClose(search) != FALSE;
}

Dword GetModuleFileNameW(wchar_t* buffer, Dword size) {
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
  DWORD ignored = 0;
  return ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
}

bool GetFileVersionInfoW(const std::wstring& path, Dword size, void* data) {
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
