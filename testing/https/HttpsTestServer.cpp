#include "testing/https/HttpsTestServer.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
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
    : root_(root), caFile_(certificates + "/ca.pem") {
  server_.emplace(KIV_PYTHON, std::vector<std::string>{KIV_HTTPS_TEST_SERVER, root, certificates});
  std::string line;
  switch (server_->ReadLine(line, kStartTimeout)) {
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

HttpsTestServer::HttpsTestServer(Beside) {
  const char* ports = std::getenv("KIV_HTTPS_TEST_SERVER_PORTS");
  const char* folder = std::getenv("KIV_HTTPS_TEST_SERVER_FOLDER");
  if (ports == nullptr || folder == nullptr)
    throw std::runtime_error("no HTTPS test server beside this program: run it through "
                             "testing/https/with_https_test_server");
  ports_ = ParsePorts(ports);
  root_ = std::string(folder) + "/served/";
  caFile_ = std::string(folder) + "/certificates/ca.pem";
  for (const auto& entry : std::filesystem::directory_iterator(root_))
    std::filesystem::remove_all(entry.path());
}

std::string HttpsTestServer::Address(std::string_view listener) const {
  const auto port = ports_.find(listener);
  if (port == ports_.end())
    throw std::invalid_argument("the HTTPS test server has no listener " + std::string(listener));
  return std::string(listener == "plain" ? "http" : "https") +
         "://127.0.0.1:" + std::to_string(port->second) + "/";
}

} // namespace kiv::test
