// The Forms unit:
//   the form's enumerations (TPosition, TBorderIcons,
//     TCloseAction, TWindowState), TModalResult and the mr* values
//   TCustomForm / TForm: a top-level window read from its form resource,
//     shown modeless or modal, closed through OnCloseQuery and OnClose,
//     placed by Position, scaled for the monitor's DPI
//   TMonitor, TScreen (Screen()): forms, the active form, cursors, monitors,
//     work area and the system's fonts
//   THintWindow, THintInfo
//   TApplication (Application()): the application window, CreateForm, the
//     message loop, idle time, exceptions of callbacks, synchronised calls,
//     hint timing
//   GetParentForm, DoneApplication
//
// Form resources are the text form files, stored as RCDATA named after the
// form class; they are turned into the binary format while they are read.
#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Controls.h"

namespace vcl {

class TCustomForm;
class TMonitor;
class TApplication;
class TScreen;

// ---------------------------------------------------------------------------
// Types

RTL_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
         poMainFormCenter, poOwnerFormCenter);
RTL_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp);
using TBorderIcons = rtl::TSet<TBorderIcon>;
RTL_TYPE_NAME(TBorderIcons)
RTL_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized);
RTL_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize);
// The monitor a form first appears on: anywhere on the desktop, the
// primary monitor, that of the main form or that of the active form.
RTL_ENUM(TDefaultMonitor, dmDesktop, dmPrimary, dmMainForm, dmActiveForm);

// The result of a modal form: the button identifiers of message boxes.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = IDOK;
inline constexpr TModalResult mrCancel = IDCANCEL;
inline constexpr TModalResult mrAbort = IDABORT;
inline constexpr TModalResult mrRetry = IDRETRY;
inline constexpr TModalResult mrIgnore = IDIGNORE;
inline constexpr TModalResult mrYes = IDYES;
inline constexpr TModalResult mrNo = IDNO;
inline constexpr TModalResult mrClose = IDCLOSE;
inline constexpr TModalResult mrHelp = IDHELP;
inline constexpr TModalResult mrTryAgain = IDTRYAGAIN;
inline constexpr TModalResult mrContinue = IDCONTINUE;
inline constexpr TModalResult mrAll = mrContinue + 1;
inline constexpr TModalResult mrNoToAll = mrAll + 1;
inline constexpr TModalResult mrYesToAll = mrNoToAll + 1;

using TCloseEvent = rtl::TMethod<void(TObject* Sender, TCloseAction& Action)>;
// OnShortCut: setting Handled takes the key.
using TShortCutEvent = rtl::TMethod<void(TWMKey& Msg, bool& Handled)>;
RTL_TYPE_NAME(TShortCutEvent)
using TCloseQueryEvent = rtl::TMethod<void(TObject* Sender, bool& CanClose)>;
using TExceptionEvent = rtl::TMethod<void(TObject* Sender, rtl::Exception* E)>;
using TIdleEvent = rtl::TMethod<void(TObject* Sender, bool& Done)>;
RTL_TYPE_NAME(TCloseEvent)
RTL_TYPE_NAME(TCloseQueryEvent)

// ---------------------------------------------------------------------------
// TCustomForm

