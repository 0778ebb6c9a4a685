#include "framework/toolkit/detail/ExceptionBox.h"

namespace kiv::toolkit {

std::unique_ptr<QMessageBox> MakeExceptionBox(const std::string& ATitle, const std::string& AText) {
  auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, QString::fromStdString(ATitle),
                                           QString::fromStdString(AText), QMessageBox::Ok);
  box->setObjectName("ExceptionBox");
  return box;
}

} // namespace kiv::toolkit
