#pragma once

// The section painter's side of its test hook: called as each painting of the section begins, so
// that a test can make one fail and count the paintings. Not installed; costs an untaken branch per
// painting while unset.

namespace kiv::viewer::testing {

// Called as each painting of the section begins; none by default.
inline void (*sectionPaintBegins)() = nullptr;

} // namespace kiv::viewer::testing
