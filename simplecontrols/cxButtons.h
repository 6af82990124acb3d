// The system's push button, an owner-drawn BUTTON window.
//   TcxButtonKind, TcxButtonPaintStyle, TcxButtonInternalState: the
//     button's kinds, what it paints and its mouse and menu states
//   TcxButtonCustomPersistent: the base of the button's part objects
//   TcxButtonColors: per-state background and text colours
//   TcxButtonGlyph: the picture or image-list image and its state strip
//   TcxButtonImageOptions: glyph, images, layout, margin and spacing
//   TcxSpeedButtonOptions, TcxButtonActionLink: Down, groups and the action
//   TcxButtonViewInfo: one paint's layout and state; it draws the button
//   TcxButtonStandardLayoutCalculator, TcxButtonOfficeDropDownLayoutCalculator,
//     TcxButtonCommandLinkLayoutCalculator: glyph and text placement by kind
//   TcxButtonPainter: the button's parts through the look-and-feel painter
//   TcxCustomButton, TcxButton: the button
//   cxDropDownNonClientHeight
#pragma once

#include <windows.h>

#include <array>

#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphics.h"
#include "graphics/dxFading.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "controls/cxMouseTracking.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls.h"

class TcxBitmap32;
class TcxTimer;
class TdxScaleFactor;
class TcxCustomButton;
class TcxButtonViewInfo;
class TcxButtonPainter;
class TcxButtonMouseTrackingCaller;

RTL_ENUM(TcxButtonKind, cxbkStandard, cxbkDropDown, cxbkDropDownButton, cxbkCommandLink, cxbkOfficeDropDown);
RTL_ENUM(TcxButtonPaintStyle, bpsDefault, bpsCaption, bpsGlyph);
RTL_ENUM(TcxButtonInternalState, bisDown, bisHot, bisPressed, bisMenuButtonPressed, bisMenuVisible,
         bisAccelExecute);
using TcxButtonInternalStates = rtl::TSet<TcxButtonInternalState>;
RTL_ENUM(TcxButtonAssignedColor, cxbcDefault, cxbcDefaultText, cxbcDisabled, cxbcDisabledText, cxbcHot, cxbcHotText,
         cxbcNormal, cxbcNormalText, cxbcPressed, cxbcPressedText);
using TcxButtonAssignedColors = rtl::TSet<TcxButtonAssignedColor>;
RTL_TYPE_NAME(TcxButtonAssignedColors)

using TcxButtonGetDrawParamsEvent =
    rtl::TMethod<void(TcxCustomButton* Sender, TcxButtonState AState, vcl::TColor& AColor, vcl::TFont* AFont)>;
using TcxButtonCustomDrawEvent =
    rtl::TMethod<void(TcxCustomButton* Sender, TcxCanvas* ACanvas, TcxButtonViewInfo* AViewInfo, bool& AHandled)>;
using TcxButtonDropDownMenuPopupEvent =
    rtl::TMethod<void(TcxCustomButton* Sender, vcl::TPopupMenu*& APopupMenu, bool& AHandled)>;
using TcxButtonDropDownMenuPopupExEvent =
    rtl::TMethod<void(TcxCustomButton* Sender, rtl::TComponent*& APopupMenu, bool& AHandled)>;
RTL_TYPE_NAME(TcxButtonGetDrawParamsEvent)
RTL_TYPE_NAME(TcxButtonCustomDrawEvent)
RTL_TYPE_NAME(TcxButtonDropDownMenuPopupEvent)
RTL_TYPE_NAME(TcxButtonDropDownMenuPopupExEvent)

// Private messages the button posts to itself: open the drop-down menu
// after the current message, and the menu has closed.
inline constexpr UINT DXM_DROPDOWNPOPUPMENU = 0x8098;
inline constexpr UINT DXM_CLOSEUPPOPUPMENU = 0x8099;

// The height of the non-client part of a drop-down.
int cxDropDownNonClientHeight();

// ---------------------------------------------------------------------------
// Part objects

class TcxButtonCustomPersistent : public rtl::TPersistent {
  RTL_CLASS(TcxButtonCustomPersistent, rtl::TPersistent)

 public:
  virtual void Create(TcxCustomButton* AOwner) { FButton = AOwner; }
  TcxCustomButton* GetButton() const { return FButton; }

 protected:
  rtl::TPersistent* GetOwner() override;

  TcxCustomButton* FButton;
};

class TcxButtonColors : public TcxButtonCustomPersistent {
  RTL_CLASS(TcxButtonColors, TcxButtonCustomPersistent)
  RTL_PUBLISHED(
      RTL_PROPERTY(AssignedColors, GetAssignedColors, SetAssignedColors, RTL_NOT_STORED),
      RTL_PROPERTY(Default, GetDefault, SetDefault, RTL_STORED(IsDefaultStored)),
      RTL_PROPERTY(DefaultText, GetDefaultText, SetDefaultText, RTL_STORED(IsDefaultTextStored)),
      RTL_PROPERTY(Normal, GetNormal, SetNormal, RTL_STORED(IsNormalStored)),
      RTL_PROPERTY(NormalText, GetNormalText, SetNormalText, RTL_STORED(IsNormalTextStored)),
      RTL_PROPERTY(Hot, GetHot, SetHot, RTL_STORED(IsHotStored)),
      RTL_PROPERTY(HotText, GetHotText, SetHotText, RTL_STORED(IsHotTextStored)),
      RTL_PROPERTY(Pressed, GetPressed, SetPressed, RTL_STORED(IsPressedStored)),
      RTL_PROPERTY(PressedText, GetPressedText, SetPressedText, RTL_STORED(IsPressedTextStored)),
      RTL_PROPERTY(Disabled, GetDisabled, SetDisabled, RTL_STORED(IsDisabledStored)),
      RTL_PROPERTY(DisabledText, GetDisabledText, SetDisabledText, RTL_STORED(IsDisabledTextStored)))

