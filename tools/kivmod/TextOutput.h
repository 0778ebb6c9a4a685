#pragma once

// kivmod's output: text gathered in one buffer and handed on in large pieces, to the standard
// output, to a file that replaces its target only once complete, or to a device or pipe as a
// stream.

#include "platform/ReplacingFile.h"
#include "platform/StreamFile.h"

#include <optional>
#include <string>
#include <string_view>

namespace kiv {

class TextOutput {
public:
  // The standard output when path is empty; else the file path, replaced once complete, or,
  // when path names an existing device or pipe (/dev/stdout, a FIFO), that stream, written as
  // the text comes. Throws UsageError for a path that names an existing folder.
  explicit TextOutput(const std::string& path = {});

  // The buffer, to append to; Append hands it on when it is full.
  std::string& Buffer() { return buffer_; }
  void Append(std::string_view text);
  // Hands the buffer on once it holds a large piece. Throws std::system_error naming the failed
  // call (a full disk, a closed pipe).
  void Drain() {
    if (buffer_.size() >= kPiece)
      Hand();
  }
  // Hands on the rest and, for a file, puts it in place of its target.
  void Finish();

private:
  static constexpr size_t kPiece = 1 << 20;
  void Hand();

  std::optional<platform::ReplacingFile> file_;
  std::optional<platform::StreamFile> stream_;
  std::string buffer_;
};

} // namespace kiv
