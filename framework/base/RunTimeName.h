#pragma once

// Unique component names for windows and controls made at run time.

#include <string>
#include <string_view>

namespace kiv {

// A component name for a window or control made at run time: APrefix, the milliseconds since
// the system started, "_" and a sequence number of the process, so that two names asked for
// within one tick still differ: "PopupMenu4711_3".
std::string RunTimeName(std::string_view APrefix);

} // namespace kiv