 public:
  void Create(TcxCustomButton* AOwner) override;
  void Assign(rtl::TPersistent* ASource) override;

  vcl::TColor GetColor(TcxButtonAssignedColor AIndex) const { return FColors[AIndex]; }
  // clNone and clDefault unassign the entry.
  void SetColor(TcxButtonAssignedColor AIndex, vcl::TColor AValue);
  TcxButtonAssignedColors GetAssignedColors() const { return FAssignedColors; }
  // Honoured only while the button is being designed: at run time the set
  // follows from the colours.
  void SetAssignedColors(TcxButtonAssignedColors AValue);

  // The background and text colour of a state, with the fall-backs of
  // unassigned entries; clDefault when nothing applies.
  vcl::TColor GetColorByState(TcxButtonState AState) const;
  vcl::TColor GetTextColorByState(TcxButtonState AState) const;

  vcl::TColor GetDefault() const { return GetColor(TcxButtonAssignedColor::cxbcDefault); }
  void SetDefault(vcl::TColor AValue) { SetColor(TcxButtonAssignedColor::cxbcDefault, AValue); }
  vcl::TColor GetDefaultText() const { return GetColor(TcxButtonAssignedColor::cxbcDefaultText); }
  void SetDefaultText(vcl::TColor AValue) { SetColor(TcxButtonAssignedColor::cxbcDefaultText, AValue); }
  vcl::TColor GetDisabled() const { return GetColor(TcxButtonAssignedColor::cxbcDisabled); }
  void SetDisabled(vcl::TColor AValue) { SetColor(TcxButtonAssignedColor::cxbcDisabled, AValue); }
  vcl::TColor GetDisabledText() const { return GetColor(TcxButtonAssignedColor::cxbcDisabledText); }
  void SetDisabledText(vcl::TColor AValue) { SetColor(TcxButtonAssignedColor::cxbcDisabledText, AValue); }
  vcl::TColor GetHot() const { return GetColor(TcxButtonAssignedColor::cxbcHot); }
  void SetHot(vcl::TColor AValue) { SetColor(TcxButtonAssignedColor::cxbcHot, AValue); }
  vcl::TColor GetHotText() const { return GetColor(TcxButtonAssignedColor::cxbcHotText); }
  void SetHotText(vcl::TColor AValue) { SetColor(TcxButtonAssignedColor::cxbcHotText, AValue); }
  vcl::TColor GetNormal() const { return GetColor(TcxButtonAssignedColor::cxbcNormal); }
  void SetNormal(vcl::TColor AValue) { SetColor(TcxButtonAssignedColor::cxbcNormal, AValue); }
  vcl::TColor GetNormalText() const { return GetColor(TcxButtonAssignedColor::cxbcNormalText); }
  void SetNormalText(vcl::TColor AValue) { SetColor(TcxButtonAssignedColor::cxbcNormalText, AValue); }
  vcl::TColor GetPressed() const { return GetColor(TcxButtonAssignedColor::cxbcPressed); }
  void SetPressed(vcl::TColor AValue) { SetColor(TcxButtonAssignedColor::cxbcPressed, AValue); }
  vcl::TColor GetPressedText() const { return GetColor(TcxButtonAssignedColor::cxbcPressedText); }
  void SetPressedText(vcl::TColor AValue) { SetColor(TcxButtonAssignedColor::cxbcPressedText, AValue); }

 private:
  vcl::TColor ByState(TcxButtonState AState, TcxButtonAssignedColor ANormalEntry,
                      TcxButtonAssignedColor ADefaultEntry, int AOffset) const;
  bool IsStored(TcxButtonAssignedColor AIndex) const { return FAssignedColors.Contains(AIndex); }
  bool IsDefaultStored() const { return IsStored(TcxButtonAssignedColor::cxbcDefault); }
  bool IsDefaultTextStored() const { return IsStored(TcxButtonAssignedColor::cxbcDefaultText); }
  bool IsDisabledStored() const { return IsStored(TcxButtonAssignedColor::cxbcDisabled); }
  bool IsDisabledTextStored() const { return IsStored(TcxButtonAssignedColor::cxbcDisabledText); }
  bool IsHotStored() const { return IsStored(TcxButtonAssignedColor::cxbcHot); }
  bool IsHotTextStored() const { return IsStored(TcxButtonAssignedColor::cxbcHotText); }
  bool IsNormalStored() const { return IsStored(TcxButtonAssignedColor::cxbcNormal); }
  bool IsNormalTextStored() const { return IsStored(TcxButtonAssignedColor::cxbcNormalText); }
  bool IsPressedStored() const { return IsStored(TcxButtonAssignedColor::cxbcPressed); }
  bool IsPressedTextStored() const { return IsStored(TcxButtonAssignedColor::cxbcPressedText); }

  TcxButtonAssignedColors FAssignedColors;
  std::array<vcl::TColor, 10> FColors;
};

class TcxButtonGlyph : public TcxButtonCustomPersistent {
  RTL_CLASS(TcxButtonGlyph, TcxButtonCustomPersistent)

 public:
  void Create(TcxCustomButton* AOwner) override;
  void Destroy() override;

