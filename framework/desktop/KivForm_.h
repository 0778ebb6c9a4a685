#pragma once

// The framework unit KivForm_: the base form of the suite's windows (TKivForm) with F1 wiki help
// and the semi-modal show, the component that marks a form for the window list (TKivFormInfo),
// and the process-wide list of open forms (TKivFormList, KivFormList).

#include "framework/toolkit/Application.h"
#include "framework/toolkit/ComponentList.h"
#include "framework/toolkit/Form.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kiv {

// The base of every window of the suite's desktop programs.
class TKivForm : public TForm {
public:
  // Locked modal mode, key preview on, wiki help on under the class name; inside a program whose
  // file name contains "Corvale" (any case) the form pops up above its parent (pmExplicit).
  explicit TKivForm(TComponent* iOwner);

  // true: ShowModal disables every other window until the form closes; false: the semi-modal
  // show, which leaves them usable.
  bool UseLockedModalMode() const noexcept { return FUseLockedModalMode; }
  void SetUseLockedModalMode(bool AValue) noexcept { FUseLockedModalMode = AValue; }
  // The section of the help index for this form; empty: its class name.
  const std::string& WikiHelpFormName() const noexcept { return FWikiHelpFormName; }
  void SetWikiHelpFormName(const std::string& AValue);
  // Whether F1 looks up the form's wiki page.
  bool WikiHelpEnabled() const noexcept { return FWikiHelpEnabled; }
  void SetWikiHelpEnabled(bool AValue) noexcept { FWikiHelpEnabled = AValue; }

  // Locked: the toolkit's modal show. Semi-modal: shows the form and handles messages until its
  // modal result is set and CloseQuery allows it (or the program terminates: mrCancel); then
  // hides it. A form destroyed inside the show ends it with mrCancel, untouched.
  TModalResult ShowModal() override;
  // F1 (with wiki help on) opens the form's wiki page, or tells that there is none; other keys
  // go on to OnKeyDown.
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  // Looks up the form's page in the help index beside the executable and hands it to the shell;
  // true when a page was handed on. Never throws.
  bool ShowWikiHelp();

private:
  TModalResult ShowSemiModal();
  std::string WikiHelpPage();

  bool FUseLockedModalMode = true;
  std::string FWikiHelpFormName;
  bool FWikiHelpEnabled = true;
};

// What F1 says when a form has no wiki page: the sentence that sends the user to AContact, the
// support contact, is left out while there is none.
std::string WikiHelpUnavailableText(const std::string& AContact);

// Carried by a listed form: whether the program's window list shows it. Created with the form as
// owner, it lives as long as the form.
class TKivFormInfo : public TComponent {
public:
  TKivFormInfo(TComponent* AOwner, bool iIsInWindowList);
  bool IsInWindowList() const noexcept { return FIsInWindowList; }

private:
  friend class TKivFormList;
  bool FIsInWindowList;
};

// The open forms of the program in the order they were added. The list owns them: destroying it
// destroys every form still listed; a form destroyed elsewhere leaves it at once. Most queries
// first let the application handle its pending messages, so forms may go inside any of them.
class TKivFormList {
public:
  TKivFormList() = default;
  ~TKivFormList();
  TKivFormList(const TKivFormList&) = delete;
  TKivFormList& operator=(const TKivFormList&) = delete;

  // The class name that locations of failures carry; no class derives from this one.
  static constexpr std::string_view ClassName() noexcept { return "TKivFormList"; }

  // Appends Form, marked for the window list or not. Refuses a second form of the same class
  // (any case) with the same non-zero tag; every form but the main ones pops up above its parent.
  void AddForm(TKivForm& Form, bool InWindowList);
  // Marks a listed form, or adds it with that mark.
  void SetFormVisibilityInWindowList(TKivForm& inForm, bool VisibleInList);
  int FormCount();
  // The listed forms whose run-time class name is FormClassName (case-sensitive).
  int FormCount(const std::string& FormClassName);
  // The form at FormIndex; null at FormCount or beyond; std::out_of_range below 0.
  TKivForm* Form(int FormIndex);
  // The form that is number FormIndex (from 0) among those of class FormClassName (exact case).
  TKivForm* Form(int FormIndex, const std::string& FormClassName);
  // The first form of class iFormClassName (any case) with tag iFormTag; null when none is.
  TKivForm* Form(const std::string& iFormClassName, int iFormTag);
  // The mark of the form at FormIndex; false when it carries no TKivFormInfo.
  bool IsInWindowList(int FormIndex);
  // The listed forms that are marked for the window list and visible.
  int IsInWindowListCount();
  void SetEnabled(bool iEnabled);
  // Whether inForm is not, or no longer, listed. inForm is compared by address only.
  bool IsDanglingForm(const TKivForm* inForm);
  // The caption of the last listed form in semi-modal mode; empty when there is none.
  std::string IsSemiModalFormOpen() const;

private:
  TKivForm& Entry(int index) const;

  TComponentList FFormList;
};

// The program's one form list; null outside the life of TKivFormListStartup.
extern TKivFormList* KivFormList;

// Creates KivFormList and destroys it with every form still listed. Made in main right after the
// application object and its TDesktopStartup, and gone before them, so that no form outlives Qt.
//
//   TApplication application(argc, argv);
//   TDesktopStartup startup(application);
//   TKivFormListStartup forms(application);
class TKivFormListStartup {
public:
  explicit TKivFormListStartup(TApplication& AApplication);
  ~TKivFormListStartup();
  TKivFormListStartup(const TKivFormListStartup&) = delete;
  TKivFormListStartup& operator=(const TKivFormListStartup&) = delete;

private:
  TApplication& FApplication;
};

} // namespace kiv
