#include "controls/dxScreenTip.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "controls/cxHint.h"
#include "controls/cxWindowUtils.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/GraphicsHandles.h"
#include "platform/vcl/Menus.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestHost.h"

namespace {

using B = TdxScreenTipBandType;

rtl::TOwnedPtr<TdxSmartGlyph> ScreenTipTestGlyph(int ASize, vcl::TColor AColor)
{
  rtl::TOwnedPtr<vcl::TBitmap> bitmap(rtl::New<vcl::TBitmap>());
  bitmap->SetPixelFormat(vcl::TPixelFormat::pf24bit);
  bitmap->SetSize(ASize, ASize);
  bitmap->GetCanvas()->GetBrush()->SetColor(AColor);
  bitmap->GetCanvas()->FillRect({0, 0, ASize, ASize});
  rtl::TOwnedPtr<TdxSmartGlyph> glyph(rtl::New<TdxSmartGlyph>());
  glyph->Assign(bitmap.get());
  return glyph;
}

// A repository, a hint style controller with the screen-tip style and a
// canvas to lay out on.
class dxScreenTipTest : public kvtest::THostedTest {
 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    FOwner.reset(rtl::New<rtl::TComponent>(nullptr));
    FRepository = rtl::New<TdxScreenTipRepository>(FOwner.get());
    FController = rtl::New<TcxCustomHintStyleController>(FOwner.get());
    FController->SetHintStyleClassName(L"TdxScreenTipStyle");
    FStyle = rtl::As<TdxScreenTipStyle>(FController->GetHintStyle());
    FBitmap.reset(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(700, 400); }));
  }
  void TearDown() override
  {
    cxResetHintedControl();
    FOwner.reset();
    THostedTest::TearDown();
  }

  TdxScreenTip* AddTip(const wchar_t* AHeader, const wchar_t* ADescription = L"", const wchar_t* AFooter = L"")
  {
    TdxScreenTip* tip = FRepository->GetItems()->Add();
    tip->GetHeader()->SetText(AHeader);
    tip->GetDescription()->SetText(ADescription);
    tip->GetFooter()->SetText(AFooter);
    return tip;
  }
  int TextWidth(B ABand, const rtl::String& AText)
  {
    vcl::TCanvas* canvas = FBitmap->GetCanvas();
    canvas->GetFont()->Assign(FRepository->GetFont(ABand));
    TRect r{};
    DrawTextW(canvas->GetHandle(), AText.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return r.right;
  }

  rtl::TOwnedPtr<rtl::TComponent> FOwner;
  TdxScreenTipRepository* FRepository = nullptr;
  TcxCustomHintStyleController* FController = nullptr;
  TdxScreenTipStyle* FStyle = nullptr;
  rtl::TOwnedPtr<TcxBitmap> FBitmap;
};

