// The drop-down editors' unit:
//   TcxCustomDropDownEdit and its properties: an editor with a button that
//     opens a popup window under or beside it, the drop-down and close-up
//     cycle, its keys and the remembered popup size;
//   TcxCustomEditPopupWindow: the popup with its frame, system panel,
//     close button, size grip and user resizing, placed against the editor
//     and the work area;
//   TcxComboBox: the popup is a list of strings;
//   TcxPopupEdit: the popup shows a control of the form, put back where it
//     was when the popup closes.
// Its start-up registers the combo box and popup edit properties.
// User-interface thread only.
#pragma once

#include <windows.h>

#include "editors/cxMaskEdit.h"
#include "editors/cxTextEdit.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"

RTL_DECLARE_UNIT(cxDropDownEdit);

class TdxSmartGlyph;

class TcxCustomDropDownEdit;
class TcxCustomEditPopupWindow;
using TcxCustomEditPopupWindowClass = rtl::ClassOf<TcxCustomEditPopupWindow>;

// A character typed before the popup appeared, re-sent to the focused
// control of the popup once it shows.
inline constexpr UINT DXM_DROPDOWNRESENDCHAR = 0x8096;
// The text changed by a paste: the lookup list follows it.
inline constexpr UINT DXM_DROPDOWNPASTETEXTCHANGED = 0x8097;

// The extra pixels a shadow takes at the right and the bottom.
inline constexpr int cxEditPopupShadowSize = 3;

// ---------------------------------------------------------------------------
// TcxCustomDropDownEditProperties

class TcxCustomDropDownEditProperties : public TcxCustomMaskEditProperties {
  RTL_CLASS(TcxCustomDropDownEditProperties, TcxCustomMaskEditProperties)

 public:
  void Create(rtl::TPersistent* AOwner) override;
  void Destroy() override;

  // What the drop-down editors decide through their properties.
  virtual int GetDropDownButtonIndex() { return 0; }
  virtual bool UsesDownButtonKind() { return true; }
  virtual bool DropDownOnClick() { return false; }
  virtual bool PostAfterClose() { return false; }
  virtual TcxCustomEditPopupWindowClass GetPopupWindowClass();
  virtual bool CorrectsPopupBounds() { return true; }
  virtual bool PopupWindowCapturesFocus() { return UseIncrementalFiltering(); }

  void AssignFrom(TcxCustomEditProperties* ASource) override;
  TcxEditSupportedOperations GetSupportedOperations() override;
  bool IsLookupDataVisual() override { return true; }
  TcxCustomEditClass GetContainerClass() override;
  void ScaleButtons(int M, int D) override;
  // Every change also puts the button glyph back on its button.
  void DoChanged() override;

  // The glyph of the button at GlyphButtonIndex; a non-empty glyph turns
  // that button's kind to bkGlyph.
  TdxSmartGlyph* GetButtonGlyph() const { return FButtonGlyph; }
  void SetButtonGlyph(TdxSmartGlyph* AValue);
  int GetGlyphButtonIndex() const { return FGlyphButtonIndex; }
  void SetGlyphButtonIndex(int AValue);

  rtl::TAlignment GetPopupAlignment() const;
  void SetPopupAlignment(rtl::TAlignment AValue);
  bool GetImmediateDropDownWhenActivated() const { return FImmediateDropDownWhenActivated; }
  void SetImmediateDropDownWhenActivated(bool AValue) { FImmediateDropDownWhenActivated = AValue; }
  bool GetImmediateDropDownWhenKeyPressed() const { return FImmediateDropDownWhenKeyPressed; }
  void SetImmediateDropDownWhenKeyPressed(bool AValue) { FImmediateDropDownWhenKeyPressed = AValue; }
  bool GetKeepArrowButtonPressedWhenDroppedDown() const { return FKeepArrowButtonPressedWhenDroppedDown; }
  void SetKeepArrowButtonPressedWhenDroppedDown(bool AValue);
  bool GetPopupAutoSize() const { return FPopupAutoSize; }
  void SetPopupAutoSize(bool AValue) { FPopupAutoSize = AValue; }
  bool GetPopupClientEdge() const { return FPopupClientEdge; }
  void SetPopupClientEdge(bool AValue);
  TcxPopupDirection GetPopupDirection() const { return FPopupDirection; }
  void SetPopupDirection(TcxPopupDirection AValue) { FPopupDirection = AValue; }
  int GetPopupHeight() const { return FPopupHeight; }
  void SetPopupHeight(int AValue);
  TcxPopupAlignHorz GetPopupHorzAlignment() const { return FPopupHorzAlignment; }
  void SetPopupHorzAlignment(TcxPopupAlignHorz AValue) { FPopupHorzAlignment = AValue; }
  int GetPopupMinHeight() const { return FPopupMinHeight; }
  void SetPopupMinHeight(int AValue);
  int GetPopupMinWidth() const { return FPopupMinWidth; }
  void SetPopupMinWidth(int AValue);
  bool GetPopupSizeable() const { return FPopupSizeable; }
  void SetPopupSizeable(bool AValue);
  bool GetPopupSysPanelStyle() const { return FPopupSysPanelStyle; }
  void SetPopupSysPanelStyle(bool AValue);
  TcxPopupAlignVert GetPopupVertAlignment() const { return FPopupVertAlignment; }
  void SetPopupVertAlignment(TcxPopupAlignVert AValue) { FPopupVertAlignment = AValue; }
  int GetPopupWidth() const { return FPopupWidth; }
  void SetPopupWidth(int AValue);
  bool GetPostPopupValueOnTab() const { return FPostPopupValueOnTab; }
  void SetPostPopupValueOnTab(bool AValue) { FPostPopupValueOnTab = AValue; }

