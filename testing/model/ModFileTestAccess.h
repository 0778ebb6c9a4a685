#pragma once

#include "model/ModFile_.h"

namespace kiv {

// The private steps and fields of TModFile that tests drive or look at directly.
struct TModFileTestAccess {
  static std::optional<std::int32_t> FitLateralConstraints(TModFile& file,
                                                           bool iModifyLatConstraints0Values) {
    return file.FitLateralConstraints(iModifyLatConstraints0Values);
  }
  static void DetermineLCIMode(TModFile& file,
                               std::optional<std::int32_t> fittedWidth = std::nullopt) {
    file.DetermineLCIMode(fittedWidth);
  }
  static TModelFormat Format(const TModFile& file) { return file.FModelFormat; }
  static std::string& TwoDFormat(TModFile& file) { return file.F2DFormat; }
  static std::string& ColFormat(TModFile& file) { return file.ColFormat; }
};

} // namespace kiv
