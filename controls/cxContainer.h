// The container unit:
// - TcxContainerStyle: the ten style values of one state (border colour and
//   style, colour, edges, font, hot tracking, shadow, text colour and style,
//   transparent border), each the style's own, its style controller's or a
//   default that depends on the state, the container and the look and feel;
// - TcxContainerStyles, the four state styles of one owner;
// - TcxStyleController, the component whose styles many containers follow;
// - the process-wide default style controller (set by the editors);
// - TcxContainer, the control that draws a styled frame around an inner
//   window it hosts (or around content it paints itself), with the routing
//   of focus, keys and mouse between the two, hot tracking, refresh locks,
//   the inner window's visible area and the mirroring of its native scroll
//   bars onto the container's own;
// - TcxContainerViewInfo, the calculated frame, colours and state, and its
//   painting; the window-region and frame routines of the unit;
// - the GetScrollBarInfo binding and the size-grip routines.
#pragma once

#include <array>
#include <vector>

#include "core/cxClasses.h"
#include "core/cxClassesComponents.h"
#include "controls/cxControls.h"
#include "controls/cxMouseTracking.h"
#include "graphics/cxGraphics.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/GraphicsHandles.h"
#include "platform/vcl/StdCtrls.h"
#include "lookandfeel/cxScrollBar.h"

class TcxContainer;
class TcxContainerStyle;
class TcxContainerViewInfo;
class TcxRegion;
class TcxStyleController;

// Binds GetScrollBarInfo and registers the style controller for streaming.
RTL_DECLARE_UNIT(cxContainer);

RTL_ENUM(TcxContainerStateItem, csNormal, csActive, csDisabled, csHotTrack);
using TcxContainerState = rtl::TSet<TcxContainerStateItem>;
RTL_ENUM(TcxContainerHotState, chsNoHotTrack, chsNormal, chsSelected);

// A style value is a number 0..31; the base style has ten, descendants add
// theirs after them.
using TcxContainerStyleValue = int;
using TcxContainerStyleValues = rtl::TSet<TcxContainerStyleValue, 0, 31>;

inline constexpr TcxContainerStyleValue csvBorderColor = 0;
inline constexpr TcxContainerStyleValue csvBorderStyle = 1;
inline constexpr TcxContainerStyleValue csvColor = 2;
inline constexpr TcxContainerStyleValue csvEdges = 3;
inline constexpr TcxContainerStyleValue csvFont = 4;
inline constexpr TcxContainerStyleValue csvHotTrack = 5;
inline constexpr TcxContainerStyleValue csvShadow = 6;
inline constexpr TcxContainerStyleValue csvTextColor = 7;
inline constexpr TcxContainerStyleValue csvTextStyle = 8;
inline constexpr TcxContainerStyleValue csvTransparentBorder = 9;

// Colour, font and text colour of a style. The font belongs to a normal
// style that is not in direct-access mode; the state styles have none.
struct TcxContainerStyleData {
  vcl::TColor Color;
  vcl::TFont* Font;
  vcl::TColor FontColor;
};

using TcxContainerStyleClass = rtl::ClassOf<TcxContainerStyle>;

// ---------------------------------------------------------------------------
// TcxContainerStyle

// A value a style does not hold comes from the style of the same state of
// its controller (along the controller's own controller, and so on), and
// then from a default. Edges, Font, HotTrack, Shadow and TransparentBorder,
// the look and feel and the controller exist once, in the normal style: the
// state styles read and write those of their parent.
class TcxContainerStyle : public TcxInterfacedPersistent, public IdxSkinSupport {
  RTL_CLASS(TcxContainerStyle, TcxInterfacedPersistent)
  RTL_INTERFACES(IdxSkinSupport)

 public:
  // A normal style (not direct access) without parent.
  void Create(rtl::TPersistent* AOwner) override;
  // The parent is kept for the state styles only. A direct-access style
  // wraps the colour, font and text colour its creator puts in StyleData and
  // counts all its values assigned; it never announces a change.
  virtual void Create(rtl::TPersistent* AOwner, bool ADirectAccessMode, TcxContainerStyle* AParentStyle,
                      TcxContainerStateItem AState);
  void Destroy() override;
  void Assign(rtl::TPersistent* Source) override;

  // Nestable; the changes made in between are announced once at the end.
  void BeginUpdate();
  void EndUpdate();
  // The first value whose name matches, without regard to case.
  bool GetStyleValue(const rtl::String& APropertyName, TcxContainerStyleValue& StyleValue);
  virtual int GetStyleValueCount();
  virtual bool GetStyleValueName(TcxContainerStyleValue AStyleValue, rtl::String& StyleValueName);
  // The font as drawn: the font with the resolved text colour and style.
  vcl::TFont* GetVisibleFont();
  virtual bool HasBorder();
  // What a state style publishes: neither the look and feel nor the
  // controller, nor the values it shares with the normal style.
  bool IsExtendedStylePropertyPublished(const rtl::String& APropertyName);
  // Assigned here or, failing that, in the controller's style of this state.
  virtual bool IsValueAssigned(TcxContainerStyleValue AValue);
  virtual void RestoreDefaults();

  TcxStyleController* GetActiveStyleController();
  TcxContainerStyleValues GetAssignedValues() const { return FAssignedValues; }
  void SetAssignedValues(TcxContainerStyleValues AValue);
  TcxContainerStyle* GetBaseStyle() { return FParentStyle ? FParentStyle : this; }
  // The owner when it is a container, else nil.
  TcxContainer* GetContainer();
  bool GetDirectAccessMode() const { return FDirectAccessMode; }
  TcxLookAndFeel* GetLookAndFeel();
  void SetLookAndFeel(TcxLookAndFeel* AValue);
  TcxContainerStateItem GetState() const { return FState; }
  // Nil while the default controller is in effect.
  TcxStyleController* GetStyleController();
  // Nil means the default controller; a controller whose chain leads back to
  // this style is refused.
  void SetStyleController(TcxStyleController* AValue);

