#include <gtest/gtest.h>

#include <iterator>

#include "core/dxCore.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "pagecontrol/cxPC.h"
#include "pagecontrol/cxPCPainters.h"
#include "pagecontrol/cxPCPaintersFactory.h"

namespace {

// Painter classes that only tell their style; the look and feel they claim
// is set per test.
class TPCFactoryPainterA : public TcxPCCustomPainter {
  RTL_CLASS(TPCFactoryPainterA, TcxPCCustomPainter)

 public:
  static inline bool ClaimsLookAndFeel = false;
  TcxPCStyleID GetStyleID() const override { return 21; }
  rtl::String GetStyleName() const override { return L"OneNote"; }
  bool HasLookAndFeel(TcxLookAndFeel*) const override { return ClaimsLookAndFeel; }
};

class TPCFactoryPainterB : public TcxPCCustomPainter {
  RTL_CLASS(TPCFactoryPainterB, TcxPCCustomPainter)

 public:
  static inline bool ClaimsLookAndFeel = false;
  static inline bool Default = false;
  TcxPCStyleID GetStyleID() const override { return 22; }
  rtl::String GetStyleName() const override { return L"Second"; }
  TcxPCStandardStyle GetStandardStyle() const override { return TcxPCStandardStyle::tsButtons; }
  bool IsStandardStyle() const override { return true; }
  bool HasLookAndFeel(TcxLookAndFeel*) const override { return ClaimsLookAndFeel; }
  bool IsDefault(TcxLookAndFeel*) const override { return Default; }
};

// A factory of the test's own, so the registered styles stay as they are.
struct TPCFactoryFixture : testing::Test {
  rtl::TOwnedPtr<TcxPCPaintersFactory> Factory{rtl::New<TcxPCPaintersFactory>()};
  rtl::TOwnedPtr<TcxLookAndFeel> LookAndFeel{rtl::New<TcxLookAndFeel>(nullptr)};
  TcxPCPainterClass A = TcxPCPainterClass::Of<TPCFactoryPainterA>();
  TcxPCPainterClass B = TcxPCPainterClass::Of<TPCFactoryPainterB>();

