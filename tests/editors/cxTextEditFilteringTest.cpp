// The building blocks of incremental filtering: the search editor's wiring
// and its glyph button, and the "No matches found" panel's measures.
#include <gtest/gtest.h>

#include "editors/cxEditConsts.h"
#include "editors/cxTextEdit.h"
#include "graphics/cxGraphics.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"

namespace {

// Counts what the search editor reports.
class TcxFilteringTestHelper : public TdxCustomIncrementalFilteringHelper {
  RTL_CLASS(TcxFilteringTestHelper, TdxCustomIncrementalFilteringHelper)

 public:
  TcxCustomLookAndFeelPainter* GetPainter() override
  {
    return cxLookAndFeelPaintersManager()->GetPainter(TcxLookAndFeelStyle::lfsStandard);
  }
  void SearchEditKeyDown(rtl::TObject*, WORD&, vcl::TShiftState) override { ++KeyDowns; }
  void SearchEditKeyPress(rtl::TObject*, wchar_t&) override {}
  void SearchEditMouseWheel(rtl::TObject*, vcl::TShiftState, int, TPoint, bool&) override {}
  void SearchEditValueChanged(rtl::TObject*) override { ++Changes; }
  int KeyDowns = 0;
  int Changes = 0;
};

TEST(TdxIncrementalFilteringTest, TheSearchEditorIsWiredWithAGlyphButton)
{
  rtl::TOwnedPtr<TcxFilteringTestHelper> helper(rtl::New<TcxFilteringTestHelper>());
  EXPECT_EQ(helper->GetSearchEdit(), nullptr);
  helper->CreateSearchEdit();
  helper->InitializeSearchEdit();
  TcxCustomTextEdit* edit = helper->GetSearchEdit();
  ASSERT_NE(edit, nullptr);
  EXPECT_FALSE(edit->GetBeepOnEnter()) << "Enter never reaches the window";
  ASSERT_EQ(edit->GetProperties()->GetButtons()->GetCount(), 1);
  EXPECT_EQ(edit->GetProperties()->GetButtons()->GetItems(0)->GetKind(), TcxEditButtonKind::bkGlyph);
  edit->SetText(L"ab");
  EXPECT_EQ(helper->GetSearchText(), L"ab");

  // The default drawing is suppressed even when only asked (no canvas).
  bool handled = false;
  helper->DrawSearchButton(nullptr, nullptr, handled);
  EXPECT_TRUE(handled);

  helper->DestroySearchEdit();
  EXPECT_EQ(helper->GetSearchEdit(), nullptr);
  EXPECT_EQ(helper->GetSearchText(), L"");
}

TEST(TdxIncrementalFilteringTest, SearchInfoPanelMeasures)
{
  rtl::TOwnedPtr<TdxCustomIncrementalFilteringContainerViewInfo> viewInfo(
      rtl::New<TdxCustomIncrementalFilteringContainerViewInfo>());
  rtl::TOwnedPtr<vcl::TFont> font(rtl::New<vcl::TFont>());
  viewInfo->Font = font.get();
  TcxCanvas* canvas = cxScreenCanvas();
  canvas->SetFont(font.get());
  const rtl::String text = viewInfo->GetSearchInfoPanelText();
  EXPECT_EQ(text, L"No matches found");
  EXPECT_EQ(viewInfo->GetSearchInfoPanelHeight(), canvas->TextHeight(L"Wg") + 8);
  viewInfo->SearchInfoPanelHeight = 30;
  EXPECT_EQ(viewInfo->GetSearchInfoPanelHeight(), 30);
  EXPECT_EQ(viewInfo->GetSearchInfoPanelWidth(), canvas->TextWidth(text) + 8);
  EXPECT_EQ(viewInfo->GetSearchInfoPanelTextDrawFlags(), 0x210u);
  viewInfo->UseRightToLeftAlignment = true;
  EXPECT_EQ(viewInfo->GetSearchInfoPanelTextDrawFlags(), 0x4000212u);
  EXPECT_FALSE(viewInfo->IsSearchInfoPanelVisible());
}

}  // namespace
