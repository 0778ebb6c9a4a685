// A differential round trip: read any bytes as a model file, write it with SaveGeneral, read what
// was written, write and read once more. The first byte chooses the style (bit 0: sparse), the
// model type (bits 1 and 2) and the column format (bit 3: fixed-point instead of exponential); the
// rest is the file.
//
// The writer and the reader are not inverse on everything a file can hold, by design: values are
// rounded to the column format, a factor above 98 is written as "none" and reads back as 99, the
// altitude's lateral "none" reads back as 100001, a regular file's constraint mode and lateral
// widths are derived anew from its constraints, a sparse file's from its count of models, and a
// vertical factor that stood nowhere is written once the mode allows one. So a plain
// read1 == read2 would raise false alarms. Two checks instead:
//  - read1 -> read2, normalised: what the writer must keep (the header's comment, sharp and
//    smoothing settings and iterations, the models, their data files and types, layer counts)
//    stays equal; positions, values and a-priori factors stay within the rounding of their
//    column, a factor above 98 becoming 99. This catches a field written into the wrong column.
//  - read3 == read4 exactly: after the normalising passes a write and a read change nothing, so
//    every asymmetry that is not a documented rounding or sentinel shows up as a difference.
//    It takes two passes: a vertical factor between 98 and 98.9 keeps a regular file's
//    constraint mode in the first save but is written as "none", so the second save derives
//    the mode anew without it.
// A file that its own reader cannot take back is a fault, except for a position so large that
// its fixed-point text is longer than the longest word a number may have (64 characters).
#include "core/FileNames.h"
#include "fuzz/FuzzSupport.h"
#include "model/ModFile_.h"
#include "platform/AsciiText.h"

#include <cmath>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

namespace kiv::fuzz {
namespace {

// Absolute halves of the last written unit: "0.0", "0.00", "#####0.000", "######0.00"; the
// exponential column keeps five significant digits.
constexpr double kPositionHalfUnit = 0.05;
constexpr double kElevationHalfUnit = 0.005;
constexpr double kLinearHalfUnit = 0.0005;
constexpr double kTwoDecimalHalfUnit = 0.005;
constexpr double kExponentialRelative = 1e-4; // 5e-5 of rounding, then single precision
constexpr double kSingleRelative = 1e-6;

// The longest fixed-point position whose text still reads as one number.
constexpr double kLargestReadablePosition = 1e60;

struct Columns {
  bool linear = false;
  bool twoDecimalValues = false; // the first column of layer lines, see the writer
};

std::string Text(double value) {
  std::ostringstream out;
  out.precision(17);
  out << value;
  return out.str();
}

class Comparison {
public:
  explicit Comparison(std::string stage) : stage_(std::move(stage)) {}

  void Model(size_t index) { where_ = "model " + std::to_string(index + 1); }
  void Layer(size_t index) { layer_ = index; }

