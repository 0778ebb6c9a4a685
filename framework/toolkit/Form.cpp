#include "framework/toolkit/Form.h"

#include "framework/toolkit/Application.h"
#include "framework/toolkit/Menus.h"
#include "framework/toolkit/StandardControls.h"
#include "framework/toolkit/detail/EventHook.h"
#include "framework/toolkit/detail/FormMenuBar.h"
#include "framework/toolkit/detail/HandlerBoundary.h"
#include "framework/toolkit/detail/KeyPreviewHook.h"
#include "framework/toolkit/detail/MenuParts.h"
#include "framework/toolkit/detail/PixelDensity.h"
#include "framework/toolkit/detail/Widget.h"

#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QScreen>

namespace kiv {

using toolkit::QtWidget;

namespace {

// Frees a released form when Qt deletes it after the current event.
class FormRelease final : public QObject {
public:
  explicit FormRelease(TForm* AForm) : form(AForm) {}
  ~FormRelease() override { delete form; }
  TForm* form;
};

const QScreen* ScreenOf(TDefaultMonitor monitor) {
  const TForm* mainForm = Application().MainForm();
  if (monitor == TDefaultMonitor::dmMainForm && mainForm != nullptr)
    if (const QScreen* screen = QtWidget(*mainForm).screen())
      return screen;
  return QGuiApplication::primaryScreen();
}

// The paths of the local files that a drag carries; none when it carries anything else too.
std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> files;
  if (!data || !data->hasUrls())
    return files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile())
      return {};
    files.push_back(QDir::toNativeSeparators(url.toLocalFile()).toStdString());
  }
  return files;
}

} // namespace

struct TForm::Impl {
  std::unique_ptr<toolkit::EventHook> hook;
  std::unique_ptr<toolkit::KeyPreviewHook> keyHook;
  std::unique_ptr<toolkit::EventHook> dropHook;
  std::unique_ptr<toolkit::FormMenuBar> menuBar;
  QEventLoop* modalLoop = nullptr;
  QPointer<FormRelease> release;
};

TForm::TForm(TComponent* AOwner)
    : TWinControl(AOwner, std::make_unique<Widget>(new QWidget(nullptr, Qt::Window))),
      FImpl(std::make_unique<Impl>()) {
  QtWidget(*this).setAttribute(Qt::WA_DeleteOnClose, false);
  FImpl->hook = std::make_unique<toolkit::EventHook>(QtWidget(*this), [this](QEvent& event) {
    if (event.type() == QEvent::KeyPress)
      return HandleKey(static_cast<QKeyEvent&>(event).key());
    bool accept = event.isAccepted();
    const bool stop = HandleEvent(event.type(), accept);
    event.setAccepted(accept);
    return stop;
  });
  FImpl->keyHook = std::make_unique<toolkit::KeyPreviewHook>(*this);
  QtWidget(*this).setAcceptDrops(true);
  FImpl->dropHook = std::make_unique<toolkit::EventHook>(QtWidget(*this), [this](QEvent& event) {
    const QEvent::Type type = event.type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
      return false;
    auto& drag = static_cast<QDropEvent&>(event);
    const std::vector<std::string> files =
        OnDropFiles && AcceptFiles() ? LocalFiles(drag.mimeData()) : std::vector<std::string>();
    if (files.empty()) {
      drag.ignore();
      return true;
    }
    drag.acceptProposedAction();
    if (type == QEvent::Drop)
      toolkit::Guarded([this, &files] { OnDropFiles(files); })();
    return true;
  });
}

TForm::~TForm() {
  if (FormRelease* release = FImpl->release.data())
    release->form = nullptr;
  SetMenu(nullptr);
  FImpl->dropHook.reset();
  FImpl->keyHook.reset();
  FImpl->hook.reset();
  if (FImpl->modalLoop)
    FImpl->modalLoop->exit();
}

std::string TForm::Caption() const {
  return QtWidget(*this).windowTitle().toStdString();
}

void TForm::SetCaption(const std::string& ACaption) {
  QtWidget(*this).setWindowTitle(toolkit::ToQt(ACaption));
}

bool TForm::Visible() const {
  return QtWidget(*this).isVisible();
}

void TForm::SetVisible(bool AVisible) {
  if (AVisible)
    ShowWindow();
  else
    QtWidget(*this).hide();
}

void TForm::ShowWindow() {
  QWidget& widget = QtWidget(*this);
  widget.show();
  if (OnShow)
    toolkit::Guarded(OnShow)();
  // The frame is known once the window is there: centre the whole of it.
  if (FPosition == TPosition::poScreenCenter)
    if (const QScreen* screen = ScreenOf(FDefaultMonitor)) {
      const QRect area = screen->geometry();
      const QSize outer = widget.frameGeometry().size();
      widget.move(area.left() + (area.width() - outer.width()) / 2,
                  area.top() + (area.height() - outer.height()) / 2);
    }
}

void TForm::SetBorderStyle(TFormBorderStyle ABorderStyle) {
  FBorderStyle = ABorderStyle;
  ApplyWindowFlags();
}

void TForm::SetBorderIcons(TBorderIcons ABorderIcons) {
  FBorderIcons = ABorderIcons;
  ApplyWindowFlags();
}

void TForm::SetFormStyle(TFormStyle AFormStyle) {
  FFormStyle = AFormStyle;
  ApplyWindowFlags();
}

