#include "tools/kivmod/TextOutput.h"

#include "platform/FileOperations.h"
#include "platform/FileSystem.h"
#include "platform/StandardOutput.h"
#include "tools/harness/UsageError.h"

namespace kiv {

TextOutput::TextOutput(const std::string& path) {
  if (!path.empty()) {
    if (platform::DirectoryExists(path))
      throw UsageError(path + " is not a file");
    // Anything else that exists but a file is a device or a pipe, which a save through a
    // temporary file would refuse.
    if (!platform::RegularFileExists(path) && platform::IsSameFile(path, path))
      stream_.emplace(path);
    else
      file_.emplace(path);
  }
  buffer_.reserve(kPiece + kPiece / 4);
}

void TextOutput::Append(std::string_view text) {
  buffer_ += text;
  Drain();
}

void TextOutput::Hand() {
  if (file_)
    file_->Write(buffer_);
  else if (stream_)
    stream_->Write(buffer_);
  else
    platform::WriteStandardOutput(buffer_);
  buffer_.clear();
}

void TextOutput::Finish() {
  Hand();
  if (file_)
    file_->Commit();
  if (stream_)
    stream_->Close();
}

} // namespace kiv
