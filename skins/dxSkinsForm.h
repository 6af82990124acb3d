#pragma once
// The skinning engine of ordinary windows and its public face, the skin
// controller component. Library controls draw themselves through their look
// and feel; the engine also draws the frame of the application's forms
// (caption, borders, caption buttons, menu-bar edge, window scroll bars) and
// the face of the framework's push buttons, which know nothing of skins.
//
// - TdxSkinController: the component; while at least one exists, forms may
//   be skinned. Its events let the application decide per form and control.
// - The engine: a call-window-procedure hook of the main thread sees every
//   window created, chooses a window controller class for it and attaches
//   one; the controller hooks the window's procedure through the
//   window-procedure chains.
// - TdxSkinWinController and its descendants: one per skinned window. The
//   form controllers take over the non-client messages; each owns a layout
//   (TdxSkinFormNonClientAreaInfo), a painter (TdxSkinFormPainter) and the
//   skinned window scroll bars (TdxSkinFormScrollBarsController).
// - TdxSkinForm: a form that skins itself without the engine's hook.
//
// Everything runs on the main thread. The sources are split by class family
// (dxSkinsForm*.cpp).

#include <windows.h>

#include <array>

#include "controls/cxMouseTracking.h"
#include "core/cxClasses.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "lookandfeel/cxScrollBar.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"
#include "platform/vcl/Forms.h"
#include "skins/dxSkinInfo.h"
#include "skins/dxSkinsCore.h"

class TcxCanvas;
class TcxTimer;
class TcxWindowProcLinkedObject;
class TdxScaleFactor;
class TdxSkinLookAndFeelPainter;
class TdxSkinCustomFormController;
class TdxSkinFormNonClientAreaInfo;
class TdxSkinFormPainter;
class TdxSkinFormScrollBarsController;
class TdxSkinForm;

namespace vcl {
class TWinControl;
class TCustomForm;
class TFont;
}  // namespace vcl

RTL_DECLARE_UNIT(dxSkinsForm);

// ---------------------------------------------------------------------------
// The engine's private messages: above WM_APP, no pointers.

inline constexpr UINT SKM_REDRAWNC = 0x8113;
inline constexpr UINT SKM_CHILDCHANGED = 0x8114;
inline constexpr UINT SKM_CHECKREGION = 0x8115;
inline constexpr UINT SKM_DEFERREDINIT = 0x8116;
inline constexpr UINT SKM_ADAPTDIALOG = 0x8117;
inline constexpr UINT SKM_HASOWNENGINE = 0x8118;
inline constexpr UINT SKM_NOBORDER = 0x8119;
inline constexpr UINT SKM_NOSKIN = 0x811A;
inline constexpr UINT SKM_REFRESH = 0x811B;

// ---------------------------------------------------------------------------
// TdxSkinController

using TdxSkinPopupSysMenuEvent = rtl::TMethod<void(rtl::TObject* Sender, vcl::TCustomForm* AForm, HMENU ASysMenu)>;
using TdxSkinControlEvent = rtl::TMethod<void(rtl::TObject* Sender, vcl::TWinControl* AControl, bool& UseSkin)>;
using TdxSkinFormEvent =
    rtl::TMethod<void(rtl::TObject* Sender, vcl::TCustomForm* AForm, rtl::String& ASkinName, bool& UseSkin)>;
RTL_TYPE_NAME(TdxSkinPopupSysMenuEvent)
RTL_TYPE_NAME(TdxSkinControlEvent)
RTL_TYPE_NAME(TdxSkinFormEvent)

class TdxSkinController : public TcxLookAndFeelController {
  RTL_CLASS(TdxSkinController, TcxLookAndFeelController)
  RTL_PUBLISHED(RTL_PROPERTY(Kind, GetKind, SetKind, RTL_DEFAULT(TcxLookAndFeelKind::lfUltraFlat)),
                RTL_PROPERTY(NativeStyle, GetNativeStyle, SetNativeStyle, RTL_DEFAULT(true)),
                RTL_PROPERTY(ScrollbarMode, GetScrollbarMode, SetScrollbarMode,
                             RTL_DEFAULT(TdxScrollbarMode::sbmDefault)),
                RTL_PROPERTY(SkinName, GetSkinName, SetSkinName, RTL_STORED(IsSkinNameStored)),
                RTL_PROPERTY(SkinPaletteName, GetSkinPaletteName, SetSkinPaletteName,
                             RTL_STORED(IsSkinPaletteNameStored)),
                RTL_PROPERTY(TouchMode, GetTouchMode, SetTouchMode, RTL_DEFAULT(false)),
                RTL_PROPERTY(UseImageSet, GetUseImageSet, SetUseImageSet, RTL_DEFAULT(TdxSkinImageSet::imsDefault)),
                RTL_PROPERTY(UseSkins, GetUseSkins, SetUseSkins, RTL_DEFAULT(true)),
                RTL_PROPERTY(OnPopupSysMenu, GetOnPopupSysMenu, SetOnPopupSysMenu),
                RTL_PROPERTY(OnSkinControl, GetOnSkinControl, SetOnSkinControl),
                RTL_PROPERTY(OnSkinForm, GetOnSkinForm, SetOnSkinForm))

 public:
  // Registers with the root, joins the list of skin controllers and
  // refreshes every skinned window.
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  // Nothing while the application is going or outside the engine's life;
  // nil refreshes every window controller.
  static void Refresh(vcl::TWinControl* AControl = nullptr);

