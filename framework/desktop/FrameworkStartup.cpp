#include "framework/desktop/FrameworkStartup.h"

#include "framework/desktop/My.h"

#include <utility>

namespace kiv {
namespace {

TMy* aggregate = nullptr;

} // namespace

TFrameworkStartup::TFrameworkStartup(TApplication& AApplication) : FDesktopStartup(AApplication) {
  aggregate = new TMy();
  try {
    FFormList = std::make_unique<TKivFormListStartup>(AApplication);
  } catch (...) {
    delete std::exchange(aggregate, nullptr);
    throw;
  }
}

TFrameworkStartup::~TFrameworkStartup() {
  // Forms freed with the list may still log through the aggregate.
  FFormList.reset();
  // The global is cleared before the aggregate goes, so that nothing reaches a half-freed one.
  delete std::exchange(aggregate, nullptr);
}

TMy* My() noexcept {
  return aggregate;
}

} // namespace kiv
