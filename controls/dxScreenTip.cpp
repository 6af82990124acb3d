#include "controls/dxScreenTip.h"

#include <algorithm>
#include <utility>

#include "controls/dxRichTextHelper.h"
#include "controls/dxRightToLeftLayout.h"
#include "controls/cxWindowUtils.h"
#include "core/cxClasses.h"
#include "core/cxGeometry.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsControls.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "platform/rtl/SysUtilsFormat.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/GraphicsHandles.h"
#include "platform/vcl/Menus.h"

namespace {

// The object as a T, or nil when it is none.
template <class T>
T* AsOrNil(rtl::TObject* AObject)
{
  return rtl::Is<T>(AObject) ? static_cast<T*>(AObject) : nullptr;
}

// One rich-text helper per band type, made on first use.
std::array<TdxRichTextHelper*, 3> gRichTextHelpers{};

TdxRichTextHelper* RichTextHelper(TdxScreenTipBandType ABandType)
{
  TdxRichTextHelper*& helper = gRichTextHelpers[static_cast<int>(ABandType)];
  if (!helper)
    helper = rtl::New<TdxRichTextHelper>();
  return helper;
}

constexpr int BandIndex(TdxScreenTipBandType AType)
{
  return static_cast<int>(AType);
}

constexpr TdxScreenTipBandType AllBandTypes[] = {TdxScreenTipBandType::stbHeader,
                                                 TdxScreenTipBandType::stbDescription,
                                                 TdxScreenTipBandType::stbFooter};

}  // namespace

// ---------------------------------------------------------------------------
// Bands

void TdxCustomScreenTipBand::Create(TdxScreenTipBandType ABandType)
{
  inherited::Create();
  FBandType = ABandType;
  FGlyph = rtl::New<TdxSmartGlyph>();
  FGlyph->SetOnChange(rtl::TNotifyEvent::Bind<&TdxCustomScreenTipBand::GlyphChanged>(this));
}

void TdxCustomScreenTipBand::Destroy()
{
  rtl::Free(std::exchange(FGlyph, nullptr));
  inherited::Destroy();
}

void TdxCustomScreenTipBand::Assign(rtl::TPersistent* Source)
{
  auto* source = AsOrNil<TdxCustomScreenTipBand>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  FGlyph->Assign(source->FGlyph);
  FGlyphFixedWidth = source->FGlyphFixedWidth;
  FPlainText = source->FPlainText;
  FText = source->FText;
  FTextAlign = source->FTextAlign;
  Changed();
}

void TdxCustomScreenTipBand::Changed()
{
  dxCallNotifyEvent(this, FOnChange);
}

void TdxCustomScreenTipBand::GlyphChanged(rtl::TObject* /*ASender*/)
{
  Changed();
}

bool TdxCustomScreenTipBand::HasGlyph() const
{
  return !FGlyph->GetEmpty();
}

bool TdxCustomScreenTipBand::IsVisible(const rtl::String& AHintText) const
{
  return !FText.empty() || HasGlyph() || (FBandType == TdxScreenTipBandType::stbHeader && !AHintText.empty());
}

void TdxCustomScreenTipBand::SetGlyph(TdxSmartGlyph* AValue)
{
  FGlyph->Assign(AValue);
}

void TdxCustomScreenTipBand::SetGlyphFixedWidth(bool AValue)
{
  if (std::exchange(FGlyphFixedWidth, AValue) != AValue)
    Changed();
}

void TdxCustomScreenTipBand::SetPlainText(bool AValue)
{
  if (std::exchange(FPlainText, AValue) != AValue)
    Changed();
}

void TdxCustomScreenTipBand::SetText(const rtl::String& AValue)
{
  if (FText == AValue)
    return;
  FText = AValue;
  Changed();
}

void TdxCustomScreenTipBand::SetTextAlign(TdxScreenTipBandTextAlign AValue)
{
  if (std::exchange(FTextAlign, AValue) != AValue)
    Changed();
}

void TdxScreenTipBand::Create(TdxScreenTip* AScreenTip, TdxScreenTipBandType ABandType)
{
  inherited::Create(ABandType);
  FScreenTip = AScreenTip;
}

vcl::TFont* TdxScreenTipBand::GetFont()
{
  TdxScreenTipRepository* repository = FScreenTip->GetRepository();
  return repository ? repository->GetFont(GetBandType()) : vcl::Screen()->GetHintFont();
}

bool TdxScreenTipBand::IsDefaultTextColor()
{
  TdxScreenTipRepository* repository = FScreenTip->GetRepository();
  return !repository || repository->IsFontDefaultColor(GetBandType());
}

void TdxScreenTipFooterBand::Create(TdxScreenTipRepository* ARepository)
{
  inherited::Create(TdxScreenTipBandType::stbFooter);
  FRepository = ARepository;
}

vcl::TFont* TdxScreenTipFooterBand::GetFont()
{
  return FRepository->GetFont(GetBandType());
}

bool TdxScreenTipFooterBand::IsDefaultTextColor()
{
  return FRepository->IsFontDefaultColor(GetBandType());
}

// ---------------------------------------------------------------------------
// TdxScreenTipCollection

void TdxScreenTipCollection::Create(rtl::TComponent* AParentComponent, TcxComponentCollectionItemClass AItemClass)
{
  inherited::Create(AParentComponent, AItemClass);
  FRepository = AsOrNil<TdxScreenTipRepository>(AParentComponent);
}

TdxScreenTip* TdxScreenTipCollection::Add()
{
  return static_cast<TdxScreenTip*>(inherited::Add());
}

TdxScreenTip* TdxScreenTipCollection::GetItem(int AIndex) const
{
  return static_cast<TdxScreenTip*>(inherited::GetItem(AIndex));
}

void TdxScreenTipCollection::SetItem(int AIndex, TdxScreenTip* AValue)
{
  inherited::SetItem(AIndex, AValue);
}