  vcl::TCloseQueryEvent GetOnCloseQuery() const { return FOnCloseQuery; }
  void SetOnCloseQuery(vcl::TCloseQueryEvent AValue) { FOnCloseQuery = AValue; }
  rtl::TNotifyEvent GetOnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(rtl::TNotifyEvent AValue) { FOnCloseUp = AValue; }
  rtl::TNotifyEvent GetOnFinalizePopup() const { return FOnFinalizePopup; }
  void SetOnFinalizePopup(rtl::TNotifyEvent AValue) { FOnFinalizePopup = AValue; }
  rtl::TNotifyEvent GetOnInitPopup() const { return FOnInitPopup; }
  void SetOnInitPopup(rtl::TNotifyEvent AValue) { FOnInitPopup = AValue; }
  rtl::TNotifyEvent GetOnPopup() const { return FOnPopup; }
  void SetOnPopup(rtl::TNotifyEvent AValue) { FOnPopup = AValue; }

 private:
  // Stores AValue and announces a change, only when it differs.
  void SetAndAnnounce(bool& AField, bool AValue);
  void ButtonGlyphChanged(rtl::TObject* Sender);
  // Moves the glyph from the button that carried it to the button at
  // GlyphButtonIndex.
  void ApplyButtonGlyph();

  TdxSmartGlyph* FButtonGlyph;
  int FGlyphButtonIndex;
  // The button that carries the glyph now, -1 for none.
  int FGlyphButton;
  // Applying changes the buttons, which announces a change again.
  bool FApplyingButtonGlyph;
  bool FImmediateDropDownWhenActivated;
  bool FImmediateDropDownWhenKeyPressed;
  bool FKeepArrowButtonPressedWhenDroppedDown;
  bool FPopupAutoSize;
  bool FPopupClientEdge;
  TcxPopupDirection FPopupDirection;
  int FPopupHeight;
  TcxPopupAlignHorz FPopupHorzAlignment;
  int FPopupMinHeight;
  int FPopupMinWidth;
  bool FPopupSizeable;
  bool FPopupSysPanelStyle;
  TcxPopupAlignVert FPopupVertAlignment;
  int FPopupWidth;
  bool FPostPopupValueOnTab;
  vcl::TCloseQueryEvent FOnCloseQuery;
  rtl::TNotifyEvent FOnCloseUp;
  rtl::TNotifyEvent FOnFinalizePopup;
  rtl::TNotifyEvent FOnInitPopup;
  rtl::TNotifyEvent FOnPopup;
};

// The popup size an in-place editor keeps between activations.
class TcxCustomDropDownEditData : public TcxCustomEditData {
  RTL_CLASS(TcxCustomDropDownEditData, TcxCustomEditData)

 public:
  bool Initialized = false;
  int Width = 0;
  int Height = 0;
};

// The inner edit: no hint while dropped down, and Escape reaches the dialog
// when a fixed list has nothing open to close.
class TcxCustomDropDownInnerEdit : public TcxCustomInnerTextEdit {
  RTL_CLASS(TcxCustomDropDownInnerEdit, TcxCustomInnerTextEdit)
  RTL_MESSAGES(RTL_MESSAGE(rtl::CM_HINTSHOW, HandleCMHintShow), RTL_MESSAGE(WM_GETDLGCODE, HandleWMGetDlgCode))

 protected:
  void HandleCMHintShow(rtl::TMessage& AMessage);
  void HandleWMGetDlgCode(rtl::TMessage& AMessage);
  TcxCustomDropDownEdit* DropDownEdit() const;
};

// ---------------------------------------------------------------------------
// The popup window

class TcxCustomEditPopupWindowViewInfo : public TdxCustomIncrementalFilteringContainerViewInfo {
  RTL_CLASS(TcxCustomEditPopupWindowViewInfo, TdxCustomIncrementalFilteringContainerViewInfo)

 public:
  void Create() override;

  // The frame around the client area: border, client edge, shadow, system
  // panel and search-information panel.
  virtual TRect GetBorderExtent();
  TRect GetClientExtent() { return GetBorderExtent(); }
  virtual int GetSysPanelHeight();
  virtual void DrawBorder(TcxCanvas* ACanvas, TRect& R);
  void Paint(TcxCanvas* ACanvas) override;
  bool IsSearchInfoPanelVisible() override { return ShowSearchInfoPanel; }

  TcxEditPopupBorderStyle PopupBorderStyle;
  bool ClientEdge;
  int MinSysPanelHeight;
  bool ShowCloseButton;
  TRect CloseButtonRect;
  TcxButtonState CloseButtonState;
  bool Sizeable;
  TdxCorner SizeGripCorner;
  TRect SizeGripRect;
  TRect SizeGripSizingRect;
  TRect SysPanelBounds;
  bool SysPanelStyle;
  // The scale of the painter's panel sizes.
  const TdxScaleFactor* PanelScaleFactor;
};

class TcxCustomEditPopupWindow : public TdxCustomIncrementalFilteringPopupWindow {
  RTL_CLASS(TcxCustomEditPopupWindow, TdxCustomIncrementalFilteringPopupWindow)
  RTL_MESSAGES(RTL_MESSAGE(DXM_DROPDOWNRESENDCHAR, HandleResendChar))

