#include "ui/controls/menus/AdvMenuStylers.h"

#include "base/Forms.h"
#include "ui/controls/menus/AdvMenus.h"
#include "ui/draw/KelStyle.h"

void RefreshStyledMenu(TMenu* Menu, bool ReMeasure) {
  if (IAdvMenu* intf = GetAdvMenu(Menu)) HookMdiClient(intf, ReMeasure, false);
}

namespace {

// A copy of the screen's menu font, Smaller points smaller.
TFont* MenuFontCopy(int Smaller, TColor Color) {
  auto* f = new TFont;
  if (Screen) f->Assign(Screen->MenuFont());
  if (Smaller) f->SetSize(f->Size() - Smaller);
  f->SetColor(Color);
  return f;
}

// Slot Index of Count colours; any other index raises before anything is
// stored.
template <class TSlot>
TSlot& Indexed(TSlot* Slots, int Count, int Index) {
  if (Index < 0 || Index >= Count) throw EInvalidPropertyIndex(Index);
  return Slots[Index];
}

void MakeTransparentAuto(TBitmap* Bitmap) {
  if (!Bitmap->Transparent()) Bitmap->SetTransparent(true);
  if (Bitmap->TransparentMode() != TTransparentMode::tmAuto) Bitmap->SetTransparentMode(TTransparentMode::tmAuto);
}

}  // namespace

// ---------------------------------------------------------------------------
// TGradientBar

TGradientBar::TGradientBar(TMenu* AMenu) : FMenu(AMenu) {}

TColor TGradientBar::GetColor(int Index) const {
  switch (Index) {
    case 0: return FColor;
    case 1: return FColorTo;
    default: throw EInvalidPropertyIndex(Index);
  }
}

void TGradientBar::SetColor(int Index, TColor Value) {
  switch (Index) {
    case 0: FColor = Value; break;
    case 1: FColorTo = Value; break;
    default: throw EInvalidPropertyIndex(Index);
  }
}

void TGradientBar::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TGradientBar*>(Source)) {
    FColor = s->FColor;
    FColorTo = s->FColorTo;
    FGradientDirection = s->FGradientDirection;
    return;
  }
  TPersistent::Assign(Source);
}

// ---------------------------------------------------------------------------
// TSeparator

TSeparator::TSeparator(TMenu* AMenu) : TGradientBar(AMenu) {
  FColor = 0x8F6D6E;
  FColorTo = clNone;
  FGradientDirection = TGradientDirection::gdHorizontal;
}

void TSeparator::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TSeparator*>(Source)) {
    FWidth = s->FWidth;
    FGradientType = s->FGradientType;
    FGradientWidth = s->FGradientWidth;
    FMargin = s->FMargin;
  }
  TGradientBar::Assign(Source);
}

// ---------------------------------------------------------------------------
// TBackground

TBackground::TBackground(TMenu* AMenu) : TGradientBar(AMenu) {
  FColor = 0xFFFAFD;
  FColorTo = clNone;
}

void TBackground::Destroy() {
  FImage.Reset();
  FBitmap.Reset();
  TGradientBar::Destroy();
}

TPicture* TBackground::Image() {
  if (!FImage) {
    FImage = new TPicture;
    FImage->OnChange = [this](TObject*) { ++FImageVersion; };
  }
  if (auto* bmp = dynamic_cast<TBitmap*>(FImage->Graphic())) MakeTransparentAuto(bmp);
  return FImage;
}

bool TBackground::HasImage() const { return FImage && FImage->Graphic() && !FImage->Graphic()->Empty(); }

void TBackground::SetImage(TPicture* Value) {
  if (!Value) {
    if (FImage) {
      FImage->SetGraphic(nullptr);
      FImage.Reset();
    }
    ++FImageVersion;
  } else {
    Image()->Assign(Value);
    Image();  // a new bitmap becomes transparent too
  }
  Refresh(false);
}

TBitmap* TBackground::Bitmap() {
  if (!FBitmap) FBitmap = new TBitmap;
  return FBitmap;
}

void TBackground::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TBackground*>(Source)) {
    SetImage(s->Image());
    FOffsetX = s->FOffsetX;
    FOffsetY = s->FOffsetY;
    FPosition = s->FPosition;
    FColor = s->FColor;
    FColorTo = s->FColorTo;
    return;
  }
  TGradientBar::Assign(Source);
}

