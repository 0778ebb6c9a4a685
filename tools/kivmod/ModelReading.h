#pragma once

// How kivmod reads a model file: the model type that lays out its blocks, named on the command
// line or taken from the type code of the file's data-file lines, and the read itself.

#include "model/InversionGeneralTypes_.h"
#include "model/ModFile_.h"
#include "model/ModelTypeNames.h"
#include "tools/harness/UsageError.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

// The parameter lists of --params and --extras as given (comma-separated names); a list not
// given comes from the type code of the file's models.
struct ModelTypeNames {
  std::optional<std::string> params;
  std::optional<std::string> extras;
};

// Resistivity, then the layer parameters named (the catalogue's long or short texts, in any
// letter case), and the extra parameters named (ExtraParamName), each list in file order. Throws
// UsageError for an unknown name.
TVesmarInvModelType NamedModelType(const std::vector<std::string>& params,
                                   const std::vector<std::string>& extras);

// A model file read whole, with the model type it was read with.
struct ModelFileRead {
  std::unique_ptr<TModFile> file;
  TVesmarInvModelType type;
};

// Reads the whole file. A list that names is not given comes from the older layout of the
// models' type code, read from the header first; models whose codes lay out their blocks
// differently make that a failure (EPelo) that asks for the lists.
ModelFileRead ReadModelFile(const std::string& path, const ModelTypeNames& names);

// Throws UsageError unless path is an existing file.
void RequireFile(const std::string& path);

// Throws UsageError for a path that exists as something other than a file (a folder, a device),
// which a save through a temporary file would replace.
void RequireFileOrNothing(const std::string& path);

} // namespace kiv