  // True when a window controller of AForm has a skin painter; ASkinName
  // then takes that skin's name.
  static bool GetFormSkin(vcl::TCustomForm* AForm, rtl::String& ASkinName);
  // The skin information of the root's skin painter.
  bool GetPainterData(TdxSkinLookAndFeelPainterInfo*& AData);
  // "Default" and the names of the current skin's colour palettes, sorted
  // when AValues is a string list; empty without a skin.
  void PopulateSkinColorPalettes(rtl::TStrings* AValues);

  rtl::String GetSkinPaletteName();
  void SetSkinPaletteName(const rtl::String& AValue);
  bool GetUseSkins() const;
  void SetUseSkins(bool AValue);
  TdxSkinImageSet GetUseImageSet() const;
  void SetUseImageSet(TdxSkinImageSet AValue);

  TdxSkinPopupSysMenuEvent GetOnPopupSysMenu() const { return FOnPopupSysMenu; }
  void SetOnPopupSysMenu(TdxSkinPopupSysMenuEvent AValue) { FOnPopupSysMenu = AValue; }
  TdxSkinControlEvent GetOnSkinControl() const { return FOnSkinControl; }
  void SetOnSkinControl(TdxSkinControlEvent AValue) { FOnSkinControl = AValue; }
  TdxSkinFormEvent GetOnSkinForm() const { return FOnSkinForm; }
  void SetOnSkinForm(TdxSkinFormEvent AValue) { FOnSkinForm = AValue; }

  virtual void DoPopupSysMenu(vcl::TCustomForm* AForm, HMENU ASysMenu);
  virtual void DoSkinControl(vcl::TWinControl* AControl, bool& UseSkin);
  virtual void DoSkinForm(vcl::TCustomForm* AForm, rtl::String& ASkinName, bool& UseSkin);

 protected:
  void Loaded() override;
  void HandleRootChanged() override;
  void HandleRootDestroying() override;
  void SkinSettingsChanged();

 private:
  bool IsSkinNameStored() const { return !GetSkinName().empty(); }
  bool IsSkinPaletteNameStored();

  TdxSkinPopupSysMenuEvent FOnPopupSysMenu;
  TdxSkinControlEvent FOnSkinControl;
  TdxSkinFormEvent FOnSkinForm;
};

// Every live skin controller, in creation order; owns none.
class TdxSkinControllersList : public rtl::TList {
  RTL_CLASS(TdxSkinControllersList, rtl::TList)

 public:
  TdxSkinController* GetController(int AIndex) const { return static_cast<TdxSkinController*>(GetItem(AIndex)); }

  bool CanSkinControl(vcl::TWinControl* AControl);
  // The painter the form is skinned with; nil: not skinned.
  TdxSkinLookAndFeelPainter* CanSkinForm(vcl::TCustomForm* AForm);
  static bool GetSkinPainter(const rtl::String& AName, TdxSkinLookAndFeelPainter*& APainter);
  // In creation order, skipping controllers being destroyed.
  void PopupSysMenu(vcl::TCustomForm* AForm, HMENU ASysMenu);
};

// ---------------------------------------------------------------------------
// TdxSkinWinController

class TdxSkinWinController;
using TdxSkinWinControllerClass = rtl::ClassOf<TdxSkinWinController>;

// One per skinned window handle.
class TdxSkinWinController : public TcxIUnknownObject, public IcxMouseTrackingCaller {
  RTL_CLASS(TdxSkinWinController, TcxIUnknownObject)
  RTL_INTERFACES(IcxMouseTrackingCaller)

 public:
  // Attaches the handle; not hooked until the first RefreshControllerAndUpdate.
  virtual void Create(HWND AHandle);
  void Destroy() override;

  virtual bool CanFreeOnDestroy() { return true; }
  virtual void UpdateScaleFactor();
  virtual TdxSkinLookAndFeelPainter* FindLookAndFeelPainter() { return nullptr; }
  virtual TdxSkinWinController* FindMaster();
  virtual bool CalculateCanUseSkin();
  virtual bool GetUseSkin();
  virtual bool IsHookNeeded() { return GetUseSkin(); }
  virtual void DefWndProc(rtl::TMessage& AMessage);
  virtual void NotifyDestroying();
  virtual void WndProc(rtl::TMessage& AMessage) { DefWndProc(AMessage); }
  virtual void Hook();
  virtual void Unhook();
  // IcxMouseTrackingCaller
  void __stdcall MouseLeave() override {}

  static bool IsMDIChildWindow(HWND AHandle);
  static bool IsMDIClientWindow(HWND AHandle);
  static bool IsMessageDlgWindow(HWND AHandle);

  virtual void InvalidateNC();
  virtual void Refresh() { InvalidateNC(); }
  virtual void RefreshController();
  virtual void Update();

  HWND GetHandle() const { return FHandle; }
  void SetHandle(HWND AValue);
  // Unhooks and forgets the window but keeps the control, whose next
  // window takes the controller over.
  void DetachHandle();
  TdxSkinLookAndFeelPainter* GetLookAndFeelPainter() const;
  bool HasGraphicChildren() const;
  bool IsHooked() const { return FWindowProcObject != nullptr; }
  TdxSkinWinController* GetMaster() const { return FMaster; }
  TdxScaleFactor* GetScaleFactor() const { return FScaleFactor; }
  vcl::TWinControl* GetWinControl() const { return FWinControl; }

