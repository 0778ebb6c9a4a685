#include "framework/toolkit/PathDisplay.h"

#include "core/FileNames.h"
#include "framework/toolkit/detail/Widget.h"

#include <QFontMetrics>

namespace kiv {

namespace {

// Replaces the first folder of dir (after its root, if any) and any "..." before it by "...".
void CutFirstDirectory(std::string& dir) {
  const std::string dots = std::string("...") + PathSeparator();
  if (dir.size() == 1 && IsPathSeparator(dir[0])) {
    dir.clear();
    return;
  }
  const bool root = !dir.empty() && IsPathSeparator(dir[0]);
  if (root)
    dir.erase(0, 1);
  if (dir.compare(0, dots.size(), dots) == 0)
    dir.erase(0, dots.size());
  std::size_t separator = 0;
  while (separator < dir.size() && !IsPathSeparator(dir[separator]))
    ++separator;
  dir = separator < dir.size() ? dots + dir.substr(separator + 1) : std::string();
  if (root)
    dir.insert(0, 1, PathSeparator());
}

} // namespace

std::string MinimizeName(const std::string& AFileName,
                         const std::function<int(const std::string&)>& AWidth, int AMaxWidth) {
  std::string dir = ExtractFilePath(AFileName);
  const std::string name = ExtractFileName(AFileName);
  std::string drive;
  if (dir.size() >= 2 && dir[1] == ':') {
    drive = dir.substr(0, 2);
    dir.erase(0, 2);
  }
  const std::string rootedDots = PathSeparator() + std::string("...") + PathSeparator();
  std::string result = AFileName;
  while ((!dir.empty() || !drive.empty()) && AWidth(result) > AMaxWidth) {
    if (dir == rootedDots) {
      drive.clear();
      dir = rootedDots.substr(1);
    } else if (dir.empty()) {
      drive.clear();
    } else {
      CutFirstDirectory(dir);
    }
    result = drive + dir + name;
  }
  return result;
}

std::string MinimizeName(const std::string& AFileName, const TControl& AControl, int AMaxWidth) {
  const QFontMetrics metrics(toolkit::QtWidget(AControl).font());
  return MinimizeName(
      AFileName,
      [&metrics](const std::string& text) {
        return metrics.horizontalAdvance(toolkit::ToQt(text));
      },
      AMaxWidth);
}

} // namespace kiv
