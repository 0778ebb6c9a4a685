#include "framework/toolkit/Application.h"
#include "framework/toolkit/Form.h"
#include "framework/toolkit/StandardControls.h"
#include "framework/toolkit/detail/PixelDensity.h"
#include "framework/toolkit/detail/Widget.h"
#include "testing/gui/ModalAnswer.h"

#include <QDropEvent>
#include <QGuiApplication>
#include <QHideEvent>
#include <QImage>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace kiv {
namespace {

using test::ModalAnswer;
using toolkit::QtWidget;

// A form with an OK and a Cancel button that end a modal show.
struct DialogForm {
  DialogForm() {
    ok->SetParent(&form);
    ok->SetModalResult(mrOk);
    cancel->SetParent(&form);
    cancel->SetModalResult(mrCancel);
  }
  TForm form{nullptr};
  TButton* ok = new TButton(&form);
  TButton* cancel = new TButton(&form);
};

ModalAnswer::Answer Press(TButton& button) {
  return [&button](QWidget&) { toolkit::QtWidgetAs<QPushButton>(button).click(); };
}

TEST(TForm, ModalShowReturnsTheResultOfTheButtonPressed) {
  struct Case {
    const char* name;
    TButton* DialogForm::*button;
    TModalResult result;
  };
  for (const Case c :
       {Case{"OK", &DialogForm::ok, mrOk}, Case{"Cancel", &DialogForm::cancel, mrCancel}}) {
    DialogForm dialog;
    ModalAnswer press(Press(*(dialog.*c.button)));
    EXPECT_EQ(dialog.form.ShowModal(), c.result) << c.name;
    EXPECT_FALSE(dialog.form.Visible()) << c.name;
  }
}

TEST(TForm, ModalShowClosedByTheWindowManagerReturnsCancel) {
  DialogForm dialog;
  ModalAnswer close([](QWidget& window) { window.close(); });
  EXPECT_EQ(dialog.form.ShowModal(), mrCancel);
  EXPECT_EQ(dialog.form.ModalResult(), mrCancel);
}

TEST(TForm, MinimizedModalFormGoesOnUntilItsResultIsSet) {
  DialogForm dialog;
  TModalResult afterMinimizing = -1;
  ModalAnswer minimizeThenPress([&](QWidget& window) {
    QHideEvent minimized; // what a window system sends when the window is minimized
    QCoreApplication::sendEvent(&window, &minimized);
    afterMinimizing = dialog.form.ModalResult();
    toolkit::QtWidgetAs<QPushButton>(*dialog.ok).click();
  });
  EXPECT_EQ(dialog.form.ShowModal(), mrOk);
  EXPECT_EQ(afterMinimizing, mrNone);
}

TEST(TForm, CloseQueryCanVetoTheClose) {
  DialogForm dialog;
  int queries = 0;
  dialog.form.OnCloseQuery = [&](bool& canClose) { canClose = ++queries > 1; };
  ModalAnswer close([&](QWidget& window) {
    window.close();
    EXPECT_TRUE(window.isVisible()) << "the first close was vetoed";
    window.close();
  });
  EXPECT_EQ(dialog.form.ShowModal(), mrCancel);
  EXPECT_EQ(queries, 2);
}

TEST(TForm, HandlerThatFreesItsModalFormEndsTheShowWithCancel) {
  auto* form = new TForm(nullptr);
  const QPointer<QWidget> widget(&QtWidget(*form));
  ModalAnswer freeIt([&](QWidget&) { delete form; });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_TRUE(widget.isNull());
}

TEST(TForm, CloseOnlyHides) {
  TForm form(nullptr);
  const QPointer<QWidget> widget(&QtWidget(form));
  form.Show();
  ASSERT_TRUE(form.Visible());
  form.Close();
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(widget.isNull());
}

// Terminating is for good: each case runs in a program of its own.
TEST(TFormDeathTest, ClosingTheMainFormEndsTheProgramsRun) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        auto* form = new TForm(&Application());
        Application().SetMainForm(form);
        QTimer::singleShot(0, [form] { form->Close(); });
        const int code = Application().Run();
        std::exit(code == 0 && Application().Terminated() && !form->Visible() ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

TEST(TForm, ActivationIsReported) {
  TForm first(nullptr);
  TForm second(nullptr);
  std::vector<std::string> firstLog;
  std::vector<std::string> secondLog;
  first.OnActivate = [&] { firstLog.push_back("active"); };
  first.OnDeactivate = [&] { firstLog.push_back("inactive"); };
  second.OnActivate = [&] { secondLog.push_back("active"); };
  first.Show();
  first.Activate();
  ASSERT_TRUE(QTest::qWaitFor([&] { return first.Active(); }));
  second.Show();
  second.Activate();
  ASSERT_TRUE(QTest::qWaitFor([&] { return second.Active(); }));
  EXPECT_EQ(firstLog, (std::vector<std::string>{"active", "inactive"}));
  EXPECT_EQ(secondLog, (std::vector<std::string>{"active"}));
}

TEST(TForm, OuterBoundsIncludeTheFrameAndClientSizeExcludesIt) {
  TForm form(nullptr);
  form.SetCaption("Bounds");
  form.Show();
  form.SetBounds(100, 50, 400, 300);
  EXPECT_EQ((std::vector<int>{form.Left(), form.Top(), form.Width(), form.Height()}),
            (std::vector<int>{100, 50, 400, 300}));
  EXPECT_LT(form.ClientHeight(), 300);
  form.SetClientHeight(160);
  EXPECT_EQ(form.ClientHeight(), 160);
  EXPECT_EQ(form.Caption(), "Bounds");
}

TEST(TForm, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
  struct Case {
    Qt::Key key;
    TModalResult result;
  };
  for (const Case c : {Case{Qt::Key_Return, mrOk}, Case{Qt::Key_Escape, mrCancel}}) {
    DialogForm dialog;
    dialog.ok->SetDefault(true);
    dialog.cancel->SetCancel(true);
    auto* edit = new TEdit(&dialog.form);
    edit->SetParent(&dialog.form);
    ModalAnswer key([&](QWidget&) { QTest::keyClick(&QtWidget(*edit), c.key); });
    EXPECT_EQ(dialog.form.ShowModal(), c.result) << "key " << c.key;
  }
}

TEST(TForm, ScreenCentredFormIsCentredWithItsFrame) {
  TForm form(nullptr);
  form.SetPosition(TPosition::poScreenCenter);
  form.SetClientWidth(400);
  form.SetClientHeight(300);
  form.Show();
  EXPECT_EQ(form.Left(), (1920 - form.Width()) / 2);
  EXPECT_EQ(form.Top(), (1080 - form.Height()) / 2);
}

// Runs on the harness's one screen and, registered once more with two screens side by side
// (KIV_TEST_SCREENS names how many that run has), with the main form on the last one.
TEST(TFormDefaultMonitor, CentresOnThePrimaryScreenOrTheMainForms) {
  const QList<QScreen*> screens = QGuiApplication::screens();
  const char* expected = std::getenv("KIV_TEST_SCREENS");
  ASSERT_EQ(screens.size(), expected ? std::stoi(expected) : 1);
  const QRect primary = screens.front()->geometry();
  const QRect last = screens.back()->geometry();
  TForm mainForm(nullptr);
  mainForm.Show();
  mainForm.SetBounds(last.left() + 100, last.top() + 100, 300, 200);
  ASSERT_EQ(QtWidget(mainForm).screen(), screens.back());
  struct Case {
    TDefaultMonitor monitor;
    bool withMainForm;
    QRect area;
  };
  const Case cases[] = {{TDefaultMonitor::dmPrimary, true, primary},
                        {TDefaultMonitor::dmMainForm, true, last},
                        {TDefaultMonitor::dmMainForm, false, primary}};
  for (const Case& c : cases) {
    Application().SetMainForm(c.withMainForm ? &mainForm : nullptr);
    TForm form(nullptr);
    form.SetPosition(TPosition::poScreenCenter);
    form.SetDefaultMonitor(c.monitor);
    form.SetClientWidth(400);
    form.SetClientHeight(300);
    form.Show();
    EXPECT_EQ(form.Left(), c.area.left() + (c.area.width() - form.Width()) / 2)
        << static_cast<int>(c.monitor) << c.withMainForm;
    EXPECT_EQ(form.Top(), c.area.top() + (c.area.height() - form.Height()) / 2)
        << static_cast<int>(c.monitor) << c.withMainForm;
  }
  Application().SetMainForm(nullptr);
}

TEST(TForm, BorderStyleAndIconsChooseTheWindowKind) {
  struct Case {
    TFormBorderStyle style;
    TBorderIcons icons;
    Qt::WindowFlags wanted;
    Qt::WindowFlags unwanted;
  };
  const Case cases[] = {
      {TFormBorderStyle::bsSizeable, biSystemMenu, Qt::WindowCloseButtonHint,
       Qt::WindowMinimizeButtonHint},
      {TFormBorderStyle::bsDialog, 0, Qt::Dialog, Qt::WindowCloseButtonHint},
      {TFormBorderStyle::bsToolWindow, 0, Qt::Tool, Qt::WindowSystemMenuHint},
      {TFormBorderStyle::bsNone, 0, Qt::FramelessWindowHint, Qt::WindowCloseButtonHint},
  };
  for (const Case& c : cases) {
    TForm form(nullptr);
    form.SetBorderStyle(c.style);
    form.SetBorderIcons(c.icons);
    const Qt::WindowFlags flags = QtWidget(form).windowFlags();
    EXPECT_EQ(flags & c.wanted, c.wanted) << static_cast<int>(c.style);
    EXPECT_FALSE(flags & c.unwanted) << static_cast<int>(c.style);
  }
}

TEST(TForm, WindowStateAndPixelDensity) {
  TForm form(nullptr);
  EXPECT_EQ(form.WindowState(), TWindowState::wsNormal);
  form.SetWindowState(TWindowState::wsMaximized);
  EXPECT_EQ(form.WindowState(), TWindowState::wsMaximized);
  EXPECT_EQ(form.PixelsPerInch(), 96);
}

// Where a canvas is denser one way than the other, the horizontal density counts (the screens of
// the harness are alike both ways).
TEST(TForm, PixelDensityIsTheHorizontalOne) {
  QImage canvas(1, 1, QImage::Format_RGB32);
  canvas.setDotsPerMeterX(qRound(144 / 0.0254));
  canvas.setDotsPerMeterY(qRound(96 / 0.0254));
  EXPECT_EQ(toolkit::PixelsPerInch(canvas), 144);
}

TEST(TForm, FocusGoesToTheControlAskedForOnceShown) {
  TForm form(nullptr);
  auto* first = new TEdit(&form);
  auto* second = new TEdit(&form);
  first->SetParent(&form);
  second->SetParent(&form);
  second->SetFocus();
  form.Show();
  form.Activate();
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.Active(); }));
  EXPECT_TRUE(second->Focused());
  EXPECT_FALSE(first->Focused());
}

