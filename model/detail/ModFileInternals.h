#pragma once

// The private side of TModFile that its sources and the tests share; not installed.
#include "model/ModFile_.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kiv {

struct TModFileInternals {
  // The models of each style, whichever the format names.
  static std::vector<TModel>& Models(TModFile& file) { return file.FModels; }
  static const std::vector<TModel>& Models(const TModFile& file) { return file.FModels; }
  static std::vector<TSparseModel>& SparseModels(TModFile& file) { return file.FSparseModels; }
  static const std::vector<TSparseModel>& SparseModels(const TModFile& file) {
    return file.FSparseModels;
  }
  static TModelFormat& Format(TModFile& file) { return file.FModelFormat; }
  static TModelFormat Format(const TModFile& file) { return file.FModelFormat; }
  static const TAllLayerParamSets& Catalogue(const TModFile& file) {
    return *file.FAllLayerParamSets;
  }
  static std::string& TwoDFormat(TModFile& file) { return file.F2DFormat; }
  static std::string& ColFormat(TModFile& file) { return file.ColFormat; }

  // Save-time steps for regular files (ModFileEdit.cpp), which the writers run before writing
  // anything: fit every dense lateral array to the lateral width (emptying all of them when no
  // layer is coupled), and derive the constraint mode from the constraints. The fitting returns
  // the width after it when it knows it without another pass over the models, which the mode
  // then takes instead of measuring it.
  static std::optional<std::int32_t> FitLateralConstraints(TModFile& file,
                                                           bool iModifyLatConstraints0Values);
  static void DetermineLCIMode(TModFile& file,
                               std::optional<std::int32_t> fittedWidth = std::nullopt);
};

} // namespace kiv
