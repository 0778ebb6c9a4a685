// Damaged and hostile model files: whatever a file holds, reading it ends in a correct read or in
// the library's own failure, never in a foreign exception, a crash, a sanitizer finding or memory
// out of proportion to the file.
#include "model/ModFile_.h"
#include "testing/model/ModelFileFixtures.h"
#include "testing/model/ModelPrinters.h"
#include "testing/support/Failure.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <random>

#if defined(__SANITIZE_ADDRESS__)
#define KIV_HEAP_OF_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KIV_HEAP_OF_ASAN 1
#endif
#endif
#ifdef KIV_HEAP_OF_ASAN
// The sanitizer's runtime has it; GCC installs no header that declares it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace kiv {
namespace {

using test::EveryExtraParam;
using test::Header;
using test::MakeModelType;
using test::ModelFile;
using test::ReadFile;
using test::TempDir;

// How a read ended: the class and message of the failure, or "reads" and a summary.
struct Outcome {
  std::string cls;
  std::string text;
  bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
  std::string text = outcome.text.size() > 300 ? outcome.text.substr(0, 300) + "..." : outcome.text;
  return out << outcome.cls << ": " << text;
}

std::string Summary(TModFile& file) {
  const std::int32_t models = file.NumberOfModels();
  return std::to_string(models) + " models, first with " +
         std::to_string(models > 0 ? file.GetNumberOfLayers(1) : 0) + " layers, " +
         std::to_string(file.MaxIterations()) + " iterations, comment of " +
         std::to_string(file.CommentLine().size()) + " bytes";
}

// "reads" and the file's summary after open, or the class and message of its failure.
template <class Open> Outcome OutcomeOf(TModFile& file, Open open) {
  const auto [cls, text] = test::Failure(open);
  return cls == "nothing" ? Outcome{"reads", Summary(file)} : Outcome{cls, text};
}

Outcome Read(const std::string& path, bool headerOnly, const TVesmarInvModelType& type) {
  TModFile file;
  return OutcomeOf(file, [&] { file.Open(path, headerOnly, headerOnly ? nullptr : &type); });
}

// Reads the model file held in memory under the name into file, which a read replaces whole.
Outcome ReadHeld(TModFile& file, const std::string& name, std::string_view bytes, bool headerOnly,
                 const TVesmarInvModelType& type) {
  return OutcomeOf(
      file, [&] { file.OpenFromMemory(name, bytes, headerOnly, headerOnly ? nullptr : &type); });
}

bool IsOwnFailure(const Outcome& outcome) {
  return outcome.cls == "reads" || outcome.cls == "EPelo" || outcome.cls == "EPFatal";
}

struct Fixture {
  const char* name;
  TVesmarInvModelType type;
};

std::vector<Fixture> Fixtures() {
  return {
      {"survey.mod", MakeModelType({GGG_AIR_THK, GGG_PITCH}, {ltChargeability, ltTau})},
      {"survey.mo2", MakeModelType({GGG_AIR_THK, GGG_PITCH}, {ltChargeability, ltTau})},
      {"extras.mod", MakeModelType(EveryExtraParam(), {})},
      {"layers.mo2", MakeModelType({}, {ltPHI})},
  };
}

// Every prefix of every fixture, read in both styles, header only and whole. A prefix that ends
// at a line end after the settings line must read in the fixture's own style: the missing
// numbers read as 0. Each prefix is read from memory that ends where it ends, so that the
// sanitizers catch a read beyond it.
TEST(ModFileDamaged, EveryPrefixReadsOrFailsWithTheLibrarysOwnException) {
  for (const Fixture& fixture : Fixtures()) {
    const std::string content = ReadFile(std::string(KIV_TEST_DATA_DIR "/") + fixture.name);
    ASSERT_FALSE(content.empty()) << fixture.name;
    const std::string ownExtension =
        std::string(fixture.name).substr(std::string(fixture.name).rfind('.'));
    const size_t settingsEnd = content.find('\n', content.find('\n') + 1) + 1;
    TModFile file;
    for (size_t cut = 0; cut <= content.size(); ++cut) {
      const bool mustRead =
          cut == content.size() || (cut >= settingsEnd && content[cut - 1] == '\n');
      const std::unique_ptr<char[]> prefix(new char[cut]);
      std::copy_n(content.begin(), cut, prefix.get());
      for (const std::string extension : {".mod", ".mo2"}) {
        for (bool headerOnly : {true, false}) {
          const Outcome outcome =
              ReadHeld(file, "cut" + extension, std::string_view(prefix.get(), cut), headerOnly,
                       fixture.type);
          if (!IsOwnFailure(outcome) ||
              (mustRead && extension == ownExtension && outcome.cls != "reads"))
            ADD_FAILURE() << fixture.name << " cut at " << cut << " read as " << extension
                          << (headerOnly ? " header only" : "") << ": " << outcome;
        }
      }
    }
  }
}

std::string Noise(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& byte : bytes)
    byte = static_cast<char>(random() & 0xff);
  return bytes;
}

