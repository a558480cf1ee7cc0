#include "ui/controls/statusbar/AdvOfficeStatusPanels.h"

#include "base/FormatSettings.h"
#include "base/ImgList.h"
#include "ui/controls/statusbar/AdvOfficeStatusBar.h"

// ---------------------------------------------------------------------------
// TProgressStyle

TProgressStyle::TProgressStyle(TAdvOfficeStatusPanel* AOwner) : FOwner(AOwner) {}

TPersistent* TProgressStyle::GetOwner() { return FOwner; }

void TProgressStyle::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TProgressStyle*>(Source);
  if (!s) throw EInvalidCast(L"Invalid class typecast");
  FBackground = s->FBackground;
  FIndication = s->FIndication;
  FMin = s->FMin;
  FMax = s->FMax;
  FPosition = s->FPosition;
  FShowPercentage = s->FShowPercentage;
  FShowGradient = s->FShowGradient;
  FStacked = s->FStacked;
  FShowBorder = s->FShowBorder;
  FBorderColor = s->FBorderColor;
  FCompletionSmooth = s->FCompletionSmooth;
  FLevel0Color = s->FLevel0Color;
  FLevel0ColorTo = s->FLevel0ColorTo;
  FLevel1Color = s->FLevel1Color;
  FLevel1ColorTo = s->FLevel1ColorTo;
  FLevel2Color = s->FLevel2Color;
  FLevel2ColorTo = s->FLevel2ColorTo;
  FLevel3Color = s->FLevel3Color;
  FLevel3ColorTo = s->FLevel3ColorTo;
  FLevel1Perc = s->FLevel1Perc;
  FLevel2Perc = s->FLevel2Perc;
  FPrefix = s->FPrefix;
  FSuffix = s->FSuffix;
}

int TProgressStyle::Percent() const {
  if (FMin == FMax) return 0;
  double d = static_cast<double>(FPosition) - FMin;
  if (FMax - FMin > 0) d /= static_cast<double>(FMax) - FMin;
  return static_cast<int>(Round(d * 100));
}

void TProgressStyle::Changed() {
  TAdvOfficeStatusBar* bar = FOwner ? FOwner->StatusBar() : nullptr;
  if (!bar || !bar->HandleAllocated()) return;
  TRect r = bar->GetPanelRect(FOwner->Index());
  InvalidateRect(bar->Handle(), &r, FALSE);
}

void TProgressStyle::PositionChanged(bool PositionMoved) {
  int p = Percent();
  bool showsPosition = FShowPercentage && FIndication != TProgressIndication::piPercentage;
  if (p != FOldPerc || (PositionMoved && showsPosition)) Changed();
  FOldPerc = p;
}

void TProgressStyle::SetMin(int Value) {
  if (FMin == Value) return;
  FMin = Value;
  PositionChanged(false);
}

void TProgressStyle::SetMax(int Value) {
  if (FMax == Value) return;
  FMax = Value;
  PositionChanged(false);
}

void TProgressStyle::SetPosition(int Value) {
  if (FPosition == Value) return;
  FPosition = Value;
  PositionChanged(true);
}

void TProgressStyle::SetBackGround(TColor Value) { Store(FBackground, Value); }
void TProgressStyle::SetIndication(TProgressIndication Value) { Store(FIndication, Value); }
void TProgressStyle::SetLevel0Color(TColor Value) { Store(FLevel0Color, Value); }
void TProgressStyle::SetLevel0ColorTo(TColor Value) { Store(FLevel0ColorTo, Value); }
void TProgressStyle::SetLevel1Color(TColor Value) { Store(FLevel1Color, Value); }
void TProgressStyle::SetLevel1ColorTo(TColor Value) { Store(FLevel1ColorTo, Value); }
void TProgressStyle::SetLevel2Color(TColor Value) { Store(FLevel2Color, Value); }
void TProgressStyle::SetLevel2ColorTo(TColor Value) { Store(FLevel2ColorTo, Value); }
void TProgressStyle::SetLevel3Color(TColor Value) { Store(FLevel3Color, Value); }
void TProgressStyle::SetLevel3ColorTo(TColor Value) { Store(FLevel3ColorTo, Value); }
void TProgressStyle::SetLevel1Perc(int Value) { Store(FLevel1Perc, Value); }
void TProgressStyle::SetLevel2Perc(int Value) { Store(FLevel2Perc, Value); }
void TProgressStyle::SetBorderColor(TColor Value) { Store(FBorderColor, Value); }
void TProgressStyle::SetShowBorder(bool Value) { Store(FShowBorder, Value); }
void TProgressStyle::SetStacked(bool Value) { Store(FStacked, Value); }
void TProgressStyle::SetShowPercentage(bool Value) { Store(FShowPercentage, Value); }
void TProgressStyle::SetCompletionSmooth(bool Value) { Store(FCompletionSmooth, Value); }
void TProgressStyle::SetShowGradient(bool Value) { Store(FShowGradient, Value); }
void TProgressStyle::SetPrefix(const String& Value) { Store(FPrefix, Value); }
void TProgressStyle::SetSuffix(const String& Value) { Store(FSuffix, Value); }

