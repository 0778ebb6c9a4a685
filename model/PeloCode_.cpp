#include "model/PeloCode_.h"

#include "core/FileNames.h"
#include "core/FormatSettings.h"
#include "core/RunningProgram.h"
#include "platform/Directory.h"

#include <algorithm>
#include <charconv>
#include <cstddef>

namespace kiv {
namespace {

constexpr double kNoConstraintBound = 98.99;

bool IsActiveConstraint(float factor) {
  const double value = factor;
  return value > 1.0 && value < kNoConstraintBound;
}

bool HasActiveConstraint(const TArrayOfSingle& factors) {
  return std::any_of(factors.begin(), factors.end(), IsActiveConstraint);
}

// One past the last active entry, so that an active entry at k makes the width k + 1.
std::int32_t LateralWidth(const TArrayOfSingle& factors) {
  const auto last = std::find_if(factors.rbegin(), factors.rend(), IsActiveConstraint);
  return static_cast<std::int32_t>(factors.rend() - last);
}

// The greater of width and the width of factors. An array no longer than width cannot be wider
// and is not looked into: a pass over all models then reads the arrays' sizes from the layers
// alone, rather than each array's memory.
std::int32_t WiderOf(std::int32_t width, const TArrayOfSingle& factors) {
  if (factors.size() <= static_cast<size_t>(width))
    return width;
  return std::max(width, LateralWidth(factors));
}

std::string IntegerText(unsigned value) {
  char digits[8];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return std::string(digits, end);
}

// A version number in at most `significant` digits, in the manner of a fixed-point conversion
// without decimals that switches to exponent notation when the integer part has more digits.
std::string VersionNumberText(unsigned value, unsigned significant) {
  unsigned limit = 1;
  for (unsigned i = 0; i < significant; ++i)
    limit *= 10;
  if (value < limit)
    return IntegerText(value);

  unsigned exponent = significant - 1;
  unsigned scale = 1;
  while (value / scale >= limit) {
    scale *= 10;
    ++exponent;
  }
  unsigned mantissa = value / scale;
  if (2 * (value % scale) >= scale)
    ++mantissa;
  if (mantissa == limit) {
    mantissa /= 10;
    ++exponent;
  }
  while (mantissa % 10 == 0)
    mantissa /= 10;

  const std::string digits = IntegerText(mantissa);
  std::string text(1, digits[0]);
  if (digits.size() > 1)
    text += ProcessFormats().DecimalSeparator + digits.substr(1);
  return text + "E" + IntegerText(exponent);
}

} // namespace

void SetZeroSmoothFieldsTo99(TModel& Model) {
  GuardWrapping("PeloCode_", "SetZeroSmoothFieldsTo99", [&] {
    for (TLayer& layer : Model.Layers)
      for (TArrayOfSingle* factors : {&layer.ResLat, &layer.ThkLat, &layer.DepLat})
        for (float& factor : *factors)
          if (factor < 1.0f)
            factor = 99.0f;
  });
}

bool ModelHasCoupling(const TModel& Model) {
  return GuardWrapping("PeloCode_", "ModelHasCoupling", [&] {
    return std::any_of(Model.Layers.begin(), Model.Layers.end(), [](const TLayer& layer) {
      return HasActiveConstraint(layer.ResLat) || HasActiveConstraint(layer.ThkLat) ||
             HasActiveConstraint(layer.DepLat);
    });
  });
}

bool ModelsHaveCoupling(std::span<const TModel> Models) {
  return GuardWrapping("PeloCode_", "ModelsHaveCoupling",
                       [&] { return std::any_of(Models.begin(), Models.end(), ModelHasCoupling); });
}

std::int32_t MaxLateralWidth(std::span<const TModel> Models) {
  return GuardWrapping("PeloCode_", "MaxLateralWidth", [&] {
    std::int32_t width = 0;
    for (const TModel& model : Models) {
      width = WiderOf(WiderOf(width, model.AltitudeLatSTDs), model.PitchLatSTDs);
      for (const TLayer& layer : model.Layers)
        width = WiderOf(WiderOf(WiderOf(width, layer.ResLat), layer.ThkLat), layer.DepLat);
    }
    return width;
  });
}

void BuildFileList(const std::string& Folder, const std::string& Mask,
                   std::vector<std::string>* FileList) {
  GuardEscalating("PeloCode_", "BuildFileList", [&] {
    if (FileList == nullptr)
      return;
    FileList->clear();
    std::string folder = Folder;
    if (folder.empty() || !IsPathSeparator(folder.back()))
      folder += PathSeparator();
    for (const std::string& name : platform::ListMatchingFiles(folder, "*" + Mask))
      FileList->push_back(folder + name);
  });
}

TFileVersionNumbers GetFileVersionNumbers(const std::string& FileName) {
  return platform::ReadFileVersion(FileName);
}

std::string VersionText(const TFileVersionNumbers& Version) {
  return VersionNumberText(Version.Major, 2) + "." + VersionNumberText(Version.Minor, 2) + "." +
         VersionNumberText(Version.Release, 2) + "." + VersionNumberText(Version.Build, 3);
}

// A program whose path the system cannot tell has no version to read: zeros.
std::string GetApplicationVersion() {
  return VersionText(GetFileVersionNumbers(RunningProgramPath()));
}

} // namespace kiv
