#include "ui/toolbar/stylers/ToolBarStyler.h"

#include <algorithm>

#include "ui/controls/menus/AdvMenuStylers.h"

TCustomAdvToolBarStyler::TCustomAdvToolBarStyler(TComponent* AOwner)
    : TComponent(AOwner),
      FAppColor(new TAppColor),
      FControlList(new TDbgList),
      FBackGround(new TBitmap),
      FFont(new TFont),
      FDragGripImage(new TBitmap),
      FRightHandleImage(new TBitmap),
      FCaptionAppearance(new TCaptionAppearance),
      FColor(new TVistaGradientBackground),
      FDockColor(new TGradientBackground),
      FButtonAppearance(new AdvToolBar::TButtonAppearance),
      FColorHot(new TVistaGradientBackground),
      FCaptionFont(new TFont),
      FContainerAppearance(new TContainerAppearance),
      FGlowButtonAppearance(new TGlowButtonAppearance),
      FCompactGlowButtonAppearance(new TGlowButtonAppearance),
      FPagerCaption(new TVistaTextBackground),
      FTabAppearance(new TTabAppearance),
      FPageAppearance(new TVistaPageBackground),
      FGroupAppearance(new TGroupAppearance),
      FQATAppearance(new TQATAppearance) {
  auto broadcast = [this](int Kind) { return [this, Kind](TObject*) { StylerChanged(Kind); }; };
  FCaptionAppearance->OnChange = broadcast(StylerChange::Style);
  FColor->OnChange = broadcast(StylerChange::Style);
  FDockColor->OnChange = broadcast(StylerChange::Style);
  FContainerAppearance->OnChange = broadcast(StylerChange::Container);
  FGlowButtonAppearance->OnChange = broadcast(StylerChange::GlowButtons);
  FCompactGlowButtonAppearance->OnChange = broadcast(StylerChange::GlowButtons);
  FPagerCaption->OnChange = broadcast(StylerChange::PagerCaption);
  FTabAppearance->OnChange = broadcast(StylerChange::Ribbon);
  FPageAppearance->OnChange = broadcast(StylerChange::Ribbon);
  FGroupAppearance->OnChange = broadcast(StylerChange::Ribbon);
  FQATAppearance->OnChange = broadcast(StylerChange::QuickAccess);

  FInternalAdvMenuStyler = new TAdvMenuStyler(this);
  FInternalAdvMenuStyler->SetName(L"InternalMenuStyler");
  FInternalAdvMenuStyler->SetSubComponent(true);
  FCurrentAdvMenuStyler = FInternalAdvMenuStyler;

  FColorHot->SetColor(clNone);
  FColorHot->SetColorTo(clNone);
  SetDefaultFont(FFont, IsVistaOrLater());
  FCaptionFont->SetName(GetSystemFontName());
}

void TCustomAdvToolBarStyler::Destroy() {
  DetachControls();
  FControlList = nullptr;
  TComponent::Destroy();
}

// ---------------------------------------------------------------------------
// Registration and the broadcast

void TCustomAdvToolBarStyler::AddControl(TCustomControl* AControl) {
  if (!AControl || !FControlList) return;
  FControlList->Add(AControl);
  AControl->FreeNotification(this);
}

void TCustomAdvToolBarStyler::RemoveControl(TCustomControl* AControl) {
  if (!FControlList) return;
  int i = FControlList->IndexOf(AControl);
  if (i >= 0) FControlList->Delete(i);
}

IToolBarStylerPager* TCustomAdvToolBarStyler::FindPager() const {
  if (!FControlList) return nullptr;
  for (int i = 0; i < FControlList->Count(); ++i)
    if (auto* p = dynamic_cast<IToolBarStylerPager*>(static_cast<TCustomControl*>(FControlList->Items(i)))) return p;
  return nullptr;
}

void TCustomAdvToolBarStyler::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove || !AComponent) return;
  if (AComponent == FAdvMenuStyler && !IsDestroying()) SetAdvMenuStyler(nullptr);
  // Every entry, also while this styler is being freed with its owner (the
  // owner frees its components one by one, and the styler must not walk a
  // control that went before it): a control registered twice must not leave
  // one behind.
  auto* control = dynamic_cast<TCustomControl*>(AComponent);
  if (FControlList && control) {
    int i;
    while ((i = FControlList->IndexOf(control)) >= 0) FControlList->Delete(i);
  }
}

