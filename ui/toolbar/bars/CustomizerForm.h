// The customizer dialog: lists a toolbar's items and the customizer's
// commands; the user reorders items, inserts commands as toolbar buttons or
// glow buttons, inserts separators, deletes items, clears the toolbar,
// edits one item in the button dialog and changes the toolbar's caption,
// glyph position and large icons. It never touches the toolbar: OK writes
// the result into the user's section of the customizer's INI file, which
// the customizer then applies; Reset ends it with mrReset, on which the
// customizer restores the designed layout.
#pragma once

#include <vector>

#include "base/Button.h"
#include "base/ComboBox.h"
#include "base/Forms.h"
#include "base/GroupBox.h"
#include "base/ListBox.h"
#include "ui/controls/buttons/AdvGlowButton.h"

class TAdvToolBarCustomizer;
class TATBItemProp;
class TIniFile;

// The result of the dialog's Reset button.
constexpr TModalResult mrReset = 100;

class TCustomizerForm : public TForm {
  VANTREL_CLASS(TCustomizerForm)
 public:
  // Builds the controls at their designed places.
  TCustomizerForm(TComponent* AOwner, TAdvToolBarCustomizer* Customizer);

  // Fills the lists from the toolbar and the commands.
  void LoadComponents();
  // Show or hide the caption edit and the glyph position box with their
  // labels (the first is not named SetCaption: that sets the form's text).
  void SetCaptionEdit(bool Value);
  void SetGlyphPosition(bool Value);
  void ArrangeOptionsGroup();
  void UpdateButtons();
  // An edit happened (not while loading).
  void SetModified();
  bool Modified() const { return FModified; }
  // Writes the rows into the user's section of the customizer's file.
  void SaveCustomizedLayout();
  TATBItemProp* Row(int Index);

  TGroupBox* GroupBox1 = nullptr;
  TLabel* LblToolbarItems = nullptr;
  TListBox* LstBxToolBarItems = nullptr;
  TAdvGlowButton* TopButton = nullptr;
  TAdvGlowButton* UpButton = nullptr;
  TAdvGlowButton* DownButton = nullptr;
  TAdvGlowButton* BottomButton = nullptr;
  TAdvGlowButton* AddButton = nullptr;
  TAdvGlowButton* AddGlowButton = nullptr;
  TAdvGlowButton* SeparatorButton = nullptr;
  TAdvGlowButton* DeleteButton = nullptr;
  TAdvGlowButton* ClearButton = nullptr;
  TAdvGlowButton* BtnEdit = nullptr;
  TLabel* LblCommands = nullptr;
  TListBox* LstBxCommand = nullptr;
  TComboBox* CmBxIcon = nullptr;
  TGroupBox* GroupBox2 = nullptr;
  TLabel* LblCaption = nullptr;
  TEdit* EdtCaption = nullptr;
  TLabel* LblGlphPos = nullptr;
  TComboBox* CmBxGlphPos = nullptr;
  TCheckBox* ChkLargeIcon = nullptr;
  TButton* BtnOk = nullptr;
  TButton* BtnCancel = nullptr;
  TButton* BtnReset = nullptr;

  // The handlers, as the controls call them (tests call them too).
  void TopButtonClick(TObject* Sender);
  void UpButtonClick(TObject* Sender);
  void DownButtonClick(TObject* Sender);
  void BottomButtonClick(TObject* Sender);
  void AddButtonClick(TObject* Sender);
  void AddGlowButtonClick(TObject* Sender);
  void SeparatorButtonClick(TObject* Sender);
  void DeleteButtonClick(TObject* Sender);
  void ClearButtonClick(TObject* Sender);
  void BtnEditClick(TObject* Sender);
  void OkBitBtnClick(TObject* Sender);
  void LstBxCommandClick(TObject* Sender);
  void LstBxToolBarItemsDblClick(TObject* Sender);
  // A drag from Source over the item list is accepted from the list itself
  // and from the command list; a drop at client point (X, Y) moves the
  // dragged row there or inserts the selected command.
  bool LstBxToolBarItemsDragOver(TObject* Source);
  void LstBxToolBarItemsDragDrop(TObject* Source, int X, int Y);

 protected:
  void Destroy() override;

 private:
  void LstBxToolBarItemsDrawItem(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State);
  void CmBxIconDrawItem(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State);
  void InsertCommand(bool Glow);
  void InsertRow(const String& Text, TATBItemProp* Prop);
  void MoveRow(int From, int To);
  void WriteRows(TIniFile& Ini, const String& Section);
  TAdvGlowButton* SpeedButton(const wchar_t* Name, int Top, int Glyph, const String& Hint,
                              void (TCustomizerForm::*Handler)(TObject*));
  TCustomImageList* ToolBarImages() const;

  bool FModified = false;
  bool FLoading = true;
  bool FCanEditBtn = false;
  TAdvToolBarCustomizer* FToolBarCustomizer;
  TCustomImageList* FGlyphs = nullptr;
  TCustomImageList* FDisabledGlyphs = nullptr;
  int FDragRow = -1;  // row of the item list pressed for a drag
};

// The customizer dialog while it is shown, else nil.
TCustomizerForm* CustomizerForm();

// Prepares, places and runs the customizer dialog for a customizer and acts
// on its result; registered as the customizer's dialog runner by
// InitCustomizerDialogsUnit.
void ShowCustomizerDialog(TAdvToolBarCustomizer* Customizer);
// What it does before the dialog shows: texts, which controls and buttons
// show and where, the lists filled.
void PrepareCustomizerDialog(TCustomizerForm* Form, TAdvToolBarCustomizer* Customizer);
void InitCustomizerDialogsUnit();
void FiniCustomizerDialogsUnit();
