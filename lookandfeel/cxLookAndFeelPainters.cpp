#include "lookandfeel/cxLookAndFeelPainters.h"

#include <algorithm>

#include "core/cxGeometry.h"
#include "core/cxLibraryStrs.h"
#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "graphics/dxOffice11.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "platform/rtl/ClassesThreads.h"
#include "platform/rtl/SysUtils.h"
#include "skins/dxSkinsCore.h"

using enum TcxButtonState;
using enum TcxCheckBoxState;
using enum TcxExpandButtonState;
using enum TcxLookAndFeelKind;
using enum TcxLookAndFeelStyle;
using enum TcxRotationAngle;
using enum TdxCorner;

using namespace vcl;

// ---------------------------------------------------------------------------
// The shared palette window

// Declared here rather than in the header: nothing outside the unit sees it.
// Its walks take a snapshot, so a notifier that frees itself or another
// during the walk neither makes a neighbour miss the change nor is reached
// after it has gone.
class TcxSystemPaletteChangedListener : public rtl::TObject {
  RTL_CLASS(TcxSystemPaletteChangedListener, rtl::TObject)

 public:
  void Create()
  {
    // The palette's colours must be current before any subscriber reads
    // them, so the listener holds a reference for its whole life.
    dxOffice11AddColorsRef();
    FWindowHandle = rtl::AllocateHWnd(rtl::TWndMethod::Bind<&TcxSystemPaletteChangedListener::PaletteWndProc>(this));
  }
  void Destroy() override
  {
    rtl::DeallocateHWnd(FWindowHandle);
    FWindowHandle = nullptr;
    dxOffice11ReleaseColors();
    inherited::Destroy();
  }

  void AddNotifier(TcxSystemPaletteChangedNotifier* ANotifier, bool AIsPrimary)
  {
    ListOf(AIsPrimary).push_back(ANotifier);
  }
  void RemoveNotifier(TcxSystemPaletteChangedNotifier* ANotifier, bool AIsPrimary)
  {
    auto& list = ListOf(AIsPrimary);
    list.erase(std::remove(list.begin(), list.end(), ANotifier), list.end());
  }
  HWND GetHandle() const { return FWindowHandle; }

 private:
  std::vector<TcxSystemPaletteChangedNotifier*>& ListOf(bool AIsPrimary)
  {
    return AIsPrimary ? FPrimaryNotifierList : FNotifierList;
  }

  void NotifyNewestFirst(bool AIsPrimary)
  {
    const std::vector<TcxSystemPaletteChangedNotifier*> snapshot = ListOf(AIsPrimary);
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
      const auto& current = ListOf(AIsPrimary);
      if (std::find(current.begin(), current.end(), *it) != current.end())
        (*it)->DoSystemPaletteChanged();
    }
  }

  void PaletteWndProc(rtl::TMessage& AMessage)
  {
    // The default procedure runs also when a subscriber raises; the
    // exception then goes on to the window's callback guard.
    const rtl::Finally passOn([&] {
      AMessage.Result = DefWindowProcW(FWindowHandle, AMessage.Msg, AMessage.WParam, AMessage.LParam);
    });
    if (AMessage.Msg == WM_SYSCOLORCHANGE) {
      dxOffice11RefreshColors();
      NotifyNewestFirst(true);
      NotifyNewestFirst(false);
    }
  }

  std::vector<TcxSystemPaletteChangedNotifier*> FNotifierList;
  std::vector<TcxSystemPaletteChangedNotifier*> FPrimaryNotifierList;
  HWND FWindowHandle;
};

namespace {

TcxSystemPaletteChangedListener* SystemPaletteListener;
int SystemPaletteListenerRefCount;

TcxLookAndFeelPaintersManager* PaintersManager;

// The painters unit's own primary subscriber: shared caches of colours
// rebuilt before any look and feel repaints.
class TSystemPaletteChangedNotifier : public TcxSystemPaletteChangedNotifier {
  RTL_CLASS(TSystemPaletteChangedNotifier, TcxSystemPaletteChangedNotifier)

