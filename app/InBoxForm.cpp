#include "app/InBoxForm.h"

#include "app/ContactSearch.h"
#include "app/MainForm.h"
#include "app/NewSmsForm.h"
#include "app/OvTools.h"
#include "app/SmsImages.h"
#include "ui/controls/AdvMenuOfficeStyler.h"
#include "ui/controls/AdvMenus.h"
#include "ui/controls/AdvReflectionLabel.h"

TfrmSmsInBox* frmSmsInBox = nullptr;

namespace {
const TColor kOddRowColor = 0xC1FFFF;
const int kImageColumnWidth = 25;
const int kNumberColumnWidth = 120;
}  // namespace

TfrmSmsInBox::TfrmSmsInBox(TComponent* AOwner) : TTaskbarForm(AOwner) {
  BeginLoading();
  SetName(L"frmSmsInBox");
  SetBorderIcons({TBorderIcon::biSystemMenu, TBorderIcon::biMinimize});
  SetCaption(L"Vantrel InBox");
  SetClientWidth(357);
  SetClientHeight(298);
  Constraints()->SetMinWidth(370);
  Constraints()->SetMinHeight(330);

  ImageList1 = new TImageList(this);
  ImageList1->SetName(L"ImageList1");

  Panel2 = new TPanel(this);
  Panel2->SetName(L"Panel2");
  Panel2->SetParent(this);
  Panel2->SetHeight(34);
  Panel2->SetAlign(TAlign::alTop);
  Panel2->SetBevelOuter(TBevelCut::bvNone);
  Panel2->SetColor(0xF7F7F7);

  Image1 = new TImage(this);
  Image1->SetName(L"Image1");
  Image1->SetParent(Panel2);
  Image1->SetBounds(4, 1, 32, 32);
  Image1->SetTransparent(true);

  CheckBox1 = new TCheckBox(this);
  CheckBox1->SetName(L"CheckBox1");
  CheckBox1->SetParent(Panel2);
  CheckBox1->SetBounds(44, 9, 170, 17);
  CheckBox1->SetCaption(L"Accept incomming messages");
  CheckBox1->SetChecked(true);
  CheckBox1->OnClick = Bind(this, &TfrmSmsInBox::CheckBox1Click);

  AdvReflectionLabel1 = new TAdvReflectionLabel(this);
  AdvReflectionLabel1->SetName(L"AdvReflectionLabel1");
  AdvReflectionLabel1->SetParent(Panel2);
  AdvReflectionLabel1->SetAutoSize(false);
  AdvReflectionLabel1->SetWidth(92);
  AdvReflectionLabel1->SetAlign(TAlign::alRight);
  AdvReflectionLabel1->Font()->SetSize(12);
  AdvReflectionLabel1->Font()->SetStyle({TFontStyle::fsBold});
  AdvReflectionLabel1->Font()->SetColor(0x0080FF);
  {
    TStringList text;
    text.Add(L"In BOX");
    AdvReflectionLabel1->SetHTMLText(&text);
  }

  Panel1 = new TPanel(this);
  Panel1->SetName(L"Panel1");
  Panel1->SetParent(this);
  Panel1->SetHeight(120);
  Panel1->SetTop(1000);
  Panel1->SetAlign(TAlign::alBottom);
  Panel1->SetBevelOuter(TBevelCut::bvNone);

  Memo1 = new TRichEdit(this);
  Memo1->SetName(L"Memo1");
  Memo1->SetParent(Panel1);
  Memo1->SetAlign(TAlign::alClient);
  Memo1->SetReadOnly(true);
  Memo1->SetPlainText(true);
  Memo1->SetColor(kOddRowColor);
  Memo1->SetScrollBars(TScrollStyle::ssVertical);

  Splitter1 = new TSplitter(this);
  Splitter1->SetName(L"Splitter1");
  Splitter1->SetParent(this);
  Splitter1->SetAlign(TAlign::alBottom);
  Splitter1->SetHeight(3);
  Splitter1->SetTop(ClientHeight() - 120 - 3);
  Splitter1->SetCursor(crVSplit);
  Splitter1->SetColor(0xFFE1C4);
  Splitter1->SetMinSize(105);

  ListView1 = new TAdvListView(this);
  ListView1->SetName(L"ListView1");
  ListView1->SetParent(this);
  ListView1->SetAlign(TAlign::alClient);
  ListView1->SetViewStyle(TViewStyle::vsReport);
  ListView1->SetReadOnly(true);
  ListView1->SetRowSelect(true);
  ListView1->SetShowColumnHeaders(false);
  ListView1->SetColor(clWhite);
  ListView1->SetSmallImages(ImageList1);
  struct {
    const wchar_t* caption;
    int width;
    TAlignment alignment;
    bool autoSize;
  } columns[] = {{L"", kImageColumnWidth, TAlignment::taLeftJustify, false},
                 {L"Number", kNumberColumnWidth, TAlignment::taRightJustify, false},
                 {L"Name", 150, TAlignment::taLeftJustify, true},
                 {L"", 0, TAlignment::taLeftJustify, false}};
  for (auto& c : columns) {
    TListColumn* col = ListView1->Columns()->Add();
    col->SetCaption(c.caption);
    col->SetWidth(c.width);
    col->SetAlignment(c.alignment);
    col->SetAutoSize(c.autoSize);
  }
  ListView1->OnClick = Bind(this, &TfrmSmsInBox::ListView1Click);
  ListView1->OnDblClick = Bind(this, &TfrmSmsInBox::ListView1DblClick);
  ListView1->OnResize = Bind(this, &TfrmSmsInBox::ListView1Resize);
  ListView1->OnAdvancedCustomDrawItem = Bind(this, &TfrmSmsInBox::ListView1AdvancedCustomDrawItem);

  PopupMenu1 = new TAdvPopupMenu(this);
  PopupMenu1->SetName(L"PopupMenu1");
  PopupMenu1->SetImages(ImageList1);
  PopupMenu1->OnPopup = Bind(this, &TfrmSmsInBox::PopupMenu1Popup);
  auto addItem = [this](const wchar_t* name, const wchar_t* caption, int image, void (TfrmSmsInBox::*handler)(TObject*)) {
    auto* item = new TMenuItem(this);
    item->SetName(name);
    item->SetCaption(caption);
    item->SetImageIndex(image);
    if (handler) item->OnClick = Bind(this, handler);
    PopupMenu1->Items()->Add(item);
    return item;
  };
  miReply = addItem(L"miReply", L"Reply", ReplyImage, &TfrmSmsInBox::ReplyClick);
  addItem(L"N1", L"-", -1, nullptr);
  miClear = addItem(L"miClear", L"Clear", -1, &TfrmSmsInBox::ClearClick);
  ListView1->SetPopupMenu(PopupMenu1);
  // The main window's Office look.
  if (Form1) PopupMenu1->SetMenuStyler(Form1->ofMenuStyler);

  OvFormSR1 = new TOvFormSR(this);
  OvFormSR1->SetName(L"OvFormSR1");

  OnCreate = Bind(this, &TfrmSmsInBox::FormCreate);
  OnClose = Bind(this, &TfrmSmsInBox::FormClose);
  EndLoading();
}

