#pragma once

#include <QApplication>
#include <QWidget>
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

} // namespace kiv::test