// ---------------------------------------------------------------------------
// TdxScreenTip

void TdxScreenTip::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  for (TdxScreenTipBandType type : AllBandTypes)
    FBands[BandIndex(type)] = rtl::New<TdxScreenTipBand>(this, type);
}

void TdxScreenTip::Destroy()
{
  for (TdxScreenTipBand*& band : FBands)
    rtl::Free(std::exchange(band, nullptr));
  inherited::Destroy();
}

void TdxScreenTip::Assign(rtl::TPersistent* Source)
{
  auto* source = AsOrNil<TdxScreenTip>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  for (TdxScreenTipBandType type : AllBandTypes)
    GetBand(type)->Assign(source->GetBand(type));
  FUseHintAsHeader = source->FUseHintAsHeader;
  FUseStandardFooter = source->FUseStandardFooter;
  FWidth = source->FWidth;
}

TcxComponentCollection* TdxScreenTip::GetCollectionFromParent(rtl::TComponent* AParent)
{
  auto* repository = AsOrNil<TdxScreenTipRepository>(AParent);
  return repository ? repository->GetItems() : nullptr;
}

rtl::String TdxScreenTip::GetDisplayName()
{
  return rtl::Format(L"%s - '%s'", {GetName(), GetHeader()->GetText()});
}

void TdxScreenTip::SetName(const rtl::String& AValue)
{
  const rtl::String oldName = GetName();
  inherited::SetName(AValue);
  if (GetComponentState().Contains(rtl::TComponentStateFlag::csLoading) || GetHeader()->GetText() != oldName)
    return;
  auto* ownerControl = AsOrNil<vcl::TControl>(GetOwner());
  if (ownerControl && ownerControl->GetComponentState().Contains(rtl::TComponentStateFlag::csLoading))
    return;
  GetHeader()->SetText(GetName());
}

TdxScreenTipCollection* TdxScreenTip::GetScreenTipCollection() const
{
  return static_cast<TdxScreenTipCollection*>(GetCollection());
}

TdxScreenTipRepository* TdxScreenTip::GetRepository() const
{
  TdxScreenTipCollection* collection = GetScreenTipCollection();
  return collection ? collection->GetRepository() : nullptr;
}

TdxScaleFactor* __stdcall TdxScreenTip::GetScaleFactor()
{
  TdxScreenTipRepository* repository = GetRepository();
  return repository ? repository->GetScaleFactor() : dxGetSystemScaleFactor();
}

int TdxScreenTip::GetWidth()
{
  const int width = FWidth != 0 ? FWidth : (GetDescription()->HasGlyph() ? 318 : 210);
  return GetScaleFactor()->Apply(width);
}

TdxCustomScreenTipBand* TdxScreenTip::GetBandForCalculation(TdxScreenTipBandType AIndex)
{
  TdxScreenTipRepository* repository = GetRepository();
  if (AIndex == TdxScreenTipBandType::stbFooter && FUseStandardFooter && repository)
    return repository->GetStandardFooter();
  return GetBand(AIndex);
}

// ---------------------------------------------------------------------------
// TdxScreenTipRepository

void TdxScreenTipRepository::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FShowDescription = true;
  FSystemFont = rtl::New<vcl::TFont>();
  FAssigningDefaultFonts = true;
  for (TdxScreenTipBandType type : AllBandTypes) {
    vcl::TFont* font = rtl::New<vcl::TFont>();
    AssignDefaultFont(font, type);
    font->SetOnChange(rtl::TNotifyEvent::Bind<&TdxScreenTipRepository::FontChanged>(this));
    FFonts[BandIndex(type)] = font;
  }
  FAssigningDefaultFonts = false;
  FItems = CreateItems();
  FStandardFooter = rtl::New<TdxScreenTipFooterBand>(this);
}

void TdxScreenTipRepository::Destroy()
{
  // The items go first: each still asks its repository on the way out.
  rtl::Free(std::exchange(FItems, nullptr));
  rtl::Free(std::exchange(FStandardFooter, nullptr));
  for (vcl::TFont*& font : FFonts)
    rtl::Free(std::exchange(font, nullptr));
  rtl::Free(std::exchange(FSystemFont, nullptr));
  inherited::Destroy();
}

TdxScreenTipCollection* TdxScreenTipRepository::CreateItems()
{
  return rtl::New<TdxScreenTipCollection>(this, TcxComponentCollectionItemClass::Of<TdxScreenTip>());
}

void TdxScreenTipRepository::Assign(rtl::TPersistent* Source)
{
  auto* source = AsOrNil<TdxScreenTipRepository>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  for (TdxScreenTipBandType type : AllBandTypes)
    FFonts[BandIndex(type)]->Assign(source->FFonts[BandIndex(type)]);
  FAssignedFonts = source->FAssignedFonts;
  FItems->Assign(source->FItems);
  FShowDescription = source->FShowDescription;
  FStandardFooter->Assign(source->FStandardFooter);
}

void __stdcall TdxScreenTipRepository::ChangeScale(int M, int D)
{
  inherited::ChangeScale(M, D);
  for (TdxScreenTipBandType type : AllBandTypes)
    if (FAssignedFonts.Contains(type)) {
      vcl::TFont* font = FFonts[BandIndex(type)];
      font->SetHeight(MulDiv(font->GetHeight(), M, D));
    }
}

void TdxScreenTipRepository::GetChildren(const rtl::TGetChildProc& AProc, rtl::TComponent* ARoot)
{
  for (int i = 0; i < FItems->GetCount(); ++i)
    if (FItems->GetItem(i)->GetOwner() == ARoot)
      AProc(FItems->GetItem(i));
}

