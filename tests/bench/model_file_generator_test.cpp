// Generated model files of several model types, in both styles, read back by the library with
// that model type and written again by its SaveGeneral: the same bytes, as the generator promises.
#include "bench/ModelFileGenerator.h"
#include "model/ModFile_.h"
#include "model/ModelTypeNames.h"
#include "survey/ParameterNames.h"
#include "testing/support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kiv::bench {
namespace {

struct Case {
  const char* params;
  const char* extras;
  std::int32_t typeCode;
};

// Type codes that match the blocks and ones that do not; 2 gives a regular file's layer lines
// two decimals.
const Case kCases[] = {
    {"Chargeability,TauRho", "Altitude,Pitch", 6},
    {"", "", 2},
    {"Phi", "Altitude,Pitch", 6},
    {"Chargeability,TauRho,C", "", 11},
    {"Sigma", "Roll,Bias,Shift", 6},
    {"TauSigma", "Altitude,Pitch,Roll,Bias,Shift,TxRxDist,RxAngle", 8},
};

// The line where two files part, with both versions; empty when they are the same. A message with
// the whole files would drown the difference.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  const auto [e, a] = std::ranges::mismatch(expected, actual);
  if (e == expected.end() && a == actual.end())
    return {};
  const auto lineAt = [](const std::string& text, std::string::const_iterator at) {
    const size_t offset = static_cast<size_t>(at - text.begin());
    const size_t newline = offset == 0 ? std::string::npos : text.rfind('\n', offset - 1);
    const size_t from = newline == std::string::npos ? 0 : newline + 1;
    return text.substr(from, text.find('\r', from) - from);
  };
  return "line " + std::to_string(std::count(expected.begin(), e, '\n') + 1) + ": \"" +
         lineAt(expected, e) + "\", written \"" + lineAt(actual, a) + "\"";
}

TEST(ModelFileGenerator, TheLibraryReadsEveryModelTypeBackAndWritesTheSameBytes) {
  test::TempDir dir;
  for (const Case& c : kCases) {
    for (const bool sparse : {false, true}) {
      ModelShape shape;
      shape.models = 23;
      shape.layers = 6;
      shape.sparse = sparse;
      shape.modelType =
          survey::ModelTypeNamed(survey::NameList(c.params), survey::NameList(c.extras));
      shape.typeCode = c.typeCode;
      const std::string style = sparse ? ".mo2" : ".mod";
      SCOPED_TRACE(survey::ModelTypeText(shape.modelType) + ", type code " +
                   std::to_string(c.typeCode) + ", " + style);
      const std::string path = dir / ("generated" + style);
      const std::uint64_t bytes = GenerateModelFile(path, shape, 7);
      // The estimate counts every line of the model type; its header allowance is 200 bytes.
      EXPECT_NEAR(static_cast<double>(EstimateFileBytes(shape)), static_cast<double>(bytes), 200);

      TModFile file(path, shape.modelType);
      ASSERT_EQ(file.NumberOfModels(), shape.models);
      for (std::int32_t i = 1; i <= file.NumberOfModels(); ++i)
        ASSERT_EQ(file.GetNumberOfLayers(i), shape.layers) << "model " << i;
      EXPECT_EQ(TypeCodes(file), std::vector<std::int32_t>{c.typeCode});
      const std::string again = dir / ("again" + style);
      file.SetFileName(again);
      file.SaveGeneral(shape.modelType, false);
      EXPECT_EQ(FirstDifference(test::ReadFile(path), test::ReadFile(again)), "");
    }
  }
}

} // namespace
} // namespace kiv::bench