 public:
  void Create(vcl::TWinControl* AOwnerControl) override;
  TcxContainerViewInfoClass GetViewInfoClass() override;
  void Popup(vcl::TWinControl* AFocusedControl) override;
  void CloseUp() override;
  bool IsClickConsumedOnClose(HWND AWnd, UINT AMsg, const TPoint& APoint, vcl::TShiftState AShift) override;

  // The size, position and frame for the editor; the placement steps are
  // public so that the rules can be checked against any work area.
  void CalculateSize(TSize& Size) override;
  void CalculatePosition(const TSize& Size, TPoint& Pos) override;
  void CalculateViewInfo();
  // The hit of a client point for sizing: -1 none, 0 the close button,
  // 1 and 2 the diagonals, 3 vertical, 4 horizontal.
  int GetSizingHitTest(const TPoint& P);
  // Raises the size to the minimum and asks the lookup list whether its
  // area can take it; False keeps the current size.
  bool CanResize(int& ANewWidth, int& ANewHeight) override;
  // The new bounds for a sizing drag by (DX, DY) with the hit AHitTest.
  TRect CalculateSizingBounds(int AHitTest, int DX, int DY);
  void ApplySizingBounds(const TRect& R);
  // The content may grow up to this when the user resizes.
  TSize GetMaxVisualAreaSize();
  TSize GetMinSize();
  TRect GetClientExtent() { return GetPopupViewInfo()->GetClientExtent(); }

  TcxCustomDropDownEdit* Edit() const;
  TcxCustomEditPopupWindowViewInfo* GetPopupViewInfo() const
  {
    return static_cast<TcxCustomEditPopupWindowViewInfo*>(GetViewInfo());
  }
  bool GetSizing() const { return FSizingCapture; }
  void LockCheckSize(bool ALock) { FLockCheckSizeCount += ALock ? 1 : -1; }

  TcxEditPopupBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TcxEditPopupBorderStyle AValue);
  bool GetClientEdge() const { return FClientEdge; }
  void SetClientEdge(bool AValue);
  bool GetCloseButton() const { return FCloseButton; }
  void SetCloseButton(bool AValue);
  int GetMinHeight() const { return FMinHeight; }
  void SetMinHeight(int AValue) { FMinHeight = AValue; }
  int GetMinWidth() const { return FMinWidth; }
  void SetMinWidth(int AValue) { FMinWidth = AValue; }
  bool GetNativeStyle() const { return FNativeStyle; }
  void SetNativeStyle(bool AValue);
  bool GetPopupAutoSize() const { return FPopupAutoSize; }
  void SetPopupAutoSize(bool AValue) { FPopupAutoSize = AValue; }
  int GetPopupHeight() const { return FPopupHeight; }
  void SetPopupHeight(int AValue) { FPopupHeight = AValue; }
  int GetPopupWidth() const { return FPopupWidth; }
  void SetPopupWidth(int AValue) { FPopupWidth = AValue; }
  bool GetShadow() const { return FShadow; }
  void SetShadow(bool AValue);
  bool GetShowContentWhileResize() const { return FShowContentWhileResize; }
  void SetShowContentWhileResize(bool AValue) { FShowContentWhileResize = AValue; }
  bool GetSizeable() const { return FSizeable; }
  void SetSizeable(bool AValue);
  bool GetSysPanelStyle() const { return FSysPanelStyle; }
  void SetSysPanelStyle(bool AValue);
  TdxCorner GetSizeGripCorner() const { return GetPopupViewInfo()->SizeGripCorner; }
  // The window region with the shadow cut to the popup's shape.
  void ApplyWindowRegion();
  using TdxCustomIncrementalFilteringPopupWindow::DestroyHandle;

 protected:
  bool NeedsWorkAreaCorrection() override;
  void CreateParams(vcl::TCreateParams& AParams) override;
  void MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void MouseMove(vcl::TShiftState AShift, int X, int Y) override;
  void MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void MouseLeave(vcl::TControl* AControl) override;
  void KeyDown(WORD& AKey, vcl::TShiftState AShift) override;
  void Resize() override;
  void Paint() override;
  void AdjustClientRect(TRect& ARect) override;

  void HandleResendChar(rtl::TMessage& AMessage);

 private:
  void UpdateCloseButtonState(vcl::TShiftState AShift, const TPoint& P);
  void EndSizing(bool AApply);
  bool IsUpward() const;

  bool FPopupAutoSize;
  TcxEditPopupBorderStyle FBorderStyle;
  bool FClientEdge;
  bool FCloseButton;
  int FMinHeight;
  int FMinWidth;
  bool FNativeStyle;
  int FPopupHeight;
  int FPopupWidth;
  bool FShadow;
  bool FShowContentWhileResize;
  bool FSizeable;
  bool FSysPanelStyle;
  TPoint FCapturePoint;
  TRect FCaptureBounds;
  bool FSizingCapture;
  int FSizingHitTest;
  int FLockCheckSizeCount;
};

// ---------------------------------------------------------------------------
// The look and feel of the controls inside the popup: it follows the
// editor, standard for a plain editor without buttons.

class TcxEditPopupControlLookAndFeel : public TcxLookAndFeel {
  RTL_CLASS(TcxEditPopupControlLookAndFeel, TcxLookAndFeel)

 public:
  // Announces the values that differ from what was last reported.
  void EditStyleChanged();

 protected:
  TcxLookAndFeelKind EffectiveKind() override;
  bool EffectiveNativeStyle() override;
  TdxSkinName EffectiveSkinName() override;
  TdxScrollbarMode EffectiveScrollbarMode() override;

 private:
  TcxCustomDropDownEdit* Edit() const;
};

