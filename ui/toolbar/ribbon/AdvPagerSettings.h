// The settings the ribbon pager streams with itself: its caption bar, the
// geometry of its tabs with the shared tab-glass switch, the range of its
// tab scroller, and the tab groups (named strips spanning consecutive tabs).
// Each tells its owner of a change through OnChange; setters notify only
// when the value differs (the caption's Height always does).
#pragma once

#include "base/Controls.h"
#include "base/Lists.h"

class TAdvToolBarPager;
class TGroupAppearance;

// The caption bar above the tabs.
class TAdvPageCaption : public TPersistent {
  VANTREL_CLASS(TAdvPageCaption)
 public:
  // Height starts as the library's scaled caption height.
  TAdvPageCaption();
  // From another caption: Caption and Height as they are (no notice), then
  // Visible, Indent and MinWidth through their setters; RightIndent and
  // WideCaption stay.
  void Assign(TPersistent* Source) override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  int Height() const { return FHeight; }
  // Notifies also when the value is unchanged.
  void SetHeight(int Value);
  // X offset of the caption text.
  int Indent() const { return FIndent; }
  void SetIndent(int Value);
  // Room kept free at the right (the caption buttons take it).
  int RightIndent() const { return FRightIndent; }
  void SetRightIndent(int Value);
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int Value);
  // Used while Caption is empty.
  const String& WideCaption() const { return FWideCaption; }
  void SetWideCaption(const String& Value);

  TNotifyEvent OnChange;

 private:
  void Changed();
  bool FVisible = true;
  int FHeight;
  String FCaption;
  int FIndent = 100;
  int FRightIndent = 0;
  String FWideCaption;
  int FMinWidth = 100;
};

// The tabs' geometry; its lower limits MinSpacing and MinMargin bound the
// fitting of the tabs into the pager's width.
class TATBTabSettings : public TPersistent {
  VANTREL_CLASS(TATBTabSettings)
 public:
  // Margins, Height, StartMargin, EndMargin and Height through the setters;
  // Spacing is not copied.
  void Assign(TPersistent* Source) override;

  int LeftMargin() const { return FLeftMargin; }
  void SetLeftMargin(int Value);
  int RightMargin() const { return FRightMargin; }
  void SetRightMargin(int Value);
  // Room before the first tab and after the last.
  int StartMargin() const { return FStartMargin; }
  void SetStartMargin(int Value);
  int EndMargin() const { return FEndMargin; }
  void SetEndMargin(int Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  int MinSpacing() const { return FMinSpacing; }
  int MinMargin() const { return FMinMargin; }
  // The tabs of every pager are drawn on glass: one flag for the process.
  bool Glass() const;
  // Fires OnGlassChange when the flag changes.
  void SetGlass(bool Value);

  TNotifyEvent OnChange;
  TNotifyEvent OnGlassChange;

 private:
  void Changed();
  int FLeftMargin = 4;
  int FRightMargin = 4;
  int FHeight = 26;
  int FStartMargin = 60;
  int FEndMargin = 0;
  int FSpacing = 4;
  int FMinSpacing = 3;
  int FMinMargin = 3;
};

// Range and position of a scroller (the tab row's, a page's groups').
class TATBTabScroller : public TObject {
  VANTREL_CLASS(TATBTabScroller)
 public:
  int Min() const { return FMin; }
  // Taken only when not above Max.
  void SetMin(int Value);
  int Max() const { return FMax; }
  // Taken only when not below Min.
  void SetMax(int Value);
  int Position() const { return FPosition; }
  void SetPosition(int Value) { FPosition = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  bool CanGoBack() const { return FMin < FPosition; }
  bool CanGoForward() const { return FPosition < FMax; }

 private:
  int FMin = 0;
  int FMax = 0;
  int FPosition = 0;
  bool FVisible = false;
};

// A named strip above the tabs TabIndexStart to TabIndexEnd (inclusive).
class TTabGroupItem : public TCollectionItem {
  VANTREL_CLASS(TTabGroupItem)
 public:
  explicit TTabGroupItem(TCollection* Collection);
  ~TTabGroupItem() override;
  // Caption, ImageIndex and the tab span through the setters, Tag and
  // GroupObject as they are; alignment and appearance stay.
  void Assign(TPersistent* Source) override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  TAlignment CaptionAlignment() const { return FCaptionAlignment; }
  void SetCaptionAlignment(TAlignment Value);
  // Drawn with the styler's group appearance instead of GroupAppearance.
  bool DefaultAppearance() const { return FDefaultAppearance; }
  void SetDefaultAppearance(bool Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int TabIndexStart() const { return FTabIndexStart; }
  void SetTabIndexStart(int Value);
  int TabIndexEnd() const { return FTabIndexEnd; }
  void SetTabIndexEnd(int Value);
  TGroupAppearance* GroupAppearance() const { return FGroupAppearance; }
  void SetGroupAppearance(TGroupAppearance* Value);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  const String& WideCaption() const { return FWideCaption; }
  void SetWideCaption(const String& Value);
  TObject* GroupObject() const { return FObject; }
  void SetGroupObject(TObject* Value) { FObject = Value; }

  // Extra room left and right of each tab of the group so that the tabs
  // span the group's caption: as computed, and as fitting left it.
  int TabExtraXMargin() const { return FTabExtraXMargin; }
  void SetTabExtraXMargin(int Value) { FTabExtraXMargin = Value; }
  int TabCurrentExtraXMargin() const { return FTabCurrentExtraXMargin; }
  void SetTabCurrentExtraXMargin(int Value) { FTabCurrentExtraXMargin = Value; }

  // The group takes a colour of its own: a copy of the styler's group
  // appearance whose borders (and, on the scenic ribbon, fills) are Value.
  void SetCustomColor(TColor Value);

 private:
  void AppearanceChanged(TObject* Sender);
  String FCaption;
  int FImageIndex = -1;
  int FTabIndexStart = -1;
  int FTabIndexEnd = -1;
  String FWideCaption;
  bool FDefaultAppearance = true;
  TOwned<TGroupAppearance> FGroupAppearance;
  TAlignment FCaptionAlignment = TAlignment::taLeftJustify;
  int FTabExtraXMargin = 0;
  int FTabCurrentExtraXMargin = 0;
  TObject* FObject = nullptr;
  int FTag = 0;
};

// The pager's tab groups; every change of a group reaches OnChange.
class TTabGroups : public TCollection {
  VANTREL_CLASS(TTabGroups)
 public:
  explicit TTabGroups(TAdvToolBarPager* AOwner);
  TTabGroupItem* Add() { return static_cast<TTabGroupItem*>(TCollection::Add()); }
  TTabGroupItem* Insert(int Index) { return static_cast<TTabGroupItem*>(TCollection::Insert(Index)); }
  TTabGroupItem* Items(int Index) const { return static_cast<TTabGroupItem*>(TCollection::Items(Index)); }
  void SetItem(int Index, TTabGroupItem* Value) { Items(Index)->Assign(Value); }
  TPersistent* GetOwner() override;
  TAdvToolBarPager* Pager() const { return FOwner; }
  // Reports a change of the groups (OnChange unless an update is open).
  void NotifyChanged() { Changed(); }

  TNotifyEvent OnChange;

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TAdvToolBarPager* FOwner;
};
