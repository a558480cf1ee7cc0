#include "ui/toolbar/ribbon/AdvPagerSettings.h"

#include "ui/draw/GdiPlus.h"
#include "ui/toolbar/ribbon/AdvToolBarPager.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"
#include "ui/toolbar/stylers/ToolBarStyler.h"

namespace {
// Stores Value into Field and reports whether it changed.
template <class T>
bool Store(T& Field, const T& Value) {
  if (Field == Value) return false;
  Field = Value;
  return true;
}
}  // namespace

// ---------------------------------------------------------------------------
// TAdvPageCaption

TAdvPageCaption::TAdvPageCaption() : FHeight(ScaledCaptionHeight) {}

void TAdvPageCaption::Changed() {
  if (OnChange) OnChange(this);
}

void TAdvPageCaption::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TAdvPageCaption*>(Source);
  if (!other) {
    TPersistent::Assign(Source);
    return;
  }
  FCaption = other->FCaption;
  FHeight = other->FHeight;
  SetVisible(other->FVisible);
  SetIndent(other->FIndent);
  SetMinWidth(other->FMinWidth);
}

void TAdvPageCaption::SetCaption(const String& Value) {
  if (Store(FCaption, Value)) Changed();
}
void TAdvPageCaption::SetVisible(bool Value) {
  if (Store(FVisible, Value)) Changed();
}
void TAdvPageCaption::SetHeight(int Value) {
  FHeight = Value;
  Changed();
}
void TAdvPageCaption::SetIndent(int Value) {
  if (Store(FIndent, Value)) Changed();
}
void TAdvPageCaption::SetRightIndent(int Value) {
  if (Store(FRightIndent, Value)) Changed();
}
void TAdvPageCaption::SetMinWidth(int Value) {
  if (Store(FMinWidth, Value)) Changed();
}
void TAdvPageCaption::SetWideCaption(const String& Value) {
  if (Store(FWideCaption, Value)) Changed();
}

// ---------------------------------------------------------------------------
// TATBTabSettings

void TATBTabSettings::Changed() {
  if (OnChange) OnChange(this);
}

void TATBTabSettings::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TATBTabSettings*>(Source);
  if (!other) {
    TPersistent::Assign(Source);
    return;
  }
  SetLeftMargin(other->FLeftMargin);
  SetRightMargin(other->FRightMargin);
  SetHeight(other->FHeight);
  SetStartMargin(other->FStartMargin);
  SetEndMargin(other->FEndMargin);
}

void TATBTabSettings::SetLeftMargin(int Value) {
  if (Store(FLeftMargin, Value)) Changed();
}
void TATBTabSettings::SetRightMargin(int Value) {
  if (Store(FRightMargin, Value)) Changed();
}
void TATBTabSettings::SetStartMargin(int Value) {
  if (Store(FStartMargin, Value)) Changed();
}
void TATBTabSettings::SetEndMargin(int Value) {
  if (Store(FEndMargin, Value)) Changed();
}
void TATBTabSettings::SetHeight(int Value) {
  if (Store(FHeight, Value)) Changed();
}
void TATBTabSettings::SetSpacing(int Value) {
  if (Store(FSpacing, Value)) Changed();
}

bool TATBTabSettings::Glass() const { return GetGlobalTabGlass(); }

void TATBTabSettings::SetGlass(bool Value) {
  if (Value == GetGlobalTabGlass()) return;
  SetGlobalTabGlass(Value);
  if (OnGlassChange) OnGlassChange(this);
}

// ---------------------------------------------------------------------------
// TATBTabScroller

void TATBTabScroller::SetMin(int Value) {
  if (Value <= FMax) FMin = Value;
}

void TATBTabScroller::SetMax(int Value) {
  if (Value >= FMin) FMax = Value;
}

// ---------------------------------------------------------------------------
// TTabGroupItem

TTabGroupItem::TTabGroupItem(TCollection* Collection) : TCollectionItem(Collection) {
  FGroupAppearance = new TGroupAppearance();
  FGroupAppearance->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
}

TTabGroupItem::~TTabGroupItem() = default;

void TTabGroupItem::AppearanceChanged(TObject*) { Changed(false); }

void TTabGroupItem::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TTabGroupItem*>(Source);
  if (!other) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetCaption(other->FCaption);
  SetImageIndex(other->FImageIndex);
  SetTabIndexStart(other->FTabIndexStart);
  SetTabIndexEnd(other->FTabIndexEnd);
  FTag = other->FTag;
  FObject = other->FObject;
}

void TTabGroupItem::SetCaption(const String& Value) {
  if (Store(FCaption, Value)) Changed(false);
}
void TTabGroupItem::SetCaptionAlignment(TAlignment Value) {
  if (Store(FCaptionAlignment, Value)) Changed(false);
}
void TTabGroupItem::SetDefaultAppearance(bool Value) {
  if (Store(FDefaultAppearance, Value)) Changed(false);
}
void TTabGroupItem::SetImageIndex(int Value) {
  if (Store(FImageIndex, Value)) Changed(false);
}
void TTabGroupItem::SetTabIndexStart(int Value) {
  if (Store(FTabIndexStart, Value)) Changed(false);
}
void TTabGroupItem::SetTabIndexEnd(int Value) {
  if (Store(FTabIndexEnd, Value)) Changed(false);
}
void TTabGroupItem::SetWideCaption(const String& Value) {
  if (Store(FWideCaption, Value)) Changed(false);
}
void TTabGroupItem::SetGroupAppearance(TGroupAppearance* Value) { FGroupAppearance->Assign(Value); }

void TTabGroupItem::SetCustomColor(TColor Value) {
  SetDefaultAppearance(false);
  auto* groups = dynamic_cast<TTabGroups*>(Collection());
  TAdvToolBarPager* pager = groups ? groups->Pager() : nullptr;
  if (pager && pager->CurrentToolBarStyler()) FGroupAppearance->Assign(pager->CurrentToolBarStyler()->GroupAppearance());
  FGroupAppearance->SetBorderColor(Value);
  FGroupAppearance->SetColorMirrorTo(Value);
  if (GetGlobalWin7ScenicRibbon()) {
    FGroupAppearance->SetColor(Value);
    FGroupAppearance->SetColorTo(Value);
    FGroupAppearance->SetColorMirror(Value);
  }
  TCustomTabAppearance* tab = FGroupAppearance->TabAppearance();
  tab->SetBorderColorSelectedHot(Value);
  tab->SetBorderColorDown(Value);
  tab->SetBorderColorSelected(Value);
  tab->SetBorderColorHot(Value);
}

// ---------------------------------------------------------------------------
// TTabGroups

TTabGroups::TTabGroups(TAdvToolBarPager* AOwner) : TCollection(ItemClass<TTabGroupItem>()), FOwner(AOwner) {}

TPersistent* TTabGroups::GetOwner() { return FOwner; }

void TTabGroups::Update(TCollectionItem*) {
  if (OnChange) OnChange(this);
}
