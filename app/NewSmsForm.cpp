#include "app/NewSmsForm.h"

#include "app/MainForm.h"
#include "app/OvTools.h"

TfrmNewSMS* frmNewSMS = nullptr;

TfrmNewSMS::TfrmNewSMS(TComponent* AOwner) : TTaskbarForm(AOwner) {
  BeginLoading();
  SetName(L"frmNewSMS");
  SetBorderIcons({TBorderIcon::biSystemMenu, TBorderIcon::biMinimize});
  SetCaption(L"NEW SMS");
  SetClientWidth(500);
  SetClientHeight(308);
  SetColor(0xF7F7F7);
  Constraints()->SetMinWidth(515);
  Constraints()->SetMinHeight(347);

  OvFormSR1 = new TOvFormSR(this);
  OvFormSR1->SetName(L"OvFormSR1");

  OnCreate = Bind(this, &TfrmNewSMS::FormCreate);
  OnClose = Bind(this, &TfrmNewSMS::FormClose);
  EndLoading();
}

void TfrmNewSMS::FormCreate(TObject*) {
  String version = GetExeVersionText();
  SetCaption(L"Vantrel - NEW SMS   ver: " + version);
  if (Form1) Form1->SetCaption(L"Vantrel   ver: " + version);
}

void TfrmNewSMS::FormClose(TObject*, TCloseAction&) { OvFormSR1->SavePos(); }
