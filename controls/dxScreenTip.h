// Screen tips: rich hints with a bold header line, a description paragraph
// with an optional large glyph and a footer line with its own glyph, drawn
// by the look-and-feel painter.
// - TdxScreenTipRepository holds the screen tips (TdxScreenTip, each with
//   three bands) and the fonts of the bands;
// - TdxScreenTipStyle is the hint style ("ScreenTip") that links controls
//   and actions to screen tips; a hint style controller with this style
//   shows its hints in a TdxScreenTipWindow;
// - the view infos lay a screen tip out band by band, or a plain hint in
//   screen-tip colours for a control without a screen tip.
#pragma once

#include <windows.h>

#include <array>
#include <vector>

#include "controls/cxHint.h"
#include "controls/cxHintWindow.h"
#include "core/cxClassesComponents.h"
#include "core/dxDPIAwareUtils.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/rtl/SystemTypes.h"

namespace vcl {
class TBasicAction;
}
struct IdxColorPalette;
class TcxCustomLookAndFeelPainter;
class TdxSmartGlyph;
class TdxScreenTip;
class TdxScreenTipRepository;
class TdxScreenTipStyle;

RTL_DECLARE_UNIT(dxScreenTip);

RTL_ENUM(TdxScreenTipBandType, stbHeader, stbDescription, stbFooter);
RTL_ENUM(TdxScreenTipBandTextAlign, stbtaLeft, stbtaRight);
using TdxScreenTipRepositoryFonts = rtl::TSet<TdxScreenTipBandType>;

// The text colour of the bands' default fonts; a band in it takes the
// painter's title or description colour.
constexpr vcl::TColor dxScreenTipDefaultTextColor = 0x4C4C4C;

// ---------------------------------------------------------------------------
// Bands

class TdxCustomScreenTipBand : public rtl::TPersistent {
  RTL_CLASS(TdxCustomScreenTipBand, rtl::TPersistent)
  RTL_PUBLISHED(RTL_PROPERTY(Glyph, GetGlyph, SetGlyph),
                RTL_PROPERTY(GlyphFixedWidth, GetGlyphFixedWidth, SetGlyphFixedWidth, RTL_DEFAULT(true)),
                RTL_PROPERTY(PlainText, GetPlainText, SetPlainText, RTL_DEFAULT(true)),
                RTL_PROPERTY(Text, GetText, SetText),
                RTL_PROPERTY(TextAlign, GetTextAlign, SetTextAlign, RTL_DEFAULT(TdxScreenTipBandTextAlign::stbtaRight)))

 public:
  virtual void Create(TdxScreenTipBandType ABandType);
  void Destroy() override;
  void Assign(rtl::TPersistent* Source) override;

  virtual void Changed();
  virtual vcl::TFont* GetFont() = 0;
  virtual bool IsDefaultTextColor() = 0;
  bool HasGlyph() const;
  // A band with a text or a glyph; a header without both still shows the
  // hint text when there is one.
  bool IsVisible(const rtl::String& AHintText) const;

  TdxScreenTipBandType GetBandType() const { return FBandType; }
  TdxSmartGlyph* GetGlyph() const { return FGlyph; }
  void SetGlyph(TdxSmartGlyph* AValue);
  bool GetGlyphFixedWidth() const { return FGlyphFixedWidth; }
  void SetGlyphFixedWidth(bool AValue);
  bool GetPlainText() const { return FPlainText; }
  void SetPlainText(bool AValue);
  const rtl::String& GetText() const { return FText; }
  void SetText(const rtl::String& AValue);
  TdxScreenTipBandTextAlign GetTextAlign() const { return FTextAlign; }
  void SetTextAlign(TdxScreenTipBandTextAlign AValue);
  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }

 private:
  void GlyphChanged(rtl::TObject* ASender);

  TdxScreenTipBandType FBandType;
  TdxSmartGlyph* FGlyph = nullptr;
  bool FGlyphFixedWidth = true;
  bool FPlainText = true;
  rtl::String FText;
  TdxScreenTipBandTextAlign FTextAlign = TdxScreenTipBandTextAlign::stbtaRight;
  rtl::TNotifyEvent FOnChange;
};

// A band of a screen tip.
class TdxScreenTipBand : public TdxCustomScreenTipBand {
  RTL_CLASS(TdxScreenTipBand, TdxCustomScreenTipBand)

 public:
  void Create(TdxScreenTip* AScreenTip, TdxScreenTipBandType ABandType);
  vcl::TFont* GetFont() override;
  bool IsDefaultTextColor() override;