// ---------------------------------------------------------------------------
// TcxCustomDropDownEdit

class TcxCustomDropDownEdit : public TcxCustomMaskEdit {
  RTL_CLASS(TcxCustomDropDownEdit, TcxCustomMaskEdit)
  RTL_MESSAGES(RTL_MESSAGE(rtl::CM_HINTSHOW, HandleCMHintShow),
               RTL_MESSAGE(DXM_DROPDOWNPASTETEXTCHANGED, HandlePasteTextChanged))

 public:
  void Destroy() override;
  TcxCustomEditPropertiesClass GetPropertiesClass() override;

  TcxCustomDropDownEditProperties* GetProperties() const
  {
    return static_cast<TcxCustomDropDownEditProperties*>(GetInternalProperties());
  }
  TcxCustomDropDownEditProperties* GetActiveDropDownProperties()
  {
    return static_cast<TcxCustomDropDownEditProperties*>(GetActiveProperties());
  }

  bool GetDroppedDown() { return HasPopupWindow(); }
  void SetDroppedDown(bool AValue);
  virtual void CloseUp(TcxEditCloseUpReason AReason);
  virtual void DropDown();
  bool HasPopupWindow() override;
  bool Focused() override;
  TcxCustomEditPopupWindow* GetPopupWindow() const { return FPopupWindow; }
  TcxEditCloseUpReason GetCloseUpReason() const { return FCloseUpReason; }
  // The look and feel that the controls inside the popup take as master.
  TcxEditPopupControlLookAndFeel* GetPopupControlsLookAndFeel() const { return FPopupControlsLookAndFeel; }
  void PasteFromClipboard() override;
  bool IsPopupInitialized() const { return FPopupInitialized; }
  bool IsPopupSizeChanged() const { return FPopupSizeChanged; }
  // A show request is queued for the popup.
  bool IsPopupShowPending();

  // The editor's area the popup opens against, in the owner parent's
  // client coordinates.
  TRect GetPopupOwnerBounds();
  // The client size the popup content wants.
  virtual TSize GetPopupWindowClientPreferredSize() = 0;
  virtual void PositionPopupWindowChilds(const TRect& AClientRect);
  virtual void StorePopupSize();
  virtual void SetupPopupWindow();

  void Activate(TcxCustomEditData*& AEditData, bool ANeedSetFocus = true) override;
  void ActivateByKey(wchar_t AKey, TcxCustomEditData*& AEditData) override;
  bool Deactivate() override;

 protected:
  virtual bool CanDropDown() { return false; }
  virtual void CreatePopupWindow();
  virtual void DestroyPopupWindow();
  virtual void DoCloseUp();
  virtual void DoFinalizePopup();
  virtual void DoInitPopup();
  virtual void DoPopup();
  virtual int GetPopupHeight();
  virtual vcl::TWinControl* GetPopupFocusedControl();
  virtual int GetPopupWidth();
  virtual void InitializeLookupData();
  virtual void InitializePopupWindow();
  virtual bool PopupWindowCapturesFocus();
  virtual bool PopupWindowShowsSearchInfoPanel();
  virtual void PopupWindowClosing() {}
  // After the window has hidden: finalisation and the close-up events.
  virtual void PopupWindowClosed();
  virtual void PopupWindowShowed();
  virtual bool CanHide() { return true; }
  virtual void PopupControlsLookAndFeelChanged(TcxLookAndFeel* /*Sender*/, TcxLookAndFeelValues /*AChangedValues*/) {}

  void Initialize() override;
  void ContainerStyleChanged(rtl::TObject* Sender) override;
  void CalculateViewInfo(const TPoint& P, bool AHotTrackAllowed) override;
  bool DoMouseWheel(vcl::TShiftState AShift, int AWheelDelta, TPoint AMousePos) override;
  bool CanMouseWheelScroll(vcl::TShiftState AShift, int AWheelDelta, const TPoint& AMousePos) override;
  bool DoMouseWheelScroll(vcl::TShiftState AShift, int AWheelDelta, const TPoint& AMousePos) override;
  TcxCustomEditDataClass GetEditDataClass() override;
  rtl::ClassOf<vcl::TWinControl> GetInnerEditClass() override;
  void InitializeEditData() override;
  void PropertiesChanged(rtl::TObject* Sender) override;
  void ProcessKeyDown(WORD& AKey, vcl::TShiftState AShift) override;
  void ProcessKeyPress(wchar_t& AKey) override;
  void HandleTabKey(vcl::TShiftState AShift) override;
  bool WantsTabKey() override;
  bool IsEditorKey(WORD AKey, vcl::TShiftState AShift) override;
  bool ResendsActivationKey(wchar_t AKey) override;
  void ButtonDown(int AButtonVisibleIndex) override;
  void MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void DoExit() override;
  void DoFocusChanged() override;
  void DestroyWnd() override;

  void HandleCMHintShow(rtl::TMessage& AMessage);
  void HandlePasteTextChanged(rtl::TMessage& AMessage);

  bool FIsActivatingByMouse;
  bool FPopupSizeChanged;
  TcxEditCloseUpReason FCloseUpReason;

 private:
  void PopupCloseQuery(rtl::TObject* Sender, bool& CanClose);
  void PopupClosing(rtl::TObject* Sender);
  void PopupClosed(rtl::TObject* Sender);
  void PopupShowed(rtl::TObject* Sender);
  // Fires the event of the own properties, then the repository item's.
  void FireNotify(rtl::TNotifyEvent (TcxCustomDropDownEditProperties::*AGetter)() const);
  void RemovePendingShowRequest(bool AFinishOpening);
  // Closed, not empty, focused and allowed by the edit base: the wheel
  // steps through the items.
  bool CanWheelScrollLookup(vcl::TShiftState AShift);
  void CheckPopupControlsLookAndFeel();

