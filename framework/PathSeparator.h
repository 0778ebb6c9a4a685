#pragma once

namespace kiv {

// The separator the framework writes between folders and names.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

} // namespace kiv
