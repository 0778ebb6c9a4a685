// kivmod's output read by Python's csv and json modules, and written to a full disk.
#include "tests/tools/kivmod/KivmodFixture.h"

#include <filesystem>
#include <sys/stat.h>

namespace kiv {
namespace {

using platform::testing::ChildResult;
using platform::testing::RunChild;

// Reads the CSV and the JSON export as the two modules do, every CSV field as float() reads it
// (None when empty), and says whether both give the same rows.
constexpr const char* kReadBack = R"(
import csv, json, sys
with open(sys.argv[1], newline='') as f:
    rows = [{k: (float(v) if v else None) for k, v in r.items()} for r in csv.DictReader(f)]
with open(sys.argv[2]) as f:
    objects = json.load(f)
print(len(rows), len(rows[0]), rows == objects)
)";

TEST(KivmodOutput, PythonReadsTheCsvAndTheJsonAsTheSameRows) {
  const test::TempDir dir;
  const std::string mod = dir / "fixture.mod";
  test::WriteFile(mod, test::kFixture);
  const std::string csv = dir / "fixture.csv";
  const std::string json = dir / "fixture.json";
  ASSERT_EQ(test::Kivmod({"export", mod, "-o", csv}).exitCode, 0);
  ASSERT_EQ(test::Kivmod({"export", mod, "--format", "json", "-o", json}).exitCode, 0);
  const ChildResult python = RunChild("/usr/bin/env", {"python3", "-c", kReadBack, csv, json});
  EXPECT_EQ(python.standardOutput, "4 25 True\n") << python.standardError;
}

TEST(KivmodOutput, AnOutputThatIsAStreamIsWrittenAsOne) {
  const test::TempDir dir;
  const std::string mod = dir / "fixture.mod";
  test::WriteFile(mod, test::kFixture);
  const std::string csv = dir / "fixture.csv";
  ASSERT_EQ(test::Kivmod({"export", mod, "-o", csv}).exitCode, 0);
  const ChildResult toStdout = test::Kivmod({"export", mod, "-o", "/dev/stdout"});
  EXPECT_EQ(toStdout.exitCode, 0) << toStdout.standardError;
  EXPECT_EQ(toStdout.standardOutput, test::ReadFile(csv));

  const std::string fifo = dir / "rows.fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const ChildResult throughFifo =
      RunChild("/bin/sh", {"-c", "\"$0\" export \"$1\" -o \"$2\" & cat \"$2\"; wait $!", KIV_KIVMOD,
                           mod, fifo});
  EXPECT_EQ(throughFifo.exitCode, 0) << throughFifo.standardError;
  EXPECT_EQ(throughFifo.standardOutput, test::ReadFile(csv));
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST(KivmodOutput, ExportWillNotWriteOverItsInputThroughALink) {
  const test::TempDir dir;
  const std::string mod = dir / "fixture.mod";
  test::WriteFile(mod, test::kFixture);
  std::filesystem::create_symlink("fixture.mod", dir / "fixture.lnk");
  const ChildResult over = test::Kivmod({"export", mod, "-o", dir / "fixture.lnk"});
  EXPECT_EQ(over.exitCode, 2);
  EXPECT_EQ(over.standardError, "kivmod: error: export will not write over its input " + mod +
                                    ": name another file (kivmod --help says more)\n");
  EXPECT_EQ(test::ReadFile(mod), test::kFixture);
}

TEST(KivmodOutput, AFullDiskEndsWithCodeOneAndTheSystemsReason) {
  const test::TempDir dir;
  const std::string mod = dir / "fixture.mod";
  test::WriteFile(mod, test::kFixture);
  for (const char* command : {"export", "info", "check"}) {
    const ChildResult result = RunChild(
        "/bin/sh", {"-c", "exec \"$0\" \"$1\" \"$2\" >/dev/full", KIV_KIVMOD, command, mod});
    EXPECT_EQ(result.exitCode, 1) << command;
    EXPECT_EQ(result.standardError,
              "kivmod: error: write standard output: No space left on device\n")
        << command;
  }
}

} // namespace
} // namespace kiv
