// The progress hook of a model-file read: how far the read has come, and a stop on request.
#include "model/ModFile_.h"
#include "testing/model/ModelFileFixtures.h"
#include "testing/model/ModelPrinters.h"
#include "testing/support/Failure.h"
#include "testing/support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>
#include <utility>
#include <vector>

namespace kiv {
namespace {

using test::Expected;
using test::Failure;
using test::MakeModelType;
using test::ModelFile;
using test::TempDir;

using Call = std::pair<std::uint64_t, std::uint64_t>;

// Two-layer models tied to none of their neighbours, each block told apart by its position.
// A block of the given index may be damaged: its layer count is not a number.
std::string ManyModels(size_t models, bool sparse, size_t damaged = SIZE_MAX) {
  std::string text = "comment\r\n" + std::to_string(models) + " 1\r\n";
  for (size_t i = 0; i < models; ++i)
    text += i % 2 == 0 ? "1 5 a\r\n" : "2 5 b\r\n";
  text += "50\r\n";
  const std::string lateral = sparse ? " 0" : "";
  for (size_t i = 0; i < models; ++i) {
    text += (i == damaged ? "x " : "2 ") + std::to_string(i) + " 200 5\r\n";
    text += "10 1 0.5" + lateral + "\r\n20 1" + lateral + "\r\n";
    text += "5 1" + lateral + "\r\n5 1" + lateral + "\r\n";
  }
  return text;
}

const char* Name(bool sparse) {
  return sparse ? "m.mo2" : "m.mod";
}

// What an outside look at the object sees: the header's settings and every model.
struct State {
  std::string comment;
  std::int32_t maxIterations;
  std::int32_t lciMode;
  std::vector<TModel> models;
  std::vector<TSparseModel> sparseModels;
  bool operator==(const State&) const = default;
};

State StateOf(const TModFile& file) {
  State state{file.CommentLine(), file.MaxIterations(), file.LCIMode(), {}, {}};
  for (std::int32_t i = 1; i <= file.NumberOfModels(); ++i)
    if (file.SparseFormat())
      state.sparseModels.push_back(file.GetSparseModel(i));
    else
      state.models.push_back(file.GetModel(i));
  return state;
}

// Over a file larger than the reader's buffer, read from the file and from memory: the calls
// start at (0, total), rise, end at (total, total), and come about 256 times; the models are
// those of a read without a hook. A header-only read does not call the hook.
TEST(ModFileProgress, RisesToTheTotalInAbout256Steps) {
  const TVesmarInvModelType plain = MakeModelType({}, {});
  for (bool sparse : {false, true}) {
    const std::string content = ManyModels(20000, sparse);
    ASSERT_GT(content.size(), 512u * 1024u); // twice the reader's buffer
    TempDir dir;
    const std::string path = ModelFile(dir, Name(sparse), content);
    const TModFile plainRead(path, plain);
    for (bool inMemory : {false, true}) {
      std::vector<Call> calls;
      const TReadProgressHook hook = [&](std::uint64_t read, std::uint64_t total) {
        calls.emplace_back(read, total);
        return true;
      };
      TModFile file;
      if (inMemory)
        file.OpenFromMemory(path, content, false, &plain, hook);
      else
        file.Open(path, false, &plain, hook);
      const std::string what = std::string(Name(sparse)) + (inMemory ? " in memory" : " file");
      EXPECT_EQ(StateOf(file), StateOf(plainRead)) << what;
      ASSERT_GE(calls.size(), 128u) << what;
      EXPECT_LE(calls.size(), 258u) << what;
      EXPECT_EQ(calls.front(), Call(0, content.size())) << what;
      EXPECT_EQ(calls.back(), Call(content.size(), content.size())) << what;
      for (size_t i = 1; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].second, content.size()) << what << ", call " << i;
        EXPECT_GE(calls[i].first, calls[i - 1].first) << what << ", call " << i;
      }

      calls.clear();
      file.Open(path, true, nullptr, hook);
      EXPECT_TRUE(calls.empty()) << what << ", header only";
    }
  }
}

// A stop half-way fails with EPelo "Reading cancelled", without a line, which is no fault of the
// file, and leaves what a read failing at the next block leaves.
TEST(ModFileProgress, AStopHalfWayLeavesWhatAFailedReadLeaves) {
  const TVesmarInvModelType plain = MakeModelType({}, {});
  for (bool sparse : {false, true}) {
    const size_t models = 400;
    const std::string content = ManyModels(models, sparse);
    TempDir dir;
    TModFile stopped;
    try {
      stopped.Open(ModelFile(dir, Name(sparse), content), false, &plain,
                   [](std::uint64_t read, std::uint64_t total) { return 2 * read < total; });
      ADD_FAILURE() << Name(sparse) << " read to its end";
      continue;
    } catch (const EPelo& e) {
      EXPECT_EQ(typeid(e), typeid(EPelo)) << Name(sparse);
      EXPECT_EQ(e.Message(), "Reading cancelled") << Name(sparse);
      EXPECT_EQ(e.Line(), 0) << Name(sparse);
    }
    size_t read = 0;
    while (read < models && stopped.GetNumberOfLayers(static_cast<std::int32_t>(read + 1)) > 0)
      ++read;
    EXPECT_GT(read, 0u) << Name(sparse);
    EXPECT_LT(read, models) << Name(sparse);

    TempDir other;
    TModFile failed;
    EXPECT_EQ(Failure([&] {
                failed.Open(ModelFile(other, Name(sparse), ManyModels(models, sparse, read)), false,
                            &plain);
              }).first,
              "EPFatal");
    EXPECT_EQ(StateOf(stopped), StateOf(failed)) << Name(sparse);
  }
}

