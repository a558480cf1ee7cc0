#include "ui/toolbar/bars/CustomizerBtnForm.h"

#include "base/ImgList.h"
#include "ui/toolbar/bars/AdvToolBarCustomizer.h"

namespace {
TCusBtnForm* gCusBtnForm = nullptr;
}  // namespace

TCusBtnForm* CusBtnForm() { return gCusBtnForm; }
void SetCusBtnForm(TCusBtnForm* Value) { gCusBtnForm = Value; }

void SetUpDialogFrame(TForm* Form, int ClientWidth, int ClientHeight, const String& Caption) {
  Form->SetBorderStyle(TFormBorderStyle::bsToolWindow);
  Form->SetBorderIcons({TBorderIcon::biSystemMenu});
  Form->SetColor(clBtnFace);
  Form->Font()->SetName(L"MS Sans Serif");
  Form->Font()->SetHeight(-11);
  Form->SetClientWidth(ClientWidth);
  Form->SetClientHeight(ClientHeight);
  Form->SetCaption(Caption);
}

void FillIconBox(TComboBox* Box, TCustomImageList* Images, const String& NoneText) {
  Box->Items()->BeginUpdate();
  Box->Items()->Clear();
  if (Images) {
    Box->SetItemHeight(Images->Height() + 3);
    for (int i = 0; i < Images->Count(); ++i) Box->Items()->Add(L"");
  }
  Box->Items()->Add(NoneText);
  Box->Items()->EndUpdate();
}

void DrawIconEntry(TComboBox* Box, TCustomImageList* Images, int Index, const TRect& Rect, const String& Sample) {
  TCanvas* c = Box->Canvas();
  c->FillRect(Rect);
  int count = Images ? Images->Count() : 0;
  if (Index < count) {
    Images->Draw(c, Rect.left + 2, Rect.top + 2, Index);
  } else if (Index == count) {
    int h = c->TextHeight(Sample);
    c->TextOut(Rect.left + 4, Rect.top + (Box->ItemHeight() - h) / 2, Box->Items()->Strings(Index));
  }
}

TCusBtnForm::TCusBtnForm(TComponent* AOwner, TAdvToolBarCustomizer* Customizer)
    : TForm(AOwner), FToolBarCustomizer(Customizer) {
  TDialogSettings* ds = Customizer->DialogSettings();
  SetUpDialogFrame(this, 248, 140, ds->ButtonEditCaption());

  GroupBox1 = PlaceDialogControl<TGroupBox>(this, this, L"GroupBox1", 8, 0, 233, 102);
  LblBtnCaption = PlaceDialogControl<TLabel>(GroupBox1, this, L"LblBtnCaption", 9, 17);
  LblBtnCaption->SetCaption(ds->ButtonEditCaptionLabel());
  EdtBtnCaption = PlaceDialogControl<TEdit>(GroupBox1, this, L"EdtBtnCaption", 50, 14, 73, 21);
  LblBtnHint = PlaceDialogControl<TLabel>(GroupBox1, this, L"LblBtnHint", 26, 42);
  LblBtnHint->SetCaption(ds->ButtonEditHintLabel());
  EdtBtnHint = PlaceDialogControl<TEdit>(GroupBox1, this, L"EdtBtnHint", 50, 38, 73, 21);
  LblGlyph = PlaceDialogControl<TLabel>(GroupBox1, this, L"LblGlyph", 23, 67);
  LblGlyph->SetCaption(ds->ButtonEditIconLabel());
  CmBxGlyph = PlaceDialogControl<TComboBox>(GroupBox1, this, L"CmBxGlyph", 50, 62, 74, 19);
  CmBxGlyph->SetStyle(TComboBoxStyle::csOwnerDrawFixed);
  CmBxGlyph->SetItemHeight(13);
  CmBxGlyph->OnDrawItem = [this](TWinControl* C, int I, const TRect& R, TOwnerDrawState S) {
    CmBxGlyphDrawItem(C, I, R, S);
  };
  ChkBtnShowCap = PlaceDialogControl<TCheckBox>(GroupBox1, this, L"ChkBtnShowCap", 129, 17, 100, 17);
  ChkBtnShowCap->SetCaption(ds->ButtonEditCaptionCheck());
  ChkBtnVis = PlaceDialogControl<TCheckBox>(GroupBox1, this, L"ChkBtnVis", 129, 38, 99, 17);
  ChkBtnVis->SetCaption(ds->ButtonEditVisibleCheck());
  BtnOk = PlaceDialogControl<TButton>(this, this, L"BtnOk", 49, 109, 75, 25);
  BtnOk->SetCaption(ds->OKButtonCaption());
  BtnOk->SetHint(ds->OKButtonHint());
  BtnOk->SetDefault(true);
  BtnOk->OnClick = [this](TObject* S) { OkBitBtnClick(S); };
  BtnCancel = PlaceDialogControl<TButton>(this, this, L"BtnCancel", 124, 109, 75, 25);
  BtnCancel->SetCaption(ds->CancelButtonCaption());
  BtnCancel->SetHint(ds->CancelButtonHint());
  BtnCancel->SetCancel(true);
  BtnCancel->SetModalResult(mrCancel);
}

void TCusBtnForm::OkBitBtnClick(TObject*) { SetModalResult(mrOk); }

void TCusBtnForm::CmBxGlyphDrawItem(TWinControl*, int Index, const TRect& Rect, TOwnerDrawState) {
  TAdvCustomToolBar* t = FToolBarCustomizer->AdvToolBar();
  DrawIconEntry(CmBxGlyph, t ? t->Images() : nullptr, Index, Rect, L"X");
}
