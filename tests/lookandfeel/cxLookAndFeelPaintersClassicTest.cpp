#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/cxClasses.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "graphics/dxOffice11.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "skins/dxSkinsCore.h"
#include "tests/lookandfeel/LookAndFeelTestSupport.h"
#include "tests/platform/vcl/GraphicsTestSupport.h"

using enum TcxAlignmentVert;
using enum TcxBorder;
using enum TcxButtonState;
using enum TcxLookAndFeelKind;
using enum TcxLookAndFeelStyle;
using enum TcxNeighbor;
using enum TcxScrollBarPart;

using namespace vcl;
using vcltest::AsPixel;
using vcltest::TSurface;

namespace {

// What the surface holds before a painter draws: a colour no system colour
// takes, so that an untouched pixel is told apart from a drawn one.
constexpr TColor kClassicBackground = 0x123456;
// A probe that expects the background.
constexpr TColor kClassicUntouched = clNone;

// A memory DIB wrapped in the canvas classes a painter draws on.
struct TClassicSurface : lnftest::TCanvasSurface {
  explicit TClassicSurface(int AWidth = 16, int AHeight = 16) : TCanvasSurface(AWidth, AHeight, AsPixel(kClassicBackground)) {}
};

struct TClassicProbe {
  int X;
  int Y;
  TColor Color;
};

struct TClassicDrawCase {
  const char* Name;
  std::function<void(TcxCanvas*)> Draw;
  std::vector<TClassicProbe> Probes;
};

std::uint32_t ExpectedPixel(TColor AColor)
{
  return AsPixel(ColorToRGB(AColor == kClassicUntouched ? kClassicBackground : AColor));
}

void CheckDrawCases(const std::vector<TClassicDrawCase>& ACases)
{
  for (const TClassicDrawCase& c : ACases) {
    SCOPED_TRACE(c.Name);
    TClassicSurface surface;
    c.Draw(surface.Wrapper.get());
    for (const TClassicProbe& p : c.Probes)
      EXPECT_EQ(surface.Surface.Pixel(p.X, p.Y), ExpectedPixel(p.Color)) << "at (" << p.X << ", " << p.Y << ")";
  }
}

// Every pixel of two drawings, for looks that must not differ.
std::vector<std::uint32_t> Pixels(const std::function<void(TcxCanvas*)>& ADraw)
{
  TClassicSurface surface;
  ADraw(surface.Wrapper.get());
  std::vector<std::uint32_t> result;
  for (int y = 0; y < surface.Surface.Height(); ++y)
    for (int x = 0; x < surface.Surface.Width(); ++x)
      result.push_back(surface.Surface.Pixel(x, y));
  return result;
}

// The painters with their protected drawing in reach of the tests.
class TClassicStandardPainter : public TcxStandardLookAndFeelPainter {
  RTL_CLASS(TClassicStandardPainter, TcxStandardLookAndFeelPainter)

 public:
  using TcxStandardLookAndFeelPainter::DoDrawScrollBarPart;
};

class TClassicOffice11Painter : public TcxOffice11LookAndFeelPainter {
  RTL_CLASS(TClassicOffice11Painter, TcxOffice11LookAndFeelPainter)

 public:
  using TcxOffice11LookAndFeelPainter::DoDrawScrollBarPart;
  using TcxOffice11LookAndFeelPainter::DrawContent;
};

template <class T>
rtl::TOwnedPtr<T> NewClassicPainter()
{
  return rtl::TOwnedPtr<T>(rtl::New<T>());
}

const TdxScaleFactor* OneToOne()
{
  return dxGetDefaultScaleFactor();
}

constexpr TRect kR{0, 0, 10, 10};

// ---------------------------------------------------------------------------
// Registration

class TClassicAddedLog : public TcxIUnknownObject, public IcxLookAndFeelPainterListener {
  RTL_CLASS(TClassicAddedLog, TcxIUnknownObject)
  RTL_INTERFACES(IcxLookAndFeelPainterListener)

 public:
  std::vector<std::wstring> Added;