 private:
  TdxScreenTip* FScreenTip = nullptr;
};

// The repository's standard footer, shared by the tips that ask for it.
class TdxScreenTipFooterBand : public TdxCustomScreenTipBand {
  RTL_CLASS(TdxScreenTipFooterBand, TdxCustomScreenTipBand)

 public:
  void Create(TdxScreenTipRepository* ARepository);
  vcl::TFont* GetFont() override;
  bool IsDefaultTextColor() override;

 private:
  TdxScreenTipRepository* FRepository = nullptr;
};

// ---------------------------------------------------------------------------
// The repository and its screen tips

class TdxScreenTipCollection : public TcxComponentCollection {
  RTL_CLASS(TdxScreenTipCollection, TcxComponentCollection)

 public:
  void Create(rtl::TComponent* AParentComponent, TcxComponentCollectionItemClass AItemClass) override;
  TdxScreenTip* Add();
  TdxScreenTip* GetItem(int AIndex) const;
  void SetItem(int AIndex, TdxScreenTip* AValue);
  TdxScreenTipRepository* GetRepository() const { return FRepository; }

 protected:
  rtl::String GetItemClassPrefix() override { return L"Tdx"; }

 private:
  TdxScreenTipRepository* FRepository = nullptr;
};

class TdxScreenTip : public TcxComponentCollectionItem, public IdxScaleFactor {
  RTL_CLASS(TdxScreenTip, TcxComponentCollectionItem)
  RTL_INTERFACES(IdxScaleFactor)
  RTL_PUBLISHED(RTL_PROPERTY(Header, GetHeader, SetHeader), RTL_PROPERTY(Description, GetDescription, SetDescription),
                RTL_PROPERTY(Footer, GetFooter, SetFooter),
                RTL_PROPERTY(UseHintAsHeader, GetUseHintAsHeader, SetUseHintAsHeader, RTL_DEFAULT(false)),
                RTL_PROPERTY(UseStandardFooter, GetUseStandardFooter, SetUseStandardFooter, RTL_DEFAULT(false)),
                RTL_PROPERTY(Width, GetWidthValue, SetWidth, RTL_DEFAULT(0)))

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;
  void Assign(rtl::TPersistent* Source) override;

  TcxComponentCollection* GetCollectionFromParent(rtl::TComponent* AParent) override;
  rtl::String GetDisplayName() override;
  // A header that showed the old name follows the new one.
  void SetName(const rtl::String& AValue) override;

  virtual TdxScreenTipCollection* GetScreenTipCollection() const;
  // Width, else 318 with a description glyph and 210 without, scaled.
  virtual int GetWidth();
  // The repository's standard footer stands in for the own footer when
  // the tip asks for it.
  TdxCustomScreenTipBand* GetBandForCalculation(TdxScreenTipBandType AIndex);
  TdxScreenTipRepository* GetRepository() const;

  // IdxScaleFactor: the repository's.
  TdxScaleFactor* __stdcall GetScaleFactor() override;

  TdxScreenTipBand* GetBand(TdxScreenTipBandType AType) const { return FBands[static_cast<int>(AType)]; }
  TdxScreenTipBand* GetHeader() const { return GetBand(TdxScreenTipBandType::stbHeader); }
  void SetHeader(TdxScreenTipBand* AValue) { GetHeader()->Assign(AValue); }
  TdxScreenTipBand* GetDescription() const { return GetBand(TdxScreenTipBandType::stbDescription); }
  void SetDescription(TdxScreenTipBand* AValue) { GetDescription()->Assign(AValue); }
  TdxScreenTipBand* GetFooter() const { return GetBand(TdxScreenTipBandType::stbFooter); }
  void SetFooter(TdxScreenTipBand* AValue) { GetFooter()->Assign(AValue); }
  bool GetUseHintAsHeader() const { return FUseHintAsHeader; }
  void SetUseHintAsHeader(bool AValue) { FUseHintAsHeader = AValue; }
  bool GetUseStandardFooter() const { return FUseStandardFooter; }
  void SetUseStandardFooter(bool AValue) { FUseStandardFooter = AValue; }
  int GetWidthValue() const { return FWidth; }
  void SetWidth(int AValue) { FWidth = AValue; }

 private:
  std::array<TdxScreenTipBand*, 3> FBands{};
  bool FUseHintAsHeader = false;
  bool FUseStandardFooter = false;
  int FWidth = 0;
};