 protected:
  void DoSystemPaletteChanged() override
  {
    // Brushes of system colours are cached by colour value, so a brush made
    // before the change would keep painting the old colour.
    TdxSolidBrushCache::Clear();
    TcxRadioButtonImageListManager::Reset();
    if (cxScrollBarPatternBitmap(0))
      cxFillScrollBarPatternBitmaps();
  }
};

TSystemPaletteChangedNotifier* PrimaryNotifier;

vcl::TBitmap* PatternBitmaps[2];
TSize CheckButtonSize;
vcl::TImageList* IndicatorImages;

// ASCII letters only: skin names are identifiers, and a locale's case rules
// must not make two registered names collide or differ.
bool SameNameIgnoringAsciiCase(const rtl::String& A, const rtl::String& B)
{
  if (A.size() != B.size())
    return false;
  const auto lower = [](wchar_t C) { return C >= L'A' && C <= L'Z' ? static_cast<wchar_t>(C + 32) : C; };
  for (size_t i = 0; i < A.size(); ++i)
    if (lower(A[i]) != lower(B[i]))
      return false;
  return true;
}

int ComparePainterNames(void* AItem1, void* AItem2)
{
  return rtl::AnsiCompareStr(static_cast<TcxCustomLookAndFeelPainter*>(AItem1)->LookAndFeelName(),
                             static_cast<TcxCustomLookAndFeelPainter*>(AItem2)->LookAndFeelName());
}

// OBM_CHECKBOXES, declared by windows.h only under OEMRESOURCE: four columns
// by three rows of check-box cells.
constexpr WORD kCheckBoxesBitmap = 32759;

void MeasureCheckButtonSize()
{
  HBITMAP bitmap = LoadBitmapW(nullptr, MAKEINTRESOURCEW(kCheckBoxesBitmap));
  BITMAP info{};
  if (bitmap && GetObjectW(bitmap, sizeof(info), &info))
    CheckButtonSize = {info.bmWidth / 4, info.bmHeight / 3};
  if (bitmap)
    DeleteObject(bitmap);
}

void StartStep()
{
  cxFillScrollBarPatternBitmaps();
  MeasureCheckButtonSize();
  cxRegisterBuiltInPainters();
  if (rtl::IsLibrary())
    dxOffice11RefreshColors();
}

void FinishStep()
{
  if (PaintersManager)
    PaintersManager->ReleaseImageResources();
  TcxRadioButtonImageListManager::Free();
  rtl::FreeAndNil(PatternBitmaps[0]);
  rtl::FreeAndNil(PatternBitmaps[1]);
  rtl::FreeAndNil(IndicatorImages);
}

void cxLookAndFeelPaintersInitialization()
{
  PaintersManager = rtl::New<TcxLookAndFeelPaintersManager>();
  PrimaryNotifier = rtl::New<TSystemPaletteChangedNotifier>(true);
  dxGetUnitsLoader()->AddUnit(&StartStep, &FinishStep);
}

void cxLookAndFeelPaintersFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&FinishStep);
  rtl::FreeAndNil(PrimaryNotifier);
  rtl::FreeAndNil(PaintersManager);
}

}  // namespace

RTL_UNIT(cxLookAndFeelPainters, &cxLookAndFeelPaintersInitialization, &cxLookAndFeelPaintersFinalization);

TcxLookAndFeelPaintersManager* cxLookAndFeelPaintersManager()
{
  return PaintersManager;
}

// ---------------------------------------------------------------------------
// TcxLookAndFeelPaintersManager

void TcxLookAndFeelPaintersManager::Create()
{
  FPainters = rtl::New<TcxObjectList>(true);
}

void TcxLookAndFeelPaintersManager::Destroy()
{
  FListeners.clear();
  rtl::FreeAndNil(FPainters);
  inherited::Destroy();
}

bool TcxLookAndFeelPaintersManager::Register(TcxCustomLookAndFeelPainter* APainter)
{
  if (GetPainter(APainter->LookAndFeelName())) {
    rtl::Free(APainter);
    return false;
  }
  FPainters->Add(APainter);
  FPainters->Sort(&ComparePainterNames);
  DoPainterChanged(APainter, true);
  return true;
}

bool TcxLookAndFeelPaintersManager::Unregister(const rtl::String& AName)
{
  TcxCustomLookAndFeelPainter* painter = GetPainter(AName);
  if (!painter)
    return false;
  FPainters->Remove(painter);
  const rtl::TOwnedPtr<TcxCustomLookAndFeelPainter> freeAfterwards(painter);
  DoPainterChanged(painter, false);
  return true;
}