  vcl::TColor GetBorderColor();
  void SetBorderColor(vcl::TColor AValue);
  TcxContainerBorderStyle GetBorderStyle();
  void SetBorderStyle(TcxContainerBorderStyle AValue);
  virtual vcl::TColor GetColor();
  void SetColor(vcl::TColor AValue);
  TcxBorders GetEdges();
  void SetEdges(TcxBorders AValue);
  vcl::TFont* GetFont();
  void SetFont(vcl::TFont* AValue);
  bool GetHotTrack();
  void SetHotTrack(bool AValue);
  bool GetShadow();
  void SetShadow(bool AValue);
  virtual vcl::TColor GetTextColor();
  void SetTextColor(vcl::TColor AValue);
  virtual vcl::TFontStyles GetTextStyle();
  void SetTextStyle(vcl::TFontStyles AValue);
  bool GetTransparentBorder();
  void SetTransparentBorder(bool AValue);

  rtl::TNotifyEvent GetOnChanged() const { return FOnChanged; }
  void SetOnChanged(rtl::TNotifyEvent AValue) { FOnChanged = AValue; }

  // Direct-access styles keep their creator's values here.
  TcxContainerStyleData StyleData;

  RTL_PUBLISHED(RTL_PROPERTY(BorderColor, GetBorderColor, SetBorderColor, RTL_PROPTYPE(vcl::TypeInfoTColor),
                             RTL_STORED(IsBorderColorStored)),
                RTL_PROPERTY(BorderStyle, GetBorderStyle, SetBorderStyle, RTL_STORED(IsBorderStyleStored)),
                RTL_PROPERTY(Color, GetColor, SetColor, RTL_PROPTYPE(vcl::TypeInfoTColor),
                             RTL_STORED(IsColorStored)),
                RTL_PROPERTY(Edges, GetEdges, SetEdges, RTL_STORED(IsEdgesStored)),
                RTL_PROPERTY(Font, GetFont, SetFont, RTL_STORED(IsFontStored)),
                RTL_PROPERTY(HotTrack, GetHotTrack, SetHotTrack, RTL_STORED(IsHotTrackStored)),
                RTL_PROPERTY(LookAndFeel, GetLookAndFeel, SetLookAndFeel, RTL_STORED(IsLookAndFeelStored)),
                RTL_PROPERTY(Shadow, GetShadow, SetShadow, RTL_STORED(IsShadowStored)),
                RTL_PROPERTY(StyleController, GetStyleController, SetStyleController,
                             RTL_STORED(IsStyleControllerStored)),
                RTL_PROPERTY(TextColor, GetTextColor, SetTextColor, RTL_PROPTYPE(vcl::TypeInfoTColor),
                             RTL_STORED(IsTextColorStored)),
                RTL_PROPERTY(TextStyle, GetTextStyle, SetTextStyle, RTL_STORED(IsTextStyleStored)),
                RTL_PROPERTY(TransparentBorder, GetTransparentBorder, SetTransparentBorder,
                             RTL_STORED(IsTransparentBorderStored)))

 protected:
  virtual void Changed();
  virtual void ControllerChangedNotification(TcxStyleController* AController);
  virtual void ControllerFreeNotification(TcxStyleController* AController);
  virtual vcl::TColor GetDefaultBorderColor();
  virtual TcxContainerBorderStyle GetDefaultBorderStyle();
  virtual vcl::TColor GetDefaultColor();
  virtual vcl::TColor GetDefaultDisabledTextColor();
  virtual TcxBorders GetDefaultEdges();
  virtual bool GetDefaultHotTrack();
  virtual bool GetDefaultShadow();
  virtual vcl::TColor GetDefaultTextColor();
  virtual vcl::TFontStyles GetDefaultTextStyle();
  virtual bool GetDefaultTransparentBorder();
  virtual void FontChanged(rtl::TObject* Sender);
  virtual TcxStyleController* GetDefaultStyleController();
  // The colour a container copies to itself: own or controller value, the
  // parent's colour for a normal style of a parent-coloured container that
  // is not in place, then the default.
  virtual vcl::TColor GetContainerColor();
  // The values the state styles share with the normal style and so do not
  // publish.
  virtual TcxContainerStyleValues GetExtendedStyleHiddenValues();
  // "IsFontAssigned": reading it marks Font assigned, so a stored font is not
  // replaced by the controller's.
  void DefineProperties(rtl::TFiler* Filer) override;

  bool IsBaseStyle() const { return FParentStyle == nullptr; }
  // The controller's style of this state that holds AValue, along the
  // controller chain; nil when none does.
  TcxContainerStyle* FindControllerStyle(TcxContainerStyleValue AValue);
  // Re-reads the font from the controller chain unless Font is assigned.
  void UpdateFont();

 private:
  friend class TcxStyleController;
  friend class TcxContainer;

