// The update download's transfer on Windows: WinHTTP, and crypt32 for a configured authority.

#include "platform/InputFile.h"
#include "platform/testing/FaultSeam.h"
// The platform layer's one conversion between UTF-8 and the UTF-16 of the Windows calls.
#include "platform/win32/Utf16.h"
#include "update/SystemTransfer.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>
#include <windows.h>
// After windows.h, whose types they use.
#include <wincrypt.h>
#include <winhttp.h>
#include <winsock2.h>
#include <ws2tcpip.h>

namespace kiv {
namespace {

using platform::win32::Utf8;
using platform::win32::Wide;

// Larger pieces than WinHTTP's default keep the number of writes and progress calls low.
constexpr DWORD kReceiveBufferBytes = 128 * 1024;
constexpr std::string_view kCertificateBegin = "-----BEGIN CERTIFICATE-----";
constexpr std::string_view kCertificateEnd = "-----END CERTIFICATE-----";

// The system's text of a WinHTTP or crypt32 error; WinHTTP keeps its texts in its own module.
std::string ErrorText(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_FROM_HMODULE |
          FORMAT_MESSAGE_IGNORE_INSERTS,
      GetModuleHandleW(L"winhttp.dll"), code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message = length > 0 ? Utf8({text, length}) : "error";
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
    message.pop_back();
  return message + " (" + std::to_string(code) + ")";
}

// Why a transfer failed, by WinHTTP's error.
TransferError ErrorOf(DWORD code) {
  switch (code) {
  case ERROR_WINHTTP_SECURE_FAILURE:
  case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
  case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
  case ERROR_WINHTTP_SECURE_INVALID_CA:
  case ERROR_WINHTTP_SECURE_INVALID_CERT:
  case ERROR_WINHTTP_SECURE_CERT_REVOKED:
  case ERROR_WINHTTP_SECURE_CERT_REV_FAILED:
  case ERROR_WINHTTP_SECURE_CERT_WRONG_USAGE:
  case ERROR_WINHTTP_SECURE_CHANNEL_ERROR:
    return TransferError::Certificate;
  case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
    return TransferError::Protocol;
  case ERROR_WINHTTP_TIMEOUT:
  case WSAETIMEDOUT: // Wine's WinHTTP passes on the socket's own error
    return TransferError::TimedOut;
  default:
    return TransferError::Connection;
  }
}

// True when a test fault strikes this call of the web client or of the certificate functions
// (platform/testing/FaultInjection.h), which then fails with WinHTTP's error of its own.
bool Struck() {
  if (!platform::testing::InjectedFault(platform::testing::Operation::WebRequest))
    return false;
  SetLastError(ERROR_WINHTTP_INTERNAL_ERROR);
  return true;
}

// The failure of call, by the error it left.
[[noreturn]] void Fail(const char* call) {
  const DWORD code = GetLastError();
  throw TransferFailure(ErrorOf(code), static_cast<long>(code),
                        std::string(call) + ": " + ErrorText(code));
}

struct InternetClose {
  void operator()(HINTERNET handle) const noexcept { WinHttpCloseHandle(handle); }
};
using Internet = std::unique_ptr<void, InternetClose>;

Internet Opened(HINTERNET handle, const char* call) {
  Internet opened(handle);
  if (Struck() || !opened)
    Fail(call);
  return opened;
}

template <class Value> void SetOption(HINTERNET handle, DWORD option, Value value) {
  if (Struck() || !WinHttpSetOption(handle, option, &value, sizeof(value)))
    Fail("WinHttpSetOption");
}

struct StoreClose {
  void operator()(HCERTSTORE store) const noexcept { CertCloseStore(store, 0); }
};
using Store = std::unique_ptr<void, StoreClose>;
struct CertificateFree {
  void operator()(PCCERT_CONTEXT certificate) const noexcept {
    CertFreeCertificateContext(certificate);
  }
};
using Certificate = std::unique_ptr<const CERT_CONTEXT, CertificateFree>;
struct ChainFree {
  void operator()(PCCERT_CHAIN_CONTEXT chain) const noexcept { CertFreeCertificateChain(chain); }
};
using Chain = std::unique_ptr<const CERT_CHAIN_CONTEXT, ChainFree>;

Store OpenStore(LPCSTR provider) {
  Store store(CertOpenStore(provider, 0, 0, 0, nullptr));
  if (Struck() || !store)
    Fail("CertOpenStore");
  return store;
}

[[noreturn]] void Refuse(const std::string& reason, DWORD code) {
  throw TransferFailure(TransferError::Certificate, static_cast<long>(code), reason);
}

// The whole of a small file.
std::string FileText(const std::string& path) {
  platform::InputFile file(path);
  std::string text;
  char buffer[16384];
  for (size_t read; (read = file.Read(buffer, sizeof buffer)) > 0;)
    text.append(buffer, read);
  return text;
}

// The certificates of the PEM file caFile, the authorities trusted alone.
Store Authorities(const std::string& caFile) {
  std::string text;
  try {
    text = FileText(caFile);
  } catch (const std::system_error& e) {
    Refuse(std::string("The certificate authorities cannot be read: ") + e.what(), 0);
  }
  Store authorities = OpenStore(CERT_STORE_PROV_MEMORY);
  for (size_t begin = text.find(kCertificateBegin); begin != std::string::npos;
       begin = text.find(kCertificateBegin, begin + 1)) {
    const size_t end = text.find(kCertificateEnd, begin);
    if (end == std::string::npos)
      break;
    const std::string block = text.substr(begin, end + kCertificateEnd.size() - begin);
    DWORD size = 0;
    if (Struck() ||
        !CryptStringToBinaryA(block.data(), static_cast<DWORD>(block.size()),
                              CRYPT_STRING_BASE64HEADER, nullptr, &size, nullptr, nullptr))
      Fail("CryptStringToBinaryA");
    std::vector<BYTE> der(size);
    if (Struck() ||
        !CryptStringToBinaryA(block.data(), static_cast<DWORD>(block.size()),
                              CRYPT_STRING_BASE64HEADER, der.data(), &size, nullptr, nullptr) ||
        Struck() ||
        !CertAddEncodedCertificateToStore(authorities.get(), X509_ASN_ENCODING, der.data(), size,
                                          CERT_STORE_ADD_ALWAYS, nullptr))
      Fail("CertAddEncodedCertificateToStore");
  }
  if (CertEnumCertificatesInStore(authorities.get(), nullptr) == nullptr)
    Refuse("No certificate in " + caFile, 0);
  return authorities;
}

// True when certificate is one of authorities.
bool IsOneOf(HCERTSTORE authorities, PCCERT_CONTEXT certificate) {
  const Certificate found(CertFindCertificateInStore(authorities, X509_ASN_ENCODING, 0,
                                                     CERT_FIND_EXISTING, certificate, nullptr));
  return found != nullptr;
}

// The bytes of host when it is an IP address (4 or 16 of them, an IPv6 address in brackets as an
// address has it); nullopt for a host name.
std::optional<std::vector<BYTE>> IpAddress(const std::wstring& host) {
  IN_ADDR version4{};
  if (InetPtonW(AF_INET, host.c_str(), &version4) == 1) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&version4);
    return std::vector<BYTE>(bytes, bytes + sizeof(version4));
  }
  IN6_ADDR version6{};
  if (host.size() > 2 && host.front() == L'[' && host.back() == L']' &&
      InetPtonW(AF_INET6, host.substr(1, host.size() - 2).c_str(), &version6) == 1) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&version6);
    return std::vector<BYTE>(bytes, bytes + sizeof(version6));
  }
  return std::nullopt;
}

