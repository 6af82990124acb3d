#include "core/cxStyles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/ClassesStreams.h"

using enum TcxStyleValue;
using vcl::clDefault;

namespace {

// A collection that records the indexes it hears of.
class TcxStylesTestRecorder : public TcxCustomStyles {
  RTL_CLASS(TcxStylesTestRecorder, TcxCustomStyles)

 public:
  std::vector<int> Changes;

 protected:
  void Changed(int AIndex) override { Changes.push_back(AIndex); }
};

class TcxStylesTestSheet : public TcxCustomStyleSheet {
  RTL_CLASS(TcxStylesTestSheet, TcxCustomStyleSheet)

 public:
  TcxCustomStylesClass GetStylesClass() const override { return TcxCustomStylesClass::Of<TcxStylesTestRecorder>(); }
  std::vector<rtl::TComponent*> Links()
  {
    std::vector<rtl::TComponent*> result;
    GetFakeComponentLinks(result);
    return result;
  }
};

class cxStyles : public testing::Test {
 protected:
  void SetUp() override
  {
    FOwner.reset(rtl::New<rtl::TComponent>(nullptr));
    FRepository = rtl::New<TcxStyleRepository>(FOwner.get());
    FStyles.reset(rtl::New<TcxStylesTestRecorder>(nullptr));
  }

  TcxStyle* NewStyle() { return static_cast<TcxStyle*>(FRepository->CreateItem(TcxCustomStyleClass::Of<TcxStyle>())); }
  TcxStylesTestSheet* NewSheet()
  {
    return static_cast<TcxStylesTestSheet*>(
        FRepository->CreateStyleSheet(TcxCustomStyleSheetClass::Of<TcxStylesTestSheet>()));
  }

  rtl::TOwnedPtr<rtl::TComponent> FOwner;
  TcxStyleRepository* FRepository = nullptr;
  rtl::TOwnedPtr<TcxStylesTestRecorder> FStyles;
};

std::string Written(rtl::TComponent* AComponent)
{
  const rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  rtl::WriteComponent(stream.get(), AComponent);
  return std::string(static_cast<const char*>(stream->Memory()), static_cast<std::size_t>(stream->GetSize()));
}

}  // namespace

TEST_F(cxStyles, ValuesAreMarkedAsTheyAreSetAndOnlyMarkedValuesAreStored)
{
  TcxStyle* style = NewStyle();
  style->SetColor(0x123456);
  style->SetTextColor(0x654321);
  EXPECT_EQ(TcxStyleValues({svColor, svTextColor}), style->GetAssignedValues());
  EXPECT_NE(std::string::npos, Written(style).find("TextColor"));
  style->SetColor(clDefault);
  style->SetTextColor(clDefault);
  EXPECT_EQ(TcxStyleValues(), style->GetAssignedValues());
  EXPECT_EQ(std::string::npos, Written(style).find("Color"));

  style->GetFont()->SetHeight(-20);
  EXPECT_TRUE(style->GetAssignedValues().Contains(svFont));
  style->GetBitmap()->SetSize(4, 4);
  EXPECT_TRUE(style->GetAssignedValues().Contains(svBitmap));

  TcxStyle* copy = NewStyle();
  copy->Assign(style);
  EXPECT_EQ(style->GetAssignedValues(), copy->GetAssignedValues());
  EXPECT_EQ(-20, copy->GetFont()->GetHeight());
  copy->RestoreDefaults();
  EXPECT_EQ(TcxStyleValues(), copy->GetAssignedValues());
  EXPECT_TRUE(copy->GetBitmap()->GetEmpty());
}

TEST_F(cxStyles, ACollectionReportsChangesByIndexAndLetsGoOfStylesThatGo)
{
  TcxStyle* style = NewStyle();
  FStyles->SetValue(5, style);
  FStyles->SetValue(2, style);
  EXPECT_EQ(std::vector<int>({5, 2}), FStyles->Changes);
  FStyles->Changes.clear();
  style->SetColor(0xFF);
  EXPECT_EQ(std::vector<int>({2, 5}), FStyles->Changes);
  FStyles->Changes.clear();
  rtl::Free(style);
  EXPECT_EQ(std::vector<int>({5, 2}), FStyles->Changes);
  EXPECT_EQ(0, FStyles->GetCount());
  EXPECT_EQ(0, FRepository->GetCount());
}

TEST_F(cxStyles, ResettingClearsEveryItemAlsoAtSparseIndexes)
{
  TcxStyle* style = NewStyle();
  for (int index : {0, 3, 7})
    FStyles->SetValue(index, style);
  FStyles->ResetStyles();
  EXPECT_EQ(0, FStyles->GetCount());
  EXPECT_EQ(0, style->GetListenerCount());
}

