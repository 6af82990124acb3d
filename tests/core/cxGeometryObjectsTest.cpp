// Persistent geometry objects: change notification, indexed access, Assign
// between the classes, margins and their stored values, scaling and the raw
// stream images.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "core/cxClasses.h"
#include "core/cxGeometry.h"

namespace {

using Ints = std::array<long, 4>;

Ints AsArray(const TRect& R)
{
  return {R.left, R.top, R.right, R.bottom};
}

std::array<long, 2> AsArray(const TSize& S)
{
  return {S.cx, S.cy};
}

// Counts OnChange calls and remembers who sent them.
struct GeometryChangeCounter {
  int Count = 0;
  rtl::TObject* LastSender = nullptr;

  void Changed(rtl::TObject* Sender)
  {
    ++Count;
    LastSender = Sender;
  }
  rtl::TNotifyEvent Handler() { return rtl::TNotifyEvent::Bind<&GeometryChangeCounter::Changed>(this); }
};

rtl::TOwnedPtr<TcxRect> NewRect(const TRect& R = cxNullRect)
{
  rtl::TOwnedPtr<TcxRect> Result(rtl::New<TcxRect>(nullptr));
  Result->SetRect(R);
  return Result;
}

rtl::TOwnedPtr<TcxSize> NewSize(int ADefaultWidth = 0, int ADefaultHeight = 0)
{
  return rtl::TOwnedPtr<TcxSize>(rtl::New<TcxSize>(nullptr, ADefaultWidth, ADefaultHeight));
}

rtl::TOwnedPtr<TcxMargin> NewMargin(int ADefaultValue = 0)
{
  return rtl::TOwnedPtr<TcxMargin>(rtl::New<TcxMargin>(nullptr, ADefaultValue));
}

// Corrects every rectangle to its normalised form, as a descendant that
// guards its invariant through AdjustRect does.
class TNormalizedRect : public TcxRect {
  RTL_CLASS(TNormalizedRect, TcxRect)

