#include "ui/controls/menus/AdvMenus.h"

#include "base/Forms.h"
#include "base/ImgList.h"
#include "ui/controls/menus/AdvMenuDraw.h"
#include "ui/controls/menus/AdvMenuGradients.h"
#include "ui/controls/menus/AdvMenuUtil.h"

namespace {

String VersionText(int Nr) {
  auto b = [Nr](int shift) { return IntToStr((static_cast<unsigned>(Nr) >> shift) & 0xFF); };
  return b(24) + L"." + b(16) + L"." + b(8) + L"." + b(0);
}

bool HasDrawHandlerOf(TMenuItem* Item, TAdvMenuDrawCode Code) {
  auto* h = Item->OnAdvancedDrawItem.target<TAdvMenuDrawHandler>();
  return h && h->Code == Code;
}

void HookMenuItem(TMenu* Menu, TMenuItem* Item, bool Keep, const TAdvMenuDrawHandler& Draw,
                  const TAdvMenuMeasureHandler& Measure) {
  if (Menu->IsLoading() || HasDrawHandlerOf(Item, Draw.Code)) return;
  if (!Item->OnMeasureItem || !Keep) Item->OnMeasureItem = Measure;
  if ((!Item->OnAdvancedDrawItem && !Item->OnDrawItem) || !Keep) Item->OnAdvancedDrawItem = Draw;
}

void HookTree(TMenu* Menu, TMenuItem* Parent, bool Recurse, bool Keep, const TAdvMenuDrawHandler& Draw,
              const TAdvMenuMeasureHandler& Measure) {
  for (int i = 0; i < Parent->Count(); ++i) {
    TMenuItem* item = Parent->Items(i);
    HookMenuItem(Menu, item, Keep, Draw, Measure);
    if (Recurse) HookTree(Menu, item, Recurse, Keep, Draw, Measure);
  }
}

}  // namespace

void HookMenuItems(TMenu* Menu, TMenuItem* Item, bool Recurse, bool Keep, TAdvMenuDrawHandler Draw,
                   TAdvMenuMeasureHandler Measure) {
  if (!Menu) return;
  if (Item)
    HookMenuItem(Menu, Item, Keep, Draw, Measure);
  else
    HookTree(Menu, Menu->Items(), Recurse, Keep, Draw, Measure);
}

IAdvMenu* GetAdvMenu(TMenu* Menu) {
  if (auto* p = dynamic_cast<TAdvPopupMenu*>(Menu)) return p;
  if (auto* m = dynamic_cast<TAdvMainMenu*>(Menu)) return m;
  return nullptr;
}

TMenu* GetItemMenu(TMenuItem* Item) {
  if (!Item) return nullptr;
  if (!Item->Parent()) return dynamic_cast<TMenu*>(Item->Owner());
  return Item->GetParentMenu();
}

IAdvMenu* GetItemAdvMenu(TMenuItem* Item) { return GetAdvMenu(GetItemMenu(Item)); }

TCustomImageList* GetMenuDisabledImages(TMenu* Menu) {
  if (auto* p = dynamic_cast<TAdvPopupMenu*>(Menu)) return p->DisabledImages();
  if (auto* m = dynamic_cast<TAdvMainMenu*>(Menu)) return m->DisabledImages();
  return nullptr;
}

// ---------------------------------------------------------------------------
// TAdvMenuBase

template <class TBase>
TAdvMenuBase<TBase>::TAdvMenuBase(TComponent* AOwner) : TBase(AOwner) {}

template <class TBase>
String TAdvMenuBase<TBase>::Version() const {
  return VersionText(GetVersionNr());
}

template <class TBase>
void TAdvMenuBase<TBase>::CreateInternalStyler() {
  FMenuStyler = nullptr;
  TCustomAdvMenuStyler* s = NewInternalStyler();
  s->SetName(L"InternalMenuStyler");
  s->SetSubComponent(true);
  FInternalMenuStyler = s;
  FCurrentMenuStyler = s;
}

