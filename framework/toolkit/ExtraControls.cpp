#include "framework/toolkit/ExtraControls.h"

#include "framework/toolkit/detail/HandlerBoundary.h"
#include "framework/toolkit/detail/IndexCheck.h"
#include "framework/toolkit/detail/Widget.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace kiv {

using toolkit::CheckIndex;
using toolkit::Guarded;
using toolkit::HiddenWidget;
using toolkit::QtWidget;
using toolkit::QtWidgetAs;
using toolkit::ToQt;

namespace {

// The label and the box of a labelled edit, one above the other.
std::unique_ptr<TControl::Widget> MakeLabeledEditWidget() {
  auto* holder = new QWidget();
  auto* layout = new QVBoxLayout(holder);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(new QLabel());
  layout->addWidget(new QLineEdit());
  return HiddenWidget(holder, 121, 42);
}

QLineEdit& EditOf(const TLabeledEdit& edit) {
  return *QtWidget(edit).findChild<QLineEdit*>();
}

QLabel& LabelOf(const TLabeledEdit& edit) {
  return *QtWidget(edit).findChild<QLabel*>();
}

std::unique_ptr<TControl::Widget> MakeRadioGroupWidget() {
  auto* box = new QGroupBox();
  new QVBoxLayout(box);
  new QButtonGroup(box);
  return HiddenWidget(box, 185, 105);
}

QButtonGroup& ButtonsOf(const TRadioGroup& group) {
  return *QtWidget(group).findChild<QButtonGroup*>();
}

} // namespace

TSpeedButton::TSpeedButton(TComponent* AOwner)
    : TControl(AOwner, HiddenWidget(new QToolButton(), 23, 22)) {
  auto& button = QtWidgetAs<QToolButton>(*this);
  button.setAutoRaise(true);
  QObject::connect(&button, &QToolButton::clicked, &button, Guarded([this] { Click(); }));
}

std::string TSpeedButton::Caption() const {
  return QtWidgetAs<QToolButton>(*this).text().toStdString();
}

void TSpeedButton::SetCaption(const std::string& ACaption) {
  QtWidgetAs<QToolButton>(*this).setText(ToQt(ACaption));
}

void TSpeedButton::Click() {
  if (OnClick)
    OnClick();
}

TLabeledEdit::TLabeledEdit(TComponent* AOwner) : TControl(AOwner, MakeLabeledEditWidget()) {
  QLineEdit& edit = EditOf(*this);
  QObject::connect(&edit, &QLineEdit::textChanged, &edit, Guarded([this] {
    if (OnChange)
      OnChange();
  }));
}

std::string TLabeledEdit::Text() const {
  return EditOf(*this).text().toStdString();
}

void TLabeledEdit::SetText(const std::string& AText) {
  EditOf(*this).setText(ToQt(AText));
}

std::string TLabeledEdit::LabelCaption() const {
  return LabelOf(*this).text().toStdString();
}

void TLabeledEdit::SetLabelCaption(const std::string& ACaption) {
  LabelOf(*this).setText(ToQt(ACaption));
}

TRadioGroup::TRadioGroup(TComponent* AOwner) : TControl(AOwner, MakeRadioGroupWidget()) {
  QButtonGroup& buttons = ButtonsOf(*this);
  QObject::connect(&buttons, &QButtonGroup::idToggled, &buttons, [this](int, bool checked) {
    if (checked)
      Guarded([this] {
        if (OnClick)
          OnClick();
      })();
  });
}

std::string TRadioGroup::Caption() const {
  return QtWidgetAs<QGroupBox>(*this).title().toStdString();
}

void TRadioGroup::SetCaption(const std::string& ACaption) {
  QtWidgetAs<QGroupBox>(*this).setTitle(ToQt(ACaption));
}

int TRadioGroup::Count() const {
  return static_cast<int>(ButtonsOf(*this).buttons().size());
}

std::string TRadioGroup::Item(int AIndex) const {
  CheckIndex("TRadioGroup.Item", AIndex, Count());
  return ButtonsOf(*this).button(AIndex)->text().toStdString();
}

void TRadioGroup::AddItem(const std::string& AText) {
  auto* button = new QRadioButton(ToQt(AText));
  QtWidget(*this).layout()->addWidget(button);
  ButtonsOf(*this).addButton(button, Count());
}

int TRadioGroup::ItemIndex() const {
  return ButtonsOf(*this).checkedId();
}

void TRadioGroup::SetItemIndex(int AIndex) {
  QButtonGroup& buttons = ButtonsOf(*this);
  if (AIndex != -1) {
    CheckIndex("TRadioGroup.SetItemIndex", AIndex, Count());
    buttons.button(AIndex)->setChecked(true);
    return;
  }
  QAbstractButton* checked = buttons.checkedButton();
  if (!checked)
    return;
  // An exclusive group never unchecks its last checked button by itself.
  buttons.setExclusive(false);
  checked->setChecked(false);
  buttons.setExclusive(true);
}

} // namespace kiv
