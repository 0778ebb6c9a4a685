#include "tools/kivmod/ModelExport.h"

#include "core/NumberFormat.h"
#include "platform/AsciiText.h"

#include <charconv>
#include <cmath>
#include <memory>
#include <vector>

namespace kiv {
namespace {

void AppendInteger(std::string& text, std::int64_t value) {
  char digits[24];
  text.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// The cells of a row in one format, from a given field on.
class RowCells : public CellSink {
public:
  explicit RowCells(std::string& text) : text_(text) {}
  // The next cell is the field's, field counted from 0.
  virtual void Begin(size_t field) = 0;
  void Integer(std::int64_t value) override {
    Open();
    AppendInteger(text_, value);
  }
  void Single(float value) override { Real(value); }
  void Double(double value) override { Real(value); }
  void Empty() override {
    Open();
    text_ += Missing();
  }

protected:
  // Starts a cell: its separator or key.
  virtual void Open() = 0;
  virtual std::string_view Missing() const = 0;
  std::string& text_;

private:
  template <class Number> void Real(Number value) {
    Open();
    if (std::isfinite(value))
      AppendShortest(text_, value);
    else
      text_ += Missing();
  }
};

class CsvCells final : public RowCells {
public:
  using RowCells::RowCells;
  void Begin(size_t field) override { first_ = field == 0; }

private:
  void Open() override {
    if (!first_)
      text_ += ',';
    first_ = false;
  }
  std::string_view Missing() const override { return {}; }
  bool first_ = true;
};

// Members of a JSON object, each after its key ('{"name": ' for the first, ', "name": ' after).
class JsonCells final : public RowCells {
public:
  JsonCells(std::string& text, const std::vector<std::string>& fields) : RowCells(text) {
    for (size_t i = 0; i < fields.size(); ++i)
      keys_.push_back((i == 0 ? "{" : ", ") + platform::JsonString(fields[i]) + ": ");
  }
  void Begin(size_t field) override { next_ = field; }

private:
  void Open() override { text_ += keys_[next_++]; }
  std::string_view Missing() const override { return "null"; }
  std::vector<std::string> keys_;
  size_t next_ = 0;
};

std::unique_ptr<RowCells> CellsOf(ExportFormat format, std::string& text,
                                  const std::vector<std::string>& fields) {
  if (format == ExportFormat::csv)
    return std::make_unique<CsvCells>(text);
  return std::make_unique<JsonCells>(text, fields);
}

// The names of a row's fields in order.
std::vector<std::string> RowFields(const ModelTable& table) {
  std::vector<std::string> fields{"model"};
  fields.insert(fields.end(), table.ModelFields().begin(), table.ModelFields().end());
  fields.insert(fields.end(), {"layer", "top"});
  fields.insert(fields.end(), table.LayerFields().begin(), table.LayerFields().end());
  return fields;
}

} // namespace

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos)
    return std::string(text);
  std::string field = "\"";
  for (const char c : text)
    field += c == '"' ? std::string("\"\"") : std::string(1, c);
  return field + "\"";
}

void ExportModels(ModelTable& table, ExportFormat format, std::int32_t first, std::int32_t last,
                  TextOutput& out, const std::function<void(std::int32_t done)>& progress) {
  const std::vector<std::string> fields = RowFields(table);
  const bool csv = format == ExportFormat::csv;
  std::string& text = out.Buffer();
  const std::unique_ptr<RowCells> cells = CellsOf(format, text, fields);
  // The model's own cells, made once and repeated at the start of each of its rows.
  std::string modelText;
  const std::unique_ptr<RowCells> modelCells = CellsOf(format, modelText, fields);
  const size_t layerField = 1 + table.ModelFields().size();

  if (csv) {
    for (size_t i = 0; i < fields.size(); ++i)
      text.append(i == 0 ? "" : ",").append(CsvField(fields[i]));
    text += "\r\n";
  } else {
    text += "[";
  }
  bool firstRow = true;
  for (std::int32_t m = first; m <= last; ++m) {
    table.Load(m);
    modelText.clear();
    modelCells->Begin(0);
    modelCells->Integer(m);
    table.ModelCells(*modelCells);
    for (std::int32_t layer = 0; layer < table.NumberOfLayers(); ++layer) {
      if (!csv)
        text += firstRow ? "\n" : ",\n";
      firstRow = false;
      text += modelText;
      cells->Begin(layerField);
      cells->Integer(layer + 1);
      cells->Double(table.LayerTop(layer));
      table.LayerCells(layer, *cells);
      text += csv ? "\r\n" : "}";
      out.Drain();
    }
    progress(m - first + 1);
  }
  if (!csv)
    text += "\n]\n";
}

} // namespace kiv
