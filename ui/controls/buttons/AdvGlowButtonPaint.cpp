// The glow button's paint frame, size measuring and ribbon size states.
#include <memory>

#include "base/Forms.h"
#include "base/ImgList.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/draw/GdipPicture.h"

using namespace GlowButton;

namespace {
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

// The seven values of a colour set into the face parameters.
void SetFaceColors(TGlowFaceParams& P, const TFaceColors& F) {
  P.Color = F.C1;
  P.ColorTo = F.C2;
  P.ColorMirror = F.C3;
  P.ColorMirrorTo = F.C4;
  P.BorderColor = F.Border;
  P.Gradient = F.G1;
  P.GradientMirror = F.G2;
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

void TAdvCustomGlowButton::PaintParentBackground(HDC DC) {
  TWinControl* parent = FParent;
  if (!parent) return;
  int saved = SaveDC(DC);
  OffsetWindowOrgEx(DC, FLeft, FTop, nullptr);
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
  // A parent that paints itself paints its graphic children too; another
  // (a form, a plain container) only gives them.
  if (dynamic_cast<TCustomControl*>(parent))
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  else
    TWinCtrl::PaintCtrls(parent, DC, nullptr);
  RestoreDC(DC, saved);
}

TGlowFaceParams TAdvCustomGlowButton::FaceParams(TCanvas* ACanvas, TFont* AFont, TBitmap* AGlyph,
                                                 bool WithDownPicture) {
  TGlowFaceParams P;
  P.Control = this;
  P.Canvas = ACanvas;
  P.R = ClientRect();
  SetFaceColors(P, NormalSet(FAppearance));
  P.BorderColorFocused = FAppearance->BorderColorFocused();
  // The image list of the state (the data-aware button's glyphs when the
  // button has none).
  if (Enabled() || !FDisabledImages) {
    P.Images = FHot && FHotImages ? FHotImages : FImages;
    P.ImageEnabled = Enabled();
  } else {
    P.Images = FDisabledImages;
  }
  if (!P.Images) {
    P.Images = FInternalImages;
    P.ImageEnabled = true;
  }
  P.DisabledImages = FDisabledImages;
  P.ImageIndex = FImageIndex;
  P.Picture = FIPicture;
  if (!Enabled() && !FIDisabledPicture->Empty())
    P.Picture = FIDisabledPicture;
  else if (FHot && !FIHotPicture->Empty())
    P.Picture = FIHotPicture;
  else if (WithDownPicture && (FState == TAdvButtonState::absDown ||
                               (FState == TAdvButtonState::absExclusive && FDownChecked && FGroupIndex > 0)))
    P.Picture = FIDownPicture->Empty() ? static_cast<TGDIPPicture*>(FIPicture)
                                       : static_cast<TGDIPPicture*>(FIDownPicture);
  P.Icon = FIcon;
  P.DefaultPicDrawing = FDefaultPicDrawing;
  P.GlyphBitmap = AGlyph;
  if (FShowCaption) {
    P.Caption = Caption();
    P.WideCaption = FWideCaption;
  }
  P.DefaultCaptionDrawing = FDefaultCaptionDrawing;
  P.Font = AFont;
  P.AntiAlias = FAntiAlias;
  P.Layout = FLayout;
  P.Spacing = FSpacing;
  P.MarginHorz = FMarginHorz;
  P.MarginVert = FMarginVert;
  P.WordWrap = FWordWrap;
  P.Trimming = FTrimming;
  P.Notes = FNotes;
  P.NotesFont = FNotesFont;
  P.AlwaysShowAccel = FAlwaysShowAccel;
  P.DropDownButton = FDropDownButton;
  P.DropDownPosition = FDropDownPosition;
  P.DropDownDirection = FDropDownDirection;
  P.DropDownSplit = FDropDownSplit;
  if ((FMouseInControl || FMouseDown) && FDropDownButton) P.HotPart = FInButton ? 1 : 2;
  P.Enabled = Enabled();
  P.FocusBorder = FHasFocus && (FFocusType == TFocusType::ftBorder || FFocusType == TFocusType::ftHotBorder);
  P.Position = FButtonPosition;
  P.Bordered = IsBordered();
  P.Rounded = FRounded;
  P.DownChecked = FDownChecked;
  return P;
}

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
  ButtonGroup::PaintState(GroupMember(), FDragging);
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

  // 5-13. Image list, picture, captions and the drop-down part, as the
  // button's properties and state give them.
  TFont font;
  font.Assign(Font());
  TBitmap glyph(1, 1);
  TGlowFaceParams P = FaceParams(canvas, &font, &glyph, true);
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
  bool hotFocus = FHasFocus && (FFocusType == TFocusType::ftHot || FFocusType == TFocusType::ftHotBorder);

  // 14. The caption font, a copy per paint.
  if (FHot) font.SetColor(A->TextColorHot());
  if (FState == TAdvButtonState::absDown) font.SetColor(A->TextColorDown());
  if (checkDown) font.SetColor(A->TextColorChecked());
  if (A->SystemFont()) font.SetName(FIsVista ? L"Segoe UI" : L"Tahoma");

  // 15. The glyph work bitmap.
  PrepareGlyphBitmap(&glyph);

  // 16. The linked action's images.
  if (auto* action = dynamic_cast<TCustomAction*>(Action()); action && action->ImageIndex() >= 0 && action->ActionList()) {
    TCustomActionList* al = action->ActionList();
    if (auto* manager = dynamic_cast<TActionManager*>(al)) {
      if (!Enabled()) {
        TCustomImageList* d = FButtonSizeState == TButtonSizeState::bsLarge && manager->LargeDisabledImages()
                                  ? manager->LargeDisabledImages()
                                  : manager->DisabledImages();
        if (d && (!P.Images || FImageListType == TImageListType::ipActionList)) {
          P.Images = d;
          P.ImageEnabled = true;
        }
        if (d) FImageIndex = action->ImageIndex();
      }
      if (Enabled() || !P.Images) {
        TCustomImageList* l = FButtonSizeState == TButtonSizeState::bsLarge && manager->LargeImages()
                                  ? manager->LargeImages()
                                  : manager->Images();
        if (l && (!P.Images || FImageListType == TImageListType::ipActionList)) {
          P.Images = l;
          P.ImageEnabled = Enabled();
        }
        if (l) FImageIndex = action->ImageIndex();
      }
    } else if (al->Images()) {
      if (!P.Images || FImageListType == TImageListType::ipActionList) {
        P.Images = al->Images();
        P.ImageEnabled = Enabled();
      }
      FImageIndex = action->ImageIndex();
    }
    P.ImageIndex = FImageIndex;
  }

  // 17-18.
  AdjustPicture(P.Picture);
  if (FAutoSize) {
    if (FButtonSizeState < TButtonSizeState::bsLarge) {
      P.ForcedGlyphSize = TSize(16, 16);
      if (P.Images && FImageIndex >= 0) P.Picture = nullptr;
    }
    if (FButtonSizeState == TButtonSizeState::bsGlyph) P.Caption.clear(), P.WideCaption.clear();
  }

  // What only painting decides.
  SetFaceColors(P, f);
  P.HotOrDown = hotLook;
  P.NoFace = FStaticButton || (FTransparent && !FMouseEnter && !hotFocus && FState != TAdvButtonState::absDown);
  P.MouseEnter = FMouseEnter;
  P.OverlappedText = FOverlappedText;
  P.DroppedDown = FDroppedDown;
  P.TransparentHover = A->TranspHover() && FTransparent;
  P.IsOnGlassQAT = FInternalIsOnGlassQAT;
  P.NoBorderDefault = A->NoBorderDefault();
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
          h += DropDownPartWidth();
        else
          w += DropDownPartWidth();
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
  // Measuring draws the face too: on a scratch bitmap, so that the button
  // on screen keeps its look.
  TBitmap scratch(Max(1, FWidth), Max(1, FHeight));
  scratch.Canvas()->Font()->Assign(Font());
  TFont font;
  font.Assign(Font());
  TBitmap glyph(1, 1);
  TGlowFaceParams P = FaceParams(scratch.Canvas(), &font, &glyph, false);
  PrepareGlyphBitmap(&glyph);
  if (auto* action = dynamic_cast<TCustomAction*>(Action());
      action && action->ImageIndex() >= 0 && action->ImageIndex() == FImageIndex && action->ActionList() &&
      action->ActionList()->Images()) {
    P.Images = action->ActionList()->Images();
    P.ImageEnabled = Enabled();
  }
  if (FAutoSize) {
    if (State < TButtonSizeState::bsLarge) {
      P.ForcedGlyphSize = TSize(16, 16);
      TGDIPPicture* picture = P.Picture;
      if (glyph.Width() == 1 && picture && !picture->Empty()) {
        if (picture->Width() == 0) picture->GetImageSizes();
        glyph.SetSize(picture->Width(), picture->Height());
        TGPGraphics g(glyph.Canvas()->Handle());
        picture->DrawImage(&g, 0, 0);
        P.Picture = nullptr;
      }
    }
    if (P.Images && FImageIndex >= 0) P.Picture = nullptr;
    if (State == TButtonSizeState::bsGlyph) P.Caption.clear(), P.WideCaption.clear();
    if (State == TButtonSizeState::bsLarge) {
      P.Layout = FOldLayout;
      P.DropDownPosition = FOldDropDownPosition;
    } else {
      P.Layout = TButtonLayout::blGlyphLeft;
      P.DropDownPosition = TDropDownPosition::dpRight;
    }
  }
  P.Measuring = true;
  TGlowFaceResult res;
  PaintGlowFace(P, res);
  Size = res.Size;
  Size.cx += 3 * FSpacing + 2 * FMarginHorz + 2;
  Size.cy += 2 * FSpacing + 2 * FMarginVert;
  if (FDropDownButton) {
    if (P.DropDownPosition == TDropDownPosition::dpBottom)
      Size.cy += DropDownPartWidth();
    else
      Size.cx += DropDownPartWidth();
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
