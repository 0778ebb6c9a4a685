#include "tools/kivmod/ModelDiff.h"

#include "core/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kiv {
namespace {

struct Cell {
  enum class Kind { empty, integer, single, real } kind = Kind::empty;
  double value = 0;
};

class CellList final : public CellSink {
public:
  void Integer(std::int64_t value) override {
    cells.push_back({Cell::Kind::integer, static_cast<double>(value)});
  }
  void Single(float value) override { cells.push_back({Cell::Kind::single, value}); }
  void Double(double value) override { cells.push_back({Cell::Kind::real, value}); }
  void Empty() override { cells.push_back({}); }
  std::vector<Cell> cells;
};

std::string Text(const Cell& cell) {
  if (cell.kind == Cell::Kind::empty)
    return "-";
  if (cell.kind == Cell::Kind::single)
    return ShortestText(static_cast<float>(cell.value));
  return ShortestText(cell.value);
}

bool Match(const Cell& a, const Cell& b, double tolerance) {
  if (a.kind == Cell::Kind::empty || b.kind == Cell::Kind::empty)
    return a.kind == b.kind;
  if (a.value == b.value)
    return true;
  return std::fabs(a.value - b.value) <=
         tolerance * std::max(std::fabs(a.value), std::fabs(b.value));
}

// A field of either file: its name and where it stands in each file's cells (none: -1).
struct FieldPair {
  std::string name;
  std::ptrdiff_t a = -1;
  std::ptrdiff_t b = -1;
};

std::vector<FieldPair> Pair(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  std::vector<FieldPair> pairs;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto inB = std::find(b.begin(), b.end(), a[i]);
    pairs.push_back({a[i], static_cast<std::ptrdiff_t>(i), inB == b.end() ? -1 : inB - b.begin()});
  }
  for (size_t i = 0; i < b.size(); ++i)
    if (std::find(a.begin(), a.end(), b[i]) == a.end())
      pairs.push_back({b[i], -1, static_cast<std::ptrdiff_t>(i)});
  return pairs;
}

const Cell& At(const std::vector<Cell>& cells, std::ptrdiff_t at) {
  static const Cell empty;
  return at < 0 ? empty : cells[static_cast<size_t>(at)];
}

class Differences {
public:
  Differences(const DiffOptions& options, std::string& text) : options_(options), text_(text) {}

  void Add(const std::string& where, const std::string& what, const std::string& a,
           const std::string& b) {
    if (++count_ <= options_.maxShown)
      text_ += where + what + ": " + a + " | " + b + "\n";
  }
  void Compare(const std::string& where, const std::vector<FieldPair>& fields,
               const std::vector<Cell>& a, const std::vector<Cell>& b) {
    for (const FieldPair& field : fields) {
      const Cell& inA = At(a, field.a);
      const Cell& inB = At(b, field.b);
      if (!Match(inA, inB, options_.tolerance))
        Add(where, field.name, Text(inA), Text(inB));
    }
  }
  std::int64_t Count() const { return count_; }

private:
  const DiffOptions& options_;
  std::string& text_;
  std::int64_t count_ = 0;
};

std::string Plural(std::int64_t count, const char* word) {
  return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

} // namespace

DiffOutcome DiffModels(ModelTable& a, ModelTable& b, const DiffOptions& options, std::string& text,
                       const std::function<void(std::int32_t done)>& progress) {
  Differences differences(options, text);
  DiffOutcome outcome;
  if (a.NumberOfModels() != b.NumberOfModels()) {
    differences.Add("", "number of models", std::to_string(a.NumberOfModels()),
                    std::to_string(b.NumberOfModels()));
    outcome.modelsDiffering = std::abs(a.NumberOfModels() - b.NumberOfModels());
  }
  const std::vector<FieldPair> modelFields = Pair(a.ModelFields(), b.ModelFields());
  const std::vector<FieldPair> layerFields = Pair(a.LayerFields(), b.LayerFields());
  const std::int32_t models = std::min(a.NumberOfModels(), b.NumberOfModels());
  CellList cellsA;
  CellList cellsB;
  for (std::int32_t m = 1; m <= models; ++m) {
    const std::int64_t before = differences.Count();
    a.Load(m);
    b.Load(m);
    const std::string model = "model " + std::to_string(m);
    cellsA.cells.clear();
    cellsB.cells.clear();
    a.ModelCells(cellsA);
    b.ModelCells(cellsB);
    differences.Compare(model + ": ", modelFields, cellsA.cells, cellsB.cells);
    if (a.NumberOfLayers() != b.NumberOfLayers())
      differences.Add(model + ": ", "number of layers", std::to_string(a.NumberOfLayers()),
                      std::to_string(b.NumberOfLayers()));
    for (std::int32_t layer = 0; layer < std::min(a.NumberOfLayers(), b.NumberOfLayers());
         ++layer) {
      cellsA.cells.clear();
      cellsB.cells.clear();
      a.LayerCells(layer, cellsA);
      b.LayerCells(layer, cellsB);
      differences.Compare(model + ", layer " + std::to_string(layer + 1) + ": ", layerFields,
                          cellsA.cells, cellsB.cells);
    }
    if (differences.Count() > before)
      ++outcome.modelsDiffering;
    progress(m);
  }
  outcome.differences = differences.Count();
  if (outcome.differences == 0) {
    text += "no differences in " + Plural(models, "model") + "\n";
  } else {
    text += Plural(outcome.differences, "difference") + " in " +
            Plural(outcome.modelsDiffering, "model");
    if (outcome.differences > options.maxShown)
      text += " (the first " + std::to_string(options.maxShown) + " shown)";
    text += "\n";
  }
  return outcome;
}

} // namespace kiv
