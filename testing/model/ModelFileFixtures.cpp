#include "testing/model/ModelFileFixtures.h"

namespace kiv::test {

std::string Header(std::string_view settings, std::initializer_list<std::string_view> dataLines) {
  std::string text = "comment\r\n";
  text.append(settings).append("\r\n");
  for (std::string_view line : dataLines)
    text.append(line).append("\r\n");
  return text + "50\r\n";
}

std::string ModelFile(const TempDir& dir, std::string_view name, std::string_view content) {
  const std::string path = dir / name;
  WriteFile(path, content);
  return path;
}

} // namespace kiv::test
