// Column widths of string grids, sizes of panels and the content of input controls, all in the
// settings key.
#include "core/Escalation.h"
#include "core/TextFile.h"
#include "framework/formregistry/FormRegistry_.h"
#include "framework/formregistry/RegistryAccess.h"
#include "framework/toolkit/Containers.h"
#include "framework/toolkit/ExtraControls.h"
#include "framework/toolkit/Grids.h"
#include "framework/toolkit/Panel.h"
#include "framework/toolkit/StandardControls.h"

namespace kiv {

using formregistry::KeyCloser;
using formregistry::TryReadInteger;

namespace {

std::string ColumnName(int column) {
  return "Col " + std::to_string(column);
}

// The lines of a text whose lines end in CR LF or LF; the break after the last line ends it
// rather than starting an empty one.
std::vector<std::string> TextLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos)
      end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

// A stored index that no longer fits the items selects nothing rather than failing.
int FittingIndex(int index, int count) {
  return index >= 0 && index < count ? index : -1;
}

} // namespace

void TFormRegistry::WriteColWidths(TCustomGrid& Grid) {
  GuardWrapping(ClassName(), "WriteColWidths", [&] {
    platform::SettingsTransaction transaction(Registry->Store());
    if (!OpenKey(*Registry, FKeyNameSettings + "\\" + Grid.Name(), true))
      return;
    const KeyCloser closer(*Registry);
    if (dynamic_cast<TStringGrid*>(&Grid))
      for (int column = 0; column < Grid.ColCount(); ++column)
        Registry->WriteInteger(ColumnName(column), Grid.ColWidths(column));
    transaction.Commit();
  });
}

bool TFormRegistry::ReadColWidths(TCustomGrid& Grid) {
  return GuardWrapping(ClassName(), "ReadColWidths", [&] {
    if (!OpenKey(*Registry, FKeyNameSettings + "\\" + Grid.Name(), false))
      return false;
    const KeyCloser closer(*Registry);
    if (!dynamic_cast<TStringGrid*>(&Grid))
      return true;
    bool firstStored = false;
    for (int column = 0; column < Grid.ColCount(); ++column)
      if (const std::optional<int> width = TryReadInteger(*Registry, ColumnName(column))) {
        Grid.SetColWidths(column, *width);
        firstStored = firstStored || column == 0;
      }
    return firstStored;
  });
}

void TFormRegistry::WriteColWidth(TCustomGrid& Grid, int Column) {
  GuardWrapping(ClassName(), "WriteColWidth", [&] {
    if (!OpenKey(*Registry, FKeyNameSettings + "\\" + Grid.Name(), true))
      return;
    const KeyCloser closer(*Registry);
    if (dynamic_cast<TStringGrid*>(&Grid) && Column < Grid.ColCount())
      Registry->WriteInteger(ColumnName(Column), Grid.ColWidths(Column));
  });
}

bool TFormRegistry::ReadColWidth(TCustomGrid& Grid, int Column) {
  return GuardWrapping(ClassName(), "ReadColWidth", [&] {
    if (!OpenKey(*Registry, FKeyNameSettings + "\\" + Grid.Name(), false))
      return false;
    const KeyCloser closer(*Registry);
    if (!dynamic_cast<TStringGrid*>(&Grid))
      return false;
    const std::optional<int> width = TryReadInteger(*Registry, ColumnName(Column));
    if (width)
      Grid.SetColWidths(Column, *width);
    return width.has_value();
  });
}

void TFormRegistry::WritePanelSize(TPanel& Panel) {
  GuardWrapping(ClassName(), "WritePanelSize", [&] {
    platform::SettingsTransaction transaction(Registry->Store());
    if (!OpenKey(*Registry, FKeyNameSettings + "\\" + Panel.Name(), true))
      return;
    const KeyCloser closer(*Registry);
    Registry->WriteInteger("Width", Panel.Width());
    Registry->WriteInteger("Height", Panel.Height());
    transaction.Commit();
  });
}

bool TFormRegistry::ReadPanelSize(TPanel& Panel) {
  return GuardWrapping(ClassName(), "ReadPanelSize", [&] {
    if (!OpenKey(*Registry, FKeyNameSettings + "\\" + Panel.Name(), false))
      return false;
    const KeyCloser closer(*Registry);
    const std::optional<int> width = TryReadInteger(*Registry, "Width");
    if (!width)
      return false;
    Panel.SetWidth(*width);
    const std::optional<int> height = TryReadInteger(*Registry, "Height");
    if (!height)
      return false;
    Panel.SetHeight(*height);
    return true;
  });
}

void TFormRegistry::SaveAllCols() {
  TForm& form =
      GuardWrapping(ClassName(), "SaveAllCols", [&]() -> TForm& { return RequireForm(); });
  for (int i = 0; i < form.ComponentCount(); ++i)
    GuardWrapping(ClassName(), "SaveAllCols", [&] {
      if (auto* grid = dynamic_cast<TStringGrid*>(&form.Components(i)))
        WriteColWidths(*grid);
    });
}

void TFormRegistry::ReadAllCols() {
  TForm& form =
      GuardWrapping(ClassName(), "ReadAllCols", [&]() -> TForm& { return RequireForm(); });
  for (int i = 0; i < form.ComponentCount(); ++i)
    GuardWrapping(ClassName(), "ReadAllCols", [&] {
      if (auto* grid = dynamic_cast<TStringGrid*>(&form.Components(i)))
        ReadColWidths(*grid);
    });
}

