// The ActnList unit:
//   TShortCut, THelpContext, TBiDiMode (the framework keeps these with
//     TBasicAction in its Classes unit)
//   TBasicAction, TBasicActionLink: a command and the link through which
//     one client (a control, a menu item) follows it
//   TContainedAction, TCustomAction, TAction: actions kept by an action
//     list, with the properties their clients copy
//   TActionLink: the "is linked" tests and the setters a client's link
//     overrides
//   TCustomActionList, TActionList: own their actions, give them images,
//     can suspend them, see every execute and update first, and turn short
//     cuts into executions
//
// A property change of an action goes first to every link's setter, which
// changes its client only while the client's value still equals the
// action's old one; then every link hears the change as a whole
// (OnChange), on which controls and menu items copy all of the action's
// values again (ActionChange with CheckDefaults False).
#pragma once

#include <windows.h>

#include <vector>

#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/TypInfo.h"
#include "platform/vcl/ControlsMessages.h"
#include "platform/vcl/ImgList.h"

namespace vcl {

class TBasicAction;
class TCustomActionList;

using rtl::String;

// A key in the low byte, scShift/scCtrl/scAlt above (Menus.h).
using TShortCut = WORD;
using THelpContext = int;
// The reading order of a control or menu (used by Controls and Menus).
RTL_ENUM(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly);

// ---------------------------------------------------------------------------
// TBasicActionLink

// The link of one client to its action. The client owns the link; the
// action keeps a list of its links and clears their Action when it goes.
class TBasicActionLink : public rtl::TObject {
  RTL_CLASS(TBasicActionLink, rtl::TObject)

 public:
  // The framework's virtual constructor: AssignClient.
  virtual void Create(rtl::TObject* AClient);
  // Leaves the action's list of links.
  void Destroy() override;

  // Executes the action with AComponent as its ActionComponent for the
  // time of the call; false without an action or when nothing handled it.
  virtual bool Execute(rtl::TComponent* AComponent = nullptr);
  // Updates the action; false without one.
  virtual bool Update();

  TBasicAction* GetAction() const { return FAction; }
  virtual void SetAction(TBasicAction* AValue);
  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }

 protected:
  // Checks and keeps the client; descendants keep it typed.
  virtual void AssignClient(rtl::TObject* /*AClient*/) {}
  // OnChange with the action as sender.
  virtual void Change();
  virtual bool IsOnExecuteLinked() { return true; }
  virtual void SetOnExecute(rtl::TNotifyEvent /*AValue*/) {}

  TBasicAction* FAction;

 private:
  rtl::TNotifyEvent FOnChange;

  friend class TBasicAction;
};

using TBasicActionLinkClass = rtl::ClassOf<TBasicActionLink>;

// ---------------------------------------------------------------------------
// TBasicAction

class TBasicAction : public rtl::TComponent {
  RTL_CLASS(TBasicAction, rtl::TComponent)

 public:
  // The components that hear of the going first (free notification: the
  // controls and items clear their Action), then the remaining links lose
  // their action.
  void Destroy() override;

  // Targets: an action that works on a kind of control (an edit's Copy)
  // answers HandlesTarget for it; none here.
  virtual bool HandlesTarget(rtl::TObject* /*ATarget*/) { return false; }
  virtual void UpdateTarget(rtl::TObject* /*ATarget*/) {}
  virtual void ExecuteTarget(rtl::TObject* /*ATarget*/) {}
  // OnExecute; false without a handler.
  virtual bool Execute();
  // OnUpdate; false without a handler.
  virtual bool Update();

  void RegisterChanges(TBasicActionLink* AValue);
  void UnRegisterChanges(TBasicActionLink* AValue);
  int GetClientCount() const { return static_cast<int>(FClients.size()); }
  TBasicActionLink* GetClients(int AIndex) const { return FClients.at(static_cast<std::size_t>(AIndex)); }

  // The component that executes the action now (the clicked control).
  rtl::TComponent* GetActionComponent() const { return FActionComponent; }
  void SetActionComponent(rtl::TComponent* AValue);
  rtl::TNotifyEvent GetOnExecute() const { return FOnExecute; }
  // Passed to every link first (a client whose OnClick was the old handler
  // takes the new one).
  virtual void SetOnExecute(rtl::TNotifyEvent AValue);
  rtl::TNotifyEvent GetOnUpdate() const { return FOnUpdate; }
  void SetOnUpdate(rtl::TNotifyEvent AValue) { FOnUpdate = AValue; }

  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;

 protected:
  // OnChange, then every link's Change.
  virtual void Change();
  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }

  // The links, for the setters of descendants.
  const std::vector<TBasicActionLink*>& Clients() const { return FClients; }

 private:
  std::vector<TBasicActionLink*> FClients;
  rtl::TComponent* FActionComponent;
  rtl::TNotifyEvent FOnChange;
  rtl::TNotifyEvent FOnExecute;
  rtl::TNotifyEvent FOnUpdate;

  friend class TCustomActionList;
};

using TBasicActionClass = rtl::ClassOf<TBasicAction>;

// ---------------------------------------------------------------------------
// TContainedAction

