#include "framework/toolkit/PageControl.h"

#include "framework/toolkit/detail/IndexCheck.h"
#include "framework/toolkit/detail/Widget.h"

#include <QTabWidget>
#include <algorithm>

namespace kiv {

using toolkit::CheckIndex;
using toolkit::MakeWidget;
using toolkit::QtWidget;
using toolkit::QtWidgetAs;
using toolkit::ToQt;

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

TTabSheet* TPageControl::ActivePage() const {
  const int index = ActivePageIndex();
  return index < 0 ? nullptr : FPages[static_cast<std::size_t>(index)];
}

void TPageControl::SetActivePage(TTabSheet& APage) {
  QtWidgetAs<QTabWidget>(*this).setCurrentWidget(&QtWidget(APage));
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
