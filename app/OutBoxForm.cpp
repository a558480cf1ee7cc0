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
