#include "survey/ModelTypeFinding.h"

#include "model/ModelTypeNames.h"
#include "model/OlderLayout.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <set>

namespace kiv::survey {
namespace {

// How many lines of each kind a model block has: extra-parameter lines, and layer-parameter
// blocks besides resistivity.
struct Shape {
  std::size_t extras = 0;
  std::size_t params = 0;
  auto operator<=>(const Shape&) const = default;
};

constexpr std::size_t kMostExtras = 7;
constexpr std::size_t kMostParams = 11;
// More layers than any model has; a larger count on a model line is no model line.
constexpr std::int64_t kMostLayers = 100000;

bool IsSeparator(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

std::optional<std::int64_t> IntegerOf(std::string_view word) {
  std::int64_t value = 0;
  const char* begin = word.data() + (word.starts_with('+') ? 1 : 0);
  const auto [end, error] = std::from_chars(begin, word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size())
    return std::nullopt;
  return value;
}

// The text's non-blank lines split into words, on demand, so that a long text costs only the
// lines looked at.
class TextLines {
public:
  explicit TextLines(std::string_view text) : rest_(text) {}

  // The words of non-blank line n (from 0); null when the text holds no such line whole. A last
  // line without a line end counts as whole only where lastOfText allows it: the text may have
  // been cut there.
  const std::vector<std::string_view>* At(std::size_t n, bool lastOfText = false) {
    while (lines_.size() <= n && Split()) {
    }
    if (n < lines_.size() && (n + 1 < lines_.size() || lastOfText || !cut_))
      return &lines_[n];
    return nullptr;
  }
  // Whether the text holds no non-blank line from n on.
  bool EndsBefore(std::size_t n) {
    while (lines_.size() <= n && Split()) {
    }
    return lines_.size() <= n;
  }

private:
  bool Split() {
    while (!rest_.empty()) {
      const std::size_t feed = rest_.find('\n');
      cut_ = feed == std::string_view::npos;
      const std::string_view line = rest_.substr(0, cut_ ? rest_.size() : feed);
      rest_.remove_prefix(cut_ ? rest_.size() : feed + 1);
      std::vector<std::string_view> words;
      for (std::size_t i = 0; i < line.size();) {
        while (i < line.size() && IsSeparator(line[i]))
          ++i;
        const std::size_t start = i;
        while (i < line.size() && !IsSeparator(line[i]))
          ++i;
        if (i > start)
          words.push_back(line.substr(start, i - start));
      }
      if (!words.empty()) {
        lines_.push_back(std::move(words));
        return true;
      }
    }
    return false;
  }

  std::string_view rest_;
  std::vector<std::vector<std::string_view>> lines_;
  bool cut_ = false; // the last line split had no line end
};

enum class Fit { yes, no, unknown };

// The layout of the file's models as its header gives it.
struct Layout {
  bool sparse = false;
  bool vertical = false;
  std::int32_t lciMode = 0;
  std::size_t models = 0;

  std::size_t Neighbours(std::size_t model) const {
    if (lciMode <= 0)
      return 0;
    return std::min<std::size_t>(static_cast<std::size_t>(lciMode) - 1, models - 1 - model);
  }
};

// Walks one model block of the shape from line at, as the reader would read it.
class BlockWalk {
public:
  BlockWalk(TextLines& lines, const Layout& layout, std::size_t model)
      : lines_(lines), layout_(layout), neighbours_(layout.Neighbours(model)),
        lastModel_(model + 1 == layout.models) {}

  Fit Walk(std::size_t& at, Shape shape) {
    const auto* first = lines_.At(at);
    if (first == nullptr)
      return Fit::unknown;
    const std::optional<std::int64_t> layers =
        first->size() == 4 ? IntegerOf((*first)[0]) : std::nullopt;
    if (!layers || *layers < 0 || *layers > kMostLayers)
      return Fit::no;
    const auto count = static_cast<std::size_t>(*layers);
    std::size_t line = at + 1;
    const std::size_t end =
        line + shape.extras + count * (1 + shape.params) + (count > 1 ? 2 * (count - 1) : 0);
    end_ = end;
    for (std::size_t e = 0; e < shape.extras; ++e)
      if (const Fit fit = Line(line++, false); fit != Fit::yes)
        return fit;
    for (std::size_t p = 0; p <= shape.params; ++p)
      for (std::size_t k = 0; k < count; ++k)
        if (const Fit fit = Line(line++, layout_.vertical && k + 1 < count); fit != Fit::yes)
          return fit;
    for (std::size_t k = 0; k + 1 < count; ++k)
      if (const Fit fit = Line(line++, layout_.vertical && k + 2 < count); fit != Fit::yes)
        return fit;
    for (std::size_t k = 0; k + 1 < count; ++k)
      if (const Fit fit = Line(line++, false); fit != Fit::yes)
        return fit;
    if (lastModel_ && !lines_.EndsBefore(line))
      return Fit::no;
    at = line;
    return Fit::yes;
  }

private:
  Fit Line(std::size_t n, bool vertical) {
    const auto* words = lines_.At(n, lastModel_ && n + 1 == end_);
    if (words == nullptr)
      return Fit::unknown;
    const std::size_t v = vertical ? 1 : 0;
    if (!layout_.sparse)
      return words->size() == 2 + v + neighbours_ ? Fit::yes : Fit::no;
    if (words->size() < 3 + v)
      return Fit::no;
    const std::optional<std::int64_t> count = IntegerOf((*words)[2 + v]);
    if (!count || *count < 0 || words->size() != 3 + v + 2 * static_cast<std::size_t>(*count))
      return Fit::no;
    for (std::size_t i = 0; i < static_cast<std::size_t>(*count); ++i)
      if (!IntegerOf((*words)[3 + v + i]))
        return Fit::no;
    return Fit::yes;
  }

  TextLines& lines_;
  const Layout& layout_;
  std::size_t neighbours_;
  bool lastModel_;
  std::size_t end_ = 0;
};

Layout LayoutOf(const TModFile& header) {
  Layout layout;
  layout.sparse = header.SparseFormat();
  layout.lciMode = header.LCIMode();
  layout.vertical = layout.lciMode > 0;
  layout.models = static_cast<std::size_t>(header.NumberOfModels());
  return layout;
}

// The shapes that lay out every whole model examined; where none does (a damaged or mixed file),
// those that lay out the most models before one they do not, so that the read names the line
// where the file departs from them.
struct ShapesFound {
  std::vector<Shape> shapes;
  bool everyModel = false;
};

ShapesFound ShapesOf(const TModFile& header, std::string_view text,
                     const std::vector<Shape>& tried) {
  const Layout layout = LayoutOf(header);
  TextLines lines(text);
  const std::size_t examined =
      std::min<std::size_t>(layout.models, static_cast<std::size_t>(kModelsExamined));
  std::vector<Shape> fitting;
  std::vector<Shape> longest;
  std::size_t longestCount = 0;
  for (const Shape shape : tried) {
    std::size_t at = 0;
    std::size_t whole = 0;
    Fit fit = Fit::yes;
    for (std::size_t m = 0; m < examined && fit == Fit::yes; ++m) {
      fit = BlockWalk(lines, layout, m).Walk(at, shape);
      whole += fit == Fit::yes ? 1 : 0;
    }
    if (fit != Fit::no && whole > 0) {
      fitting.push_back(shape);
    } else if (fit == Fit::no && whole > 0 && whole >= longestCount) {
      if (whole > longestCount)
        longest.clear();
      longest.push_back(shape);
      longestCount = whole;
    }
  }
  if (!fitting.empty())
    return {fitting, true};
  return {longest, false};
}

std::vector<Shape> EveryShape() {
  std::vector<Shape> shapes;
  for (std::size_t e = 0; e <= kMostExtras; ++e)
    for (std::size_t p = 0; p <= kMostParams; ++p)
      shapes.push_back({e, p});
  return shapes;
}

using ParamList = std::vector<TODVLayerParam_Types>;
using ExtraList = std::vector<TODVPoSet_Types>;

// Whether one list begins the other without being it.
template <class List> bool ProperPrefix(const List& a, const List& b) {
  const List& shorter = a.size() < b.size() ? a : b;
  const List& longer = a.size() < b.size() ? b : a;
  return shorter.size() < longer.size() &&
         std::equal(shorter.begin(), shorter.end(), longer.begin());
}

template <class List> void AddOnce(std::vector<List>& lists, List list) {
  if (std::find(lists.begin(), lists.end(), list) == lists.end())
    lists.push_back(std::move(list));
}

ParamList ParamsOfCode(std::int32_t code) {
  ParamList params;
  for (const OlderLayoutBlock& block : OlderLayoutBlocks(code))
    params.push_back(LayerParamCatalogue().GetParamSetFromPriVal(block.priVal).LayerParam);
  return params;
}

// The layer parameters of the model types the suite knows by a type code, and the lists their
// first blocks make: a model type that holds a later parameter of such a list fixed leaves its
// block out.
std::vector<ParamList> KnownParamLists() {
  std::vector<ParamList> lists{{}};
  for (const std::int32_t code : OlderLayoutTypeCodes()) {
    const ParamList params = ParamsOfCode(code);
    for (std::size_t n = 1; n <= params.size(); ++n)
      AddOnce(lists, ParamList(params.begin(), params.begin() + static_cast<std::ptrdiff_t>(n)));
  }
  return lists;
}

std::vector<ExtraList> KnownExtraLists() {
  std::vector<ExtraList> lists{{}};
  for (const std::int32_t code : OlderLayoutTypeCodes())
    AddOnce(lists, OlderLayoutExtras(code));
  return lists;
}

// Every choice of count items of all, in all's order.
template <class Item>
void Choices(const std::vector<Item>& all, std::size_t count, std::vector<std::vector<Item>>& out) {
  if (count > all.size())
    return;
  std::vector<bool> chosen(all.size(), false);
  std::fill(chosen.begin(), chosen.begin() + static_cast<std::ptrdiff_t>(count), true);
  do {
    std::vector<Item> choice;
    for (std::size_t i = 0; i < all.size(); ++i)
      if (chosen[i])
        choice.push_back(all[i]);
    out.push_back(std::move(choice));
  } while (std::prev_permutation(chosen.begin(), chosen.end()));
}

// Lists of count items ranked by what the type codes say of them: 0 when a code names exactly
// the list, 1 when a code names a list that begins it or that it begins (or, where no code names
// any, when the suite knows the list), 2 for every other choice of the catalogue.
template <class Item> struct Ranked {
  std::vector<std::vector<Item>> lists;
  std::vector<int> tiers;
};

template <class Item>
Ranked<Item> Rank(const std::vector<std::vector<Item>>& named,
                  const std::vector<std::vector<Item>>& known, const std::vector<Item>& all,
                  std::size_t count) {
  Ranked<Item> ranked;
  const bool anyNamed = std::any_of(named.begin(), named.end(),
                                    [](const std::vector<Item>& list) { return !list.empty(); });
  // A list stands once, at its best rank: the same items in another order are the same choice.
  std::set<std::vector<Item>> listed;
  auto add = [&](const std::vector<Item>& list, int tier) {
    std::vector<Item> items = list;
    std::sort(items.begin(), items.end());
    if (!listed.insert(std::move(items)).second)
      return;
    ranked.lists.push_back(list);
    ranked.tiers.push_back(tier);
  };
  for (const std::vector<Item>& list : named)
    if (list.size() == count)
      add(list, 0);
  // Where a code names a list, the lists it begins or that begin it rank 1 below, among all.
  if (!anyNamed)
    for (const std::vector<Item>& list : known)
      if (list.size() == count)
        add(list, 1);
  std::vector<std::vector<Item>> every;
  Choices(all, count, every);
  for (const std::vector<Item>& list : every) {
    const bool related =
        anyNamed && std::any_of(named.begin(), named.end(), [&](const std::vector<Item>& name) {
          return !name.empty() && ProperPrefix(list, name);
        });
    add(list, related ? 1 : 2);
  }
  return ranked;
}

TVesmarInvModelType ModelTypeOf(const ParamList& params, const ExtraList& extras) {
  TVesmarInvModelType type;
  type.LayerParams.push_back(LayerParamOf(LayerParamCatalogue().GetParamSet(ltRes)));
  for (const TODVLayerParam_Types param : params)
    type.LayerParams.push_back(LayerParamOf(LayerParamCatalogue().GetParamSet(param)));
  for (const TODVPoSet_Types extra : extras)
    type.ExtraParams.push_back(ExtraParamOf(extra));
  return type;
}

Shape ShapeOf(const TVesmarInvModelType& type) {
  Shape shape;
  shape.extras = type.ExtraParams.size();
  for (const TLayerParam& param : type.LayerParams)
    shape.params += param.ParamType == ltRes ? 0 : 1;
  return shape;
}

std::string Counted(std::size_t count, const char* thing) {
  return std::to_string(count) + " " + thing + (count == 1 ? "" : "s");
}

std::string Codes(const std::vector<std::int32_t>& codes) {
  std::string text;
  for (const std::int32_t code : codes)
    text += (text.empty() ? "" : ", ") + std::to_string(code);
  return text;
}

} // namespace

ModelTypeFinding FindModelType(const TModFile& header, std::string_view firstBlocks) {
  const std::vector<std::int32_t> codes = TypeCodes(header);
  std::vector<ParamList> namedParams;
  std::vector<ExtraList> namedExtras;
  for (const std::int32_t code : codes) {
    AddOnce(namedParams, ParamsOfCode(code));
    AddOnce(namedExtras, OlderLayoutExtras(code));
  }
  ModelTypeFinding finding;
  const ShapesFound found = ShapesOf(header, firstBlocks, EveryShape());
  if (found.shapes.empty()) {
    finding.candidates.push_back(OlderLayoutModelType(codes.empty() ? 0 : codes.front()));
    finding.certain = true;
    finding.reason = "the lines of its models fit no model type; it is read as its type code "
                     "lays its models out";
    return finding;
  }

  std::vector<TODVLayerParam_Types> allParams;
  for (const TODVLayerParamSet& set : LayerParamCatalogue().LayerParamSets())
    if (set.LayerParam != ltRes)
      allParams.push_back(set.LayerParam);
  const std::vector<TODVPoSet_Types> allExtras(ListedExtraParams().begin(),
                                               ListedExtraParams().end());
  const std::vector<ParamList> knownParams = KnownParamLists();
  const std::vector<ExtraList> knownExtras = KnownExtraLists();

  // Every model type of every shape, as (score, shape, layer list, extra list); lower is likelier.
  struct Candidate {
    int score;
    std::size_t shape;
    std::size_t params;
    std::size_t extras;
    int paramTier;
    int extraTier;
  };
  std::vector<Candidate> candidates;
  std::vector<Ranked<TODVLayerParam_Types>> params;
  std::vector<Ranked<TODVPoSet_Types>> extras;
  for (std::size_t s = 0; s < found.shapes.size(); ++s) {
    params.push_back(Rank(namedParams, knownParams, allParams, found.shapes[s].params));
    extras.push_back(Rank(namedExtras, knownExtras, allExtras, found.shapes[s].extras));
    for (std::size_t p = 0; p < params[s].lists.size(); ++p)
      for (std::size_t e = 0; e < extras[s].lists.size(); ++e)
        candidates.push_back({params[s].tiers[p] + extras[s].tiers[e], s, p, e, params[s].tiers[p],
                              extras[s].tiers[e]});
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& a, const Candidate& b) { return a.score < b.score; });
  const Candidate& best = candidates.front();
  const bool alone = candidates.size() == 1 || candidates[1].score > best.score;
  finding.certain = alone && best.paramTier <= 1 && best.extraTier <= 1;
  const std::size_t listed = std::min(candidates.size(), ModelTypeFinding::kMostCandidates);
  for (std::size_t i = 0; i < listed; ++i) {
    const Candidate& c = candidates[i];
    finding.candidates.push_back(
        ModelTypeOf(params[c.shape].lists[c.params], extras[c.shape].lists[c.extras]));
  }
  finding.moreCandidates = candidates.size() - listed;

  const Shape shape = found.shapes[best.shape];
  const std::string lines = Counted(shape.params, "layer-parameter block") + " and " +
                            Counted(shape.extras, "extra-parameter line");
  if (found.shapes.size() > 1)
    finding.reason = "the lines of its models divide into blocks in several ways";
  else if (finding.certain && best.score == 0)
    finding.reason = "its type code " + Codes(codes) + " names the blocks of its models";
  else if (finding.certain)
    finding.reason = "its models have " + lines + ", as this model type has";
  else
    finding.reason = "its models have " + lines + ", which several model types have";
  return finding;
}

bool ModelTypeFits(const TModFile& header, std::string_view firstBlocks,
                   const TVesmarInvModelType& type) {
  return ShapesOf(header, firstBlocks, {ShapeOf(type)}).everyModel;
}

} // namespace kiv::survey
