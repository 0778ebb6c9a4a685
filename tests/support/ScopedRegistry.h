#pragma once

#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempDir.h"

namespace kiv::test {

// A settings store of the test's own: KIV_REGISTRY_DIR names a fresh folder for the life of the
// object (the Windows registry ignores it; tests there work under a key of their own).
class ScopedRegistry {
public:
  ScopedRegistry() : folder_(), environment_("KIV_REGISTRY_DIR", folder_.path()) {}
  const TempDir& folder() const { return folder_; }

private:
  TempDir folder_;
  ScopedEnvironment environment_;
};

} // namespace kiv::test