TEST(TForm, TakesLocalFilesDroppedOnItAndRefusesAnythingElse) {
  using Files = std::vector<std::string>;
  const QUrl model = QUrl::fromLocalFile("/runs/R&D job/job1.mod");
  const QUrl second = QUrl::fromLocalFile("/runs/job2.mod");
  const QUrl remote("https://example.com/job3.mod");
  struct Case {
    const char* name;
    QList<QUrl> urls;
    bool handler;
    bool accept;
    Files dropped;
  };
  const Case cases[] = {
      {"local files", {model, second}, true, true, {"/runs/R&D job/job1.mod", "/runs/job2.mod"}},
      {"a remote file among them", {model, remote}, true, true, {}},
      {"no handler", {model}, false, true, {}},
      {"files not accepted", {model}, true, false, {}},
  };
  for (const Case& c : cases) {
    TForm form(nullptr);
    Files dropped;
    if (c.handler)
      form.OnDropFiles = [&dropped](const Files& files) { dropped = files; };
    form.SetAcceptFiles(c.accept);
    EXPECT_EQ(form.AcceptFiles(), c.accept) << c.name;
    QMimeData data;
    data.setUrls(c.urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&QtWidget(form), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&QtWidget(form), &drop);
    EXPECT_EQ(enter.isAccepted(), !c.dropped.empty()) << c.name;
    EXPECT_EQ(dropped, c.dropped) << c.name;
  }
}

} // namespace
} // namespace kiv
