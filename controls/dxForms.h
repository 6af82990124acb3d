// The dxForms unit: the system's base forms.
//   TdxCustomForm, TdxForm: forms with a scale factor that follow the DPI of
//     their monitor, swap image lists made for another DPI and can mirror
//     their whole window for right-to-left layouts
//   IdxFloatForm: a floating form that belongs to another form
//   TdxFormHelper: a DPI change as one guarded operation, and small window
//     routines of forms
//   TdxFormImageListHelper: finds the image list made for a DPI
//   dxCopyWindowIcon
#pragma once

#include <windows.h>

#include <map>

#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "platform/vcl/Forms.h"

class TdxScaleFactor;

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
// The forms

// What both forms share; each calls these from its overrides.
class TdxFormScaling {
 public:
  TdxFormScaling() = delete;

  // The right-to-left layout in effect: bTrue, or bDefault on a form that
  // aligns right to left.
  static bool IsRightToLeftLayout(vcl::TCustomForm* AForm, TdxDefaultBoolean AValue);
  // Every menu of the form takes the direction; the window is recreated.
  static void ApplyRightToLeftLayout(vcl::TCustomForm* AForm, bool ARightToLeft);
  static void AdjustRightToLeftParams(vcl::TCreateParams& AParams);
  // The target DPI of a scale factor.
  static int TargetDPI(const TdxScaleFactor* AScaleFactor);
};

class TdxCustomForm : public vcl::TCustomForm, public IdxScaleFactor {
  RTL_CLASS(TdxCustomForm, vcl::TCustomForm)
  RTL_INTERFACES(IdxScaleFactor)
  RTL_MESSAGES(RTL_MESSAGE(WM_DPICHANGED, WMDpiChanged), RTL_MESSAGE(rtl::CM_BIDIMODECHANGED, CMBiDiModeChanged))

 public:
  void CreateNew(rtl::TComponent* AOwner, int ADummy = 0) override;
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
  void ApplyRightToLeftLayout();

  bool FRightToLeftApplied;
  TdxDefaultBoolean FRightToLeftLayout;
  TdxScaleFactor* FScaleFactor;
};

class TdxForm : public vcl::TForm, public IdxScaleFactor {
  RTL_CLASS(TdxForm, vcl::TForm)
  RTL_INTERFACES(IdxScaleFactor)
  RTL_MESSAGES(RTL_MESSAGE(WM_DPICHANGED, WMDpiChanged), RTL_MESSAGE(rtl::CM_BIDIMODECHANGED, CMBiDiModeChanged))

 public:
  void BeforeDestruction() override;
  void Destroy() override;

  void ScaleBy(int M, int D);
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
  void ApplyRightToLeftLayout();

  bool FRightToLeftApplied;
  TdxDefaultBoolean FRightToLeftLayout;
  TdxScaleFactor* FScaleFactor;
};

// A floating form belongs to another form: the control framework looks for a
// control's host form through it.
struct IdxFloatForm : rtl::IInterface {
  RTL_GUID(IdxFloatForm, "{BAED1CE9-B7D7-468D-907B-79883637054D}")
  virtual vcl::TCustomForm* __stdcall FloatFormGetOwnerForm() = 0;
};

// The window's small icon (or its big one) copied at ACX x ACY; the caller
// owns the copy. Nil when the window has none.
HICON dxCopyWindowIcon(HWND AWnd, int ACX, int ACY);
