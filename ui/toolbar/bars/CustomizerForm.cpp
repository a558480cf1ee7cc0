#include "ui/toolbar/bars/CustomizerForm.h"

#include <algorithm>

#include "base/Dialogs.h"
#include "base/ImgList.h"
#include "base/IniFiles.h"
#include "ui/draw/GdipPicture.h"
#include "ui/toolbar/bars/AdvToolBarCustomizer.h"
#include "ui/toolbar/bars/CustomizerBtnForm.h"

namespace {

TCustomizerForm* gCustomizerForm = nullptr;


bool IsToolBarButton(TControl* C) { return C && C->ClassName() == String(L"TAdvToolBarButton"); }

String Key(int I, const wchar_t* Suffix = L"") { return L"Name" + std::to_wstring(I) + Suffix; }

// The glyphs of the ten speed buttons, 16 x 16 on a fuchsia mask.
enum { gTop, gUp, gDown, gBottom, gAdd, gAddGlow, gSeparator, gDelete, gClear, gEdit, gCount };

// Disabled glyphs are drawn in grey.
void DrawGlyph(TCanvas* C, int Glyph, bool Disabled) {
  auto ink = [&](TColor Color) { return Disabled ? clGray : Color; };
  C->Brush()->SetColor(clFuchsia);
  C->FillRect(TRect(0, 0, 16, 16));
  C->Pen()->SetColor(ink(clBlack));
  C->Brush()->SetColor(ink(clBlack));
  auto tri = [&](int Tip, int Dir) {  // a filled triangle, 7 rows
    for (int r = 0; r < 5; ++r) C->FillRect(TRect(8 - r, Tip + Dir * r, 9 + r, Tip + Dir * r + 1));
  };
  switch (Glyph) {
    case gTop: C->FillRect(TRect(3, 3, 14, 5)); tri(6, 1); break;
    case gUp: tri(5, 1); break;
    case gDown: tri(10, -1); break;
    case gBottom: tri(9, -1); C->FillRect(TRect(3, 11, 14, 13)); break;
    case gAdd: C->FillRect(TRect(7, 3, 10, 14)); C->FillRect(TRect(3, 7, 14, 10)); break;
    case gAddGlow:
      C->Brush()->SetColor(ink(static_cast<TColor>(0x40C0FF)));
      C->Ellipse(1, 1, 15, 15);
      C->Brush()->SetColor(ink(clBlack));
      C->FillRect(TRect(7, 4, 9, 12));
      C->FillRect(TRect(4, 7, 12, 9));
      break;
    case gSeparator: C->FillRect(TRect(7, 2, 9, 14)); break;
    case gDelete:
    case gClear:
      C->Pen()->SetColor(ink(Glyph == gDelete ? clMaroon : clRed));
      for (int d = 0; d < 2; ++d) {
        C->MoveTo(4 + d, 4);
        C->LineTo(13 + d, 13);
        C->MoveTo(12 + d, 4);
        C->LineTo(3 + d, 13);
      }
      if (Glyph == gClear) {
        C->Brush()->SetColor(ink(clRed));
        C->FrameRect(TRect(1, 1, 15, 15));
      }
      break;
    case gEdit:
      C->Brush()->SetColor(ink(clNavy));
      for (int k = 0; k < 9; ++k) C->FillRect(TRect(11 - k, 3 + k, 14 - k, 5 + k));
      break;
    default: break;
  }
}

}  // namespace

TCustomizerForm* CustomizerForm() { return gCustomizerForm; }

// ---------------------------------------------------------------------------
// Building the dialog

TAdvGlowButton* TCustomizerForm::SpeedButton(const wchar_t* Name, int Top, int Glyph, const String& Hint,
                                             void (TCustomizerForm::*Handler)(TObject*)) {
  auto* b = PlaceDialogControl<TAdvGlowButton>(GroupBox1, this, Name, 173, Top, 23, 22);
  b->SetImages(FGlyphs);
  b->SetDisabledImages(FDisabledGlyphs);
  b->SetImageIndex(Glyph);
  b->SetCaption(L"");
  b->SetHint(Hint);
  b->SetShowHint(true);
  b->OnClick = [this, Handler](TObject* S) { (this->*Handler)(S); };
  return b;
}