void TdxScreenTipRepository::AssignDefaultFont(vcl::TFont* AFont, TdxScreenTipBandType ABandType)
{
  dxAssignScaledFont(AFont, vcl::Screen()->GetHintFont(), GetScaleFactor(), dxGetSystemScaleFactor());
  AFont->SetColor(dxScreenTipDefaultTextColor);
  vcl::TFontStyles style = AFont->GetStyle();
  if (ABandType == TdxScreenTipBandType::stbDescription)
    style.Exclude(vcl::TFontStyle::fsBold);
  else
    style.Include(vcl::TFontStyle::fsBold);
  AFont->SetStyle(style);
}

vcl::TFont* TdxScreenTipRepository::GetFont(TdxScreenTipBandType ABandType)
{
  if (FAssignedFonts.Contains(ABandType))
    return FFonts[BandIndex(ABandType)];
  AssignDefaultFont(FSystemFont, ABandType);
  return FSystemFont;
}

bool TdxScreenTipRepository::IsFontDefaultColor(TdxScreenTipBandType ABandType)
{
  return GetFont(ABandType)->GetColor() == dxScreenTipDefaultTextColor;
}

void TdxScreenTipRepository::SetAssignedFonts(TdxScreenTipRepositoryFonts AValue)
{
  FAssignedFonts = AValue;
}

void TdxScreenTipRepository::FontChanged(rtl::TObject* ASender)
{
  if (FAssigningDefaultFonts || GetComponentState().Contains(rtl::TComponentStateFlag::csLoading))
    return;
  for (TdxScreenTipBandType type : AllBandTypes)
    if (FFonts[BandIndex(type)] == ASender)
      FAssignedFonts.Include(type);
}

// ---------------------------------------------------------------------------
// Links

void TdxCustomScreenTipLink::Destroy()
{
  SetComponent(nullptr);
  SetScreenTip(nullptr);
  inherited::Destroy();
}

void TdxCustomScreenTipLink::Assign(rtl::TPersistent* Source)
{
  auto* source = AsOrNil<TdxCustomScreenTipLink>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  SetComponent(source->FComponent);
  SetScreenTip(source->FScreenTip);
}

rtl::TComponent* TdxCustomScreenTipLink::GetNotifiedComponent() const
{
  auto* links = static_cast<TdxCustomScreenTipLinks*>(GetCollection());
  return links && links->GetScreenTipStyle() ? links->GetScreenTipStyle()->GetController() : nullptr;
}

// A component that another link of the style still holds keeps its free
// notification: that link must still hear of its removal.
void TdxCustomScreenTipLink::ChangeNotification(rtl::TComponent* AOld, rtl::TComponent* ANew)
{
  rtl::TComponent* notified = GetNotifiedComponent();
  if (!notified)
    return;
  if (ANew)
    ANew->FreeNotification(notified);
  if (!AOld || AOld == ANew)
    return;
  auto* links = static_cast<TdxCustomScreenTipLinks*>(GetCollection());
  TdxScreenTipStyle* style = links->GetScreenTipStyle();
  for (TdxCustomScreenTipLinks* list :
       {static_cast<TdxCustomScreenTipLinks*>(style->GetScreenTipLinks()),
        static_cast<TdxCustomScreenTipLinks*>(style->GetScreenTipActionLinks())})
    for (int i = 0; list && i < list->GetCount(); ++i) {
      TdxCustomScreenTipLink* link = list->GetLink(i);
      if (link->FComponent == AOld || link->FScreenTip == AOld)
        return;
    }
  AOld->RemoveFreeNotification(notified);
}

void TdxCustomScreenTipLink::SetComponent(rtl::TComponent* AValue)
{
  rtl::TComponent* old = std::exchange(FComponent, AValue);
  if (old != AValue)
    ChangeNotification(old, AValue);
}

void TdxCustomScreenTipLink::SetScreenTip(TdxScreenTip* AValue)
{
  TdxScreenTip* old = std::exchange(FScreenTip, AValue);
  if (old != AValue)
    ChangeNotification(old, AValue);
}

vcl::TControl* TdxScreenTipLink::GetControl() const
{
  return static_cast<vcl::TControl*>(GetComponent());
}

vcl::TBasicAction* TdxScreenTipActionLink::GetAction() const
{
  return static_cast<vcl::TBasicAction*>(GetComponent());
}

void TdxScreenTipActionLink::SetAction(vcl::TBasicAction* AValue)
{
  SetComponent(AValue);
}

void TdxCustomScreenTipLinks::Create(TdxScreenTipStyle* AScreenTipStyle)
{
  inherited::Create(GetLinkClass());
  FScreenTipStyle = AScreenTipStyle;
}

rtl::TPersistent* TdxCustomScreenTipLinks::GetOwner()
{
  return FScreenTipStyle;
}

TdxCustomScreenTipLink* TdxCustomScreenTipLinks::GetLink(int AIndex) const
{
  return static_cast<TdxCustomScreenTipLink*>(GetItems(AIndex));
}

TdxCustomScreenTipLink* TdxCustomScreenTipLinks::FindLink(rtl::TComponent* AComponent)
{
  for (int i = 0; i < GetCount(); ++i) {
    TdxCustomScreenTipLink* link = GetLink(i);
    if (link->GetComponent() == AComponent || link->GetScreenTip() == AComponent)
      return link;
  }
  return nullptr;
}

TdxScreenTipLink* TdxScreenTipLinks::Add()
{
  return static_cast<TdxScreenTipLink*>(inherited::Add());
}

TdxScreenTipLink* TdxScreenTipLinks::GetItem(int AIndex) const
{
  return static_cast<TdxScreenTipLink*>(GetItems(AIndex));
}

TdxScreenTip* TdxScreenTipLinks::FindScreenTipByControl(vcl::TControl* AControl)
{
  TdxCustomScreenTipLink* link = AControl ? FindLink(AControl) : nullptr;
  return link ? link->GetScreenTip() : nullptr;
}

TdxScreenTipActionLink* TdxScreenTipActionLinks::Add()
{
  return static_cast<TdxScreenTipActionLink*>(inherited::Add());
}

