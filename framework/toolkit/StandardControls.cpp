#include "framework/toolkit/StandardControls.h"

#include "framework/toolkit/detail/EventHook.h"
#include "framework/toolkit/detail/HandlerBoundary.h"
#include "framework/toolkit/detail/IndexCheck.h"
#include "framework/toolkit/detail/Widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <stdexcept>

namespace kiv {

using toolkit::CheckIndex;
using toolkit::Guarded;
using toolkit::MakeWidget;
using toolkit::QtWidgetAs;
using toolkit::ToQt;

TLabel::TLabel(TComponent* AOwner) : TControl(AOwner, MakeWidget<QLabel>(65, 17)) {}

std::string TLabel::Caption() const {
  if (FKeptCaption)
    return *FKeptCaption;
  return QtWidgetAs<QLabel>(*this).text().toStdString();
}

void TLabel::SetCaption(const std::string& ACaption) {
  if (PaintingHeld()) {
    FKeptCaption = ACaption;
    return;
  }
  auto& label = QtWidgetAs<QLabel>(*this);
  label.setText(ToQt(ACaption));
  label.adjustSize();
}

void TLabel::WriteKeptValues() {
  if (!FKeptCaption)
    return;
  const std::string caption = std::move(*FKeptCaption);
  FKeptCaption.reset();
  SetCaption(caption);
}

TButton::TButton(TComponent* AOwner) : TControl(AOwner, MakeWidget<QPushButton>(75, 25)) {
  auto& button = QtWidgetAs<QPushButton>(*this);
  QObject::connect(&button, &QPushButton::clicked, &button, Guarded([this] { Click(); }));
}

std::string TButton::Caption() const {
  return QtWidgetAs<QPushButton>(*this).text().toStdString();
}

void TButton::SetCaption(const std::string& ACaption) {
  QtWidgetAs<QPushButton>(*this).setText(ToQt(ACaption));
}

void TButton::SetDefault(bool ADefault) {
  FDefault = ADefault;
  // Drawn as the default button; pressing is the form's, as Qt does it only in dialogs.
  QtWidgetAs<QPushButton>(*this).setDefault(ADefault);
}

bool TButton::Flat() const {
  return QtWidgetAs<QPushButton>(*this).isFlat();
}

void TButton::SetFlat(bool AFlat) {
  QtWidgetAs<QPushButton>(*this).setFlat(AFlat);
}

void TButton::Click() {
  if (FModalResult != mrNone)
    for (TWinControl* parent = Parent(); parent; parent = parent->Parent())
      if (auto* form = dynamic_cast<TForm*>(parent)) {
        form->SetModalResult(FModalResult);
        break;
      }
  if (OnClick)
    OnClick();
}

TEdit::TEdit(TComponent* AOwner) : TControl(AOwner, MakeWidget<QLineEdit>(121, 23)) {
  auto& edit = QtWidgetAs<QLineEdit>(*this);
  QObject::connect(&edit, &QLineEdit::textChanged, &edit, Guarded([this] {
    if (OnChange)
      OnChange();
  }));
  FKeyHook = std::make_unique<toolkit::EventHook>(edit, [this](QEvent& event) {
    if (event.type() != QEvent::KeyPress || !OnKeyPress)
      return false;
    const auto& key = static_cast<const QKeyEvent&>(event);
    char typed = 0;
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
      typed = '\r';
    else if (key.key() == Qt::Key_Escape)
      typed = '\x1b';
    else if (key.text().size() == 1 && key.text().at(0).unicode() < 0x80)
      typed = static_cast<char>(key.text().at(0).unicode());
    else
      return false;
    OnKeyPress(typed);
    return typed == 0;
  });
}

// The hook goes first: it calls back into this object.
TEdit::~TEdit() {
  FKeyHook.reset();
}

std::string TEdit::Text() const {
  return QtWidgetAs<QLineEdit>(*this).text().toStdString();
}

void TEdit::SetText(const std::string& AText) {
  QtWidgetAs<QLineEdit>(*this).setText(ToQt(AText));
}

TMemo::TMemo(TComponent* AOwner) : TControl(AOwner, MakeWidget<QPlainTextEdit>(185, 89)) {}

std::string TMemo::Text() const {
  return QtWidgetAs<QPlainTextEdit>(*this).toPlainText().toStdString();
}

void TMemo::SetText(const std::string& AText) {
  QtWidgetAs<QPlainTextEdit>(*this).setPlainText(ToQt(AText));
}

std::vector<std::string> TMemo::Lines() const {
  std::vector<std::string> lines;
  const QString text = QtWidgetAs<QPlainTextEdit>(*this).toPlainText();
  if (text.isEmpty())
    return lines;
  for (const QString& line : text.split(QChar('\n')))
    lines.push_back(line.toStdString());
  return lines;
}

void TMemo::AddLine(const std::string& ALine) {
  QtWidgetAs<QPlainTextEdit>(*this).appendPlainText(ToQt(ALine));
}

void TMemo::Clear() {
  QtWidgetAs<QPlainTextEdit>(*this).clear();
}

TListBox::TListBox(TComponent* AOwner) : TControl(AOwner, MakeWidget<QListWidget>(121, 97)) {}

int TListBox::Count() const {
  return QtWidgetAs<QListWidget>(*this).count();
}

bool TListBox::Bordered() const {
  return QtWidgetAs<QListWidget>(*this).frameShape() != QFrame::NoFrame;
}

void TListBox::SetBordered(bool ABordered) {
  QtWidgetAs<QListWidget>(*this).setFrameShape(ABordered ? QFrame::StyledPanel : QFrame::NoFrame);
}

std::string TListBox::Item(int AIndex) const {
  CheckIndex("TListBox.Item", AIndex, Count());
  return QtWidgetAs<QListWidget>(*this).item(AIndex)->text().toStdString();
}

void TListBox::SetItem(int AIndex, const std::string& AText) {
  CheckIndex("TListBox.SetItem", AIndex, Count());
  QtWidgetAs<QListWidget>(*this).item(AIndex)->setText(ToQt(AText));
}

void TListBox::AddItem(const std::string& AText) {
  QtWidgetAs<QListWidget>(*this).addItem(ToQt(AText));
}

void TListBox::Clear() {
  QtWidgetAs<QListWidget>(*this).clear();
}

int TListBox::ItemIndex() const {
  // Qt makes the first entry current, though not selected, when the box gets the focus.
  const auto& list = QtWidgetAs<QListWidget>(*this);
  const int row = list.currentRow();
  return row >= 0 && list.item(row)->isSelected() ? row : -1;
}

void TListBox::SetItemIndex(int AIndex) {
  if (AIndex != -1)
    CheckIndex("TListBox.SetItemIndex", AIndex, Count());
  QtWidgetAs<QListWidget>(*this).setCurrentRow(AIndex);
}

TCheckBox::TCheckBox(TComponent* AOwner) : TControl(AOwner, MakeWidget<QCheckBox>(97, 17)) {
  auto& box = QtWidgetAs<QCheckBox>(*this);
  QObject::connect(&box, &QCheckBox::toggled, &box, Guarded([this] {
    if (OnClick)
      OnClick();
  }));
}

std::string TCheckBox::Caption() const {
  return QtWidgetAs<QCheckBox>(*this).text().toStdString();
}

void TCheckBox::SetCaption(const std::string& ACaption) {
  QtWidgetAs<QCheckBox>(*this).setText(ToQt(ACaption));
}

bool TCheckBox::Checked() const {
  return QtWidgetAs<QCheckBox>(*this).isChecked();
}

void TCheckBox::SetChecked(bool AChecked) {
  QtWidgetAs<QCheckBox>(*this).setChecked(AChecked);
}

TComboBox::TComboBox(TComponent* AOwner) : TControl(AOwner, MakeWidget<QComboBox>(145, 23)) {
  auto& box = QtWidgetAs<QComboBox>(*this);
  box.setEditable(true);
  QObject::connect(&box, &QComboBox::currentIndexChanged, &box, Guarded([this] {
    if (OnChange)
      OnChange();
  }));
}

TComboBoxStyle TComboBox::Style() const {
  return QtWidgetAs<QComboBox>(*this).isEditable() ? TComboBoxStyle::csDropDown
                                                   : TComboBoxStyle::csDropDownList;
}

void TComboBox::SetStyle(TComboBoxStyle AStyle) {
  QtWidgetAs<QComboBox>(*this).setEditable(AStyle == TComboBoxStyle::csDropDown);
}

int TComboBox::Count() const {
  return QtWidgetAs<QComboBox>(*this).count();
}

std::string TComboBox::Item(int AIndex) const {
  CheckIndex("TComboBox.Item", AIndex, Count());
  return QtWidgetAs<QComboBox>(*this).itemText(AIndex).toStdString();
}

void TComboBox::AddItem(const std::string& AText) {
  auto& box = QtWidgetAs<QComboBox>(*this);
  const int selected = box.currentIndex();
  const QSignalBlocker quiet(box); // adding an entry changes no selection of the toolkit's box
  box.addItem(ToQt(AText));
  // Qt selects the first entry added to an empty box; the toolkit's box stays without selection.
  box.setCurrentIndex(selected);
}

void TComboBox::Clear() {
  QtWidgetAs<QComboBox>(*this).clear();
}

int TComboBox::ItemIndex() const {
  return QtWidgetAs<QComboBox>(*this).currentIndex();
}

void TComboBox::SetItemIndex(int AIndex) {
  if (AIndex != -1)
    CheckIndex("TComboBox.SetItemIndex", AIndex, Count());
  QtWidgetAs<QComboBox>(*this).setCurrentIndex(AIndex);
}

std::string TComboBox::Text() const {
  return QtWidgetAs<QComboBox>(*this).currentText().toStdString();
}

void TComboBox::SetText(const std::string& AText) {
  auto& box = QtWidgetAs<QComboBox>(*this);
  const int found = box.findText(ToQt(AText), Qt::MatchFixedString | Qt::MatchCaseSensitive);
  if (found != -1)
    box.setCurrentIndex(found);
  else if (box.isEditable())
    box.setEditText(ToQt(AText));
}

TRadioButton::TRadioButton(TComponent* AOwner)
    : TControl(AOwner, MakeWidget<QRadioButton>(113, 17)) {
  auto& button = QtWidgetAs<QRadioButton>(*this);
  QObject::connect(&button, &QRadioButton::toggled, &button, Guarded([this] {
    if (OnClick)
      OnClick();
  }));
}

std::string TRadioButton::Caption() const {
  return QtWidgetAs<QRadioButton>(*this).text().toStdString();
}

void TRadioButton::SetCaption(const std::string& ACaption) {
  QtWidgetAs<QRadioButton>(*this).setText(ToQt(ACaption));
}

bool TRadioButton::Checked() const {
  return QtWidgetAs<QRadioButton>(*this).isChecked();
}

void TRadioButton::SetChecked(bool AChecked) {
  QtWidgetAs<QRadioButton>(*this).setChecked(AChecked);
}

} // namespace kiv