void TBackground::CalcPicturePosition(const TRect& ARect, int& X, int& Y) {
  X = ARect.left;
  Y = ARect.top;
  if (!HasImage()) return;
  int pw = FImage->Graphic()->Width();
  int ph = FImage->Graphic()->Height();
  using P = TBackgroundPosition;
  switch (FPosition) {
    case P::bpTopLeft:
    case P::bpBottomLeft: X += FOffsetX; break;
    case P::bpTopRight:
    case P::bpBottomRight: X += ARect.Width() + FOffsetX - pw; break;
    case P::bpTopCenter:
    case P::bpBottomCenter:
    case P::bpCenter: X += (ARect.Width() - pw) / 2 + FOffsetX; break;
    default: break;
  }
  switch (FPosition) {
    case P::bpTopLeft:
    case P::bpTopRight:
    case P::bpTopCenter: Y += FOffsetY; break;
    case P::bpBottomLeft:
    case P::bpBottomRight:
    case P::bpBottomCenter: Y += ARect.Height() + FOffsetY - ph; break;
    case P::bpCenter: Y += (ARect.Height() - ph) / 2 + FOffsetY; break;
    default: break;
  }
}

// ---------------------------------------------------------------------------
// TBarCaption and TSideBar

TBarCaption::TBarCaption(TMenu* AMenu) : FMenu(AMenu), FFont(new TFont) {
  FFont->SetName(L"Tahoma");
  FFont->SetSize(14);
  FFont->SetColor(clWhite);
  FFont->SetStyle({TFontStyle::fsBold, TFontStyle::fsItalic});
}

void TBarCaption::Destroy() {
  FFont.Reset();
  TPersistent::Destroy();
}

void TBarCaption::SetFont(TFont* Value) {
  FFont->Assign(Value);
  RefreshStyledMenu(FMenu, true);
}

void TBarCaption::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TBarCaption*>(Source)) {
    FOffsetY = s->FOffsetY;
    FAlignment = s->FAlignment;
    FCaption = s->FCaption;
    FFont->Assign(s->FFont.Get());
    FShadowColor = s->FShadowColor;
    FHighlightColor = s->FHighlightColor;
    FDepth = s->FDepth;
    FDirection = s->FDirection;
    return;
  }
  TPersistent::Assign(Source);
}

TSideBar::TSideBar(TMenu* AMenu)
    : TBarCaption(AMenu), FImage(new TBackground(AMenu)), FBackground(new TBackground(AMenu)), FSideBarMenu(AMenu) {}

void TSideBar::Destroy() {
  FImage.Reset();
  FBackground.Reset();
  TBarCaption::Destroy();
}

void TSideBar::SetVisible(bool Value) {
  FVisible = Value;
  auto* main = dynamic_cast<TAdvMainMenu*>(FSideBarMenu);
  if (main && main->WindowHandle()) RefreshStyledMenu(main, true);
}

void TSideBar::SetImage(TBackground* Value) {
  FImage->Assign(Value);
  RefreshStyledMenu(FSideBarMenu, true);
}

void TSideBar::SetBackground(TBackground* Value) {
  FBackground->Assign(Value);
  if (Value && dynamic_cast<TBitmap*>(Value->Image()->Graphic())) FBackground->Bitmap()->SetTransparent(true);
  RefreshStyledMenu(FSideBarMenu, true);
}

void TSideBar::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TSideBar*>(Source)) {
    SetVisible(s->FVisible);
    FImage->Assign(s->FImage.Get());
    FBackground->Assign(s->FBackground.Get());
    FPosition = s->FPosition;
    FSize = s->FSize;
    FSplitterWidth = s->FSplitterWidth;
    FSplitterMargin = s->FSplitterMargin;
    FSplitterGradientWidth = s->FSplitterGradientWidth;
    FSplitterGradientType = s->FSplitterGradientType;
    FBorderColor = s->FBorderColor;
  }
  TBarCaption::Assign(Source);
}

// ---------------------------------------------------------------------------
// TCheckRadioCells

TColor TCheckRadioCells::GetCheckColor(int Index) const { return Indexed(FCheck, 2, Index); }

void TCheckRadioCells::SetCheckColor(int Index, TColor Value) {
  Indexed(FCheck, 2, Index) = Value;
  CellsChanged();
}

