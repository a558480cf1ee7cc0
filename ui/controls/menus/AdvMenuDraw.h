// Measuring and painting the items of styled menus, and the look of their
// popup windows: where an item sits in its menu tree, how big it is, how it
// is painted in the styler's colours, the frame and region of each drop-down
// window, and the window list of an MDI frame's main menu.
#pragma once

#include "ui/controls/menus/AdvMenus.h"

// The shortcut flag of the Windows key (the platform ignores it).
constexpr TShortCut scWin = 0x0200;

// Where an item sits. The parent component of an item is its parent item,
// or the menu for a top-level item.
bool IsMenuBarItem(TMenuItem* Item);
bool IsRootItem(TMenuItem* Item);
bool IsFirstLevelItem(TMenuItem* Item);
bool InFirstVisibleDropDown(TMenuItem* Item);
bool InLaterColumn(TMenuItem* Item);
bool IsFirstVisibleItem(TMenuItem* Item);
TMenuItem* FirstVisibleItem(TMenuItem* Parent);
int VisibleItemIndex(TMenuItem* Item);
int ItemLevel(TMenuItem* Item);
// Whether the item's drop-down shows the current styler's side bar.
bool SideBarShown(TMenuItem* Item);

// The item's size: Width and Height come in as the platform proposes them.
void MeasureMenuItem(TMenuItem* Item, TCanvas* Canvas, int& Width, bool SideBar, int& Height);
// The text right of a caption: the platform's shortcut text (with "Win+"
// for the Windows-key flag), or in International mode the keyboard
// layout's key names.
String ShortCutToMenuText(TShortCut ShortCut, bool International);
String GetKeyDisplayName(WORD Key);
String CapitalizeKeyName(const String& Name);

// Paints an item: for a drop-down item its share of the side bar, icon bar
// and background first, then the item, then the window frame.
void DrawMenuItem(TMenuItem* Item, TCanvas* Canvas, const TRect& ARect, bool SideBarFlag, TOwnerDrawState State);
void PaintMenuItemContent(IAdvMenu* Menu, TMenuItem* Item, TCanvas* Canvas, TOwnerDrawState State, TRect R);
void PaintMenuItemBody(IAdvMenu* Menu, TMenuItem* Item, TCanvas* Canvas, TOwnerDrawState State, TRect R);
void DrawMenuSeparator(IAdvMenu* Menu, TMenuItem* Item, TCanvas* Canvas, TRect R);
// Paints (or with DT_CALCRECT measures into R) a caption, a caption with
// notes, or a shortcut text.
void DrawMenuItemCaption(TMenuItem* Item, TCanvas* Canvas, const String& Text, UINT Flags, TOwnerDrawState State,
                         TRect& R);
// The union of the platform's rectangles of the items of Item's parent
// menu (as the platform shows them in Window), moved to (0, 0).
TRect GetPopupItemsRect(TMenuItem* Item, HWND Window);
bool IsLastMenuBarItem(TMenuItem* Item);

// Takes over a drop-down window on its first painting (subclass, region,
// position) and frames it on every painting.
void DrawMenuWindowFrame(TMenuItem* Item, TCanvas* Canvas);
LRESULT CALLBACK MenuWindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);
bool SubMenuOpensRight(TMenuItem* Item, HWND Window);
LRESULT CALLBACK MdiClientWindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);
HWND GetMdiClientWindow(IAdvMenu* Menu);
HWND GetMenuBarWindow(TMenu* Menu);
TCustomForm* FindFormByHandle(HWND Window);

// Seam: the platform's style manager reports a visual style other than
// "Windows" (then no MDI client is hooked). The platform has none here.
void SetStyledAppearanceSource(bool (*Source)());
