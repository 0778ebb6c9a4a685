#pragma once

namespace kiv::test {

// While alive, lets the next `succeeding` allocations through operator new on this thread
// succeed and makes the one after them fail (std::bad_alloc, or null from the nothrow forms);
// later ones succeed again. Linking this file into a test program replaces the global operator
// new and delete of the whole program.
class FailingAllocation {
public:
  explicit FailingAllocation(long succeeding);
  FailingAllocation(const FailingAllocation&) = delete;
  FailingAllocation& operator=(const FailingAllocation&) = delete;
  ~FailingAllocation();

  // True once the planned allocation has failed.
  bool Failed() const;
};

} // namespace kiv::test
