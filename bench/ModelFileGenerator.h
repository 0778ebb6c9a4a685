#pragma once

#include "bench/BenchModel.h"

#include <cstdint>
#include <string>

namespace kiv::bench {

// Writes a model file of the shape, regular (.mod) or sparse (.mo2), byte for byte as
// TModFile::SaveGeneral writes such models with BenchModelType(): the models a regular survey
// would hold, or those models switched to the sparse style in a file whose models are marked as
// laterally constrained (so the header's constraint mode is 2). Values follow smooth trends along
// flight lines with noise, drawn from seed. Streams one model at a time through a reused buffer,
// so any size needs little memory. Returns the file's size in bytes. Throws std::system_error.
std::uint64_t GenerateModelFile(const std::string& path, const ModelShape& shape,
                                std::uint64_t seed);

// The size GenerateModelFile writes for the shape, to within a few bytes per model.
std::uint64_t EstimateFileBytes(const ModelShape& shape);

// The number of models that makes a file of the shape about bytes long; at least 1.
std::int64_t ModelsForBytes(ModelShape shape, std::uint64_t bytes);

} // namespace kiv::bench
