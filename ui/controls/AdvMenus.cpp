#include "ui/controls/AdvMenus.h"

#include "base/Forms.h"
#include "base/ImgList.h"
#include "ui/controls/AdvMenuDraw.h"
#include "ui/controls/AdvMenuGradients.h"
#include "ui/controls/AdvMenuUtil.h"

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
// TAdvPopupMenu

TAdvPopupMenu::TAdvPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner) {
  SetOwnerDraw(true);
  CreateInternalStyler();
}

String TAdvPopupMenu::Version() const { return VersionText(GetVersionNr()); }

void TAdvPopupMenu::CreateInternalStyler() {
  FMenuStyler = nullptr;
  auto* s = new TCustomAdvMenuStyler(this);
  s->SetName(L"InternalMenuStyler");
  s->SetSubComponent(true);
  FInternalMenuStyler = s;
  FCurrentMenuStyler = s;
}

void TAdvPopupMenu::Destroy() {
  if (FMenuStyler && FMenuStyler != FInternalMenuStyler) RemoveFreeNotification(FMenuStyler);
  FMenuStyler = nullptr;
  FCurrentMenuStyler = nullptr;
  FreeAndNil(FInternalMenuStyler);
  TPopupMenu::Destroy();
}

void TAdvPopupMenu::SetMenuStyler(TCustomAdvMenuStyler* Value) {
  if (Value == FMenuStyler) return;
  if (FMenuStyler && FMenuStyler != FInternalMenuStyler) RemoveFreeNotification(FMenuStyler);
  if (Value) {
    if (FInternalMenuStyler && !FInternalMenuStyler->IsLoading()) FreeAndNil(FInternalMenuStyler);
    FMenuStyler = Value;
    FCurrentMenuStyler = Value;
    Value->FreeNotification(this);
  } else {
    CreateInternalStyler();
  }
  FCurrentMenuStyler->SetMenu(this);
}

void TAdvPopupMenu::Loaded() {
  TPopupMenu::Loaded();
  SetOwnerDraw(true);
  HookMenuItems(this, nullptr, true, true, DrawHandler(), MeasureHandler());
  if (FInternalMenuStyler && FInternalMenuStyler != FCurrentMenuStyler) FreeAndNil(FInternalMenuStyler);
}

void TAdvPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TPopupMenu::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove || IsDestroying() || !AComponent) return;
  if (AComponent == FMenuStyler && FMenuStyler->Owner() != this) CreateInternalStyler();
  if (FImages && AComponent == static_cast<TComponent*>(FImages)) SetImages(nullptr);
  if (FDisabledImages && AComponent == static_cast<TComponent*>(FDisabledImages)) FDisabledImages = nullptr;
}

void TAdvPopupMenu::HookItem(TMenuItem* Source) { HookMenuItems(this, Source, true, true, DrawHandler(), MeasureHandler()); }

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

void TAdvPopupMenu::BeginUpdate() {
  FMenuUpdating = true;
  ++FUpdateRef;
}

void TAdvPopupMenu::EndUpdate() {
  if (FUpdateRef > 0) --FUpdateRef;
  if (FUpdateRef == 0) {
    HookMenuItems(this, nullptr, true, true, DrawHandler(), MeasureHandler());
    FMenuUpdating = false;
  }
}

void TAdvPopupMenu::ExpandItemWidth(TMenu*, TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (!item) return;
  MeasureMenuItem(item, ACanvas, Width, SideBarShown(item), Height);
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

TAdvMainMenu::TAdvMainMenu(TComponent* AOwner) : TMainMenu(AOwner) {
  SetOwnerDraw(true);
  CreateInternalStyler();
}

String TAdvMainMenu::Version() const { return VersionText(GetVersionNr()); }

void TAdvMainMenu::CreateInternalStyler() {
  FMenuStyler = nullptr;
  auto* s = new TAdvMenuStyler(this);
  s->SetName(L"InternalMenuStyler");
  s->SetSubComponent(true);
  FInternalMenuStyler = s;
  FCurrentMenuStyler = s;
}

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
  if (FMenuStyler && FMenuStyler != FInternalMenuStyler) {
    if (FMenuStyler->Font()->OnChange) FMenuStyler->Font()->OnChange = nullptr;
    RemoveFreeNotification(FMenuStyler);
  }
  FMenuStyler = nullptr;
  FCurrentMenuStyler = nullptr;
  FreeAndNil(FInternalMenuStyler);
  TMainMenu::Destroy();
}

void TAdvMainMenu::AttachFontHandler() {
  FCurrentMenuStyler->Font()->OnChange = [this](TObject*) { HookMdiClient(this, false, false); };
}

void TAdvMainMenu::SetMenuStyler(TCustomAdvMenuStyler* Value) {
  if (Value == FMenuStyler) return;
  if (FMenuStyler && FMenuStyler != FInternalMenuStyler) RemoveFreeNotification(FMenuStyler);
  if (Value) {
    if (FInternalMenuStyler && !FInternalMenuStyler->IsLoading()) FreeAndNil(FInternalMenuStyler);
    FMenuStyler = Value;
    FCurrentMenuStyler = Value;
    Value->FreeNotification(this);
  } else {
    CreateInternalStyler();
  }
  FCurrentMenuStyler->SetMenu(this);
  AttachFontHandler();
}

void TAdvMainMenu::Loaded() {
  TMainMenu::Loaded();
  SetOwnerDraw(true);
  HookMenuItems(this, nullptr, true, true, DrawHandler(), MeasureHandler());
  if (FInternalMenuStyler && FInternalMenuStyler != FCurrentMenuStyler) FreeAndNil(FInternalMenuStyler);
  if (Items()->Count() > 0) {
    // The bar is built again.
    Items()->Items(0)->SetVisible(false);
    Items()->Items(0)->SetVisible(true);
  }
  HookMdiClient(this, false, false);
}

void TAdvMainMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMainMenu::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove || IsDestroying() || !AComponent) return;
  if (AComponent == FMenuStyler && FMenuStyler->Owner() != this) CreateInternalStyler();
  if (FImages && AComponent == static_cast<TComponent*>(FImages)) SetImages(nullptr);
  if (FDisabledImages && AComponent == static_cast<TComponent*>(FDisabledImages)) FDisabledImages = nullptr;
}

void TAdvMainMenu::HookItem(TMenuItem* Source) { HookMenuItems(this, Source, true, true, DrawHandler(), MeasureHandler()); }

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

void TAdvMainMenu::BeginUpdate() {
  FMenuUpdating = true;
  ++FUpdateRef;
}

void TAdvMainMenu::EndUpdate() {
  if (FUpdateRef > 0) --FUpdateRef;
  if (FUpdateRef == 0) {
    HookMenuItems(this, nullptr, true, true, DrawHandler(), MeasureHandler());
    if (WindowHandle()) DrawMenuBar(WindowHandle());
    FMenuUpdating = false;
  }
}

void TAdvMainMenu::Refresh() { HookMdiClient(this, true, false); }

void TAdvMainMenu::ExpandItemWidth(TMenu*, TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (!item) return;
  MeasureMenuItem(item, ACanvas, Width, SideBarShown(item), Height);
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
