// The advanced list view's input: list and header notifications, clicks,
// selection and check boxes, links and anchors, row dragging, cell keys,
// clipboard keys, scrolling and its hint; in-place cell editing and the
// header's filter bar.
#include "ui/controls/listview/AdvListView.h"

#include <commctrl.h>
#include <windowsx.h>

#include "base/Forms.h"
#include "base/ImgList.h"
#include "base/Hints.h"
#include "base/Shell.h"
#include "ui/draw/HtmlRender.h"

namespace {

constexpr TCursor kLinkCursor = 8019;
constexpr UINT_PTR kListTimer = 1222;

bool Has(const String& Text, const wchar_t* Sub) { return Text.find(Sub) != String::npos; }

// The open in-place editor's previous procedure and its cell; one edit is
// open at a time.
WNDPROC gEditProc = nullptr;
RECT gEditRect{};

LRESULT CALLBACK SubItemEditWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_WINDOWPOSCHANGING) {
    auto* wp = reinterpret_cast<WINDOWPOS*>(LParam);
    wp->x = gEditRect.left;
    wp->y = gEditRect.top;
    wp->cx = gEditRect.right - gEditRect.left;
    wp->cy = gEditRect.bottom - gEditRect.top;
  }
  return CallWindowProcW(gEditProc ? gEditProc : DefWindowProcW, Wnd, Msg, WParam, LParam);
}

bool IsCode(UINT Code, UINT A, UINT W) { return Code == A || Code == W; }

}  // namespace

// ---------------------------------------------------------------------------
// Message routing

void TAdvListView::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_DESTROY:
      if (FListTimerID != -1) KillTimer(Handle(), kListTimer);
      FListTimerID = -1;
      if (FRichEdit) FreeAndNil(FRichEdit);
      // The hint is owned by the form, not by the list: it goes with the
      // list's window, or a list made again would leave one behind.
      if (FScrollHintWnd && IsWindow(FScrollHintWnd)) DestroyWindow(FScrollHintWnd);
      FScrollHintWnd = nullptr;
      break;
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
      if (dis && dis->CtlType == ODT_HEADER) {
        DrawHeaderItem(*dis);
        Message.Result = 1;
        return;
      }
      break;
    }
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
      if (hdr && HandleAllocated() && hdr->hwndFrom == HeaderHandle()) {
        HeaderNotify(Message);
        return;
      }
      break;
    }
    case WM_PAINT:
      if (FColumnSize->Stretch()) StretchRightColumn();
      break;
    case WM_MOUSELEAVE:
      TCustomListView::WndProc(Message);
      FReArrangeIndex = -1;
      return;
    default:
      break;
  }
  TCustomListView::WndProc(Message);
}

void TAdvListView::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      HandleLButtonDown(Message);
      return;
    case WM_LBUTTONUP:
      HandleLButtonUp(Message);
      return;
    case WM_MOUSEMOVE:
      if (!FAllowSelection) {
        Message.Result = 1;
        return;
      }
      break;
    case WM_KEYDOWN:
      HandleKeyDown(Message);
      return;
    case WM_VSCROLL:
      HandleVScroll(Message);
      return;
    case WM_HSCROLL:
      DefaultHandler(Message);
      return;
    case WM_TIMER:
      if (Message.WParam == kListTimer) {
        ListTimer();
        Message.Result = 0;
        return;
      }
      break;
    case CM_HINTSHOW: {
      // With AutoHint the cell under the pointer gives the hint, or none.
      auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
      Message.Result = 0;
      if (info && info->HintControl == this && FAutoHint) {
        TPoint pos;
        String text = BuildCellHint(info->CursorPos, pos);
        if (text.empty()) {
          Message.Result = 1;
        } else {
          info->HintStr = text;
          info->HintPos = pos;
        }
      }
      return;
    }
    case WM_SIZE: {
      int sortColumn = FSortColumn;
      TCustomListView::Dispatch(Message);
      ShowSortIndicator(sortColumn);
      if (FColumnSize->Stretch()) StretchRightColumn();
      return;
    }
    default:
      break;
  }
  TCustomListView::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// List notifications

