#include "graphics/cxGraphicsControls.h"

#include <algorithm>
#include <utility>

#include "core/cxGeometry.h"
#include "core/dxUxTheme.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsDraw.h"
#include "platform/rtl/ClassesThreads.h"

using enum TcxRegionOperation;
using enum TcxRotationAngle;
using enum rtl::TComponentStateFlag;
using enum vcl::TControlStateItem;

using namespace vcl;
using rtl::String;

namespace {

// Runs its step when the scope ends, however it ends: guard entries, DC
// states and control states come back even when painting raises.
template <class F>
class TcxCtlPaintFinally {
 public:
  explicit TcxCtlPaintFinally(F AStep) : FStep(std::move(AStep)) {}
  ~TcxCtlPaintFinally() { FStep(); }
  TcxCtlPaintFinally(const TcxCtlPaintFinally&) = delete;
  TcxCtlPaintFinally& operator=(const TcxCtlPaintFinally&) = delete;

 private:
  F FStep;
};

// The windows being painted by these routines (skipped when children are
// painted), alive while the unit runs; and the parents whose background is
// being painted, alive only while it has entries.
std::vector<HWND>* PaintingWindows = nullptr;
std::vector<TWinControl*>* PaintingParents = nullptr;

bool IsWindowPainting(HWND AWnd)
{
  return PaintingWindows && std::ranges::find(*PaintingWindows, AWnd) != PaintingWindows->end();
}

void AddPaintingWindow(HWND AWnd)
{
  if (PaintingWindows)
    PaintingWindows->push_back(AWnd);
}

void RemovePaintingWindow(HWND AWnd)
{
  if (!PaintingWindows)
    return;
  const auto it = std::ranges::find(*PaintingWindows, AWnd);
  if (it != PaintingWindows->end())
    PaintingWindows->erase(it);
}

bool IsParentPainting(TWinControl* AParent)
{
  return PaintingParents && std::ranges::find(*PaintingParents, AParent) != PaintingParents->end();
}

void AddPaintingParent(TWinControl* AParent)
{
  if (!PaintingParents)
    PaintingParents = new std::vector<TWinControl*>;
  PaintingParents->push_back(AParent);
}

void RemovePaintingParent(TWinControl* AParent)
{
  if (!PaintingParents)
    return;
  const auto it = std::ranges::find(*PaintingParents, AParent);
  if (it != PaintingParents->end())
    PaintingParents->erase(it);
  if (PaintingParents->empty()) {
    delete PaintingParents;
    PaintingParents = nullptr;
  }
}

TPoint TopLeft(const TRect& R)
{
  return {R.left, R.top};
}

int TextLength(const String& AText, int ALength)
{
  const int whole = static_cast<int>(AText.size());
  return ALength < 0 ? whole : std::min(ALength, whole);
}

// The screen canvas in AFont; Dormant gives the screen DC back after the
// measuring. Nil once the unit has finished.
TcxScreenCanvas* ScreenCanvasWith(TFont* AFont)
{
  TcxScreenCanvas* canvas = cxScreenCanvas();
  if (canvas)
    canvas->GetFont()->Assign(AFont);
  return canvas;
}

// ---------------------------------------------------------------------------
// Window helpers. The control framework's window utilities (cxWindowUtils)
// are the public versions; graphics sits below the framework and cannot call
// up into it, so these few stay here, file-local.

bool IsChildStyleWindow(HWND AWnd)
{
  return (GetWindowLongW(AWnd, GWL_STYLE) & WS_CHILD) != 0;
}

TRect WindowScreenRect(HWND AWnd)
{
  TRect R{};
  if (!GetWindowRect(AWnd, &R))
    return {};
  return R;
}

TRect WindowSizeRect(HWND AWnd)
{
  const TRect R = WindowScreenRect(AWnd);
  return {0, 0, R.right - R.left, R.bottom - R.top};
}

TRect WindowClientRect(HWND AWnd)
{
  TRect R{};
  if (!GetClientRect(AWnd, &R))
    return {};
  return R;
}

// Where the client area starts inside the window rectangle, from the right
// edge for a right-to-left layout.
TPoint ClientOriginInWindow(HWND AWnd)
{
  const TRect window = WindowScreenRect(AWnd);
  TPoint origin{};
  ClientToScreen(AWnd, &origin);
  if ((GetWindowLongW(AWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0)
    return {window.right - origin.x - 1, origin.y - window.top};
  return {origin.x - window.left, origin.y - window.top};
}

// The top-left of AWnd's window (AClient false) or client area in screen
// coordinates.
TPoint WindowScreenOrigin(HWND AWnd, bool AClient)
{
  if (!AClient)
    return TopLeft(WindowScreenRect(AWnd));
  TPoint origin{};
  ClientToScreen(AWnd, &origin);
  return origin;
}

TRect MapWindowRect(HWND AFrom, HWND ATo, const TRect& ARect, bool AClient)
{
  const TPoint from = WindowScreenOrigin(AFrom, AClient);
  const TPoint to = WindowScreenOrigin(ATo, AClient);
  return cxRectOffsetBy(ARect, from.x - to.x, from.y - to.y);
}

// ---------------------------------------------------------------------------
// Printing a window

constexpr UINT PrintFlagsClient = PRF_CLIENT | PRF_ERASEBKGND;

void PrintStep(HDC DC, HWND AWnd, TWinControl* AControl, UINT AFlags)
{
  // A double-buffered control paints its background only on request.
  if (AControl && AControl->GetDoubleBuffered())
    SendMessageW(AWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
  if ((AFlags & PRF_NONCLIENT) != 0 && AControl)
    cxFillRectByColor(DC, {0, 0, AControl->GetWidth(), AControl->GetHeight()}, AControl->GetColor());
  SendMessageW(AWnd, WM_PRINT, reinterpret_cast<WPARAM>(DC), AFlags);
  // A top-level window paints its menu bar only on WM_NCPAINT.
  if ((AFlags & PRF_NONCLIENT) != 0 && !IsChildStyleWindow(AWnd) && GetMenu(AWnd))
    SendMessageW(AWnd, WM_NCPAINT, 0, 0);
}

// WM_PRINT leaves the non-client area at the DC's device origin whatever
// the window origin says, so a shifted DC gets it through a bitmap.
void PrintWindowTo(HDC DC, HWND AWnd, TWinControl* AControl, bool AWithNonClient, bool AWithChildren)
{
  UINT flags = PrintFlagsClient;
  if (AWithChildren)
    flags |= PRF_CHILDREN;
  if (!AWithNonClient) {
    PrintStep(DC, AWnd, AControl, flags);
    return;
  }
  flags |= PRF_NONCLIENT;
  POINT origin{};
  if (!GetWindowOrgEx(DC, &origin) || (origin.x == 0 && origin.y == 0)) {
    PrintStep(DC, AWnd, AControl, flags);
    return;
  }
  const TRect size = WindowSizeRect(AWnd);
  const TOwnedDC memoryDC(CreateCompatibleDC(DC));
  const TOwnedBitmap bitmap(CreateCompatibleBitmap(DC, size.right, size.bottom));
  const HGDIOBJ old = SelectObject(memoryDC.Get(), bitmap.Get());
  PrintStep(memoryDC.Get(), AWnd, AControl, flags);
  BitBlt(DC, 0, 0, size.right, size.bottom, memoryDC.Get(), 0, 0, SRCCOPY);
  SelectObject(memoryDC.Get(), old);
}

void MoveWindowOrg(TcxCanvas* ACanvas, const TPoint& ADelta)
{
  const TPoint org = ACanvas->GetWindowOrg();
  ACanvas->SetWindowOrg({org.x + ADelta.x, org.y + ADelta.y});
}

// The clip of the control's paint: ABounds, and the window's own shape.
void ClipToControl(TcxCanvas* ACanvas, HWND AWnd, const TRect& ABounds)
{
  ACanvas->IntersectClipRect(ABounds);
  TcxRegion* shape = rtl::New<TcxRegion>();
  if (GetWindowRgn(AWnd, shape->GetHandle()) != ERROR)
    ACanvas->SetClipRegion(shape, roIntersect);
  else
    rtl::Free(shape);
}

void PaintWindowItself(TWinControl* AControl, HWND AWnd, TcxCanvas* ACanvas, bool AWithNonClient)
{
  const TControlState state = AControl->GetControlState();
  AControl->SetControlState(state + TControlState{csPaintCopy});
  const TcxCtlPaintFinally restoreState([&] { AControl->SetControlState(state); });
  ACanvas->SaveState();
  const TcxCtlPaintFinally restoreCanvas([&] { ACanvas->RestoreState(); });
  if (!AWithNonClient) {
    const TPoint client = ClientOriginInWindow(AWnd);
    MoveWindowOrg(ACanvas, {-client.x, -client.y});
  }
  const TRect window = WindowSizeRect(AWnd);
  const TRect client = WindowClientRect(AWnd);
  const bool nonClient = AWithNonClient && (cxRectGetWidth(window) != cxRectGetWidth(client) ||
                                            cxRectGetHeight(window) != cxRectGetHeight(client));
  ACanvas->Lock();
  const TcxCtlPaintFinally unlock([&] { ACanvas->Unlock(); });
  PrintWindowTo(ACanvas->GetHandle(), AWnd, AControl, nonClient, false);
}

struct TcxChildWindowSearch {
  HWND Parent;
  std::vector<HWND> Found;
};

// A failure to list ends the enumeration.
BOOL CALLBACK CollectDirectChild(HWND AWnd, LPARAM AData) noexcept
{
  return rtl::GuardCallback(FALSE, [&] {
    auto* search = reinterpret_cast<TcxChildWindowSearch*>(AData);
    if (GetAncestor(AWnd, GA_PARENT) == search->Parent)
      search->Found.push_back(AWnd);
    return TRUE;
  });
}

void PaintChildren(TWinControl* AControl, HWND AWnd, TcxCanvas* ACanvas)
{
  std::vector<HWND> handled;
  for (int i = 0; i < AControl->GetControlCount(); ++i) {
    TControl* item = AControl->GetControls(i);
    auto* child = rtl::Is<TWinControl>(item) ? static_cast<TWinControl*>(item) : nullptr;
    if (!child || !child->GetVisible() || !child->HandleAllocated() || IsWindowPainting(child->GetHandle()))
      continue;
    const HWND childWnd = child->GetHandle();
    handled.push_back(childWnd);
    const TRect size = WindowSizeRect(childWnd);
    const TRect place = MapWindowRect(childWnd, AWnd, size, false);
    if (ACanvas->RectVisible(place))
      cxPaintControlTo(child, ACanvas, TopLeft(place), true, true, size);
  }

  // Windows that are no controls of ours (hosted editors, native windows).
  TcxChildWindowSearch search{AWnd, {}};
  EnumChildWindows(AWnd, &CollectDirectChild, reinterpret_cast<LPARAM>(&search));
  for (HWND childWnd : search.Found) {
    if (std::ranges::find(handled, childWnd) != handled.end() || IsWindowPainting(childWnd) ||
        !IsWindowVisible(childWnd))
      continue;
    const TPoint place = TopLeft(MapWindowRect(childWnd, AWnd, WindowSizeRect(childWnd), false));
    MoveWindowOrg(ACanvas, {-place.x, -place.y});
    const TcxCtlPaintFinally moveBack([&] { MoveWindowOrg(ACanvas, place); });
    PrintWindowTo(ACanvas->GetHandle(), childWnd, FindControl(childWnd), true, true);
  }
}

}  // namespace

void cxGraphicsControlsInitialize()
{
  if (!PaintingWindows)
    PaintingWindows = new std::vector<HWND>;
}

void cxGraphicsControlsFinalize()
{
  delete PaintingWindows;
  PaintingWindows = nullptr;
  delete PaintingParents;
  PaintingParents = nullptr;
}

// ---------------------------------------------------------------------------
// Measuring

bool cxGetTextExtentPoint(HDC DC, const String& AText, TSize& ASize, int ALength)
{
  ASize = {};
  return GetTextExtentPoint32W(DC, AText.c_str(), TextLength(AText, ALength), &ASize) != FALSE;
}

int cxGetDCTextHeight(HDC DC)
{
  TEXTMETRICW metrics{};
  GetTextMetricsW(DC, &metrics);
  return metrics.tmHeight;
}

int cxGetFontTextHeight(TFont* AFont)
{
  TcxScreenCanvas* canvas = ScreenCanvasWith(AFont);
  if (!canvas)
    return 0;
  const int result = cxGetDCTextHeight(canvas->GetHandle());
  canvas->Dormant();
  return result;
}

bool cxGetFontTextMetrics(TFont* AFont, TEXTMETRICW& ATextMetric)
{
  ATextMetric = {};
  TcxScreenCanvas* canvas = ScreenCanvasWith(AFont);
  if (!canvas)
    return false;
  const bool result = GetTextMetricsW(canvas->GetHandle(), &ATextMetric) != FALSE;
  canvas->Dormant();
  return result;
}

namespace {

template <class T>
bool ReadObject(HGDIOBJ AHandle, T& ARecord)
{
  ARecord = {};
  return GetObjectW(AHandle, sizeof(T), &ARecord) != 0;
}

}  // namespace

bool cxGetLogFont(HFONT AFont, LOGFONTW& ALogFont)
{
  return ReadObject(AFont, ALogFont);
}

bool cxGetBitmapData(HBITMAP ABitmap, BITMAP& ABitmapData)
{
  return ReadObject(ABitmap, ABitmapData);
}

bool cxGetBrushData(HBRUSH ABrush, LOGBRUSH& ALogBrush)
{
  return ReadObject(ABrush, ALogBrush);
}

bool cxGetPenData(HPEN APen, LOGPEN& ALogPen)
{
  return ReadObject(APen, ALogPen);
}

int cxMeasureTextWidth(TFont* AFont, const String& AText, int AFontSize)
{
  return cxMeasureTextExtent(AFont, AText, AFontSize).cx;
}

TSize cxMeasureTextExtent(TFont* AFont, const String& AText, int AFontSize)
{
  TcxScreenCanvas* canvas = ScreenCanvasWith(AFont);
  if (!canvas)
    return {};
  if (AFontSize != 0)
    canvas->GetFont()->SetSize(AFontSize);
  const TSize result = canvas->TextExtent(AText);
  canvas->Dormant();
  return result;
}

TSize cxMeasureTextSize(HDC DC, const String& AText)
{
  TRect R{};
  cxCalcTextRectForLines(DC, AText, 1, R);
  return {cxRectGetWidth(R), cxRectGetHeight(R)};
}

TSize cxMeasureTextRect(TFont* AFont, const String& AText, UINT AFlags)
{
  TRect R{};
  cxCalcTextRectForFont(R, AText, AFont, AFlags);
  return {cxRectGetWidth(R), cxRectGetHeight(R)};
}

void cxCalcTextRectForFont(TRect& R, const String& AText, TFont* AFont, UINT AFlags)
{
  TcxScreenCanvas* canvas = ScreenCanvasWith(AFont);
  if (!canvas)
    return;
  cxDrawTextWithColor(canvas->GetHandle(), AText, R, TRANSPARENT, clDefault, -1, AFlags | DT_CALCRECT);
  canvas->Dormant();
}

namespace {

constexpr UINT WordWrapFlags = DT_CALCRECT | DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK;

TRect MeasureWrapped(HDC DC, const String& AText, int AWidth, UINT AFlags)
{
  TRect R{0, 0, AWidth, 1};
  DrawTextW(DC, AText.c_str(), static_cast<int>(AText.size()), &R, AFlags | WordWrapFlags);
  return R;
}

}  // namespace

void cxCalcTextRectForLines(HDC DC, const String& AText, int ALineCount, TRect& R, UINT AFlags, bool ALimitHeight)
{
  R = {};
  const int length = static_cast<int>(AText.size());
  if (ALineCount == 1) {
    DrawTextW(DC, AText.c_str(), length, &R, AFlags | DT_CALCRECT | DT_SINGLELINE);
    return;
  }
  const int limit = ALineCount > 0 ? ALineCount * cxGetDCTextHeight(DC) : 32000;
  // The widest unbreakable word bounds the width from below, the single
  // line from above; between them the height falls as the width grows.
  int lo = cxRectGetWidth(MeasureWrapped(DC, AText, 1, AFlags));
  TRect single{};
  DrawTextW(DC, AText.c_str(), length, &single, AFlags | DT_CALCRECT | DT_SINGLELINE);
  int hi = cxRectGetWidth(single);
  while (hi - lo > 1) {
    const int mid = (lo + hi) / 2;
    if (MeasureWrapped(DC, AText, mid, AFlags).bottom > limit)
      lo = mid;
    else
      hi = mid;
  }
  R = MeasureWrapped(DC, AText, lo, AFlags);
  if (R.bottom > limit)
    R = MeasureWrapped(DC, AText, hi, AFlags);
  if (ALimitHeight)
    R.bottom = limit;
}

void cxCalcTextRectForLines(TFont* AFont, const String& AText, int ALineCount, TRect& R, bool AUseLineList)
{
  if (AUseLineList) {
    const rtl::TOwnedPtr<rtl::TStringList> lines(rtl::New<rtl::TStringList>());
    lines->SetText(AText);
    if (lines->GetCount() >= ALineCount) {
      int width = 0;
      for (int i = 0; i < ALineCount; ++i)
        width = std::max(width, cxMeasureTextWidth(AFont, lines->GetStrings(i)));
      R = {0, 0, width, ALineCount * cxGetFontTextHeight(AFont)};
      return;
    }
  }
  R = {};
  TcxScreenCanvas* canvas = ScreenCanvasWith(AFont);
  if (!canvas)
    return;
  cxCalcTextRectForLines(canvas->GetHandle(), AText, ALineCount, R);
  canvas->Dormant();
}

// ---------------------------------------------------------------------------
// Drawing

int cxDrawTextWithColor(HDC DC, const String& AText, TRect& R, int ABkMode, TColor ATextColor, int ALength,
                        UINT AFlags)
{
  const int length = TextLength(AText, ALength);
  if (length == 0)
    return DrawTextW(DC, AText.c_str(), 0, &R, AFlags);
  const COLORREF oldColor = GetTextColor(DC);
  const int oldMode = GetBkMode(DC);
  if (ATextColor != clDefault)
    SetTextColor(DC, ColorToRGB(ATextColor));
  SetBkMode(DC, ABkMode);
  const int result = DrawTextW(DC, AText.c_str(), length, &R, AFlags);
  SetBkMode(DC, oldMode);
  SetTextColor(DC, oldColor);
  return result;
}

namespace {

UINT RtlReadingFlag(int ACanvasTextFlags)
{
  return (ACanvasTextFlags & ETO_RTLREADING) != 0 ? DT_RTLREADING : 0;
}

TcxRotationAngle ControlsOppositeAngle(TcxRotationAngle AAngle)
{
  switch (AAngle) {
    case raPlus90:
      return raMinus90;
    case raMinus90:
      return raPlus90;
    default:
      return AAngle;
  }
}

}  // namespace

int cxDrawCanvasText(TCanvas* ACanvas, const String& AText, const TRect& R, TColor ATextColor, UINT AFlags)
{
  TRect textRect = R;
  return cxDrawTextWithColor(ACanvas->GetHandle(), AText, textRect, TRANSPARENT, ATextColor, -1,
                             AFlags | RtlReadingFlag(ACanvas->GetTextFlags()));
}

int cxDrawTextRotated(TcxCanvas* ACanvas, const String& AText, const TRect& R, TcxRotationAngle ARotationAngle,
                      TColor ATextColor, UINT AFlags)
{
  if (ARotationAngle == ra0)
    return cxDrawCanvasText(ACanvas->GetCanvas(), AText, R, ATextColor, AFlags);
  // The text is drawn level on what R shows turned the other way, then
  // turned back with it.
  const rtl::TOwnedPtr<TcxBitmap32> bitmap(rtl::New<TcxBitmap32>());
  bitmap->CreateSize(R);
  cxBlitRect(bitmap->GetCanvas()->GetHandle(), ACanvas->GetHandle(), bitmap->GetClientRect(), TopLeft(R));
  bitmap->Rotate(ControlsOppositeAngle(ARotationAngle));
  bitmap->GetCanvas()->GetFont()->Assign(ACanvas->GetFont());
  bitmap->GetCanvas()->SetTextFlags(ACanvas->GetTextFlags());
  const int result = cxDrawCanvasText(bitmap->GetCanvas(), AText, bitmap->GetClientRect(), ATextColor, AFlags);
  bitmap->Rotate(ARotationAngle);
  cxBlitRect(ACanvas->GetHandle(), bitmap->GetCanvas()->GetHandle(), R, {0, 0});
  return result;
}

int cxDrawWrappedText(TcxCanvas* ACanvas, const String& AText, const TRect& R, TColor ATextColor, UINT AFlags)
{
  const rtl::TOwnedPtr<rtl::TStringList> lines(rtl::New<rtl::TStringList>());
  cxSplitTextToLines(AText, ACanvas, R, lines.get());
  const HDC DC = ACanvas->GetHandle();
  const int count = lines->GetCount();
  const int lineHeight = cxGetDCTextHeight(DC);
  int top = R.top;
  if ((AFlags & DT_VCENTER) != 0)
    top = std::max(R.top, cxRectCenterVertBox(R, count * lineHeight).top);
  else if ((AFlags & DT_BOTTOM) != 0)
    top = std::max(R.top, R.bottom - count * lineHeight);
  const UINT flags = AFlags | DT_SINGLELINE | RtlReadingFlag(ACanvas->GetTextFlags());
  for (int i = 0; i < count; ++i) {
    TRect lineRect{R.left, top, R.right, top + lineHeight};
    cxDrawTextWithColor(DC, lines->GetStrings(i), lineRect, TRANSPARENT, ATextColor, -1, flags);
    top += lineHeight;
  }
  return count;
}

namespace {

bool IsSeparator(wchar_t C)
{
  return C == L' ' || C == L'\t' || C == L'\r' || C == L'\n';
}

bool ControlsIsLineBreak(wchar_t C)
{
  return C == L'\r' || C == L'\n';
}

// Splits a text into lines for cxSplitTextToLines; positions are 0-based
// and ranges half-open.
class TcxTextLineSplitter {
 public:
  TcxTextLineSplitter(const String& AText, HDC ADC, int AWidth, rtl::TStrings* ALines)
      : FText(AText), FDC(ADC), FWidth(AWidth), FLines(ALines)
  {
  }

  void Run()
  {
    const std::size_t length = FText.size();
    std::size_t pos = 0;
    while (pos < length && !FFinished) {
      const std::size_t wordStart = pos;
      std::size_t wordEnd = pos;
      if (IsSeparator(FText[pos])) {
        // A separator after another separator is a word of its own.
        wordEnd = pos + 1;
        pos = wordEnd;
      } else {
        while (wordEnd < length && !IsSeparator(FText[wordEnd]))
          ++wordEnd;
        // The one separator after a word only parts it from the next.
        pos = wordEnd < length ? wordEnd + 1 : wordEnd;
      }
      AddWord(wordStart, wordEnd);
    }
    if (!FFinished)
      FinishTail();
  }

 private:
  void AddWord(std::size_t AStart, std::size_t AEnd)
  {
    if (BreakAtLineBreaks(AEnd)) {
      FHasWord = AEnd > FLineStart;
      FPrevWordEnd = AEnd;
      return;
    }
    if (FHasWord && cxMeasureTextSize(FDC, FText.substr(FLineStart, AEnd - FLineStart)).cx > FWidth) {
      AddLine(FLineStart, FPrevWordEnd);
      FLineStart = AStart;
    }
    FHasWord = true;
    FPrevWordEnd = AEnd;
  }

  // Every CR or LF in [line start, AEnd) ends a line; true when there was
  // one.
  bool BreakAtLineBreaks(std::size_t AEnd)
  {
    bool broke = false;
    for (std::size_t i = FLineStart; i < AEnd && !FFinished; ++i) {
      if (!ControlsIsLineBreak(FText[i]))
        continue;
      AddLine(FLineStart, i);
      FLineStart = SkipLineBreaks(i);
      i = FLineStart - 1;
      broke = true;
    }
    return broke;
  }

  // Skips the run of CR and LF at APos: one empty line per LF beyond the
  // first, or per LF when the run ends the text (which ends the split).
  std::size_t SkipLineBreaks(std::size_t APos)
  {
    std::size_t end = APos;
    int feeds = 0;
    for (; end < FText.size() && ControlsIsLineBreak(FText[end]); ++end)
      if (FText[end] == L'\n')
        ++feeds;
    FFinished = end == FText.size();
    const int emptyLines = FFinished ? feeds : std::max(feeds - 1, 0);
    for (int i = 0; i < emptyLines; ++i)
      FLines->Add(String());
    return end;
  }

  void FinishTail()
  {
    BreakAtLineBreaks(FText.size());
    if (!FFinished)
      AddLine(FLineStart, FText.size());
  }

  void AddLine(std::size_t AStart, std::size_t AEnd) { FLines->Add(FText.substr(AStart, AEnd - AStart)); }

  const String& FText;
  HDC FDC;
  int FWidth;
  rtl::TStrings* FLines;
  std::size_t FLineStart = 0;
  std::size_t FPrevWordEnd = 0;
  bool FHasWord = false;
  bool FFinished = false;
};

}  // namespace

void cxSplitTextToLines(const String& AText, TcxCanvas* ACanvas, const TRect& R, rtl::TStrings* ALines)
{
  if (AText.empty())
    return;
  TcxTextLineSplitter(AText, ACanvas->GetHandle(), cxRectGetWidth(R), ALines).Run();
}

bool cxExtTextOut(HDC DC, const String& AText, const TPoint& APoint, int ALength, UINT AOptions,
                  const TRect* AClipRect)
{
  return ExtTextOutW(DC, APoint.x, APoint.y, AOptions, AClipRect, AText.c_str(),
                     static_cast<UINT>(TextLength(AText, ALength)), nullptr) != FALSE;
}

void cxSetFontNonAntialiased(TFont* AFont)
{
  LOGFONTW logFont{};
  if (!cxGetLogFont(AFont->GetHandle(), logFont))
    return;
  logFont.lfQuality = NONANTIALIASED_QUALITY;
  AFont->SetHandle(CreateFontIndirectW(&logFont));
}

void cxResetFont(TFont* AFont)
{
  const rtl::TOwnedPtr<TFont> defaults(rtl::New<TFont>());
  AFont->Assign(defaults.get());
}

// ---------------------------------------------------------------------------
// Painting controls

void cxPaintControlTo(TWinControl* AControl, TcxCanvas* ACanvas, const TPoint& AOrigin, bool AWithNonClient,
                      bool APaintChildren, const TRect& ABounds)
{
  if (!AControl || AControl->GetComponentState().Contains(csDestroying) || !AControl->HandleAllocated())
    return;
  const HWND wnd = AControl->GetHandle();
  ACanvas->SaveDC();
  const TcxCtlPaintFinally restoreDC([&] { ACanvas->RestoreDC(); });
  // ABounds' top-left lands on AOrigin.
  MoveWindowOrg(ACanvas, {ABounds.left - AOrigin.x, ABounds.top - AOrigin.y});
  ClipToControl(ACanvas, wnd, ABounds);
  if (ACanvas->RectVisible(ABounds))
    PaintWindowItself(AControl, wnd, ACanvas, AWithNonClient);
  if (APaintChildren)
    PaintChildren(AControl, wnd, ACanvas);
}

void cxPaintParentBackgroundAt(TControl* AControl, TcxCanvas* ACanvas, const TRect& ARect, bool APaintChildren,
                               const TPoint& AOrigin)
{
  auto* control = rtl::Is<TWinControl>(AControl) ? static_cast<TWinControl*>(AControl) : nullptr;
  if (!control || !control->GetParent())
    return;
  TWinControl* parent = control->GetParent();
  if (IsParentPainting(parent))
    return;
  const HWND wnd = control->GetHandle();
  AddPaintingParent(parent);
  const TcxCtlPaintFinally removeParent([&] { RemovePaintingParent(parent); });
  AddPaintingWindow(wnd);
  const TcxCtlPaintFinally removeWindow([&] { RemovePaintingWindow(wnd); });
  const TRect bounds = MapWindowRect(wnd, parent->GetHandle(), ARect, false);
  cxPaintControlTo(parent, ACanvas, AOrigin, false, APaintChildren, bounds);
}

void cxPaintParentBackground(TControl* AControl, TcxCanvas* ACanvas, const TRect& ARect, bool APaintChildren)
{
  cxPaintParentBackgroundAt(AControl, ACanvas, ARect, APaintChildren, TopLeft(ARect));
}

void cxDrawControlParentBackground(TControl* AControl, TcxCanvas* ACanvas, const TRect& R)
{
  auto* control = rtl::Is<TWinControl>(AControl) ? static_cast<TWinControl*>(AControl) : nullptr;
  if (!control || !control->GetParent())
    return;
  if (control->GetParent()->GetDoubleBuffered() || !dxUxThemeLibraryLoaded()) {
    cxPaintParentBackground(control, ACanvas, R, false);
    return;
  }
  dxUxDrawThemeParentBackground(control->GetHandle(), ACanvas->GetHandle(), &R);
}

void cxPaintControlExcluding(TWinControl* AControl, TcxCanvas* ACanvas, const TPoint& AOrigin,
                             const std::vector<HWND>* AExcludeList, const TRect& ABounds)
{
  if (!AExcludeList || !PaintingWindows) {
    cxPaintControlTo(AControl, ACanvas, AOrigin, true, true, ABounds);
    return;
  }
  // The windows an outer paint guards come back afterwards: dropping them
  // would let that paint's windows be painted again as children.
  std::vector<HWND> outer = std::exchange(*PaintingWindows, *AExcludeList);
  const TcxCtlPaintFinally restore([&] {
    if (PaintingWindows)
      *PaintingWindows = std::move(outer);
  });
  cxPaintControlTo(AControl, ACanvas, AOrigin, true, true, ABounds);
}

void cxPaintMirroredIfRTL(TcxCanvas* ACanvas, const TRect& R, const TcxPaintProc& AProc)
{
  cxPaintMirrored(ACanvas->GetHandle(), R, ACanvas->GetUseRightToLeftAlignment(), true, AProc);
}

void cxPaintMirrored(HDC DC, const TRect& R, bool AMirror, bool AOnePixelShift, const TcxPaintProc& AProc)
{
  if (!AMirror) {
    AProc();
    return;
  }
  const int oldMode = SetGraphicsMode(DC, GM_ADVANCED);
  XFORM oldTransform{};
  GetWorldTransform(DC, &oldTransform);
  const TcxCtlPaintFinally restore([&] {
    SetWorldTransform(DC, &oldTransform);
    SetGraphicsMode(DC, oldMode);
  });
  const float shift = AOnePixelShift ? 1.0f : 0.0f;
  const XFORM mirror = cxXFormMirror(true, false, (R.left + R.right - shift) / 2.0f, 0.0f);
  ModifyWorldTransform(DC, &mirror, MWT_RIGHTMULTIPLY);
  AProc();
}
