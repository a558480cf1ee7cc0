// Menu stylers: everything an owner-drawn styled menu measures and paints
// with. A styler owns seven appearance objects (separator, background, side
// bar, icon bar, glyphs, selected item, root item), a button colour set, the
// item and notes fonts, the text smoothing and the border colour, and asks
// the menu it is attached to to refresh after the changes that need it.
#pragma once

#include "base/Menus.h"
#include "base/Picture.h"
#include "ui/draw/GdiPlus.h"

class TCustomAdvMenuStyler;

enum class TGradientDirection { gdVertical, gdHorizontal };
enum class TGradientType { gtLeft, gtRight, gtBoth };
enum class TBackgroundPosition {
  bpTopLeft, bpTopRight, bpBottomLeft, bpBottomRight, bpTopCenter, bpBottomCenter, bpTiled, bpStretched, bpCenter, bpXY
};
enum class TDirection { dDownToUp, dUpToDown };
enum class TSideBarPosition { spLeft, spRight };
enum class TSideBarVisibleIn { viFirstVisible, viFirstLevel, viAnyLevel };
enum class TGlyphPosition { gpLeft, gpRight };

class EInvalidPropertyIndex : public Exception {
 public:
  explicit EInvalidPropertyIndex(int Index) : Exception(L"Invalid property index %d.", {Index}) {}
  String ClassName() const override { return L"EInvalidPropertyIndex"; }
};

// Asks Menu (a styled popup or main menu; others are left alone) to refresh,
// measuring its items again when ReMeasure is set.
void RefreshStyledMenu(TMenu* Menu, bool ReMeasure);

// A two-colour surface: Color (index 0) to ColorTo (index 1).
class TGradientBar : public TPersistent {
  VANTREL_CLASS(TGradientBar)
 public:
  explicit TGradientBar(TMenu* AMenu);
  void Assign(TPersistent* Source) override;

  TColor GetColor(int Index) const;
  void SetColor(int Index, TColor Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { SetColor(0, Value); }
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { SetColor(1, Value); }
  TGradientDirection GradientDirection() const { return FGradientDirection; }
  void SetGradientDirection(TGradientDirection Value) { FGradientDirection = Value; }
  TMenu* Menu() const { return FMenu; }

 protected:
  friend class TCustomAdvMenuStyler;
  void Refresh(bool ReMeasure) { RefreshStyledMenu(FMenu, ReMeasure); }
  TMenu* FMenu;
  TColor FColor = 0xD8BDAF;
  TColor FColorTo = clNone;
  TGradientDirection FGradientDirection = TGradientDirection::gdVertical;
};

class TSeparator : public TGradientBar {
  VANTREL_CLASS(TSeparator)
 public:
  explicit TSeparator(TMenu* AMenu);
  void Assign(TPersistent* Source) override;
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  TGradientType GradientType() const { return FGradientType; }
  void SetGradientType(TGradientType Value) { FGradientType = Value; }
  int GradientWidth() const { return FGradientWidth; }
  void SetGradientWidth(int Value) { FGradientWidth = Value; }
  int Margin() const { return FMargin; }
  void SetMargin(int Value) { FMargin = Value; }

 private:
  int FWidth = 1;
  TGradientType FGradientType = TGradientType::gtBoth;
  int FGradientWidth = 0;
  int FMargin = 2;
};

class TBackground : public TGradientBar {
  VANTREL_CLASS(TBackground)
 public:
  explicit TBackground(TMenu* AMenu);
  void Assign(TPersistent* Source) override;

  // Made on first read, never nullptr; a bitmap in it is transparent with
  // the colour of its bottom-left pixel.
  TPicture* Image();
  // nullptr empties it; anything else is copied in.
  void SetImage(TPicture* Value);
  bool HasImage() const;
  TBackgroundPosition Position() const { return FPosition; }
  void SetPosition(TBackgroundPosition Value) { FPosition = Value; }
  int OffsetX() const { return FOffsetX; }
  void SetOffsetX(int Value) { FOffsetX = Value; }
  int OffsetY() const { return FOffsetY; }
  void SetOffsetY(int Value) { FOffsetY = Value; }
  int MarginX() const { return FMarginX; }
  void SetMarginX(int Value) { FMarginX = Value; }
  int MarginY() const { return FMarginY; }
  void SetMarginY(int Value) { FMarginY = Value; }
  // The work bitmap the background drawing composes in, made on first use.
  TBitmap* Bitmap();
  // Counts every change of the picture (for caches rendered from it).
  unsigned ImageVersion() const { return FImageVersion; }
  // The top-left corner of the picture placed in ARect by Position and the
  // offsets.
  void CalcPicturePosition(const TRect& ARect, int& X, int& Y);

