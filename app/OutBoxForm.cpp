#include "app/OutBoxForm.h"

TfrmSMSOutBox* frmSMSOutBox = nullptr;

TfrmSMSOutBox::TfrmSMSOutBox(TComponent* AOwner) : TTaskbarForm(AOwner) {
  BeginLoading();
  SetName(L"frmSMSOutBox");
  SetBorderIcons({TBorderIcon::biSystemMenu, TBorderIcon::biMinimize});
  SetCaption(L"Vantrel Out Box");
  SetClientWidth(357);
  SetClientHeight(298);
  Constraints()->SetMinWidth(373);
  Constraints()->SetMinHeight(337);

  OvFormSR1 = new TOvFormSR(this);
  OvFormSR1->SetName(L"OvFormSR1");

  OnClose = Bind(this, &TfrmSMSOutBox::FormClose);
  EndLoading();
}

void TfrmSMSOutBox::FormClose(TObject*, TCloseAction&) { OvFormSR1->SavePos(); }

void TfrmSMSOutBox::AddSMS(const String& number, const String& body, const String& id, const String& sms_parts_cnt) {
  TMessageRow row;
  row.Number = number;
  row.Body = body;
  row.Id = id;
  row.Parts = sms_parts_cnt;
  FMessages.insert(FMessages.begin(), row);
}

TfrmSMSOutBox::TMessageRow* TfrmSMSOutBox::FindRow(const String& number, const String& id) {
  for (TMessageRow& r : FMessages)
    if (r.Number == number && r.Id == id) return &r;
  return nullptr;
}

void TfrmSMSOutBox::SetSMSStatus(const String& number, const String& id, const String& stat, const String& error) {
  TMessageRow* r = FindRow(number, id);
  if (!r) return;
  if (stat == L"0") {
    r->Status = stat;
    r->Error = error;
    return;
  }
  r->Status = IntToStr(++r->Sent);
}

void TfrmSMSOutBox::SetSMSReport(const String& number, const String& id) {
  if (TMessageRow* r = FindRow(number, id)) ++r->Delivered;
}
