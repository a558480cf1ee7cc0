#include "ui/toolbar/bars/AdvToolBarCustomizer.h"

#include <algorithm>
#include <vector>

#include "base/ActnList.h"
#include "base/MemIniFile.h"
#include "ui/controls/buttons/AdvGlowButton.h"

namespace {

String Key(int I, const wchar_t* Suffix = L"") { return L"Name" + std::to_wstring(I) + Suffix; }

bool IsButton(TControl* C) { return C && C->ClassName() == String(L"TAdvToolBarButton"); }

String ClassKey(TControl* C) {
  if (IsButton(C)) return L"ADVTOOLBARBUTTON";
  if (dynamic_cast<TAdvToolBarSeparator*>(C)) return L"ADVTOOLBARSEPARATOR";
  if (dynamic_cast<TAdvCustomGlowButton*>(C)) return L"ADVCUSTOMGLOWBUTTON";
  return L"-1";
}

TButtonLayout GlowLayout(int G) {
  static const TButtonLayout layouts[] = {TButtonLayout::blGlyphLeft, TButtonLayout::blGlyphTop,
                                          TButtonLayout::blGlyphRight, TButtonLayout::blGlyphBottom};
  return layouts[G];
}

}  // namespace

// ---------------------------------------------------------------------------
// Commands and switches

void TATBCommand::Assign(TPersistent* Source) {
  if (auto* c = dynamic_cast<TATBCommand*>(Source)) {
    SetCaption(c->Caption());
    OnExecute = c->OnExecute;
    return;
  }
  TCollectionItem::Assign(Source);
}

void TATBCommand::SetCaption(const String& Value) {
  String name = Value;
  for (wchar_t& ch : name)
    if (!(ch == L'_' || (ch >= L'0' && ch <= L'9') || (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z')))
      ch = L'_';
  if (!name.empty() && name[0] >= L'0' && name[0] <= L'9') name.insert(name.begin(), L'_');
  FCaption = name;
}

void TATBCommand::SetAction(TBasicAction* Value) {
  FAction = Value;
  if (auto* a = dynamic_cast<TCustomAction*>(Value)) SetCaption(a->Caption());
}

TATBCommands::TATBCommands(TAdvToolBarCustomizer* AOwner)
    : TCollection(ItemClass<TATBCommand>()), FOwner(AOwner) {}

TPersistent* TATBCommands::GetOwner() { return FOwner; }

void TButtonProperties::Set(bool& Field, bool Value) {
  if (Field == Value) return;
  Field = Value;
  if (OnChange) OnChange(this);
}

void TButtonProperties::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TButtonProperties*>(Source)) {
    FCaption = p->FCaption;
    FShowCaption = p->FShowCaption;
    FVisible = p->FVisible;
    FHint = p->FHint;
    FGlyph = p->FGlyph;
    return;
  }
  TPersistent::Assign(Source);
}

void TDialogSettings::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TDialogSettings*>(Source)) {
    FEditCaption = s->FEditCaption;
    FEditGlyphPosition = s->FEditGlyphPosition;
    FLargeIcon = s->FLargeIcon;
    FEditGlyph = s->FEditGlyph;
    FEditGlyphVisible = s->FEditGlyphVisible;
    FToolBarLabel = s->FToolBarLabel;
    FCommandLabel = s->FCommandLabel;
    FCaptionLabel = s->FCaptionLabel;
    FGlyphPosLabel = s->FGlyphPosLabel;
    FLargeIconCheck = s->FLargeIconCheck;
    FTopHint = s->FTopHint;
    FUpHint = s->FUpHint;
    FDownHint = s->FDownHint;
    FBottomHint = s->FBottomHint;
    FAddHint = s->FAddHint;
    FAddSeparatorHint = s->FAddSeparatorHint;
    FDeleteHint = s->FDeleteHint;
    FDeleteAllHint = s->FDeleteAllHint;
    FEditHint = s->FEditHint;
    FCaption = s->FCaption;
    FButtonEditCaption = s->FButtonEditCaption;
    FButtonEditCaptionLabel = s->FButtonEditCaptionLabel;
    FButtonEditHintLabel = s->FButtonEditHintLabel;
    FButtonEditIconLabel = s->FButtonEditIconLabel;
    FButtonEditCaptionCheck = s->FButtonEditCaptionCheck;
    FButtonEditVisibleCheck = s->FButtonEditVisibleCheck;
    FOKButtonCaption = s->FOKButtonCaption;
    FOKButtonHint = s->FOKButtonHint;
    FCancelButtonCaption = s->FCancelButtonCaption;
    FCancelButtonHint = s->FCancelButtonHint;
    FResetButtonCaption = s->FResetButtonCaption;
    FResetButtonHint = s->FResetButtonHint;
    FAddGlowButtonHint = s->FAddGlowButtonHint;
    FGlyphPositionLeftCaption = s->FGlyphPositionLeftCaption;
    FGlyphPositionTopCaption = s->FGlyphPositionTopCaption;
    FGlyphPositionRightCaption = s->FGlyphPositionRightCaption;
    FGlyphPositionBottomCaption = s->FGlyphPositionBottomCaption;
    FGlyphEditNoneIconCaption = s->FGlyphEditNoneIconCaption;
    return;
  }
  TPersistent::Assign(Source);
}

