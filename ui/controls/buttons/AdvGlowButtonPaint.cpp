// The glow button's paint frame, size measuring and ribbon size states.
#include <memory>

#include "base/Forms.h"
#include "base/ImgList.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/draw/GdipPicture.h"

using namespace GlowButton;

namespace {
int AW() { return static_cast<int>(Round(static_cast<long double>(GetDPIFactor()) * 14.0L)); }

bool IsStacked(TButtonLayout L) {
  return L == TButtonLayout::blGlyphTop || L == TButtonLayout::blGlyphBottom || L == TButtonLayout::blGlyphTopAdjusted ||
         L == TButtonLayout::blGlyphBottomAdjusted;
}

// The seven values of one colour set.
struct TFaceColors {
  TColor C1, C2, C3, C4, Border;
  TGDIPGradient G1, G2;
};

TFaceColors NormalSet(TGlowButtonAppearance* A) {
  return {A->Color(), A->ColorTo(), A->ColorMirror(), A->ColorMirrorTo(), A->BorderColor(), A->Gradient(),
          A->GradientMirror()};
}
TFaceColors HotSet(TGlowButtonAppearance* A) {
  return {A->ColorHot(), A->ColorHotTo(), A->ColorMirrorHot(), A->ColorMirrorHotTo(), A->BorderColorHot(),
          A->GradientHot(), A->GradientMirrorHot()};
}
TFaceColors DownSet(TGlowButtonAppearance* A) {
  return {A->ColorDown(), A->ColorDownTo(), A->ColorMirrorDown(), A->ColorMirrorDownTo(), A->BorderColorDown(),
          A->GradientDown(), A->GradientMirrorDown()};
}
TFaceColors CheckedSet(TGlowButtonAppearance* A) {
  return {A->ColorChecked(), A->ColorCheckedTo(), A->ColorMirrorChecked(), A->ColorMirrorCheckedTo(),
          A->BorderColorChecked(), A->GradientChecked(), A->GradientMirrorChecked()};
}
TFaceColors DisabledSet(TGlowButtonAppearance* A) {
  return {A->ColorDisabled(), A->ColorDisabledTo(), A->ColorMirrorDisabled(), A->ColorMirrorDisabledTo(),
          A->BorderColorDisabled(), A->GradientDisabled(), A->GradientMirrorDisabled()};
}

// The four fills of A blended over B by P per cent.
void BlendFills(TFaceColors& Out, const TFaceColors& A, const TFaceColors& B, int P) {
  Out.C1 = GlowButton::BlendColor(A.C1, B.C1, P);
  Out.C2 = GlowButton::BlendColor(A.C2, B.C2, P);
  Out.C3 = GlowButton::BlendColor(A.C3, B.C3, P);
  Out.C4 = GlowButton::BlendColor(A.C4, B.C4, P);
}

bool Is2003Style(TKelStyle S) {
  return S == TKelStyle::tsOffice2003Blue || S == TKelStyle::tsOffice2003Silver ||
         S == TKelStyle::tsOffice2003Olive || S == TKelStyle::tsOffice2003Classic;
}

// Clears the painting mark also when an exception passes.
struct TPaintMark {
  bool& Flag;
  explicit TPaintMark(bool& F) : Flag(F) { Flag = true; }
  ~TPaintMark() { Flag = false; }
};
}  // namespace

void TAdvCustomGlowButton::PaintParentBackground(HDC DC) { GlowButton::PaintParentBackground(this, DC); }

