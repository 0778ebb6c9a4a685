#pragma once

// Win32 implementation internals: the wrappers of the system calls, each passing the
// fault-injection seam.

#include "platform/testing/FaultInjection.h"

#include <cstdint>
#include <string>
#include <string_view>

struct _WIN32_FIND_DATAW;
struct _SYSTEMTIME;

// The only place where the Win32 implementations call the system. Each wrapper behaves like the
// call it names and first lets an armed test fault strike (platform/testing/FaultInjection.h):
// CreateFileW and GetFileVersionInfoSizeW are Open, ReadFile and GetFileVersionInfoW Read,
// WriteFile Write, FlushFileBuffers Sync, CloseHandle and FindClose Close, MoveFileExW Rename,
// DeleteFileW Remove, CheckWriteAccess CheckAccess, the attribute, type and size queries Status,
// FindFirstFileExW ListDirectory, FindNextFileW ReadDirectory, GetModuleFileNameW ExecutablePath;
// the rest cannot fail in a way the caller handles. They take and give the system's own values,
// spelled without <windows.h>: a Handle is a HANDLE, a Dword a DWORD, and false means that the call
// failed and left its reason for GetLastError.
namespace kiv::platform::win32 {

using Handle = void*;
using Dword = unsigned long;

// For the services that call the system themselves: true when an armed test fault strikes this
// call of operation, with the last error set as the failed call would leave it.
bool Struck(testing::Operation operation);

Handle InvalidHandle();

// Files.
Handle CreateFileW(const std::wstring& path, Dword access, Dword share, Dword disposition,
                   Dword flags);
bool ReadFile(Handle file, void* buffer, Dword size, Dword& read);
bool WriteFile(Handle file, const void* bytes, Dword size, Dword& written);
bool FlushFileBuffers(Handle file);
bool GetFileSizeEx(Handle file, std::uint64_t& size);
bool GetFileType(Handle file, Dword& type);
// The attributes of the file that the handle has open, links followed.
bool GetFileInformationByHandle(Handle file, Dword& attributes);
bool CloseHandle(Handle handle);
Dword GetFileAttributesW(const std::wstring& path);
// With MOVEFILE_REPLACE_EXISTING and MOVEFILE_WRITE_THROUGH.
bool MoveFileExW(const std::wstring& from, const std::wstring& to);
bool DeleteFileW(const std::wstring& path);
// Whether the user may write the existing file at path: CreateFileW for writing, closed again.
bool CheckWriteAccess(const std::wstring& path);
// The type (FILE_TYPE_DISK, _CHAR, _PIPE) of the existing file at path: CreateFileW without
// access, GetFileType, closed again.
bool GetFileTypeOfPath(const std::wstring& path, Dword& type);

// Folders.
// Names only (FindExInfoBasic), fetched in large batches.
Handle FindFirstFileExW(const std::wstring& pattern, _WIN32_FIND_DATAW& entry);
bool FindNextFileW(Handle search, _WIN32_FIND_DATAW& entry);
bool FindClose(Handle search);

// The process.
Dword GetModuleFileNameW(wchar_t* buffer, Dword size);
const wchar_t* GetCommandLineW();
wchar_t** CommandLineToArgvW(const wchar_t* commandLine, int& count);
void LocalFree(void* memory);
Dword GetCurrentProcessId();
void GetLocalTime(_SYSTEMTIME& time);

// Version resources.
Dword GetFileVersionInfoSizeW(const std::wstring& path);
bool GetFileVersionInfoW(const std::wstring& path, Dword size, void* data);
bool VerQueryValueW(const void* block, const wchar_t* subBlock, void*& value, unsigned& length);

// Text: UTF-8 and UTF-16 in both directions; false for bytes that are not valid in the source.
bool Utf8ToUtf16(std::string_view utf8, std::wstring& utf16);
bool Utf16ToUtf8(std::wstring_view utf16, std::string& utf8);

// The reason the last failed call left, and setting it.
Dword GetLastError();
void SetLastError(Dword error);

} // namespace kiv::platform::win32