void TCustomizedOptions::Set(bool& Field, bool Value) {
  if (Field == Value) return;
  Field = Value;
  if (OnChange) OnChange(this);
}

void TCustomizedOptions::Assign(TPersistent* Source) {
  if (auto* o = dynamic_cast<TCustomizedOptions*>(Source)) {
    FAddButton = o->FAddButton;
    FReOrder = o->FReOrder;
    FDelete = o->FDelete;
    FDeleteAll = o->FDeleteAll;
    FAddSeparator = o->FAddSeparator;
    FAddGlowButton = o->FAddGlowButton;
    FEditButton = o->FEditButton;
    return;
  }
  TPersistent::Assign(Source);
}

// ---------------------------------------------------------------------------
// The customizer

TAdvToolBarCustomizer::TAdvToolBarCustomizer(TComponent* AOwner)
    : TComponent(AOwner),
      FCommands(new TATBCommands(this)),
      FButtonProperties(new TButtonProperties),
      FDialogSettings(new TDialogSettings),
      FOptions(new TCustomizedOptions),
      FDeleteItems(new TDbgList) {}

void TAdvToolBarCustomizer::Destroy() {
  SetAdvToolBar(nullptr);
  TComponent::Destroy();
}

void TAdvToolBarCustomizer::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove || IsDestroying()) return;
  if (AComponent == FAdvToolBar) {
    FAdvToolBar = nullptr;
    FDeleteItems->Clear();
  }
  if (AComponent == FLargeImages) FLargeImages = nullptr;
  if (AComponent == FSmallImages) FSmallImages = nullptr;
  // An item taken off the toolbar that is freed leaves the list.
  if (auto* c = dynamic_cast<TControl*>(AComponent)) FDeleteItems->Remove(c);
}

void TAdvToolBarCustomizer::SetAdvToolBar(TAdvCustomToolBar* Value) {
  if (FAdvToolBar == Value) return;
  if (FAdvToolBar) {
    FAdvToolBar->RemoveFreeNotification(this);
    if (FAdvToolBar->Customizer() == this) FAdvToolBar->SetCustomizer(nullptr);
  }
  FAdvToolBar = Value;
  if (Value) {
    Value->FreeNotification(this);
    Value->SetCustomizer(this);
  }
}

void TAdvToolBarCustomizer::SetLargeImages(TCustomImageList* Value) {
  if (FLargeImages) FLargeImages->RemoveFreeNotification(this);
  FLargeImages = Value;
  if (Value) Value->FreeNotification(this);
}

