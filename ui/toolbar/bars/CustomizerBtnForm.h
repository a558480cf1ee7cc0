// The button dialog of the toolbar customizer: caption, hint, icon,
// show-caption and visible of one row of the customizer dialog's item list.
// It edits the row's record only; the customizer dialog applies the result.
#pragma once

#include "base/Button.h"
#include "base/ComboBox.h"
#include "base/Forms.h"
#include "base/GroupBox.h"

class TAdvToolBarCustomizer;
class TCustomImageList;

class TCusBtnForm : public TForm {
  VANTREL_CLASS(TCusBtnForm)
 public:
  // Builds the controls at their designed places, texts from the
  // customizer's dialog settings.
  TCusBtnForm(TComponent* AOwner, TAdvToolBarCustomizer* Customizer);

  TGroupBox* GroupBox1 = nullptr;
  TLabel* LblBtnCaption = nullptr;
  TEdit* EdtBtnCaption = nullptr;
  TLabel* LblBtnHint = nullptr;
  TEdit* EdtBtnHint = nullptr;
  TLabel* LblGlyph = nullptr;
  TComboBox* CmBxGlyph = nullptr;
  TCheckBox* ChkBtnShowCap = nullptr;
  TCheckBox* ChkBtnVis = nullptr;
  TButton* BtnOk = nullptr;
  TButton* BtnCancel = nullptr;

 private:
  void OkBitBtnClick(TObject* Sender);
  void CmBxGlyphDrawItem(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State);

  TAdvToolBarCustomizer* FToolBarCustomizer;
};

// A control of a dialog, named and placed on Parent at (Left, Top), with
// Width x Height when Width is given, else its own size.
template <class T>
T* PlaceDialogControl(TWinControl* Parent, TComponent* Owner, const wchar_t* Name, int Left, int Top, int Width = 0,
                      int Height = 0) {
  auto* c = new T(Owner);
  c->SetName(Name);
  c->SetParent(Parent);
  c->SetBounds(Left, Top, Width > 0 ? Width : c->Width(), Width > 0 ? Height : c->Height());
  return c;
}

// The frame both dialogs share: a tool window with only a system-menu
// icon, button-face colour, "MS Sans Serif" of height -11, the client size
// and the caption given.
void SetUpDialogFrame(TForm* Form, int ClientWidth, int ClientHeight, const String& Caption);

// The icon boxes of both dialogs: one empty entry per image of Images
// (rows of the image height + 3), then the entry NoneText, meaning no image.
void FillIconBox(TComboBox* Box, TCustomImageList* Images, const String& NoneText);
// Paints entry Index of such a box: an image at (Left + 2, Top + 2), or the
// "none" text at Left + 4, centred by the height of Sample.
void DrawIconEntry(TComboBox* Box, TCustomImageList* Images, int Index, const TRect& Rect, const String& Sample);

// The button dialog while it is shown, else nil.
TCusBtnForm* CusBtnForm();
void SetCusBtnForm(TCusBtnForm* Value);
