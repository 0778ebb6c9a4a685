#include "viewer/OpenAsForm.h"

#include "core/FileNames.h"
#include "framework/toolkit/Appearance.h"
#include "framework/toolkit/ComponentGuard.h"
#include "framework/toolkit/StandardControls.h"
#include "platform/AsciiText.h"
#include "survey/ParameterNames.h"

#include <algorithm>

namespace kiv::viewer {
namespace {

constexpr int kMargin = 12;
constexpr int kGap = 6;
constexpr int kLeastWidth = 600;
constexpr int kListHeight = 220;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 28;

// The finding's reason as a sentence of its own: "Its models have ...".
std::string Sentence(const survey::ModelTypeFinding& finding) {
  std::string text;
  if (!finding.reason.empty())
    text = platform::AsciiUpperCase(finding.reason.substr(0, 1)) + finding.reason.substr(1) + ".";
  if (finding.moreCandidates > 0)
    text.append(text.empty() ? "" : " ")
        .append(std::to_string(finding.moreCandidates))
        .append(" more model types fit as well and are not listed.");
  return text;
}

TLabel* Label(TOpenAsForm& form, const std::string& caption, int top) {
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetLeft(kMargin);
  label->SetTop(top);
  label->SetCaption(caption);
  return label;
}

TButton* Button(TOpenAsForm& form, const std::string& caption, TModalResult result) {
  auto* button = new TButton(&form);
  button->SetParent(&form);
  button->SetCaption(caption);
  button->SetModalResult(result);
  return button;
}

} // namespace

TOpenAsForm::TOpenAsForm(TComponent* AOwner, const std::string& AFileName,
                         const survey::ModelTypeFinding& AFinding)
    : TForm(AOwner), FCandidates(AFinding.candidates) {
  SetName("OpenAs");
  SetCaption("Open as");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(TPosition::poScreenCenter);
  SetDefaultMonitor(TDefaultMonitor::dmMainForm);

  FileLabel = Label(*this, ExtractFileName(AFileName), kMargin);
  SetFontBold(*FileLabel, true);
  // Sized again, to the bold text.
  FileLabel->SetCaption(FileLabel->Caption());
  ReasonLabel = Label(*this, Sentence(AFinding), FileLabel->Top() + FileLabel->Height() + kGap);
  ListLabel = Label(*this, "Read its models as (the likeliest first):",
                    ReasonLabel->Top() + ReasonLabel->Height() + 2 * kGap);
  const int width =
      std::max({kLeastWidth, FileLabel->Width() + 2 * kMargin, ReasonLabel->Width() + 2 * kMargin});

  CandidateList = new TListBox(this);
  CandidateList->SetParent(this);
  CandidateList->SetBounds(kMargin, ListLabel->Top() + ListLabel->Height() + kGap,
                           width - 2 * kMargin, kListHeight);
  for (const TVesmarInvModelType& candidate : FCandidates)
    CandidateList->AddItem(survey::ModelTypeText(candidate));
  if (!FCandidates.empty())
    CandidateList->SetItemIndex(0);

  const int buttonsTop = CandidateList->Top() + CandidateList->Height() + 2 * kGap;
  OkButton = Button(*this, "OK", mrOk);
  OkButton->SetDefault(true);
  OkButton->SetBounds(width - kMargin - 2 * kButtonWidth - kGap, buttonsTop, kButtonWidth,
                      kButtonHeight);
  CancelButton = Button(*this, "Cancel", mrCancel);
  CancelButton->SetCancel(true);
  CancelButton->SetBounds(width - kMargin - kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight);
  SetClientWidth(width);
  SetClientHeight(buttonsTop + kButtonHeight + kMargin);
  CandidateList->SetFocus();
}

std::optional<TVesmarInvModelType> TOpenAsForm::Choose(TComponent* AOwner,
                                                       const std::string& AFileName,
                                                       const survey::ModelTypeFinding& AFinding) {
  TComponentGuard<TOpenAsForm> form(new TOpenAsForm(AOwner, AFileName, AFinding));
  const TModalResult result = form->ShowModal();
  std::optional<TVesmarInvModelType> chosen;
  if (form && result == mrOk)
    chosen = form->Selected();
  delete form.Get();
  return chosen;
}

std::optional<TVesmarInvModelType> TOpenAsForm::Selected() const {
  const int index = CandidateList->ItemIndex();
  if (index < 0 || static_cast<std::size_t>(index) >= FCandidates.size())
    return std::nullopt;
  return FCandidates[static_cast<std::size_t>(index)];
}

} // namespace kiv::viewer
