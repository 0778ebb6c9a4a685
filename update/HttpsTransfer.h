#pragma once

// The update download's transfer layer: one HTTPS GET with its checks and limits, over the
// system's web client (libcurl on Linux, WinHTTP on Windows).

#include "update/TransferProgress.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kiv {

// How a transfer may go.
struct TransferLimits {
  std::string caFile;               // certificate authorities trusted alone; empty: the system's
  std::chrono::seconds readTimeout; // the longest time without a byte before the transfer ends
  std::int64_t sizeCap;             // the most bytes a body may have
};

// Why a transfer failed, the same on every system.
enum class TransferError {
  Setup,       // the web client could not be set up, or refused an option
  Connection,  // no connection to the server, or it broke off before the answer
  Certificate, // the server's certificate or host name was refused, or no TLS 1.2 or later
  Protocol,    // an address, or a redirect's target, that is not https
  Redirects,   // more than five redirects
  Status,      // the final answer's status was not 200
  Length,      // the body was shorter or longer than announced
  SizeCap,     // the body, announced or received, was beyond the size cap
  TimedOut,    // the server sent nothing for the read time-out
  Aborted,     // the watcher asked for the end
};

// A transfer that did not deliver a whole body with status 200: why, the web client's own code
// (a CURLcode, a Windows error; the status for Status; 0 for the other refusals of our own) and a
// text that says why.
class TransferFailure : public std::runtime_error {
public:
  TransferFailure(TransferError error, long systemCode, const std::string& reason)
      : std::runtime_error(reason), error_(error), systemCode_(systemCode) {}
  TransferError Error() const noexcept { return error_; }
  long SystemCode() const noexcept { return systemCode_; }

private:
  TransferError error_;
  long systemCode_;
};

// Receives the body in pieces, in order.
using BodySink = std::function<void(std::string_view bytes)>;

// Fetches address with one GET request over HTTPS alone (redirects too, at most five), the
// server's certificate and host name verified, TLS 1.2 or later, and hands the body to sink. The
// request carries the update client's headers. Returns the number of body bytes, which is exactly
// the announced length when the server announced one. Throws TransferFailure for a refused
// server or certificate, a status other than 200, a body shorter or longer than announced or
// beyond limits.sizeCap, a server silent for limits.readTimeout and an abort; a failure raised by
// sink or progress is raised again unchanged once the transfer has ended.
std::int64_t HttpsGet(const std::string& address, const TransferLimits& limits,
                      const BodySink& sink, TransferProgress& progress);

} // namespace kiv
