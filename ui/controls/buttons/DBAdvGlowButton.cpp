#include "ui/controls/buttons/DBAdvGlowButton.h"

#include "base/Forms.h"

namespace {
using T = TDBGlowButtonType;
using R = TDBBDisableControl;

const wchar_t* GlyphName(T Type) {
  switch (Type) {
    case T::dbFirst: return L"DBIMGFIRST";
    case T::dbPrior: return L"DBIMGPRIOR";
    case T::dbNext: return L"DBIMGNEXT";
    case T::dbLast: return L"DBIMGLAST";
    case T::dbInsert: case T::dbAppend: return L"DBIMGINSERT";
    case T::dbDelete: return L"DBIMGDELETE";
    case T::dbEdit: return L"DBIMGEDIT";
    case T::dbPost: return L"DBIMGPOST";
    case T::dbCancel: return L"DBIMGCANCEL";
    case T::dbRefresh: return L"DBIMGREFRESH";
    case T::dbCustom: break;
  }
  return nullptr;
}
}  // namespace

TDBAdvGlowButton::TDBAdvGlowButton(TComponent* AOwner) : TAdvCustomGlowButton(AOwner) {
  FDataLink = new TDBGlowButtonDataLink;
  auto changed = [this](TObject*) { UpdateEnabled(); };
  FDataLink->OnEditingChanged = changed;
  FDataLink->OnDataSetChanged = changed;
  FDataLink->OnActiveChanged = changed;
}

void TDBAdvGlowButton::Destroy() {
  FDataLink.Reset();
  if (FInternalImages) {
    TCustomImageList* list = FInternalImages;
    FInternalImages = nullptr;
    list->Free();
  }
  TAdvCustomGlowButton::Destroy();
}

void TDBAdvGlowButton::Loaded() {
  TAdvCustomGlowButton::Loaded();
  if (ImageIndex() <= 0) LoadGlyph();
  UpdateEnabled();
}

void TDBAdvGlowButton::Notification(TComponent* AComponent, TOperation Operation) {
  TAdvCustomGlowButton::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (FDataLink && AComponent == static_cast<TComponent*>(FDataLink->DataSource())) SetDataSource(nullptr);
  if (AComponent == FInternalImages) FInternalImages = nullptr;
}

void TDBAdvGlowButton::SetDataSource(TDataSource* Value) {
  TDataSource* old = FDataLink->DataSource();
  if (old == Value) return;
  if (old && !old->IsDestroying()) old->RemoveFreeNotification(this);
  FDataLink->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
  if (!IsLoading()) UpdateEnabled();
}

void TDBAdvGlowButton::SetDBButtonType(TDBGlowButtonType Value) {
  if (Value == FDBButtonType) return;
  if (Value == T::dbDelete && FConfirmActionString.empty()) FConfirmActionString = L"Delete record?";
  FDBButtonType = Value;
  if (!ComponentState().Contains(TComponentStateItem::csReading) && !IsLoading()) LoadGlyph();
  switch (Value) {
    case T::dbFirst: case T::dbPrior: FDisableControls = {R::drBOF, R::drEditing, R::drEmpty}; break;
    case T::dbNext: case T::dbLast: FDisableControls = {R::drEOF, R::drEditing, R::drEmpty}; break;
    case T::dbInsert: case T::dbAppend: FDisableControls = {R::drReadonly, R::drEditing}; break;
    case T::dbDelete: case T::dbEdit: FDisableControls = {R::drReadonly, R::drEditing, R::drEmpty}; break;
    case T::dbPost: case T::dbCancel: FDisableControls = {R::drNotEditing}; break;
    case T::dbRefresh: FDisableControls = {R::drEditing}; break;
    case T::dbCustom: break;
  }
}

void TDBAdvGlowButton::Click() {
  TAdvCustomGlowButton::Click();
  DoAction();
}

void TDBAdvGlowButton::DoBeforeAction(bool& DoAction) {
  if (!IsDesigning() && OnBeforeAction) OnBeforeAction(this, DoAction);
}

void TDBAdvGlowButton::GetConfirm(String& Question, TMsgDlgButtons& Buttons, int& HelpCtx) {
  Question.clear();
  if (!FConfirmAction) return;
  Question = FConfirmActionString;
  Buttons = {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel};
  HelpCtx = 0;
  if (OnGetConfirm) OnGetConfirm(this, Question, Buttons, HelpCtx);
}