void TCustomAdvToolBarStyler::StylerChanged(int Kind) {
  if (IsDestroying() || IsLoading() || FUpdateCount > 0 || !FControlList) return;
  const int n = FControlList->Count();
  for (int i = 0; i < n; ++i) {
    try {
      // A list that shrank meanwhile raises here; the next index follows.
      auto* control = static_cast<TCustomControl*>(FControlList->GetItemsEx(i));
      if (!control || control->Name().empty()) continue;
      auto* receiver = dynamic_cast<IToolBarStylerReceiver*>(control);
      if (!receiver) continue;
      if (IToolBarStylerReceiver* clone = receiver->CompactStylerReceiver()) clone->ApplyStylerChange(Kind);
      receiver->ApplyStylerChange(Kind);
    } catch (...) {
      // One receiver's failure does not keep the others from the change.
    }
  }
}

void TCustomAdvToolBarStyler::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
}

namespace {
TPagerGlass GlassOf(TKelStyle Code) {
  using K = TKelStyle;
  switch (Code) {
    case K::tsCustom: return {false, false, false};
    case K::tsWindows7:
    case K::tsWindows8: return {true, false, true};
    case K::tsOffice2010Blue:
    case K::tsOffice2010Silver:
    case K::tsOffice2010Black: return {true, true, true};
    default: return {true, false, false};
  }
}
}  // namespace

void TCustomAdvToolBarStyler::UpdatePagerGlass(TKelStyle Code) {
  FNewKelStyle = Code;
  if (IsDestroying() || IsLoading() || !FControlList) return;
  const TPagerGlass glass = GlassOf(Code);
  // A pager may change the list while it applies the flags: each pass starts
  // again from the front and handles the first pager not yet handled.
  std::vector<IToolBarStylerPager*> handled;
  for (;;) {
    IToolBarStylerPager* next = nullptr;
    for (int i = 0; i < FControlList->Count() && !next; ++i) {
      auto* p = dynamic_cast<IToolBarStylerPager*>(static_cast<TCustomControl*>(FControlList->Items(i)));
      if (p && std::find(handled.begin(), handled.end(), p) == handled.end()) next = p;
    }
    if (!next) break;
    handled.push_back(next);
    next->ApplyPagerGlass(glass);
  }
}

void TCustomAdvToolBarStyler::DetachControls() {
  if (!FControlList || (IsDestroying() && IsDesigning())) return;
  int steps = FControlList->Count();
  int i = 0;
  while (steps > 0 && i < FControlList->Count()) {
    auto* control = static_cast<TCustomControl*>(FControlList->Items(i));
    if (!control) {
      ++i;
      continue;
    }
    --steps;
    auto* host = dynamic_cast<IToolBarStylerHost*>(control);
    if (host && !control->IsDestroying() && host->ToolBarStyler() == this) {
      host->SetToolBarStyler(nullptr);
      // It left the list, so the index holds the next entry now.
      if (i < FControlList->Count() && FControlList->Items(i) == control) ++i;
    } else {
      ++i;
    }
  }
}

// ---------------------------------------------------------------------------
// Properties

void TCustomAdvToolBarStyler::Store(TColor& Field, TColor Value, int Kind) {
  if (Field == Value) return;
  Field = Value;
  StylerChanged(Kind);
}

void TCustomAdvToolBarStyler::SetAdvMenuStyler(TCustomAdvMenuStyler* Value) {
  if (FAdvMenuStyler && FAdvMenuStyler != Value) FAdvMenuStyler->RemoveFreeNotification(this);
  FAdvMenuStyler = Value;
  if (Value) {
    Value->FreeNotification(this);
    FCurrentAdvMenuStyler = Value;
    if (Value->RootItem()->UseSystemFont()) Value->RootItem()->UpdateFont();
  } else {
    FCurrentAdvMenuStyler = FInternalAdvMenuStyler;
  }
  StylerChanged(StylerChange::MenuStyler);
}

