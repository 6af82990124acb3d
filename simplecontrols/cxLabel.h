// The label: a read-only editor that draws its caption itself.
//   TcxLabelEffect, TcxLabelStyle, TcxLabelOrientation, TcxLabelLineAlignment,
//     TdxOrientation: the depth effect, how the text is drawn, where the
//     depth extends, where the decorative line lies, and its direction
//   TcxLabelLineOptions: the decorative line beside or through the text
//   TcxCustomLabelProperties, TcxLabelProperties: the label's settings
//   TcxLabelHelper: where rotated text starts inside a rectangle
//   TcxLabelTextDrawParams, cxLabelDrawText: the depth copies, the raised,
//     lowered and outlined text passes and the glyph fill
//   cxLabelCalculateLineRect: the line's rectangle and the text it displaces
//   cxPrepareRotatedFont: selects a rotated copy of a font into a canvas
#pragma once

#include <windows.h>

#include "controls/cxContainer.h"
#include "editors/cxEdit.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/Graphics.h"

class TdxScaleFactor;

RTL_DECLARE_UNIT(cxLabel);

RTL_ENUM(TcxLabelEffect, cxleNormal, cxleFun, cxleExtrude, cxleCool);
RTL_ENUM(TcxLabelStyle, cxlsNormal, cxlsRaised, cxlsLowered, cxlsOutLine);
RTL_ENUM(TcxLabelOrientation, cxoLeft, cxoRight, cxoTop, cxoBottom, cxoLeftTop, cxoLeftBottom, cxoRightTop,
         cxoRightBottom);
// For a vertical line cxllaTop is its left side and cxllaBottom its right.
RTL_ENUM(TcxLabelLineAlignment, cxllaTop, cxllaCenter, cxllaBottom);
RTL_ENUM(TdxOrientation, orHorizontal, orVertical);

// ---------------------------------------------------------------------------
// TcxLabelLineOptions

class TcxLabelLineOptions : public rtl::TPersistent {
  RTL_CLASS(TcxLabelLineOptions, rtl::TPersistent)
  RTL_PUBLISHED(RTL_PROPERTY(Alignment, GetAlignment, SetAlignment, RTL_DEFAULT(TcxLabelLineAlignment::cxllaCenter)),
                RTL_PROPERTY(InnerColor, GetInnerColor, SetInnerColor, RTL_PROPTYPE(vcl::TypeInfoTColor),
                             RTL_DEFAULT(vcl::clDefault)),
                RTL_PROPERTY(OuterColor, GetOuterColor, SetOuterColor, RTL_PROPTYPE(vcl::TypeInfoTColor),
                             RTL_DEFAULT(vcl::clDefault)),
                RTL_PROPERTY(Visible, GetVisible, SetVisible, RTL_DEFAULT(false)))

 public:
  virtual void Create();
  // From other line options: every value, then one OnChanged.
  void Assign(rtl::TPersistent* ASource) override;

  TcxLabelLineAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TcxLabelLineAlignment AValue);
  vcl::TColor GetInnerColor() const { return FInnerColor; }
  void SetInnerColor(vcl::TColor AValue);
  vcl::TColor GetOuterColor() const { return FOuterColor; }
  void SetOuterColor(vcl::TColor AValue);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool AValue);

  rtl::TNotifyEvent GetOnChanged() const { return FOnChanged; }
  void SetOnChanged(rtl::TNotifyEvent AValue) { FOnChanged = AValue; }

 private:
  template <typename T>
  void SetValue(T& AField, T AValue);
  void DoChanged();

  TcxLabelLineAlignment FAlignment;
  vcl::TColor FInnerColor;
  rtl::TNotifyEvent FOnChanged;
  vcl::TColor FOuterColor;
  bool FVisible;
};

// ---------------------------------------------------------------------------
// TcxCustomLabelProperties

class TcxCustomLabelProperties : public TcxCustomEditProperties {
  RTL_CLASS(TcxCustomLabelProperties, TcxCustomEditProperties)

 public:
  void Create(rtl::TPersistent* AOwner) override;
  void Destroy() override;

  // Every label value; Depth converted from the source's scale to ours.
  void AssignFrom(TcxCustomEditProperties* ASource) override;
  // The properties' scale-change hook: Depth follows the new scale too.
  void ScaleButtons(int M, int D) override;

