#pragma once

// Toolkit internals: the check of an index into an indexed property.

#include <stdexcept>
#include <string>

namespace kiv::toolkit {

// Refuses an index outside 0 .. count - 1 of the indexed property where ("TComponent.Components").
inline void CheckIndex(const char* where, int index, int count) {
  if (index < 0 || index >= count)
    throw std::out_of_range(std::string(where) + ": index " + std::to_string(index) +
                            " out of range");
}

} // namespace kiv::toolkit