TdxScreenTipActionLink* TdxScreenTipActionLinks::GetItem(int AIndex) const
{
  return static_cast<TdxScreenTipActionLink*>(GetItems(AIndex));
}

TdxScreenTip* TdxScreenTipActionLinks::FindScreenTipByAction(vcl::TBasicAction* AAction)
{
  TdxCustomScreenTipLink* link = AAction ? FindLink(AAction) : nullptr;
  return link ? link->GetScreenTip() : nullptr;
}

// ---------------------------------------------------------------------------
// TdxScreenTipStyle

void TdxScreenTipStyle::Create(rtl::TComponent* AComponent)
{
  inherited::Create(AComponent);
  FController = AComponent;
  FScreenTipLinks = rtl::New<TdxScreenTipLinks>(this);
  FScreenTipActionLinks = rtl::New<TdxScreenTipActionLinks>(this);
}

void TdxScreenTipStyle::Destroy()
{
  rtl::Free(std::exchange(FScreenTipActionLinks, nullptr));
  rtl::Free(std::exchange(FScreenTipLinks, nullptr));
  inherited::Destroy();
}

void TdxScreenTipStyle::Assign(rtl::TPersistent* Source)
{
  auto* source = AsOrNil<TdxScreenTipStyle>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  FScreenTipLinks->Assign(source->FScreenTipLinks);
  FScreenTipActionLinks->Assign(source->FScreenTipActionLinks);
}

// The link stays; only the reference to what went is cleared.
void TdxScreenTipStyle::ComponentRemoved(rtl::TComponent* AComponent)
{
  for (TdxCustomScreenTipLinks* list : {static_cast<TdxCustomScreenTipLinks*>(FScreenTipLinks),
                                        static_cast<TdxCustomScreenTipLinks*>(FScreenTipActionLinks)})
    for (int i = 0; i < list->GetCount(); ++i) {
      TdxCustomScreenTipLink* link = list->GetLink(i);
      if (link->FScreenTip == AComponent)
        link->FScreenTip = nullptr;
      if (link->FComponent == AComponent)
        link->FComponent = nullptr;
    }
}

TcxCustomHintWindowClass TdxScreenTipStyle::GetHintWindowClass()
{
  return TcxCustomHintWindowClass::Of<TdxScreenTipWindow>();
}

void TdxScreenTipStyle::GetScreenTipInfo(vcl::TControl* AControl, TdxScreenTip*& AScreenTip, rtl::String& AShortCut)
{
  AShortCut.clear();
  AScreenTip = FScreenTipLinks->FindScreenTipByControl(AControl);
  vcl::TBasicAction* action = AControl ? AControl->GetAction() : nullptr;
  if (!AScreenTip && action)
    AScreenTip = FScreenTipActionLinks->FindScreenTipByAction(action);
  if (AScreenTip) {
    auto* customAction = AsOrNil<vcl::TCustomAction>(action);
    if (customAction && customAction->GetShortCut() != 0)
      AShortCut = rtl::Format(L" (%s)", {vcl::ShortCutToText(customAction->GetShortCut())});
    return;
  }
  rtl::IPtr<IdxScreenTipProvider> provider;
  if (!AControl || !(rtl::Supports(AControl, &provider) || rtl::Supports(dxGetManager(AControl), &provider)))
    return;
  AScreenTip = provider->GetScreenTip();
  if (!AScreenTip && provider->GetAction())
    AScreenTip = FScreenTipActionLinks->FindScreenTipByAction(provider->GetAction());
  AShortCut = provider->GetShortCut();
}

void TdxScreenTipStyle::DoShowHint(rtl::String& HintStr, bool& /*CanShow*/, vcl::THintInfo& HintInfo)
{
  if (!HintStr.empty())
    return;
  TdxScreenTip* screenTip = nullptr;
  rtl::String shortCut;
  GetScreenTipInfo(HintInfo.HintControl, screenTip, shortCut);
  if (!screenTip || screenTip->GetUseHintAsHeader())
    return;
  HintStr = screenTip->GetHeader()->GetText();
  if (HintStr.empty())
    HintStr = L" ";
}

TdxScreenTipWindow* TdxScreenTipStyle::GetWindow() const
{
  auto* controller = AsOrNil<TcxCustomHintStyleController>(FController);
  return controller ? AsOrNil<TdxScreenTipWindow>(controller->GetHintWindow()) : nullptr;
}

namespace {

// The window's screen tip for one call, cleared again however it ends.
class TScreenTipScope {
 public:
  TScreenTipScope(TdxScreenTipWindow* AWindow, TdxScreenTip* AScreenTip) : FWindow(AWindow)
  {
    FWindow->SetScreenTip(AScreenTip);
  }
  ~TScreenTipScope() { FWindow->SetScreenTip(nullptr); }
  TScreenTipScope(const TScreenTipScope&) = delete;
  TScreenTipScope& operator=(const TScreenTipScope&) = delete;

 private:
  TdxScreenTipWindow* FWindow;
};

}  // namespace

TRect TdxScreenTipStyle::GetScreenTipBounds(TdxScreenTip* AScreenTip, const rtl::String& AHint)
{
  TdxScreenTipWindow* window = GetWindow();
  if (!window)
    return {};
  const TScreenTipScope scope(window, AScreenTip);
  return window->CalcHintRect(vcl::Screen()->GetWidth(), AHint, nullptr);
}

void TdxScreenTipStyle::ShowScreenTip(int X, int Y, const rtl::String& AHint, TdxScreenTip* AScreenTip)
{
  TdxScreenTipWindow* window = GetWindow();
  if (!window)
    return;
  const TScreenTipScope scope(window, AScreenTip);
  window->ShowHint(X, Y, 0, AHint, rtl::String());
}

// ---------------------------------------------------------------------------
// TdxScreenTipPainter

