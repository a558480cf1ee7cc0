// Styled popup and main menus: owner-drawn menus whose items are measured
// and painted through a menu styler (an assigned one, else an internal one
// the menu owns). Both hook every item's measure and draw events, switch the
// system's menu animation off before a menu shows, and answer to IAdvMenu,
// through which the measuring and painting reach them.
#pragma once

#include "ui/controls/menus/AdvMenuStylers.h"

class TAdvMainMenu;

enum class TActionImage { aiNormal, aiLarge };
// pcbTopLeft carries its own prefix.
enum class TPopopControlPosition { pcpBottomLeft, pcpBottomRight, pcbTopLeft, pcpTopRight, pcpCenter };

class IAdvMenu {
 public:
  // Updates every item's platform entry (this menu's and the merged ones'),
  // so that owner-drawn items are measured again.
  virtual void UpdateItems() = 0;
  virtual TMenu* GetMenu() = 0;
  // The assigned styler, nullptr when the internal one is in use.
  virtual TCustomAdvMenuStyler* GetMenuStyler() = 0;
  // The styler the menu draws with.
  virtual TCustomAdvMenuStyler* GetCurrentMenuStyler() = 0;
  virtual void SetMenuStyler(TCustomAdvMenuStyler* Value) = 0;
  virtual BYTE GetOpacity() = 0;
  virtual void SetOpacity(BYTE Value) = 0;
  virtual bool GetShowNotes() = 0;
  virtual void SetShowNotes(bool Value) = 0;
  virtual bool GetIntlKeybShortCuts() = 0;
  virtual void SetIntlKeybShortCuts(bool Value) = 0;
  virtual void SetActionImage(TActionImage Value) = 0;
  virtual TActionImage GetActionImage() = 0;

 protected:
  ~IAdvMenu() = default;
};

// The handlers a styled menu installs on its items. Their Code tells whose
// handler an item carries: an item that already has this menu class's draw
// handler is not hooked again.
using TAdvMenuDrawCode = void (*)(TMenu* Menu, TObject* Sender, TCanvas* ACanvas, const TRect& ARect,
                                  TOwnerDrawState State);
using TAdvMenuMeasureCode = void (*)(TMenu* Menu, TObject* Sender, TCanvas* ACanvas, int& Width, int& Height);
struct TAdvMenuDrawHandler {
  TMenu* Menu;
  TAdvMenuDrawCode Code;
  void operator()(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State) const {
    Code(Menu, Sender, ACanvas, ARect, State);
  }
};
struct TAdvMenuMeasureHandler {
  TMenu* Menu;
  TAdvMenuMeasureCode Code;
  void operator()(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) const {
    Code(Menu, Sender, ACanvas, Width, Height);
  }
};

// Hooks Item alone, or with nullptr every item of Menu (descending when
// Recurse). With Keep, handlers the application set itself stay.
void HookMenuItems(TMenu* Menu, TMenuItem* Item, bool Recurse, bool Keep, TAdvMenuDrawHandler Draw,
                   TAdvMenuMeasureHandler Measure);

// What both styled menus share: the styler they draw with (an assigned one,
// else an internal one they own), the settings the measuring and painting
// read through IAdvMenu, and the update brackets. TBase is the platform
// menu class the styled menu extends.
template <class TBase>
class TAdvMenuBase : public TBase, public IAdvMenu {
 public:
  explicit TAdvMenuBase(TComponent* AOwner);

  TCustomAdvMenuStyler* MenuStyler() const { return FMenuStyler; }
  void SetMenuStyler(TCustomAdvMenuStyler* Value) override;
  TActionImage ActionImages() const { return FActionImages; }
  void SetActionImages(TActionImage Value) { FActionImages = Value; }
  TCustomImageList* DisabledImages() const { return FDisabledImages; }
  void SetDisabledImages(TCustomImageList* Value) { FDisabledImages = Value; }
  bool IntlKeybShortCuts() const { return FIntlKeybShortCuts; }
  bool ShowNotes() const { return FShowNotes; }
  bool MenuUpdating() const { return FMenuUpdating; }
  int UpdateRef() const { return FUpdateRef; }
  bool DirectUpdate = false;
  String Version() const;
  void SetVersion(const String&) {}
  virtual int GetVersionNr() const { return 0x02060501; }

  void BeginUpdate();
  // The outermost end hooks every item again; an unpaired end is harmless.
  void EndUpdate();

  // IAdvMenu
  void UpdateItems() override { TBase::UpdateItems(); }
  TMenu* GetMenu() override { return this; }
  TCustomAdvMenuStyler* GetMenuStyler() override { return FMenuStyler; }
  TCustomAdvMenuStyler* GetCurrentMenuStyler() override { return FCurrentMenuStyler; }
  BYTE GetOpacity() override { return FOpacity; }
  void SetOpacity(BYTE Value) override { FOpacity = Value; }
  bool GetShowNotes() override { return FShowNotes; }
  void SetShowNotes(bool Value) override { FShowNotes = Value; }
  bool GetIntlKeybShortCuts() override { return FIntlKeybShortCuts; }
  void SetIntlKeybShortCuts(bool Value) override { FIntlKeybShortCuts = Value; }
  void SetActionImage(TActionImage Value) override { FActionImages = Value; }
  TActionImage GetActionImage() override { return FActionImages; }

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;