TEST_F(dxScreenTipTest, BandsStackAtTheTipsWidthWithTheirGlyphsAndTexts)
{
  ASSERT_NE(FStyle, nullptr) << "the style is registered by its class name";
  const rtl::String longHeader = L"A header long enough to need more than the usual width of a tip";
  struct {
    const char* Name;
    const wchar_t* Header;
    const wchar_t* Description;
    const wchar_t* Footer;
    int DescriptionGlyph, FooterGlyph;
    TdxScreenTipBandTextAlign Align;
    bool HeaderFixedWidth;
    int Width;  // 0: the long header's
    int Band;   // the band checked
    // Left and right of its text, and left of its glyph (-1: none).
    int TextLeft, TextRight, GlyphLeft;
  } const cases[] = {
      {"a header alone", L"Save", L"", L"", 0, 0, TdxScreenTipBandTextAlign::stbtaRight, true, 210, 0, 6, 204, -1},
      {"a description glyph makes the tip wider", L"Save", L"Stores the document on the disk.", L"", 32, 0,
       TdxScreenTipBandTextAlign::stbtaRight, true, 318, 1, 14 + 94 + 14, 318 - 14, 14 + (94 - 32) / 2},
      {"text left of the glyph", L"Save", L"Stores the file.", L"", 32, 0,
       TdxScreenTipBandTextAlign::stbtaLeft, true, 318, 1, 14, -1, 318 - 14 - 94 + (94 - 32) / 2},
      {"a footer glyph in its fixed area", L"Save", L"", L"Press F1 for help.", 0, 16,
       TdxScreenTipBandTextAlign::stbtaRight, true, 210, 1, 6 + 16 + 6, 204, 6},
      {"a long header widens the tip", longHeader.c_str(), L"", L"", 0, 0, TdxScreenTipBandTextAlign::stbtaRight,
       false, 0, 0, 6, -2, -1},
  };
  TcxCustomLookAndFeelPainter* painter = FController->GetLookAndFeelPainter();
  for (const auto& c : cases) {
    TdxScreenTip* tip = AddTip(c.Header, c.Description, c.Footer);
    rtl::TOwnedPtr<TdxSmartGlyph> descriptionGlyph, footerGlyph;
    if (c.DescriptionGlyph) {
      descriptionGlyph = ScreenTipTestGlyph(c.DescriptionGlyph, vcl::clRed);
      tip->GetDescription()->SetGlyph(descriptionGlyph.get());
    }
    if (c.FooterGlyph) {
      footerGlyph = ScreenTipTestGlyph(c.FooterGlyph, vcl::clBlue);
      tip->GetFooter()->SetGlyph(footerGlyph.get());
    }
    tip->GetDescription()->SetTextAlign(c.Align);
    tip->GetHeader()->SetGlyphFixedWidth(c.HeaderFixedWidth);
    rtl::TOwnedPtr<TdxScreenTipViewInfo> viewInfo(rtl::New<TdxScreenTipViewInfo>(tip, L"", L"", painter));
    viewInfo->Calculate(FBitmap->GetCanvas());
    auto* helper = static_cast<TdxScreenTipViewInfoHelper*>(viewInfo->GetHelper());

    const int width = c.Width ? c.Width : TextWidth(B::stbHeader, longHeader) + 12;
    EXPECT_EQ(viewInfo->GetBoundsRect().right, width) << c.Name;
    int top = 0;
    for (int i = 0; i < helper->GetBandCount(); ++i) {
      EXPECT_EQ(helper->GetBandViewInfo(i)->GetBounds().top, top) << c.Name << ", band " << i;
      top = helper->GetBandViewInfo(i)->GetBounds().bottom;
    }
    EXPECT_EQ(viewInfo->GetBoundsRect().bottom, top) << c.Name;

    TdxScreenTipBandViewInfo* band = helper->GetBandViewInfo(c.Band);
    const TRect& bounds = band->GetBounds();
    const TRect& text = band->GetTextBounds();
    EXPECT_EQ(text.left, c.TextLeft) << c.Name;
    if (c.TextRight == -2) {
      EXPECT_EQ(text.top, bounds.top) << c.Name << ": one line over the whole band";
      EXPECT_EQ(text.bottom, bounds.bottom) << c.Name;
    } else {
      const int right = c.TextRight >= 0 ? c.TextRight : c.TextLeft + TextWidth(B::stbDescription, c.Description);
      EXPECT_LE(std::abs(text.right - right), c.TextRight >= 0 ? 0 : 2) << c.Name;
    }
    if (c.GlyphLeft >= 0) {
      const TRect& glyph = band->GetGlyphBounds();
      EXPECT_EQ(glyph.left, c.GlyphLeft) << c.Name;
      if (band->GetBand()->GetBandType() == B::stbDescription) {
        EXPECT_EQ(glyph.top, bounds.top + 6) << c.Name << ": the description glyph stands at the top";
      } else {
        EXPECT_EQ(glyph.top, bounds.top + (bounds.bottom - bounds.top - (glyph.bottom - glyph.top)) / 2) << c.Name;
        EXPECT_GE(glyph.top, bounds.top + 9) << c.Name << ": below the footer line and its indent";
      }
    }
  }
}