 protected:
  void AdjustRect(TRect& ARect) override { ARect = cxRectNormalized(ARect); }
};

// ---------------------------------------------------------------------------
// Construction

TEST(cxGeometryObjects, CreateKeepsOwnerAndStartsAtTheDefaults)
{
  rtl::TOwnedPtr<rtl::TPersistent> Owner(rtl::New<rtl::TPersistent>());

  // Containers make their parts from a class reference.
  const TcxOwnedPersistentClass RectClass = TcxOwnedPersistentClass::Of<TcxRect>();
  rtl::TOwnedPtr<TcxOwnedPersistent> Rect(RectClass.Create(Owner.get()));
  EXPECT_TRUE(Rect->ClassNameIs(L"TcxRect"));
  EXPECT_EQ(Rect->GetOwner(), Owner.get());
  EXPECT_EQ(AsArray(static_cast<TcxRect*>(Rect.get())->GetRect()), (Ints{0, 0, 0, 0}));

  rtl::TOwnedPtr<TcxSize> Size(rtl::New<TcxSize>(Owner.get(), 16, 9));
  EXPECT_EQ(Size->GetOwner(), Owner.get());
  EXPECT_EQ(AsArray(Size->GetSize()), (std::array<long, 2>{16, 9}));
  EXPECT_FALSE(Size->IsValueStored(0));
  EXPECT_FALSE(Size->IsValueStored(1));

  rtl::TOwnedPtr<TcxMargin> Margin(rtl::New<TcxMargin>(Owner.get(), 6));
  EXPECT_EQ(Margin->GetOwner(), Owner.get());
  EXPECT_EQ(AsArray(Margin->GetMargin()), (Ints{6, 6, 6, 6}));
}

// ---------------------------------------------------------------------------
// TcxRect

TEST(cxRect, EveryWriteNotifiesOnceAndOnlyOnRealChange)
{
  struct Case {
    const char* Name;
    TRect Start;
    std::function<void(TcxRect&)> Write;
    Ints Expected;
    int Changes;
  };
  const TRect R{1, 2, 5, 8};
  const std::vector<Case> Cases = {
    {"Left", R, [](TcxRect& X) { X.SetLeft(0); }, {0, 2, 5, 8}, 1},
    {"same Left", R, [](TcxRect& X) { X.SetLeft(1); }, {1, 2, 5, 8}, 0},
    {"Top", R, [](TcxRect& X) { X.SetTop(3); }, {1, 3, 5, 8}, 1},
    {"Right", R, [](TcxRect& X) { X.SetRight(9); }, {1, 2, 9, 8}, 1},
    {"Bottom", R, [](TcxRect& X) { X.SetBottom(4); }, {1, 2, 5, 4}, 1},
    {"same Bottom", R, [](TcxRect& X) { X.SetBottom(8); }, {1, 2, 5, 8}, 0},
    {"index beyond Bottom", R, [](TcxRect& X) { X.SetValue(4, 99); }, {1, 2, 5, 8}, 0},
    {"Rect", R, [](TcxRect& X) { X.SetRect(TRect{0, 0, 1, 1}); }, {0, 0, 1, 1}, 1},
    {"same Rect", R, [&](TcxRect& X) { X.SetRect(R); }, {1, 2, 5, 8}, 0},
    {"Width moves Right", R, [](TcxRect& X) { X.SetWidth(10); }, {1, 2, 11, 8}, 1},
    {"same Width", R, [](TcxRect& X) { X.SetWidth(4); }, {1, 2, 5, 8}, 0},
    {"Height moves Bottom", R, [](TcxRect& X) { X.SetHeight(-2); }, {1, 2, 5, 0}, 1},
    {"TopLeft", R, [](TcxRect& X) { X.SetTopLeft(TPoint{7, 7}); }, {7, 7, 5, 8}, 1},
    {"TopRight", R, [](TcxRect& X) { X.SetTopRight(TPoint{7, 0}); }, {1, 0, 7, 8}, 1},
    {"BottomLeft", R, [](TcxRect& X) { X.SetBottomLeft(TPoint{0, 9}); }, {0, 2, 5, 9}, 1},
    {"BottomRight", R, [](TcxRect& X) { X.SetBottomRight(TPoint{6, 9}); }, {1, 2, 6, 9}, 1},
    {"same BottomRight", R, [](TcxRect& X) { X.SetBottomRight(TPoint{5, 8}); }, {1, 2, 5, 8}, 0},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto X = NewRect(C.Start);
    GeometryChangeCounter Counter;
    X->SetOnChange(Counter.Handler());
    C.Write(*X);
    EXPECT_EQ(AsArray(X->GetRect()), C.Expected);
    EXPECT_EQ(Counter.Count, C.Changes);
    EXPECT_EQ(Counter.LastSender, C.Changes ? X.get() : nullptr);
  }
}

TEST(cxRect, ReadsSidesCornersAndExtent)
{
  auto X = NewRect(TRect{1, 2, 5, 8});
  const std::array<int, 6> Values{X->GetValue(0), X->GetValue(1), X->GetValue(2),
                                  X->GetValue(3), X->GetValue(4), X->GetValue(-1)};
  // Any index beyond the first three reads Bottom.
  EXPECT_EQ(Values, (std::array<int, 6>{1, 2, 5, 8, 8, 8}));
  EXPECT_EQ(X->GetWidth(), 4);
  EXPECT_EQ(X->GetHeight(), 6);
  EXPECT_TRUE(cxPointsEqual(X->GetTopLeft(), TPoint{1, 2}));
  EXPECT_TRUE(cxPointsEqual(X->GetTopRight(), TPoint{5, 2}));
  EXPECT_TRUE(cxPointsEqual(X->GetBottomLeft(), TPoint{1, 8}));
  EXPECT_TRUE(cxPointsEqual(X->GetBottomRight(), TPoint{5, 8}));
}

TEST(cxRect, IsEmptyAndIsEqual)
{
  struct Case {
    TRect R;
    bool Empty;
  };
  const Case Cases[] = {
    {{0, 0, 0, 0}, true}, {{0, 0, 1, 1}, false}, {{0, 0, 0, 5}, true}, {{0, 0, 5, 0}, true}, {{5, 5, 1, 9}, true},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::PrintToString(AsArray(C.R)));
    auto X = NewRect(C.R);
    EXPECT_EQ(X->IsEmpty(), C.Empty);
    EXPECT_TRUE(X->IsEqual(C.R));
    EXPECT_FALSE(X->IsEqual(TRect{C.R.left, C.R.top, C.R.right, C.R.bottom + 1}));
    EXPECT_TRUE(X->IsEqual(NewRect(C.R).get()));
    EXPECT_FALSE(X->IsEqual(static_cast<const TcxRect*>(nullptr)));
  }
}

