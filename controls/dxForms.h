// The dxForms unit: the system's base forms.
//   TdxCustomForm, TdxForm: forms with a scale factor that follow the DPI of
//     their monitor, swap image lists made for another DPI and can mirror
//     their whole window for right-to-left layouts
//   IdxFloatForm: a floating form that belongs to another form
//   TdxFormHelper: a DPI change as one guarded operation, and small window
//     routines of forms
//   TdxFormImageListHelper: finds the image list made for a DPI
//   TdxFrameController, TdxFrameControllerManager: frames of any class
//     follow the DPI of the form they are placed on
//   dxCopyWindowIcon
#pragma once

#include <windows.h>

#include <map>
#include <type_traits>

#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/Forms.h"

RTL_DECLARE_UNIT(dxForms);

class TdxScaleFactor;
class TcxWindowProcLinkedObject;

namespace vcl {
class TCustomImageList;
}  // namespace vcl


// Whether forms replace their image lists by those made for their DPI.
bool dxGetFormImageListReplacement();
void dxSetFormImageListReplacement(bool AValue);

// ---------------------------------------------------------------------------
// TdxFormHelper

class TdxFormHelper {
 public:
  TdxFormHelper() = delete;

  // True while AContainer or one of its parents is being scaled.
  static bool IsScaleChanging(vcl::TControl* AContainer);
  // Clears the scaling flags of AControl and of every control within it.
  static void ResetScalingFlags(vcl::TControl* AControl);
  // Every scalable component AOwner owns follows to ANewPPI.
  static void ScaleComponentsForDpi(rtl::TComponent* AOwner, int ANewPPI);
  // Scales AForm to ATargetDPI with its redrawing and alignment frozen and
  // every control told when the change begins and ends. With AWindowRect the
  // form takes those bounds; without, a form keeps its frame and scales its
  // client area. Nothing for the current DPI, a DPI below 30, or while the
  // form or a parent is being scaled already.
  static void ScaleForPPI(vcl::TCustomForm* AForm, int ATargetDPI, const TRect* AWindowRect,
                          bool AFromMessageHandler);

  // The system's menu animation on or off; answers the previous state.
  static bool SetAnimation(bool AValue);
  // Hides the window from painting (outside remote sessions) and answers
  // the style to restore.
  static LONG LockWindowRedrawing(HWND AWndHandle);
  static void UnlockWindowRedrawing(HWND AWndHandle, LONG APrevStyle);
  static void SetWindowTextWithoutRedrawing(HWND AWndHandle, const rtl::String& AText);
  // Keeps APrevVisibleRegion as the part of the window (window coordinates)
  // inside its monitor's work area, and redraws what became visible since.
  static void RepaintVisibleWindowArea(HWND AHandle, TRect& APrevVisibleRegion);
};

// ---------------------------------------------------------------------------
// TdxFormImageListHelper

class TdxFormImageListHelper {
 public:
  // Every published image-list property of AForm's components (and of
  // their persistent parts) takes the list made for ATargetDPI, when the
  // list's owner has one.
  static void Execute(int ATargetDPI, rtl::TComponent* AForm);
  // The list named like AImages (without its trailing digits) followed by
  // ATargetDPI, or by the nearest lower DPI of the usual table; AImages
  // itself when none exists.
  static vcl::TCustomImageList* FindReplacement(vcl::TCustomImageList* AImages, int ATargetDPI);

 private:
  explicit TdxFormImageListHelper(int ATargetDPI) : FTargetDPI(ATargetDPI) {}
  void ProcessObject(rtl::TObject* AObject, int ADepth);
  vcl::TCustomImageList* Replacement(vcl::TCustomImageList* AImages);

  int FTargetDPI;
  std::map<vcl::TCustomImageList*, vcl::TCustomImageList*> FReplacementCache;
};

// ---------------------------------------------------------------------------
// TdxFormRightToLeftLayoutHelper

class TdxFormRightToLeftLayoutHelper {
 public:
  TdxFormRightToLeftLayoutHelper() = delete;

  // A mirrored window reads and aligns right to left already: the styles
  // that ask for it again would turn it back.
  static void RemoveBiDiModeStyles(vcl::TCustomForm* AForm);
};

// ---------------------------------------------------------------------------
// The forms

// What TdxCustomForm and TdxForm share: they follow the same DPI steps over
// the two platform bases. The few steps where TdxForm differs test IsForm.
template <class TFormBase>
class TdxScalableForm : public TFormBase, public IdxScaleFactor {
  RTL_CLASS(TdxScalableForm, TFormBase)
  RTL_INTERFACES(IdxScaleFactor)
  RTL_MESSAGES(RTL_MESSAGE(WM_DPICHANGED, WMDpiChanged), RTL_MESSAGE(rtl::CM_BIDIMODECHANGED, CMBiDiModeChanged))

 public:
  void BeforeDestruction() override;
  void Destroy() override;