void TAdvCustomGlowButton::Paint() {
  if (FPainting) return;
  TPaintMark mark(FPainting);
  TCanvas* canvas = Canvas();
  HDC dc = canvas->Handle();
  TRect client = ClientRect();
  TGlowButtonAppearance* A = FAppearance;

  // 2. The parent's background under a transparent button.
  if (FTransparent && (A->TranspHover() || !FMouseEnter || FStaticButton)) {
    int saved = SaveDC(dc);
    IntersectClipRect(dc, 0, 0, client.Width(), client.Height());
    PaintParentBackground(dc);
    RestoreDC(dc, saved);
  }

  // 3. State normalisation.
  if (Enabled() && FState == TAdvButtonState::absDisabled)
    FState = FDownChecked && FGroupIndex != 0 ? TAdvButtonState::absExclusive : TAdvButtonState::absUp;
  if (!Enabled()) {
    FState = TAdvButtonState::absDisabled;
    FDragging = false;
  }
  if (FStyle == TAdvButtonStyle::bsCheck && FDownChecked) FState = TAdvButtonState::absDown;
  if (FKeepDown) {
    FState = TAdvButtonState::absDown;
    FDown = true;
  }

  // 4. Colours.
  bool hotLook = false;
  bool disabledLook = (FState == TAdvButtonState::absDisabled || !Enabled()) && FShowDisabled;
  bool checkDown = FStyle == TAdvButtonStyle::bsCheck && FState == TAdvButtonState::absDown;
  TFaceColors f;
  if (disabledLook) {
    f = DisabledSet(A);
  } else if (FState == TAdvButtonState::absDown && FStyle == TAdvButtonStyle::bsButton) {
    f = DownSet(A);
    hotLook = true;
  } else if (FState == TAdvButtonState::absExclusive || checkDown) {
    f = CheckedSet(A);
    f.Border = FHasMouse && A->BorderColorCheckedHot() != clNone && !FDown ? A->BorderColorCheckedHot()
                                                                             : A->BorderColorChecked();
    if (FTimer && (FMouseInControl || (FStyle == TAdvButtonStyle::bsButton &&
                                       (FGroupIndex <= 0 || FState == TAdvButtonState::absDown))))
      BlendFills(f, CheckedSet(A), DownSet(A), FStepPush);
    if (FTimer && FMouseEnter && checkDown) BlendFills(f, CheckedSet(A), DownSet(A), FStepPush);
  } else if (FHot) {
    f = HotSet(A);
    hotLook = true;
  } else {
    f = NormalSet(A);
  }
  if (f.C3 == clNone) f.C3 = f.C1;
  if (FTimer) {
    if (!FDown && !FTransparent && FState != TAdvButtonState::absExclusive && !checkDown) {
      BlendFills(f, HotSet(A), NormalSet(A), FStepHover);
      f.Border = GlowButton::BlendColor(A->BorderColorHot(), A->BorderColor(), FStepHover);
    } else if (checkDown && FDown) {
      if (FMouseEnter)
        BlendFills(f, CheckedSet(A), DownSet(A), FStepPush);
      else
        BlendFills(f, DownSet(A), CheckedSet(A), FStepPush);
    } else if (FDown && FState != TAdvButtonState::absExclusive && !FKeepDown) {
      BlendFills(f, DownSet(A), HotSet(A), FStepPush);
      f.Border = GlowButton::BlendColor(A->BorderColorDown(), A->BorderColorHot(), FStepPush);
    }
  }

  // 5-7. Image list and picture.
  TCustomImageList* list = nullptr;
  bool imageEnabled = true;
  if (Enabled() || !FDisabledImages) {
    list = FHot && FHotImages ? FHotImages : FImages;
    imageEnabled = Enabled();
  } else {
    list = FDisabledImages;
  }
  TGDIPPicture* picture = FIPicture;
  if (!Enabled() && !FIDisabledPicture->Empty())
    picture = FIDisabledPicture;
  else if (FHot && !FIHotPicture->Empty())
    picture = FIHotPicture;
  else if (FState == TAdvButtonState::absDown ||
           (FState == TAdvButtonState::absExclusive && FDownChecked && FGroupIndex > 0))
    picture = FIDownPicture->Empty() ? static_cast<TGDIPPicture*>(FIPicture) : static_cast<TGDIPPicture*>(FIDownPicture);
  if (!list) {
    list = FInternalImages;
    imageEnabled = true;
  }

  // 8-13.
  String caption = FShowCaption ? Caption() : String();
  String wide = FShowCaption ? FWideCaption : String();
  int hotPart = 0;
  if ((FMouseInControl || FMouseDown) && FDropDownButton) hotPart = FInButton ? 1 : 2;
  if (FButtonPosition != TButtonPosition::bpStandalone && FDown && Is2003Style(FCompStyle)) f.Border = A->BorderColor();
  if (disabledLook) {
    TColor border = A->BorderColorDisabled();
    f = DisabledSet(A);
    f.Border = border;
  }
  if (FHasFocus && (FFocusType == TFocusType::ftHot || FFocusType == TFocusType::ftHotBorder) && !FDown) {
    f = HotSet(A);
    hotLook = true;
  }
  bool focusFrame = FHasFocus && (FFocusType == TFocusType::ftBorder || FFocusType == TFocusType::ftHotBorder);
  bool hotFocus = FHasFocus && (FFocusType == TFocusType::ftHot || FFocusType == TFocusType::ftHotBorder);

  // 14. The caption font, a copy per paint.
  TFont font;
  font.Assign(Font());
  if (FHot) font.SetColor(A->TextColorHot());
  if (FState == TAdvButtonState::absDown) font.SetColor(A->TextColorDown());
  if (checkDown) font.SetColor(A->TextColorChecked());
  if (A->SystemFont()) font.SetName(FIsVista ? L"Segoe UI" : L"Tahoma");

  // 15. The glyph work bitmap.
  TBitmap glyph(1, 1);
  PrepareGlyphBitmap(&glyph);

  // 16. The linked action's images.
  if (auto* action = dynamic_cast<TCustomAction*>(Action()); action && action->ImageIndex() >= 0 && action->ActionList()) {
    TCustomActionList* al = action->ActionList();
    if (auto* manager = dynamic_cast<TActionManager*>(al)) {
      if (!Enabled()) {
        TCustomImageList* d = FButtonSizeState == TButtonSizeState::bsLarge && manager->LargeDisabledImages()
                                  ? manager->LargeDisabledImages()
                                  : manager->DisabledImages();
        if (d && (!list || FImageListType == TImageListType::ipActionList)) {
          list = d;
          imageEnabled = true;
        }
        if (d) FImageIndex = action->ImageIndex();
      }
      if (Enabled() || !list) {
        TCustomImageList* l = FButtonSizeState == TButtonSizeState::bsLarge && manager->LargeImages()
                                  ? manager->LargeImages()
                                  : manager->Images();
        if (l && (!list || FImageListType == TImageListType::ipActionList)) {
          list = l;
          imageEnabled = Enabled();
        }
        if (l) FImageIndex = action->ImageIndex();
      }
    } else if (al->Images()) {
      if (!list || FImageListType == TImageListType::ipActionList) {
        list = al->Images();
        imageEnabled = Enabled();
      }
      FImageIndex = action->ImageIndex();
    }
  }

  // 17-18.
  AdjustPicture(picture);
  TSize forced(0, 0);
  if (FAutoSize) {
    if (FButtonSizeState < TButtonSizeState::bsLarge) {
      forced = TSize(16, 16);
      if (list && FImageIndex >= 0) picture = nullptr;
    }
    if (FButtonSizeState == TButtonSizeState::bsGlyph) caption.clear(), wide.clear();
  }

  TGlowFaceParams P;
  P.Control = this;
  P.Canvas = canvas;
  P.R = client;
  P.Color = f.C1;
  P.ColorTo = f.C2;
  P.ColorMirror = f.C3;
  P.ColorMirrorTo = f.C4;
  P.BorderColor = f.Border;
  P.BorderColorFocused = A->BorderColorFocused();
  P.Gradient = f.G1;
  P.GradientMirror = f.G2;
  P.Caption = caption;
  P.WideCaption = wide;
  P.DefaultCaptionDrawing = FDefaultCaptionDrawing;
  P.Font = &font;
  P.Images = list;
  P.DisabledImages = FDisabledImages;
  P.ImageIndex = FImageIndex;
  P.ImageEnabled = imageEnabled;
  P.Layout = FLayout;
  P.DropDownButton = FDropDownButton;
  P.HotOrDown = hotLook;
  P.Enabled = Enabled();
  P.FocusBorder = focusFrame;
  P.DropDownPosition = FDropDownPosition;
  P.Picture = picture;
  P.Icon = FIcon;
  P.ForcedGlyphSize = forced;
  P.AntiAlias = FAntiAlias;
  P.DefaultPicDrawing = FDefaultPicDrawing;
  P.GlyphBitmap = &glyph;
  P.HotPart = hotPart;
  P.NoFace = FStaticButton || (FTransparent && !FMouseEnter && !hotFocus && FState != TAdvButtonState::absDown);
  P.MouseEnter = FMouseEnter;
  P.Position = FButtonPosition;
  P.DropDownSplit = FDropDownSplit;
  P.Bordered = IsBordered();
  P.OverlappedText = FOverlappedText;
  P.WordWrap = FWordWrap;
  P.Rounded = FRounded;
  P.DropDownDirection = FDropDownDirection;
  P.Spacing = FSpacing;
  P.Trimming = FTrimming;
  P.Notes = FNotes;
  P.NotesFont = FNotesFont;
  P.DownChecked = FDownChecked;
  P.DroppedDown = FDroppedDown;
  P.TransparentHover = A->TranspHover() && FTransparent;
  P.IsOnGlassQAT = FInternalIsOnGlassQAT;
  P.MarginHorz = FMarginHorz;
  P.MarginVert = FMarginVert;
  P.NoBorderDefault = A->NoBorderDefault();
  P.AlwaysShowAccel = FAlwaysShowAccel;
  TGlowFaceResult res;

  // 19. The measuring pass.
  if (FDoAutoSize || (FFirstPaint && FAutoSize)) {
    P.Measuring = true;
    PaintGlowFace(P, res);
    P.Measuring = false;
    if (FAutoSize) {
      int w0 = res.Size.cx, h0 = res.Size.cy;
      int w = FShowCaption && !Caption().empty() ? 3 * FSpacing + w0 + 2 + 2 * FMarginHorz : w0 - 1 + 2 * FMarginHorz;
      int h = IsStacked(FLayout) ? 2 * FMarginVert + h0 : 2 * FSpacing + h0 + 2 * FMarginVert;
      if (FDropDownButton) {
        if (FDropDownPosition == TDropDownPosition::dpBottom)
          h += AW();
        else
          w += AW();
      }
      if (FOnSetButtonSize) FOnSetButtonSize(this, w, h);
      if (w != FWidth || h != FHeight) SetBounds(FLeft, FTop, w, h);
    }
    FFirstPaint = false;
  }

  // 20-22.
  PaintGlowFace(P, res);
  AfterDrawButton();
  if (OnDrawButton) {
    TGlowButtonState s = FState == TAdvButtonState::absDown ? TGlowButtonState::gsDown
                         : FMouseEnter                      ? TGlowButtonState::gsHot
                                                            : TGlowButtonState::gsNormal;
    OnDrawButton(this, canvas, ClientRect(), s);
  }

  // 24. The parent's background in the rounded corners.
  if (!FParent) return;
  if (FRounded && (!FTransparent || FMouseEnter || FState == TAdvButtonState::absDown || FHot) &&
      FButtonPosition != TButtonPosition::bpMiddle) {
    int R = client.right, B = client.bottom;
    std::vector<POINT> corners;
    if (FButtonPosition == TButtonPosition::bpStandalone || FButtonPosition == TButtonPosition::bpLeft) {
      corners.push_back({0, 0});
      corners.push_back({0, B - 1});
    }
    if (FButtonPosition == TButtonPosition::bpStandalone || FButtonPosition == TButtonPosition::bpRight) {
      corners.push_back({R - 1, 0});
      corners.push_back({R - 1, B - 1});
    }
    // The clip region is in device coordinates.
    POINT org{0, 0};
    LPtoDP(dc, &org, 1);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    for (POINT c : corners) {
      HRGN one = CreateRectRgn(org.x + c.x, org.y + c.y, org.x + c.x + 1, org.y + c.y + 1);
      CombineRgn(rgn, rgn, one, RGN_OR);
      DeleteObject(one);
    }
    int saved = SaveDC(dc);
    ExtSelectClipRgn(dc, rgn, RGN_AND);
    PaintParentBackground(dc);
    RestoreDC(dc, saved);
    DeleteObject(rgn);
  }
}