  TdxSmartGlyph* GetGlyph() const { return FGlyph; }
  // Copies the picture and takes the number of state pictures from its
  // shape: a strip of 2..4 squares, else 1.
  void SetGlyph(vcl::TGraphic* AValue);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int AValue);
  vcl::TCustomImageList* GetImages() const { return FImages; }
  void SetImages(vcl::TCustomImageList* AValue);
  vcl::TNumGlyphs GetNumGlyphs() const { return FNumGlyphs; }
  // Clamped to 1..4.
  void SetNumGlyphs(vcl::TNumGlyphs AValue);
  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }

  // A picture, or an image list with a valid index.
  bool IsImageAssigned();
  TSize GetImageSize();
  vcl::TColor GetTransparentColor() const { return vcl::clNone; }

  virtual void Notification(rtl::TComponent* AComponent);

 private:
  void Changed();
  void GlyphChanged(rtl::TObject* ASender);
  void ImageListChanged(rtl::TObject* ASender);
  // NumGlyphs from the picture's shape, then the change event.
  void CalculateNumGlyphs();

  TdxSmartGlyph* FGlyph;
  vcl::TChangeLink* FImageChangeLink;
  int FImageIndex;
  vcl::TCustomImageList* FImages;
  vcl::TNumGlyphs FNumGlyphs;
  rtl::TNotifyEvent FOnChange;
};

class TcxButtonImageOptions : public TcxButtonCustomPersistent {
  RTL_CLASS(TcxButtonImageOptions, TcxButtonCustomPersistent)
  RTL_PUBLISHED(RTL_PROPERTY(Glyph, GetGlyph, SetGlyph),
                RTL_PROPERTY(ImageIndex, GetImageIndex, SetImageIndex, RTL_DEFAULT(-1),
                             RTL_STORED(IsImageIndexStored)),
                RTL_PROPERTY(Images, GetImages, SetImages),
                RTL_PROPERTY(Layout, GetLayout, SetLayout, RTL_DEFAULT(vcl::TButtonLayout::blGlyphLeft)),
                RTL_PROPERTY(Margin, GetMargin, SetMargin, RTL_DEFAULT(-1)),
                RTL_PROPERTY(NumGlyphs, GetNumGlyphs, SetNumGlyphs, RTL_DEFAULT(1)),
                RTL_PROPERTY(Spacing, GetSpacing, SetSpacing, RTL_DEFAULT(4)))

 public:
  void Create(TcxCustomButton* AOwner) override;
  void Assign(rtl::TPersistent* ASource) override;

  TdxSmartGlyph* GetGlyph() const;
  void SetGlyph(TdxSmartGlyph* AValue);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int AValue);
  vcl::TCustomImageList* GetImages() const { return FImages; }
  void SetImages(vcl::TCustomImageList* AValue);
  vcl::TButtonLayout GetLayout() const { return FLayout; }
  void SetLayout(vcl::TButtonLayout AValue);
  // -1 = automatic; lower values are ignored.
  int GetMargin() const { return FMargin; }
  void SetMargin(int AValue);
  vcl::TNumGlyphs GetNumGlyphs() const;
  void SetNumGlyphs(vcl::TNumGlyphs AValue);
  // -1 = automatic.
  int GetSpacing() const { return FSpacing; }
  void SetSpacing(int AValue);

 protected:
  // Refreshes the glyph's images and repaints the button.
  virtual void Changed();
  virtual void Notification(rtl::TComponent* AComponent);

 private:
  bool IsImageIndexStored();

  int FImageIndex;
  vcl::TCustomImageList* FImages;
  vcl::TButtonLayout FLayout;
  int FMargin;
  int FSpacing;

  friend class TcxCustomButton;
};

class TcxSpeedButtonOptions : public TcxButtonCustomPersistent {
  RTL_CLASS(TcxSpeedButtonOptions, TcxButtonCustomPersistent)
  RTL_PUBLISHED(RTL_PROPERTY(GroupIndex, GetGroupIndex, SetGroupIndex, RTL_DEFAULT(0), RTL_STORED(IsGroupIndexStored)),
                RTL_PROPERTY(CanBeFocused, GetCanBeFocused, SetCanBeFocused, RTL_DEFAULT(true)),
                RTL_PROPERTY(AllowAllUp, GetAllowAllUp, SetAllowAllUp, RTL_DEFAULT(false)),
                RTL_PROPERTY(Down, GetDown, SetDown, RTL_DEFAULT(false), RTL_STORED(IsDownStored)),
                RTL_PROPERTY(Flat, GetFlat, SetFlat, RTL_DEFAULT(false)),
                RTL_PROPERTY(Transparent, GetTransparent, SetTransparent, RTL_DEFAULT(false)))

 public:
  void Create(TcxCustomButton* AOwner) override;
  // GroupIndex, AllowAllUp and CanBeFocused before Down, so that the copied
  // Down obeys the new group rules.
  void Assign(rtl::TPersistent* ASource) override;

  void BeginUpdate() { ++FLockCount; }
  // Decrement only: no group update.
  void CancelUpdate() { --FLockCount; }
  void EndUpdate();

  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool AValue);
  bool GetCanBeFocused() const { return FCanBeFocused; }
  void SetCanBeFocused(bool AValue);
  bool GetDown() const;
  // No effect while the button has an action: the action drives it.
  void SetDown(bool AValue);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool AValue);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int AValue);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool AValue);

  // The button exists and GroupIndex is not 0 or CanBeFocused is False.
  bool Active() const;
  // Not focusable and flat or transparent: drawn by DrawSpeedButton.
  bool NeedDrawParts() const { return !FCanBeFocused && (FFlat || FTransparent); }

 protected:
  // The down setter the click road, the action and the group use.
  void InternalSetDown(bool AValue);
  // Tells the other buttons of the group through their parent.
  void UpdateGroup();

 private:
  bool IsDownStored();
  bool IsGroupIndexStored();
  bool HasAction() const;

  bool FAllowAllUp;
  bool FCanBeFocused;
  int FGroupIndex;
  bool FFlat;
  int FLockCount;
  bool FTransparent;

  friend class TcxCustomButton;
  friend class TcxButtonActionLink;
};

class TcxButtonActionLink : public vcl::TButtonActionLink {
  RTL_CLASS(TcxButtonActionLink, vcl::TButtonActionLink)

