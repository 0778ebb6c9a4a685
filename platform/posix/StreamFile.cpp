#include "platform/StreamFile.h"

#include "platform/posix/ErrnoError.h"
#include "platform/posix/SystemCalls.h"
#include "platform/posix/WriteAll.h"

#include <fcntl.h>

namespace kiv::platform {

StreamFile::StreamFile(std::string path)
    : path_(std::move(path)), file_(sys::Open(path_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC, 0)) {
  if (!file_.IsOpen())
    throw ErrnoError("open", path_);
}

void StreamFile::Write(std::string_view bytes) {
  WriteAll(sys::Descriptor(file_), path_, bytes);
}

void StreamFile::Close() {
  file_.Close(path_);
}

} // namespace kiv::platform
