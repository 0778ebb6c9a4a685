#pragma once

// Toolkit internals on Qt: watching a Qt object's events without subclassing its widget.

#include <QEvent>
#include <QObject>
#include <functional>

namespace kiv::toolkit {

// Watches the events of one Qt object for a toolkit class, without subclassing its widget. The
// handler returns true to stop the event; a failure in it goes to the application's exception
// handler and lets the event pass. Destroy the hook before the class it calls back.
class EventHook final : public QObject {
public:
  using Handler = std::function<bool(QEvent&)>;

  EventHook(QObject& AWatched, Handler AHandler);
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  Handler FHandler;
};

} // namespace kiv::toolkit