// What the hook throws passes as any failure in the model blocks: EPelo unchanged, anything
// else, or an EPelo that asks to be reported, becomes EPFatal with the block step's location.
TEST(ModFileProgress, WhatTheHookThrowsEscalates) {
  const TVesmarInvModelType plain = MakeModelType({}, {});
  struct Case {
    const char* what;
    bool sparse;
    void (*thrower)();
    std::pair<std::string, std::string> expected;
  };
  const Case cases[] = {
      {"a foreign failure", false, [] { throw std::runtime_error("viewer gone"); },
       Expected("EPFatal", "TModFile.ReadModelGeneral\nviewer gone")},
      {"a foreign failure, sparse", true, [] { throw std::runtime_error("viewer gone"); },
       Expected("EPFatal", "TModFile.ReadSparseModelGeneral\nviewer gone")},
      {"EPelo", false, [] { throw EPelo("Closed by the user"); },
       Expected("EPelo", "Closed by the user")},
      {"EPelo to report", false, [] { throw EPelo("Please report this error"); },
       Expected("EPFatal", "TModFile.ReadModelGeneral\nPlease report this error")},
      {"EPFatal", true, [] { throw EPFatal("Lost\nbroken"); },
       Expected("EPFatal", "TModFile.ReadSparseModelGeneral\nLost\nbroken")},
  };
  for (const Case& c : cases) {
    const std::string content = ManyModels(50, c.sparse);
    TModFile file;
    // At the first call after the start, between two blocks.
    EXPECT_EQ(Failure([&] {
                file.OpenFromMemory(Name(c.sparse), content, false, &plain,
                                    [&](std::uint64_t read, std::uint64_t) {
                                      if (read > 0)
                                        c.thrower();
                                      return true;
                                    });
              }),
              c.expected)
        << c.what;
  }
}

TEST(ModFileTypeOfHeader, ReadsInOnePassWithTheTypePickedFromTheHeader) {
  const TVesmarInvModelType plain = test::MakeModelType({}, {});
  for (const bool sparse : {false, true}) {
    test::TempDir dir;
    const std::string path = test::ModelFile(dir, Name(sparse), ManyModels(6, sparse));
    TModFile known;
    known.Open(path, false, &plain);
    std::vector<std::int32_t> codes;
    TModFile picked;
    std::string blocks;
    std::vector<std::uint64_t> reached;
    picked.OpenWithHeaderType(
        path,
        [&](const TModFile& header, std::string_view first) {
          for (std::int32_t i = 1; i <= header.NumberOfModels(); ++i)
            codes.push_back(sparse ? header.GetSparseModel(i).ModelType
                                   : header.GetModel(i).ModelType);
          blocks = first;
          return plain;
        },
        [&](std::uint64_t read, std::uint64_t) {
          reached.push_back(read);
          return true;
        });
    EXPECT_EQ(codes, std::vector<std::int32_t>(6, 5)) << sparse;
    // One pass: the bytes read start from nothing once, only grow, and end at the file's size.
    ASSERT_FALSE(reached.empty()) << sparse;
    EXPECT_EQ(std::count(reached.begin(), reached.end(), 0u), 1) << sparse;
    EXPECT_TRUE(std::is_sorted(reached.begin(), reached.end())) << sparse;
    EXPECT_EQ(reached.back(), test::ReadFile(path).size()) << sparse;
    // The text after the header: comment, settings, six data-file lines and the iteration line.
    const std::string content = test::ReadFile(path);
    ASSERT_TRUE(content.ends_with(blocks)) << sparse;
    EXPECT_EQ(std::count(content.begin(),
                         content.end() - static_cast<std::ptrdiff_t>(blocks.size()), '\n'),
              9)
        << sparse;
    EXPECT_EQ(StateOf(picked), StateOf(known)) << sparse;
    EXPECT_EQ(test::Failure([&] {
                picked.OpenWithHeaderType(
                    path,
                    [](const TModFile&, std::string_view) -> TVesmarInvModelType {
                      throw EPelo("no type");
                    },
                    nullptr);
              }),
              test::Expected("EPelo", "no type"));
  }
}

} // namespace
} // namespace kiv