  bool CanCompareEditValue() override { return true; }
  TcxCustomEditClass GetContainerClass() override;
  TcxCustomEditStyleClass GetStyleClass() override;
  TcxCustomEditViewInfoClass GetViewInfoClass() override;
  TcxCustomEditViewDataClass ViewDataClass() override;
  rtl::String GetDisplayText(const rtl::Variant& AEditValue, bool AFullText = false, bool AIsInplace = true) override;
  TcxEditSupportedOperations GetSupportedOperations() override;
  void PrepareDisplayValue(const rtl::Variant& AEditValue, rtl::Variant& DisplayValue, bool AEditFocused) override;
  TcxDataEditValueSource GetEditValueSource(bool /*AEditFocused*/) override { return TcxDataEditValueSource::evsText; }

  // How far the depth copies reach: nothing without an effect or depth.
  TSize CalculateDepthDelta();

  int GetAngle() const { return FAngle; }
  void SetAngle(int AValue);
  unsigned short GetDepth() const { return FDepth; }
  void SetDepth(unsigned short AValue);
  TdxSmartGlyph* GetGlyph() const { return FGlyph; }
  void SetGlyph(TdxSmartGlyph* AValue);
  TcxLabelEffect GetLabelEffect() const { return FLabelEffect; }
  void SetLabelEffect(TcxLabelEffect AValue);
  TcxLabelStyle GetLabelStyle() const { return FLabelStyle; }
  void SetLabelStyle(TcxLabelStyle AValue);
  TcxLabelLineOptions* GetLineOptions() const { return FLineOptions; }
  void SetLineOptions(TcxLabelLineOptions* AValue);
  TcxLabelOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TcxLabelOrientation AValue);
  int GetPenWidth() const { return FPenWidth; }
  void SetPenWidth(int AValue);
  vcl::TColor GetShadowedColor() const { return FShadowedColor; }
  void SetShadowedColor(vcl::TColor AValue);
  bool GetShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool AValue);
  bool GetShowEndEllipsis() const { return FShowEndEllipsis; }
  void SetShowEndEllipsis(bool AValue);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool AValue);

 private:
  template <typename T>
  void SetValue(T& AField, T AValue);
  void ChildChanged(rtl::TObject* Sender);

  int FAngle;
  unsigned short FDepth;
  TdxSmartGlyph* FGlyph;
  TcxLabelEffect FLabelEffect;
  TcxLabelStyle FLabelStyle;
  TcxLabelLineOptions* FLineOptions;
  TcxLabelOrientation FOrientation;
  int FPenWidth;
  vcl::TColor FShadowedColor;
  bool FShowAccelChar;
  bool FShowEndEllipsis;
  bool FWordWrap;
};

class TcxLabelProperties : public TcxCustomLabelProperties {
  RTL_CLASS(TcxLabelProperties, TcxCustomLabelProperties)
  RTL_PUBLISHED(RTL_PROPERTY(Alignment, GetAlignment, SetAlignment),
                RTL_PROPERTY(Angle, GetAngle, SetAngle, RTL_DEFAULT(0)),
                RTL_PROPERTY(Depth, GetDepth, SetDepth, RTL_DEFAULT(0)),
                RTL_PROPERTY(Glyph, GetGlyph, SetGlyph),
                RTL_PROPERTY(LabelEffect, GetLabelEffect, SetLabelEffect, RTL_DEFAULT(TcxLabelEffect::cxleNormal)),
                RTL_PROPERTY(LabelStyle, GetLabelStyle, SetLabelStyle, RTL_DEFAULT(TcxLabelStyle::cxlsNormal)),
                RTL_PROPERTY(LineOptions, GetLineOptions, SetLineOptions),
                RTL_PROPERTY(Orientation, GetOrientation, SetOrientation,
                             RTL_DEFAULT(TcxLabelOrientation::cxoRightBottom)),
                RTL_PROPERTY(PenWidth, GetPenWidth, SetPenWidth, RTL_DEFAULT(1)),
                RTL_PROPERTY(ShadowedColor, GetShadowedColor, SetShadowedColor, RTL_PROPTYPE(vcl::TypeInfoTColor),
                             RTL_DEFAULT(vcl::clGrayText)),
                RTL_PROPERTY(ShowAccelChar, GetShowAccelChar, SetShowAccelChar, RTL_DEFAULT(true)),
                RTL_PROPERTY(ShowEndEllipsis, GetShowEndEllipsis, SetShowEndEllipsis, RTL_DEFAULT(false)),
                RTL_PROPERTY(Transparent, GetTransparent, SetTransparent, RTL_DEFAULT(false)),
                RTL_PROPERTY(WordWrap, GetWordWrap, SetWordWrap, RTL_DEFAULT(false)))
};

// ---------------------------------------------------------------------------
// Rotated text