  void RefreshControllerAndUpdate();
  void Redraw(bool AUpdateNow = false);
  void MasterDestroying(TdxSkinWinController* AController);

  // Whether the window's skin draws it (its scroll bars are then never
  // repainted by the system).
  static bool IsSkinActive(HWND AHandle);
  // Run on the chosen class: attaches a controller to the window, or moves
  // the one of its control to the re-created handle.
  static void InitializeEngine(TdxSkinWinControllerClass AClass, HWND AHandle);
  static void FinalizeEngine(HWND AHandle);
  static void PostCheckRegion(HWND AHandle, bool AForce);

 protected:
  bool FCanUseSkin;
  HWND FHandle;
  TdxSkinWinController* FMaster;
  TdxScaleFactor* FScaleFactor;
  vcl::TWinControl* FWinControl;
  TcxWindowProcLinkedObject* FWindowProcObject;
  TdxSkinLookAndFeelPainter* FLookAndFeelPainter;
};

class TdxSkinWinControllerList : public TcxObjectList {
  RTL_CLASS(TdxSkinWinControllerList, TcxObjectList)

 public:
  TdxSkinWinController* GetController(int AIndex) const
  {
    return static_cast<TdxSkinWinController*>(GetItem(AIndex));
  }
  TdxSkinWinController* GetControllerByControl(vcl::TWinControl* AControl) const;
  TdxSkinWinController* GetControllerByHandle(HWND AHandle) const;
  // Every master made current before any dependant is redrawn.
  void Refresh();
};

// Owns the engine's window controllers (except those a TdxSkinForm owns).
class TdxSkinSkinnedControlsControllers : public TdxSkinWinControllerList {
  RTL_CLASS(TdxSkinSkinnedControlsControllers, TdxSkinWinControllerList)

 public:
  void NotifyMasterDestroying(TdxSkinWinController* AMaster);
  // AMaster and every controller whose master it is.
  void Refresh(TdxSkinWinController* AMaster);
  void Refresh(vcl::TWinControl* AControl) { Refresh(GetControllerByControl(AControl)); }
  void Refresh(HWND AHandle) { Refresh(GetControllerByHandle(AHandle)); }
  using TdxSkinWinControllerList::Refresh;
};

// Owns a hidden window that runs the deferred set-up of MDI clients.
class TdxSkinWinControllerHelper : public rtl::TObject {
  RTL_CLASS(TdxSkinWinControllerHelper, rtl::TObject)

 public:
  void Create();
  void Destroy() override;

  void InitializeEngine(HWND AHandle);
  void InitializeEngineForWindow(HWND AHandle);
  void FinalizeEngine(HWND AHandle);
  void ChildChanged(HWND AHandle);

  HWND GetHandle() const { return FHandle; }

 private:
  void HelperWndProc(rtl::TMessage& AMessage);

  HWND FHandle;
};

// The window's controller class, nil for windows of other processes and
// windows the chooser does not skin.
TdxSkinWinControllerClass dxSkinGetControllerClass(HWND AHandle);
using TdxSkinControllerClassChooser = TdxSkinWinControllerClass (*)(HWND AHandle);
TdxSkinWinControllerClass dxSkinDefaultControllerClassChooser(HWND AHandle);
// Applications may replace the chooser before windows are created.
TdxSkinControllerClassChooser dxSkinGetControllerClassChooser();
void dxSkinSetControllerClassChooser(TdxSkinControllerClassChooser AChooser);

// The engine's process-wide objects: nil before its start and after its end.
TdxSkinControllersList* dxSkinControllers();
TdxSkinSkinnedControlsControllers* dxSkinnedControllers();
TdxSkinWinControllerHelper* dxSkinEngineHelper();

// The framework's scroll-bar updates: the redraw flag holds only for windows
// whose skin is not active.
int WINAPI dxSkinFlatSBSetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw);
int WINAPI dxSkinFlatSBSetScrollInfo(HWND hWnd, int nBar, const SCROLLINFO* AScrollInfo, BOOL bRedraw);

// ---------------------------------------------------------------------------
// Form controllers

class TdxSkinCustomFormController : public TdxSkinWinController {
  RTL_CLASS(TdxSkinCustomFormController, TdxSkinWinController)

 public:
  void Create(HWND AHandle) override;
  // For a TdxSkinForm, which puts the controller straight in front of its
  // own procedure.
  void CreateEx(TdxSkinForm* ASkinForm);
  void Destroy() override;

  virtual TdxSkinFormPainter* CreatePainter();
  virtual TdxSkinFormNonClientAreaInfo* CreateViewInfo();
  virtual void RecalculateViewInfo();
  virtual void UpdateRegion(bool AForce);
  virtual void PaintWindowBackground(HDC DC);
  virtual void PaintWindowBorder(HDC DC);
  virtual void PaintWindowScrollArea(HDC DC);
  virtual void ResetRegion(bool ARedraw);
  virtual void AdaptMessageDialog();

  bool GetUseSkin() override;
  bool IsHookNeeded() override;
  void DefWndProc(rtl::TMessage& AMessage) override;
  void WndProc(rtl::TMessage& AMessage) override;
  void Unhook() override;
  void __stdcall MouseLeave() override;
  void Refresh() override;
  void RefreshController() override;

