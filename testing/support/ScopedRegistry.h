#pragma once

#include "testing/support/TempDir.h"

#include <gtest/gtest.h>
#include <string>

#ifndef _WIN32
#include "testing/support/ScopedEnvironment.h"
#endif

namespace kiv::test {

// A settings store of the test's own: KIV_REGISTRY_DIR names a fresh folder for the life of the
// object. The Windows registry has no such place: tests there work under TestKey and delete it.
class ScopedRegistry {
public:
  const TempDir& folder() const { return folder_; }

  // A key name of the running test's own ("KivTest.Suite.Name"), so that tests that run at once
  // never meet in the one registry of Windows.
  static std::string TestKey() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("KivTest.") + info->test_suite_name() + "." + info->name();
    for (char& c : name)
      if (c == '/')
        c = '.';
    return name;
  }

private:
  TempDir folder_;
#ifndef _WIN32
  ScopedEnvironment environment_{"KIV_REGISTRY_DIR", folder_.path()};
#endif
};

} // namespace kiv::test
