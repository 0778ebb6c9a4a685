#include "framework/toolkit/StatusBar.h"

#include "framework/toolkit/detail/IndexCheck.h"
#include "framework/toolkit/detail/Widget.h"

#include <QLabel>
#include <QStatusBar>
#include <algorithm>
#include <vector>

namespace kiv {

using toolkit::QtWidgetAs;

// The labels belong to the bar's widget, which outlives this list.
struct TStatusBar::Panels {
  std::vector<QLabel*> labels;
};

namespace {

std::unique_ptr<TControl::Widget> MakeStatusBarWidget() {
  auto* bar = new QStatusBar();
  // As high as a panel's text needs, before it has any.
  QLabel sample(QStringLiteral("Xg"));
  return toolkit::HiddenWidget(bar, 200,
                               std::max(bar->sizeHint().height(), sample.sizeHint().height() + 6));
}

} // namespace

TStatusBar::TStatusBar(TComponent* AOwner)
    : TControl(AOwner, MakeStatusBarWidget()), FPanels(std::make_unique<Panels>()) {
  SetAlign(TAlign::alBottom);
}

TStatusBar::~TStatusBar() = default;

int TStatusBar::AddPanel(int AWidth) {
  auto* label = new QLabel();
  auto& bar = QtWidgetAs<QStatusBar>(*this);
  if (AWidth < 0) {
    bar.addWidget(label, 1);
  } else {
    label->setFixedWidth(AWidth);
    bar.addWidget(label);
  }
  FPanels->labels.push_back(label);
  return PanelCount() - 1;
}

int TStatusBar::PanelCount() const {
  return static_cast<int>(FPanels->labels.size());
}

std::string TStatusBar::PanelText(int AIndex) const {
  toolkit::CheckIndex("TStatusBar.PanelText", AIndex, PanelCount());
  return FPanels->labels[static_cast<std::size_t>(AIndex)]->text().toStdString();
}

void TStatusBar::SetPanelText(int AIndex, const std::string& AText) {
  toolkit::CheckIndex("TStatusBar.SetPanelText", AIndex, PanelCount());
  FPanels->labels[static_cast<std::size_t>(AIndex)]->setText(toolkit::ToQt(AText));
}

} // namespace kiv
