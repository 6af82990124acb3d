#include "skins/dxSkinsLookAndFeelPainter.h"

#include <algorithm>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/dxGDIPlusAPI.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/vcl/Forms.h"

using enum TcxButtonState;
using enum TcxEditStateColorKind;
using enum TdxSkinElementState;

using namespace vcl;

// ---------------------------------------------------------------------------
// Grey scale

void dxSkinsGrayScaleBitmap(TcxBitmap32* ABitmap)
{
  TRGBColors colors;
  ABitmap->GetBitmapColors(colors);
  for (RGBQUAD& pixel : colors) {
    const int grey = (pixel.rgbBlue + pixel.rgbGreen + pixel.rgbRed + 2 * pixel.rgbReserved) / 5;
    pixel.rgbBlue = pixel.rgbGreen = pixel.rgbRed = static_cast<BYTE>(grey);
  }
  ABitmap->SetBitmapColors(colors);
}

// ---------------------------------------------------------------------------
// Registration of the skin units' painters

void dxSkinsRegisterPainters(std::span<const TdxSkinPainterEntry> AEntries)
{
  if (!dxGpIsAvailable() || !cxLookAndFeelPaintersManager())
    return;
  const HINSTANCE module = GetModuleHandleW(nullptr);
  for (const TdxSkinPainterEntry& entry : AEntries)
    cxLookAndFeelPaintersManager()->Register(entry.PainterClass.Create(rtl::String(entry.SkinName), module));
}

void dxSkinsUnregisterPainters(std::span<const TdxSkinPainterEntry> AEntries)
{
  if (!cxLookAndFeelPaintersManager())
    return;
  for (const TdxSkinPainterEntry& entry : AEntries)
    cxLookAndFeelPaintersManager()->Unregister(entry.SkinName);
}

// ---------------------------------------------------------------------------
// TdxSkinLookAndFeelPainter: identity, loading and helpers

void TdxSkinLookAndFeelPainter::Create(const rtl::String& ASkinResName, HINSTANCE ASkinResInstance)
{
  inherited::Create();
  FSkinResName = ASkinResName;
  FSkinResInstance = ASkinResInstance;
}

void TdxSkinLookAndFeelPainter::Destroy()
{
  // The palettes belong to the skin: let go of them before it goes.
  FPalettes.clear();
  rtl::FreeAndNil(FSkinInfo);
  inherited::Destroy();
}

void TdxSkinLookAndFeelPainter::FreeCachedResources()
{
  rtl::FreeAndNil(FCachedDetails);
  inherited::FreeCachedResources();
}

TdxSkinLookAndFeelPainterInfoClass TdxSkinLookAndFeelPainter::GetSkinInfoClass()
{
  return TdxSkinLookAndFeelPainterInfoClass::Of<TdxSkinLookAndFeelPainterInfo>();
}

TdxSkinLookAndFeelPainterInfo* TdxSkinLookAndFeelPainter::SkinInfo()
{
  if (!FSkinInfo) {
    // Stored before loading: a package that fails leaves an information
    // without a skin, and no second load is tried.
    FSkinInfo = GetSkinInfoClass().Create(static_cast<TdxSkin*>(nullptr));
    if (!FSkinResName.empty())
      LoadSkin(FSkinInfo);
  }
  return FSkinInfo;
}

void TdxSkinLookAndFeelPainter::LoadSkin(TdxSkinLookAndFeelPainterInfo* AInfo)
{
  // The first use is normally inside a paint: a damaged or missing package
  // must not raise there. It is reported once, and the painter goes on as
  // the Office-like painter.
  try {
    AInfo->SetSkin(rtl::New<TdxSkin>(FSkinResName, true, FSkinResInstance));
    rtl::FreeAndNil(FCachedDetails);
  } catch (...) {
    Application()->HandleException(this);
  }
}

TdxSkinDetails* TdxSkinLookAndFeelPainter::CreatePainterDetails()
{
  if (FSkinResName.empty())
    return nullptr;
  rtl::TOwnedPtr<TdxSkinDetails> details(rtl::New<TdxSkinDetails>());
  try {
    rtl::TOwnedPtr<rtl::TResourceStream> stream(
        rtl::New<rtl::TResourceStream>(FSkinResInstance, FSkinResName, L"DXSKINS"));
    if (!details->LoadFromStream(stream.get()))
      return nullptr;
  } catch (const rtl::Exception&) {
    // Listing skins must not fail on one missing package.
    return nullptr;
  }
  return details.release();
}