TColor TCheckRadioCells::GetRadioColor(int Index) const { return Indexed(FRadio, 2, Index); }

void TCheckRadioCells::SetRadioColor(int Index, TColor Value) {
  Indexed(FRadio, 2, Index) = Value;
  CellsChanged();
}

// ---------------------------------------------------------------------------
// TIconBar

TIconBar::TIconBar(TMenu* AMenu) : TGradientBar(AMenu), TCheckRadioCells(0x6FC0FF, 0x6F4B4B) {
  FColor = 0xFFF9F9;
  FColorTo = 0xBBA0A1;
  FGradientDirection = TGradientDirection::gdHorizontal;
}

void TIconBar::SetSize(int Value) {
  FSize = Max(Value, 16);
  Refresh(true);
}

void TIconBar::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TIconBar*>(Source)) {
    FCheck[0] = s->FCheck[0];
    FCheck[1] = s->FCheck[1];
    FCheckBorder = s->FCheckBorder;
    FCheckGradientDirection = s->FCheckGradientDirection;
    FRadio[0] = s->FRadio[0];
    FRadio[1] = s->FRadio[1];
    FRadioBorder = s->FRadioBorder;
    FRadioGradientDirection = s->FRadioGradientDirection;
    SetSize(s->FSize);
    FSeparatorColor = s->FSeparatorColor;
    return;
  }
  TGradientBar::Assign(Source);
}

// ---------------------------------------------------------------------------
// TMenuGlyphs

namespace {
TBitmap* LoadGlyph(const wchar_t* Name) {
  auto* b = new TBitmap;
  try {
    b->LoadFromResourceName(GetModuleHandleW(nullptr), Name);
  } catch (const EResNotFound&) {
    // A program without the glyphs draws none.
  }
  b->SetTransparent(true);
  return b;
}
}  // namespace

TMenuGlyphs::TMenuGlyphs(TMenu* AMenu)
    : FMenu(AMenu),
      FSubMenu(LoadGlyph(L"ADVSUBMENUITEM")),
      FCheck(LoadGlyph(L"ADVCHECKITEM")),
      FRadio(LoadGlyph(L"ADVRADIOITEM")) {}

void TMenuGlyphs::Destroy() {
  FSubMenu.Reset();
  FCheck.Reset();
  FRadio.Reset();
  TPersistent::Destroy();
}

void TMenuGlyphs::SetGlyph(TBitmap* Target, TBitmap* Value) {
  Target->Assign(Value);
  Target->SetTransparent(true);
  RefreshStyledMenu(FMenu, false);
}

void TMenuGlyphs::SetSubMenu(TBitmap* Value) { SetGlyph(FSubMenu, Value); }
void TMenuGlyphs::SetCheck(TBitmap* Value) { SetGlyph(FCheck, Value); }
void TMenuGlyphs::SetRadio(TBitmap* Value) { SetGlyph(FRadio, Value); }

void TMenuGlyphs::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TMenuGlyphs*>(Source)) {
    FSubMenu->Assign(s->FSubMenu.Get());
    FCheck->Assign(s->FCheck.Get());
    FRadio->Assign(s->FRadio.Get());
  }
}

// ---------------------------------------------------------------------------
// TSelectedItem

TSelectedItem::TSelectedItem(TMenu* AMenu)
    : TGradientBar(AMenu),
      TCheckRadioCells(0x3E80FE, 0x6F4B4B),
      FFont(MenuFontCopy(0, clWindowText)),
      FNotesFont(MenuFontCopy(2, clWindowText)) {
  FColor = 0xC2EEFF;
  FColorTo = clNone;
}

void TSelectedItem::Destroy() {
  FFont.Reset();
  FNotesFont.Reset();
  TGradientBar::Destroy();
}

void TSelectedItem::SetFont(TFont* Value) {
  FFont->Assign(Value);
  Refresh(true);
}

void TSelectedItem::SetNotesFont(TFont* Value) {
  FNotesFont->Assign(Value);
  Refresh(true);
}

void TSelectedItem::SetUseSystemFont(bool Value) {
  FUseSystemFont = Value;
  Refresh(true);
}

