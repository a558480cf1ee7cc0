#include "base/Forms.h"
#include "base/ImgList.h"
#include "ui/controls/menus/AdvMenuDraw.h"
#include "ui/controls/menus/AdvMenuUtil.h"

// ---------------------------------------------------------------------------
// Where an item sits

bool IsMenuBarItem(TMenuItem* Item) { return Item && dynamic_cast<TMainMenu*>(Item->GetParentComponent()); }

bool IsRootItem(TMenuItem* Item) {
  if (!Item) return false;
  TComponent* pc = Item->GetParentComponent();
  return dynamic_cast<TMenu*>(pc) && !dynamic_cast<TAdvPopupMenu*>(pc);
}

bool IsFirstLevelItem(TMenuItem* Item) {
  if (!Item) return false;
  TComponent* pc = Item->GetParentComponent();
  if (dynamic_cast<TPopupMenu*>(pc)) return true;
  auto* parent = dynamic_cast<TMenuItem*>(pc);
  return parent && dynamic_cast<TMainMenu*>(parent->GetParentComponent());
}

TMenuItem* FirstVisibleItem(TMenuItem* Parent) {
  if (!Parent) return nullptr;
  for (int i = 0; i < Parent->Count(); ++i)
    if (Parent->Items(i)->Visible()) return Parent->Items(i);
  return nullptr;
}

bool InFirstVisibleDropDown(TMenuItem* Item) {
  if (!Item) return false;
  TMenu* menu = GetItemMenu(Item);
  if (auto* main = dynamic_cast<TMainMenu*>(menu))
    return Item->Parent() && Item->Parent() == FirstVisibleItem(main->Items());
  return IsRootItem(Item);
}

bool InLaterColumn(TMenuItem* Item) {
  TMenuItem* parent = Item ? Item->Parent() : nullptr;
  if (!parent) return false;
  if (Item->Break() != TMenuBreak::mbNone) return true;
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* s = parent->Items(i);
    if (s == Item) break;
    if (s->Visible() && s->Break() != TMenuBreak::mbNone) return true;
  }
  return false;
}

bool IsFirstVisibleItem(TMenuItem* Item) { return Item && Item == FirstVisibleItem(Item->Parent()); }

int VisibleItemIndex(TMenuItem* Item) {
  if (!Item || !Item->Visible() || !Item->Parent()) return -1;
  int n = 0;
  TMenuItem* parent = Item->Parent();
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* s = parent->Items(i);
    if (s == Item) return n;
    if (s->Visible()) ++n;
  }
  return -1;
}

int ItemLevel(TMenuItem* Item) {
  int ancestors = 0;
  for (TMenuItem* p = Item ? Item->Parent() : nullptr; p; p = p->Parent()) ++ancestors;
  return ancestors - 1;
}

bool SideBarShown(TMenuItem* Item) {
  IAdvMenu* intf = GetItemAdvMenu(Item);
  if (!intf) return false;
  TSideBar* bar = intf->GetCurrentMenuStyler()->SideBar();
  if (!bar->Visible()) return false;
  switch (bar->VisibleIn()) {
    case TSideBarVisibleIn::viFirstVisible: return InFirstVisibleDropDown(Item);
    case TSideBarVisibleIn::viFirstLevel: return IsFirstLevelItem(Item);
    case TSideBarVisibleIn::viAnyLevel: return !IsMenuBarItem(Item);
  }
  return false;
}

// ---------------------------------------------------------------------------
// Shortcut texts

String CapitalizeKeyName(const String& Name) {
  if (Name.empty()) return Name;
  String r = Name.substr(0, 1) + AnsiLowerCase(Name.substr(1));
  size_t p = r.find(L'(');
  if (p != String::npos && p + 1 < r.size()) r = r.substr(0, p + 1) + AnsiUpperCase(r.substr(p + 1, 1)) + r.substr(p + 2);
  return r;
}

String GetKeyDisplayName(WORD Key) {
  LONG lparam = static_cast<LONG>(MapVirtualKeyW(Key, MAPVK_VK_TO_VSC) << 16);
  if (Key != VK_BACK && Key != VK_RETURN && Key != VK_SHIFT && Key != VK_CONTROL && Key != VK_MENU) lparam |= 1 << 24;
  wchar_t buf[256] = {};
  int n = GetKeyNameTextW(lparam, buf, 256);
  return String(buf, static_cast<size_t>(n > 0 ? Min(n, 255) : 0));
}

