// The status bar's panels: one panel with its text, width, style and look,
// the collection the bar owns, and the settings of a panel's progress gauge.
#pragma once

#include "base/Controls.h"
#include "base/Lists.h"
#include "ui/draw/HintInfo.h"

class TAdvOfficeStatusBar;
class TAdvOfficeStatusPanel;
class TCustomImageList;

enum class TAdvOfficeStatusPanelStyle : uint8_t {
  psHTML, psText, psOwnerDraw, psTime, psDate, psNumLock, psCapsLock, psScrollLock, psProgress, psImage,
  psImageList, psAnimation, psEllipsText, psFileEllipsText
};
enum class TPanelAppearanceStyle : uint8_t { psLight, psDark };
enum class TVerticalPanelAlignment : uint8_t { vpaTop, vpaCenter, vpaBottom };
enum class TAdvOfficeStatusPanelBevel : uint8_t { pbNone, pbLowered, pbRaised };
enum class TProgressIndication : uint8_t { piPercentage, piAbsolute, piNone };

class TProgressStyle : public TPersistent {
  VANTREL_CLASS(TProgressStyle)
 public:
  explicit TProgressStyle(TAdvOfficeStatusPanel* AOwner);
  // Only from another TProgressStyle (else EInvalidCast); does not repaint.
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

  int Min() const { return FMin; }
  void SetMin(int Value);
  int Max() const { return FMax; }
  void SetMax(int Value);
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  // The percentage the gauge shows: (Position - Min) / (Max - Min) x 100
  // rounded, 0 when Max = Min (with Max below Min the difference is not
  // divided).
  int Percent() const;

  TColor BackGround() const { return FBackground; }
  void SetBackGround(TColor Value);
  TProgressIndication Indication() const { return FIndication; }
  void SetIndication(TProgressIndication Value);
  TColor Level0Color() const { return FLevel0Color; }
  void SetLevel0Color(TColor Value);
  TColor Level0ColorTo() const { return FLevel0ColorTo; }
  void SetLevel0ColorTo(TColor Value);
  TColor Level1Color() const { return FLevel1Color; }
  void SetLevel1Color(TColor Value);
  TColor Level1ColorTo() const { return FLevel1ColorTo; }
  void SetLevel1ColorTo(TColor Value);
  TColor Level2Color() const { return FLevel2Color; }
  void SetLevel2Color(TColor Value);
  TColor Level2ColorTo() const { return FLevel2ColorTo; }
  void SetLevel2ColorTo(TColor Value);
  TColor Level3Color() const { return FLevel3Color; }
  void SetLevel3Color(TColor Value);
  TColor Level3ColorTo() const { return FLevel3ColorTo; }
  void SetLevel3ColorTo(TColor Value);
  int Level1Perc() const { return FLevel1Perc; }
  void SetLevel1Perc(int Value);
  int Level2Perc() const { return FLevel2Perc; }
  void SetLevel2Perc(int Value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  bool ShowBorder() const { return FShowBorder; }
  void SetShowBorder(bool Value);
  bool Stacked() const { return FStacked; }
  void SetStacked(bool Value);
  bool ShowPercentage() const { return FShowPercentage; }
  void SetShowPercentage(bool Value);
  bool CompletionSmooth() const { return FCompletionSmooth; }
  void SetCompletionSmooth(bool Value);
  bool ShowGradient() const { return FShowGradient; }
  void SetShowGradient(bool Value);
  const String& Prefix() const { return FPrefix; }
  void SetPrefix(const String& Value);
  const String& Suffix() const { return FSuffix; }
  void SetSuffix(const String& Value);

 protected:
  // Invalidates the owning panel on its bar.
  void Changed();
  // Repaints when the gauge would show something else: another percentage,
  // or another number while it shows the position itself.
  void PositionChanged(bool PositionMoved);

 private:
  template <class T>
  void Store(T& Field, const T& Value) {
    Field = Value;
    Changed();
  }
  TAdvOfficeStatusPanel* FOwner;
  int FMin = 0, FPosition = 0, FMax = 100;
  int FOldPerc = 0;
  TProgressIndication FIndication = TProgressIndication::piPercentage;
  TColor FBackground = clNone;
  TColor FLevel0Color = clLime, FLevel0ColorTo = 0xE1FFE1;
  TColor FLevel1Color = clYellow, FLevel1ColorTo = 0xCAFFFF;
  TColor FLevel2Color = 0x53A9FF, FLevel2ColorTo = 0xA8D3FF;
  TColor FLevel3Color = clRed, FLevel3ColorTo = 0xCACAFF;
  int FLevel1Perc = 70, FLevel2Perc = 90;
  TColor FBorderColor = clBlack;
  bool FShowBorder = false;
  bool FStacked = false;
  bool FShowPercentage = true;
  bool FCompletionSmooth = false;
  bool FShowGradient = true;
  String FSuffix, FPrefix;
};

class TAdvOfficeStatusPanel : public TCollectionItem {
  VANTREL_CLASS(TAdvOfficeStatusPanel)
 public:
  explicit TAdvOfficeStatusPanel(TCollection* Collection);

  // From another panel: Text, Width, Alignment, bevel, Style, DateFormat,
  // TimeFormat, the progress settings, the Office hint, AppearanceStyle,
  // AutoSize, MinWidth and VAlignment. The button and enabled states,
  // offsets, image and animation settings and the reading order stay.
  void Assign(TPersistent* Source) override;
  // Every setting of another panel, the ones Assign leaves included: what
  // the bar uses when panels are replaced or flipped.
  void AssignAll(TAdvOfficeStatusPanel* Source);