template <class TBase>
void TAdvMenuBase<TBase>::Destroy() {
  if (FCurrentMenuStyler) StylerDetaching();
  if (FMenuStyler && FMenuStyler != FInternalMenuStyler) this->RemoveFreeNotification(FMenuStyler);
  FMenuStyler = nullptr;
  FCurrentMenuStyler = nullptr;
  FreeAndNil(FInternalMenuStyler);
  TBase::Destroy();
}

template <class TBase>
void TAdvMenuBase<TBase>::SetMenuStyler(TCustomAdvMenuStyler* Value) {
  if (Value == FMenuStyler) return;
  if (FCurrentMenuStyler) StylerDetaching();
  if (FMenuStyler && FMenuStyler != FInternalMenuStyler) this->RemoveFreeNotification(FMenuStyler);
  if (Value) {
    if (FInternalMenuStyler && !FInternalMenuStyler->IsLoading()) FreeAndNil(FInternalMenuStyler);
    FMenuStyler = Value;
    FCurrentMenuStyler = Value;
    Value->FreeNotification(this);
  } else {
    CreateInternalStyler();
  }
  FCurrentMenuStyler->SetMenu(this);
  StylerAttached();
}

template <class TBase>
void TAdvMenuBase<TBase>::Loaded() {
  TBase::Loaded();
  this->SetOwnerDraw(true);
  HookItem(nullptr);
  if (FInternalMenuStyler && FInternalMenuStyler != FCurrentMenuStyler) FreeAndNil(FInternalMenuStyler);
}

template <class TBase>
void TAdvMenuBase<TBase>::Notification(TComponent* AComponent, TOperation Operation) {
  TBase::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove || !AComponent) return;
  if (FDisabledImages && AComponent == static_cast<TComponent*>(FDisabledImages)) FDisabledImages = nullptr;
  if (AComponent == FMenuStyler) {
    if (this->IsDestroying()) {
      // Going too: nothing replaces the styler, but nothing may reach it
      // any more (the owner may free it before this menu).
      FMenuStyler = nullptr;
      FCurrentMenuStyler = nullptr;
      return;
    }
    // Whoever owned it, drawing never meets a styler that is gone.
    CreateInternalStyler();
  }
  if (this->IsDestroying()) return;
  if (this->FImages && AComponent == static_cast<TComponent*>(this->FImages)) this->SetImages(nullptr);
}

template <class TBase>
void TAdvMenuBase<TBase>::HookItem(TMenuItem* Source) {
  HookMenuItems(this, Source, true, true, DrawHandler(), MeasureHandler());
}

template <class TBase>
void TAdvMenuBase<TBase>::BeginUpdate() {
  FMenuUpdating = true;
  ++FUpdateRef;
}

template <class TBase>
void TAdvMenuBase<TBase>::EndUpdate() {
  if (FUpdateRef > 0) --FUpdateRef;
  if (FUpdateRef == 0) {
    HookItem(nullptr);
    UpdateEnded();
    FMenuUpdating = false;
  }
}

template <class TBase>
void TAdvMenuBase<TBase>::ExpandItemWidth(TMenu*, TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (!item) return;
  MeasureMenuItem(item, ACanvas, Width, SideBarShown(item), Height);
}

template class TAdvMenuBase<TPopupMenu>;
template class TAdvMenuBase<TMainMenu>;

// ---------------------------------------------------------------------------
// TAdvPopupMenu

TAdvPopupMenu::TAdvPopupMenu(TComponent* AOwner) : TAdvMenuBase(AOwner) {
  SetOwnerDraw(true);
  CreateInternalStyler();
}

TCustomAdvMenuStyler* TAdvPopupMenu::NewInternalStyler() { return new TCustomAdvMenuStyler(this); }

void TAdvPopupMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) {
  if (DirectUpdate) {
    HookItem(Source);
    if (!FMenuUpdating) HookMdiClient(this, false, false);
  } else if (!FMenuUpdating) {
    HookItem(Source);
  } else {
    HookMdiClient(this, false, false);
  }
  TPopupMenu::MenuChanged(Sender, Source, Rebuild);
}

