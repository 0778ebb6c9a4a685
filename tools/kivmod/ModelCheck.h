#pragma once

// kivmod check and convert: a model file read as the run or a full read does, and a model file
// written in the style its name asks for.

#include "tools/kivmod/ModelReading.h"

#include <exception>
#include <string>

namespace kiv {

// The line of a failure: "FILE:LINE: message" with the library's message as it stands (just
// "FILE: message" where the line is unknown), then "  cause: " and the cause's text when the
// failure replaced another; for a file whose model type is not certain, UncertainText.
std::string FailureLine(const std::string& path, const std::exception& failure);

// Reads the file whole, or (headerOnly) its header as the run's check does. Returns the line
// that check prints: "FILE: ok (N models)", "FILE: header ok", or FailureLine. Throws UsageError
// for parameter names that are not known.
std::string CheckModelFile(const std::string& path, const ModelTypeNames& names, bool headerOnly,
                           bool& ok);

// Writes the models of in to out, in the style out's name asks for (survey::StyleOfName) and the
// layout given. Throws UsageError when out is in, EPelo for a sparse in and a regular out, which
// the library cannot convert, and the library's failures.
void ConvertModelFile(const std::string& in, const std::string& out, const ModelTypeNames& names,
                      survey::FileLayout layout);

} // namespace kiv