class TdxScreenTipRepository : public TcxScalableComponent {
  RTL_CLASS(TdxScreenTipRepository, TcxScalableComponent)
  RTL_PUBLISHED(RTL_PROPERTY(AssignedFonts, GetAssignedFonts, SetAssignedFonts, RTL_DEFAULT(TdxScreenTipRepositoryFonts())),
                RTL_PROPERTY(DescriptionFont, GetDescriptionFont, SetDescriptionFont,
                             RTL_STORED(IsDescriptionFontStored)),
                RTL_PROPERTY(FooterFont, GetFooterFont, SetFooterFont, RTL_STORED(IsFooterFontStored)),
                RTL_PROPERTY(HeaderFont, GetHeaderFont, SetHeaderFont, RTL_STORED(IsHeaderFontStored)),
                RTL_PROPERTY(StandardFooter, GetStandardFooter, SetStandardFooter),
                RTL_PROPERTY(ShowDescription, GetShowDescription, SetShowDescription, RTL_DEFAULT(true)))

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;
  void Assign(rtl::TPersistent* Source) override;
  void __stdcall ChangeScale(int M, int D) override;
  void GetChildren(const rtl::TGetChildProc& AProc, rtl::TComponent* ARoot) override;

  virtual TdxScreenTipCollection* CreateItems();
  // The band's own font when assigned; otherwise the screen's hint font at
  // the repository's scale, in the default text colour, bold for the header
  // and the footer.
  virtual vcl::TFont* GetFont(TdxScreenTipBandType ABandType);
  bool IsFontDefaultColor(TdxScreenTipBandType ABandType);

  TdxScreenTipCollection* GetItems() const { return FItems; }
  TdxScreenTipRepositoryFonts GetAssignedFonts() const { return FAssignedFonts; }
  void SetAssignedFonts(TdxScreenTipRepositoryFonts AValue);
  vcl::TFont* GetDescriptionFont() const { return FFonts[1]; }
  void SetDescriptionFont(vcl::TFont* AValue) { FFonts[1]->Assign(AValue); }
  vcl::TFont* GetFooterFont() const { return FFonts[2]; }
  void SetFooterFont(vcl::TFont* AValue) { FFonts[2]->Assign(AValue); }
  vcl::TFont* GetHeaderFont() const { return FFonts[0]; }
  void SetHeaderFont(vcl::TFont* AValue) { FFonts[0]->Assign(AValue); }
  TdxScreenTipFooterBand* GetStandardFooter() const { return FStandardFooter; }
  void SetStandardFooter(TdxScreenTipFooterBand* AValue) { FStandardFooter->Assign(AValue); }
  bool GetShowDescription() const { return FShowDescription; }
  void SetShowDescription(bool AValue) { FShowDescription = AValue; }

 private:
  bool IsDescriptionFontStored() const { return FAssignedFonts.Contains(TdxScreenTipBandType::stbDescription); }
  bool IsFooterFontStored() const { return FAssignedFonts.Contains(TdxScreenTipBandType::stbFooter); }
  bool IsHeaderFontStored() const { return FAssignedFonts.Contains(TdxScreenTipBandType::stbHeader); }
  // The screen's hint font at the repository's scale, in the default colour.
  void AssignDefaultFont(vcl::TFont* AFont, TdxScreenTipBandType ABandType);
  void FontChanged(rtl::TObject* ASender);

  TdxScreenTipRepositoryFonts FAssignedFonts;
  std::array<vcl::TFont*, 3> FFonts{};
  TdxScreenTipCollection* FItems = nullptr;
  bool FShowDescription = true;
  TdxScreenTipFooterBand* FStandardFooter = nullptr;
  vcl::TFont* FSystemFont = nullptr;
  // Set while the defaults go into the own fonts, which is no user change.
  bool FAssigningDefaultFonts = false;
};

// ---------------------------------------------------------------------------
// Links of controls and actions to screen tips

class TdxCustomScreenTipLinks;

class TdxCustomScreenTipLink : public rtl::TCollectionItem {
  RTL_CLASS(TdxCustomScreenTipLink, rtl::TCollectionItem)
  RTL_PUBLISHED(RTL_PROPERTY(ScreenTip, GetScreenTip, SetScreenTip))

 public:
  void Destroy() override;
  void Assign(rtl::TPersistent* Source) override;
  TdxScreenTip* GetScreenTip() const { return FScreenTip; }
  void SetScreenTip(TdxScreenTip* AValue);
  rtl::TComponent* GetComponent() const { return FComponent; }
  void SetComponent(rtl::TComponent* AValue);