TCustomizerForm::TCustomizerForm(TComponent* AOwner, TAdvToolBarCustomizer* Customizer)
    : TForm(AOwner), FToolBarCustomizer(Customizer) {
  TDialogSettings* ds = Customizer->DialogSettings();
  SetUpDialogFrame(this, 387, 363, ds->Caption());

  FGlyphs = new TCustomImageList(this, 16, 16);
  FDisabledGlyphs = new TCustomImageList(this, 16, 16);
  for (int g = 0; g < gCount; ++g)
    for (TCustomImageList* list : {FGlyphs, FDisabledGlyphs}) {
      TBitmap bmp(16, 16, TPixelFormat::pf24bit);
      DrawGlyph(bmp.Canvas(), g, list == FDisabledGlyphs);
      list->AddMasked(&bmp, clFuchsia);
    }

  GroupBox1 = PlaceDialogControl<TGroupBox>(this, this, L"GroupBox1", 9, 3, 369, 253);
  LblToolbarItems = PlaceDialogControl<TLabel>(GroupBox1, this, L"LblToolbarItems", 9, 10);
  LblToolbarItems->SetCaption(ds->ToolBarLabel());
  LstBxToolBarItems = PlaceDialogControl<TListBox>(GroupBox1, this, L"LstBxToolBarItems", 7, 26, 162, 219);
  LstBxToolBarItems->SetStyle(TListBoxStyle::lbOwnerDrawFixed);
  LstBxToolBarItems->SetItemHeight(20);
  LstBxToolBarItems->OnDrawItem = [this](TWinControl* C, int I, const TRect& R, TOwnerDrawState S) {
    LstBxToolBarItemsDrawItem(C, I, R, S);
  };
  LstBxToolBarItems->OnClick = [this](TObject*) { UpdateButtons(); };
  // Rows are dragged with the mouse: pressed on one row of the item list or
  // the command list, released on another row of the item list.
  LstBxToolBarItems->OnMouseDown = [this](TObject*, TMouseButton B, TShiftState, int X, int Y) {
    FDragRow = B == TMouseButton::mbLeft ? LstBxToolBarItems->ItemAtPos(TPoint(X, Y)) : -1;
  };
  LstBxToolBarItems->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int X, int Y) {
    int from = FDragRow;
    FDragRow = -1;
    int to = LstBxToolBarItems->ItemAtPos(TPoint(X, Y));
    if (from >= 0 && to >= 0 && to != from && LstBxToolBarItemsDragOver(LstBxToolBarItems)) {
      LstBxToolBarItems->SetItemIndex(from);
      LstBxToolBarItemsDragDrop(LstBxToolBarItems, X, Y);
    }
    UpdateButtons();
  };
  LstBxToolBarItems->OnDblClick = [this](TObject* S) { LstBxToolBarItemsDblClick(S); };

  TopButton = SpeedButton(L"TopButton", 26, gTop, ds->TopHint(), &TCustomizerForm::TopButtonClick);
  UpButton = SpeedButton(L"UpButton", 48, gUp, ds->UpHint(), &TCustomizerForm::UpButtonClick);
  DownButton = SpeedButton(L"DownButton", 70, gDown, ds->DownHint(), &TCustomizerForm::DownButtonClick);
  BottomButton = SpeedButton(L"BottomButton", 92, gBottom, ds->BottomHint(), &TCustomizerForm::BottomButtonClick);
  AddButton = SpeedButton(L"AddButton", 114, gAdd, ds->AddHint(), &TCustomizerForm::AddButtonClick);
  AddGlowButton =
      SpeedButton(L"AddGlowButton", 136, gAddGlow, ds->AddGlowButtonHint(), &TCustomizerForm::AddGlowButtonClick);
  SeparatorButton = SpeedButton(L"SeparatorButton", 158, gSeparator, ds->AddSeparatorHint(),
                                &TCustomizerForm::SeparatorButtonClick);
  DeleteButton = SpeedButton(L"DeleteButton", 180, gDelete, ds->DeleteHint(), &TCustomizerForm::DeleteButtonClick);
  ClearButton = SpeedButton(L"ClearButton", 202, gClear, ds->DeleteAllHint(), &TCustomizerForm::ClearButtonClick);
  BtnEdit = SpeedButton(L"BtnEdit", 224, gEdit, ds->EditHint(), &TCustomizerForm::BtnEditClick);

  LblCommands = PlaceDialogControl<TLabel>(GroupBox1, this, L"LblCommands", 201, 10);
  LblCommands->SetCaption(ds->CommandLabel());
  LstBxCommand = PlaceDialogControl<TListBox>(GroupBox1, this, L"LstBxCommand", 199, 26, 162, 193);
  LstBxCommand->SetItemHeight(13);
  LstBxCommand->OnClick = [this](TObject* S) { LstBxCommandClick(S); };
  LstBxCommand->OnMouseUp = [this](TObject*, TMouseButton B, TShiftState, int X, int Y) {
    if (B != TMouseButton::mbLeft) return;
    TPoint p = LstBxToolBarItems->ScreenToClient(LstBxCommand->ClientToScreen(TPoint(X, Y)));
    if (p.x >= 0 && p.y >= 0 && p.x < LstBxToolBarItems->Width() && p.y < LstBxToolBarItems->Height())
      LstBxToolBarItemsDragDrop(LstBxCommand, p.x, p.y);
  };
  CmBxIcon = PlaceDialogControl<TComboBox>(GroupBox1, this, L"CmBxIcon", 199, 223, 162, 22);
  CmBxIcon->SetStyle(TComboBoxStyle::csOwnerDrawFixed);
  CmBxIcon->SetItemHeight(16);
  CmBxIcon->OnDrawItem = [this](TWinControl* C, int I, const TRect& R, TOwnerDrawState S) {
    CmBxIconDrawItem(C, I, R, S);
  };

  GroupBox2 = PlaceDialogControl<TGroupBox>(this, this, L"GroupBox2", 9, 258, 369, 65);
  LblCaption = PlaceDialogControl<TLabel>(GroupBox2, this, L"LblCaption", 7, 20);
  LblCaption->SetCaption(ds->CaptionLabel());
  EdtCaption = PlaceDialogControl<TEdit>(GroupBox2, this, L"EdtCaption", 64, 16, 103, 21);
  EdtCaption->OnChange = [this](TObject*) { SetModified(); };
  LblGlphPos = PlaceDialogControl<TLabel>(GroupBox2, this, L"LblGlphPos", 200, 21);
  LblGlphPos->SetCaption(ds->GlyphPosLabel());
  CmBxGlphPos = PlaceDialogControl<TComboBox>(GroupBox2, this, L"CmBxGlphPos", 301, 16, 60, 21);
  for (const String& s : {ds->GlyphPositionLeftCaption(), ds->GlyphPositionTopCaption(),
                          ds->GlyphPositionRightCaption(), ds->GlyphPositionBottomCaption()})
    CmBxGlphPos->Items()->Add(s);
  CmBxGlphPos->OnChange = [this](TObject*) { SetModified(); };
  ChkLargeIcon = PlaceDialogControl<TCheckBox>(GroupBox2, this, L"ChkLargeIcon", 7, 43, 162, 16);
  ChkLargeIcon->SetCaption(ds->LargeIconCheck());
  ChkLargeIcon->OnClick = [this](TObject*) { SetModified(); };

  BtnOk = PlaceDialogControl<TButton>(this, this, L"BtnOk", 122, 333, 75, 25);
  BtnOk->SetCaption(ds->OKButtonCaption());
  BtnOk->SetHint(ds->OKButtonHint());
  BtnOk->SetDefault(true);
  BtnOk->OnClick = [this](TObject* S) { OkBitBtnClick(S); };
  BtnCancel = PlaceDialogControl<TButton>(this, this, L"BtnCancel", 197, 333, 75, 25);
  BtnCancel->SetCaption(ds->CancelButtonCaption());
  BtnCancel->SetHint(ds->CancelButtonHint());
  BtnCancel->SetCancel(true);
  BtnCancel->SetModalResult(mrCancel);
  BtnReset = PlaceDialogControl<TButton>(this, this, L"BtnReset", 303, 334, 75, 24);
  BtnReset->SetCaption(ds->ResetButtonCaption());
  BtnReset->SetHint(ds->ResetButtonHint());
  BtnReset->SetModalResult(mrReset);
}

