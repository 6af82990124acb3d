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
#include "graphics/cxGraphics.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/vcl/Graphics.h"

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
