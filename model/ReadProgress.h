#pragma once

// The hook through which a model-file read reports how far it has come and may be stopped.
#include <cstdint>
#include <functional>

namespace kiv {

// Hears how far a read has come; returning false stops it. BytesRead never exceeds TotalBytes,
// the size of the file or of the bytes in memory (0 for a source without a size, a pipe).
using TReadProgressHook = std::function<bool(std::uint64_t BytesRead, std::uint64_t TotalBytes)>;

} // namespace kiv