void TSelectedItem::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TSelectedItem*>(Source)) {
    FColorMirror = s->FColorMirror;
    FColorMirrorTo = s->FColorMirrorTo;
    FBorderColor = s->FBorderColor;
    FFont->Assign(s->FFont.Get());
    SetUseSystemFont(s->FUseSystemFont);
    FCheck[0] = s->FCheck[0];
    FCheck[1] = s->FCheck[1];
    FCheckGradientDirection = s->FCheckGradientDirection;
    FRadio[0] = s->FRadio[0];
    FRadio[1] = s->FRadio[1];
    FRadioBorder = s->FRadioBorder;
    FRadioGradientDirection = s->FRadioGradientDirection;
    return;
  }
  TGradientBar::Assign(Source);
}

// ---------------------------------------------------------------------------
// TRootItem

TRootItem::TRootItem(TMenu* AMenu) : TGradientBar(AMenu), FFont(MenuFontCopy(0, clWindowText)) {
  FColor = 0xE5D7D7;
  FColorTo = 0xF7F2F2;
  FGradientDirection = TGradientDirection::gdHorizontal;
}

void TRootItem::Destroy() {
  FFont.Reset();
  TGradientBar::Destroy();
}

void TRootItem::SetFont(TFont* Value) {
  FFont->Assign(Value);
  Refresh(true);
}

void TRootItem::SetUseSystemFont(bool Value) {
  FUseSystemFont = Value;
  Refresh(true);
}

void TRootItem::UpdateFont() {
  if (FUseSystemFont && Screen) FFont->Assign(Screen->MenuFont());
}

TColor TRootItem::GetSelectedColor(int Index) const { return Indexed(FSelected, 4, Index); }

void TRootItem::SetSelectedColor(int Index, TColor Value) {
  Indexed(FSelected, 4, Index) = Value;
  Refresh(true);
}

TColor TRootItem::GetHoverColor(int Index) const { return Indexed(FHover, 4, Index); }

void TRootItem::SetHoverColor(int Index, TColor Value) {
  Indexed(FHover, 4, Index) = Value;
  Refresh(true);
}

void TRootItem::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TRootItem*>(Source)) {
    FFont->Assign(s->FFont.Get());
    SetUseSystemFont(s->FUseSystemFont);
    FSelected[0] = s->FSelected[0];
    FSelected[1] = s->FSelected[1];
    FSelectedGradientDirection = s->FSelectedGradientDirection;
    FSelectedBorderColor = s->FSelectedBorderColor;
    FSelectedTextColor = s->FSelectedTextColor;
    FHover[0] = s->FHover[0];
    FHover[1] = s->FHover[1];
    FHoverGradientDirection = s->FHoverGradientDirection;
    FHoverBorderColor = s->FHoverBorderColor;
    FHoverTextColor = s->FHoverTextColor;
    FSelected[2] = s->FSelected[2];
    FSelected[3] = s->FSelected[3];
    return;
  }
  TGradientBar::Assign(Source);
}

// ---------------------------------------------------------------------------
// TButtonAppearance

TButtonAppearance::TButtonAppearance() : FCaptionFont(new TFont) { FCaptionFont->SetName(GetSystemFontName()); }

void TButtonAppearance::Destroy() {
  FCaptionFont.Reset();
  TPersistent::Destroy();
}

void TButtonAppearance::Changed() {
  if (FOnChange) FOnChange(this);
}

void TButtonAppearance::Store(TColor& Field, TColor Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TButtonAppearance::SetGradientDirection(TGradientDirection Value) {
  if (FGradientDirection == Value) return;
  FGradientDirection = Value;
  Changed();
}

void TButtonAppearance::SetCaptionFont(TFont* Value) {
  FCaptionFont->Assign(Value);
  Changed();
}

void TButtonAppearance::SetUseSystemFont(bool Value) {
  if (FUseSystemFont == Value) return;
  FUseSystemFont = Value;
  if (Value) FCaptionFont->SetName(GetSystemFontName());
}

void TButtonAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TButtonAppearance*>(Source);
  if (!s) return;
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FHoverColor = s->FHoverColor;
  FHoverColorTo = s->FHoverColorTo;
  FDownColor = s->FDownColor;
  FDownColorTo = s->FDownColorTo;
  FGradientDirection = s->FGradientDirection;
  FBorderColor = s->FBorderColor;
  FHoverBorderColor = s->FHoverBorderColor;
  FDownBorderColor = s->FDownBorderColor;
}

// ---------------------------------------------------------------------------
// TCustomAdvMenuStyler