// A string literal with the NUL bytes inside it.
template <size_t N> std::string Bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

std::string Repeated(char c, size_t count) {
  return std::string(count, c);
}

// One header line per model, numbered 1, 2, 1, 2, ... so that each starts a new model.
std::string ManyModelsHeader(size_t models, std::string_view lciMode) {
  std::string text = "comment\r\n" + std::to_string(models) + " " + std::string(lciMode) + "\r\n";
  for (size_t i = 0; i < models; ++i)
    text += i % 2 == 0 ? "1 5 a\r\n" : "2 5 b\r\n";
  return text + "50\r\n";
}

TEST(ModFileHostile, EachInputGivesItsOwnOutcome) {
  const TVesmarInvModelType plain = MakeModelType({}, {});
  const TVesmarInvModelType altitude = MakeModelType({GGG_AIR_THK}, {});
  const TVesmarInvModelType everyExtra = MakeModelType(EveryExtraParam(), {});
  const std::string header = Header("1 2", {"1 5 a"});
  const std::string block = "1 0 0 0\r\n10 1\r\n";
  const std::string tenMB = Repeated('7', 10 * 1024 * 1024);
  const std::string digits = Repeated('9', 10000);
  const char* headerFailure = "Error reading file: {file} in ModFile.ReadHeader";
  const char* lineFailure = "Error reading file: {file} in TModfile.ReadLine";
  const char* regularBlock = "TModFile.ReadModelGeneral\n";
  const std::string sparseLine = "TModFile.ReadSparseModelGeneral\nTModFile.ReadSparseLine\n";
  struct Case {
    const char* what;
    const char* name;
    std::string content;
    bool headerOnly;
    const TVesmarInvModelType* type;
    std::string cls;
    std::string text; // {file} stands for the file's path
  };
  const Case cases[] = {
      {"binary noise", "n.mod", Noise(4096, 7), true, &plain, "EPelo", headerFailure},
      {"binary noise as the body", "n.mod", header + Noise(4096, 7), false, &plain, "EPFatal",
       std::string(regularBlock) + "Invalid numeric input"},
      {"binary noise as a sparse body", "n.mo2", header + Noise(4096, 7), false, &plain, "EPFatal",
       "TModFile.ReadSparseModelGeneral\nInvalid numeric input"},
      // A NUL is a character of code 32 or less: it ends a word like a blank.
      {"NUL inside the iteration number", "z.mod",
       Bytes("c\r\n1 2\r\n1 5 a\r\n5\0"
             "0\r\n"),
       true, &plain, "reads", "1 models, first with 0 layers, 5 iterations, comment of 1 bytes"},
      {"NUL inside a layer count", "z.mod",
       header + Bytes("2\0"
                      "1 0 0 0\r\n10 1\r\n"),
       false, &plain, "reads", "1 models, first with 2 layers, 50 iterations, comment of 7 bytes"},
      {"NUL inside a sparse count", "z.mo2",
       header + Bytes("1 0 0 0\r\n10 1 1\0"
                      "2 3 0.5\r\n"),
       false, &plain, "reads", "1 models, first with 1 layers, 50 iterations, comment of 7 bytes"},
      {"a 10 MB comment line", "t.mod", tenMB + "\r\n1 2\r\n1 5 a\r\n50\r\n", true, &plain, "reads",
       "1 models, first with 0 layers, 50 iterations, comment of 10485760 bytes"},
      {"a 10 MB word as the iteration number", "t.mod", "c\r\n1 2\r\n1 5 a\r\n" + tenMB + "\r\n",
       true, &plain, "EPelo", headerFailure},
      {"a 10 MB word as a resistivity", "t.mod", header + "1 0 0 0\r\n" + tenMB + " 1\r\n", false,
       &plain, "EPelo", lineFailure},
      {"10 MB of blanks before a resistivity", "t.mod",
       header + "1 0 0 0\r\n" + Repeated(' ', 10 * 1024 * 1024) + "10 1\r\n", false, &plain,
       "reads", "1 models, first with 1 layers, 50 iterations, comment of 7 bytes"},
      {"a word of 10,000 digits as a layer count", "d.mod", header + digits + " 0 0 0\r\n", false,
       &plain, "EPFatal", std::string(regularBlock) + "Invalid numeric input"},
      {"a word of 10,000 digits as a resistivity", "d.mod",
       header + "1 0 0 0\r\n" + digits + " 1\r\n", false, &plain, "EPelo", lineFailure},
      {"a word of 10,000 digits as a neighbour count", "d.mo2",
       header + "1 0 0 0\r\n10 1 " + digits + "\r\n", false, &plain, "EPFatal",
       sparseLine + "Invalid numeric input"},
      {"a word of 10,000 digits as the data-file count", "d.mod",
       "c\r\n" + digits + " 2\r\n1 5 a\r\n50\r\n", true, &plain, "EPelo", headerFailure},
      {"nan as a position", "x.mod", header + "1 nan 0 0\r\n10 1\r\n", false, &plain, "EPFatal",
       std::string(regularBlock) + "Invalid numeric input"},
      {"inf as a position", "x.mod", header + "1 inf 0 0\r\n10 1\r\n", false, &plain, "EPFatal",
       std::string(regularBlock) + "Invalid numeric input"},
      {"1e999 as a position", "x.mod", header + "1 1e999 0 0\r\n10 1\r\n", false, &plain, "EPFatal",
       std::string(regularBlock) + "Invalid numeric input"},
      {"0x10 as a position", "x.mod", header + "1 0x10 0 0\r\n10 1\r\n", false, &plain, "EPFatal",
       std::string(regularBlock) + "Invalid numeric input"},
      {"1e39 as an elevation, beyond single precision", "x.mod", header + "1 0 0 1e39\r\n10 1\r\n",
       false, &plain, "EPFatal", std::string(regularBlock) + "Floating point overflow"},
      {"nan as a factor", "x.mod", header + "1 0 0 0\r\n10 nan\r\n", false, &plain, "EPelo",
       lineFailure},
      {"inf as a factor", "x.mod", header + "1 0 0 0\r\n10 inf\r\n", false, &plain, "EPelo",
       lineFailure},
      {"1e999 as a factor", "x.mod", header + "1 0 0 0\r\n10 1e999\r\n", false, &plain, "EPelo",
       lineFailure},
      {"0x10 as a factor", "x.mod", header + "1 0 0 0\r\n10 0x10\r\n", false, &plain, "EPelo",
       lineFailure},
      {"1e-999 as a factor reads as 0", "x.mod", header + "1 0 0 0\r\n10 1e-999\r\n", false, &plain,
       "reads", "1 models, first with 1 layers, 50 iterations, comment of 7 bytes"},
      {"nan as a sparse factor", "x.mo2", header + "1 0 0 0\r\n10 nan 0\r\n", false, &plain,
       "EPFatal", sparseLine + "Invalid numeric input"},
      {"inf as a sharp setting", "x.mod", "c\r\n1 2 1 inf 2\r\n1 5 a\r\n50\r\n", true, &plain,
       "EPelo", headerFailure},
      {"0x10 as the data-file count", "x.mod", "c\r\n0x10 2\r\n1 5 a\r\n50\r\n", true, &plain,
       "EPelo", headerFailure},
      {"nan as the iteration number", "x.mod", "c\r\n1 2\r\n1 5 a\r\nnan\r\n", true, &plain,
       "EPelo", headerFailure},
      {"-1 layers", "c.mod", header + "-1 0 0 0\r\n", false, &plain, "EPFatal",
       std::string(regularBlock) + "Invalid number of layers: -1"},
      {"-1 sparse layers", "c.mo2", header + "-1 0 0 0\r\n", false, &plain, "EPFatal",
       "TModFile.ReadSparseModelGeneral\nInvalid number of layers: -1"},
      {"2147483647 layers", "c.mod", header + "2147483647 0 0 0\r\n", false, &plain, "EPFatal",
       std::string(regularBlock) +
           "Invalid number of layers: 2147483647 cannot be held by the rest of the file"},
      {"2147483647 sparse layers", "c.mo2", header + "2147483647 0 0 0\r\n", false, &plain,
       "EPFatal",
       "TModFile.ReadSparseModelGeneral\n"
       "Invalid number of layers: 2147483647 cannot be held by the rest of the file"},
      // A negative count of data-file lines is taken as none: the file has one model.
      {"-1 data-file lines", "c.mod", "c\r\n-1 2\r\n50\r\n" + block, false, &plain, "reads",
       "1 models, first with 1 layers, 50 iterations, comment of 1 bytes"},
      {"2147483647 data-file lines", "c.mod", "c\r\n2147483647 2\r\n1 5 a\r\n50\r\n", true, &plain,
       "EPelo", headerFailure},
      {"-1 sparse entries", "c.mo2", header + "1 0 0 0\r\n10 1 -1\r\n", false, &plain, "EPFatal",
       sparseLine + "Invalid number of neighbours: -1"},
      {"2147483647 sparse entries", "c.mo2", header + "1 0 0 0\r\n10 1 2147483647\r\n", false,
       &plain, "EPFatal",
       sparseLine +
           "Invalid number of neighbours: 2147483647 cannot be held by the rest of the file"},
      {"-1 sparse entries of an extra parameter", "c.mo2", header + "1 0 0 0\r\n30 1 -1\r\n", false,
       &altitude, "EPFatal",
       "TModFile.ReadSparseModelGeneral\nTModFile.ReadSparseExtraParam\nTModFile.ReadSparseLine\n"
       "Invalid number of neighbours: -1"},
      {"constraint mode -5", "m.mod", Header("1 -5", {"1 5 a"}) + block, false, &plain, "EPelo",
       headerFailure},
      {"constraint mode 2147483647", "m.mod",
       Header("2 2147483647", {"1 5 a", "2 5 b"}) + block + block, false, &plain, "reads",
       "2 models, first with 1 layers, 50 iterations, comment of 7 bytes"},
      {"constraint mode 2147483647, sparse", "m.mo2",
       Header("2 2147483647", {"1 5 a", "2 5 b"}) + "1 0 0 0\r\n10 1 1 2 0.5\r\n" + block, false,
       &plain, "reads", "2 models, first with 1 layers, 50 iterations, comment of 7 bytes"},
      {"many models, no body", "h.mod", ManyModelsHeader(5000, "2"), false, &plain, "reads",
       "5000 models, first with 0 layers, 50 iterations, comment of 7 bytes"},
      {"many sparse models, no body", "h.mo2", ManyModelsHeader(5000, "5000"), false, &altitude,
       "reads", "5000 models, first with 0 layers, 50 iterations, comment of 7 bytes"},
      // Each model's extra-parameter lines claim a lateral entry per later model: the claims of
      // the whole read exhaust what the file can justify.
      {"many models tied to every later one, no body", "h.mod",
       ManyModelsHeader(2000, "2147483647"), false, &everyExtra, "EPFatal",
       std::string(regularBlock) + "TModFile.ReadExtraParam\n"
                                   "Invalid number of neighbours: 1672 cannot be held by the rest "
                                   "of the file"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string path = ModelFile(dir, c.name, c.content);
    std::string text = c.text;
    if (const size_t at = text.find("{file}"); at != std::string::npos)
      text.replace(at, 6, path);
    EXPECT_EQ(Read(path, c.headerOnly, *c.type), (Outcome{c.cls, text})) << c.what;
  }
}

// Bytes the heap holds for the program.
size_t HeapInUse() {
#ifdef KIV_HEAP_OF_ASAN
  return __sanitizer_get_current_allocated_bytes();
#elif defined(_WIN32)
  // The C runtime's heap, block by block.
  _HEAPINFO entry{};
  size_t used = 0;
  while (_heapwalk(&entry) == _HEAPOK)
    if (entry._useflag == _USEDENTRY)
      used += entry._size;
  return used;
#else
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
#endif
}

// The reader's own bound: 64 bytes per byte of the file, plus 16 MiB for a file that ends early.
size_t MemoryBound(size_t fileSize) {
  return 64 * fileSize + 16 * 1024 * 1024;
}

// Each model of a regular file is tied to up to L - 1 later ones, and every extra-parameter line
// has that many lateral entries: with a constraint mode of 2147483647 and a body that ends early,
// the entries (read as zeros) grow with the square of the models while the file grows with their
// number. A file that its size can justify reads and holds memory within the bound; one beyond
// it is refused by the reader's claims, before the memory is taken.
TEST(ModFileHostile, ModelsHeldTakeMemoryInProportionToTheFile) {
  const TVesmarInvModelType everyExtra = MakeModelType(EveryExtraParam(), {});
  const TVesmarInvModelType survey =
      MakeModelType({GGG_AIR_THK, GGG_PITCH}, {ltChargeability, ltTau});
  struct Case {
    const char* what;
    const char* name;
    std::string content;
    const TVesmarInvModelType* type;
    bool reads;
  };
  const Case cases[] = {
      {"a survey file", "s.mod", ReadFile(KIV_TEST_DATA_DIR "/survey.mod"), &survey, true},
      // About 14 MB of lateral entries from 7 kB: close to the bound, still within it.
      {"1000 models tied to every later one, seven extra parameters", "e.mod",
       ManyModelsHeader(1000, "2147483647"), &everyExtra, true},
      // About 56 MB from 14 kB.
      {"2000 models tied to every later one, seven extra parameters", "e.mod",
       ManyModelsHeader(2000, "2147483647"), &everyExtra, false},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string path = ModelFile(dir, c.name, c.content);
    const size_t before = HeapInUse();
    TModFile file;
    try {
      file.Open(path, false, c.type);
    } catch (const EPFatal& e) {
      EXPECT_FALSE(c.reads) << c.what << ": " << e.Message();
      EXPECT_TRUE(e.Message().ends_with(" cannot be held by the rest of the file"))
          << c.what << ": " << e.Message();
      continue;
    }
    const size_t held = HeapInUse() - before;
    EXPECT_TRUE(c.reads) << c.what << " read";
    EXPECT_LE(held, MemoryBound(c.content.size()))
        << c.what << ": " << file.NumberOfModels() << " models from " << c.content.size()
        << " bytes";
  }
}

} // namespace
} // namespace kiv
