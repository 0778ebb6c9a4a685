#pragma once

// kivmod's output: text gathered in one buffer and handed on in large pieces, to the standard
// output or to a file that replaces its target only once complete.

#include "platform/ReplacingFile.h"

#include <optional>
#include <string>
#include <string_view>

namespace kiv {

class TextOutput {
public:
  // The standard output when path is empty, else the file path. Throws UsageError for a path
  // that names an existing folder or device rather than a file.
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
  std::string buffer_;
};

} // namespace kiv
