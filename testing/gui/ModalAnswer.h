#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <string>

namespace kiv::test {

// Answers a modal window (or a popup menu) from a timer while the code under test runs its modal
// loop: as soon as the application's active popup or modal window is one that Which accepts, Answer
// runs with it (clicks a button, types a key). If nothing was answered by the deadline, the active
// modal window is closed (so that the test goes on) and the test fails; the destructor fails the
// test when the window never came.
//
//   ModalAnswer ok(ClickMessageBoxButton(QMessageBox::Ok));
//   CodeThatShowsABox();
class ModalAnswer {
public:
  using Which = std::function<bool(QWidget&)>;
  using Answer = std::function<void(QWidget&)>;

  explicit ModalAnswer(Answer AAnswer, Which AWhich = AnyWindow,
                       std::chrono::milliseconds ADeadline = std::chrono::seconds(10));
  ~ModalAnswer();
  ModalAnswer(const ModalAnswer&) = delete;
  ModalAnswer& operator=(const ModalAnswer&) = delete;

  bool Answered() const noexcept { return FAnswered; }

  static bool AnyWindow(QWidget&) { return true; }

private:
  void Poll();
  void GiveUp();

  Answer FAnswer;
  Which FWhich;
  QTimer FPoll;
  QTimer FDeadline;
  bool FAnswered = false;
  bool FGaveUp = false;
};

// Fails the test when a modal window or a popup menu shows while it lives, and closes that window
// so that the test goes on: for code that must not ask.
//
//   NoModalWindow none;
//   CodeThatMustNotAsk();
class NoModalWindow {
public:
  NoModalWindow();
  NoModalWindow(const NoModalWindow&) = delete;
  NoModalWindow& operator=(const NoModalWindow&) = delete;

private:
  QTimer poll_;
};

// An answer that clicks the message box's button.
ModalAnswer::Answer ClickMessageBoxButton(int AStandardButton, std::string* AText = nullptr);

} // namespace kiv::test
