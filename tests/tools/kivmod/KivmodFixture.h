#pragma once

// kivmod run as a child on small model files of both styles, and the models the library reads
// from them.

#include "core/NumberParse.h"
#include "model/ModFile_.h"
#include "platform/testing/ChildProcess.h"
#include "testing/model/ModelTypes.h"
#include "testing/support/TempDir.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace kiv::test {

// Two models of two layers with resistivity and phi (type code 116), each tied to the next model
// (constraint mode 2): every number of the blocks is a different one.
inline constexpr const char* kFixture = "Fixture of kivmod\r\n"
                                        "2 2\r\n"
                                        "1 116 a.tem\r\n"
                                        "2 116 b.tem\r\n"
                                        "30\r\n"
                                        "           2       100.5       200.7        10.5\r\n"
                                        "  1.0000e+02  1.0000e-01  2.0000e+00  3.0000e-01\r\n"
                                        "  2.0000e+02 -1.0000e+00              4.0000e-01\r\n"
                                        "  5.0000e+00  2.0000e-01  1.0000e+00  5.0000e-01\r\n"
                                        "  6.0000e+00  2.5000e-01              5.5000e-01\r\n"
                                        "  1.0000e+01  3.0000e-01              6.0000e-01\r\n"
                                        "  1.2000e+01 -1.0000e+00              1.0000e+05\r\n"
                                        "           2       110.5       210.3        11.5\r\n"
                                        "  1.0100e+02  1.5000e-01  2.5000e+00\r\n"
                                        "  2.0100e+02 -1.0000e+00\r\n"
                                        "  5.1000e+00  2.0000e-01  1.0000e+00\r\n"
                                        "  6.1000e+00  2.0000e-01\r\n"
                                        "  1.1000e+01  3.0000e-01\r\n"
                                        "  1.1000e+01 -1.0000e+00\r\n";

// The model type that the older layout gives type code 116.
inline TVesmarInvModelType FixtureType() {
  return MakeModelType({}, {ltPHI});
}

inline platform::testing::ChildResult Kivmod(const std::vector<std::string>& arguments) {
  return platform::testing::RunChild(KIV_KIVMOD, arguments);
}

// A CSV text split into rows of fields; the fields kivmod writes hold no comma, quote or break.
inline std::vector<std::map<std::string, std::string>> CsvRows(const std::string& text) {
  std::vector<std::vector<std::string>> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    std::vector<std::string> fields;
    const std::string line = text.substr(start, end - start);
    for (size_t from = 0;;) {
      const size_t comma = line.find(',', from);
      fields.push_back(line.substr(from, comma - from));
      if (comma == std::string::npos)
        break;
      from = comma + 1;
    }
    lines.push_back(fields);
    start = end == std::string::npos ? text.size() : end + 2;
  }
  std::vector<std::map<std::string, std::string>> rows;
  for (size_t i = 1; i < lines.size(); ++i) {
    std::map<std::string, std::string> row;
    for (size_t f = 0; f < lines[0].size() && f < lines[i].size(); ++f)
      row[lines[0][f]] = lines[i][f];
    rows.push_back(row);
  }
  return rows;
}

// A field's number as the core's parser reads it.
inline double Number(const std::string& field) {
  double value = 0;
  EXPECT_TRUE(ParseReal(field, value)) << field;
  return value;
}

} // namespace kiv::test