class TCustomForm : public TWinControl {
  RTL_CLASS(TCustomForm, TWinControl)
  RTL_MESSAGES(RTL_MESSAGE(WM_CLOSE, WMClose), RTL_MESSAGE(WM_ACTIVATE, WMActivate),
               RTL_MESSAGE(WM_DPICHANGED, WMDpiChanged), RTL_MESSAGE(CM_RELEASE, CMRelease),
               RTL_MESSAGE(CM_SHOWINGCHANGED, CMShowingChanged), RTL_MESSAGE(CM_CHILDKEY, CMChildKey),
               RTL_MESSAGE(WM_SIZE, WMSize))
  // Declared here, published by TForm (and by a form class of another kind
  // as it chooses).
  RTL_DECLARED(RTL_PROPERTY(ActiveControl, GetActiveControl, SetActiveControl),
               RTL_PROPERTY(BorderIcons, GetBorderIcons, SetBorderIcons,
                            RTL_DEFAULT(TBorderIcons{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize,
                                                     TBorderIcon::biMaximize})),
               RTL_PROPERTY(BorderStyle, GetBorderStyle, SetBorderStyle, RTL_DEFAULT(TFormBorderStyle::bsSizeable)),
               RTL_PROPERTY(DefaultMonitor, GetDefaultMonitor, SetDefaultMonitor,
                            RTL_DEFAULT(TDefaultMonitor::dmActiveForm)),
               RTL_PROPERTY(ClientHeight, GetClientHeight, SetClientHeight, RTL_NOT_STORED),
               RTL_PROPERTY(ClientWidth, GetClientWidth, SetClientWidth, RTL_NOT_STORED),
               RTL_PROPERTY(Icon, GetIcon, SetIcon),
               RTL_PROPERTY(KeyPreview, GetKeyPreview, SetKeyPreview, RTL_DEFAULT(false)),
               RTL_PROPERTY(OldCreateOrder, GetOldCreateOrder, SetOldCreateOrder, RTL_DEFAULT(false)),
               RTL_PROPERTY(PixelsPerInch, GetPixelsPerInch, SetPixelsPerInch),
               RTL_PROPERTY(Position, GetPosition, SetPosition, RTL_DEFAULT(TPosition::poDefaultPosOnly)),
               RTL_PROPERTY(Scaled, GetScaled, SetScaled, RTL_DEFAULT(true)),
               RTL_PROPERTY(WindowState, GetWindowState, SetWindowState, RTL_DEFAULT(TWindowState::wsNormal)),
               RTL_PROPERTY(OnActivate, GetOnActivate, SetOnActivate),
               RTL_PROPERTY(OnClose, GetOnClose, SetOnClose),
               RTL_PROPERTY(OnCloseQuery, GetOnCloseQuery, SetOnCloseQuery),
               RTL_PROPERTY(OnCreate, GetOnCreate, SetOnCreate),
               RTL_PROPERTY(OnDeactivate, GetOnDeactivate, SetOnDeactivate),
               RTL_PROPERTY(OnDestroy, GetOnDestroy, SetOnDestroy),
               RTL_PROPERTY(OnHide, GetOnHide, SetOnHide), RTL_PROPERTY(OnShortCut, GetOnShortCut, SetOnShortCut),
               RTL_PROPERTY(OnShow, GetOnShow, SetOnShow))

 public:
  // The form of a designed class: the new-form set-up, then its resources,
  // ancestors first (InitInheritedComponent), then Loaded. Raises
  // EResNotFound for a class derived from TForm that has none.
  void Create(TComponent* AOwner) override;
  // A blank form, without reading any resource (rtl::NewWith).
  virtual void CreateNew(TComponent* AOwner, int ADummy = 0);
  // OnCreate comes here, once the whole object is made and read.
  void AfterConstruction() override;
  // OnDestroy comes here, before any destructor body.
  void BeforeDestruction() override;
  void Destroy() override;

