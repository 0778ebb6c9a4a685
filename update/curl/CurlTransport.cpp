#include "update/curl/CurlTransport.h"

#include "update/SystemTransfer.h"

#include <curl/curl.h>
#include <exception>
#include <memory>
#include <string>
#include <utility>

namespace kiv {
namespace {

// Larger pieces than libcurl's 16 KiB keep the number of writes and progress calls low.
constexpr long kReceiveBufferBytes = 128 * 1024;

// Why a transfer failed, by libcurl's code.
TransferError ErrorOf(CURLcode code) {
  switch (code) {
  case CURLE_PEER_FAILED_VERIFICATION:
  case CURLE_SSL_CONNECT_ERROR:
  case CURLE_SSL_CACERT_BADFILE:
  case CURLE_SSL_CERTPROBLEM:
  case CURLE_SSL_CIPHER:
    return TransferError::Certificate;
  case CURLE_UNSUPPORTED_PROTOCOL:
    return TransferError::Protocol;
  case CURLE_TOO_MANY_REDIRECTS:
    return TransferError::Redirects;
  case CURLE_HTTP_RETURNED_ERROR:
    return TransferError::Status;
  case CURLE_PARTIAL_FILE:
    return TransferError::Length;
  case CURLE_FILESIZE_EXCEEDED:
    return TransferError::SizeCap;
  case CURLE_OPERATION_TIMEDOUT:
    return TransferError::TimedOut;
  case CURLE_ABORTED_BY_CALLBACK:
    return TransferError::Aborted;
  case CURLE_FAILED_INIT:
  case CURLE_NOT_BUILT_IN:
  case CURLE_UNKNOWN_OPTION:
  case CURLE_OUT_OF_MEMORY:
    return TransferError::Setup;
  default:
    return TransferError::Connection;
  }
}

TransferFailure Failure(CURLcode code, const std::string& reason) {
  return TransferFailure(ErrorOf(code), code, reason);
}

// Initialises libcurl once for the process with OpenSSL, and refuses a libcurl that uses another
// TLS library: Debian also builds libcurl on GnuTLS, and a program may be linked or loaded with it.
void RequireCurlWithOpenSsl() {
  static const CURLcode initialised = [] {
    curl_global_sslset(CURLSSLBACKEND_OPENSSL, nullptr, nullptr);
    return curl_global_init(CURL_GLOBAL_DEFAULT);
  }();
  if (initialised != CURLE_OK)
    throw Failure(initialised, std::string("curl_global_init: ") + curl_easy_strerror(initialised));
  const char* tls = curl_version_info(CURLVERSION_NOW)->ssl_version;
  if (tls == nullptr || !IsOpenSslBackend(tls))
    throw Failure(CURLE_NOT_BUILT_IN, std::string("libcurl uses ") +
                                          (tls ? tls : "no TLS library") + " instead of OpenSSL");
}

template <class Value> void SetOption(CURL* handle, CURLoption option, Value value) {
  const CURLcode code = curl_easy_setopt(handle, option, value);
  if (code != CURLE_OK)
    throw Failure(code,
                  "curl_easy_setopt " + std::to_string(option) + ": " + curl_easy_strerror(code));
}

using CurlHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using HeaderList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

// One running transfer: what the callbacks share. A failure raised inside a callback is kept
// here, ends the transfer, and is raised again after curl_easy_perform has returned.
struct Transfer {
  Transfer(CURL* curl, ResponseReceiver& responseReceiver)
      : handle(curl), receiver(responseReceiver) {}

  CURL* handle;
  ResponseReceiver& receiver;
  bool begun = false;
  std::exception_ptr failure;

  template <class Body> bool Guarded(Body&& body) noexcept {
    try {
      body();
      return true;
    } catch (...) {
      if (!failure)
        failure = std::current_exception();
      return false;
    }
  }

