#pragma once

// The local HTTPS server that the update download's tests and benchmark fetch from.

#include "platform/testing/ChildProcess.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace kiv::test {

// Makes the throwaway certificate authority and server certificates of the test server in
// folder with the openssl command (testing/https/make_test_certificates). Throws std::runtime_error
// when the command fails.
void MakeTestCertificates(const std::string& folder);

// The local HTTPS server of testing/https/https_test_server.py over the files of a folder, on
// ports of its own on 127.0.0.1: started by the object, ended by its process id with it, and
// ending by itself when this process ends. A Windows program under Wine cannot start it: it finds
// the one that testing/https/with_https_test_server started beside it.
class HttpsTestServer {
public:
  // Serves the files under root (a folder with its trailing separator) with the certificates
  // that MakeTestCertificates made in certificates. Throws std::runtime_error when the server
  // does not start. Linux only.
  HttpsTestServer(const std::string& root, const std::string& certificates);
  struct Beside {};
  // The server that with_https_test_server started for this program, its folder emptied of what
  // an earlier test left. Throws std::runtime_error when there is none.
  explicit HttpsTestServer(Beside);
  HttpsTestServer(const HttpsTestServer&) = delete;
  HttpsTestServer& operator=(const HttpsTestServer&) = delete;

  // The base address of a listener, with its trailing "/": "https://127.0.0.1:PORT/" for a
  // certificate ("good", "wronghost", "expired", "selfsigned", "unknownca"), "http://…" for
  // "plain".
  std::string Address(std::string_view listener) const;
  // The certificate authority that signed "good", for the client to trust.
  const std::string& CaFile() const { return caFile_; }
  // The folder of the files it serves, with its trailing separator.
  const std::string& Root() const { return root_; }

private:
  // Its standard input is the server's lifeline: it ends when the input closes. None where the
  // server was started beside this program.
  std::optional<platform::testing::ChildProcess> server_;
  std::map<std::string, int, std::less<>> ports_;
  std::string root_;
  std::string caFile_;
};

} // namespace kiv::test
