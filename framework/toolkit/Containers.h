#pragma once

#include "framework/toolkit/Control.h"

#include <string>
#include <vector>

namespace kiv {

// A captioned frame that holds other controls.
class TGroupBox : public TWinControl {
public:
  explicit TGroupBox(TComponent* AOwner);
  std::string Caption() const;
  void SetCaption(const std::string& ACaption);
};

// A reusable area without an edge of its own: it owns and holds the controls made for it, so that
// the same set of controls can sit on several forms or panels.
class TFrame : public TWinControl {
public:
  explicit TFrame(TComponent* AOwner);
};

class TTabSheet;

// Pages shown one at a time, each chosen by its tab.
class TPageControl : public TWinControl {
public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  // The sheets in the order of their tabs.
  int PageCount() const noexcept { return static_cast<int>(FPages.size()); }
  TTabSheet& Pages(int AIndex) const;
  // The index of the page shown, or -1 when there is none.
  int ActivePageIndex() const;
  void SetActivePageIndex(int AIndex);

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet& sheet);
  void RemovePage(TTabSheet& sheet) noexcept;

  std::vector<TTabSheet*> FPages;
};

// One page of a page control; its caption is the tab's text. The page control shows it but does
// not own it: freeing the page control leaves its sheets without one.
class TTabSheet : public TWinControl {
public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  TPageControl* PageControl() const noexcept { return FPageControl; }
  // Adds the sheet as the last page of APageControl (null: takes it off its page control).
  void SetPageControl(TPageControl* APageControl);
  std::string Caption() const;
  void SetCaption(const std::string& ACaption);

private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  std::string FCaption;
};

} // namespace kiv