TdxSkinDetails* TdxSkinLookAndFeelPainter::GetCachedPainterDetails()
{
  if (FSkinInfo && FSkinInfo->GetSkinObject())
    return FSkinInfo->GetSkinObject()->GetDetails();
  if (!FCachedDetails)
    FCachedDetails = CreatePainterDetails();
  return FCachedDetails;
}

TdxSkinDetails* TdxSkinLookAndFeelPainter::SkinDetails()
{
  return GetCachedPainterDetails();
}

bool TdxSkinLookAndFeelPainter::GetPainterData(void* AData)
{
  *static_cast<TdxSkinLookAndFeelPainterInfo**>(AData) = SkinInfo();
  return true;
}

bool TdxSkinLookAndFeelPainter::GetPainterDetails(TdxSkinDetails*& ADetails)
{
  TdxSkinDetails* details = SkinDetails();
  if (details)
    ADetails = details;
  return details != nullptr;
}

rtl::String TdxSkinLookAndFeelPainter::LookAndFeelName()
{
  // Without a loaded skin the resource name stands for it.
  TdxSkin* skin = SkinInfo()->GetSkinObject();
  return skin ? skin->GetName() : FSkinResName;
}

TcxLookAndFeelStyle TdxSkinLookAndFeelPainter::LookAndFeelStyle()
{
  return TcxLookAndFeelStyle::lfsSkin;
}

TdxSkinElementState TdxSkinLookAndFeelPainter::ButtonStateToSkinState(TcxButtonState AState)
{
  static constexpr TdxSkinElementState kMap[] = {esActive, esNormal, esHot, esPressed, esDisabled};
  return kMap[static_cast<int>(AState)];
}

TdxSkinElementState TdxSkinLookAndFeelPainter::ExpandButtonStateToSkinState(TcxExpandButtonState AState)
{
  static constexpr TdxSkinElementState kMap[] = {esNormal, esActive, esActiveDisabled};
  return kMap[static_cast<int>(AState)];
}

bool TdxSkinLookAndFeelPainter::DrawSkinElement(TdxSkinElement* AElement, TcxCanvas* ACanvas, int AImageIndex,
                                                TdxSkinElementState AState, const TdxScaleFactor* AScaleFactor,
                                                const TRect& R)
{
  if (!AElement)
    return false;
  // The element reads the factor only.
  AElement->Draw(ACanvas->GetHandle(), R, const_cast<TdxScaleFactor*>(AScaleFactor), AImageIndex, AState);
  return true;
}

bool TdxSkinLookAndFeelPainter::DrawSkinElementRTLAware(TdxSkinElement* AElement, TcxCanvas* ACanvas,
                                                        int AImageIndex, TdxSkinElementState AState,
                                                        const TdxScaleFactor* AScaleFactor, const TRect& R)
{
  if (!AElement)
    return false;
  if (ACanvas->GetUseRightToLeftAlignment())
    AElement->DrawRTL(ACanvas->GetHandle(), R, const_cast<TdxScaleFactor*>(AScaleFactor), AImageIndex, AState);
  else
    AElement->Draw(ACanvas->GetHandle(), R, const_cast<TdxScaleFactor*>(AScaleFactor), AImageIndex, AState);
  return true;
}

bool TdxSkinLookAndFeelPainter::DrawSkinElementAtSystemScale(TdxSkinElement* AElement, TcxCanvas* ACanvas,
                                                             int AImageIndex, TdxSkinElementState AState,
                                                             const TRect& R)
{
  return DrawSkinElement(AElement, ACanvas, AImageIndex, AState, dxGetSystemScaleFactor(), R);
}