  TPoint FCachedPosition;
  TcxEditPopupControlLookAndFeel* FPopupControlsLookAndFeel;
  bool FPopupInitialized;
  TcxCustomEditPopupWindow* FPopupWindow;

  friend class TcxCustomEditPopupWindow;
};

// ---------------------------------------------------------------------------
// Combo box

RTL_ENUM(TcxEditDropDownListStyle, lsEditFixedList, lsEditList, lsFixedList);

using TcxEditDrawItemEvent = rtl::TMethod<void(TcxCustomEdit* AControl, vcl::TCanvas* ACanvas, int AIndex,
                                               const TRect& ARect, vcl::TOwnerDrawState AState)>;
using TcxComboBoxMeasureItemEvent =
    rtl::TMethod<void(vcl::TWinControl* AControl, int AIndex, vcl::TCanvas* ACanvas, int& AHeight)>;

class TcxCustomComboBoxProperties : public TcxCustomDropDownEditProperties {
  RTL_CLASS(TcxCustomComboBoxProperties, TcxCustomDropDownEditProperties)

 public:
  void Create(rtl::TPersistent* AOwner) override;

  TcxEditEditingStyle GetEditingStyle() override;
  int GetDropDownPageRowCount() override { return FDropDownRows; }
  rtl::ClassOf<TcxCustomTextEditLookupData> GetLookupDataClass() override;
  bool HasLookupData() override { return true; }
  bool DropDownOnClick() override { return FDropDownListStyle == TcxEditDropDownListStyle::lsFixedList; }
  TcxCustomEditPopupWindowClass GetPopupWindowClass() override;
  TcxCustomEditClass GetContainerClass() override;
  void AssignFrom(TcxCustomEditProperties* ASource) override;
  void ScaleButtons(int M, int D) override;

  rtl::TStrings* GetItems() const { return GetLookupItems(); }
  void SetItems(rtl::TStrings* AValue) { SetLookupItems(AValue); }
  bool GetSorted() const { return GetLookupItemsSorted(); }
  void SetSorted(bool AValue) { SetLookupItemsSorted(AValue); }
  TcxEditDropDownListStyle GetDropDownListStyle() const { return FDropDownListStyle; }
  void SetDropDownListStyle(TcxEditDropDownListStyle AValue);
  int GetDropDownRows() const { return FDropDownRows; }
  void SetDropDownRows(int AValue);
  int GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(int AValue);
  bool GetRevertable() const { return FRevertable; }
  void SetRevertable(bool AValue) { FRevertable = AValue; }
  bool GetDropDownAutoWidth() const { return GetPopupAutoSize(); }
  void SetDropDownAutoWidth(bool AValue) { SetPopupAutoSize(AValue); }
  bool GetDropDownSizeable() const { return GetPopupSizeable(); }
  void SetDropDownSizeable(bool AValue) { SetPopupSizeable(AValue); }
  int GetDropDownWidth() const { return GetPopupWidth(); }
  void SetDropDownWidth(int AValue) { SetPopupWidth(AValue); }
  TcxEditDrawItemEvent GetOnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TcxEditDrawItemEvent AValue) { FOnDrawItem = AValue; }
  TcxComboBoxMeasureItemEvent GetOnMeasureItem() const { return FOnMeasureItem; }
  void SetOnMeasureItem(TcxComboBoxMeasureItemEvent AValue) { FOnMeasureItem = AValue; }

 private:
  TcxEditDropDownListStyle FDropDownListStyle;
  int FDropDownRows;
  int FItemHeight;
  bool FRevertable;
  TcxEditDrawItemEvent FOnDrawItem;
  TcxComboBoxMeasureItemEvent FOnMeasureItem;
};