void TAdvPopupMenu::AdvancedDrawItem(TMenu*, TObject* Sender, TCanvas* ACanvas, const TRect& ARect,
                                     TOwnerDrawState State) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (!item) return;
  TRect r = ARect;
  r.right -= MenuColumnWidth;
  DrawMenuItem(item, ACanvas, r, SideBarShown(item), State);
}

void TAdvPopupMenu::Popup(int X, int Y) {
  if (Items()->Count() == 0) {
    TPopupMenu::Popup(X, Y);
    return;
  }
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemID = Items()->Items(0)->Command();
  mis.itemWidth = 10;
  mis.itemHeight = 10;
  SendMessageW(PopupList.Window(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  int w = static_cast<int>(mis.itemWidth);
  int c = MenuColumnWidth;
  int desktop = Screen ? Screen->DesktopWidth() : GetSystemMetrics(SM_CXVIRTUALSCREEN);
  if (FAlignment == TPopupAlignment::paRight && X - w - 2 * c >= 0)
    X += c;
  else if (FAlignment == TPopupAlignment::paLeft && desktop <= X + w + 3 * c)
    X += c;
  else if (FAlignment == TPopupAlignment::paCenter)
    X += c / 2;
  if (X >= desktop) X = desktop - 1;
  SwitchOffMenuAnimation();
  TPopupMenu::Popup(X, Y);
  if (OnClose) OnClose(this);
}

void TAdvPopupMenu::PopupAtCursor() {
  POINT p{};
  GetCursorPos(&p);
  Popup(p.x, p.y);
}

void TAdvPopupMenu::PopupAtControl(TControl* AControl, TPopopControlPosition Position, int DeltaX, int DeltaY) {
  if (!AControl) return;
  TPoint p = AControl->ClientOrigin();
  switch (Position) {
    case TPopopControlPosition::pcpBottomLeft: p.y += AControl->Height(); break;
    case TPopopControlPosition::pcpBottomRight:
      p.x += AControl->Width();
      p.y += AControl->Height();
      break;
    case TPopopControlPosition::pcbTopLeft: break;
    case TPopopControlPosition::pcpTopRight: p.x += AControl->Width(); break;
    case TPopopControlPosition::pcpCenter:
      p.x += AControl->Width() / 2;
      p.y += AControl->Height() / 2;
      break;
  }
  Popup(p.x + DeltaX, p.y + DeltaY);
}

// ---------------------------------------------------------------------------
// TAdvMainMenu

void TAdvMainMenuFontHandler::operator()(TObject*) const { HookMdiClient(Menu, false, false); }

TAdvMainMenu::TAdvMainMenu(TComponent* AOwner) : TAdvMenuBase(AOwner) {
  SetOwnerDraw(true);
  CreateInternalStyler();
}

TCustomAdvMenuStyler* TAdvMainMenu::NewInternalStyler() { return new TAdvMenuStyler(this); }

void TAdvMainMenu::Destroy() {
  if (FOldWndHandle) {
    // Only a live window that still runs our procedure gets its own back.
    if (IsWindow(FOldWndHandle) &&
        reinterpret_cast<WNDPROC>(GetWindowLongPtrW(FOldWndHandle, GWLP_WNDPROC)) == &MdiClientWindowProc) {
      SetWindowLongPtrW(FOldWndHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOldWndProcPtr));
      SetWindowLongPtrW(FOldWndHandle, GWLP_USERDATA, 0);
    }
    FOldWndHandle = nullptr;
    FOldWndProcPtr = nullptr;
  }
  TAdvMenuBase::Destroy();
}

void TAdvMainMenu::StylerAttached() { FCurrentMenuStyler->Font()->OnChange = TAdvMainMenuFontHandler{this}; }

void TAdvMainMenu::StylerDetaching() {
  // A styler that outlives this menu (or serves it no more) must not call
  // back into it; another menu's handler stays.
  TNotifyEvent& onChange = FCurrentMenuStyler->Font()->OnChange;
  auto* handler = onChange.target<TAdvMainMenuFontHandler>();
  if (handler && handler->Menu == this) onChange = nullptr;
}

void TAdvMainMenu::Loaded() {
  TAdvMenuBase::Loaded();
  if (Items()->Count() > 0) {
    // The bar is built again.
    Items()->Items(0)->SetVisible(false);
    Items()->Items(0)->SetVisible(true);
  }
  HookMdiClient(this, false, false);
}

void TAdvMainMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) {
  if (DirectUpdate) {
    HookItem(Source);
    if (!FMenuUpdating) HookMdiClient(this, false, false);
  } else if (FMenuUpdating) {
    HookItem(Source);
  } else {
    HookMdiClient(this, false, false);
  }
  TMainMenu::MenuChanged(Sender, Source, true);
}

