// The text editors' layout and painting without a window: the text
// rectangle by editing style and alignment, the flag word, the selection
// colours and their clipping, the hint of a cut text, and the text painted
// where no EDIT window shows it (probed on a bitmap).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "editors/cxTextEdit.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "lookandfeel/cxLookAndFeels.h"

namespace {

using enum TcxContainerBorderStyle;

testing::AssertionResult TextEditSameRect(const TRect& A, const TRect& B)
{
  if (EqualRect(&A, &B))
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "(" << A.left << "," << A.top << "," << A.right << "," << A.bottom
                                     << ") is not (" << B.left << "," << B.top << "," << B.right << "," << B.bottom
                                     << ")";
}

class TcxTextEditViewTest : public testing::Test {
 protected:
  void SetUp() override
  {
    Properties.reset(rtl::New<TcxTextEditProperties>(nullptr));
    Style.reset(rtl::New<TcxEditStyle>(nullptr));
    Style->GetLookAndFeel()->SetKind(TcxLookAndFeelKind::lfStandard);
    Style->GetLookAndFeel()->SetNativeStyle(false);
    Style->SetHotTrack(false);
    Style->SetBorderStyle(cbsSingle);
    Style->SetColor(vcl::clWhite);
    Style->SetTextColor(vcl::clBlack);
    ViewInfo.reset(rtl::As<TcxCustomTextEditViewInfo>(Properties->GetViewInfoClass().Create()));
    Bitmap.reset(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(140, 30); }));
  }
  // A fresh view data; the test owns it.
  TcxCustomTextEditViewData* NewViewData(bool AInplace)
  {
    return rtl::As<TcxCustomTextEditViewData>(Properties->CreateViewData(Style.get(), AInplace));
  }
  // Lays out (and gives the text of) a stand-alone editor of ABounds.
  void Calculate(const TRect& ABounds, const rtl::String& AText = {}, bool AInplace = false,
                 TcxEditPaintOptions AOptions = {})
  {
    rtl::TOwnedPtr<TcxCustomTextEditViewData> data(NewViewData(AInplace));
    data->PaintOptions = AOptions;
    data->Calculate(Canvas(), ABounds, TPoint{-1, -1}, TcxMouseButton::cxmbNone, {}, ViewInfo.get(), false);
    data->EditValueToDrawValue(rtl::Variant(AText), ViewInfo.get());
  }
  TcxCanvas* Canvas() { return Bitmap->GetcxCanvas(); }
  COLORREF Pixel(int X, int Y) { return GetPixel(Canvas()->GetHandle(), X, Y); }
  // Whether some pixel of R has AColor.
  bool HasColor(const TRect& R, vcl::TColor AColor)
  {
    const COLORREF color = vcl::ColorToRGB(AColor);
    for (int y = R.top; y < R.bottom; ++y)
      for (int x = R.left; x < R.right; ++x)
        if (Pixel(x, y) == color)
          return true;
    return false;
  }
  void Paint()
  {
    Canvas()->FillRect(TRect{0, 0, 140, 30}, vcl::clFuchsia);
    ViewInfo->Paint(Canvas());
  }

  rtl::TOwnedPtr<TcxTextEditProperties> Properties;
  rtl::TOwnedPtr<TcxEditStyle> Style;
  rtl::TOwnedPtr<TcxCustomTextEditViewInfo> ViewInfo;
  rtl::TOwnedPtr<TcxBitmap> Bitmap;
};

TEST_F(TcxTextEditViewTest, TextRectByEditingStyleAlignmentAndPlace)
{
  const struct {
    const char* Name;
    bool NoEdit;
    rtl::TAlignment Horz;
    bool Inplace;
    TRect Inset;  // from the client rectangle
  } cases[] = {
      {"edit", false, rtl::TAlignment::taLeftJustify, false, {1, 1, 1, 3}},
      // A list style draws one pixel lower and in from the leading side.
      {"list, left", true, rtl::TAlignment::taLeftJustify, false, {2, 2, 1, 2}},
      {"list, right", true, rtl::TAlignment::taRightJustify, false, {1, 2, 2, 2}},
      {"list in place keeps the offsets", true, rtl::TAlignment::taLeftJustify, true, {1, 1, 1, 1}},
  };
  for (const auto& c : cases) {
    Properties->SetHideCursor(c.NoEdit);
    Properties->GetAlignment()->SetHorz(c.Horz);
    Calculate({0, 0, 121, 21}, {}, c.Inplace);
    const TRect& client = ViewInfo->ClientRect;
    const TRect expected{client.left + c.Inset.left, client.top + c.Inset.top, client.right - c.Inset.right,
                         client.bottom - c.Inset.bottom};
    EXPECT_TRUE(TextEditSameRect(ViewInfo->TextRect, expected)) << c.Name;
  }
}