void TCustomizerForm::Destroy() {
  for (int i = 0; i < LstBxToolBarItems->Items()->Count(); ++i) {
    if (TATBItemProp* p = Row(i)) p->Free();
    LstBxToolBarItems->Items()->SetObjects(i, nullptr);
  }
  TForm::Destroy();
}

TATBItemProp* TCustomizerForm::Row(int Index) {
  return static_cast<TATBItemProp*>(LstBxToolBarItems->Items()->Objects(Index));
}

TCustomImageList* TCustomizerForm::ToolBarImages() const {
  TAdvCustomToolBar* t = FToolBarCustomizer ? FToolBarCustomizer->AdvToolBar() : nullptr;
  return t ? t->Images() : nullptr;
}

// ---------------------------------------------------------------------------
// Filling and arranging

void TCustomizerForm::LoadComponents() {
  TAdvCustomToolBar* t = FToolBarCustomizer ? FToolBarCustomizer->AdvToolBar() : nullptr;
  if (!t) return;
  TCustomImageList* images = t->Images();
  if (images) LstBxToolBarItems->SetItemHeight(images->Height() + 3);
  TStrings* rows = LstBxToolBarItems->Items();
  for (int i = 0; i < t->ToolBarControlCount(); ++i) {
    TControl* c = t->ToolBarControls(i);
    if (IsToolBarButton(c)) {
      auto* b = static_cast<TAdvToolBarButton*>(c);
      auto* p = new TATBItemProp;
      p->ATBItem = b;
      p->CommandID = b->FCommandID;
      p->CustomizerCreated = b->FCustomizerCreated;
      p->Caption = b->Text();
      p->Hint = b->Hint();
      p->Visible = b->Visible();
      p->ImageIndex = b->ImageIndex();
      p->ForceImageIndex = b->ForceImageIndex();
      p->ShowCaption = b->ShowCaption();
      rows->AddObject(b->Text(), p);
    } else if (dynamic_cast<TAdvToolBarSeparator*>(c)) {
      auto* p = new TATBItemProp;
      p->ATBItem = c;
      rows->AddObject(L"Separator", p);
    } else if (auto* g = dynamic_cast<TAdvCustomGlowButton*>(c)) {
      auto* p = new TATBItemProp;
      p->ATBItem = g;
      p->CommandID = g->FCommandID;
      p->CustomizerCreated = g->FCustomizerCreated;
      p->Caption = g->Text();
      p->Hint = g->Hint();
      p->Visible = g->Visible();
      p->ImageIndex = g->ImageIndex();
      p->ShowCaption = g->ShowCaption();
      rows->AddObject(g->Text(), p);
    } else {
      rows->AddObject(c->Name(), nullptr);
    }
  }
  TATBCommands* commands = FToolBarCustomizer->Commands();
  for (int i = 0; i < commands->Count(); ++i) {
    TATBCommand* cmd = commands->Items(i);
    LstBxCommand->Items()->AddObject(cmd->Caption(), reinterpret_cast<TObject*>(static_cast<intptr_t>(cmd->ItemIndex() + 1)));
  }
  TDialogSettings* ds = FToolBarCustomizer->DialogSettings();
  FillIconBox(CmBxIcon, images, ds->GlyphEditNoneIconCaption());
  bool icons = images && images->Count() > 0 && ds->EditGlyphVisible();
  CmBxIcon->SetVisible(icons);
  LstBxCommand->SetBounds(LstBxCommand->Left(), LstBxCommand->Top(), LstBxCommand->Width(), icons ? 193 : 219);
  EdtCaption->SetText(t->ToolBarCaption());
  CmBxGlphPos->SetItemIndex(0);
  for (int i = 0; i < t->ToolBarControlCount(); ++i)
    if (IsToolBarButton(t->ToolBarControls(i))) {
      CmBxGlphPos->SetItemIndex(
          static_cast<int>(static_cast<TAdvToolBarButton*>(t->ToolBarControls(i))->GlyphPosition()));
      break;
    }
  ChkLargeIcon->SetChecked(FToolBarCustomizer->LargeImages() && FToolBarCustomizer->LargeImages() == images);
  if (commands->Count() > 0) {
    LstBxCommand->SetItemIndex(0);
    LstBxCommandClick(LstBxCommand);
  }
  if (rows->Count() > 0) LstBxToolBarItems->SetItemIndex(0);
  TButtonProperties* bp = FToolBarCustomizer->ButtonProperties();
  FCanEditBtn = bp->Caption() || bp->Hint() || bp->Glyph() || bp->ShowCaption() || bp->Visible();
  ArrangeOptionsGroup();
  UpdateButtons();
  FLoading = false;
}

