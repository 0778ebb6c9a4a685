#include "framework/desktop/ProgressForm_.h"

#include "core/Escalation.h"
#include "framework/toolkit/Appearance.h"
#include "framework/toolkit/ComponentGuard.h"
#include "framework/toolkit/Dialogs.h"
#include "platform/Ticks.h"

#include <algorithm>
#include <array>

namespace kiv {

namespace {

constexpr int kLevelHeight = 55;
constexpr int kBarLineHeight = 20;
constexpr int kAbortHeight = 33;

template <class Control> Control* Place(TWinControl& parent, TComponent& owner, int left, int top) {
  auto* control = new Control(&owner);
  control->SetParent(&parent);
  control->SetLeft(left);
  control->SetTop(top);
  return control;
}

TPanel* MakeLevelPanel(TForm& form, int height, bool visible) {
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetHeight(height);
  panel->SetAlign(TAlign::alTop);
  panel->SetVisible(visible);
  return panel;
}

TLabel* MakeText(TWinControl& panel, TForm& form, int left, int top) {
  auto* label = Place<TLabel>(panel, form, left, top);
  label->SetCaption("None");
  label->Hide();
  return label;
}

TProgressBar* MakeBar(TWinControl& panel, TForm& form, int top, int height) {
  auto* bar = Place<TProgressBar>(panel, form, 7, top);
  bar->SetWidth(292);
  bar->SetHeight(height);
  bar->SetRange(0, 5);
  bar->SetStep(1);
  return bar;
}

} // namespace

// The designed layout: levels 1 to 3 and the Abort panel docked at the top in that order (the
// toolkit stacks docked panels in the order they were placed, so showing or hiding a level never
// reorders them), then FormCreate.
TProgressForm::TProgressForm(TComponent* AOwner) : TKivForm(AOwner) {
  SetCaption("Progress");
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons(0);
  SetClientWidth(317);
  SetClientHeight(218);
  Panel1 = MakeLevelPanel(*this, 75, true);
  lImportText = MakeText(*Panel1, *this, 8, 21);
  lMainLabel = Place<TLabel>(*Panel1, *this, 8, 4);
  lMainLabel->SetCaption("Import Progress:");
  SetFontBold(*lMainLabel, true);
  ProgressBar = MakeBar(*Panel1, *this, 41, 20);
  Panel2 = MakeLevelPanel(*this, kLevelHeight, false);
  lImportText2 = MakeText(*Panel2, *this, 8, 5);
  ProgressBar2 = MakeBar(*Panel2, *this, 20, 22);
  Panel3 = MakeLevelPanel(*this, kLevelHeight, false);
  lImportText3 = MakeText(*Panel3, *this, 8, 5);
  ProgressBar3 = MakeBar(*Panel3, *this, 20, 22);
  PanelAbort = MakeLevelPanel(*this, kAbortHeight, false);
  ButtonAbort = Place<TButton>(*PanelAbort, *this, 121, 4);
  ButtonAbort->SetWidth(75);
  ButtonAbort->SetHeight(25);
  ButtonAbort->SetCaption("Abort");
  ButtonAbort->OnClick = [this] { ButtonAbortClick(this); };
  OnCloseQuery = [this](bool& CanClose) { FormCloseQuery(this, CanClose); };
  FormCreate(this);
}

void TProgressForm::FormCreate(TComponent*) {
  GuardEscalating(ClassName(), "FormCreate", [&] {
    FAbortCheckActive = false;
    for (TProgressBar* bar : {ProgressBar, ProgressBar2, ProgressBar3})
      bar->SetSmooth(true);
    Panel2->Hide();
    Panel3->Hide();
    SetPosition(TPosition::poScreenCenter);
    SetDefaultMonitor(TDefaultMonitor::dmMainForm);
    UpdateFormSize();
  });
}

TPosition TProgressForm::FormPosition() const {
  return Position();
}

void TProgressForm::SetFormPosition(TPosition AValue) {
  GuardEscalating(ClassName(), "SetFormPosition", [&] {
    ShowHeldValues();
    SetPosition(AValue);
  });
}

bool TProgressForm::ShowProgressBar() const {
  return ProgressBar->Visible();
}

void TProgressForm::SetShowProgressBar(bool AValue) {
  GuardEscalating(ClassName(), "SetShowProgressbar", [&] {
    ShowHeldValues();
    ProgressBar->SetVisible(AValue);
    lImportText->SetVisible(AValue);
    UpdateFormSize();
  });
}

bool TProgressForm::ShowProgressBar2() const {
  return ProgressBar2->Visible();
}

void TProgressForm::SetShowProgressBar2(bool AValue) {
  GuardEscalating(ClassName(), "SetShowProgressBar2", [&] {
    ShowHeldValues();
    Panel2->SetVisible(AValue);
    ProgressBar2->SetVisible(AValue);
    lImportText2->SetVisible(AValue);
    UpdateFormSize();
  });
}

bool TProgressForm::ShowProgressBar3() const {
  return ProgressBar3->Visible();
}

void TProgressForm::SetShowProgressBar3(bool AValue) {
  GuardEscalating(ClassName(), "SetShowProgressBar3", [&] {
    ShowHeldValues();
    Panel3->SetVisible(AValue);
    ProgressBar3->SetVisible(AValue);
    lImportText3->SetVisible(AValue);
    UpdateFormSize();
  });
}

std::string TProgressForm::FormCaption() const {
  return GuardEscalating(ClassName(), "GetFormCaption", [&] { return Caption(); });
}

void TProgressForm::SetFormCaption(const std::string& AValue) {
  GuardEscalating(ClassName(), "SetFormCaption", [&] {
    ShowHeldValues();
    SetCaption(AValue);
  });
}

std::string TProgressForm::MainLabel() const {
  return GuardEscalating(ClassName(), "GetMainLabel", [&] { return lMainLabel->Caption(); });
}

void TProgressForm::SetMainLabel(const std::string& AValue) {
  GuardEscalating(ClassName(), "SetMainLabel", [&] {
    ShowHeldValues();
    lMainLabel->SetCaption(AValue);
    const TComponentGuard<TProgressForm> alive(this);
    HandleEvents();
    if (alive)
      Repaint(*this);
  });
}

std::string TProgressForm::SecondaryLabel() const {
  return lImportText->Caption();
}

void TProgressForm::SetSecondaryLabel(const std::string& AValue) {
  ShowHeldValues();
  lImportText->Show();
  lImportText->SetCaption(AValue);
}

int TProgressForm::NumberOfSteps() const {
  return ProgressBar->Max();
}

void TProgressForm::SetNumberOfSteps(int AValue) {
  GuardEscalating(ClassName(), "SetNumberOfSteps", [&] { NumSteps(AValue, 1); });
}

int TProgressForm::NumberOfSteps2() const {
  return ProgressBar2->Max();
}

void TProgressForm::SetNumberOfSteps2(int AValue) {
  GuardEscalating(ClassName(), "SetNumberOfSteps2", [&] { NumSteps(AValue, 2); });
}

int TProgressForm::NumberOfSteps3() const {
  return ProgressBar3->Max();
}

void TProgressForm::SetNumberOfSteps3(int AValue) {
  GuardEscalating(ClassName(), "SetNumberOfSteps3", [&] { NumSteps(AValue, 3); });
}

TProgressBar* TProgressForm::Bar(int PBar) const {
  switch (PBar) {
  case 1:
    return ProgressBar;
  case 2:
    return ProgressBar2;
  case 3:
    return ProgressBar3;
  default:
    return nullptr;
  }
}

TLabel* TProgressForm::Text(int PBar) const {
  switch (PBar) {
  case 1:
    return lImportText;
  case 2:
    return lImportText2;
  case 3:
    return lImportText3;
  default:
    return nullptr;
  }
}

// One step of a level: its bar advances (a bar at its maximum stays there) and, with a message,
// its text line shows it. Within the show interval the two take the values but hold their
// painting; showing the text line changes the layout, so that happens at once. A hidden window
// paints nothing, so its controls paint at once too, and the step that completes the level shows
// it at once. Steps beyond the end wait for the interval like others.
void TProgressForm::StepLevel(int PBar, const std::string* StepMessage) {
  TProgressBar* bar = Bar(PBar);
  TLabel* text = Text(PBar);
  if (bar == nullptr || text == nullptr)
    return;
  const int position = bar->Position();
  const bool showNow =
      !Visible() || position + 1 == bar->Max() || TickCount() - FShownAt >= kShowInterval;
  if (!showNow) {
    bar->HoldPainting();
    if (StepMessage != nullptr)
      text->HoldPainting();
  }
  if (position <= bar->Max())
    bar->SetPosition(std::min(position + 1, bar->Max()));
  if (StepMessage != nullptr) {
    if (!text->Visible())
      text->Show();
    text->SetCaption(*StepMessage);
  }
  if (showNow)
    ShowHeldValues();
}

// Working the name out costs more than a step, so it happens once, at the first step (never while
// constructing, where the class would still read as this one).
const std::string& TProgressForm::StepClassName() {
  if (FStepClassName.empty())
    FStepClassName = ClassName();
  return FStepClassName;
}

void TProgressForm::ShowHeldValues() {
  const std::array<TControl*, 6> stepped = {ProgressBar,  lImportText,  ProgressBar2,
                                            lImportText2, ProgressBar3, lImportText3};
  for (TControl* control : stepped)
    control->ResumePainting();
  FShownAt = TickCount();
}

std::uint64_t TProgressForm::TickCount() const {
  return platform::MillisecondsSinceStart();
}

void TProgressForm::SetVisible(bool AVisible) {
  ShowHeldValues();
  TKivForm::SetVisible(AVisible);
}

// The window's and every other handler of the application run here and may destroy the window:
// a caller that goes on afterwards checks a guard first.
void TProgressForm::HandleEvents() {
  Application().ProcessMessages();
}

void TProgressForm::Step(const std::string& StepMessage) {
  GuardEscalating(StepClassName(), "Step", [&] {
    StepLevel(1, &StepMessage);
    HandleEvents();
  });
}

void TProgressForm::Step() {
  GuardEscalating(StepClassName(), "Step", [&] {
    StepLevel(1, nullptr);
    const TComponentGuard<TProgressForm> alive(this);
    HandleEvents();
    if (alive && lImportText->Visible())
      lImportText->Hide();
  });
}

void TProgressForm::Step(const std::string& StepMessage, int PBar) {
  GuardEscalating(StepClassName(), "Step", [&] {
    StepLevel(PBar, &StepMessage);
    HandleEvents();
  });
}

void TProgressForm::Step(int PBar) {
  GuardEscalating(StepClassName(), "Step", [&] {
    StepLevel(PBar, nullptr);
    HandleEvents();
  });
}

void TProgressForm::Step2(const std::string& StepMessage) {
  GuardEscalating(StepClassName(), "Step2", [&] {
    if (!Panel2->Visible())
      return;
    StepLevel(2, &StepMessage);
    HandleEvents();
  });
}

void TProgressForm::Step2() {
  GuardEscalating(StepClassName(), "Step2", [&] {
    StepLevel(2, nullptr);
    HandleEvents();
  });
}

void TProgressForm::Step3(const std::string& StepMessage) {
  GuardEscalating(StepClassName(), "Step3", [&] {
    if (!Panel3->Visible())
      return;
    StepLevel(3, &StepMessage);
    HandleEvents();
  });
}

void TProgressForm::Step3() {
  GuardEscalating(StepClassName(), "Step3", [&] {
    StepLevel(3, nullptr);
    HandleEvents();
  });
}

void TProgressForm::NumSteps(int NSteps, int PBar) {
  GuardEscalating(ClassName(), "NumSteps", [&] {
    ShowHeldValues();
    if (TProgressBar* bar = Bar(PBar))
      bar->SetRange(bar->Min(), NSteps);
  });
}

void TProgressForm::ProgressClear() {
  GuardEscalating(ClassName(), "ProgressClear", [&] { ClearPBar(1); });
}

void TProgressForm::ClearPBar(int PBar) {
  GuardEscalating(ClassName(), "ClearPBar", [&] {
    ShowHeldValues();
    if (TProgressBar* bar = Bar(PBar)) {
      bar->SetPosition(0);
      Text(PBar)->SetCaption("");
    }
  });
}

void TProgressForm::ShowPBar(bool ShowBar, int PBar) {
  GuardEscalating(ClassName(), "ShowPBar", [&] {
    ShowHeldValues();
    switch (PBar) {
    case 0:
      ProgressBar->Hide();
      lImportText->Hide();
      break;
    case 1:
      ProgressBar->SetVisible(ShowBar);
      lImportText->Show();
      break;
    case 2:
    case 3: {
      TPanel* panel = PBar == 2 ? Panel2 : Panel3;
      panel->Show();
      Text(PBar)->Show();
      Bar(PBar)->SetVisible(ShowBar);
      break;
    }
    default:
      break;
    }
    UpdateFormSize();
  });
}

void TProgressForm::ShowPanel(bool ShowPanel, int PBar) {
  GuardEscalating(ClassName(), "ShowPanel", [&] {
    ShowHeldValues();
    switch (PBar) {
    case 0:
      ProgressBar->SetVisible(ShowPanel);
      lImportText->Hide();
      break;
    case 1:
      Panel1->SetVisible(ShowPanel);
      ProgressBar->Hide();
      lImportText->Show();
      break;
    case 2:
      Panel2->SetVisible(ShowPanel);
      ProgressBar2->Hide();
      lImportText2->SetVisible(ShowPanel);
      // Level 3 stands on level 2: it goes with it.
      if (!ShowPanel)
        Panel3->Hide();
      break;
    case 3:
      Panel3->SetVisible(ShowPanel);
      lImportText3->SetVisible(ShowPanel);
      ProgressBar3->Hide();
      break;
    default:
      break;
    }
    UpdateFormSize();
  });
}

void TProgressForm::ButtonAbortClick(TComponent*) {
  GuardEscalating(ClassName(), "ButtonAbortClick", [&] { Close(); });
}

void TProgressForm::FormCloseQuery(TComponent*, bool& CanClose) {
  GuardEscalating(ClassName(), "FormCloseQuery", [&] {
    if (!FAbortCheckActive) {
      CanClose = true;
      return;
    }
    const TComponentGuard<TProgressForm> alive(this);
    const TModalResult answer =
        MessageDlgPos("Abort processing?", TMsgDlgType::mtConfirmation, mbYes | mbNo,
                      Left() + Width() / 2 - 100, Top() + 100);
    if (!alive)
      return;
    CanClose = answer == mrYes;
    FAbortRequested = CanClose;
    if (CanClose)
      FAbortCheckActive = false;
  });
}

void TProgressForm::UpdateFormSize() {
  GuardEscalating(ClassName(), "UpdateFormSize", [&] {
    ShowHeldValues();
    PanelAbort->SetVisible(FAbortCheckActive);
    const int heights[] = {
        Panel1->Visible() ? kLevelHeight + (ProgressBar->Visible() ? kBarLineHeight : 0) : 0,
        Panel2->Visible() ? kLevelHeight : 0, Panel3->Visible() ? kLevelHeight : 0,
        PanelAbort->Visible() ? kAbortHeight : 0};
    // The window grows first: docked panels get no more room than the client area has.
    SetClientHeight(heights[0] + heights[1] + heights[2] + heights[3]);
    Panel1->SetHeight(heights[0]);
    Panel2->SetHeight(heights[1]);
    Panel3->SetHeight(heights[2]);
    if (PanelAbort->Visible())
      PanelAbort->SetHeight(kAbortHeight);
  });
}

} // namespace kiv