void TFormRegistry::SaveAllPanels() {
  if (!FForm)
    return;
  for (int i = 0; i < FForm->ComponentCount(); ++i)
    GuardWrapping(ClassName(), "SaveAllPanels", [&] {
      if (auto* panel = dynamic_cast<TPanel*>(&FForm->Components(i)))
        WritePanelSize(*panel);
    });
}

void TFormRegistry::ReadAllPanels() {
  TForm& form =
      GuardWrapping(ClassName(), "ReadAllPanels", [&]() -> TForm& { return RequireForm(); });
  for (int i = 0; i < form.ComponentCount(); ++i)
    GuardWrapping(ClassName(), "ReadAllPanels", [&] {
      if (auto* panel = dynamic_cast<TPanel*>(&form.Components(i)))
        ReadPanelSize(*panel);
    });
}

void TFormRegistry::SaveControl(TComponent& component) {
  const std::string& name = component.Name();
  if (auto* edit = dynamic_cast<TEdit*>(&component))
    WriteByName(name, edit->Text());
  else if (auto* memo = dynamic_cast<TMemo*>(&component))
    WriteByName(name, memo->Text());
  else if (auto* labeled = dynamic_cast<TLabeledEdit*>(&component))
    WriteByName(name, labeled->Text());
  else if (auto* combo = dynamic_cast<TComboBox*>(&component)) {
    WriteByName(name + "_Index", combo->ItemIndex());
    WriteByName(name, combo->Text());
  } else if (auto* check = dynamic_cast<TCheckBox*>(&component))
    WriteByName(name, check->Checked());
  else if (auto* radio = dynamic_cast<TRadioButton*>(&component))
    WriteByName(name, radio->Checked());
  else if (auto* list = dynamic_cast<TListBox*>(&component)) {
    std::vector<std::string> items;
    for (int i = 0; i < list->Count(); ++i)
      items.push_back(list->Item(i));
    WriteByName(name, JoinCrLfLines(items));
  } else if (auto* group = dynamic_cast<TRadioGroup*>(&component))
    WriteByName(name, group->ItemIndex());
}

void TFormRegistry::LoadControl(TComponent& component) {
  const std::string& name = component.Name();
  std::string text;
  int index = 0;
  bool checked = false;
  if (auto* edit = dynamic_cast<TEdit*>(&component)) {
    if (ReadByName(name, text))
      edit->SetText(text);
  } else if (auto* memo = dynamic_cast<TMemo*>(&component)) {
    if (ReadByName(name, text))
      memo->SetText(text);
  } else if (auto* labeled = dynamic_cast<TLabeledEdit*>(&component)) {
    if (ReadByName(name, text))
      labeled->SetText(text);
  } else if (auto* combo = dynamic_cast<TComboBox*>(&component)) {
    if (ReadByName(name + "_Index", index))
      combo->SetItemIndex(FittingIndex(index, combo->Count()));
    if (ReadByName(name, text))
      combo->SetText(text);
  } else if (auto* check = dynamic_cast<TCheckBox*>(&component)) {
    if (ReadByName(name, checked))
      check->SetChecked(checked);
  } else if (auto* radio = dynamic_cast<TRadioButton*>(&component)) {
    if (ReadByName(name, checked))
      radio->SetChecked(checked);
  } else if (auto* list = dynamic_cast<TListBox*>(&component)) {
    if (ReadByName(name, text)) {
      list->Clear();
      for (const std::string& line : TextLines(text))
        list->AddItem(line);
    }
  } else if (auto* group = dynamic_cast<TRadioGroup*>(&component)) {
    if (ReadByName(name, index))
      group->SetItemIndex(FittingIndex(index, group->Count()));
  }
}

namespace {

// Calls handle for every control that Form owns with the tag, and for every control with the tag
// that a frame owned by Form owns; frames within frames are not entered.
template <class Handle> void VisitTagged(TForm& Form, int tag, Handle&& handle) {
  for (int i = 0; i < Form.ComponentCount(); ++i) {
    TComponent& component = Form.Components(i);
    if (dynamic_cast<TControl*>(&component) && component.Tag() == tag) {
      handle(component);
      continue;
    }
    if (!dynamic_cast<TFrame*>(&component))
      continue;
    for (int j = 0; j < component.ComponentCount(); ++j) {
      TComponent& inner = component.Components(j);
      if (dynamic_cast<TControl*>(&inner) && inner.Tag() == tag)
        handle(inner);
    }
  }
}

} // namespace

void TFormRegistry::SaveControlContent(TForm& Form, int SaveTag) {
  platform::SettingsTransaction transaction(Registry->Store());
  VisitTagged(Form, SaveTag, [&](TComponent& component) {
    GuardWrapping(ClassName(), "Save", [&] { SaveControl(component); });
  });
  transaction.Commit();
}

void TFormRegistry::LoadControlContent(TForm& Form, int LoadTag) {
  VisitTagged(Form, LoadTag, [&](TComponent& component) {
    GuardWrapping(ClassName(), "Load", [&] { LoadControl(component); });
  });
}

} // namespace kiv