  // Show makes the form visible and brings it to the front. ShowModal
  // disables the application's other windows, runs the message loop until
  // ModalResult is set (or the application terminates: mrCancel) and answers
  // it; EInvalidOperation for a form that is visible, disabled or modal.
  void Show();
  virtual TModalResult ShowModal();
  // A modal form sets ModalResult to mrCancel. Otherwise CloseQuery, then
  // OnClose with caHide; the action decides: caHide hides, caFree releases,
  // caMinimize minimises, caNone keeps the form. Closing the main form
  // terminates the application.
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the messages being handled are done (CM_RELEASE).
  // The framework's Release; the name is COM's Release in C++.
  void ReleaseForm();
  bool IsModal() const { return FModal; }

  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult AValue) { FModalResult = AValue; }

  // The control that gets the focus when the form is active; it must be a
  // visible, enabled child of the form.
  TWinControl* GetActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* AValue);
  bool GetActive() const { return FActive; }

  TPosition GetPosition() const { return FPosition; }
  void SetPosition(TPosition AValue) { FPosition = AValue; }
  TDefaultMonitor GetDefaultMonitor() const { return FDefaultMonitor; }
  void SetDefaultMonitor(TDefaultMonitor AValue) { FDefaultMonitor = AValue; }
  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle AValue);
  TBorderIcons GetBorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons AValue);
  TWindowState GetWindowState() const { return FWindowState; }
  void SetWindowState(TWindowState AValue);
  TIcon* GetIcon() const { return FIcon; }
  void SetIcon(TIcon* AValue) { FIcon->Assign(AValue); }
  bool GetKeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool AValue) { FKeyPreview = AValue; }
  bool GetOldCreateOrder() const { return FOldCreateOrder; }
  void SetOldCreateOrder(bool AValue) { FOldCreateOrder = AValue; }
  bool GetScaled() const { return FScaled; }
  void SetScaled(bool AValue) { FScaled = AValue; }
  // The DPI the form's stored sizes are for; after loading, the DPI it is
  // scaled to.
  int GetPixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int AValue);

  // While the form is read, the client size waits for the border style and
  // is applied in Loaded.
  int GetClientWidth() { return TControl::GetClientWidth(); }
  void SetClientWidth(int AValue);
  int GetClientHeight() { return TControl::GetClientHeight(); }
  void SetClientHeight(int AValue);

  // Scales the form and its children from CurrentPPI to ANewPPI.
  void ScaleForPPI(int ANewPPI) override;

  TNotifyEvent GetOnActivate() const { return FOnActivate; }
  void SetOnActivate(TNotifyEvent AValue) { FOnActivate = AValue; }
  TNotifyEvent GetOnDeactivate() const { return FOnDeactivate; }
  void SetOnDeactivate(TNotifyEvent AValue) { FOnDeactivate = AValue; }
  TCloseEvent GetOnClose() const { return FOnClose; }
  void SetOnClose(TCloseEvent AValue) { FOnClose = AValue; }
  TCloseQueryEvent GetOnCloseQuery() const { return FOnCloseQuery; }
  void SetOnCloseQuery(TCloseQueryEvent AValue) { FOnCloseQuery = AValue; }
  TNotifyEvent GetOnCreate() const { return FOnCreate; }
  void SetOnCreate(TNotifyEvent AValue) { FOnCreate = AValue; }
  TNotifyEvent GetOnDestroy() const { return FOnDestroy; }
  void SetOnDestroy(TNotifyEvent AValue) { FOnDestroy = AValue; }
  TNotifyEvent GetOnShow() const { return FOnShow; }
  void SetOnShow(TNotifyEvent AValue) { FOnShow = AValue; }
  TNotifyEvent GetOnHide() const { return FOnHide; }
  void SetOnHide(TNotifyEvent AValue) { FOnHide = AValue; }
  TShortCutEvent GetOnShortCut() const { return FOnShortCut; }
  void SetOnShortCut(TShortCutEvent AValue) { FOnShortCut = AValue; }

  // A key down of one of the form's controls as a short cut: OnShortCut
  // first, then the action lists the form owns; true when one took it.
  virtual bool IsShortCut(TWMKey& AMessage);

  // The idle action update of a showing form: the form's InitiateAction,
  // then that of every visible action client among its controls, depth
  // first through showing containers (FormsApplication.cpp).
  virtual void UpdateActions();

 protected:
  // The set-up every new form gets, read from a resource or not.
  virtual void InitializeNewForm();
  void CreateParams(TCreateParams& AParams) override;
  void CreateWnd() override;
  bool IsTopLevelHost() const override { return true; }
  void DefineProperties(rtl::TFiler* AFiler) override;
  // The controls on the form it owns; then, when the form is the root
  // being written, the components it owns that no parent writes (timers,
  // menus, image and action lists), so a form file keeps them.
  void GetChildren(const rtl::TGetChildProc& AProc, TComponent* ARoot) override;
  void ReadState(rtl::TReader* AReader) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, rtl::TOperation AOperation) override;
  bool SetFocusedControl(TWinControl* AControl) override;

  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& AAction);
  virtual void Activate();
  virtual void Deactivate();

  void WMClose(TMessage& AMessage);
  void WMActivate(TMessage& AMessage);
  void WMDpiChanged(TMessage& AMessage);
  void WMSize(TWMSize& AMessage);
  void CMRelease(TMessage& AMessage);
  void CMShowingChanged(TMessage& AMessage);
  void CMChildKey(TCMChildKey& AMessage);

 private:
  bool CanFocusWithin(TWinControl* AControl);
  // Moves the form where Position says, before it first shows.
  void ApplyPosition();
  // The monitor DefaultMonitor names; nil for dmDesktop.
  TMonitor* DefaultMonitorOf();
  void ApplyIcon();
  // Gives the focus to ActiveControl, or else to the first tab stop.
  void SetWindowFocus();
  void ReadTextHeight(rtl::TReader* AReader);
  // The modal end: CloseQuery and OnClose; a refused close clears
  // ModalResult.
  void CloseModal();

  TWinControl* FActiveControl;
  TPosition FPosition;
  TDefaultMonitor FDefaultMonitor;
  TFormBorderStyle FBorderStyle;
  TBorderIcons FBorderIcons;
  TWindowState FWindowState;
  TIcon* FIcon;
  TModalResult FModalResult;
  int FPixelsPerInch;
  int FReadClientWidth;
  int FReadClientHeight;
  bool FKeyPreview;
  bool FOldCreateOrder;
  bool FScaled;
  bool FModal;
  bool FActive;
  bool FPositioned;
  TNotifyEvent FOnActivate;
  TNotifyEvent FOnDeactivate;
  TCloseEvent FOnClose;
  TCloseQueryEvent FOnCloseQuery;
  TNotifyEvent FOnCreate;
  TNotifyEvent FOnDestroy;
  TNotifyEvent FOnShow;
  TNotifyEvent FOnHide;
  TShortCutEvent FOnShortCut;
};

