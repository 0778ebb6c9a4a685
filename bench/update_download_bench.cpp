// kiv_update_download_bench: a release archive fetched from the local HTTPS server by the update
// download's fetch logic (no window) against the curl command fetching the same file to disk, in
// one run; throughput ratio and peak memory growth against the goals.
//
//   kiv_update_download_bench [--size-mb M] [--repetitions R]   (256 and 3 by default)
#include "bench/Processes.h"
#include "platform/testing/ChildProcess.h"
#include "testing/https/HttpsTestServer.h"
#include "update/UpdateFetch.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace kiv::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kThroughputGoal = 0.9;
constexpr double kMemoryGrowthGoalMib = 32;
constexpr const char* kArchive = "bench.zip";

class NoProgress final : public TransferProgress {
public:
  void WorkBegin(std::int64_t) override {}
  void Work(std::int64_t) override {}
  void WorkEnd() override {}
  bool AbortRequested() override { return false; }
};

// A folder of the system's temporary folder, removed with everything in it.
class ScratchFolder {
public:
  ScratchFolder() : path_(fs::temp_directory_path() / ("kiv-update-bench-" + Stamp())) {
    fs::create_directories(path_);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
  static std::string Stamp() { return std::to_string(std::random_device()()); }
  fs::path path_;
};

// Writes bytes of random content in pieces, so that making the file grows no memory.
void WriteRandomFile(const std::string& path, std::uint64_t bytes) {
  std::ofstream out(path, std::ios::binary);
  std::mt19937_64 random(1);
  std::vector<std::uint64_t> piece(1 << 17);
  for (std::uint64_t left = bytes; left > 0;) {
    std::generate(piece.begin(), piece.end(), random);
    const std::uint64_t size = std::min<std::uint64_t>(left, piece.size() * 8);
    out.write(reinterpret_cast<const char*>(piece.data()), static_cast<std::streamsize>(size));
    left -= size;
  }
  if (!out.flush())
    throw std::runtime_error("cannot write " + path);
}

double Seconds(Clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

int Run(std::uint64_t sizeMb, int repetitions) {
  const std::uint64_t bytes = sizeMb << 20;
  ScratchFolder scratch;
  fs::create_directories(scratch / "served/Release");
  fs::create_directories(scratch / "fetched");
  test::MakeTestCertificates(scratch / "certificates");
  WriteRandomFile(scratch / "served/Release/" + kArchive, bytes);
  const test::HttpsTestServer server(scratch / "served/", scratch / "certificates");

  UpdateSettings settings;
  settings.serverAddress = server.Address("good");
  settings.releaseFolder = "Release/";
  settings.caFile = server.CaFile();
  NoProgress progress;
  const std::string address = settings.serverAddress + "Release/" + kArchive;

  std::vector<double> ours;
  std::vector<double> curl;
  // The two take turns, so that a change in the machine's load falls on both alike; the peak
  // memory is this process's own, which the curl command does not touch.
  const std::uint64_t peakBefore = PeakResidentKib();
  for (int i = 0; i < repetitions; ++i) {
    Clock::time_point start = Clock::now();
    FetchUpdate(settings, scratch / "fetched/", TSoftware::ZipFile, kArchive, progress);
    ours.push_back(Seconds(Clock::now() - start));
    fs::remove(scratch / "fetched/" + kArchive);
    start = Clock::now();
    if (platform::testing::RunChild("/usr/bin/curl", {"--silent", "--show-error", "--fail",
                                                      "--cacert", server.CaFile(), "--output",
                                                      scratch / "fetched/curl.zip", address})
            .exitCode != 0)
      throw std::runtime_error("curl failed");
    curl.push_back(Seconds(Clock::now() - start));
    fs::remove(scratch / "fetched/curl.zip");
  }
  const double growthMib = static_cast<double>(PeakResidentKib() - peakBefore) / 1024;

  const double megabytes = static_cast<double>(bytes) / 1e6;
  const double oursRate = megabytes / Median(ours);
  const double curlRate = megabytes / Median(curl);
  std::printf("update download of %llu MiB from the local HTTPS server, median of %d\n",
              static_cast<unsigned long long>(sizeMb), repetitions);
  std::printf("  FetchUpdate (no window)  %8.1f MB/s\n", oursRate);
  std::printf("  curl command             %8.1f MB/s\n", curlRate);
  std::printf("  throughput ratio         %8.2f  (goal at least %.1f)  %s\n", oursRate / curlRate,
              kThroughputGoal, oursRate / curlRate >= kThroughputGoal ? "met" : "MISSED");
  std::printf("  peak memory growth       %8.1f MiB (goal under %.0f MiB)  %s\n", growthMib,
              kMemoryGrowthGoalMib, growthMib < kMemoryGrowthGoalMib ? "met" : "MISSED");
  return 0;
}

} // namespace
} // namespace kiv::bench

int main(int argc, char** argv) {
  std::uint64_t sizeMb = 256;
  int repetitions = 3;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--size-mb") {
      sizeMb = std::stoull(argv[i + 1]);
    } else if (option == "--repetitions") {
      repetitions = std::max(1, std::stoi(argv[i + 1]));
    } else {
      std::cerr << "Usage: kiv_update_download_bench [--size-mb M] [--repetitions R]\n";
      return 1;
    }
  }
  try {
    return kiv::bench::Run(sizeMb, repetitions);
  } catch (const std::exception& e) {
    std::cerr << "kiv_update_download_bench: " << e.what() << "\n";
    return 1;
  }
}