void TAdvCustomGlowButton::CalcButtonSize(TButtonSizeState State, TSize& Size) {
  TGlowButtonAppearance* A = FAppearance;
  TCustomImageList* list = nullptr;
  bool imageEnabled = true;
  if (Enabled() || !FDisabledImages) {
    list = FHot && FHotImages ? FHotImages : FImages;
    imageEnabled = Enabled();
  } else {
    list = FDisabledImages;
  }
  if (!list) {
    list = FInternalImages;
    imageEnabled = true;
  }
  TGDIPPicture* picture = FIPicture;
  if (!Enabled() && !FIDisabledPicture->Empty())
    picture = FIDisabledPicture;
  else if (FHot && !FIHotPicture->Empty())
    picture = FIHotPicture;
  String caption = FShowCaption ? Caption() : String();
  String wide = FShowCaption ? FWideCaption : String();
  int hotPart = 0;
  if ((FMouseInControl || FMouseDown) && FDropDownButton) hotPart = FInButton ? 1 : 2;
  bool focusFrame = FHasFocus && (FFocusType == TFocusType::ftBorder || FFocusType == TFocusType::ftHotBorder);
  TBitmap glyph(1, 1);
  PrepareGlyphBitmap(&glyph);
  if (auto* action = dynamic_cast<TCustomAction*>(Action());
      action && action->ImageIndex() >= 0 && action->ImageIndex() == FImageIndex && action->ActionList() &&
      action->ActionList()->Images()) {
    list = action->ActionList()->Images();
    imageEnabled = Enabled();
  }
  TButtonLayout layout = FLayout;
  TDropDownPosition position = FDropDownPosition;
  TSize forced(0, 0);
  if (FAutoSize) {
    if (State < TButtonSizeState::bsLarge) {
      forced = TSize(16, 16);
      if (glyph.Width() == 1 && picture && !picture->Empty()) {
        if (picture->Width() == 0) picture->GetImageSizes();
        glyph.SetSize(picture->Width(), picture->Height());
        TGPGraphics g(glyph.Canvas()->Handle());
        picture->DrawImage(&g, 0, 0);
        picture = nullptr;
      }
    }
    if (list && FImageIndex >= 0) picture = nullptr;
    if (State == TButtonSizeState::bsGlyph) caption.clear(), wide.clear();
    if (State == TButtonSizeState::bsLarge) {
      layout = FOldLayout;
      position = FOldDropDownPosition;
    } else {
      layout = TButtonLayout::blGlyphLeft;
      position = TDropDownPosition::dpRight;
    }
  }
  TFont font;
  font.Assign(Font());
  TGlowFaceParams P;
  P.Control = this;
  P.Canvas = Canvas();
  P.R = ClientRect();
  TFaceColors f = NormalSet(A);
  P.Color = f.C1;
  P.ColorTo = f.C2;
  P.ColorMirror = f.C3;
  P.ColorMirrorTo = f.C4;
  P.BorderColor = f.Border;
  P.BorderColorFocused = A->BorderColorFocused();
  P.Gradient = f.G1;
  P.GradientMirror = f.G2;
  P.Caption = caption;
  P.WideCaption = wide;
  P.DefaultCaptionDrawing = FDefaultCaptionDrawing;
  P.Font = &font;
  P.Images = list;
  P.DisabledImages = FDisabledImages;
  P.ImageIndex = FImageIndex;
  P.ImageEnabled = imageEnabled;
  P.Layout = layout;
  P.DropDownButton = FDropDownButton;
  P.Enabled = Enabled();
  P.FocusBorder = focusFrame;
  P.DropDownPosition = position;
  P.Picture = picture;
  P.Icon = FIcon;
  P.ForcedGlyphSize = forced;
  P.AntiAlias = FAntiAlias;
  P.DefaultPicDrawing = FDefaultPicDrawing;
  P.GlyphBitmap = &glyph;
  P.HotPart = hotPart;
  P.Position = FButtonPosition;
  P.DropDownSplit = FDropDownSplit;
  P.Bordered = IsBordered();
  P.WordWrap = FWordWrap;
  P.Measuring = true;
  P.Rounded = FRounded;
  P.DropDownDirection = FDropDownDirection;
  P.Spacing = FSpacing;
  P.Trimming = FTrimming;
  P.Notes = FNotes;
  P.NotesFont = FNotesFont;
  P.DownChecked = FDownChecked;
  P.MarginHorz = FMarginHorz;
  P.MarginVert = FMarginVert;
  P.AlwaysShowAccel = FAlwaysShowAccel;
  // Measuring draws the face too: on a scratch bitmap, so that the button
  // on screen keeps its look.
  TBitmap scratch(Max(1, FWidth), Max(1, FHeight));
  scratch.Canvas()->Font()->Assign(Font());
  P.Canvas = scratch.Canvas();
  TGlowFaceResult res;
  PaintGlowFace(P, res);
  Size = res.Size;
  Size.cx += 3 * FSpacing + 2 * FMarginHorz + 2;
  Size.cy += 2 * FSpacing + 2 * FMarginVert;
  if (FDropDownButton) {
    if (position == TDropDownPosition::dpBottom)
      Size.cy += AW();
    else
      Size.cx += AW();
  }
}

void TAdvCustomGlowButton::SetButtonSizeState(TButtonSizeState Value) {
  if (FButtonSizeState == Value) return;
  if (FButtonSizeState == TButtonSizeState::bsLarge) {
    FOldLayout = FLayout;
    FOldDropDownPosition = FDropDownPosition;
  }
  FButtonSizeState = Value;
  if (FAutoSize) {
    if (Value == TButtonSizeState::bsLarge) {
      SetLayout(FOldLayout);
      SetDropDownPosition(FOldDropDownPosition);
    } else {
      SetLayout(TButtonLayout::blGlyphLeft);
      SetDropDownPosition(TDropDownPosition::dpRight);
    }
  }
  SetFirstPaintAndPaint();
}

void TAdvCustomGlowButton::SetFirstPaintAndPaint() {
  FFirstPaint = true;
  // At once, so that an auto-sized button has its new size now.
  if (HandleAllocated() && FParent) Paint();
}