TEST_F(dxScreenTipTest, TheRepositorysFontsFollowTheHintFontUntilTheUserSetsThem)
{
  vcl::TFont* header = FRepository->GetFont(B::stbHeader);
  EXPECT_EQ(header->GetColor(), dxScreenTipDefaultTextColor);
  EXPECT_TRUE(header->GetStyle().Contains(vcl::TFontStyle::fsBold));
  EXPECT_FALSE(FRepository->GetFont(B::stbDescription)->GetStyle().Contains(vcl::TFontStyle::fsBold));
  EXPECT_TRUE(FRepository->GetAssignedFonts().Empty());

  FRepository->GetDescriptionFont()->SetColor(vcl::clNavy);
  EXPECT_TRUE(FRepository->GetAssignedFonts().Contains(B::stbDescription));
  EXPECT_EQ(FRepository->GetFont(B::stbDescription), FRepository->GetDescriptionFont());
  EXPECT_FALSE(FRepository->IsFontDefaultColor(B::stbDescription));
  EXPECT_TRUE(FRepository->IsFontDefaultColor(B::stbHeader));

  TdxScreenTip* tip = FRepository->GetItems()->Add();
  EXPECT_EQ(tip->GetHeader()->GetText(), tip->GetName()) << "a new tip shows its name";
  tip->SetName(L"SaveTip");
  EXPECT_EQ(tip->GetHeader()->GetText(), L"SaveTip");
  tip->GetHeader()->SetText(L"Save");
  tip->SetName(L"SaveTip2");
  EXPECT_EQ(tip->GetHeader()->GetText(), L"Save") << "a header of its own stays";
  EXPECT_EQ(tip->GetDisplayName(), L"SaveTip2 - 'Save'");
}

// A control that names its own screen tip.
class TScreenTipTestProvider : public kvtest::TTestPanel, public IdxScreenTipProvider {
  RTL_CLASS(TScreenTipTestProvider, kvtest::TTestPanel)
  RTL_INTERFACES(IdxScreenTipProvider)

 public:
  vcl::TBasicAction* __stdcall GetAction() override { return nullptr; }
  TdxScreenTip* __stdcall GetScreenTip() override { return Tip; }
  rtl::String __stdcall GetShortCut() override { return L" (F5)"; }
  TdxScreenTip* Tip = nullptr;
};

TEST_F(dxScreenTipTest, AControlFindsItsTipThroughItsLinkItsActionOrItself)
{
  TdxScreenTip* linked = AddTip(L"Linked");
  TdxScreenTip* byAction = AddTip(L"By action");
  TdxScreenTip* provided = AddTip(L"");
  auto* plain = AddChild<kvtest::TTestPanel>({0, 0, 20, 20});
  auto* withAction = AddChild<kvtest::TTestPanel>({0, 30, 20, 50});
  auto* provider = AddChild<TScreenTipTestProvider>({0, 60, 20, 80});
  auto* bare = AddChild<kvtest::TTestPanel>({0, 90, 20, 110});
  provider->Tip = provided;
  provided->GetHeader()->SetText(L"");
  auto* action = rtl::New<vcl::TCustomAction>(FOwner.get());
  action->SetShortCut(vcl::TextToShortCut(L"Ctrl+S"));
  withAction->SetAction(action);
  FStyle->GetScreenTipLinks()->Add()->SetControl(plain);
  FStyle->GetScreenTipLinks()->GetItem(0)->SetScreenTip(linked);
  auto* actionLink = FStyle->GetScreenTipActionLinks()->Add();
  actionLink->SetAction(action);
  actionLink->SetScreenTip(byAction);

  struct {
    vcl::TControl* Control;
    TdxScreenTip* Tip;
    const wchar_t* ShortCut;
    const wchar_t* HintText;  // what an empty hint becomes
  } const cases[] = {
      {plain, linked, L"", L"Linked"},
      {withAction, byAction, L" (Ctrl+S)", L"By action"},
      {provider, provided, L" (F5)", L" "},
      {bare, nullptr, L"", L""},
  };
  for (const auto& c : cases) {
    TdxScreenTip* tip = nullptr;
    rtl::String shortCut = L"stale";
    FStyle->GetScreenTipInfo(c.Control, tip, shortCut);
    const int at = static_cast<int>(&c - cases);
    EXPECT_EQ(tip, c.Tip) << at;
    EXPECT_EQ(shortCut, c.ShortCut) << at;
    rtl::String hint;
    bool canShow = true;
    vcl::THintInfo info{};
    info.HintControl = c.Control;
    FStyle->DoShowHint(hint, canShow, info);
    EXPECT_EQ(hint, c.HintText) << at;
  }
  linked->SetUseHintAsHeader(true);
  rtl::String hint;
  bool canShow = true;
  vcl::THintInfo info{};
  info.HintControl = plain;
  FStyle->DoShowHint(hint, canShow, info);
  EXPECT_EQ(hint, L"") << "the control's own (empty) hint is the header";
}