TEST(cxRect, AdjustRectCorrectsBeforeComparing)
{
  rtl::TOwnedPtr<TNormalizedRect> X(rtl::New<TNormalizedRect>(nullptr));
  GeometryChangeCounter Counter;
  X->SetOnChange(Counter.Handler());

  X->SetRect(TRect{10, 10, 0, 0});
  EXPECT_EQ(AsArray(X->GetRect()), (Ints{0, 0, 10, 10}));
  // The corrected value is compared, so writing either form again is no
  // change.
  X->SetRect(TRect{10, 10, 0, 0});
  X->SetRect(TRect{0, 0, 10, 10});
  X->SetLeft(20);
  EXPECT_EQ(AsArray(X->GetRect()), (Ints{10, 0, 20, 10}));
  EXPECT_EQ(Counter.Count, 2);
}

// ---------------------------------------------------------------------------
// TcxSize

TEST(cxSize, WritesClampAtZeroAndNotifyOnlyOnRealChange)
{
  struct Case {
    const char* Name;
    TSize Start;
    std::function<void(TcxSize&)> Write;
    std::array<long, 2> Expected;
    int Changes;
  };
  const std::vector<Case> Cases = {
    {"Width", {10, 20}, [](TcxSize& X) { X.SetWidth(11); }, {11, 20}, 1},
    {"Height", {10, 20}, [](TcxSize& X) { X.SetHeight(21); }, {10, 21}, 1},
    {"same Width", {10, 20}, [](TcxSize& X) { X.SetWidth(10); }, {10, 20}, 0},
    {"negative Width", {10, 20}, [](TcxSize& X) { X.SetWidth(-5); }, {0, 20}, 1},
    {"negative Width at 0", {0, 20}, [](TcxSize& X) { X.SetWidth(-5); }, {0, 20}, 0},
    {"negative Height at 0", {10, 0}, [](TcxSize& X) { X.SetHeight(-1); }, {10, 0}, 0},
    {"Size", {10, 20}, [](TcxSize& X) { X.SetSize(TSize{-3, 4}); }, {0, 4}, 1},
    {"same Size", {10, 20}, [](TcxSize& X) { X.SetSize(TSize{10, 20}); }, {10, 20}, 0},
    {"index 0 is the height", {10, 20}, [](TcxSize& X) { X.SetValue(0, 1); }, {10, 1}, 1},
    {"other indexes the width", {10, 20}, [](TcxSize& X) { X.SetValue(7, 1); }, {1, 20}, 1},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto X = NewSize(C.Start.cx, C.Start.cy);
    GeometryChangeCounter Counter;
    X->SetOnChange(Counter.Handler());
    C.Write(*X);
    EXPECT_EQ(AsArray(X->GetSize()), C.Expected);
    EXPECT_EQ(X->GetWidth(), C.Expected[0]);
    EXPECT_EQ(X->GetHeight(), C.Expected[1]);
    EXPECT_EQ(Counter.Count, C.Changes);
    EXPECT_EQ(Counter.LastSender, C.Changes ? X.get() : nullptr);
  }
}

TEST(cxSize, StoresOnlyComponentsThatDifferFromTheDefault)
{
  struct Case {
    TSize Value;
    bool HeightStored;
    bool WidthStored;
  };
  const Case Cases[] = {{{4, 3}, false, false}, {{5, 3}, false, true}, {{4, 0}, true, false}, {{0, 0}, true, true}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::PrintToString(AsArray(C.Value)));
    auto X = NewSize(4, 3);
    X->SetSize(C.Value);
    EXPECT_EQ(X->IsValueStored(0), C.HeightStored);
    EXPECT_EQ(X->IsValueStored(1), C.WidthStored);
    EXPECT_EQ(X->IsEmpty(), cxSizeIsZero(C.Value));
  }
}

