// The toolbar customizer: a non-visual component bound to one toolbar that
// lets the user of the finished program rearrange it and keeps the result
// in an INI file. Two sections per customizer: the designed section (the
// customizer's Name followed by "Org"), written once the toolbar has loaded,
// and the user's section (the customizer's Name), written by the customizer
// dialog's OK and applied by LoadCustomizedLayout.
//
// The file is outside input: an entry whose name is no component name, or
// is taken by another component, is skipped with nothing else lost; an
// entry naming an item listed earlier is skipped too.
#pragma once

#include <functional>

#include "base/IniFiles.h"
#include "ui/toolbar/bars/AdvToolBarButton.h"
#include "ui/toolbar/bars/PopupLinks.h"

class TAdvToolBarCustomizer;
class TMemIniFile;

// A command the user may add as a new button.
class TATBCommand : public TCollectionItem {
  VANTREL_CLASS(TATBCommand)
 public:
  explicit TATBCommand(TCollection* Collection) : TCollectionItem(Collection) {}
  void Assign(TPersistent* Source) override;
  // Made into a component name: every character that cannot stand in one
  // becomes "_" (so blanks do, as before), and a name that would start
  // with a digit gets a leading "_".
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value) { FItemIndex = Value; }
  TBasicAction* Action() const { return FAction; }
  // A listed action gives its caption.
  void SetAction(TBasicAction* Value);
  TNotifyEvent OnExecute;

 private:
  String FCaption;
  int FItemIndex = -1;
  TBasicAction* FAction = nullptr;
};

class TATBCommands : public TCollection {
  VANTREL_CLASS(TATBCommands)
 public:
  explicit TATBCommands(TAdvToolBarCustomizer* AOwner);
  TATBCommand* Add() { return static_cast<TATBCommand*>(TCollection::Add()); }
  TATBCommand* Insert(int Index) { return static_cast<TATBCommand*>(TCollection::Insert(Index)); }
  TATBCommand* Items(int Index) const { return static_cast<TATBCommand*>(TCollection::Items(Index)); }
  TPersistent* GetOwner() override;

 private:
  TAdvToolBarCustomizer* FOwner;
};

// Which button properties the user may edit and the user's section holds.
class TButtonProperties : public TPersistent {
  VANTREL_CLASS(TButtonProperties)
 public:
  void Assign(TPersistent* Source) override;
  bool Caption() const { return FCaption; }
  void SetCaption(bool Value) { Set(FCaption, Value); }
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value) { Set(FShowCaption, Value); }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { Set(FVisible, Value); }
  bool Hint() const { return FHint; }
  void SetHint(bool Value) { Set(FHint, Value); }
  bool Glyph() const { return FGlyph; }
  void SetGlyph(bool Value) { Set(FGlyph, Value); }
  TNotifyEvent OnChange;

 private:
  void Set(bool& Field, bool Value);
  bool FCaption = true;
  bool FShowCaption = true;
  bool FVisible = false;
  bool FHint = true;
  bool FGlyph = true;
};