 private:
  friend class TdxScreenTipStyle;
  // The hint style controller that hears of the linked objects' removal.
  rtl::TComponent* GetNotifiedComponent() const;
  // Moves the free notification from AOld to ANew.
  void ChangeNotification(rtl::TComponent* AOld, rtl::TComponent* ANew);

  rtl::TComponent* FComponent = nullptr;
  TdxScreenTip* FScreenTip = nullptr;
};

class TdxScreenTipLink : public TdxCustomScreenTipLink {
  RTL_CLASS(TdxScreenTipLink, TdxCustomScreenTipLink)
  RTL_PUBLISHED(RTL_PROPERTY(Control, GetControl, SetControl))

 public:
  vcl::TControl* GetControl() const;
  void SetControl(vcl::TControl* AValue) { SetComponent(AValue); }
};

class TdxScreenTipActionLink : public TdxCustomScreenTipLink {
  RTL_CLASS(TdxScreenTipActionLink, TdxCustomScreenTipLink)
  RTL_PUBLISHED(RTL_PROPERTY(Action, GetAction, SetAction))

 public:
  vcl::TBasicAction* GetAction() const;
  void SetAction(vcl::TBasicAction* AValue);
};

class TdxCustomScreenTipLinks : public rtl::TCollection {
  RTL_CLASS(TdxCustomScreenTipLinks, rtl::TCollection)

 public:
  // The class of the links.
  virtual rtl::TCollectionItemClass GetLinkClass() = 0;
  virtual void Create(TdxScreenTipStyle* AScreenTipStyle);
  // The first link whose component or screen tip is AComponent.
  TdxCustomScreenTipLink* FindLink(rtl::TComponent* AComponent);
  rtl::TPersistent* GetOwner() override;
  TdxScreenTipStyle* GetScreenTipStyle() const { return FScreenTipStyle; }
  TdxCustomScreenTipLink* GetLink(int AIndex) const;

 private:
  TdxScreenTipStyle* FScreenTipStyle = nullptr;
};

class TdxScreenTipLinks : public TdxCustomScreenTipLinks {
  RTL_CLASS(TdxScreenTipLinks, TdxCustomScreenTipLinks)

 public:
  rtl::TCollectionItemClass GetLinkClass() override { return rtl::TCollectionItemClass::Of<TdxScreenTipLink>(); }
  TdxScreenTipLink* Add();
  TdxScreenTipLink* GetItem(int AIndex) const;
  TdxScreenTip* FindScreenTipByControl(vcl::TControl* AControl);
};

class TdxScreenTipActionLinks : public TdxCustomScreenTipLinks {
  RTL_CLASS(TdxScreenTipActionLinks, TdxCustomScreenTipLinks)

 public:
  rtl::TCollectionItemClass GetLinkClass() override
  {
    return rtl::TCollectionItemClass::Of<TdxScreenTipActionLink>();
  }
  TdxScreenTipActionLink* Add();
  TdxScreenTipActionLink* GetItem(int AIndex) const;
  TdxScreenTip* FindScreenTipByAction(vcl::TBasicAction* AAction);
};

// An object that supplies its own screen tip.
struct IdxScreenTipProvider : rtl::IInterface {
  RTL_GUID(IdxScreenTipProvider, "{1479340F-AA1B-4A8E-B136-87E3B5CA3D36}")
  virtual vcl::TBasicAction* __stdcall GetAction() = 0;
  virtual TdxScreenTip* __stdcall GetScreenTip() = 0;
  virtual rtl::String __stdcall GetShortCut() = 0;
};

// ---------------------------------------------------------------------------
// The hint style

class TdxScreenTipStyle : public TcxCustomHintStyle {
  RTL_CLASS(TdxScreenTipStyle, TcxCustomHintStyle)
  RTL_PUBLISHED(RTL_PROPERTY(ScreenTipLinks, GetScreenTipLinks, SetScreenTipLinks),
                RTL_PROPERTY(ScreenTipActionLinks, GetScreenTipActionLinks, SetScreenTipActionLinks))

 public:
  void Create(rtl::TComponent* AComponent) override;
  void Destroy() override;
  void Assign(rtl::TPersistent* Source) override;
  void ComponentRemoved(rtl::TComponent* AComponent) override;
  TcxCustomHintWindowClass GetHintWindowClass() override;
  // A control without a hint text that has a screen tip still gets a hint.
  void DoShowHint(rtl::String& HintStr, bool& CanShow, vcl::THintInfo& HintInfo) override;