class TcxLabelHelper {
 public:
  // The point at which AText, drawn rotated by AAngle degrees (counter-
  // clockwise) in the canvas font, lies aligned inside ADrawingRect with
  // ADepthDeltaSize of depth copies beside it. Halves round to even.
  static TPoint CalculatePositionOfRotatedText(vcl::TCanvas* ACanvas, const rtl::String& AText, bool AShowAccelChar,
                                               const TRect& ADrawingRect, const TSize& ADepthDeltaSize, int AAngle,
                                               rtl::TAlignment AAlignHorz, TcxEditVertAlignment AAlignVert);
  // Alignment, angle and ShowAccelChar from AProperties, no depth.
  static TPoint CalculatePositionOfRotatedText(vcl::TCanvas* ACanvas, const rtl::String& AText,
                                               const TRect& ADrawingRect, TcxCustomLabelProperties* AProperties);
};

// AAngle brought into 0..359 for a TrueType font; 0 for any other font,
// which cannot rotate.
int cxLabelNormalizedAngle(int AAngle, bool AIsTrueType);

// Gives the canvas AFont, rotated by AAngle degrees when the font is
// TrueType and the angle is not a whole turn. Answers whether the font is
// TrueType.
bool cxPrepareRotatedFont(TcxCanvas* ACanvas, vcl::TFont* AFont, int AAngle);

// ---------------------------------------------------------------------------
// The text of a label with its effects

// Everything one drawing of the text takes; the canvas font is the one to
// draw with, rotated already (cxPrepareRotatedFont).
struct TcxLabelTextDrawParams {
  rtl::String Text;
  TRect TextRect{};
  // The normalised angle (cxLabelNormalizedAngle).
  int Angle = 0;
  rtl::TAlignment AlignHorz = rtl::TAlignment::taLeftJustify;
  TcxEditVertAlignment AlignVert = TcxEditVertAlignment::taTopJustify;
  TcxLabelEffect Effect = TcxLabelEffect::cxleNormal;
  TcxLabelStyle Style = TcxLabelStyle::cxlsNormal;
  TcxLabelOrientation Orientation = TcxLabelOrientation::cxoRightBottom;
  // Scaled to the drawing.
  int Depth = 0;
  TSize DepthDelta{};
  int StyleOffset = 0;
  vcl::TColor TextColor = vcl::clWindowText;
  vcl::TColor ShadowedColor = vcl::clGrayText;
  vcl::TColor BackgroundColor = vcl::clWindow;
  int PenWidth = 1;
  bool ShowAccelChar = true;
  bool ShowEndEllipsis = false;
  bool WordWrap = false;
  bool UseRightToLeftAlignment = false;
  // The fill texture; nil or empty for none.
  vcl::TBitmap* Glyph = nullptr;
  const TdxScaleFactor* ScaleFactor = nullptr;
};

// The depth copies, then the text by its style; leaves the brush solid.
void cxLabelDrawText(TcxCanvas* ACanvas, const TcxLabelTextDrawParams& AParams);

// The decorative line's rectangle inside AClientRect for text in
// ATextRect; ATextRect moves off the line when the two overlap. Empty when
// not AVisible.
TRect cxLabelCalculateLineRect(TRect& ATextRect, const TRect& AClientRect, bool AVertical, int ALineHeight,
                               bool AVisible, TcxLabelLineAlignment AAlignment, rtl::TAlignment AAlignHorz,
                               TcxEditVertAlignment AAlignVert);

// ---------------------------------------------------------------------------
// The label's layout and its drawing

class TcxCustomLabel;

// One calculation's result, kept by the label and drawn by it.
class TcxCustomLabelViewInfo : public TcxCustomEditViewInfo {
  RTL_CLASS(TcxCustomLabelViewInfo, TcxCustomEditViewInfo)

 public:
  void Create() override;
  void Destroy() override;
  // The frame through the base when opaque, then DrawLabel.
  void Paint(TcxCanvas* ACanvas) override;
  void Offset(int DX, int DY) override;
  void SetBackgroundColor(vcl::TColor AValue) override;
  // Background, depth copies, the text in its style and the line; through
  // the cache bitmap where the label keeps one.
  void DrawLabel(TcxCanvas* ACanvas);

  rtl::String Text;
  TRect TextRect{};
  // How containers draw the text (cxtf* flags).
  int DrawTextFlags = 0;
  TRect FocusRect{};
  bool HasGlyph = false;
  TPoint LeftTop{};
  bool ShowAccelChar = true;
  // Not owned: the label whose parent shows through.
  vcl::TControl* Control = nullptr;

