#pragma once

#include "core/PeloTypes_.h"
#include "testing/model/ModelTypes.h"
#include "testing/support/TempDir.h"

#include <string>
#include <string_view>

namespace kiv::test {

// A header of the given settings line and data-file lines, then the iteration line 50.
std::string Header(std::string_view settings, std::initializer_list<std::string_view> dataLines);

// Writes content to a file of that name in dir and returns its path.
std::string ModelFile(const TempDir& dir, std::string_view name, std::string_view content);

} // namespace kiv::test