  void __stdcall PainterAdded(TcxCustomLookAndFeelPainter* APainter) override
  {
    Added.push_back(APainter->LookAndFeelName());
  }
  void __stdcall PainterRemoved(TcxCustomLookAndFeelPainter*) override {}
};

TEST(cxClassicPainters, StartUpRegistersTheFiveByNameAndStyle)
{
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  struct TCase {
    const wchar_t* Name;
    TcxLookAndFeelStyle Style;
    bool (*IsOfClass)(rtl::TObject*);
  };
  const TCase cases[] = {
      {L"Flat", lfsFlat, [](rtl::TObject* P) { return rtl::Is<TcxFlatLookAndFeelPainter>(P); }},
      {L"Native", lfsNative, [](rtl::TObject* P) { return rtl::Is<TcxWinXPLookAndFeelPainter>(P); }},
      {L"Office11", lfsOffice11, [](rtl::TObject* P) { return rtl::Is<TcxOffice11LookAndFeelPainter>(P); }},
      {L"Standard", lfsStandard, [](rtl::TObject* P) { return rtl::Is<TcxStandardLookAndFeelPainter>(P); }},
      {L"UltraFlat", lfsUltraFlat, [](rtl::TObject* P) { return rtl::Is<TcxUltraFlatLookAndFeelPainter>(P); }},
  };
  ASSERT_EQ(manager->GetCount(), 5);
  for (int i = 0; i < 5; ++i) {
    const TCase& c = cases[i];
    TcxCustomLookAndFeelPainter* painter = manager->GetItem(i);
    EXPECT_EQ(painter->LookAndFeelName(), c.Name);
    EXPECT_EQ(painter->LookAndFeelStyle(), c.Style) << painter->LookAndFeelName();
    EXPECT_TRUE(c.IsOfClass(painter)) << painter->LookAndFeelName();
    EXPECT_EQ(manager->GetPainter(c.Style), painter);
  }
  // The skin painter's fallback is the Office-like painter, not a sibling.
  EXPECT_TRUE(rtl::Is<TcxUltraFlatLookAndFeelPainter>(manager->GetPainter(lfsOffice11)));
  EXPECT_FALSE(rtl::Is<TcxUltraFlatLookAndFeelPainter>(manager->GetPainter(lfsFlat)));
}

TEST(cxClassicPainters, RegisterInTheStartUpOrder)
{
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  while (manager->GetCount() > 0)
    manager->Unregister(manager->GetItem(0)->LookAndFeelName());
  const rtl::TOwnedPtr<TClassicAddedLog> log(rtl::New<TClassicAddedLog>());
  manager->AddListener(log.get());
  cxRegisterBuiltInPainters();
  manager->RemoveListener(log.get());
  EXPECT_EQ(log->Added, (std::vector<std::wstring>{L"Flat", L"Office11", L"Standard", L"UltraFlat", L"Native"}));
  EXPECT_EQ(manager->GetCount(), 5);
}

TEST(cxClassicPainters, EachKindResolvesToItsPainter)
{
  const rtl::TOwnedPtr<TcxLookAndFeel> lnf(rtl::New<TcxLookAndFeel>(nullptr));
  lnf->SetNativeStyle(false);
  const std::pair<TcxLookAndFeelKind, const wchar_t*> cases[] = {
      {lfFlat, L"Flat"}, {lfStandard, L"Standard"}, {lfUltraFlat, L"UltraFlat"}, {lfOffice11, L"Office11"}};
  for (const auto& [kind, name] : cases) {
    lnf->SetKind(kind);
    ASSERT_NE(lnf->GetPainter(), nullptr) << name;
    EXPECT_EQ(lnf->GetPainter()->LookAndFeelName(), name);
  }
}

// Each built-in painter describes itself with its name, the built-in
// group and its two style icons from the module; the description is built
// once. The base painter has no name, so no icon resource matches it.
TEST(cxClassicPainters, DetailsCarryTheNameGroupAndStyleIcons)
{
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  const std::pair<const wchar_t*, SIZE> cases[] = {
      {L"Flat", {16, 48}}, {L"Office11", {16, 48}}, {L"Standard", {16, 48}}, {L"UltraFlat", {16, 48}}};
  for (const auto& [name, widths] : cases) {
    TcxCustomLookAndFeelPainter* painter = manager->GetPainter(rtl::String(name));
    ASSERT_NE(painter, nullptr) << name;
    TdxSkinDetails* details = nullptr;
    ASSERT_TRUE(painter->GetPainterDetails(details)) << name;
    EXPECT_EQ(details->GetName(), name);
    EXPECT_EQ(details->GetDisplayName(), name);
    EXPECT_EQ(details->GetGroupName(), L"Built-In Look && Feel Styles");
    EXPECT_EQ(details->GetIcon(TdxSkinIconSize::sis16)->GetWidth(), widths.cx) << name;
    EXPECT_EQ(details->GetIcon(TdxSkinIconSize::sis48)->GetWidth(), widths.cy) << name;
    TdxSkinDetails* again = nullptr;
    painter->GetPainterDetails(again);
    EXPECT_EQ(again, details) << name;
  }

  const rtl::TOwnedPtr<TcxCustomLookAndFeelPainter> base(rtl::New<TcxCustomLookAndFeelPainter>());
  TdxSkinDetails* details = nullptr;
  ASSERT_TRUE(base->GetPainterDetails(details));
  EXPECT_TRUE(details->GetIcon(TdxSkinIconSize::sis16)->GetEmpty());
  EXPECT_TRUE(details->GetIcon(TdxSkinIconSize::sis48)->GetEmpty());
}

// ---------------------------------------------------------------------------
// Standard: two-pixel bevels in the system colours

TEST(cxStandardLookAndFeelPainter, FramesAndFills)
{
  const auto painter = NewClassicPainter<TClassicStandardPainter>();
  TClassicStandardPainter* p = painter.get();
  // The middle of the radio circle: the dot must sit there, two pixels of
  // body on either side of its centre.
  const int mid = p->ScaledRadioButtonSize(OneToOne()).cx / 2;
  const std::vector<TClassicDrawCase> cases = {
      {"checked radio button: the dot in the middle of the circle",
       [p](TcxCanvas* C) { p->DrawScaledRadioButton(C, 0, 0, cxbsNormal, true, false, clDefault, OneToOne()); },
       {{0, mid, clBtnShadow},
        {mid, mid, clWindowText},
        {mid - 2, mid, clWindow},
        {mid + 2, mid, clWindow},
        {mid, mid - 2, clWindow},
        {mid, mid + 2, clWindow}}},
      {"sunken border",
       [p](TcxCanvas* C) { p->DrawBorder(C, kR); },
       {{0, 5, clBtnShadow},
        {5, 0, clBtnShadow},
        {9, 5, clBtnHighlight},
        {5, 9, clBtnHighlight},
        {1, 5, cl3DDkShadow},
        {8, 5, cl3DLight},
        {5, 5, kClassicUntouched}}},
      {"raised button",
       [p](TcxCanvas* C) { p->DrawButtonBorder(C, kR, cxbsNormal); },
       {{0, 5, clBtnHighlight}, {9, 5, cl3DDkShadow}, {1, 5, cl3DLight}, {8, 5, clBtnShadow}, {2, 5, kClassicUntouched}}},
      {"default button",
       [p](TcxCanvas* C) { p->DrawButtonBorder(C, kR, cxbsDefault); },
       {{0, 5, clBlack},
        {9, 5, clBlack},
        {1, 5, clBtnHighlight},
        {8, 5, cl3DDkShadow},
        {2, 5, cl3DLight},
        {7, 5, clBtnShadow},
        {3, 5, kClassicUntouched}}},
      {"pressed button",
       [p](TcxCanvas* C) { p->DrawButtonBorder(C, kR, cxbsPressed); },
       {{0, 5, clBlack}, {1, 5, clBtnShadow}, {8, 5, clBtnShadow}, {2, 5, kClassicUntouched}}},
      {"collapsed expand button",
       [p](TcxCanvas* C) { p->DrawScaledExpandButton(C, TRect{0, 0, 12, 12}, false, OneToOne()); },
       {{0, 5, clBtnHighlight},
        {11, 5, cl3DDkShadow},
        {10, 3, clBtnShadow},
        {1, 1, clBtnFace},
        {9, 9, clBtnFace},
        {1, 5, clBtnFace},
        {2, 5, clBtnText},
        {8, 5, clBtnText},
        {5, 2, clBtnText},
        {5, 8, clBtnText}}},
      {"expanded expand button",
       [p](TcxCanvas* C) { p->DrawScaledExpandButton(C, TRect{0, 0, 12, 12}, true, OneToOne(), clWindow); },
       {{5, 5, clBtnText}, {5, 2, clWindow}, {1, 1, clWindow}}},
      {"header between neighbours",
       [p](TcxCanvas* C) { p->DrawHeaderBorder(C, kR, {nLeft, nRight}, {}); },
       {{0, 5, clBtnHighlight},
        {0, 1, clBtnFace},
        {0, 8, clBtnFace},
        {9, 0, clBtnHighlight},
        {9, 1, clBtnFace},
        {9, 8, clBtnFace},
        {9, 5, clBtnShadow}}},
      {"etched group box",
       [p](TcxCanvas* C) { p->DrawGroupBoxFrame(C, kR, true, TcxGroupBoxCaptionPosition::cxgpTop, cxBordersAll); },
       {{0, 5, clBtnShadow}, {1, 5, clBtnHighlight}, {8, 5, clBtnShadow}, {9, 5, clBtnHighlight}}},
      {"top tab strip with cut corners",
       [p](TcxCanvas* C) { p->DrawTabBorder(C, TRect{0, 0, 10, 1}, bTop, cxBordersAll, false); },
       {{0, 0, kClassicUntouched}, {1, 0, clBtnHighlight}, {9, 0, kClassicUntouched}, {0, 1, clBtnHighlight},
        {9, 1, clBtnHighlight}}},
      {"right tab strip",
       [p](TcxCanvas* C) { p->DrawTabBorder(C, TRect{9, 0, 10, 10}, bRight, cxBordersAll, false); },
       {{9, 1, kClassicUntouched}, {9, 2, clBtnShadow}, {9, 8, clBtnShadow}, {9, 9, kClassicUntouched}}},
      {"checked toggle switch",
       [p](TcxCanvas* C) { p->DrawScaledToggleSwitchState(C, kR, cxbsNormal, true, OneToOne()); },
       {{5, 5, static_cast<TColor>(0x219921)}}},
      {"scroll track, pressed darker",
       [p](TcxCanvas* C) {
         p->DoDrawScrollBarPart(C, false, OneToOne(), sbpPageUp, cxbsNormal, TRect{0, 0, 4, 4});
         p->DoDrawScrollBarPart(C, false, OneToOne(), sbpPageDown, cxbsPressed, TRect{0, 4, 4, 8});
       },
       {{0, 0, clBtnFace}, {1, 0, clBtnHighlight}, {1, 1, clBtnFace}, {0, 4, clBlack}, {1, 4, cl3DDkShadow}}},
      {"scroll thumb",
       [p](TcxCanvas* C) { p->DoDrawScrollBarPart(C, false, OneToOne(), sbpThumbnail, cxbsPressed, kR); },
       {{0, 5, clBtnFace}, {9, 5, cl3DDkShadow}, {1, 5, clBtnHighlight}, {8, 5, clBtnShadow}, {5, 5, clBtnFace}}},
      {"disabled thumb draws nothing",
       [p](TcxCanvas* C) { p->DoDrawScrollBarPart(C, false, OneToOne(), sbpThumbnail, cxbsDisabled, kR); },
       {{0, 5, kClassicUntouched}, {5, 5, kClassicUntouched}}},
      {"pressed line button keeps to its rectangle",
       [p](TcxCanvas* C) { p->DoDrawScrollBarPart(C, false, OneToOne(), sbpLineDown, cxbsPressed, kR); },
       {{0, 5, clBtnShadow}, {9, 5, clBtnShadow}, {1, 5, clBtnFace}, {10, 5, kClassicUntouched},
        {5, 10, kClassicUntouched}}},
  };
  CheckDrawCases(cases);
  EXPECT_EQ(p->ButtonBorderSize(cxbsDefault), 3);
  EXPECT_EQ(p->ButtonBorderSize(cxbsPressed), 2);
}

TEST(cxStandardLookAndFeelPainter, HotScrollBarPartsLookNormal)
{
  const auto painter = NewClassicPainter<TClassicStandardPainter>();
  for (TcxScrollBarPart part : {sbpLineUp, sbpLineDown, sbpThumbnail, sbpPageUp}) {
    const auto draw = [&](TcxButtonState AState) {
      return Pixels([&](TcxCanvas* C) { painter->DoDrawScrollBarPart(C, true, OneToOne(), part, AState, kR); });
    };
    EXPECT_EQ(draw(cxbsHot), draw(cxbsNormal)) << static_cast<int>(part);
  }
}

// ---------------------------------------------------------------------------
// Flat: one-pixel frames in the same colours

TEST(cxFlatLookAndFeelPainter, FramesAndFills)
{
  const auto painter = NewClassicPainter<TcxFlatLookAndFeelPainter>();
  TcxFlatLookAndFeelPainter* p = painter.get();
  const std::vector<TClassicDrawCase> cases = {
      {"border",
       [p](TcxCanvas* C) { p->DrawBorder(C, kR); },
       {{0, 5, clBtnShadow}, {9, 5, clBtnHighlight}, {1, 5, kClassicUntouched}}},
      {"pressed button: no black frame",
       [p](TcxCanvas* C) { p->DrawButtonBorder(C, kR, cxbsPressed); },
       {{0, 5, clBtnShadow}, {9, 5, clBtnHighlight}, {1, 5, kClassicUntouched}}},
      {"default button",
       [p](TcxCanvas* C) { p->DrawButtonBorder(C, kR, cxbsDefault); },
       {{0, 5, clBlack}, {1, 5, clBtnHighlight}, {8, 5, clBtnShadow}, {2, 5, kClassicUntouched}}},
      {"check border",
       [p](TcxCanvas* C) { p->DrawCheckBorder(C, kR, cxbsNormal); },
       {{0, 5, clBtnShadow}, {9, 5, clBtnHighlight}, {1, 5, clWindow}, {8, 5, clWindow}, {2, 5, kClassicUntouched}}},
      {"pressed filter button, active",
       [p](TcxCanvas* C) { p->DrawScaledFilterDropDownButton(C, kR, cxbsPressed, true, OneToOne()); },
       {{0, 5, clBtnShadow}, {9, 5, clBtnHighlight}, {1, 1, clBtnFace}, {5, 5, static_cast<TColor>(0xFF0000)}}},
      {"group box: two frames",
       [p](TcxCanvas* C) { p->DrawGroupBoxFrame(C, kR, true, TcxGroupBoxCaptionPosition::cxgpTop, cxBordersAll); },
       {{0, 5, clBtnShadow}, {9, 5, clBtnShadow}, {1, 5, clBtnHighlight}, {8, 5, clBtnHighlight}}},
      {"toggle switch stays inside its bounds",
       [p](TcxCanvas* C) { p->DrawScaledToggleSwitchState(C, kR, cxbsNormal, false, OneToOne()); },
       {{0, 5, static_cast<TColor>(0xA0A0A0)},
        {5, 0, static_cast<TColor>(0xA0A0A0)},
        {9, 5, clWhite},
        {5, 9, clWhite},
        {5, 5, static_cast<TColor>(0xC8C8C8)},
        {10, 5, kClassicUntouched},
        {5, 10, kClassicUntouched}}},
  };
  CheckDrawCases(cases);
  EXPECT_EQ(p->ButtonBorderSize(cxbsPressed), 1);
  EXPECT_EQ(p->ButtonBorderSize(cxbsDefault), 2);
}

TEST(cxFlatLookAndFeelPainter, DateHeaderTakesItsBottomLineOffTheCallersRect)
{
  const auto painter = NewClassicPainter<TcxFlatLookAndFeelPainter>();
  TClassicSurface surface;
  TRect r = kR;
  painter->DrawDateNavigatorDateHeader(surface.Wrapper.get(), r);
  EXPECT_EQ(r.bottom, 9);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(surface.Surface.Pixel(5, 9), ExpectedPixel(clBtnFace));
}

// ---------------------------------------------------------------------------
// UltraFlat: single-colour frames, hot tracking, selection fills

TEST(cxUltraFlatLookAndFeelPainter, FramesAndFills)
{
  const auto painter = NewClassicPainter<TcxUltraFlatLookAndFeelPainter>();
  TcxUltraFlatLookAndFeelPainter* p = painter.get();
  const TColor hot = cxLightSelectionColor();
  const TColor pressed = cxLightPressedSelectionColor();
  const std::vector<TClassicDrawCase> cases = {
      {"border", [p](TcxCanvas* C) { p->DrawBorder(C, kR); }, {{0, 5, clBtnShadow}, {9, 5, clBtnShadow}}},
      {"normal button", [p](TcxCanvas* C) { p->DrawButtonBorder(C, kR, cxbsNormal); }, {{0, 5, clBtnText}}},
      {"hot button", [p](TcxCanvas* C) { p->DrawButtonBorder(C, kR, cxbsHot); }, {{0, 5, clHighlight}}},
      {"default button",
       [p](TcxCanvas* C) { p->DrawButtonBorder(C, kR, cxbsDefault); },
       {{0, 5, clWindowFrame}, {1, 5, clWindowFrame}, {2, 5, kClassicUntouched}}},
      {"hot filter button",
       [p](TcxCanvas* C) { p->DrawScaledFilterDropDownButton(C, kR, cxbsHot, false, OneToOne()); },
       {{0, 5, clHighlight}, {1, 1, hot}, {5, 5, clBtnText}}},
      {"pressed filter button: symbol in highlight text",
       [p](TcxCanvas* C) { p->DrawScaledFilterDropDownButton(C, kR, cxbsPressed, false, OneToOne()); },
       {{0, 5, clHighlight}, {1, 1, pressed}, {5, 5, clHighlightText}}},
      {"header without left and top neighbour sides",
       [p](TcxCanvas* C) { p->DrawHeaderBorder(C, kR, {}, {bRight, bBottom}); },
       {{0, 5, kClassicUntouched}, {5, 0, kClassicUntouched}, {9, 5, clBtnText}, {5, 9, clBtnText}}},
      {"collapsed expand button",
       [p](TcxCanvas* C) { p->DrawScaledExpandButton(C, TRect{0, 0, 11, 11}, false, OneToOne()); },
       {{0, 5, clBtnShadow}, {10, 5, clBtnShadow}, {1, 1, clBtnFace}, {5, 2, clBtnText}, {2, 5, clBtnText},
        {8, 5, clBtnText}, {1, 5, clBtnFace}}},
      {"expanded expand button",
       [p](TcxCanvas* C) { p->DrawScaledExpandButton(C, TRect{0, 0, 11, 11}, true, OneToOne()); },
       {{5, 2, clBtnFace}, {5, 5, clBtnText}}},
      {"hot token",
       [p](TcxCanvas* C) { p->DrawScaledTokenBackground(C, kR, cxbsHot, OneToOne()); },
       {{0, 5, clHighlight}, {5, 5, hot}}},
      {"normal token: frame only",
       [p](TcxCanvas* C) { p->DrawScaledTokenBackground(C, kR, cxbsNormal, OneToOne()); },
       {{0, 5, clBtnShadow}, {5, 5, kClassicUntouched}}},
      {"disabled group box",
       [p](TcxCanvas* C) { p->DrawGroupBoxFrame(C, kR, false, TcxGroupBoxCaptionPosition::cxgpTop, {bTop}); },
       {{5, 0, clBtnShadow}, {0, 5, kClassicUntouched}}},
      {"drop-down list box with borders",
       [p](TcxCanvas* C) { p->DrawDropDownListBoxBackground(C, kR, true); },
       {{0, 5, clBtnShadow}, {1, 5, clBtnHighlight}, {5, 5, clWindow}}},
  };
  CheckDrawCases(cases);
  EXPECT_EQ(p->ButtonColor(cxbsHot), hot);
  EXPECT_EQ(p->ButtonColor(cxbsPressed), pressed);
  EXPECT_EQ(p->RadioButtonBodyColor(cxbsNormal), clWindow);
  EXPECT_EQ(p->RadioButtonBodyColor(cxbsDisabled), clBtnFace);
  EXPECT_EQ(p->ButtonSymbolState(cxbsPressed), cxbsNormal);
}

TEST(cxUltraFlatLookAndFeelPainter, BreadcrumbButtonsDrawOnlyWhenActive)
{
  const auto painter = NewClassicPainter<TcxUltraFlatLookAndFeelPainter>();
  using enum TdxBreadcrumbEditButtonState;
  struct TCase {
    TdxBreadcrumbEditButtonState State;
    TColor Left;
    TColor Inside;
  };
  const TCase cases[] = {
      {dxbcbsNormal, kClassicUntouched, kClassicUntouched},
      {dxbcbsDisabled, kClassicUntouched, kClassicUntouched},
      {dxbcbsFocused, clBtnShadow, clBtnFace},
      {dxbcbsHot, clHighlight, cxLightSelectionColor()},
      {dxbcbsPressed, clHighlight, cxLightPressedSelectionColor()},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.State));
    TClassicSurface surface;
    // A middle button: frames on both sides.
    painter->DrawBreadcrumbEditScaledButton(surface.Wrapper.get(), kR, c.State, false, false, OneToOne());
    EXPECT_EQ(surface.Surface.Pixel(0, 5), ExpectedPixel(c.Left));
    EXPECT_EQ(surface.Surface.Pixel(5, 5), ExpectedPixel(c.Inside));
  }
}