class TForm : public TCustomForm {
  RTL_CLASS(TForm, TCustomForm)
  // A form starts hidden and with its own font.
  RTL_PUBLISHED(RTL_PUBLISH(Action), RTL_PUBLISH(ActiveControl), RTL_PUBLISH(Align), RTL_PUBLISH(Anchors),
                RTL_PUBLISH(BiDiMode), RTL_PUBLISH(BorderIcons), RTL_PUBLISH(BorderStyle), RTL_PUBLISH(Caption),
                RTL_PUBLISH(ClientHeight), RTL_PUBLISH(ClientWidth), RTL_PUBLISH(Color), RTL_PUBLISH(Constraints),
                RTL_PUBLISH(DockSite), RTL_PUBLISH(DoubleBuffered), RTL_PUBLISH(DragKind), RTL_PUBLISH(DragMode),
                RTL_PUBLISH(Enabled), RTL_PUBLISH(ParentFont, RTL_DEFAULT(false)), RTL_PUBLISH(Font),
                RTL_PUBLISH(Icon), RTL_PUBLISH(KeyPreview), RTL_PUBLISH(OldCreateOrder), RTL_PUBLISH(ParentBiDiMode),
                RTL_PUBLISH(PixelsPerInch), RTL_PUBLISH(PopupMenu), RTL_PUBLISH(Position), RTL_PUBLISH(Scaled),
                RTL_PUBLISH(ShowHint), RTL_PUBLISH(Visible, RTL_DEFAULT(false)), RTL_PUBLISH(WindowState),
                RTL_PUBLISH(OnActivate), RTL_PUBLISH(OnClick), RTL_PUBLISH(OnClose), RTL_PUBLISH(OnCloseQuery),
                RTL_PUBLISH(OnContextPopup), RTL_PUBLISH(OnCreate), RTL_PUBLISH(OnDblClick), RTL_PUBLISH(OnDestroy),
                RTL_PUBLISH(OnDeactivate), RTL_PUBLISH(OnDockDrop), RTL_PUBLISH(OnDockOver), RTL_PUBLISH(OnDragDrop),
                RTL_PUBLISH(OnDragOver), RTL_PUBLISH(OnEndDock), RTL_PUBLISH(OnHide), RTL_PUBLISH(OnKeyDown),
                RTL_PUBLISH(OnKeyPress), RTL_PUBLISH(OnKeyUp), RTL_PUBLISH(OnMouseDown), RTL_PUBLISH(OnMouseEnter),
                RTL_PUBLISH(OnMouseLeave), RTL_PUBLISH(OnMouseMove), RTL_PUBLISH(OnMouseUp), RTL_PUBLISH(OnResize),
                RTL_PUBLISH(OnShortCut), RTL_PUBLISH(OnShow), RTL_PUBLISH(OnStartDock), RTL_PUBLISH(OnUnDock))
};

