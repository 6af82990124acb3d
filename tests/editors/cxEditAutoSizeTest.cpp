// Auto size of the edit base on real windows: the size an editor takes from
// its content, the anchor it keeps while its alignment is not left or top,
// and when it refuses to size itself.
#include <gtest/gtest.h>

#include <cwchar>

#include "editors/cxEdit.h"
#include "platform/vcl/Forms.h"
#include "tests/support/TestSupport.h"

namespace {

// The content of a value "WxH" is W by H pixels.
class TcxEditAutoSizeTestViewData : public TcxCustomEditViewData {
  RTL_CLASS(TcxEditAutoSizeTestViewData, TcxCustomEditViewData)

 protected:
  TSize CalculateValueContentSize(TcxCanvas*, const rtl::Variant& AValue, const TcxEditSizeProperties&) override
  {
    int W = 0;
    int H = 0;
    if (!rtl::VarIsNull(AValue))
      std::swscanf(rtl::VarToStr(AValue).c_str(), L"%dx%d", &W, &H);
    return TSize{W, H};
  }
};

class TcxEditAutoSizeTestProperties : public TcxCustomEditProperties {
  RTL_CLASS(TcxEditAutoSizeTestProperties, TcxCustomEditProperties)

 public:
  TcxCustomEditViewDataClass ViewDataClass() override
  {
    return TcxCustomEditViewDataClass::Of<TcxEditAutoSizeTestViewData>();
  }
};

// Sizes both ways, like a label.
class TcxEditAutoSizeTestEdit : public TcxCustomEdit {
  RTL_CLASS(TcxEditAutoSizeTestEdit, TcxCustomEdit)

 public:
  TcxCustomEditPropertiesClass GetPropertiesClass() override
  {
    return TcxCustomEditPropertiesClass::Of<TcxEditAutoSizeTestProperties>();
  }
  using TcxCustomEdit::SetAutoHeight;
  using TcxCustomEdit::SetAutoSize;
  using TcxCustomEdit::SetAutoWidth;
  // A new value and the size step that follows it in a real editor.
  void Show(const wchar_t* AValue)
  {
    SetEditValue(rtl::Variant(rtl::String(AValue)));
    UpdateInnerControlBounds();
  }

 protected:
  bool SupportsAutoWidth() override { return true; }
};

class TcxEditAutoSizeFixture : public testing::Test {
 protected:
  void SetUp() override
  {
    Form.reset(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(nullptr); }));
    Form->SetBounds(50, 50, 400, 300);
    Edit = rtl::New<TcxEditAutoSizeTestEdit>(Form.get());
    TcxCustomEditStyle* AStyle = static_cast<TcxCustomEditStyle*>(Edit->GetStyle());
    AStyle->GetLookAndFeel()->SetKind(TcxLookAndFeelKind::lfStandard);
    AStyle->GetLookAndFeel()->SetNativeStyle(false);
    AStyle->GetLookAndFeel()->SetSkinName(L"");
    AStyle->SetBorderStyle(TcxContainerBorderStyle::cbsSingle);
    AStyle->SetHotTrack(false);
    AStyle->SetTransparentBorder(false);
    Edit->SetAutoSize(false);
    Edit->SetBounds(100, 100, 40, 20);
    Edit->SetParent(Form.get());
    Form->Show();
    kvtest::PumpMessages();
    // The frame of the editor: its size with an empty content.
    Edit->SetAutoSize(true);
    Edit->Show(L"0x0");
    Frame = TSize{Edit->GetWidth(), Edit->GetHeight()};
  }
  void TearDown() override
  {
    Form.reset();
    kvtest::PumpMessages();
  }
  void Place(int ALeft, int ATop, int AWidth, int AHeight)
  {
    Edit->SetAutoSize(false);
    Edit->SetBounds(ALeft, ATop, AWidth, AHeight);
  }

  rtl::TOwnedPtr<vcl::TForm> Form;
  TcxEditAutoSizeTestEdit* Edit;
  TSize Frame;
};

TEST_F(TcxEditAutoSizeFixture, TheFrameIsTheBorder)
{
  EXPECT_EQ(2, Frame.cx);
  EXPECT_EQ(2, Frame.cy);
}