bool TdxSkinLookAndFeelPainter::DrawRotatedSkinElement(TcxCanvas* ACanvas, TdxSkinElement* AElement, const TRect& R,
                                                       TdxSkinElementState AState, TcxRotationAngle ARotationAngle,
                                                       bool AFlipVertically, const TdxScaleFactor* AScaleFactor)
{
  using enum TcxRotationAngle;
  if (!AElement)
    return false;
  if (!AScaleFactor)
    AScaleFactor = dxGetSystemScaleFactor();
  if (ARotationAngle == ra0 && !AFlipVertically)
    return DrawSkinElement(AElement, ACanvas, 0, AState, AScaleFactor, R);
  if (cxRectHasNoArea(R))
    return true;
  // What lies under R is turned into the element's own orientation, so that
  // a translucent element blends with it, and turned back with the element.
  const rtl::TOwnedPtr<TcxBitmap32> bitmap(
      rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* B) { B->CreateSize(R, false); }));
  bitmap->GetCanvas()->GetBrush()->Assign(ACanvas->GetBrush());
  cxBlitRect(bitmap->GetCanvas()->GetHandle(), ACanvas->GetHandle(), bitmap->GetClientRect(), TPoint{R.left, R.top});
  if (AFlipVertically)
    bitmap->Flip(false, true);
  static constexpr TcxRotationAngle kInverse[] = {ra0, raMinus90, raPlus90, ra180};
  bitmap->Rotate(kInverse[static_cast<int>(ARotationAngle)]);
  AElement->Draw(bitmap->GetCanvas()->GetHandle(), bitmap->GetClientRect(), const_cast<TdxScaleFactor*>(AScaleFactor),
                 0, AState);
  bitmap->Rotate(ARotationAngle);
  if (AFlipVertically)
    bitmap->Flip(false, true);
  cxCopyBitmapToDC(ACanvas->GetHandle(), bitmap.get(), R);
  return true;
}

IdxColorPalette* TdxSkinLookAndFeelPainter::GetElementGlyphColorPalette(TdxSkinElement* AElement,
                                                                        TdxSkinElementState AState)
{
  if (!AElement)
    return nullptr;
  rtl::IPtr<IdxColorPalette> palette = AElement->GetGlyphColorPalette(AState);
  if (!palette)
    return nullptr;
  // Callers get a plain pointer, so the painter holds a reference; a skin
  // has few palettes, each kept once.
  const auto known = std::find_if(FPalettes.begin(), FPalettes.end(),
                                  [&](const rtl::IPtr<IdxColorPalette>& P) { return P.Get() == palette.Get(); });
  if (known == FPalettes.end())
    FPalettes.push_back(palette);
  return palette.Get();
}

TSize TdxSkinLookAndFeelPainter::GetElementMinimalSize(TdxSkinElement* AElement)
{
  const TSize imageSize = AElement->GetImage()->GetSize();
  const TSize minSize = AElement->GetMinSize()->GetSize();
  return {std::max(imageSize.cx, minSize.cx), std::max(imageSize.cy, minSize.cy)};
}

bool TdxSkinLookAndFeelPainter::IsSkinColorAssigned(TdxSkinColor* AColor)
{
  return AColor && cxIsColorAssigned(AColor->GetValue());
}

bool TdxSkinLookAndFeelPainter::IsElementColorAssigned(TdxSkinElement* AElement)
{
  return AElement && cxIsColorAssigned(AElement->GetColor());
}

bool TdxSkinLookAndFeelPainter::IsElementTextColorAssigned(TdxSkinElement* AElement)
{
  return AElement && cxIsColorAssigned(AElement->GetTextColor());
}

template <typename F>
TColor TdxSkinLookAndFeelPainter::ColorIfExists(TdxSkinColor* AColor, F AFallback)
{
  return AColor ? AColor->GetValue() : AFallback();
}

template <typename F>
TColor TdxSkinLookAndFeelPainter::ColorIfAssigned(TdxSkinColor* AColor, F AFallback)
{
  return IsSkinColorAssigned(AColor) ? AColor->GetValue() : AFallback();
}

// ---------------------------------------------------------------------------
// Default colours

#define KV_INHERITED(AOperation) [&] { return inherited::AOperation; }

