#pragma once

// The update download's settings: server, release folder, CA file and limits.

#include <chrono>
#include <cstdint>
#include <string>

namespace kiv {

// Where updates come from and how long a download may take.
struct UpdateSettings {
  // The update server's base address, "https://" and a host, ending in "/"; empty: none is
  // configured, and every download fails saying so.
  std::string serverAddress;
  // The server folder of the release archives, relative to serverAddress, ending in "/"; empty:
  // the server's root folder.
  std::string releaseFolder;
  // Certificate authorities trusted alone for the server; empty: the system's.
  std::string caFile;
  // The longest time the server may send nothing before a download fails: a low-speed limit of
  // one byte a second, which libcurl judges on its last few seconds, so that a server falling
  // silent after a burst is given up a few seconds after this time; on Windows WinHTTP's time-out
  // of each wait (connecting, sending, the answer, each read).
  std::chrono::seconds readTimeout{60};
  // The most bytes one file may have.
  std::int64_t sizeCap = std::int64_t{1} << 30;
};

// The settings with the server address, release folder and CA file that the build was given.
UpdateSettings DefaultUpdateSettings();

} // namespace kiv
