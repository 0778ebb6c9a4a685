#pragma once

// The size of a Windows bitmap file, read from its headers.

#include <string>

namespace kiv {

// The width and height in pixels of the Windows bitmap (BMP) file AFileName, read from its
// headers alone (a top-down bitmap's negative height counts as its size). Throws
// std::invalid_argument for a file that is no bitmap and std::system_error when it cannot be read.
void ReadBitmapDims(const std::string& AFileName, int& oWidth, int& oHeight);

} // namespace kiv