// ---------------------------------------------------------------------------
// TAdvOfficeStatusPanel

TAdvOfficeStatusPanel::TAdvOfficeStatusPanel(TCollection* Collection)
    : TCollectionItem(Collection),
      FTimeFormat(FormatSettings().LongTimeFormat),
      FDateFormat(FormatSettings().ShortDateFormat),
      FProgressStyle(new TProgressStyle(this)),
      FImageIndexes(new TStringList),
      FOfficeHint(new TAdvHintInfo) {
  if (TAdvOfficeStatusBar* bar = StatusBar()) FBiDiMode = bar->BiDiMode();
}

TAdvOfficeStatusBar* TAdvOfficeStatusPanel::StatusBar() const {
  auto* c = dynamic_cast<TAdvOfficeStatusPanels*>(Collection());
  return c ? c->StatusBar() : nullptr;
}

void TAdvOfficeStatusPanel::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TAdvOfficeStatusPanel*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetText(s->FText);
  SetWidth(s->FWidth);
  SetAlignment(s->FAlignment);
  FBevel = s->FBevel;
  SetStyle(s->FStyle);
  SetDateFormat(s->FDateFormat);
  SetTimeFormat(s->FTimeFormat);
  FProgressStyle->Assign(s->FProgressStyle);
  FOfficeHint->Assign(s->FOfficeHint);
  SetAppearanceStyle(s->FAppearanceStyle);
  SetAutoSize(s->FAutoSize);
  SetMinWidth(s->FMinWidth);
  SetVAlignment(s->FVAlignment);
}

void TAdvOfficeStatusPanel::AssignAll(TAdvOfficeStatusPanel* Source) {
  Assign(Source);
  if (Source->FParentBiDiMode) {
    SetParentBiDiMode(true);
  } else {
    SetBiDiMode(Source->FBiDiMode);
  }
  SetButton(Source->FButton);
  SetEnabled(Source->FEnabled);
  SetHTMLOffsetX(Source->FHTMLOffsetX);
  SetHTMLOffsetY(Source->FHTMLOffsetY);
  SetImageIndex(Source->FImageIndex);
  FImageIndexes->Assign(Source->FImageIndexes);
  SetAnimationImages(Source->FAnimationImages);
  SetAnimationDelay(Source->FAnimationDelay);
  SetAnimated(Source->FAnimated);
  FAnimIndex = Source->FAnimIndex;
}

void TAdvOfficeStatusPanel::SetText(const String& Value) {
  if (FText == Value) return;
  FText = Value;
  TAdvOfficeStatusBar* bar = StatusBar();
  if (!bar) return;
  bar->Invalidate();
  if (FAutoSize) bar->AutoSizePanels();
}

void TAdvOfficeStatusPanel::SetWidth(int Value) {
  if (FWidth == Value) return;
  FWidth = Value;
  Repaint();
}

void TAdvOfficeStatusPanel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Repaint();
}

void TAdvOfficeStatusPanel::SetStyle(TAdvOfficeStatusPanelStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Repaint();
}

void TAdvOfficeStatusPanel::SetAppearanceStyle(TPanelAppearanceStyle Value) {
  if (FAppearanceStyle == Value) return;
  FAppearanceStyle = Value;
  Repaint();
}

void TAdvOfficeStatusPanel::SetButton(bool Value) {
  if (FButton == Value) return;
  FButton = Value;
  Repaint();
}

void TAdvOfficeStatusPanel::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Repaint();
}

void TAdvOfficeStatusPanel::SetAutoSize(bool Value) {
  FAutoSize = Value;
  if (Value)
    if (TAdvOfficeStatusBar* bar = StatusBar()) bar->AutoSizePanels();
}

void TAdvOfficeStatusPanel::SetVAlignment(TVerticalPanelAlignment Value) {
  if (FVAlignment == Value) return;
  FVAlignment = Value;
  Repaint();
}

void TAdvOfficeStatusPanel::SetTimeFormat(const String& Value) {
  FTimeFormat = Value;
  Repaint();
}

