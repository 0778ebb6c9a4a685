#pragma once

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

inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;

// Shows a modal message box with AMessage as plain text (a line feed breaks the line), centred
// by the platform, and returns the result of the button pressed. Closed any other way, it
// returns Cancel's or No's result when it has that button, else that of its only button.
TModalResult MessageDlg(const std::string& AMessage, TMsgDlgType AType, TMsgDlgButtons AButtons);
// The same box with its top-left corner at AX, AY on the screen.
TModalResult MessageDlgPos(const std::string& AMessage, TMsgDlgType AType, TMsgDlgButtons AButtons,
                           int AX, int AY);

} // namespace kiv
