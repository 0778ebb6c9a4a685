#pragma once

// The windows' side of their test hook for the support contact: a test names a contact of its
// own, so that the F1 message is seen naming one whatever the build set. Not installed.

namespace kiv::desktop::testing {

// The contact the F1 message names instead of the build's; none (the build's) by default.
inline const char* supportContact = nullptr;

} // namespace kiv::desktop::testing