TEST_F(dxScreenTipTest, RemovedControlsAndTipsLeaveTheirLinksEmpty)
{
  TdxScreenTip* tip = AddTip(L"Save");
  auto* first = AddChild<kvtest::TTestPanel>({0, 0, 20, 20});
  auto* second = AddChild<kvtest::TTestPanel>({0, 30, 20, 50});
  TdxScreenTipLinks* links = FStyle->GetScreenTipLinks();
  for (int i = 0; i < 2; ++i) {
    TdxScreenTipLink* link = links->Add();
    link->SetControl(first);
    link->SetScreenTip(tip);
  }
  // The second link still holds the first control: it must still hear of
  // its removal.
  links->GetItem(0)->SetControl(second);
  rtl::Free(first);
  EXPECT_EQ(links->GetCount(), 2);
  EXPECT_EQ(links->GetItem(1)->GetControl(), nullptr);
  EXPECT_EQ(links->GetItem(0)->GetControl(), second);
  rtl::Free(tip);
  EXPECT_EQ(links->GetItem(0)->GetScreenTip(), nullptr);
  EXPECT_EQ(links->GetItem(1)->GetScreenTip(), nullptr);
  EXPECT_EQ(links->FindScreenTipByControl(second), nullptr);
}

TEST_F(dxScreenTipTest, TheWindowShowsATipOrAHintInTipDress)
{
  TdxScreenTip* tip = AddTip(L"Save", L"Stores the document on the disk.");
  auto* control = AddChild<kvtest::TTestPanel>({0, 0, 20, 20});
  auto* action = rtl::New<vcl::TCustomAction>(FOwner.get());
  action->SetShortCut(vcl::TextToShortCut(L"Ctrl+S"));
  control->SetAction(action);
  auto* link = FStyle->GetScreenTipActionLinks()->Add();
  link->SetAction(action);
  link->SetScreenTip(tip);
  auto* window = rtl::As<TdxScreenTipWindow>(FController->GetHintWindow());
  ASSERT_NE(window, nullptr);

  struct {
    bool ShowDescription, UseHintAsHeader;
    bool FullTip;
    const wchar_t* Text;  // the header's, or the hint-like text
  } const cases[] = {
      {true, false, true, L"Save (Ctrl+S)"},
      {false, false, false, L"Save (Ctrl+S)"},
      {true, true, true, L"Control hint"},
      {false, true, false, L"Control hint"},
  };
  for (const auto& c : cases) {
    const int at = static_cast<int>(&c - cases);
    FRepository->SetShowDescription(c.ShowDescription);
    tip->SetUseHintAsHeader(c.UseHintAsHeader);
    cxGetHintController()->SetHintedControl(control);
    const TRect r = window->CalcHintRect(vcl::Screen()->GetWidth(), L"Control hint", nullptr);
    EXPECT_FALSE(IsRectEmpty(&r)) << at;
    TdxCustomHintViewInfo* viewInfo = window->GetViewInfo();
    ASSERT_EQ(rtl::Is<TdxScreenTipViewInfo>(viewInfo), c.FullTip) << at;
    if (c.FullTip) {
      auto* helper = static_cast<TdxScreenTipViewInfoHelper*>(viewInfo->GetHelper());
      EXPECT_EQ(helper->GetBandViewInfo(0)->GetText(), c.Text) << at;
    } else {
      EXPECT_EQ(static_cast<TdxHintViewInfoHelper*>(viewInfo->GetHelper())->GetText(), c.Text) << at;
    }
  }
  // The tip asked for by the caller, without the control's short cut.
  FRepository->SetShowDescription(true);
  tip->SetUseHintAsHeader(false);
  EXPECT_EQ(FStyle->GetScreenTipBounds(tip, L"").right, tip->GetWidth());
  auto* helper = static_cast<TdxScreenTipViewInfoHelper*>(window->GetViewInfo()->GetHelper());
  EXPECT_EQ(helper->GetBandViewInfo(0)->GetText(), L"Save");
}