// An action that belongs to an action list: the list (and, when the list
// leaves it alone, the application) sees Execute and Update first.
class TContainedAction : public TBasicAction {
  RTL_CLASS(TContainedAction, TBasicAction)
  RTL_PUBLISHED(RTL_PROPERTY(Category, GetCategory, SetCategory))

 public:
  // Leaves its list.
  void Destroy() override;

  // The list's OnExecute, else the action's own OnExecute, else a control
  // of the active form that handles the action as a target. Nothing while
  // the list is suspended.
  bool Execute() override;
  // The same road with OnUpdate. When nobody updates the action, an
  // action with DisableIfNoHandler is disabled unless it has OnExecute.
  bool Update() override;

  TCustomActionList* GetActionList() const { return FActionList; }
  void SetActionList(TCustomActionList* AValue);
  // The position in the list; -1 without a list.
  int GetIndex() const;
  void SetIndex(int AValue);
  const String& GetCategory() const { return FCategory; }
  void SetCategory(const String& AValue);

  // Form streaming: the action is written as a child of its list.
  rtl::TComponent* GetParentComponent() override;
  void SetParentComponent(rtl::TComponent* AValue) override;
  bool HasParent() override;

 protected:
  void ReadState(rtl::TReader* AReader) override;
  // The list is not in its normal state.
  bool Suspended() const;

 private:
  TCustomActionList* FActionList;
  String FCategory;

  friend class TCustomActionList;
};

// ---------------------------------------------------------------------------
// TActionLink

// The link of a client that shows an action's properties. Is...Linked
// answers whether the client follows that property; here: whether the
// action has it at all (it is a TCustomAction). A client's link adds "and
// the client's value still equals the action's", so a value the client
// changed on its own is no longer written by the setters.
class TActionLink : public TBasicActionLink {
  RTL_CLASS(TActionLink, TBasicActionLink)

 public:
  virtual bool IsAutoCheckLinked();
  virtual bool IsCaptionLinked();
  virtual bool IsCheckedLinked();
  virtual bool IsEnabledLinked();
  virtual bool IsGroupIndexLinked();
  virtual bool IsHelpContextLinked();
  // The help context and whatever else names the help.
  virtual bool IsHelpLinked();
  virtual bool IsHintLinked();
  virtual bool IsImageIndexLinked();
  virtual bool IsShortCutLinked();
  virtual bool IsVisibleLinked();
  bool IsOnExecuteLinked() override { return true; }

 protected:
  // Called by the action before it takes the new value; a client link sets
  // its client when the property is linked.
  virtual void SetAutoCheck(bool /*AValue*/) {}
  virtual void SetCaption(const String& /*AValue*/) {}
  virtual void SetChecked(bool /*AValue*/) {}
  virtual void SetEnabled(bool /*AValue*/) {}
  virtual void SetGroupIndex(int /*AValue*/) {}
  virtual void SetHelpContext(THelpContext /*AValue*/) {}
  virtual void SetHint(const String& /*AValue*/) {}
  virtual void SetImageIndex(int /*AValue*/) {}
  virtual void SetShortCut(TShortCut /*AValue*/) {}
  virtual void SetVisible(bool /*AValue*/) {}

 private:
  bool HasProperties();

  friend class TCustomAction;
};

using TActionLinkClass = rtl::ClassOf<TActionLink>;

// ---------------------------------------------------------------------------
// TCustomAction, TAction

class TCustomAction : public TContainedAction {
  RTL_CLASS(TCustomAction, TContainedAction)

 public:
  // Enabled, visible, no image, DisableIfNoHandler.
  void Create(rtl::TComponent* AOwner) override;

  // Nothing while suspended. Otherwise Update first; an enabled AutoCheck
  // action toggles Checked (a checked action of a group stays checked);
  // then the contained action's Execute when enabled.
  bool Execute() override;
  // What a short cut of the action does: Execute.
  virtual bool HandleShortCut() { return Execute(); }

  // Each setter: the links' setter first, then the value, then Change.
  bool GetAutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool AValue);
  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& AValue);
  // Checking an action of a group (GroupIndex > 0) unchecks the others of
  // the group in the same list.
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool AValue);
  // While the list is asSuspended the value is only kept; while it is
  // asSuspendedEnabled it is kept for the return to asNormal.
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool AValue);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int AValue);
  THelpContext GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(THelpContext AValue);
  const String& GetHint() const { return FHint; }
  void SetHint(const String& AValue);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int AValue);
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut AValue);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool AValue);
  // Whether an update that nobody handles disables an action without
  // OnExecute.
  bool GetDisableIfNoHandler() const { return FDisableIfNoHandler; }
  void SetDisableIfNoHandler(bool AValue) { FDisableIfNoHandler = AValue; }
  // The list's image list.
  TCustomImageList* GetImages() const;

 protected:
  bool IsCaptionStored() const { return !FCaption.empty(); }

 private:
  template <class TValue, class TSetter>
  void ChangeProperty(TValue& AField, const TValue& AValue, TSetter ASetLink);
  void ApplyEnabled(bool AValue);
  void UncheckGroup();

  String FCaption;
  String FHint;
  THelpContext FHelpContext;
  int FGroupIndex;
  int FImageIndex;
  TShortCut FShortCut;
  bool FAutoCheck;
  bool FChecked;
  bool FChecking;
  bool FEnabled;
  bool FSavedEnabledState;
  bool FVisible;
  bool FDisableIfNoHandler;

  friend class TCustomActionList;
};

