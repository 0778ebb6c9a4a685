#pragma once

#include <gtest/gtest.h>

namespace kiv::test {

// Fails a test that leaves a top-level window behind, shown or hidden, once Qt's deferred
// deletions have run; then deletes those windows so that the next test starts clean.
class LeftWindowsCheck : public testing::EmptyTestEventListener {
public:
  void OnTestEnd(const testing::TestInfo& test) override;
};

} // namespace kiv::test