// The texts of the two customizer dialogs and the switches that decide
// what they offer and what the layout file holds.
class TDialogSettings : public TPersistent {
  VANTREL_CLASS(TDialogSettings)
 public:
  // Copies everything but Customize.
  void Assign(TPersistent* Source) override;
  const String& ToolBarLabel() const { return FToolBarLabel; }
  void SetToolBarLabel(const String& Value) { FToolBarLabel = Value; }
  const String& CommandLabel() const { return FCommandLabel; }
  void SetCommandLabel(const String& Value) { FCommandLabel = Value; }
  const String& CaptionLabel() const { return FCaptionLabel; }
  void SetCaptionLabel(const String& Value) { FCaptionLabel = Value; }
  const String& GlyphPosLabel() const { return FGlyphPosLabel; }
  void SetGlyphPosLabel(const String& Value) { FGlyphPosLabel = Value; }
  const String& LargeIconCheck() const { return FLargeIconCheck; }
  void SetLargeIconCheck(const String& Value) { FLargeIconCheck = Value; }
  const String& TopHint() const { return FTopHint; }
  void SetTopHint(const String& Value) { FTopHint = Value; }
  const String& UpHint() const { return FUpHint; }
  void SetUpHint(const String& Value) { FUpHint = Value; }
  const String& DownHint() const { return FDownHint; }
  void SetDownHint(const String& Value) { FDownHint = Value; }
  const String& BottomHint() const { return FBottomHint; }
  void SetBottomHint(const String& Value) { FBottomHint = Value; }
  const String& AddHint() const { return FAddHint; }
  void SetAddHint(const String& Value) { FAddHint = Value; }
  const String& AddSeparatorHint() const { return FAddSeparatorHint; }
  void SetAddSeparatorHint(const String& Value) { FAddSeparatorHint = Value; }
  const String& DeleteHint() const { return FDeleteHint; }
  void SetDeleteHint(const String& Value) { FDeleteHint = Value; }
  const String& DeleteAllHint() const { return FDeleteAllHint; }
  void SetDeleteAllHint(const String& Value) { FDeleteAllHint = Value; }
  const String& EditHint() const { return FEditHint; }
  void SetEditHint(const String& Value) { FEditHint = Value; }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  const String& ButtonEditCaption() const { return FButtonEditCaption; }
  void SetButtonEditCaption(const String& Value) { FButtonEditCaption = Value; }
  const String& ButtonEditCaptionLabel() const { return FButtonEditCaptionLabel; }
  void SetButtonEditCaptionLabel(const String& Value) { FButtonEditCaptionLabel = Value; }
  const String& ButtonEditHintLabel() const { return FButtonEditHintLabel; }
  void SetButtonEditHintLabel(const String& Value) { FButtonEditHintLabel = Value; }
  const String& ButtonEditIconLabel() const { return FButtonEditIconLabel; }
  void SetButtonEditIconLabel(const String& Value) { FButtonEditIconLabel = Value; }
  const String& ButtonEditCaptionCheck() const { return FButtonEditCaptionCheck; }
  void SetButtonEditCaptionCheck(const String& Value) { FButtonEditCaptionCheck = Value; }
  const String& ButtonEditVisibleCheck() const { return FButtonEditVisibleCheck; }
  void SetButtonEditVisibleCheck(const String& Value) { FButtonEditVisibleCheck = Value; }
  const String& OKButtonCaption() const { return FOKButtonCaption; }
  void SetOKButtonCaption(const String& Value) { FOKButtonCaption = Value; }
  const String& OKButtonHint() const { return FOKButtonHint; }
  void SetOKButtonHint(const String& Value) { FOKButtonHint = Value; }
  const String& CancelButtonCaption() const { return FCancelButtonCaption; }
  void SetCancelButtonCaption(const String& Value) { FCancelButtonCaption = Value; }
  const String& CancelButtonHint() const { return FCancelButtonHint; }
  void SetCancelButtonHint(const String& Value) { FCancelButtonHint = Value; }
  const String& ResetButtonCaption() const { return FResetButtonCaption; }
  void SetResetButtonCaption(const String& Value) { FResetButtonCaption = Value; }
  const String& ResetButtonHint() const { return FResetButtonHint; }
  void SetResetButtonHint(const String& Value) { FResetButtonHint = Value; }
  const String& AddGlowButtonHint() const { return FAddGlowButtonHint; }
  void SetAddGlowButtonHint(const String& Value) { FAddGlowButtonHint = Value; }
  const String& GlyphPositionLeftCaption() const { return FGlyphPositionLeftCaption; }
  void SetGlyphPositionLeftCaption(const String& Value) { FGlyphPositionLeftCaption = Value; }
  const String& GlyphPositionTopCaption() const { return FGlyphPositionTopCaption; }
  void SetGlyphPositionTopCaption(const String& Value) { FGlyphPositionTopCaption = Value; }
  const String& GlyphPositionRightCaption() const { return FGlyphPositionRightCaption; }
  void SetGlyphPositionRightCaption(const String& Value) { FGlyphPositionRightCaption = Value; }
  const String& GlyphPositionBottomCaption() const { return FGlyphPositionBottomCaption; }
  void SetGlyphPositionBottomCaption(const String& Value) { FGlyphPositionBottomCaption = Value; }
  const String& GlyphEditNoneIconCaption() const { return FGlyphEditNoneIconCaption; }
  void SetGlyphEditNoneIconCaption(const String& Value) { FGlyphEditNoneIconCaption = Value; }
  // The icon box of the customizer dialog is enabled.
  bool EditGlyph() const { return FEditGlyph; }
  void SetEditGlyph(bool Value) { FEditGlyph = Value; }
  // The icon box shows when the toolbar has images.
  bool EditGlyphVisible() const { return FEditGlyphVisible; }
  void SetEditGlyphVisible(bool Value) { FEditGlyphVisible = Value; }
  bool EditCaption() const { return FEditCaption; }
  void SetEditCaption(bool Value) { FEditCaption = Value; }
  bool EditGlyphPosition() const { return FEditGlyphPosition; }
  void SetEditGlyphPosition(bool Value) { FEditGlyphPosition = Value; }
  bool LargeIcon() const { return FLargeIcon; }
  void SetLargeIcon(bool Value) { FLargeIcon = Value; }
  const String& Customize() const { return FCustomize; }
  void SetCustomize(const String& Value) { FCustomize = Value; }

