#pragma once

// Routines over models and files that the model file and the applications share: lateral
// coupling and width of models, file lists and version texts.
#include "core/PeloTypes_.h"
#include "platform/VersionResource.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A lateral factor is an active constraint when it lies strictly between 1.0 and 98.99, the
// single-precision factor compared in double precision.
namespace kiv {

// Sets every layer's ResLat, ThkLat and DepLat entries below 1.0 to 99 (no constraint).
void SetZeroSmoothFieldsTo99(TModel& Model);

// True when a layer's ResLat, ThkLat or DepLat holds an active constraint.
bool ModelHasCoupling(const TModel& Model);

// True when any of the models has coupling; false for none.
bool ModelsHaveCoupling(std::span<const TModel> Models);

// The largest k + 1 over the active entries k (from 0) of every layer's ResLat, ThkLat and DepLat
// and of each model's AltitudeLatSTDs and PitchLatSTDs; 0 when nothing is active.
std::int32_t MaxLateralWidth(std::span<const TModel> Models);

// Clears *FileList and fills it with Folder, a path separator and the name of every regular file
// directly in Folder whose name matches the wildcard pattern "*" followed by Mask ("*" any run of
// characters, "?" one), in the order the system lists them. A folder that is missing or may not be
// read gives an empty list; nothing happens without a list.
void BuildFileList(const std::string& Folder, const std::string& Mask,
                   std::vector<std::string>* FileList);

// The file version of an executable file: major, minor, release and build.
using TFileVersionNumbers = platform::FileVersion;

// The file version the build embedded in the file; all zero when it carries none.
TFileVersionNumbers GetFileVersionNumbers(const std::string& FileName);

// The numbers joined by ".". Major, minor and release are written with 2 significant digits,
// build with 3: a number below 100 (build: below 1000) as a plain integer, a larger one in
// exponent notation, rounded to those digits (a tie away from zero), trailing zeros of the
// mantissa dropped, the process-wide decimal separator, "E" and the exponent without sign or
// leading zeros. So 1234 as build is "1.23E3", 1000 is "1E3", 150 as major is "1.5E2" and 999 as
// release is "1E3".
std::string VersionText(const TFileVersionNumbers& Version);

// The running program's file version as VersionText; "0.0.0.0" when its file carries none.
std::string GetApplicationVersion();

} // namespace kiv