struct LocalMemoryFree {
  void operator()(void* memory) const noexcept { LocalFree(memory); }
};

// True when certificate names address among its subject's alternative names.
bool NamesIpAddress(PCCERT_CONTEXT certificate, const std::vector<BYTE>& address) {
  const CERT_EXTENSION* extension =
      CertFindExtension(szOID_SUBJECT_ALT_NAME2, certificate->pCertInfo->cExtension,
                        certificate->pCertInfo->rgExtension);
  if (extension == nullptr)
    return false;
  CERT_ALT_NAME_INFO* decoded = nullptr;
  DWORD size = 0;
  if (Struck() || !CryptDecodeObjectEx(X509_ASN_ENCODING, X509_ALTERNATE_NAME,
                                       extension->Value.pbData, extension->Value.cbData,
                                       CRYPT_DECODE_ALLOC_FLAG, nullptr, &decoded, &size))
    Fail("CryptDecodeObjectEx");
  const std::unique_ptr<CERT_ALT_NAME_INFO, LocalMemoryFree> names(decoded);
  for (DWORD i = 0; i < names->cAltEntry; ++i) {
    const CERT_ALT_NAME_ENTRY& entry = names->rgAltEntry[i];
    if (entry.dwAltNameChoice == CERT_ALT_NAME_IP_ADDRESS &&
        std::equal(address.begin(), address.end(), entry.IPAddress.pbData,
                   entry.IPAddress.pbData + entry.IPAddress.cbData))
      return true;
  }
  return false;
}

