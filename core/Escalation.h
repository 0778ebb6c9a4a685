#pragma once

// The suite's escalation of failures: the location chain of EPFatal, the error log and the three
// guards every guarded routine wraps its body in (docs/error-policy.md).

#include "core/Exceptions.h"

#include <exception>
#include <string>
#include <string_view>
#include <type_traits>

namespace kiv {

// The message of an escalated failure: location, LF, the caught message, then LF Extra LF if any.
std::string PeloBuildErrorMessage(const std::exception& E, std::string_view location,
                                  std::string_view extra = {});

// A new EPFatal for E caught in unitOrClass.routine; the caller raises it.
EPFatal EPFatalCreate(const std::exception& E, std::string_view unitOrClass,
                      std::string_view routine, std::string_view extra = {});

// Appends to the error log inside a sibling executable, then raises EPelo, EPInfo or EPFatal.
[[noreturn]] void PeloRaiseError(const std::exception& E, std::string_view unitOrClass,
                                 std::string_view routine, std::string_view extra = {});

// The error log's file name; empty at start, assigned by the hosting program.
const std::string& ErrorLogFileName();
void SetErrorLogFileName(std::string fileName);

// Runs body; any std::exception escaping it goes through PeloRaiseError for unitOrClass.routine.
// Anything not derived from std::exception passes untouched.
template <class Body>
decltype(auto) GuardEscalating(std::string_view unitOrClass, std::string_view routine,
                               Body&& body) {
  try {
    return body();
  } catch (const std::exception& e) {
    PeloRaiseError(e, unitOrClass, routine);
  }
}

// Runs body; an EPFatal gains the location unitOrClass.routine, any other EPelo passes unchanged
// (the same object), any other std::exception becomes EPFatal. Never writes the error log.
template <class Body>
decltype(auto) GuardWrapping(std::string_view unitOrClass, std::string_view routine, Body&& body) {
  try {
    return body();
  } catch (const EPFatal& e) {
    throw EPFatalCreate(e, unitOrClass, routine);
  } catch (const EPelo&) {
    throw;
  } catch (const std::exception& e) {
    throw EPFatalCreate(e, unitOrClass, routine);
  }
}

// Runs body; any std::exception escaping it is replaced by an EPelo with the given message, which
// keeps the failure as its Cause() (a full disk stays apart from a refused permission). The
// message is a string, or a function that builds it, called only on failure. Anything not derived
// from std::exception passes untouched.
template <class Message, class Body> decltype(auto) GuardReplacing(Message&& message, Body&& body) {
  try {
    return body();
  } catch (const std::exception&) {
    if constexpr (std::is_invocable_v<Message&>)
      throw EPelo(message(), std::current_exception());
    else
      throw EPelo(std::string(message), std::current_exception());
  }
}

} // namespace kiv
