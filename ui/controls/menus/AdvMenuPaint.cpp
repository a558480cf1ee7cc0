#include "base/ActnList.h"
#include "base/Forms.h"
#include "base/ImgList.h"
#include "ui/controls/menus/AdvMenuDraw.h"
#include "ui/controls/menus/AdvMenuGradients.h"
#include "ui/controls/menus/AdvMenuUtil.h"
#include "ui/draw/GdiPlus.h"

namespace {

using OD = TOwnerDrawStateItem;
const wchar_t kNotesMark[] = L"\\n";

std::vector<String> SplitNotes(const String& Text) {
  std::vector<String> parts;
  size_t start = 0, p;
  while ((p = Text.find(kNotesMark, start)) != String::npos) {
    parts.push_back(Text.substr(start, p - start));
    start = p + 2;
  }
  parts.push_back(Text.substr(start));
  return parts;
}

void UseScaledFont(TCanvas* Canvas, TFont* Font) {
  Canvas->Font()->Assign(Font);
  Canvas->Font()->SetHeight(static_cast<int>(Round(static_cast<double>(Font->Height()) * GetDPIScale())));
}

// A disabled item's text: grey, or the button highlight where grey would
// vanish in the selection.
void ApplyDisabledColor(TMenuItem* Item, TCanvas* Canvas, TOwnerDrawState State) {
  if (Item->Enabled()) return;
  TColor c = clGrayText;
  if (State.Contains(OD::odSelected) && ColorToRGB(clHighlight) == ColorToRGB(clGrayText)) c = clBtnHighlight;
  Canvas->Font()->SetColor(c);
}

void DrawGlyph(TCanvas* Canvas, TBitmap* Glyph, int X, int Y, TColor FontColor) {
  TColor saved = Canvas->Font()->Color();
  Canvas->Font()->SetColor(FontColor);
  Canvas->Draw(X, Y, Glyph);
  Canvas->Font()->SetColor(saved);
}

void DrawCheckMark(IAdvMenu* Menu, TMenuItem* Item, TCanvas* Canvas, const TRect& IR, const TRect& G,
                   const TRect& R, TOwnerDrawState State) {
  TCustomAdvMenuStyler* st = Menu->GetCurrentMenuStyler();
  bool radio = Item->RadioItem();
  TBitmap glyph;
  glyph.Assign(radio ? st->Glyphs()->Radio() : st->Glyphs()->Check());
  glyph.SetTransparent(true);
  bool fill = !State.Contains(OD::odDisabled);
  if (State.Contains(OD::odSelected)) {
    TSelectedItem* s = st->SelectedItem();
    if (radio)
      DrawGradientBox(Canvas, IR, s->RadioColor(), s->RadioColorTo(), s->RadioGradientDirection(), s->RadioBorder(), fill);
    else
      DrawGradientBox(Canvas, IR, s->CheckColor(), s->CheckColorTo(), s->CheckGradientDirection(), s->CheckBorder(), fill);
    Canvas->Brush()->SetColor(s->BorderColor());
    Canvas->FrameRect(R);
  } else {
    TIconBar* b = st->IconBar();
    if (radio)
      DrawGradientBox(Canvas, IR, b->RadioColor(), b->RadioColorTo(), b->RadioGradientDirection(), b->RadioBorder(), fill);
    else
      DrawGradientBox(Canvas, IR, b->CheckColor(), b->CheckColorTo(), b->CheckGradientDirection(), b->CheckBorder(), fill);
  }
  DrawGlyph(Canvas, &glyph, G.left, G.top, clBtnText);
}

void DrawSubMenuArrow(IAdvMenu* Menu, TCanvas* Canvas, const TRect& R) {
  if (SysLocaleMiddleEast() && Menu->GetMenu()->BiDiMode() == TBiDiMode::bdRightToLeft) return;
  TBitmap* glyph = Menu->GetCurrentMenuStyler()->Glyphs()->SubMenu();
  int y = (R.top + R.bottom - 5) / 2;
  TRect a(R.right - 8, y, R.right - 5, y + 6);
  CenterRect(a, glyph->Width(), glyph->Height());
  DrawGlyph(Canvas, glyph, a.left, a.top, clBlack);
}

// The maximised MDI child whose caption buttons share the bar, if any.
TCustomForm* MaximisedMdiChild(TMenu* Menu) {
  auto* form = dynamic_cast<TCustomForm*>(Menu->Owner());
  if (!form) return nullptr;
  TCustomForm* child = form->FormStyle() == TFormStyle::fsMDIForm ? form->ActiveMDIChild()
                       : form->FormStyle() == TFormStyle::fsMDIChild ? form
                                                                     : nullptr;
  if (!child || !child->HandleAllocated()) return nullptr;
  HWND client = GetParent(child->Handle());
  BOOL maximised = FALSE;
  auto active = reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised)));
  return active == child->Handle() && maximised ? child : nullptr;
}