void TCustomizerForm::SetCaptionEdit(bool Value) {
  EdtCaption->SetVisible(Value);
  LblCaption->SetVisible(Value);
}

void TCustomizerForm::SetGlyphPosition(bool Value) {
  CmBxGlphPos->SetVisible(Value);
  LblGlphPos->SetVisible(Value);
}

void TCustomizerForm::ArrangeOptionsGroup() {
  LblCaption->SetVisible(EdtCaption->Visible());
  LblGlphPos->SetVisible(CmBxGlphPos->Visible());
  auto place = [](TControl* C, int L, int T) { C->SetBounds(L, T, C->Width(), C->Height()); };
  bool large = ChkLargeIcon->Visible();
  if (large) place(ChkLargeIcon, 50, 43);
  if (!EdtCaption->Visible()) {
    if (CmBxGlphPos->Visible()) {
      place(LblGlphPos, 6, LblGlphPos->Top());
      place(CmBxGlphPos, 6 + LblGlphPos->Width() + 5, CmBxGlphPos->Top());
      if (large) place(ChkLargeIcon, 200, 19);
    } else if (large) {
      place(ChkLargeIcon, 7, 16);
    }
  } else if (!CmBxGlphPos->Visible() && large) {
    place(ChkLargeIcon, 200, 19);
  }
  place(EdtCaption, LblCaption->Left() + LblCaption->Width() + 5, EdtCaption->Top());
  place(LblGlphPos, CmBxGlphPos->Left() - 5 - LblGlphPos->Width(), LblGlphPos->Top());
  bool group = EdtCaption->Visible() || CmBxGlphPos->Visible() || large;
  if (GroupBox2->Visible() && !group) {
    GroupBox2->SetVisible(false);
    int h = GroupBox2->Height();
    SetClientHeight(ClientHeight() - h);
    place(BtnOk, BtnOk->Left(), BtnOk->Top() - h);
    place(BtnCancel, BtnCancel->Left(), BtnCancel->Top() - h);
    place(BtnReset, BtnReset->Left(), BtnOk->Top());
  }
}

void TCustomizerForm::UpdateButtons() {
  int n = LstBxToolBarItems->Items()->Count();
  int s = LstBxToolBarItems->ItemIndex();
  bool r = FToolBarCustomizer->Options()->ReOrder();
  bool edit = false;
  if (FCanEditBtn && s >= 0) {
    if (TATBItemProp* p = Row(s))
      edit = IsToolBarButton(p->ATBItem) || dynamic_cast<TAdvCustomGlowButton*>(p->ATBItem) || p->IsATBButton ||
             p->IsGlowButton;
  }
  BtnEdit->SetEnabled(edit);
  TopButton->SetEnabled(s > 0 && r);
  UpButton->SetEnabled(s > 0 && r);
  DownButton->SetEnabled(s >= 0 && s < n - 1 && r);
  BottomButton->SetEnabled(s >= 0 && s < n - 1 && r);
  AddButton->SetEnabled(LstBxCommand->ItemIndex() >= 0);
  DeleteButton->SetEnabled(s >= 0);
  ClearButton->SetEnabled(n > 0);
}

void TCustomizerForm::SetModified() {
  if (!FLoading) FModified = true;
}

// ---------------------------------------------------------------------------
// Editing the rows

void TCustomizerForm::MoveRow(int From, int To) {
  TStrings* rows = LstBxToolBarItems->Items();
  String text = rows->Strings(From);
  TObject* obj = rows->Objects(From);
  rows->Delete(From);
  rows->InsertObject(To, text, obj);
  LstBxToolBarItems->SetItemIndex(To);
  SetModified();
  UpdateButtons();
}

void TCustomizerForm::TopButtonClick(TObject*) {
  int s = LstBxToolBarItems->ItemIndex();
  if (s >= 0) MoveRow(s, 0);
}

void TCustomizerForm::BottomButtonClick(TObject*) {
  int s = LstBxToolBarItems->ItemIndex();
  if (s >= 0) MoveRow(s, LstBxToolBarItems->Items()->Count() - 1);
}

void TCustomizerForm::UpButtonClick(TObject*) {
  int s = LstBxToolBarItems->ItemIndex();
  if (s > 0) MoveRow(s, s - 1);
}

