#include "bench/ModelFileGenerator.h"

#include "core/ColumnWriter.h"
#include "core/NumberFormat.h"
#include "platform/ReplacingFile.h"

#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

namespace kiv::bench {
namespace {

constexpr size_t kColumnWidth = 12;
constexpr float kNoConstraint = 99.0f;
// Models per flight line; a new line starts 200 m beside the previous one.
constexpr std::int64_t kModelsPerLine = 500;

// splitmix64: fast, and the same numbers on every platform for a seed.
class Random {
public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  double Normal() {
    const double u = 1.0 - Uniform();
    return std::sqrt(-2.0 * std::log(u)) * std::cos(2.0 * std::numbers::pi * Uniform());
  }
  // A file number with two decimals between low and high.
  double Step(double low, double high) {
    return low + 0.01 * std::floor(Uniform() * ((high - low) * 100.0 + 1.0));
  }

private:
  std::uint64_t state_;
};

// The factor a reader makes of a file number, so that what is written here is what the writer
// writes for the models read back.
float Factor(double fileNumber) {
  return static_cast<float>(fileNumber + 1.0);
}

// The writer's file number of a factor.
double FileNumber(float factor, double noConstraint) {
  return std::isnan(factor) || factor > 98 ? noConstraint : static_cast<double>(factor) - 1.0;
}

struct LayerValues {
  float value = 0;
  float prior = kNoConstraint;
  float vertical = kNoConstraint;
  std::vector<float> lateral;
};

// One sounding, as a regular model holds it: three parameters per layer (resistivity,
// chargeability, tau), then thickness and depth of every layer but the half-space.
struct Sounding {
  double x = 0;
  double y = 0;
  float elevation = 0;
  float altitude = 0;
  float altitudePrior = 0;
  std::vector<float> altitudeLateral;
  float pitch = 0;
  float pitchPrior = 0;
  std::vector<float> pitchLateral;
  std::vector<LayerValues> params[3];
  std::vector<LayerValues> thickness;
  std::vector<LayerValues> depth;
};

class Survey {
public:
  Survey(const ModelShape& shape, std::uint64_t seed) : shape_(shape), random_(seed) {
    const size_t layers = static_cast<size_t>(shape.layers);
    for (auto& param : sounding_.params)
      param.resize(layers);
    sounding_.thickness.resize(layers > 0 ? layers - 1 : 0);
    sounding_.depth.resize(sounding_.thickness.size());
  }

