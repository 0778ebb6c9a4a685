#include "testing/model/SurveyFile.h"
#include "testing/support/TempDir.h"
#include "viewer/AxisTicks.h"
#include "viewer/ColourScale.h"
#include "viewer/NumberText.h"
#include "viewer/SectionGeometry.h"
#include "viewer/SurveyDocument.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace kiv::viewer {
namespace {

std::unique_ptr<TSurveyDocument> Survey(const test::TempDir& dir, std::int32_t soundings,
                                        bool located = true, float elevation = 0) {
  std::unique_ptr<TModFile> file = test::MakeSurvey({soundings, 4, false}, dir / "s.mod");
  if (!located) {
    TModel model = file->GetModel(2);
    model.UTMX = 0;
    model.UTMY = 0;
    file->SetModel(2, model);
  }
  if (elevation != 0)
    for (std::int32_t i = 1; i <= soundings; ++i) {
      TModel model = file->GetModel(i);
      model.Elevation = elevation;
      file->SetModel(i, model);
    }
  file->Save(false);
  return TSurveyDocument::Read(dir / "s.mod", {}, nullptr);
}

TEST(SectionGeometry, MeasuresTheLineOrNumbersTheSoundings) {
  test::TempDir dir;
  const TSectionGeometry along(*Survey(dir, 5));
  EXPECT_FALSE(along.ByNumber());
  // The survey's soundings stand 25 m apart (20 east, 15 north).
  for (std::size_t i = 0; i < 5; ++i)
    EXPECT_NEAR(along.Distance(i), 25.0 * static_cast<double>(i), 1e-6);
  EXPECT_NEAR(along.Start(), -12.5, 1e-6);
  EXPECT_NEAR(along.End(), 112.5, 1e-6);

  const TSectionGeometry numbered(*Survey(dir, 5, false));
  EXPECT_TRUE(numbered.ByNumber());
  EXPECT_EQ(numbered.Distance(0), 1.0);
  EXPECT_EQ(numbered.Distance(4), 5.0);
}

TEST(SectionGeometry, FindsTheNearestSoundingWithinReach) {
  test::TempDir dir;
  const TSectionGeometry geometry(*Survey(dir, 5));
  EXPECT_EQ(geometry.Nearest(37, 25), 1u);
  EXPECT_EQ(geometry.Nearest(38, 25), 2u);
  EXPECT_EQ(geometry.Nearest(-20, 25), 0u);
  EXPECT_EQ(geometry.Nearest(140, 25), std::nullopt);
  EXPECT_EQ(geometry.Nearest(130, 100), 4u);
}

TEST(SectionViewport, ZoomKeepsThePlaceUnderThePointerAndPanFollowsIt) {
  TSectionViewport viewport;
  viewport.SetPlot(10, 20, 400, 200);
  test::TempDir dir;
  viewport.Fit(TSectionGeometry(*Survey(dir, 50)));
  const double x = viewport.XOf(150);
  const double elevation = viewport.ElevationOf(80);
  const double width = viewport.Right() - viewport.Left();
  const double height = viewport.Top() - viewport.Bottom();
  viewport.Zoom(2, 150, 80);
  EXPECT_NEAR(viewport.Right() - viewport.Left(), width / 2, 1e-9);
  EXPECT_NEAR(viewport.Top() - viewport.Bottom(), height / 2, 1e-9);
  EXPECT_NEAR(viewport.XOf(150), x, 1e-9);
  EXPECT_NEAR(viewport.ElevationOf(80), elevation, 1e-9);
  viewport.Pan(30, -10);
  EXPECT_NEAR(viewport.XOf(180), x, 1e-9);
  EXPECT_NEAR(viewport.ElevationOf(70), elevation, 1e-9);
}

// Past 2^53 a double does not count by ones: the ticks are few and end, and the zoom stops where
// the pixels would no longer be distinct numbers.
TEST(SectionViewport, ASoundingFarAboveTheDatumZoomsToALeastSpanWithFewTicks) {
  test::TempDir dir;
  TSectionViewport viewport;
  viewport.SetPlot(10, 20, 400, 200);
  viewport.Fit(TSectionGeometry(*Survey(dir, 1, true, 1e17f)));
  for (int notch = 0; notch < 400; ++notch)
    viewport.Zoom(1.25, 150, 80);
  EXPECT_GE(viewport.Top() - viewport.Bottom(), 1e-9 * std::fabs(viewport.Top()));
  EXPECT_GE(viewport.Right() - viewport.Left(), 1e-3);
  EXPECT_LE(LinearTicks(viewport.Bottom(), viewport.Top(), 8).size(), 9u);
  const std::vector<double> ticks = LinearTicks(1e17 - 40, 1e17 + 40, 8);
  EXPECT_FALSE(ticks.empty());
  EXPECT_LE(ticks.size(), 9u);
  EXPECT_TRUE(std::adjacent_find(ticks.begin(), ticks.end(), std::greater_equal<>()) ==
              ticks.end());
  EXPECT_LE(LinearTicks(1e17, 1e17 + 4096, 8).size(), 9u);
  EXPECT_LE(LogTicks(1e17, 1e17 + 100).size(), 3000u);
}

TEST(AxisTicks, AreRoundNumbers) {
  EXPECT_EQ(LinearTicks(0, 1000, 5), (std::vector<double>{0, 200, 400, 600, 800, 1000}));
  EXPECT_EQ(LinearTicks(-13, 17, 6), (std::vector<double>{-10, -5, 0, 5, 10, 15}));
  EXPECT_EQ(LinearTicks(0.1, 0.35, 3), (std::vector<double>{0.1, 0.2, 0.3}));
  EXPECT_EQ(LogTicks(0, 3), (std::vector<double>{1, 10, 100, 1000}));
  EXPECT_EQ(LogTicks(0.5, 1.5), (std::vector<double>{5, 10, 20}));
}

TEST(NumberText, ShowsWhatAFloatHolds) {
  EXPECT_EQ(NumberText(12.3f), "12.3");
  EXPECT_EQ(NumberText(0.1f), "0.1");
  EXPECT_EQ(NumberText(1234567.0), "1234567");
  EXPECT_EQ(NumberText(0.30000000000000004), "0.3");
  EXPECT_EQ(NumberText(-0.0004567891), "-0.0004567891");
  EXPECT_EQ(NumberText(0), "0");
}

TEST(ColourScale, RunsFromDarkBlueToYellowInLogarithm) {
  const TColourScale scale(0, 4);
  EXPECT_EQ(scale.Colour(1), 0x540144);     // viridis' dark end, as 0x00BBGGRR
  EXPECT_EQ(scale.Colour(10000), 0x25E7FD); // its yellow end
  EXPECT_EQ(scale.Colour(100), Viridis(0.5));
  EXPECT_EQ(scale.Colour(1e9), scale.Colour(10000));
  EXPECT_EQ(scale.Colour(0), scale.Colour(1));
  EXPECT_EQ(TColourScale(2, 2).LowLog(), 1.5);
}

} // namespace
} // namespace kiv::viewer
