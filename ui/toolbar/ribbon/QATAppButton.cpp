// The quick access toolbar's application button: the form's icon at 16
// pixels (scaled), shown with the scenic or flat look. A click opens the
// form's system menu under it; a second click within 300 ms closes the
// form, or for the main form ends the application unless the form refuses.
#include "base/Streams.h"
#include "ui/draw/OfficeTheme.h"
#include "ui/toolbar/ribbon/AdvQuickAccessToolBar.h"
#include "ui/toolbar/ribbon/AdvToolBarPager.h"

namespace {
int AppButtonSize() { return static_cast<int>(Round(16.0L * DPIFactor)); }

// The icon of the window that stands for the application in the task bar:
// the one it was given, else its class icon. A copy, ours to free.
HICON CopyApplicationIcon(HWND Window, bool Big) {
  if (!Window) return nullptr;
  auto ask = [Window](WPARAM Kind) {
    return reinterpret_cast<HICON>(SendMessageW(Window, WM_GETICON, Kind, 0));
  };
  HICON icon = Big ? ask(ICON_BIG) : nullptr;
  if (!icon) icon = ask(ICON_SMALL2);
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(Window, Big ? GCLP_HICON : GCLP_HICONSM));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(Window, GCLP_HICON));
  return icon ? CopyIcon(icon) : nullptr;
}
}  // namespace

void TAdvCustomQuickAccessToolBar::SetAppIconAlphaBlended(bool Value) {
  if (FAppIconAlphaBlended == Value) return;
  FAppIconAlphaBlended = Value;
  if (!IsDesigning()) UpdateAppButton();
}

void TAdvCustomQuickAccessToolBar::UpdateAppButton() {
  if (IsDestroying()) return;
  int size = AppButtonSize();
  if (!FApp) {
    auto* b = new TAppIconGlowButton(this);
    FApp = b;
    b->SetStaticButton(true);
    b->SetBounds(0, (ScaledCaptionHeight - size) / 2, size, size);
    b->SetParent(this);
    b->SetFocusType(TFocusType::ftNone);
    b->SetTransparent(true);
    b->SetCaption(L"");
    b->SetEnabled(true);
    b->OnClick = [this](TObject* Sender) { AppButtonClick(Sender); };
  }
  TAdvToolBarPager* pager = Pager();
  if (!(GetGlobalWin7ScenicRibbon() || IsOfficeFlatStyle())) {
    FApp->SetVisible(false);
    FApp->SetWidth(0);
    if (FApp->Parent() != this) FApp->SetParent(this);
    return;
  }
  FApp->SetBounds(FApp->Left(), FApp->Top(), size, size);
  FApp->SetVisible(true);
  if (!IsDesigning()) {
    TCustomForm* form = GetParentForm(this);
    HWND window = form && form->HandleAllocated() ? form->Handle() : nullptr;
    if (HICON icon = CopyApplicationIcon(window, FApp->Width() > 31)) {
      if (!FApp->FIcon) FApp->FIcon = new TIcon();
      FApp->FIcon->SetHandle(icon);
      TMemoryStream stream;
      FApp->FIcon->SaveToStream(&stream);
      stream.SetPosition(0);
      FApp->Picture()->LoadFromStream(&stream);
      if (!FAppIconAlphaBlended) FreeAndNil(FApp->FIcon);
    }
  }
  if (FFullSize && pager) {
    FApp->SetBounds(6, 7, FApp->Width(), FApp->Height());
    FApp->SetParent(pager);
  } else {
    FApp->SetBounds(0, (ScaledCaptionHeight - FApp->Height()) / 2, FApp->Width(), FApp->Height());
    if (FApp->Parent() != this) FApp->SetParent(this);
  }
}

void TAdvCustomQuickAccessToolBar::AppButtonClick(TObject*) {
  DWORD now = TickCount();
  TCustomForm* form = GetParentForm(this);
  if (!FAppButtonClicked || now - FAppButtonTime > 300) {
    FAppButtonClicked = true;
    FAppButtonTime = now;
    if (!form || !FApp) return;
    TPoint p = FApp->ClientToScreen(TPoint(0, FApp->Height()));
    HMENU menu = GetSystemMenu(form->Handle(), FALSE);
    if (!menu && Application) menu = GetSystemMenu(Application->Handle(), FALSE);
    HWND owner = form->Handle();
    TAdvToolBarPager* pager = Pager();
    bool xp = IsXPOrLater() && !IsVistaOrLater() && !FIsWin7;
    if (xp) {
      owner = Application ? Application->Handle() : owner;
      if (pager && pager->HandleAllocated()) SendMessageW(pager->Handle(), WM_TBPSETIGNOREALT, 1, 0);
    }
    int cmd = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, p.x, p.y, 0, owner, nullptr);
    if (cmd) SendMessageW(form->Handle(), WM_SYSCOMMAND, static_cast<WPARAM>(cmd), 0);
    if (xp && pager && pager->HandleAllocated()) PostMessageW(pager->Handle(), WM_TBPSETIGNOREALT, 0, 0);
    return;
  }
  // A double click closes the form; the next click opens the menu again.
  FAppButtonClicked = false;
  if (!form) return;
  if (!Application || form != Application->MainForm()) {
    form->Close();
    return;
  }
  if (!form->CloseQuery()) return;
  TCloseAction action = TCloseAction::caFree;
  if (form->OnClose) form->OnClose(form, action);
  // A handler that answers caNone keeps the application running.
  if (action == TCloseAction::caNone) return;
  Application->Terminate();
}