void TAdvMainMenu::UpdateEnded() {
  if (WindowHandle()) DrawMenuBar(WindowHandle());
}

void TAdvMainMenu::Refresh() { HookMdiClient(this, true, false); }

void TAdvMainMenu::SetWindowHandle(HWND Value) {
  TMainMenu::SetWindowHandle(Value);
  if (Value && !IsDestroying()) HookMdiClient(this, false, false);
}

void TAdvMainMenu::AdvancedDrawItem(TMenu* Menu, TObject* Sender, TCanvas* ACanvas, const TRect& ARect,
                                    TOwnerDrawState State) {
  auto* self = static_cast<TAdvMainMenu*>(Menu);
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (!item || self->FUpdateRef > 0) return;
  TRect r = ARect;
  if (!IsMenuBarItem(item)) r.right -= MenuColumnWidth;
  if (IsMenuBarItem(item) && item->Parent() == self->Items() && item->MenuIndex() == 0) {
    SwitchOffMenuAnimation();
    self->DrawMdiChildIcon(ACanvas, r);
  }
  DrawMenuItem(item, ACanvas, r, SideBarShown(item), State);
}

void TAdvMainMenu::DrawMdiChildIcon(TCanvas*, const TRect& ARect) {
  // Only left of the first bar item, on an MDI frame with an active child.
  if (ARect.left < 5) return;
  auto* form = dynamic_cast<TCustomForm*>(Owner());
  if (!form || form->FormStyle() != TFormStyle::fsMDIForm) return;
  TCustomForm* child = form->ActiveMDIChild();
  if (!child || !child->HandleAllocated()) return;
  HWND wnd = child->Handle();
  int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(wnd, GCLP_HICONSM));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(wnd, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(wnd, WM_GETICON, ICON_SMALL2, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(wnd, WM_GETICON, ICON_BIG, 0));
  if (!icon) return;
  HICON copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, 0));
  if (!copy) return;
  if (ARect.left < cx) {
    DestroyIcon(copy);
    return;
  }
  TRect r(4, ARect.top, ARect.left, ARect.bottom);
  HDC dc = GetWindowDC(form->Handle());
  TCanvas canvas;
  canvas.SetHandle(dc);
  TRootItem* root = FCurrentMenuStyler->RootItem();
  if (root->GradientDirection() == TGradientDirection::gdVertical)
    DrawGradientPart(&canvas, r, r, root->Color(), root->ColorTo(), TGradientDirection::gdVertical);
  else
    DrawGradientPart(&canvas, r, r, root->Color(), root->Color(), TGradientDirection::gdHorizontal);
  DrawIconEx(dc, r.right - 16, r.top + 2, copy, 16, 16, 0, nullptr, DI_NORMAL);
  canvas.SetHandle(nullptr);
  ReleaseDC(form->Handle(), dc);
  DestroyIcon(copy);
}

void TAdvMainMenu::WindowListClick(TObject* Sender) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (!item || item->Tag() == 0) return;
  HWND client = GetMdiClientWindow(this);
  if (!client) return;
  if (SendMessageW(client, WM_MDIACTIVATE, static_cast<WPARAM>(item->Tag()), 0) == 0) item->SetChecked(true);
}
