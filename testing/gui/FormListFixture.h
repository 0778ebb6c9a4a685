#pragma once

#include "framework/desktop/KivForm_.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace kiv::test {

// A test with the program's form list, made and freed as a desktop program does.
class FormListTest : public testing::Test {
protected:
  TKivFormListStartup formList{Application()};
};

// Steps run one per pass of the application's message handling, each posted by the one before:
// the first runs in the first ProcessMessages that follows, the next in the one after it.
using Steps = std::vector<std::function<void()>>;

inline void PostChain(std::shared_ptr<const Steps> steps, std::size_t index = 0) {
  if (index >= steps->size())
    return;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [steps, index] {
        PostChain(steps, index + 1);
        (*steps)[index]();
      },
      Qt::QueuedConnection);
}

inline void PostChain(Steps steps) {
  PostChain(std::make_shared<const Steps>(std::move(steps)));
}

} // namespace kiv::test
