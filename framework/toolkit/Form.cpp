#include "framework/toolkit/Form.h"

#include "framework/toolkit/Application.h"
#include "framework/toolkit/detail/EventHook.h"
#include "framework/toolkit/detail/HandlerBoundary.h"
#include "framework/toolkit/detail/Widget.h"

#include <QCloseEvent>
#include <QEventLoop>

namespace kiv {

using toolkit::QtWidget;

struct TForm::Impl {
  std::unique_ptr<toolkit::EventHook> hook;
  QEventLoop* modalLoop = nullptr;
};

TForm::TForm(TComponent* AOwner)
    : TWinControl(AOwner, std::make_unique<Widget>(new QWidget(nullptr, Qt::Window))),
      FImpl(std::make_unique<Impl>()) {
  QtWidget(*this).setAttribute(Qt::WA_DeleteOnClose, false);
  FImpl->hook = std::make_unique<toolkit::EventHook>(QtWidget(*this), [this](QEvent& event) {
    bool accept = event.isAccepted();
    const bool stop = HandleEvent(event.type(), accept);
    event.setAccepted(accept);
    return stop;
  });
}

TForm::~TForm() {
  FImpl->hook.reset();
  if (FImpl->modalLoop)
    FImpl->modalLoop->exit();
}

std::string TForm::Caption() const {
  return QtWidget(*this).windowTitle().toStdString();
}

void TForm::SetCaption(const std::string& ACaption) {
  QtWidget(*this).setWindowTitle(QString::fromStdString(ACaption));
}

bool TForm::Visible() const {
  return QtWidget(*this).isVisible();
}

void TForm::SetVisible(bool AVisible) {
  QtWidget(*this).setVisible(AVisible);
}

TModalResult TForm::ShowModal() {
  QWidget& widget = QtWidget(*this);
  const QPointer<QWidget> alive(&widget);
  FModalResult = mrNone;
  widget.setWindowModality(Qt::ApplicationModal);
  widget.show();
  widget.raise();
  widget.activateWindow();
  QEventLoop loop;
  FImpl->modalLoop = &loop;
  if (FModalResult == mrNone && widget.isVisible())
    loop.exec(QEventLoop::DialogExec);
  // A handler may have freed the form inside the loop: then nothing of it may be touched.
  if (!alive)
    return mrCancel;
  FImpl->modalLoop = nullptr;
  widget.hide();
  widget.setWindowModality(Qt::NonModal);
  return FModalResult;
}

void TForm::SetModalResult(TModalResult AModalResult) {
  FModalResult = AModalResult;
  if (FModalResult != mrNone && FImpl->modalLoop)
    FImpl->modalLoop->exit();
}

void TForm::Close() {
  QtWidget(*this).close();
}

bool TForm::Active() const {
  return QtWidget(*this).isActiveWindow();
}

void TForm::Activate() {
  QtWidget(*this).raise();
  QtWidget(*this).activateWindow();
}

bool TForm::HandleEvent(int type, bool& accept) {
  switch (type) {
  case QEvent::Close: {
    bool canClose = true;
    if (OnCloseQuery) {
      // A failing query vetoes: the failure is shown and the form stays.
      canClose = false;
      toolkit::Guarded([&] {
        bool answer = true;
        OnCloseQuery(answer);
        canClose = answer;
      })();
    }
    accept = canClose;
    if (!canClose)
      return true;
    if (FImpl->modalLoop) {
      if (FModalResult == mrNone)
        FModalResult = mrCancel;
    } else if (static_cast<TControl*>(Application().MainForm()) == this) {
      Application().Terminate();
    }
    return false;
  }
  case QEvent::Hide:
    if (FImpl->modalLoop) {
      if (FModalResult == mrNone)
        FModalResult = mrCancel;
      FImpl->modalLoop->exit();
    }
    return false;
  case QEvent::WindowActivate:
    if (OnActivate)
      toolkit::Guarded(OnActivate)();
    return false;
  case QEvent::WindowDeactivate:
    if (OnDeactivate)
      toolkit::Guarded(OnDeactivate)();
    return false;
  default:
    return false;
  }
}

} // namespace kiv
