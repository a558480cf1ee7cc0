#include "app/InBoxForm.h"

#include "app/ContactSearch.h"
#include "app/MainForm.h"
#include "app/NewSmsForm.h"
#include "app/OvTools.h"
#include "app/SmsImages.h"
#include "base/DisplayText.h"
#include "ui/controls/menus/AdvMenus.h"

TfrmSmsInBox* frmSmsInBox = nullptr;

TfrmSmsInBox::TfrmSmsInBox(TComponent* AOwner)
    : TSmsBoxForm(AOwner,
                  {L"frmSmsInBox", L"Vantrel InBox", 370, 330, L"In BOX", 0x0080FF, 0xC1FFFF, 0xC1FFFF, 120},
                  {{L"", 25, TAlignment::taLeftJustify, false},
                   {L"Number", 120, TAlignment::taRightJustify, false},
                   {L"Name", 150, TAlignment::taLeftJustify, true},
                   {L"", 0, TAlignment::taLeftJustify, false}}) {
  ImageList1 = new TImageList(this);
  ImageList1->SetName(L"ImageList1");
  ListView1->SetSmallImages(ImageList1);

  CheckBox1 = new TCheckBox(this);
  CheckBox1->SetName(L"CheckBox1");
  CheckBox1->SetParent(Panel2);
  CheckBox1->SetBounds(44, 9, 170, 17);
  CheckBox1->SetCaption(L"Accept incomming messages");
  CheckBox1->SetChecked(true);
  CheckBox1->OnClick = Bind(this, &TfrmSmsInBox::CheckBox1Click);

  ListView1->OnClick = Bind(this, &TfrmSmsInBox::ListView1Click);
  ListView1->OnDblClick = Bind(this, &TfrmSmsInBox::ListView1DblClick);

  PopupMenu1->SetImages(ImageList1);
  PopupMenu1->OnPopup = Bind(this, &TfrmSmsInBox::PopupMenu1Popup);
  miReply = AddMenuItem(L"miReply", L"Reply", ReplyImage, Bind(this, &TfrmSmsInBox::ReplyClick));
  AddMenuItem(L"N1", L"-", -1, nullptr);
  miClear = AddClearItem();

  OnCreate = Bind(this, &TfrmSmsInBox::FormCreate);
  OnClose = Bind(this, &TfrmSmsInBox::FormClose);
  EndLoading();
}

void TfrmSmsInBox::DrawPictures() {
  FillInBoxImages(ImageList1);
  DrawInBoxPicture(Image1->Picture());
}

void TfrmSmsInBox::FormCreate(TObject*) {
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
  Memo1->SetText(SafeDisplayText(body, DisplayTextPanel));
  ListView1->SetItemIndex(0);
}

void TfrmSmsInBox::ListView1Click(TObject*) {
  TListItem* item = ListView1->Items()->Count() > 0 ? ListView1->Selected() : nullptr;
  if (!item) return;
  Memo1->SetText(SafeDisplayText(item->SubItems()->Strings(ibBody), DisplayTextPanel));
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

void TfrmSmsInBox::PopupMenu1Popup(TObject*) { miReply->SetEnabled(ListView1->SelCount() > 0); }
