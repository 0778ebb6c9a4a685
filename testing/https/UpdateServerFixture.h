#pragma once

#include "core/Exceptions.h"
#include "testing/https/HttpsTestServer.h"
#include "testing/support/ReplacingFileSteps.h"
#include "testing/support/TempDir.h"
#include "update/UpdateFetch.h"

#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kiv::test {

// size bytes that differ from file to file: a byte-for-byte comparison tells every file apart.
inline std::string Bytes(size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  std::uint32_t state = seed * 2654435761u + 1;
  for (char& byte : bytes) {
    state = state * 1664525u + 1013904223u;
    byte = static_cast<char>(state >> 24);
  }
  return bytes;
}

// The progress calls of a transfer as text ("begin 250000", "work 0", …, "end"), with a hook
// that runs inside each Work call and an abort switch.
class RecordedProgress final : public TransferProgress {
public:
  void WorkBegin(std::int64_t announcedTotal) override {
    events.push_back("begin " + std::to_string(announcedTotal));
  }
  void Work(std::int64_t received) override {
    events.push_back("work " + std::to_string(received));
    if (onWork)
      onWork();
  }
  void WorkEnd() override { events.push_back("end"); }
  bool AbortRequested() override { return abort; }

  std::vector<std::string> events;
  std::function<void()> onWork;
  bool abort = false;
};

// Runs fn once and gives a function that raises again what it raised (nothing when it raised
// nothing), so that a slow failure is looked at from several sides without running it twice.
template <class F> std::function<void()> Replay(F&& fn) {
  std::exception_ptr raised;
  try {
    fn();
  } catch (...) {
    raised = std::current_exception();
  }
  return [raised] {
    if (raised)
      std::rethrow_exception(raised);
  };
}

// Raises the cause of the failure of the family that fn raises, for the caller to catch; raises
// std::logic_error when fn raises something else, nothing, or a failure without a cause.
template <class F> [[noreturn]] void RaiseCauseOf(F&& fn) {
  try {
    fn();
  } catch (const Exception& e) {
    if (e.Cause())
      std::rethrow_exception(e.Cause());
    throw std::logic_error("a failure without a cause: " + e.Message());
  } catch (const std::exception& e) {
    throw std::logic_error(std::string("not a failure of the family: ") + e.what());
  }
  throw std::logic_error("nothing raised");
}

// A download folder, the local HTTPS server with its throwaway certificates, and the folder of
// the files it serves.
class UpdateServerTest : public ::testing::Test {
protected:
  // Serves bytes at the server path (without its leading "/").
  void Serve(const std::string& path, std::string_view bytes) {
    std::filesystem::create_directories(Utf8Path(server_.Root() + path).parent_path());
    WriteFile(server_.Root() + path, bytes);
  }
  // Gives the server its behaviour file (see testing/https/https_test_server.py).
  void Behave(const std::string& json) { WriteFile(server_.Root() + ".behaviour", json); }
  // The requests the server received, one line of JSON each.
  std::string Requests() const { return ReadFile(server_.Root() + ".requests"); }

  // The settings that fetch from the listener of the server and trust its authority.
  UpdateSettings Settings(std::string_view listener = "good") const {
    UpdateSettings settings;
    settings.serverAddress = server_.Address(listener);
    settings.releaseFolder = "Release/";
    settings.caFile = server_.CaFile();
    return settings;
  }

  const std::string& Folder() const { return download_.path(); }
  std::vector<std::string> Files() const { return Entries(download_.path()); }

  const HttpsTestServer& Server() const { return server_; }

private:
#ifdef _WIN32
  // Under Wine the server runs beside the test program (testing/https/with_https_test_server).
  HttpsTestServer server_{HttpsTestServer::Beside {}};
#else
  static std::string Certified(const TempDir& folder) {
    MakeTestCertificates(folder / "certificates");
    return folder / "certificates";
  }

  TempDir certificates_;
  std::string certificateFolder_ = Certified(certificates_);
  TempDir served_;
  HttpsTestServer server_{served_.path(), certificateFolder_};
#endif
  TempDir download_;
};

} // namespace kiv::test
