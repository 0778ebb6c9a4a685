#pragma once

// Toolkit: message boxes (MessageDlg) and the open and save dialogs.

#include "framework/toolkit/Form.h"

#include <string>

namespace kiv {

// The kind of a message box: its icon and caption.
enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };

// The buttons of a message box: a set of these bits.
using TMsgDlgButtons = unsigned;
inline constexpr TMsgDlgButtons mbYes = 1;
inline constexpr TMsgDlgButtons mbNo = 2;
inline constexpr TMsgDlgButtons mbOK = 4;
inline constexpr TMsgDlgButtons mbCancel = 8;
inline constexpr TMsgDlgButtons mbSave = 16;
inline constexpr TMsgDlgButtons mbDiscard = 32;

inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrSave = 14;
inline constexpr TModalResult mrDiscard = 15;

// Shows a modal message box with AMessage as plain text (a line feed breaks the line), centred
// by the platform, and returns the result of the button pressed. Closed any other way, it
// returns Cancel's or No's result when it has that button, else that of its only button; a box
// of several buttons with neither (Save and Discard) closes only by one of them.
TModalResult MessageDlg(const std::string& AMessage, TMsgDlgType AType, TMsgDlgButtons AButtons);
// The same box with its top-left corner at AX, AY on the screen.
TModalResult MessageDlgPos(const std::string& AMessage, TMsgDlgType AType, TMsgDlgButtons AButtons,
                           int AX, int AY);

// The platform's dialog for choosing a file to open. Execute shows it modally, starting from
// FileName (the folder InitialDir when FileName has none), and on acceptance sets FileName to the
// full path chosen. Filter lists "description|patterns" pairs joined by "|", patterns joined by
// ";": "Model files (*.mod)|*.mod|All files|*.*". A name typed without extension gets DefaultExt
// ("mod", without dot).
class TOpenDialog : public TComponent {
public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;

  std::string FileName;
  std::string Filter;
  std::string DefaultExt;
  std::string Title;
  std::string InitialDir;
  // The filter shown first, counted from 1; on acceptance the one the user chose last.
  int FilterIndex = 1;

  bool Execute();

protected:
  // Choosing a name to save to rather than to open.
  TOpenDialog(TComponent* AOwner, bool ASaving);

private:
  bool FSaving;
};

// The platform's dialog for choosing a file name to save to; an existing file is not asked
// about.
class TSaveDialog : public TOpenDialog {
public:
  explicit TSaveDialog(TComponent* AOwner);
};

} // namespace kiv
