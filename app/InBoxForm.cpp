#include "app/InBoxForm.h"

#include "app/OvTools.h"

TfrmSmsInBox* frmSmsInBox = nullptr;

TfrmSmsInBox::TfrmSmsInBox(TComponent* AOwner) : TTaskbarForm(AOwner) {
  BeginLoading();
  SetName(L"frmSmsInBox");
  SetBorderIcons({TBorderIcon::biSystemMenu, TBorderIcon::biMinimize});
  SetCaption(L"Vantrel InBox");
  SetClientWidth(357);
  SetClientHeight(298);
  Constraints()->SetMinWidth(370);
  Constraints()->SetMinHeight(330);

  Panel2 = new TPanel(this);
  Panel2->SetName(L"Panel2");
  Panel2->SetParent(this);
  Panel2->SetHeight(34);
  Panel2->SetAlign(TAlign::alTop);
  Panel2->SetBevelOuter(TBevelCut::bvNone);
  Panel2->SetColor(0xF7F7F7);

  CheckBox1 = new TCheckBox(this);
  CheckBox1->SetName(L"CheckBox1");
  CheckBox1->SetParent(Panel2);
  CheckBox1->SetBounds(44, 9, 170, 17);
  CheckBox1->SetCaption(L"Accept incomming messages");
  CheckBox1->SetChecked(true);
  CheckBox1->OnClick = Bind(this, &TfrmSmsInBox::CheckBox1Click);

  Panel1 = new TPanel(this);
  Panel1->SetName(L"Panel1");
  Panel1->SetParent(this);
  Panel1->SetHeight(120);
  Panel1->SetAlign(TAlign::alBottom);
  Panel1->SetBevelOuter(TBevelCut::bvNone);

  OvFormSR1 = new TOvFormSR(this);
  OvFormSR1->SetName(L"OvFormSR1");

  OnCreate = Bind(this, &TfrmSmsInBox::FormCreate);
  OnClose = Bind(this, &TfrmSmsInBox::FormClose);
  EndLoading();
}

void TfrmSmsInBox::FormCreate(TObject*) {
  Panel1->SetHeight(OvFormSR1->ReadRegINI(L"inbox_split", 120));
  SetCheckedSilently(CheckBox1, OvFormSR1->ReadRegINI(L"accept_inc_mess", true));
}

void TfrmSmsInBox::FormClose(TObject*, TCloseAction&) {
  OvFormSR1->SaveRegINI(L"inbox_split", Panel1->Height());
  OvFormSR1->SavePos();
}

void TfrmSmsInBox::CheckBox1Click(TObject*) { OvFormSR1->SaveRegINI(L"accept_inc_mess", CheckBox1->Checked()); }

void TfrmSmsInBox::AddSMS(const String& number, const String& body) {
  FMessages.insert(FMessages.begin(), TMessageRow{number, body});
}
