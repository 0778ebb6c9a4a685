#pragma once

// Toolkit internals: the message boxes' captions and buttons.

#include "framework/toolkit/Dialogs.h"

#include <QMessageBox>
#include <exception>
#include <memory>
#include <string>

namespace kiv::toolkit {

// The caption of a box of that kind when the caller gives none: "Warning", "Error",
// "Information", "Confirm".
std::string MessageBoxCaption(TMsgDlgType AType);

// A message box of that kind with ACaption, AText as plain text and those buttons.
std::unique_ptr<QMessageBox> MakeMessageBox(TMsgDlgType AType, const std::string& ACaption,
                                            const std::string& AText, TMsgDlgButtons AButtons);

// The application's exception box for AFailure: an error box with the program's name as caption.
std::unique_ptr<QMessageBox> MakeExceptionBox(const std::exception_ptr& AFailure);

} // namespace kiv::toolkit
