#include "tools/kivmod/ModelExport.h"

#include "core/NumberFormat.h"
#include "tools/harness/JsonWriter.h"

#include <charconv>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

namespace kiv {
namespace {

void AppendInteger(std::string& text, std::int64_t value) {
  char digits[24];
  text.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// The rows of one format: the cells of each row, and what stands around them.
class RowCells {
public:
  virtual ~RowCells() = default;
  virtual void Integer(std::int64_t value) = 0;
  virtual void Single(float value) = 0;
  virtual void Double(double value) = 0;
  // A field that the model or layer does not have.
  virtual void Empty() = 0;
  void Cell(const survey::Cell& cell) {
    switch (cell.kind) {
    case survey::Cell::Kind::Integer:
      Integer(static_cast<std::int64_t>(cell.number));
      break;
    case survey::Cell::Kind::Single:
      Single(static_cast<float>(cell.number));
      break;
    case survey::Cell::Kind::Double:
      Double(cell.number);
      break;
    default:
      Empty();
    }
  }

  // Starts the model's own cells, which begin each of its rows: the first is field 0's.
  virtual void BeginModel() = 0;
  // Starts a row with the model's cells; the next cell is the field's, counted from 0.
  virtual void BeginRow(size_t field) = 0;
  virtual void EndRow() = 0;
  // Ends the text after the last row.
  virtual void Finish() = 0;
};

class CsvCells final : public RowCells {
public:
  // Writes the header row of the fields' names.
  CsvCells(std::string& text, const std::vector<std::string>& fields) : text_(text) {
    for (size_t i = 0; i < fields.size(); ++i)
      text_.append(i == 0 ? "" : ",").append(CsvField(fields[i]));
    text_ += "\r\n";
  }
  void BeginModel() override {
    modelText_.clear();
    cells_ = &modelText_;
    first_ = true;
  }
  void BeginRow(size_t) override {
    text_ += modelText_;
    cells_ = &text_;
  }
  void EndRow() override { text_ += "\r\n"; }
  void Finish() override {}

  void Integer(std::int64_t value) override {
    Open();
    AppendInteger(*cells_, value);
  }
  void Single(float value) override { Real(value); }
  void Double(double value) override { Real(value); }
  void Empty() override { Open(); }

private:
  void Open() {
    if (!first_)
      *cells_ += ',';
    first_ = false;
  }
  template <class Number> void Real(Number value) {
    Open();
    if (std::isfinite(value))
      AppendShortest(*cells_, value);
  }

  std::string& text_;
  std::string modelText_;
  std::string* cells_ = &modelText_;
  bool first_ = true;
};

// A JSON array of objects, one a line; the model's members are made once and begin each object.
class JsonCells final : public RowCells {
public:
  JsonCells(std::string& text, const std::vector<std::string>& fields)
      : text_(text), rows_(text, JsonWriter::Style::indented) {
    keys_.reserve(fields.size());
    for (const std::string& field : fields)
      keys_.emplace_back(field);
    rows_.BeginArray();
  }
  void BeginModel() override {
    modelText_.clear();
    model_.emplace(JsonWriter::ForMembers(modelText_));
    cells_ = &*model_;
    next_ = 0;
  }
  void BeginRow(size_t field) override {
    rows_.BeginObject();
    rows_.Members(modelText_);
    cells_ = &rows_;
    next_ = field;
  }
  void EndRow() override { rows_.EndObject(); }
  void Finish() override {
    rows_.EndArray();
    text_ += '\n';
  }

  void Integer(std::int64_t value) override {
    Open();
    cells_->Integer(value);
  }
  void Single(float value) override {
    Open();
    cells_->Number(value);
  }
  void Double(double value) override {
    Open();
    cells_->Number(value);
  }
  void Empty() override {
    Open();
    cells_->Null();
  }

private:
  void Open() { cells_->Key(keys_[next_++]); }

  std::string& text_;
  JsonWriter rows_;
  std::vector<JsonKey> keys_;
  std::string modelText_;
  std::optional<JsonWriter> model_;
  JsonWriter* cells_ = &rows_;
  size_t next_ = 0;
};

std::unique_ptr<RowCells> CellsOf(ExportFormat format, std::string& text,
                                  const std::vector<std::string>& fields) {
  if (format == ExportFormat::csv)
    return std::make_unique<CsvCells>(text, fields);
  return std::make_unique<JsonCells>(text, fields);
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

void ExportModels(const survey::SurveyRows& rows, ExportFormat format, std::int32_t first,
                  std::int32_t last, TextOutput& out,
                  const std::function<void(std::int32_t done)>& progress) {
  const std::unique_ptr<RowCells> cells = CellsOf(format, out.Buffer(), rows.Names());
  std::vector<survey::Cell> part;
  for (std::int32_t m = first; m <= last; ++m) {
    const auto model = static_cast<std::size_t>(m - 1);
    cells->BeginModel();
    rows.ModelPart(model, part);
    for (const survey::Cell& cell : part)
      cells->Cell(cell);
    for (std::size_t layer = 0; layer < rows.Layers(model); ++layer) {
      cells->BeginRow(rows.LayerPartStart());
      rows.LayerPart(model, layer, part);
      for (const survey::Cell& cell : part)
        cells->Cell(cell);
      cells->EndRow();
      out.Drain();
    }
    progress(m - first + 1);
  }
  cells->Finish();
}

} // namespace kiv
