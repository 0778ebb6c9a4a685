#pragma once

// The SQLite settings store's internals: SQLite's failures as std::system_error.

#include <string>
#include <system_error>

struct sqlite3;

namespace kiv::platform::store {

// SQLite's result codes as errors: the text is SQLite's, and a full disk, a busy database, a
// refused write, an I/O fault or a lack of memory compare equal to their std::errc.
const std::error_category& SqliteCategory();

// Throws std::system_error for SQLite's result code rc of call on the database file, with the
// connection's message when there is one.
[[noreturn]] void ThrowSqlite(int rc, const char* call, const std::string& file, sqlite3* db);

} // namespace kiv::platform::store