bool TDBAdvGlowButton::AskConfirmation() {
  String question;
  TMsgDlgButtons buttons;
  int help = 0;
  GetConfirm(question, buttons, help);
  if (question.empty()) return true;
  int r = MessageDlgPos(question, TMsgDlgType::mtConfirmation, buttons, help, -1, -1);
  return r == mrOk || r == mrYes;
}

void TDBAdvGlowButton::DoAction() {
  if (!AskConfirmation()) return;
  bool doAction = FDBButtonType != T::dbCustom;
  try {
    DoBeforeAction(doAction);
    TDataSource* source = FDataLink->DataSource();
    if (doAction && source && source->State() != TDataSetState::dsInactive && source->DataSet()) {
      TDataSet* d = source->DataSet();
      switch (FDBButtonType) {
        case T::dbFirst: d->First(); break;
        case T::dbPrior: d->Prior(); break;
        case T::dbNext: d->Next(); break;
        case T::dbLast: d->Last(); break;
        case T::dbInsert: d->Insert(); break;
        case T::dbAppend: d->Append(); break;
        case T::dbDelete: d->Delete(); break;
        case T::dbEdit: d->Edit(); break;
        case T::dbPost: d->Post(); break;
        case T::dbCancel: d->Cancel(); break;
        case T::dbRefresh: d->Refresh(); break;
        case T::dbCustom: break;
      }
    }
  } catch (...) {
    bool show = true;
    if (OnAfterAction) OnAfterAction(this, show);
    if (show) throw;
    return;
  }
  if (doAction && OnAfterAction) {
    bool show = false;
    OnAfterAction(this, show);
  }
}

void TDBAdvGlowButton::UpdateEnabled() {
  if (IsDesigning() || IsDestroying() || !FAutoDisable) return;
  struct Mark {
    bool& Flag;
    explicit Mark(bool& F) : Flag(F) { Flag = true; }
    ~Mark() { Flag = false; }
  };
  bool was = Enabled();
  {
    Mark mark(FInProcUpdateEnabled);
    if (FDataLink->Active()) {
      TDataSet* d = FDataLink->DataSet();
      TDBBDisableControls reasons;
      if (d->Bof()) reasons.Include(R::drBOF);
      if (d->Eof()) reasons.Include(R::drEOF);
      if (!d->CanModify()) reasons.Include(R::drReadonly);
      if (d->Bof() && d->Eof()) reasons.Include(R::drEmpty);
      reasons.Include(FDataLink->Editing() ? R::drEditing : R::drNotEditing);
      TDBBDisableControls checked = FDisableControls;
      checked.Exclude(R::drEvent);
      bool enabled = (checked * reasons).Empty();
      if (FDisableControls.Contains(R::drEvent) && OnGetEnabled) OnGetEnabled(this, enabled);
      SetEnabled(enabled);
    } else {
      SetEnabled(false);
    }
    if (Enabled() != was && OnEnabledChanged) OnEnabledChanged(this);
  }
  LoadGlyph();
}

void TDBAdvGlowButton::LoadGlyph() {
  if (IsLoading() || Images() || (!Enabled() && DisabledImages()) || FDBButtonType == T::dbCustom) return;
  if (!FInternalImages) {
    FInternalImages = new TImageList(this, 16, 16);
    FInternalImages->SetMasked(true);
    FInternalImages->SetDrawingStyle(TDrawingStyle::dsTransparent);
  }
  FInternalImages->Clear();
  String name = GlyphName(FDBButtonType);
  if (!Enabled()) name += L"D";
  TBitmap glyph(16, 16);
  glyph.LoadFromResourceName(GetModuleHandleW(nullptr), name);
  glyph.SetTransparent(true);
  FInternalImages->AddMasked(&glyph, 0x00FF00FF);
  FImageIndex = 0;
  Invalidate();
}

void TDBAdvGlowButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_ENABLEDCHANGED) {
    TAdvCustomGlowButton::Dispatch(Message);
    if (!FInProcUpdateEnabled && !IsLoading() && !IsDestroying()) UpdateEnabled();
    return;
  }
  TAdvCustomGlowButton::Dispatch(Message);
}
