#include "platform/posix/store/SqliteError.h"

#include <sqlite3.h>
#include <string_view>

namespace kiv::platform::store {

namespace {

class Category final : public std::error_category {
public:
  const char* name() const noexcept override { return "sqlite"; }
  std::string message(int rc) const override { return sqlite3_errstr(rc); }
  std::error_condition default_error_condition(int rc) const noexcept override {
    switch (rc & 0xFF) {
    case SQLITE_FULL:
      return std::errc::no_space_on_device;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return std::errc::device_or_resource_busy;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return std::errc::permission_denied;
    case SQLITE_IOERR:
      return std::errc::io_error;
    case SQLITE_NOMEM:
      return std::errc::not_enough_memory;
    default:
      return {rc, *this};
    }
  }
};

} // namespace

const std::error_category& SqliteCategory() {
  static const Category category;
  return category;
}

void ThrowSqlite(int rc, const char* call, const std::string& file, sqlite3* db) {
  std::string what = std::string(call) + " " + file;
  if (db != nullptr && std::string_view(sqlite3_errmsg(db)) != sqlite3_errstr(rc))
    what += " (" + std::string(sqlite3_errmsg(db)) + ")";
  throw std::system_error(rc, SqliteCategory(), what);
}

} // namespace kiv::platform::store