class TcxComboBoxProperties : public TcxCustomComboBoxProperties {
  RTL_CLASS(TcxComboBoxProperties, TcxCustomComboBoxProperties)
  RTL_PUBLISHED(
      RTL_PROPERTY(Alignment, GetAlignment, SetAlignment),
      RTL_PROPERTY(AutoSelect, GetAutoSelect, SetAutoSelect, RTL_DEFAULT(true)),
      RTL_PROPERTY(BeepOnError, GetBeepOnError, SetBeepOnError, RTL_DEFAULT(false)),
      RTL_PROPERTY(ButtonGlyph, GetButtonGlyph, SetButtonGlyph),
      RTL_PROPERTY(CaseInsensitive, GetCaseInsensitive, SetCaseInsensitive, RTL_DEFAULT(true)),
      RTL_PROPERTY(CharCase, GetMaskCharCase, SetMaskCharCase, RTL_DEFAULT(vcl::TEditCharCase::ecNormal)),
      RTL_PROPERTY(ClearKey, GetClearKey, SetClearKey, RTL_DEFAULT(0)),
      RTL_PROPERTY(DropDownAutoWidth, GetDropDownAutoWidth, SetDropDownAutoWidth, RTL_DEFAULT(true)),
      RTL_PROPERTY(DropDownListStyle, GetDropDownListStyle, SetDropDownListStyle,
                   RTL_DEFAULT(TcxEditDropDownListStyle::lsEditList)),
      RTL_PROPERTY(DropDownRows, GetDropDownRows, SetDropDownRows, RTL_DEFAULT(8)),
      RTL_PROPERTY(DropDownSizeable, GetDropDownSizeable, SetDropDownSizeable, RTL_DEFAULT(false)),
      RTL_PROPERTY(DropDownWidth, GetDropDownWidth, SetDropDownWidth, RTL_DEFAULT(0)),
      RTL_PROPERTY(HideSelection, GetHideSelection, SetHideSelection, RTL_DEFAULT(true)),
      RTL_PROPERTY(IgnoreMaskBlank, GetIgnoreMaskBlank, SetIgnoreMaskBlank, RTL_DEFAULT(false)),
      RTL_PROPERTY(ImmediateDropDownWhenActivated, GetImmediateDropDownWhenActivated,
                   SetImmediateDropDownWhenActivated, RTL_DEFAULT(false)),
      RTL_PROPERTY(ImmediateDropDownWhenKeyPressed, GetImmediateDropDownWhenKeyPressed,
                   SetImmediateDropDownWhenKeyPressed, RTL_DEFAULT(true)),
      RTL_PROPERTY(ImmediatePost, GetImmediatePost, SetImmediatePost, RTL_DEFAULT(false)),
      RTL_PROPERTY(ImmediateUpdateText, GetImmediateUpdateText, SetImmediateUpdateText, RTL_DEFAULT(false)),
      RTL_PROPERTY(IncrementalFiltering, GetIncrementalFiltering, SetIncrementalFiltering, RTL_DEFAULT(false)),
      RTL_PROPERTY(IncrementalSearch, GetIncrementalSearch, SetIncrementalSearch, RTL_DEFAULT(true)),
      RTL_PROPERTY(ItemHeight, GetItemHeight, SetItemHeight, RTL_DEFAULT(0)),
      RTL_PROPERTY(Items, GetItems, SetItems),
      RTL_PROPERTY(EditMask, GetStoredEditMask, SetEditMask),
      RTL_PROPERTY(MaxLength, GetMaxLength, SetMaxLength),
      RTL_PROPERTY(Nullstring, GetNullstring, SetNullstring),
      RTL_PROPERTY(OEMConvert, GetOEMConvert, SetOEMConvert, RTL_DEFAULT(false)),
      RTL_PROPERTY(PopupAlignment, GetPopupAlignment, SetPopupAlignment,
                   RTL_DEFAULT(rtl::TAlignment::taLeftJustify)),
      RTL_PROPERTY(PostPopupValueOnTab, GetPostPopupValueOnTab, SetPostPopupValueOnTab, RTL_DEFAULT(false)),
      RTL_PROPERTY(ReadOnly, GetReadOnly, SetReadOnly, RTL_DEFAULT(false)),
      RTL_PROPERTY(Revertable, GetRevertable, SetRevertable, RTL_DEFAULT(false)),
      RTL_PROPERTY(Sorted, GetSorted, SetSorted, RTL_DEFAULT(false)),
      RTL_PROPERTY(UseNullString, GetUseNullString, SetUseNullString, RTL_DEFAULT(false)),
      RTL_PROPERTY(ValidateOnEnter, GetValidateOnEnter, SetValidateOnEnter, RTL_DEFAULT(true)),
      RTL_PROPERTY(OnChange, GetOnChange, SetOnChange),
      RTL_PROPERTY(OnCloseUp, GetOnCloseUp, SetOnCloseUp),
      RTL_PROPERTY(OnDrawItem, GetOnDrawItem, SetOnDrawItem),
      RTL_PROPERTY(OnEditValueChanged, GetOnEditValueChanged, SetOnEditValueChanged),
      RTL_PROPERTY(OnInitPopup, GetOnInitPopup, SetOnInitPopup),
      RTL_PROPERTY(OnMeasureItem, GetOnMeasureItem, SetOnMeasureItem),
      RTL_PROPERTY(OnNewLookupDisplayText, GetOnNewLookupDisplayText, SetOnNewLookupDisplayText),
      RTL_PROPERTY(OnPopup, GetOnPopup, SetOnPopup))
};

// The list in the combo box's popup: rows measured and drawn through the
// properties' events when they have handlers; a release on an item picks
// it.
class TcxCustomComboBoxListBox : public TcxCustomEditListBox {
  RTL_CLASS(TcxCustomComboBoxListBox, TcxCustomEditListBox)

 public:
  int GetItemHeight(int AIndex = -1) override;
  void ItemsChanged() override;
  bool DrawItemCustom(int AIndex, const TRect& ARect, vcl::TOwnerDrawState AState) override;
  rtl::String GetListItemText(int AIndex) override;

 protected:
  void MeasureItem(int AIndex, int& AHeight) override;
  void MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void CreateParams(vcl::TCreateParams& AParams) override;

 private:
  TcxCustomComboBoxProperties* ComboProperties() const;
};

class TcxComboBoxListBox : public TcxCustomComboBoxListBox {
  RTL_CLASS(TcxComboBoxListBox, TcxCustomComboBoxListBox)
};

// The lookup of a combo box: it sizes the popup to whole rows.
class TcxComboBoxLookupData : public TcxCustomTextEditLookupData {
  RTL_CLASS(TcxComboBoxLookupData, TcxCustomTextEditLookupData)

 public:
  TcxCustomEditListBoxClass GetListBoxClass() override;
  void CreateVisualControls(vcl::TWinControl* AParent) override;
  bool IsPopupVisible() override;
  TSize __stdcall GetVisualAreaPreferredSize(int AMaxHeight, int AWidth) override;
  bool __stdcall CanResizeVisualArea(TSize& NewSize, int AMaxHeight, int AMaxWidth) override;
  void __stdcall TextChanged() override;
};