using TFormClass = rtl::ClassOf<TCustomForm>;

// ---------------------------------------------------------------------------
// TCustomFrame, TFrame

// A group of controls placed on a form as one windowed child: the frame
// owns the controls on it.
class TCustomFrame : public TWinControl {
  RTL_CLASS(TCustomFrame, TWinControl)

 public:
  void Create(TComponent* AOwner) override;

 protected:
  void CreateParams(TCreateParams& AParams) override;
};

class TFrame : public TCustomFrame {
  RTL_CLASS(TFrame, TCustomFrame)
  RTL_PUBLISHED(RTL_PUBLISH(Align), RTL_PUBLISH(Anchors), RTL_PUBLISH(BiDiMode), RTL_PUBLISH(Color),
                RTL_PUBLISH(Constraints), RTL_PUBLISH(Enabled), RTL_PUBLISH(Font), RTL_PUBLISH(ParentBiDiMode),
                RTL_PUBLISH(ParentColor), RTL_PUBLISH(ParentFont), RTL_PUBLISH(ShowHint), RTL_PUBLISH(TabOrder),
                RTL_PUBLISH(TabStop), RTL_PUBLISH(Visible), RTL_PUBLISH(OnResize))
};

// The form a control stands on: the top of its parent chain when that is a
// form; nil otherwise.
TCustomForm* GetParentForm(TControl* AControl);

// ---------------------------------------------------------------------------
// TMonitor, TScreen

class TMonitor : public rtl::TObject {
  RTL_CLASS(TMonitor, rtl::TObject)

 public:
  HMONITOR GetHandle() const { return FHandle; }
  int GetMonitorNum() const { return FMonitorNum; }
  TRect GetBoundsRect() const;
  TRect GetWorkareaRect() const;
  bool GetPrimary() const;
  // The monitor's DPI where Windows tells it (GetDpiForMonitor, bound at
  // run time), else the screen's.
  int GetPixelsPerInch() const;

 private:
  HMONITOR FHandle;
  int FMonitorNum;

  friend class TScreen;
};

class TScreen : public rtl::TComponent {
  RTL_CLASS(TScreen, rtl::TComponent)

 public:
  void Create(TComponent* AOwner) override;
  void Destroy() override;

  // The forms in creation order.
  int GetFormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* GetForms(int AIndex) const { return FForms.at(static_cast<std::size_t>(AIndex)); }
  // The form that was last activated and its focused control.
  TCustomForm* GetActiveForm() const { return FActiveForm; }
  TCustomForm* GetActiveCustomForm() const { return FActiveForm; }
  TWinControl* GetActiveControl() const;

  // crDefault lets each control show its own; any other shows everywhere
  // until set back (the busy cursor around a long operation).
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor AValue);
  // The standard cursors by their negative numbers, the registered ones by
  // theirs; an unknown number gives the arrow.
  HCURSOR GetCursors(int AIndex) const;
  // Registers ACursor under AIndex (the screen destroys it later); nil
  // removes the registration.
  void SetCursors(int AIndex, HCURSOR AValue);

  // Of the primary display, as the process sees it.
  int GetPixelsPerInch() const;
  int GetWidth() const { return GetSystemMetrics(SM_CXSCREEN); }
  int GetHeight() const { return GetSystemMetrics(SM_CYSCREEN); }
  TRect GetWorkAreaRect() const;
  TRect GetDesktopRect() const;

  // Monitors are listed again at each call of GetMonitorCount.
  int GetMonitorCount();
  TMonitor* GetMonitors(int AIndex);
  TMonitor* GetPrimaryMonitor();
  TMonitor* MonitorFromWindow(HWND AWindow);
  TMonitor* MonitorFromPoint(const TPoint& APoint);
  TMonitor* MonitorFromRect(const TRect& ARect);

  // The system's fonts, read again on WM_SETTINGCHANGE.
  TFont* GetHintFont() const { return FHintFont; }
  TFont* GetMenuFont() const { return FMenuFont; }
  TFont* GetIconFont() const { return FIconFont; }
  void ResetFonts();

  // Kept by the forms themselves.
  void AddForm(TCustomForm* AForm);
  void RemoveForm(TCustomForm* AForm);
  void SetActiveForm(TCustomForm* AForm) { FActiveForm = AForm; }

 private:
  TMonitor* FindMonitor(HMONITOR AHandle);
  static BOOL CALLBACK EnumMonitor(HMONITOR AMonitor, HDC ADC, LPRECT ARect, LPARAM AData) noexcept;

  std::vector<TCustomForm*> FForms;
  std::vector<TMonitor*> FMonitors;
  std::map<int, HCURSOR> FCursors;
  TCustomForm* FActiveForm;
  TCursor FCursor;
  TFont* FHintFont;
  TFont* FMenuFont;
  TFont* FIconFont;
};