 protected:
  // The background under AClientRect of ACanvas; ADestination is the
  // canvas the picture ends on (the same canvas unless drawing into the
  // cache).
  void DrawLabelBackground(TcxCanvas* ACanvas, TcxCanvas* ADestination, const TRect& AClientRect);

 private:
  friend class TcxCustomLabelViewData;

  bool UsesDrawBitmap() const;
  void DrawThroughBitmap(TcxCanvas* ACanvas);
  void DrawContent(TcxCanvas* ACanvas, TcxCanvas* ADestination, const TRect& AClientRect, const TRect& ATextRect,
                   const TRect& ALineRect);

  rtl::TAlignment FAlignHorz;
  TcxEditVertAlignment FAlignVert;
  int FAngle;
  int FDepth;
  TSize FDepthDeltaSize;
  TcxBitmap* FDrawBitmap;
  vcl::TBitmap* FGlyph;
  TPoint FInplaceOffset;
  bool FIsDrawBitmapDirty;
  TcxLabelEffect FLabelEffect;
  TcxLabelStyle FLabelStyle;
  int FLabelStyleOffset;
  vcl::TColor FLineInnerColor;
  TdxOrientation FLineOrientation;
  vcl::TColor FLineOuterColor;
  TRect FLineRect;
  TcxLabelOrientation FOrientation;
  int FPenWidth;
  vcl::TColor FShadowedColor;
  bool FShowEndEllipsis;
  TPoint FWindowOrg;
  bool FWordWrap;
};

// Lays a label out into its view info: short-lived, made for one
// calculation.
class TcxCustomLabelViewData : public TcxCustomEditViewData {
  RTL_CLASS(TcxCustomLabelViewData, TcxCustomEditViewData)

 public:
  void Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, TcxMouseButton Button,
                 vcl::TShiftState Shift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void EditValueToDrawValue(const rtl::Variant& AEditValue, TcxCustomEditViewInfo* AViewInfo) override;
  // The size the text needs within AEditSizeProperties.Width (below 0: any
  // width); one line high for an empty text.
  TSize GetEditContentSize(TcxCanvas* ACanvas, const rtl::Variant& AEditValue,
                           const TcxEditSizeProperties& AEditSizeProperties,
                           TcxEditValidateInfo* AErrorData = nullptr) override;

  TcxCustomLabelProperties* Properties() const;
  TcxLabelLineOptions* LineOptions() const { return Properties()->GetLineOptions(); }
  // Wanted by the properties and possible: the label does not size its
  // width to the text.
  bool ShowEndEllipsis() const;

 protected:
  virtual int GetLabelStyleOffset(TcxCanvas* ACanvas);
  virtual void CalculateLineRect(TcxCustomLabelViewInfo* AViewInfo, int AAngle);
  virtual TRect CalculateTextRect(TcxCanvas* ACanvas, const TRect& AClientRect, const rtl::String& AText);
  virtual TSize CalculateTextSize(TcxCanvas* ACanvas, const TRect& R, bool AFirstPass, const rtl::String& AText);
  // The view info's text-output flags (cxtf*).
  virtual int GetDrawTextFlags();
  virtual int GetLineHeight();
  virtual bool IsLineVisible(int AAngle);

 private:
  TSize ScaledDepthDelta() const;
  // The label being calculated; nil in place or without an editor.
  TcxCustomLabel* Label() const;
  // A text that draws nothing still measures one line.
  rtl::String MeasuredText(const rtl::Variant& AEditValue) const;
};

// ---------------------------------------------------------------------------
// The label control

// The one method the label asks of a parent that wants its labels in a
// colour of its own.
struct IcxContainerTextColorProvider : rtl::IInterface {
  RTL_GUID(IcxContainerTextColorProvider, "{0B7C5E1D-3F2A-4C7B-8E61-7A9D2C4B1E53}")
  // clDefault: no wish.
  virtual vcl::TColor __stdcall GetContainerTextColor(bool AEnabled) = 0;
};

// The text colour AContainer's parent wants for it; clDefault when the
// parent has no wish.
vcl::TColor cxGetContainerTextColor(TcxContainer* AContainer);

// A label's style draws no border by default and does not hot-track; its
// text takes the parent's colour when the parent offers one.
class TcxLabelEditStyle : public TcxEditStyle {
  RTL_CLASS(TcxLabelEditStyle, TcxEditStyle)

 protected:
  TcxContainerBorderStyle GetDefaultBorderStyle() override;
  bool GetDefaultHotTrack() override { return false; }
  vcl::TColor GetDefaultTextColor() override;
};