 private:
  bool FEditCaption = true;
  bool FEditGlyphPosition = true;
  bool FLargeIcon = false;
  bool FEditGlyph = true;
  bool FEditGlyphVisible = true;
  String FCustomize = L"Customize";
  String FToolBarLabel = L"ToolBar Items:";
  String FCommandLabel = L"Commands";
  String FCaptionLabel = L"Caption";
  String FGlyphPosLabel = L"Glyph Position";
  String FLargeIconCheck = L"Large Icon";
  String FTopHint = L"Move to Top";
  String FUpHint = L"Move Up";
  String FDownHint = L"Move Down";
  String FBottomHint = L"Move to Bottom";
  String FAddHint = L"Add Item";
  String FAddSeparatorHint = L"Add Separator";
  String FDeleteHint = L"Delete Item";
  String FDeleteAllHint = L"Delete All";
  String FEditHint = L"Edit Item";
  String FCaption = L"Customizer";
  String FButtonEditCaption = L"Customize Button";
  String FButtonEditCaptionLabel = L"Caption";
  String FButtonEditHintLabel = L"Hint";
  String FButtonEditIconLabel = L"Icon";
  String FButtonEditCaptionCheck = L"Show Caption";
  String FButtonEditVisibleCheck = L"Visible";
  String FOKButtonCaption = L"&Ok";
  String FOKButtonHint = L"";
  String FCancelButtonCaption = L"&Cancel";
  String FCancelButtonHint = L"";
  String FResetButtonCaption = L"&Reset";
  String FResetButtonHint = L"";
  String FAddGlowButtonHint = L"Insert GlowButton";
  String FGlyphPositionLeftCaption = L"Left";
  String FGlyphPositionTopCaption = L"Top";
  String FGlyphPositionRightCaption = L"Right";
  String FGlyphPositionBottomCaption = L"Bottom";
  String FGlyphEditNoneIconCaption = L"None";
};

// Which buttons the customizer dialog offers.
class TCustomizedOptions : public TPersistent {
  VANTREL_CLASS(TCustomizedOptions)
 public:
  void Assign(TPersistent* Source) override;
  bool ReOrder() const { return FReOrder; }
  void SetReOrder(bool Value) { Set(FReOrder, Value); }
  bool AddButton() const { return FAddButton; }
  void SetAddButton(bool Value) { Set(FAddButton, Value); }
  bool AddSeparator() const { return FAddSeparator; }
  void SetAddSeparator(bool Value) { Set(FAddSeparator, Value); }
  bool AddGlowButton() const { return FAddGlowButton; }
  void SetAddGlowButton(bool Value) { Set(FAddGlowButton, Value); }
  bool Delete() const { return FDelete; }
  void SetDelete(bool Value) { Set(FDelete, Value); }
  bool DeleteAll() const { return FDeleteAll; }
  void SetDeleteAll(bool Value) { Set(FDeleteAll, Value); }
  bool EditButton() const { return FEditButton; }
  void SetEditButton(bool Value) { Set(FEditButton, Value); }
  TNotifyEvent OnChange;

 private:
  void Set(bool& Field, bool Value);
  bool FAddButton = true;
  bool FReOrder = true;
  bool FDelete = true;
  bool FDeleteAll = false;
  bool FAddSeparator = true;
  bool FAddGlowButton = true;
  bool FEditButton = true;
};

// The customizer dialog's record of one row of its toolbar item list: the
// item it stands for (none for an item inserted in the dialog) and the
// values the user edits.
class TATBItemProp : public TObject {
  VANTREL_CLASS(TATBItemProp)
 public:
  TControl* ATBItem = nullptr;
  bool CustomizerCreated = false;
  bool IsSeparator = false;
  bool IsATBButton = false;
  int ImageIndex = -1;
  // For an inserted separator: its future Name.
  String Caption;
  bool ShowCaption = false;
  String Hint;
  bool Visible = true;
  String ID;
  int CommandID = -1;
  bool ForceImageIndex = false;
  bool IsGlowButton = false;
};

// Reports a layout file that could not be written (the message names it).
using TCustomizerErrorEvent = std::function<void(TObject* Sender, const String& Message)>;