TColor TdxSkinLookAndFeelPainter::DefaultContentColor()
{
  return ColorIfAssigned(SkinInfo()->ContentColor, KV_INHERITED(DefaultContentColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultContentEvenColor()
{
  return ColorIfAssigned(SkinInfo()->ContentEvenColor, KV_INHERITED(DefaultContentEvenColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultContentOddColor()
{
  return ColorIfAssigned(SkinInfo()->ContentOddColor, KV_INHERITED(DefaultContentOddColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultContentTextColor()
{
  return ColorIfAssigned(SkinInfo()->ContentTextColor, KV_INHERITED(DefaultContentTextColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultControlColor()
{
  return DefaultContentColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultChartHistogramPlotColor()
{
  return DefaultContentColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultControlTextColor()
{
  return DefaultContentTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultGridDetailsSiteColor()
{
  return ColorIfAssigned(SkinInfo()->ContentColor, KV_INHERITED(DefaultGridDetailsSiteColor()));
}

TColor TdxSkinLookAndFeelPainter::GetCustomizationFormListBackgroundColor()
{
  return ColorIfAssigned(SkinInfo()->ContentColor, KV_INHERITED(GetCustomizationFormListBackgroundColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultInactiveColor()
{
  return ColorIfAssigned(SkinInfo()->InactiveColor, KV_INHERITED(DefaultInactiveColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultInactiveTextColor()
{
  return ColorIfAssigned(SkinInfo()->InactiveTextColor, KV_INHERITED(DefaultInactiveTextColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultSelectionColor()
{
  return ColorIfExists(SkinInfo()->SelectionColor, KV_INHERITED(DefaultSelectionColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultSelectionTextColor()
{
  return ColorIfExists(SkinInfo()->SelectionTextColor, KV_INHERITED(DefaultSelectionTextColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultHyperlinkTextColor()
{
  return ColorIfAssigned(SkinInfo()->HyperLinkTextColor, KV_INHERITED(DefaultHyperlinkTextColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultPreviewTextColor()
{
  return DefaultHyperlinkTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultEditorBackgroundColorEx(TcxEditStateColorKind AKind)
{
  TdxSkinColor* color = SkinInfo()->EditorBackgroundColors[static_cast<int>(AKind)];
  if (IsSkinColorAssigned(color))
    return color->GetValue();
  // An inactive or read-only editor without its own colour looks normal.
  if (AKind == esckInactive || AKind == esckReadOnly)
    return DefaultEditorBackgroundColorEx(esckNormal);
  return inherited::DefaultEditorBackgroundColorEx(AKind);
}

TColor TdxSkinLookAndFeelPainter::DefaultEditorTextColorEx(TcxEditStateColorKind AKind)
{
  TdxSkinColor* color = SkinInfo()->EditorTextColors[static_cast<int>(AKind)];
  if (IsSkinColorAssigned(color))
    return color->GetValue();
  if (AKind == esckInactive || AKind == esckReadOnly)
    return DefaultEditorTextColorEx(esckNormal);
  return inherited::DefaultEditorTextColorEx(AKind);
}

TColor TdxSkinLookAndFeelPainter::DefaultSizeGripAreaColor()
{
  TdxSkinElement* element = SkinInfo()->FormContent;
  if (element && element->GetColor() != clDefault)
    return element->GetColor();
  return inherited::DefaultSizeGripAreaColor();
}

TColor TdxSkinLookAndFeelPainter::LayoutControlEmptyAreaColor()
{
  return ColorIfExists(SkinInfo()->LayoutControlColor, KV_INHERITED(LayoutControlEmptyAreaColor()));
}

// The fill or text colour of an element that exists, else the fallback.
#define KV_ELEMENT_COLOR(AElement, AGetter, AOperation)              \
  {                                                                  \
    TdxSkinElement* element = SkinInfo()->AElement;                  \
    return element ? element->AGetter() : inherited::AOperation;     \
  }

TColor TdxSkinLookAndFeelPainter::DefaultHeaderColor() KV_ELEMENT_COLOR(Header, GetColor, DefaultHeaderColor())
TColor TdxSkinLookAndFeelPainter::DefaultHeaderTextColor() KV_ELEMENT_COLOR(Header, GetTextColor, DefaultHeaderTextColor())
TColor TdxSkinLookAndFeelPainter::DefaultFooterColor() KV_ELEMENT_COLOR(FooterPanel, GetColor, DefaultFooterColor())
TColor TdxSkinLookAndFeelPainter::DefaultFooterTextColor()
    KV_ELEMENT_COLOR(FooterPanel, GetTextColor, DefaultFooterTextColor())
TColor TdxSkinLookAndFeelPainter::DefaultFilterBoxTextColor()
    KV_ELEMENT_COLOR(FilterPanel, GetTextColor, DefaultFilterBoxTextColor())
TColor TdxSkinLookAndFeelPainter::DefaultFixedSeparatorColor()
    KV_ELEMENT_COLOR(GridFixedLine, GetColor, DefaultFixedSeparatorColor())
TColor TdxSkinLookAndFeelPainter::DefaultRecordSeparatorColor()
    KV_ELEMENT_COLOR(GridFixedLine, GetColor, DefaultRecordSeparatorColor())
TColor TdxSkinLookAndFeelPainter::DefaultGridLineColor() KV_ELEMENT_COLOR(GridLine, GetColor, DefaultGridLineColor())
TColor TdxSkinLookAndFeelPainter::DefaultGroupColor() KV_ELEMENT_COLOR(GridGroupRow, GetColor, DefaultGroupColor())
TColor TdxSkinLookAndFeelPainter::DefaultGroupTextColor()
    KV_ELEMENT_COLOR(GridGroupRow, GetTextColor, DefaultGroupTextColor())
TColor TdxSkinLookAndFeelPainter::DefaultGroupByBoxTextColor()
    KV_ELEMENT_COLOR(GridGroupByBox, GetTextColor, DefaultGroupByBoxTextColor())
TColor TdxSkinLookAndFeelPainter::DefaultSeparatorColor()
    KV_ELEMENT_COLOR(CardViewSeparator, GetColor, DefaultSeparatorColor())
TColor TdxSkinLookAndFeelPainter::DefaultVGridBandLineColor()
    KV_ELEMENT_COLOR(VGridLine[1], GetColor, DefaultVGridBandLineColor())
TColor TdxSkinLookAndFeelPainter::DefaultVGridCategoryColor()
    KV_ELEMENT_COLOR(VGridCategory, GetColor, DefaultVGridCategoryColor())
TColor TdxSkinLookAndFeelPainter::DefaultVGridCategoryTextColor()
    KV_ELEMENT_COLOR(VGridCategory, GetTextColor, DefaultVGridCategoryTextColor())
TColor TdxSkinLookAndFeelPainter::DefaultVGridHeaderColor()
    KV_ELEMENT_COLOR(VGridRowHeader, GetColor, DefaultVGridHeaderColor())
TColor TdxSkinLookAndFeelPainter::DefaultVGridHeaderTextColor()
    KV_ELEMENT_COLOR(VGridRowHeader, GetTextColor, DefaultVGridHeaderTextColor())
TColor TdxSkinLookAndFeelPainter::DefaultVGridLineColor() KV_ELEMENT_COLOR(VGridLine[0], GetColor, DefaultVGridLineColor())
TColor TdxSkinLookAndFeelPainter::DefaultSchedulerViewTextColor()
    KV_ELEMENT_COLOR(SchedulerAppointment[1], GetTextColor, DefaultSchedulerViewTextColor())

#undef KV_ELEMENT_COLOR

TRect TdxSkinLookAndFeelPainter::DefaultGroupContentOffsets()
{
  TdxSkinElement* element = SkinInfo()->GridGroupRow;
  return element ? element->GetContentOffset()->GetRect() : inherited::DefaultGroupContentOffsets();
}

TColor TdxSkinLookAndFeelPainter::DefaultHeaderBackgroundColor()
{
  return ColorIfExists(SkinInfo()->HeaderBackgroundColor, KV_INHERITED(DefaultHeaderBackgroundColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultHeaderBackgroundTextColor()
{
  return ColorIfExists(SkinInfo()->HeaderBackgroundTextColor, KV_INHERITED(DefaultHeaderBackgroundTextColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultTreeListGridLineColor()
{
  return ColorIfAssigned(SkinInfo()->TreeListGridLineColor, KV_INHERITED(DefaultTreeListGridLineColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultTreeListTreeLineColor()
{
  return ColorIfAssigned(SkinInfo()->TreeListTreeLineColor, KV_INHERITED(DefaultTreeListTreeLineColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultTabTextColor()
{
  return ColorIfAssigned(SkinInfo()->TabTextColor, KV_INHERITED(DefaultTabTextColor()));
}

TColor TdxSkinLookAndFeelPainter::GridLikeControlContentColor()
{
  return ColorIfAssigned(SkinInfo()->GridLikeControlContentColor, KV_INHERITED(GridLikeControlContentColor()));
}

TColor TdxSkinLookAndFeelPainter::GridLikeControlContentEvenColor()
{
  return ColorIfAssigned(SkinInfo()->GridLikeControlContentEvenColor,
                         KV_INHERITED(GridLikeControlContentEvenColor()));
}

TColor TdxSkinLookAndFeelPainter::GridLikeControlContentOddColor()
{
  return ColorIfAssigned(SkinInfo()->GridLikeControlContentOddColor, KV_INHERITED(GridLikeControlContentOddColor()));
}

TColor TdxSkinLookAndFeelPainter::GridLikeControlContentTextColor()
{
  return ColorIfAssigned(SkinInfo()->GridLikeControlContentTextColor,
                         KV_INHERITED(GridLikeControlContentTextColor()));
}

TColor TdxSkinLookAndFeelPainter::GridLikeControlBackgroundColor()
{
  return ColorIfAssigned(SkinInfo()->GridLikeControlBackgroundColor, KV_INHERITED(GridLikeControlBackgroundColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultVGridContentColor()
{
  return ColorIfAssigned(SkinInfo()->VGridContentColor, KV_INHERITED(DefaultVGridContentColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultVGridContentEvenColor()
{
  return ColorIfAssigned(SkinInfo()->ContentEvenColor, [&] { return DefaultVGridContentColor(); });
}

TColor TdxSkinLookAndFeelPainter::DefaultVGridContentOddColor()
{
  return ColorIfAssigned(SkinInfo()->ContentOddColor, [&] { return DefaultVGridContentColor(); });
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorHeaderColor()
{
  return DefaultHeaderColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorHeaderTextColor(bool)
{
  return DefaultHeaderTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorTextColor()
{
  return ColorIfAssigned(SkinInfo()->CalendarDayTextColor, KV_INHERITED(DefaultDateNavigatorTextColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorHolydayTextColor()
{
  return ColorIfAssigned(SkinInfo()->CalendarHolidayTextColor, KV_INHERITED(DefaultDateNavigatorHolydayTextColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorInactiveTextColor()
{
  return ColorIfAssigned(SkinInfo()->CalendarInactiveDayTextColor,
                         KV_INHERITED(DefaultDateNavigatorInactiveTextColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorSelectionColor()
{
  return ColorIfAssigned(SkinInfo()->CalendarSelectedDayColor, KV_INHERITED(DefaultDateNavigatorSelectionColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorSelectionTextColor()
{
  return ColorIfAssigned(SkinInfo()->CalendarSelectedDayTextColor,
                         KV_INHERITED(DefaultDateNavigatorSelectionTextColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorSeparator1Color()
{
  return ColorIfAssigned(SkinInfo()->CalendarSeparatorColor, KV_INHERITED(DefaultDateNavigatorSeparator1Color()));
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorSeparator2Color()
{
  return clNone;
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorTodayFrameColor()
{
  return ColorIfAssigned(SkinInfo()->CalendarTodayFrameColor, KV_INHERITED(DefaultDateNavigatorTodayFrameColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultDateNavigatorTodayTextColor(bool ASelected)
{
  return ColorIfAssigned(SkinInfo()->CalendarTodayTextColor,
                         KV_INHERITED(DefaultDateNavigatorTodayTextColor(ASelected)));
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerBackgroundColor()
{
  return ColorIfExists(SkinInfo()->ContentColor, KV_INHERITED(DefaultSchedulerBackgroundColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerControlColor()
{
  return ColorIfExists(SkinInfo()->ContentColor, KV_INHERITED(DefaultSchedulerControlColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerBorderColor()
{
  return ColorIfExists(SkinInfo()->ContainerBorderColor, KV_INHERITED(DefaultSchedulerBorderColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerContentColor(int AResourceIndex)
{
  // Resource indexes are never negative; twelve colours repeat.
  return ColorIfExists(SkinInfo()->SchedulerResourceColors[static_cast<size_t>(AResourceIndex % 12)],
                       KV_INHERITED(DefaultSchedulerContentColor(AResourceIndex)));
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerViewContentColor()
{
  const TColor result = DefaultSchedulerContentColor(0);
  return result != clDefault ? result : inherited::DefaultSchedulerViewContentColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerViewContentColorClassic()
{
  const TColor result = DefaultSchedulerContentColor(0);
  return result != clDefault ? result : inherited::DefaultSchedulerViewContentColorClassic();
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerYearViewUnusedContentColor(bool AIsWorkTime)
{
  const TColor result = DefaultSchedulerContentColor(0);
  return cxIsColorAssigned(result) ? cxDimColor(result, AIsWorkTime ? 85 : 80) : result;
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerDateNavigatorArrowColor(bool AIsHighlight)
{
  return DefaultDateNavigatorHeaderTextColor(AIsHighlight);
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerDayHeaderColor()
{
  return DefaultHeaderColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerDayHeaderTextColor()
{
  return DefaultHeaderTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerNavigatorColor()
{
  return ColorIfExists(SkinInfo()->SchedulerNavigatorColor, KV_INHERITED(DefaultSchedulerNavigatorColor()));
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerTimeRulerColor()
{
  TdxSkinElement* element = SkinInfo()->SchedulerTimeRuler;
  return IsElementColorAssigned(element) ? element->GetColor() : inherited::DefaultSchedulerTimeRulerColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerTimeRulerTextColorClassic()
{
  TdxSkinElement* element = SkinInfo()->SchedulerTimeRuler;
  return IsElementTextColorAssigned(element) ? element->GetTextColor()
                                             : inherited::DefaultSchedulerTimeRulerTextColorClassic();
}

TColor TdxSkinLookAndFeelPainter::DefaultSchedulerViewSelectedTextColor()
{
  return DefaultSchedulerViewTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultTimeGridMajorScaleTextColor()
{
  TdxSkinElement* element = SkinInfo()->SchedulerTimeGridHeader[0];
  return IsElementTextColorAssigned(element) ? element->GetTextColor()
                                             : inherited::DefaultTimeGridMajorScaleTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultTimeGridMinorScaleTextColor()
{
  return DefaultTimeGridMajorScaleTextColor();
}

TColor TdxSkinLookAndFeelPainter::SpreadSheetContentColor()
{
  return ColorIfAssigned(SkinInfo()->SpreadSheetContentColor, KV_INHERITED(SpreadSheetContentColor()));
}

TColor TdxSkinLookAndFeelPainter::SpreadSheetContentTextColor()
{
  return ColorIfAssigned(SkinInfo()->SpreadSheetContentTextColor, KV_INHERITED(SpreadSheetContentTextColor()));
}

TColor TdxSkinLookAndFeelPainter::SpreadSheetFrozenPaneSeparatorColor()
{
  return ColorIfAssigned(SkinInfo()->SpreadSheetFrozenPaneSeparatorColor,
                         KV_INHERITED(SpreadSheetFrozenPaneSeparatorColor()));
}

TColor TdxSkinLookAndFeelPainter::SpreadSheetGroupLineColor()
{
  return ColorIfAssigned(SkinInfo()->SpreadSheetGroupLineColor, KV_INHERITED(SpreadSheetGroupLineColor()));
}

TColor TdxSkinLookAndFeelPainter::SpreadSheetSelectionColor()
{
  return ColorIfAssigned(SkinInfo()->SpreadSheetSelectionColor, KV_INHERITED(SpreadSheetSelectionColor()));
}

TColor TdxSkinLookAndFeelPainter::RichEditRulerDefaultTabColor()
{
  return ColorIfAssigned(SkinInfo()->RichEditRulerDefaultTabColor, KV_INHERITED(RichEditRulerDefaultTabColor()));
}

TColor TdxSkinLookAndFeelPainter::RichEditRulerTextColor()
{
  return ColorIfAssigned(SkinInfo()->RichEditRulerTextColor, KV_INHERITED(RichEditRulerTextColor()));
}

TColor TdxSkinLookAndFeelPainter::RichEditControlHeaderFooterLineColor()
{
  return DefaultControlColor();
}

TColor TdxSkinLookAndFeelPainter::RichEditControlHeaderFooterMarkBackColor()
{
  return DefaultControlColor();
}

TColor TdxSkinLookAndFeelPainter::RichEditControlHeaderFooterMarkTextColor()
{
  return DefaultControlTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultLayoutViewContentTextColor(TcxButtonState AState)
{
  TdxSkinElement* element = SkinInfo()->LayoutViewItem;
  const TColor result = element ? element->GetTextColor(AState) : clDefault;
  return result != clDefault ? result : DefaultContentTextColor();
}

#undef KV_INHERITED
