#include "survey/SurveyDiff.h"

#include "core/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kiv::survey {
namespace {

std::string Text(const Cell& cell) {
  switch (cell.kind) {
  case Cell::Kind::Empty:
    return "-";
  case Cell::Kind::Single:
    return ShortestText(static_cast<float>(cell.number));
  case Cell::Kind::Text:
    return std::string(cell.text);
  default:
    return ShortestText(cell.number);
  }
}

bool Match(const Cell& a, const Cell& b, double tolerance) {
  if (a.kind == Cell::Kind::Empty || b.kind == Cell::Kind::Empty)
    return a.kind == b.kind;
  if (a.kind == Cell::Kind::Text || b.kind == Cell::Kind::Text)
    return a.text == b.text;
  if (a.number == b.number)
    return true;
  return std::fabs(a.number - b.number) <=
         tolerance * std::max(std::fabs(a.number), std::fabs(b.number));
}

// A field of either survey: its name and where it stands in each one's cells (none: -1).
struct FieldPair {
  std::string name;
  std::ptrdiff_t a = -1;
  std::ptrdiff_t b = -1;
};

// The pairs of the fields of one part of the rows, from the part's start on, up to its end.
std::vector<FieldPair> Pair(const std::vector<std::string>& a, std::size_t aFrom, std::size_t aTo,
                            const std::vector<std::string>& b, std::size_t bFrom, std::size_t bTo) {
  const auto aBegin = a.begin() + static_cast<std::ptrdiff_t>(aFrom);
  const auto aEnd = a.begin() + static_cast<std::ptrdiff_t>(aTo);
  const auto bBegin = b.begin() + static_cast<std::ptrdiff_t>(bFrom);
  const auto bEnd = b.begin() + static_cast<std::ptrdiff_t>(bTo);
  std::vector<FieldPair> pairs;
  // The first cell of a part is the model's or the layer's number, which the lines name.
  for (auto name = aBegin + 1; name < aEnd; ++name) {
    const auto inB = std::find(bBegin + 1, bEnd, *name);
    pairs.push_back({*name, name - aBegin, inB == bEnd ? -1 : inB - bBegin});
  }
  for (auto name = bBegin + 1; name < bEnd; ++name)
    if (std::find(aBegin + 1, aEnd, *name) == aEnd)
      pairs.push_back({*name, -1, name - bBegin});
  return pairs;
}

const Cell& At(const std::vector<Cell>& cells, std::ptrdiff_t at) {
  static const Cell empty;
  return at < 0 ? empty : cells[static_cast<std::size_t>(at)];
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

DiffOutcome DiffSurveys(const SurveyRows& a, const SurveyRows& b, const DiffOptions& options,
                        std::string& text, const std::function<void(std::size_t done)>& progress) {
  Differences differences(options, text);
  DiffOutcome outcome;
  const auto countA = static_cast<std::int64_t>(a.Models());
  const auto countB = static_cast<std::int64_t>(b.Models());
  if (countA != countB) {
    differences.Add("", "number of models", std::to_string(countA), std::to_string(countB));
    outcome.modelsDiffering = std::abs(countA - countB);
  }
  const std::vector<FieldPair> modelFields =
      Pair(a.Names(), 0, a.LayerPartStart(), b.Names(), 0, b.LayerPartStart());
  const std::vector<FieldPair> layerFields = Pair(a.Names(), a.LayerPartStart(), a.Names().size(),
                                                  b.Names(), b.LayerPartStart(), b.Names().size());
  const std::size_t models = std::min(a.Models(), b.Models());
  std::vector<Cell> cellsA;
  std::vector<Cell> cellsB;
  for (std::size_t m = 0; m < models; ++m) {
    const std::int64_t before = differences.Count();
    const std::string model = "model " + std::to_string(m + 1);
    a.ModelPart(m, cellsA);
    b.ModelPart(m, cellsB);
    differences.Compare(model + ": ", modelFields, cellsA, cellsB);
    const std::size_t layersA = a.Layers(m);
    const std::size_t layersB = b.Layers(m);
    if (layersA != layersB)
      differences.Add(model + ": ", "number of layers", std::to_string(layersA),
                      std::to_string(layersB));
    for (std::size_t layer = 0; layer < std::min(layersA, layersB); ++layer) {
      a.LayerPart(m, layer, cellsA);
      b.LayerPart(m, layer, cellsB);
      differences.Compare(model + ", layer " + std::to_string(layer + 1) + ": ", layerFields,
                          cellsA, cellsB);
    }
    if (differences.Count() > before)
      ++outcome.modelsDiffering;
    progress(m + 1);
  }
  outcome.differences = differences.Count();
  if (outcome.differences == 0) {
    text += "no differences in " + Plural(static_cast<std::int64_t>(models), "model") + "\n";
  } else {
    text += Plural(outcome.differences, "difference") + " in " +
            Plural(outcome.modelsDiffering, "model");
    if (outcome.differences > options.maxShown)
      text += " (the first " + std::to_string(options.maxShown) + " shown)";
    text += "\n";
  }
  return outcome;
}

} // namespace kiv::survey
