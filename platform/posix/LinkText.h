#pragma once

// POSIX implementation internals: the whole text of a symbolic link.

#include <optional>
#include <string>
#include <sys/types.h>

namespace kiv::platform {

// The whole text that readLink, a call like readlink that fills a buffer of a given size, gives;
// the buffer grows until the text fits. nullopt, with errno set, when the call fails.
template <class ReadLink> std::optional<std::string> WholeLinkText(ReadLink readLink) {
  std::string text(256, '\0');
  for (;;) {
    const ssize_t length = readLink(text.data(), text.size());
    if (length < 0)
      return std::nullopt;
    if (static_cast<size_t>(length) < text.size()) {
      text.resize(static_cast<size_t>(length));
      return text;
    }
    text.resize(text.size() * 2);
  }
}

} // namespace kiv::platform
