#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <stdexcept>
#include <string>

namespace kiv::test {

// The program's top-level window with that caption, shown or not; null when there is none.
inline QWidget* WindowCaptioned(const std::string& ACaption) {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->windowTitle() == QString::fromStdString(ACaption))
      return window;
  return nullptr;
}

// The child of AWindow of the Qt class that shows AText, or null.
template <class QtClass> QtClass* ChildWithText(QWidget& AWindow, const std::string& AText) {
  for (QtClass* child : AWindow.findChildren<QtClass*>())
    if (child->text() == QString::fromStdString(AText))
      return child;
  return nullptr;
}

// The window a guarded pointer holds; throws when it is gone. Read through this, a test's window
// is known to be there, where a dereference of the guarded pointer itself makes GCC's optimiser
// warn of a null dereference.
template <class T> T& Alive(const QPointer<T>& window) {
  T* held = window.data();
  if (held == nullptr)
    throw std::logic_error("the window is gone");
  return *held;
}

} // namespace kiv::test
