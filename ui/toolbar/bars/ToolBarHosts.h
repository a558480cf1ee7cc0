// What a toolbar asks of the ribbon around it. The ribbon library sits above
// the toolbars, so the toolbars know its pager and pages only through these
// two interfaces, which the ribbon's pager (TAdvToolBarPager) and page
// (TAdvPage) implement; a toolbar whose Parent implements IToolBarPage is a
// ribbon group. The pop-up forms of the ribbon are known by class name
// ("TCompactWindow", "TMinimizedRibbonWindow").
#pragma once

#include "base/Controls.h"

class TCustomAdvToolBarStyler;
class TToolBarAppearance;
class TGroupAppearance;
class TGlowButtonAppearance;
class TGDIPPicture;
class TAdvCustomToolBar;
class TAdvGlowButton;

class IToolBarPager {
 public:
  // The pager as a control.
  virtual TWinControl* PagerControl() = 0;
  // The styler in effect (the assigned one, else the internal one) and the
  // internal one; a toolbar that follows its pager takes the first unless it
  // is being freed, else the second unless that is being freed.
  virtual TCustomAdvToolBarStyler* PagerCurrentStyler() = 0;
  virtual TCustomAdvToolBarStyler* PagerInternalStyler() = 0;
  // The pager's colour-tones look is on.
  virtual bool PagerTonesActive() = 0;
  // The appearance of the toolbars on its pages while tones are on, or
  // nullptr; and the caption text colour that goes with it.
  virtual TToolBarAppearance* PagerToolBarAppearance() = 0;
  virtual TColor PagerToolBarCaptionTextColor() = 0;
  // The glow-button colours of the pager's own buttons (also under tones).
  virtual TGlowButtonAppearance* PagerGlowButtonAppearance() = 0;
  // The Office 2013 look is on.
  virtual bool PagerOffice2013() = 0;
  // The tabs are drawn on active glass.
  virtual bool PagerGlassActive() = 0;
  // The option pictures that groups with ParentOptionPicture show.
  virtual TGDIPPicture* PagerOptionPicture() = 0;
  virtual TGDIPPicture* PagerOptionDisabledPicture() = 0;
  // Hints of disabled controls on the pages are shown.
  virtual bool PagerShowsDisabledControlsHint() = 0;
  // The page shown now, or nullptr.
  virtual TWinControl* PagerActivePage() = 0;
  // When Page's tab lies in a tab group: the group appearance its groups
  // take (the styler's GroupAppearance for a tab group with the default
  // appearance); else nullptr.
  virtual TGroupAppearance* PagerTabGroupAppearance(TWinControl* Page) = 0;
  // A group's compact window closed (Button: the group's compact button):
  // a press on another group's compact button opens that one's.
  virtual void PagerCompactClosed(TAdvGlowButton* Button) {}
  // A group's key-tip action is done: the focus goes back where it was
  // when the key tips started.
  virtual void PagerRestoreFocus() {}
  // Keys typed in a group's glow button that leave the group for the pager:
  // Escape brings the tab key tips back, Escape also closes the floating
  // ribbon, and Escape or Up give the pager the focus (remembered as a
  // change made by key press).
  virtual void PagerShowTabKeyTips() {}
  virtual void PagerHideFloatingRibbon() {}
  virtual void PagerFocusByKey() {}

 protected:
  ~IToolBarPager() = default;
};

class IToolBarPage {
 public:
  // The page as a control.
  virtual TWinControl* PageControl() = 0;
  // The page's Parent when that is a pager, else nullptr.
  virtual IToolBarPager* PageParentPager() = 0;
  // When the page's Parent is the minimized ribbon window, the pager that
  // window shows; else nullptr.
  virtual IToolBarPager* PageMinimizedWindowPager() = 0;
  // A page shown in the minimized ribbon window is a copy: the page it was
  // copied from. Else nullptr.
  virtual IToolBarPage* PageCloneSource() = 0;
  // The toolbars of the page as its groups, in group order; MoveGroup puts
  // one at Index (clamped to the list) and places the groups again.
  virtual int PageGroupCount() = 0;
  virtual int PageGroupIndex(TAdvCustomToolBar* Group) = 0;
  virtual void PageMoveGroup(TAdvCustomToolBar* Group, int Index) = 0;
  // A group's compact state was set or cleared: the page fits its groups
  // again.
  virtual void PageGroupsChanged() {}
  // The key tips of the page's groups are showing; a typed key-tip
  // character is added to the page's typed text and matched (True when it
  // triggered a button); the key tips of the groups are hidden.
  virtual bool PageGroupKeyTipsShowing() { return false; }
  virtual bool PageTypeKeyTipChar(wchar_t Ch) { return false; }
  virtual void PageHideGroupKeyTips() {}
  // The copy of a compact group in its drop-down types key tips too: Ch is
  // added to the page's typed text, which is returned for the copy to
  // match; Escape there shows the key tips of the page's groups again.
  virtual String PageAddTypedKeyTipChar(wchar_t Ch) { return String(1, Ch); }
  virtual void PageShowGroupKeyTips() {}

 protected:
  ~IToolBarPage() = default;
};

// The page a control lies on (its Parent as a page), or nullptr.
IToolBarPage* PageOf(const TControl* Control);
// The control is of the class named (the ribbon's pop-up forms, items of
// later toolbar families).
bool IsClass(const TControl* Control, const wchar_t* Name);

class TCustomImageList;

// The ribbon's quick access toolbar as the toolbar buttons on it see it.
class IQuickAccessToolBar {
 public:
  virtual TWinControl* QATControl() = 0;
  virtual TCustomImageList* QATImages() = 0;
  virtual TCustomImageList* QATDisabledImages() = 0;
  // The styler in effect, or nullptr.
  virtual TCustomAdvToolBarStyler* QATStyler() = 0;
  // Drawn on glass (Aero), and whether it runs below the ribbon.
  virtual bool QATGlass() = 0;
  virtual bool QATFullSize() = 0;
  // The height its buttons get (less one).
  virtual int QATButtonAreaHeight() = 0;
  // Hides its overflow pop-up, when shown.
  virtual void QATHideOverflow() = 0;
  // One of its items was shown or hidden.
  virtual void QATItemsChanged() = 0;
  // It is placing its controls itself just now.
  virtual bool QATRepositioning() = 0;
  // Drops from its control list what lies neither on it nor in its
  // overflow drop-down.
  virtual void QATPurgeControlList() = 0;
  // Key tips of its buttons, driven by the pager's key-tip mode. Typed is
  // what was typed since the tips showed: an exact match clicks that button
  // and answers true; each button whose tip still starts with it adds 1 to
  // Partial, the others hide their tips. (No tips by default.)
  virtual void QATShowKeyTips() {}
  virtual void QATHideKeyTips() {}
  virtual bool QATHandleKeyTip(const String& Typed, int& Partial) {
    (void)Typed;
    (void)Partial;
    return false;
  }
  // Repaints the button that its glass painting refers to (its Vista
  // buttons ask when the pointer leaves them).
  virtual void QATInvalidateRefButton() = 0;

 protected:
  ~IQuickAccessToolBar() = default;
};