  // The screen tip of a control: linked to it, to its action, or supplied
  // by the control itself; AShortCut is " (<short cut>)" of the action.
  void GetScreenTipInfo(vcl::TControl* AControl, TdxScreenTip*& AScreenTip, rtl::String& AShortCut);
  TRect GetScreenTipBounds(TdxScreenTip* AScreenTip, const rtl::String& AHint);
  void ShowScreenTip(int X, int Y, const rtl::String& AHint, TdxScreenTip* AScreenTip);

  // The controller this style belongs to.
  rtl::TComponent* GetController() const { return FController; }
  TdxScreenTipLinks* GetScreenTipLinks() const { return FScreenTipLinks; }
  void SetScreenTipLinks(TdxScreenTipLinks* AValue) { FScreenTipLinks->Assign(AValue); }
  TdxScreenTipActionLinks* GetScreenTipActionLinks() const { return FScreenTipActionLinks; }
  void SetScreenTipActionLinks(TdxScreenTipActionLinks* AValue) { FScreenTipActionLinks->Assign(AValue); }

 private:
  class TdxScreenTipWindow* GetWindow() const;

  rtl::TComponent* FController = nullptr;
  TdxScreenTipActionLinks* FScreenTipActionLinks = nullptr;
  TdxScreenTipLinks* FScreenTipLinks = nullptr;
};

// ---------------------------------------------------------------------------
// Painting and layout

class TdxScreenTipPainter : public rtl::TObject {
  RTL_CLASS(TdxScreenTipPainter, rtl::TObject)

 public:
  void Create(TcxCustomLookAndFeelPainter* APainter) { FPainter = APainter; }
  virtual IdxColorPalette* GetColorPalette();
  virtual vcl::TColor GetDescriptionTextColor();
  virtual int GetFooterLineSize();
  virtual vcl::TColor GetTitleTextColor();
  virtual void DrawBackground(TcxCanvas* ACanvas, const TRect& R);
  virtual void DrawFooterLine(TcxCanvas* ACanvas, const TRect& R);

 private:
  TcxCustomLookAndFeelPainter* FPainter = nullptr;
};

class TdxRichTextHelper;

// One band of a screen tip laid out at a width.
class TdxScreenTipBandViewInfo : public rtl::TObject {
  RTL_CLASS(TdxScreenTipBandViewInfo, rtl::TObject)

 public:
  void Create(TdxCustomScreenTipBand* ABand, const rtl::String& AHintText, const rtl::String& AShortCut,
              TdxScaleFactor* AScaleFactor, int AFooterLineSize);
  // The width the band needs on one line, indents and glyph included.
  int GetMinWidth(vcl::TCanvas* ACanvas);
  // The band at ATop, AWidth wide.
  void Calculate(vcl::TCanvas* ACanvas, int ATop, int AWidth);
  void Paint(TcxCanvas* ACanvas, TdxScreenTipPainter* APainter);

  TdxCustomScreenTipBand* GetBand() const { return FBand; }
  const TRect& GetBounds() const { return FBounds; }
  const TRect& GetGlyphBounds() const { return FGlyphBounds; }
  const TRect& GetTextBounds() const { return FTextBounds; }
  rtl::String GetText() const;
  bool UseRightToLeftAlignment = false;
  bool UseRightToLeftReading = false;

 private:
  int GetIndent() const;
  int GetGlyphAreaWidth() const;
  int GetVerticalIndent() const;
  bool IsSingleLine() const;
  UINT GetTextFlags(bool ADrawing) const;
  void CalculateTextSize(vcl::TCanvas* ACanvas, int AWidth);
  TdxRichTextHelper* GetRichTextHelper() const;

  TdxCustomScreenTipBand* FBand = nullptr;
  TRect FBounds{};
  int FFooterLineSize = 0;
  TRect FGlyphBounds{};
  TSize FGlyphSize{};
  rtl::String FHintText;
  TdxScaleFactor* FScaleFactor = nullptr;
  rtl::String FShortCut;
  TRect FTextBounds{};
  TSize FTextSize{};
};

class TdxScreenTipViewInfoHelper : public TdxCustomHintViewInfoHelper {
  RTL_CLASS(TdxScreenTipViewInfoHelper, TdxCustomHintViewInfoHelper)