  // The measure handler both classes install on their items.
  static void ExpandItemWidth(TMenu* Menu, TObject* Sender, TCanvas* ACanvas, int& Width, int& Height);
  virtual TAdvMenuDrawHandler DrawHandler() = 0;
  TAdvMenuMeasureHandler MeasureHandler() { return {this, &ExpandItemWidth}; }

 protected:
  void Destroy() override;
  // The class of the internal styler, made and named by CreateInternalStyler.
  virtual TCustomAdvMenuStyler* NewInternalStyler() = 0;
  // The current styler was attached (after SetMenu).
  virtual void StylerAttached() {}
  // The current styler is about to be replaced or the menu to go.
  virtual void StylerDetaching() {}
  // The outermost EndUpdate, after the items were hooked again.
  virtual void UpdateEnded() {}
  void CreateInternalStyler();
  void HookItem(TMenuItem* Source);

  TCustomAdvMenuStyler* FMenuStyler = nullptr;
  TCustomAdvMenuStyler* FInternalMenuStyler = nullptr;
  TCustomAdvMenuStyler* FCurrentMenuStyler = nullptr;
  BYTE FOpacity = 255;
  int FUpdateRef = 0;
  bool FMenuUpdating = false;
  bool FShowNotes = true;
  bool FIntlKeybShortCuts = false;
  TActionImage FActionImages = TActionImage::aiNormal;
  TCustomImageList* FDisabledImages = nullptr;
};

extern template class TAdvMenuBase<TPopupMenu>;
extern template class TAdvMenuBase<TMainMenu>;

class TAdvPopupMenu : public TAdvMenuBase<TPopupMenu> {
  VANTREL_CLASS(TAdvPopupMenu)
 public:
  explicit TAdvPopupMenu(TComponent* AOwner);

  // For the application's use; the menu never reads it.
  TObject* ItemObject = nullptr;

  // Without items, the platform's popup alone. Otherwise the first item is
  // measured, X is corrected by Alignment and kept inside the desktop, the
  // animation is switched off, the menu runs, and OnClose follows.
  void Popup(int X, int Y) override;
  void Popup(const TPoint& P) { Popup(P.x, P.y); }
  void PopupAtCursor();
  void PopupAtControl(TControl* AControl, TPopopControlPosition Position, int DeltaX = 0, int DeltaY = 0);

  TNotifyEvent OnClose;

  // The draw handler this class installs on its items.
  static void AdvancedDrawItem(TMenu* Menu, TObject* Sender, TCanvas* ACanvas, const TRect& ARect,
                               TOwnerDrawState State);
  TAdvMenuDrawHandler DrawHandler() override { return {this, &AdvancedDrawItem}; }

 protected:
  void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) override;
  TCustomAdvMenuStyler* NewInternalStyler() override;
};

// The handler a main menu gives its current styler's font: the menu is
// refreshed when the font changes.
struct TAdvMainMenuFontHandler {
  TAdvMainMenu* Menu;
  void operator()(TObject* Sender) const;
};

class TAdvMainMenu : public TAdvMenuBase<TMainMenu> {
  VANTREL_CLASS(TAdvMainMenu)
 public:
  explicit TAdvMainMenu(TComponent* AOwner);

  // The menu refresh, measuring the items again.
  void Refresh();

  // The click of the window-list items: activates the MDI child whose
  // window is the item's Tag and checks the item when that worked.
  void WindowListClick(TObject* Sender);

  // The MDI client window the menu refresh subclassed, and its previous
  // window procedure.
  HWND FOldWndHandle = nullptr;
  WNDPROC FOldWndProcPtr = nullptr;

  void Loaded() override;
  // A form that shows the menu (it may be an MDI frame made after the
  // menu): the menu refresh checks its client window's hook.
  void SetWindowHandle(HWND Value) override;

  static void AdvancedDrawItem(TMenu* Menu, TObject* Sender, TCanvas* ACanvas, const TRect& ARect,
                               TOwnerDrawState State);
  TAdvMenuDrawHandler DrawHandler() override { return {this, &AdvancedDrawItem}; }

 protected:
  void Destroy() override;
  void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) override;
  TCustomAdvMenuStyler* NewInternalStyler() override;
  void StylerAttached() override;
  void StylerDetaching() override;
  void UpdateEnded() override;
  // Paints the active MDI child's icon left of the first bar item.
  void DrawMdiChildIcon(TCanvas* ACanvas, const TRect& ARect);
};

// The menu's IAdvMenu (styled popup and main menus only), else nullptr.
IAdvMenu* GetAdvMenu(TMenu* Menu);
// The item's menu: a root item's owner, else the item's parent menu.
TMenu* GetItemMenu(TMenuItem* Item);
IAdvMenu* GetItemAdvMenu(TMenuItem* Item);
// The DisabledImages of a styled menu.
TCustomImageList* GetMenuDisabledImages(TMenu* Menu);

// The menu refresh: with A or B the menu's items are updated (and measured
// again); then a main menu on an MDI form makes sure its client window is
// hooked for the window list.
void HookMdiClient(IAdvMenu* Intf, bool A, bool B);