class TAdvToolBarCustomizer : public TComponent, public IToolBarCustomizer {
  VANTREL_CLASS(TAdvToolBarCustomizer)
 public:
  explicit TAdvToolBarCustomizer(TComponent* AOwner);

  void Notification(TComponent* AComponent, TOperation Operation) override;

  TAdvCustomToolBar* AdvToolBar() const { return FAdvToolBar; }
  void SetAdvToolBar(TAdvCustomToolBar* Value);
  TCustomImageList* LargeImages() const { return FLargeImages; }
  void SetLargeImages(TCustomImageList* Value);
  TCustomImageList* SmallImages() const { return FSmallImages; }
  void SetSmallImages(TCustomImageList* Value);
  TATBCommands* Commands() const { return FCommands; }
  bool EnablePersistence() const { return FEnablePersistence; }
  void SetEnablePersistence(bool Value) { FEnablePersistence = Value; }
  const String& FileName() const { return FFileName; }
  // At run time the user's layout of the new file is applied; the designed
  // section is written only when the toolbar loads, while it is as designed.
  void SetFileName(const String& Value);
  TButtonProperties* ButtonProperties() const { return FButtonProperties; }
  TDialogSettings* DialogSettings() const { return FDialogSettings; }
  TCustomizedOptions* Options() const { return FOptions; }

  // "Name" + "Org" and "Name".
  String DesignedSection() const { return Name() + L"Org"; }
  String UserSection() const { return Name(); }

  // The toolbar finished loading: the designed section is written (a write
  // that fails is reported through OnError, the layout still loads), then
  // the user's layout applied.
  void ToolBarLoaded();
  virtual void LoadCustomizedLayout();
  virtual void RestoreDesignedLayout();
  // Raises EIniFileException when the file cannot be written.
  virtual void SaveDesignedLayout();
  // The same on an INI file held in memory (reading only).
  void LoadCustomizedLayout(const TMemIniFile& Ini);

  // The first toolbar item of that Name (without regard to case).
  TControl* FindToolBarControl(const String& AName);
  // A layout finds its items by Name: while the customizer keeps a layout
  // file, every toolbar item without one gets the toolbar's Name, "Item"
  // and the smallest free number, in toolbar order. Done when the toolbar
  // loads, as designed, the names are the same at every start; saving does
  // it first for items added since.
  void NameUnnamedItems();
  // Items taken off the toolbar by the user's layout (not freed).
  int DeletedItemCount() const { return FDeleteItems->Count(); }

  // IToolBarCustomizer
  TComponent* CustomizerComponent() override { return this; }
  String CustomizeText() override { return FDialogSettings->Customize(); }
  void ShowCustomizer(TAdvCustomToolBar* ToolBar) override;

  TCustomizerErrorEvent OnError;
  // The dialog is about to show at (X, Y): the handler may move it or
  // cancel it.
  std::function<void(TObject* Sender, int& X, int& Y, bool& CanShow)> OnCanShow;
  TNotifyEvent OnBeforeDisplay;
  TNotifyEvent OnAfterPost;

 protected:
  void Destroy() override;

 private:
  bool FileWork() const { return FEnablePersistence && !FFileName.empty() && !IsDesigning(); }
  template <class TReader>
  void LoadLayout(TReader& Ini, const String& Section);
  void TakeOff(TControl* Item);

  bool FEnablePersistence = true;
  String FFileName = L".\\untitled.ini";
  TAdvCustomToolBar* FAdvToolBar = nullptr;
  TOwned<TATBCommands> FCommands;
  TOwned<TButtonProperties> FButtonProperties;
  TCustomImageList* FLargeImages = nullptr;
  TCustomImageList* FSmallImages = nullptr;
  TOwned<TDialogSettings> FDialogSettings;
  TOwned<TCustomizedOptions> FOptions;
  TOwned<TDbgList> FDeleteItems;
};

// The customizer's name for a new item: Base followed by the smallest
// n >= 1 that no component of the toolbar's owner, no item of the toolbar
// and no name in Taken has (compared without case).
String UniqueItemName(TAdvCustomToolBar* ToolBar, const String& Base, const std::vector<String>& Taken);

// Runs the customizer dialog for a customizer; the dialog's code registers
// it. Until then opening the customizer shows nothing.
using TCustomizerDialogRunner = std::function<void(TAdvToolBarCustomizer* Customizer)>;
void SetCustomizerDialogRunner(TCustomizerDialogRunner Runner);
const TCustomizerDialogRunner& CustomizerDialogRunner();