  void LockRedraw();
  void UnlockRedraw();
  void PostRedrawNC();
  void PostRedrawForSystemFrame();
  void CalculateAndPaintBorder();
  bool UpdateHotState(bool AForceRedraw);
  void PopupSystemMenu(const TPoint& P, const TRect& AExcludeRect, int AAlignment);
  void PopupSystemMenuAt(const TPoint& P) { PopupSystemMenu(P, TRect{}, 0); }

  vcl::TCustomForm* GetForm() const;
  TdxSkinFormNonClientAreaInfo* GetViewInfo() const { return FViewInfo; }
  TdxSkinFormPainter* GetPainter() const { return FPainter; }
  TdxSkinFormScrollBarsController* GetScrollBarsController() const { return FScrollBarsController; }
  TdxSkinForm* GetSkinForm() const { return FSkinForm; }

 protected:
  virtual bool HandleSkinMessage(rtl::TMessage& AMessage);
  virtual bool HandleMessage(rtl::TMessage& AMessage);
  // The skin's frame on or off, the window region with it.
  void RefreshFrame();
  virtual bool MouseDown(const TPoint& P);
  virtual bool MouseUp(const TPoint& P);
  virtual void HandleActivate(rtl::TMessage& AMessage);
  virtual bool HandleContextMenu(rtl::TMessage& AMessage);
  virtual void HandleEraseBackground(rtl::TMessage& AMessage);
  virtual void HandleInitMenu(rtl::TMessage& AMessage);
  virtual void HandleNCActivate(rtl::TMessage& AMessage);
  virtual void HandleNCLButtonDown(rtl::TMessage& AMessage);
  virtual void HandleNCCalcSize(rtl::TMessage& AMessage);
  virtual bool HandleNCHitTest(rtl::TMessage& AMessage);
  virtual void HandleNCPaint(rtl::TMessage& AMessage);
  virtual void HandlePaint(rtl::TMessage& AMessage);
  virtual void HandlePrint(rtl::TMessage& AMessage);
  virtual void HandleSetText(rtl::TMessage& AMessage);
  virtual void HandleSize(rtl::TMessage& AMessage);
  virtual void HandleSysCommand(rtl::TMessage& AMessage);
  virtual void HandlePopupSystemMenu(rtl::TMessage& AMessage);
  virtual void HandleWindowPosChanged(rtl::TMessage& AMessage);

  // The cursor in window coordinates, mirrored for right-to-left layout
  // where the scroll bars need it.
  TPoint ClientCursorPos() const;
  TPoint MirrorForScrollBars(const TPoint& P) const;

  bool FForceRedraw;
  bool FHasRegion;
  int FLockRedrawCount;
  TdxSkinFormPainter* FPainter;
  HRGN FPrevVisibleRegion;
  TdxSkinFormScrollBarsController* FScrollBarsController;
  TdxSkinForm* FSkinForm;
  TdxSkinFormNonClientAreaInfo* FViewInfo;

 private:
  void PreProcessMessage(rtl::TMessage& AMessage);
  void PostProcessMessage(rtl::TMessage& AMessage);
  void PassOnAndPaint(rtl::TMessage& AMessage);
};

class TdxSkinFormController : public TdxSkinCustomFormController {
  RTL_CLASS(TdxSkinFormController, TdxSkinCustomFormController)

 public:
  bool CanFreeOnDestroy() override;
  TdxSkinLookAndFeelPainter* FindLookAndFeelPainter() override;
  TdxSkinWinController* FindMaster() override { return nullptr; }
  bool CalculateCanUseSkin() override;
};

class TdxSkinFormMDIClientController : public TdxSkinCustomFormController {
  RTL_CLASS(TdxSkinFormMDIClientController, TdxSkinCustomFormController)

 public:
  TdxSkinWinController* FindMaster() override;
  bool CalculateCanUseSkin() override { return true; }
  bool GetUseSkin() override;
};

class TdxSkinFrameController : public TdxSkinCustomFormController {
  RTL_CLASS(TdxSkinFrameController, TdxSkinCustomFormController)

 public:
  void PaintWindowBackground(HDC DC) override;

 protected:
  void HandleWindowPosChanged(rtl::TMessage& AMessage) override;
};

// A form that skins itself: its controller sits straight in front of the
// form's own procedure, without the engine's hook.
class TdxSkinForm : public vcl::TForm {
  RTL_CLASS(TdxSkinForm, vcl::TForm)

 public:
  TdxSkinFormController* GetController() const { return FController; }
  // The form's own procedure, which the controller passes messages on to.
  void InheritedWndProc(rtl::TMessage& AMessage) { inherited::WndProc(AMessage); }

 protected:
  void CreateWindowHandle(const vcl::TCreateParams& AParams) override;
  void DestroyWindowHandle() override;
  void WndProc(rtl::TMessage& AMessage) override;

 private:
  TdxSkinFormController* FController;
};

class TdxSkinFormHelper {
 public:
  TdxSkinFormHelper() = delete;

  static bool CanUseSkin(vcl::TCustomForm* AForm);
  static vcl::TCustomForm* GetForm(HWND AHandle);
  static int GetClientOffset(HWND AHandle);
  static bool HasClientEdge(HWND AHandle);
  static bool IsAlphaBlendUsed(HWND AHandle);
};

// ---------------------------------------------------------------------------
// The layout of a skinned frame

using TdxSkinFormIcons = rtl::TSet<TdxSkinFormIcon>;

class TdxSkinFormIconInfoList;