// The screen object, made on first use.
TScreen* Screen();

// ---------------------------------------------------------------------------
// Hints

// A small top-most window showing a hint's text.
class THintWindow : public TCustomControl {
  RTL_CLASS(THintWindow, TCustomControl)

 public:
  void Create(TComponent* AOwner) override;
  // Shows the text in ARect (screen coordinates), without taking the focus.
  virtual void ActivateHint(const TRect& ARect, const String& AHint);
  // The rectangle the text needs, at most AMaxWidth wide, at (0, 0). AData
  // is the hint information's data, for windows that draw more than text.
  virtual TRect CalcHintRect(int AMaxWidth, const String& AHint, TObject* AData);
  void ReleaseHandle() { DestroyHandle(); }

 protected:
  void CreateParams(TCreateParams& AParams) override;
  bool IsTopLevelHost() const override { return true; }
  void Paint() override;
};

using THintWindowClass = rtl::ClassOf<THintWindow>;

// What a hint about to show is made of; CM_HINTSHOW (LParam) and OnShowHint
// may change it.
struct THintInfo {
  TControl* HintControl;
  THintWindowClass HintWindowClass;
  TPoint HintPos;
  int HintMaxWidth;
  TColor HintColor;
  TRect CursorRect;
  TPoint CursorPos;
  // After this many milliseconds (0: never) the hint is asked for and shown
  // again while the mouse stays on the control.
  int ReshowTimeout;
  int HideTimeout;
  String HintStr;
  // Handed to the window's CalcHintRect.
  TObject* HintData;
};

using TShowHintEvent = rtl::TMethod<void(String& HintStr, bool& CanShow, THintInfo& HintInfo)>;

// ---------------------------------------------------------------------------
// TApplication

class TApplication : public rtl::TComponent {
  RTL_CLASS(TApplication, rtl::TComponent)

 public:
  // Makes the application window and becomes the run-time's handler of
  // callback exceptions and the one woken for synchronised calls.
  void Create(TComponent* AOwner) override;
  // Frees the forms (the application owns them), gives up both roles, then
  // the window goes.
  void Destroy() override;

  // Nothing left to do before CreateForm: the window exists already.
  void Initialize() {}
  // Makes a form of AClass owned by the application and stores it in
  // AReference before it is read (its OnCreate may use the variable). The
  // first form becomes the main form and gets its window.
  void CreateForm(rtl::TComponentClass AClass, void* AReference);
  template <class T>
  void CreateForm(T*& AReference)
  {
    CreateForm(rtl::TComponentClass::Of<T>(), &AReference);
  }
  // Shows the main form and handles messages until Terminate (closing the
  // main form terminates).
  void Run();
  void Terminate();
  bool GetTerminated() const { return FTerminated; }

  // Handles the messages waiting, then returns; synchronised calls run.
  void ProcessMessages();
  // Handles one message, or when none is waiting runs the idle step and
  // waits for the next.
  void HandleMessage();

  // Call inside a catch block: EAbort is dropped; other exceptions go to
  // OnException, or else ShowException. Never raises.
  void HandleException(TObject* ASender);
  // A message box with the exception's message, ended by a full stop.
  void ShowException(rtl::Exception* AException);

