#pragma once

// System information of unit MY_: the logged-on user.

#include <string>

namespace kiv {

// The logged-on user.
class TUser {
public:
  // The user's name; empty when it cannot be read.
  std::string GetName() const;
};

} // namespace kiv
