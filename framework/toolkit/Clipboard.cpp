#include "framework/toolkit/Clipboard.h"

#include "framework/toolkit/Application.h"
#include "framework/toolkit/detail/Widget.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kiv {

std::string TClipboard::AsText() const {
  Application(); // the clipboard is there only while the application object lives
  return QGuiApplication::clipboard()->text().toStdString();
}

void TClipboard::SetAsText(const std::string& AText) {
  Application();
  QGuiApplication::clipboard()->setText(toolkit::ToQt(AText));
}

TClipboard& Clipboard() {
  static TClipboard clipboard;
  return clipboard;
}

} // namespace kiv