void TCustomAdvToolBarStyler::SetBackGround(TBitmap* Value) {
  FBackGround->Assign(Value);
  StylerChanged(StylerChange::Background);
}

void TCustomAdvToolBarStyler::SetBackGroundTransparent(bool Value) {
  if (FBackGroundTransparent == Value) return;
  FBackGroundTransparent = Value;
  StylerChanged(StylerChange::Background);
}

void TCustomAdvToolBarStyler::SetBackGroundDisplay(TBackGroundDisplay Value) {
  if (FBackGroundDisplay == Value) return;
  FBackGroundDisplay = Value;
  StylerChanged(StylerChange::Background);
}

void TCustomAdvToolBarStyler::SetCaptionFont(TFont* Value) {
  FCaptionFont->Assign(Value);
  StylerChanged(StylerChange::Style);
}

void TCustomAdvToolBarStyler::SetDragGripStyle(TDragGripStyle Value) {
  if (FDragGripStyle == Value) return;
  FDragGripStyle = Value;
  StylerChanged(StylerChange::DragGrip);
}

void TCustomAdvToolBarStyler::SetDragGripImage(TBitmap* Value) { FDragGripImage->Assign(Value); }

void TCustomAdvToolBarStyler::SetFloatingWindowBorderWidth(int Value) {
  if (FFloatingWindowBorderWidth == Value) return;
  FFloatingWindowBorderWidth = Value;
  StylerChanged(StylerChange::Style);
}

void TCustomAdvToolBarStyler::SetFont(TFont* Value) {
  FFont->Assign(Value);
  StylerChanged(StylerChange::Background);
}

void TCustomAdvToolBarStyler::SetRightHandleImage(TBitmap* Value) {
  FRightHandleImage->Assign(Value);
  StylerChanged(StylerChange::Style);
}

void TCustomAdvToolBarStyler::SetSystemFont(bool Value) {
  if (FSystemFont == Value) return;
  FSystemFont = Value;
  if (!Value) return;
  SetDefaultFont(FFont, IsVistaOrLater());
  FCaptionFont->SetName(GetSystemFontName());
}

void TCustomAdvToolBarStyler::SetRoundEdges(bool Value) {
  FRoundEdges = Value;
  StylerChanged(StylerChange::Style);
}

void TCustomAdvToolBarStyler::SetUseBevel(bool Value) {
  if (FUseBevel == Value) return;
  FUseBevel = Value;
  StylerChanged(StylerChange::Style);
}

void TCustomAdvToolBarStyler::SetBevel(TBevelCut Value) {
  if (FBevel == Value) return;
  FBevel = Value;
  StylerChanged(StylerChange::Style);
}

void TCustomAdvToolBarStyler::SetShowShadow(bool Value) {
  if (FShowShadow == Value) return;
  FShowShadow = Value;
  StylerChanged(StylerChange::Style);
}

void TCustomAdvToolBarStyler::SetShow3D(bool Value) {
  if (FShow3D == Value) return;
  FShow3D = Value;
  StylerChanged(StylerChange::Style);
}

void TCustomAdvToolBarStyler::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TCustomAdvToolBarStyler*>(Source);
  if (!s) {
    TComponent::Assign(Source);
    return;
  }
  if (FCurrentAdvMenuStyler && s->FAdvMenuStyler) FCurrentAdvMenuStyler->Assign(s->FAdvMenuStyler);
  SetColor(s->FColor);
  SetDockColor(s->FDockColor);
  SetBackGround(s->FBackGround);
  SetBackGroundTransparent(s->FBackGroundTransparent);
  SetBackGroundDisplay(s->FBackGroundDisplay);
  SetFont(s->FFont);
  SetDragGripStyle(s->FDragGripStyle);
  SetDragGripImage(s->FDragGripImage);
  SetRightHandleImage(s->FRightHandleImage);
  SetFloatingWindowBorderColor(s->FFloatingWindowBorderColor);
  SetFloatingWindowBorderWidth(s->FFloatingWindowBorderWidth);
  SetCaptionAppearance(s->FCaptionAppearance);
  SetFormBorderColor(s->FFormBorderColor);
  SetButtonAppearance(s->FButtonAppearance);
  SetShowShadow(s->FShowShadow);
  SetShow3D(s->FShow3D);
}
