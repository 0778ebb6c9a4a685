#pragma once

// Platform service: an existing device or pipe written as a stream.

#include "platform/FileHandle.h"

#include <string>
#include <string_view>

namespace kiv::platform {

// An existing file written from its start as the bytes come, never created, truncated or
// replaced: for an output that is naturally a stream (/dev/stdout, a FIFO, a character device),
// which a save through a temporary file (ReplacingFile) refuses. Failures throw std::system_error
// naming the failed call and the path.
class StreamFile {
public:
  // Opens the existing path for writing; opening a FIFO waits for its reader.
  explicit StreamFile(std::string path);

  // Writes all of bytes.
  void Write(std::string_view bytes);
  // Closes the file, so that a failure of its last write shows.
  void Close();

private:
  std::string path_;
  FileHandle file_;
};

} // namespace kiv::platform
