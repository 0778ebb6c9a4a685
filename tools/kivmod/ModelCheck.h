#pragma once

// kivmod check and convert: a model file read as the run or a full read does, and a model file
// written in the style its name asks for.

#include "tools/kivmod/ModelReading.h"

#include <exception>
#include <string>

namespace kiv {

// The line of a failure: "FILE:LINE: message" with the library's message as it stands (just
// "FILE: message" where the line is unknown), then "  cause: " and the cause's text when the
// failure replaced another.
std::string FailureLine(const std::string& path, const std::exception& failure);

// Reads the file whole, or (headerOnly) its header as the run's check does. Returns the line
// that check prints: "FILE: ok (N models)", "FILE: header ok", or FailureLine. Throws UsageError
// for parameter names that are not known.
std::string CheckModelFile(const std::string& path, const ModelTypeNames& names, bool headerOnly,
                           bool& ok);

// The two layouts of a save: TModFile::SaveGeneral's and TModFile::Save's.
enum class SaveLayout { general, older };

// Writes the models of in to out, in the sparse style when out's extension is ".mo2" (in any
// letter case), else in the regular one. Throws UsageError when out is in, EPelo for a sparse in
// and a regular out, which the library cannot convert, and the library's failures.
void ConvertModelFile(const std::string& in, const std::string& out, const ModelTypeNames& names,
                      SaveLayout layout);

} // namespace kiv