 public:
  // Unless the button goes too, the glyph forgets the action's images.
  void Destroy() override;
  bool IsImageIndexLinked() override;

 protected:
  void SetChecked(bool AValue) override;
  void SetGroupIndex(int AValue) override;
  void SetImageIndex(int AValue) override;

 private:
  TcxCustomButton* Button() const;
};

// ---------------------------------------------------------------------------
// View info and layout

class TcxButtonViewInfo : public TcxButtonCustomPersistent {
  RTL_CLASS(TcxButtonViewInfo, TcxButtonCustomPersistent)

 public:
  void Create(TcxCustomButton* AOwner) override;
  void Destroy() override;

  virtual void Calculate(const TRect& ABounds);
  virtual void Draw(TcxCanvas* ACanvas);
  virtual void DrawBackground(TcxCanvas* ACanvas);
  virtual void DrawGlyph(TcxCanvas* ACanvas);
  // The button rectangle inside the borders of AState; the whole of it for
  // a command link.
  virtual TRect GetContentRect(TcxButtonState AState);
  virtual UINT CaptionDrawTextFlags();
  virtual UINT DescriptionDrawTextFlags();

  TcxButtonGlyph* ButtonGlyph() const;
  rtl::String Caption() const;
  rtl::String Description() const;
  TcxButtonState DropDownButtonState() const;
  TSize ImageSize() const;
  bool IsDrawOnGlass() const;
  TcxButtonKind Kind() const;
  bool HasDropDownButton() const { return Kind() == TcxButtonKind::cxbkDropDownButton; }
  bool NeedDrawDropDownArrow() const;
  bool NeedDrawFocusRect() const;
  virtual bool HasText();
  virtual bool HasGlyph();

  TcxButtonPainter* GetPainter() const { return FPainter; }
  vcl::TFont* GetFont() const { return FFont; }
  vcl::TFont* GetDescriptionFont() const { return FDescriptionFont; }
  vcl::TColor GetColor() const { return FColor; }
  vcl::TButtonLayout GetLayout() const { return FLayout; }
  TcxButtonState GetState() const { return FState; }
  void SetState(TcxButtonState AValue) { FState = AValue; }
  const TRect& GetBounds() const { return FBounds; }
  const TRect& GetButtonRect() const { return FButtonRect; }
  const TRect& GetCaptionRect() const { return FCaptionRect; }
  const TRect& GetDescriptionRect() const { return FDescriptionRect; }
  const TRect& GetDropDownArrowRect() const { return FDropDownArrowRect; }
  const TRect& GetDropDownButtonRect() const { return FDropDownButtonRect; }
  const TPoint& GetGlyphPos() const { return FGlyphPos; }

 protected:
  virtual void CalculateButtonRects();
  virtual void CalculateLayout();
  virtual rtl::TObject* CreateLayoutCalculator();
  virtual TcxButtonPainter* CreatePainter();
  virtual void CheckLayout();
  virtual void DrawContent(TcxCanvas* ACanvas);
  virtual void CalculateViewParams();

 private:
  vcl::TColor FColor;
  vcl::TFont* FDescriptionFont;
  vcl::TFont* FFont;
  vcl::TButtonLayout FLayout;
  TcxButtonPainter* FPainter;
  TRect FBounds;
  TRect FButtonRect;
  TRect FCaptionRect;
  TRect FDescriptionRect;
  TRect FDropDownArrowRect;
  TRect FDropDownButtonRect;
  TPoint FGlyphPos;
  TcxButtonState FState;

  friend class TcxButtonCustomLayoutCalculator;
  friend class TcxButtonStandardLayoutCalculator;
  friend class TcxButtonOfficeDropDownLayoutCalculator;
  friend class TcxButtonCommandLinkLayoutCalculator;
};

class TcxButtonCustomLayoutCalculator : public TcxButtonCustomPersistent {
  RTL_CLASS(TcxButtonCustomLayoutCalculator, TcxButtonCustomPersistent)

 public:
  virtual void Calculate() = 0;

  TcxButtonImageOptions* OptionsImage() const;
  TcxButtonPainter* Painter() const;
  bool UseRightToLeftAlignment() const;
  TcxButtonViewInfo* ViewInfo() const;
};

class TcxButtonStandardLayoutCalculator : public TcxButtonCustomLayoutCalculator {
  RTL_CLASS(TcxButtonStandardLayoutCalculator, TcxButtonCustomLayoutCalculator)

 public:
  void Calculate() override;

 protected:
  virtual void CalculateDropDownArrowRect();
  virtual void CalculateGlyphPos(const TRect& R);
  virtual void Calculate(const TRect& AContentRect);
  virtual void CalculateMarginAndSpacing(const TRect& R);
  virtual TRect CalculateTextAreaRect(const TRect& R, const TRect& AMargins);
  virtual void SetCaptionRect(const TRect& ATextArea);
  virtual void CalculateTextAreaSize(const TRect& R, const TRect& AMargins);
  virtual TRect GetTextMargins();
  // The text width left in R for the layouts beside the glyph.
  TRect TextBounds(const TRect& R, const TRect& AMargins);

  TPoint& GlyphPos() const;
  TSize GlyphSize() const;
  vcl::TButtonLayout Layout() const;
  bool IsHorizontalLayout() const;

  int FMargin;
  int FSpacing;
  TSize FTextAreaSize;
};

class TcxButtonOfficeDropDownLayoutCalculator : public TcxButtonStandardLayoutCalculator {
  RTL_CLASS(TcxButtonOfficeDropDownLayoutCalculator, TcxButtonStandardLayoutCalculator)

 protected:
  void CalculateDropDownArrowRect() override;
  void Calculate(const TRect& AContentRect) override;
  void SetCaptionRect(const TRect& ATextArea) override;
  void CalculateTextAreaSize(const TRect& R, const TRect& AMargins) override;
  TRect GetTextMargins() override;