void TAdvOfficeStatusPanel::SetDateFormat(const String& Value) {
  FDateFormat = Value;
  Repaint();
}

void TAdvOfficeStatusPanel::SetHTMLOffsetX(int Value) {
  FHTMLOffsetX = Value;
  Repaint();
}

void TAdvOfficeStatusPanel::SetHTMLOffsetY(int Value) {
  FHTMLOffsetY = Value;
  Repaint();
}

void TAdvOfficeStatusPanel::SetImageIndex(int Value) {
  FImageIndex = Value;
  Repaint();
}

void TAdvOfficeStatusPanel::SetAnimationImages(TCustomImageList* Value) {
  FAnimationImages = Value;
  if (Value)
    if (TAdvOfficeStatusBar* bar = StatusBar()) Value->FreeNotification(bar);
  Repaint();
}

void TAdvOfficeStatusPanel::SetAnimationDelay(int Value) {
  if (Value >= 0) FAnimationDelay = Value;
}

void TAdvOfficeStatusPanel::SetAnimated(bool Value) {
  FAnimated = Value;
  Repaint();
}

void TAdvOfficeStatusPanel::SetProgress(TProgressStyle* Value) {
  FProgressStyle->Assign(Value);
  Repaint();
}

void TAdvOfficeStatusPanel::SetBiDiMode(TBiDiMode Value) {
  if (FBiDiMode == Value && !FParentBiDiMode) return;
  FBiDiMode = Value;
  FParentBiDiMode = false;
  Repaint();
}

void TAdvOfficeStatusPanel::SetParentBiDiMode(bool Value) {
  if (FParentBiDiMode == Value) return;
  FParentBiDiMode = Value;
  ParentBiDiModeChanged();
}

void TAdvOfficeStatusPanel::ParentBiDiModeChanged() {
  if (!FParentBiDiMode) return;
  TAdvOfficeStatusBar* bar = StatusBar();
  if (!bar || FBiDiMode == bar->BiDiMode()) return;
  FBiDiMode = bar->BiDiMode();
  Repaint();
}

bool TAdvOfficeStatusPanel::UseRightToLeftReading() const {
  return SysLocaleMiddleEast() && FBiDiMode != TBiDiMode::bdLeftToRight;
}

bool TAdvOfficeStatusPanel::UseRightToLeftAlignment() const {
  return SysLocaleMiddleEast() && FBiDiMode == TBiDiMode::bdRightToLeft;
}

int TAdvOfficeStatusPanel::ImageIndexes(int Index) const {
  if (Index >= FImageIndexes->Count()) return -1;
  return StrToInt(FImageIndexes->Strings(Index));
}

void TAdvOfficeStatusPanel::SetImageIndexes(int Index, int Value) {
  while (FImageIndexes->Count() <= Index) FImageIndexes->Add(L"-1");
  FImageIndexes->SetStrings(Index, IntToStr(Value));
}

void TAdvOfficeStatusPanel::StepIt() {
  if (FProgressStyle->Position() < FProgressStyle->Max()) FProgressStyle->SetPosition(FProgressStyle->Position() + 1);
}

TRect TAdvOfficeStatusPanel::Rect() const {
  TAdvOfficeStatusBar* bar = StatusBar();
  return bar ? bar->GetPanelRect(Index()) : TRect(-1, -1, -1, -1);
}

String TAdvOfficeStatusPanel::GetDisplayName() const {
  return FText.empty() ? TCollectionItem::GetDisplayName() : FText;
}

// ---------------------------------------------------------------------------
// TAdvOfficeStatusPanels

TAdvOfficeStatusPanels::TAdvOfficeStatusPanels(TAdvOfficeStatusBar* StatusBar)
    : TCollection(ItemClass<TAdvOfficeStatusPanel>()), FStatusBar(StatusBar) {}

TPersistent* TAdvOfficeStatusPanels::GetOwner() { return FStatusBar; }

void TAdvOfficeStatusPanels::Update(TCollectionItem* Item) {
  if (UpdateCount() != 0) return;
  TAdvOfficeStatusBar* bar = FStatusBar;
  if (bar && !bar->IsDestroying() && bar->HandleAllocated()) {
    if (Item) {
      if (bar->SimplePanel()) {
        InvalidateRect(bar->Handle(), nullptr, FALSE);
      } else {
        TRect r = bar->GetPanelRect(Item->Index());
        InvalidateRect(bar->Handle(), &r, FALSE);
      }
    }
    bar->Update();
  }
  if (OnChange) OnChange(this);
}
