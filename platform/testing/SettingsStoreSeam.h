#pragma once

// The settings store's side of its test hooks: a page limit that fills the database, and calls at
// every commit and every 50 steps of a statement, where a test may end its process. Each
// costs an untaken branch at the start of a write transaction while unset.

namespace kiv::platform::testing {

// When not 0, the most pages the database may grow to (PRAGMA max_page_count).
inline unsigned settingsPageLimit = 0;
// Called while a transaction commits, before it is durable.
inline void (*settingsCommitHook)() = nullptr;
// Called every 50 virtual-machine steps of a statement inside a write transaction.
inline void (*settingsProgressHook)() = nullptr;

} // namespace kiv::platform::testing