// A caption button.
class TdxSkinFormIconInfo : public rtl::TObject {
  RTL_CLASS(TdxSkinFormIconInfo, rtl::TObject)

 public:
  virtual void Create(TdxSkinFormIcon AType, TdxSkinFormIconInfoList* AOwner);

  UINT GetCommand() const;
  bool GetEnabled() const;
  int GetHitTest() const;
  TdxSkinFormNonClientAreaInfo* GetNonClientAreaInfo() const;
  // Whether the state changed.
  bool CalculateState();

  TRect FBounds;
  TRect FHitBounds;
  TdxSkinFormIcon FIconType;
  TdxSkinFormIconInfoList* FOwner;
  TdxSkinElementState FState;
};

class TdxSkinFormIconInfoList : public TcxObjectList {
  RTL_CLASS(TdxSkinFormIconInfoList, TcxObjectList)

 public:
  void Create(TdxSkinFormNonClientAreaInfo* ANonClientAreaInfo);

  TdxSkinFormIconInfo* GetIcon(int AIndex) const { return static_cast<TdxSkinFormIconInfo*>(GetItem(AIndex)); }
  TdxSkinFormIconInfo* Add(TdxSkinFormIcon AIcon);
  bool Find(TdxSkinFormIcon AIcon, TdxSkinFormIconInfo*& AInfo) const;
  TdxSkinFormIconInfo* HitTest(const TPoint& P) const;
  bool CalculateStates(const TPoint& P);
  void MouseDown(const TPoint& P);
  void MouseUp(const TPoint& P, TdxSkinFormIconInfo*& AIcon);
  void Validate(TdxSkinFormIcons AIcons);

  TdxSkinFormIconInfo* GetIconHot() const { return FIconHot; }
  TdxSkinFormIconInfo* GetIconPressed() const { return FIconPressed; }
  TdxSkinFormNonClientAreaInfo* GetNonClientAreaInfo() const { return FNonClientAreaInfo; }

 private:
  TdxSkinFormIconInfo* FIconHot;
  TdxSkinFormIconInfo* FIconPressed;
  TdxSkinFormNonClientAreaInfo* FNonClientAreaInfo;
};

class TdxSkinFormNonClientAreaInfo : public rtl::TObject {
  RTL_CLASS(TdxSkinFormNonClientAreaInfo, rtl::TObject)

 public:
  virtual void Create(TdxSkinCustomFormController* AController);
  void Destroy() override;

  virtual void CalculateBorderBounds();
  virtual void CalculateBorderWidths();
  virtual void CalculateIcons();
  virtual TSize GetCaptionButtonSize(const TRect& AArea, TdxSkinElement* AElement);
  virtual int GetCaptionContentHeight();
  virtual int CalculateCaptionHeight();
  virtual int GetMaxIconHeight();
  virtual int GetCaptionTextHeight();
  virtual void CalculateSizeFrame();
  virtual TRect GetClientAreaOffsets();
  virtual int CalculateMenuBarHeight();
  virtual TSize GetSysMenuIconSize(bool AToolWindow);
  virtual void CalculateScrollBars();
  virtual void CalculateBounds();
  virtual TdxSkinFormIcons GetIcons();
  virtual HRGN CreateClientEdgeRgn();
  virtual void Calculate();
  // Screen coordinates; the caller deletes it.
  virtual HRGN CreateDrawRgn();

  // Whether any caption-button state changed.
  bool CalculateIconStates() { return FIconInfoList->CalculateStates(GetClientCursorPos()); }
  bool UseSystemFrameMetrics(bool AConsiderZoomed);
  bool NeedCheckNonClientSize();
  int GetHitTest(const TPoint& P, int AHitTest);
  void UpdateFormCaption();
  void RebuildSystemMenu(HMENU ASysMenu);
  void AdjustSystemMenu(HMENU ASysMenu);
  void ResetSystemMenu();

  TRect GetBorderBounds(TcxBorder ASide) const { return FBorderBounds[static_cast<int>(ASide)]; }
  TRect GetSizeArea(TcxBorder ASide);
  TRect GetSizeCorners(int ACorner);
  int GetSkinBorderWidth(TcxBorder ASide);
  TSize SystemSizeFrame();
  TRect SystemBorderWidths();
  float SuppressFactor();
  TRect GetCaptionContentOffsets();