void TAdvToolBarCustomizer::SetSmallImages(TCustomImageList* Value) {
  if (FSmallImages) FSmallImages->RemoveFreeNotification(this);
  FSmallImages = Value;
  if (Value) Value->FreeNotification(this);
}

void TAdvToolBarCustomizer::SetFileName(const String& Value) {
  if (FFileName == Value) return;
  FFileName = Value;
  if (!Value.empty() && !IsDesigning() && !IsLoading()) LoadCustomizedLayout();
}

void TAdvToolBarCustomizer::ShowCustomizer(TAdvCustomToolBar*) {
  if (const TCustomizerDialogRunner& run = CustomizerDialogRunner()) run(this);
}

TControl* TAdvToolBarCustomizer::FindToolBarControl(const String& AName) {
  if (!FAdvToolBar || AName.empty()) return nullptr;
  for (int i = 0; i < FAdvToolBar->ToolBarControlCount(); ++i) {
    TControl* c = FAdvToolBar->ToolBarControls(i);
    if (c && SameText(c->Name(), AName)) return c;
  }
  return nullptr;
}

void TAdvToolBarCustomizer::NameUnnamedItems() {
  TAdvCustomToolBar* t = FAdvToolBar;
  if (!t || !FileWork()) return;
  const String base = (t->Name().empty() ? String(L"ToolBar") : t->Name()) + L"Item";
  std::vector<String> taken;
  for (int i = 0; i < t->ToolBarControlCount(); ++i) {
    TControl* c = t->ToolBarControls(i);
    if (!c || !c->Name().empty()) continue;
    String name = UniqueItemName(t, base, taken);
    // The item's own owner may hold other names than the toolbar's.
    while (c->Owner() && c->Owner()->FindComponent(name)) {
      taken.push_back(name);
      name = UniqueItemName(t, base, taken);
    }
    c->SetName(name);
    taken.push_back(name);
  }
}

void TAdvToolBarCustomizer::TakeOff(TControl* Item) {
  if (FDeleteItems->IndexOf(Item) < 0) FDeleteItems->Add(Item);
  Item->FreeNotification(this);
  Item->SetParent(nullptr);
}

void TAdvToolBarCustomizer::ToolBarLoaded() {
  try {
    SaveDesignedLayout();
  } catch (const Exception& e) {
    // The form still comes up; only Reset lacks its layout.
    if (OnError) OnError(this, e.Message());
  }
  LoadCustomizedLayout();
}

void TAdvToolBarCustomizer::SaveDesignedLayout() {
  if (!FileWork() || !FAdvToolBar) return;
  NameUnnamedItems();
  TIniFile ini(FFileName);
  const String s = DesignedSection();
  TAdvCustomToolBar* t = FAdvToolBar;
  ini.WriteString(s, L"ATBCaption", t->ToolBarCaption());
  int glyph = 0;
  for (int i = 0; i < t->ToolBarControlCount(); ++i)
    if (IsButton(t->ToolBarControls(i))) {
      glyph = static_cast<int>(static_cast<TAdvToolBarButton*>(t->ToolBarControls(i))->GlyphPosition());
      break;
    }
  ini.WriteInteger(s, L"GlyphPosition", glyph);
  ini.WriteBool(s, L"LargeIcon", t->Images() == FLargeImages);
  ini.WriteInteger(s, L"ToolBarItemCount", t->ToolBarControlCount());
  for (int i = 0; i < t->ToolBarControlCount(); ++i) {
    TControl* c = t->ToolBarControls(i);
    ini.WriteString(s, Key(i), c->Name());
    ini.WriteString(s, Key(i, L".ClassName"), ClassKey(c));
    if (auto* b = IsButton(c) ? static_cast<TAdvToolBarButton*>(c) : nullptr) {
      ini.WriteInteger(s, Key(i, L".ImageIndex"), b->ImageIndex());
      ini.WriteBool(s, Key(i, L".Visible"), b->Visible());
      ini.WriteBool(s, Key(i, L".ShowCaption"), b->ShowCaption());
      ini.WriteString(s, Key(i, L".Caption"), b->Caption());
      ini.WriteString(s, Key(i, L".Hint"), b->Hint());
    } else if (auto* g = dynamic_cast<TAdvCustomGlowButton*>(c)) {
      ini.WriteInteger(s, Key(i, L".ImageIndex"), g->ImageIndex());
      ini.WriteBool(s, Key(i, L".Visible"), g->Visible());
      ini.WriteBool(s, Key(i, L".ShowCaption"), g->ShowCaption());
      ini.WriteString(s, Key(i, L".Caption"), g->Caption());
      ini.WriteString(s, Key(i, L".Hint"), g->Hint());
    }
  }
}

