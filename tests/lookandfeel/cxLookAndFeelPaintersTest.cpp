#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsColors.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "platform/rtl/SysUtils.h"
#include "tests/lookandfeel/LookAndFeelTestSupport.h"
#include "tests/platform/vcl/GraphicsTestSupport.h"

using enum TcxButtonState;
using enum TcxCheckBoxState;
using enum TcxGroupBoxCaptionPosition;
using enum TcxLookAndFeelKind;
using enum TcxLookAndFeelStyle;
using enum TcxLookAndFeelValue;
using enum TdxCorner;

using namespace vcl;
using lnftest::NewPainter;
using lnftest::TRegisteredPainters;
using lnftest::TTestPainter;
using vcltest::AsPixel;
using vcltest::TSurface;

namespace {

struct TWrappedSurface : lnftest::TCanvasSurface {
  explicit TWrappedSurface(int AWidth, int AHeight) : TCanvasSurface(AWidth, AHeight, AsPixel(clBlue)) {}
};

std::vector<std::wstring> PainterNames()
{
  std::vector<std::wstring> result;
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  for (int i = 0; i < manager->GetCount(); ++i)
    result.push_back(manager->GetItem(i)->LookAndFeelName());
  return result;
}

// ---------------------------------------------------------------------------
// The manager

TEST(cxLookAndFeelPaintersManager, KeepsPaintersSortedByName)
{
  TRegisteredPainters painters;
  ASSERT_EQ(cxLookAndFeelPaintersManager()->GetCount(), 0);
  // The start-up order of the built-in painters.
  for (const wchar_t* name : {L"Flat", L"Office11", L"Standard", L"UltraFlat", L"Native"})
    painters.Add(name, lfsStandard);
  EXPECT_EQ(PainterNames(), (std::vector<std::wstring>{L"Flat", L"Native", L"Office11", L"Standard", L"UltraFlat"}));
}

TEST(cxLookAndFeelPaintersManager, FindsNamesIgnoringTheCaseOfAsciiLettersOnly)
{
  TRegisteredPainters painters;
  TcxCustomLookAndFeelPainter* ultraFlat = painters.Add(L"UltraFlat", lfsUltraFlat);
  TcxCustomLookAndFeelPainter* accented = painters.Add(L"\u00C9t\u00E9", lfsSkin);
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  struct TCase {
    const wchar_t* Name;
    TcxCustomLookAndFeelPainter* Expected;
  };
  const TCase cases[] = {
      {L"UltraFlat", ultraFlat}, {L"ULTRAFLAT", ultraFlat}, {L"ultraflat", ultraFlat},
      {L"", nullptr},            {L"UltraFla", nullptr},    {L"\u00C9T\u00E9", accented},
      // No locale rules: a non-ASCII letter matches only itself.
      {L"\u00E9t\u00E9", nullptr},
  };
  for (const TCase& c : cases) {
    TcxCustomLookAndFeelPainter* found = nullptr;
    EXPECT_EQ(manager->GetPainter(rtl::String(c.Name)), c.Expected) << c.Name;
    EXPECT_EQ(manager->GetPainter(rtl::String(c.Name), found), c.Expected != nullptr) << c.Name;
    EXPECT_EQ(found, c.Expected) << c.Name;
  }
}

TEST(cxLookAndFeelPaintersManager, DuplicateNameFreesTheOfferedPainter)
{
  TRegisteredPainters painters;
  TcxCustomLookAndFeelPainter* flat = painters.Add(L"Flat", lfsFlat);
  bool freed = false;
  EXPECT_FALSE(cxLookAndFeelPaintersManager()->Register(NewPainter(L"flat", lfsStandard, &freed)));
  EXPECT_TRUE(freed);
  EXPECT_EQ(PainterNames(), std::vector<std::wstring>{L"Flat"});
  EXPECT_EQ(cxLookAndFeelPaintersManager()->GetPainter(rtl::String(L"FLAT")), flat);
}

TEST(cxLookAndFeelPaintersManager, StyleLookupTakesTheSmallestNameOfTheStyle)
{
  TRegisteredPainters painters;
  painters.Add(L"Flat", lfsFlat);
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  EXPECT_EQ(manager->GetPainter(lfsSkin), nullptr);
  painters.Add(L"Zeta", lfsSkin);
  TcxCustomLookAndFeelPainter* alpha = painters.Add(L"Alpha", lfsSkin);
  EXPECT_EQ(manager->GetPainter(lfsSkin), alpha);
  TcxCustomLookAndFeelPainter* found = nullptr;
  EXPECT_FALSE(manager->GetPainter(lfsOffice11, found));
  EXPECT_EQ(found, nullptr);
}

TEST(cxLookAndFeelPaintersManager, UnregisteringAnAbsentNameAnswersFalse)
{
  EXPECT_FALSE(cxLookAndFeelPaintersManager()->Unregister(L"Nobody"));
}

// Records the manager's notifications and what the root saw meanwhile.
class TPainterListener : public TcxIUnknownObject, public IcxLookAndFeelPainterListener {
  RTL_CLASS(TPainterListener, TcxIUnknownObject)
  RTL_INTERFACES(IcxLookAndFeelPainterListener)

 public:
  std::vector<std::wstring>* Log = nullptr;
  std::wstring Name;
  TPainterListener* RemoveOnCall = nullptr;

