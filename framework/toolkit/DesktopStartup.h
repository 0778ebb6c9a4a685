#pragma once

// Toolkit: the start-up step that lives between the application object and its end.

namespace kiv {

class TApplication;

// The start-up step of a desktop program: made in main right after the application object and
// destroyed before it, so that the framework's process-wide objects live while Qt does. Static
// start-up and shut-down steps cannot promise that. One per process.
//
//   TApplication application(argc, argv);
//   TDesktopStartup startup(application);
class TDesktopStartup {
public:
  explicit TDesktopStartup(TApplication& AApplication);
  ~TDesktopStartup();
  TDesktopStartup(const TDesktopStartup&) = delete;
  TDesktopStartup& operator=(const TDesktopStartup&) = delete;

  // Whether the process-wide objects exist: between this object's start and its end.
  static bool Running() noexcept;

private:
  TApplication& FApplication;
};

} // namespace kiv