  bool GetActive() const { return FActive; }
  void SetActive(bool AValue);
  int GetSizeType() const { return FSizeType; }
  void SetSizeType(int AValue);
  void SetUpdateRgn(HRGN AValue);
  HRGN GetUpdateRgn() const { return FUpdateRgn; }
  bool ButtonPressed() const;
  TdxSkinElement* CaptionElement() const;
  vcl::TColor CaptionTextColor() const { return FCaptionTextColor[FActive ? 1 : 0]; }
  TRect ContentRect() const;
  TPoint GetClientCursorPos() const;
  HWND GetHandle() const;
  bool HasBorder();
  bool HasCaption() const { return (FStyle & WS_CAPTION) == WS_CAPTION; }
  bool HasCaptionTextShadow() const;
  bool HasClientEdge() const { return (FExStyle & WS_EX_CLIENTEDGE) != 0; }
  bool HasMenu() const { return FHasMenu; }
  bool HasScrollsArea() const;
  bool IsAlphaBlendUsed() const;
  bool IsChild() const { return (FStyle & WS_CHILD) != 0; }
  bool IsDialog() const { return (FExStyle & WS_EX_DLGMODALFRAME) != 0; }
  bool IsIconic() const { return (FStyle & WS_MINIMIZE) != 0; }
  bool IsSizeBox() const { return (FStyle & WS_THICKFRAME) != 0; }
  bool IsZoomed() const { return (FStyle & WS_MAXIMIZE) != 0; }
  bool IsMDIChild() const { return FIsMDIChild; }
  bool IsMDIClient() const { return FIsMDIClient; }
  bool IsRightToLeftLayout() const { return FRightToLeftLayout; }
  bool ToolWindow() const { return (FExStyle & WS_EX_TOOLWINDOW) != 0; }
  bool ThemeActive();
  void ResetThemeActive() { FThemeActiveAssigned = false; }
  vcl::TWindowState WindowState() const;
  TdxScaleFactor* GetScaleFactor() const;
  TRect GetScreenRect() const;
  TdxSkinFormScrollBarsController* GetScrollBarsController() const;
  TdxSkinCustomFormController* GetController() const { return FController; }
  TdxSkinFormIconInfoList* GetIconInfoList() const { return FIconInfoList; }
  TdxSkinLookAndFeelPainter* GetPainter() const { return FPainter; }
  TdxSkinLookAndFeelPainterInfo* GetPainterInfo() const { return FPainterInfo; }
  TdxSkinElement* GetFrameElement(TcxBorder ASide) const;
  TdxSkinElement* GetIconElement(TdxSkinFormIcon AIcon) const;

  TPoint ScreenToClient(const TPoint& P) const { return TPoint(P.x - FWindowRect.left, P.y - FWindowRect.top); }
  TPoint ClientToScreen(const TPoint& P) const { return TPoint(P.x + FWindowRect.left, P.y + FWindowRect.top); }
  TRect ClientToScreen(const TRect& R) const;
  TRect ScreenToClient(const TRect& R) const;

  // What the painter and the controller read.
  bool FActive;
  TRect FBorderBounds[4];
  TRect FBorderWidths;
  rtl::String FCaption;
  vcl::TFont* FCaptionFont;
  TRect FCaptionTextBounds;
  vcl::TColor FCaptionTextColor[2];
  vcl::TColor FCaptionTextShadowColor;
  int FClientOffset;
  TRect FClientBounds;
  TRect FClientRect;
  TSize FClientEdgeSize;
  int FExStyle;
  bool FHasMenu;
  bool FIsMDIChild;
  bool FIsMDIClient;
  int FMenuBarHeight;
  TRect FMenuSeparatorBounds;
  bool FRightToLeftLayout;
  TSize FSizeFrame;
  int FSizeType;
  int FStyle;
  bool FSuppressed;
  HICON FSysMenuIcon;
  HMENU FSystemMenu;
  TRect FWindowBounds;
  TRect FWindowRect;

 private:
  void CalculateCaptionFont();
  void LoadSystemMenuTemplate();

  TdxSkinCustomFormController* FController;
  TdxSkinFormIconInfoList* FIconInfoList;
  TdxSkinLookAndFeelPainter* FPainter;
  TdxSkinLookAndFeelPainterInfo* FPainterInfo;
  bool FThemeActive;
  bool FThemeActiveAssigned;
  HRGN FUpdateRgn;
};

// ---------------------------------------------------------------------------
// The painter of a skinned frame

class TdxSkinFormPainter : public rtl::TObject {
  RTL_CLASS(TdxSkinFormPainter, rtl::TObject)

 public:
  virtual void DrawBackground(HDC DC, const TRect& R);
  virtual void DrawText(HDC DC, const TRect& R, const rtl::String& AText);
  virtual void DrawScrollBars();
  virtual void DrawScrollBar(class TdxSkinFormScrollBarViewInfo* AViewInfo);
  virtual void DrawWindowCaption(HDC DC, const TRect& R, TdxSkinElement* AElement);
  virtual void DrawWindowCaptionBackground(HDC DC, const TRect& R, TdxSkinElement* AElement);
  virtual void DrawWindowCaptionText(HDC DC, const TRect& R);
  virtual void DrawWindowIcon(HDC DC, const TRect& R, TdxSkinElementState AState, TdxSkinElement* AElement,
                              TdxSkinFormIcon AIcon);
  virtual void Create(TdxSkinFormNonClientAreaInfo* AViewInfo);
  void Destroy() override;
  virtual void DrawClientOffsetArea();
  virtual void DrawMDIClientEdgeArea();
  virtual void DrawMenuSeparator();
  virtual void DrawWindowBackground();
  virtual void DrawWindowBorder();
  virtual void DrawWindowScrollArea();

  void BeginPaint(HDC ADestDC);
  void EndPaint();
  void FlushCache();
  bool IsRectVisible(const TRect& R);
  TdxSkinElement* GetIconElement(TdxSkinFormIcon AIcon) const;

  bool Active() const;
  TdxSkinElement* FormContent() const;
  vcl::TColor FormContentTextColor() const;
  bool IsBordersThin() const;
  TdxSkinLookAndFeelPainter* Painter() const;
  TdxSkinLookAndFeelPainterInfo* PainterInfo() const;
  TdxSkinFormScrollBarsController* ScrollBars() const;
  // The element caches; tests read their render counts.
  TdxSkinElementCache* GetBorderCache(TcxBorder ASide) const { return FBordersCache[static_cast<int>(ASide)]; }