// The bar's gradient behind a plain bar item; false when the bar has no
// window (then the item is not painted).
bool DrawMenuBarBackground(IAdvMenu* Menu, TMenuItem* Item, TCanvas* Canvas, const TRect& R) {
  TMenu* menu = Menu->GetMenu();
  TRootItem* root = Menu->GetCurrentMenuStyler()->RootItem();
  HWND w = GetMenuBarWindow(menu);
  if (!w || !IsWindow(w)) return false;
  RECT wr, cr;
  GetWindowRect(w, &wr);
  GetClientRect(w, &cr);
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  TRect c(cr);
  c.Offset(origin.x - wr.left, origin.y - wr.top);
  c.top = R.top;
  c.bottom = R.bottom;
  TRect clip = R;
  if (IsLastMenuBarItem(Item)) {
    clip.right = c.right;
    if (TCustomForm* child = MaximisedMdiChild(menu)) {
      int n = 0;
      for (TBorderIcon b : {TBorderIcon::biMinimize, TBorderIcon::biMaximize, TBorderIcon::biSystemMenu})
        if (child->BorderIcons().Contains(b)) ++n;
      clip.right -= GetSystemMetrics(SM_CXMENUSIZE) * n;
    }
    TRect full = c;
    HWND d = WindowFromDC(Canvas->Handle());
    auto* form = dynamic_cast<TCustomForm*>(menu->Owner());
    HWND own = form && form->HandleAllocated() ? form->Handle() : nullptr;
    if (d && IsWindow(d) && d != own) {
      RECT g;
      GetClientRect(d, &g);
      clip.right += g.right - full.Width();
      full.right = Max<LONG>(full.right, g.right + full.left + 50);
    } else {
      full.right += 100;
    }
    DrawGradientPart(Canvas, full, clip, root->Color(), root->ColorTo(), root->GradientDirection());
  } else {
    c.right += 100;
    DrawGradientPart(Canvas, c, clip, root->Color(), root->ColorTo(), root->GradientDirection());
  }
  return true;
}

// GDI+ text in the canvas font: one call per string, all objects freed.
void DrawGdiPlusText(TCanvas* Canvas, TAntiAlias AntiAlias, TFont* Font, TColor Color, const String& Text,
                     const TGPRectF& Layout, int Alignment, bool CentreLine) {
  TGPGraphics g(Canvas->Handle());
  g.SetTextRenderingHint(AntiAlias == TAntiAlias::aaClearType ? TextRenderingHintClearTypeGridFit
                                                               : TextRenderingHintAntiAlias);
  TGPFontFamily family(Font->Name(), nullptr);
  TGPFont font(&family, static_cast<float>(Font->Size()), 0, UnitPoint);
  TGPStringFormat format(StringFormatFlagsNoWrap, 0);
  format.SetHotkeyPrefix(HotkeyPrefixShow);
  if (CentreLine) format.SetLineAlignment(StringAlignmentCenter);
  format.SetAlignment(static_cast<StringAlignment>(Alignment));
  TGPSolidBrush brush(OpaqueArgbFromColor(Color));
  g.DrawString(Text, static_cast<int>(Text.size()), &font, Layout, &format, &brush);
}

