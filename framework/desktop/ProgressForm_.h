#pragma once

// The framework unit ProgressForm_: the suite's progress window (TProgressForm).

#include "framework/desktop/KivForm_.h"
#include "framework/toolkit/Panel.h"
#include "framework/toolkit/ProgressBar.h"
#include "framework/toolkit/StandardControls.h"

#include <cstdint>
#include <string>

namespace kiv {

// The progress of a long operation on up to three levels, each a text line and a bar, under a
// bold title, with an Abort button when asked for. Every step lets the application handle its
// pending events, so the window repaints and Abort can be pressed while the caller's loop runs;
// a handler may destroy the window inside a step. Levels (PBar) are 1 to 3; another number does
// nothing but the operation's closing step. Closing only hides the window; its creator frees it.
// While the window shows, a step's bar and text line take its values at once (their getters give
// them) but hold their painting, and repaint at most once every kShowInterval ms (a repaint
// costs many times what a caller's step does) and at once when the level completes; every other
// operation (showing, hiding, clearing, layout, captions) first lets them repaint.
class TProgressForm : public TKivForm {
public:
  static constexpr std::uint64_t kShowInterval = 30;

  explicit TProgressForm(TComponent* AOwner);

  // The designed controls, owned by the window.
  TPanel* Panel1;
  TLabel* lImportText;
  TLabel* lMainLabel;
  TProgressBar* ProgressBar;
  TPanel* Panel2;
  TLabel* lImportText2;
  TProgressBar* ProgressBar2;
  TPanel* Panel3;
  TLabel* lImportText3;
  TProgressBar* ProgressBar3;
  TPanel* PanelAbort;
  TButton* ButtonAbort;
  // The caller's own counters; the window leaves them alone.
  std::int32_t AuxPosition = 0;
  std::int32_t AuxNumberOfSteps = 0;

  TPosition FormPosition() const;
  void SetFormPosition(TPosition AValue);
  bool ShowProgressBar() const;
  void SetShowProgressBar(bool AValue);
  bool ShowProgressBar2() const;
  void SetShowProgressBar2(bool AValue);
  bool ShowProgressBar3() const;
  void SetShowProgressBar3(bool AValue);
  std::string FormCaption() const;
  void SetFormCaption(const std::string& AValue);
  std::string MainLabel() const;
  // Handles pending events and repaints the window after the change.
  void SetMainLabel(const std::string& AValue);
  std::string SecondaryLabel() const;
  void SetSecondaryLabel(const std::string& AValue);
  int NumberOfSteps() const;
  void SetNumberOfSteps(int AValue);
  int NumberOfSteps2() const;
  void SetNumberOfSteps2(int AValue);
  int NumberOfSteps3() const;
  void SetNumberOfSteps3(int AValue);
  // Whether closing asks "Abort processing?"; the Abort panel follows at the next UpdateFormSize.
  bool AbortCheckActive() const noexcept { return FAbortCheckActive; }
  void SetAbortCheckActive(bool AValue) noexcept { FAbortCheckActive = AValue; }
  // Set once the user confirmed an abort.
  bool AbortRequested() const noexcept { return FAbortRequested; }

  void FormCreate(TComponent* Sender);
  // Level 1 with its text line shown with StepMessage.
  void Step(const std::string& StepMessage);
  // Level 1; hides its text line after handling the events.
  void Step();
  void Step(const std::string& StepMessage, int PBar);
  void Step(int PBar);
  // Only while level 2 is shown.
  void Step2(const std::string& StepMessage);
  void Step2();
  // Only while level 3 is shown.
  void Step3(const std::string& StepMessage);
  void Step3();
  void NumSteps(int NSteps, int PBar);
  void ProgressClear();
  void ClearPBar(int PBar);
  // PBar 0 to 3: shows a level's bar (as ShowBar) and text line.
  void ShowPBar(bool ShowBar, int PBar);
  // PBar 0 to 3: shows or hides a level as a text line without bar.
  void ShowPanel(bool ShowPanel, int PBar);
  void ButtonAbortClick(TComponent* Sender);
  void FormCloseQuery(TComponent* Sender, bool& CanClose);
  // Panel heights and the client height from what is shown.
  void UpdateFormSize();
  void SetVisible(bool AVisible) override;

protected:
  // The clock of the show interval, in milliseconds.
  virtual std::uint64_t TickCount() const;

private:
  TProgressBar* Bar(int PBar) const;
  TLabel* Text(int PBar) const;
  void StepLevel(int PBar, const std::string* StepMessage);
  // The levels' bars and text lines paint again.
  void ShowHeldValues();
  // The window's class, as a step's failure names it.
  const std::string& StepClassName();
  void HandleEvents();

  std::uint64_t FShownAt = 0;
  std::string FStepClassName;
  bool FAbortCheckActive = false;
  bool FAbortRequested = false;
};

} // namespace kiv