  void SetUp() override
  {
    TPCFactoryPainterA::ClaimsLookAndFeel = false;
    TPCFactoryPainterB::ClaimsLookAndFeel = false;
    TPCFactoryPainterB::Default = false;
  }
};

TEST_F(TPCFactoryFixture, RegistersOnceInOrderAndLooksUpByIdNameAndStandardStyle)
{
  Factory->RegisterPCPainterClass(A);
  Factory->RegisterPCPainterClass(B);
  Factory->RegisterPCPainterClass(A);
  ASSERT_EQ(Factory->GetPainterClassCount(), 2);
  EXPECT_EQ(Factory->InternalGetPainterClass(0).ClassType(), A.ClassType());
  EXPECT_EQ(Factory->GetPainterStyleID(1), 22);
  EXPECT_THROW(Factory->InternalGetPainterClass(2), rtl::EListError);

  struct {
    TcxPCPainterClass Found;
    TcxPCPainterClass Expected;
  } const cases[] = {
      {Factory->GetPainterClass(21), A},
      {Factory->GetPainterClass(4), nullptr},
      {Factory->GetPainterClass(rtl::String(L"onenote")), A},
      {Factory->GetPainterClass(rtl::String(L"Default")), nullptr},
      {Factory->GetPainterClass(TcxPCStandardStyle::tsButtons), B},
      {Factory->GetPainterClass(TcxPCStandardStyle::tsTabs), nullptr},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.Found.ClassType(), c.Expected.ClassType());

  Factory->UnregisterPCPainterClass(A);
  Factory->UnregisterPCPainterClass(A);
  EXPECT_EQ(Factory->GetPainterClassCount(), 1);
  EXPECT_FALSE(Factory->GetPainterClass(21));
}

TEST_F(TPCFactoryFixture, TheLastClassClaimingTheLookAndFeelWinsAndTheFirstIsTheDefault)
{
  EXPECT_THROW(Factory->GetDefaultStyleID(LookAndFeel.get()), EdxException);
  Factory->RegisterPCPainterClass(A);
  Factory->RegisterPCPainterClass(B);
  EXPECT_EQ(Factory->GetStyleID(LookAndFeel.get()), -1);
  EXPECT_EQ(Factory->GetDefaultStyleID(LookAndFeel.get()), 21);

  TPCFactoryPainterA::ClaimsLookAndFeel = true;
  EXPECT_EQ(Factory->GetStyleID(LookAndFeel.get()), 21);
  TPCFactoryPainterB::ClaimsLookAndFeel = true;
  EXPECT_EQ(Factory->GetStyleID(LookAndFeel.get()), 22);
  TPCFactoryPainterB::Default = true;
  EXPECT_EQ(Factory->GetDefaultStyleID(LookAndFeel.get()), 22);
}

TEST(cxPCPaintersFactory, TheProcessWideFactoryGoesWithItsLastClass)
{
  TcxPCPaintersFactory* factory = PaintersFactory();
  ASSERT_TRUE(factory);
  const int count = factory->GetPainterClassCount();
  const TcxPCPainterClass tabs = TcxPCPainterClass::Of<TcxPCTabsPainter>();
  EXPECT_EQ(factory->GetPainterClass(1).ClassType(), tabs.ClassType());

  std::vector<TcxPCPainterClass> registered;
  for (int i = 0; i < count; ++i)
    registered.push_back(factory->InternalGetPainterClass(i));
  for (TcxPCPainterClass painterClass : registered)
    UnregisterPainterClass(painterClass);
  EXPECT_FALSE(PaintersFactory());
  for (TcxPCPainterClass painterClass : registered)
    RegisterPainterClass(painterClass);
  ASSERT_TRUE(PaintersFactory());
  EXPECT_EQ(PaintersFactory()->GetPainterClassCount(), count);
}

TEST(cxPCPaintersFactory, TheBuiltInStylesInRegistrationOrder)
{
  TcxPCPaintersFactory* factory = PaintersFactory();
  ASSERT_TRUE(factory);
  struct {
    TcxPCStyleID ID;
    const wchar_t* Name;
    TcxPCPainterClass Class;
  } const styles[] = {
      {1, L"Tabs", TcxPCPainterClass::Of<TcxPCTabsPainter>()},
      {2, L"Buttons", TcxPCPainterClass::Of<TcxPCButtonsPainter>()},
      {3, L"FlatButtons", TcxPCPainterClass::Of<TcxPCFlatButtonsPainter>()},
      {5, L"ExtraFlat", TcxPCPainterClass::Of<TcxPCExtraFlatPainter>()},
      {6, L"UltraFlat", TcxPCPainterClass::Of<TcxPCUltraFlatPainter>()},
      {7, L"Flat", TcxPCPainterClass::Of<TcxPCFlatPainter>()},
      {8, L"Office11", TcxPCPainterClass::Of<TcxPCOffice11Painter>()},
  };
  ASSERT_GE(factory->GetPainterClassCount(), static_cast<int>(std::size(styles)));
  for (int i = 0; i < static_cast<int>(std::size(styles)); ++i) {
    const auto& style = styles[i];
    EXPECT_EQ(factory->InternalGetPainterClass(i).ClassType(), style.Class.ClassType()) << i;
    EXPECT_EQ(factory->GetPainterStyleID(i), style.ID) << i;
    EXPECT_EQ(factory->GetPainterClass(rtl::String(style.Name)).ClassType(), style.Class.ClassType()) << i;
  }
  // Only the classic styles answer to a standard style.
  const TcxPCStandardStyle standard[] = {TcxPCStandardStyle::tsTabs, TcxPCStandardStyle::tsButtons,
                                         TcxPCStandardStyle::tsFlatButtons};
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(factory->GetPainterClass(standard[i]).ClassType(), styles[i].Class.ClassType()) << i;
}

TEST(cxPCPaintersFactory, EachLookAndFeelHasItsStyle)
{
  const rtl::TOwnedPtr<TcxLookAndFeel> lookAndFeel(rtl::New<TcxLookAndFeel>(nullptr));
  lookAndFeel->SetNativeStyle(false);
  struct {
    TcxLookAndFeelKind Kind;
    TcxPCStyleID ID;
  } const cases[] = {
      {TcxLookAndFeelKind::lfStandard, 1},
      {TcxLookAndFeelKind::lfFlat, 7},
      {TcxLookAndFeelKind::lfUltraFlat, 6},
      {TcxLookAndFeelKind::lfOffice11, 8},
  };
  for (const auto& c : cases) {
    lookAndFeel->SetKind(c.Kind);
    EXPECT_EQ(PaintersFactory()->GetStyleID(lookAndFeel.get()), c.ID) << rtl::GetEnumName(c.Kind);
  }
  EXPECT_EQ(PaintersFactory()->GetDefaultStyleID(lookAndFeel.get()), 1);
}

}  // namespace
