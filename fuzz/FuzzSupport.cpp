#include "fuzz/FuzzSupport.h"

#include "testing/model/ModelTypes.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace kiv::fuzz {
namespace {

// KIV_FUZZ_SCRATCH names the parent folder, so that a script can remove what a run that ended
// on a finding (without running destructors) left behind.
std::string MakeScratchFolder() {
  std::string pattern;
  if (const char* parent = std::getenv("KIV_FUZZ_SCRATCH"); parent != nullptr && *parent != 0) {
    pattern = parent;
  } else {
    std::error_code error;
    pattern = std::filesystem::is_directory("/dev/shm", error)
                  ? std::string("/dev/shm")
                  : std::filesystem::temp_directory_path().string();
  }
  pattern += "/kiv-fuzz-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("mkdtemp failed for " + pattern);
  return pattern;
}

// Removed at exit, also after libFuzzer's own exit on a finding.
struct ScratchOwner {
  std::string path = MakeScratchFolder();
  ~ScratchOwner() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

} // namespace

const std::string& ScratchFolder() {
  static const ScratchOwner owner;
  return owner.path;
}

const TVesmarInvModelType& ModelTypeOf(Shape shape) {
  static const TVesmarInvModelType types[kShapeCount] = {
      test::MakeModelType({}, {}),
      test::MakeModelType(test::EveryExtraParam(), {}),
      test::MakeModelType({}, {ltPHI}),
      test::MakeModelType({GGG_AIR_THK, GGG_PITCH}, {ltChargeability, ltTau}),
  };
  return types[static_cast<int>(shape) % kShapeCount];
}

void Fault(std::string_view what) {
  std::fprintf(stderr, "\n==== fuzz fault: %.*s\n", static_cast<int>(what.size()), what.data());
  std::fflush(stderr);
  std::abort();
}

} // namespace kiv::fuzz
