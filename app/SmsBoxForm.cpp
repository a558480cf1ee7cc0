#include "app/SmsBoxForm.h"

#include "app/MainForm.h"
#include "ui/controls/menus/AdvMenuOfficeStyler.h"
#include "ui/controls/menus/AdvMenus.h"
#include "ui/controls/labels/AdvReflectionLabel.h"

namespace {
const TColor kHeaderColor = 0xF7F7F7;
const TColor kSplitterColor = 0xFFE1C4;
const int kHeaderHeight = 34;
const int kSplitterHeight = 3;
const int kSplitterMinSize = 105;
const int kNarrowestFill = 40;
}  // namespace

TSmsBoxForm::TSmsBoxForm(TComponent* AOwner, const TSmsBoxLayout& Layout,
                         std::initializer_list<TSmsBoxColumn> Columns)
    : TTaskbarForm(AOwner), FOddRowColor(Layout.OddRowColor) {
  BeginLoading();
  SetName(Layout.Name);
  SetBorderIcons({TBorderIcon::biSystemMenu, TBorderIcon::biMinimize});
  SetCaption(Layout.Caption);
  SetClientWidth(357);
  SetClientHeight(298);
  Constraints()->SetMinWidth(Layout.MinWidth);
  Constraints()->SetMinHeight(Layout.MinHeight);

  Panel2 = new TPanel(this);
  Panel2->SetName(L"Panel2");
  Panel2->SetParent(this);
  Panel2->SetHeight(kHeaderHeight);
  Panel2->SetAlign(TAlign::alTop);
  Panel2->SetBevelOuter(TBevelCut::bvNone);
  Panel2->SetColor(kHeaderColor);

  Image1 = new TImage(this);
  Image1->SetName(L"Image1");
  Image1->SetParent(Panel2);
  Image1->SetBounds(4, 1, 32, 32);
  Image1->SetTransparent(true);

  AdvReflectionLabel1 = new TAdvReflectionLabel(this);
  AdvReflectionLabel1->SetName(L"AdvReflectionLabel1");
  AdvReflectionLabel1->SetParent(Panel2);
  AdvReflectionLabel1->SetAutoSize(false);
  AdvReflectionLabel1->SetWidth(92);
  AdvReflectionLabel1->SetAlign(TAlign::alRight);
  AdvReflectionLabel1->Font()->SetSize(12);
  AdvReflectionLabel1->Font()->SetStyle({TFontStyle::fsBold});
  AdvReflectionLabel1->Font()->SetColor(Layout.TitleColor);
  {
    TStringList text;
    text.Add(Layout.Title);
    AdvReflectionLabel1->SetHTMLText(&text);
  }

  Panel1 = new TPanel(this);
  Panel1->SetName(L"Panel1");
  Panel1->SetParent(this);
  Panel1->SetHeight(Layout.PanelHeight);
  Panel1->SetTop(1000);
  Panel1->SetAlign(TAlign::alBottom);
  Panel1->SetBevelOuter(TBevelCut::bvNone);

  Memo1 = new TRichEdit(this);
  Memo1->SetName(L"Memo1");
  Memo1->SetParent(Panel1);
  Memo1->SetAlign(TAlign::alClient);
  Memo1->SetReadOnly(true);
  Memo1->SetPlainText(true);
  Memo1->SetColor(Layout.TextColor);
  Memo1->SetScrollBars(TScrollStyle::ssVertical);

  Splitter1 = new TSplitter(this);
  Splitter1->SetName(L"Splitter1");
  Splitter1->SetParent(this);
  Splitter1->SetAlign(TAlign::alBottom);
  Splitter1->SetHeight(kSplitterHeight);
  Splitter1->SetTop(ClientHeight() - Layout.PanelHeight - kSplitterHeight);
  Splitter1->SetCursor(crVSplit);
  Splitter1->SetColor(kSplitterColor);
  Splitter1->SetMinSize(kSplitterMinSize);

  ListView1 = new TAdvListView(this);
  ListView1->SetName(L"ListView1");
  ListView1->SetParent(this);
  ListView1->SetAlign(TAlign::alClient);
  ListView1->SetViewStyle(TViewStyle::vsReport);
  ListView1->SetReadOnly(true);
  ListView1->SetRowSelect(true);
  ListView1->SetShowColumnHeaders(false);
  ListView1->SetColor(clWhite);
  for (const TSmsBoxColumn& c : Columns) {
    TListColumn* col = ListView1->Columns()->Add();
    col->SetCaption(c.Caption);
    col->SetWidth(c.Width);
    col->SetAlignment(c.Alignment);
    col->SetAutoSize(c.AutoSize);
    if (c.AutoSize)
      FFillColumn = ListView1->Columns()->Count() - 1;
    else
      FFixedWidth += c.Width;
  }
  ListView1->OnResize = Bind(this, &TSmsBoxForm::ListView1Resize);
  ListView1->OnAdvancedCustomDrawItem = Bind(this, &TSmsBoxForm::ListView1AdvancedCustomDrawItem);

  PopupMenu1 = new TAdvPopupMenu(this);
  PopupMenu1->SetName(L"PopupMenu1");
  ListView1->SetPopupMenu(PopupMenu1);
  // The main window's Office look.
  if (Form1) PopupMenu1->SetMenuStyler(Form1->ofMenuStyler);

  OvFormSR1 = new TOvFormSR(this);
  OvFormSR1->SetName(L"OvFormSR1");
}

TMenuItem* TSmsBoxForm::AddMenuItem(const wchar_t* Name, const wchar_t* Caption, int ImageIndex,
                                    TNotifyEvent OnClick) {
  auto* item = new TMenuItem(this);
  item->SetName(Name);
  item->SetCaption(Caption);
  item->SetImageIndex(ImageIndex);
  item->OnClick = std::move(OnClick);
  PopupMenu1->Items()->Add(item);
  return item;
}

void TSmsBoxForm::DoShow() {
  if (!FPicturesDrawn) {
    FPicturesDrawn = true;
    DrawPictures();
  }
  TTaskbarForm::DoShow();
}

TMenuItem* TSmsBoxForm::AddClearItem() {
  return AddMenuItem(L"miClear", L"Clear", -1, Bind(this, &TSmsBoxForm::ClearClick));
}

void TSmsBoxForm::ClearClick(TObject*) {
  ListView1->Items()->Clear();
  Memo1->Clear();
}

void TSmsBoxForm::ListView1Resize(TObject*) {
  // The filling column takes the room the others leave, less a vertical
  // scroll bar's width, so that no horizontal one comes when rows fill the
  // list.
  if (FFillColumn < 0) return;
  int inner = ListView1->Width() - 2 * GetSystemMetrics(SM_CXEDGE);
  int rest = inner - FFixedWidth - GetSystemMetrics(SM_CXVSCROLL);
  ListView1->Columns()->Items(FFillColumn)->SetWidth(Max(rest, kNarrowestFill));
}

void TSmsBoxForm::ListView1AdvancedCustomDrawItem(TCustomListView* Sender, TListItem* Item, TCustomDrawState,
                                                  TCustomDrawStage, bool&) {
  Sender->Canvas()->Brush()->SetColor(Item->Index() % 2 ? FOddRowColor : clWhite);
}
