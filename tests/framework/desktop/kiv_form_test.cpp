#include "core/Exceptions.h"
#include "framework/desktop/KivForm_.h"
#include "framework/toolkit/ComponentGuard.h"
#include "framework/toolkit/StandardControls.h"
#include "framework/toolkit/detail/Widget.h"
#include "testing/gui/FormListFixture.h"
#include "testing/support/Failure.h"

#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>
#include <stdexcept>

namespace kiv {
namespace {

using test::PostChain;

TEST(TKivForm, StartsLockedWithKeyPreviewAndWikiHelp) {
  TKivForm form(nullptr);
  EXPECT_TRUE(form.UseLockedModalMode());
  EXPECT_TRUE(form.KeyPreview);
  EXPECT_TRUE(form.WikiHelpEnabled());
  EXPECT_EQ(form.WikiHelpFormName(), "");
  EXPECT_EQ(form.PopupMode, TPopupMode::pmNone);
}

// A semi-modal form leaves the other windows usable; a button that sets the modal result ends
// the show with it, the form hidden and no longer marked modal.
TEST(TKivForm, SemiModalShowKeepsOtherWindowsUsable) {
  TKivForm other(nullptr);
  other.Show();
  TKivForm form(nullptr);
  form.SetUseLockedModalMode(false);
  auto* ok = new TButton(&form);
  ok->SetParent(&form);
  ok->SetModalResult(mrOk);
  bool otherUsable = false;
  TFormState stateDuringShow = 0;
  PostChain({[&] {
    stateDuringShow = form.FormState();
    otherUsable = other.Enabled() && toolkit::QtWidget(other).isEnabled() &&
                  QApplication::activeModalWidget() == nullptr;
    ok->Click();
  }});
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_TRUE(otherUsable);
  EXPECT_EQ(stateDuringShow, fsModal);
  EXPECT_EQ(form.FormState(), 0u);
  EXPECT_FALSE(form.Visible());
}

TEST(TKivForm, ACloseVetoKeepsTheSemiModalShowRunning) {
  TKivForm form(nullptr);
  form.SetUseLockedModalMode(false);
  int asked = 0;
  bool visibleAfterVeto = false;
  form.OnCloseQuery = [&](bool& canClose) { canClose = ++asked > 1; };
  PostChain(
      {[&] { form.Close(); }, [&] { visibleAfterVeto = form.Visible(); }, [&] { form.Close(); }});
  EXPECT_EQ(form.ShowModal(), mrCancel);
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(visibleAfterVeto);
  EXPECT_FALSE(form.Visible());
}

// A window event that destroys the form inside its own show ends the show untouched.
TEST(TKivForm, AFormDestroyedInsideItsSemiModalShowIsNotTouched) {
  auto* form = new TKivForm(nullptr);
  form->SetUseLockedModalMode(false);
  QTimer::singleShot(0, [form] { delete form; });
  EXPECT_EQ(form->ShowModal(), mrCancel);
}

TEST(TKivForm, AFailureInTheSemiModalShowIsWrappedAndTheFormHidden) {
  TKivForm form(nullptr);
  form.SetUseLockedModalMode(false);
  form.OnActivate = [] { throw std::runtime_error("no activation"); };
  EXPECT_EQ(test::Failure([&] { form.ShowModal(); }),
            test::Expected("EPFatal", "TKivForm.ShowModal\nno activation"));
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(form.FormState(), 0u);
}

TEST(TKivForm, LockedShowIsTheToolkitsModalOne) {
  TKivForm form(nullptr);
  bool modal = false;
  PostChain({[&] {
    modal = QApplication::activeModalWidget() == &toolkit::QtWidget(form);
    form.SetModalResult(mrOk);
  }});
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_TRUE(modal);
}

// Terminating is for good: the case runs in a program of its own.
TEST(TKivFormDeathTest, AQuitDuringASemiModalShowEndsItWithCancel) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        TKivForm form(nullptr);
        form.SetUseLockedModalMode(false);
        QTimer::singleShot(0, [] {
          QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(QEvent::Quit));
        });
        const TModalResult result = form.ShowModal();
        std::exit(result == mrCancel && !form.Visible() && form.FormState() == 0 ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace kiv
