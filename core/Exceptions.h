#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace kiv {

// Root of the suite's own exception classes: a message and a bare class name.
class Exception : public std::exception {
public:
  explicit Exception(std::string message) : message_(std::move(message)) {}

  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }
  virtual std::string_view ClassName() const noexcept { return "Exception"; }

private:
  std::string message_;
};

// An expected failure whose message is complete and meant for the user.
class EPelo : public Exception {
public:
  using Exception::Exception;
  std::string_view ClassName() const noexcept override { return "EPelo"; }
};

// An informational failure; the escalation passes it on like EPelo.
class EPInfo : public EPelo {
public:
  using EPelo::EPelo;
  std::string_view ClassName() const noexcept override { return "EPInfo"; }
};

// An unexpected failure; its message starts with one location line per guarded routine crossed.
class EPFatal : public EPelo {
public:
  using EPelo::EPelo;
  std::string_view ClassName() const noexcept override { return "EPFatal"; }
};

// The command-line run's own failure while reading its input; outside the escalation.
class EVesmarInv : public Exception {
public:
  using Exception::Exception;
  std::string_view ClassName() const noexcept override { return "EVesmarInv"; }
};

} // namespace kiv
