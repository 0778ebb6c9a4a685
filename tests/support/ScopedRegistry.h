#pragma once

#include "tests/support/TempDir.h"

#ifndef _WIN32
#include "tests/support/ScopedEnvironment.h"
#endif

namespace kiv::test {

// A settings store of the test's own: KIV_REGISTRY_DIR names a fresh folder for the life of the
// object. The Windows registry has no such place; tests there work under keys of their own and
// delete them.
class ScopedRegistry {
public:
  const TempDir& folder() const { return folder_; }

private:
  TempDir folder_;
#ifndef _WIN32
  ScopedEnvironment environment_{"KIV_REGISTRY_DIR", folder_.path()};
#endif
};

} // namespace kiv::test