String ShortCutToMenuText(TShortCut ShortCut, bool International) {
  if (!International) {
    String text = ShortCutToText(ShortCut);
    if (ShortCut & scWin) text = L"Win+" + text;
    return text;
  }
  WORD key = ShortCut & 0xFF;
  String text = key >= 0x70 && key <= 0x87 ? L"F" + IntToStr(key - 0x6F) : CapitalizeKeyName(GetKeyDisplayName(key));
  if (ShortCut & scShift) text = CapitalizeKeyName(GetKeyDisplayName(VK_SHIFT)) + L"+" + text;
  if (ShortCut & scCtrl) text = CapitalizeKeyName(GetKeyDisplayName(VK_CONTROL)) + L"+" + text;
  if (ShortCut & scAlt) text = CapitalizeKeyName(GetKeyDisplayName(VK_MENU)) + L"+" + text;
  return text;
}

// ---------------------------------------------------------------------------
// Measuring

namespace {

const wchar_t kNotesMark[] = L"\\n";

void UseScaledFont(TCanvas* Canvas, TFont* Font, float Dpi) {
  Canvas->Font()->Assign(Font);
  Canvas->Font()->SetHeight(static_cast<int>(Round(static_cast<double>(Font->Height()) * Dpi)));
}

}  // namespace

void MeasureMenuItem(TMenuItem* Item, TCanvas* Canvas, int& Width, bool SideBar, int& Height) {
  IAdvMenu* intf = GetItemAdvMenu(Item);
  if (!intf) return;
  TCustomAdvMenuStyler* st = intf->GetCurrentMenuStyler();
  float dpi = GetDPIScale();
  if (!Item->Visible()) {
    Width = 0;
    Height = 0;
    return;
  }
  bool bar = IsMenuBarItem(Item);
  if (bar) {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) {
      Width = ncm.iMenuWidth;
      Height = ncm.iMenuHeight;
    }
  }
  if (Item->IsLine()) {
    Height = st->Separator()->Width() + 2;
    Width = -2;
  } else {
    if (!bar) Width = st->IconBar()->Size();
    TCustomImageList* images = Item->GetImageList();
    if (images && (!bar || Item->ImageIndex() >= 0)) {
      if (bar)
        Width = images->Width();
      else
        Height = Max(Height, images->Height());
    } else if (Item->HasBitmap()) {
      if (bar)
        Width = Item->Bitmap()->Width();
      else
        Height = Max(Height, Item->Bitmap()->Height());
    } else if (bar) {
      Width = -7;
    } else {
      Height -= 3;
    }
    if (!bar) {
      Width += 15;
      Height += 2;
    }
    const String& caption = Item->Caption();
    bool notes = intf->GetShowNotes() && caption.find(kNotesMark) != String::npos;
    String text = notes ? caption.substr(0, caption.find(kNotesMark)) : caption;
    if (Item->ShortCut()) text += ShortCutToMenuText(Item->ShortCut(), intf->GetIntlKeybShortCuts());

    if (IsRootItem(Item)) {
      if (!st->RootItem()->UseSystemFont()) UseScaledFont(Canvas, st->RootItem()->Font(), dpi);
    } else if (!st->UseSystemFont()) {
      UseScaledFont(Canvas, st->Font(), dpi);
    } else if (!st->SelectedItem()->UseSystemFont()) {
      UseScaledFont(Canvas, st->SelectedItem()->Font(), dpi);
    }
    TRect tr(0, 0, 0, 0);
    Canvas->TextRect(tr, text, DT_CALCRECT | DT_SINGLELINE);
    Width += tr.Width() + 7;
    int textHeight = tr.Height() + 6;

    if (!bar) {
      if (Item->ShortCut() & scWin) Width += Canvas->TextWidth(L"Win+");
      if (SideBar && !InLaterColumn(Item)) Width += st->SideBar()->Size() + st->SideBar()->SplitterWidth();
      Height = ((Height + 1) / 2) * 2;
      Width += MenuColumnWidth;
      if (notes) {
        Canvas->Font()->Assign(st->NotesFont());
        int lineHeight = Canvas->TextHeight(L"gh");
        String rest = caption;
        int maxWidth = 0;
        size_t p;
        while ((p = rest.find(kNotesMark)) != String::npos) {
          maxWidth = Max(maxWidth, Canvas->TextWidth(rest.substr(0, p)));
          textHeight += lineHeight;
          rest = rest.substr(p + 2);
        }
        if (!rest.empty()) maxWidth = Max(maxWidth, Canvas->TextWidth(rest));
        int wanted = maxWidth + MenuColumnWidth + st->IconBar()->Size() + 8;
        if (maxWidth > 0 && wanted > Width) Width = wanted;
      }
    }
    Height = Max(Height, textHeight);
  }
  Height = static_cast<int>(Round(static_cast<double>(Height) / dpi));
}
