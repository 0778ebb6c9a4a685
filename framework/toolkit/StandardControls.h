#pragma once

// Toolkit: the standard controls (label, button, edit, memo, list box, combo box, check box,
// radio button).

#include "framework/toolkit/Control.h"
#include "framework/toolkit/Form.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kiv {

namespace toolkit {
class EventHook;
}

// A text on its parent, sized to the text.
class TLabel : public TControl {
public:
  explicit TLabel(TComponent* AOwner);
  std::string Caption() const;
  // Sizes the label to the caption (while painting is held, once it resumes).
  void SetCaption(const std::string& ACaption);

protected:
  void WriteKeptValues() override;

private:
  std::optional<std::string> FKeptCaption;
};

// A push button. A click sets its modal result on the form it sits on (ending a modal show),
// then calls OnClick.
class TButton : public TControl {
public:
  explicit TButton(TComponent* AOwner);
  std::string Caption() const;
  void SetCaption(const std::string& ACaption);
  TModalResult ModalResult() const noexcept { return FModalResult; }
  void SetModalResult(TModalResult AModalResult) noexcept { FModalResult = AModalResult; }
  // Enter on its form presses the default button (one owned by the form), Escape the cancel one.
  bool Default() const noexcept { return FDefault; }
  void SetDefault(bool ADefault);
  bool Cancel() const noexcept { return FCancel; }
  void SetCancel(bool ACancel) noexcept { FCancel = ACancel; }
  // Drawn without a raised edge until the pointer is over it.
  bool Flat() const;
  void SetFlat(bool AFlat);
  // What a press of the button does.
  void Click();

  std::function<void()> OnClick;

private:
  TModalResult FModalResult = mrNone;
  bool FDefault = false;
  bool FCancel = false;
};

// A one-line text box.
class TEdit : public TControl {
public:
  explicit TEdit(TComponent* AOwner);
  ~TEdit() override;
  std::string Text() const;
  void SetText(const std::string& AText);

  // After every change of the text, by the user or by SetText.
  std::function<void()> OnChange;
  // Before the box takes a typed character: Enter comes as '\r', Escape as '\x1b'. Setting Key
  // to 0 consumes the key.
  std::function<void(char& Key)> OnKeyPress;

private:
  std::unique_ptr<toolkit::EventHook> FKeyHook;
};

// A multi-line text box.
class TMemo : public TControl {
public:
  explicit TMemo(TComponent* AOwner);
  std::string Text() const;
  void SetText(const std::string& AText);
  std::vector<std::string> Lines() const;
  void AddLine(const std::string& ALine);
  void Clear();
};

// A list of texts with at most one selected.
class TListBox : public TControl {
public:
  explicit TListBox(TComponent* AOwner);
  int Count() const;
  std::string Item(int AIndex) const;
  void SetItem(int AIndex, const std::string& AText);
  void AddItem(const std::string& AText);
  void Clear();
  // The selected entry from 0, or -1 when none is selected.
  int ItemIndex() const;
  void SetItemIndex(int AIndex);
  // Whether the box draws its sunken edge.
  bool Bordered() const;
  void SetBordered(bool ABordered);
};

// A box with a caption that is checked or not.
class TCheckBox : public TControl {
public:
  explicit TCheckBox(TComponent* AOwner);
  std::string Caption() const;
  void SetCaption(const std::string& ACaption);
  bool Checked() const;
  void SetChecked(bool AChecked);

  // After every change of the state, by the user or by SetChecked.
  std::function<void()> OnClick;
};

// Whether a combo box takes typed text or only picks from its list.
enum class TComboBoxStyle { csDropDown, csDropDownList };

// A one-line box with a drop-down list of texts.
class TComboBox : public TControl {
public:
  explicit TComboBox(TComponent* AOwner);
  TComboBoxStyle Style() const;
  void SetStyle(TComboBoxStyle AStyle);
  int Count() const;
  std::string Item(int AIndex) const;
  void AddItem(const std::string& AText);
  void Clear();
  // The selected entry from 0, or -1 when none is selected.
  int ItemIndex() const;
  void SetItemIndex(int AIndex);
  // The text in the box: the selected entry's, or what was typed.
  std::string Text() const;
  // Selects the first entry with that text; a box that takes typed text shows any other text,
  // one that does not leaves its selection.
  void SetText(const std::string& AText);

  // After every change of the selected entry, by the user or by SetItemIndex.
  std::function<void()> OnChange;
};

// One of a set of choices: checking it unchecks the other radio buttons on the same parent.
class TRadioButton : public TControl {
public:
  explicit TRadioButton(TComponent* AOwner);
  std::string Caption() const;
  void SetCaption(const std::string& ACaption);
  bool Checked() const;
  void SetChecked(bool AChecked);

  // After every change of the state, by the user, by SetChecked or by another button's check.
  std::function<void()> OnClick;
};

} // namespace kiv
