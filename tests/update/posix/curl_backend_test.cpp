// The libcurl transfer's check of its TLS library.
#include "update/curl/CurlTransport.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(CurlTransport, OnlyOpenSslIsAcceptedAsTlsLibrary) {
  EXPECT_TRUE(IsOpenSslBackend("OpenSSL/3.0.11"));
  EXPECT_FALSE(IsOpenSslBackend("GnuTLS/3.7.9"));
  EXPECT_FALSE(IsOpenSslBackend("NSS/3.87"));
  EXPECT_FALSE(IsOpenSslBackend(""));
}

} // namespace
} // namespace kiv
