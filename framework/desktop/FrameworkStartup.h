#pragma once

// The start-up object of a desktop program on the framework: it makes and frees TMy and
// KivFormList.

#include "framework/desktop/KivForm_.h"
#include "framework/toolkit/DesktopStartup.h"

#include <memory>

namespace kiv {

class TApplication;
class TMy;

// The start-up step of a desktop program built on the framework: made in main right after the
// application object and destroyed before it. It starts the toolkit's step, then creates the
// framework aggregate (My()) and the form list (KivFormList); it frees the form list, then the
// aggregate, then ends the toolkit's step, so that every window the framework made goes while
// the application object lives.
//
//   TApplication application(argc, argv);
//   TFrameworkStartup startup(application);
class TFrameworkStartup {
public:
  explicit TFrameworkStartup(TApplication& AApplication);
  ~TFrameworkStartup();
  TFrameworkStartup(const TFrameworkStartup&) = delete;
  TFrameworkStartup& operator=(const TFrameworkStartup&) = delete;

private:
  TDesktopStartup FDesktopStartup;
  std::unique_ptr<TKivFormListStartup> FFormList;
};

} // namespace kiv