  bool InternalIsValueAssigned(TcxContainerStyleValue AValue) const { return FAssignedValues.Contains(AValue); }
  void CheckChanges();
  void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues);
  // Assigns an own per-state value: nothing when it is assigned already and
  // equal; otherwise stores, marks and announces.
  template <typename T>
  void SetOwnValue(T& AField, const T& AValue, TcxContainerStyleValue AStyleValue, bool AUnchanged);
  bool IsStyleValueStored(TcxContainerStyleValue AValue);
  bool IsBorderColorStored() { return IsStyleValueStored(csvBorderColor); }
  bool IsBorderStyleStored() { return IsStyleValueStored(csvBorderStyle); }
  bool IsColorStored() { return IsStyleValueStored(csvColor); }
  bool IsEdgesStored() { return IsStyleValueStored(csvEdges); }
  bool IsFontStored() { return IsStyleValueStored(csvFont); }
  bool IsHotTrackStored() { return IsStyleValueStored(csvHotTrack); }
  bool IsLookAndFeelStored() { return IsBaseStyle(); }
  bool IsShadowStored() { return IsStyleValueStored(csvShadow); }
  bool IsStyleControllerStored() { return IsBaseStyle(); }
  bool IsTextColorStored() { return IsStyleValueStored(csvTextColor); }
  bool IsTextStyleStored() { return IsStyleValueStored(csvTextStyle); }
  bool IsTransparentBorderStored() { return IsStyleValueStored(csvTransparentBorder); }
  void ReadIsFontAssigned(rtl::TReader* AReader);
  void WriteIsFontAssigned(rtl::TWriter* AWriter);
  // The container's look when it has one: the parent's colour, in place.
  bool ContainerTakesParentColor();

  vcl::TColor FBorderColor;
  TcxContainerBorderStyle FBorderStyle;
  TcxBorders FEdges;
  bool FHotTrack;
  bool FShadow;
  bool FTransparentBorder;
  bool FDirectAccessMode;
  int FFontAssignedValueLockCount;
  bool FIsDestroying;
  TcxLookAndFeel* FLookAndFeel;
  bool FModified;
  rtl::TPersistent* FOwner;
  TcxContainerStyle* FParentStyle;
  TcxContainerStateItem FState;
  vcl::TFontStyles FTextStyle;
  int FUpdateCount;
  vcl::TFont* FVisibleFont;
  rtl::TNotifyEvent FOnChanged;
  TcxContainerStyleValues FAssignedValues;
  TcxStyleController* FStyleController;
  // Direct access: BorderStyle and HotTrack given by the creator.
  TcxContainerStyleValues FDirectSetValues;
};

// ---------------------------------------------------------------------------
// TcxContainerStyles

using TcxContainerStylesClass = rtl::ClassOf<class TcxContainerStyles>;

// The normal style first, the other three with it as parent; all owned.
class TcxContainerStyles : public rtl::TObject {
  RTL_CLASS(TcxContainerStyles, rtl::TObject)

 public:
  virtual void Create(rtl::TPersistent* AOwner, TcxContainerStyleClass AStyleClass);
  void Destroy() override;
  void RestoreDefaults();

  TcxContainerStyle* GetStyle(TcxContainerStateItem AState) const { return FStyles[AState]; }
  // Assigns into the style of the state.
  void SetStyle(TcxContainerStateItem AState, TcxContainerStyle* Value);
  TcxContainerStyle* GetStyleNormal() const { return GetStyle(TcxContainerStateItem::csNormal); }
  TcxContainerStyle* GetStyleFocused() const { return GetStyle(TcxContainerStateItem::csActive); }
  TcxContainerStyle* GetStyleDisabled() const { return GetStyle(TcxContainerStateItem::csDisabled); }
  TcxContainerStyle* GetStyleHot() const { return GetStyle(TcxContainerStateItem::csHotTrack); }
  // The change event of all four.
  void SetOnChanged(rtl::TNotifyEvent AValue);

 private:
  std::array<TcxContainerStyle*, 4> FStyles{};
};

// ---------------------------------------------------------------------------
// TcxStyleController

// Four styles that the normal styles of its listeners follow for every
// value they do not hold themselves. The controller's normal look and feel
// is the master of each listener's look and feel.
class TcxStyleController : public TcxScalableComponent {
  RTL_CLASS(TcxStyleController, TcxScalableComponent)

 public:
  void Create(rtl::TComponent* AOwner) override;
  // Each listener falls back to the default controller, the last first.
  void Destroy() override;
  void __stdcall ChangeScale(int M, int D) override;

  void RestoreStyles();
  TcxContainerStyle* GetInternalStyle(TcxContainerStateItem AState) const { return FStyles->GetStyle(AState); }
  void SetInternalStyle(TcxContainerStateItem AState, TcxContainerStyle* Value) { FStyles->SetStyle(AState, Value); }
  TcxContainerStyle* GetStyle() const { return GetInternalStyle(TcxContainerStateItem::csNormal); }
  // The normal style's controller; writing does nothing (it exists so that
  // a designer streams the controller this one follows).
  TcxStyleController* GetFakeStyleController() const;
  void SetFakeStyleController(TcxStyleController*) {}
  bool IsDestruction() const { return FIsDestruction; }
  int GetListenerCount() const { return static_cast<int>(FListeners.size()); }

  rtl::TNotifyEvent GetOnStyleChanged() const { return FOnStyleChanged; }
  void SetOnStyleChanged(rtl::TNotifyEvent AValue) { FOnStyleChanged = AValue; }

 protected:
  void Loaded() override;
  virtual void AddListener(TcxContainerStyle* AStyle);
  virtual TcxContainerStyleClass GetStyleClass();
  virtual TcxContainerStylesClass GetStylesClass();
  virtual void RemoveListener(TcxContainerStyle* AStyle);
  void Changed(rtl::TObject* Sender);

 private:
  friend class TcxContainerStyle;

  bool FIsDestruction;
  std::vector<TcxContainerStyle*> FListeners;
  rtl::TNotifyEvent FOnStyleChanged;
  TcxContainerStyles* FStyles;
};

// The controller every style follows that has none of its own; nil until
// the editors' start-up sets theirs (and clears it before freeing it).
TcxStyleController* cxGetDefaultStyleController();
void cxSetDefaultStyleController(TcxStyleController* AValue);

// ---------------------------------------------------------------------------
// The container

