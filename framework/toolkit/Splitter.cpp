#include "framework/toolkit/Splitter.h"

#include "framework/toolkit/detail/HandlerBoundary.h"
#include "framework/toolkit/detail/Widget.h"

#include <QList>
#include <QSplitter>

namespace kiv {

using toolkit::Guarded;
using toolkit::QtWidgetAs;

namespace {

// Qt makes a widget placed on a splitter its last pane, and drops it when it leaves.
std::unique_ptr<TControl::Widget> MakeSplitterWidget(TSplitOrientation orientation) {
  auto* splitter =
      new QSplitter(orientation == TSplitOrientation::soHorizontal ? Qt::Horizontal : Qt::Vertical);
  return toolkit::HiddenWidget(splitter, 200, 200);
}

} // namespace

TSplitter::TSplitter(TComponent* AOwner, TSplitOrientation AOrientation)
    : TWinControl(AOwner, MakeSplitterWidget(AOrientation)) {
  auto& splitter = QtWidgetAs<QSplitter>(*this);
  QObject::connect(&splitter, &QSplitter::splitterMoved, &splitter, Guarded([this] {
    if (OnMoved)
      OnMoved();
  }));
}

std::vector<int> TSplitter::Sizes() const {
  const QList<int> sizes = QtWidgetAs<QSplitter>(*this).sizes();
  return std::vector<int>(sizes.begin(), sizes.end());
}

void TSplitter::SetSizes(const std::vector<int>& ASizes) {
  QtWidgetAs<QSplitter>(*this).setSizes(QList<int>(ASizes.begin(), ASizes.end()));
}

} // namespace kiv
