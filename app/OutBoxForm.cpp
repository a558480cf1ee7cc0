#include "app/OutBoxForm.h"

#include "app/ContactSearch.h"
#include "app/MainForm.h"
#include "app/SmsImages.h"
#include "ui/controls/AdvMenuOfficeStyler.h"
#include "ui/controls/AdvMenus.h"
#include "ui/controls/AdvReflectionLabel.h"

TfrmSMSOutBox* frmSMSOutBox = nullptr;

namespace {

const TColor kOddRowColor = 0xEAFFF4;
const int kPartsColumnWidth = 32;
const int kNumberColumnWidth = 120;
const int kCaptionColumnWidth = 40;

String Sub(TListItem* Row, int Index) { return Row->SubItems()->Strings(Index); }

void SetSub(TListItem* Row, int Index, const String& Value) { Row->SubItems()->SetStrings(Index, Value); }

int PartsOf(TListItem* Row) { return PartCountOf(Sub(Row, obPartsCnt)); }

bool Failed(TListItem* Row) { return Sub(Row, obStatus) == L"0"; }

TLabel* PlaceLabel(TComponent* Owner, TWinControl* Parent, const wchar_t* Name, const wchar_t* Caption, int L, int T,
                   int W, TAlignment Alignment) {
  auto* l = new TLabel(Owner);
  l->SetName(Name);
  l->SetParent(Parent);
  l->SetAutoSize(false);
  l->SetBounds(L, T, W, 13);
  l->SetAlignment(Alignment);
  l->SetCaption(Caption);
  l->Font()->SetColor(OutBoxCaptionColor);
  return l;
}

}  // namespace