IdxColorPalette* TdxScreenTipPainter::GetColorPalette()
{
  return FPainter ? FPainter->ScreenTipGetColorPalette() : nullptr;
}

vcl::TColor TdxScreenTipPainter::GetDescriptionTextColor()
{
  return FPainter ? FPainter->ScreenTipGetDescriptionTextColor() : vcl::clDefault;
}

int TdxScreenTipPainter::GetFooterLineSize()
{
  return FPainter ? FPainter->ScreenTipGetFooterLineSize() : 3;
}

vcl::TColor TdxScreenTipPainter::GetTitleTextColor()
{
  return FPainter ? FPainter->ScreenTipGetTitleTextColor() : vcl::clDefault;
}

void TdxScreenTipPainter::DrawBackground(TcxCanvas* ACanvas, const TRect& R)
{
  if (FPainter)
    FPainter->ScreenTipDrawBackground(ACanvas, R);
}

void TdxScreenTipPainter::DrawFooterLine(TcxCanvas* ACanvas, const TRect& R)
{
  if (FPainter)
    FPainter->ScreenTipDrawFooterLine(ACanvas, R);
}

// ---------------------------------------------------------------------------
// TdxScreenTipBandViewInfo

void TdxScreenTipBandViewInfo::Create(TdxCustomScreenTipBand* ABand, const rtl::String& AHintText,
                                      const rtl::String& AShortCut, TdxScaleFactor* AScaleFactor,
                                      int AFooterLineSize)
{
  inherited::Create();
  FBand = ABand;
  FHintText = AHintText;
  FShortCut = AShortCut;
  FScaleFactor = AScaleFactor;
  FFooterLineSize = AFooterLineSize;
}

int TdxScreenTipBandViewInfo::GetIndent() const
{
  return FScaleFactor->Apply(FBand->GetBandType() == TdxScreenTipBandType::stbDescription ? 14 : 6);
}

int TdxScreenTipBandViewInfo::GetGlyphAreaWidth() const
{
  if (!FBand->GetGlyphFixedWidth())
    return cxGetImageSize(FBand->GetGlyph(), FScaleFactor).cx;
  if (FBand->GetBandType() == TdxScreenTipBandType::stbDescription)
    return FScaleFactor->Apply(108) - GetIndent();
  return FScaleFactor->Apply(16);
}

int TdxScreenTipBandViewInfo::GetVerticalIndent() const
{
  if (FBand->GetBandType() == TdxScreenTipBandType::stbFooter)
    return FScaleFactor->Apply(FFooterLineSize + 6);
  return FScaleFactor->Apply(6);
}

// Header and footer without a fixed glyph width are one centred line.
bool TdxScreenTipBandViewInfo::IsSingleLine() const
{
  return FBand->GetBandType() != TdxScreenTipBandType::stbDescription && !FBand->GetGlyphFixedWidth();
}

rtl::String TdxScreenTipBandViewInfo::GetText() const
{
  if (FBand->GetBandType() != TdxScreenTipBandType::stbHeader)
    return FBand->GetText();
  return (FHintText.empty() ? FBand->GetText() : FHintText) + FShortCut;
}

UINT TdxScreenTipBandViewInfo::GetTextFlags(bool ADrawing) const
{
  UINT flags = DT_NOPREFIX;
  if (UseRightToLeftReading)
    flags |= DT_RTLREADING;
  if (UseRightToLeftAlignment)
    flags |= DT_RIGHT;
  if (FBand->GetBandType() == TdxScreenTipBandType::stbDescription)
    flags |= DT_WORDBREAK | DT_EDITCONTROL;
  else if (IsSingleLine())
    flags |= DT_SINGLELINE | (ADrawing ? DT_VCENTER : 0);
  return flags;
}

TdxRichTextHelper* TdxScreenTipBandViewInfo::GetRichTextHelper() const
{
  return RichTextHelper(FBand->GetBandType());
}

