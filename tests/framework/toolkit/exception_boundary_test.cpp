#include "core/Exceptions.h"
#include "framework/toolkit/Application.h"
#include "framework/toolkit/Form.h"
#include "framework/toolkit/StandardControls.h"
#include "framework/toolkit/detail/Widget.h"
#include "testing/gui/ModalAnswer.h"

#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>
#include <stdexcept>
#include <system_error>

namespace kiv {
namespace {

using test::ClickMessageBoxButton;
using test::ModalAnswer;

TEST(ExceptionBoundary, ClickHandlerThatThrowsEndsInTheExceptionBoxAndTheProgramGoesOn) {
  TForm form(nullptr);
  auto* button = new TButton(&form);
  button->SetParent(&form);
  int clicks = 0;
  button->OnClick = [&] {
    if (++clicks == 1)
      throw EPelo("The model file is locked");
  };
  form.Show();
  auto& pushButton = toolkit::QtWidgetAs<QPushButton>(*button);

  std::string text;
  {
    ModalAnswer ok(ClickMessageBoxButton(QMessageBox::Ok, &text));
    pushButton.click();
  }
  EXPECT_EQ(text, "EPelo with message: \nThe model file is locked");
  pushButton.click(); // the handler runs again: nothing was left broken
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(form.Visible());
}

TEST(ExceptionBoundary, FailingCloseQueryShowsTheBoxAndKeepsTheFormOpen) {
  TForm form(nullptr);
  form.OnCloseQuery = [](bool&) { throw std::runtime_error("no answer"); };
  form.Show();
  std::string text;
  {
    ModalAnswer ok(ClickMessageBoxButton(QMessageBox::Ok, &text));
    form.Close();
  }
  EXPECT_EQ(text, "runtime_error with message: \nno answer");
  EXPECT_TRUE(form.Visible());
  form.OnCloseQuery = nullptr;
}

TEST(ExceptionBoundary, OnExceptionReplacesTheBox) {
  TEdit edit(nullptr);
  edit.OnChange = [] { throw EPFatal("TFormRegistry.Save\nDisk full"); };
  std::string seen;
  Application().OnException = [&](std::exception_ptr failure) { seen = ExceptionBoxText(failure); };
  edit.SetText("x");
  Application().OnException = nullptr;
  EXPECT_EQ(seen, "EPFatal with message: \nTFormRegistry.Save\nDisk full");
}

TEST(ExceptionBoxText, NamesTheClassAndTheMessage) {
  struct Case {
    std::exception_ptr failure;
    const char* text;
  };
  const Case cases[] = {
      {std::make_exception_ptr(EPInfo("Done")), "EPInfo with message: \nDone"},
      {std::make_exception_ptr(
           std::system_error(std::make_error_code(std::errc::no_space_on_device), "write")),
       "system_error with message: \nwrite: No space left on device"},
      {std::make_exception_ptr(42), "unknown exception with message: \n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ExceptionBoxText(c.failure), c.text);
}

} // namespace
} // namespace kiv
