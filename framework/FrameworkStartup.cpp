#include "framework/FrameworkStartup.h"

#include "framework/My.h"

#include <utility>

namespace kiv {
namespace {

TMy* aggregate = nullptr;

} // namespace

TFrameworkStartup::TFrameworkStartup(TApplication& AApplication) : FDesktopStartup(AApplication) {
  aggregate = new TMy();
}

TFrameworkStartup::~TFrameworkStartup() {
  // The global is cleared before the aggregate goes, so that nothing reaches a half-freed one.
  delete std::exchange(aggregate, nullptr);
}

TMy* My() noexcept {
  return aggregate;
}

} // namespace kiv