void TAdvListView::CNNotify(TMessage& Message) {
  auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
  UINT code = hdr->code;
  if (IsCode(code, LVN_ENDLABELEDITA, LVN_ENDLABELEDITW)) {
    EndLabelEdit(Message);
    return;
  }
  if (IsCode(code, LVN_GETINFOTIPA, LVN_GETINFOTIPW)) {
    Message.Result = 1;
    auto* nm = reinterpret_cast<NMLVGETINFOTIPW*>(hdr);
    if (OnInfoTip && code == LVN_GETINFOTIPW) {
      String tip;
      TListItem* item = nm->iItem >= 0 && nm->iItem < Items()->Count() ? Items()->Item(nm->iItem) : nullptr;
      OnInfoTip(this, item, tip);
      if (nm->pszText && nm->cchTextMax > 0) {
        size_t n = Min(tip.size(), static_cast<size_t>(nm->cchTextMax - 1));
        tip.copy(nm->pszText, n);
        nm->pszText[n] = 0;
      }
    }
    return;
  }
  if (code == LVN_ITEMCHANGED) {
    if (!FBlockSelection) TCustomListView::CNNotify(Message);
    auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
    if ((nm->uChanged & LVIF_STATE) && (nm->uNewState & LVIS_SELECTED) && nm->iItem >= 0) ItemSelected(nm->iItem);
    return;
  }
  TCustomListView::CNNotify(Message);
  switch (code) {
    case NM_CLICK:
    case NM_RCLICK: {
      auto* nm = reinterpret_cast<NMITEMACTIVATE*>(hdr);
      int item = -1, sub = nm->iSubItem;
      if (!GetIndexAtPoint(nm->ptAction.x, nm->ptAction.y, item, sub)) item = -1;
      if (code == NM_CLICK)
        DoLeftClickCell(item, sub);
      else
        DoRightClickCell(item, sub);
      return;
    }
    case LVN_BEGINLABELEDITA:
    case LVN_BEGINLABELEDITW:
      BeginLabelEdit(Message);
      return;
    case LVN_BEGINDRAG:
      Repaint();
      return;
    default:
      return;
  }
}

// ---------------------------------------------------------------------------
// Header notifications