void TForm::ApplyWindowFlags() {
  Qt::WindowFlags flags = Qt::Window;
  switch (FBorderStyle) {
  case TFormBorderStyle::bsNone:
    flags |= Qt::FramelessWindowHint;
    break;
  case TFormBorderStyle::bsDialog:
    flags = Qt::Dialog;
    break;
  case TFormBorderStyle::bsToolWindow:
  case TFormBorderStyle::bsSizeToolWin:
    flags = Qt::Tool;
    break;
  default:
    break;
  }
  flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (FBorderIcons & biSystemMenu)
    flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (FBorderIcons & biMinimize)
    flags |= Qt::WindowMinimizeButtonHint;
  if (FBorderIcons & biMaximize)
    flags |= Qt::WindowMaximizeButtonHint;
  if (FFormStyle == TFormStyle::fsStayOnTop)
    flags |= Qt::WindowStaysOnTopHint;
  QWidget& widget = QtWidget(*this);
  const bool shown = widget.isVisible();
  widget.setWindowFlags(flags); // hides the window
  if (shown)
    widget.show();
}

TWindowState TForm::WindowState() const {
  const Qt::WindowStates state = QtWidget(*this).windowState();
  if (state & Qt::WindowMinimized)
    return TWindowState::wsMinimized;
  return state & Qt::WindowMaximized ? TWindowState::wsMaximized : TWindowState::wsNormal;
}

void TForm::SetWindowState(TWindowState AWindowState) {
  Qt::WindowState state = Qt::WindowNoState;
  if (AWindowState == TWindowState::wsMinimized)
    state = Qt::WindowMinimized;
  else if (AWindowState == TWindowState::wsMaximized)
    state = Qt::WindowMaximized;
  QtWidget(*this).setWindowState(state);
}

int TForm::PixelsPerInch() const {
  return toolkit::PixelsPerInch(QtWidget(*this));
}

TModalResult TForm::ShowModal() {
  QWidget& widget = QtWidget(*this);
  const QPointer<QWidget> alive(&widget);
  FModalResult = mrNone;
  widget.setWindowModality(Qt::ApplicationModal);
  ShowWindow();
  Activate();
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

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery)
    OnCloseQuery(canClose);
  return canClose;
}

void TForm::CloseModal() {
  try {
    if (!CloseQuery())
      FModalResult = mrNone;
  } catch (...) {
    FModalResult = mrNone;
    toolkit::HandOnCurrentFailure();
  }
}

void TForm::NotifyActivate() {
  if (OnActivate)
    OnActivate();
}

void TForm::NotifyDeactivate() {
  if (OnDeactivate)
    OnDeactivate();
}

void TForm::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  if (OnKeyDown)
    OnKeyDown(Key, Shift);
}

void TForm::SetMenu(TMainMenu* AMenu) {
  if (AMenu == FMenu)
    return;
  FImpl->menuBar.reset();
  if (FMenu)
    RemoveFreeNotification(*FMenu);
  FMenu = AMenu;
  if (!FMenu)
    return;
  FreeNotification(*FMenu);
  FImpl->menuBar = std::make_unique<toolkit::FormMenuBar>(QtWidget(*this), *FMenu->QtBar().bar,
                                                          [this] { Realign(); });
}

bool TForm::AcceptFiles() const {
  return QtWidget(*this).acceptDrops();
}

void TForm::SetAcceptFiles(bool AAccept) {
  QtWidget(*this).setAcceptDrops(AAccept);
}

void TForm::Notification(TComponent& AComponent, TOperation AOperation) {
  TWinControl::Notification(AComponent, AOperation);
  if (AOperation == TOperation::opRemove && &AComponent == static_cast<TComponent*>(FMenu)) {
    FImpl->menuBar.reset();
    FMenu = nullptr;
  }
}

bool TForm::Active() const {
  return QtWidget(*this).isActiveWindow();
}

void TForm::Activate() {
  QtWidget(*this).raise();
  QtWidget(*this).activateWindow();
}

void TForm::Release() {
  Hide();
  if (!FImpl->release) {
    auto* release = new FormRelease(this);
    FImpl->release = release;
    release->deleteLater();
  }
}

// Enter presses the form's default button and Escape its cancel button, wherever the focus is
// (a key the focused control does not use comes up to the form).
bool TForm::HandleKey(int key) {
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  if (!enter && key != Qt::Key_Escape)
    return false;
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* button = dynamic_cast<TButton*>(&Components(i));
    if (button && (enter ? button->Default() : button->Cancel()) && button->Visible() &&
        button->Enabled()) {
      toolkit::Guarded([button] { button->Click(); })();
      return true;
    }
  }
  return false;
}

bool TForm::HandleEvent(int type, bool& accept) {
  switch (type) {
  case QEvent::Close: {
    if (FFormState & fsModal) {
      // The show that marked the form asks CloseQuery itself when it sees the result.
      if (FModalResult == mrNone)
        FModalResult = mrCancel;
      accept = false;
      return true;
    }
    // A failing query vetoes: the failure is shown and the form stays.
    bool canClose = false;
    toolkit::Guarded([&] { canClose = CloseQuery(); })();
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
    // Hidden for good, not minimized: a modal show ends.
    if (FImpl->modalLoop && QtWidget(*this).isHidden()) {
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