// ---------------------------------------------------------------------------
// Office11: the palette, which without visual styles (the Wine default)
// falls back to mixtures of the system colours

TEST(cxOffice11LookAndFeelPainter, FallsBackToSystemColourMixturesWithoutAScheme)
{
  ASSERT_FALSE(dxOffice11UsesSchemeColors());
  const auto painter = NewClassicPainter<TClassicOffice11Painter>();
  TClassicOffice11Painter* p = painter.get();
  EXPECT_EQ(ColorToRGB(p->ButtonColor(cxbsNormal)), ColorToRGB(clBtnFace));
  EXPECT_EQ(p->ButtonColor(cxbsDisabled), clBtnFace);
  EXPECT_EQ(p->ButtonColor(cxbsHot), cxLightSelectionColor());
  EXPECT_EQ(p->ButtonColor(cxbsPressed), cxLightPressedSelectionColor());
  // The pressed face is the darker mixture: its symbol needs the light text.
  EXPECT_EQ(p->ButtonSymbolColor(cxbsPressed), clHighlightText);
  EXPECT_EQ(ColorToRGB(p->ButtonSymbolColor(cxbsNormal)), ColorToRGB(clBtnText));
  EXPECT_EQ(ColorToRGB(p->ButtonSymbolColor(cxbsDisabled)), ColorToRGB(clGrayText));
  EXPECT_EQ(ColorToRGB(p->DefaultControlColor()), ColorToRGB(cxBlendColors(clBtnFace, clWindow, 20)));
  EXPECT_EQ(p->DefaultHeaderColor(),
            cxBlendColors(dxOffice11GradientLightColor, dxOffice11GradientDarkColor, 50));
  EXPECT_EQ(p->RadioButtonBodyColor(cxbsNormal), clWindow);
  EXPECT_EQ(p->RadioButtonBodyColor(cxbsHot), cxLightSelectionColor());
  EXPECT_EQ(p->HeaderBorders({nLeft, nTop}), cxBordersAll);
}

