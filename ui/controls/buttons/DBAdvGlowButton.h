// The data-aware glow button: a click performs one data set operation
// (first, prior, next, last, insert, append, delete, edit, post, cancel,
// refresh), optionally after a confirmation; the button shows the
// operation's glyph and follows the data set's position and editing state
// with its enabled state.
#pragma once

#include "base/DB.h"
#include "base/Dialogs.h"
#include "ui/controls/buttons/AdvGlowButton.h"

enum class TDBGlowButtonType {
  dbCustom, dbFirst, dbPrior, dbNext, dbLast, dbInsert, dbAppend, dbDelete, dbEdit, dbPost, dbCancel, dbRefresh
};
enum class TDBBDisableControl { drBOF, drEOF, drReadonly, drNotEditing, drEditing, drEmpty, drEvent };
using TDBBDisableControls = Set<TDBBDisableControl>;

using TBeforeActionEvent = std::function<void(TObject* Sender, bool& DoAction)>;
using TAfterActionEvent = std::function<void(TObject* Sender, bool& ShowException)>;
using TGetConfirmEvent =
    std::function<void(TObject* Sender, String& Question, TMsgDlgButtons& Buttons, int& HelpCtx)>;
using TGetEnabledEvent = std::function<void(TObject* Sender, bool& Enabled)>;

// The button's link: each of its three notifications fires the matching
// event with the link as sender.
class TDBGlowButtonDataLink : public TDataLink {
  VANTREL_CLASS(TDBGlowButtonDataLink)
 public:
  TNotifyEvent OnEditingChanged;
  TNotifyEvent OnDataSetChanged;
  TNotifyEvent OnActiveChanged;

 protected:
  void EditingChanged() override {
    if (OnEditingChanged) OnEditingChanged(this);
  }
  void DataSetChanged() override {
    if (OnDataSetChanged) OnDataSetChanged(this);
  }
  void ActiveChanged() override {
    if (OnActiveChanged) OnActiveChanged(this);
  }
};

class TDBAdvGlowButton : public TAdvCustomGlowButton {
  VANTREL_CLASS(TDBAdvGlowButton)
 public:
  explicit TDBAdvGlowButton(TComponent* AOwner);

  void Click() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

  bool AutoDisable() const { return FAutoDisable; }
  void SetAutoDisable(bool Value) { FAutoDisable = Value; }
  bool ConfirmAction() const { return FConfirmAction; }
  void SetConfirmAction(bool Value) { FConfirmAction = Value; }
  const String& ConfirmActionString() const { return FConfirmActionString; }
  void SetConfirmActionString(const String& Value) { FConfirmActionString = Value; }
  TDataSource* DataSource() const { return FDataLink->DataSource(); }
  void SetDataSource(TDataSource* Value);
  TDBGlowButtonType DBButtonType() const { return FDBButtonType; }
  void SetDBButtonType(TDBGlowButtonType Value);
  TDBBDisableControls DisableControl() const { return FDisableControls; }
  void SetDisableControl(TDBBDisableControls Value) { FDisableControls = Value; }
  TDBGlowButtonDataLink* DataLink() const { return FDataLink; }
  // The fallback image list with the loaded glyph, nullptr until one was
  // loaded.
  TCustomImageList* GlyphImages() const { return FInternalImages; }

  TBeforeActionEvent OnBeforeAction;
  TAfterActionEvent OnAfterAction;
  TGetConfirmEvent OnGetConfirm;
  TGetEnabledEvent OnGetEnabled;
  TNotifyEvent OnEnabledChanged;

  // New virtual operations.
  virtual void DoBeforeAction(bool& DoAction);
  virtual void GetConfirm(String& Question, TMsgDlgButtons& Buttons, int& HelpCtx);
  virtual bool AskConfirmation();
  virtual void DoAction();
  virtual void UpdateEnabled();
  virtual void LoadGlyph();

 protected:
  void Destroy() override;

 private:
  TOwned<TDBGlowButtonDataLink> FDataLink;
  bool FAutoDisable = true;
  TDBBDisableControls FDisableControls;
  TDBGlowButtonType FDBButtonType = TDBGlowButtonType::dbCustom;
  bool FConfirmAction = false;
  String FConfirmActionString;
  bool FInProcUpdateEnabled = false;
};
