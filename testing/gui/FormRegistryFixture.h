#pragma once

#include "core/FileNames.h"
#include "core/ProgramName.h"
#include "core/RunningProgram.h"
#include "framework/base/Registry.h"
#include "framework/formregistry/FormRegistry_.h"
#include "framework/toolkit/Form.h"
#include "testing/support/ScopedEnvironment.h"
#include "testing/support/TempDir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kiv::test {

// A settings store of its own in a temporary folder for every test, a form named MapForm_2, and
// direct access to the store to lay out what a test starts from and to look at what it left.
class FormRegistryTest : public testing::Test {
protected:
  FormRegistryTest() { form.SetName("MapForm_2"); }

  // The program key: the test program's file name, which has no ".exe" to strip.
  static std::string ProgramKey() {
    return "Software\\" + ProgramNameWithoutExe(ExtractFileName(RunningProgramPath()));
  }
  static std::string FormKey(const std::string& form) { return ProgramKey() + "\\Forms\\" + form; }

  std::vector<std::string> ValueNames(const std::string& path) {
    if (!store.OpenKey("\\" + path, false))
      return {"(no key)"};
    std::vector<std::string> names = store.GetValueNames();
    store.CloseKey();
    return names;
  }
  bool KeyExists(const std::string& path) { return store.KeyExists("\\" + path); }
  void PutInteger(const std::string& path, const std::string& name, int value) {
    ASSERT_TRUE(store.OpenKey("\\" + path, true));
    store.WriteInteger(name, value);
    store.CloseKey();
  }
  void PutString(const std::string& path, const std::string& name, const std::string& value) {
    ASSERT_TRUE(store.OpenKey("\\" + path, true));
    store.WriteString(name, value);
    store.CloseKey();
  }
  void PutBinary(const std::string& path, const std::string& name,
                 const std::vector<std::uint8_t>& value) {
    ASSERT_TRUE(store.OpenKey("\\" + path, true));
    store.WriteBinaryData(name, value);
    store.CloseKey();
  }
  int GetInteger(const std::string& path, const std::string& name) {
    EXPECT_TRUE(store.OpenKey("\\" + path, false));
    const int value = store.ReadInteger(name);
    store.CloseKey();
    return value;
  }
  std::string GetString(const std::string& path, const std::string& name) {
    EXPECT_TRUE(store.OpenKey("\\" + path, false));
    std::string value = store.ReadString(name);
    store.CloseKey();
    return value;
  }
  std::vector<std::uint8_t> GetBinary(const std::string& path, const std::string& name) {
    EXPECT_TRUE(store.OpenKey("\\" + path, false));
    std::vector<std::uint8_t> value = store.ReadBinaryData(name);
    store.CloseKey();
    return value;
  }

  TempDir dir;
  ScopedEnvironment registryDir{"KIV_REGISTRY_DIR", dir.path()};
  TRegistry store;
  TForm form{nullptr};
};

} // namespace kiv::test
