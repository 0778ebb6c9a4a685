#include "framework/toolkit/Form.h"
#include "framework/toolkit/Panel.h"
#include "framework/toolkit/Splitter.h"
#include "framework/toolkit/StatusBar.h"
#include "framework/toolkit/detail/Widget.h"
#include "testing/support/Failure.h"

#include <QLabel>
#include <QMouseEvent>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace kiv {
namespace {

TEST(TStatusBar, SticksToTheFormsBottomWithItsPanels) {
  TForm form(nullptr);
  form.SetClientWidth(400);
  form.SetClientHeight(300);
  auto* bar = new TStatusBar(&form);
  bar->SetParent(&form);
  EXPECT_EQ(bar->Align(), TAlign::alBottom);
  EXPECT_EQ(bar->Top() + bar->Height(), 300);
  EXPECT_EQ(bar->Width(), 400);
  EXPECT_GT(bar->Height(), 0);

  EXPECT_EQ(bar->AddPanel(120), 0);
  EXPECT_EQ(bar->AddPanel(-1), 1);
  EXPECT_EQ(bar->PanelCount(), 2);
  bar->SetPanelText(0, "x = 1250 m");
  bar->SetPanelText(1, "C:\\runs\\job1.mod");
  EXPECT_EQ(bar->PanelText(0), "x = 1250 m");
  EXPECT_EQ(bar->PanelText(1), "C:\\runs\\job1.mod");
  EXPECT_EQ(test::Failure([&] { bar->SetPanelText(2, "z"); }),
            test::Expected("foreign", "TStatusBar.SetPanelText: index 2 out of range"));

  form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&toolkit::QtWidget(form)));
  const auto labels = toolkit::QtWidget(*bar).findChildren<QLabel*>();
  ASSERT_EQ(labels.size(), 2);
  EXPECT_EQ(labels[0]->width(), 120);
  // The last panel takes what is left of the bar.
  EXPECT_GT(labels[1]->width(), 200);
}

// A form shown with a splitter filling it: a pane holding a panel at its top and one filling the
// rest, then an empty pane.
struct SplitterOnForm {
  explicit SplitterOnForm(TSplitOrientation orientation)
      : splitter(new TSplitter(&form, orientation)) {
    form.SetClientWidth(400);
    form.SetClientHeight(300);
    splitter->SetParent(&form);
    splitter->SetAlign(TAlign::alClient);
    for (TPanel* pane : {left, right})
      pane->SetParent(splitter);
    top->SetParent(left);
    top->SetHeight(30);
    top->SetAlign(TAlign::alTop);
    fill->SetParent(left);
    fill->SetAlign(TAlign::alClient);
    form.Show();
  }

  TForm form{nullptr};
  TSplitter* splitter;
  TPanel* left = new TPanel(&form);
  TPanel* right = new TPanel(&form);
  TPanel* top = new TPanel(&form);
  TPanel* fill = new TPanel(&form);
};

TEST(TSplitter, PanesInPlacingOrderTakeTheSizesSetAndLayOutTheirControls) {
  SplitterOnForm fixture(TSplitOrientation::soHorizontal);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&toolkit::QtWidget(fixture.form)));
  auto& splitter = toolkit::QtWidgetAs<QSplitter>(*fixture.splitter);
  ASSERT_EQ(splitter.count(), 2);
  EXPECT_EQ(splitter.widget(0), &toolkit::QtWidget(*fixture.left));
  EXPECT_EQ(splitter.widget(1), &toolkit::QtWidget(*fixture.right));
  EXPECT_EQ(fixture.splitter->Width(), 400);

  const int bar = splitter.handleWidth();
  fixture.splitter->SetSizes({100, 400 - bar - 100});
  EXPECT_EQ(fixture.splitter->Sizes(), (std::vector<int>{100, 400 - bar - 100}));
  EXPECT_EQ(fixture.left->Width(), 100);
  EXPECT_EQ(fixture.right->Left(), 100 + bar);
  // The splitter sizes its panes, whatever their Align says.
  fixture.right->SetAlign(TAlign::alClient);
  EXPECT_EQ(fixture.right->Left(), 100 + bar);
  // The pane's aligned controls follow it.
  const int inner = fixture.left->ClientWidth();
  EXPECT_EQ(fixture.top->Width(), inner);
  EXPECT_EQ(fixture.fill->Width(), inner);
  EXPECT_EQ(fixture.fill->Top(), fixture.top->Top() + 30);
  EXPECT_EQ(fixture.fill->Top() + fixture.fill->Height(),
            fixture.left->ClientHeight() + fixture.top->Top());

  fixture.splitter->SetSizes({250, 400 - bar - 250});
  EXPECT_EQ(fixture.fill->Width(), fixture.left->ClientWidth());
  EXPECT_GT(fixture.fill->Width(), inner);

  // A control taken off the splitter leaves its panes.
  fixture.right->SetParent(nullptr);
  EXPECT_EQ(splitter.count(), 1);
}

TEST(TSplitter, DraggingABarCallsOnMoved) {
  SplitterOnForm fixture(TSplitOrientation::soVertical);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&toolkit::QtWidget(fixture.form)));
  const int before = fixture.splitter->Sizes().front();
  int moves = 0;
  fixture.splitter->OnMoved = [&] { ++moves; };
  QSplitterHandle& handle = *toolkit::QtWidgetAs<QSplitter>(*fixture.splitter).handle(1);
  const QPointF grip(handle.width() / 2.0, handle.height() / 2.0);
  const auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButtons held) {
    QMouseEvent event(type, at, handle.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&handle, &event);
  };
  send(QEvent::MouseButtonPress, grip, Qt::LeftButton);
  send(QEvent::MouseMove, grip + QPointF(0, 40), Qt::LeftButton);
  send(QEvent::MouseButtonRelease, grip + QPointF(0, 40), Qt::NoButton);
  EXPECT_GE(moves, 1);
  EXPECT_EQ(fixture.splitter->Sizes().front(), before + 40);
}

} // namespace
} // namespace kiv
