#include "platform/testing/Emulation.h"

namespace kiv::platform::testing {

bool UnderWine() {
  return false;
}

} // namespace kiv::platform::testing
