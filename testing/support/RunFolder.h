#pragma once

#include "platform/testing/ChildProcess.h"
#include "testing/support/TempDir.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace kiv::test {

// Runs the built command with arguments in the working folder cwd (the current one when empty).
inline platform::testing::ChildResult RunCheck(const std::vector<std::string>& arguments,
                                               const std::string& cwd = {}) {
  return platform::testing::RunChild(KIV_VESMARINVCHK, arguments, cwd);
}

// A model file whose header reads; its one model block is damaged, which the check never reads.
constexpr std::string_view kReadableHeader = "Run model\r\n2 3\r\n1 5 a.tem\r\n1 5 b "
                                             "c.tem\r\n50\r\n3 x y z\r\n";

// A run folder holding the given files: model files with a readable header, others with a line.
struct RunFolder {
  TempDir dir;
  explicit RunFolder(std::initializer_list<const char*> names) {
    for (std::string_view name : names) {
      const bool model = name.ends_with(".mod") || name.ends_with(".mo2");
      WriteFile(dir / name, model ? kReadableHeader : "content\r\n");
    }
  }
  std::string operator/(std::string_view name) const { return dir / name; }
  std::string Log() const { return ReadFile(dir / "job1_VIC.log"); }
};

} // namespace kiv::test