 protected:
  void Destroy() override;

 private:
  TOwned<TPicture> FImage;
  TOwned<TBitmap> FBitmap;
  TBackgroundPosition FPosition = TBackgroundPosition::bpCenter;
  int FOffsetX = 0, FOffsetY = 0, FMarginX = 0, FMarginY = 0;
  unsigned FImageVersion = 0;
};

// The side bar's caption.
class TBarCaption : public TPersistent {
  VANTREL_CLASS(TBarCaption)
 public:
  explicit TBarCaption(TMenu* AMenu);
  void Assign(TPersistent* Source) override;
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  TFont* Font() const { return FFont; }
  void SetFont(TFont* Value);
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor Value) { FShadowColor = Value; }
  TColor HighlightColor() const { return FHighlightColor; }
  void SetHighlightColor(TColor Value) { FHighlightColor = Value; }
  int Depth() const { return FDepth; }
  void SetDepth(int Value) { FDepth = Value; }
  TDirection Direction() const { return FDirection; }
  void SetDirection(TDirection Value) { FDirection = Value; }
  int OffsetY() const { return FOffsetY; }
  TMenu* Menu() const { return FMenu; }

 protected:
  void Destroy() override;
  TMenu* FMenu;
  int FOffsetY = 6;

 private:
  TAlignment FAlignment = TAlignment::taLeftJustify;
  String FCaption;
  TOwned<TFont> FFont;
  TColor FShadowColor = clNone;
  TColor FHighlightColor = clNone;
  int FDepth = 1;
  TDirection FDirection = TDirection::dDownToUp;
};

class TSideBar : public TBarCaption {
  VANTREL_CLASS(TSideBar)
 public:
  explicit TSideBar(TMenu* AMenu);
  void Assign(TPersistent* Source) override;
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  TSideBarVisibleIn VisibleIn() const { return FVisibleIn; }
  void SetVisibleIn(TSideBarVisibleIn Value) { FVisibleIn = Value; }
  TBackground* Image() const { return FImage; }
  void SetImage(TBackground* Value);
  TBackground* Background() const { return FBackground; }
  void SetBackground(TBackground* Value);
  int Size() const { return FSize; }
  void SetSize(int Value) { FSize = Value; }
  TColor SplitterColor() const { return FSplitterColor; }
  void SetSplitterColor(TColor Value) { FSplitterColor = Value; }
  TColor SplitterColorTo() const { return FSplitterColorTo; }
  void SetSplitterColorTo(TColor Value) { FSplitterColorTo = Value; }
  int SplitterWidth() const { return FSplitterWidth; }
  void SetSplitterWidth(int Value) { FSplitterWidth = Value; }
  int SplitterMargin() const { return FSplitterMargin; }
  void SetSplitterMargin(int Value) { FSplitterMargin = Value; }
  int SplitterGradientWidth() const { return FSplitterGradientWidth; }
  void SetSplitterGradientWidth(int Value) { FSplitterGradientWidth = Value; }
  TGradientType SplitterGradientType() const { return FSplitterGradientType; }
  void SetSplitterGradientType(TGradientType Value) { FSplitterGradientType = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  TSideBarPosition Position() const { return FPosition; }
  // The side bar's own menu reference, repointed by the styler.
  TMenu* Menu() const { return FSideBarMenu; }

 protected:
  friend class TCustomAdvMenuStyler;
  void Destroy() override;

 private:
  bool FVisible = false;
  TSideBarVisibleIn FVisibleIn = TSideBarVisibleIn::viFirstVisible;
  TOwned<TBackground> FImage;
  TOwned<TBackground> FBackground;
  int FSize = 24;
  TColor FSplitterColor = 0x808080;
  TColor FSplitterColorTo = clNone;
  int FSplitterWidth = 1;
  int FSplitterMargin = 0;
  int FSplitterGradientWidth = 0;
  TGradientType FSplitterGradientType = TGradientType::gtBoth;
  TColor FBorderColor = 0xA19D9D;
  TSideBarPosition FPosition = TSideBarPosition::spLeft;
  TMenu* FSideBarMenu;
};

// The check and radio cells of the icon bar and of the selected item: a
// colour pair each (index 0 and 1, whose setters refresh the menu), a
// border and a gradient direction.
class TCheckRadioCells {
 public:
  TColor GetCheckColor(int Index) const;
  void SetCheckColor(int Index, TColor Value);
  TColor GetRadioColor(int Index) const;
  void SetRadioColor(int Index, TColor Value);
  TColor CheckColor() const { return FCheck[0]; }
  void SetCheckColor(TColor Value) { SetCheckColor(0, Value); }
  TColor CheckColorTo() const { return FCheck[1]; }
  void SetCheckColorTo(TColor Value) { SetCheckColor(1, Value); }
  TColor RadioColor() const { return FRadio[0]; }
  void SetRadioColor(TColor Value) { SetRadioColor(0, Value); }
  TColor RadioColorTo() const { return FRadio[1]; }
  void SetRadioColorTo(TColor Value) { SetRadioColor(1, Value); }
  TColor CheckBorder() const { return FCheckBorder; }
  void SetCheckBorder(TColor Value) { FCheckBorder = Value; }
  TColor RadioBorder() const { return FRadioBorder; }
  void SetRadioBorder(TColor Value) { FRadioBorder = Value; }
  TGradientDirection CheckGradientDirection() const { return FCheckGradientDirection; }
  void SetCheckGradientDirection(TGradientDirection Value) { FCheckGradientDirection = Value; }
  TGradientDirection RadioGradientDirection() const { return FRadioGradientDirection; }
  void SetRadioGradientDirection(TGradientDirection Value) { FRadioGradientDirection = Value; }