// Refuses the server of request unless its certificate chains up to one of authorities, is
// valid for a server's authentication and names host. The chain is built from the server's
// certificates and the authorities; the system's store may add to it but its roots count for
// nothing: the chain must end in one of the authorities. An IP address is looked for among the
// certificate's alternative names here, the same on every Windows: Wine's policy matches host
// names alone.
void VerifyServer(HINTERNET request, HCERTSTORE authorities, const std::wstring& host) {
  PCCERT_CONTEXT served = nullptr;
  DWORD size = sizeof(served);
  if (Struck() || !WinHttpQueryOption(request, WINHTTP_OPTION_SERVER_CERT_CONTEXT, &served, &size))
    Fail("WinHttpQueryOption");
  const Certificate certificate(served);
  const Store candidates = OpenStore(CERT_STORE_PROV_COLLECTION);
  if (Struck() || !CertAddStoreToCollection(candidates.get(), certificate->hCertStore, 0, 0) ||
      Struck() || !CertAddStoreToCollection(candidates.get(), authorities, 0, 0))
    Fail("CertAddStoreToCollection");
  char serverAuthentication[] = szOID_PKIX_KP_SERVER_AUTH;
  char* usages[] = {serverAuthentication};
  CERT_CHAIN_PARA parameters{};
  parameters.cbSize = sizeof(parameters);
  parameters.RequestedUsage.dwType = USAGE_MATCH_TYPE_AND;
  parameters.RequestedUsage.Usage.cUsageIdentifier = 1;
  parameters.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
  PCCERT_CHAIN_CONTEXT built = nullptr;
  if (Struck() || !CertGetCertificateChain(nullptr, certificate.get(), nullptr, candidates.get(),
                                           &parameters, 0, nullptr, &built))
    Fail("CertGetCertificateChain");
  const Chain chain(built);
  const CERT_SIMPLE_CHAIN& path = *chain->rgpChain[0];
  if (!IsOneOf(authorities, path.rgpElement[path.cElement - 1]->pCertContext))
    Refuse("The server's certificate does not lead to a configured authority", 0);
  if ((chain->TrustStatus.dwErrorStatus & ~DWORD{CERT_TRUST_IS_UNTRUSTED_ROOT}) != 0)
    Refuse("The server's certificate chain is not valid (trust status " +
               std::to_string(chain->TrustStatus.dwErrorStatus) + ")",
           0);
  const std::optional<std::vector<BYTE>> address = IpAddress(host);
  if (address && !NamesIpAddress(certificate.get(), *address))
    Refuse("The server's certificate does not name " + Utf8(host), CERT_E_CN_NO_MATCH);
  std::wstring name = host;
  HTTPSPolicyCallbackData ssl{};
  ssl.cbStruct = sizeof(ssl);
  ssl.dwAuthType = AUTHTYPE_SERVER;
  // The authority has been judged above; the policy judges the rest, the host name first.
  ssl.fdwChecks = SECURITY_FLAG_IGNORE_UNKNOWN_CA;
  ssl.pwszServerName = address ? nullptr : name.data();
  CERT_CHAIN_POLICY_PARA policy{};
  policy.cbSize = sizeof(policy);
  policy.pvExtraPolicyPara = &ssl;
  CERT_CHAIN_POLICY_STATUS status{};
  status.cbSize = sizeof(status);
  if (Struck() ||
      !CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain.get(), &policy, &status))
    Fail("CertVerifyCertificateChainPolicy");
  if (status.dwError != 0)
    Refuse("The server's certificate is refused: " + ErrorText(status.dwError), status.dwError);
}

