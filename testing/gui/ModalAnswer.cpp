#include "testing/gui/ModalAnswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <gtest/gtest.h>

namespace kiv::test {

ModalAnswer::ModalAnswer(Answer AAnswer, Which AWhich, std::chrono::milliseconds ADeadline)
    : FAnswer(std::move(AAnswer)), FWhich(std::move(AWhich)) {
  QObject::connect(&FPoll, &QTimer::timeout, [this] { Poll(); });
  QObject::connect(&FDeadline, &QTimer::timeout, [this] { GiveUp(); });
  FPoll.start(std::chrono::milliseconds(5));
  FDeadline.setSingleShot(true);
  FDeadline.start(ADeadline);
}

ModalAnswer::~ModalAnswer() {
  if (!FAnswered && !FGaveUp)
    ADD_FAILURE() << "the modal window to answer never came";
}

void ModalAnswer::Poll() {
  QWidget* modal = QApplication::activePopupWidget();
  if (!modal)
    modal = QApplication::activeModalWidget();
  if (!modal || !modal->isVisible() || !FWhich(*modal))
    return;
  FPoll.stop();
  FDeadline.stop();
  FAnswered = true;
  FAnswer(*modal);
}

void ModalAnswer::GiveUp() {
  FPoll.stop();
  FGaveUp = true;
  ADD_FAILURE() << "no modal window was answered before the deadline";
  QWidget* modal = QApplication::activePopupWidget();
  if (!modal)
    modal = QApplication::activeModalWidget();
  if (modal) {
    modal->close();
    modal->hide();
  }
}

NoModalWindow::NoModalWindow() {
  QObject::connect(&poll_, &QTimer::timeout, [] {
    QWidget* modal = QApplication::activePopupWidget();
    if (!modal)
      modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
      return;
    ADD_FAILURE() << "a modal window showed: \"" << modal->windowTitle().toStdString() << "\"";
    modal->close();
    modal->hide();
  });
  poll_.start(std::chrono::milliseconds(5));
}

ModalAnswer::Answer ClickMessageBoxButton(int AStandardButton, std::string* AText) {
  return [AStandardButton, AText](QWidget& window) {
    auto* box = qobject_cast<QMessageBox*>(&window);
    ASSERT_NE(box, nullptr) << "the modal window is a " << window.metaObject()->className();
    if (AText)
      *AText = box->text().toStdString();
    QAbstractButton* button =
        box->button(static_cast<QMessageBox::StandardButton>(AStandardButton));
    ASSERT_NE(button, nullptr) << "the box has no such button";
    button->click();
  };
}

} // namespace kiv::test
