#pragma once

// The libcurl transfer's check of its TLS library.

#include <string_view>

namespace kiv {

// True when libcurl's TLS library, as curl_version_info names it ("OpenSSL/3.0.11"), is OpenSSL.
bool IsOpenSslBackend(std::string_view sslVersion);

} // namespace kiv