// Private messages of the container.
// Posted by editors: refresh at the next turn of the message loop.
inline constexpr UINT DXM_CONTAINERREFRESH = 0x807F;
// Posted by UpdateScrollBarsParameters: mirror the inner scroll bars later.
inline constexpr UINT DXM_UPDATESCROLLBARS = 0x8080;
// Sent by UpdateWindowRegion: apply the pending window region.
inline constexpr UINT DXM_UPDATEWINDOWREGION = 0x8083;

RTL_ENUM(TcxMouseButton, cxmbNone, cxmbLeft, cxmbRight, cxmbMiddle);

// An inner window that talks back to the container hosting it.
struct IcxContainerInnerControl : rtl::IInterface {
  RTL_GUID(IcxContainerInnerControl, "{1B111318-D9C9-4C35-9EFF-5D95793C0106}")
  virtual vcl::TWinControl* __stdcall GetControl() = 0;
  virtual TcxContainer* __stdcall GetControlContainer() = 0;
};

// A control made of several windows: the one that takes the keys.
struct IcxCompoundControl : rtl::IInterface {
  RTL_GUID(IcxCompoundControl, "{A4C6E1F2-5B3D-4E8A-9C7F-2D1B0E6A8F35}")
  virtual vcl::TWinControl* __stdcall GetActiveControl() = 0;
};

struct TcxContainerActiveStyleData {
  TcxContainerState ContainerState;
  TcxContainerStyle* ActiveStyle;
};

// The visible part last applied to a child window.
struct TcxContainerInnerControlBounds {
  // No clipping region.
  bool IsEmpty;
  // Child coordinates.
  TRect Rect;
};

// The corner between the mirrored scroll bars, in the inner control's
// window coordinates.
struct TcxContainerSizeGripData {
  TRect Bounds;
  bool Visible;
};

using TcxContainerViewInfoClass = rtl::ClassOf<TcxContainerViewInfo>;

// What a refresh calculated: state, frame, rectangles and colours.
class TcxContainerViewInfo : public rtl::TObject {
  RTL_CLASS(TcxContainerViewInfo, rtl::TObject)

 public:
  virtual void Create();

  virtual void DrawBorder(TcxCanvas* ACanvas, const TRect& R);
  // The style whose painter width CalculateBorderRect counts.
  virtual TcxContainerBorderStyle GetContainerBorderStyle() { return BorderStyle; }
  virtual void InternalPaint(TcxCanvas* ACanvas);
  vcl::TColor GetBackgroundColor() const { return FBackgroundColor; }
  virtual void SetBackgroundColor(vcl::TColor AValue) { FBackgroundColor = AValue; }
  // Takes ClientRect from another view info; other sources are ignored.
  virtual void Assign(rtl::TObject* Source);
  // What must be repainted when changing from AViewInfo; the caller owns it.
  virtual TcxRegion* GetUpdateRegion(TcxContainerViewInfo* AViewInfo);
  virtual void Offset(int DX, int DY);
  virtual void Paint(TcxCanvas* ACanvas);
  virtual void UpdateStyle(TcxContainerStyle* AStyle);
  bool IsCalculated() const { return FCalculated; }
  // For the calculators of descendant view infos that live apart from them.
  void SetCalculated(bool AValue) { FCalculated = AValue; }

  vcl::TColor BorderColor;
  TRect BorderRect;
  TcxContainerBorderStyle BorderStyle;
  int BorderWidth;
  TRect Bounds;
  TRect ClientRect;
  TcxContainerState ContainerState;
  TcxBorders Edges;
  // The style's; not owned.
  vcl::TFont* Font;
  TcxContainerHotState HotState;
  int NativePart;
  int NativeState;
  bool NativeStyle;
  rtl::TObject* Owner;
  TcxCustomLookAndFeelPainter* Painter;
  bool Shadow;
  TdxThemedObjectType ThemedObjectType;
  bool UseSkins;

 private:
  friend class TcxContainer;

  void PaintNative(TcxCanvas* ACanvas);
  void PaintNonNative(TcxCanvas* ACanvas);

  vcl::TColor FBackgroundColor;
  bool FCalculated;
};

using TcxContainerClass = rtl::ClassOf<TcxContainer>;

// Tells its container when mouse tracking notices that the mouse left.
class TcxContainerMouseTrackingCaller : public TcxIUnknownObject, public IcxMouseTrackingCaller {
  RTL_CLASS(TcxContainerMouseTrackingCaller, TcxIUnknownObject)
  RTL_INTERFACES(IcxMouseTrackingCaller)

 public:
  virtual void Create(TcxContainer* AContainer);
  void __stdcall MouseLeave() override;

 private:
  TcxContainer* FContainer;
};

