#include "bench/ModelFileGenerator.h"

#include "core/ColumnWriter.h"
#include "core/NumberFormat.h"
#include "model/ModelTypeNames.h"
#include "platform/ReplacingFile.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <numbers>
#include <stdexcept>
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

// How the log10 of a layer parameter's values runs: a wave along the line and with depth (a
// negative period runs the other way), a shorter ripple where its amplitude is not 0, and noise,
// never above top. Centre and swing keep each parameter in a range that its unit makes plausible;
// the ranges below hold 98 per cent of the values.
struct Trend {
  TODVLayerParam_Types param;
  const char* name;
  double centre;
  double swing;
  double along;
  double down;
  double ripple;
  double rippleAlong;
  double rippleDown;
  double noise;
  double top = std::numeric_limits<double>::infinity();
};

// clang-format off
constexpr Trend kTrends[] = {
    // Ohm-m: about 2 to 700.
    {ltRes,           "Resistivity",   1.6,  0.8,  310,  6, 0.4, 77, -4, 0.12},
    // mV/V: about 4 to 40.
    {ltChargeability, "Chargeability", 1.1,  0.35, 260, -9, 0,    0,  0, 0.08},
    // Seconds: about 1 to 20 ms.
    {ltTau,           "TauRho",       -2.4,  0.6,  400,  5, 0,    0,  0, 0.08},
    // The Cole-Cole exponent has no unit and lies in (0, 1]: about 0.2 to 0.6.
    {ltC,             "C",            -0.45, 0.15, 330,  7, 0,    0,  0, 0.05, 0.0},
    // mrad: about 3 to 35.
    {ltPHI,           "Phi",           1.0,  0.4,  280, -8, 0,    0,  0, 0.08},
    // Seconds: about 2.5 to 40 ms.
    {ltTauPhi,        "TauPhi",       -2.0,  0.5,  360,  6, 0,    0,  0, 0.08},
    // mS/m: about 3.5 to 180, the conductivities of 5 to 300 Ohm-m.
    {ltSigma,         "Sigma",         1.4,  0.7,  290, -6, 0,    0,  0, 0.12},
    // mS/m: about 4 to 70.
    {ltSigmaBulk,     "SigmaBulk",     1.2,  0.5,  240,  7, 0,    0,  0, 0.1},
    // mS/m: the smaller quadrature conductivity, about 0.3 to 3.
    {ltSigma2nd,      "Sigma2nd",      0.0,  0.4,  380, -5, 0,    0,  0, 0.08},
    // Ohm-m: about 50 to 900.
    {ltRho2nd,        "Rho2nd",        2.3,  0.5,  350,  8, 0,    0,  0, 0.1},
    // m^2: hydraulic permeabilities of silts to sands, about 6e-14 to 2e-11.
    {ltPermeability,  "Permeability", -12.0, 1.0,  450, -7, 0,    0,  0, 0.15},
    // Seconds: about 0.25 to 4 ms.
    {ltTauSigma,      "TauSigma",     -3.0,  0.5,  300,  9, 0,    0,  0, 0.08},
};
// clang-format on

const Trend& TrendOf(const TLayerParam& param) {
  for (const Trend& trend : kTrends)
    if (trend.param == param.ParamType)
      return trend;
  throw std::invalid_argument("The model file generator has no values for the layer parameter \"" +
                              param.ParamName + "\"");
}

double LogValue(const Trend& trend, double t, double z, Random& random) {
  double log = trend.centre + trend.swing * std::sin(t / trend.along + z / trend.down);
  if (trend.ripple != 0)
    log += trend.ripple * std::cos(t / trend.rippleAlong + z / trend.rippleDown);
  log += trend.noise * random.Normal();
  return std::min(log, trend.top);
}

// How an extra parameter's prior is drawn, and whether its lateral ties loosen with the distance
// to the neighbour (lengths) or stay at a factor of 2 (angles and data corrections).
struct ExtraKind {
  TODVPoSet_Types type;
  double priorLow;
  double priorHigh;
  bool tiesLoosen;
};

constexpr ExtraKind kExtraKinds[] = {
    {GGG_AIR_THK, 0.05, 0.2, true}, {GGG_PITCH, 0.5, 2.0, false}, {GGG_ROLL, 0.5, 2.0, false},
    {GGG_BIAS, 0.5, 2.0, false},    {GGG_SHIFT, 0.5, 2.0, false}, {GGG_TXRX_DIST, 0.05, 0.2, true},
    {GGG_RX_ANGLE, 0.5, 2.0, false}};

