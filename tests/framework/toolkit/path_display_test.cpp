#include "core/FileNames.h"
#include "framework/toolkit/PathDisplay.h"
#include "framework/toolkit/StandardControls.h"
#include "framework/toolkit/detail/Widget.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

namespace kiv {
namespace {

// Paths written with this system's separator: "/home/user/runs/job1.mod" on Linux.
std::string Native(std::string path) {
  for (char& c : path)
    if (c == '/')
      c = PathSeparator();
  return path;
}

int Characters(const std::string& text) {
  return static_cast<int>(text.size());
}

TEST(MinimizeName, LeadingFoldersGiveWayOneAtATimeAndTheNameStays) {
  struct Case {
    int maxWidth;
    const char* shown;
  };
  const Case cases[] = {
      {24, "/home/user/runs/job1.mod"},
      {23, "/.../user/runs/job1.mod"},
      {20, "/.../runs/job1.mod"},
      {14, "/.../job1.mod"},
      {12, ".../job1.mod"},
      {3, "job1.mod"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MinimizeName(Native("/home/user/runs/job1.mod"), Characters, c.maxWidth),
              Native(c.shown))
        << "width " << c.maxWidth;
}

TEST(MinimizeName, TheDriveGoesAfterTheFolders) {
  EXPECT_EQ(MinimizeName(Native("C:/runs/deep/job1.mod"), Characters, 15),
            Native("C:/.../job1.mod"));
  EXPECT_EQ(MinimizeName(Native("C:/runs/deep/job1.mod"), Characters, 12), Native(".../job1.mod"));
}

TEST(MinimizeName, MeasuredInTheControlsFontItFitsAndKeepsRootAndName) {
  TListBox list(nullptr);
  const std::string path =
      Native("/home/user/inversions/2026/survey-north/line-14/models/job1.mod");
  const QFontMetrics metrics(toolkit::QtWidget(list).font());
  const int width = metrics.horizontalAdvance(QString::fromStdString(path)) / 2;
  const std::string shown = MinimizeName(path, list, width);
  EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(shown)), width);
  EXPECT_EQ(shown.substr(0, 5), Native("/.../"));
  EXPECT_EQ(shown.substr(shown.size() - 8), "job1.mod");
}

} // namespace
} // namespace kiv