TEST_F(TcxTextEditViewTest, DrawTextFlagsFollowTheAlignment)
{
  constexpr unsigned always = cxdtfSingleLine | cxdtfPreventLeftExceed | cxdtfPreventTopExceed;
  const struct {
    rtl::TAlignment Horz;
    TcxEditVertAlignment Vert;
    unsigned Expected;
  } cases[] = {
      {rtl::TAlignment::taLeftJustify, TcxEditVertAlignment::taTopJustify, always},
      {rtl::TAlignment::taRightJustify, TcxEditVertAlignment::taVCenter, always | 2 | 0x10},
      {rtl::TAlignment::taCenter, TcxEditVertAlignment::taBottomJustify, always | 1 | 0x20},
  };
  for (const auto& c : cases) {
    Properties->GetAlignment()->SetHorz(c.Horz);
    Properties->GetAlignment()->SetVert(c.Vert);
    Calculate({0, 0, 121, 21});
    EXPECT_EQ(ViewInfo->DrawTextFlags, c.Expected) << static_cast<int>(c.Horz);
  }
  Calculate({0, 0, 121, 21}, {}, false, {TcxEditPaintOption::epoShowEndEllipsis});
  EXPECT_TRUE(ViewInfo->DrawTextFlags & cxdtfEndEllipsis);
}

TEST_F(TcxTextEditViewTest, SelectionColoursFromTheGivenOnesOrTheStyle)
{
  const struct {
    const char* Name;
    vcl::TColor StyleColor;
    vcl::TColor Text;
    vcl::TColor Background;
    vcl::TColor ExpectedText;
    vcl::TColor ExpectedBackground;
  } cases[] = {
      {"defaults", vcl::clWhite, vcl::clDefault, vcl::clDefault, vcl::clHighlightText, vcl::clHighlight},
      {"highlight style", vcl::clHighlight, vcl::clDefault, vcl::clDefault, vcl::clWhite, vcl::clBlack},
      {"text only", vcl::clWhite, vcl::clRed, vcl::clDefault, vcl::clRed, cxInvertColor(vcl::clRed)},
      {"background only", vcl::clWhite, vcl::clDefault, vcl::clNavy, cxInvertColor(vcl::clNavy), vcl::clNavy},
      {"both", vcl::clWhite, vcl::clYellow, vcl::clGreen, vcl::clYellow, vcl::clGreen},
  };
  for (const auto& c : cases) {
    Style->SetColor(c.StyleColor);
    rtl::TOwnedPtr<TcxCustomTextEditViewData> data(NewViewData(false));
    data->SelStart = 1;
    data->SelLength = 2;
    data->SelTextColor = c.Text;
    data->SelBackgroundColor = c.Background;
    data->PrepareSelection(ViewInfo.get());
    EXPECT_EQ(ViewInfo->SelTextColor, c.ExpectedText) << c.Name;
    EXPECT_EQ(ViewInfo->SelBackgroundColor, c.ExpectedBackground) << c.Name;
  }
}

TEST_F(TcxTextEditViewTest, SelectionOutsideTheTextIsClipped)
{
  const struct {
    int Start;
    int Length;
    int ExpectedLength;
  } cases[] = {{1, 2, 2}, {3, 10, 2}, {5, 2, 0}, {9, 1, 0}, {-1, 3, 0}};
  for (const auto& c : cases) {
    Calculate({0, 0, 121, 21}, L"Hello");
    ViewInfo->SelStart = c.Start;
    ViewInfo->SelLength = c.Length;
    ViewInfo->SelTextColor = vcl::clHighlightText;
    ViewInfo->SelBackgroundColor = vcl::clHighlight;
    Paint();
    EXPECT_TRUE(ViewInfo->TextOutData.Initialized);
    EXPECT_EQ(ViewInfo->TextOutData.SelLength, c.ExpectedLength) << c.Start << "+" << c.Length;
  }
}

