#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/cxGraphicsBitmaps.h"
#include "pagecontrol/dxBuiltInPopupMenu.h"
#include "platform/rtl/System.h"
#include "platform/vcl/Menus.h"

namespace {

// An adapter class that implements nothing.
class TBIPMBareAdapter : public TdxCustomBuiltInPopupMenuAdapter {
  RTL_CLASS(TBIPMBareAdapter, TdxCustomBuiltInPopupMenuAdapter)
};

using TAdapterClass = TdxCustomBuiltInPopupMenuAdapterClass;
const TAdapterClass StandardClass = TAdapterClass::Of<TdxStandardBuiltInPopupMenuAdapter>();
const TAdapterClass BareClass = TAdapterClass::Of<TBIPMBareAdapter>();

TEST(dxBuiltInPopupMenuAdapterManager, TheClassRegisteredLastIsActual)
{
  // The unit's start-up registered the standard adapter.
  ASSERT_EQ(TdxBuiltInPopupMenuAdapterManager::GetActualAdapterClass(), StandardClass);
  struct {
    const char* Step;
    bool Register;
    TAdapterClass Class;
    TAdapterClass Actual;
  } const steps[] = {
      {"another class comes later", true, BareClass, BareClass},
      {"the standard class twice", true, StandardClass, StandardClass},
      {"the first standard entry goes", false, StandardClass, StandardClass},
      {"the other class goes", false, BareClass, StandardClass},
      {"an absent class goes: nothing", false, BareClass, StandardClass},
  };
  for (const auto& s : steps) {
    if (s.Register)
      TdxBuiltInPopupMenuAdapterManager::Register(s.Class);
    else
      TdxBuiltInPopupMenuAdapterManager::Unregister(s.Class);
    EXPECT_EQ(TdxBuiltInPopupMenuAdapterManager::GetActualAdapterClass(), s.Actual) << s.Step;
    EXPECT_EQ(TdxBuiltInPopupMenuAdapterManager::IsActualAdapterStandard(), s.Actual == StandardClass) << s.Step;
  }
}

TEST(dxBuiltInPopupMenuAdapterManager, AnEmptyRegisterNamesNoClass)
{
  TdxBuiltInPopupMenuAdapterManager::Unregister(StandardClass);
  EXPECT_FALSE(TdxBuiltInPopupMenuAdapterManager::HasRegister());
  EXPECT_FALSE(TdxBuiltInPopupMenuAdapterManager::GetActualAdapterClass());
  EXPECT_FALSE(TdxBuiltInPopupMenuAdapterManager::IsActualAdapterStandard());
  TdxBuiltInPopupMenuAdapterManager::Register(StandardClass);
  EXPECT_TRUE(TdxBuiltInPopupMenuAdapterManager::HasRegister());
}

TEST(TdxCustomBuiltInPopupMenuAdapter, UnimplementedOperationsRaise)
{
  const rtl::TOwnedPtr<TdxCustomBuiltInPopupMenuAdapter> adapter(BareClass.Create(nullptr));
  EXPECT_THROW(adapter->GetItemCount(), rtl::EAbstractError);
  EXPECT_THROW(adapter->Add(L"A", rtl::TNotifyEvent()), rtl::EAbstractError);
  EXPECT_THROW(adapter->Popup(TPoint{0, 0}), rtl::EAbstractError);
}

TEST(TdxCustomBuiltInPopupMenuAdapter, BiDiModeFollowsTheApplicationUntilSet)
{
  const rtl::TOwnedPtr<TdxCustomBuiltInPopupMenuAdapter> adapter(StandardClass.Create(nullptr));
  EXPECT_EQ(adapter->GetBiDiMode(), vcl::TBiDiMode::bdLeftToRight);
  adapter->SetBiDiMode(vcl::TBiDiMode::bdRightToLeft);
  EXPECT_EQ(adapter->GetBiDiMode(), vcl::TBiDiMode::bdRightToLeft);
  adapter->SetBiDiMode(vcl::TBiDiMode::bdLeftToRight);
  EXPECT_EQ(adapter->GetBiDiMode(), vcl::TBiDiMode::bdLeftToRight);
}

std::vector<std::wstring> TopCaptions(TdxCustomBuiltInPopupMenuAdapter* AAdapter)
{
  std::vector<std::wstring> result;
  for (int i = 0; i < AAdapter->GetItemCount(); ++i)
    result.push_back(rtl::As<vcl::TMenuItem>(AAdapter->GetItem(i))->GetCaption());
  return result;
}

TEST(TdxStandardBuiltInPopupMenuAdapter, SeparatorsGoInBeforeTheNextItemOnly)
{
  // 'A' adds "A", 'B' adds "B", '-' asks for a separator, 'c' clears.
  struct {
    const char* Script;
    std::vector<std::wstring> Captions;
  } const cases[] = {
      {"A-B", {L"A", L"-", L"B"}},
      {"A--B", {L"A", L"-", L"B"}},
      {"A-", {L"A"}},
      {"-cA", {L"-", L"A"}},
      {"AB", {L"A", L"B"}},
  };
  for (const auto& c : cases) {
    const rtl::TOwnedPtr<TdxCustomBuiltInPopupMenuAdapter> adapter(StandardClass.Create(nullptr));
    for (const char* s = c.Script; *s; ++s) {
      if (*s == '-')
        adapter->AddSeparator();
      else if (*s == 'c')
        adapter->Clear();
      else
        adapter->Add(std::wstring(1, static_cast<wchar_t>(*s)), rtl::TNotifyEvent());
    }
    EXPECT_EQ(TopCaptions(adapter.get()), c.Captions) << c.Script;
  }
}

TEST(TdxStandardBuiltInPopupMenuAdapter, ItemsCarryWhatTheyWereGiven)
{
  const rtl::TOwnedPtr<TdxCustomBuiltInPopupMenuAdapter> adapter(StandardClass.Create(nullptr));
  auto* sub = rtl::As<vcl::TMenuItem>(adapter->AddSubMenu(L"Sub", rtl::TNotifyEvent(), 7, 3, false, VK_F2));
  auto* child = rtl::As<vcl::TMenuItem>(adapter->Add(L"Child", rtl::TNotifyEvent(), 8, -1, true, 0, sub));
  EXPECT_EQ(adapter->GetItemCount(), 1);
  EXPECT_EQ(sub->GetTag(), 7);
  EXPECT_EQ(sub->GetImageIndex(), 3);
  EXPECT_FALSE(sub->GetEnabled());
  EXPECT_EQ(sub->GetShortCut(), VK_F2);
  EXPECT_EQ(child->GetParent(), sub);
  EXPECT_EQ(child->GetOwner(), static_cast<TdxStandardBuiltInPopupMenuAdapter*>(adapter.get())->GetMenu());

  adapter->SetChecked(child, true);
  adapter->SetDefault(child, true);
  EXPECT_TRUE(child->GetChecked());
  EXPECT_TRUE(child->GetDefault());

  const rtl::TOwnedPtr<vcl::TBitmap> empty(rtl::New<vcl::TBitmap>());
  adapter->SetGlyph(child, empty.get());
  EXPECT_FALSE(child->HasBitmap());
  const rtl::TOwnedPtr<TcxBitmap> glyph(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(16, 16); }));
  adapter->SetGlyph(child, glyph.get());
  EXPECT_TRUE(child->HasBitmap());
}

TEST(TdxStandardBuiltInPopupMenuAdapter, DeleteFreesTheTopItem)
{
  const rtl::TOwnedPtr<TdxCustomBuiltInPopupMenuAdapter> adapter(StandardClass.Create(nullptr));
  adapter->Add(L"A", rtl::TNotifyEvent());
  adapter->Add(L"B", rtl::TNotifyEvent());
  const rtl::TFreeWatch watch(adapter->GetItem(0));
  adapter->Delete(0);
  EXPECT_TRUE(watch.Freed());
  EXPECT_EQ(TopCaptions(adapter.get()), std::vector<std::wstring>{L"B"});
}

}  // namespace
