#include "core/Exceptions.h"
#include "framework/desktop/Dialog.h"
#include "testing/gui/ModalAnswer.h"

#include <QMessageBox>
#include <functional>
#include <gtest/gtest.h>

namespace kiv {
namespace {

using test::ModalAnswer;

struct Shown {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  std::string text;
};

// Shows the box of call, answers it with button and tells what it showed.
Shown ShownBy(const std::function<void()>& call, int button = QMessageBox::Ok) {
  Shown shown;
  ModalAnswer answer([&](QWidget& window) {
    shown.icon = static_cast<QMessageBox&>(window).icon();
    test::ClickMessageBoxButton(button, &shown.text)(window);
  });
  call();
  return shown;
}

TEST(TDialog, MessageBoxesShowTheirKindAndTextWithBarsAsLineBreaksInTextsOnly) {
  TDialog dialog(nullptr);
  struct Case {
    const char* name;
    std::function<void()> call;
    QMessageBox::Icon icon;
    const char* text;
  };
  const Case cases[] = {
      {"Error", [&] { dialog.Error("two|words"); }, QMessageBox::Critical, "two\nwords"},
      {"Warning", [&] { dialog.Warning("a|b|c"); }, QMessageBox::Warning, "a\nb\nc"},
      {"Information text", [&] { dialog.Information("two|words"); }, QMessageBox::Information,
       "two\nwords"},
      {"Information true", [&] { dialog.Information(true); }, QMessageBox::Information,
       "Boolean value = True"},
      {"Information false", [&] { dialog.Information(false); }, QMessageBox::Information,
       "Boolean value = False"},
      {"Information int64", [&] { dialog.Information(std::int64_t{-9223372036854775807 - 1}); },
       QMessageBox::Information, "Integer value = -9223372036854775808"},
      {"Information int", [&] { dialog.Information(42); }, QMessageBox::Information,
       "Integer value = 42"},
      {"Information double", [&] { dialog.Information(1.0 / 3.0); }, QMessageBox::Information,
       "Extended value = 0.333333333333"},
      {"Information large", [&] { dialog.Information(123456789012345.0); },
       QMessageBox::Information, "Extended value = 123456789012000"},
      {"Information half", [&] { dialog.Information(2.5); }, QMessageBox::Information,
       "Extended value = 2.5"},
  };
  for (const Case& c : cases) {
    const Shown shown = ShownBy(c.call);
    EXPECT_EQ(shown.icon, c.icon) << c.name;
    EXPECT_EQ(shown.text, c.text) << c.name;
  }
}

TEST(TDialog, YesIsTrueOnlyForYes) {
  TDialog dialog(nullptr);
  bool answer = false;
  const Shown shown = ShownBy([&] { answer = dialog.Yes("Stop|now?"); }, QMessageBox::Yes);
  EXPECT_TRUE(answer);
  EXPECT_EQ(shown.icon, QMessageBox::Question);
  EXPECT_EQ(shown.text, "Stop\nnow?");
  ShownBy([&] { answer = dialog.Yes("Stop?"); }, QMessageBox::No);
  EXPECT_FALSE(answer);
}

TEST(TDialog, ExceptionBoxNamesTheClassAndKeepsBarsInTheMessage) {
  TDialog dialog(nullptr);
  const Shown shown =
      ShownBy([&] { dialog.Exception_(std::make_exception_ptr(EPelo("No file|here"))); });
  EXPECT_EQ(shown.icon, QMessageBox::Critical);
  EXPECT_EQ(shown.text, "EPelo with message: \nNo file|here");
}

} // namespace
} // namespace kiv