class TAction : public TCustomAction {
  RTL_CLASS(TAction, TCustomAction)
  RTL_PUBLISHED(RTL_PROPERTY(AutoCheck, GetAutoCheck, SetAutoCheck, RTL_DEFAULT(false)),
                RTL_PROPERTY(Caption, GetCaption, SetCaption, RTL_STORED(IsCaptionStored)),
                RTL_PROPERTY(Checked, GetChecked, SetChecked, RTL_DEFAULT(false)),
                RTL_PROPERTY(Enabled, GetEnabled, SetEnabled, RTL_DEFAULT(true)),
                RTL_PROPERTY(GroupIndex, GetGroupIndex, SetGroupIndex, RTL_DEFAULT(0)),
                RTL_PROPERTY(HelpContext, GetHelpContext, SetHelpContext, RTL_DEFAULT(0)),
                RTL_PROPERTY(Hint, GetHint, SetHint),
                RTL_PROPERTY(ImageIndex, GetImageIndex, SetImageIndex, RTL_DEFAULT(-1)),
                RTL_PROPERTY(ShortCut, GetShortCut, SetShortCut, RTL_DEFAULT(0)),
                RTL_PROPERTY(Visible, GetVisible, SetVisible, RTL_DEFAULT(true)),
                RTL_PROPERTY(OnExecute, GetOnExecute, SetOnExecute),
                RTL_PROPERTY(OnUpdate, GetOnUpdate, SetOnUpdate))
};

// ---------------------------------------------------------------------------
// TCustomActionList, TActionList

// Handled: true when the handler did the execute or update itself.
using TActionEvent = rtl::TMethod<void(TBasicAction* Action, bool& Handled)>;
RTL_TYPE_NAME(TActionEvent)

// asSuspended: the actions neither execute nor update, and Enabled changes
// are only kept; asSuspendedEnabled: the same, with every action shown
// enabled until the list is back to asNormal.
RTL_ENUM(TActionListState, asNormal, asSuspended, asSuspendedEnabled);

class TCustomActionList : public rtl::TComponent {
  RTL_CLASS(TCustomActionList, rtl::TComponent)

 public:
  void Create(rtl::TComponent* AOwner) override;
  // Frees its actions, the last first.
  void Destroy() override;

  // OnExecute / OnUpdate of the list; true when the handler said Handled.
  virtual bool ExecuteAction(TBasicAction* AAction);
  virtual bool UpdateAction(TBasicAction* AAction);
  // The action of the key's short cut handles it (HandleShortCut); false
  // when none has it or it did not execute. Nothing while suspended.
  bool IsShortCut(TWMKey& AMessage);

  int GetActionCount() const { return static_cast<int>(FActions.size()); }
  TContainedAction* GetActions(int AIndex) const { return FActions.at(static_cast<std::size_t>(AIndex)); }
  int IndexOfAction(const TContainedAction* AAction) const;
  void AddAction(TContainedAction* AAction);
  void RemoveAction(TContainedAction* AAction);

  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* AValue);
  TActionListState GetState() const { return FState; }
  void SetState(TActionListState AValue);
  TActionEvent GetOnExecute() const { return FOnExecute; }
  void SetOnExecute(TActionEvent AValue) { FOnExecute = AValue; }
  TActionEvent GetOnUpdate() const { return FOnUpdate; }
  void SetOnUpdate(TActionEvent AValue) { FOnUpdate = AValue; }
  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }

  // Writes the actions the root owns, as children of the list.
  void GetChildren(const rtl::TGetChildProc& AProc, rtl::TComponent* ARoot) override;
  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;

 protected:
  // OnChange, then every action's Change: the clients redraw their images.
  virtual void Change();

 private:
  void ImageListChange(rtl::TObject* ASender);

  std::vector<TContainedAction*> FActions;
  TCustomImageList* FImages;
  TChangeLink* FImageChangeLink;
  TActionListState FState;
  TActionEvent FOnExecute;
  TActionEvent FOnUpdate;
  rtl::TNotifyEvent FOnChange;

  friend class TContainedAction;
};

class TActionList : public TCustomActionList {
  RTL_CLASS(TActionList, TCustomActionList)
  RTL_PUBLISHED(RTL_PROPERTY(Images, GetImages, SetImages),
                RTL_PROPERTY(State, GetState, SetState, RTL_DEFAULT(TActionListState::asNormal)),
                RTL_PROPERTY(OnChange, GetOnChange, SetOnChange),
                RTL_PROPERTY(OnExecute, GetOnExecute, SetOnExecute),
                RTL_PROPERTY(OnUpdate, GetOnUpdate, SetOnUpdate))
};

}  // namespace vcl
