// The advanced list view's own drawing of its rows (owner-drawn lists):
// cells in display order with their kinds (plain, link, HTML, progress,
// rich text), check boxes, images, the detail line and the focus rectangle.
#include "ui/controls/listview/AdvListView.h"

#include <commctrl.h>
#include <richedit.h>

#include "base/ImgList.h"
#include "ui/controls/listview/AlvUtil.h"
#include "ui/draw/HtmlRender.h"

namespace {

UINT AlignFlags(TAlignment A) {
  return A == TAlignment::taRightJustify ? DT_RIGHT : A == TAlignment::taCenter ? DT_CENTER : DT_LEFT;
}

bool Has(const String& Text, const wchar_t* Sub) { return Text.find(Sub) != String::npos; }

// Draws Text with DrawText flags inside Rect less two pixels on each side.
void DrawCellText(TCanvas* Canvas, TRect Rect, const String& Text, UINT Flags) {
  Rect.left += 2;
  Rect.right -= 2;
  Canvas->TextRect(Rect, Text, Flags);
}

}  // namespace

void TAdvListView::CNMeasureItem(TMessage& Message) {
  TCustomListView::CNMeasureItem(Message);
  auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  if (FItemHeight > 0) mis->itemHeight = static_cast<UINT>(FItemHeight);
}

void TAdvListView::CNDrawItem(TMessage& Message) {
  auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  Message.Result = 1;
  FDrawCanvas->Lock();
  FDrawCanvas->FreeHandle();
  FDrawCanvas->SetHandle(dis->hDC);
  struct TRelease {
    TControlCanvas* c;
    ~TRelease() {
      c->SetHandle(nullptr);
      c->Unlock();
    }
  } release{FDrawCanvas};
  int index = static_cast<int>(dis->itemID);
  FDrawCanvas->Font()->Assign(Font());
  FDrawCanvas->Brush()->Assign(Brush());
  FDrawCanvas->Brush()->SetBitmap(nullptr);
  if (index >= 0 && index < Items()->Count() && Items()->Item(index)->Selected()) {
    FDrawCanvas->Brush()->SetColor(FSelectionColor);
    FDrawCanvas->Font()->SetColor(FSelectionTextColor);
  }
  if (index < 0)
    FDrawCanvas->FillRect(TRect(dis->rcItem));
  else
    DrawListItem(index, TRect(dis->rcItem), OwnerDrawStateFromItemState(dis->itemState));
}

void TAdvListView::DrawListItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (Index < 0 || Index >= Items()->Count() || !FDrawCanvas->HandleAllocated()) return;
  if (SmallImages()) SmallImages()->SetDrawingStyle(TDrawingStyle::dsTransparent);
  std::vector<int> order = OrderArray();
  TRect itemRect = Rect;
  if (GridLines()) itemRect.Inflate(-1, -1);
  TFont savedFont;
  savedFont.Assign(FDrawCanvas->Font());
  TBrush savedBrush;
  savedBrush.Assign(FDrawCanvas->Brush());
  int contentBottom = FDetailView->Visible() ? itemRect.top + FItemHeight - FDetailView->Height() : itemRect.bottom;
  int count = Columns()->Count();
  for (int k = 0; k < count && k < 256; ++k) {
    DrawCell(Index, k, order, itemRect, contentBottom, State);
    FDrawCanvas->Font()->Assign(&savedFont);
    FDrawCanvas->Brush()->Assign(&savedBrush);
  }
  bool selected = State.Contains(TOwnerDrawStateItem::odSelected);
  if (FDetailView->Visible()) DrawDetail(Index, itemRect, order, State);
  FDrawCanvas->Font()->Assign(FOldfont);
  if (State.Contains(TOwnerDrawStateItem::odFocused) && selected && Focused()) {
    if (RowSelect()) {
      FDrawCanvas->DrawFocusRect(itemRect);
    } else {
      int left = itemRect.left;
      for (int k = 0; k < count && order[k] != FColumnIndex; ++k) left += ColumnWidthAt(order[k]);
      FDrawCanvas->DrawFocusRect(TRect(left, itemRect.top, left + ColumnWidthAt(FColumnIndex), itemRect.bottom));
    }
  }
  if (OnDrawItem) OnDrawItem(this, FDrawCanvas, Index, itemRect, State);
}