 private:
  TdxSkinElementState FrameState() const;
  void DrawBorder(HDC DC, const TRect& R, bool ABuffered, TcxBorder ASide, bool AThin = false);
  void DrawThinBorders();

  TdxSkinElementCache* FBackgroundCache;
  TdxSkinElementCache* FBordersCache[4];
  HDC FDC;
  std::array<TdxSkinElementCache*, rtl::EnumCount<TdxSkinFormIcon>()> FIconsCache;
  bool FNeedRelease;
  TdxSkinFormNonClientAreaInfo* FViewInfo;
};

// ---------------------------------------------------------------------------
// Skinned window scroll bars

class TdxSkinFormScrollBarViewInfo;

class TdxSkinFormScrollBarPartViewInfo : public rtl::TObject {
  RTL_CLASS(TdxSkinFormScrollBarPartViewInfo, rtl::TObject)

 public:
  virtual void Create(TdxSkinFormScrollBarViewInfo* AOwner, TcxScrollBarPart AKind);
  void Calculate(int APos1, int APos2, DWORD AState);

  TRect FBounds;
  TcxScrollBarPart FKind;
  TdxSkinFormScrollBarViewInfo* FOwner;
  TcxButtonState FState;
  bool FVisible;
};

class TdxSkinFormScrollBarViewInfo : public rtl::TObject {
  RTL_CLASS(TdxSkinFormScrollBarViewInfo, rtl::TObject)

 public:
  void Create(TScrollBarKind AKind, TdxSkinFormScrollBarsController* AController);
  void Destroy() override;

  void CalculatePart(int APos1, int APos2, TcxScrollBarPart APart);
  void CalculateParts();
  bool HitTest(const TPoint& P, TdxSkinFormScrollBarPartViewInfo*& APart) const;
  TdxSkinFormScrollBarPartViewInfo* GetPartViewInfo(TcxScrollBarPart APart) const
  {
    return FParts[static_cast<int>(APart)];
  }
  TdxScaleFactor* GetScaleFactor() const;

  TRect FBounds;
  TdxSkinFormScrollBarsController* FController;
  SCROLLBARINFO FInfo;
  TScrollBarKind FKind;
  std::array<TdxSkinFormScrollBarPartViewInfo*, rtl::EnumCount<TcxScrollBarPart>()> FParts;
  bool FVisible;
};

class TdxSkinFormScrollBarsController : public rtl::TObject {
  RTL_CLASS(TdxSkinFormScrollBarsController, rtl::TObject)

 public:
  virtual void Scroll();
  virtual void Create(TdxSkinCustomFormController* AController);
  void Destroy() override;
  virtual void CalculateScrollArea();

  void CalculateDrawRegion(HRGN ARegion);
  void MouseDown(const TPoint& P);
  void MouseMove(const TPoint& P);
  void MouseUp(const TPoint& P);
  TdxSkinFormScrollBarPartViewInfo* HitTest(const TPoint& P) const;
  bool HitTest(const TPoint& P, TdxSkinFormScrollBarPartViewInfo*& APart) const;
  TdxSkinFormScrollBarViewInfo* GetScrollBarViewInfo(TScrollBarKind AKind) const
  {
    return FScrollBarViewInfo[static_cast<int>(AKind)];
  }
  TScrollBarKind GetTrackingScrollBarKind() const;
  bool HasScrollBars() const;
  bool SizeGripVisible() const;
  TdxSkinFormNonClientAreaInfo* ViewInfo() const;

  TdxSkinCustomFormController* GetController() const { return FController; }
  TdxSkinFormScrollBarPartViewInfo* GetHotPart() const { return FHotPart; }
  TdxSkinFormScrollBarPartViewInfo* GetPressedPart() const { return FPressedPart; }
  bool IsTracking() const { return FIsTracking; }
  bool IsScrolling() const { return FScrolling; }
  const TRect& GetSizeGripBounds() const { return FSizeGripBounds; }
  float GetTrackPosition() const { return FTrackPosition; }

 private:
  void BeginTrack(const TPoint& P);
  void Track(const TPoint& P);
  void EndTrack();
  void ScrollTimerHandler(rtl::TObject* ASender);
  void SendScrollMessage(int ACode, int APosition = 0);
  void SetHotPart(TdxSkinFormScrollBarPartViewInfo* AValue);
  void SetPressedPart(TdxSkinFormScrollBarPartViewInfo* AValue);

  TdxSkinCustomFormController* FController;
  TdxSkinFormScrollBarPartViewInfo* FHotPart;
  TdxSkinFormScrollBarPartViewInfo* FPressedPart;
  bool FIsTracking;
  std::array<TdxSkinFormScrollBarViewInfo*, 2> FScrollBarViewInfo;
  bool FScrolling;
  TcxTimer* FScrollTimer;
  TRect FSizeGripBounds;
  SCROLLINFO FTrackingAreaInfo;
  TPoint FTrackingLastPoint;
  float FTrackingScale;
  float FTrackPosition;
};

// ---------------------------------------------------------------------------
// Skinned standard controls

class TdxSkinCustomControlViewInfo : public rtl::TObject {
  RTL_CLASS(TdxSkinCustomControlViewInfo, rtl::TObject)