  void __stdcall PainterAdded(TcxCustomLookAndFeelPainter* APainter) override { Record(L"added ", APainter); }
  void __stdcall PainterRemoved(TcxCustomLookAndFeelPainter* APainter) override
  {
    // Out of the list, still alive.
    EXPECT_EQ(cxLookAndFeelPaintersManager()->GetPainter(APainter->LookAndFeelName()), nullptr);
    Record(L"removed ", APainter);
  }

 private:
  void Record(const wchar_t* AWhat, TcxCustomLookAndFeelPainter* APainter)
  {
    // The root was refreshed first: its skin painter already reflects it.
    const bool rootHasIt = cxGetRootLookAndFeel()->GetSkinPainter() == APainter;
    Log->push_back(Name + L" " + AWhat + APainter->LookAndFeelName() + (rootHasIt ? L" root" : L""));
    if (RemoveOnCall)
      cxLookAndFeelPaintersManager()->RemoveListener(RemoveOnCall);
  }
};

TEST(cxLookAndFeelPaintersManager, RefreshesTheRootThenTellsListenersNewestFirst)
{
  TcxLookAndFeel* root = cxGetRootLookAndFeel();
  root->SetNativeStyle(false);
  root->SetSkinName(L"Heard");
  std::vector<std::wstring> log;
  const rtl::TOwnedPtr<TPainterListener> a(rtl::New<TPainterListener>());
  const rtl::TOwnedPtr<TPainterListener> b(rtl::New<TPainterListener>());
  const rtl::TOwnedPtr<TPainterListener> c(rtl::New<TPainterListener>());
  a->Log = b->Log = c->Log = &log;
  a->Name = L"A";
  b->Name = L"B";
  c->Name = L"C";
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  TRegisteredPainters painters;
  manager->AddListener(a.get());
  manager->AddListener(b.get());
  manager->AddListener(b.get());
  manager->AddListener(c.get());
  painters.Add(L"Heard", lfsSkin);
  // C, called first, removes B: B is not called for this painter.
  c->RemoveOnCall = b.get();
  manager->Unregister(L"Heard");
  manager->RemoveListener(a.get());
  manager->RemoveListener(c.get());
  root->Reset();
  EXPECT_EQ(log, (std::vector<std::wstring>{L"C added Heard root", L"B added Heard root", L"A added Heard root",
                                            L"C removed Heard", L"A removed Heard"}));
}

// ---------------------------------------------------------------------------
// The base painter

class TcxCustomLookAndFeelPainterTest : public testing::Test {
 protected:
  void SetUp() override { Painter.reset(NewPainter(L"", lfsStandard)); }
  rtl::TOwnedPtr<TTestPainter> Painter;
};

TEST_F(TcxCustomLookAndFeelPainterTest, IdentityOfTheBaseClass)
{
  const rtl::TOwnedPtr<TcxCustomLookAndFeelPainter> base(rtl::New<TcxCustomLookAndFeelPainter>());
  EXPECT_EQ(base->LookAndFeelName(), L"");
  EXPECT_EQ(base->LookAndFeelStyle(), lfsStandard);
  EXPECT_FALSE(base->IsInternalPainter());
  EXPECT_FALSE(base->NeedRedrawOnResize());
  int data = 7;
  EXPECT_FALSE(base->GetPainterData(&data));
  EXPECT_EQ(data, 7);
}

TEST_F(TcxCustomLookAndFeelPainterTest, AbstractOperationsRaiseOnTheBaseClass)
{
  TcxCustomLookAndFeelPainter* p = Painter.get();
  const auto factor = dxGetDefaultScaleFactor();
  TWrappedSurface s(4, 4);
  TcxCanvas* canvas = s.Wrapper.get();
  const TRect r{0, 0, 4, 4};
  EXPECT_THROW(p->DrawScaledExpandButton(canvas, r, true, factor), rtl::EAbstractError);
  EXPECT_THROW(p->ScaledExpandButtonSize(factor), rtl::EAbstractError);
  EXPECT_THROW(p->DrawScaledSortingMark(canvas, r, true, factor), rtl::EAbstractError);
  EXPECT_THROW(p->DrawScaledSummarySortingMark(canvas, r, false, factor), rtl::EAbstractError);
  EXPECT_THROW(p->ScaledSortingMarkSize(factor), rtl::EAbstractError);
  EXPECT_THROW(p->ScaledSummarySortingMarkSize(factor), rtl::EAbstractError);
  EXPECT_THROW(p->DrawScaledFilterDropDownButton(canvas, r, cxbsNormal, false, factor), rtl::EAbstractError);
  // The twins reach the virtual operation.
  EXPECT_THROW(p->DrawExpandButton(canvas, r, false), rtl::EAbstractError);
  EXPECT_THROW(p->DrawSortingMark(canvas, r, true), rtl::EAbstractError);
}

TEST_F(TcxCustomLookAndFeelPainterTest, ConstantDefaultColours)
{
  TcxCustomLookAndFeelPainter* p = Painter.get();
  struct TCase {
    const char* Name;
    TColor Actual;
    TColor Expected;
  };
  const TCase cases[] = {
      {"Content", p->DefaultContentColor(), clWindow},
      {"ContentText", p->DefaultContentTextColor(), clWindowText},
      {"Control", p->DefaultControlColor(), clBtnFace},
      {"ControlText", p->DefaultControlTextColor(), clBtnText},
      {"GridLine", p->DefaultGridLineColor(), clBtnShadow},
      {"FilterBoxText", p->DefaultFilterBoxTextColor(), clBtnHighlight},
      {"DateNavigatorInactiveText", p->DefaultDateNavigatorInactiveTextColor(), clGrayText},
      {"Selection", p->DefaultSelectionColor(), clHighlight},
      {"SelectionText", p->DefaultSelectionTextColor(), clHighlightText},
      {"Holyday", p->DefaultDateNavigatorHolydayTextColor(), clRed},
      {"TodayFrame", p->DefaultDateNavigatorTodayFrameColor(), clMaroon},
      {"Hyperlink", p->DefaultHyperlinkTextColor(), clBlue},
      {"PieCaptionText", p->DefaultChartPieDiagramSeriesSiteCaptionTextColor(), clNavy},
      {"VGridLine", p->DefaultVGridLineColor(), clBlack},
      {"ViewContent", p->DefaultSchedulerViewContentColor(), clWhite},
      {"VGridCategoryText", p->DefaultVGridCategoryTextColor(), clDefault},
      {"SchedulerBorder", p->DefaultSchedulerBorderColor(), 0x9D9DA1},
      {"DayHeader", p->DefaultSchedulerDayHeaderColor(), 0xF0F0F0},
      {"DayHeaderBorder", p->DefaultSchedulerDayHeaderBorderColor(), 0xE1E1E1},
      {"DayHeaderText", p->DefaultSchedulerDayHeaderTextColor(), 0x444444},
      {"TimeRulerText", p->DefaultSchedulerTimeRulerTextColor(), 0x666666},
      {"ViewContentClassic", p->DefaultSchedulerViewContentColorClassic(), 0xD5FFFF},
      {"HistogramGridLine", p->DefaultChartHistogramGridLineColor(), 0xCFCFCF},
      {"PieCaption", p->DefaultChartPieDiagramSeriesSiteCaptionColor(), 0xF0CAA6},
      {"EditorBackground", p->DefaultEditorBackgroundColor(true), clDefault},
      {"TodayTextSelected", p->DefaultDateNavigatorTodayTextColor(true), clDefault},
      {"TodayText", p->DefaultDateNavigatorTodayTextColor(), clNavy},
      {"ArrowPlain", p->DefaultSchedulerDateNavigatorArrowColor(false), 0x5F5F5F},
      {"EventAllDay", p->DefaultSchedulerEventColor(true), 0xD7D7D7},
      {"Event", p->DefaultSchedulerEventColor(false), 0xD7D7D7},
      {"EventClassicAllDay", p->DefaultSchedulerEventColorClassic(true), clWhite},
      {"EventClassic", p->DefaultSchedulerEventColorClassic(false), clWindow},
      {"HeaderContainerBackground", p->DefaultSchedulerHeaderContainerBackgroundColor(false), clWhite},
      {"TimeRuler", p->DefaultSchedulerTimeRulerColor(), clWhite},
      {"HeaderContainerText", p->DefaultSchedulerHeaderContainerTextColor(false), 0x444444},
      {"CaptionHot", p->DefaultLayoutViewCaptionColor(cxbsHot), clHighlight},
      {"CaptionDisabled", p->DefaultLayoutViewCaptionColor(cxbsDisabled), clInactiveCaption},
      {"CaptionPressed", p->DefaultLayoutViewCaptionColor(cxbsPressed), clBtnFace},
      // A hot caption keeps the content text colour; a pressed one changes.
      {"CaptionTextHot", p->DefaultLayoutViewCaptionTextColor(cxgpTop, cxbsHot), clWindowText},
      {"CaptionTextPressed", p->DefaultLayoutViewCaptionTextColor(cxgpLeft, cxbsPressed), clHighlightText},
      {"ContentTextDisabled", p->DefaultLayoutViewContentTextColor(cxbsDisabled), clInactiveCaptionText},
      {"CategorySelected", p->DefaultGridOptionsTreeViewCategoryColor(true), clHighlight},
      {"Category", p->DefaultGridOptionsTreeViewCategoryColor(false), clBtnShadow},
      {"CategoryTextSelected", p->DefaultGridOptionsTreeViewCategoryTextColor(true), clHighlightText},
      {"CategoryText", p->DefaultGridOptionsTreeViewCategoryTextColor(false), clBtnText},
      {"SymbolDisabled", p->ButtonSymbolColor(cxbsDisabled, clRed), clBtnShadow},
      {"SymbolDefault", p->ButtonSymbolColor(cxbsNormal), clBtnText},
      {"SymbolGiven", p->ButtonSymbolColor(cxbsHot, clRed), clRed},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(c.Actual, c.Expected) << c.Name;
  const TRect offsets = p->DefaultGroupContentOffsets();
  EXPECT_TRUE(offsets.left == 0 && offsets.top == 0 && offsets.right == 0 && offsets.bottom == 0);
}

// A painter that overrides only the targets of the forwarding colours.
class TOverridingPainter : public TTestPainter {
  RTL_CLASS(TOverridingPainter, TTestPainter)

 public:
  TColor DefaultContentColor() override { return 0x010101; }
  TColor DefaultGridLineColor() override { return 0x020202; }
  TColor DefaultHeaderColor() override { return 0x030303; }
  TColor DefaultHeaderTextColor() override { return 0x040404; }
  TColor DefaultSelectionColor() override { return 0x050505; }
  TColor DefaultSelectionTextColor() override { return 0x060606; }
  TColor DefaultSchedulerHeaderContainerBorderColor() override { return 0x070707; }
  TColor DefaultVGridLineColor() override { return 0x080808; }
  TColor DefaultContentTextColor() override { return 0x090909; }
};

TEST(TcxCustomLookAndFeelPainter, ForwardingColoursFollowTheirOverriddenTargets)
{
  const rtl::TOwnedPtr<TOverridingPainter> owned(rtl::New<TOverridingPainter>());
  TcxCustomLookAndFeelPainter* p = owned.get();
  struct TCase {
    const char* Name;
    TColor Actual;
    TColor Expected;
  };
  const TCase cases[] = {
      {"ContentEven", p->DefaultContentEvenColor(), 0x010101},
      {"ContentOdd", p->DefaultContentOddColor(), 0x010101},
      {"LayoutViewContent", p->DefaultLayoutViewContentColor(), 0x010101},
      {"DateNavigatorContent", p->DefaultDateNavigatorContentColor(), 0x010101},
      {"VGridContent", p->DefaultVGridContentColor(), 0x010101},
      {"VGridContentEven", p->DefaultVGridContentEvenColor(), 0x010101},
      {"VGridContentOdd", p->DefaultVGridContentOddColor(), 0x010101},
      {"RecordSeparator", p->DefaultRecordSeparatorColor(), 0x020202},
      {"TreeListGridLine", p->DefaultTreeListGridLineColor(), 0x020202},
      {"TreeListTreeLine", p->DefaultTreeListTreeLineColor(), 0x020202},
      {"VGridCategory", p->DefaultVGridCategoryColor(), 0x030303},
      {"VGridHeader", p->DefaultVGridHeaderColor(), 0x030303},
      {"TimeRulerClassic", p->DefaultSchedulerTimeRulerColorClassic(), 0x030303},
      {"VGridHeaderText", p->DefaultVGridHeaderTextColor(), 0x040404},
      {"TimeRulerTextClassic", p->DefaultSchedulerTimeRulerTextColorClassic(), 0x040404},
      {"DateNavigatorHeaderText", p->DefaultDateNavigatorHeaderTextColor(false), 0x040404},
      {"HeaderContainerSelected", p->DefaultSchedulerHeaderContainerBackgroundColor(true), 0x050505},
      {"CaptionHot", p->DefaultLayoutViewCaptionColor(cxbsHot), 0x050505},
      {"ViewSelectedText", p->DefaultSchedulerViewSelectedTextColor(), 0x060606},
      {"HeaderContainerTextSelected", p->DefaultSchedulerHeaderContainerTextColor(true), 0x060606},
      {"TimeRulerBorder", p->DefaultSchedulerTimeRulerBorderColor(), 0x070707},
      {"VGridBandLine", p->DefaultVGridBandLineColor(), 0x080808},
      {"VGridContentText", p->DefaultVGridContentTextColor(), 0x090909},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(c.Actual, c.Expected) << c.Name;
}

// The protected helpers the concrete painters build on.
class TExposingPainter : public TTestPainter {
  RTL_CLASS(TExposingPainter, TTestPainter)

 public:
  using TcxCustomLookAndFeelPainter::DrawDropDownArrow;
  using TcxCustomLookAndFeelPainter::FillBackground;
  using TcxCustomLookAndFeelPainter::GetHighlightedTextColor;
  using TcxCustomLookAndFeelPainter::GetSeparatorBounds;
};

TEST(TcxCustomLookAndFeelPainter, SeparatorBoundsAreABandThroughTheCentre)
{
  const rtl::TOwnedPtr<TExposingPainter> painter(rtl::New<TExposingPainter>());
  struct TCase {
    TRect R;
    int Size;
    bool Vertical;
    TRect Expected;
  };
  const TCase cases[] = {
      {{10, 20, 30, 40}, 2, true, {19, 20, 21, 40}},
      {{10, 20, 30, 40}, 2, false, {10, 29, 30, 31}},
      {{10, 20, 31, 41}, 3, true, {19, 20, 22, 41}},
      {{0, 0, 10, 10}, 0, false, {0, 5, 10, 5}},
  };
  for (const TCase& c : cases) {
    const TRect r = painter->GetSeparatorBounds(c.R, c.Size, c.Vertical);
    EXPECT_TRUE(EqualRect(&r, &c.Expected)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
}

TEST(TcxCustomLookAndFeelPainter, DropDownArrowIsAnOddWidthTriangleCentred)
{
  const rtl::TOwnedPtr<TExposingPainter> painter(rtl::New<TExposingPainter>());
  // Width 12: w = 7 (6 made odd), h = 4; x0 = (0 + 12 - 7) div 2 = 2,
  // y0 = round((0 + 9 - 4) / 2) = 3 (2.5 away from zero).
  TWrappedSurface s(12, 9);
  painter->DrawDropDownArrow(s.Wrapper.get(), {0, 0, 12, 9}, clRed);
  for (int x = 2; x <= 8; ++x)
    EXPECT_EQ(s.Surface.Pixel(x, 3), AsPixel(clRed)) << x;
  EXPECT_EQ(s.Surface.Pixel(1, 3), AsPixel(clBlue));
  EXPECT_EQ(s.Surface.Pixel(9, 3), AsPixel(clBlue));
  EXPECT_EQ(s.Surface.Pixel(5, 6), AsPixel(clRed));
  EXPECT_EQ(s.Surface.Pixel(5, 7), AsPixel(clBlue));
  EXPECT_EQ(s.Surface.Pixel(5, 2), AsPixel(clBlue));
}

TEST(TcxCustomLookAndFeelPainter, FillBackgroundUsesTheColourUnlessABitmapIsAsked)
{
  const rtl::TOwnedPtr<TExposingPainter> painter(rtl::New<TExposingPainter>());
  TWrappedSurface filled(4, 4);
  painter->FillBackground(filled.Wrapper.get(), {0, 0, 4, 4}, nullptr, clLime, false);
  EXPECT_EQ(filled.Surface.Pixel(3, 3), AsPixel(clLime));
  // A bitmap asked for but missing: nothing is drawn.
  TWrappedSurface kept(4, 4);
  painter->FillBackground(kept.Wrapper.get(), {0, 0, 4, 4}, nullptr, clLime, true);
  EXPECT_EQ(kept.Surface.Pixel(3, 3), AsPixel(clBlue));
  const TColor expected = dxOSIsWindowsVistaOrLater ? clHotLight : clHighlightText;
  EXPECT_EQ(painter->GetHighlightedTextColor(), expected);
}

TEST(TcxCustomLookAndFeelPainter, CheckButtonSizeIsOneCellOfThePlatformBitmap)
{
  // OBM_CHECKBOXES, declared only under OEMRESOURCE.
  HBITMAP bitmap = LoadBitmapW(nullptr, MAKEINTRESOURCEW(32759));
  ASSERT_NE(bitmap, nullptr);
  BITMAP info{};
  GetObjectW(bitmap, sizeof(info), &info);
  DeleteObject(bitmap);
  const TSize size = cxCheckButtonSize();
  EXPECT_EQ(size.cx, info.bmWidth / 4);
  EXPECT_EQ(size.cy, info.bmHeight / 3);
  EXPECT_GT(size.cx, 0);
}

TEST(cxLookAndFeelPainters, ScrollBarPatternsAreCheckered)
{
  struct TCase {
    int Index;
    TColor Even;
    TColor Odd;
  };
  const TCase cases[] = {{0, clBtnFace, clBtnHighlight}, {1, clBlack, cl3DDkShadow}};
  for (const TCase& c : cases) {
    vcl::TBitmap* bitmap = cxScrollBarPatternBitmap(c.Index);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_EQ(bitmap->GetWidth(), 8);
    ASSERT_EQ(bitmap->GetHeight(), 8);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        ASSERT_EQ(bitmap->GetCanvas()->GetPixel(x, y), ColorToRGB((x + y) % 2 ? c.Odd : c.Even))
            << c.Index << " at " << x << "," << y;
  }
}

// ---------------------------------------------------------------------------
// The system palette notifier

struct TPaletteLog {
  std::vector<std::wstring> Calls;
};

class TLoggingNotifier : public TcxSystemPaletteChangedNotifier {
  RTL_CLASS(TLoggingNotifier, TcxSystemPaletteChangedNotifier)

 public:
  TPaletteLog* Log = nullptr;
  std::wstring Name;
  TLoggingNotifier* FreeOnCall = nullptr;

 protected:
  void DoSystemPaletteChanged() override
  {
    Log->Calls.push_back(Name);
    if (FreeOnCall)
      rtl::FreeAndNil(FreeOnCall);
  }
};

TLoggingNotifier* NewNotifier(bool AIsPrimary, TPaletteLog* ALog, const wchar_t* AName)
{
  return rtl::NewWith<TLoggingNotifier>([&](TLoggingNotifier* N) {
    N->Create(AIsPrimary);
    N->Log = ALog;
    N->Name = AName;
  });
}

// Sets one system colour to its own value: Windows and Wine broadcast
// WM_SYSCOLORCHANGE to every top-level window, ours included, and nothing
// visible changes.
void BroadcastSystemColourChange()
{
  const INT element = COLOR_BTNFACE;
  const COLORREF value = GetSysColor(element);
  ASSERT_TRUE(SetSysColors(1, &element, &value));
}

TEST(TcxSystemPaletteChangedNotifier, SystemColourChangeReachesPrimaryThenOrdinaryNewestFirst)
{
  TPaletteLog log;
  const rtl::TOwnedPtr<TLoggingNotifier> ordinary1(NewNotifier(false, &log, L"ordinary1"));
  const rtl::TOwnedPtr<TLoggingNotifier> primary1(NewNotifier(true, &log, L"primary1"));
  const rtl::TOwnedPtr<TLoggingNotifier> ordinary2(NewNotifier(false, &log, L"ordinary2"));
  const rtl::TOwnedPtr<TLoggingNotifier> primary2(NewNotifier(true, &log, L"primary2"));
  // A look and feel holds an ordinary notifier and re-resolves on a change.
  const rtl::TOwnedPtr<TcxLookAndFeel> lnf(rtl::New<TcxLookAndFeel>(nullptr));
  std::vector<TcxLookAndFeelValues> lnfChanges;
  struct TRecorder {
    std::vector<TcxLookAndFeelValues>* Changes;
    void Changed(TcxLookAndFeel*, TcxLookAndFeelValues AValues) { Changes->push_back(AValues); }
  } recorder{&lnfChanges};
  lnf->SetOnChanged(TcxLookAndFeelChangedEvent::Bind<&TRecorder::Changed>(&recorder));
  BroadcastSystemColourChange();

  EXPECT_EQ(log.Calls, (std::vector<std::wstring>{L"primary2", L"primary1", L"ordinary2", L"ordinary1"}));
  // Once from its own notifier and once through the root, which has one too.
  ASSERT_FALSE(lnfChanges.empty());
  for (const TcxLookAndFeelValues& values : lnfChanges)
    EXPECT_EQ(values, TcxLookAndFeelValues{lfvNativeStyle});
}

COLORREF BrushColor(HBRUSH ABrush)
{
  LOGBRUSH info{};
  GetObjectW(ABrush, sizeof(info), &info);
  return info.lbColor;
}

// The painters unit's primary notifier empties the graphics unit's brush
// cache, so no brush of a stale system colour survives a change.
TEST(TcxSystemPaletteChangedNotifier, SystemColourChangeEmptiesTheBrushCache)
{
  TdxSolidBrushCache::Get(clRed);
  TdxSolidBrushCache::Get(clBtnFace);
  ASSERT_GT(TdxSolidBrushCache::Manager()->GetCount(), 0);
  BroadcastSystemColourChange();
  EXPECT_EQ(TdxSolidBrushCache::Manager()->GetCount(), 0);
  // The next request makes a new brush.
  EXPECT_EQ(BrushColor(TdxSolidBrushCache::Get(clRed)), static_cast<COLORREF>(RGB(255, 0, 0)));
  EXPECT_EQ(TdxSolidBrushCache::Manager()->GetCount(), 1);
}

TEST(TcxSystemPaletteChangedNotifier, NotifierFreedDuringTheWalkIsNotCalled)
{
  TPaletteLog log;
  rtl::TOwnedPtr<TLoggingNotifier> first(NewNotifier(false, &log, L"first"));
  TLoggingNotifier* second = NewNotifier(false, &log, L"second");
  const rtl::TOwnedPtr<TLoggingNotifier> third(NewNotifier(false, &log, L"third"));
  // Called first (newest), it frees the second before its turn.
  third->FreeOnCall = second;
  BroadcastSystemColourChange();
  EXPECT_EQ(log.Calls, (std::vector<std::wstring>{L"third", L"first"}));
  EXPECT_EQ(third->FreeOnCall, nullptr);
}

TEST(TcxSystemPaletteChangedNotifier, TheSharedWindowLivesWhileANotifierDoes)
{
  // The painters unit's primary notifier keeps it alive in the program;
  // the count still goes back to where it was.
  const HWND before = cxSystemPaletteListenerHandle();
  ASSERT_NE(before, nullptr);
  TPaletteLog log;
  {
    const rtl::TOwnedPtr<TLoggingNotifier> notifier(NewNotifier(false, &log, L"only"));
    EXPECT_EQ(cxSystemPaletteListenerHandle(), before);
  }
  EXPECT_EQ(cxSystemPaletteListenerHandle(), before);
  EXPECT_TRUE(IsWindow(before));
}

// ---------------------------------------------------------------------------
// Corner drawing

// Draws a 3 x 2 red block in the bottom-right corner of its rectangle.
struct TCornerPicture {
  int Calls = 0;
  void Draw(TcxCanvas* ACanvas, const TRect& R)
  {
    ++Calls;
    ACanvas->FillRect({R.right - 3, R.bottom - 2, R.right, R.bottom}, clRed);
  }
  void DrawScaled(TcxCanvas* ACanvas, const TRect& R, const TdxScaleFactor*) { Draw(ACanvas, R); }
};


TEST(cxDrawForCorner, CarriesTheBottomRightPictureToEachCorner)
{
  // The picture lands in the named corner of the 10 x 8 target at (5, 4);
  // the rest of the target keeps the canvas (clNone) or the given colour.
  struct TCase {
    TdxCorner Corner;
    TRect Picture;
  };
  const TCase cases[] = {
      {coBottomRight, {12, 10, 15, 12}},
      {coTopLeft, {5, 4, 8, 6}},
      {coTopRight, {12, 4, 15, 6}},
      {coBottomLeft, {5, 10, 8, 12}},
  };
  const TRect target{5, 4, 15, 12};
  for (TColor background : {clNone, clLime}) {
    for (const TCase& c : cases) {
      SCOPED_TRACE(testing::Message() << "corner " << static_cast<int>(c.Corner) << " background " << background);
      TWrappedSurface s(20, 16);
      TCornerPicture picture;
      cxDrawForCorner(s.Wrapper.get(), target, background, c.Corner,
                      TcxDrawForCornerProc::Bind<&TCornerPicture::Draw>(&picture));
      EXPECT_EQ(picture.Calls, 1);
      const std::uint32_t expectedBackground = AsPixel(background == clNone ? clBlue : background);
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x) {
          const POINT p{x, y};
          std::uint32_t expected = AsPixel(clBlue);
          if (PtInRect(&target, p))
            expected = PtInRect(&c.Picture, p) ? AsPixel(clRed) : expectedBackground;
          ASSERT_EQ(s.Surface.Pixel(x, y), expected) << x << "," << y;
        }
    }
  }
}

TEST(cxDrawForCorner, WithoutAProcedureKeepsOrFillsTheRectangle)
{
  const TRect target{2, 2, 8, 6};
  TWrappedSurface kept(10, 8);
  cxDrawForCorner(kept.Wrapper.get(), target, clNone, coTopLeft, {});
  EXPECT_EQ(kept.Surface.Pixel(2, 2), AsPixel(clBlue));
  TWrappedSurface filled(10, 8);
  cxDrawForCornerByPainter(filled.Wrapper.get(), target, nullptr, clYellow, coBottomLeft, {});
  EXPECT_EQ(filled.Surface.Pixel(2, 2), AsPixel(clYellow));
  EXPECT_EQ(filled.Surface.Pixel(7, 5), AsPixel(clYellow));
  EXPECT_EQ(filled.Surface.Pixel(8, 6), AsPixel(clBlue));
}

TEST(cxDrawForCorner, PainterVariantPassesTheScaleFactor)
{
  TWrappedSurface s(10, 8);
  TCornerPicture picture;
  cxDrawForCornerByPainter(s.Wrapper.get(), {0, 0, 10, 8}, nullptr, clNone, coTopRight,
                           TcxDrawForCornerByPainterProc::Bind<&TCornerPicture::DrawScaled>(&picture));
  EXPECT_EQ(picture.Calls, 1);
  EXPECT_EQ(s.Surface.Pixel(9, 0), AsPixel(clRed));
  EXPECT_EQ(s.Surface.Pixel(9, 7), AsPixel(clBlue));
}

}  // namespace

// ---------------------------------------------------------------------------
// Radio-button image lists

namespace {

rtl::TOwnedPtr<TdxScaleFactor> NewFactor(int ANumerator, int ADenominator)
{
  rtl::TOwnedPtr<TdxScaleFactor> result(rtl::New<TdxScaleFactor>());
  result->Assign(ANumerator, ADenominator, false);
  return result;
}

TEST(TcxRadioButtonImageListManager, OneListPerResolution)
{
  const auto oneToOne = NewFactor(1, 1);
  const auto threeHalves = NewFactor(3, 2);
  const auto sixFourths = NewFactor(6, 4);
  TcxRadioButtonImageList* normal = TcxRadioButtonImageListManager::Get(oneToOne.get());
  TcxRadioButtonImageList* large = TcxRadioButtonImageListManager::Get(threeHalves.get());
  EXPECT_NE(normal, large);
  EXPECT_EQ(TcxRadioButtonImageListManager::Get(sixFourths.get()), large);
  EXPECT_EQ(TcxRadioButtonImageListManager::Get(oneToOne.get()), normal);
  // The larger resolution makes a larger circle.
  EXPECT_GT(large->GetSize().cx, normal->GetSize().cx);
}

TEST(TcxRadioButtonImageList, HoldsEveryCombinationAgainAfterReset)
{
  const auto factor = NewFactor(1, 1);
  TcxRadioButtonImageList* list = TcxRadioButtonImageListManager::Get(factor.get());
  ASSERT_GT(list->GetSize().cx, 0);
  list->Reset();
  EXPECT_EQ(list->GetList()->GetCount(), 128);
  EXPECT_EQ(list->ImageIndex(lfFlat, cxbsNormal, false, false, false), 0);
  std::vector<bool> seen(128, false);
  for (int focused = 0; focused <= 1; ++focused)
    for (int designing = 0; designing <= 1; ++designing)
      for (int kind = lfFlat; kind <= lfOffice11; ++kind)
        for (int checked = 0; checked <= 1; ++checked)
          for (int state = cxbsNormal; state <= cxbsDisabled; ++state) {
            const int index = list->ImageIndex(static_cast<TcxLookAndFeelKind>(kind),
                                               static_cast<TcxButtonState>(state), checked, focused, designing);
            ASSERT_TRUE(index >= 0 && index < 128);
            EXPECT_FALSE(seen[index]) << index;
            seen[index] = true;
          }
}

TEST(TcxRadioButtonImageList, PatternHasRingBodyAndDot)
{
  const auto factor = NewFactor(1, 1);
  TcxRadioButtonImageList* list = TcxRadioButtonImageListManager::Get(factor.get());
  const TSize size = list->GetSize();
  ASSERT_GT(size.cx, 4);
  int counts[7] = {};
  for (int i = 0; i < size.cy; ++i)
    for (int j = 0; j < size.cx; ++j)
      ++counts[list->PixelClass(i, j)];
  for (int c = 0; c <= 6; ++c)
    EXPECT_GT(counts[c], 0) << "class " << c;
  // The corners are outside the circle; the centre is the dot.
  EXPECT_EQ(list->PixelClass(0, 0), 0);
  EXPECT_EQ(list->PixelClass(size.cy - 1, size.cx - 1), 0);
  EXPECT_EQ(list->PixelClass(size.cy / 2, size.cx / 2), 6);
  // The outer ring is lit from the top left.
  EXPECT_EQ(list->PixelClass(0, size.cx / 2 - 1), 1);
  EXPECT_EQ(list->PixelClass(size.cy - 1, size.cx / 2), 2);
}

TEST(TcxRadioButtonImageList, CheckedDiffersFromUncheckedOnlyInTheDot)
{
  const auto factor = NewFactor(1, 1);
  TcxRadioButtonImageList* list = TcxRadioButtonImageListManager::Get(factor.get());
  const TSize size = list->GetSize();
  ASSERT_GT(size.cx, 0);
  for (int kind = lfFlat; kind <= lfOffice11; ++kind) {
    TWrappedSurface unchecked(size.cx, size.cy);
    TWrappedSurface checked(size.cx, size.cy);
    list->Draw(unchecked.Wrapper.get(), 0, 0, clWhite, static_cast<TcxLookAndFeelKind>(kind), cxbsNormal, false,
               false, false);
    list->Draw(checked.Wrapper.get(), 0, 0, clWhite, static_cast<TcxLookAndFeelKind>(kind), cxbsNormal, true,
               false, false);
    int dotPixels = 0;
    for (int i = 0; i < size.cy; ++i)
      for (int j = 0; j < size.cx; ++j) {
        const bool isDot = list->PixelClass(i, j) == 6;
        dotPixels += isDot;
        if (isDot)
          EXPECT_EQ(checked.Surface.Pixel(j, i), AsPixel(ColorToRGB(clWindowText))) << kind << " " << j << "," << i;
        else
          EXPECT_EQ(checked.Surface.Pixel(j, i), unchecked.Surface.Pixel(j, i)) << kind << " " << j << "," << i;
      }
    EXPECT_GT(dotPixels, 0);
    // Outside the circle the brush colour shows.
    EXPECT_EQ(checked.Surface.Pixel(0, 0), AsPixel(clWhite));
  }
}

TEST(TcxRadioButtonImageList, TransparentDrawKeepsTheCanvasOutsideTheCircle)
{
  const auto factor = NewFactor(1, 1);
  TcxRadioButtonImageList* list = TcxRadioButtonImageListManager::Get(factor.get());
  const TSize size = list->GetSize();
  ASSERT_GT(size.cx, 0);
  TWrappedSurface s(size.cx + 4, size.cy + 4);
  list->Draw(s.Wrapper.get(), 2, 2, clDefault, lfStandard, cxbsNormal, true, false, false);
  EXPECT_EQ(s.Surface.Pixel(2, 2), AsPixel(clBlue));
  EXPECT_EQ(s.Surface.Pixel(2 + size.cx / 2, 2 + size.cy / 2), AsPixel(ColorToRGB(clWindowText)));
}

}  // namespace

// ---------------------------------------------------------------------------
// Check box and radio button metrics of the base painter

namespace {

TEST(TcxCustomLookAndFeelPainter, CheckButtonColourByStateAndCheckState)
{
  const rtl::TOwnedPtr<TTestPainter> painter(NewPainter(L"", lfsStandard));
  struct TCase {
    TcxButtonState State;
    TcxCheckBoxState CheckState;
    TColor Expected;
  };
  const TCase cases[] = {
      {cxbsNormal, cbsUnchecked, clWindow}, {cxbsNormal, cbsChecked, clWindow},   {cxbsNormal, cbsGrayed, clBtnFace},
      {cxbsDefault, cbsGrayed, clWindow},   {cxbsHot, cbsGrayed, clWindow},       {cxbsPressed, cbsUnchecked, clBtnFace},
      {cxbsDisabled, cbsChecked, clBtnFace},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(painter->CheckButtonColor(c.State, c.CheckState), c.Expected)
        << static_cast<int>(c.State) << " " << static_cast<int>(c.CheckState);
  EXPECT_EQ(painter->CheckBorderSize(), 2);
  EXPECT_EQ(painter->LabelLineHeight(), 2);
}

TEST(TcxCustomLookAndFeelPainter, CheckButtonAreaGrowsToTheTouchMinimumInTouchMode)
{
  const rtl::TOwnedPtr<TTestPainter> painter(NewPainter(L"", lfsStandard));
  const auto factor = NewFactor(1, 1);
  const TSize plain = painter->ScaledCheckButtonAreaSize(factor.get());
  EXPECT_EQ(plain.cx, cxCheckButtonSize().cx);
  const rtl::TOwnedPtr<TcxLookAndFeelController> controller(rtl::New<TcxLookAndFeelController>(nullptr));
  controller->SetTouchMode(true);
  const TSize touch = painter->ScaledCheckButtonAreaSize(factor.get());
  controller->SetTouchMode(false);
  EXPECT_EQ(touch.cx, std::max<LONG>(plain.cx, 27));
  EXPECT_EQ(touch.cy, std::max<LONG>(plain.cy, 27));
}

TEST(TcxCustomLookAndFeelPainter, RadioButtonComesFromTheListOfTheFactorInTheKindOfTheStyle)
{
  const auto factor = NewFactor(3, 2);
  TcxRadioButtonImageList* list = TcxRadioButtonImageListManager::Get(factor.get());
  const TSize size = list->GetSize();
  ASSERT_GT(size.cx, 0);
  // The Office11 kind rings a normal button in clBtnText, the flat kind in
  // clBtnShadow: the style picks the kind.
  struct TCase {
    TcxLookAndFeelStyle Style;
    TcxLookAndFeelKind Kind;
  };
  const TCase cases[] = {{lfsOffice11, lfOffice11}, {lfsFlat, lfFlat}, {lfsNative, lfStandard}, {lfsSkin, lfUltraFlat}};
  for (const TCase& c : cases) {
    const rtl::TOwnedPtr<TTestPainter> painter(NewPainter(L"", c.Style));
    EXPECT_EQ(painter->ScaledRadioButtonSize(factor.get()).cx, size.cx);
    TWrappedSurface drawn(size.cx, size.cy);
    TWrappedSurface expected(size.cx, size.cy);
    painter->DrawScaledRadioButton(drawn.Wrapper.get(), 0, 0, cxbsNormal, true, false, clWhite, factor.get());
    list->Draw(expected.Wrapper.get(), 0, 0, clWhite, c.Kind, cxbsNormal, true, false, false);
    for (int y = 0; y < size.cy; ++y)
      for (int x = 0; x < size.cx; ++x)
        ASSERT_EQ(drawn.Surface.Pixel(x, y), expected.Surface.Pixel(x, y)) << static_cast<int>(c.Style);
  }
}

}  // namespace