float MeasureGdiPlusLine(TCanvas* Canvas, TFont* Font, const TGPRectF& Layout) {
  TGPGraphics g(Canvas->Handle());
  TGPFontFamily family(Font->Name(), nullptr);
  TGPFont font(&family, static_cast<float>(Font->Size()), 0, UnitPoint);
  TGPStringFormat format(StringFormatFlagsNoWrap, 0);
  TGPRectF box{0, 0, 0, 0};
  g.MeasureString(L"gh", 2, &font, Layout, &format, box);
  return box.Height;
}

}  // namespace

// ---------------------------------------------------------------------------

TRect GetPopupItemsRect(TMenuItem* Item, HWND Window) {
  TRect u;
  TMenuItem* parent = Item ? Item->Parent() : nullptr;
  if (!parent || !parent->HandleAllocated()) return u;
  HMENU h = parent->Handle();
  bool first = true;
  for (int i = 0; i < GetMenuItemCount(h); ++i) {
    RECT r;
    if (!GetMenuItemRect(Window, h, static_cast<UINT>(i), &r)) continue;
    if (first) {
      u = TRect(r);
      first = false;
    } else {
      UnionRect(&u, &u, &r);
    }
  }
  u.Offset(-u.left, -u.top);
  return u;
}

bool IsLastMenuBarItem(TMenuItem* Item) {
  if (!IsMenuBarItem(Item)) return false;
  TMenu* menu = GetItemMenu(Item);
  TMenuItem* parent = Item->Parent();
  int index = parent->IndexOf(Item);
  auto* owner = dynamic_cast<TWinControl*>(menu->Owner());
  if (index < parent->Count() - 1 && owner && owner->HandleAllocated()) {
    int pos = VisibleItemIndex(Item);
    RECT a, b;
    if (pos >= 0 && GetMenuItemRect(owner->Handle(), menu->Handle(), static_cast<UINT>(pos), &a) &&
        GetMenuItemRect(owner->Handle(), menu->Handle(), static_cast<UINT>(pos + 1), &b) && a.top != b.top &&
        b.right > b.left)
      return true;
  }
  HWND barWindow = GetMenuBarWindow(menu);
  HMENU bar = barWindow ? ::GetMenu(barWindow) : nullptr;
  if (!bar) return false;
  for (int i = GetMenuItemCount(bar) - 1; i >= 0; --i) {
    MENUITEMINFOW mii{sizeof(mii)};
    mii.fMask = MIIM_TYPE | MIIM_ID | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(bar, static_cast<UINT>(i), TRUE, &mii) || mii.fType != MFT_OWNERDRAW) continue;
    return mii.wID == Item->Command() || (mii.hSubMenu && Item->HandleAllocated() && mii.hSubMenu == Item->Handle());
  }
  return false;
}