void TCustomizerForm::DownButtonClick(TObject*) {
  int s = LstBxToolBarItems->ItemIndex();
  if (s >= 0 && s < LstBxToolBarItems->Items()->Count() - 1) MoveRow(s, s + 1);
}

void TCustomizerForm::InsertRow(const String& Text, TATBItemProp* Prop) {
  TStrings* rows = LstBxToolBarItems->Items();
  int s = LstBxToolBarItems->ItemIndex();
  int at = s < 0 || s == rows->Count() - 1 ? rows->Count() : s + 1;
  rows->InsertObject(at, Text, Prop);
  LstBxToolBarItems->SetItemIndex(at);
  SetModified();
  UpdateButtons();
}

void TCustomizerForm::InsertCommand(bool Glow) {
  int c = LstBxCommand->ItemIndex();
  if (c < 0) return;
  auto* p = new TATBItemProp;
  p->CustomizerCreated = true;
  p->IsATBButton = !Glow;
  p->IsGlowButton = Glow;
  int icon = CmBxIcon->ItemIndex();
  p->ImageIndex = icon < 0 || icon == CmBxIcon->Items()->Count() - 1 ? -1 : icon;
  p->ForceImageIndex = true;
  p->Caption = LstBxCommand->Items()->Strings(c);
  p->Hint = p->Caption;
  p->Visible = true;
  p->CommandID = c;
  InsertRow(p->Caption, p);
}

void TCustomizerForm::AddButtonClick(TObject*) { InsertCommand(false); }
void TCustomizerForm::AddGlowButtonClick(TObject*) { InsertCommand(true); }

void TCustomizerForm::SeparatorButtonClick(TObject*) {
  auto* p = new TATBItemProp;
  p->CustomizerCreated = true;
  p->IsSeparator = true;
  // Unique among the toolbar's components and the separators inserted in
  // this run of the dialog.
  std::vector<String> taken;
  for (int i = 0; i < LstBxToolBarItems->Items()->Count(); ++i)
    if (TATBItemProp* r = Row(i); r && r->IsSeparator) taken.push_back(r->Caption);
  p->Caption = UniqueItemName(FToolBarCustomizer->AdvToolBar(), L"AdvToolBarSeparator", taken);
  InsertRow(L"Separator", p);
}

void TCustomizerForm::DeleteButtonClick(TObject*) {
  TStrings* rows = LstBxToolBarItems->Items();
  int s = LstBxToolBarItems->ItemIndex();
  if (s < 0 || rows->Count() == 0) return;
  TATBItemProp* p = Row(s);
  rows->Delete(s);
  if (p) p->Free();
  LstBxToolBarItems->SetItemIndex(std::min(s, rows->Count() - 1));
  SetModified();
  UpdateButtons();
}

void TCustomizerForm::ClearButtonClick(TObject*) {
  int answer = MessageDlg(L"Are you sure that you want to clear ToolBar?", TMsgDlgType::mtConfirmation,
                          {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}, 0);
  if (answer == mrNo) return;
  TStrings* rows = LstBxToolBarItems->Items();
  while (rows->Count() > 0) {
    TATBItemProp* p = Row(rows->Count() - 1);
    rows->Delete(rows->Count() - 1);
    if (p) p->Free();
  }
  SetModified();
  UpdateButtons();
}

void TCustomizerForm::LstBxCommandClick(TObject*) {
  int c = LstBxCommand->ItemIndex();
  if (c >= 0) {
    int icon = static_cast<int>(reinterpret_cast<intptr_t>(LstBxCommand->Items()->Objects(c))) - 1;
    if (icon < 0) icon = CmBxIcon->Items()->Count() - 1;
    if (icon >= 0 && icon < CmBxIcon->Items()->Count()) CmBxIcon->SetItemIndex(icon);
  }
  UpdateButtons();
}

void TCustomizerForm::LstBxToolBarItemsDblClick(TObject* Sender) {
  if (BtnEdit->Enabled() && BtnEdit->Visible()) BtnEditClick(Sender);
}

bool TCustomizerForm::LstBxToolBarItemsDragOver(TObject* Source) {
  return Source == LstBxCommand || (Source == LstBxToolBarItems && FToolBarCustomizer->Options()->ReOrder());
}

void TCustomizerForm::LstBxToolBarItemsDragDrop(TObject* Source, int X, int Y) {
  if (!LstBxToolBarItemsDragOver(Source)) return;
  if (Source == LstBxToolBarItems) {
    int from = LstBxToolBarItems->ItemIndex();
    int to = LstBxToolBarItems->ItemAtPos(TPoint(X, Y));
    if (from < 0 || to < 0 || from == to) return;
    MoveRow(from, to);
  } else if (LstBxCommand->ItemIndex() >= 0) {
    AddButtonClick(Source);
  }
}

// ---------------------------------------------------------------------------
// Painting the rows