const ExtraKind& ExtraKindOf(const TExtraParam& extra) {
  for (const ExtraKind& kind : kExtraKinds)
    if (kind.type == extra.ParamType)
      return kind;
  throw std::invalid_argument("The model file generator has no values for the extra parameter \"" +
                              extra.ParamName + "\"");
}

// Altitude and distances in metres, angles in degrees, bias and shift small corrections.
double ExtraValue(TODVPoSet_Types type, double t, Random& random) {
  switch (type) {
  case GGG_AIR_THK:
    return std::max(8.0, 34.0 + 7.0 * std::sin(t / 45.0) + 6.0 * std::sin(t / 11.0) +
                             1.5 * random.Normal());
  case GGG_PITCH:
    return 2.5 * random.Normal();
  case GGG_ROLL:
    return 1.5 * std::sin(t / 37.0) + random.Normal();
  case GGG_BIAS:
    return 0.02 * random.Normal();
  case GGG_SHIFT:
    return 0.2 * std::sin(t / 500.0) + 0.05 * random.Normal();
  case GGG_TXRX_DIST:
    return 13.5 + 0.4 * std::sin(t / 61.0) + 0.1 * random.Normal();
  default: // GGG_RX_ANGLE; ExtraKindOf has refused the others
    return 3.0 + 1.5 * std::sin(t / 53.0) + 0.5 * random.Normal();
  }
}

struct LayerValues {
  float value = 0;
  float prior = kNoConstraint;
  float vertical = kNoConstraint;
  std::vector<float> lateral;
};

struct ExtraValues {
  TODVPoSet_Types type{};
  float value = 0;
  float prior = 0;
  std::vector<float> lateral;
};

// One sounding, as a regular model holds it: its extra parameters, the values of each layer
// parameter (resistivity first) for every layer, then thickness and depth of every layer but the
// half-space.
struct Sounding {
  double x = 0;
  double y = 0;
  float elevation = 0;
  std::vector<ExtraValues> extras;
  std::vector<std::vector<LayerValues>> params;
  std::vector<LayerValues> thickness;
  std::vector<LayerValues> depth;
};

