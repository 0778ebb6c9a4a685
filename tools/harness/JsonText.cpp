#include "tools/harness/JsonText.h"

#include "platform/AsciiText.h"

namespace kiv {

std::string JsonStringArray(const std::vector<std::string>& texts) {
  std::string json = "[";
  for (size_t i = 0; i < texts.size(); ++i)
    json += (i == 0 ? "" : ", ") + platform::JsonString(texts[i]);
  return json + "]";
}

} // namespace kiv
