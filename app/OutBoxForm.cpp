#include "app/OutBoxForm.h"

#include "app/ContactSearch.h"
#include "app/MainForm.h"
#include "app/SmsImages.h"
#include "base/DisplayText.h"
#include "ui/controls/menus/AdvMenus.h"

TfrmSMSOutBox* frmSMSOutBox = nullptr;

namespace {

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

TfrmSMSOutBox::TfrmSMSOutBox(TComponent* AOwner)
    : TSmsBoxForm(AOwner,
                  {L"frmSMSOutBox", L"Vantrel Out Box", 373, 337, L"Out BOX", 0x00BF60, 0xF2FFF5, 0xEAFFF4, 100},
                  {{L"", 40, TAlignment::taLeftJustify, false},
                   {L"sms_parts_cnt", 32, TAlignment::taCenter, false},
                   {L"Number", 120, TAlignment::taRightJustify, false},
                   {L"Name", 120, TAlignment::taLeftJustify, true},
                   {L"body", 0, TAlignment::taLeftJustify, false},
                   {L"status", 0, TAlignment::taLeftJustify, false},
                   {L"delivered", 0, TAlignment::taLeftJustify, false},
                   {L"id", 0, TAlignment::taLeftJustify, false},
                   {L"error", 0, TAlignment::taLeftJustify, false},
                   {L"rpcnt", 0, TAlignment::taLeftJustify, false},
                   {L"stcnt", 0, TAlignment::taLeftJustify, false}}) {
  RepImgList = new TImageList(this);
  RepImgList->SetName(L"RepImgList");
  StatImgList = new TImageList(this);
  StatImgList->SetName(L"StatImgList");
  ListView1->SetFlatScrollBars(true);
  ListView1->SetItemHeight(18);
  ListView1->SetSmallImages(RepImgList);
  ListView1->SetStateImages(StatImgList);
  ListView1->OnSelectItem = Bind(this, &TfrmSMSOutBox::ListView1SelectItem);

  lbStat = PlaceLabel(this, Panel2, L"lbStat", L"Status:", 40, 3, 70, TAlignment::taRightJustify);
  lbRep = PlaceLabel(this, Panel2, L"lbRep", L"Report:", 40, 18, 70, TAlignment::taRightJustify);
  lbStatus = PlaceLabel(this, Panel2, L"lbStatus", L"---", 114, 3, 140, TAlignment::taCenter);
  lbReport = PlaceLabel(this, Panel2, L"lbReport", L"---", 114, 18, 140, TAlignment::taCenter);

  miClear = AddClearItem();

  OnClose = Bind(this, &TfrmSMSOutBox::FormClose);
  EndLoading();
}

void TfrmSMSOutBox::DrawPictures() {
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
  Memo1->SetText(SafeDisplayText(body, DisplayTextPanel));
  ListView1->SetItemIndex(0);
  lbStatus->SetCaption(L"---");
  lbReport->SetCaption(L"---");
}

void TfrmSMSOutBox::SetSMSStatus(const String& number, const String& id, const String& stat, const String& error) {
  TListItem* row = FindRow(number, id);
  if (!row) return;
  if (stat == L"0") {
    SetSub(row, obStatus, stat);
    SetSub(row, obError, error);
    row->SetStateIndex(FailedStateImage);
    // The selected row says so at once; another shows it when selected.
    ShowSendStatus(row);
    return;
  }
  int sent = CounterOf(Sub(row, obStCnt), 0) + 1;
  SetSub(row, obStCnt, IntToStr(sent));
  // A message with a failed part stays failed: later parts that go out
  // are counted, but neither the failed image nor the error text goes.
  if (Failed(row)) {
    ShowSendStatus(row);
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

// The labels describe the selected message only: news of another row, or
// the row that loses the selection, leave them as they are, so that a
// failure shown for the selected row never turns into "Status:" beside its
// error text.
void TfrmSMSOutBox::ShowSendStatus(TListItem* Row) {
  if (!Row->Selected()) return;
  lbStatus->Font()->SetColor(OutBoxValueColor);
  lbStat->SetCaption(L"Status:");
  lbStat->Font()->SetColor(OutBoxCaptionColor);
  if (Failed(Row)) {
    lbStatus->SetCaption(SafeDisplayText(Sub(Row, obError), DisplaySingleLine));
    lbStat->SetCaption(L"SEND ERROR:");
    lbStatus->Font()->SetColor(OutBoxErrorColor);
    lbStat->Font()->SetColor(OutBoxErrorColor);
  } else {
    lbStatus->SetCaption(SendStatusWords(CounterOf(Sub(Row, obStCnt), 0), PartsOf(Row)));
  }
}

void TfrmSMSOutBox::ShowDeliveryReport(TListItem* Row) {
  if (!Row->Selected()) return;
  lbReport->Font()->SetColor(OutBoxValueColor);
  lbRep->SetCaption(L"Report:");
  lbReport->SetCaption(DeliveryWords(CounterOf(Sub(Row, obRpCnt), 0), PartsOf(Row)));
}

void TfrmSMSOutBox::ListView1SelectItem(TObject*, TListItem* Item, bool) {
  if (!Item) return;
  Memo1->SetText(SafeDisplayText(Sub(Item, obBody), DisplayTextPanel));
  ShowSendStatus(Item);
  ShowDeliveryReport(Item);
}