// The frame around an inner window (or around content it paints itself).
// The container owns its styles and view info; the inner control belongs
// to the descendant that made it.
class TcxContainer : public TcxControl, public IcxCompoundControl {
  RTL_CLASS(TcxContainer, TcxControl)
  RTL_INTERFACES(IcxCompoundControl)
  RTL_MESSAGES(RTL_MESSAGE(WM_DESTROY, HandleWMDestroy), RTL_MESSAGE(WM_KILLFOCUS, HandleWMKillFocus),
               RTL_MESSAGE(WM_SETCURSOR, HandleWMSetCursor), RTL_MESSAGE(WM_SETFOCUS, HandleWMSetFocus),
               RTL_MESSAGE(WM_WINDOWPOSCHANGING, HandleWMWindowPosChanging),
               RTL_MESSAGE(WM_WINDOWPOSCHANGED, HandleWMWindowPosChanged),
               RTL_MESSAGE(rtl::CM_BIDIMODECHANGED, HandleCMBiDiModeChanged),
               RTL_MESSAGE(rtl::CM_CTL3DCHANGED, HandleCMCtl3DChanged),
               RTL_MESSAGE(rtl::CM_FONTCHANGED, HandleCMFontChanged),
               RTL_MESSAGE(rtl::CM_PARENTCOLORCHANGED, HandleCMParentColorChanged),
               RTL_MESSAGE(rtl::CM_PARENTFONTCHANGED, HandleCMParentFontChanged),
               RTL_MESSAGE(rtl::CM_SYSCOLORCHANGE, HandleCMSysColorChange),
               RTL_MESSAGE(DXM_CONTAINERREFRESH, HandleDXMContainerRefresh),
               RTL_MESSAGE(DXM_UPDATESCROLLBARS, HandleDXMUpdateScrollBars),
               RTL_MESSAGE(DXM_UPDATEWINDOWREGION, HandleDXMUpdateWindowRegion))

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  bool Focused() override;
  void SetFocus() override;
  vcl::TDragImageList* GetDragImages() override;
  void Invalidate() override;
  void Update() override;
  bool HasInnerControl() const { return FInnerControl != nullptr; }
  bool HasInnerControlHandle() const { return FInnerControl && FInnerControl->HandleAllocated(); }
  // The inner control calls it from its default handling; True: handled.
  bool InnerControlDefaultHandler(rtl::TMessage& Message);
  // For CN_KEYDOWN and CN_SYSKEYDOWN: True when the container's popup menu
  // took the key (Result 1). Inner controls call it first.
  virtual bool InnerControlMenuHandler(rtl::TMessage& Message);
  bool IsStylePropertyPublished(const rtl::String& APropertyName, bool AExtendedStyle);
  void LockAlignControls(bool ALock);
  void LockPopupMenu(bool ALock);
  void LockRefresh();
  void UnlockRefresh();
  void RestoreStyles();
  bool ShortRefreshContainer(bool AIsMouseEvent);
  void UpdateScrollBarsParameters();
  void __stdcall TranslationChanged() override;
  TcxContainerStyle* GetInternalStyle(TcxContainerStateItem AState) const { return FStyles->GetStyle(AState); }
  void SetInternalStyle(TcxContainerStateItem AState, TcxContainerStyle* Value) { FStyles->SetStyle(AState, Value); }
  virtual void ClearSavedChildControlRegions();
  // The part of the control in which the mouse makes it hot.
  virtual TRect GetVisibleBounds();
  virtual bool HasPopupWindow() { return false; }
  virtual bool IsInplace() { return false; }
  // Label- and check-box-like descendants take the parent's colour by
  // default.
  virtual bool DefaultParentColor() { return false; }
  virtual void SetScrollBarsParameters(bool AIsScrolling = false);
  void UpdateInnerControlBounds();

  vcl::TWinControl* GetInnerControl() const { return FInnerControl; }
  void SetInnerControl(vcl::TWinControl* AValue);
  vcl::TWinControl* GetActiveControlOf() { return FInnerControl ? FInnerControl : this; }
  vcl::TWinControl* __stdcall GetActiveControl() override { return GetActiveControlOf(); }
  bool IsDestroyingContainer() const { return IsDestroying(); }
  TcxStyleController* GetFakeStyleController() { return GetStyle()->GetStyleController(); }
  void SetFakeStyleController(TcxStyleController*) {}
  TcxContainerStyle* GetStyle() const { return FStyles->GetStyleNormal(); }
  void SetStyle(TcxContainerStyle* AValue) { GetStyle()->Assign(AValue); }
  TcxContainerStyle* GetStyleDisabled() const { return FStyles->GetStyleDisabled(); }
  void SetStyleDisabled(TcxContainerStyle* AValue) { GetStyleDisabled()->Assign(AValue); }
  TcxContainerStyle* GetStyleFocused() const { return FStyles->GetStyleFocused(); }
  void SetStyleFocused(TcxContainerStyle* AValue) { GetStyleFocused()->Assign(AValue); }
  TcxContainerStyle* GetStyleHot() const { return FStyles->GetStyleHot(); }
  void SetStyleHot(TcxContainerStyle* AValue) { GetStyleHot()->Assign(AValue); }
  void SetParentFont(bool AValue);
  void SetDragMode(vcl::TDragMode AValue) override;
  vcl::TDragKind GetDragKind() const { return FDragKind; }
  virtual void SetDragKind(vcl::TDragKind AValue);
  TcxContainerViewInfo* GetViewInfo() const { return FViewInfo; }
  bool IsViewInfoCalculated() const { return FIsViewInfoCalculated; }
  const TcxContainerSizeGripData& GetSizeGripData() const { return FSizeGripData; }
  // The style's visible font, corrected, with the skin's text colour.
  vcl::TFont* GetDisplayFont();
  TcxContainerStyle* GetActiveStyleOf() { return GetActiveStyle(); }

  // The container's face to mouse tracking. The framework's MouseLeave()
  // and the tracking interface's share a name and a signature, so an object
  // of its own answers for the container.
  IcxMouseTrackingCaller* GetMouseTrackingCaller() const;