  const Sounding& Next(std::int64_t index, std::int32_t neighbours) {
    Sounding& s = sounding_;
    const double t = static_cast<double>(index);
    const std::int64_t line = index / kModelsPerLine;
    const double along = static_cast<double>(index % kModelsPerLine);
    s.x = 512000.0 + 25.0 * along + random_.Normal();
    s.y = 6210000.0 + 200.0 * static_cast<double>(line) + 5.0 * std::sin(along / 60.0) +
          random_.Normal();
    s.elevation = static_cast<float>(45.0 + 20.0 * std::sin(t / 170.0) + 0.4 * random_.Normal());
    s.altitude = static_cast<float>(std::max(
        8.0, 34.0 + 7.0 * std::sin(t / 45.0) + 6.0 * std::sin(t / 11.0) + 1.5 * random_.Normal()));
    s.altitudePrior = Factor(random_.Step(0.05, 0.2));
    s.pitch = static_cast<float>(2.5 * random_.Normal());
    s.pitchPrior = Factor(random_.Step(0.5, 2.0));
    const size_t lateral = static_cast<size_t>(neighbours);
    s.altitudeLateral.assign(lateral, 0);
    s.pitchLateral.assign(lateral, 0);
    for (size_t j = 0; j < lateral; ++j) {
      s.altitudeLateral[j] = Factor(0.1 * static_cast<double>(j + 1) + random_.Step(0, 0.05));
      s.pitchLateral[j] = Factor(1.0);
    }

    const size_t layers = static_cast<size_t>(shape_.layers);
    double depth = 0;
    for (size_t k = 0; k < layers; ++k) {
      const double z = static_cast<double>(k);
      const bool vertical = shape_.lci > 0 && k + 1 < layers;
      // Resistivity in ohm-m, chargeability in mV/V, tau in seconds: log-normal around trends
      // that change smoothly along the line and with depth.
      const double logValues[3] = {
          1.6 + 0.8 * std::sin(t / 310.0 + z / 6.0) + 0.4 * std::cos(t / 77.0 - z / 4.0) +
              0.12 * random_.Normal(),
          1.1 + 0.35 * std::sin(t / 260.0 - z / 9.0) + 0.08 * random_.Normal(),
          -2.4 + 0.6 * std::sin(t / 400.0 + z / 5.0) + 0.08 * random_.Normal()};
      for (size_t p = 0; p < 3; ++p) {
        LayerValues& v = s.params[p][k];
        v.value = static_cast<float>(std::pow(10.0, logValues[p]));
        v.prior =
            p == 0 && random_.Uniform() < 0.05 ? Factor(random_.Step(0.3, 0.8)) : kNoConstraint;
        v.vertical = vertical ? Factor(random_.Step(1.0, 2.5)) : kNoConstraint;
        v.lateral.assign(lateral, 0);
        for (size_t j = 0; j < lateral; ++j)
          v.lateral[j] = Factor(0.2 + 0.1 * static_cast<double>(j) + random_.Step(0, 0.2));
      }
      if (k + 1 < layers) {
        // Thicknesses grow with depth and are kept nearly fixed; no lateral ties.
        const double thickness = 1.5 * std::pow(1.11, z);
        depth += thickness;
        LayerValues& thk = s.thickness[k];
        thk.value = static_cast<float>(thickness);
        thk.prior = Factor(0.001);
        thk.vertical = kNoConstraint;
        thk.lateral.assign(lateral, kNoConstraint);
        LayerValues& dep = s.depth[k];
        dep.value = static_cast<float>(depth);
        dep.prior = kNoConstraint;
        dep.vertical = kNoConstraint;
        dep.lateral.assign(lateral, kNoConstraint);
      }
    }
    return s;
  }

private:
  ModelShape shape_;
  Random random_;
  Sounding sounding_;
};

struct Formats {
  PictureFormat column{"0.0000e+00"};
  PictureFormat oneDecimal{"0.0"};
  PictureFormat twoDecimals{"0.00"};
};

// The lines below follow TModFile's writer column for column.

void RegularLine(ColumnWriter& out, const Formats& f, const LayerValues& v, bool writeVertical) {
  out.Number(v.value, f.column);
  out.Number(FileNumber(v.prior, -1), f.column);
  if (writeVertical)
    out.Number(FileNumber(v.vertical, 100000), f.column);
  else
    out.BlankColumn();
  for (float factor : v.lateral)
    out.Number(FileNumber(factor, 100000), f.column);
  out.EndLine();
}

void SparseLine(ColumnWriter& out, const Formats& f, float value, float prior, float vertical,
                bool writeVertical, const std::vector<float>& lateral) {
  out.Number(value, f.column);
  out.Number(FileNumber(prior, -1), f.column);
  if (writeVertical)
    out.Number(FileNumber(vertical, -1), f.column);
  else
    out.BlankColumn();
  out.Integer(static_cast<std::int64_t>(lateral.size()));
  // A regular model's lateral entries are the next models in order.
  for (size_t j = 0; j < lateral.size(); ++j)
    out.Integer(static_cast<std::int64_t>(j + 1));
  for (float factor : lateral)
    out.Number(FileNumber(factor, -1), f.column);
  out.EndLine();
}

void RegularExtra(ColumnWriter& out, const Formats& f, float apri, float prior,
                  const std::vector<float>& lateral, bool altitude) {
  out.Number(apri, f.column);
  out.Number(static_cast<double>(prior) - 1.0, f.column);
  if (!lateral.empty()) {
    out.BlankColumn();
    for (float factor : lateral)
      out.Number(altitude ? FileNumber(factor, 100000) : static_cast<double>(factor) - 1.0,
                 f.column);
  }
  out.EndLine();
}

void WriteSounding(ColumnWriter& out, const Formats& f, const Sounding& s,
                   const ModelShape& shape) {
  const size_t layers = static_cast<size_t>(shape.layers);
  out.Integer(shape.layers);
  out.Number(s.x, f.oneDecimal);
  out.Number(s.y, f.oneDecimal);
  out.Number(s.elevation, f.twoDecimals);
  out.EndLine();
  const bool vertical = shape.sparse || shape.lci > 0;
  if (shape.sparse) {
    SparseLine(out, f, s.altitude, s.altitudePrior, 0, false, s.altitudeLateral);
    SparseLine(out, f, s.pitch, s.pitchPrior, 0, false, s.pitchLateral);
    for (const auto& param : s.params)
      for (size_t k = 0; k < layers; ++k)
        SparseLine(out, f, param[k].value, param[k].prior, param[k].vertical,
                   vertical && k + 1 < layers, param[k].lateral);
    for (size_t k = 0; k < s.thickness.size(); ++k)
      SparseLine(out, f, s.thickness[k].value, s.thickness[k].prior, s.thickness[k].vertical,
                 vertical && k + 1 < s.thickness.size(), s.thickness[k].lateral);
    for (const LayerValues& dep : s.depth)
      SparseLine(out, f, dep.value, dep.prior, 0, false, dep.lateral);
    return;
  }
  RegularExtra(out, f, s.altitude, s.altitudePrior, s.altitudeLateral, true);
  RegularExtra(out, f, s.pitch, s.pitchPrior, s.pitchLateral, false);
  for (const auto& param : s.params)
    for (size_t k = 0; k < layers; ++k)
      RegularLine(out, f, param[k], vertical && k + 1 < layers);
  for (size_t k = 0; k < s.thickness.size(); ++k)
    RegularLine(out, f, s.thickness[k], vertical && k + 1 < s.thickness.size());
  for (const LayerValues& dep : s.depth)
    RegularLine(out, f, dep, false);
}

std::string DataFileName(std::int64_t index) {
  const std::string line = std::to_string(10010 + 10 * (index / kModelsPerLine));
  std::string number = std::to_string(index % kModelsPerLine + 1);
  number.insert(0, 6 - number.size(), '0');
  return "L" + line + "_" + number + ".tem";
}

// The constraint mode in the header, as the writer derives it from the models: one more than
// the widest lateral tie, once any layer has a vertical or a lateral tie.
std::int32_t HeaderLci(const ModelShape& shape) {
  if (shape.sparse)
    return shape.models == 1 ? 1 : 2;
  if (shape.lci <= 0)
    return 0;
  const std::int32_t width = LateralNeighbours(shape.lci, 0, shape.models);
  return width > 0 || shape.layers > 1 ? width + 1 : 0;
}

size_t Digits(std::int64_t value) {
  return std::to_string(value).size();
}

} // namespace

std::uint64_t GenerateModelFile(const std::string& path, const ModelShape& shape,
                                std::uint64_t seed) {
  platform::ReplacingFile file(path);
  ColumnWriter out(file, kColumnWidth);
  const Formats formats;
  out.Text("Model file made by kiv_generate_model_file: " + std::to_string(shape.models) +
           " soundings of " + std::to_string(shape.layers) + " layers, seed " +
           std::to_string(seed));
  out.EndLine();
  out.Text(std::to_string(shape.models) + " " + std::to_string(HeaderLci(shape)));
  out.EndLine();
  for (std::int64_t i = 0; i < shape.models; ++i) {
    out.Text(std::to_string(i + 1) + " " + std::to_string(kModelTypeCode) + " " + DataFileName(i));
    out.EndLine();
  }
  out.Text("50");
  out.EndLine();
  Survey survey(shape, seed);
  for (std::int64_t i = 0; i < shape.models; ++i)
    WriteSounding(out, formats, survey.Next(i, LateralNeighbours(shape.lci, i, shape.models)),
                  shape);
  out.Flush();
  file.Commit();
  return std::filesystem::file_size(path);
}

std::uint64_t EstimateFileBytes(const ModelShape& shape) {
  const std::uint64_t width = kColumnWidth;
  const std::uint64_t layers = static_cast<std::uint64_t>(shape.layers);
  const std::uint64_t layerLines = 3 * layers + 2 * (layers > 0 ? layers - 1 : 0);
  std::uint64_t bytes = 200;
  for (std::int64_t i = 0; i < shape.models; ++i) {
    const std::uint64_t m =
        static_cast<std::uint64_t>(LateralNeighbours(shape.lci, i, shape.models));
    bytes += Digits(i + 1) + 22;
    bytes += 4 * width + 2;
    const std::uint64_t extraColumns = shape.sparse ? 4 + 2 * m : 2 + (m > 0 ? 1 + m : 0);
    const std::uint64_t lineColumns = shape.sparse ? 4 + 2 * m : 3 + m;
    bytes += 2 * (extraColumns * width + 2) + layerLines * (lineColumns * width + 2);
  }
  return bytes;
}

std::int64_t ModelsForBytes(ModelShape shape, std::uint64_t bytes) {
  shape.models = 1;
  const std::uint64_t one = EstimateFileBytes(shape);
  shape.models = 2 * static_cast<std::int64_t>(shape.lci) + 2;
  const std::uint64_t base = EstimateFileBytes(shape);
  shape.models += 1;
  const std::uint64_t perModel = EstimateFileBytes(shape) - base;
  if (bytes <= one || perModel == 0)
    return 1;
  return std::max<std::int64_t>(1, static_cast<std::int64_t>(bytes / perModel));
}

} // namespace kiv::bench
