#include "core/Escalation.h"
#include "framework/desktop/KivForm_.h"
#include "framework/toolkit/ComponentGuard.h"
#include "platform/AsciiText.h"

#include <list>
#include <stdexcept>
#include <utility>

namespace kiv {

TKivFormList* KivFormList = nullptr;

namespace {

// A foreign failure inside routine as a fatal one that asks to be reported; EPelo passes.
template <class Body> decltype(auto) ReportingForeignFailures(const char* routine, Body&& body) {
  try {
    return body();
  } catch (const EPelo&) {
    throw;
  } catch (const std::exception& e) {
    throw EPFatal(std::string("Error in TKivFormList.") + routine + ":\n\r" + e.what() +
                      "\n\rPlease report this problem.",
                  std::current_exception());
  }
}

// The forms listed now, each watched: a window event handled while a loop walks them may
// destroy any of them, and the loop skips those.
using TSnapshot = std::list<TComponentGuard<TKivForm>>;

TKivFormInfo* FirstInfo(const TKivForm& form) {
  for (int i = 0; i < form.ComponentCount(); ++i)
    if (auto* info = dynamic_cast<TKivFormInfo*>(&form.Components(i)))
      return info;
  return nullptr;
}

} // namespace

TKivFormList::~TKivFormList() = default;

TKivForm& TKivFormList::Entry(int index) const {
  return static_cast<TKivForm&>(FFormList.Items(index));
}

namespace {

TSnapshot SnapshotOf(const TKivFormList& list, int count,
                     TKivForm& (TKivFormList::*entry)(int) const) {
  TSnapshot snapshot;
  for (int i = 0; i < count; ++i)
    snapshot.emplace_back(&(list.*entry)(i));
  return snapshot;
}

} // namespace

void TKivFormList::AddForm(TKivForm& Form, bool InWindowList) {
  ReportingForeignFailures("AddForm", [&] {
    new TKivFormInfo(&Form, InWindowList);
    const std::string className = platform::AsciiUpperCase(Form.ClassName());
    for (int i = 0; i < FFormList.Count(); ++i) {
      const TKivForm& listed = Entry(i);
      if (Form.Tag() != 0 && Form.Tag() == listed.Tag() &&
          platform::AsciiUpperCase(listed.ClassName()) == className)
        throw EPelo("Cannot add non-unique form in TKivFormList.AddForm.");
    }
    // The main windows keep their own popup mode.
    if (Form.ClassName() != "TcomMain" && Form.ClassName() != "TMainForm3D")
      Form.PopupMode = TPopupMode::pmExplicit;
    FFormList.Add(Form);
    Application().ProcessMessages();
  });
}

void TKivFormList::SetFormVisibilityInWindowList(TKivForm& inForm, bool VisibleInList) {
  GuardEscalating(ClassName(), "SetFormVisibilityInWindowList", [&] {
    if (FFormList.IndexOf(inForm) >= 0) {
      for (int i = 0; i < inForm.ComponentCount(); ++i)
        if (auto* info = dynamic_cast<TKivFormInfo*>(&inForm.Components(i)))
          info->FIsInWindowList = VisibleInList;
    } else {
      AddForm(inForm, VisibleInList);
    }
    Application().ProcessMessages();
  });
}

int TKivFormList::FormCount() {
  Application().ProcessMessages();
  return FFormList.Count();
}

int TKivFormList::FormCount(const std::string& FormClassName) {
  int count = 0;
  for (const auto& form : SnapshotOf(*this, FormCount(), &TKivFormList::Entry)) {
    Application().ProcessMessages();
    if (form && form->ClassName() == FormClassName)
      ++count;
  }
  return count;
}

TKivForm* TKivFormList::Form(int FormIndex) {
  if (FormIndex >= FormCount())
    return nullptr;
  return &Entry(FormIndex);
}

TKivForm* TKivFormList::Form(int FormIndex, const std::string& FormClassName) {
  int number = -1;
  for (int i = 0; i < FormCount(); ++i) {
    TKivForm& form = Entry(i);
    if (form.ClassName() == FormClassName && ++number == FormIndex)
      return &form;
  }
  throw EPelo("Form search out of range. Please report this problem.");
}

TKivForm* TKivFormList::Form(const std::string& iFormClassName, int iFormTag) {
  return ReportingForeignFailures("Form", [&]() -> TKivForm* {
    if (iFormTag == 0)
      throw EPelo("Error in TKivFormList.Form. Tag=0 is not considered a unique tag.");
    const std::string wanted = platform::AsciiUpperCase(iFormClassName);
    for (int i = 0; i < FormCount(); ++i) {
      TKivForm& form = Entry(i);
      if (platform::AsciiUpperCase(form.ClassName()) == wanted && form.Tag() == iFormTag)
        return &form;
    }
    return nullptr;
  });
}

bool TKivFormList::IsInWindowList(int FormIndex) {
  Application().ProcessMessages();
  const TKivFormInfo* info = FirstInfo(Entry(FormIndex));
  return info && info->IsInWindowList();
}

int TKivFormList::IsInWindowListCount() {
  return GuardEscalating(ClassName(), "IsInWindowListCount", [&] {
    int count = 0;
    for (const auto& form : SnapshotOf(*this, FormCount(), &TKivFormList::Entry)) {
      Application().ProcessMessages();
      if (!form)
        continue;
      const TKivFormInfo* info = FirstInfo(*form.Get());
      if (info && info->IsInWindowList() && form->Visible())
        ++count;
    }
    return count;
  });
}

void TKivFormList::SetEnabled(bool iEnabled) {
  for (const auto& form : SnapshotOf(*this, FormCount(), &TKivFormList::Entry)) {
    Application().ProcessMessages();
    if (form)
      form->SetEnabled(iEnabled);
  }
}

bool TKivFormList::IsDanglingForm(const TKivForm* inForm) {
  Application().ProcessMessages();
  return !inForm || FFormList.IndexOf(*inForm) < 0;
}

std::string TKivFormList::IsSemiModalFormOpen() const {
  for (int i = FFormList.Count() - 1; i >= 0; --i)
    if (!Entry(i).UseLockedModalMode())
      return Entry(i).Caption();
  return {};
}

TKivFormListStartup::TKivFormListStartup(TApplication& AApplication) : FApplication(AApplication) {
  if (KivFormList)
    throw std::logic_error("TKivFormListStartup: a program has one form list");
  KivFormList = new TKivFormList;
}

TKivFormListStartup::~TKivFormListStartup() {
  // Forms freed with the list may still query it: it is gone for them.
  delete std::exchange(KivFormList, nullptr);
  FApplication.ProcessMessages();
}

} // namespace kiv
