#include "platform/testing/FaultSeam.h"

#include <stdexcept>
#include <vector>

namespace kiv::platform::testing {

// The armed faults, in the order they were armed, and the hook that strikes them.
class FaultRegistry {
public:
  static void Arm(ScopedFault& fault) {
    Armed().push_back(&fault);
    faultHook = &Strike;
  }

  static void Withdraw(ScopedFault& fault) {
    std::erase(Armed(), &fault);
    if (Armed().empty())
      faultHook = nullptr;
  }

private:
  static std::vector<ScopedFault*>& Armed() {
    static std::vector<ScopedFault*> armed;
    return armed;
  }

  static std::optional<Fault> Strike(Operation operation) {
    std::optional<Fault> struck;
    for (ScopedFault* fault : Armed()) {
      const bool spent = fault->injected_ && fault->fault_.kind != Fault::Kind::LastingError;
      if (fault->operation_ != operation || spent)
        continue;
      if (fault->passing_ > 0) {
        --fault->passing_;
      } else if (!struck) {
        fault->injected_ = true;
        struck = fault->fault_;
      }
    }
    return struck;
  }
};

ScopedFault::ScopedFault(Operation operation, Fault fault, unsigned passing)
    : operation_(operation), fault_(fault), passing_(passing) {
  const bool transfers = operation == Operation::Read || operation == Operation::Write;
  const bool error = fault.kind == Fault::Kind::Error || fault.kind == Fault::Kind::LastingError;
  if (!error && !transfers)
    throw std::invalid_argument("only reads and writes can be interrupted or cut short");
  if (fault.kind == Fault::Kind::ShortTransfer && fault.bytes == 0)
    throw std::invalid_argument("a short transfer moves at least one byte");
  FaultRegistry::Arm(*this);
}

ScopedFault::~ScopedFault() {
  FaultRegistry::Withdraw(*this);
}

} // namespace kiv::platform::testing
