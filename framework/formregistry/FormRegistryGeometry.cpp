// The placement of the form in its position key: getters, savers, saving it whole and restoring it.
#include "core/Escalation.h"
#include "framework/formregistry/FormRegistry_.h"
#include "framework/formregistry/RegistryAccess.h"
#include "framework/toolkit/Screen.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kiv {

using formregistry::KeyCloser;
using formregistry::TryReadBool;
using formregistry::TryReadByte;
using formregistry::TryReadInteger;
using formregistry::TryReadString;
using formregistry::WriteByte;

namespace {

// The stored ordinals of the form styles, which the toolkit numbers in another order.
constexpr std::array<TFormStyle, 4> kStoredFormStyles = {
    TFormStyle::fsNormal, TFormStyle::fsMDIChild, TFormStyle::fsMDIForm, TFormStyle::fsStayOnTop};

int StoredFormStyle(TFormStyle style) {
  return static_cast<int>(std::find(kStoredFormStyles.begin(), kStoredFormStyles.end(), style) -
                          kStoredFormStyles.begin());
}

} // namespace

TForm& TFormRegistry::RequireForm() const {
  if (!FForm)
    throw EPFatal("No form: the object was made from a form name");
  return *FForm;
}

int TFormRegistry::ScaleFactor() const {
  const int dpi = FForm ? FForm->PixelsPerInch() : 96;
  // Rounded halves to even, as the platform rounds: 144 dpi is 2, 240 dpi is 2 too.
  return std::max(1, static_cast<int>(std::nearbyint(dpi / 96.0)));
}

int TFormRegistry::ReadPositionInteger(const char* name) {
  if (!OpenKey(*Registry, FKeyNamePosition, false))
    return 0;
  const KeyCloser closer(*Registry);
  return TryReadInteger(*Registry, name).value_or(0);
}

int TFormRegistry::ReadScaled(const char* name) {
  return ReadPositionInteger(name) * ScaleFactor();
}

int TFormRegistry::ReadClamped(const char* name, const char* sizeName, int screenSize) {
  int place = ReadScaled(name);
  const int size = ReadScaled(sizeName);
  if (size < 1)
    return place;
  place = std::min(place, screenSize - size);
  return place < 1 ? 0 : place;
}

int TFormRegistry::ReadOrdinal(const char* name, int count) {
  if (!OpenKey(*Registry, FKeyNamePosition, false))
    return 0;
  const KeyCloser closer(*Registry);
  const std::optional<std::uint8_t> ordinal = TryReadByte(*Registry, name);
  return ordinal && *ordinal < count ? *ordinal : 0;
}

void TFormRegistry::WritePositionInteger(const char* name, int value) {
  if (!OpenKey(*Registry, FKeyNamePosition, true))
    return;
  const KeyCloser closer(*Registry);
  Registry->WriteInteger(name, value);
}

void TFormRegistry::WritePositionOrdinal(const char* name, int ordinal) {
  if (!OpenKey(*Registry, FKeyNamePosition, true))
    return;
  const KeyCloser closer(*Registry);
  WriteByte(*Registry, name, static_cast<std::uint8_t>(ordinal));
}

void TFormRegistry::WriteScaled(const char* name, int value) {
  // The getters multiply by the factor: divide here so that a save and a restore give back the
  // same window.
  WritePositionInteger(name,
                       static_cast<int>(std::lround(static_cast<double>(value) / ScaleFactor())));
}

int TFormRegistry::GetLeft() {
  return GuardWrapping(ClassName(), "GetLeft",
                       [&] { return ReadClamped("Left", "Width", Screen().Width()); });
}

int TFormRegistry::GetTop() {
  return GuardWrapping(ClassName(), "GetTop",
                       [&] { return ReadClamped("Top", "Height", Screen().Height()); });
}

int TFormRegistry::GetWidth() {
  return GuardWrapping(ClassName(), "GetWidth", [&] { return ReadScaled("Width"); });
}

int TFormRegistry::GetHeight() {
  return GuardWrapping(ClassName(), "GetHeight", [&] { return ReadScaled("Height"); });
}

int TFormRegistry::GetUndockWidth() {
  return GuardWrapping(ClassName(), "GetUndockWidth", [&] { return ReadScaled("UndockWidth"); });
}

int TFormRegistry::GetUndockHeight() {
  return GuardWrapping(ClassName(), "GetUndockHeight", [&] { return ReadScaled("UndockHeight"); });
}

int TFormRegistry::GetLRDockWidth() {
  return GuardWrapping(ClassName(), "GetLRDockWidth",
                       [&] { return ReadPositionInteger("LRDockWidth"); });
}

