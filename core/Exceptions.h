#pragma once

// The suite's exception family: Exception with its cause, EPelo, EPInfo, EPFatal and EVesmarInv.

#include <exception>
#include <string>
#include <string_view>
#include <system_error>

namespace kiv {

// Root of the suite's own exception classes: a message, a bare class name and, when the failure
// replaced another one, that cause, so that logs and callers can still tell why it happened.
class Exception : public std::exception {
public:
  explicit Exception(std::string message, std::exception_ptr cause = nullptr)
      : message_(std::move(message)), cause_(std::move(cause)) {}

  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }
  virtual std::string_view ClassName() const noexcept { return "Exception"; }

  // The failure this one replaced; null when it has none.
  const std::exception_ptr& Cause() const noexcept { return cause_; }
  // The cause's own text; empty without a cause or for one outside std::exception.
  std::string CauseMessage() const;
  // The system's error code of the first std::system_error down the chain of causes (a full disk
  // is std::errc::no_space_on_device); an empty code when there is none.
  std::error_code CauseCode() const;

private:
  std::string message_;
  std::exception_ptr cause_;
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
