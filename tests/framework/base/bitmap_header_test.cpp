#include "framework/base/BitmapHeader.h"
#include "testing/support/TempDir.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace kiv {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (const int value : values)
    bytes += static_cast<char>(value);
  return bytes;
}

// "BM" and the rest of the 14-byte file header, zeroed: only the information header counts.
const std::string kFileHeader = "BM" + std::string(12, '\0');

TEST(ReadBitmapDims, ReadsTheSizeOfEveryHeaderKind) {
  struct Case {
    const char* name;
    std::string info;
    int width;
    int height;
  };
  const Case cases[] = {
      {"bottom-up", Bytes({40, 0, 0, 0, 0x80, 2, 0, 0, 0xE0, 1, 0, 0}), 640, 480},
      {"top-down", Bytes({124, 0, 0, 0, 3, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF}), 3, 2},
      {"core", Bytes({12, 0, 0, 0, 0x10, 0, 0x20, 0}), 16, 32},
  };
  test::TempDir folder;
  for (const Case& c : cases) {
    test::WriteFile(folder / "a.bmp", kFileHeader + c.info);
    int width = 0;
    int height = 0;
    ReadBitmapDims(folder / "a.bmp", width, height);
    EXPECT_EQ(width, c.width) << c.name;
    EXPECT_EQ(height, c.height) << c.name;
  }
}

TEST(ReadBitmapDims, RefusesAFileThatIsNoBitmap) {
  const std::string cases[] = {
      "PNG" + std::string(30, '\0'),
      kFileHeader + Bytes({40, 0, 0, 0, 1, 0}),
      kFileHeader + Bytes({40, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0}),
  };
  test::TempDir folder;
  for (const std::string& bytes : cases) {
    test::WriteFile(folder / "a.bmp", bytes);
    int width = 0;
    int height = 0;
    try {
      ReadBitmapDims(folder / "a.bmp", width, height);
      ADD_FAILURE() << "accepted " << bytes.size() << " bytes";
    } catch (const std::invalid_argument& e) {
      EXPECT_EQ(std::string(e.what()), folder / "a.bmp" + " is not a Windows bitmap");
    }
  }
}

} // namespace
} // namespace kiv
