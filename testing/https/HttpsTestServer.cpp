#include "testing/https/HttpsTestServer.h"

#include <chrono>
#include <stdexcept>

namespace kiv::test {
namespace {

using platform::testing::ChildProcess;

constexpr std::chrono::milliseconds kStartTimeout{30000};

// The ports of a line {"good": 40123, "plain": 40125}.
std::map<std::string, int, std::less<>> ParsePorts(const std::string& line) {
  std::map<std::string, int, std::less<>> ports;
  for (size_t open = line.find('"'); open != std::string::npos; open = line.find('"', open)) {
    const size_t close = line.find('"', open + 1);
    const size_t colon = line.find(':', close);
    ports[line.substr(open + 1, close - open - 1)] = std::stoi(line.substr(colon + 1));
    open = line.find_first_of(",}", colon);
  }
  return ports;
}

} // namespace

void MakeTestCertificates(const std::string& folder) {
  if (platform::testing::RunChild(KIV_MAKE_TEST_CERTIFICATES, {folder}).exitCode != 0)
    throw std::runtime_error("make_test_certificates " + folder + " failed");
}

HttpsTestServer::HttpsTestServer(const std::string& root, const std::string& certificates)
    : server_(KIV_PYTHON, {KIV_HTTPS_TEST_SERVER, root, certificates}),
      caFile_(certificates + "/ca.pem") {
  std::string line;
  switch (server_.ReadLine(line, kStartTimeout)) {
  case ChildProcess::LineStatus::Read:
    ports_ = ParsePorts(line);
    return;
  case ChildProcess::LineStatus::Ended:
    throw std::runtime_error("the HTTPS test server ended before it reported its ports");
  case ChildProcess::LineStatus::TimedOut:
    break;
  }
  throw std::runtime_error("the HTTPS test server did not report its ports");
}

std::string HttpsTestServer::Address(std::string_view listener) const {
  const auto port = ports_.find(listener);
  if (port == ports_.end())
    throw std::invalid_argument("the HTTPS test server has no listener " + std::string(listener));
  return std::string(listener == "plain" ? "http" : "https") +
         "://127.0.0.1:" + std::to_string(port->second) + "/";
}

} // namespace kiv::test
