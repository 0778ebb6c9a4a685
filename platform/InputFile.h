#pragma once

// Platform service: a file opened for sequential reading.

#include "platform/FileHandle.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace kiv::platform {

// A file opened for sequential reading, closed with the object.
class InputFile {
public:
  // Opens path for reading; a folder is refused. Throws std::system_error naming the failed call.
  explicit InputFile(const std::string& path);
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile();

  // Reads up to size bytes; returns 0 at the end. Throws std::system_error.
  size_t Read(char* buffer, size_t size);

  // The size when the file was opened; 0 for files that have none, such as pipes.
  std::uint64_t Size() const { return size_; }

private:
  FileHandle file_;
  std::string path_;
  std::uint64_t size_ = 0;
};

} // namespace kiv::platform