TfrmSMSOutBox::TfrmSMSOutBox(TComponent* AOwner) : TTaskbarForm(AOwner) {
  BeginLoading();
  SetName(L"frmSMSOutBox");
  SetBorderIcons({TBorderIcon::biSystemMenu, TBorderIcon::biMinimize});
  SetCaption(L"Vantrel Out Box");
  SetClientWidth(357);
  SetClientHeight(298);
  Constraints()->SetMinWidth(373);
  Constraints()->SetMinHeight(337);

  RepImgList = new TImageList(this);
  RepImgList->SetName(L"RepImgList");
  StatImgList = new TImageList(this);
  StatImgList->SetName(L"StatImgList");

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

  lbStat = PlaceLabel(this, Panel2, L"lbStat", L"Status:", 40, 3, 70, TAlignment::taRightJustify);
  lbRep = PlaceLabel(this, Panel2, L"lbRep", L"Report:", 40, 18, 70, TAlignment::taRightJustify);
  lbStatus = PlaceLabel(this, Panel2, L"lbStatus", L"---", 114, 3, 140, TAlignment::taCenter);
  lbReport = PlaceLabel(this, Panel2, L"lbReport", L"---", 114, 18, 140, TAlignment::taCenter);

  AdvReflectionLabel1 = new TAdvReflectionLabel(this);
  AdvReflectionLabel1->SetName(L"AdvReflectionLabel1");
  AdvReflectionLabel1->SetParent(Panel2);
  AdvReflectionLabel1->SetAutoSize(false);
  AdvReflectionLabel1->SetWidth(92);
  AdvReflectionLabel1->SetAlign(TAlign::alRight);
  AdvReflectionLabel1->Font()->SetSize(12);
  AdvReflectionLabel1->Font()->SetStyle({TFontStyle::fsBold});
  AdvReflectionLabel1->Font()->SetColor(0x00BF60);
  {
    TStringList text;
    text.Add(L"Out BOX");
    AdvReflectionLabel1->SetHTMLText(&text);
  }

  Panel1 = new TPanel(this);
  Panel1->SetName(L"Panel1");
  Panel1->SetParent(this);
  Panel1->SetHeight(100);
  Panel1->SetTop(1000);
  Panel1->SetAlign(TAlign::alBottom);
  Panel1->SetBevelOuter(TBevelCut::bvNone);

  Memo1 = new TRichEdit(this);
  Memo1->SetName(L"Memo1");
  Memo1->SetParent(Panel1);
  Memo1->SetAlign(TAlign::alClient);
  Memo1->SetReadOnly(true);
  Memo1->SetPlainText(true);
  Memo1->SetColor(0xF2FFF5);
  Memo1->SetScrollBars(TScrollStyle::ssVertical);

  Splitter1 = new TSplitter(this);
  Splitter1->SetName(L"Splitter1");
  Splitter1->SetParent(this);
  Splitter1->SetAlign(TAlign::alBottom);
  Splitter1->SetHeight(3);
  Splitter1->SetTop(ClientHeight() - 100 - 3);
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
  ListView1->SetFlatScrollBars(true);
  ListView1->SetColor(clWhite);
  ListView1->SetItemHeight(18);
  ListView1->SetSmallImages(RepImgList);
  ListView1->SetStateImages(StatImgList);
  struct {
    const wchar_t* caption;
    int width;
    TAlignment alignment;
    bool autoSize;
  } columns[] = {{L"", kCaptionColumnWidth, TAlignment::taLeftJustify, false},
                 {L"sms_parts_cnt", kPartsColumnWidth, TAlignment::taCenter, false},
                 {L"Number", kNumberColumnWidth, TAlignment::taRightJustify, false},
                 {L"Name", 120, TAlignment::taLeftJustify, true},
                 {L"body", 0, TAlignment::taLeftJustify, false},
                 {L"status", 0, TAlignment::taLeftJustify, false},
                 {L"delivered", 0, TAlignment::taLeftJustify, false},
                 {L"id", 0, TAlignment::taLeftJustify, false},
                 {L"error", 0, TAlignment::taLeftJustify, false},
                 {L"rpcnt", 0, TAlignment::taLeftJustify, false},
                 {L"stcnt", 0, TAlignment::taLeftJustify, false}};
  for (auto& c : columns) {
    TListColumn* col = ListView1->Columns()->Add();
    col->SetCaption(c.caption);
    col->SetWidth(c.width);
    col->SetAlignment(c.alignment);
    col->SetAutoSize(c.autoSize);
  }
  ListView1->OnSelectItem = Bind(this, &TfrmSMSOutBox::ListView1SelectItem);
  ListView1->OnResize = Bind(this, &TfrmSMSOutBox::ListView1Resize);
  ListView1->OnAdvancedCustomDrawItem = Bind(this, &TfrmSMSOutBox::ListView1AdvancedCustomDrawItem);

  PopupMenu1 = new TAdvPopupMenu(this);
  PopupMenu1->SetName(L"PopupMenu1");
  miClear = new TMenuItem(this);
  miClear->SetName(L"miClear");
  miClear->SetCaption(L"Clear");
  miClear->OnClick = Bind(this, &TfrmSMSOutBox::ClearClick);
  PopupMenu1->Items()->Add(miClear);
  ListView1->SetPopupMenu(PopupMenu1);
  // The main window's Office look.
  if (Form1) PopupMenu1->SetMenuStyler(Form1->ofMenuStyler);

  OvFormSR1 = new TOvFormSR(this);
  OvFormSR1->SetName(L"OvFormSR1");

  OnClose = Bind(this, &TfrmSMSOutBox::FormClose);
  EndLoading();

  FillDeliveryImages(RepImgList);
  FillSendStateImages(StatImgList);
  DrawOutBoxPicture(Image1->Picture());
}

void TfrmSMSOutBox::FormClose(TObject*, TCloseAction&) { OvFormSR1->SavePos(); }

TListItem* TfrmSMSOutBox::FindRow(const String& number, const String& id) {
  TListItems* items = ListView1->Items();
  for (int i = 0; i < items->Count(); ++i) {
    TListItem* row = items->Item(i);
    if (Sub(row, obNumber) == number && Sub(row, obId) == id) return row;
  }
  return nullptr;
}

void TfrmSMSOutBox::AddSMS(const String& number, const String& body, const String& id, const String& sms_parts_cnt) {
  String name = ContactNames && ContactNumbers ? ContactNameOf(*ContactNames, *ContactNumbers, number) : String();
  TListItem* row = ListView1->Items()->Insert(0);
  row->SetImageIndex(InitialDeliveryImage(PartCountOf(sms_parts_cnt)));
  row->SetStateIndex(0);
  row->SetCaption(L"");
  const String values[obSubItemCount] = {sms_parts_cnt, number, name, body, L"", L"0", id, L"", L"0", L"0"};
  for (const String& v : values) row->SubItems()->Add(v);
  Memo1->SetText(body);
  ListView1->SetItemIndex(0);
  lbStatus->SetCaption(L"---");
  lbReport->SetCaption(L"---");
}