class TcxComboBoxPopupWindow : public TcxCustomEditPopupWindow {
  RTL_CLASS(TcxComboBoxPopupWindow, TcxCustomEditPopupWindow)

 public:
  void CalculateSize(TSize& Size) override;
};

class TcxCustomComboBox : public TcxCustomDropDownEdit {
  RTL_CLASS(TcxCustomComboBox, TcxCustomDropDownEdit)

 public:
  TcxCustomEditPropertiesClass GetPropertiesClass() override;
  TcxCustomComboBoxProperties* GetProperties() const
  {
    return static_cast<TcxCustomComboBoxProperties*>(GetInternalProperties());
  }
  TcxCustomComboBoxProperties* GetActiveComboProperties()
  {
    return static_cast<TcxCustomComboBoxProperties*>(GetActiveProperties());
  }
  int GetSelectedItem();
  void SetSelectedItem(int AValue);
  TSize GetPopupWindowClientPreferredSize() override;
  // Raises OnDrawItem and OnMeasureItem for the own properties, then the
  // repository item's; answers whether any handler ran.
  bool DoDrawItem(vcl::TCanvas* ACanvas, int AIndex, const TRect& ARect, vcl::TOwnerDrawState AState);
  bool DoMeasureItem(int AIndex, vcl::TCanvas* ACanvas, int& AHeight);

 protected:
  bool CanDropDown() override;
  void InitializePopupWindow() override;
  void Initialize() override;
  void InnerEditChanged(rtl::TObject* Sender) override;
  void DblClick() override;
  bool CanSpellCheck() override;
  bool CanScrollLookupItems(bool AIsMouseWheel) override;

 private:
  // Whether a text change must reach the lookup data.
  bool NeedsLookupTextChange();
};

class TcxComboBox : public TcxCustomComboBox {
  RTL_CLASS(TcxComboBox, TcxCustomComboBox)
  RTL_PUBLISHED(RTL_PUBLISH(Anchors), RTL_PUBLISH(Enabled), RTL_PROPERTY(ItemIndex, GetItemIndex, SetItemIndex),
                RTL_PROPERTY(Properties, GetComboBoxProperties, SetComboBoxProperties),
                RTL_PROPERTY(Style, GetStyle, SetStyle), RTL_PROPERTY(StyleDisabled, GetStyleDisabled, SetStyleDisabled),
                RTL_PROPERTY(StyleFocused, GetStyleFocused, SetStyleFocused),
                RTL_PROPERTY(StyleHot, GetStyleHot, SetStyleHot), RTL_PUBLISH(TabOrder), RTL_PUBLISH(TabStop),
                RTL_PUBLISH(Text), RTL_PROPERTY(TextHint, GetTextHint, SetTextHint), RTL_PUBLISH(Visible),
                RTL_PUBLISH(OnEnter), RTL_PUBLISH(OnExit), RTL_PUBLISH(OnKeyDown), RTL_PUBLISH(OnKeyPress),
                RTL_PUBLISH(OnKeyUp))

 public:
  TcxComboBoxProperties* GetComboBoxProperties() const
  {
    return static_cast<TcxComboBoxProperties*>(GetInternalProperties());
  }
  void SetComboBoxProperties(TcxComboBoxProperties* AValue) { SetProperties(AValue); }
  TcxCustomEditPropertiesClass GetPropertiesClass() override;
};

// ---------------------------------------------------------------------------
// Popup edit

class TcxCustomPopupEditProperties : public TcxCustomDropDownEditProperties {
  RTL_CLASS(TcxCustomPopupEditProperties, TcxCustomDropDownEditProperties)

 public:
  void Create(rtl::TPersistent* AOwner) override;
  void Destroy() override;

  TcxCustomEditClass GetContainerClass() override;
  TcxCustomEditPopupWindowClass GetPopupWindowClass() override;
  bool IsLookupDataVisual() override { return false; }
  bool PopupWindowCapturesFocus() override { return true; }
  void AssignFrom(TcxCustomEditProperties* ASource) override;

  vcl::TControl* GetPopupControl() const { return FPopupControl; }
  void SetPopupControl(vcl::TControl* AValue);

 private:
  void PopupControlFreed(rtl::TComponent* Sender);

  vcl::TControl* FPopupControl;
  TcxFreeNotificator* FPopupControlNotificator;
};

