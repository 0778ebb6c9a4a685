#include "framework/base/ProgressPercent.h"
#include "framework/base/RunTimeName.h"
#include "framework/desktop/Dialog.h"
#include "framework/desktop/DialogForms.h"
#include "framework/toolkit/Application.h"
#include "framework/toolkit/PathDisplay.h"
#include "framework/toolkit/ProgressBar.h"
#include "framework/toolkit/StandardControls.h"

namespace kiv {

namespace {

// The lines of a text broken at CR, LF or CR LF; a break at the end starts no further line.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

} // namespace

bool TDialog::Progress(std::int64_t ACurIndex, std::int64_t ATotalToProgress,
                       const std::string& AMessage, const std::string& ATitle,
                       const std::string& AButtonCaption) {
  if (ACurIndex >= ATotalToProgress || ACurIndex < 0 || ATotalToProgress < 0) {
    CloseProgressForm();
    FProgressStopSignal = false;
    return true;
  }
  if (!FProgressForm)
    BuildProgressForm(ATitle, AButtonCaption);
  auto* form = FProgressForm.Get();
  form->Show();
  if (!ATitle.empty())
    form->SetCaption(ATitle);
  FProgressBar->SetRange(0, 100);
  FProgressBar->SetPosition(ProgressPercent(ACurIndex, ATotalToProgress));
  ShowProgressLines(ACurIndex, ATotalToProgress, AMessage);
  // The window repaints and the Stop button can be pressed; a handler may close the window here.
  Application().ProcessMessages();
  return !FProgressStopSignal;
}

void TDialog::BuildProgressForm(const std::string& ATitle, const std::string& AButtonCaption) {
  auto* form = new TForm(nullptr);
  FProgressForm.Reset(form);
  form->SetName(RunTimeName("FProgressForm_TForm_"));
  form->SetPosition(TPosition::poScreenCenter);
  form->SetBorderStyle(TFormBorderStyle::bsToolWindow);
  form->SetFormStyle(TFormStyle::fsNormal);
  form->SetBorderIcons(0);
  form->SetCaption(ATitle);
  form->SetColor(clWhite);
  FProgressMessages = new TListBox(form);
  FProgressMessages->SetName(RunTimeName("FProgressForm_TListBox_"));
  FProgressMessages->SetParent(form);
  FProgressMessages->SetBounds(10, 10, 380, 72);
  FProgressMessages->SetColor(form->Color());
  FProgressMessages->SetBordered(false);
  FProgressBar = new TProgressBar(form);
  FProgressBar->SetName(RunTimeName("FProgressForm_TProgressBar_"));
  FProgressBar->SetParent(form);
  FProgressBar->SetBounds(10, FProgressMessages->Top() + FProgressMessages->Height() + 10, 380, 24);
  FProgressBar->SetSmooth(true);
  FProgressButtonStop = new TButton(form);
  FProgressButtonStop->SetName(RunTimeName("FProgressForm_TButton_Stop_"));
  FProgressButtonStop->SetParent(form);
  FProgressButtonStop->SetFlat(true);
  FProgressButtonStop->SetBounds(10, FProgressBar->Top() + FProgressBar->Height() + 10, 380, 24);
  FProgressButtonStop->SetCaption(AButtonCaption);
  FProgressButtonStop->OnClick = [this] { StopPressed(); };
  if (form->ControlCount() == 3)
    FProgressButtonStop->SetFocus();
  const int clientHeight = FProgressButtonStop->Top() + FProgressButtonStop->Height() + 10;
  // The width is the outer one, known once the frame is; the client height holds the controls.
  form->OnShow = [form, clientHeight, applied = false]() mutable {
    if (applied)
      return;
    applied = true;
    form->SetWidth(400);
    form->SetClientHeight(clientHeight);
  };
  form->SetWidth(400);
  form->SetClientHeight(clientHeight);
  FProgressStopSignal = false;
  form->Show();
  form->Activate();
}

void TDialog::ShowProgressLines(std::int64_t ACurIndex, std::int64_t ATotalToProgress,
                                const std::string& AMessage) {
  const std::vector<std::string> lines = SplitLines(AMessage);
  const int width = FProgressMessages->ClientWidth();
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string line = MinimizeName(lines[i], *FProgressMessages, width);
    const int index = static_cast<int>(i);
    if (index < FProgressMessages->Count())
      FProgressMessages->SetItem(index, line);
    else
      FProgressMessages->AddItem(line);
  }
  const std::string counter =
      ACurIndex <= 0 ? std::to_string(ATotalToProgress)
                     : std::to_string(ACurIndex) + "/" + std::to_string(ATotalToProgress);
  // Entries left over from a call with more lines stay between the new lines and the counter.
  if (FProgressMessages->Count() > static_cast<int>(lines.size()))
    FProgressMessages->SetItem(FProgressMessages->Count() - 1, counter);
  else
    FProgressMessages->AddItem(counter);
}

void TDialog::CloseProgressForm() {
  auto* form = FProgressForm.Get();
  if (!form)
    return;
  FProgressForm.Reset(nullptr);
  form->Hide();
  if (FStopHandlersRunning == 0) {
    delete form;
    return;
  }
  // The Stop button's handler is still running under this call: it frees the window when done.
  FProgressFormsClosed.push_back(std::make_unique<TComponentGuard<TForm>>(form));
}

void TDialog::StopPressed() {
  ++FStopHandlersRunning;
  bool stop = false;
  try {
    stop = Yes("Stop?");
  } catch (...) {
    --FStopHandlersRunning;
    throw;
  }
  --FStopHandlersRunning;
  FProgressStopSignal = stop;
  if (FStopHandlersRunning > 0)
    return;
  // Closed while the box was open: each window goes once this click is handled.
  for (const std::unique_ptr<TComponentGuard<TForm>>& closed : FProgressFormsClosed)
    if (auto* form = closed->Get())
      form->Release();
  FProgressFormsClosed.clear();
}

} // namespace kiv
