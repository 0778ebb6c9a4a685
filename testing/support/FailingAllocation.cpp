#include "testing/support/FailingAllocation.h"

#include <cstdlib>
#include <new>

namespace {

// Allocations still to succeed before the planned failure; negative when none is planned.
thread_local long allocationsBeforeFailure = -1;
thread_local bool planFailed = false;

void* Allocate(std::size_t size) noexcept {
  if (allocationsBeforeFailure == 0) {
    allocationsBeforeFailure = -1;
    planFailed = true;
    return nullptr;
  }
  if (allocationsBeforeFailure > 0)
    --allocationsBeforeFailure;
  return std::malloc(size == 0 ? 1 : size);
}

void* AllocateOrThrow(std::size_t size) {
  if (void* memory = Allocate(size))
    return memory;
  throw std::bad_alloc();
}

} // namespace

namespace kiv::test {

FailingAllocation::FailingAllocation(long succeeding) {
  planFailed = false;
  allocationsBeforeFailure = succeeding;
}

FailingAllocation::~FailingAllocation() {
  allocationsBeforeFailure = -1;
}

bool FailingAllocation::Failed() const {
  return planFailed;
}

} // namespace kiv::test

// Every plain form is replaced, so that memory never passes between this allocator and another
// one (the sanitizers check that new and delete match).
void* operator new(std::size_t size) {
  return AllocateOrThrow(size);
}
void* operator new[](std::size_t size) {
  return AllocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete[](void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
  std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
  std::free(memory);
}