// The parts of an https address that a request needs.
struct Address {
  std::wstring host;
  INTERNET_PORT port;
  std::wstring path; // with the query, as the address has it
};

Address Crack(const std::string& address) {
  const std::wstring wide = Wide(address);
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof(parts);
  parts.dwSchemeLength = static_cast<DWORD>(-1);
  parts.dwHostNameLength = static_cast<DWORD>(-1);
  parts.dwUrlPathLength = static_cast<DWORD>(-1);
  parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (!WinHttpCrackUrl(wide.c_str(), static_cast<DWORD>(wide.size()), 0, &parts) ||
      parts.nScheme != INTERNET_SCHEME_HTTPS)
    throw TransferFailure(TransferError::Protocol, 0,
                          "Only https addresses are fetched: " + address);
  std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
  path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  return {std::wstring(parts.lpszHostName, parts.dwHostNameLength), parts.nPort,
          path.empty() ? L"/" : path};
}

// path (from its first "/" on, with its query) without its "." and ".." segments.
std::string WithoutDotSegments(std::string_view path) {
  const size_t queryAt = path.find('?');
  const std::string_view query = queryAt == std::string_view::npos ? "" : path.substr(queryAt);
  path = path.substr(0, queryAt);
  std::vector<std::string_view> kept;
  for (size_t start = 1;;) {
    const size_t end = path.find('/', start);
    const std::string_view segment = path.substr(start, end - start);
    const bool last = end == std::string_view::npos;
    if (segment == ".." && !kept.empty())
      kept.pop_back();
    if (segment != ".." && segment != ".")
      kept.push_back(segment);
    else if (last)
      kept.push_back({});
    if (last)
      break;
    start = end + 1;
  }
  std::string result;
  for (const std::string_view segment : kept)
    result.append("/").append(segment);
  return result + std::string(query);
}

// Where a redirect's Location leads from address: an address of its own, a path on the same
// server, or a name relative to the address's folder.
std::string Resolve(const std::string& address, const std::string& location) {
  if (location.find("://") != std::string::npos)
    return location;
  const size_t pathAt = std::min(address.find('/', address.find("://") + 3), address.size());
  const std::string origin = address.substr(0, pathAt);
  if (location.starts_with('/'))
    return origin + WithoutDotSegments(location);
  const std::string path = pathAt < address.size() ? address.substr(pathAt) : "/";
  return origin +
         WithoutDotSegments(path.substr(0, path.rfind('/', path.find('?')) + 1) + location);
}

bool IsRedirect(DWORD status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// A header of the answer to request; nullopt when the answer has none.
std::optional<std::wstring> Header(HINTERNET request, DWORD query) {
  DWORD size = 0;
  if (Struck() ||
      WinHttpQueryHeaders(request, query, WINHTTP_HEADER_NAME_BY_INDEX, nullptr, &size,
                          WINHTTP_NO_HEADER_INDEX) ||
      GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    if (GetLastError() == ERROR_WINHTTP_HEADER_NOT_FOUND)
      return std::nullopt;
    Fail("WinHttpQueryHeaders");
  }
  std::wstring value(size / sizeof(wchar_t), L'\0');
  if (Struck() || !WinHttpQueryHeaders(request, query, WINHTTP_HEADER_NAME_BY_INDEX, value.data(),
                                       &size, WINHTTP_NO_HEADER_INDEX))
    Fail("WinHttpQueryHeaders");
  value.resize(size / sizeof(wchar_t));
  return value;
}

std::int64_t Number(const std::wstring& text) {
  try {
    return std::stoll(text);
  } catch (const std::logic_error&) {
    throw TransferFailure(TransferError::Connection, 0,
                          "The server sent a number that is none: " + Utf8(text));
  }
}

// The session of one transfer: TLS 1.2 or later, the read time-out on every step.
Internet OpenSession(const TransferLimits& limits) {
  Internet session = Opened(WinHttpOpen(Wide(kUserAgent).c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                        WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0),
                            "WinHttpOpen");
  // TLS 1.3 where the system knows it; systems before it refuse the flag and keep TLS 1.2.
  DWORD protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2 | WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_3;
  if (Struck() || !WinHttpSetOption(session.get(), WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols,
                                    sizeof(protocols)))
    SetOption(session.get(), WINHTTP_OPTION_SECURE_PROTOCOLS,
              DWORD{WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2});
  // A receive time-out holds for each wait of a read, so that it is a low-speed limit: a server
  // silent for the time ends the transfer, a slow one does not.
  const auto timeout = static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(limits.readTimeout).count());
  if (Struck() || !WinHttpSetTimeouts(session.get(), timeout, timeout, timeout, timeout))
    Fail("WinHttpSetTimeouts");
  return session;
}