TEST(cxOffice11LookAndFeelPainter, FramesAndFills)
{
  const auto painter = NewClassicPainter<TClassicOffice11Painter>();
  TClassicOffice11Painter* p = painter.get();
  const TColor top = p->HeaderTopColor();
  const TColor bottom = p->HeaderBottomColor();
  const TColor dark = p->HeaderEdgeDarkColor();
  const TColor light = p->HeaderEdgeLightColor();
  const std::vector<TClassicDrawCase> cases = {
      {"border in the menu border colour", [p](TcxCanvas* C) { p->DrawBorder(C, kR); }, {{0, 5, clBtnShadow}}},
      {"normal button", [p](TcxCanvas* C) { p->DrawButtonBorder(C, kR, cxbsNormal); }, {{0, 5, clBtnText}}},
      {"hot button", [p](TcxCanvas* C) { p->DrawButtonBorder(C, kR, cxbsHot); }, {{0, 5, clHighlight}}},
      {"disabled button", [p](TcxCanvas* C) { p->DrawButtonBorder(C, kR, cxbsDisabled); }, {{0, 5, clGrayText}}},
      {"separator: dark with a light copy down and right",
       [p](TcxCanvas* C) { p->DoDrawSeparator(C, TRect{0, 0, 10, 2}, false); },
       {{0, 0, dxOffice11SeparatorDarkColor}, {5, 1, dxOffice11SeparatorLightColor}, {0, 1, kClassicUntouched}}},
      {"header without neighbours",
       [p](TcxCanvas* C) { p->DrawHeaderBorder(C, kR, {}, cxBordersAll); },
       {{5, 0, top},
        {5, 9, dark},
        {0, 1, light},
        {0, 7, light},
        {0, 8, bottom},
        {9, 0, cxBlendColors(top, dark, 50)},
        {9, 5, dark},
        {9, 8, cxBlendColors(bottom, dark, 50)}}},
      {"header between neighbours",
       [p](TcxCanvas* C) { p->DrawHeaderBorder(C, kR, {nLeft, nRight}, cxBordersAll); },
       {{0, 1, top},
        {0, 2, light},
        {0, 7, cxBlendColors(top, bottom, 25)},
        {0, 8, bottom},
        {9, 1, top},
        {9, 2, dark},
        {9, 7, cxBlendColors(top, bottom, 25)}}},
      {"header content: flat top, gradient at the bottom",
       [p](TcxCanvas* C) {
         p->DrawContent(C, kR, kR, cxbsNormal, rtl::TAlignment::taLeftJustify, vaTop, false, false, L"", nullptr, clDefault,
                        clRed, {});
       },
       {{5, 0, top}, {5, 6, top}}},
      {"hot header content: light, with a selection underline",
       [p](TcxCanvas* C) {
         p->DrawContent(C, kR, kR, cxbsHot, rtl::TAlignment::taLeftJustify, vaTop, false, false, L"", nullptr, clDefault, clRed,
                        {});
       },
       {{5, 0, dxOffice11GradientLightColor},
        {5, 7, dxOffice11GradientLightColor},
        {5, 8, dxOffice11SelectedColor1},
        {5, 10, dxOffice11SelectedColor1},
        {5, 11, kClassicUntouched}}},
      {"scroll track without a native painter: the ultra-flat pattern",
       [p](TcxCanvas* C) {
         TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
         manager->Unregister(L"Native");
         p->DoDrawScrollBarPart(C, false, OneToOne(), sbpPageUp, cxbsNormal, kR);
         manager->Register(rtl::New<TcxWinXPLookAndFeelPainter>());
       },
       {{0, 0, clBtnFace}, {1, 0, clBtnHighlight}}},
      {"hot token: frame and selection gradient",
       [p](TcxCanvas* C) { p->DrawScaledTokenBackground(C, kR, cxbsHot, OneToOne()); },
       {{0, 5, clBtnShadow}, {5, 5, dxOffice11SelectedColor1}}},
  };
  CheckDrawCases(cases);
}