void TAdvToolBarCustomizer::LoadCustomizedLayout() {
  if (!FileWork() || !FAdvToolBar) return;
  TIniFile ini(FFileName);
  LoadLayout(ini, UserSection());
}

void TAdvToolBarCustomizer::LoadCustomizedLayout(const TMemIniFile& Ini) {
  if (FAdvToolBar) LoadLayout(Ini, UserSection());
}

template <class TReader>
void TAdvToolBarCustomizer::LoadLayout(TReader& Ini, const String& S) {
  TAdvCustomToolBar* t = FAdvToolBar;
  TDialogSettings* ds = FDialogSettings;
  TButtonProperties* bp = FButtonProperties;
  if (ds->EditCaption()) t->SetToolBarCaption(Ini.ReadString(S, L"ATBCaption", t->ToolBarCaption()));
  int g = ds->EditGlyphPosition() ? Ini.ReadInteger(S, L"GlyphPosition", 0) : 0;
  int big = ds->LargeIcon() && FLargeImages ? Ini.ReadInteger(S, L"LargeIcon", 0) : 0;
  int n = Ini.ReadInteger(S, L"ToolBarItemCount", -1);
  // No layout holds more entries than a toolbar can have items.
  n = std::min(n, 4096);
  std::vector<TControl*> order;
  for (int i = 0; i < n; ++i) {
    const String name = Ini.ReadString(S, Key(i), L"");
    const String cls = UpperCase(Ini.ReadString(S, Key(i, L".ClassName"), L""));
    if (cls.empty()) continue;
    TControl* item = FindToolBarControl(name);
    if (!item && FDeleteItems->Count() > 0) {
      for (int k = 0; k < FDeleteItems->Count() && !item; ++k) {
        auto* c = static_cast<TControl*>(FDeleteItems->GetItemsEx(k));
        if (SameText(c->Name(), name)) item = c;
      }
      if (item) {
        FDeleteItems->Remove(item);
        t->AddToolBarControl(item);
      }
    }
    bool created = false;
    if (!item) {
      // A name that is none, or is another component's, gives no item.
      if (!IsValidIdent(name) || (t->Owner() && t->Owner()->FindComponent(name)) || t->FindComponent(name)) continue;
      if (cls == L"ADVTOOLBARBUTTON") {
        auto* b = new TAdvToolBarButton(t);
        b->SetName(name);
        b->FCustomizerCreated = true;
        t->AddToolBarControl(b);
        item = b;
      } else if (cls == L"ADVTOOLBARSEPARATOR") {
        auto* sep = new TAdvToolBarSeparator(t);
        sep->SetName(name);
        t->AddToolBarControl(sep);
        item = sep;
      } else if (cls == L"ADVCUSTOMGLOWBUTTON") {
        auto* gb = new TAdvGlowButton(t);
        gb->SetName(name);
        gb->FCustomizerCreated = true;
        if (t->Images()) gb->SetImages(t->Images());
        gb->SetBounds(gb->Left(), gb->Top(), 23, 22);
        gb->SetAutoSize(true);
        t->AddToolBarControl(gb);
        item = gb;
      }
      if (!item) continue;
      created = true;
    }
    // One item takes one place in the order.
    if (std::find(order.begin(), order.end(), item) != order.end()) continue;
    if (created) {
      int c = Ini.ReadInteger(S, Key(i, L".CommandID"), -1);
      if (c >= 0 && c < FCommands->Count()) {
        TATBCommand* cmd = FCommands->Items(c);
        item->OnClick = cmd->OnExecute;
        if (cmd->Action()) item->SetAction(cmd->Action());
        if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(item)) b->FCommandID = c;
        if (auto* gb = dynamic_cast<TAdvCustomGlowButton*>(item)) gb->FCommandID = c;
      }
    }
    if (IsButton(item)) {
      auto* b = static_cast<TAdvToolBarButton*>(item);
      if (bp->Glyph()) {
        b->SetImageIndex(Ini.ReadInteger(S, Key(i, L".ImageIndex"), b->ImageIndex()));
        b->SetForceImageIndex(Ini.ReadInteger(S, Key(i, L".ForceImageIndex"), b->ForceImageIndex() ? 1 : 0) != 0);
      }
      if (bp->Visible()) b->SetVisible(Ini.ReadInteger(S, Key(i, L".Visible"), b->Visible() ? 1 : 0) != 0);
      if (bp->ShowCaption())
        b->SetShowCaption(Ini.ReadInteger(S, Key(i, L".ShowCaption"), b->ShowCaption() ? 1 : 0) == 1);
      if (bp->Caption()) b->SetCaption(Ini.ReadString(S, Key(i, L".Caption"), b->Caption()));
      if (bp->Hint()) b->SetHint(Ini.ReadString(S, Key(i, L".Hint"), b->Hint()));
    } else if (auto* gb = dynamic_cast<TAdvCustomGlowButton*>(item)) {
      if (bp->Glyph() && gb->FCustomizerCreated)
        gb->SetImageIndex(Ini.ReadInteger(S, Key(i, L".ImageIndex"), gb->ImageIndex()));
      if (bp->Visible()) gb->SetVisible(Ini.ReadInteger(S, Key(i, L".Visible"), gb->Visible() ? 1 : 0) != 0);
      if (bp->ShowCaption())
        gb->SetShowCaption(Ini.ReadInteger(S, Key(i, L".ShowCaption"), gb->ShowCaption() ? 1 : 0) == 1);
      if (bp->Caption()) gb->SetCaption(Ini.ReadString(S, Key(i, L".Caption"), gb->Caption()));
      if (bp->Hint()) gb->SetHint(Ini.ReadString(S, Key(i, L".Hint"), gb->Hint()));
    }
    order.push_back(item);
  }
  if (n >= 0) {
    for (size_t k = 0; k < order.size() && static_cast<int>(k) < t->ToolBarControlCount(); ++k) {
      TControl* item = order[k];
      if (ds->EditGlyphPosition() && g >= 0 && g <= 3) {
        if (IsButton(item)) static_cast<TAdvToolBarButton*>(item)->SetGlyphPosition(static_cast<TToolGlyphPosition>(g));
        if (auto* gb = dynamic_cast<TAdvCustomGlowButton*>(item)) gb->SetLayout(GlowLayout(g));
      }
      int at = t->IndexOfToolBarControl(item);
      if (at >= 0 && at != static_cast<int>(k)) t->MoveToolBarControl(at, static_cast<int>(k));
    }
    while (t->ToolBarControlCount() > static_cast<int>(order.size()))
      TakeOff(t->ToolBarControls(t->ToolBarControlCount() - 1));
  }
  if (big == 1 && FLargeImages)
    t->SetImages(FLargeImages);
  else if (FSmallImages)
    t->SetImages(FSmallImages);
}