void TfrmSmsInBox::FormCreate(TObject*) {
  FillInBoxImages(ImageList1);
  DrawInBoxPicture(Image1->Picture());
  // The bottom panel is never lower than 100.
  Panel1->SetHeight(Max(OvFormSR1->ReadRegINI(L"inbox_split", 120), 100));
  SetCheckedSilently(CheckBox1, OvFormSR1->ReadRegINI(L"accept_inc_mess", true));
}

void TfrmSmsInBox::FormClose(TObject*, TCloseAction&) {
  OvFormSR1->SaveRegINI(L"inbox_split", Panel1->Height());
  OvFormSR1->SavePos();
}

void TfrmSmsInBox::CheckBox1Click(TObject*) { OvFormSR1->SaveRegINI(L"accept_inc_mess", CheckBox1->Checked()); }

void TfrmSmsInBox::AddSMS(const String& number, const String& body) {
  String name = ContactNames && ContactNumbers ? ContactNameOf(*ContactNames, *ContactNumbers, number) : String();
  TListItem* item = ListView1->Items()->Insert(0);
  item->SetImageIndex(UnreadImage);
  item->SetCaption(L"");
  item->SubItems()->Add(number);
  item->SubItems()->Add(name);
  item->SubItems()->Add(body);
  Memo1->SetText(body);
  ListView1->SetItemIndex(0);
}

void TfrmSmsInBox::ListView1Click(TObject*) {
  TListItem* item = ListView1->Items()->Count() > 0 ? ListView1->Selected() : nullptr;
  if (!item) return;
  Memo1->SetText(item->SubItems()->Strings(ibBody));
  item->SetImageIndex(ReadImage);
}

void TfrmSmsInBox::ReplyToSelected() {
  TListItem* item = ListView1->Items()->Count() > 0 ? ListView1->Selected() : nullptr;
  if (!item || !frmNewSMS) return;
  item->SetImageIndex(ReadImage);
  frmNewSMS->Edit1->SetText(item->SubItems()->Strings(ibNumber));
  frmNewSMS->OvFormSR1->RestorePos();
  frmNewSMS->Show();
  frmNewSMS->SetWindowState(TWindowState::wsNormal);
  SetForegroundWindow(frmNewSMS->Handle());
  frmNewSMS->SetMemoFocus();
}

void TfrmSmsInBox::ListView1DblClick(TObject*) { ReplyToSelected(); }

void TfrmSmsInBox::ReplyClick(TObject*) { ReplyToSelected(); }

void TfrmSmsInBox::ClearClick(TObject*) {
  ListView1->Items()->Clear();
  Memo1->Clear();
}

void TfrmSmsInBox::PopupMenu1Popup(TObject*) { miReply->SetEnabled(ListView1->SelCount() > 0); }

void TfrmSmsInBox::ListView1Resize(TObject*) {
  // The name takes the room the other columns leave, less a vertical
  // scroll bar's width, so that no horizontal one comes when rows fill the
  // list.
  int inner = ListView1->Width() - 2 * GetSystemMetrics(SM_CXEDGE);
  int rest = inner - kImageColumnWidth - kNumberColumnWidth - GetSystemMetrics(SM_CXVSCROLL);
  ListView1->Columns()->Items(2)->SetWidth(Max(rest, 40));
}

void TfrmSmsInBox::ListView1AdvancedCustomDrawItem(TCustomListView* Sender, TListItem* Item, TCustomDrawState,
                                                   TCustomDrawStage, bool&) {
  Sender->Canvas()->Brush()->SetColor(Item->Index() % 2 ? kOddRowColor : clWhite);
}
