// kiv_update_download_bench: a release archive fetched from the local HTTPS server by the update
// download's fetch logic (no window) against the curl command fetching the same file to disk, in
// one run; throughput ratio and peak memory growth against the goals.
//
//   kiv_update_download_bench [--size-mb M] [--repetitions R]   (256 and 3 by default)
#include "bench/LoopBench.h"
#include "bench/Processes.h"
#include "platform/testing/ChildProcess.h"
#include "testing/https/HttpsTestServer.h"
#include "update/UpdateFetch.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace kiv::bench {
namespace {

namespace fs = std::filesystem;

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

int Run(int sizeMb, int repetitions) {
  const std::uint64_t bytes = static_cast<std::uint64_t>(sizeMb) << 20;
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

  Samples ours, curl;
  // The two take turns, so that a change in the machine's load falls on both alike; the peak
  // memory is this process's own, which the curl command does not touch.
  const std::uint64_t peakBefore = PeakResidentKib();
  for (int i = 0; i < repetitions; ++i) {
    ours.Add(Seconds([&] {
      FetchUpdate(settings, scratch / "fetched/", TSoftware::ZipFile, kArchive, progress);
    }));
    fs::remove(scratch / "fetched/" + kArchive);
    curl.Add(Seconds([&] {
      if (platform::testing::RunChild("/usr/bin/curl", {"--silent", "--show-error", "--fail",
                                                        "--cacert", server.CaFile(), "--output",
                                                        scratch / "fetched/curl.zip", address})
              .exitCode != 0)
        throw std::runtime_error("curl failed");
    }));
    fs::remove(scratch / "fetched/curl.zip");
  }
  Samples growthMib;
  growthMib.Add(static_cast<double>(PeakResidentKib() - peakBefore) / 1024);

  const double megabytes = static_cast<double>(bytes) / 1e6;
  const Samples oursRates = Rates(megabytes, ours);
  const Samples curlRates = Rates(megabytes, curl);
  std::printf("update download of %d MiB from the local HTTPS server, %d repetitions; median "
              "[least, greatest]\n",
              sizeMb, repetitions);
  PrintSpread("FetchUpdate (no window), MB/s", oursRates, "%.1f");
  PrintSpread("curl command, MB/s", curlRates, "%.1f");
  PrintSpread("throughput ratio (FetchUpdate / curl)", Ratios(oursRates, curlRates));
  PrintSpread("peak memory growth, MiB", growthMib, "%.1f");
  const bool throughput = PrintGoal("FetchUpdate reaches at least 0.9 of curl's throughput",
                                    Ratios(oursRates, curlRates), false, kThroughputGoal);
  const bool memory =
      PrintGoal("the peak memory grows by at most 32 MiB", growthMib, true, kMemoryGrowthGoalMib);
  return throughput && memory ? 0 : 1;
}

} // namespace
} // namespace kiv::bench

int main(int argc, char** argv) {
  return kiv::bench::LoopBenchMain(argc, argv, "kiv_update_download_bench", "size-mb", {256, 3},
                                   [](const kiv::bench::LoopOptions& options) {
                                     return kiv::bench::Run(options.items, options.repetitions);
                                   });
}
