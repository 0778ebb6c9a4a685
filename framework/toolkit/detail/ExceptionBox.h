#pragma once

#include <QMessageBox>
#include <memory>
#include <string>

namespace kiv::toolkit {

// The box that shows a failure: an error box with one OK button, caption ATitle.
std::unique_ptr<QMessageBox> MakeExceptionBox(const std::string& ATitle, const std::string& AText);

} // namespace kiv::toolkit