TEST(cxSize, IsEqual)
{
  auto X = NewSize(4, 3);
  EXPECT_TRUE(X->IsEqual(TSize{4, 3}));
  EXPECT_FALSE(X->IsEqual(TSize{3, 4}));
  EXPECT_TRUE(X->IsEqual(NewSize(4, 3).get()));
  EXPECT_FALSE(X->IsEqual(NewSize(4, 4).get()));
  EXPECT_FALSE(X->IsEqual(static_cast<const TcxSize*>(nullptr)));
}

// ---------------------------------------------------------------------------
// TcxMargin

TEST(cxMargin, AllIsTheCommonSideOrMinusOne)
{
  struct Case {
    TRect Sides;
    int All;
  };
  const Case Cases[] = {
    {{2, 2, 2, 2}, 2}, {{2, 3, 2, 2}, -1}, {{2, 2, 2, 3}, -1}, {{3, 2, 2, 2}, -1}, {{0, 0, 0, 0}, 0},
    {{-1, -1, -1, -1}, -1},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::PrintToString(AsArray(C.Sides)));
    auto X = NewMargin();
    X->SetMargin(C.Sides);
    EXPECT_EQ(X->GetAll(), C.All);
    const Ints Sides{X->GetLeft(), X->GetTop(), X->GetRight(), X->GetBottom()};
    EXPECT_EQ(Sides, AsArray(C.Sides));
  }
}

TEST(cxMargin, WritesNotifyOnceAndOnlyOnRealChange)
{
  struct Case {
    const char* Name;
    TRect Start;
    std::function<void(TcxMargin&)> Write;
    Ints Expected;
    int Changes;
  };
  const std::vector<Case> Cases = {
    {"All over differing sides", {2, 3, 2, 2}, [](TcxMargin& X) { X.SetAll(4); }, {4, 4, 4, 4}, 1},
    {"same All", {2, 2, 2, 2}, [](TcxMargin& X) { X.SetAll(2); }, {2, 2, 2, 2}, 0},
    // -1 is what All already reads while the sides differ.
    {"All -1 over differing sides", {2, 3, 2, 2}, [](TcxMargin& X) { X.SetAll(-1); }, {2, 3, 2, 2}, 0},
    {"All -1 over equal sides", {2, 2, 2, 2}, [](TcxMargin& X) { X.SetAll(-1); }, {-1, -1, -1, -1}, 1},
    {"Left", {2, 2, 2, 2}, [](TcxMargin& X) { X.SetLeft(5); }, {5, 2, 2, 2}, 1},
    {"Top", {2, 2, 2, 2}, [](TcxMargin& X) { X.SetTop(5); }, {2, 5, 2, 2}, 1},
    {"Right", {2, 2, 2, 2}, [](TcxMargin& X) { X.SetRight(5); }, {2, 2, 5, 2}, 1},
    {"Bottom", {2, 2, 2, 2}, [](TcxMargin& X) { X.SetBottom(5); }, {2, 2, 2, 5}, 1},
    {"same Bottom", {2, 2, 2, 5}, [](TcxMargin& X) { X.SetBottom(5); }, {2, 2, 2, 5}, 0},
    {"Margin", {2, 2, 2, 2}, [](TcxMargin& X) { X.SetMargin(TRect{1, 2, 3, 4}); }, {1, 2, 3, 4}, 1},
    {"same Margin", {1, 2, 3, 4}, [](TcxMargin& X) { X.SetMargin(TRect{1, 2, 3, 4}); }, {1, 2, 3, 4}, 0},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto X = NewMargin();
    X->SetMargin(C.Start);
    GeometryChangeCounter Counter;
    X->SetOnChange(Counter.Handler());
    C.Write(*X);
    EXPECT_EQ(AsArray(X->GetMargin()), C.Expected);
    EXPECT_EQ(Counter.Count, C.Changes);
    EXPECT_EQ(Counter.LastSender, C.Changes ? X.get() : nullptr);
  }
}