  // The first piece of the final answer's body, or its end when it has none.
  void Begin() {
    begun = true;
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    curl_off_t length = -1;
    curl_easy_getinfo(handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    receiver.Begin(status, length);
  }

  void Receive(std::string_view bytes) {
    if (!begun)
      Begin();
    receiver.Receive(bytes);
  }
};

size_t WriteBody(char* data, size_t, size_t count, void* user) {
  auto& transfer = *static_cast<Transfer*>(user);
  return transfer.Guarded([&] { transfer.Receive({data, count}); }) ? count : 0;
}

int CheckAbort(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto& transfer = *static_cast<Transfer*>(user);
  return transfer.Guarded([&] { transfer.receiver.CheckAbort(); }) ? 0 : 1;
}

void Configure(CURL* handle, const std::string& address, const TransferLimits& limits,
               const curl_slist* headers, Transfer& transfer, char* errorText) {
  SetOption(handle, CURLOPT_ERRORBUFFER, errorText);
  SetOption(handle, CURLOPT_URL, address.c_str());
  SetOption(handle, CURLOPT_NOSIGNAL, 1L);
  // HTTPS alone, also where a redirect leads; the peer and its host name verified.
  SetOption(handle, CURLOPT_PROTOCOLS_STR, "https");
  SetOption(handle, CURLOPT_REDIR_PROTOCOLS_STR, "https");
  SetOption(handle, CURLOPT_FOLLOWLOCATION, 1L);
  SetOption(handle, CURLOPT_MAXREDIRS, static_cast<long>(kMaxRedirects));
  SetOption(handle, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
  SetOption(handle, CURLOPT_SSL_VERIFYPEER, 1L);
  SetOption(handle, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!limits.caFile.empty()) {
    SetOption(handle, CURLOPT_CAINFO, limits.caFile.c_str());
    SetOption(handle, CURLOPT_CAPATH, static_cast<const char*>(nullptr));
  }
  // A server that sends nothing for the read time-out ends the transfer; a slow one does not.
  const long timeout =
      std::chrono::duration_cast<std::chrono::duration<long>>(limits.readTimeout).count();
  SetOption(handle, CURLOPT_CONNECTTIMEOUT, timeout);
  SetOption(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
  SetOption(handle, CURLOPT_LOW_SPEED_TIME, timeout);
  SetOption(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.sizeCap));
  SetOption(handle, CURLOPT_USERAGENT, std::string(kUserAgent).c_str());
  SetOption(handle, CURLOPT_HTTPHEADER, headers);
  SetOption(handle, CURLOPT_COOKIEFILE, "");
  SetOption(handle, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
  SetOption(handle, CURLOPT_WRITEFUNCTION, &WriteBody);
  SetOption(handle, CURLOPT_WRITEDATA, &transfer);
  SetOption(handle, CURLOPT_NOPROGRESS, 0L);
  SetOption(handle, CURLOPT_XFERINFOFUNCTION, &CheckAbort);
  SetOption(handle, CURLOPT_XFERINFODATA, &transfer);
}

HeaderList RequestHeaders() {
  HeaderList list(nullptr, &curl_slist_free_all);
  for (const std::string_view header : kRequestHeaders) {
    // Appending to a list returns the same list; only the first append makes one.
    curl_slist* longer = curl_slist_append(list.get(), std::string(header).c_str());
    if (longer == nullptr)
      throw std::bad_alloc();
    if (!list)
      list.reset(longer);
  }
  return list;
}

} // namespace

bool IsOpenSslBackend(std::string_view sslVersion) {
  return sslVersion.starts_with("OpenSSL/");
}

void SystemHttpsGet(const std::string& address, const TransferLimits& limits,
                    ResponseReceiver& receiver) {
  RequireCurlWithOpenSsl();
  CurlHandle handle(curl_easy_init(), &curl_easy_cleanup);
  if (!handle)
    throw Failure(CURLE_FAILED_INIT, "curl_easy_init failed");
  const HeaderList headers = RequestHeaders();
  Transfer transfer(handle.get(), receiver);
  char errorText[CURL_ERROR_SIZE] = {};
  Configure(handle.get(), address, limits, headers.get(), transfer, errorText);

  const CURLcode code = curl_easy_perform(handle.get());
  if (transfer.failure)
    std::rethrow_exception(transfer.failure);
  if (code != CURLE_OK)
    throw Failure(code, errorText[0] != '\0' ? errorText : curl_easy_strerror(code));
  if (!transfer.begun)
    transfer.Begin();
}

} // namespace kiv
