#pragma once

// What a system's web client does for the update download's checked transfer (HttpsTransfer.h):
// one GET request and its answer, handed on as it arrives.

#include "update/HttpsTransfer.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kiv {

// The request headers of the update client, as the server has always seen them.
inline constexpr std::string_view kUserAgent = "Mozilla/3.0 (compatible; Indy Library)";
inline constexpr std::string_view kRequestHeaders[] = {
    "Accept: text/html, */*", "Content-Type: text/html; charset=ISO-8859-1"};

// The most redirects a request follows.
inline constexpr int kMaxRedirects = 5;

// Where a system's transfer hands what arrives. Each call may raise: the transfer then ends and
// raises the same failure again, unchanged, once it has left the web client.
class ResponseReceiver {
public:
  virtual ~ResponseReceiver() = default;

  // The final answer has come: its status and announced length (-1 when none). Called once,
  // before the first piece of its body, also when the body is empty.
  virtual void Begin(long status, std::int64_t announcedLength) = 0;
  // The next piece of the body.
  virtual void Receive(std::string_view bytes) = 0;
  // Asked while the transfer runs: raises TransferFailure (Aborted) when it is to end.
  virtual void CheckAbort() = 0;
};

// Sends one GET request for address with kUserAgent and kRequestHeaders over HTTPS alone, the
// server's certificate and host name verified (against limits.caFile alone when it names one),
// TLS 1.2 or later, redirects followed to https addresses alone and at most kMaxRedirects times;
// hands the final answer to receiver. A server silent for limits.readTimeout ends the transfer.
// Throws TransferFailure for a failure of its own; what receiver raised passes unchanged.
void SystemHttpsGet(const std::string& address, const TransferLimits& limits,
                    ResponseReceiver& receiver);

} // namespace kiv
