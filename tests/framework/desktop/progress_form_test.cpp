#include "core/Exceptions.h"
#include "framework/desktop/ProgressForm_.h"
#include "framework/toolkit/Appearance.h"
#include "framework/toolkit/ComponentGuard.h"
#include "framework/toolkit/detail/Widget.h"
#include "testing/gui/FormListFixture.h"
#include "testing/gui/ModalAnswer.h"
#include "testing/support/Failure.h"

#include <QLabel>
#include <QMessageBox>
#include <QPoint>
#include <QProgressBar>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <tuple>

namespace kiv {
namespace {

using test::ClickMessageBoxButton;
using test::ModalAnswer;
using toolkit::QtWidgetAs;

// What the levels show: each bar's position and maximum, each text line, the client height.
struct Levels {
  TProgressForm& form;
  std::vector<int> Positions() const {
    return {form.ProgressBar->Position(), form.ProgressBar2->Position(),
            form.ProgressBar3->Position()};
  }
};

TEST(TProgressForm, StartsWithLevelOneOnly) {
  TProgressForm form(nullptr);
  EXPECT_EQ(form.FormCaption(), "Progress");
  EXPECT_EQ(form.MainLabel(), "Import Progress:");
  EXPECT_TRUE(FontBold(*form.lMainLabel));
  EXPECT_FALSE(form.lImportText->Visible());
  EXPECT_EQ(form.ProgressBar->Position(), 0);
  EXPECT_EQ(form.NumberOfSteps(), 5);
  EXPECT_TRUE(form.ShowProgressBar());
  EXPECT_FALSE(form.Panel2->Visible());
  EXPECT_FALSE(form.Panel3->Visible());
  EXPECT_FALSE(form.PanelAbort->Visible());
  EXPECT_FALSE(form.AbortCheckActive());
  EXPECT_FALSE(form.AbortRequested());
  EXPECT_EQ(form.ClientHeight(), 75);
  EXPECT_EQ(form.ClientWidth(), 317);
  EXPECT_EQ(form.FormPosition(), TPosition::poScreenCenter);
  EXPECT_EQ(form.DefaultMonitor(), TDefaultMonitor::dmMainForm);
}

TEST(TProgressForm, StepsFillTheBarAndStopAtItsMaximum) {
  TProgressForm form(nullptr);
  for (int i = 0; i < 5; ++i)
    form.Step("Row " + std::to_string(i));
  EXPECT_EQ(form.ProgressBar->Position(), 5);
  EXPECT_TRUE(form.lImportText->Visible());
  EXPECT_EQ(form.SecondaryLabel(), "Row 4");
  form.Step();
  EXPECT_EQ(form.ProgressBar->Position(), 5);
  EXPECT_FALSE(form.lImportText->Visible());
}

TEST(TProgressForm, LevelStepsTouchOnlyTheirLevel) {
  TProgressForm form(nullptr);
  const Levels levels{form};
  form.Step2("hidden");
  form.Step3("hidden");
  EXPECT_EQ(levels.Positions(), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(form.lImportText2->Caption(), "None");
  form.Step2();
  form.Step3();
  EXPECT_EQ(levels.Positions(), (std::vector<int>{0, 1, 1}));
  form.Step("level 3", 3);
  form.Step(2);
  EXPECT_EQ(levels.Positions(), (std::vector<int>{0, 2, 2}));
  EXPECT_EQ(form.lImportText3->Caption(), "level 3");
  for (int level : {0, 4}) {
    bool handled = false;
    test::PostChain({[&] { handled = true; }});
    form.Step("nowhere", level);
    EXPECT_TRUE(handled) << level;
    form.Step(level);
    form.NumSteps(9, level);
    form.ClearPBar(level);
  }
  EXPECT_EQ(levels.Positions(), (std::vector<int>{0, 2, 2}));
  EXPECT_EQ(form.NumberOfSteps(), 5);
  form.SetShowProgressBar2(true);
  form.Step2("shown");
  EXPECT_EQ(form.lImportText2->Caption(), "shown");
  form.Step("one");
  form.ProgressClear();
  EXPECT_EQ(levels.Positions(), (std::vector<int>{0, 3, 2}));
  EXPECT_EQ(form.SecondaryLabel(), "");
  form.ClearPBar(2);
  EXPECT_EQ(levels.Positions(), (std::vector<int>{0, 0, 2}));
  EXPECT_EQ(form.lImportText2->Caption(), "");
  EXPECT_EQ(form.lImportText3->Caption(), "level 3");
  form.SetNumberOfSteps3(40);
  EXPECT_EQ(form.NumberOfSteps3(), 40);
}

// The client height follows what is shown: 75 for level 1 with its bar, 55 without, 55 for each
// further level, 33 for the Abort panel once the layout is recomputed.
TEST(TProgressForm, ClientHeightFollowsTheLevelsShown) {
  TProgressForm form(nullptr);
  form.ShowPBar(false, 2);
  EXPECT_TRUE(form.Panel2->Visible());
  EXPECT_TRUE(form.lImportText2->Visible());
  EXPECT_FALSE(form.ProgressBar2->Visible());
  EXPECT_EQ(form.ClientHeight(), 75 + 55);
  form.ShowPBar(true, 3);
  EXPECT_EQ(form.ClientHeight(), 75 + 55 + 55);
  form.SetAbortCheckActive(true);
  EXPECT_FALSE(form.PanelAbort->Visible());
  form.ShowPBar(true, 2);
  EXPECT_TRUE(form.PanelAbort->Visible());
  EXPECT_EQ(form.ClientHeight(), 75 + 55 + 55 + 33);
  // The levels stay in their order: 1, 2, 3, Abort.
  EXPECT_LT(form.Panel1->Top(), form.Panel2->Top());
  EXPECT_LT(form.Panel2->Top(), form.Panel3->Top());
  EXPECT_LT(form.Panel3->Top(), form.PanelAbort->Top());
  form.ShowPanel(false, 2);
  EXPECT_FALSE(form.Panel2->Visible());
  EXPECT_FALSE(form.Panel3->Visible());
  EXPECT_EQ(form.ClientHeight(), 75 + 33);
  form.SetShowProgressBar(false);
  EXPECT_EQ(form.ClientHeight(), 55 + 33);
  form.ShowPanel(false, 1);
  EXPECT_EQ(form.ClientHeight(), 33);
}

// Abort asks at its place; No keeps the window, Yes closes it and requests the abort, and a later
// close does not ask again.
TEST(TProgressForm, AbortAsksAndRemembersTheAnswer) {
  TProgressForm form(nullptr);
  form.SetAbortCheckActive(true);
  form.ShowPBar(true, 1);
  form.Show();
  std::string question;
  QPoint boxPlace;
  const auto answer = [&](int button) {
    return [&, button](QWidget& box) {
      boxPlace = box.pos();
      ClickMessageBoxButton(button, &question)(box);
    };
  };
  {
    ModalAnswer no(answer(QMessageBox::No));
    form.ButtonAbort->Click();
  }
  EXPECT_EQ(question, "Abort processing?");
  EXPECT_EQ(boxPlace, QPoint(form.Left() + form.Width() / 2 - 100, form.Top() + 100));
  EXPECT_TRUE(form.Visible());
  EXPECT_FALSE(form.AbortRequested());
  EXPECT_TRUE(form.AbortCheckActive());
  {
    ModalAnswer yes(answer(QMessageBox::Yes));
    form.Close();
  }
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(form.AbortRequested());
  EXPECT_FALSE(form.AbortCheckActive());
  form.Show();
  form.Close();
  EXPECT_FALSE(form.Visible());
}

// The Abort button pressed while the caller's loop steps: the answer shows once the step returns.
TEST(TProgressForm, AnAbortConfirmedInsideAStepShowsAfterIt) {
  TProgressForm form(nullptr);
  form.SetAbortCheckActive(true);
  form.UpdateFormSize();
  form.Show();
  test::PostChain({[&] { form.ButtonAbort->Click(); }});
  ModalAnswer yes(ClickMessageBoxButton(QMessageBox::Yes));
  form.Step("working");
  EXPECT_TRUE(form.AbortRequested());
}

// A handler run inside a step destroys the window: the step touches nothing of it afterwards.
TEST(TProgressForm, AWindowDestroyedInsideAStepIsNotTouched) {
  for (int operation = 0; operation < 3; ++operation) {
    auto* form = new TProgressForm(nullptr);
    const TComponentGuard<TProgressForm> alive(form);
    test::PostChain({[form] { delete form; }});
    switch (operation) {
    case 0:
      form->Step();
      break;
    case 1:
      form->SetMainLabel("Importing");
      break;
    default:
      form->Step2();
      break;
    }
    EXPECT_FALSE(alive) << operation;
  }
}

// A window whose show interval runs on the test's clock.
class TClockedProgress : public TProgressForm {
public:
  using TProgressForm::TProgressForm;
  std::uint64_t Now = 1000;

protected:
  std::uint64_t TickCount() const override { return Now; }
};

// While the window shows, a step's values reach the screen once the show interval has passed
// since the controls last painted, or at once by the step that completes the level; the
// controls' getters, as the window's, give the latest values all the while, and clearing or
// hiding the window lets the controls paint.
TEST(TProgressForm, AShownWindowShowsStepsOncePerIntervalAndWhenALevelCompletes) {
  TClockedProgress form(nullptr);
  form.SetNumberOfSteps(4);
  form.SetShowProgressBar2(true);
  form.Show();
  const auto shown = [&] {
    return std::make_tuple(QtWidgetAs<QProgressBar>(*form.ProgressBar).value(),
                           QtWidgetAs<QLabel>(*form.lImportText).text().toStdString(),
                           QtWidgetAs<QProgressBar>(*form.ProgressBar2).value());
  };
  const auto latest = [&] {
    EXPECT_EQ(form.SecondaryLabel(), form.lImportText->Caption());
    return std::make_tuple(form.ProgressBar->Position(), form.lImportText->Caption(),
                           form.ProgressBar2->Position());
  };
  form.Step("Row 1");
  form.Now += TProgressForm::kShowInterval - 1;
  form.Step("Row 2");
  form.Step2();
  EXPECT_EQ(latest(), std::make_tuple(2, std::string("Row 2"), 1));
  EXPECT_EQ(shown(), std::make_tuple(0, std::string("None"), 0));
  EXPECT_TRUE(form.lImportText->Visible());
  form.Now += 1;
  form.Step("Row 3");
  EXPECT_EQ(shown(), std::make_tuple(3, std::string("Row 3"), 1));
  form.Step2();
  form.Step("Row 4");
  EXPECT_EQ(shown(), std::make_tuple(4, std::string("Row 4"), 2));
  form.Step("Beyond the end");
  EXPECT_EQ(latest(), std::make_tuple(4, std::string("Beyond the end"), 2));
  EXPECT_EQ(shown(), std::make_tuple(4, std::string("Row 4"), 2));
  form.ProgressClear();
  form.Step("Again 1");
  EXPECT_EQ(latest(), std::make_tuple(1, std::string("Again 1"), 2));
  EXPECT_EQ(shown(), std::make_tuple(0, std::string(""), 2));
  form.Hide();
  EXPECT_EQ(shown(), latest());
  form.Step("Hidden 2");
  EXPECT_EQ(shown(), std::make_tuple(2, std::string("Hidden 2"), 2));
}

// A window of the program's own class, with a text line that fails to show.
class TImportProgress : public TProgressForm {
public:
  using TProgressForm::TProgressForm;
};

class TFailingLabel : public TLabel {
public:
  using TLabel::TLabel;
  void SetVisible(bool) override { throw std::runtime_error("no text line"); }
};

TEST(TProgressForm, AFailureNamesTheWindowsClassAndTheOperation) {
  TImportProgress form(nullptr);
  form.lImportText = new TFailingLabel(&form);
  EXPECT_EQ(test::Failure([&] { form.SetShowProgressBar(true); }),
            test::Expected("EPFatal", "TImportProgress.SetShowProgressbar\nno text line"));
}

} // namespace
} // namespace kiv
