// The radio-button image lists of the painters unit.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/dxOffice11.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "platform/vcl/GraphicsHandles.h"

using enum TcxButtonState;
using enum TcxLookAndFeelKind;
using enum TcxLookAndFeelStyle;
using enum vcl::TImageType;
using enum vcl::TPixelFormat;

using namespace vcl;

namespace {

// OBM_CHECKBOXES, declared by windows.h only under OEMRESOURCE.
constexpr WORD kRadioCheckBoxesBitmap = 32759;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A white 32-bit top-down DIB in a memory DC, read and written directly.
class TRadioButtonSurface {
 public:
  TRadioButtonSurface(int AWidth, int AHeight) : FWidth(AWidth), FHeight(AHeight)
  {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = AWidth;
    info.bmiHeader.biHeight = -AHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    FBitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    FBits = static_cast<std::uint32_t*>(bits);
    FDC.Reset(CreateCompatibleDC(nullptr));
    FSelect.emplace(FDC.Get(), FBitmap.Get());
    Fill(kWhite);
  }

  HDC DC() const { return FDC.Get(); }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Valid() const { return FBits != nullptr; }

  void Fill(COLORREF AColor)
  {
    GdiFlush();
    for (int i = 0; i < FWidth * FHeight; ++i)
      FBits[i] = ToPixel(AColor);
  }
  COLORREF Pixel(int X, int Y) const
  {
    GdiFlush();
    const std::uint32_t p = FBits[Y * FWidth + X];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  void SetPixel(int X, int Y, COLORREF AColor)
  {
    GdiFlush();
    FBits[Y * FWidth + X] = ToPixel(AColor);
  }
  // The ellipse inscribed in R: outline in APen, inside in ABrush.
  void Ellipse(const TRect& R, COLORREF APen, COLORREF ABrush)
  {
    const TOwnedPen pen(CreatePen(PS_SOLID, 1, APen));
    const TOwnedBrush brush(CreateSolidBrush(ABrush));
    const TSelectObjectGuard selectPen(DC(), pen.Get());
    const TSelectObjectGuard selectBrush(DC(), brush.Get());
    RoundRect(DC(), R.left, R.top, R.right, R.bottom, R.right - R.left - 1, R.bottom - R.top - 1);
  }

 private:
  static std::uint32_t ToPixel(COLORREF AColor)
  {
    return (GetRValue(AColor) << 16) | (GetGValue(AColor) << 8) | GetBValue(AColor);
  }

  int FWidth;
  int FHeight;
  std::uint32_t* FBits = nullptr;
  TOwnedBitmap FBitmap;
  TOwnedDC FDC;
  std::optional<TSelectObjectGuard> FSelect;
};

// A framework bitmap holding the surface's pixels.
vcl::TBitmap* NewBitmapOf(const TRadioButtonSurface& ASurface)
{
  vcl::TBitmap* result = rtl::New<vcl::TBitmap>();
  result->SetPixelFormat(pf24bit);
  result->SetSize(ASurface.Width(), ASurface.Height());
  BitBlt(result->GetCanvas()->GetHandle(), 0, 0, ASurface.Width(), ASurface.Height(), ASurface.DC(), 0, 0, SRCCOPY);
  return result;
}

// Whether (i, j) lies below-right of the line from the top-right corner to
// the bottom-left one; 0 on the line.
int SideOfAntiDiagonal(int i, int j, TSize ASize)
{
  const int d = (ASize.cy - 1) * (ASize.cx - 1 - j) - i * (ASize.cx - 1);
  return d < 0 ? 1 : d > 0 ? -1 : 0;
}

// One cell of the platform's check-box strip (four by three cells), taken
// from the system scale factor to AScaleFactor: the square the platform
// draws its radio button in.
TSize CheckBoxCellSize(const TdxScaleFactor* AScaleFactor)
{
  TSize cell{0, 0};
  if (const TOwnedBitmap bitmap(LoadBitmapW(nullptr, MAKEINTRESOURCEW(kRadioCheckBoxesBitmap))); bitmap) {
    BITMAP info{};
    if (GetObjectW(bitmap.Get(), sizeof(info), &info))
      cell = {info.bmWidth / 4, info.bmHeight / 3};
  }
  const TdxScaleFactor* system = dxGetSystemScaleFactor();
  return AScaleFactor->Apply(cell, system->GetNumerator(), system->GetDenominator());
}

TcxCustomLookAndFeelPainter* PainterOfKind(TcxLookAndFeelKind AKind)
{
  static constexpr TcxLookAndFeelStyle kStyleOfKind[] = {lfsFlat, lfsStandard, lfsUltraFlat, lfsOffice11};
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  return manager ? manager->GetPainter(kStyleOfKind[AKind]) : nullptr;
}

// The seven class colours of one combination (class 0 is masked out).
std::array<TColor, 7> ClassColors(TcxLookAndFeelKind AKind, TcxButtonState AState, bool AChecked, bool AFocused,
                                  bool AIsDesigning)
{
  std::array<TColor, 7> result{};
  TcxCustomLookAndFeelPainter* painter = PainterOfKind(AKind);
  const TColor body = painter ? painter->RadioButtonBodyColor(AState) : clWindow;
  result[5] = body;
  const bool disabled = AState == cxbsDisabled;
  const bool active = AFocused || AState == cxbsHot || AState == cxbsPressed;
  switch (AKind) {
    case lfStandard:
      result = {clNone, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight, body, body};
      break;
    case lfFlat:
      result = {clNone, clBtnShadow, clBtnHighlight, cl3DLight, cl3DLight, body, body};
      break;
    case lfUltraFlat: {
      const TColor ring = active || (AIsDesigning && !disabled) ? clHighlight : clBtnShadow;
      result = {clNone, ring, ring, body, body, body, body};
      break;
    }
    case lfOffice11: {
      const TColor ring = disabled                  ? dxOffice11TextDisabledColor
                          : active || AIsDesigning ? dxOffice11SelectedBorderColor
                                                   : clBtnText;
      result = {clNone, ring, ring, body, body, body, body};
      break;
    }
  }
  if (AChecked)
    result[6] = !disabled ? clWindowText : AKind == lfOffice11 ? dxOffice11TextDisabledColor : clBtnShadow;
  return result;
}

using TRadioButtonImageLists = std::map<int, rtl::TOwnedPtr<TcxRadioButtonImageList>>;
TRadioButtonImageLists* RadioButtonImageLists;

}  // namespace

// ---------------------------------------------------------------------------
// TcxRadioButtonImageList

void TcxRadioButtonImageList::Create(const TdxScaleFactor* AScaleFactor)
{
  FScaleFactor = rtl::New<TdxScaleFactor>();
  FScaleFactor->Assign(AScaleFactor);
  FList = rtl::New<vcl::TImageList>(nullptr);
  Build();
}

void TcxRadioButtonImageList::Destroy()
{
  rtl::FreeAndNil(FButtonMask);
  rtl::FreeAndNil(FList);
  rtl::FreeAndNil(FScaleFactor);
  inherited::Destroy();
}

void TcxRadioButtonImageList::SetScaleFactor(const TdxScaleFactor* AValue)
{
  if (FScaleFactor->Equals(AValue))
    return;
  FScaleFactor->Assign(AValue);
  FList->Clear();
  Build();
}

void TcxRadioButtonImageList::Build()
{
  Measure();
  if (FRadioButtonSize.cx <= 0 || FRadioButtonSize.cy <= 0) {
    // The platform drew nothing: no usable images.
    FRadioButtonSize = {0, 0};
    FRadioButtonPattern.clear();
    FRadioButtonImageListIndexes.assign(128, -1);
    return;
  }
  FindCheckRect();
  FList->SetSize(FRadioButtonSize.cx, FRadioButtonSize.cy);
  FList->SetImageType(itImage);
  FList->SetMasked(true);
  BuildMask();
  BuildPattern();
  Prepare();
}

void TcxRadioButtonImageList::Measure()
{
  const TSize cell = CheckBoxCellSize(FScaleFactor);
  FRadioButtonSize = {0, 0};
  FRadioButtonRect = {0, 0, 0, 0};
  if (cell.cx <= 0 || cell.cy <= 0)
    return;
  TRadioButtonSurface surface(cell.cx, cell.cy);
  TRect R{0, 0, cell.cx, cell.cy};
  DrawFrameControl(surface.DC(), &R, DFC_BUTTON, DFCS_BUTTONRADIOMASK | DFCS_FLAT);
  int left = -1, top = -1;
  for (int x = 0; x < cell.cx; ++x)
    for (int y = 0; y < cell.cy; ++y)
      if (surface.Pixel(x, y) == kBlack) {
        if (left < 0)
          left = x;
        ++FRadioButtonSize.cx;
        break;
      }
  for (int y = 0; y < cell.cy; ++y)
    for (int x = 0; x < cell.cx; ++x)
      if (surface.Pixel(x, y) == kBlack) {
        if (top < 0)
          top = y;
        ++FRadioButtonSize.cy;
        break;
      }
  FRadioButtonRect = {left, top, left + FRadioButtonSize.cx, top + FRadioButtonSize.cy};
}

void TcxRadioButtonImageList::FindCheckRect()
{
  const TRect& rr = FRadioButtonRect;
  // The same square the circle was measured in: the platform places its
  // picture by the square's size, so a smaller one moves the dot against
  // the measured circle.
  const TSize cell = CheckBoxCellSize(FScaleFactor);
  TRadioButtonSurface surface(cell.cx, cell.cy);
  TRect R{0, 0, surface.Width(), surface.Height()};
  DrawFrameControl(surface.DC(), &R, DFC_BUTTON, DFCS_BUTTONRADIOIMAGE | DFCS_CHECKED | DFCS_FLAT);
  const COLORREF dot = GetSysColor(COLOR_WINDOWTEXT);
  const auto isDot = [&](int X, int Y) {
    return X >= 0 && Y >= 0 && X < surface.Width() && Y < surface.Height() && surface.Pixel(X, Y) == dot;
  };
  // Up, then down, along one column; left, then right, along one row.
  const int column = rr.left + FRadioButtonSize.cx / 2 - 1;
  int y = rr.top + FRadioButtonSize.cy / 2 - 2;
  while (isDot(column, y))
    --y;
  FRadioButtonCheckRect.top = y + 1;
  y = FRadioButtonCheckRect.top + 1;
  while (isDot(column, y))
    ++y;
  FRadioButtonCheckRect.bottom = y;
  const int row = rr.top + FRadioButtonSize.cy / 2 - 1;
  int x = rr.left + FRadioButtonSize.cx / 2 - 2;
  while (isDot(x, row))
    --x;
  FRadioButtonCheckRect.left = x + 1;
  x = FRadioButtonCheckRect.left + 1;
  while (isDot(x, row))
    ++x;
  FRadioButtonCheckRect.right = x;
}

void TcxRadioButtonImageList::BuildMask()
{
  TRadioButtonSurface surface(FRadioButtonSize.cx, FRadioButtonSize.cy);
  surface.Ellipse({0, 0, FRadioButtonSize.cx, FRadioButtonSize.cy}, kBlack, kBlack);
  rtl::FreeAndNil(FButtonMask);
  FButtonMask = NewBitmapOf(surface);
}

void TcxRadioButtonImageList::BuildPattern()
{
  const int cx = FRadioButtonSize.cx;
  const int cy = FRadioButtonSize.cy;
  auto& pattern = FRadioButtonPattern;
  pattern.assign(cy, std::vector<int>(cx, 0));

  TRadioButtonSurface ring(cx, cy);
  ring.Ellipse({0, 0, cx, cy}, kBlack, kWhite);
  for (int i = 0; i < cy; ++i)
    for (int j = 0; j < cx; ++j)
      if (ring.Pixel(j, i) == kBlack)
        pattern[i][j] = SideOfAntiDiagonal(i, j, FRadioButtonSize) > 0 ? 2 : 1;

  // The body: from the middle outwards until the ring.
  for (int i = 1; i <= cy - 2; ++i) {
    for (int j = cx / 2 - 1; j >= 0 && pattern[i][j] == 0; --j)
      pattern[i][j] = 5;
    for (int j = cx / 2; j < cx && pattern[i][j] == 0; ++j)
      pattern[i][j] = 5;
  }

  // The inner ring: the outermost body pixels of each row and column, and
  // every body pixel of the first and last row and column; decided on the
  // body as it stands, then classed.
  std::vector<std::vector<bool>> inner(cy, std::vector<bool>(cx, false));
  const auto isBody = [&](int i, int j) { return pattern[i][j] == 5; };
  for (int i = 1; i <= cy - 2; ++i) {
    int first = -1, last = -1;
    for (int j = 0; j < cx; ++j)
      if (isBody(i, j)) {
        if (first < 0)
          first = j;
        last = j;
        if (i == 1 || i == cy - 2)
          inner[i][j] = true;
      }
    if (first >= 0)
      inner[i][first] = inner[i][last] = true;
  }
  for (int j = 1; j <= cx - 2; ++j) {
    int first = -1, last = -1;
    for (int i = 0; i < cy; ++i)
      if (isBody(i, j)) {
        if (first < 0)
          first = i;
        last = i;
        if (j == 1 || j == cx - 2)
          inner[i][j] = true;
      }
    if (first >= 0)
      inner[first][j] = inner[last][j] = true;
  }
  for (int i = 0; i < cy; ++i)
    for (int j = 0; j < cx; ++j)
      if (inner[i][j] && isBody(i, j)) {
        const int side = SideOfAntiDiagonal(i, j, FRadioButtonSize);
        pattern[i][j] = side > 0 || (side == 0 && j >= cx / 2) ? 4 : 3;
      }

  // The check dot, drawn where the platform draws it.
  TRadioButtonSurface dot(cx, cy);
  TRect dotRect = FRadioButtonCheckRect;
  OffsetRect(&dotRect, -FRadioButtonRect.left, -FRadioButtonRect.top);
  dot.Ellipse(dotRect, kBlack, kBlack);
  for (int i = 0; i < cy; ++i)
    for (int j = 0; j < cx; ++j)
      if (dot.Pixel(j, i) == kBlack)
        pattern[i][j] = 6;
}

int TcxRadioButtonImageList::ImageIndex(TcxLookAndFeelKind AKind, TcxButtonState AState, bool AChecked,
                                        bool AFocused, bool AIsDesigning) const
{
  if (AState < cxbsNormal)
    AState = cxbsNormal;
  const size_t position = (AState - 1) + 4 * AChecked + 8 * AKind + 32 * AIsDesigning + 64 * AFocused;
  return position < FRadioButtonImageListIndexes.size() ? FRadioButtonImageListIndexes[position] : -1;
}

void TcxRadioButtonImageList::Prepare()
{
  if (FList->GetCount() > 0 || FRadioButtonPattern.empty())
    return;
  FRadioButtonImageListIndexes.assign(128, -1);
  const int cx = FRadioButtonSize.cx;
  const int cy = FRadioButtonSize.cy;
  TRadioButtonSurface surface(cx, cy);
  for (int focused = 0; focused <= 1; ++focused)
    for (int designing = 0; designing <= 1; ++designing)
      for (int kind = lfFlat; kind <= lfOffice11; ++kind)
        for (int checked = 0; checked <= 1; ++checked)
          for (int state = cxbsNormal; state <= cxbsDisabled; ++state) {
            const std::array<TColor, 7> colors =
                ClassColors(static_cast<TcxLookAndFeelKind>(kind), static_cast<TcxButtonState>(state), checked,
                            focused, designing);
            for (int i = 0; i < cy; ++i)
              for (int j = 0; j < cx; ++j)
                surface.SetPixel(j, i, FRadioButtonPattern[i][j] ? ColorToRGB(colors[FRadioButtonPattern[i][j]])
                                                                 : kWhite);
            const rtl::TOwnedPtr<vcl::TBitmap> image(NewBitmapOf(surface));
            FRadioButtonImageListIndexes[(state - 1) + 4 * checked + 8 * kind + 32 * designing + 64 * focused] =
                FList->Add(image.get(), FButtonMask);
          }
}

void TcxRadioButtonImageList::Reset()
{
  FList->Clear();
  Prepare();
}

void TcxRadioButtonImageList::Draw(TcxCanvas* ACanvas, int X, int Y, TColor ABrushColor,
                                   TcxLookAndFeelKind ALookAndFeelKind, TcxButtonState AButtonState, bool AChecked,
                                   bool AFocused, bool AIsDesigning)
{
  const int index = ImageIndex(ALookAndFeelKind, AButtonState, AChecked, AFocused, AIsDesigning);
  if (index < 0)
    return;
  if (ABrushColor == clDefault) {
    FList->Draw(ACanvas->GetCanvas(), X, Y, index);
    return;
  }
  const rtl::TOwnedPtr<vcl::TBitmap> bitmap(rtl::New<vcl::TBitmap>());
  bitmap->SetSize(FRadioButtonSize.cx, FRadioButtonSize.cy);
  bitmap->GetCanvas()->GetBrush()->SetColor(ABrushColor);
  bitmap->GetCanvas()->FillRect({0, 0, FRadioButtonSize.cx, FRadioButtonSize.cy});
  FList->Draw(bitmap->GetCanvas(), 0, 0, index);
  BitBlt(ACanvas->GetHandle(), X, Y, FRadioButtonSize.cx, FRadioButtonSize.cy, bitmap->GetCanvas()->GetHandle(), 0, 0,
         SRCCOPY);
}

// ---------------------------------------------------------------------------
// TcxRadioButtonImageListManager

TcxRadioButtonImageList* TcxRadioButtonImageListManager::Get(const TdxScaleFactor* AScaleFactor)
{
  if (!RadioButtonImageLists)
    RadioButtonImageLists = new TRadioButtonImageLists();
  rtl::TOwnedPtr<TcxRadioButtonImageList>& list = (*RadioButtonImageLists)[dxGetTargetDPI(AScaleFactor)];
  if (!list)
    list.reset(rtl::New<TcxRadioButtonImageList>(AScaleFactor));
  return list.get();
}

void TcxRadioButtonImageListManager::Reset()
{
  if (RadioButtonImageLists)
    for (auto& entry : *RadioButtonImageLists)
      entry.second->Reset();
}

void TcxRadioButtonImageListManager::Free()
{
  delete RadioButtonImageLists;
  RadioButtonImageLists = nullptr;
}