 private:
  int ArrowSize() const;

  TSize FCaptionSize;
  TSize FDescriptionSize;
};

class TcxButtonCommandLinkLayoutCalculator : public TcxButtonCustomLayoutCalculator {
  RTL_CLASS(TcxButtonCommandLinkLayoutCalculator, TcxButtonCustomLayoutCalculator)

 public:
  void Calculate() override;

 protected:
  virtual void Calculate(const TRect& AContentRect, int AMargin, int ASpacing);
};

// ---------------------------------------------------------------------------
// Painter

class TcxButtonPainter : public TcxButtonCustomPersistent {
  RTL_CLASS(TcxButtonPainter, TcxButtonCustomPersistent)

 public:
  virtual void DrawButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, vcl::TColor AColor,
                          TcxButtonPart APart);
  virtual void DrawDropDownArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  virtual void DrawFocusRect(TcxCanvas* ACanvas, const TRect& R);
  virtual void DrawParentBackground(TcxCanvas* ACanvas, const TRect& R);
  virtual int GetDropDownArrowSize();
  virtual int GetDropDownButtonSize();
  virtual void DrawText(TcxCanvas* ACanvas, const rtl::String& AText, const TRect& R, UINT ADrawTextFlags);
  virtual void DrawText(TcxCanvas* ACanvas, const rtl::String& AText, const TRect& R, TcxButtonState AState,
                        UINT ADrawTextFlags);
  virtual vcl::TColor GetDescriptionTextColor(TcxButtonState AState, vcl::TColor ADefaultColor);
  virtual TPoint GetPressedTextShift();
  virtual vcl::TColor GetTextColor(TcxButtonState AState, vcl::TColor ADefaultColor);
  virtual void DrawCommandLinkButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, vcl::TColor AColor);
  virtual TSize GetCommandLinkGlyphSize();
  virtual TRect GetCommandLinkMargins();
  virtual void DrawSpeedButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, vcl::TColor AColor,
                               TcxButtonPart APart);
  static UINT GetBiDiFlags(TcxCustomButton* AButton);

  TcxCustomLookAndFeelPainter* LookAndFeelPainter() const;
  TcxLookAndFeelStyle LookAndFeelStyle() const;
  TcxButtonViewInfo* ViewInfo() const;
};

// ---------------------------------------------------------------------------
// The button