class Survey {
public:
  // Throws std::invalid_argument for a parameter without values or one named twice, which the
  // library would read into, and write from, one place.
  Survey(const ModelShape& shape, std::uint64_t seed)
      : layers_(static_cast<size_t>(shape.layers)), lci_(shape.lci), random_(seed) {
    trends_.push_back(&kTrends[0]);
    for (const TLayerParam& param : shape.modelType.LayerParams) {
      if (param.ParamType == ltRes)
        continue;
      const Trend& trend = TrendOf(param);
      if (std::ranges::find(trends_, &trend) != trends_.end())
        throw std::invalid_argument(std::string(trend.name) + " is named twice");
      trends_.push_back(&trend);
    }
    for (const TExtraParam& extra : shape.modelType.ExtraParams) {
      const ExtraKind& kind = ExtraKindOf(extra);
      if (std::ranges::find(kinds_, &kind) != kinds_.end())
        throw std::invalid_argument(std::string(ExtraParamName(kind.type)) + " is named twice");
      kinds_.push_back(&kind);
      sounding_.extras.push_back({kind.type, 0, 0, {}});
    }
    logValues_.resize(trends_.size());
    sounding_.params.assign(trends_.size(), std::vector<LayerValues>(layers_));
    sounding_.thickness.resize(layers_ > 0 ? layers_ - 1 : 0);
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
    for (size_t e = 0; e < s.extras.size(); ++e) {
      s.extras[e].value = static_cast<float>(ExtraValue(kinds_[e]->type, t, random_));
      s.extras[e].prior = Factor(random_.Step(kinds_[e]->priorLow, kinds_[e]->priorHigh));
    }
    const size_t lateral = static_cast<size_t>(neighbours);
    for (ExtraValues& extra : s.extras)
      extra.lateral.assign(lateral, 0);
    for (size_t j = 0; j < lateral; ++j)
      for (size_t e = 0; e < s.extras.size(); ++e)
        s.extras[e].lateral[j] =
            kinds_[e]->tiesLoosen ? Factor(0.1 * static_cast<double>(j + 1) + random_.Step(0, 0.05))
                                  : Factor(1.0);

    double depth = 0;
    for (size_t k = 0; k < layers_; ++k) {
      const double z = static_cast<double>(k);
      const bool vertical = lci_ > 0 && k + 1 < layers_;
      // Log-normal values around trends that change smoothly along the line and with depth, all
      // of a layer drawn before its constraints.
      for (size_t p = 0; p < trends_.size(); ++p)
        logValues_[p] = LogValue(*trends_[p], t, z, random_);
      for (size_t p = 0; p < trends_.size(); ++p) {
        LayerValues& v = s.params[p][k];
        v.value = static_cast<float>(std::pow(10.0, logValues_[p]));
        v.prior =
            p == 0 && random_.Uniform() < 0.05 ? Factor(random_.Step(0.3, 0.8)) : kNoConstraint;
        v.vertical = vertical ? Factor(random_.Step(1.0, 2.5)) : kNoConstraint;
        v.lateral.assign(lateral, 0);
        for (size_t j = 0; j < lateral; ++j)
          v.lateral[j] = Factor(0.2 + 0.1 * static_cast<double>(j) + random_.Step(0, 0.2));
      }
      if (k + 1 < layers_) {
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
  size_t layers_;
  std::int32_t lci_;
  Random random_;
  std::vector<const Trend*> trends_;
  std::vector<const ExtraKind*> kinds_;
  std::vector<double> logValues_;
  Sounding sounding_;
};

struct Formats {
  // The writer starts the layer lines of a regular file whose first model has type code 2 or 12
  // with two decimals. A sparse file read back holds no regular models, so its lines keep the
  // column format.
  explicit Formats(bool twoDecimalValues)
      : firstColumn(twoDecimalValues ? "######0.00" : "0.0000e+00") {}
  PictureFormat column{"0.0000e+00"};
  PictureFormat firstColumn;
  PictureFormat oneDecimal{"0.0"};
  PictureFormat twoDecimals{"0.00"};
};

// The lines below follow TModFile's writer column for column.

void RegularLine(ColumnWriter& out, const Formats& f, const LayerValues& v, bool writeVertical) {
  out.Number(v.value, f.firstColumn);
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
  out.Number(value, f.firstColumn);
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
    for (const ExtraValues& extra : s.extras)
      SparseLine(out, f, extra.value, extra.prior, 0, false, extra.lateral);
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
  for (const ExtraValues& extra : s.extras)
    RegularExtra(out, f, extra.value, extra.prior, extra.lateral, extra.type == GGG_AIR_THK);
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
  Survey survey(shape, seed);
  platform::ReplacingFile file(path);
  ColumnWriter out(file, kColumnWidth);
  const Formats formats(!shape.sparse && (shape.typeCode == 2 || shape.typeCode == 12));
  out.Text("Model file made by kiv_generate_model_file: " + std::to_string(shape.models) +
           " soundings of " + std::to_string(shape.layers) + " layers, seed " +
           std::to_string(seed));
  out.EndLine();
  out.Text(std::to_string(shape.models) + " " + std::to_string(HeaderLci(shape)));
  out.EndLine();
  for (std::int64_t i = 0; i < shape.models; ++i) {
    out.Text(std::to_string(i + 1) + " " + std::to_string(shape.typeCode) + " " + DataFileName(i));
    out.EndLine();
  }
  out.Text("50");
  out.EndLine();
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
  const std::uint64_t params = static_cast<std::uint64_t>(
      1 + std::ranges::count_if(shape.modelType.LayerParams,
                                [](const TLayerParam& param) { return param.ParamType != ltRes; }));
  const std::uint64_t extras = shape.modelType.ExtraParams.size();
  const std::uint64_t layerLines = params * layers + 2 * (layers > 0 ? layers - 1 : 0);
  const std::uint64_t codeDigits = Digits(shape.typeCode);
  std::uint64_t bytes = 200;
  for (std::int64_t i = 0; i < shape.models; ++i) {
    const std::uint64_t m =
        static_cast<std::uint64_t>(LateralNeighbours(shape.lci, i, shape.models));
    bytes += Digits(i + 1) + codeDigits + 21;
    bytes += 4 * width + 2;
    const std::uint64_t extraColumns = shape.sparse ? 4 + 2 * m : 2 + (m > 0 ? 1 + m : 0);
    const std::uint64_t lineColumns = shape.sparse ? 4 + 2 * m : 3 + m;
    bytes += extras * (extraColumns * width + 2) + layerLines * (lineColumns * width + 2);
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