int TdxScreenTipBandViewInfo::GetMinWidth(vcl::TCanvas* ACanvas)
{
  ACanvas->GetFont()->Assign(FBand->GetFont());
  const rtl::String text = GetText();
  TRect r{};
  if (!text.empty())
    DrawTextW(ACanvas->GetHandle(), text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  int width = r.right - r.left + 2 * GetIndent();
  if (FBand->HasGlyph())
    width += GetGlyphAreaWidth() + GetIndent();
  return width;
}

void TdxScreenTipBandViewInfo::CalculateTextSize(vcl::TCanvas* ACanvas, int AWidth)
{
  FTextSize = {};
  const rtl::String text = GetText();
  if (text.empty())
    return;
  ACanvas->GetFont()->Assign(FBand->GetFont());
  TRect r{0, 0, std::max(AWidth, 0), 0};
  if (FBand->GetPlainText()) {
    DrawTextW(ACanvas->GetHandle(), text.c_str(), -1, &r, DT_CALCRECT | GetTextFlags(false));
  } else {
    TdxRichTextHelper* helper = GetRichTextHelper();
    helper->Init(ACanvas, text, FScaleFactor);
    helper->CalculateTextHeight(ACanvas, r);
  }
  FTextSize = {r.right - r.left, r.bottom - r.top};
}

void TdxScreenTipBandViewInfo::Calculate(vcl::TCanvas* ACanvas, int ATop, int AWidth)
{
  const int indent = GetIndent();
  const bool hasGlyph = FBand->HasGlyph();
  const int glyphArea = hasGlyph ? GetGlyphAreaWidth() : 0;
  FGlyphSize = {};
  if (hasGlyph) {
    FGlyphSize = cxGetImageSize(FBand->GetGlyph(), FScaleFactor);
    if (FGlyphSize.cx > glyphArea && FGlyphSize.cx > 0) {
      FGlyphSize.cy = MulDiv(FGlyphSize.cy, glyphArea, FGlyphSize.cx);
      FGlyphSize.cx = glyphArea;
    }
  }
  int textWidth = AWidth - 2 * indent;
  if (hasGlyph)
    textWidth -= glyphArea + indent;
  CalculateTextSize(ACanvas, textWidth);

  const int verticalIndent = GetVerticalIndent();
  const int height =
      FTextSize.cy == 0 && !hasGlyph ? 0 : std::max<int>(FGlyphSize.cy, FTextSize.cy) + 2 * verticalIndent;
  FBounds = {0, ATop, AWidth, ATop + height};

  const bool textRight = FBand->GetTextAlign() == TdxScreenTipBandTextAlign::stbtaRight;
  FTextBounds.left = indent;
  if (textRight && hasGlyph)
    FTextBounds.left += glyphArea + indent;
  FTextBounds.right = textRight ? AWidth - indent : FTextBounds.left + FTextSize.cx;
  if (IsSingleLine()) {
    FTextBounds.top = FBounds.top;
    FTextBounds.bottom = FBounds.bottom;
  } else {
    FTextBounds.top = FBounds.top + verticalIndent;
    FTextBounds.bottom = FTextBounds.top + FTextSize.cy;
  }

  FGlyphBounds = {};
  if (hasGlyph) {
    const int areaLeft = textRight ? indent : AWidth - indent - glyphArea;
    FGlyphBounds.left = areaLeft + (glyphArea - FGlyphSize.cx) / 2;
    FGlyphBounds.top = FBand->GetBandType() == TdxScreenTipBandType::stbDescription
                           ? FBounds.top + verticalIndent
                           : FBounds.top + (height - FGlyphSize.cy) / 2;
    FGlyphBounds.right = FGlyphBounds.left + FGlyphSize.cx;
    FGlyphBounds.bottom = FGlyphBounds.top + FGlyphSize.cy;
  }
  if (UseRightToLeftAlignment) {
    FTextBounds = TdxRightToLeftLayoutConverter::ConvertRect(FTextBounds, FBounds);
    if (hasGlyph)
      FGlyphBounds = TdxRightToLeftLayoutConverter::ConvertRect(FGlyphBounds, FBounds);
  }
}

void TdxScreenTipBandViewInfo::Paint(TcxCanvas* ACanvas, TdxScreenTipPainter* APainter)
{
  const rtl::String text = GetText();
  if (!text.empty()) {
    ACanvas->GetFont()->Assign(FBand->GetFont());
    vcl::TColor color = ACanvas->GetFont()->GetColor();
    if (FBand->IsDefaultTextColor()) {
      const vcl::TColor painterColor = FBand->GetBandType() == TdxScreenTipBandType::stbDescription
                                           ? APainter->GetDescriptionTextColor()
                                           : APainter->GetTitleTextColor();
      if (painterColor != vcl::clDefault)
        color = painterColor;
    }
    ACanvas->GetFont()->SetColor(color);
    if (FBand->GetPlainText()) {
      TRect r = FTextBounds;
      cxDrawTextWithColor(ACanvas->GetHandle(), text, r, TRANSPARENT, color, -1, GetTextFlags(true));
    } else {
      TdxRichTextHelper* helper = GetRichTextHelper();
      helper->Init(ACanvas->GetCanvas(), text, FScaleFactor);
      helper->DrawText(ACanvas->GetCanvas(), FTextBounds);
    }
  }
  if (FBand->HasGlyph())
    cxDrawImageToDC(ACanvas->GetHandle(), FGlyphBounds, FGlyphBounds, APainter->GetColorPalette(), false,
                    vcl::clNone, nullptr, true, TcxImageDrawMode::idmNormal, FBand->GetGlyph());
  if (FBand->GetBandType() == TdxScreenTipBandType::stbFooter) {
    const TRect line{FBounds.left + 5, FBounds.top, FBounds.right - 5, FBounds.top + FFooterLineSize};
    APainter->DrawFooterLine(ACanvas, line);
  }
}

// ---------------------------------------------------------------------------
// TdxScreenTipViewInfoHelper

void TdxScreenTipViewInfoHelper::Create(TdxScreenTip* AScreenTip, TdxScreenTipPainter* APainter,
                                        const rtl::String& AHint, const rtl::String& AShortCut)
{
  inherited::Create();
  FScreenTip = AScreenTip;
  FPainter = APainter;
  FHintText = AScreenTip->GetUseHintAsHeader() ? AHint : rtl::String();
  FShortCut = AShortCut;
}

void TdxScreenTipViewInfoHelper::Destroy()
{
  ClearBands();
  inherited::Destroy();
}

void TdxScreenTipViewInfoHelper::ClearBands()
{
  for (TdxScreenTipBandViewInfo* band : FBandViewInfos)
    rtl::Free(band);
  FBandViewInfos.clear();
}

TdxScaleFactor* TdxScreenTipViewInfoHelper::GetScaleFactor()
{
  return FScreenTip->GetScaleFactor();
}

TdxScreenTipBandViewInfo* TdxScreenTipViewInfoHelper::CreateBandViewInfo(TdxCustomScreenTipBand* ABand)
{
  auto* info =
      rtl::New<TdxScreenTipBandViewInfo>(ABand, FHintText, FShortCut, GetScaleFactor(), FPainter->GetFooterLineSize());
  info->UseRightToLeftAlignment = UseRightToLeftAlignment;
  info->UseRightToLeftReading = UseRightToLeftReading;
  return info;
}

void TdxScreenTipViewInfoHelper::Calculate(vcl::TCanvas* ACanvas)
{
  ClearBands();
  for (TdxScreenTipBandType type : AllBandTypes) {
    TdxCustomScreenTipBand* band = FScreenTip->GetBandForCalculation(type);
    if (band->IsVisible(FHintText))
      FBandViewInfos.push_back(CreateBandViewInfo(band));
  }
  int width = FScreenTip->GetWidth();
  for (TdxScreenTipBandViewInfo* info : FBandViewInfos)
    if (info->GetBand()->GetBandType() != TdxScreenTipBandType::stbDescription)
      width = std::max(width, info->GetMinWidth(ACanvas));
  int top = 0;
  for (TdxScreenTipBandViewInfo* info : FBandViewInfos) {
    info->Calculate(ACanvas, top, width);
    top = info->GetBounds().bottom;
  }
  FBoundsRect = {0, 0, width, top};
}

void TdxScreenTipViewInfoHelper::Paint(vcl::TCanvas* ACanvas)
{
  TcxPaintCanvas* canvas = cxPaintCanvas();
  canvas->BeginPaint(ACanvas);
  struct TEndPaint {
    TcxPaintCanvas* Canvas;
    ~TEndPaint() { Canvas->EndPaint(); }
  } endPaint{canvas};
  const vcl::TSaveDCGuard saved(canvas->GetHandle());
  {
    // Clip regions are in device units.
    POINT corners[2] = {{FBoundsRect.left, FBoundsRect.top}, {FBoundsRect.right + 1, FBoundsRect.bottom + 1}};
    LPtoDP(canvas->GetHandle(), corners, 2);
    const vcl::TOwnedRegion region(
        CreateRoundRectRgn(corners[0].x, corners[0].y, corners[1].x, corners[1].y, 2, 2));
    ExtSelectClipRgn(canvas->GetHandle(), region.Get(), RGN_AND);
  }
  FPainter->DrawBackground(canvas, FBoundsRect);
  for (TdxScreenTipBandViewInfo* info : FBandViewInfos)
    info->Paint(canvas, FPainter);
}

void TdxScreenTipViewInfo::Create(TdxScreenTip* AScreenTip, const rtl::String& AShortCut, const rtl::String& AHint,
                                  TcxCustomLookAndFeelPainter* APainter)
{
  FScreenTip = AScreenTip;
  FShortCut = AShortCut;
  FHint = AHint;
  FPainter = rtl::New<TdxScreenTipPainter>(APainter);
  inherited::Create();
}

void TdxScreenTipViewInfo::Destroy()
{
  inherited::Destroy();
  rtl::Free(std::exchange(FPainter, nullptr));
}

TdxCustomHintViewInfoHelper* TdxScreenTipViewInfo::CreateHelper()
{
  return rtl::New<TdxScreenTipViewInfoHelper>(FScreenTip, FPainter, FHint, FShortCut);
}

// ---------------------------------------------------------------------------
// Hint-like tips

void TdxScreenTipLikeHintViewInfoHelper::Create(TdxScreenTipPainter* APainter, const rtl::String& AHint,
                                                const rtl::String& AShortCut, const TPoint& ACursorPos)
{
  inherited::Create(AHint, AShortCut, ACursorPos);
  FPainter = APainter;
}

void TdxScreenTipLikeHintViewInfoHelper::AddTextMargins(TSize& ASize)
{
  inherited::AddTextMargins(ASize);
  const int margin = GetScaleFactor()->Apply(4) + 1;
  ASize.cx += margin;
  ASize.cy += margin;
}

TRect TdxScreenTipLikeHintViewInfoHelper::GetTextRect()
{
  TRect r = FBoundsRect;
  const int indent = 1 + GetScaleFactor()->Apply(4);
  InflateRect(&r, -indent, -indent);
  return r;
}

void TdxScreenTipLikeHintViewInfoHelper::PrepareFontColor(vcl::TCanvas* ACanvas)
{
  const vcl::TColor color = FPainter->GetTitleTextColor();
  if (color == vcl::clDefault)
    inherited::PrepareFontColor(ACanvas);
  else
    ACanvas->GetFont()->SetColor(color);
}

void TdxScreenTipLikeHintViewInfoHelper::Paint(vcl::TCanvas* ACanvas)
{
  PrepareFont(ACanvas);
  TcxPaintCanvas* canvas = cxPaintCanvas();
  canvas->BeginPaint(ACanvas);
  struct TEndPaint {
    TcxPaintCanvas* Canvas;
    ~TEndPaint() { Canvas->EndPaint(); }
  } endPaint{canvas};
  FPainter->DrawBackground(canvas, FBoundsRect);
  DrawHintText(ACanvas);
}

void TdxScreenTipLikeHintViewInfo::Create(TcxCustomLookAndFeelPainter* APainter, const TPoint& ACursorPos,
                                          const rtl::String& AShortCut, const rtl::String& AHint)
{
  FCursorPos = ACursorPos;
  FShortCut = AShortCut;
  FHint = AHint;
  FPainter = rtl::New<TdxScreenTipPainter>(APainter);
  inherited::Create();
}

void TdxScreenTipLikeHintViewInfo::Destroy()
{
  inherited::Destroy();
  rtl::Free(std::exchange(FPainter, nullptr));
}

TdxCustomHintViewInfoHelper* TdxScreenTipLikeHintViewInfo::CreateHelper()
{
  return rtl::New<TdxScreenTipLikeHintViewInfoHelper>(FPainter, FHint, FShortCut, FCursorPos);
}

// ---------------------------------------------------------------------------
// TdxScreenTipWindow

namespace {

// The controller whose window this is, else the active one.
TcxCustomHintStyleController* WindowController(TdxScreenTipWindow* AWindow)
{
  if (auto* owner = AsOrNil<TcxCustomHintStyleController>(AWindow->GetOwner()))
    return owner;
  return cxGetHintStyleController();
}

}  // namespace

void TdxScreenTipWindow::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  SetColor(vcl::clInfoBk);
  SetAnimationStyle(TcxHintAnimationStyle::cxhaNone);
  SetBorderStyle(vcl::TBorderStyle::bsSingle);
  FBorderWidth = 1;
}

