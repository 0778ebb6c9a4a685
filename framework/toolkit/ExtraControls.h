#pragma once

// Toolkit: the extra controls (speed button, labelled edit, radio group).

#include "framework/toolkit/Control.h"

#include <functional>
#include <string>

namespace kiv {

// A flat button for tool bars: a click calls OnClick.
class TSpeedButton : public TControl {
public:
  explicit TSpeedButton(TComponent* AOwner);
  std::string Caption() const;
  void SetCaption(const std::string& ACaption);
  // What a press of the button does.
  void Click();

  std::function<void()> OnClick;
};

// A one-line text box with its label above it; Width and Height are those of the box and label
// together.
class TLabeledEdit : public TControl {
public:
  explicit TLabeledEdit(TComponent* AOwner);
  std::string Text() const;
  void SetText(const std::string& AText);
  std::string LabelCaption() const;
  void SetLabelCaption(const std::string& ACaption);

  // After every change of the text, by the user or by SetText.
  std::function<void()> OnChange;
};

// A captioned frame holding a column of radio buttons, one per item, of which at most one is
// checked.
class TRadioGroup : public TControl {
public:
  explicit TRadioGroup(TComponent* AOwner);
  std::string Caption() const;
  void SetCaption(const std::string& ACaption);
  int Count() const;
  std::string Item(int AIndex) const;
  void AddItem(const std::string& AText);
  // The checked item from 0, or -1 when none is checked.
  int ItemIndex() const;
  void SetItemIndex(int AIndex);

  // After every change of the checked item, by the user or by SetItemIndex.
  std::function<void()> OnClick;
};

} // namespace kiv