TCustomAdvMenuStyler::TCustomAdvMenuStyler(TComponent* AOwner)
    : TComponent(AOwner),
      FSideBar(new TSideBar(nullptr)),
      FBackground(new TBackground(nullptr)),
      FIconBar(new TIconBar(nullptr)),
      FSelectedItem(new TSelectedItem(nullptr)),
      FRootItem(new TRootItem(nullptr)),
      FGlyphs(new TMenuGlyphs(nullptr)),
      FSeparator(new TSeparator(nullptr)),
      FFont(MenuFontCopy(0, clWindowText)),
      FNotesFont(MenuFontCopy(2, 0x808080)),
      FButtonAppearance(new TButtonAppearance) {}

void TCustomAdvMenuStyler::Destroy() {
  FBackground.Reset();
  FIconBar.Reset();
  FSelectedItem.Reset();
  FRootItem.Reset();
  FGlyphs.Reset();
  FSideBar.Reset();
  FSeparator.Reset();
  FFont.Reset();
  FNotesFont.Reset();
  FButtonAppearance.Reset();
  FBackgroundBitmap.Reset();
  TComponent::Destroy();
}

TBitmap* TCustomAdvMenuStyler::BackgroundCache() {
  if (!FBackgroundBitmap) FBackgroundBitmap = new TBitmap;
  return FBackgroundBitmap;
}

void TCustomAdvMenuStyler::SetUseSystemFont(bool Value) {
  FUseSystemFont = Value;
  Refresh(true);
}

void TCustomAdvMenuStyler::SetSeparator(TSeparator* Value) {
  FSeparator->Assign(Value);
  Refresh(false);
}

void TCustomAdvMenuStyler::SetBackground(TBackground* Value) {
  FBackground->Assign(Value);
  Refresh(false);
}

void TCustomAdvMenuStyler::SetFont(TFont* Value) {
  FFont->Assign(Value);
  Refresh(true);
}

void TCustomAdvMenuStyler::SetIconBar(TIconBar* Value) {
  FIconBar->Assign(Value);
  Refresh(false);
}

void TCustomAdvMenuStyler::SetGlyphs(TMenuGlyphs* Value) {
  FGlyphs->Assign(Value);
  Refresh(false);
}

void TCustomAdvMenuStyler::SetRootItem(TRootItem* Value) {
  FRootItem->Assign(Value);
  Refresh(false);
}

void TCustomAdvMenuStyler::SetSelectedItem(TSelectedItem* Value) {
  FSelectedItem->Assign(Value);
  Refresh(false);
}

void TCustomAdvMenuStyler::SetSideBar(TSideBar* Value) {
  FSideBar->Assign(Value);
  Refresh(true);
}

void TCustomAdvMenuStyler::SetNotesFont(TFont* Value) {
  FNotesFont->Assign(Value);
  Refresh(true);
}

void TCustomAdvMenuStyler::SetAntiAlias(TAntiAlias Value) {
  FAntiAlias = Value;
  Refresh(true);
}

void TCustomAdvMenuStyler::SetButtonAppearance(TButtonAppearance* Value) { FButtonAppearance->Assign(Value); }

void TCustomAdvMenuStyler::SetMenu(TMenu* Value) {
  FMenu = Value;
  if (Value) Value->FreeNotification(this);
  FBackground->FMenu = Value;
  FIconBar->FMenu = Value;
  FSelectedItem->FMenu = Value;
  FRootItem->FMenu = Value;
  FGlyphs->FMenu = Value;
  FSideBar->FSideBarMenu = Value;
  FSeparator->FMenu = Value;
  Refresh(false);
}

void TCustomAdvMenuStyler::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent && AComponent == FMenu) SetMenu(nullptr);
}

void TCustomAdvMenuStyler::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TCustomAdvMenuStyler*>(Source);
  if (!s) return;
  FBackground->Assign(s->FBackground.Get());
  FIconBar->Assign(s->FIconBar.Get());
  FSelectedItem->Assign(s->FSelectedItem.Get());
  FRootItem->Assign(s->FRootItem.Get());
  FGlyphs->Assign(s->FGlyphs.Get());
  FSideBar->Assign(s->FSideBar.Get());
  FSeparator->Assign(s->FSeparator.Get());
  FFont->Assign(s->FFont.Get());
  FNotesFont->Assign(s->FNotesFont.Get());
  FUseSystemFont = s->FUseSystemFont;
}