void DrawMenuItemCaption(TMenuItem* Item, TCanvas* Canvas, const String& AText, UINT Flags, TOwnerDrawState State,
                         TRect& R) {
  IAdvMenu* intf = GetItemAdvMenu(Item);
  if (!intf) return;
  TCustomAdvMenuStyler* st = intf->GetCurrentMenuStyler();
  String text = AText;
  TMenu* menu = GetItemMenu(Item);
  if (menu && menu->IsRightToLeft()) Flags |= DT_RIGHT | DT_RTLREADING;
  BOOL cues = TRUE;
  if (SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &cues, 0) && !cues && GetKeyState(VK_MENU) >= 0)
    Flags |= DT_HIDEPREFIX;
  if ((Flags & DT_CALCRECT) && (text.empty() || text == L"&")) text += L" ";
  Canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  bool selected = State.Contains(OD::odSelected);
  bool root = IsRootItem(Item);
  if (root) {
    TRootItem* ri = st->RootItem();
    if (ri->UseSystemFont())
      Canvas->Font()->Assign(Screen->MenuFont());
    else
      UseScaledFont(Canvas, ri->Font());
    if (selected && ri->SelectedTextColor() != clNone)
      Canvas->Font()->SetColor(ri->SelectedTextColor());
    else if (State.Contains(OD::odHotLight) && ri->HoverTextColor() != clNone)
      Canvas->Font()->SetColor(ri->HoverTextColor());
  } else if (selected) {
    if (st->SelectedItem()->UseSystemFont())
      Canvas->Font()->Assign(Screen->MenuFont());
    else
      UseScaledFont(Canvas, st->SelectedItem()->Font());
  } else {
    if (st->UseSystemFont())
      Canvas->Font()->Assign(Screen->MenuFont());
    else
      UseScaledFont(Canvas, st->Font());
  }
  if (Item->Default()) Canvas->Font()->SetStyle(Canvas->Font()->Style() + TFontStyles{TFontStyle::fsBold});
  bool notes = text.find(kNotesMark) != String::npos && intf->GetShowNotes();
  bool gdi = st->AntiAlias() == TAntiAlias::aaNone;
  int alignment = root ? StringAlignmentCenter : (Flags & DT_RIGHT) ? StringAlignmentFar : StringAlignmentNear;
  if (!notes) {
    ApplyDisabledColor(Item, Canvas, State);
    if (gdi) {
      Canvas->TextRect(R, text, Flags);
    } else if (!(Flags & DT_CALCRECT)) {
      TGPRectF layout{static_cast<float>(R.left), static_cast<float>(R.top), static_cast<float>(R.Width()),
                      static_cast<float>(R.Height())};
      DrawGdiPlusText(Canvas, st->AntiAlias(), Canvas->Font(), Canvas->Font()->Color(), text, layout, alignment, true);
    }
    return;
  }
  std::vector<String> parts = SplitNotes(text);
  TFont* notesFont = selected ? st->SelectedItem()->NotesFont() : st->NotesFont();
  if (gdi) {
    ApplyDisabledColor(Item, Canvas, State);
    Flags &= DT_SINGLELINE;
    Canvas->TextRect(R, parts[0], Flags);
    TRect nr = R;
    nr.top = R.top + Canvas->TextHeight(L"gh");
    Canvas->Font()->Assign(notesFont);
    ApplyDisabledColor(Item, Canvas, State);
    int lineHeight = Canvas->TextHeight(L"gh");
    for (size_t i = 1; i < parts.size(); ++i) {
      TRect line = nr;
      Canvas->TextRect(line, parts[i], Flags);
      nr.top += lineHeight;
    }
    return;
  }
  if (Flags & DT_CALCRECT) return;
  TGPRectF layout{static_cast<float>(R.left), static_cast<float>(R.top), static_cast<float>(R.Width()),
                  static_cast<float>(R.Height())};
  ApplyDisabledColor(Item, Canvas, State);
  DrawGdiPlusText(Canvas, st->AntiAlias(), Canvas->Font(), Canvas->Font()->Color(), parts[0], layout, alignment, false);
  TColor notesColor = notesFont->Color();
  if (!Item->Enabled()) {
    notesColor = clGrayText;
    if (selected && ColorToRGB(clHighlight) == ColorToRGB(clGrayText)) notesColor = clBtnHighlight;
  }
  layout.Y += 20;
  float lineHeight = static_cast<float>(Round(static_cast<double>(MeasureGdiPlusLine(Canvas, notesFont, layout))));
  for (size_t i = 1; i < parts.size(); ++i) {
    DrawGdiPlusText(Canvas, st->AntiAlias(), notesFont, notesColor, parts[i], layout, alignment, false);
    layout.Y += lineHeight;
  }
}

void DrawMenuSeparator(IAdvMenu* Menu, TMenuItem*, TCanvas* Canvas, TRect R) {
  TCustomAdvMenuStyler* st = Menu->GetCurrentMenuStyler();
  TSeparator* sep = st->Separator();
  R.left += st->IconBar()->Size();
  int mid = R.top + R.Height() / 2;
  int w = sep->Width();
  TRect band(R.left, mid - w / 2, R.right, mid + (w + 1) / 2);
  DrawGradientBand(Canvas, band, sep->Color(), sep->ColorTo(), sep->GradientDirection(), sep->GradientType(),
                   sep->GradientWidth(), sep->Margin());
}

