#pragma once

// Toolkit: the page control and its tab sheets.

#include "framework/toolkit/Control.h"

#include <string>
#include <vector>

namespace kiv {

class TTabSheet;

// Pages shown one at a time, each chosen by its tab.
class TPageControl : public TWinControl {
public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;

  int PageCount() const noexcept { return static_cast<int>(FPages.size()); }
  TTabSheet& Pages(int AIndex) const;
  int ActivePageIndex() const;
  void SetActivePageIndex(int AIndex);
  // The page shown; null when the control has none.
  TTabSheet* ActivePage() const;
  void SetActivePage(TTabSheet& APage);

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
