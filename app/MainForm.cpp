#include "app/MainForm.h"

#include "app/InBoxForm.h"
#include "app/NewSmsForm.h"
#include "app/OutBoxForm.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
  BeginLoading();
  SetName(L"Form1");
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons({TBorderIcon::biSystemMenu});
  SetCaption(L"Vantrel");
  SetClientWidth(385);
  SetClientHeight(145);
  SetColor(clWhite);
  SetWindowState(TWindowState::wsMinimized);

  OvFormSR1 = new TOvFormSR(this);
  OvFormSR1->SetName(L"OvFormSR1");

  OnShow = Bind(this, &TForm1::FormShow);
  OnCloseQuery = Bind(this, &TForm1::FormCloseQuery);
  OnClose = Bind(this, &TForm1::FormClose);
  EndLoading();
}

void TForm1::FormShow(TObject*) { PostMessageW(Handle(), WM_HIDE_ON_FIRST_SHOW, 0, 0); }

void TForm1::FormCloseQuery(TObject*, bool& CanClose) {
  if (ExitRequested) return;
  OvFormSR1->SavePos();
  Hide();
  CanClose = false;
}

void TForm1::FormClose(TObject*, TCloseAction&) {
  // Each of these hides itself and saves its position in its own handler.
  if (frmSmsInBox) frmSmsInBox->Close();
  if (frmNewSMS) frmNewSMS->Close();
  if (frmSMSOutBox) frmSMSOutBox->Close();
}

void TForm1::ExitProgram() {
  ExitRequested = true;
  if (frmSMSOutBox) frmSMSOutBox->OvFormSR1->SavePos();
  if (frmSmsInBox) frmSmsInBox->OvFormSR1->SavePos();
  if (frmNewSMS) frmNewSMS->OvFormSR1->SavePos();
  Close();
}

void TForm1::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_HIDE_ON_FIRST_SHOW:
      if (!FirstShowDone) {
        FirstShowDone = true;
        Hide();
      }
      return;
    case WM_QUERYENDSESSION:
      // The session may end; so does the program.
      Message.Result = 1;
      ExitRequested = true;
      Close();
      return;
    default:
      TForm::Dispatch(Message);
  }
}