void TAdvListView::HeaderNotify(TMessage& Message) {
  auto* nm = reinterpret_cast<NMHEADERW*>(Message.LParam);
  UINT code = nm->hdr.code;
  int item = nm->iItem;
  bool beginTrack = IsCode(code, HDN_BEGINTRACKA, HDN_BEGINTRACKW);
  bool endTrack = IsCode(code, HDN_ENDTRACKA, HDN_ENDTRACKW);
  if (beginTrack && OnStartColumnTrack) {
    bool allow = true;
    OnStartColumnTrack(this, item, allow);
    Message.Result = allow ? FALSE : TRUE;
    return;
  }
  if (endTrack && OnEndColumnTrack) {
    FHeaderTracking = false;
    OnEndColumnTrack(this, item);
  }
  if (code == NM_RCLICK) {
    HDHITTESTINFO hit{};
    GetCursorPos(&hit.pt);
    ::ScreenToClient(nm->hdr.hwndFrom, &hit.pt);
    hit.pt.x += GetScrollPos(Handle(), SB_HORZ);
    int at = static_cast<int>(SendMessageW(nm->hdr.hwndFrom, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (OnColumnRClick) OnColumnRClick(this, at >= 0 ? at : hit.iItem);
  }
  TCustomListView::Dispatch(Message);
  int n = Columns()->Count();
  if (beginTrack) {
    FHeaderTracking = true;
  } else if (endTrack) {
    FHeaderTracking = false;
    ShowSortIndicator(FSortColumn);
    SetHeaderOwnerDraw(FHeaderOwnerDraw);
    for (int i = 0; i < n; ++i) ApplyColumnAlignment(i);
    if (OnColumnSized) OnColumnSized(this, item);
    SetHeaderOwnerDraw(FHeaderOwnerDraw);
    ShowSortIndicator(FSortColumn);
    ApplyColumnAlignment(item);
    for (int i = 0; i < n; ++i) ApplyColumnAlignment(i);
  } else if (IsCode(code, HDN_DIVIDERDBLCLICKA, HDN_DIVIDERDBLCLICKW) ||
             (IsCode(code, HDN_ITEMCHANGEDA, HDN_ITEMCHANGEDW) && !FHeaderTracking)) {
    FHeaderTracking = true;
    // A changed item is the only one whose format may need writing again.
    bool one = IsCode(code, HDN_ITEMCHANGEDA, HDN_ITEMCHANGEDW) && item >= 0 && item < n;
    for (int i = one ? item : 0; i < (one ? item + 1 : n); ++i) SetHeaderItemFormat(i);
    if (FDetailView->Visible()) Invalidate();
    ShowSortIndicator(FSortColumn);
    FHeaderTracking = false;
  } else if (code == HDN_FILTERCHANGE) {
    if (OnFilterChange) OnFilterChange(this, item);
  } else if (code == HDN_FILTERBTNCLICK) {
    auto* f = reinterpret_cast<NMHDFILTERBTNCLICK*>(Message.LParam);
    if (OnFilterBtnClick) OnFilterBtnClick(this, f->iItem);
  }
}

// ---------------------------------------------------------------------------
// Mouse

void TAdvListView::HandleLButtonDown(TMessage& Message) {
  int x = GET_X_LPARAM(Message.LParam), y = GET_Y_LPARAM(Message.LParam);
  int hitItem = -1, hitCol = -1;
  bool hit = GetIndexAtPoint(x, y, hitItem, hitCol);
  if (Checkboxes() && !FAllowSelection && hit && hitCol == 0) {
    int index = ItemIndex();
    TCustomListView::Dispatch(Message);
    if (ItemIndex() != index) SetItemIndex(index);
    return;
  }
  if (!FAllowSelection) {
    Message.Result = 1;
    return;
  }
  if (!FEditBusy && !GetIndexAtPoint(x, y, FItemIndex, FColumnIndex)) {
    TCustomListView::Dispatch(Message);
    return;
  }
  bool valid = FItemIndex >= 0 && FItemIndex < Items()->Count();
  bool wasChecked = !FEditBusy && valid ? Items()->Item(FItemIndex)->Checked() : false;
  if (FReArrangeItems) FReArrangeIndex = FItemIndex;
  if (!FSubItemEdit && !FSubItemSelect) FColumnIndex = 0;
  if (Checkboxes() && x <= 14 && OwnerDraw() && valid) {
    TListItem* item = Items()->Item(FItemIndex);
    item->SetChecked(!item->Checked());
    if (OnCheckboxClick) OnCheckboxClick(this, FItemIndex, item->Checked());
    Message.Result = 0;
    return;
  }
  TCustomListView::Dispatch(Message);
  if (FItemIndex >= 0 && FItemIndex < Items()->Count() && Items()->Item(FItemIndex)->Checked() != wasChecked &&
      OnCheckboxClick)
    OnCheckboxClick(this, FItemIndex, Items()->Item(FItemIndex)->Checked());
  GetIndexAtPoint(x, y, FItemIndex, FColumnIndex);
  if (FSubItemEdit || FSubItemSelect) RefreshFocusedItem();
}

bool TAdvListView::AnchorAt(int X, int Y, int Item, int Column, String& Href, String& Title) {
  String text = CellText(Items()->Item(Item), Column);
  TRect r = GetItemRect(Item, Column);
  r.left += 2;
  if (Column > 0 && SubItemImages(Item, Column - 1) >= 0) r.left += 16;
  HDC dc = GetDC(Handle());
  TCanvas canvas;
  canvas.SetHandle(dc);
  canvas.Font()->Assign(Font());
  THtmlRenderParams p = CellHtml(&canvas, text, r);
  p.X = X;
  p.Y = Y;
  p.CheckOnly = true;
  THtmlRenderResult res;
  bool on = false;
  try {
    on = RenderHtml(p, res);
  } catch (...) {
    canvas.SetHandle(nullptr);
    ReleaseDC(Handle(), dc);
    throw;
  }
  canvas.SetHandle(nullptr);
  ReleaseDC(Handle(), dc);
  Href = res.AnchorVal;
  Title = res.FocusAnchor;
  return on && !Href.empty();
}

void TAdvListView::OpenLink(const String& Target, bool AppParent) {
  AppShellExecute(AppParent && Application ? Application->Handle() : nullptr, L"open", Target, L"", L"",
                  SW_SHOWNORMAL);
}

void TAdvListView::HandleLButtonUp(TMessage& Message) {
  TCustomListView::Dispatch(Message);
  int x = GET_X_LPARAM(Message.LParam), y = GET_Y_LPARAM(Message.LParam);
  int item = -1, col = -1;
  bool hit = GetIndexAtPoint(x, y, item, col);
  if (FReArrangeIndex != -1) {
    int target = hit ? item : -1;
    int from = FReArrangeIndex;
    FReArrangeIndex = -1;
    MoveItem(from, target);
    if (OnRearrange) OnRearrange(this, from, target);
    hit = GetIndexAtPoint(x, y, item, col);
  }
  String text = hit ? CellText(Items()->Item(item), col) : String();
  if (hit && Has(text, L"</")) {
    String href, title;
    if (AnchorAt(x, y, item, col, href, title)) {
      bool handled = false;
      if (Has(href, L"://")) {
        if (OnURLClick) OnURLClick(this, item, href, handled);
        if (!handled) OpenLink(href, false);
      } else if (OnAnchorClick) {
        OnAnchorClick(this, href);
      }
    }
  }
  if (FURLShow && !(Checkboxes() && x <= 14)) {
    String link = GetTextAtPoint(x, y);
    if ((Has(link, L"://") || Has(link, L"mailto:")) && !Has(text, L"</")) {
      bool handled = false;
      if (OnURLClick) OnURLClick(this, FItemIndex, link, handled);
      if (!handled) OpenLink(link, true);
    }
  }
}

void TAdvListView::MouseMove(TShiftState Shift, int X, int Y) {
  String text = GetTextAtPoint(X, Y);
  int item = -1, col = -1;
  bool hit = GetIndexAtPoint(X, Y, item, col);
  bool onLink = false, handled = false;
  if (FURLShow && FReArrangeIndex == -1 && (Has(text, L"://") || Has(text, L"mailto:")) && !Has(text, L"</") &&
      (!Checkboxes() || X > 16)) {
    if (Cursor() != kLinkCursor) SetCursor(kLinkCursor);
    onLink = true;
  }
  if (hit && Has(text, L"</")) {
    String href, title;
    if (AnchorAt(X, Y, item, col, href, title)) {
      if (Cursor() != kLinkCursor) SetCursor(kLinkCursor);
      onLink = true;
      if (!FInAnchor && href != FLastAnchor) {
        if (OnAnchorEnter) OnAnchorEnter(this, href);
        FLastAnchor = href;
        FInAnchor = true;
        if (Application) Application->CancelHint();
      }
    }
  }
  if (FInAnchor && !onLink) {
    String last = FLastAnchor;
    FLastAnchor.clear();
    FInAnchor = false;
    if (OnAnchorExit) OnAnchorExit(this, last);
  }
  if (FReArrangeIndex != -1) {
    SetCursor(crDrag);
    handled = true;
  }
  if (!onLink && !handled && Cursor() != FOldCursor) SetCursor(FOldCursor);
  if (FLastHintPos.x >= 0 && FLastHintPos.y >= 0 && (!hit || col != FLastHintPos.x || item != FLastHintPos.y)) {
    if (Application) Application->CancelHint();
    FLastHintPos = TPoint(-1, -1);
  }
  TCustomListView::MouseMove(Shift, X, Y);
}

int TAdvListView::RefreshFocusedItem() {
  int result = 0;
  if (!HandleAllocated()) return result;
  int top = static_cast<int>(SendMessageW(Handle(), LVM_GETTOPINDEX, 0, 0));
  int last = top + VisibleItems();
  for (int i = Max(0, top); i <= last && i < Items()->Count(); ++i) {
    TListItem* item = Items()->Item(i);
    if (!item->Focused()) continue;
    FBlockSelection = true;
    item->SetSelected(false);
    item->SetSelected(true);
    FBlockSelection = false;
    result = i;
  }
  return result;
}

// ---------------------------------------------------------------------------
// Keys, scrolling, timer

void TAdvListView::HandleKeyDown(TMessage& Message) {
  WORD key = static_cast<WORD>(Message.WParam);
  if (FSubItemEdit || FSubItemSelect) {
    if (key == VK_LEFT && FColumnIndex > 0) --FColumnIndex;
    if (key == VK_RIGHT && FColumnIndex < Columns()->Count() - 1) ++FColumnIndex;
    if (key == VK_SPACE || key == VK_LEFT || key == VK_RIGHT || key == VK_F2) {
      int row = RefreshFocusedItem();
      if ((key == VK_SPACE || key == VK_F2) && FSubItemEdit) {
        FItemIndex = row;
        SendMessageW(Handle(), LVM_EDITLABELW, static_cast<WPARAM>(row), 0);
      }
    }
  }
  if (key == VK_SPACE && Checkboxes() && !FSubItemEdit && OnCheckboxClick) {
    int i = ItemIndex();
    if (i >= 0) OnCheckboxClick(this, i, !Items()->Item(i)->Checked());
  }
  if (FClipboardEnable) {
    bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
    if (ctrl && (key == 'X')) return CutToClipboard();
    if (ctrl && (key == 'V')) return PasteFromClipboard();
    if (ctrl && (key == 'C' || key == VK_INSERT)) return CopySelectionToClipboard();
    if (shift && key == VK_INSERT) return PasteFromClipboard();
    if (shift && key == VK_DELETE) return CutToClipboard();
  }
  TCustomListView::Dispatch(Message);
}

void TAdvListView::HandleVScroll(TMessage& Message) {
  DefaultHandler(Message);
  if (!FWallpaper->Empty() && FWallpaper->Height() != FItemHeight) InvalidateRect(Handle(), nullptr, TRUE);
  if (!FScrollHint) return;
  int code = LOWORD(Message.WParam);
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = Handle();
  if (code == SB_ENDSCROLL) {
    if (FScrollHintWnd) SendMessageW(FScrollHintWnd, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    return;
  }
  if (code != SB_THUMBTRACK) return;
  TListItem* top = TopItem();
  if (!top) return;
  // The platform's tooltip window serves as the hint window of the thumb.
  if (!FScrollHintWnd) {
    FScrollHintWnd = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                     0, 0, 0, 0, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(FScrollHintWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(FScrollHintWnd, TTM_SETMAXTIPWIDTH, 0, 100);
  }
  TColor color = Application ? Application->HintColor() : clInfoBk;
  SendMessageW(FScrollHintWnd, TTM_SETTIPBKCOLOR, static_cast<WPARAM>(ColorToRGB(color)), 0);
  FScrollHintText = top->Caption();
  tool.lpszText = FScrollHintText.data();
  SendMessageW(FScrollHintWnd, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  POINT p;
  GetCursorPos(&p);
  SendMessageW(FScrollHintWnd, TTM_TRACKPOSITION, 0, MAKELPARAM(p.x + 10, p.y));
  SendMessageW(FScrollHintWnd, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

bool TAdvListView::ScrollHintShowing() const {
  return FScrollHintWnd && IsWindowVisible(FScrollHintWnd);
}

String TAdvListView::ScrollHintText() const { return FScrollHintText; }

void TAdvListView::ListTimer() {
  if (FReArrangeIndex == -1 || !HandleAllocated()) return;
  POINT p;
  GetCursorPos(&p);
  ::ScreenToClient(Handle(), &p);
  RECT client;
  GetClientRect(Handle(), &client);
  int headerHeight = 0;
  if (HWND header = HeaderHandle(); header && IsWindowVisible(header)) {
    RECT hr;
    GetWindowRect(header, &hr);
    headerHeight = hr.bottom - hr.top;
  }
  if (p.y < FItemHeight + client.top + headerHeight)
    SendMessageW(Handle(), WM_VSCROLL, SB_LINEUP, 0);
  else if (p.y > client.bottom - FItemHeight)
    SendMessageW(Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
}

// ---------------------------------------------------------------------------
// In-place editing

void TAdvListView::StartEdit(int Item, int SubItem) {
  FItemIndex = Item;
  FColumnIndex = SubItem;
  if (GetFocus() != Handle()) ::SetFocus(Handle());
  SendMessageW(Handle(), LVM_EDITLABELW, static_cast<WPARAM>(Item), 0);
}

void TAdvListView::SetEditText(const String& AValue) {
  if (!HandleAllocated()) return;
  HWND edit = reinterpret_cast<HWND>(SendMessageW(Handle(), LVM_GETEDITCONTROL, 0, 0));
  if (edit) SetWindowTextW(edit, AValue.c_str());
}

void TAdvListView::BeginLabelEdit(TMessage& Message) {
  // The base asked OnEditing; a refusal there opens no editor at all.
  if (!FSubItemEdit || Message.Result) return;
  if (FItemIndex < 0 || FItemIndex >= Items()->Count()) return;
  bool allow = true;
  if (OnCanEditCell) OnCanEditCell(this, FItemIndex, FColumnIndex, allow);
  if (!allow) {
    Message.Result = 1;
    return;
  }
  HWND edit = reinterpret_cast<HWND>(SendMessageW(Handle(), LVM_GETEDITCONTROL, 0, 0));
  if (!edit) return;
  SetWindowLongPtrW(edit, GWL_STYLE, GetWindowLongPtrW(edit, GWL_STYLE) | ES_MULTILINE);
  TRect r = GetItemRect(FItemIndex, FColumnIndex);
  TListItem* item = Items()->Item(FItemIndex);
  if (FColumnIndex == 0) {
    if (!SmallImages() || item->ImageIndex() >= 0)
      r.left -= 2;
    else
      r.left -= SmallImages()->Width();
  }
  gEditRect = r;
  gEditProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubItemEditWndProc)));
  SetWindowTextW(edit, GetTextAtColRow(FColumnIndex, FItemIndex).c_str());
  SetWindowPos(edit, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  FItemCaption = item->Caption();
  FEditBusy = true;
}

void TAdvListView::EndLabelEdit(TMessage& Message) {
  if (!FSubItemEdit) {
    TCustomListView::CNNotify(Message);
    return;
  }
  Message.Result = 0;
  if (!FEditBusy) return;
  auto* nm = reinterpret_cast<NMLVDISPINFOW*>(Message.LParam);
  HWND edit = reinterpret_cast<HWND>(SendMessageW(Handle(), LVM_GETEDITCONTROL, 0, 0));
  // Escape ends the edit without a text: the cell keeps its old one. An
  // accepted text is taken whole, however long.
  bool accepted = nm->item.pszText != nullptr;
  String text;
  if (accepted) text = nm->item.pszText;
  bool valid = FItemIndex >= 0 && FItemIndex < Items()->Count();
  if (accepted && valid && OnEdited) OnEdited(this, Items()->Item(FItemIndex), text);
  if (edit && gEditProc) SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gEditProc));
  gEditProc = nullptr;
  if (valid) {
    if (accepted) SetTextAtColRow(FColumnIndex, FItemIndex, text);
    if (FColumnIndex > 0) Items()->Item(FItemIndex)->SetCaption(FItemCaption);
  }
  FEditBusy = false;
}

// ---------------------------------------------------------------------------
// Filter bar

void TAdvListView::SetFilterBar(bool Value) {
  if (Value == FFilterBar) return;
  FFilterBar = Value;
  if (HandleAllocated()) SetHeaderOwnerDraw(false);
  if (!IsLoading()) ShowFilter(Value);
}

void TAdvListView::ShowFilter(bool onoff) {
  HWND header = HeaderHandle();
  if (!header) return;
  LONG_PTR style = GetWindowLongPtrW(header, GWL_STYLE);
  SetWindowLongPtrW(header, GWL_STYLE, onoff ? style | HDS_FILTERBAR : style & ~static_cast<LONG_PTR>(HDS_FILTERBAR));
  RepaintHeader();
  RECT r{0, 0, Width(), 32};
  WINDOWPOS wp{};
  HDLAYOUT layout{&r, &wp};
  SendMessageW(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
  Items()->BeginUpdate();
  SetItemHeight(FItemHeight + 1);
  SetItemHeight(FItemHeight - 1);
  Items()->EndUpdate();
}

void TAdvListView::EditFilter(int index) {
  if (HWND header = HeaderHandle()) SendMessageW(header, HDM_EDITFILTER, static_cast<WPARAM>(index), FALSE);
}

String TAdvListView::GetFilter(int index, int filtertype) {
  HWND header = HeaderHandle();
  if (!header) return String();
  wchar_t buf[256] = {0};
  HD_TEXTFILTERW text{buf, 255};
  int number = 0;
  HDITEMW hi{};
  hi.mask = HDI_FILTER;
  hi.type = static_cast<UINT>(filtertype);
  hi.pvFilter = filtertype == 0 ? static_cast<void*>(&text) : static_cast<void*>(&number);
  SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&hi));
  return filtertype == 0 ? String(buf) : IntToStr(number);
}

void TAdvListView::SetFilter(int index, int filtertype, int ivalue, const String& sValue) {
  HWND header = HeaderHandle();
  if (!header) return;
  String value = sValue.substr(0, 255);
  HD_TEXTFILTERW text{value.data(), 255};
  int number = ivalue;
  HDITEMW hi{};
  hi.mask = HDI_FILTER;
  hi.type = static_cast<UINT>(filtertype);
  hi.pvFilter = filtertype == 1 ? static_cast<void*>(&number) : static_cast<void*>(&text);
  SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&hi));
}
