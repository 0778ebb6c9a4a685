#include "framework/toolkit/PageControl.h"

#include "framework/toolkit/detail/IndexCheck.h"
#include "framework/toolkit/detail/Widget.h"

#include <QTabWidget>
#include <algorithm>

namespace kiv {

using toolkit::QtWidget;
using toolkit::QtWidgetAs;

namespace {

std::unique_ptr<TControl::Widget> MakePageControlWidget() {
  auto* tabs = new QTabWidget();
  tabs->resize(289, 193);
  return std::make_unique<TControl::Widget>(tabs);
}

} // namespace

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner, MakePageControlWidget()) {}

TPageControl::~TPageControl() {
  for (TTabSheet* page : FPages)
    page->FPageControl = nullptr;
}

TTabSheet& TPageControl::Pages(int AIndex) const {
  toolkit::CheckIndex("TPageControl.Pages", AIndex, PageCount());
  return *FPages[static_cast<std::size_t>(AIndex)];
}

TTabSheet* TPageControl::ActivePage() const {
  const QWidget* current = QtWidgetAs<QTabWidget>(*this).currentWidget();
  for (TTabSheet* page : FPages)
    if (&QtWidget(*page) == current)
      return page;
  return nullptr;
}

void TPageControl::SetActivePage(TTabSheet& APage) {
  QtWidgetAs<QTabWidget>(*this).setCurrentWidget(&QtWidget(APage));
}

void TPageControl::InsertPage(TTabSheet& page) {
  FPages.push_back(&page);
  QtWidgetAs<QTabWidget>(*this).addTab(&QtWidget(page), QString::fromStdString(page.FCaption));
}

void TPageControl::RemovePage(TTabSheet& page) noexcept {
  std::erase(FPages, &page);
  QTabWidget& tabs = QtWidgetAs<QTabWidget>(*this);
  tabs.removeTab(tabs.indexOf(&QtWidget(page)));
}

TTabSheet::TTabSheet(TComponent* AOwner)
    : TWinControl(AOwner, std::make_unique<Widget>(new QWidget())) {}

TTabSheet::~TTabSheet() {
  if (FPageControl)
    FPageControl->RemovePage(*this);
}

void TTabSheet::SetPageControl(TPageControl& APageControl) {
  if (FPageControl)
    FPageControl->RemovePage(*this);
  FPageControl = &APageControl;
  APageControl.InsertPage(*this);
}

std::string TTabSheet::Caption() const {
  return FCaption;
}

void TTabSheet::SetCaption(const std::string& ACaption) {
  FCaption = ACaption;
  if (FPageControl) {
    QTabWidget& tabs = QtWidgetAs<QTabWidget>(*FPageControl);
    tabs.setTabText(tabs.indexOf(&QtWidget(*this)), QString::fromStdString(ACaption));
  }
}

} // namespace kiv
