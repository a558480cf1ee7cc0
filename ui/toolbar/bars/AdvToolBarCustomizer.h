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

// The switches of the dialogs that decide what the layout file holds.
class TDialogSettings : public TPersistent {
  VANTREL_CLASS(TDialogSettings)
 public:
  // Copies everything but Customize.
  void Assign(TPersistent* Source) override;
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
  String FCustomize = L"Customize";
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
  // Items taken off the toolbar by the user's layout (not freed).
  int DeletedItemCount() const { return FDeleteItems->Count(); }

  // IToolBarCustomizer
  TComponent* CustomizerComponent() override { return this; }
  String CustomizeText() override { return FDialogSettings->Customize(); }
  void ShowCustomizer(TAdvCustomToolBar* ToolBar) override;

  TCustomizerErrorEvent OnError;
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
