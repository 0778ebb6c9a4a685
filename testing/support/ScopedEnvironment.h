#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace kiv::test {

// Sets an environment variable for the life of the object and restores it after; child
// processes started meanwhile inherit it.
class ScopedEnvironment {
public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name))
      old_ = old;
    Set(name, value.c_str());
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
  ~ScopedEnvironment() { Set(name_, old_ ? old_->c_str() : nullptr); }

private:
  // None removes the variable (on Windows, an empty value does).
  static void Set(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value ? value : "");
#else
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
#endif
  }

  const char* name_;
  std::optional<std::string> old_;
};

} // namespace kiv::test