// The editor is placed at (100, 100) with 40 x 20 pixels, which sets its
// anchors (the right edge 140, the bottom edge 120, the centre (120, 110)),
// and is sized for a content of 20 x 10, then for the given content.
TEST_F(TcxEditAutoSizeFixture, GrowsAroundItsAnchor)
{
  using enum rtl::TAlignment;
  using enum TcxEditVertAlignment;
  const struct {
    const char* Name;
    rtl::TAlignment Horz;
    TcxEditVertAlignment Vert;
    const wchar_t* Content;
    TRect Expected;
  } cases[] = {
      {"left and top keep the top-left corner", taLeftJustify, taTopJustify, L"31x17", {100, 100, 133, 119}},
      {"right keeps the right edge", taRightJustify, taTopJustify, L"31x17", {107, 100, 140, 119}},
      {"bottom keeps the bottom edge", taLeftJustify, taBottomJustify, L"31x17", {100, 101, 133, 120}},
      {"centred keeps the centre", taCenter, taVCenter, L"30x16", {104, 101, 136, 119}},
      {"centred with odd sizes", taCenter, taVCenter, L"31x17", {103, 100, 136, 119}},
      {"centred shrinking", taCenter, taVCenter, L"4x2", {117, 108, 123, 112}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Place(100, 100, 40, 20);
    Edit->GetActiveProperties()->GetAlignment()->SetHorz(c.Horz);
    Edit->GetActiveProperties()->GetAlignment()->SetVert(c.Vert);
    Edit->SetAutoSize(true);
    Edit->Show(L"20x10");
    const TRect AFirst = Edit->GetBoundsRect();
    Edit->Show(c.Content);
    const TRect R = Edit->GetBoundsRect();
    EXPECT_EQ(c.Expected.left, R.left);
    EXPECT_EQ(c.Expected.top, R.top);
    EXPECT_EQ(c.Expected.right, R.right);
    EXPECT_EQ(c.Expected.bottom, R.bottom);
    // Back to the first content, back to the first place: the anchor does
    // not drift.
    Edit->Show(L"20x10");
    const TRect AAgain = Edit->GetBoundsRect();
    EXPECT_TRUE(EqualRect(&AFirst, &AAgain));
  }
}

TEST_F(TcxEditAutoSizeFixture, SizesOnlyWhereItMay)
{
  using enum vcl::TAnchorKind;
  const struct {
    const char* Name;
    bool AutoWidth;
    bool AutoHeight;
    vcl::TAnchors Anchors;
    TSize Expected;
  } cases[] = {
      {"both", true, true, {akLeft, akTop}, {33, 19}},
      {"off", false, false, {akLeft, akTop}, {40, 20}},
      {"height only", false, true, {akLeft, akTop}, {40, 19}},
      {"width only", true, false, {akLeft, akTop}, {33, 20}},
      {"anchored left and right keeps the width", true, true, {akLeft, akTop, akRight}, {40, 19}},
      {"anchored top and bottom keeps the height", true, true, {akLeft, akTop, akBottom}, {33, 20}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Place(100, 100, 40, 20);
    Edit->SetAnchors(c.Anchors);
    Edit->SetAutoWidth(c.AutoWidth);
    Edit->SetAutoHeight(c.AutoHeight);
    Edit->Show(L"31x17");
    EXPECT_EQ(c.Expected.cx, Edit->GetWidth());
    EXPECT_EQ(c.Expected.cy, Edit->GetHeight());
    Edit->SetAnchors({akLeft, akTop});
  }
}

TEST_F(TcxEditAutoSizeFixture, ASizeSetByTheProgramIsCorrected)
{
  Edit->Show(L"31x17");
  Edit->SetBounds(100, 100, 200, 100);
  EXPECT_EQ(33, Edit->GetWidth());
  EXPECT_EQ(19, Edit->GetHeight());
}

TEST_F(TcxEditAutoSizeFixture, ConstraintsLimitTheSize)
{
  Edit->GetConstraints()->SetMaxWidth(25);
  Edit->GetConstraints()->SetMinHeight(30);
  Edit->Show(L"31x17");
  EXPECT_EQ(25, Edit->GetWidth());
  EXPECT_EQ(30, Edit->GetHeight());
}

TEST(TcxEditAutoSizeInplace, AnInplaceEditorNeverSizesItself)
{
  rtl::TOwnedPtr<vcl::TForm> AForm{rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(nullptr); })};
  auto* AEdit = rtl::NewWith<TcxEditAutoSizeTestEdit>([&](TcxEditAutoSizeTestEdit* E) { E->Create(AForm.get(), true); });
  AEdit->SetBounds(10, 10, 40, 20);
  AEdit->SetParent(AForm.get());
  AForm->Show();
  AEdit->SetAutoSize(true);
  AEdit->Show(L"31x17");
  EXPECT_FALSE(AEdit->GetAutoSize());
  EXPECT_EQ(40, AEdit->GetWidth());
  EXPECT_EQ(20, AEdit->GetHeight());
  AForm.reset();
  kvtest::PumpMessages();
}

}  // namespace