void TcxLookAndFeelPaintersManager::DoPainterChanged(TcxCustomLookAndFeelPainter* APainter, bool AAdded)
{
  if (TcxLookAndFeel* root = cxGetRootLookAndFeel())
    root->Refresh();
  // A snapshot, newest first; a listener removed by another one's call is
  // not called afterwards.
  const std::vector<IcxLookAndFeelPainterListener*> snapshot = FListeners;
  for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
    if (std::find(FListeners.begin(), FListeners.end(), *it) == FListeners.end())
      continue;
    if (AAdded)
      (*it)->PainterAdded(APainter);
    else
      (*it)->PainterRemoved(APainter);
  }
}

TcxCustomLookAndFeelPainter* TcxLookAndFeelPaintersManager::GetItem(int AIndex) const
{
  return static_cast<TcxCustomLookAndFeelPainter*>(FPainters->GetItem(AIndex));
}

TcxCustomLookAndFeelPainter* TcxLookAndFeelPaintersManager::GetPainter(TcxLookAndFeelStyle AStyle) const
{
  for (int i = 0; i < GetCount(); ++i)
    if (GetItem(i)->LookAndFeelStyle() == AStyle)
      return GetItem(i);
  return nullptr;
}

bool TcxLookAndFeelPaintersManager::GetPainter(TcxLookAndFeelStyle AStyle,
                                               TcxCustomLookAndFeelPainter*& APainter) const
{
  APainter = GetPainter(AStyle);
  return APainter != nullptr;
}

TcxCustomLookAndFeelPainter* TcxLookAndFeelPaintersManager::GetPainter(const rtl::String& AName) const
{
  for (int i = 0; i < GetCount(); ++i)
    if (SameNameIgnoringAsciiCase(GetItem(i)->LookAndFeelName(), AName))
      return GetItem(i);
  return nullptr;
}

bool TcxLookAndFeelPaintersManager::GetPainter(const rtl::String& AName, TcxCustomLookAndFeelPainter*& APainter) const
{
  APainter = GetPainter(AName);
  return APainter != nullptr;
}

void TcxLookAndFeelPaintersManager::AddListener(IcxLookAndFeelPainterListener* AListener)
{
  if (AListener && std::find(FListeners.begin(), FListeners.end(), AListener) == FListeners.end())
    FListeners.push_back(AListener);
}

void TcxLookAndFeelPaintersManager::RemoveListener(IcxLookAndFeelPainterListener* AListener)
{
  FListeners.erase(std::remove(FListeners.begin(), FListeners.end(), AListener), FListeners.end());
}

void TcxLookAndFeelPaintersManager::ReleaseImageResources()
{
  for (int i = 0; i < GetCount(); ++i)
    GetItem(i)->FreeCachedResources();
}

// ---------------------------------------------------------------------------
// TcxSystemPaletteChangedNotifier

void TcxSystemPaletteChangedNotifier::Create(bool AIsPrimary)
{
  FIsPrimary = AIsPrimary;
  if (SystemPaletteListenerRefCount++ == 0)
    SystemPaletteListener = rtl::New<TcxSystemPaletteChangedListener>();
  SystemPaletteListener->AddNotifier(this, FIsPrimary);
}

void TcxSystemPaletteChangedNotifier::Destroy()
{
  if (SystemPaletteListener) {
    SystemPaletteListener->RemoveNotifier(this, FIsPrimary);
    if (--SystemPaletteListenerRefCount == 0)
      rtl::FreeAndNil(SystemPaletteListener);
  }
  inherited::Destroy();
}

void TcxSystemPaletteChangedNotifier::DoSystemPaletteChanged()
{
  if (FOnSystemPaletteChanged)
    FOnSystemPaletteChanged();
}

HWND cxSystemPaletteListenerHandle()
{
  return SystemPaletteListener ? SystemPaletteListener->GetHandle() : nullptr;
}

// ---------------------------------------------------------------------------
// Shared drawing resources

vcl::TBitmap* cxScrollBarPatternBitmap(int AIndex)
{
  return AIndex == 0 || AIndex == 1 ? PatternBitmaps[AIndex] : nullptr;
}

void cxFillScrollBarPatternBitmaps()
{
  static constexpr TColor kColors[2][2] = {{clBtnFace, clBtnHighlight}, {clBlack, cl3DDkShadow}};
  for (int index = 0; index < 2; ++index) {
    if (!PatternBitmaps[index]) {
      PatternBitmaps[index] = rtl::New<vcl::TBitmap>();
      PatternBitmaps[index]->SetSize(8, 8);
    }
    vcl::TCanvas* canvas = PatternBitmaps[index]->GetCanvas();
    for (int row = 0; row < 8; ++row)
      for (int column = 0; column < 8; ++column)
        canvas->SetPixel(column, row, ColorToRGB(kColors[index][(row + column) % 2]));
  }
}

