#pragma once

#include "bench/BenchModel.h"

#include <cstdint>
#include <string>

namespace kiv::bench {

// Writes a model file of the shape, regular (.mod) or sparse (.mo2), byte for byte as
// TModFile::SaveGeneral writes such models with the shape's model type: the models a regular
// survey would hold, or those models switched to the sparse style in a file whose models are
// marked as laterally constrained (so the header's constraint mode is 2). Every data-file line
// carries the shape's type code. Values follow smooth trends along flight lines with noise, each
// parameter in a plausible range of its unit, drawn from seed. Streams one model at a time
// through a reused buffer, so any size needs little memory. Returns the file's size in bytes.
// Throws std::invalid_argument, before making the file, for a parameter of the model type that it
// has no values for or that the model type names twice, and std::system_error.
//
// For type codes 2 and 12 the writer gives the values of a regular file's layer lines two
// decimals, and so does this (a value that rounds to 0.00 then reads back as 0, which
// SaveGeneral refuses as a start value). The sparse style keeps the column format, as SaveGeneral
// writes the sparse models read back from the file; an object that still held the regular models
// would write two decimals there too.
std::uint64_t GenerateModelFile(const std::string& path, const ModelShape& shape,
                                std::uint64_t seed);

// The size GenerateModelFile writes for the shape, to within a few bytes per model.
std::uint64_t EstimateFileBytes(const ModelShape& shape);

// The number of models that makes a file of the shape about bytes long; at least 1.
std::int64_t ModelsForBytes(ModelShape shape, std::uint64_t bytes);

} // namespace kiv::bench