TEST(cxMargin, StoredValuesAndReadingThemBack)
{
  struct Case {
    int Default;
    TRect Sides;
    // All, Left, Top, Right, Bottom.
    std::array<bool, 5> Stored;
  };
  const Case Cases[] = {
    {0, {0, 0, 0, 0}, {false, false, false, false, false}},
    {3, {3, 3, 3, 3}, {false, false, false, false, false}},
    {3, {0, 0, 0, 0}, {true, false, false, false, false}},
    {0, {5, 5, 5, 5}, {true, false, false, false, false}},
    {0, {2, 3, 2, 2}, {true, true, true, true, true}},
    {-1, {2, 3, 2, 2}, {false, true, true, true, true}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::Message() << "default " << C.Default << " " << testing::PrintToString(AsArray(C.Sides)));
    auto X = NewMargin(C.Default);
    X->SetMargin(C.Sides);
    std::array<bool, 5> Stored;
    for (int I = 0; I < 5; ++I)
      Stored[I] = X->IsValueStored(I);
    EXPECT_EQ(Stored, C.Stored);

    // A reader writes the stored values back in their published order into a
    // fresh margin with the same default and must end at the same sides.
    auto Y = NewMargin(C.Default);
    for (int I = 0; I < 5; ++I)
      if (Stored[I])
        Y->SetValue(I, X->GetValue(I));
    EXPECT_EQ(AsArray(Y->GetMargin()), AsArray(C.Sides));
  }
}

TEST(cxMargin, IsEqualComparesAllFourSides)
{
  auto X = NewMargin();
  X->SetMargin(TRect{1, 2, 3, 4});
  auto Y = NewMargin();
  Y->SetMargin(TRect{1, 2, 3, 4});
  EXPECT_TRUE(X->IsEqual(Y.get()));
  Y->SetBottom(5);
  EXPECT_FALSE(X->IsEqual(Y.get()));
  EXPECT_FALSE(X->IsEqual(nullptr));
}

// ---------------------------------------------------------------------------
// Change of scale

TEST(cxGeometryObjects, ChangeScaleRoundsHalvesAwayFromZero)
{
  struct Case {
    const char* Name;
    Ints Start;
    int M;
    int D;
    Ints Expected;
  };
  const Case Cases[] = {
    {"3/2", {0, 0, 3, 5}, 3, 2, {0, 0, 5, 8}},
    {"3/2 negative", {-3, -1, 1, 3}, 3, 2, {-5, -2, 2, 5}},
    {"1/2", {1, 3, 5, 7}, 1, 2, {1, 2, 3, 4}},
    {"2/1", {1, 2, 3, 4}, 2, 1, {2, 4, 6, 8}},
    {"1:1", {1, 2, 3, 4}, 5, 5, {1, 2, 3, 4}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    const TRect Start{C.Start[0], C.Start[1], C.Start[2], C.Start[3]};
    const int ExpectedChanges = C.Start == C.Expected ? 0 : 1;

    // The rectangle notifies through its setter ...
    auto R = NewRect(Start);
    GeometryChangeCounter RectCounter;
    R->SetOnChange(RectCounter.Handler());
    R->ChangeScale(C.M, C.D);
    EXPECT_EQ(AsArray(R->GetRect()), C.Expected);
    EXPECT_EQ(RectCounter.Count, ExpectedChanges);

    // ... the margins change silently: their owner reports the rescale.
    auto G = NewMargin();
    G->SetMargin(Start);
    GeometryChangeCounter MarginCounter;
    G->SetOnChange(MarginCounter.Handler());
    G->ChangeScale(C.M, C.D);
    EXPECT_EQ(AsArray(G->GetMargin()), C.Expected);
    EXPECT_EQ(MarginCounter.Count, 0);
  }
}

TEST(cxSize, ChangeScaleNotifiesThroughTheSetter)
{
  struct Case {
    TSize Start;
    int M;
    int D;
    std::array<long, 2> Expected;
    int Changes;
  };
  const Case Cases[] = {
    {{3, 5}, 3, 2, {5, 8}, 1}, {{3, 5}, 1, 2, {2, 3}, 1}, {{3, 5}, 4, 4, {3, 5}, 0}, {{0, 0}, 2, 1, {0, 0}, 0},
    // A negative factor would give negative components; they stop at 0.
    {{3, 5}, -1, 1, {0, 0}, 1},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::Message() << testing::PrintToString(AsArray(C.Start)) << " by " << C.M << "/" << C.D);
    auto S = NewSize(C.Start.cx, C.Start.cy);
    GeometryChangeCounter Counter;
    S->SetOnChange(Counter.Handler());
    S->ChangeScale(C.M, C.D);
    EXPECT_EQ(AsArray(S->GetSize()), C.Expected);
    EXPECT_EQ(Counter.Count, C.Changes);
  }
}