TSize cxCheckButtonSize()
{
  return CheckButtonSize;
}

vcl::TImageList* cxGetIndicatorImages()
{
  if (IndicatorImages)
    return IndicatorImages;
  // The order is the image index: indicator kind minus one, then the
  // summary-value sorting mark.
  static constexpr const wchar_t* kNames[] = {L"CX_ARROWBITMAP",      L"CX_EDITBITMAP",      L"CX_INSERTBITMAP",
                                              L"CX_MULTIDOTBITMAP",   L"CX_MULTIARROWBITMAP", L"CX_FILTERBITMAP",
                                              L"CX_INPLACEEDITBITMAP", L"CX_SORTBYSUMMARYVALUE"};
  rtl::TOwnedPtr<vcl::TImageList> images(rtl::New<vcl::TImageList>(nullptr));
  const rtl::TOwnedPtr<vcl::TBitmap> bitmap(rtl::New<vcl::TBitmap>());
  for (const wchar_t* name : kNames) {
    bitmap->LoadFromResourceName(GetModuleHandleW(nullptr), name);
    if (images->GetCount() == 0)
      images->SetSize(bitmap->GetWidth(), bitmap->GetHeight());
    images->AddMasked(bitmap.get(), clWhite);
  }
  IndicatorImages = images.release();
  return IndicatorImages;
}

void cxDrawMirrored(TcxCanvas* ACanvas, const TRect& R, const std::function<void(TcxCanvas*, const TRect&)>& ADraw)
{
  // The background is mirrored first and back again afterwards, so only
  // what ADraw adds ends up turned.
  const rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([&](TcxBitmap* B) { B->CreateSize(R); }));
  const TRect client = bitmap->GetClientRect();
  cxBlitRect(bitmap->GetCanvas()->GetHandle(), ACanvas->GetHandle(), client, {R.left, R.top});
  bitmap->Flip(true, false);
  ADraw(bitmap->GetcxCanvas(), client);
  bitmap->Flip(true, false);
  cxBlitRect(ACanvas->GetHandle(), bitmap->GetCanvas()->GetHandle(), R, {0, 0});
}

// ---------------------------------------------------------------------------
// Corner drawing

namespace {

// Applied twice it is the identity, which carries a bottom-right picture to
// the corner and turns the background back.
void TransformForCorner(TcxBitmap* ABitmap, TdxCorner ACorner)
{
  switch (ACorner) {
    case coTopLeft:
      ABitmap->Rotate(ra180, false);
      break;
    case coTopRight:
      ABitmap->Rotate(ra0, true);
      break;
    case coBottomLeft:
      ABitmap->Rotate(ra180, true);
      break;
    case coBottomRight:
      break;
  }
}

template <typename Draw>
void DrawForCorner(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor, TdxCorner ACorner, Draw ADraw)
{
  const rtl::TOwnedPtr<TcxBitmap> bitmap(
      rtl::NewWith<TcxBitmap>([&](TcxBitmap* B) { B->CreateSize(ARect); }));
  bitmap->GetCanvas()->SetBrush(ACanvas->GetBrush());
  const TRect client = bitmap->GetClientRect();
  if (AColor == clNone)
    cxBlitRect(bitmap->GetCanvas()->GetHandle(), ACanvas->GetHandle(), client, {ARect.left, ARect.top});
  else
    bitmap->GetcxCanvas()->FillRect(client, AColor);
  TransformForCorner(bitmap.get(), ACorner);
  ADraw(bitmap->GetcxCanvas(), client);
  TransformForCorner(bitmap.get(), ACorner);
  cxBlitRect(ACanvas->GetHandle(), bitmap->GetCanvas()->GetHandle(), ARect, {0, 0});
}

}  // namespace

void cxDrawForCorner(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor, TdxCorner ACorner,
                     TcxDrawForCornerProc AProc)
{
  DrawForCorner(ACanvas, ARect, AColor, ACorner, [&](TcxCanvas* ABitmapCanvas, const TRect& R) {
    if (AProc)
      AProc(ABitmapCanvas, R);
  });
}