void TdxScreenTipWindow::Destroy()
{
  FreeViewInfo();
  inherited::Destroy();
}

void TdxScreenTipWindow::FreeViewInfo()
{
  rtl::Free(std::exchange(FViewInfo, nullptr));
}

TdxCustomHintViewInfo* TdxScreenTipWindow::CreateViewInfo(const rtl::String& AHint)
{
  TcxCustomHintStyleController* controller = WindowController(this);
  auto* style = controller ? AsOrNil<TdxScreenTipStyle>(controller->GetHintStyle()) : nullptr;
  TdxScreenTip* screenTip = FScreenTip;
  rtl::String shortCut;
  if (!screenTip && style)
    if (vcl::TControl* hinted = cxGetHintedControl())
      style->GetScreenTipInfo(hinted, screenTip, shortCut);
  TcxCustomLookAndFeelPainter* painter = GetLookAndFeelPainter();
  if (!painter && controller)
    painter = controller->GetLookAndFeelPainter();

  TdxScreenTipRepository* repository = screenTip ? screenTip->GetRepository() : nullptr;
  if (screenTip && (!repository || repository->GetShowDescription())) {
    if (screenTip->GetUseHintAsHeader())
      shortCut.clear();
    return rtl::New<TdxScreenTipViewInfo>(screenTip, shortCut, AHint, painter);
  }
  rtl::String text = AHint;
  if (screenTip && !screenTip->GetUseHintAsHeader() && !screenTip->GetHeader()->GetText().empty())
    text = screenTip->GetHeader()->GetText();
  else
    shortCut.clear();
  return rtl::New<TdxScreenTipLikeHintViewInfo>(painter, cxGetMouseCursorPosition(), shortCut, text);
}