 protected:
  // New virtual operations.
  virtual void MouseTrackingCallerMouseLeave();
  virtual void CorrectAlignRect(TRect& /*R*/) {}
  virtual bool CanMirrorHorizontalScrollBar() { return false; }
  virtual bool UsesInnerControlScrollBars() { return HasInnerControl(); }
  virtual void ApplyStyleToInnerControl();
  virtual void AdjustScrollBarToInnerControl(IcxControlScrollBar* AScrollBar);
  virtual void UpdatePopupScrollBars();
  virtual void CorrectDisplayFont(vcl::TFont* /*AFont*/) {}
  virtual void CalculateViewInfo(const TPoint& P, bool AHotTrackAllowed);
  virtual bool HandlesTabKey() { return true; }
  virtual bool HasTransparentBorder();
  virtual bool CanRefreshContainer();
  virtual bool CanShowPopupMenu(const TPoint& /*P*/) { return true; }
  virtual void ContainerStyleChanged(rtl::TObject* Sender);
  // A region the caller owns, or nil.
  virtual HRGN CreateWindowRegion();
  virtual void DataChanged() {}
  virtual void RefreshContainerState() { ShortRefreshContainer(false); }
  virtual bool HandleInnerControlMessage(rtl::TMessage& Message);
  virtual void ProcessViewInfoChanges() {}
  virtual bool RefreshContainer(const TPoint& P, TcxMouseButton Button, vcl::TShiftState Shift,
                                bool AIsMouseEvent);
  virtual void HandleMouseTrackingLeave();
  virtual TcxContainerStyle* GetActiveStyle();
  virtual vcl::TColor GetBackgroundColor();
  virtual vcl::TColor GetBorderColor();
  virtual void GetBorderExtent(TRect& R);
  virtual TcxEditStateColorKind GetDrawState();
  virtual void GetChildVisibleArea(const TRect& R, vcl::TControl* AControl, TcxContainerInnerControlBounds& Area);
  virtual void CalculateBorderRect(TRect& R);
  virtual void GetShadowBoundsExtent(TRect& R) { R = TRect{}; }
  virtual TcxContainerStyleClass GetStyleClass();
  virtual TcxContainerStylesClass GetStylesClass();
  virtual TcxContainerViewInfoClass GetViewInfoClass();
  virtual void GetExtraWindowRegionBounds(TRect& R) { R = TRect{}; }
  virtual bool HasShadow();
  virtual TcxContainerStyle* SelectActiveStyle();
  virtual TcxContainerStyleValues GetHiddenStyleValues() { return {}; }
  virtual vcl::TColor GetSkinBorderColor(bool AHighlighted);
  virtual void GetSkinColors(vcl::TColor& AColor, vcl::TColor& ATextColor);
  virtual vcl::TColor GetDefaultBackgroundColor();
  virtual vcl::TColor GetDefaultTextColor();
  virtual bool NeedsRefreshLockOnHandleCreation() { return !HasStandardChildLayout(); }
  virtual bool IsInnerControlGestureTarget() { return false; }
  virtual bool IsContainerFocused() { return Focused(); }
  virtual bool HasStandardChildLayout() { return false; }
  virtual bool IsMouseTrackingActive();
  virtual bool IsNativeStyle();
  virtual bool IsReadOnly() { return false; }
  virtual void AdjustInnerControlBounds();
  virtual void SetPaintCopyClipRegion();
  virtual void UpdateData() {}
  virtual void UpdateWindowRegion();
  virtual TdxThemedObjectType GetThemedObjectType() { return TdxThemedObjectType::totEdit; }
  virtual int GetNativePart();
  virtual int GetNativeState();
  virtual void ScreenRectToClientArea(const TRect& AScreenRect, TRect& R);
  virtual bool IsScrollBarEnabled(IcxControlScrollBar* AScrollBar, const SCROLLBARINFO& AInfo);
  virtual bool GetInnerControlScrollBarInfo(SCROLLBARINFO& AInfo, TScrollBarKind AKind);
  virtual void FocusInnerControl();
  virtual void SetScrollBarVisible(IcxControlScrollBar* AScrollBar, bool AVisible);

  // Overrides.
  void Loaded() override;
  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;
  void CreateParams(vcl::TCreateParams& AParams) override;
  void CreateWindowHandle(const vcl::TCreateParams& AParams) override;
  void DestroyWindowHandle() override;
  void WndProc(rtl::TMessage& AMessage) override;
  void AdjustClientRect(TRect& ARect) override;
  void AlignControls(vcl::TControl* AControl, TRect& ARect) override;
  TRect GetClientBounds() override;
  void Paint() override;
  void DoChangeScale(int M, int D, bool AIsDpiChange) override;
  void ScaleChanged() override;
  bool CanFocusByMouse() override;
  bool CanBeFocused() override;
  bool CanFocusOnScrollBarClick(vcl::TControl* /*AScrollBar*/) override { return false; }
  bool CanDragAtDesignTime(int /*X*/, int /*Y*/) override { return false; }
  bool NeedsScrollBars() override { return false; }
  void UpdateScrollBars() override;
  // The base control's own look and feel until the styles exist; it follows
  // the normal style's from then on.
  TcxLookAndFeel* GetContainerLookAndFeel() override;
  vcl::TColor GetContentTextColor() override;
  bool IsGestureTarget(HWND AWnd) override;
  void EnabledChanged() override;
  void FocusChanged() override;
  void ColorChanged() override;
  void CursorChanged() override;
  void DoContextPopup(TPoint AMousePos, bool& AHandled) override;
  void DragCanceled() override;
  void Resize() override;
  void KeyDown(WORD& AKey, vcl::TShiftState AShift) override;
  void MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void MouseMove(vcl::TShiftState AShift, int X, int Y) override;
  void MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void MouseEnter(vcl::TControl* AControl) override;
  void MouseLeave(vcl::TControl* AControl) override;
  using TcxControl::MouseEnter;

  void HandleWMDestroy(rtl::TMessage& Message);
  void HandleWMKillFocus(rtl::TMessage& Message);
  void HandleWMSetCursor(rtl::TMessage& Message);
  void HandleWMSetFocus(rtl::TMessage& Message);
  void HandleWMWindowPosChanging(rtl::TMessage& Message);
  void HandleWMWindowPosChanged(rtl::TMessage& Message);
  void HandleCMBiDiModeChanged(rtl::TMessage& Message);
  void HandleCMCtl3DChanged(rtl::TMessage& Message);
  void HandleCMFontChanged(rtl::TMessage& Message);
  void HandleCMParentColorChanged(rtl::TMessage& Message);
  void HandleCMParentFontChanged(rtl::TMessage& Message);
  void HandleCMSysColorChange(rtl::TMessage& Message);
  void HandleDXMContainerRefresh(rtl::TMessage& Message);
  void HandleDXMUpdateScrollBars(rtl::TMessage& Message);
  void HandleDXMUpdateWindowRegion(rtl::TMessage& Message);

