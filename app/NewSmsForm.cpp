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

  CheckBox3 = new TCheckBox(this);
  CheckBox3->SetName(L"CheckBox3");
  CheckBox3->SetParent(this);
  CheckBox3->SetBounds(392, 8, 97, 17);
  CheckBox3->SetCaption(L"Allways OnTop");
  CheckBox3->SetVisible(false);
  CheckBox3->OnClick = Bind(this, &TfrmNewSMS::CheckBox3Click);

  OvFormSR1 = new TOvFormSR(this);
  OvFormSR1->SetName(L"OvFormSR1");

  FStatusText[0] = L"chars: 0 / SMS: 0";

  OnCreate = Bind(this, &TfrmNewSMS::FormCreate);
  OnClose = Bind(this, &TfrmNewSMS::FormClose);
  EndLoading();
}

void TfrmNewSMS::FormCreate(TObject*) {
  String version = GetExeVersionText();
  SetCaption(L"Vantrel - NEW SMS   ver: " + version);
  if (Form1) Form1->SetCaption(L"Vantrel   ver: " + version);
  // No link until the first heartbeat answer.
  FSendColor = FCallColor = FHangUpColor = LinkLostColor;
  FLinkButtonsEnabled = Connected;
}

void TfrmNewSMS::FormClose(TObject*, TCloseAction&) { OvFormSR1->SavePos(); }

void TfrmNewSMS::CheckBox3Click(TObject*) {
  OvFormSR1->SaveRegINI(L"allways_on_top", CheckBox3->Checked());
  SetWindowTopmost(Handle(), CheckBox3->Checked(), true);
}

String TfrmNewSMS::GetSmsText() {
  return ReplaceAllText(ReplaceAllText(FSmsText, L"\r", L""), L"\n", L"");
}

void TfrmNewSMS::ShowSmsInfo(const String& sms_parts_cnt) {
  SetStatusText(0, L"chars: " + IntToStr(static_cast<int64_t>(GetSmsText().size())) + L" / SMS: " + sms_parts_cnt);
}

void TfrmNewSMS::ClearSmsText() { FSmsText.clear(); }

void TfrmNewSMS::SetStatusText(int Panel, const String& Text) {
  if (Panel < 0 || Panel > 2) throw EListError(L"List index out of bounds (%d)", {Panel});
  FStatusText[Panel] = Text;
}

String TfrmNewSMS::StatusText(int Panel) const {
  if (Panel < 0 || Panel > 2) throw EListError(L"List index out of bounds (%d)", {Panel});
  return FStatusText[Panel];
}

void TfrmNewSMS::SetContactCount(int Count) { FContactCount = Count; }

void TfrmNewSMS::LoadContacts(TStrings* Names, int Selected) {
  FContacts.Assign(Names);
  FContactListEnabled = FContacts.Count() > 0;
  FSelectedContact = Selected;
}