void TCustomizerForm::LstBxToolBarItemsDrawItem(TWinControl*, int Index, const TRect& Rect, TOwnerDrawState) {
  TCanvas* c = LstBxToolBarItems->Canvas();
  c->FillRect(Rect);
  TCustomImageList* images = ToolBarImages();
  int x = 2;
  if (TATBItemProp* p = Row(Index)) {
    TControl* item = p->ATBItem;
    auto image = [&](TCustomImageList* List, int I) {
      List->Draw(c, Rect.left + 2, Rect.top + 2, I);
      x += List->Width() + 8;
    };
    if (IsToolBarButton(item)) {
      auto* b = static_cast<TAdvToolBarButton*>(item);
      if (b->Glyph() && !b->Glyph()->Empty()) {
        c->Draw(Rect.left + 2, Rect.top + 2, b->Glyph());
        x += b->Glyph()->Width();
      } else if (b->ImageIndex() >= 0 && images) {
        image(images, p->ImageIndex);
      } else if (images) {
        x += images->Width() + 8;
      }
    } else if (dynamic_cast<TAdvToolBarSeparator*>(item) || p->IsSeparator) {
      x += 8;
    } else if (auto* g = dynamic_cast<TAdvCustomGlowButton*>(item)) {
      if (g->Picture() && !g->Picture()->Empty()) {
        c->Draw(Rect.left + 2, Rect.top + 2, g->Picture());
        x += g->Picture()->Width();
      } else if (g->ImageIndex() >= 0 && g->Images()) {
        image(g->Images(), p->ImageIndex);
      }
    } else if ((p->IsATBButton || p->IsGlowButton) && images && p->ImageIndex >= 0) {
      image(images, p->ImageIndex);
    }
  }
  x += 8;
  int h = c->TextHeight(L"Wg");
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  c->TextOut(Rect.left + x, Rect.top + (LstBxToolBarItems->ItemHeight() - h) / 2,
             LstBxToolBarItems->Items()->Strings(Index));
}

void TCustomizerForm::CmBxIconDrawItem(TWinControl*, int Index, const TRect& Rect, TOwnerDrawState) {
  DrawIconEntry(CmBxIcon, ToolBarImages(), Index, Rect, L"Wg");
}

// ---------------------------------------------------------------------------
// The button dialog

void TCustomizerForm::BtnEditClick(TObject*) {
  TButtonProperties* bp = FToolBarCustomizer->ButtonProperties();
  TCustomImageList* images = ToolBarImages();
  TCusBtnForm* f = new TCusBtnForm(this, FToolBarCustomizer);
  SetCusBtnForm(f);
  struct Done {
    TCusBtnForm*& F;
    ~Done() {
      SetCusBtnForm(nullptr);
      F->Free();
    }
  } done{f};
  f->CmBxGlyph->SetVisible(false);
  if (bp->Glyph() && images) {
    FillIconBox(f->CmBxGlyph, images, FToolBarCustomizer->DialogSettings()->GlyphEditNoneIconCaption());
    f->CmBxGlyph->SetVisible(true);
  }
  int s = LstBxToolBarItems->ItemIndex();
  TATBItemProp* p = s >= 0 ? Row(s) : nullptr;
  if (p) {
    f->EdtBtnCaption->SetText(p->Caption);
    f->EdtBtnHint->SetText(p->Hint);
    f->ChkBtnShowCap->SetChecked(p->ShowCaption);
    f->ChkBtnVis->SetChecked(p->Visible);
    auto* glow = dynamic_cast<TAdvCustomGlowButton*>(p->ATBItem);
    bool enabled = !(glow && !glow->FCustomizerCreated);
    f->CmBxGlyph->SetEnabled(enabled);
    if (!enabled)
      f->CmBxGlyph->SetItemIndex(-1);
    else if (p->ImageIndex < f->CmBxGlyph->Items()->Count())
      f->CmBxGlyph->SetItemIndex(p->ImageIndex);
  }
  f->EdtBtnCaption->SetEnabled(bp->Caption());
  f->EdtBtnHint->SetVisible(bp->Hint());
  f->LblBtnHint->SetVisible(bp->Hint());
  f->CmBxGlyph->SetVisible(f->CmBxGlyph->Visible() && bp->Glyph());
  f->LblGlyph->SetVisible(f->CmBxGlyph->Visible());
  f->ChkBtnShowCap->SetVisible(bp->ShowCaption());
  f->ChkBtnVis->SetVisible(bp->Visible());
  auto place = [](TControl* C, int L, int T) { C->SetBounds(L, T, C->Width(), C->Height()); };
  if (!f->ChkBtnShowCap->Visible() && f->ChkBtnVis->Visible()) place(f->ChkBtnVis, 139, 11);
  int w = f->LblBtnCaption->Width();
  if (f->EdtBtnHint->Visible()) w = std::max(w, f->LblBtnHint->Width());
  if (f->CmBxGlyph->Visible()) w = std::max(w, f->LblGlyph->Width());
  if (w > 0) {
    int x = w + 12;
    for (TControl* c : {static_cast<TControl*>(f->EdtBtnCaption), static_cast<TControl*>(f->EdtBtnHint),
                        static_cast<TControl*>(f->CmBxGlyph)})
      place(c, x, c->Top());
    for (TControl* l : {static_cast<TControl*>(f->LblBtnCaption), static_cast<TControl*>(f->LblBtnHint),
                        static_cast<TControl*>(f->LblGlyph)})
      place(l, x - 5 - l->Width(), l->Top());
    int cx = std::max(f->ChkBtnShowCap->Left(), x + f->EdtBtnCaption->Width() + 4);
    place(f->ChkBtnShowCap, cx, f->ChkBtnShowCap->Top());
    place(f->ChkBtnVis, cx, f->ChkBtnVis->Top());
    int right = f->ChkBtnShowCap->Left() + f->ChkBtnShowCap->Width();
    if (right >= f->GroupBox1->Width()) {
      f->GroupBox1->SetBounds(f->GroupBox1->Left(), f->GroupBox1->Top(), right + 3, f->GroupBox1->Height());
      if (f->GroupBox1->Left() + f->GroupBox1->Width() >= f->Width())
        f->SetBounds(f->Left(), f->Top(), f->GroupBox1->Left() + f->GroupBox1->Width() + 6, f->Height());
    }
    place(f->BtnOk, f->Width() / 2 - f->BtnOk->Width(), f->BtnOk->Top());
    place(f->BtnCancel, f->BtnOk->Left() + f->BtnOk->Width(), f->BtnCancel->Top());
  }
  TPoint at = ClientToScreen(TPoint(75, 120));
  f->SetBounds(at.x, at.y, f->Width(), f->Height());
  if (f->ShowModal() != mrOk || !p) return;
  if (!(IsToolBarButton(p->ATBItem) || dynamic_cast<TAdvCustomGlowButton*>(p->ATBItem) || p->IsATBButton ||
        p->IsGlowButton))
    return;
  p->Caption = f->EdtBtnCaption->Text();
  p->Hint = f->EdtBtnHint->Text();
  p->Visible = f->ChkBtnVis->Checked();
  p->ShowCaption = f->ChkBtnShowCap->Checked();
  if (bp->Glyph() && f->CmBxGlyph->Enabled()) {
    int sel = f->CmBxGlyph->ItemIndex();
    if (sel != p->ImageIndex) p->ForceImageIndex = true;
    p->ImageIndex = sel < 0 || sel == f->CmBxGlyph->Items()->Count() - 1 ? -1 : sel;
  }
  LstBxToolBarItems->Items()->SetStrings(s, p->Caption);
  SetModified();
}