TEST_F(TcxTextEditViewTest, TextIsPaintedWithoutAnInnerEditAndItsSelectionInColour)
{
  Calculate({0, 0, 121, 21}, L"Hello world");
  ASSERT_FALSE(ViewInfo->HasInnerEdit);
  Paint();
  const TRect textRect = ViewInfo->TextRect;
  EXPECT_TRUE(HasColor(textRect, vcl::clBlack)) << "the text";
  EXPECT_FALSE(HasColor(TRect{1, 1, 120, 20}, vcl::clFuchsia)) << "the background covers the client area";
  EXPECT_FALSE(HasColor(TRect{textRect.left, textRect.top, textRect.right, textRect.bottom}, vcl::clHighlight));

  ViewInfo->SelStart = 0;
  ViewInfo->SelLength = 5;
  ViewInfo->SelTextColor = vcl::clHighlightText;
  ViewInfo->SelBackgroundColor = vcl::clHighlight;
  ViewInfo->TextOutData.Initialized = false;
  Paint();
  EXPECT_TRUE(HasColor(textRect, vcl::clHighlight)) << "the selected range";

  // A list style shows the focus rectangle when focused; an empty text
  // draws nothing.
  Calculate({0, 0, 121, 21}, {});
  Paint();
  EXPECT_FALSE(HasColor(ViewInfo->TextRect, vcl::clBlack));

  const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
  Calculate({0, 0, 121, 21}, L"Hello world");
  ViewInfo->SelStart = 6;
  ViewInfo->SelLength = 5;
  ViewInfo->SelTextColor = vcl::clHighlightText;
  ViewInfo->SelBackgroundColor = vcl::clHighlight;
  Paint();
  png->LoadFromBitmap(Bitmap.get());
  if (const char* folder = std::getenv("KV_RENDER_DIR"))
    png->SaveToFile(std::wstring(folder, folder + std::strlen(folder)) + L"\\TextEdit.png");
}

TEST_F(TcxTextEditViewTest, ACutTextAsksForAHintWithTheWholeText)
{
  const struct {
    const wchar_t* Text;
    bool Cut;
  } cases[] = {{L"Short", false}, {L"A text that is far too wide for the editor's text rectangle", true}};
  for (const auto& c : cases) {
    Calculate({0, 0, 121, 21}, c.Text);
    ViewInfo->Left = 10;
    ViewInfo->Top = 5;
    rtl::String text;
    bool multiLine = true;
    TRect hintRect{};
    const bool shown = ViewInfo->NeedShowHint(Canvas(), TPoint{20, 15}, TRect{}, text, multiLine, hintRect, 0);
    EXPECT_EQ(shown, c.Cut) << rtl::String(c.Text);
    if (c.Cut) {
      EXPECT_EQ(text, c.Text);
      EXPECT_FALSE(multiLine);
      TRect expected = ViewInfo->TextRect;
      OffsetRect(&expected, 10, 5);
      EXPECT_TRUE(TextEditSameRect(hintRect, expected));
    }
  }
}

TEST_F(TcxTextEditViewTest, AnAutoHeightTextThatNeedsRowsLaysOutMultiLine)
{
  Properties->GetAlignment()->SetVert(TcxEditVertAlignment::taBottomJustify);
  const TcxEditPaintOptions autoHeight{TcxEditPaintOption::epoAutoHeight};
  Calculate({0, 0, 60, 60}, L"one two three four five six");
  rtl::TOwnedPtr<TcxCustomTextEditViewData> data(NewViewData(false));
  data->PaintOptions = autoHeight;
  data->Calculate(Canvas(), TRect{0, 0, 60, 60}, TPoint{-1, -1}, TcxMouseButton::cxmbNone, {}, ViewInfo.get(),
                  false);
  EXPECT_FALSE(ViewInfo->DrawTextFlags & cxdtfSingleLine);
  EXPECT_TRUE(ViewInfo->DrawTextFlags & cxdtfWordBreak);
  EXPECT_EQ(ViewInfo->DrawTextFlags & cxdtfAlignYMask, 0x20u) << "the rows fit: bottom alignment stays";

  data->Calculate(Canvas(), TRect{0, 0, 60, 24}, TPoint{-1, -1}, TcxMouseButton::cxmbNone, {}, ViewInfo.get(),
                  false);
  EXPECT_EQ(ViewInfo->DrawTextFlags & cxdtfAlignYMask, 0u) << "the rows overflow: from the top";
}

TEST_F(TcxTextEditViewTest, ChangingTheTextDropsTheKeptLayout)
{
  Calculate({0, 0, 121, 21}, L"First text");
  Paint();
  ASSERT_TRUE(ViewInfo->TextOutData.Initialized);
  rtl::TOwnedPtr<TcxCustomTextEditViewData> data(NewViewData(false));
  data->DisplayValueToDrawValue(rtl::Variant(L"x"), ViewInfo.get());
  EXPECT_FALSE(ViewInfo->TextOutData.Initialized) << "the kept rows pointed into the old text";
  Paint();
  EXPECT_EQ(ViewInfo->TextOutData.RowCount, 1);
  EXPECT_EQ(ViewInfo->TextOutData.TextRows.Row(0).TextLength, 1);
}

}  // namespace