  void EnsureViewInfoCalculated();
  bool IsInnerScrollBarUsable(TScrollBarKind AKind, SCROLLBARINFO& AInfo);
  void GetInnerScrollInfo(TScrollBarKind AKind, SCROLLINFO& AInfo);
  HWND GetScrollBarHandle(TScrollBarKind AKind);
  void UpdateSizeGripData();

  // The base of the editors reach these directly.
  bool FInnerControlMouseDown;
  bool FScrollBarsCalculating;

 private:
  friend class TcxContainerViewInfo;
  friend class TcxContainerMouseTrackingCaller;
  friend class TcxCustomInnerListBox;

  void InternalRefresh(const TPoint& P, TcxMouseButton AButton, vcl::TShiftState AShift, bool AIsMouseEvent);
  TcxContainerState CalculateContainerState(const TPoint& P, bool AHotTrackAllowed);
  void InvalidateFrame();
  void InternalSetColor(vcl::TColor AValue);
  void InternalSetFont(vcl::TFont* AValue);
  bool InnerControlBoundsChanged(const TcxContainerInnerControlBounds& AArea) const;
  void ApplyChildVisibleArea(vcl::TWinControl* AChild, const TcxContainerInnerControlBounds& AArea);
  void PlaceInnerControl();

  TcxContainerActiveStyleData FActiveStyleData;
  bool FHasChanges;
  vcl::TWinControl* FInnerControl;
  TcxContainerInnerControlBounds FInnerControlBounds;
  bool FIsViewInfoCalculated;
  int FLockAlignControlsCount;
  int FPopupMenuLockCount;
  int FProcessEventsLockCount;
  int FRefreshLockCount;
  TcxContainerSizeGripData FSizeGripData;
  int FInternalSetting;
  bool FIsCreating;
  TcxContainerStyles* FStyles;
  TcxContainerViewInfo* FViewInfo;
  int FUpdateWindowRegionCount;
  bool FInternalWindowRegionSetting;
  vcl::TOwnedRegion FNewWindowRegion;
  vcl::TDragKind FDragKind;
  TcxContainerMouseTrackingCaller* FMouseTrackingCaller;
};

// ---------------------------------------------------------------------------
// TcxCustomInnerListBox

// The native list box inside a container: the list of a list box editor or
// of a combo box's drop-down. It hands keys, mouse, clicks, focus and its
// context menu to the container first, offers type-ahead search, and lays
// two TcxScrollBar controls over its native scroll bars, kept in step with
// them. The descendant that creates it sets FContainer.
class TcxCustomInnerListBox : public vcl::TListBox, public IcxContainerInnerControl {
  RTL_CLASS(TcxCustomInnerListBox, vcl::TListBox)
  RTL_INTERFACES(IcxContainerInnerControl)
  RTL_MESSAGES(RTL_MESSAGE(WM_GETDLGCODE, HandleWMGetDlgCode), RTL_MESSAGE(WM_SETFOCUS, HandleWMSetFocus),
               RTL_MESSAGE(WM_KILLFOCUS, HandleWMKillFocus), RTL_MESSAGE(WM_NCPAINT, HandleWMNCPaint),
               RTL_MESSAGE(WM_LBUTTONDOWN, HandleWMLButtonDown))

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;
  void DefaultHandler(rtl::TMessage& AMessage) override;

  // Whether a corner of the item's rectangle lies within the list box.
  bool ItemVisible(int AIndex);
  // Lays the own bars over the native ones and copies their information.
  virtual void SetExternalScrollBarsParameters();
  // The corner between the own bars in window coordinates; empty unless
  // both show.
  TRect GetSizeGripRect();
  bool AreBothOwnBarsVisible() const;

