#include "testing/gui/LeftWindowsCheck.h"

#include <QApplication>
#include <QWidget>
#include <string>

namespace kiv::test {

void LeftWindowsCheck::OnTestEnd(const testing::TestInfo&) {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  const QWidgetList windows = QApplication::topLevelWidgets();
  if (windows.isEmpty())
    return;
  std::string names;
  for (const QWidget* window : windows)
    names += std::string(" ") + window->metaObject()->className() + " \"" +
             window->windowTitle().toStdString() + "\"";
  ADD_FAILURE() << "the test left " << windows.size() << " top-level window(s):" << names;
  for (QWidget* window : windows)
    delete window;
}

} // namespace kiv::test