void PaintMenuItemContent(IAdvMenu* Menu, TMenuItem* Item, TCanvas* Canvas, TOwnerDrawState State, TRect R) {
  if (Item->IsLine())
    DrawMenuSeparator(Menu, Item, Canvas, R);
  else
    PaintMenuItemBody(Menu, Item, Canvas, State, R);
}

void PaintMenuItemBody(IAdvMenu* Menu, TMenuItem* Item, TCanvas* Canvas, TOwnerDrawState State, TRect R) {
  TMenu* menu = GetItemMenu(Item);
  if (!menu) return;
  TCustomAdvMenuStyler* st = Menu->GetCurrentMenuStyler();
  bool bar = IsMenuBarItem(Item);
  TCustomImageList* images = Item->GetImageList();
  TCustomImageList* disabled = GetMenuDisabledImages(menu);
  bool selected = State.Contains(OD::odSelected);

  // 1. Highlight.
  TRootItem* root = st->RootItem();
  if (bar && selected) {
    if (root->SelectedColorMirror() != clNone)
      DrawMirrorGradientBox(Canvas, R, root->SelectedColor(), root->SelectedColorTo(), root->SelectedColorMirror(),
                            root->SelectedColorMirrorTo(), root->SelectedGradientDirection(),
                            root->SelectedBorderColor(), true);
    else
      DrawGradientBox(Canvas, R, root->SelectedColor(), root->SelectedColorTo(), root->SelectedGradientDirection(),
                      root->SelectedBorderColor(), true);
    if (Item->HandleAllocated() && GetMenuItemCount(Item->Handle()) > 0) {
      Canvas->Pen()->SetColor(st->Background()->Color());
      Canvas->MoveTo(R.left, R.bottom - 1);
      Canvas->LineTo(R.right - 1, R.bottom - 1);
    }
  } else if (bar && State.Contains(OD::odHotLight)) {
    if (root->HoverColorMirror() != clNone)
      DrawMirrorGradientBox(Canvas, R, root->HoverColor(), root->HoverColorTo(), root->HoverColorMirror(),
                            root->HoverColorMirrorTo(), root->HoverGradientDirection(), root->HoverBorderColor(), true);
    else
      DrawGradientBox(Canvas, R, root->HoverColor(), root->HoverColorTo(), root->HoverGradientDirection(),
                      root->HoverBorderColor(), true);
  } else if (bar && root->Color() != clNone) {
    if (!DrawMenuBarBackground(Menu, Item, Canvas, R)) return;
  } else if (!bar && selected) {
    TSelectedItem* s = st->SelectedItem();
    DrawMirrorGradientBox(Canvas, R, s->Color(), s->ColorTo(), s->ColorMirror(), s->ColorMirrorTo(),
                          s->GradientDirection(), s->BorderColor(), true);
  }

  // 2.-3. Alignment and the icon square.
  UINT align = bar ? DT_CENTER : DT_LEFT;
  TRect ir(R.left, R.top + 1, R.left + st->IconBar()->Size(), R.bottom - 1);
  int side = Min(ir.Width(), ir.Height());
  CenterRect(ir, side, side);

  // 4. What the item shows at the left.
  int index = Item->ImageIndex();
  bool hasImage = images && index >= 0 && index < images->Count();
  auto* action = dynamic_cast<TCustomAction*>(Item->Action());
  TCustomActionList* actionList = action ? action->ActionList() : nullptr;
  auto* manager = dynamic_cast<TActionManager*>(actionList);
  bool large = Menu->GetActionImage() == TActionImage::aiLarge;
  bool hasActionImage = false;
  if (index != -1) {
    if (!large)
      hasActionImage = actionList && actionList->Images() && actionList->Images()->Count() > index;
    else
      hasActionImage = Item->Action() && manager && manager->LargeImages() && manager->LargeImages()->Count() > index;
  }
  bool hasBitmap = Item->HasBitmap() && !hasImage;
  bool drawCheck = Item->Checked() && !bar && !hasImage && !hasBitmap;
  TRect g = ir;

  if (hasImage || hasActionImage || hasBitmap || drawCheck) {
    // 5. The image list and its look.
    bool enabledLook = Item->Enabled();
    TCustomImageList* list = images;
    if (hasActionImage && manager) {
      TCustomImageList* own = large ? manager->LargeImages() : manager->Images();
      TCustomImageList* grey = large ? manager->LargeDisabledImages() : manager->DisabledImages();
      list = own;
      if (!Item->Enabled()) {
        if (grey) {
          list = grey;
          enabledLook = true;
        } else if (disabled) {
          list = disabled;
          enabledLook = true;
        }
      }
    } else if (hasActionImage) {
      list = actionList->Images();
      if (!Item->Enabled() && disabled) {
        list = disabled;
        enabledLook = true;
      }
    } else if (!Item->Enabled() && disabled) {
      list = disabled;
      enabledLook = true;
    }

    // 6. The check background, under an image too.
    if (Item->Checked()) {
      bool fill = !State.Contains(OD::odDisabled);
      if (selected) {
        TSelectedItem* s = st->SelectedItem();
        DrawGradientBox(Canvas, ir, s->CheckColor(), s->CheckColorTo(), s->CheckGradientDirection(), s->CheckBorder(),
                        fill);
      } else {
        TIconBar* b = st->IconBar();
        DrawGradientBox(Canvas, ir, b->CheckColor(), b->CheckColorTo(), b->CheckGradientDirection(), b->CheckBorder(),
                        fill);
      }
    }

    // 7. The glyph.
    if ((hasImage || hasActionImage) && list) {
      CenterRect(g, list->Width(), list->Height());
      if (bar) g.Offset(R.left + 6 - g.left, 0);
      if (index < list->Count()) {
        // The action's list (large or normal) draws when it holds the image;
        // a fall-back never draws from a list that is not there.
        if (hasActionImage)
          list->Draw(Canvas, g.left, g.top, index, enabledLook);
        else if (!Item->Enabled() && disabled)
          disabled->Draw(Canvas, g.left, g.top, index, true);
        else if (images)
          images->Draw(Canvas, g.left, g.top, index, Item->Enabled());
      }
    } else if (!hasImage && !hasActionImage) {
      if (bar) g.Offset(R.left + 6 - g.left, 0);
      if (drawCheck) {
        TBitmap* glyph = Item->RadioItem() ? st->Glyphs()->Radio() : st->Glyphs()->Check();
        CenterRect(g, glyph->Width(), glyph->Height());
        DrawCheckMark(Menu, Item, Canvas, ir, g, R, State);
      } else if (hasBitmap) {
        TBitmap* bmp = Item->Bitmap();
        CenterRect(g, bmp->Width(), bmp->Height());
        bmp->SetTransparent(true);
        bmp->SetTransparentMode(TTransparentMode::tmAuto);
        Canvas->Draw(g.left, g.top, bmp);
      }
    }
  }

  // 8. The sub-menu arrow.
  if (!bar && Item->Count() > 0) DrawSubMenuArrow(Menu, Canvas, R);

  // 9.-15. Caption and shortcut.
  if (!bar)
    R.left += st->IconBar()->Size() + 8;
  else if (hasImage || hasBitmap)
    R.left += g.Width();
  UINT flags = align | DT_SINGLELINE | DT_EXPANDTABS;
  TRect tr = R;
  const String& caption = Item->Caption();
  if (caption.find(kNotesMark) == String::npos)
    DrawMenuItemCaption(Item, Canvas, caption, flags | DT_CALCRECT | DT_NOCLIP, State, R);
  R.Offset(0, (tr.Height() - R.Height()) / 2);
  if (bar) {
    R.left = tr.left;
    R.right = tr.right;
  }
  DrawMenuItemCaption(Item, Canvas, caption, flags, State, R);
  if (Item->ShortCut() && !bar) {
    R.right = tr.right - 10;
    DrawMenuItemCaption(Item, Canvas, ShortCutToMenuText(Item->ShortCut(), Menu->GetIntlKeybShortCuts()), DT_RIGHT,
                        State, R);
  }
}

