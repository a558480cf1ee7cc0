// The page control: pages (tab sheets) of which one shows at a time, with a
// tab for each page whose TabVisible is on. With no visible tab the active
// page fills the whole control, so code can step through pages the user
// cannot pick (a wizard).
#pragma once

#include <vector>

#include "base/Controls.h"

class TPageControl;

class TTabSheet : public TCustomControl {
  VANTREL_CLASS(TTabSheet)
 public:
  explicit TTabSheet(TComponent* AOwner);

  TPageControl* PageControl() const { return FPageControl; }
  // Makes the sheet a page of Value (nullptr: of none).
  void SetPageControl(TPageControl* Value);
  // The index among the control's pages, -1 without a control.
  int PageIndex() const;
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);

 protected:
  void Destroy() override;
  void Paint() override;
  void TextChanged() override;

 private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
};

enum class TTabStyle { tsTabs, tsButtons, tsFlatButtons };

class TPageControl : public TWinControl {
  VANTREL_CLASS(TPageControl)
 public:
  explicit TPageControl(TComponent* AOwner);

  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int Index) const { return FPages.at(static_cast<size_t>(Index)); }
  // The page shown; setting it fires nothing.
  TTabSheet* ActivePage() const { return FActivePage; }
  void SetActivePage(TTabSheet* Page);
  int ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }
  void SetActivePageIndex(int Index);
  TTabStyle Style() const { return FStyle; }
  void SetStyle(TTabStyle Value);
  // The area that pages take, in client coordinates.
  TRect DisplayRect();

  // The user picked another tab.
  TNotifyEvent OnChange;

  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Dispatch(TMessage& Message) override;

 protected:
  void Destroy() override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  // Fills the window's tabs from the pages that show one.
  void UpdateTabs();
  TTabSheet* PageOfTab(int TabIndex) const;
  int TabOfPage(TTabSheet* Page) const;
  void ShowActive();

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  TTabStyle FStyle = TTabStyle::tsTabs;
};