TEST(cxOffice11LookAndFeelPainter, ExpandButtonBlendsItsCornersIntoTheBackground)
{
  ASSERT_NE(dxOffice11ExpandButtonPlusBitmap, nullptr);
  ASSERT_FALSE(dxOffice11ExpandButtonPlusBitmap->GetEmpty());
  const auto painter = NewClassicPainter<TClassicOffice11Painter>();
  for (TColor background : {clWhite, clBlack}) {
    TClassicSurface surface;
    surface.Wrapper->FillRect(TRect{0, 0, 16, 16}, background);
    painter->DrawScaledExpandButton(surface.Wrapper.get(), TRect{2, 2, 13, 13}, false, OneToOne());
    EXPECT_EQ(surface.Surface.Pixel(2, 2),
              ExpectedPixel(cxBlendColors(dxOffice11ExpandButtonColor1, background, 25)));
    EXPECT_EQ(surface.Surface.Pixel(12, 12),
              ExpectedPixel(cxBlendColors(dxOffice11ExpandButtonColor2, background, 25)));
    EXPECT_EQ(surface.Surface.Pixel(13, 13), ExpectedPixel(background));
  }
  // A corner off the surface cannot be read: it keeps its own colour rather
  // than a blend with the invalid-colour answer.
  TClassicSurface surface;
  painter->DrawScaledExpandButton(surface.Wrapper.get(), TRect{-5, -5, 6, 6}, false, OneToOne());
  EXPECT_EQ(surface.Surface.Pixel(5, 5),
            ExpectedPixel(cxBlendColors(dxOffice11ExpandButtonColor2, kClassicBackground, 25)));
  EXPECT_EQ(dxOffice11ExpandButtonPlusBitmap->GetCanvas()->GetPixel(0, 0), dxOffice11ExpandButtonColor1);
}

}  // namespace
