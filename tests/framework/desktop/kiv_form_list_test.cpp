#include "core/Exceptions.h"
#include "framework/desktop/KivForm_.h"
#include "testing/gui/FormListFixture.h"
#include "testing/support/Failure.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace kiv {
namespace {

using test::PostChain;

// Forms whose run-time class names matter to the list.
class TDupForm : public TKivForm {
public:
  using TKivForm::TKivForm;
};
class TDUPFORM : public TKivForm {
public:
  using TKivForm::TKivForm;
};
class TcomMain : public TKivForm {
public:
  using TKivForm::TKivForm;
};
class TMainForm3D : public TKivForm {
public:
  using TKivForm::TKivForm;
};

template <class Form = TKivForm> Form* NewForm(int tag = 0, const std::string& caption = {}) {
  auto* form = new Form(nullptr);
  form->SetTag(tag);
  form->SetCaption(caption);
  return form;
}

using TKivFormList_ = test::FormListTest;

TEST_F(TKivFormList_, RefusesASecondFormOfOneClassAndNonZeroTag) {
  TKivFormList& list = *KivFormList;
  list.AddForm(*NewForm<TDupForm>(0), true);
  list.AddForm(*NewForm<TDupForm>(0), true);
  list.AddForm(*NewForm<TDupForm>(7), true);
  list.AddForm(*NewForm<TKivForm>(7), true);
  for (TKivForm* form : {static_cast<TKivForm*>(NewForm<TDupForm>(7)),
                         static_cast<TKivForm*>(NewForm<TDUPFORM>(7))}) {
    EXPECT_EQ(test::Failure([&] { list.AddForm(*form, false); }),
              test::Expected("EPelo", "Cannot add non-unique form in TKivFormList.AddForm."));
    // Refused, it keeps the info component it was given first.
    EXPECT_EQ(form->ComponentCount(), 1);
    delete form;
  }
  EXPECT_EQ(list.FormCount(), 4);
}

TEST_F(TKivFormList_, EveryFormButTheMainOnesPopsUpAboveItsParent) {
  TKivFormList& list = *KivFormList;
  TKivForm* forms[] = {NewForm<TcomMain>(), NewForm<TMainForm3D>(), NewForm<TDupForm>()};
  for (TKivForm* form : forms)
    list.AddForm(*form, true);
  EXPECT_EQ(forms[0]->PopupMode, TPopupMode::pmNone);
  EXPECT_EQ(forms[1]->PopupMode, TPopupMode::pmNone);
  EXPECT_EQ(forms[2]->PopupMode, TPopupMode::pmExplicit);
}

TEST_F(TKivFormList_, WindowListFlagAddsOrOnlyChanges) {
  TKivFormList& list = *KivFormList;
  TKivForm* form = NewForm();
  list.SetFormVisibilityInWindowList(*form, true);
  ASSERT_EQ(list.FormCount(), 1);
  EXPECT_TRUE(list.IsInWindowList(0));
  list.SetFormVisibilityInWindowList(*form, false);
  EXPECT_EQ(list.FormCount(), 1);
  EXPECT_FALSE(list.IsInWindowList(0));
  EXPECT_EQ(form->ComponentCount(), 1);
  // A refusal from the add reaches the caller unchanged.
  list.SetFormVisibilityInWindowList(*NewForm<TDupForm>(3), true);
  TKivForm* twin = NewForm<TDupForm>(3);
  EXPECT_EQ(test::Failure([&] { list.SetFormVisibilityInWindowList(*twin, true); }),
            test::Expected("EPelo", "Cannot add non-unique form in TKivFormList.AddForm."));
  delete twin;
}

TEST_F(TKivFormList_, LooksUpByIndexClassAndTag) {
  TKivFormList& list = *KivFormList;
  TKivForm* plain = NewForm<TKivForm>(5);
  TDupForm* first = NewForm<TDupForm>(1);
  TDupForm* second = NewForm<TDupForm>(2);
  for (TKivForm* form : {plain, static_cast<TKivForm*>(first), static_cast<TKivForm*>(second)})
    list.AddForm(*form, false);
  EXPECT_EQ(list.Form(0), plain);
  EXPECT_EQ(list.Form(3), nullptr);
  EXPECT_THROW(list.Form(-1), std::out_of_range);
  EXPECT_EQ(list.FormCount("TDupForm"), 2);
  EXPECT_EQ(list.FormCount("TDUPFORM"), 0);
  EXPECT_EQ(list.Form(1, "TDupForm"), second);
  for (const auto& lookup :
       {std::pair{2, "TDupForm"}, std::pair{0, "TDUPFORM"}, std::pair{0, "TNoSuchForm"}})
    EXPECT_EQ(test::Failure([&] { list.Form(lookup.first, lookup.second); }),
              test::Expected("EPelo", "Form search out of range. Please report this problem."));
  EXPECT_EQ(list.Form("tdupform", 2), second);
  EXPECT_EQ(list.Form("TDupForm", 5), nullptr);
  EXPECT_EQ(
      test::Failure([&] { list.Form("TDupForm", 0); }),
      test::Expected("EPelo", "Error in TKivFormList.Form. Tag=0 is not considered a unique tag."));
}

// A form whose class name cannot be told: a foreign failure inside the list.
class TNamelessForm : public TKivForm {
public:
  using TKivForm::TKivForm;
  std::string ClassName() const override {
    if (failing)
      throw std::runtime_error("no class name");
    return TKivForm::ClassName();
  }
  bool failing = false;
};

TEST_F(TKivFormList_, ForeignFailuresAskToBeReported) {
  TKivFormList& list = *KivFormList;
  auto* listed = NewForm<TNamelessForm>(1);
  list.AddForm(*listed, false);
  listed->failing = true;
  EXPECT_EQ(test::Failure([&] { list.Form("TNamelessForm", 1); }),
            test::Expected("EPFatal", "Error in TKivFormList.Form:\n\rno class name\n\r"
                                      "Please report this problem."));
  TNamelessForm* added = NewForm<TNamelessForm>(2);
  added->failing = true;
  EXPECT_EQ(test::Failure([&] { list.AddForm(*added, false); }),
            test::Expected("EPFatal", "Error in TKivFormList.AddForm:\n\rno class name\n\r"
                                      "Please report this problem."));
  delete added;
}

TEST_F(TKivFormList_, CountsVisibleFormsOfTheWindowListAndEnablesAll) {
  TKivFormList& list = *KivFormList;
  TKivForm* forms[] = {NewForm(), NewForm(), NewForm()};
  list.AddForm(*forms[0], true);
  list.AddForm(*forms[1], true);
  list.AddForm(*forms[2], false);
  for (TKivForm* form : forms)
    form->Show();
  forms[1]->Hide();
  EXPECT_EQ(list.IsInWindowListCount(), 1);
  list.SetEnabled(false);
  for (TKivForm* form : forms)
    EXPECT_FALSE(form->Enabled());
}

TEST_F(TKivFormList_, ADestroyedFormLeavesTheListAtOnce) {
  TKivFormList& list = *KivFormList;
  TKivForm* kept = NewForm();
  TKivForm* gone = NewForm();
  list.AddForm(*kept, false);
  list.AddForm(*gone, false);
  delete gone;
  EXPECT_TRUE(list.IsDanglingForm(gone));
  EXPECT_FALSE(list.IsDanglingForm(kept));
  EXPECT_EQ(list.FormCount(), 1);
}

TEST_F(TKivFormList_, NamesTheLastSemiModalFormEvenHidden) {
  TKivFormList& list = *KivFormList;
  EXPECT_EQ(list.IsSemiModalFormOpen(), "");
  for (const char* caption : {"Locked", "Semi 1", "Semi 2", "Locked too"}) {
    TKivForm* form = NewForm(0, caption);
    form->SetUseLockedModalMode(std::string(caption).starts_with("Locked"));
    list.AddForm(*form, false);
  }
  EXPECT_EQ(list.IsSemiModalFormOpen(), "Semi 2");
}

// Window events handled inside a query destroy listed forms, also ones the query has still to
// visit: each is skipped, none is touched.
TEST_F(TKivFormList_, FormsDestroyedInsideAQueryAreSkipped) {
  TKivFormList& list = *KivFormList;
  const auto fill = [&] {
    std::vector<TKivForm*> forms;
    for (int i = 0; i < 4; ++i) {
      forms.push_back(NewForm<TDupForm>());
      list.AddForm(*forms.back(), true);
      forms.back()->Show();
    }
    return forms;
  };
  std::vector<TKivForm*> forms = fill();
  PostChain({[&] { delete forms[0]; }, [&] { delete forms[2]; }});
  EXPECT_EQ(list.IsInWindowListCount(), 2);

  PostChain({[&] { delete forms[1]; }, [&] { delete forms[3]; }});
  EXPECT_EQ(list.FormCount("TDupForm"), 0);

  forms = fill();
  PostChain({[&] { delete forms[0]; }, [&] { delete forms[3]; }});
  list.SetEnabled(false);
  EXPECT_FALSE(forms[1]->Enabled());
  EXPECT_EQ(list.FormCount(), 2);
}

TEST(TKivFormListStartup, FreesTheFormsStillListed) {
  TKivForm* form = NewForm();
  {
    TKivFormListStartup startup(Application());
    KivFormList->AddForm(*form, false);
    EXPECT_THROW(TKivFormListStartup second(Application()), std::logic_error);
  }
  EXPECT_EQ(KivFormList, nullptr);
  // Freed with the list: a form not freed would be reported as a window left behind.
}

} // namespace
} // namespace kiv