void DrawMenuItem(TMenuItem* Item, TCanvas* Canvas, const TRect& ARect, bool SideBarFlag, TOwnerDrawState State) {
  IAdvMenu* intf = GetItemAdvMenu(Item);
  if (!intf) return;
  TCustomAdvMenuStyler* st = intf->GetCurrentMenuStyler();
  TSideBar* sideBar = st->SideBar();
  int extra = 0;
  if (auto* popup = dynamic_cast<TPopupMenu*>(Item->GetParentComponent())) {
    TMenuItem* last = nullptr;
    for (int i = popup->Items()->Count() - 1; i >= 0 && !last; --i)
      if (popup->Items()->Items(i)->Visible()) last = popup->Items()->Items(i);
    if (last == Item) extra = ARect.Height();
  }
  bool sideBarShown = SideBarFlag && !InLaterColumn(Item);
  TRect r = ARect;
  int sideWidth = sideBar->Size() + sideBar->SplitterWidth();
  if (sideBarShown) {
    r.left += sideWidth;
    if (sideBar->Position() == TSideBarPosition::spRight) r.Offset(-sideWidth, 0);
  }
  if (!IsMenuBarItem(Item)) {
    TRect p = GetPopupItemsRect(Item, WindowFromDC(Canvas->Handle()));
    p.right -= MenuColumnWidth;
    if (sideBarShown && IsFirstVisibleItem(Item)) {
      TRect s = p;
      if (sideBar->Position() == TSideBarPosition::spLeft)
        s.right = s.left + sideWidth;
      else
        s.left = s.right - sideWidth;
      DrawBackgroundPicture(Canvas, s, sideBar->Background(), true);
      if (sideBar->Image()->Color() != clNone && sideBar->Image()->HasImage())
        DrawBackgroundPicture(Canvas, s, sideBar->Image(), true);
      DrawSideBarCaption(intf, Canvas, s);
      DrawSideBarBorder(intf, Canvas, s);
      DrawSideBarSplitter(intf, Canvas, s);
    }
    TIconBar* iconBar = st->IconBar();
    TRect icon(r.left, p.top, r.left + iconBar->Size(), p.bottom);
    DrawGradientPart(Canvas, icon, r, iconBar->Color(), iconBar->ColorTo(), iconBar->GradientDirection());
    if (iconBar->SeparatorColor() != clNone) {
      Canvas->Pen()->SetColor(iconBar->SeparatorColor());
      Canvas->MoveTo(icon.right - 1, icon.top);
      Canvas->LineTo(icon.right - 1, icon.bottom);
    }
    TBackground* back = st->Background();
    TRect b = r;
    b.left = icon.right;
    TRect full(icon.right, p.top, r.right, p.bottom);
    if (back->MarginX() > 0 || back->MarginY() > 0) {
      Canvas->Brush()->SetColor(back->Color());
      Canvas->FillRect(b);
      b.left += back->MarginX();
      b.right -= back->MarginX();
      b.top += back->MarginY();
      b.bottom -= back->MarginY();
    }
    b.bottom += extra;
    full.bottom += extra;
    DrawGradientPart(Canvas, full, b, back->Color(), back->ColorTo(), back->GradientDirection());
    if (back->HasImage()) {
      TBitmap* cache = st->BackgroundCache();
      // Rendered again for a new size and for any change of the picture.
      if (cache->Width() != p.Width() || cache->Height() != p.Height() ||
          st->FBackgroundCacheVersion != back->ImageVersion()) {
        cache->SetSize(p.Width(), p.Height());
        DrawBackgroundPicture(cache->Canvas(), p, back, false);
        st->FBackgroundCacheVersion = back->ImageVersion();
      }
      BitBlt(Canvas->Handle(), b.left, b.top, b.Width(), b.Height(), cache->Canvas()->Handle(), b.left, b.top, SRCCOPY);
    }
  }
  PaintMenuItemContent(intf, Item, Canvas, State, r);
  DrawMenuWindowFrame(Item, Canvas);
}