 public:
  virtual TRect GetFocusRect() { return TRect{}; }
  virtual void Create(TdxSkinWinController* AController);
  virtual void DrawBackground(TcxCanvas* ACanvas);
  virtual void DrawContent(TcxCanvas*) {}

  TRect ClientRect() const;
  vcl::TFont* GetFont() const;
  bool IsEnabled() const;
  bool IsFocused() const;
  bool IsMouseAtControl() const;
  TdxSkinLookAndFeelPainter* LookAndFeelPainter() const;
  TdxScaleFactor* ScaleFactor() const;
  TdxSkinWinController* GetController() const { return FController; }

 protected:
  TdxSkinWinController* FController;
};

class TdxSkinCustomControlController : public TdxSkinWinController {
  RTL_CLASS(TdxSkinCustomControlController, TdxSkinWinController)

 public:
  void Create(HWND AHandle) override;
  void Destroy() override;
  void WndProc(rtl::TMessage& AMessage) override;

  virtual TdxSkinCustomControlViewInfo* CreateViewInfo();
  virtual bool HandleEraseBackground(rtl::TMessage& AMessage);
  virtual bool HandlePaint(rtl::TMessage& AMessage);
  virtual void Draw(HDC DC);

  TdxSkinCustomControlViewInfo* GetViewInfo() const { return FViewInfo; }

 protected:
  bool FDoubleBuffered;
  TdxSkinCustomControlViewInfo* FViewInfo;

 private:
  void DrawTo(HDC DC);
};

class TdxSkinCustomButtonViewInfo : public TdxSkinCustomControlViewInfo {
  RTL_CLASS(TdxSkinCustomButtonViewInfo, TdxSkinCustomControlViewInfo)

 public:
  virtual TcxButtonState CalculateState();
  virtual rtl::String GetCaption();
  void AfterConstruction() override;

  bool IsPressed() const;
  bool WordWrap() const;
  TcxButtonState GetState() const { return FState; }
  void SetState(TcxButtonState AValue);
  void UpdateState() { SetState(CalculateState()); }

 protected:
  TcxButtonState FState;
};

class TdxSkinCustomButtonController : public TdxSkinCustomControlController {
  RTL_CLASS(TdxSkinCustomButtonController, TdxSkinCustomControlController)

 public:
  void Create(HWND AHandle) override;
  void __stdcall MouseLeave() override;
  void WndProc(rtl::TMessage& AMessage) override;

  TdxSkinCustomButtonViewInfo* GetButtonViewInfo() const;
};

class TdxSkinButtonViewInfo : public TdxSkinCustomButtonViewInfo {
  RTL_CLASS(TdxSkinButtonViewInfo, TdxSkinCustomButtonViewInfo)

 public:
  virtual void DrawButtonBackground(TcxCanvas* ACanvas);
  virtual void DrawButtonText(TcxCanvas* ACanvas);
  TRect GetFocusRect() override;
  void DrawContent(TcxCanvas* ACanvas) override;
  TcxButtonState CalculateState() override;

  bool IsDefault() const;
  bool GetActive() const { return FActive; }
  void SetActive(bool AValue);

 private:
  bool FActive;
};

class TdxSkinButtonController : public TdxSkinCustomButtonController {
  RTL_CLASS(TdxSkinButtonController, TdxSkinCustomButtonController)

 public:
  TdxSkinCustomControlViewInfo* CreateViewInfo() override;
  void WndProc(rtl::TMessage& AMessage) override;
};

class TdxSkinCustomCheckButtonViewInfo : public TdxSkinCustomButtonViewInfo {
  RTL_CLASS(TdxSkinCustomCheckButtonViewInfo, TdxSkinCustomButtonViewInfo)

 public:
  virtual TSize GetCheckSize() = 0;
  virtual void DrawCheck(TcxCanvas* ACanvas, const TRect& R) = 0;
  virtual void DrawCaption(TcxCanvas* ACanvas, const TRect& R);
  TRect GetFocusRect() override;
  void DrawContent(TcxCanvas* ACanvas) override;

  TcxCheckBoxState CheckMarkState() const;
  bool IsLeftText() const;
  // The check box and the text rectangles inside the client rectangle.
  void CalculateBounds(TRect& ACheckRect, TRect& ATextRect);
};

class TdxSkinCheckBoxViewInfo : public TdxSkinCustomCheckButtonViewInfo {
  RTL_CLASS(TdxSkinCheckBoxViewInfo, TdxSkinCustomCheckButtonViewInfo)

 public:
  TSize GetCheckSize() override;
  void DrawCheck(TcxCanvas* ACanvas, const TRect& R) override;
};

class TdxSkinRadioButtonViewInfo : public TdxSkinCustomCheckButtonViewInfo {
  RTL_CLASS(TdxSkinRadioButtonViewInfo, TdxSkinCustomCheckButtonViewInfo)

 public:
  TSize GetCheckSize() override;
  void DrawCheck(TcxCanvas* ACanvas, const TRect& R) override;
};

class TdxSkinCheckBoxController : public TdxSkinCustomButtonController {
  RTL_CLASS(TdxSkinCheckBoxController, TdxSkinCustomButtonController)

 public:
  TdxSkinCustomControlViewInfo* CreateViewInfo() override;
};

class TdxSkinRadioButtonController : public TdxSkinCustomButtonController {
  RTL_CLASS(TdxSkinRadioButtonController, TdxSkinCustomButtonController)

 public:
  TdxSkinCustomControlViewInfo* CreateViewInfo() override;
};
