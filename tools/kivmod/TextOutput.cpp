#include "tools/kivmod/TextOutput.h"

#include "platform/StandardOutput.h"
#include "tools/kivmod/ModelReading.h"

namespace kiv {

TextOutput::TextOutput(const std::string& path) {
  if (!path.empty()) {
    RequireFileOrNothing(path);
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
  else
    platform::WriteStandardOutput(buffer_);
  buffer_.clear();
}

void TextOutput::Finish() {
  Hand();
  if (file_)
    file_->Commit();
}

} // namespace kiv