void cxDrawForCornerByPainter(TcxCanvas* ACanvas, const TRect& ARect, const TdxScaleFactor* AScaleFactor,
                              TColor AColor, TdxCorner ACorner, TcxDrawForCornerByPainterProc AProc)
{
  DrawForCorner(ACanvas, ARect, AColor, ACorner, [&](TcxCanvas* ABitmapCanvas, const TRect& R) {
    if (AProc)
      AProc(ABitmapCanvas, R, AScaleFactor);
  });
}

// ---------------------------------------------------------------------------
// TcxCustomLookAndFeelPainter

void TcxCustomLookAndFeelPainter::Destroy()
{
  FreeCachedResources();
  inherited::Destroy();
}

bool TcxCustomLookAndFeelPainter::GetPainterData(void*)
{
  return false;
}

bool TcxCustomLookAndFeelPainter::IsInternalPainter()
{
  return false;
}

rtl::String TcxCustomLookAndFeelPainter::LookAndFeelName()
{
  return {};
}

TcxLookAndFeelStyle TcxCustomLookAndFeelPainter::LookAndFeelStyle()
{
  return lfsStandard;
}

bool TcxCustomLookAndFeelPainter::NeedRedrawOnResize()
{
  return false;
}

TColor TcxCustomLookAndFeelPainter::GridLikeControlContentColor()
{
  return DefaultContentColor();
}

TColor TcxCustomLookAndFeelPainter::GridLikeControlContentEvenColor()
{
  return DefaultContentEvenColor();
}

TColor TcxCustomLookAndFeelPainter::GridLikeControlContentOddColor()
{
  return DefaultContentOddColor();
}

TColor TcxCustomLookAndFeelPainter::ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor)
{
  if (AState == cxbsDisabled)
    return clBtnShadow;
  return ADefaultColor == clDefault ? clBtnText : ADefaultColor;
}

TColor TcxCustomLookAndFeelPainter::RadioButtonBodyColor(TcxButtonState AState)
{
  return AState == cxbsPressed || AState == cxbsDisabled ? clBtnFace : clWindow;
}

void TcxCustomLookAndFeelPainter::DrawScaledRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState AButtonState,
                                                        bool AChecked, bool AFocused, TColor ABrushColor,
                                                        const TdxScaleFactor* AScaleFactor, bool AIsDesigning)
{
  static constexpr TcxLookAndFeelKind kKindOfStyle[] = {lfFlat, lfStandard, lfUltraFlat, lfStandard, lfOffice11,
                                                        lfUltraFlat};
  TcxRadioButtonImageListManager::Get(AScaleFactor)
      ->Draw(ACanvas, X, Y, ABrushColor, kKindOfStyle[LookAndFeelStyle()], AButtonState, AChecked, AFocused,
             AIsDesigning);
}

TSize TcxCustomLookAndFeelPainter::ScaledRadioButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return TcxRadioButtonImageListManager::Get(AScaleFactor)->GetSize();
}

void TcxCustomLookAndFeelPainter::DrawRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState AButtonState,
                                                  bool AChecked, bool AFocused, TColor ABrushColor, bool AIsDesigning)
{
  DrawScaledRadioButton(ACanvas, X, Y, AButtonState, AChecked, AFocused, ABrushColor, dxGetSystemScaleFactor(),
                        AIsDesigning);
}

TSize TcxCustomLookAndFeelPainter::RadioButtonSize()
{
  return ScaledRadioButtonSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawScaledExpandButton(TcxCanvas*, const TRect&, bool, const TdxScaleFactor*, TColor,
                                                         TcxExpandButtonState)
{
  rtl::AbstractError();
}

int TcxCustomLookAndFeelPainter::ScaledExpandButtonSize(const TdxScaleFactor*)
{
  rtl::AbstractError();
}

void TcxCustomLookAndFeelPainter::DrawScaledSortingMark(TcxCanvas*, const TRect&, bool, const TdxScaleFactor*)
{
  rtl::AbstractError();
}

void TcxCustomLookAndFeelPainter::DrawScaledSummarySortingMark(TcxCanvas*, const TRect&, bool, const TdxScaleFactor*)
{
  rtl::AbstractError();
}

TPoint TcxCustomLookAndFeelPainter::ScaledSortingMarkSize(const TdxScaleFactor*)
{
  rtl::AbstractError();
}

TPoint TcxCustomLookAndFeelPainter::ScaledSummarySortingMarkSize(const TdxScaleFactor*)
{
  rtl::AbstractError();
}

void TcxCustomLookAndFeelPainter::DrawScaledFilterDropDownButton(TcxCanvas*, const TRect&, TcxButtonState, bool,
                                                                 const TdxScaleFactor*)
{
  rtl::AbstractError();
}

void TcxCustomLookAndFeelPainter::DrawExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, TColor AColor)
{
  DrawScaledExpandButton(ACanvas, R, AExpanded, dxGetSystemScaleFactor(), AColor, cebsNormal);
}