class TcxCustomButton : public vcl::TCustomButton,
                        public IdxSkinSupport,
                        public IdxScaleFactor,
                        public IdxFadingObject,
                        public IcxLookAndFeelContainer {
  RTL_CLASS(TcxCustomButton, vcl::TCustomButton)
  RTL_INTERFACES(IdxSkinSupport, IdxScaleFactor, IdxFadingObject, IcxLookAndFeelContainer)
  RTL_MESSAGES(RTL_MESSAGE(WM_PAINT, WMPaint), RTL_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd),
               RTL_MESSAGE(rtl::CN_DRAWITEM, CNDrawItem), RTL_MESSAGE(rtl::CN_MEASUREITEM, CNMeasureItem),
               RTL_MESSAGE(rtl::CN_COMMAND, CNCommand), RTL_MESSAGE(rtl::CN_CTLCOLORBTN, CNCtlColorBtn),
               RTL_MESSAGE(rtl::CN_KEYDOWN, CNKeyDown), RTL_MESSAGE(rtl::CN_SYSKEYDOWN, CNKeyDown),
               RTL_MESSAGE(WM_LBUTTONDBLCLK, WMLButtonDblClk), RTL_MESSAGE(WM_CONTEXTMENU, WMContextMenu),
               RTL_MESSAGE(WM_CAPTURECHANGED, WMCaptureChanged),
               RTL_MESSAGE(WM_WINDOWPOSCHANGED, WMWindowPosChanged), RTL_MESSAGE(0x1609 /* BCM_SETNOTE */, BCMSetNote),
               RTL_MESSAGE(rtl::CM_BUTTONPRESSED, CMButtonPressed), RTL_MESSAGE(rtl::CM_DIALOGCHAR, CMDialogChar),
               RTL_MESSAGE(rtl::CM_FONTCHANGED, CMRepaintAfter), RTL_MESSAGE(rtl::CM_BIDIMODECHANGED, CMRepaintAfter),
               RTL_MESSAGE(rtl::CM_ENABLEDCHANGED, CMEnabledChanged),
               RTL_MESSAGE(rtl::CM_MOUSEENTER, CMMouseEnter), RTL_MESSAGE(rtl::CM_MOUSELEAVE, CMMouseLeave),
               RTL_MESSAGE(rtl::CM_HINTSHOW, CMHintShow), RTL_MESSAGE(DXM_DROPDOWNPOPUPMENU, DXMDropDownPopupMenu),
               RTL_MESSAGE(DXM_CLOSEUPPOPUPMENU, DXMCloseUpPopupMenu))

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  void Click() override;
  bool CanFocus() override;
  // Only to a new parent (or while read from a stream).
  void SetParent(vcl::TWinControl* AParent) override;
  TSize GetOptimalSize();
  // With native paint the framework's answer; otherwise only a Middle-East
  // system locale with BiDiMode bdRightToLeft.
  bool UseRightToLeftAlignment() const;

  // The drawing state, recomputed on every call.
  TcxButtonState GetButtonState();
  TcxCustomLookAndFeelPainter* GetLookAndFeelPainter();
  // Derived values of the speed-button options and the kind.
  bool GetEffectiveCanBeFocused();
  int GetEffectiveGroupIndex();
  bool IsSpeedButtonMode();
  bool IsHotTrack();
  TcxButtonInternalStates GetInternalStates() const { return FInternalStates; }
  // The drop-down part: empty for a standard button, the right part for a
  // split button, the whole client area for the other kinds.
  TRect GetMenuButtonBounds();
  bool GetIsFocused() const { return FIsFocused; }
  TcxButtonViewInfo* GetViewInfo() const { return FViewInfo; }
  TcxButtonGlyph* GetButtonGlyph() const { return FGlyph; }

  // Properties
  bool GetAllowAllUp() const;
  void SetAllowAllUp(bool AValue);
  bool GetCanBeFocused() const;
  void SetCanBeFocused(bool AValue);
  TcxButtonColors* GetColors() const { return FColors; }
  void SetColors(TcxButtonColors* AValue) { FColors->Assign(AValue); }
  const rtl::String& GetDescription() const { return FDescription; }
  void SetDescription(const rtl::String& AValue);
  bool GetDown() const;
  void SetDown(bool AValue);
  rtl::TComponent* GetDropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(rtl::TComponent* AValue);
  TdxSmartGlyph* GetGlyph() const;
  void SetGlyph(TdxSmartGlyph* AValue);
  int GetGroupIndex() const;
  void SetGroupIndex(int AValue);
  TcxButtonKind GetKind() const { return FKind; }
  void SetKind(TcxButtonKind AValue);
  vcl::TButtonLayout GetLayout() const;
  void SetLayout(vcl::TButtonLayout AValue);
  TcxLookAndFeel* __stdcall GetLookAndFeel() override { return FLookAndFeel; }
  void SetLookAndFeel(TcxLookAndFeel* AValue) { FLookAndFeel->Assign(AValue); }
  int GetMargin() const;
  void SetMargin(int AValue);
  vcl::TNumGlyphs GetNumGlyphs() const;
  void SetNumGlyphs(vcl::TNumGlyphs AValue);
  TcxButtonImageOptions* GetOptionsImage() const { return FOptionsImage; }
  void SetOptionsImage(TcxButtonImageOptions* AValue) { FOptionsImage->Assign(AValue); }
  TcxButtonPaintStyle GetPaintStyle() const { return FPaintStyle; }
  void SetPaintStyle(TcxButtonPaintStyle AValue);
  vcl::TPopupAlignment GetPopupAlignment() const { return FPopupAlignment; }
  void SetPopupAlignment(vcl::TPopupAlignment AValue) { FPopupAlignment = AValue; }
  rtl::TComponent* GetCxPopupMenu() const { return FPopupMenu; }
  void SetCxPopupMenu(rtl::TComponent* AValue);
  bool GetRepeatClick() const { return FRepeatClick; }
  void SetRepeatClick(bool AValue) { FRepeatClick = AValue; }
  int GetSpacing() const;
  void SetSpacing(int AValue);
  TcxSpeedButtonOptions* GetSpeedButtonOptions() const { return FSpeedButtonOptions; }
  void SetSpeedButtonOptions(TcxSpeedButtonOptions* AValue) { FSpeedButtonOptions->Assign(AValue); }
  bool GetUseSystemPaint() const { return FUseSystemPaint; }
  void SetUseSystemPaint(bool AValue);

  TcxButtonGetDrawParamsEvent GetOnGetDrawParams() const { return FOnGetDrawParams; }
  void SetOnGetDrawParams(TcxButtonGetDrawParamsEvent AValue) { FOnGetDrawParams = AValue; }
  TcxButtonCustomDrawEvent GetOnCustomDraw() const { return FOnCustomDraw; }
  void SetOnCustomDraw(TcxButtonCustomDrawEvent AValue) { FOnCustomDraw = AValue; }
  TcxButtonDropDownMenuPopupEvent GetOnDropDownMenuPopup() const { return FOnDropDownMenuPopup; }
  void SetOnDropDownMenuPopup(TcxButtonDropDownMenuPopupEvent AValue) { FOnDropDownMenuPopup = AValue; }
  TcxButtonDropDownMenuPopupExEvent GetOnDropDownMenuPopupEx() const { return FOnDropDownMenuPopupEx; }
  void SetOnDropDownMenuPopupEx(TcxButtonDropDownMenuPopupExEvent AValue) { FOnDropDownMenuPopupEx = AValue; }

  // IdxScaleFactor, IdxFadingObject
  TdxScaleFactor* __stdcall GetScaleFactor() override { return FScaleFactor; }
  bool __stdcall FadingCanFade() override { return CanFade(); }
  void __stdcall FadingRepaint() override { Invalidate(); }
  void __stdcall FadingGetImages(TcxBitmap32*& AFadeOutImage, TcxBitmap32*& AFadeInImage) override;

 protected:
  virtual void AdornerTargetElementChanged() {}
  virtual TRect GetAdornerTargetElementBounds() { return GetClientRect(); }
  virtual bool GetAdornerTargetElementVisible() { return GetVisible(); }
  virtual TcxButtonImageOptions* CreateOptionsImage();
  virtual TcxButtonViewInfo* CreateViewInfo();
  virtual void DoGetDrawParams(TcxButtonState AState, vcl::TColor& AColor, vcl::TFont* AFont);
  // May replace the menu or handle the request; whether it was handled.
  virtual bool DoOnDropDownMenuPopup(rtl::TComponent*& AMenu);
  virtual void DoOnDropDownMenuPopupEvent(vcl::TPopupMenu*& AMenu, bool& AHandled);
  virtual void DoOnDropDownMenuPopupExEvent(rtl::TComponent*& AMenu, bool& AHandled);
  virtual bool DoShowPopupMenu(rtl::TComponent* AMenu, int X, int Y);
  virtual bool IsSpeedButtonSupported() { return FKind != TcxButtonKind::cxbkCommandLink; }
  virtual rtl::ClassOf<TcxButtonGlyph> GetGlyphClass();
  virtual bool UseNativePaint() { return false; }
  virtual void ScaleOptionsImage(int M, int D);
  virtual bool CanFade();

  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;
  void ActionChange(rtl::TObject* ASender, bool ACheckDefaults) override;
  rtl::ClassOf<vcl::TControlActionLink> GetActionLinkClass() override;
  bool GetChecked() override { return GetDown(); }
  void SetChecked(bool AValue) override { SetDown(AValue); }
  void SetButtonStyle(bool ADefault) override;
  void CreateParams(vcl::TCreateParams& AParams) override;
  void DestroyWindowHandle() override;
  void ChangeScale(int M, int D, bool AIsDpiChange) override;
  void WndProc(rtl::TMessage& AMessage) override;
  void MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void MouseMove(vcl::TShiftState AShift, int X, int Y) override;
  void MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void DblClick() override;
  void KeyDown(WORD& AKey, vcl::TShiftState AShift) override;
  void DoContextPopup(TPoint AMousePos, bool& AHandled) override;

  // Posts the drop-down request unless the menu shows or is closing.
  void DoDropDownMenu();
  void SetInternalState(TcxButtonInternalStates AValue);
  void IncludeInternalState(TcxButtonInternalState AState);
  void ExcludeInternalState(TcxButtonInternalState AState);
  void CheckStartFading(TcxButtonState APrevState, TcxButtonState AState);
  // Glyph list and index follow the image options (or the action's list).
  void UpdateImageInfo();
  void RepeatClickTimerHandler(rtl::TObject* ASender);

  TcxTimer* FButtonPressTimer;
  TcxCanvas* FCanvas;
  TcxButtonColors* FColors;
  vcl::TControlCanvas* FControlCanvas;
  rtl::String FDescription;
  rtl::TComponent* FDropDownMenu;
  TcxButtonGlyph* FGlyph;
  TcxButtonInternalStates FInternalStates;
  bool FIsDropDownMenuClosing;
  bool FIsFocused;
  bool FIsPaintDefault;
  bool FIsPaintPressed;
  TcxButtonKind FKind;
  TcxLookAndFeel* FLookAndFeel;
  TcxButtonImageOptions* FOptionsImage;
  TcxButtonPaintStyle FPaintStyle;
  vcl::TPopupAlignment FPopupAlignment;
  rtl::TComponent* FPopupMenu;
  bool FRepeatClick;
  TdxScaleFactor* FScaleFactor;
  bool FShowFocusRect;
  TcxSpeedButtonOptions* FSpeedButtonOptions;
  bool FUseSystemPaint;
  TcxButtonViewInfo* FViewInfo;
  // The button's IcxMouseTrackingCaller: its MouseLeave would clash with
  // the control's own.
  TcxButtonMouseTrackingCaller* FMouseTrackingCaller;
  TcxButtonDropDownMenuPopupEvent FOnDropDownMenuPopup;
  TcxButtonDropDownMenuPopupExEvent FOnDropDownMenuPopupEx;
  TcxButtonGetDrawParamsEvent FOnGetDrawParams;
  TcxButtonCustomDrawEvent FOnCustomDraw;

 private:
  void WMPaint(rtl::TMessage& AMessage);
  void WMEraseBkgnd(rtl::TMessage& AMessage);
  void CNDrawItem(vcl::TWMDrawItem& AMessage);
  void CNMeasureItem(vcl::TWMMeasureItem& AMessage);
  void CNCommand(vcl::TWMCommand& AMessage);
  void CNCtlColorBtn(rtl::TMessage& AMessage);
  void CNKeyDown(vcl::TWMKey& AMessage);
  void WMLButtonDblClk(vcl::TWMMouse& AMessage);
  void WMContextMenu(vcl::TWMContextMenu& AMessage);
  void WMCaptureChanged(rtl::TMessage& AMessage);
  void WMWindowPosChanged(rtl::TMessage& AMessage);
  void BCMSetNote(rtl::TMessage& AMessage);
  void CMButtonPressed(rtl::TMessage& AMessage);
  void CMDialogChar(vcl::TCMDialogChar& AMessage);
  void CMRepaintAfter(rtl::TMessage& AMessage);
  void CMEnabledChanged(rtl::TMessage& AMessage);
  void CMMouseEnter(rtl::TMessage& AMessage);
  void CMMouseLeave(rtl::TMessage& AMessage);
  void CMHintShow(rtl::TMessage& AMessage);
  void DXMDropDownPopupMenu(rtl::TMessage& AMessage);
  void DXMCloseUpPopupMenu(rtl::TMessage& AMessage);

  // The paint entry's drawing into ADC, through a buffer.
  void PaintTo(HDC ADC, const TRect& R);
  void DrawTo(HDC ADC);
  void DoMouseEnter();
  void DoMouseLeave();
  void LookAndFeelChanged(TcxLookAndFeel* ASender, TcxLookAndFeelValues AChangedValues);
  void GlyphChanged(rtl::TObject* ASender);
  void ScaleFactorChanged(rtl::TObject* ASender, int M, int D, bool AIsLoading);
  bool IsColorsStored() const { return !FColors->GetAssignedColors().Empty(); }
  bool IsPointInMenuPart(const TPoint& P);
  bool IsDesigning() const;
  bool IsDestroying() const;

  friend class TcxSpeedButtonOptions;
  friend class TcxButtonViewInfo;
  friend class TcxButtonPainter;
  friend class TcxButtonImageOptions;
  friend class TcxButtonActionLink;
  friend class TcxButtonMouseTrackingCaller;
};