TRect TdxScreenTipWindow::CalcHintRect(int AMaxWidth, const rtl::String& AHint, rtl::TObject* AData)
{
  FreeViewInfo();
  TcxCustomHintStyleController* controller = WindowController(this);
  if (controller && controller->GetHintStyle()) {
    SetStandardHint(false);
    FViewInfo = CreateViewInfo(AHint);
    FViewInfo->UseRightToLeftAlignment = GetSystemMetrics(SM_MIDEASTENABLED) != 0 &&
                                         GetBiDiMode() == vcl::TBiDiMode::bdRightToLeft;
    FViewInfo->UseRightToLeftReading = UseRightToLeftReading();
    FViewInfo->Calculate(GetCanvas());
    return FViewInfo->GetBoundsRect();
  }
  SetStandardHint(true);
  GetCanvas()->GetFont()->Assign(vcl::Screen()->GetHintFont());
  return AHint.empty() ? TRect{} : inherited::CalcHintRect(AMaxWidth, AHint, AData);
}

void TdxScreenTipWindow::ShowHint(int X, int Y, int AMaxWidth, const rtl::String& AHint,
                                  const rtl::String& /*ACaption*/)
{
  TRect r = CalcHintRect(AMaxWidth == 0 ? vcl::Screen()->GetWidth() : AMaxWidth, AHint, nullptr);
  OffsetRect(&r, X - r.left, Y - r.top);
  ActivateHint(r, AHint);
}

void TdxScreenTipWindow::CorrectRect(TRect& R)
{
  if (GetSystemMetrics(SM_MIDEASTENABLED) != 0 && GetBiDiMode() == vcl::TBiDiMode::bdRightToLeft &&
      IsRectEmpty(&GetHintAreaBounds()))
    OffsetRect(&R, -(R.right - R.left), 0);
  InflateRect(&R, FBorderWidth, FBorderWidth);
  inherited::CorrectRect(R);
}

void TdxScreenTipWindow::SetWindowRegion()
{
  if (!HandleAllocated())
    return;
  const TRect client = GetClientRect();
  vcl::TOwnedRegion region(CreateRoundRectRgn(0, 0, client.right + 1, client.bottom + 1, 2, 2));
  OffsetRgn(region.Get(), FBorderWidth, FBorderWidth);
  // The window owns the region once it took it.
  if (SetWindowRgn(GetHandle(), region.Get(), TRUE))
    region.Release();
}

void TdxScreenTipWindow::Paint()
{
  if (GetStandardHint()) {
    ResetWindowRegion();
    inherited::Paint();
    return;
  }
  if (FViewInfo)
    FViewInfo->Paint(GetCanvas());
}

void TdxScreenTipWindow::WMShowWindow(vcl::TMessage& AMessage)
{
  if (AMessage.WParam == 0) {
    FreeViewInfo();
    cxResetHintedControl();
  }
  rtl::InheritedMessage(this, AMessage);
}

// ---------------------------------------------------------------------------
// Start-up and shut-down

namespace {

void dxScreenTipInitialization()
{
  rtl::RegisterClasses({rtl::TPersistentClass::Of<TdxScreenTip>(), rtl::TPersistentClass::Of<TdxScreenTipBand>(),
                        rtl::TPersistentClass::Of<TdxScreenTipCollection>(),
                        rtl::TPersistentClass::Of<TdxScreenTipStyle>(), rtl::TPersistentClass::Of<TdxScreenTipLinks>(),
                        rtl::TPersistentClass::Of<TdxScreenTipLink>(),
                        rtl::TPersistentClass::Of<TdxScreenTipActionLinks>(),
                        rtl::TPersistentClass::Of<TdxScreenTipActionLink>()});
  cxGetRegisteredHintStyles()->Register(TdxScreenTipStyle::StaticClass(), L"ScreenTip");
}

void dxScreenTipFinalization()
{
  if (TcxRegisteredClasses* styles = cxGetRegisteredHintStyles())
    styles->Unregister(TdxScreenTipStyle::StaticClass());
  for (TdxRichTextHelper*& helper : gRichTextHelpers)
    rtl::Free(std::exchange(helper, nullptr));
}

}  // namespace

RTL_UNIT(dxScreenTip, &dxScreenTipInitialization, &dxScreenTipFinalization);
