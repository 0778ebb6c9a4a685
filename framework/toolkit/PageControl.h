#pragma once

#include "framework/toolkit/Control.h"

#include <string>
#include <vector>

namespace kiv {

class TTabSheet;

// Pages behind tabs, one of them shown: the active page.
class TPageControl : public TWinControl {
public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;

  int PageCount() const noexcept { return static_cast<int>(FPages.size()); }
  TTabSheet& Pages(int AIndex) const;
  // The page shown; null when the control has none.
  TTabSheet* ActivePage() const;
  void SetActivePage(TTabSheet& APage);

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet& page);
  void RemovePage(TTabSheet& page) noexcept;

  std::vector<TTabSheet*> FPages;
};

// One page of a page control, with the caption of its tab; controls are placed on it.
class TTabSheet : public TWinControl {
public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;

  TPageControl* PageControl() const noexcept { return FPageControl; }
  // Adds the page behind a tab of its own at the end of APageControl.
  void SetPageControl(TPageControl& APageControl);
  std::string Caption() const;
  void SetCaption(const std::string& ACaption);

private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  std::string FCaption;
};

} // namespace kiv