  HWND GetHandle() const { return FHandle; }
  TCustomForm* GetMainForm() const { return FMainForm; }
  // Whether the process takes the system's new regional settings (the
  // format settings of dates, times and numbers) when they change.
  bool GetUpdateFormatSettings() const { return FUpdateFormatSettings; }
  void SetUpdateFormatSettings(bool AValue) { FUpdateFormatSettings = AValue; }
  bool GetMainFormOnTaskBar() const { return FMainFormOnTaskBar; }
  void SetMainFormOnTaskBar(bool AValue) { FMainFormOnTaskBar = AValue; }
  bool GetShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool AValue) { FShowMainForm = AValue; }
  const String& GetTitle() const { return FTitle; }
  void SetTitle(const String& AValue);

  // Hints: the current hint text (OnHint tells of changes), whether hints
  // show, the pause before one shows, the shorter pause when the mouse
  // moves on from a shown hint to another control's, and how long it stays.
  const String& GetHint() const { return FHint; }
  void SetHint(const String& AValue);
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool AValue) { FShowHint = AValue; }
  int GetHintPause() const { return FHintPause; }
  void SetHintPause(int AValue) { FHintPause = AValue; }
  int GetHintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int AValue) { FHintShortPause = AValue; }
  int GetHintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int AValue) { FHintHidePause = AValue; }
  TColor GetHintColor() const { return FHintColor; }
  void SetHintColor(TColor AValue) { FHintColor = AValue; }

  // The class of the hint window; the next hint uses it.
  THintWindowClass GetHintWindowClass() const { return FHintWindowClass; }
  void SetHintWindowClass(THintWindowClass AValue) { FHintWindowClass = AValue; }
  TShowHintEvent GetOnShowHint() const { return FOnShowHint; }
  void SetOnShowHint(TShowHintEvent AValue) { FOnShowHint = AValue; }
  // The hint window while a hint shows; nil otherwise.
  THintWindow* GetHintWindow() const { return FHintWindow; }
  void CancelHint();

  TExceptionEvent GetOnException() const { return FOnException; }
  void SetOnException(TExceptionEvent AValue) { FOnException = AValue; }
  TIdleEvent GetOnIdle() const { return FOnIdle; }
  void SetOnIdle(TIdleEvent AValue) { FOnIdle = AValue; }
  TNotifyEvent GetOnHint() const { return FOnHint; }
  void SetOnHint(TNotifyEvent AValue) { FOnHint = AValue; }

 private:
  static LRESULT CALLBACK AppWindowProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam) noexcept;
  void WndProc(TMessage& AMessage);
  // Takes one message off the queue and handles it; false when none waits.
  bool ProcessMessage(MSG& AMsg);
  void Idle();
  // The action update of the idle step: UpdateActions of every visible,
  // enabled form with a window.
  void DoActionIdle();
  // Posted from any thread that queues a call for the main thread.
  void WakeMainThread(TObject* ASender);
  void HandleCallbackException(TObject* ASender) { HandleException(ASender); }
  // Hint timing: a mouse message over a control with a hint starts the
  // pause; the timer shows the hint, and later hides it.
  void HintMouseMessage(const MSG& AMsg);
  void HintTimerExpired();
  void HintReshowTimerExpired();
  // Hides the hint that shows but keeps its control, so that it does not
  // come back until the mouse goes to another control.
  void HideShownHint();
  void Notification(TComponent* AComponent, rtl::TOperation AOperation) override;
  void ActivateHint(TControl* AControl, const TPoint& ACursorPos);

  HWND FHandle;
  TCustomForm* FMainForm;
  String FTitle;
  String FHint;
  int FHintPause;
  int FHintShortPause;
  int FHintHidePause;
  TColor FHintColor;
  bool FShowHint;
  bool FTerminated;
  bool FMainFormOnTaskBar;
  bool FUpdateFormatSettings;
  bool FShowMainForm;
  THintWindowClass FHintWindowClass;
  THintWindow* FHintWindow;
  TControl* FHintControl;
  TPoint FHintCursorPos;
  bool FHintShowing;
  TShowHintEvent FOnShowHint;
  TExceptionEvent FOnException;
  TIdleEvent FOnIdle;
  TNotifyEvent FOnHint;

  friend class TCustomForm;
};

// The application object, made on first use.
TApplication* Application();

namespace detail {
// The objects if they exist, without making them: for code that runs while
// they are going.
TApplication* ExistingApplication();
TScreen* ExistingScreen();
}  // namespace detail

// Frees the application (and with it every form it owns) and the screen; the
// program's end calls it after Run. The getters make new ones afterwards.
void DoneApplication();

}  // namespace vcl