// An owner rescales its geometry from its scale factor's notification.
struct ScaledOwner {
  TcxRect* Rect;
  void ScaleChanged(rtl::TObject* /*Sender*/, int M, int D, bool /*IsLoading*/) { Rect->ChangeScale(M, D); }
};

TEST(cxGeometryObjects, FollowsTheOwnersScaleFactor)
{
  auto R = NewRect(TRect{0, 0, 16, 16});
  ScaledOwner Owner{R.get()};
  rtl::TOwnedPtr<TdxScaleFactor> Factor(rtl::New<TdxScaleFactor>());
  Factor->ListenerAdd(TdxScaleFactorNotifyEvent::Bind<&ScaledOwner::ScaleChanged>(&Owner));

  Factor->Assign(3, 2, false);
  EXPECT_EQ(AsArray(R->GetRect()), (Ints{0, 0, 24, 24}));
  Factor->Assign(2, 1, false);
  EXPECT_EQ(AsArray(R->GetRect()), (Ints{0, 0, 32, 32}));
  Factor->Assign(1, 1, false);
  EXPECT_EQ(AsArray(R->GetRect()), (Ints{0, 0, 16, 16}));
}

// ---------------------------------------------------------------------------
// Assign

TEST(cxGeometryObjects, AssignCopiesOnlyWithinTheClassFamily)
{
  enum Kind { kRect, kNormalizedRect, kSize, kMargin };
  auto Make = [](Kind AKind) -> rtl::TOwnedPtr<TcxGeometryObject> {
    switch (AKind) {
      case kRect:
        return rtl::TOwnedPtr<TcxGeometryObject>(NewRect(TRect{1, 2, 3, 4}).release());
      case kNormalizedRect: {
        rtl::TOwnedPtr<TcxGeometryObject> Result(rtl::New<TNormalizedRect>(nullptr));
        static_cast<TcxRect*>(Result.get())->SetRect(TRect{5, 6, 7, 8});
        return Result;
      }
      case kSize: {
        auto Result = NewSize(9, 10);
        return rtl::TOwnedPtr<TcxGeometryObject>(Result.release());
      }
      default: {
        auto Result = NewMargin(11);
        return rtl::TOwnedPtr<TcxGeometryObject>(Result.release());
      }
    }
  };
  // Each object's value as four numbers, so that any pair can be compared.
  auto Value = [](TcxGeometryObject* X) -> Ints {
    if (auto* R = rtl::Is<TcxRect>(X) ? static_cast<TcxRect*>(X) : nullptr)
      return AsArray(R->GetRect());
    if (rtl::Is<TcxSize>(X)) {
      const TSize S = static_cast<TcxSize*>(X)->GetSize();
      return {S.cx, S.cy, 0, 0};
    }
    return AsArray(static_cast<TcxMargin*>(X)->GetMargin());
  };
  struct Case {
    Kind Dest;
    Kind Source;
    bool Copies;
  };
  const Case Cases[] = {
    {kRect, kRect, true},     {kRect, kNormalizedRect, true}, {kNormalizedRect, kRect, true},
    {kRect, kSize, false},    {kRect, kMargin, false},        {kSize, kRect, false},
    {kSize, kMargin, false},  {kMargin, kRect, false},        {kMargin, kSize, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::Message() << "dest " << C.Dest << " source " << C.Source);
    auto Dest = Make(C.Dest);
    auto Source = Make(C.Source);
    // Same class: give the source another value so that a copy shows.
    if (C.Dest == C.Source)
      static_cast<TcxRect*>(Source.get())->SetRect(TRect{0, 0, 9, 9});
    const Ints Before = Value(Dest.get());
    GeometryChangeCounter Counter;
    Dest->SetOnChange(Counter.Handler());

    EXPECT_NO_THROW(Dest->Assign(Source.get()));
    EXPECT_EQ(Value(Dest.get()), C.Copies ? Value(Source.get()) : Before);
    EXPECT_EQ(Counter.Count, C.Copies ? 1 : 0);
  }
}

