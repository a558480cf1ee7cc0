// Actions: commands with a caption, state and image that several clients
// (controls, menu items) show alike. A client holds an action link; the
// action pushes each change through the links of its clients, and a
// client's click executes the action.
#pragma once

#include <vector>

#include "base/Object.h"

class TBasicAction;
class TCustomImageList;
class TCustomActionList;
class TControl;
class TMenuItem;

using TShortCut = WORD;

// The link between an action and one client.
class TBasicActionLink : public TObject {
  VANTREL_CLASS(TBasicActionLink)
 public:
  TBasicAction* Action() const { return FAction; }
  void SetAction(TBasicAction* Value);
  // Executes the action for the client; false when nothing handled it.
  virtual bool Execute(TComponent* AComponent = nullptr);
  virtual bool IsOnExecuteLinked() { return true; }
  // Fired after each change of the action.
  TNotifyEvent OnChange;

 protected:
  friend class TBasicAction;
  void Destroy() override;
  virtual void Change();
  TBasicAction* FAction = nullptr;
};

class TBasicAction : public TComponent {
  VANTREL_CLASS(TBasicAction)
 public:
  explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
  // Fires OnExecute; true when it was assigned.
  virtual bool Execute();
  // The client whose click executes the action right now.
  TComponent* ActionComponent() const { return FActionComponent; }
  void SetActionComponent(TComponent* Value) { FActionComponent = Value; }
  void RegisterChanges(TBasicActionLink* Value);
  void UnRegisterChanges(TBasicActionLink* Value);
  int ClientCount() const { return static_cast<int>(FClients.size()); }

  TNotifyEvent OnExecute;
  TNotifyEvent OnChange;

 protected:
  void Destroy() override;
  // Tells the clients and OnChange.
  virtual void Change();
  // The links of the clients, for the subclasses' property pushes.
  const std::vector<TBasicActionLink*>& Clients() const { return FClients; }

 private:
  std::vector<TBasicActionLink*> FClients;
  TComponent* FActionComponent = nullptr;
};

// An action that belongs to an action list.
class TContainedAction : public TBasicAction {
  VANTREL_CLASS(TContainedAction)
 public:
  using TBasicAction::TBasicAction;
  TCustomActionList* ActionList() const { return FActionList; }
  void SetActionList(TCustomActionList* Value);
  const String& Category() const { return FCategory; }
  void SetCategory(const String& Value) { FCategory = Value; }
  int Index() const;

 protected:
  void Destroy() override;

 private:
  friend class TCustomActionList;
  TCustomActionList* FActionList = nullptr;
  String FCategory;
};

enum class THelpType { htKeyword, htContext };

class TCustomAction : public TContainedAction {
  VANTREL_CLASS(TCustomAction)
 public:
  using TContainedAction::TContainedAction;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Checked() const { return FChecked; }
  // A checked action of a group (GroupIndex > 0) unchecks the others of
  // its list's group.
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value);
  const String& HelpKeyword() const { return FHelpKeyword; }
  void SetHelpKeyword(const String& Value);
  THelpType HelpType() const { return FHelpType; }
  void SetHelpType(THelpType Value);
  // The images of the action's list, or nullptr.
  TCustomImageList* Images() const;

  // An AutoCheck action toggles Checked first; a disabled one does nothing.
  bool Execute() override;

 private:
  String FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  int FGroupIndex = 0;
  int FImageIndex = -1;
  bool FAutoCheck = false;
  String FHint;
  TShortCut FShortCut = 0;
  bool FVisible = true;
  int FHelpContext = 0;
  String FHelpKeyword;
  THelpType FHelpType = THelpType::htKeyword;
};

class TAction : public TCustomAction {
  VANTREL_CLASS(TAction)
 public:
  using TCustomAction::TCustomAction;
};

// The link of a client that shows a TCustomAction: each Is...Linked says
// whether the client follows that property; each setter gives the client
// the action's new value. The base keeps no client.
class TActionLink : public TBasicActionLink {
  VANTREL_CLASS(TActionLink)
 public:
  virtual bool IsCaptionLinked();
  virtual bool IsCheckedLinked();
  virtual bool IsEnabledLinked();
  virtual bool IsGroupIndexLinked();
  virtual bool IsHelpContextLinked();
  virtual bool IsHintLinked();
  virtual bool IsImageIndexLinked();
  virtual bool IsShortCutLinked();
  virtual bool IsVisibleLinked();
  virtual bool IsAutoCheckLinked();