TEST_F(cxStyles, ASheetFillsTheIndexesACollectionLeavesOpen)
{
  TcxStyle* own = NewStyle();
  TcxStyle* shared = NewStyle();
  TcxStylesTestSheet* sheet = NewSheet();
  sheet->GetStyles()->SetValue(1, shared);
  FStyles->SetValue(0, own);
  FStyles->Changes.clear();
  FStyles->SetStyleSheet(sheet);
  EXPECT_EQ(std::vector<int>({1}), FStyles->Changes);
  EXPECT_EQ(shared, FStyles->GetValue(1));
  EXPECT_EQ(own, FStyles->GetValue(0));
  // The sheet's own style assigned again makes no item.
  FStyles->SetValue(1, shared);
  EXPECT_EQ(1, FStyles->GetCount());

  // A change in the sheet reaches its users.
  FStyles->Changes.clear();
  shared->SetColor(0xFF00);
  EXPECT_EQ(std::vector<int>({1}), FStyles->Changes);

  // A sheet that leads back to this one is refused.
  TcxStylesTestSheet* other = NewSheet();
  other->GetStyles()->SetStyleSheet(sheet);
  sheet->GetStyles()->SetStyleSheet(other);
  EXPECT_EQ(nullptr, sheet->GetStyles()->GetStyleSheet());
  sheet->GetStyles()->SetStyleSheet(sheet);
  EXPECT_EQ(nullptr, sheet->GetStyles()->GetStyleSheet());

  rtl::Free(sheet);
  EXPECT_EQ(nullptr, FStyles->GetStyleSheet());
  EXPECT_EQ(nullptr, other->GetStyles()->GetStyleSheet());
}

TEST_F(cxStyles, ScalingTheRepositoryScalesOnlyAssignedFonts)
{
  TcxStyle* assigned = NewStyle();
  assigned->GetFont()->SetHeight(-12);
  TcxStyle* plain = NewStyle();
  const int plainHeight = plain->GetFont()->GetHeight();
  FRepository->ChangeScale(3, 2);
  EXPECT_EQ(-18, assigned->GetFont()->GetHeight());
  EXPECT_EQ(plainHeight, plain->GetFont()->GetHeight());
}

TEST_F(cxStyles, ASheetCaptionEqualToItsNameFollowsTheName)
{
  TcxStylesTestSheet* sheet = NewSheet();
  sheet->SetName(L"Sheet1");
  sheet->SetCaption(L"SHEET1");
  EXPECT_EQ(std::string::npos, Written(sheet).find("Caption"));
  sheet->SetName(L"Renamed");
  EXPECT_EQ(L"Renamed", sheet->GetCaption());
  sheet->SetCaption(L"Greens");
  EXPECT_NE(std::string::npos, Written(sheet).find("Caption"));
  EXPECT_EQ(L"Greens", sheet->GetCaption());
}

TEST_F(cxStyles, CopyFromMakesNewStylesAtTheSameIndexes)
{
  TcxStyle* style = NewStyle();
  style->SetColor(0x00AA00);
  TcxStylesTestSheet* source = NewSheet();
  source->GetStyles()->SetValue(4, style);
  TcxStylesTestSheet* target = NewSheet();
  target->CopyFrom(source);
  auto* copy = rtl::As<TcxStyle>(target->GetStyles()->GetValue(4));
  ASSERT_NE(nullptr, copy);
  EXPECT_NE(style, copy);
  EXPECT_EQ(0x00AA00, copy->GetColor());
  EXPECT_EQ(2, FRepository->GetCount());
}

TEST_F(cxStyles, ASheetLinksTheOtherOwnersOfItsStylesOnce)
{
  const rtl::TOwnedPtr<rtl::TComponent> otherForm(rtl::New<rtl::TComponent>(nullptr));
  TcxStylesTestSheet* sheet = NewSheet();
  sheet->GetStyles()->SetValue(0, NewStyle());
  for (const int index : {1, 2})
    sheet->GetStyles()->SetValue(
        index, FRepository->CreateItemEx(TcxCustomStyleClass::Of<TcxStyle>(), otherForm.get()));
  EXPECT_EQ(std::vector<rtl::TComponent*>({otherForm.get()}), sheet->Links());
}

TEST_F(cxStyles, TheRepositoryStreamsItsStylesAsChildren)
{
  TcxStyle* style = NewStyle();
  style->SetName(L"Red");
  FRepository->SetName(L"Repository");
  TcxStylesTestSheet* sheet = NewSheet();
  sheet->SetName(L"Sheet");
  std::vector<rtl::TComponent*> children;
  FRepository->GetChildren([&](rtl::TComponent* C) { children.push_back(C); }, FRepository);
  EXPECT_EQ(std::vector<rtl::TComponent*>({style, sheet}), children);
  EXPECT_EQ(FRepository, style->GetParentComponent());
}
