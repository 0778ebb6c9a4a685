#pragma once

#include <map>
#include <string>
#include <string_view>

namespace kiv::test {

// Makes the throwaway certificate authority and server certificates of the test server in
// folder with the openssl command (testing/make_test_certificates). Throws std::runtime_error
// when the command fails.
void MakeTestCertificates(const std::string& folder);

// The local HTTPS server of testing/https_test_server.py over the files of a folder, on ports of
// its own on 127.0.0.1: started by the object, ended by its process id with it, and ending by
// itself when this process ends. POSIX only, like the update download it serves.
class HttpsTestServer {
public:
  // Serves the files under root (a folder with its trailing separator) with the certificates
  // that MakeTestCertificates made in certificates. Throws std::runtime_error when the server
  // does not start.
  HttpsTestServer(const std::string& root, const std::string& certificates);
  HttpsTestServer(const HttpsTestServer&) = delete;
  HttpsTestServer& operator=(const HttpsTestServer&) = delete;
  ~HttpsTestServer();

  // The base address of a listener, with its trailing "/": "https://127.0.0.1:PORT/" for a
  // certificate ("good", "wronghost", "expired", "selfsigned", "unknownca"), "http://…" for
  // "plain".
  std::string Address(std::string_view listener) const;
  // The certificate authority that signed "good", for the client to trust.
  const std::string& CaFile() const { return caFile_; }

private:
  void Stop() noexcept;

  int processId_ = -1;
  int input_ = -1; // the server's standard input: it ends when this closes
  std::map<std::string, int, std::less<>> ports_;
  std::string caFile_;
};

} // namespace kiv::test
