#include "model/SparseFormats_.h"
#include "testing/model/ModelPrinters.h"

#include <cstring>
#include <gtest/gtest.h>
#include <new>

namespace kiv {
namespace {

// Default-initialises a T over storage filled with a non-zero pattern and compares it with the
// value-initialised T (all zeros by the language): a field that lacks its own initialiser keeps
// the pattern instead of passing by luck.
template <class T> bool DefaultInitialisedIsZero() {
  alignas(T) unsigned char storage[sizeof(T)];
  std::memset(storage, 0xA5, sizeof storage);
  T* record = ::new (static_cast<void*>(storage)) T;
  const bool zero = *record == T{};
  record->~T();
  return zero;
}

TEST(SparseRecords, NewRecordsStartAtZero) {
  EXPECT_TRUE(DefaultInitialisedIsZero<TSparseVector>());
  EXPECT_TRUE(DefaultInitialisedIsZero<TSparseLayer>());
  EXPECT_TRUE(DefaultInitialisedIsZero<TSparseModel>());
}

} // namespace
} // namespace kiv