int TFormRegistry::GetTBDockHeight() {
  return GuardWrapping(ClassName(), "GetTBDockHeight",
                       [&] { return ReadPositionInteger("TBDockHeight"); });
}

TWindowState TFormRegistry::GetWindowState() {
  return GuardWrapping(ClassName(), "GetWindowState", [&] {
    if (!OpenKey(*Registry, FKeyNamePosition, false))
      return TWindowState::wsNormal;
    const KeyCloser closer(*Registry);
    if (!Registry->ValueExists("WindowState"))
      return TWindowState::wsNormal;
    const std::optional<std::uint8_t> state = TryReadByte(*Registry, "WindowState");
    if (state && *state <= static_cast<int>(TWindowState::wsMaximized))
      return static_cast<TWindowState>(*state);
    // A state of another size or kind is mended for the next start.
    WriteByte(*Registry, "WindowState", 0);
    return TWindowState::wsNormal;
  });
}

TFormStyle TFormRegistry::GetFormStyle() {
  return GuardWrapping(ClassName(), "GetFormStyle", [&] {
    return kStoredFormStyles[static_cast<std::size_t>(
        ReadOrdinal("FormStyle", static_cast<int>(kStoredFormStyles.size())))];
  });
}

TFormBorderStyle TFormRegistry::GetBorderStyle() {
  return GuardWrapping(ClassName(), "GetBorderStyle", [&] {
    return static_cast<TFormBorderStyle>(
        ReadOrdinal("BorderStyle", static_cast<int>(TFormBorderStyle::bsSizeToolWin) + 1));
  });
}

TDragMode TFormRegistry::GetDragMode() {
  return GuardWrapping(ClassName(), "GetDragMode", [&] {
    return static_cast<TDragMode>(
        ReadOrdinal("DragMode", static_cast<int>(TDragMode::dmAutomatic) + 1));
  });
}

TDragKind TFormRegistry::GetDragKind() {
  return GuardWrapping(ClassName(), "GetDragKind", [&] {
    return static_cast<TDragKind>(ReadOrdinal("DragKind", static_cast<int>(TDragKind::dkDock) + 1));
  });
}

bool TFormRegistry::GetVisible() {
  return GuardWrapping(ClassName(), "GetVisible", [&] {
    if (!OpenKey(*Registry, FKeyNamePosition, false))
      return true;
    const KeyCloser closer(*Registry);
    return TryReadBool(*Registry, "Visible").value_or(false);
  });
}

std::string TFormRegistry::GetDockHost() {
  return GuardWrapping(ClassName(), "GetDockHost", [&] {
    if (!OpenKey(*Registry, FKeyNamePosition, false))
      return std::string();
    const KeyCloser closer(*Registry);
    return TryReadString(*Registry, "DockHost").value_or(std::string());
  });
}

void TFormRegistry::SaveLeft() {
  GuardWrapping(ClassName(), "SaveLeft", [&] { WriteScaled("Left", RequireForm().Left()); });
}

void TFormRegistry::SaveTop() {
  GuardWrapping(ClassName(), "SaveTop", [&] { WriteScaled("Top", RequireForm().Top()); });
}

void TFormRegistry::SaveWidth() {
  GuardWrapping(ClassName(), "SaveWidth", [&] { WriteScaled("Width", RequireForm().Width()); });
}

void TFormRegistry::SaveHeight() {
  GuardWrapping(ClassName(), "SaveHeight", [&] { WriteScaled("Height", RequireForm().Height()); });
}

void TFormRegistry::SaveUndockWidth() {
  GuardWrapping(ClassName(), "SaveUndockWidth", [&] {
    const TForm& form = RequireForm();
    WriteScaled("UndockWidth", form.UndockWidth != 0 ? form.UndockWidth : form.Width());
  });
}

void TFormRegistry::SaveUndockHeight() {
  GuardWrapping(ClassName(), "SaveUndockHeight", [&] {
    const TForm& form = RequireForm();
    WriteScaled("UndockHeight", form.UndockHeight != 0 ? form.UndockHeight : form.Height());
  });
}

void TFormRegistry::SaveWindowState() {
  GuardWrapping(ClassName(), "SaveWindowState", [&] {
    WritePositionOrdinal("WindowState", static_cast<int>(RequireForm().WindowState()));
  });
}

void TFormRegistry::SaveVisible() {
  GuardWrapping(ClassName(), "SaveVisible", [&] {
    const TForm& form = RequireForm();
    if (!OpenKey(*Registry, FKeyNamePosition, true))
      return;
    const KeyCloser closer(*Registry);
    Registry->WriteBool("Visible", form.Visible());
  });
}

