#pragma once

// The framework aggregate's side of its test hook: TMy reports each member it frees, so that a
// test can watch the order of release. Not installed; costs an untaken branch per member while
// unset.

#include <string_view>

namespace kiv::desktop::testing {

// Called with each member's field name ("UITools", "Debug", ...) as TMy frees it; none by default.
inline void (*memberReleased)(std::string_view field) = nullptr;

} // namespace kiv::desktop::testing