  void Equal(bool same, const std::string& what) {
    if (!same)
      Fault(stage_ + ": " + where_ + ": " + what + " differs");
  }
  void Close(double before, double after, double relative, double halfUnit,
             const std::string& what) {
    const double tolerance = relative * std::fabs(before) + halfUnit * 1.0001;
    if (!(std::fabs(after - before) <= tolerance))
      Fault(stage_ + ": " + where_ + ": " + what + " " + Text(before) + " became " + Text(after));
  }
  // A value written in its column.
  void Value(double before, double after, bool firstColumn, const Columns& columns,
             const std::string& what) {
    if (firstColumn && columns.twoDecimalValues)
      Close(before, after, kSingleRelative, kTwoDecimalHalfUnit, what);
    else if (columns.linear)
      Close(before, after, kSingleRelative, kLinearHalfUnit, what);
    else
      Close(before, after, kExponentialRelative, 0, what);
  }
  // An a-priori factor of a layer line or a sparse line: above 98 it means none and reads as 99.
  void Factor(float before, float after, const Columns& columns, const std::string& what) {
    if (before > 98)
      Equal(after == 99.0f, what + " (none)");
    else
      Close(before, after, columns.linear ? kSingleRelative : kExponentialRelative,
            columns.linear ? kLinearHalfUnit : 0, what);
  }
  // A regular extra-parameter factor, written as the factor minus 1 whatever it is.
  void ExtraFactor(float before, float after, const Columns& columns, const std::string& what) {
    const double number = static_cast<double>(before) - 1.0;
    const double rounding =
        columns.linear ? kLinearHalfUnit : kExponentialRelative * std::fabs(number);
    Close(before, after, kSingleRelative, rounding, what);
  }
  std::string LayerName(const char* field) const {
    return "layer " + std::to_string(layer_ + 1) + " " + field;
  }

private:
  std::string stage_;
  std::string where_ = "header";
  size_t layer_ = 0;
};

template <class Model> Model ModelAt(const TModFile& file, size_t index) {
  if constexpr (std::is_same_v<Model, TModel>)
    return file.GetModel(static_cast<std::int32_t>(index + 1));
  else
    return file.GetSparseModel(static_cast<std::int32_t>(index + 1));
}

std::string TrimmedName(const std::string& name) {
  const std::string bare = ExtractFileName(name);
  return std::string(
      platform::TrimmedIf(bare, [](char c) { return static_cast<unsigned char>(c) <= 32; }));
}

// The header lists a model only through its data files: a model without any, after the first,
// vanishes from the file written, and the blocks then belong to other models.
template <class Model> bool EveryModelIsListed(const TModFile& file) {
  for (size_t i = 1; i < static_cast<size_t>(file.NumberOfModels()); ++i)
    if (ModelAt<Model>(file, i).DataFiles.empty())
      return false;
  return true;
}

template <class Model>
void CompareNormalised(const TModFile& first, const TModFile& second,
                       const TVesmarInvModelType& type, const Columns& columns) {
  Comparison check("read, write, read");
  check.Equal(first.CommentLine() == second.CommentLine(), "comment line");
  check.Equal(first.EnableSharpInversion() == second.EnableSharpInversion(), "sharp inversion");
  check.Equal(first.UseSharpApriori() == second.UseSharpApriori(), "sharp a-priori setting");
  check.Equal(first.SharpVertical() == second.SharpVertical(), "vertical sharpness");
  check.Equal(first.SharpHorizontal() == second.SharpHorizontal(), "horizontal sharpness");
  check.Equal(first.SmoothInvType() == second.SmoothInvType(), "smoothing type");
  check.Equal(first.MaxIterations() == second.MaxIterations(), "iterations");
  if (!EveryModelIsListed<Model>(first))
    return;
  check.Equal(first.NumberOfModels() == second.NumberOfModels(), "number of models");
  constexpr bool sparse = std::is_same_v<Model, TSparseModel>;
  for (size_t i = 0; i < static_cast<size_t>(first.NumberOfModels()); ++i) {
    check.Model(i);
    const Model a = ModelAt<Model>(first, i);
    const Model b = ModelAt<Model>(second, i);
    check.Equal(a.DataFiles.size() == b.DataFiles.size(), "number of data files");
    for (size_t f = 0; f < a.DataFiles.size(); ++f)
      check.Equal(TrimmedName(a.DataFiles[f]) == b.DataFiles[f], "data file " + std::to_string(f));
    if (!a.DataFiles.empty())
      check.Equal(a.ModelType == b.ModelType, "model type");
    check.Close(a.UTMX, b.UTMX, 1e-15, kPositionHalfUnit, "UTMX");
    check.Close(a.UTMY, b.UTMY, 1e-15, kPositionHalfUnit, "UTMY");
    check.Close(a.Elevation, b.Elevation, kSingleRelative, kElevationHalfUnit, "elevation");
    for (const TExtraParam& extra : type.ExtraParams) {
      const TExtraParamGroup<Model>& group = *FindExtraParamGroup<Model>(extra.ParamType);
      const std::string name = "extra parameter " + std::to_string(extra.ParamType);
      check.Value(a.*group.Apri, b.*group.Apri, false, columns, name + " value");
      if constexpr (sparse)
        check.Factor(a.*group.ApriSTD, b.*group.ApriSTD, columns, name + " factor");
      else
        check.ExtraFactor(a.*group.ApriSTD, b.*group.ApriSTD, columns, name + " factor");
    }
    check.Equal(a.Layers.size() == b.Layers.size(), "number of layers");
    for (size_t k = 0; k < a.Layers.size(); ++k) {
      check.Layer(k);
      const auto& x = a.Layers[k];
      const auto& y = b.Layers[k];
      check.Value(x.ResStart, y.ResStart, true, columns, check.LayerName("resistivity"));
      check.Factor(x.ResApriSTD, y.ResApriSTD, columns, check.LayerName("resistivity factor"));
      check.Value(x.ThkStart, y.ThkStart, true, columns, check.LayerName("thickness"));
      check.Value(x.DepStart, y.DepStart, true, columns, check.LayerName("depth"));
      if (k + 1 < a.Layers.size()) {
        check.Factor(x.ThkApriSTD, y.ThkApriSTD, columns, check.LayerName("thickness factor"));
        check.Factor(x.DepApriSTD, y.DepApriSTD, columns, check.LayerName("depth factor"));
      } else {
        check.Equal(x.ThkApriSTD == y.ThkApriSTD && x.DepApriSTD == y.DepApriSTD,
                    check.LayerName("half-space thickness and depth"));
      }
      check.Equal(x.LayerParams.size() == y.LayerParams.size(),
                  check.LayerName("number of layer parameters"));
      for (size_t p = 0; p + 1 < x.LayerParams.size(); p += 2) {
        check.Value(x.LayerParams[p].Value, y.LayerParams[p].Value, true, columns,
                    check.LayerName("parameter value"));
        check.Factor(x.LayerParams[p + 1].Value, y.LayerParams[p + 1].Value, columns,
                     check.LayerName("parameter factor"));
      }
    }
  }
}

template <class Model> void CompareExactly(const TModFile& second, const TModFile& third) {
  Comparison check("second round");
  check.Equal(second.CommentLine() == third.CommentLine(), "comment line");
  check.Equal(second.LCIMode() == third.LCIMode(), "constraint mode");
  check.Equal(second.IsLCI() == third.IsLCI(), "LCI flag");
  check.Equal(second.EnableSharpInversion() == third.EnableSharpInversion(), "sharp inversion");
  check.Equal(second.UseSharpApriori() == third.UseSharpApriori(), "sharp a-priori setting");
  check.Equal(second.SharpVertical() == third.SharpVertical(), "vertical sharpness");
  check.Equal(second.SharpHorizontal() == third.SharpHorizontal(), "horizontal sharpness");
  check.Equal(second.SmoothInvType() == third.SmoothInvType(), "smoothing type");
  check.Equal(second.MaxIterations() == third.MaxIterations(), "iterations");
  check.Equal(second.NumberOfModels() == third.NumberOfModels(), "number of models");
  for (size_t i = 0; i < static_cast<size_t>(second.NumberOfModels()); ++i) {
    check.Model(i);
    const Model a = ModelAt<Model>(second, i);
    const Model b = ModelAt<Model>(third, i);
    if (a == b)
      continue;
    check.Equal(a.DataFiles == b.DataFiles && a.ModelType == b.ModelType, "header part");
    check.Equal(a.UTMX == b.UTMX && a.UTMY == b.UTMY && a.Elevation == b.Elevation, "position");
    check.Equal(a.Layers.size() == b.Layers.size(), "number of layers");
    for (size_t k = 0; k < a.Layers.size(); ++k) {
      check.Layer(k);
      const auto& x = a.Layers[k];
      const auto& y = b.Layers[k];
      check.Equal(x.ResStart == y.ResStart && x.ResApriSTD == y.ResApriSTD &&
                      x.ResVert == y.ResVert,
                  check.LayerName("resistivity line"));
      check.Equal(x.ResLat == y.ResLat, check.LayerName("resistivity laterals"));
      check.Equal(x.ThkStart == y.ThkStart && x.ThkApriSTD == y.ThkApriSTD &&
                      x.ThkVert == y.ThkVert && x.ThkLat == y.ThkLat,
                  check.LayerName("thickness line"));
      check.Equal(x.DepStart == y.DepStart && x.DepApriSTD == y.DepApriSTD && x.DepLat == y.DepLat,
                  check.LayerName("depth line"));
      check.Equal(x.LayerParams == y.LayerParams, check.LayerName("layer parameters"));
      check.Equal(x.LayerParamCons == y.LayerParamCons, check.LayerName("layer constraints"));
    }
    check.Equal(false, "extra parameters");
  }
}

// The writer's own refusals of what a read may hold: a model without layers, a start value that
// is not positive (also one rounded to zero by the column), a sparse model at position zero.
bool IsRefusal(const Exception& e, bool firstWrite) {
  const std::string& message = e.Message();
  return message.find("<= 0 is not allowed (") != std::string::npos ||
         message.find("UTMX=0, UTMY=0 and Elevation=0.") != std::string::npos ||
         (firstWrite && message.find("has no layers and cannot be written") != std::string::npos);
}

template <class Model> bool PositionsReadable(const TModFile& file) {
  for (size_t i = 0; i < static_cast<size_t>(file.NumberOfModels()); ++i) {
    const Model model = ModelAt<Model>(file, i);
    if (!(std::fabs(model.UTMX) < kLargestReadablePosition &&
          std::fabs(model.UTMY) < kLargestReadablePosition))
      return false;
  }
  return true;
}

// Writes file to name in the scratch folder; false on one of the writer's refusals.
bool Write(TModFile& file, const std::string& name, const TVesmarInvModelType& type,
           const Columns& columns, bool firstWrite) {
  file.SetFileName(ScratchFolder() + "/" + name);
  file.SetUseExpFormat(!columns.linear);
  try {
    file.SaveGeneral(type, false);
  } catch (const Exception& e) {
    if (IsRefusal(e, firstWrite))
      return false;
    Fault(std::string("the writer failed: ") + std::string(e.ClassName()) + ": " + e.Message());
  }
  return true;
}

std::unique_ptr<TModFile> ReadBack(const std::string& name, const TVesmarInvModelType& type) {
  auto file = std::make_unique<TModFile>();
  try {
    file->Open(ScratchFolder() + "/" + name, false, &type);
  } catch (const Exception& e) {
    Fault("a written file does not read: " + std::string(e.ClassName()) + ": " + e.Message());
  }
  return file;
}

// The reader's slack lets a file of a few bytes end early with tens of thousands of layers of
// zeros; writing and reading them three times takes seconds and checks nothing that a few layers
// do not, so such inputs stop after the first read.
constexpr size_t kMostLayersWritten = 2000;

size_t LayersHeld(const TModFile& file) {
  size_t layers = 0;
  for (std::int32_t i = 0; i < file.NumberOfModels(); ++i)
    layers += static_cast<size_t>(file.GetNumberOfLayers(i + 1));
  return layers;
}

template <class Model>
void RoundTrip(TModFile& first, const TVesmarInvModelType& type, bool linear, const char* ext) {
  if (LayersHeld(first) > kMostLayersWritten || !PositionsReadable<Model>(first))
    return;
  Columns columns;
  columns.linear = linear;
  if constexpr (std::is_same_v<Model, TModel>) {
    if (first.NumberOfModels() > 0) {
      const std::int32_t code = first.GetModel(1).ModelType;
      columns.twoDecimalValues = code == 2 || code == 12;
    }
  }
  const std::string once = std::string("once") + ext;
  const std::string twice = std::string("twice") + ext;
  // Saving refits a regular object's lateral arrays, which the normalised comparison leaves
  // out; the exact one needs the second read untouched, so it reads again.
  if (!Write(first, once, type, columns, true))
    return;
  const std::unique_ptr<TModFile> second = ReadBack(once, type);
  CompareNormalised<Model>(first, *second, type, columns);
  if (!Write(*second, twice, type, columns, false))
    return;
  const std::unique_ptr<TModFile> third = ReadBack(twice, type);
  const std::string thrice = std::string("thrice") + ext;
  if (!Write(*third, thrice, type, columns, false))
    return;
  CompareExactly<Model>(*ReadBack(twice, type), *ReadBack(thrice, type));
}

} // namespace
} // namespace kiv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  using namespace kiv;
  using namespace kiv::fuzz;
  if (size == 0)
    return 0;
  const std::uint8_t choice = data[0];
  const bool sparse = (choice & 1) != 0;
  const TVesmarInvModelType& type = ModelTypeOf(static_cast<Shape>((choice >> 1) & 3));
  const bool linear = (choice & 8) != 0;
  const char* ext = sparse ? ".mo2" : ".mod";
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  TModFile first;
  try {
    first.OpenFromMemory(std::string("input") + ext, bytes, false, &type);
  } catch (const Exception&) {
    return 0;
  }
  if (sparse)
    RoundTrip<TSparseModel>(first, type, linear, ext);
  else
    RoundTrip<TModel>(first, type, linear, ext);
  return 0;
}