  // The bar that owns the collection, or nullptr.
  TAdvOfficeStatusBar* StatusBar() const;

  const String& Text() const { return FText; }
  // A new text invalidates the bar and, with AutoSize, sizes the panels.
  void SetText(const String& Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TAdvOfficeStatusPanelBevel Bevel() const { return FBevel; }
  TAdvOfficeStatusPanelStyle Style() const { return FStyle; }
  void SetStyle(TAdvOfficeStatusPanelStyle Value);
  TPanelAppearanceStyle AppearanceStyle() const { return FAppearanceStyle; }
  void SetAppearanceStyle(TPanelAppearanceStyle Value);
  bool Button() const { return FButton; }
  void SetButton(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int Value) { FMinWidth = Value; }
  TVerticalPanelAlignment VAlignment() const { return FVAlignment; }
  void SetVAlignment(TVerticalPanelAlignment Value);
  const String& TimeFormat() const { return FTimeFormat; }
  void SetTimeFormat(const String& Value);
  const String& DateFormat() const { return FDateFormat; }
  void SetDateFormat(const String& Value);
  int HTMLOffsetX() const { return FHTMLOffsetX; }
  void SetHTMLOffsetX(int Value);
  int HTMLOffsetY() const { return FHTMLOffsetY; }
  void SetHTMLOffsetY(int Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TCustomImageList* AnimationImages() const { return FAnimationImages; }
  void SetAnimationImages(TCustomImageList* Value);
  int AnimationDelay() const { return FAnimationDelay; }
  // Negative values are ignored.
  void SetAnimationDelay(int Value);
  bool Animated() const { return FAnimated; }
  void SetAnimated(bool Value);
  // The current animation frame.
  int AnimIndex() const { return FAnimIndex; }
  void SetAnimIndex(int Value) { FAnimIndex = Value; }
  TProgressStyle* Progress() const { return FProgressStyle; }
  void SetProgress(TProgressStyle* Value);
  TAdvHintInfo* OfficeHint() const { return FOfficeHint; }
  void SetOfficeHint(TAdvHintInfo* Value) { FOfficeHint->Assign(Value); }
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value);
  // Takes the bar's reading order while ParentBiDiMode is on.
  void ParentBiDiModeChanged();
  bool UseRightToLeftReading() const;
  bool UseRightToLeftAlignment() const;

  // The image indexes of a psImageList panel. Reading past the end gives
  // -1; writing past it fills the gap with -1. Writing does not repaint.
  int ImageIndexes(int Index) const;
  void SetImageIndexes(int Index, int Value);
  void ClearImageIndexes() { FImageIndexes->Clear(); }
  int ImageCount() const { return FImageIndexes->Count(); }

  // One step of the progress position, up to Max.
  void StepIt();
  // The panel's rectangle on its bar.
  TRect Rect() const;
  String GetDisplayName() const override;

 private:
  // Tells the collection that this panel changed: the bar repaints it.
  void Repaint() { Changed(false); }

  String FText;
  int FWidth = 50;
  TAlignment FAlignment = TAlignment::taLeftJustify;
  TAdvOfficeStatusPanelBevel FBevel = TAdvOfficeStatusPanelBevel::pbNone;
  TBiDiMode FBiDiMode = TBiDiMode::bdLeftToRight;
  bool FParentBiDiMode = true;
  TAdvOfficeStatusPanelStyle FStyle = TAdvOfficeStatusPanelStyle::psHTML;
  String FTimeFormat;
  String FDateFormat;
  int FAnimIndex = 0;
  TOwned<TProgressStyle> FProgressStyle;
  int FHTMLOffsetX = 1;
  int FHTMLOffsetY = 1;
  int FImageIndex = -1;
  TOwned<TStringList> FImageIndexes;
  TCustomImageList* FAnimationImages = nullptr;
  int FAnimationDelay = 0;
  bool FAnimated = false;
  bool FEnabled = true;
  TPanelAppearanceStyle FAppearanceStyle = TPanelAppearanceStyle::psLight;
  TOwned<TAdvHintInfo> FOfficeHint;
  bool FButton = false;
  bool FAutoSize = false;
  int FMinWidth = 20;
  TVerticalPanelAlignment FVAlignment = TVerticalPanelAlignment::vpaCenter;
};

class TAdvOfficeStatusPanels : public TCollection {
  VANTREL_CLASS(TAdvOfficeStatusPanels)
 public:
  explicit TAdvOfficeStatusPanels(TAdvOfficeStatusBar* StatusBar);

  TAdvOfficeStatusPanel* Add() { return static_cast<TAdvOfficeStatusPanel*>(TCollection::Add()); }
  TAdvOfficeStatusPanel* Insert(int Index) { return static_cast<TAdvOfficeStatusPanel*>(TCollection::Insert(Index)); }
  // EListError outside 0..Count - 1.
  TAdvOfficeStatusPanel* Items(int Index) const { return static_cast<TAdvOfficeStatusPanel*>(TCollection::Items(Index)); }
  // Assigns Value's settings to the panel at Index.
  void SetItems(int Index, TAdvOfficeStatusPanel* Value) { Items(Index)->Assign(Value); }
  TPersistent* GetOwner() override;
  TAdvOfficeStatusBar* StatusBar() const { return FStatusBar; }

  // Fired after every change outside an update block.
  TNotifyEvent OnChange;

 protected:
  // Outside an update block: invalidates the changed panel (or the whole
  // bar), paints the bar at once, then fires OnChange.
  void Update(TCollectionItem* Item) override;

 private:
  TAdvOfficeStatusBar* FStatusBar;
};
