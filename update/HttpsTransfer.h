#pragma once

// The update download's transfer layer: one HTTPS GET over libcurl with its limits.

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

// A transfer that did not deliver a whole body with status 200: libcurl's result code (CURLcode)
// and a text that says why. Our own refusals use the code of the nearest libcurl failure.
class TransferFailure : public std::runtime_error {
public:
  TransferFailure(int curlCode, const std::string& reason)
      : std::runtime_error(reason), curlCode_(curlCode) {}
  int CurlCode() const noexcept { return curlCode_; }

private:
  int curlCode_;
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

// True when libcurl's TLS library, as curl_version_info names it ("OpenSSL/3.0.11"), is OpenSSL.
bool IsOpenSslBackend(std::string_view sslVersion);

} // namespace kiv