  TcxLookAndFeel* GetLookAndFeel() const { return FLookAndFeel; }
  void SetLookAndFeel(TcxLookAndFeel* AValue) { FLookAndFeel->Assign(AValue); }
  TdxScaleFactor* GetScaleFactor();
  TcxScrollBar* GetHScrollBar() const { return FHScrollBar; }
  TcxScrollBar* GetVScrollBar() const { return FVScrollBar; }
  // Type-ahead: on, and the pause after which a key starts a new search.
  bool GetAutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool AValue) { FAutoComplete = AValue; }
  DWORD GetAutoCompleteDelay() const { return FAutoCompleteDelay; }
  void SetAutoCompleteDelay(DWORD AValue) { FAutoCompleteDelay = AValue; }
  const rtl::String& GetAutoCompleteFilter() const { return FAutoCompleteFilter; }
  void LockScrollBars() { ++FScrollBarsLockCount; }
  void UnlockScrollBars();

  // IcxContainerInnerControl
  vcl::TWinControl* __stdcall GetControl() override { return this; }
  TcxContainer* __stdcall GetControlContainer() override { return FContainer; }

 protected:
  virtual void DoAutoComplete(wchar_t& Key);
  virtual TcxContainer* GetContainer() { return FContainer; }
  virtual void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues);
  virtual bool NeedDrawFocusRect() { return !GetOnDrawItem(); }
  virtual void MouseEnter(vcl::TControl* /*AControl*/) {}
  virtual void MouseLeave(vcl::TControl* AControl);

  void CreateParams(vcl::TCreateParams& AParams) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(rtl::TMessage& AMessage) override;
  void KeyDown(WORD& AKey, vcl::TShiftState AShift) override;
  void KeyUp(WORD& AKey, vcl::TShiftState AShift) override;
  void KeyPress(wchar_t& AKey) override;
  void MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void MouseMove(vcl::TShiftState AShift, int X, int Y) override;
  void MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void Click() override;
  void DblClick() override;
  bool DoMouseWheel(vcl::TShiftState AShift, int AWheelDelta, TPoint AMousePos) override;
  void DragOver(rtl::TObject* ASource, int X, int Y, vcl::TDragState AState, bool& AAccept) override;
  void DragDrop(rtl::TObject* ASource, int X, int Y) override;
  vcl::TPopupMenu* GetPopupMenu() override;
  // The own bars lie on the parent, which may free them first.
  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;

  void HandleWMGetDlgCode(rtl::TMessage& AMessage);
  void HandleWMSetFocus(rtl::TMessage& AMessage);
  void HandleWMKillFocus(rtl::TMessage& AMessage);
  void HandleWMNCPaint(rtl::TMessage& AMessage);
  void HandleWMLButtonDown(rtl::TMessage& AMessage);

  TcxContainer* FContainer;

 private:
  void DoScroll(TScrollBarKind AKind, TScrollCode AScrollCode, int& AScrollPos);
  void HScrollHandler(rtl::TObject* Sender, TScrollCode AScrollCode, int& AScrollPos);
  void VScrollHandler(rtl::TObject* Sender, TScrollCode AScrollCode, int& AScrollPos);
  int ScrollAndGetPos(TScrollBarKind AKind, TScrollCode AScrollCode, int APos);
  void UpdateOwnScrollBar(TcxScrollBar* ABar, LONG AObjectId);
  bool ChangesNativeScrollBars(const rtl::TMessage& AMessage) const;
  void FillSizeGrip();
  void SelectSingle(int AIndex);

  rtl::String FAutoCompleteFilter;
  TcxScrollBar* FHScrollBar;
  bool FIsRedrawLocked;
  TcxLookAndFeel* FLookAndFeel;
  DWORD FPrevKeyPressTime;
  bool FScrollBarsCalculating;
  int FScrollBarsLockCount;
  TcxScrollBar* FVScrollBar;
  bool FAutoComplete;
  DWORD FAutoCompleteDelay;
};

// ---------------------------------------------------------------------------
// Unit routines: frame, shadow and window regions

// The frame extent of a transparent or native border.
inline constexpr int cxContainerTransparentBorderWidth = 2;
// The shadow's width and its offset from the frame, in clBtnShadow.
inline constexpr int cxContainerShadowWidth = 3;

void cxDrawContainerShadow(TcxCanvas* ACanvas, const TRect& R);
vcl::TColor cxGetBorderHighlightColor(bool AHighlighted, bool AIsOffice11);
// The Standard painter's width of the style.
int cxGetContainerBorderWidth(TcxContainerBorderStyle ABorderStyle);
TRect cxGetControlBoundsAtOrigin(vcl::TControl* AControl);
// No region (nil) unless AShadow and not ANativeBordered; the caller owns it.
HRGN cxGetWindowShadowRegion(HWND AWnd, const TRect& AShadowBounds, const TRect& AShadowBoundsExtent,
                             const TRect& AExcludeRect, bool AShadow, bool ANativeBordered);
void cxFillFrameBetweenRects(TcxCanvas* ACanvas, const TRect& AOuter, const TRect& AInner, vcl::TColor AColor);
void cxRedrawRectFrame(HWND AWnd, const TRect& AOuter, const TRect& AInner, bool AErase, bool AFrame);
void cxRedrawWindowRect(HWND AWnd, const TRect& R, bool AErase, bool AFrame);
HRGN cxGetWindowRegionCopy(HWND AWnd);
bool cxWindowRegionDiffers(HWND AWnd, HRGN ARegion);
// Takes ARegion in every case: set only when it differs from the window's.
bool cxSetWindowRegionIfChanged(HWND AWnd, HRGN ARegion, bool ARedraw);
void cxCombineWindowRegion(HWND AWnd, HRGN ARegion, TcxRegionOperation AOperation, bool ARedraw);
void cxCombineWindowRegionWithRect(vcl::TWinControl* AControl, const TRect& R, TcxRegionOperation AOperation,
                                   bool ARedraw);
void cxApplyWindowShadowRegion(HWND AWnd, const TRect& AShadowBounds, const TRect& AExtent, const TRect& AExcludeRect,
                               bool AShadow, bool ANativeBordered);
bool cxIsNativeThemeAvailable(bool ANativeStyle, TdxThemedObjectType AThemedObjectType);

// ---------------------------------------------------------------------------
// Unit routines: the inner control's native scroll bars

TRect cxGetContainerSizeGripRect(TcxContainer* AContainer);
TRect cxGetInnerControlSizeGripRect(IcxContainerInnerControl* AInnerControl);
void cxFillContainerRect(TcxContainer* AContainer, const TRect& R);
void cxPaintContainerSizeGrip(TcxContainer* AContainer);

// ---------------------------------------------------------------------------
// The inner control's native scroll bars: GetScrollBarInfo, bound by name at
// the unit's start-up.

bool cxCanGetScrollBarInfo();
// cbSize set here; False when the function is missing or fails.
bool cxGetScrollBarInfo(HWND AWnd, LONG AObjectId, SCROLLBARINFO& AInfo);
// Per-monitor aware processes get the bar resized to the system size at the
// factor, keeping the edge next to the client area.
bool cxGetScaledScrollBarInfo(HWND AWnd, LONG AObjectId, SCROLLBARINFO& AInfo, bool AIsRightToLeft,
                              const TdxScaleFactor* AScaleFactor);
// Lets a test run the unit as if the platform lacked GetScrollBarInfo
// (False), or as bound at start-up (True).
void cxSetCanGetScrollBarInfoForTest(bool AValue);
