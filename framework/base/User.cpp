#include "framework/base/User.h"

#include "platform/SystemInformation.h"

namespace kiv {

std::string TUser::GetName() const {
  return platform::UserName().value_or("");
}

} // namespace kiv