 public:
  void Create(TdxScreenTip* AScreenTip, TdxScreenTipPainter* APainter, const rtl::String& AHint,
              const rtl::String& AShortCut);
  void Destroy() override;
  TdxScaleFactor* GetScaleFactor() override;
  void Calculate(vcl::TCanvas* ACanvas) override;
  void Paint(vcl::TCanvas* ACanvas) override;
  virtual TdxScreenTipBandViewInfo* CreateBandViewInfo(TdxCustomScreenTipBand* ABand);

  int GetBandCount() const { return static_cast<int>(FBandViewInfos.size()); }
  TdxScreenTipBandViewInfo* GetBandViewInfo(int AIndex) const { return FBandViewInfos.at(AIndex); }

 private:
  void ClearBands();

  std::vector<TdxScreenTipBandViewInfo*> FBandViewInfos;
  rtl::String FHintText;
  TdxScreenTipPainter* FPainter = nullptr;
  TdxScreenTip* FScreenTip = nullptr;
  rtl::String FShortCut;
};

// A full screen tip.
class TdxScreenTipViewInfo : public TdxCustomHintViewInfo {
  RTL_CLASS(TdxScreenTipViewInfo, TdxCustomHintViewInfo)

 public:
  // The painter is owned, made over APainter.
  void Create(TdxScreenTip* AScreenTip, const rtl::String& AShortCut, const rtl::String& AHint,
              TcxCustomLookAndFeelPainter* APainter);
  void Destroy() override;

 protected:
  TdxCustomHintViewInfoHelper* CreateHelper() override;

 private:
  rtl::String FHint;
  TdxScreenTipPainter* FPainter = nullptr;
  TdxScreenTip* FScreenTip = nullptr;
  rtl::String FShortCut;
};

// A plain hint in screen-tip dress.
class TdxScreenTipLikeHintViewInfoHelper : public TdxHintViewInfoHelper {
  RTL_CLASS(TdxScreenTipLikeHintViewInfoHelper, TdxHintViewInfoHelper)

 public:
  void Create(TdxScreenTipPainter* APainter, const rtl::String& AHint, const rtl::String& AShortCut,
              const TPoint& ACursorPos);
  void Paint(vcl::TCanvas* ACanvas) override;

 protected:
  void AddTextMargins(TSize& ASize) override;
  TRect GetTextRect() override;
  void PrepareFontColor(vcl::TCanvas* ACanvas) override;

 private:
  TdxScreenTipPainter* FPainter = nullptr;
};

class TdxScreenTipLikeHintViewInfo : public TdxCustomHintViewInfo {
  RTL_CLASS(TdxScreenTipLikeHintViewInfo, TdxCustomHintViewInfo)

 public:
  void Create(TcxCustomLookAndFeelPainter* APainter, const TPoint& ACursorPos, const rtl::String& AShortCut,
              const rtl::String& AHint);
  void Destroy() override;

 protected:
  TdxCustomHintViewInfoHelper* CreateHelper() override;

 private:
  TPoint FCursorPos{};
  rtl::String FHint;
  TdxScreenTipPainter* FPainter = nullptr;
  rtl::String FShortCut;
};

// ---------------------------------------------------------------------------
// The window

class TdxScreenTipWindow : public TcxCustomHintWindow {
  RTL_CLASS(TdxScreenTipWindow, TcxCustomHintWindow)
  RTL_MESSAGES(RTL_MESSAGE(WM_SHOWWINDOW, WMShowWindow))

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;
  TRect CalcHintRect(int AMaxWidth, const rtl::String& AHint, rtl::TObject* AData) override;
  void ShowHint(int X, int Y, int AMaxWidth, const rtl::String& AHint, const rtl::String& ACaption) override;

  TdxCustomHintViewInfo* GetViewInfo() const { return FViewInfo; }
  // Only for the span of a show or a measure: the tip to show instead of
  // the hinted control's.
  void SetScreenTip(TdxScreenTip* AValue) { FScreenTip = AValue; }

 protected:
  void CorrectRect(TRect& R) override;
  void SetWindowRegion() override;
  bool HasWindowRegion() override { return true; }
  void Paint() override;
  // The view information of the hint about to show.
  virtual TdxCustomHintViewInfo* CreateViewInfo(const rtl::String& AHint);

  void WMShowWindow(vcl::TMessage& AMessage);

 private:
  void FreeViewInfo();

  int FBorderWidth = 1;
  TdxCustomHintViewInfo* FViewInfo = nullptr;
  TdxScreenTip* FScreenTip = nullptr;
};