 protected:
  TCheckRadioCells(TColor Color, TColor Border)
      : FCheck{Color, clNone}, FRadio{Color, clNone}, FCheckBorder(Border), FRadioBorder(Border) {}
  ~TCheckRadioCells() = default;
  // A colour of a pair changed: the menu refreshes without measuring.
  virtual void CellsChanged() = 0;

  TColor FCheck[2];
  TColor FRadio[2];
  TColor FCheckBorder, FRadioBorder;
  TGradientDirection FCheckGradientDirection = TGradientDirection::gdVertical;
  TGradientDirection FRadioGradientDirection = TGradientDirection::gdVertical;
};

// The column of check marks and images at the left of the items.
class TIconBar : public TGradientBar, public TCheckRadioCells {
  VANTREL_CLASS(TIconBar)
 public:
  explicit TIconBar(TMenu* AMenu);
  void Assign(TPersistent* Source) override;
  TColor SeparatorColor() const { return FSeparatorColor; }
  void SetSeparatorColor(TColor Value) { FSeparatorColor = Value; }
  int Size() const { return FSize; }
  // Never below 16.
  void SetSize(int Value);

 protected:
  void CellsChanged() override { Refresh(false); }

 private:
  TColor FSeparatorColor = clNone;
  int FSize = 24;
};

// The three monochrome glyphs: sub-menu arrow, check mark, radio dot.
class TMenuGlyphs : public TPersistent {
  VANTREL_CLASS(TMenuGlyphs)
 public:
  explicit TMenuGlyphs(TMenu* AMenu);
  void Assign(TPersistent* Source) override;
  TBitmap* SubMenu() const { return FSubMenu; }
  void SetSubMenu(TBitmap* Value);
  TBitmap* Check() const { return FCheck; }
  void SetCheck(TBitmap* Value);
  TBitmap* Radio() const { return FRadio; }
  void SetRadio(TBitmap* Value);
  TMenu* Menu() const { return FMenu; }

 protected:
  friend class TCustomAdvMenuStyler;
  void Destroy() override;

