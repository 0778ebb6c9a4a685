#include "core/FileNames.h"

namespace kiv {
namespace {

size_t FileNameStart(std::string_view path) {
  for (size_t i = path.size(); i > 0; --i)
    if (IsPathSeparator(path[i - 1]))
      return i;
  return 0;
}

size_t ExtensionStart(std::string_view path) {
  const size_t nameStart = FileNameStart(path);
  const size_t dot = path.rfind('.');
  return dot == std::string_view::npos || dot < nameStart ? path.size() : dot;
}

} // namespace

bool IsPathSeparator(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/' || c == ':';
#else
  return c == '/';
#endif
}

char PathSeparator() {
#ifdef _WIN32
  return '\\';
#else
  return '/';
#endif
}

std::string ExtractFilePath(std::string_view path) {
  return std::string(path.substr(0, FileNameStart(path)));
}

std::string ExtractFileName(std::string_view path) {
  return std::string(path.substr(FileNameStart(path)));
}

std::string ExtractFileExt(std::string_view path) {
  return std::string(path.substr(ExtensionStart(path)));
}

std::string ChangeFileExt(std::string_view path, std::string_view newExtension) {
  std::string result(path.substr(0, ExtensionStart(path)));
  result += newExtension;
  return result;
}

} // namespace kiv
