#include "app/PatternForm.h"

#include "app/NewSmsForm.h"
#include "app/TextPatterns.h"
#include "ui/controls/buttons/AdvGlowButton.h"

TfrmSetPattern* frmSetPattern = nullptr;

TfrmSetPattern::TfrmSetPattern(TComponent* AOwner) : TForm(AOwner) {
  BeginLoading();
  SetName(L"frmSetPattern");
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons({TBorderIcon::biSystemMenu});
  SetCaption(L"Set Pattern");
  SetClientWidth(392);
  SetClientHeight(249);
  SetPosition(TPosition::poScreenCenter);
  SetScaled(false);

  Label1 = new TLabel(this);
  Label1->SetName(L"Label1");
  Label1->SetParent(this);
  Label1->SetBounds(12, 10, 100, 13);
  Label1->SetCaption(L"Button Title");
  Label1->Font()->SetColor(clGray);
  Edit1 = new TEdit(this);
  Edit1->SetName(L"Edit1");
  Edit1->SetParent(this);
  Edit1->SetBounds(12, 26, 200, 21);
  Label2 = new TLabel(this);
  Label2->SetName(L"Label2");
  Label2->SetParent(this);
  Label2->SetBounds(12, 56, 100, 13);
  Label2->SetCaption(L"Pattern text");
  Label2->Font()->SetColor(clGray);
  Memo1 = new TRichEdit(this);
  Memo1->SetName(L"Memo1");
  Memo1->SetParent(this);
  Memo1->SetBounds(12, 72, 368, 128);
  Memo1->SetScrollBars(TScrollStyle::ssVertical);
  Memo1->SetPlainText(true);
  AdvGlowButton1 = new TAdvGlowButton(this);
  AdvGlowButton1->SetName(L"AdvGlowButton1");
  AdvGlowButton1->SetParent(this);
  AdvGlowButton1->SetBounds(212, 212, 80, 26);
  AdvGlowButton1->SetCaption(L"OK");
  AdvGlowButton1->OnClick = Bind(this, &TfrmSetPattern::AdvGlowButton1Click);
  btnClear = new TAdvGlowButton(this);
  btnClear->SetName(L"btnClear");
  btnClear->SetParent(this);
  btnClear->SetBounds(300, 212, 80, 26);
  btnClear->SetCaption(L"Cancel");
  btnClear->OnClick = Bind(this, &TfrmSetPattern::btnClearClick);
  EndLoading();
}

void TfrmSetPattern::AdvGlowButton1Click(TObject*) {
  pat_title = PatternTitleFromEditor(Edit1->Text(), pat_nr);
  String text = PatternTextFromEditor(Memo1->Text());
  int nr = pat_nr == 1 ? 1 : 2;
  if (frmNewSMS) {
    frmNewSMS->OvFormSR1->SaveRegINI(PatternTitleKey(nr), pat_title);
    frmNewSMS->OvFormSR1->SaveRegINI(PatternTextKey(nr), text);
    frmNewSMS->SetPatternTitle(nr, pat_title);
  }
  Close();
}

void TfrmSetPattern::btnClearClick(TObject*) { Close(); }