 private:
  void SetGlyph(TBitmap* Target, TBitmap* Value);
  TMenu* FMenu;
  TOwned<TBitmap> FSubMenu;
  TOwned<TBitmap> FCheck;
  TOwned<TBitmap> FRadio;
};

// The highlighted item of a drop-down.
class TSelectedItem : public TGradientBar, public TCheckRadioCells {
  VANTREL_CLASS(TSelectedItem)
 public:
  explicit TSelectedItem(TMenu* AMenu);
  void Assign(TPersistent* Source) override;
  TColor ColorMirror() const { return FColorMirror; }
  void SetColorMirror(TColor Value) { FColorMirror = Value; }
  TColor ColorMirrorTo() const { return FColorMirrorTo; }
  void SetColorMirrorTo(TColor Value) { FColorMirrorTo = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  TFont* Font() const { return FFont; }
  void SetFont(TFont* Value);
  TFont* NotesFont() const { return FNotesFont; }
  void SetNotesFont(TFont* Value);
  bool UseSystemFont() const { return FUseSystemFont; }
  void SetUseSystemFont(bool Value);

 protected:
  void Destroy() override;
  void CellsChanged() override { Refresh(false); }

 private:
  TColor FColorMirror = clNone, FColorMirrorTo = clNone, FBorderColor = 0x6F4B4B;
  TOwned<TFont> FFont;
  TOwned<TFont> FNotesFont;
  bool FUseSystemFont = true;
};

// The items of a menu bar.
class TRootItem : public TGradientBar {
  VANTREL_CLASS(TRootItem)
 public:
  explicit TRootItem(TMenu* AMenu);
  void Assign(TPersistent* Source) override;
  TFont* Font() const { return FFont; }
  void SetFont(TFont* Value);
  bool UseSystemFont() const { return FUseSystemFont; }
  void SetUseSystemFont(bool Value);
  // Takes the screen's menu font again when UseSystemFont is on.
  void UpdateFont();
  // Selected quartet: SelectedColor 0, SelectedColorTo 1, SelectedColorMirror
  // 2, SelectedColorMirrorTo 3; the hover quartet alike.
  TColor GetSelectedColor(int Index) const;
  void SetSelectedColor(int Index, TColor Value);
  TColor GetHoverColor(int Index) const;
  void SetHoverColor(int Index, TColor Value);
  TColor SelectedColor() const { return FSelected[0]; }
  TColor SelectedColorTo() const { return FSelected[1]; }
  TColor SelectedColorMirror() const { return FSelected[2]; }
  TColor SelectedColorMirrorTo() const { return FSelected[3]; }
  TColor HoverColor() const { return FHover[0]; }
  TColor HoverColorTo() const { return FHover[1]; }
  TColor HoverColorMirror() const { return FHover[2]; }
  TColor HoverColorMirrorTo() const { return FHover[3]; }
  TGradientDirection SelectedGradientDirection() const { return FSelectedGradientDirection; }
  void SetSelectedGradientDirection(TGradientDirection Value) { FSelectedGradientDirection = Value; }
  TColor SelectedBorderColor() const { return FSelectedBorderColor; }
  void SetSelectedBorderColor(TColor Value) { FSelectedBorderColor = Value; }
  TColor SelectedTextColor() const { return FSelectedTextColor; }
  void SetSelectedTextColor(TColor Value) { FSelectedTextColor = Value; }
  TGradientDirection HoverGradientDirection() const { return FHoverGradientDirection; }
  void SetHoverGradientDirection(TGradientDirection Value) { FHoverGradientDirection = Value; }
  TColor HoverBorderColor() const { return FHoverBorderColor; }
  void SetHoverBorderColor(TColor Value) { FHoverBorderColor = Value; }
  TColor HoverTextColor() const { return FHoverTextColor; }
  void SetHoverTextColor(TColor Value) { FHoverTextColor = Value; }

 protected:
  void Destroy() override;

 private:
  TOwned<TFont> FFont;
  bool FUseSystemFont = true;
  TColor FSelected[4] = {0xF2E8E8, 0xCDB8B9, clNone, clNone};
  TColor FHover[4] = {0xCFF6FF, 0x9DD8FF, clNone, clNone};
  TGradientDirection FSelectedGradientDirection = TGradientDirection::gdVertical;
  TColor FSelectedBorderColor = 0x947C7C;
  TColor FSelectedTextColor = clWindowText;
  TGradientDirection FHoverGradientDirection = TGradientDirection::gdVertical;
  TColor FHoverBorderColor = 0x6F4B4B;
  TColor FHoverTextColor = clWindowText;
};

// The styler's button colour set (filled by the Office styles; the menus
// do not draw with it). Not the toolbar library's class of this name.
class TButtonAppearance : public TPersistent {
  VANTREL_CLASS(TButtonAppearance)
 public:
  TButtonAppearance();
  void Assign(TPersistent* Source) override;
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { Store(FColor, Value); }
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { Store(FColorTo, Value); }
  TColor DownColor() const { return FDownColor; }
  void SetDownColor(TColor Value) { Store(FDownColor, Value); }
  TColor DownColorTo() const { return FDownColorTo; }
  void SetDownColorTo(TColor Value) { Store(FDownColorTo, Value); }
  TColor HoverColor() const { return FHoverColor; }
  void SetHoverColor(TColor Value) { Store(FHoverColor, Value); }
  TColor HoverColorTo() const { return FHoverColorTo; }
  void SetHoverColorTo(TColor Value) { Store(FHoverColorTo, Value); }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { Store(FBorderColor, Value); }
  TGradientDirection GradientDirection() const { return FGradientDirection; }
  void SetGradientDirection(TGradientDirection Value);
  TColor DownBorderColor() const { return FDownBorderColor; }
  void SetDownBorderColor(TColor Value) { FDownBorderColor = Value; }
  TColor HoverBorderColor() const { return FHoverBorderColor; }
  void SetHoverBorderColor(TColor Value) { FHoverBorderColor = Value; }
  TFont* CaptionFont() const { return FCaptionFont; }
  void SetCaptionFont(TFont* Value);
  bool UseSystemFont() const { return FUseSystemFont; }
  void SetUseSystemFont(bool Value);
  TGlyphPosition GlyphPosition() const { return FGlyphPosition; }
  TNotifyEvent FOnChange;