// Tells the button when the tracked cursor has left it.
class TcxButtonMouseTrackingCaller : public TcxIUnknownObject, public IcxMouseTrackingCaller {
  RTL_CLASS(TcxButtonMouseTrackingCaller, TcxIUnknownObject)
  RTL_INTERFACES(IcxMouseTrackingCaller)

 public:
  void Create(TcxCustomButton* AButton) { FButton = AButton; }
  void __stdcall MouseLeave() override;

 private:
  TcxCustomButton* FButton;
};

class TcxButton : public TcxCustomButton {
  RTL_CLASS(TcxButton, TcxCustomButton)
  RTL_PUBLISHED(
      RTL_PUBLISH(Action), RTL_PUBLISH(Align), RTL_PUBLISH(Anchors), RTL_PUBLISH(BiDiMode),
      RTL_PROPERTY(Cancel, GetCancel, SetCancel, RTL_DEFAULT(false)), RTL_PUBLISH(Caption),
      RTL_PROPERTY(CommandLinkHint, GetDescription, SetDescription, RTL_NOT_STORED), RTL_PUBLISH(Constraints),
      RTL_PROPERTY(Default, GetDefault, SetDefault, RTL_DEFAULT(false)),
      RTL_PROPERTY(Description, GetDescription, SetDescription),
      RTL_PROPERTY(DropDownMenu, GetDropDownMenu, SetDropDownMenu), RTL_PUBLISH(Enabled),
      RTL_PROPERTY(Glyph, GetGlyph, SetGlyph, RTL_NOT_STORED),
      RTL_PROPERTY(Kind, GetKind, SetKind, RTL_DEFAULT(TcxButtonKind::cxbkStandard)),
      RTL_PROPERTY(Layout, GetLayout, SetLayout, RTL_NOT_STORED),
      RTL_PROPERTY(LookAndFeel, GetLookAndFeel, SetLookAndFeel),
      RTL_PROPERTY(Margin, GetMargin, SetMargin, RTL_NOT_STORED),
      RTL_PROPERTY(ModalResult, GetModalResult, SetModalResult, RTL_DEFAULT(0)),
      RTL_PROPERTY(NumGlyphs, GetNumGlyphs, SetNumGlyphs, RTL_NOT_STORED),
      RTL_PROPERTY(OptionsImage, GetOptionsImage, SetOptionsImage),
      RTL_PROPERTY(PaintStyle, GetPaintStyle, SetPaintStyle, RTL_DEFAULT(TcxButtonPaintStyle::bpsDefault)),
      RTL_PUBLISH(ParentBiDiMode), RTL_PUBLISH(ParentShowHint),
      RTL_PROPERTY(PopupAlignment, GetPopupAlignment, SetPopupAlignment, RTL_DEFAULT(vcl::TPopupAlignment::paLeft)),
      RTL_PROPERTY(PopupMenu, GetCxPopupMenu, SetCxPopupMenu),
      RTL_PROPERTY(RepeatClick, GetRepeatClick, SetRepeatClick, RTL_DEFAULT(false)), RTL_PUBLISH(ShowHint),
      RTL_PROPERTY(Spacing, GetSpacing, SetSpacing, RTL_NOT_STORED),
      RTL_PROPERTY(SpeedButtonOptions, GetSpeedButtonOptions, SetSpeedButtonOptions), RTL_PUBLISH(TabOrder),
      RTL_PUBLISH(TabStop, RTL_DEFAULT(true)),
      RTL_PROPERTY(UseSystemPaint, GetUseSystemPaint, SetUseSystemPaint, RTL_DEFAULT(false)), RTL_PUBLISH(Visible),
      RTL_PROPERTY(WordWrap, GetWordWrap, SetWordWrap, RTL_DEFAULT(false)),
      RTL_PROPERTY(CanBeFocused, GetCanBeFocused, SetCanBeFocused, RTL_NOT_STORED),
      RTL_PROPERTY(GroupIndex, GetGroupIndex, SetGroupIndex, RTL_NOT_STORED),
      RTL_PROPERTY(Down, GetDown, SetDown, RTL_NOT_STORED),
      RTL_PROPERTY(AllowAllUp, GetAllowAllUp, SetAllowAllUp, RTL_NOT_STORED),
      RTL_PROPERTY(Colors, GetColors, SetColors, RTL_STORED(IsButtonColorsStored)), RTL_PUBLISH(DragCursor),
      RTL_PUBLISH(DragKind), RTL_PUBLISH(DragMode), RTL_PUBLISH(Font), RTL_PUBLISH(ParentFont),
      RTL_PROPERTY(OnDropDownMenuPopup, GetOnDropDownMenuPopup, SetOnDropDownMenuPopup),
      RTL_PROPERTY(OnDropDownMenuPopupEx, GetOnDropDownMenuPopupEx, SetOnDropDownMenuPopupEx),
      RTL_PROPERTY(OnGetDrawParams, GetOnGetDrawParams, SetOnGetDrawParams),
      RTL_PROPERTY(OnCustomDraw, GetOnCustomDraw, SetOnCustomDraw), RTL_PUBLISH(OnClick),
      RTL_PUBLISH(OnContextPopup), RTL_PUBLISH(OnDragDrop), RTL_PUBLISH(OnDragOver), RTL_PUBLISH(OnEndDock),
      RTL_PUBLISH(OnEndDrag), RTL_PUBLISH(OnEnter), RTL_PUBLISH(OnExit), RTL_PUBLISH(OnKeyDown),
      RTL_PUBLISH(OnKeyPress), RTL_PUBLISH(OnKeyUp), RTL_PUBLISH(OnMouseDown), RTL_PUBLISH(OnMouseEnter),
      RTL_PUBLISH(OnMouseLeave), RTL_PUBLISH(OnMouseMove), RTL_PUBLISH(OnMouseUp), RTL_PUBLISH(OnStartDock),
      RTL_PUBLISH(OnStartDrag))

 private:
  bool IsButtonColorsStored() const { return !GetColors()->GetAssignedColors().Empty(); }
};