// ---------------------------------------------------------------------------
// OK: the user's section

void TCustomizerForm::OkBitBtnClick(TObject*) {
  SaveCustomizedLayout();
  SetModalResult(mrOk);
}

void TCustomizerForm::SaveCustomizedLayout() {
  TAdvToolBarCustomizer* cz = FToolBarCustomizer;
  if (!cz || !cz->EnablePersistence() || cz->FileName().empty()) return;
  TIniFile ini(cz->FileName());
  const String section = cz->UserSection();
  ini.EraseSection(section);
  WriteRows(ini, section);
}

void TCustomizerForm::WriteRows(TIniFile& Ini, const String& S) {
  TAdvToolBarCustomizer* cz = FToolBarCustomizer;
  TAdvCustomToolBar* t = cz->AdvToolBar();
  TButtonProperties* bp = cz->ButtonProperties();
  TStrings* rows = LstBxToolBarItems->Items();
  // An item without a Name could not be found again on loading.
  cz->NameUnnamedItems();
  // Names of the listed items may not be given to new ones.
  std::vector<String> taken;
  for (int i = 0; i < rows->Count(); ++i)
    if (TATBItemProp* p = Row(i); p && p->ATBItem) taken.push_back(p->ATBItem->Name());
  auto fresh = [&](const String& Base) {
    String name = UniqueItemName(t, Base, taken);
    taken.push_back(name);
    return name;
  };
  if (EdtCaption->Visible()) Ini.WriteString(S, L"ATBCaption", EdtCaption->Text());
  if (CmBxGlphPos->Visible()) Ini.WriteInteger(S, L"GlyphPosition", CmBxGlphPos->ItemIndex());
  if (ChkLargeIcon->Visible()) Ini.WriteBool(S, L"LargeIcon", ChkLargeIcon->Checked());
  Ini.WriteInteger(S, L"ToolBarItemCount", rows->Count());
  auto button = [&](int I, TATBItemProp* P, const wchar_t* Class, bool Command) {
    Ini.WriteString(S, Key(I, L".ClassName"), Class);
    if (Command) Ini.WriteInteger(S, Key(I, L".CommandID"), P->CommandID);
    if (bp->Glyph()) {
      Ini.WriteInteger(S, Key(I, L".ImageIndex"), P->ImageIndex);
      Ini.WriteBool(S, Key(I, L".ForceImageIndex"), P->ForceImageIndex);
    }
    if (bp->Visible()) Ini.WriteBool(S, Key(I, L".Visible"), P->Visible);
    if (bp->ShowCaption()) Ini.WriteBool(S, Key(I, L".ShowCaption"), P->ShowCaption);
    if (bp->Caption()) Ini.WriteString(S, Key(I, L".Caption"), P->Caption);
    if (bp->Hint()) Ini.WriteString(S, Key(I, L".Hint"), P->Hint);
  };
  for (int i = 0; i < rows->Count(); ++i) {
    TATBItemProp* p = Row(i);
    if (!p) {
      Ini.WriteString(S, Key(i), rows->Strings(i));
      Ini.WriteString(S, Key(i, L".ClassName"), L"-1");
    } else if (TControl* item = p->ATBItem) {
      Ini.WriteString(S, Key(i), item->Name());
      if (IsToolBarButton(item))
        button(i, p, L"ADVTOOLBARBUTTON", p->CustomizerCreated);
      else if (dynamic_cast<TAdvToolBarSeparator*>(item))
        Ini.WriteString(S, Key(i, L".ClassName"), L"ADVTOOLBARSEPARATOR");
      else if (dynamic_cast<TAdvCustomGlowButton*>(item))
        button(i, p, L"ADVCUSTOMGLOWBUTTON", p->CustomizerCreated);
      else
        Ini.WriteString(S, Key(i, L".ClassName"), L"-1");
    } else if (p->IsATBButton) {
      Ini.WriteString(S, Key(i), fresh(L"ADVTOOLBARBUTTON"));
      button(i, p, L"ADVTOOLBARBUTTON", true);
    } else if (p->IsGlowButton) {
      // Named after the command, with a number that no other item has, so
      // two glow buttons of one command both come back.
      const String base = rows->Strings(i);
      Ini.WriteString(S, Key(i), fresh(IsValidIdent(base) ? base : String(L"AdvGlowButton")));
      button(i, p, L"ADVCUSTOMGLOWBUTTON", true);
    } else if (p->IsSeparator) {
      bool free = IsValidIdent(p->Caption) &&
                  std::none_of(taken.begin(), taken.end(), [&](const String& n) { return SameText(n, p->Caption); }) &&
                  !cz->FindToolBarControl(p->Caption) && !(t->Owner() && t->Owner()->FindComponent(p->Caption));
      String name = free ? p->Caption : fresh(L"AdvToolBarSeparator");
      if (free) taken.push_back(name);
      Ini.WriteString(S, Key(i), name);
      Ini.WriteString(S, Key(i, L".ClassName"), L"ADVTOOLBARSEPARATOR");
    }
  }
}