void TAdvToolBarCustomizer::RestoreDesignedLayout() {
  if (!FileWork() || !FAdvToolBar) return;
  TIniFile ini(FFileName);
  const String s = DesignedSection();
  TAdvCustomToolBar* t = FAdvToolBar;
  t->SetToolBarCaption(ini.ReadString(s, L"ATBCaption", t->ToolBarCaption()));
  int g = ini.ReadInteger(s, L"GlyphPosition", 0);
  int big = ini.ReadInteger(s, L"LargeIcon", 0);
  int n = std::min(ini.ReadInteger(s, L"ToolBarItemCount", 0), 4096);
  if (n > 0) {
    while (FDeleteItems->Count() > 0) {
      auto* c = static_cast<TControl*>(FDeleteItems->GetItemsEx(0));
      FDeleteItems->Delete(0);
      t->AddToolBarControl(c);
    }
    std::vector<TControl*> order;
    for (int i = 0; i < n; ++i) {
      if (ini.ReadString(s, Key(i, L".ClassName"), L"").empty()) continue;
      TControl* item = FindToolBarControl(ini.ReadString(s, Key(i), L""));
      if (!item || std::find(order.begin(), order.end(), item) != order.end()) continue;
      if (IsButton(item)) {
        auto* b = static_cast<TAdvToolBarButton*>(item);
        b->SetImageIndex(ini.ReadInteger(s, Key(i, L".ImageIndex"), b->ImageIndex()));
        b->SetVisible(ini.ReadInteger(s, Key(i, L".Visible"), b->Visible() ? 1 : 0) != 0);
        b->SetShowCaption(ini.ReadInteger(s, Key(i, L".ShowCaption"), b->ShowCaption() ? 1 : 0) == 1);
        b->SetCaption(ini.ReadString(s, Key(i, L".Caption"), b->Caption()));
        b->SetHint(ini.ReadString(s, Key(i, L".Hint"), b->Hint()));
      }
      order.push_back(item);
    }
    for (size_t k = 0; k < order.size() && static_cast<int>(k) < t->ToolBarControlCount(); ++k) {
      if (FDialogSettings->EditGlyphPosition() && g >= 0 && g <= 3 && IsButton(order[k]))
        static_cast<TAdvToolBarButton*>(order[k])->SetGlyphPosition(static_cast<TToolGlyphPosition>(g));
      int at = t->IndexOfToolBarControl(order[k]);
      if (at >= 0 && at != static_cast<int>(k)) t->MoveToolBarControl(at, static_cast<int>(k));
    }
    while (t->ToolBarControlCount() > static_cast<int>(order.size()))
      t->ToolBarControls(t->ToolBarControlCount() - 1)->Free();
  }
  if (big == 1 && FLargeImages)
    t->SetImages(FLargeImages);
  else if (FSmallImages)
    t->SetImages(FSmallImages);
  ini.EraseSection(UserSection());
}

String UniqueItemName(TAdvCustomToolBar* ToolBar, const String& Base, const std::vector<String>& Taken) {
  for (int n = 1;; ++n) {
    String name = Base + std::to_wstring(n);
    bool used = (ToolBar->Owner() && ToolBar->Owner()->FindComponent(name)) || ToolBar->FindComponent(name);
    for (int i = 0; !used && i < ToolBar->ToolBarControlCount(); ++i)
      used = SameText(ToolBar->ToolBarControls(i)->Name(), name);
    for (const String& t : Taken) used = used || SameText(t, name);
    if (!used) return name;
  }
}

namespace {
TCustomizerDialogRunner& RunnerSlot() {
  static TCustomizerDialogRunner runner;
  return runner;
}
}  // namespace

void SetCustomizerDialogRunner(TCustomizerDialogRunner Runner) { RunnerSlot() = std::move(Runner); }
const TCustomizerDialogRunner& CustomizerDialogRunner() { return RunnerSlot(); }