void TFormRegistry::SaveDockHost() {
  GuardWrapping(ClassName(), "SaveDockHost", [&] {
    const TForm& form = RequireForm();
    if (!OpenKey(*Registry, FKeyNamePosition, true))
      return;
    const KeyCloser closer(*Registry);
    Registry->WriteString("DockHost", form.HostDockSiteName);
  });
}

void TFormRegistry::SaveFormStyle() {
  GuardWrapping(ClassName(), "SaveFormStyle", [&] {
    WritePositionOrdinal("FormStyle", StoredFormStyle(RequireForm().FormStyle()));
  });
}

void TFormRegistry::SaveBorderStyle() {
  GuardWrapping(ClassName(), "SaveBorderStyle", [&] {
    WritePositionOrdinal("BorderStyle", static_cast<int>(RequireForm().BorderStyle()));
  });
}

void TFormRegistry::SaveDragMode() {
  GuardWrapping(ClassName(), "SaveDragMode", [&] {
    WritePositionOrdinal("DragMode", static_cast<int>(RequireForm().DragMode));
  });
}

void TFormRegistry::SaveDragKind() {
  GuardWrapping(ClassName(), "SaveDragKind", [&] {
    WritePositionOrdinal("DragKind", static_cast<int>(RequireForm().DragKind));
  });
}

void TFormRegistry::SaveLRDockWidth() {
  GuardWrapping(ClassName(), "SaveLRDockWidth",
                [&] { WritePositionInteger("LRDockWidth", RequireForm().LRDockWidth); });
}

void TFormRegistry::SaveTBDockHeight() {
  GuardWrapping(ClassName(), "SaveTBDockHeight",
                [&] { WritePositionInteger("TBDockHeight", RequireForm().TBDockHeight); });
}

void TFormRegistry::SavePosition() {
  GuardWrapping(ClassName(), "SavePosition", [&] {
    RequireForm();
    platform::SettingsTransaction transaction(Registry->Store());
    SaveLeft();
    SaveTop();
    SaveWidth();
    SaveHeight();
    SaveUndockHeight();
    SaveUndockWidth();
    SaveWindowState();
    SaveVisible();
    SaveDockHost();
    SaveFormStyle();
    SaveBorderStyle();
    SaveDragMode();
    SaveDragKind();
    SaveLRDockWidth();
    SaveTBDockHeight();
    SaveVersion(true);
    transaction.Commit();
  });
}

bool TFormRegistry::Restore() {
  return GuardWrapping(ClassName(), "Restore", [&] {
    TForm& form = RequireForm();
    if (GetVersion() == FVersion && GetLeft() + GetTop() + GetWidth() + GetHeight() > 0) {
      const TWindowState state = GetWindowState();
      const TFormBorderStyle border = GetBorderStyle();
      if (state != TWindowState::wsMinimized)
        form.SetWindowState(state);
      if (state == TWindowState::wsNormal) {
        form.SetLeft(GetLeft());
        form.SetTop(GetTop());
        if (border == TFormBorderStyle::bsSizeable || border == TFormBorderStyle::bsSizeToolWin ||
            border == TFormBorderStyle::bsNone) {
          form.SetWidth(GetWidth());
          form.SetHeight(GetHeight());
        }
      }
      KeepOnScreen();
      form.UndockWidth = GetUndockWidth();
      form.UndockHeight = GetUndockHeight();
      form.LRDockWidth = GetLRDockWidth();
      form.TBDockHeight = GetTBDockHeight();
      return true;
    }
    SaveVersion(true);
    const TPosition position = form.Position();
    if (position == TPosition::poDefault || position == TPosition::poDefaultPosOnly ||
        position == TPosition::poDefaultSizeOnly) {
      form.SetLeft((Screen().Width() - form.Width()) / 2);
      form.SetTop((Screen().Height() - form.Height()) / 2);
    } else {
      KeepOnScreen();
    }
    return false;
  });
}

void TFormRegistry::KeepOnScreen() {
  TForm& form = RequireForm();
  const double screenWidth = Screen().Width();
  const double screenHeight = Screen().Height();
  if (0.1 * screenWidth > screenWidth - form.Left())
    form.SetLeft(Screen().Width() - form.Width());
  if (0.1 * screenWidth > form.Left() + form.Width())
    form.SetLeft(0);
  if (0.1 * screenHeight > screenHeight - form.Top())
    form.SetTop(Screen().Height() - form.Height());
  if (0.1 * screenHeight > form.Top() + form.Height())
    form.SetTop(0);
}

} // namespace kiv