  virtual void SetCaption(const String& Value) {}
  virtual void SetChecked(bool Value) {}
  virtual void SetEnabled(bool Value) {}
  virtual void SetGroupIndex(int Value) {}
  virtual void SetHelpContext(int Value) {}
  virtual void SetHint(const String& Value) {}
  virtual void SetImageIndex(int Value) {}
  virtual void SetShortCut(TShortCut Value) {}
  virtual void SetVisible(bool Value) {}
  virtual void SetAutoCheck(bool Value) {}

 protected:
  TCustomAction* CustomAction() const;
};

// The link of a control: caption, enabled, hint and visible follow the
// action. Controls with a checked state or an image override the rest.
class TControlActionLink : public TActionLink {
  VANTREL_CLASS(TControlActionLink)
 public:
  explicit TControlActionLink(TObject* AClient);
  TControl* Client() const { return FClient; }

  bool IsCaptionLinked() override;
  bool IsEnabledLinked() override;
  bool IsHintLinked() override;
  bool IsVisibleLinked() override;
  void SetCaption(const String& Value) override;
  void SetEnabled(bool Value) override;
  void SetHint(const String& Value) override;
  void SetVisible(bool Value) override;

 protected:
  TControl* FClient;
};

using TControlActionLinkClass = TControlActionLink* (*)(TObject* AClient);

// The link of a menu item: every property follows the action.
class TMenuActionLink : public TActionLink {
  VANTREL_CLASS(TMenuActionLink)
 public:
  explicit TMenuActionLink(TObject* AClient);
  TMenuItem* Client() const { return FClient; }

  bool IsCaptionLinked() override;
  bool IsCheckedLinked() override;
  bool IsEnabledLinked() override;
  bool IsGroupIndexLinked() override;
  bool IsHintLinked() override;
  bool IsImageIndexLinked() override;
  bool IsShortCutLinked() override;
  bool IsVisibleLinked() override;
  bool IsAutoCheckLinked() override;
  void SetCaption(const String& Value) override;
  void SetChecked(bool Value) override;
  void SetEnabled(bool Value) override;
  void SetGroupIndex(int Value) override;
  void SetHint(const String& Value) override;
  void SetImageIndex(int Value) override;
  void SetShortCut(TShortCut Value) override;
  void SetVisible(bool Value) override;
  void SetAutoCheck(bool Value) override;

 private:
  TMenuItem* FClient;
};

// A list of actions with their images.
class TCustomActionList : public TComponent {
  VANTREL_CLASS(TCustomActionList)
 public:
  explicit TCustomActionList(TComponent* AOwner) : TComponent(AOwner) {}
  int ActionCount() const { return static_cast<int>(FActions.size()); }
  TContainedAction* Actions(int Index) const;
  int IndexOfAction(const TContainedAction* Action) const;
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  friend class TContainedAction;
  void Destroy() override;
  void AddAction(TContainedAction* Action);
  void RemoveAction(TContainedAction* Action);

 private:
  std::vector<TContainedAction*> FActions;
  TCustomImageList* FImages = nullptr;
};

class TActionList : public TCustomActionList {
  VANTREL_CLASS(TActionList)
 public:
  using TCustomActionList::TCustomActionList;
};

// An action list with the large and disabled image lists that styled menus
// and toolbars draw from.
class TActionManager : public TCustomActionList {
  VANTREL_CLASS(TActionManager)
 public:
  using TCustomActionList::TCustomActionList;
  TCustomImageList* DisabledImages() const { return FDisabledImages; }
  void SetDisabledImages(TCustomImageList* Value);
  TCustomImageList* LargeImages() const { return FLargeImages; }
  void SetLargeImages(TCustomImageList* Value);
  TCustomImageList* LargeDisabledImages() const { return FLargeDisabledImages; }
  void SetLargeDisabledImages(TCustomImageList* Value);

  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void SetList(TCustomImageList*& Field, TCustomImageList* Value);
  TCustomImageList* FDisabledImages = nullptr;
  TCustomImageList* FLargeImages = nullptr;
  TCustomImageList* FLargeDisabledImages = nullptr;
};
