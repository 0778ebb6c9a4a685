#pragma once

// The settings store's side of its test hooks: a page limit that fills the database, and calls at
// every commit, every 50 steps of a statement and before a damaged database is set aside, where a
// test may end its process or act as another process would. Each
// costs an untaken branch at the start of a write transaction while unset.

namespace kiv::platform::testing {

// When not 0, the most pages the database may grow to (PRAGMA max_page_count).
inline unsigned settingsPageLimit = 0;
// Called while a transaction commits, before it is durable.
inline void (*settingsCommitHook)() = nullptr;
// Called every 50 virtual-machine steps of a statement inside a write transaction.
inline void (*settingsProgressHook)() = nullptr;
// Called when a damaged database has been found and closed, before it is set aside.
inline void (*settingsSetAsideHook)() = nullptr;

} // namespace kiv::platform::testing
