// Following links, the per-panel hints and automatic hints of the status
// bar.
#include <windowsx.h>

#include "base/Forms.h"
#include "base/HintAction.h"
#include "base/Hints.h"
#include "base/Shell.h"
#include "ui/controls/statusbar/AdvOfficeStatusBar.h"

void TAdvOfficeStatusBar::CancelPanelHint() {
  if (Application) Application->CancelHint();
}

bool IsShellLink(const String& Anchor) {
  String a = TrimLeft(Anchor);
  return StartsText(L"http://", a) || StartsText(L"https://", a) || StartsText(L"mailto:", a);
}

void TAdvOfficeStatusBar::FollowLink(const String& Anchor) {
  // Panel text can come from outside (the update notice): only web and mail
  // links reach the shell, whatever else a link names goes to the handler.
  if (IsShellLink(Anchor)) {
    AppShellExecute(nullptr, L"open", TrimLeft(Anchor), L"", L"", SW_SHOWNORMAL);
  } else if (OnAnchorClick) {
    OnAnchorClick(this, Anchor);
  }
}

void TAdvOfficeStatusBar::DoHintShow(TMessage& Message) {
  auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
  Message.Result = 0;
  if (!info || !FPanels) return;
  const TPoint p = info->CursorPos;
  int index = GetPanel(p.x);
  if (index < 0 || index >= FPanels->Count()) return;
  TAdvOfficeStatusPanel* panel = FPanels->Items(index);
  String anchor, title;
  if (panel->Style() == TAdvOfficeStatusPanelStyle::psHTML && FAnchorHint) GetAnchorAt(p.x, p.y, anchor, title);
  FDummyHintControl->SetOfficeHint(panel->OfficeHint());
  if (!anchor.empty() || !title.empty()) {
    TPoint s = ClientToScreen(p);
    info->HintPos = TPoint(s.x + 10, s.y - 10);
    FDummyHintControl->OfficeHint()->SetTitle(L"");
    const String text = title.empty() ? anchor : title;
    info->HintStr = text;
    FDummyHintControl->OfficeHint()->Notes()->SetText(text);
  }
  FDummyHintControl->SetShowHint(true);
  info->HintControl = FDummyHintControl;
}

bool TAdvOfficeStatusBar::ExecuteAction(TBasicAction* Action) {
  auto* hint = dynamic_cast<THintAction*>(Action);
  if (FAutoHint && hint && !DoHint()) {
    if (FSimplePanel || FPanels->Count() == 0)
      SetSimpleText(hint->Hint());
    else
      FPanels->Items(0)->SetText(hint->Hint());
    return true;
  }
  return false;
}