class TcxPopupEditProperties : public TcxCustomPopupEditProperties {
  RTL_CLASS(TcxPopupEditProperties, TcxCustomPopupEditProperties)
  RTL_PUBLISHED(
      RTL_PROPERTY(Alignment, GetAlignment, SetAlignment),
      RTL_PROPERTY(AutoSelect, GetAutoSelect, SetAutoSelect, RTL_DEFAULT(true)),
      RTL_PROPERTY(ButtonGlyph, GetButtonGlyph, SetButtonGlyph),
      RTL_PROPERTY(ImmediateDropDownWhenActivated, GetImmediateDropDownWhenActivated,
                   SetImmediateDropDownWhenActivated, RTL_DEFAULT(true)),
      RTL_PROPERTY(ImmediateDropDownWhenKeyPressed, GetImmediateDropDownWhenKeyPressed,
                   SetImmediateDropDownWhenKeyPressed, RTL_DEFAULT(true)),
      RTL_PROPERTY(PopupAlignment, GetPopupAlignment, SetPopupAlignment,
                   RTL_DEFAULT(rtl::TAlignment::taLeftJustify)),
      RTL_PROPERTY(PopupAutoSize, GetPopupAutoSize, SetPopupAutoSize, RTL_DEFAULT(true)),
      RTL_PROPERTY(PopupClientEdge, GetPopupClientEdge, SetPopupClientEdge, RTL_DEFAULT(false)),
      RTL_PROPERTY(PopupControl, GetPopupControl, SetPopupControl),
      RTL_PROPERTY(PopupHeight, GetPopupHeight, SetPopupHeight, RTL_DEFAULT(200)),
      RTL_PROPERTY(PopupMinHeight, GetPopupMinHeight, SetPopupMinHeight, RTL_DEFAULT(100)),
      RTL_PROPERTY(PopupMinWidth, GetPopupMinWidth, SetPopupMinWidth, RTL_DEFAULT(100)),
      RTL_PROPERTY(PopupSizeable, GetPopupSizeable, SetPopupSizeable, RTL_DEFAULT(true)),
      RTL_PROPERTY(PopupSysPanelStyle, GetPopupSysPanelStyle, SetPopupSysPanelStyle, RTL_DEFAULT(false)),
      RTL_PROPERTY(PopupWidth, GetPopupWidth, SetPopupWidth, RTL_DEFAULT(250)),
      RTL_PROPERTY(ReadOnly, GetReadOnly, SetReadOnly, RTL_DEFAULT(false)),
      RTL_PROPERTY(OnChange, GetOnChange, SetOnChange),
      RTL_PROPERTY(OnCloseQuery, GetOnCloseQuery, SetOnCloseQuery),
      RTL_PROPERTY(OnCloseUp, GetOnCloseUp, SetOnCloseUp),
      RTL_PROPERTY(OnEditValueChanged, GetOnEditValueChanged, SetOnEditValueChanged),
      RTL_PROPERTY(OnInitPopup, GetOnInitPopup, SetOnInitPopup), RTL_PROPERTY(OnPopup, GetOnPopup, SetOnPopup))

 public:
  void Create(rtl::TPersistent* AOwner) override;
};

// The popup control's state before it moved into the popup.
struct TcxPrevPopupControlData {
  vcl::TAlign Align = vcl::TAlign::alNone;
  TRect Bounds{};
  vcl::TWinControl* Parent = nullptr;
  bool Visible = false;
  vcl::TFormBorderStyle BorderStyle = vcl::TFormBorderStyle::bsNone;
  vcl::TWinControl* ActiveControl = nullptr;
};

class TcxPopupEditPopupWindowViewInfo : public TcxCustomEditPopupWindowViewInfo {
  RTL_CLASS(TcxPopupEditPopupWindowViewInfo, TcxCustomEditPopupWindowViewInfo)

 public:
  void DrawBorder(TcxCanvas* ACanvas, TRect& R) override;
};

class TcxPopupEditPopupWindow : public TcxCustomEditPopupWindow {
  RTL_CLASS(TcxPopupEditPopupWindow, TcxCustomEditPopupWindow)

 public:
  TcxContainerViewInfoClass GetViewInfoClass() override;
};

class TcxCustomPopupEdit : public TcxCustomDropDownEdit {
  RTL_CLASS(TcxCustomPopupEdit, TcxCustomDropDownEdit)

 public:
  void Destroy() override;
  TcxCustomEditPropertiesClass GetPropertiesClass() override;
  TcxCustomPopupEditProperties* GetActivePopupProperties()
  {
    return static_cast<TcxCustomPopupEditProperties*>(GetActiveProperties());
  }
  TcxCustomPopupEditProperties* GetProperties() const
  {
    return static_cast<TcxCustomPopupEditProperties*>(GetInternalProperties());
  }

  // For code inside the popup control (an OK button): closes later with
  // AReason.
  virtual void ClosePopup(TcxEditCloseUpReason AReason);
  TSize GetPopupWindowClientPreferredSize() override;
  void PositionPopupWindowChilds(const TRect& AClientRect) override;
  void SetupPopupWindow() override;

 protected:
  virtual void RestorePopupControlData();
  virtual void SavePopupControlData();

  bool CanDropDown() override { return GetActivePopupProperties()->GetPopupControl() != nullptr; }
  void DoInitPopup() override;
  vcl::TWinControl* GetPopupFocusedControl() override;
  void PopupWindowClosing() override;
  void PopupWindowClosed() override;
  bool CanSpellCheck() override { return inherited::CanSpellCheck(); }

 private:
  TcxPrevPopupControlData FPrevPopupControlData;
  // The control is inside the popup until it is restored.
  bool FPopupControlMoved = false;
};

class TcxPopupEdit : public TcxCustomPopupEdit {
  RTL_CLASS(TcxPopupEdit, TcxCustomPopupEdit)
  RTL_PUBLISHED(RTL_PUBLISH(Anchors), RTL_PUBLISH(Enabled),
                RTL_PROPERTY(Properties, GetPopupEditProperties, SetPopupEditProperties),
                RTL_PROPERTY(Style, GetStyle, SetStyle), RTL_PUBLISH(TabOrder), RTL_PUBLISH(TabStop),
                RTL_PUBLISH(Text), RTL_PUBLISH(Visible), RTL_PUBLISH(OnEnter), RTL_PUBLISH(OnExit))

 public:
  TcxPopupEditProperties* GetPopupEditProperties() const
  {
    return static_cast<TcxPopupEditProperties*>(GetInternalProperties());
  }
  void SetPopupEditProperties(TcxPopupEditProperties* AValue) { SetProperties(AValue); }
  TcxCustomEditPropertiesClass GetPropertiesClass() override;
};