void TcxCustomLookAndFeelPainter::DrawSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting)
{
  DrawScaledSortingMark(ACanvas, R, AAscendingSorting, dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::CheckBorderSize()
{
  return 2;
}

TColor TcxCustomLookAndFeelPainter::CheckButtonColor(TcxButtonState AState, TcxCheckBoxState ACheckState)
{
  if (AState == cxbsNormal)
    return ACheckState == cbsGrayed ? clBtnFace : clWindow;
  return AState == cxbsPressed || AState == cxbsDisabled ? clBtnFace : clWindow;
}

TSize TcxCustomLookAndFeelPainter::ScaledCheckButtonAreaSize(const TdxScaleFactor* AScaleFactor)
{
  TSize result = ScaledCheckButtonSize(AScaleFactor);
  cxEnsureTouchSize(result, AScaleFactor);
  return result;
}

void TcxCustomLookAndFeelPainter::DrawCheckBorder(TcxCanvas*, const TRect&, TcxButtonState)
{
}

TSize TcxCustomLookAndFeelPainter::CheckButtonAreaSize()
{
  return ScaledCheckButtonAreaSize(dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::LabelLineHeight()
{
  return 2;
}

TSize TcxCustomLookAndFeelPainter::ScaledCheckButtonSize(const TdxScaleFactor* AScaleFactor)
{
  const TdxScaleFactor* system = dxGetSystemScaleFactor();
  return AScaleFactor->Apply(cxCheckButtonSize(), system->GetNumerator(), system->GetDenominator());
}

TSize TcxCustomLookAndFeelPainter::CheckButtonSize()
{
  return ScaledCheckButtonSize(dxGetSystemScaleFactor());
}

TColor TcxCustomLookAndFeelPainter::GetHighlightedTextColor()
{
  return dxOSIsWindowsVistaOrLater ? clHotLight : clHighlightText;
}

void TcxCustomLookAndFeelPainter::FillBackground(TcxCanvas* ACanvas, const TRect& R, vcl::TBitmap* ABitmap,
                                                 TColor AColor, bool AUseBitmap)
{
  if (!AUseBitmap)
    ACanvas->FillRect(R, AColor);
  else if (ABitmap)
    ACanvas->FillRect(R, ABitmap);
}

void TcxCustomLookAndFeelPainter::DrawDropDownArrow(TcxCanvas* ACanvas, const TRect& R, TColor AColor)
{
  const int w = cxRectGetWidth(R) / 2 | 1;
  const int h = w / 2 + 1;
  const int x0 = (R.left + R.right - w) / 2;
  // Halves away from zero, as the platform's MulDiv rounds.
  const int y0 = MulDiv(R.top + R.bottom - h, 1, 2);
  const TPoint points[3] = {{x0, y0}, {x0 + w - 1, y0}, {x0 + w / 2, y0 + h - 1}};
  ACanvas->GetBrush()->SetColor(AColor);
  ACanvas->GetPen()->SetColor(AColor);
  ACanvas->Polygon(points);
}

TRect TcxCustomLookAndFeelPainter::GetSeparatorBounds(const TRect& R, int ASize, bool AIsVertical)
{
  TRect result = R;
  if (AIsVertical) {
    result.left = (R.left + R.right) / 2 - ASize / 2;
    result.right = result.left + ASize;
  } else {
    result.top = (R.top + R.bottom) / 2 - ASize / 2;
    result.bottom = result.top + ASize;
  }
  return result;
}

void TcxCustomLookAndFeelPainter::FreeCachedResources()
{
  for (TdxSmartImage** field : {&FBackButton, &FCalendarButtonGlyph, &FClockFace, &FClockGlass,
                                &FFixedGroupIndicator, &FMapPushpin, &FNavigationBarCustomizationButton,
                                &FRatingControlIndicator, &FSearchButtonGlyph, &FSmartTagGlyph})
    rtl::FreeAndNil(*field);
  rtl::FreeAndNil(FLookAndFeelPainterDetailsCache);
}

TdxSkinDetails* TcxCustomLookAndFeelPainter::CreatePainterDetails()
{
  rtl::TOwnedPtr<TdxSkinDetails> details(rtl::New<TdxSkinDetails>());
  const rtl::String name = LookAndFeelName();
  details->BeginUpdate();
  details->SetName(name);
  details->SetDisplayName(name);
  details->SetGroupName(dxLookupResourceString(scxBuiltInLookAndFeelStyles));
  rtl::String prefix = L"CX_LOOKANDFEELSTYLEICON_" + rtl::AnsiUpperCase(name);
  const std::pair<TdxSkinIconSize, const wchar_t*> sizes[] = {{TdxSkinIconSize::sis16, L"16"},
                                                              {TdxSkinIconSize::sis48, L"48"}};
  for (const auto& [size, suffix] : sizes) {
    const rtl::String resName = prefix + suffix;
    HMODULE module = GetModuleHandleW(nullptr);
    if (FindResourceW(module, resName.c_str(), L"PNG"))
      details->GetIcon(size)->LoadFromResource(module, resName, L"PNG");
    else
      details->GetIcon(size)->Clear();
  }
  details->EndUpdate();
  return details.release();
}

TdxSkinDetails* TcxCustomLookAndFeelPainter::GetCachedPainterDetails()
{
  if (!FLookAndFeelPainterDetailsCache)
    FLookAndFeelPainterDetailsCache = CreatePainterDetails();
  return FLookAndFeelPainterDetailsCache;
}

bool TcxCustomLookAndFeelPainter::GetPainterDetails(TdxSkinDetails*& ADetails)
{
  ADetails = GetCachedPainterDetails();
  return ADetails != nullptr;
}

TdxSmartImage* TcxCustomLookAndFeelPainter::CachedGlyph(TdxSmartImage*& AField, const wchar_t* AResName,
                                                        const wchar_t* AResType)
{
  if (!AField) {
    rtl::TOwnedPtr<TdxSmartImage> image(rtl::New<TdxSmartImage>());
    image->LoadFromResource(GetModuleHandleW(nullptr), AResName, AResType);
    AField = image.release();
  }
  return AField;
}

TdxSmartImage* TcxCustomLookAndFeelPainter::BackButtonGlyph()
{
  return CachedGlyph(FBackButton, L"CX_BACKBUTTON", L"PNG");
}

TdxSmartImage* TcxCustomLookAndFeelPainter::ClockFaceGlyph()
{
  return CachedGlyph(FClockFace, L"CX_CLOCKFACE", L"PNG");
}

TdxSmartImage* TcxCustomLookAndFeelPainter::ClockGlassGlyph()
{
  return CachedGlyph(FClockGlass, L"CX_CLOCKGLASS", L"PNG");
}

TdxSmartImage* TcxCustomLookAndFeelPainter::FixedGroupIndicatorGlyph()
{
  return CachedGlyph(FFixedGroupIndicator, L"CX_FIXEDGROUPINDICATOR", L"PNG");
}

TdxSmartImage* TcxCustomLookAndFeelPainter::MapPushpinGlyph()
{
  return CachedGlyph(FMapPushpin, L"DX_MAPPUSHPIN", L"PNG");
}

TdxSmartImage* TcxCustomLookAndFeelPainter::NavigationBarCustomizationButtonGlyph()
{
  return CachedGlyph(FNavigationBarCustomizationButton, L"DX_NAVIGATIONBARCUSTOMIZATIONBUTTON", L"PNG");
}

TdxSmartImage* TcxCustomLookAndFeelPainter::RatingControlIndicatorGlyph()
{
  return CachedGlyph(FRatingControlIndicator, L"CX_RATINGCONTROLINDICATOR", L"PNG");
}

TdxSmartImage* TcxCustomLookAndFeelPainter::SearchButtonGlyph()
{
  return CachedGlyph(FSearchButtonGlyph, L"DX_SEARCHBUTTONGLYPH", L"PNG");
}

TdxSmartImage* TcxCustomLookAndFeelPainter::SmartTagGlyph()
{
  return CachedGlyph(FSmartTagGlyph, L"CX_SMARTTAG", L"SVG");
}