void TAdvListView::DrawCell(int Index, int k, const std::vector<int>& Order, TRect ItemRect, int ContentBottom,
                            TOwnerDrawState State) {
  TListItem* item = Items()->Item(Index);
  TCanvas* canvas = FDrawCanvas;
  int col = Order[k];
  int sub = col - 1;
  String text = CellText(item, col);
  bool selected = State.Contains(TOwnerDrawStateItem::odSelected);
  canvas->Font()->Assign(Font());
  canvas->Brush()->SetColor(Color());
  DoDrawItemProp(Index, sub, State, canvas->Brush(), canvas->Font(), text);
  // Selection colours: the current cell, the whole row, or the first column.
  bool selColoured = false;
  if (selected &&
      (((FSubItemSelect || FSubItemEdit) && col == FColumnIndex) || RowSelect() || (k == 0 && !FSubItemSelect)) &&
      (Focused() || !HideSelection())) {
    canvas->Brush()->SetColor(FSelectionColor);
    canvas->Font()->SetColor(FSelectionTextColor);
    selColoured = true;
  }
  bool html = Has(text, L"</");
  if (FURLShow && (!selected || !RowSelect()) && (Has(text, L"://") || Has(text, L"mailto:")) && !html) {
    canvas->Font()->SetStyle(canvas->Font()->Style() + TFontStyles{TFontStyle::fsUnderline});
    canvas->Font()->SetColor(selected ? FSelectionTextColor : FURLColor);
  }
  if (FURLShow && !FURLFull && !html) {
    size_t p = text.find(L"://");
    if (p != String::npos) text.erase(0, p + 3);
    p = text.find(L"mailto:");
    if (p != String::npos) text.erase(0, p + 7);
  }
  // The cell's slice of the row.
  TRect cell;
  cell.left = ItemRect.left;
  for (int i = 0; i < k; ++i) cell.left += ColumnWidthAt(Order[i]);
  cell.right = cell.left + ColumnWidthAt(col);
  cell.top = ItemRect.top;
  cell.bottom = ContentBottom;
  canvas->Pen()->SetColor(canvas->Brush()->Color());
  bool opaque = FWallpaper->Empty() || selColoured;
  if (opaque) {
    canvas->Rectangle(cell.left, ItemRect.top, cell.right - (GridLines() ? 1 : 0), ItemRect.bottom);
  } else {
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  }
  int textStart = cell.left;
  if (k == 0 && Checkboxes()) {
    bool checked = item->Checked();
    if (FCheckTrueGlyph->Empty() || FCheckFalseGlyph->Empty()) {
      int top = cell.top;
      if (cell.Height() > 14) {
        if (FVAlignment == TVAlignment::vtaCenter) top += (cell.Height() - 14) / 2;
        if (FVAlignment == TVAlignment::vtaBottom) top = cell.bottom - 14;
      }
      RECT box{cell.left + 2, top, cell.left + 16, top + 14};
      DrawFrameControl(canvas->Handle(), &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));
      textStart += 18;
    } else {
      TBitmap* glyph = checked ? FCheckTrueGlyph : FCheckFalseGlyph;
      FCheckTrueGlyph->SetTransparent(true);
      FCheckFalseGlyph->SetTransparent(true);
      int top = cell.top;
      if (cell.Height() > glyph->Height()) {
        if (FVAlignment == TVAlignment::vtaCenter) top += (cell.Height() - glyph->Height()) / 2;
        if (FVAlignment == TVAlignment::vtaBottom) top = cell.bottom - glyph->Height();
      }
      canvas->Draw(cell.left + 2, top, glyph);
      textStart += glyph->Width() + 4;
    }
  }
  TCustomImageList* images = SmallImages();
  if (images && (sub < 0 || item->SubItems()->Count() > sub)) {
    int idx = sub < 0 ? item->ImageIndex() : (FSubImages ? item->SubItemImages(sub) : -1);
    if (idx >= 0 && idx <= 65534) {
      int iw = images->Width(), ih = images->Height();
      int top = cell.top;
      if (cell.Height() > ih) {
        if (FVAlignment == TVAlignment::vtaCenter) top += (cell.Height() - ih) / 2;
        if (FVAlignment == TVAlignment::vtaBottom) top = cell.bottom - ih;
      }
      int colWidth = ColumnWidthAt(col);
      int tw = canvas->TextWidth(text);
      int left = cell.left;
      TAlignment align = ColumnAlignment(col);
      if (align == TAlignment::taRightJustify) left = cell.left + colWidth - iw - tw - 2;
      if (align == TAlignment::taCenter) left = cell.left + (colWidth - iw - tw) / 2;
      if (top < cell.top || top > cell.top + FItemHeight) top = cell.top;
      images->Draw(canvas, left + (k == 0 && Checkboxes() ? 18 : 2), top, idx);
      textStart += iw + 2;
    }
  }
  TRect textRect(textStart, cell.top, cell.right, cell.bottom);
  if (col == 0) textRect.left += 16 * item->Indent();
  TRect kindRect(textStart, cell.top, cell.right, cell.bottom);
  if (text.compare(0, 2, L"{\\") == 0) {
    DrawRichCell(Index, sub, kindRect, canvas);
  } else if (text.compare(0, 2, L"{|") == 0) {
    int value = 0;
    TryStrToInt(text.substr(2), value);
    DrawProgressBar(canvas, kindRect, FProgressSettings->ColorFrom(), FProgressSettings->FontColorFrom(),
                    FProgressSettings->ColorTo(), FProgressSettings->FontColorTo(), value,
                    FProgressSettings->ValueFormat(), FProgressSettings->ShowValue());
  } else if (html) {
    textRect.left += 2;
    THtmlRenderParams p = CellHtml(canvas, text, textRect);
    THtmlRenderResult r;
    TAlignment align = ColumnAlignment(col);
    if (align != TAlignment::taLeftJustify) {
      p.CheckHeight = true;
      RenderHtml(p, r);
      p.CheckHeight = false;
      if (align == TAlignment::taRightJustify)
        p.R.left = textRect.right - r.XSize;
      else
        p.R.left = textRect.left + (textRect.Width() - r.XSize) / 2;
      r = THtmlRenderResult();
    }
    RenderHtml(p, r);
  } else {
    UINT flags = AlignFlags(ColumnAlignment(col)) | (FWordWrap ? DT_WORDBREAK : DT_SINGLELINE) |
                 (Has(text, L"\r") ? 0 : DT_END_ELLIPSIS) | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL |
                 static_cast<UINT>(FVAlign);
    DrawCellText(canvas, textRect, text, flags);
  }
}