void TfrmSMSOutBox::SetSMSStatus(const String& number, const String& id, const String& stat, const String& error) {
  TListItem* row = FindRow(number, id);
  if (!row) return;
  if (stat == L"0") {
    // The labels show the failure when the row is next selected.
    SetSub(row, obStatus, stat);
    SetSub(row, obError, error);
    row->SetStateIndex(FailedStateImage);
    return;
  }
  int sent = CounterOf(Sub(row, obStCnt), 0) + 1;
  SetSub(row, obStCnt, IntToStr(sent));
  // A message with a failed part stays failed: later parts that go out
  // are counted, but neither the failed image nor the error text goes.
  if (Failed(row)) {
    if (row->Selected()) ShowSendStatus(row);
    return;
  }
  SetSub(row, obStatus, IntToStr(sent));
  row->SetStateIndex(SentStateImage(sent, PartsOf(row)));
  ShowSendStatus(row);
}

void TfrmSMSOutBox::SetSMSReport(const String& number, const String& id) {
  TListItem* row = FindRow(number, id);
  if (!row) return;
  int delivered = CounterOf(Sub(row, obRpCnt), 0) + 1;
  SetSub(row, obRpCnt, IntToStr(delivered));
  SetSub(row, obDelivered, IntToStr(delivered));
  row->SetImageIndex(DeliveryImage(delivered, PartsOf(row)));
  ShowDeliveryReport(row);
}

void TfrmSMSOutBox::ShowSendStatus(TListItem* Row) {
  lbStatus->Font()->SetColor(OutBoxValueColor);
  lbStat->SetCaption(L"Status:");
  lbStat->Font()->SetColor(OutBoxCaptionColor);
  if (Failed(Row)) {
    lbStatus->SetCaption(Sub(Row, obError));
    lbStat->SetCaption(L"SEND ERROR:");
    lbStatus->Font()->SetColor(OutBoxErrorColor);
    lbStat->Font()->SetColor(OutBoxErrorColor);
  } else if (Row->Selected()) {
    lbStatus->SetCaption(SendStatusWords(CounterOf(Sub(Row, obStCnt), 0), PartsOf(Row)));
  }
}

void TfrmSMSOutBox::ShowDeliveryReport(TListItem* Row) {
  lbReport->Font()->SetColor(OutBoxValueColor);
  lbRep->SetCaption(L"Report:");
  if (Row->Selected()) lbReport->SetCaption(DeliveryWords(CounterOf(Sub(Row, obRpCnt), 0), PartsOf(Row)));
}

void TfrmSMSOutBox::ListView1SelectItem(TObject*, TListItem* Item, bool) {
  if (!Item) return;
  Memo1->SetText(Sub(Item, obBody));
  ShowSendStatus(Item);
  ShowDeliveryReport(Item);
}

void TfrmSMSOutBox::ClearClick(TObject*) {
  ListView1->Items()->Clear();
  Memo1->Clear();
}

void TfrmSMSOutBox::ListView1Resize(TObject*) {
  // The name takes the room the other columns leave, less a vertical
  // scroll bar's width, so that no horizontal one comes when rows fill the
  // list.
  int inner = ListView1->Width() - 2 * GetSystemMetrics(SM_CXEDGE);
  int rest = inner - kCaptionColumnWidth - kPartsColumnWidth - kNumberColumnWidth - GetSystemMetrics(SM_CXVSCROLL);
  ListView1->Columns()->Items(3)->SetWidth(Max(rest, 40));
}

void TfrmSMSOutBox::ListView1AdvancedCustomDrawItem(TCustomListView* Sender, TListItem* Item, TCustomDrawState,
                                                    TCustomDrawStage, bool&) {
  Sender->Canvas()->Brush()->SetColor(Item->Index() % 2 ? kOddRowColor : clWhite);
}