  void ScaleBy(int M, int D);
  // The platform's scaling while a change of this form runs; otherwise the
  // guarded change.
  void ScaleForPPI(int ATargetDPI) override;
  virtual void ScaleForPPI(int ATargetDPI, const TRect* AWindowRect);
  void ScaleControlsForDpi(int ANewPPI) override;
  void SetParent(vcl::TWinControl* AParent) override;

  TdxDefaultBoolean GetRightToLeftLayout() const { return FRightToLeftLayout; }
  void SetRightToLeftLayout(TdxDefaultBoolean AValue);
  bool IsRightToLeftApplied() const { return FRightToLeftApplied; }
  TPoint GetClientOrigin() override;

  // IdxScaleFactor
  TdxScaleFactor* __stdcall GetScaleFactor() override { return FScaleFactor; }

 protected:
  static constexpr bool IsForm = std::is_same_v<TFormBase, vcl::TForm>;

  void InitializeNewForm() override;
  void CreateParams(vcl::TCreateParams& AParams) override;
  void ChangeScale(int M, int D, bool AIsDpiChange) override;
  void DoShow() override;
  virtual void ScaleFactorChanged(int M, int D);
  virtual void ScaleImageLists();
  void ScaleForCurrentDpi();

  void WMDpiChanged(rtl::TMessage& AMessage);
  void CMBiDiModeChanged(rtl::TMessage& AMessage);

 private:
  // bTrue, or bDefault on a form that aligns right to left.
  bool IsRightToLeftLayout();
  void ApplyRightToLeftLayout();

  bool FRightToLeftApplied;
  TdxDefaultBoolean FRightToLeftLayout;
  TdxScaleFactor* FScaleFactor;
};

extern template class TdxScalableForm<vcl::TCustomForm>;
extern template class TdxScalableForm<vcl::TForm>;

class TdxCustomForm : public TdxScalableForm<vcl::TCustomForm> {
  RTL_CLASS(TdxCustomForm, TdxScalableForm<vcl::TCustomForm>)
};

class TdxForm : public TdxScalableForm<vcl::TForm> {
  RTL_CLASS(TdxForm, TdxScalableForm<vcl::TForm>)
};

// A floating form belongs to another form: the control framework looks for a
// control's host form through it (cxGetHostParentForm).
struct IdxFloatForm : rtl::IInterface {
  RTL_GUID(IdxFloatForm, "{BAED1CE9-B7D7-468D-907B-79883637054D}")
  virtual vcl::TCustomForm* __stdcall FloatFormGetOwnerForm() = 0;
};

// The base of floating forms (customization toolbars and the like); each
// answers the form it was opened for.
class TdxCustomFloatForm : public TdxCustomForm, public IdxFloatForm {
  RTL_CLASS(TdxCustomFloatForm, TdxCustomForm)
  RTL_INTERFACES(IdxFloatForm)

 public:
  // A floating form may stand anywhere on the desktop, not only on the
  // monitor of the active form.
  void CreateNew(rtl::TComponent* AOwner, int ADummy = 0) override;
  // IdxFloatForm
  vcl::TCustomForm* __stdcall FloatFormGetOwnerForm() override = 0;
};

// ---------------------------------------------------------------------------
// Frames

// Keeps a frame at the DPI of its parent: applies it when the frame's window
// is created and after every scale change of its form.
class TdxFrameController : public rtl::TObject {
  RTL_CLASS(TdxFrameController, rtl::TObject)

 public:
  void Create(vcl::TFrame* AFrame);
  void Destroy() override;

  vcl::TFrame* GetFrame() const { return FFrame; }
  int GetCurrentPPI() const;
  void SetCurrentPPI(int AValue);

 private:
  // The DPI the frame's parent stands at; 96 when it tells none.
  int ParentDPI() const;
  void Apply(int APPI, bool AScale);
  void WndProc(rtl::TMessage& AMessage);

  vcl::TFrame* FFrame;
  TcxWindowProcLinkedObject* FWindowProcObject;
};

// The controllers of the process's frames, one per frame, each freed with
// its frame. The unit registers every frame whose window is created.
class TdxFrameControllerManager : public rtl::TComponent {
  RTL_CLASS(TdxFrameControllerManager, rtl::TComponent)

 public:
  // Attaches a controller to the frame of AWnd: only a frame of this
  // process that does not scale itself, is not designed and has none yet.
  static void Register(HWND AWnd);
  static void Unregister(HWND AWnd);
  // The controller of AFrame; nil when it has none.
  static TdxFrameController* GetController(vcl::TFrame* AFrame);

 protected:
  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;
};

// Frame handling is on unless switched off.
bool dxGetFrameDPIControlDisabled();
void dxSetFrameDPIControlDisabled(bool AValue);

// The window's small icon (or its big one) copied at ACX x ACY; the caller
// owns the copy. Nil when the window has none.
HICON dxCopyWindowIcon(HWND AWnd, int ACX, int ACY);