void TAdvListView::DrawDetail(int Index, TRect& ItemRect, const std::vector<int>& Order, TOwnerDrawState State) {
  TListItem* item = Items()->Item(Index);
  TCanvas* canvas = FDrawCanvas;
  canvas->Font()->Assign(FDetailView->Font());
  if (State.Contains(TOwnerDrawStateItem::odSelected)) canvas->Font()->SetColor(FSelectionTextColor);
  int right = ItemRect.left;
  for (int k = 0; k < Columns()->Count(); ++k) right += ColumnWidthAt(Order[k]);
  ItemRect.right = right;
  TRect r = ItemRect;
  r.top = ItemRect.top + FItemHeight - FDetailView->Height();
  if (FDetailView->SplitLine()) {
    canvas->Pen()->SetColor(clBlack);
    canvas->MoveTo(r.left, r.top);
    canvas->LineTo(r.right, r.top);
    r.top += 1;
  }
  r.left += FDetailView->Indent();
  int column = FDetailView->Column();
  String text;
  if (column == 0)
    text = item->Caption();
  else if (item->SubItems()->Count() >= column)
    text = item->SubItems()->Strings(column - 1);
  canvas->Brush()->SetColor(Color());
  if (OnDrawDetailProp) OnDrawDetailProp(this, Index, State, canvas->Brush(), canvas->Font(), text);
  if (canvas->Brush()->Color() != Color()) {
    canvas->Pen()->SetColor(canvas->Brush()->Color());
    canvas->FillRect(r);
  }
  if (Has(text, L"</")) {
    THtmlRenderResult res;
    RenderHtml(CellHtml(canvas, text, r), res);
  } else if (text.compare(0, 2, L"{\\") == 0) {
    DrawRichCell(Index, column - 1, r, canvas);
  } else {
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    canvas->TextRect(r, text, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL);
  }
}

void TAdvListView::DrawRichCell(int Index, int SubItemIndex, const TRect& Rect, TCanvas* Canvas) {
  TAdvRichEdit* re = RichEdit();
  ItemToRich(Index, SubItemIndex, re);
  if (Canvas == FDrawCanvas) {
    if (Items()->Item(Index)->Selected() && !FSelectionRTFKeep) {
      re->SetSelStart(0);
      re->SetSelLength(255);
      re->SelAttributes()->SetColor(FSelectionTextColor);
      re->SetColor(FSelectionColor);
    } else {
      re->SetColor(Color());
    }
  }
  HDC dc = Canvas->Handle();
  POINT corners[2] = {{Rect.left, Rect.top}, {Rect.right, Rect.bottom}};
  LPtoDP(dc, corners, 2);
  POINT offset[2] = {{0, 0}, {2, 0}};
  LPtoDP(dc, offset, 2);
  int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  if (dpiX <= 0 || dpiY <= 0) return;
  double off = std::abs(offset[1].x - offset[0].x) * dpiX / 96.0;
  double width = std::abs(corners[1].x - corners[0].x), height = std::abs(corners[1].y - corners[0].y);
  FORMATRANGE fr{};
  fr.hdc = dc;
  fr.hdcTarget = dc;
  fr.rc.left = static_cast<LONG>(Round((Min(corners[0].x, corners[1].x) + off) / dpiX * 1440));
  fr.rc.top = static_cast<LONG>(Round((Min(corners[0].y, corners[1].y) + off) / dpiY * 1440));
  fr.rc.right = fr.rc.left + static_cast<LONG>(Round(width / dpiX * 1440));
  fr.rc.bottom = fr.rc.top + static_cast<LONG>(Round(height / dpiY * 1440));
  fr.rcPage = fr.rc;
  fr.chrg.cpMin = 0;
  fr.chrg.cpMax = -1;
  int mode = SetMapMode(dc, MM_TEXT);
  SendMessageW(re->Handle(), EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&fr));
  SendMessageW(re->Handle(), EM_FORMATRANGE, FALSE, 0);
  SetMapMode(dc, mode);
}