 protected:
  void Destroy() override;

 private:
  void Store(TColor& Field, TColor Value);
  void Changed();
  TColor FColor = clNone, FColorTo = clNone;
  TColor FDownColor = 0xB59285, FDownColorTo = clNone;
  TColor FHoverColor = 0xD2BDB6, FHoverColorTo = clNone;
  TGradientDirection FGradientDirection = TGradientDirection::gdVertical;
  TColor FBorderColor = clNone, FDownBorderColor = 0x6A240A, FHoverBorderColor = 0x6A240A;
  TOwned<TFont> FCaptionFont;
  bool FUseSystemFont = true;
  TGlyphPosition FGlyphPosition = TGlyphPosition::gpLeft;
};

class TCustomAdvMenuStyler : public TComponent {
  VANTREL_CLASS(TCustomAdvMenuStyler)
 public:
  explicit TCustomAdvMenuStyler(TComponent* AOwner);
  void Assign(TPersistent* Source) override;

  bool UseSystemFont() const { return FUseSystemFont; }
  void SetUseSystemFont(bool Value);
  TSeparator* Separator() const { return FSeparator; }
  void SetSeparator(TSeparator* Value);
  TBackground* Background() const { return FBackground; }
  void SetBackground(TBackground* Value);
  TFont* Font() const { return FFont; }
  void SetFont(TFont* Value);
  TIconBar* IconBar() const { return FIconBar; }
  void SetIconBar(TIconBar* Value);
  TMenuGlyphs* Glyphs() const { return FGlyphs; }
  void SetGlyphs(TMenuGlyphs* Value);
  TRootItem* RootItem() const { return FRootItem; }
  void SetRootItem(TRootItem* Value);
  TSelectedItem* SelectedItem() const { return FSelectedItem; }
  void SetSelectedItem(TSelectedItem* Value);
  TSideBar* SideBar() const { return FSideBar; }
  void SetSideBar(TSideBar* Value);
  TColor MenuBorderColor() const { return FMenuBorderColor; }
  void SetMenuBorderColor(TColor Value) { FMenuBorderColor = Value; }
  TFont* NotesFont() const { return FNotesFont; }
  void SetNotesFont(TFont* Value);
  TAntiAlias AntiAlias() const { return FAntiAlias; }
  void SetAntiAlias(TAntiAlias Value);
  TButtonAppearance* ButtonAppearance() const { return FButtonAppearance; }
  void SetButtonAppearance(TButtonAppearance* Value);
  // The menu attached last (not owned).
  TMenu* Menu() const { return FMenu; }
  virtual void SetMenu(TMenu* Value);

  // The rendered background picture, kept between paintings.
  TBitmap* BackgroundCache();
  // Which picture version and size the cache holds.
  unsigned FBackgroundCacheVersion = 0;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void Destroy() override;
  void Refresh(bool ReMeasure) { RefreshStyledMenu(FMenu, ReMeasure); }

  TOwned<TSideBar> FSideBar;
  TOwned<TBackground> FBackground;
  TOwned<TIconBar> FIconBar;
  TOwned<TSelectedItem> FSelectedItem;
  TOwned<TRootItem> FRootItem;
  TOwned<TMenuGlyphs> FGlyphs;
  TOwned<TSeparator> FSeparator;
  TOwned<TFont> FFont;
  TOwned<TFont> FNotesFont;
  TOwned<TButtonAppearance> FButtonAppearance;
  bool FUseSystemFont = true;
  TColor FMenuBorderColor = 0x7C7C94;
  TAntiAlias FAntiAlias = TAntiAlias::aaNone;
  TMenu* FMenu = nullptr;
  TOwned<TBitmap> FBackgroundBitmap;
};

class TAdvMenuStyler : public TCustomAdvMenuStyler {
  VANTREL_CLASS(TAdvMenuStyler)
 public:
  using TCustomAdvMenuStyler::TCustomAdvMenuStyler;
};
