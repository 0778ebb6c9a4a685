#include "framework/toolkit/Containers.h"

#include "framework/toolkit/detail/IndexCheck.h"
#include "framework/toolkit/detail/Widget.h"

#include <QFrame>
#include <QGroupBox>
#include <QTabWidget>
#include <algorithm>

namespace kiv {

using toolkit::CheckIndex;
using toolkit::QtWidget;
using toolkit::QtWidgetAs;

namespace {

QString ToQt(const std::string& text) {
  return QString::fromStdString(text);
}

template <class QtClass> std::unique_ptr<TControl::Widget> MakeWidget(int AWidth, int AHeight) {
  auto* widget = new QtClass();
  widget->resize(AWidth, AHeight);
  widget->setVisible(false);
  return std::make_unique<TControl::Widget>(widget);
}

} // namespace

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner, MakeWidget<QGroupBox>(185, 105)) {}

std::string TGroupBox::Caption() const {
  return QtWidgetAs<QGroupBox>(*this).title().toStdString();
}

void TGroupBox::SetCaption(const std::string& ACaption) {
  QtWidgetAs<QGroupBox>(*this).setTitle(ToQt(ACaption));
}

TFrame::TFrame(TComponent* AOwner) : TWinControl(AOwner, MakeWidget<QFrame>(320, 240)) {}

TPageControl::TPageControl(TComponent* AOwner)
    : TWinControl(AOwner, MakeWidget<QTabWidget>(289, 193)) {}

TPageControl::~TPageControl() {
  while (!FPages.empty())
    FPages.back()->SetPageControl(nullptr);
}

TTabSheet& TPageControl::Pages(int AIndex) const {
  CheckIndex("TPageControl.Pages", AIndex, PageCount());
  return *FPages[static_cast<std::size_t>(AIndex)];
}

int TPageControl::ActivePageIndex() const {
  return QtWidgetAs<QTabWidget>(*this).currentIndex();
}

void TPageControl::SetActivePageIndex(int AIndex) {
  CheckIndex("TPageControl.ActivePageIndex", AIndex, PageCount());
  QtWidgetAs<QTabWidget>(*this).setCurrentIndex(AIndex);
}

void TPageControl::InsertPage(TTabSheet& sheet) {
  FPages.push_back(&sheet);
  QtWidgetAs<QTabWidget>(*this).addTab(&QtWidget(sheet), ToQt(sheet.FCaption));
}

void TPageControl::RemovePage(TTabSheet& sheet) noexcept {
  const auto found = std::find(FPages.begin(), FPages.end(), &sheet);
  if (found == FPages.end())
    return;
  QtWidgetAs<QTabWidget>(*this).removeTab(static_cast<int>(found - FPages.begin()));
  FPages.erase(found);
  QWidget& widget = QtWidget(sheet);
  widget.setParent(nullptr);
  widget.setVisible(false);
}

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner, MakeWidget<QWidget>(281, 165)) {}

TTabSheet::~TTabSheet() {
  SetPageControl(nullptr);
}

void TTabSheet::SetPageControl(TPageControl* APageControl) {
  if (APageControl == FPageControl)
    return;
  if (FPageControl)
    FPageControl->RemovePage(*this);
  FPageControl = APageControl;
  if (FPageControl)
    FPageControl->InsertPage(*this);
}

std::string TTabSheet::Caption() const {
  return FCaption;
}

void TTabSheet::SetCaption(const std::string& ACaption) {
  FCaption = ACaption;
  if (!FPageControl)
    return;
  auto& tabs = QtWidgetAs<QTabWidget>(*FPageControl);
  tabs.setTabText(tabs.indexOf(&QtWidget(*this)), ToQt(ACaption));
}

} // namespace kiv
