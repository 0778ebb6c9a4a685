#pragma once

// Test support: whether the Windows build runs under Wine.

namespace kiv::platform::testing {

// True when the Windows build runs under Wine, whose registry lists a key's values sorted by
// name where Windows lists them in creation order.
bool UnderWine();

} // namespace kiv::platform::testing