// ---------------------------------------------------------------------------
// Running the dialog

void PrepareCustomizerDialog(TCustomizerForm* f, TAdvToolBarCustomizer* Customizer) {
  TDialogSettings* ds = Customizer->DialogSettings();
  TCustomizedOptions* o = Customizer->Options();
  f->SetCaptionEdit(ds->EditCaption());
  f->SetGlyphPosition(ds->EditGlyphPosition());
  f->ChkLargeIcon->SetVisible(ds->LargeIcon() && Customizer->LargeImages());
  f->LoadComponents();
  f->CmBxIcon->SetEnabled(ds->EditGlyph());
  for (TControl* c : {static_cast<TControl*>(f->TopButton), static_cast<TControl*>(f->UpButton),
                      static_cast<TControl*>(f->DownButton), static_cast<TControl*>(f->BottomButton)})
    c->SetVisible(o->ReOrder());
  f->DeleteButton->SetVisible(o->Delete());
  f->ClearButton->SetVisible(o->DeleteAll());
  f->AddButton->SetVisible(o->AddButton() && Customizer->Commands()->Count() > 0);
  f->SeparatorButton->SetVisible(o->AddSeparator());
  f->AddGlowButton->SetVisible(o->AddGlowButton());
  f->BtnEdit->SetVisible(o->EditButton());
  int v = f->TopButton->Visible() ? f->BottomButton->Top() + f->BottomButton->Height() : f->TopButton->Top();
  for (TControl* c : {static_cast<TControl*>(f->AddButton), static_cast<TControl*>(f->AddGlowButton),
                      static_cast<TControl*>(f->SeparatorButton), static_cast<TControl*>(f->DeleteButton),
                      static_cast<TControl*>(f->ClearButton), static_cast<TControl*>(f->BtnEdit)})
    if (c->Visible()) {
      c->SetBounds(c->Left(), v, c->Width(), c->Height());
      v += c->Height();
    }
}

void ShowCustomizerDialog(TAdvToolBarCustomizer* Customizer) {
  TAdvCustomToolBar* t = Customizer ? Customizer->AdvToolBar() : nullptr;
  if (!t || gCustomizerForm) return;
  TCustomizerForm* f = new TCustomizerForm(Customizer, Customizer);
  gCustomizerForm = f;
  struct Done {
    TCustomizerForm* F;
    ~Done() {
      gCustomizerForm = nullptr;
      F->Free();
    }
  } done{f};
  PrepareCustomizerDialog(f, Customizer);
  auto screen = [&](int X, int Y) { return t->Parent() ? t->Parent()->ClientToScreen(TPoint(X, Y)) : TPoint(X, Y); };
  TPoint p = screen(t->Left() + t->Width() - 12, t->Top() + t->Height() + 1);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  if (p.y + f->Height() + 2 > work.bottom) p.y = work.bottom - f->Height() - 2;
  if (p.x + f->Width() > work.right)
    p.x = t->Position() == TDockAlign::daRight ? screen(t->Left() - f->Width(), 0).x : work.right - f->Width();
  bool canShow = true;
  int x = p.x, y = p.y;
  if (Customizer->OnCanShow) Customizer->OnCanShow(Customizer, x, y, canShow);
  if (!canShow) return;
  f->SetBounds(x, y, f->Width(), f->Height());
  if (Customizer->OnBeforeDisplay) Customizer->OnBeforeDisplay(Customizer);
  TModalResult r = f->ShowModal();
  if (r == mrOk) {
    if (f->Modified()) {
      Customizer->LoadCustomizedLayout();
      if (Customizer->OnAfterPost) Customizer->OnAfterPost(Customizer);
    }
  } else if (r == mrReset) {
    Customizer->RestoreDesignedLayout();
  }
}

void InitCustomizerDialogsUnit() { SetCustomizerDialogRunner(ShowCustomizerDialog); }
void FiniCustomizerDialogsUnit() { SetCustomizerDialogRunner(nullptr); }