class TcxCustomLabel : public TcxCustomEdit {
  RTL_CLASS(TcxCustomLabel, TcxCustomEdit)
  RTL_MESSAGES(RTL_MESSAGE(rtl::CM_TEXTCHANGED, HandleCMTextChanged),
               RTL_MESSAGE(rtl::CM_DIALOGCHAR, HandleLabelDialogChar))

 public:
  bool CanFocus() override;
  TcxCustomEditPropertiesClass GetPropertiesClass() override;
  bool HasTextBaseLine() override;
  // Auto size follows the text's width.
  bool SizesWidthToText();

  TcxCustomLabelProperties* GetActiveProperties();
  TcxCustomLabelProperties* GetProperties();
  void SetProperties(TcxCustomLabelProperties* AValue);
  vcl::TWinControl* GetFocusControl() const { return FFocusControl; }
  // The label itself is refused.
  void SetFocusControl(vcl::TWinControl* AValue);
  void SetAutoSize(bool AValue) override;

 protected:
  void Initialize() override;
  void Loaded() override;
  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;
  bool CanFocusOnClick(int X, int Y) override;
  void PropertiesChanged(rtl::TObject* Sender) override;
  void ApplyEditValue(const rtl::Variant& AValue, bool AIsUserAction) override;
  TcxEditStateColorKind GetDrawState() override;
  bool DefaultParentColor() override { return true; }
  // Wrapped text keeps the width it wraps in.
  bool SupportsAutoWidth() override;
  bool UsesWordWrap() override;
  TcxEditSizeProperties GetEditSizeProperties() override;

  void HandleCMTextChanged(rtl::TMessage& Message);
  void HandleLabelDialogChar(rtl::TMessage& Message);

 private:
  vcl::TWinControl* FFocusControl;
  bool FLockCaption;
};

class TcxLabel : public TcxCustomLabel {
  RTL_CLASS(TcxLabel, TcxCustomLabel)
  RTL_PUBLISHED(
      RTL_PUBLISH(Anchors), RTL_PROPERTY(AutoSize, GetAutoSize, SetAutoSize, RTL_DEFAULT(true)),
      RTL_PUBLISH(BiDiMode), RTL_PUBLISH(Caption), RTL_PUBLISH(Constraints), RTL_PUBLISH(DragCursor),
      RTL_PUBLISH(DragKind), RTL_PUBLISH(DragMode), RTL_PUBLISH(Enabled),
      RTL_PROPERTY(FocusControl, GetFocusControl, SetFocusControl), RTL_PUBLISH(ParentBiDiMode),
      RTL_PUBLISH(ParentColor), RTL_PUBLISH(ParentFont), RTL_PUBLISH(ParentShowHint), RTL_PUBLISH(PopupMenu),
      RTL_PUBLISH(ShowHint), RTL_PROPERTY(Style, GetStyle, SetStyle),
      RTL_PROPERTY(StyleDisabled, GetStyleDisabled, SetStyleDisabled),
      RTL_PROPERTY(StyleFocused, GetStyleFocused, SetStyleFocused), RTL_PROPERTY(StyleHot, GetStyleHot, SetStyleHot),
      RTL_PROPERTY(Properties, GetLabelProperties, SetLabelProperties), RTL_PUBLISH(TabOrder),
      RTL_PROPERTY(Transparent, GetTransparent, SetTransparent, RTL_DEFAULT(false)), RTL_PUBLISH(Visible),
      RTL_PUBLISH(OnClick), RTL_PUBLISH(OnContextPopup), RTL_PUBLISH(OnDblClick), RTL_PUBLISH(OnDragDrop),
      RTL_PUBLISH(OnDragOver), RTL_PUBLISH(OnEndDock), RTL_PUBLISH(OnEndDrag), RTL_PUBLISH(OnEnter),
      RTL_PUBLISH(OnExit), RTL_PUBLISH(OnKeyDown), RTL_PUBLISH(OnKeyPress), RTL_PUBLISH(OnKeyUp),
      RTL_PUBLISH(OnMouseDown), RTL_PUBLISH(OnMouseEnter), RTL_PUBLISH(OnMouseLeave), RTL_PUBLISH(OnMouseMove),
      RTL_PUBLISH(OnMouseUp), RTL_PUBLISH(OnStartDock), RTL_PUBLISH(OnStartDrag))

 public:
  TcxCustomEditPropertiesClass GetPropertiesClass() override;
  TcxLabelProperties* GetLabelProperties() { return static_cast<TcxLabelProperties*>(GetProperties()); }
  void SetLabelProperties(TcxLabelProperties* AValue) { SetProperties(AValue); }
};