TEST_F(dxScreenTipTest, AShownTipStandsAtItsPointAndHidingDropsItsLayout)
{
  TdxScreenTip* tip = AddTip(L"Save", L"Stores the document on the disk.");
  const TRect area = cxGetWorkAreaAtPoint(cxGetMouseCursorPosition());
  FStyle->ShowScreenTip(area.left + 40, area.top + 30, L"", tip);
  auto* window = rtl::As<TdxScreenTipWindow>(FController->GetHintWindow());
  const HWND handle = window->GetHandle();
  ASSERT_TRUE(IsWindowVisible(handle));
  RECT r{};
  GetWindowRect(handle, &r);
  EXPECT_EQ(r.left, area.left + 40 - 1) << "the border grows the tip by one pixel";
  EXPECT_EQ(r.top, area.top + 30 - 1);
  EXPECT_EQ(r.right - r.left, tip->GetWidth() + 2);
  vcl::TOwnedRegion region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_NE(GetWindowRgn(handle, region.Get()), ERROR) << "the corners are rounded off";
  EXPECT_NE(window->GetViewInfo(), nullptr);

  ShowWindow(handle, SW_HIDE);
  EXPECT_EQ(window->GetViewInfo(), nullptr);
}

// KV_RENDER_DIR=<folder> writes ScreenTips.png there: a full tip with both
// glyphs and the standard footer, and a hint in tip dress.
TEST_F(dxScreenTipTest, RendersATipAndAHintLikeTipForReview)
{
  TdxScreenTip* tip = AddTip(L"Paste", L"Adds the contents of the clipboard to the document at the caret.");
  rtl::TOwnedPtr<TdxSmartGlyph> large = ScreenTipTestGlyph(48, 0x3080E0);
  rtl::TOwnedPtr<TdxSmartGlyph> small = ScreenTipTestGlyph(16, 0xC06020);
  tip->GetDescription()->SetGlyph(large.get());
  FRepository->GetStandardFooter()->SetText(L"Press F1 for more help.");
  FRepository->GetStandardFooter()->SetGlyph(small.get());
  tip->SetUseStandardFooter(true);
  TcxCustomLookAndFeelPainter* painter = FController->GetLookAndFeelPainter();

  vcl::TCanvas* canvas = FBitmap->GetCanvas();
  FBitmap->GetcxCanvas()->FillRect(FBitmap->GetClientRect(), vcl::clWindow);
  const HDC dc = canvas->GetHandle();
  rtl::TOwnedPtr<TdxScreenTipViewInfo> full(rtl::New<TdxScreenTipViewInfo>(tip, L" (Ctrl+V)", L"", painter));
  full->Calculate(canvas);
  SetViewportOrgEx(dc, 10, 10, nullptr);
  full->Paint(canvas);
  rtl::TOwnedPtr<TdxScreenTipLikeHintViewInfo> like(
      rtl::New<TdxScreenTipLikeHintViewInfo>(painter, TPoint{10, 10}, L" (Ctrl+V)", L"Paste"));
  like->Calculate(canvas);
  SetViewportOrgEx(dc, 360, 10, nullptr);
  like->Paint(canvas);
  SetViewportOrgEx(dc, 0, 0, nullptr);

  const TRect fullBounds = full->GetBoundsRect();
  auto* helper = static_cast<TdxScreenTipViewInfoHelper*>(full->GetHelper());
  ASSERT_EQ(helper->GetBandCount(), 3);
  const TRect glyph = helper->GetBandViewInfo(1)->GetGlyphBounds();
  EXPECT_EQ(GetPixel(dc, 10 + glyph.left + 5, 10 + glyph.top + 5), static_cast<COLORREF>(0x3080E0))
      << "the description glyph is drawn where it was laid out";
  EXPECT_EQ(helper->GetBandViewInfo(2)->GetBand(), FRepository->GetStandardFooter());
  EXPECT_EQ(GetPixel(dc, 10, 10 + fullBounds.bottom / 2), static_cast<COLORREF>(vcl::ColorToRGB(vcl::clWindowFrame)))
      << "the painter's frame, not clipped away";
  EXPECT_EQ(GetPixel(dc, 10 + fullBounds.right - 1, 10 + fullBounds.bottom - 2),
            static_cast<COLORREF>(vcl::ColorToRGB(vcl::clWindowFrame)));

  const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
  png->LoadFromBitmap(FBitmap.get());
  if (const char* folder = std::getenv("KV_RENDER_DIR"))
    png->SaveToFile(std::wstring(folder, folder + std::strlen(folder)) + L"\\ScreenTips.png");
}

}  // namespace
