#pragma once

// The dialog helpers of unit MY_ (TDialog): message boxes, prompts, the message list and the
// progress window.

#include "framework/toolkit/ComponentGuard.h"

#include <concepts>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace kiv {

class TButton;
class TComponent;
class TForm;
class TListBox;
class TMemo;
class TProgressBar;
class TWinControl;

// The suite's ready-made message boxes and the small windows built in code: a prompt, a list to
// pick from, an in-place line editor, the modeless message list (the diagnostic log's window) and
// the modeless progress window with a Stop button. Only the message list and the progress window
// outlive a call; this object frees them.
class TDialog {
public:
  // AOwner is not used.
  explicit TDialog(TComponent* AOwner);
  ~TDialog();
  TDialog(const TDialog&) = delete;
  TDialog& operator=(const TDialog&) = delete;

  // Modal boxes; a "|" in AMessage breaks the line.
  void Error(const std::string& AMessage);
  void Warning(const std::string& AMessage);
  void Information(const std::string& AMessage);
  void Information(const char* AMessage) { Information(std::string(AMessage)); }
  // "Integer value = 42"
  void Information(std::int64_t AInt64);
  template <std::integral Integer>
  requires(!std::same_as<Integer, bool> &&
           !std::same_as<Integer, std::int64_t>) void Information(Integer AInteger) {
    Information(static_cast<std::int64_t>(AInteger));
  }
  // "Extended value = 1.5": the general format with up to 12 significant digits.
  void Information(double ADouble);
  // "Boolean value = True"
  void Information(bool ABoolean);
  // True when Yes was chosen.
  bool Yes(const std::string& AMessage);
  // The exception box: "<class> with message: ", a line feed, the message; the message alone
  // also goes to the debugger.
  void Exception_(const std::exception_ptr& AException);

  // A modal one-line prompt; the text typed when closed with OK, else an empty text.
  std::string PromptForString(const std::string& ATitle, const std::string& AMessage,
                              const std::string& ADefaultValue);
  // A modal list to pick from; the index of the entry chosen with Accept, else -1.
  int ShowList(const std::string& ATitle, const std::vector<std::string>& AListOfChoices);
  // A borderless one-line editor at the mouse pointer, its controls owned by AParent while it is
  // open. Enter takes the text into AResultingText and returns true; Escape leaves it.
  bool ShowEditStringLine(TWinControl* AParent, const std::string& ATitle,
                          std::string& AResultingText);
  // Appends AMessage to the modeless message list, showing it; with ASaveToFile, the whole list
  // is also saved to the file AMessage names (a failed save is ignored and leaves the old file).
  void ShowMessageListDialogBox(const std::string& AMessage, bool ASaveToFile);
  // One step of a run shown in the modeless progress window; false once the user confirmed Stop.
  // An index at or past the total, or a negative one, closes the window and returns true.
  bool Progress(std::int64_t ACurIndex, std::int64_t ATotalToProgress, const std::string& AMessage,
                const std::string& ATitle, const std::string& AButtonCaption);
  // The file-open (file-save) dialog; on acceptance AFileName becomes the path chosen.
  bool PromptUserForFileName(std::string& AFileName, const std::string& AFilter,
                             const std::string& ADefaultExt, const std::string& ATitle,
                             const std::string& AInitialDir, bool ASaveDialog);

private:
  void BuildProgressForm(const std::string& ATitle, const std::string& AButtonCaption);
  void ShowProgressLines(std::int64_t ACurIndex, std::int64_t ATotalToProgress,
                         const std::string& AMessage);
  void CloseProgressForm();
  void StopPressed();
  void BuildMessageListDialogBox();

  bool FProgressStopSignal = false;
  TComponentGuard<TForm> FProgressForm;
  TProgressBar* FProgressBar = nullptr;
  TButton* FProgressButtonStop = nullptr;
  TListBox* FProgressMessages = nullptr;
  TButton* FButtonClose = nullptr;
  TListBox* FShowListListBoxResult = nullptr;
  TComponentGuard<TForm> FMessageListDialogBox;
  TMemo* FMessageListDialogBoxMessages = nullptr;
  TComponentGuard<TForm> FEditLineForm;
  // The Stop button's handler is running (it waits in the "Stop?" box): a closing call inside it
  // hides the window and leaves it here, and the handler releases it when it is done.
  int FStopHandlersRunning = 0;
  std::vector<std::unique_ptr<TComponentGuard<TForm>>> FProgressFormsClosed;
};

} // namespace kiv