std::wstring RequestHeaders() {
  std::wstring headers;
  for (const std::string_view header : kRequestHeaders)
    headers += Wide(header) + L"\r\n";
  return headers;
}

// The body of request, piece by piece. A connection that breaks off ends the body: the length
// check above tells a body cut short.
void ReceiveBody(HINTERNET request, ResponseReceiver& receiver) {
  std::vector<char> buffer(kReceiveBufferBytes);
  for (;;) {
    DWORD read = 0;
    if (Struck() || !WinHttpReadData(request, buffer.data(), kReceiveBufferBytes, &read)) {
      if (GetLastError() == ERROR_WINHTTP_CONNECTION_ERROR)
        return;
      Fail("WinHttpReadData");
    }
    if (read == 0)
      return;
    receiver.Receive({buffer.data(), read});
  }
}

} // namespace

void SystemHttpsGet(const std::string& address, const TransferLimits& limits,
                    ResponseReceiver& receiver) {
  const Store authorities = limits.caFile.empty() ? Store() : Authorities(limits.caFile);
  const Internet session = OpenSession(limits);
  const std::wstring headers = RequestHeaders();
  // Redirects are followed here, one request each, so that every server is checked alike and
  // none is asked for anything over plain http.
  std::string hop = address;
  for (int redirects = 0;; ++redirects) {
    receiver.CheckAbort();
    const Address target = Crack(hop);
    const Internet connection = Opened(
        WinHttpConnect(session.get(), target.host.c_str(), target.port, 0), "WinHttpConnect");
    // The address is sent as it stands: the fetch logic has encoded it.
    const Internet request =
        Opened(WinHttpOpenRequest(connection.get(), L"GET", target.path.c_str(), nullptr,
                                  WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                  WINHTTP_FLAG_SECURE | WINHTTP_FLAG_ESCAPE_DISABLE),
               "WinHttpOpenRequest");
    SetOption(request.get(), WINHTTP_OPTION_REDIRECT_POLICY,
              DWORD{WINHTTP_OPTION_REDIRECT_POLICY_NEVER});
    // With authorities of its own, the system still checks the dates and the host name (an IP
    // address is checked below); the authority is judged below against those alone.
    if (authorities)
      SetOption(request.get(), WINHTTP_OPTION_SECURITY_FLAGS,
                DWORD{SECURITY_FLAG_IGNORE_UNKNOWN_CA} |
                    (IpAddress(target.host) ? DWORD{SECURITY_FLAG_IGNORE_CERT_CN_INVALID} : 0));
    if (Struck() || !WinHttpSendRequest(request.get(), headers.c_str(), static_cast<DWORD>(-1L),
                                        WINHTTP_NO_REQUEST_DATA, 0, 0, 0))
      Fail("WinHttpSendRequest");
    if (authorities)
      VerifyServer(request.get(), authorities.get(), target.host);
    if (Struck() || !WinHttpReceiveResponse(request.get(), nullptr))
      Fail("WinHttpReceiveResponse");
    const std::optional<std::wstring> statusText = Header(request.get(), WINHTTP_QUERY_STATUS_CODE);
    const auto status = statusText ? Number(*statusText) : 0;
    const std::optional<std::wstring> location = Header(request.get(), WINHTTP_QUERY_LOCATION);
    if (IsRedirect(static_cast<DWORD>(status)) && location) {
      if (redirects == kMaxRedirects)
        throw TransferFailure(TransferError::Redirects, 0,
                              "More than " + std::to_string(kMaxRedirects) + " redirects");
      hop = Resolve(hop, Utf8(*location));
      continue;
    }
    const std::optional<std::wstring> length = Header(request.get(), WINHTTP_QUERY_CONTENT_LENGTH);
    receiver.Begin(static_cast<long>(status), length ? Number(*length) : -1);
    ReceiveBody(request.get(), receiver);
    return;
  }
}

} // namespace kiv