TEST(cxGeometryObjects, AssignFromOtherPersistentsRaises)
{
  rtl::TOwnedPtr<rtl::TPersistent> Plain(rtl::New<rtl::TPersistent>());
  auto Size = NewSize(1, 1);
  EXPECT_THROW(Size->Assign(Plain.get()), rtl::EConvertError);
  try {
    Size->Assign(nullptr);
    ADD_FAILURE() << "nil was assigned";
  } catch (const rtl::EConvertError& E) {
    EXPECT_EQ(E.Message(), L"Cannot assign a nil to a TcxSize");
  }
  EXPECT_EQ(AsArray(Size->GetSize()), (std::array<long, 2>{1, 1}));
}

// ---------------------------------------------------------------------------
// Stream images

TEST(cxGeometryObjects, StreamImagesAreRawLittleEndianIntegers)
{
  struct Case {
    const char* Name;
    std::function<rtl::TOwnedPtr<TcxGeometryObject>()> Make;
    std::function<void(TcxGeometryObject&)> SetValue;
    std::vector<std::int32_t> Image;
  };
  const std::vector<Case> Cases = {
    {"rect", [] { return rtl::TOwnedPtr<TcxGeometryObject>(NewRect().release()); },
     [](TcxGeometryObject& X) { static_cast<TcxRect&>(X).SetRect(TRect{-1, 2, 300000, -70000}); },
     {-1, 2, 300000, -70000}},
    {"size", [] { return rtl::TOwnedPtr<TcxGeometryObject>(NewSize().release()); },
     [](TcxGeometryObject& X) { static_cast<TcxSize&>(X).SetSize(TSize{640, 480}); }, {640, 480}},
    {"margin", [] { return rtl::TOwnedPtr<TcxGeometryObject>(NewMargin().release()); },
     [](TcxGeometryObject& X) { static_cast<TcxMargin&>(X).SetMargin(TRect{1, -2, 3, 65536}); },
     {1, -2, 3, 65536}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto Source = C.Make();
    C.SetValue(*Source);
    rtl::TOwnedPtr<rtl::TMemoryStream> Stream(rtl::New<rtl::TMemoryStream>());
    Source->SaveToStream(Stream.get());

    const int Bytes = static_cast<int>(C.Image.size() * sizeof(std::int32_t));
    ASSERT_EQ(Stream->GetSize(), Bytes);
    std::vector<std::uint8_t> Expected(Bytes);
    for (std::size_t I = 0; I < C.Image.size(); ++I)
      for (int B = 0; B < 4; ++B)
        Expected[I * 4 + B] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(C.Image[I]) >> (8 * B));
    EXPECT_EQ(std::memcmp(Stream->Memory(), Expected.data(), Bytes), 0);

    // Loading writes through the setter: it notifies once, and not at all
    // when the value is already there.
    auto Target = C.Make();
    GeometryChangeCounter Counter;
    Target->SetOnChange(Counter.Handler());
    Stream->SetPosition(0);
    Target->LoadFromStream(Stream.get());
    EXPECT_EQ(Counter.Count, 1);
    Stream->SetPosition(0);
    Target->LoadFromStream(Stream.get());
    EXPECT_EQ(Counter.Count, 1);
    EXPECT_EQ(Stream->GetPosition(), Bytes);

    // A short stream raises and leaves the value alone.
    auto Short = C.Make();
    Stream->SetSize(Bytes - 1);
    Stream->SetPosition(0);
    EXPECT_THROW(Short->LoadFromStream(Stream.get()), rtl::EReadError);
    rtl::TOwnedPtr<rtl::TMemoryStream> Fresh(rtl::New<rtl::TMemoryStream>());
    Short->SaveToStream(Fresh.get());
    rtl::TOwnedPtr<rtl::TMemoryStream> Blank(rtl::New<rtl::TMemoryStream>());
    C.Make()->SaveToStream(Blank.get());
    EXPECT_EQ(std::memcmp(Fresh->Memory(), Blank->Memory(), Bytes), 0);
  }
}

}  // namespace

TEST(TcxRect, IsRegisteredForStreamingByClassName)
{
  // The core units, this one among them, are started by the test program.
  EXPECT_EQ(rtl::GetClass(L"TcxRect"), rtl::TPersistentClass::Of<TcxRect>());
}
