// Scale factors: exact fractions, MulDiv rounding (halves away from zero),
// listeners told the relative change, and owned factors following an owner.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <functional>
#include <vector>

#include "core/cxGeometry.h"
#include "core/dxCore.h"

namespace {

rtl::TOwnedPtr<TdxScaleFactor> NewFactor(int N = 1, int D = 1)
{
  rtl::TOwnedPtr<TdxScaleFactor> Result(rtl::New<TdxScaleFactor>());
  Result->Assign(N, D, false);
  return Result;
}

std::array<long, 2> ScaleAsArray(const TPoint& P)
{
  return {P.x, P.y};
}

std::array<long, 2> ScaleAsArray(const TSize& S)
{
  return {S.cx, S.cy};
}

std::array<long, 4> ScaleAsArray(const TRect& R)
{
  return {R.left, R.top, R.right, R.bottom};
}

struct Notification {
  int M;
  int D;
  bool IsLoading;
  bool operator==(const Notification&) const = default;
};

// Records what it is told and then runs an optional action, which is how
// tests make a listener change the list during the walk.
struct Listener {
  std::vector<Notification> Calls;
  std::function<void()> Action;

  void Notify(rtl::TObject* /*Sender*/, int M, int D, bool IsLoading)
  {
    Calls.push_back({M, D, IsLoading});
    if (Action)
      Action();
  }
  TdxScaleFactorNotifyEvent Handler() { return TdxScaleFactorNotifyEvent::Bind<&Listener::Notify>(this); }
};

TEST(cxReduceFraction, ReducesPositiveValuesAndLeavesOthers)
{
  struct Row {
    int N, D, ExpectedN, ExpectedD;
  };
  const Row Rows[] = {
      {96, 144, 2, 3},  {120, 96, 5, 4},      {144, 96, 3, 2}, {7, 7, 1, 1},     {1, 5, 1, 5},
      {17, 13, 17, 13}, {1000000, 250000, 4, 1}, {0, 5, 0, 5},  {-4, 2, -4, 2},  {6, -3, 6, -3},
  };
  for (const Row& R : Rows) {
    int N = R.N;
    int D = R.D;
    cxReduceFraction(N, D);
    EXPECT_EQ(N, R.ExpectedN) << R.N << "/" << R.D;
    EXPECT_EQ(D, R.ExpectedD) << R.N << "/" << R.D;
  }
}

TEST(TdxScaleFactor, StartsOneToOneAndReturnsValuesUnchanged)
{
  auto F = NewFactor();
  EXPECT_FALSE(F->GetAssigned());
  EXPECT_EQ(F->GetNumerator(), 1);
  EXPECT_EQ(F->GetDenominator(), 1);
  // Values MulDiv could not scale come back untouched at 1:1.
  for (int V : {0, 7, -7, INT_MAX, INT_MIN}) {
    EXPECT_EQ(F->Apply(V), V);
    EXPECT_EQ(F->Revert(V), V);
  }
  EXPECT_EQ(ScaleAsArray(F->Apply(TRect{INT_MIN, -3, 5, INT_MAX})), (std::array<long, 4>{INT_MIN, -3, 5, INT_MAX}));
  EXPECT_DOUBLE_EQ(F->ApplyF(0.3), 0.3);
  EXPECT_DOUBLE_EQ(F->RevertF(0.3), 0.3);
}

// Integer scaling is MulDiv: to nearest, halves away from zero, also for
// negative values. Float scaling is exact: V x N / D with no rounding.
TEST(TdxScaleFactor, AppliesAndRevertsWithMulDivRounding)
{
  struct Case {
    int V, Applied, Reverted;
  };
  struct Row {
    int N, D;
    std::vector<Case> Cases;
  };
  const Row Rows[] = {
      {144, 96, {{10, 15, 7}, {5, 8, 3}, {-5, -8, -3}, {1, 2, 1}, {8, 12, 5}, {-1, -2, -1}, {3, 5, 2}, {0, 0, 0}}},
      {192, 96, {{7, 14, 4}, {-7, -14, -4}, {5, 10, 3}, {1, 2, 1}}},
      {120, 96, {{2, 3, 2}, {-2, -3, -2}, {10, 13, 8}, {5, 6, 4}, {-10, -13, -8}, {1, 1, 1}}},
  };
  for (const Row& R : Rows) {
    auto F = NewFactor(R.N, R.D);
    for (const Case& C : R.Cases) {
      EXPECT_EQ(F->Apply(C.V), C.Applied) << R.N << "/" << R.D << " V=" << C.V;
      EXPECT_EQ(F->Revert(C.V), C.Reverted) << R.N << "/" << R.D << " V=" << C.V;
    }
    // Points, sizes and rectangles scale each coordinate by the same rule.
    for (std::size_t I = 0; I + 3 < R.Cases.size(); ++I) {
      const Case& A = R.Cases[I];
      const Case& B = R.Cases[I + 1];
      const Case& C = R.Cases[I + 2];
      const Case& E = R.Cases[I + 3];
      EXPECT_EQ(ScaleAsArray(F->Apply(TPoint{A.V, B.V})), (std::array<long, 2>{A.Applied, B.Applied}));
      EXPECT_EQ(ScaleAsArray(F->Revert(TPoint{A.V, B.V})), (std::array<long, 2>{A.Reverted, B.Reverted}));
      EXPECT_EQ(ScaleAsArray(F->Apply(TSize{C.V, E.V})), (std::array<long, 2>{C.Applied, E.Applied}));
      EXPECT_EQ(ScaleAsArray(F->Revert(TSize{C.V, E.V})), (std::array<long, 2>{C.Reverted, E.Reverted}));
      EXPECT_EQ(ScaleAsArray(F->Apply(TRect{A.V, B.V, C.V, E.V})),
                (std::array<long, 4>{A.Applied, B.Applied, C.Applied, E.Applied}));
      EXPECT_EQ(ScaleAsArray(F->Revert(TRect{A.V, B.V, C.V, E.V})),
                (std::array<long, 4>{A.Reverted, B.Reverted, C.Reverted, E.Reverted}));
    }
  }

  struct FloatRow {
    int N, D;
    double V, Applied, Reverted;
  };
  const FloatRow FloatRows[] = {{3, 2, 5, 7.5, 10.0 / 3}, {2, 1, -1.25, -2.5, -0.625}, {5, 4, 1, 1.25, 0.8}};
  for (const FloatRow& R : FloatRows) {
    auto F = NewFactor(R.N, R.D);
    EXPECT_DOUBLE_EQ(F->ApplyF(R.V), R.Applied);
    EXPECT_DOUBLE_EQ(F->RevertF(R.V), R.Reverted);
  }
}

TEST(TdxScaleFactor, AppliesFromAnotherScale)
{
  struct Row {
    int N, D, SourceN, SourceD, V, Expected;
  };
  const Row Rows[] = {
      {3, 2, 3, 2, 9, 9},     // same scale: unchanged
      {1, 1, 3, 2, 9, 6},     // from 3/2 down to 1:1
      {2, 1, 3, 2, 9, 12},    // 2/1 over 3/2 is 4/3
      {5, 4, 2, 1, 5, 3},     // 5/8 of 5 is 3.125
      {3, 2, 5, 4, 5, 6},     // 6/5 of 5
      {2, 1, 3, 2, -3, -4},   // -4 exactly
      {1, 1, 2, 1, -3, -2},   // -1.5: away from zero
      {6, 4, 9, 6, INT_MAX, INT_MAX},  // equal ratios in other terms: unchanged
  };
  for (const Row& R : Rows) {
    auto F = NewFactor(R.N, R.D);
    auto Source = NewFactor(R.SourceN, R.SourceD);
    EXPECT_EQ(F->Apply(R.V, R.SourceN, R.SourceD), R.Expected) << R.N << "/" << R.D << " from " << R.SourceN << "/" << R.SourceD;
    EXPECT_EQ(F->Apply(R.V, Source.get()), R.Expected);
    EXPECT_EQ(ScaleAsArray(F->Apply(TPoint{R.V, -R.V}, Source.get())), (std::array<long, 2>{R.Expected, -R.Expected}));
    EXPECT_EQ(ScaleAsArray(F->Apply(TSize{R.V, 0}, R.SourceN, R.SourceD)), (std::array<long, 2>{R.Expected, 0}));
    EXPECT_EQ(ScaleAsArray(F->Apply(TRect{R.V, 0, -R.V, 0}, Source.get())),
              (std::array<long, 4>{R.Expected, 0, -R.Expected, 0}));
  }
  // A missing source is read as a value at 96 DPI.
  auto F = NewFactor(3, 2);
  EXPECT_EQ(F->Apply(5, nullptr), 8);
}

TEST(TdxScaleFactor, ListenersAreToldTheRelativeChange)
{
  struct Step {
    enum { Assign, Change } Kind;
    int N, D;
    bool IsLoading;
    int ExpectedN, ExpectedD;
    std::vector<Notification> Told;
  };
  const Step Steps[] = {
      {Step::Assign, 144, 96, false, 3, 2, {{3, 2, false}}},
      {Step::Assign, 192, 96, false, 2, 1, {{4, 3, false}}},   // 2/1 over 3/2
      {Step::Assign, 4, 2, false, 2, 1, {}},                  // same ratio
      {Step::Assign, 96, 96, true, 1, 1, {{1, 2, true}}},      // loading passes through
      {Step::Assign, 96, 96, false, 1, 1, {}},
      {Step::Change, 5, 4, false, 5, 4, {{5, 4, false}}},
      {Step::Assign, 120, 96, false, 5, 4, {}},
      {Step::Change, 2, 5, false, 1, 2, {{4, 10, false}}},     // the products, unreduced
      {Step::Change, 3, 3, false, 1, 2, {}},
  };
  auto F = NewFactor();
  Listener L;
  F->ListenerAdd(L.Handler());
  for (const Step& S : Steps) {
    L.Calls.clear();
    if (S.Kind == Step::Assign)
      F->Assign(S.N, S.D, S.IsLoading);
    else
      F->Change(S.N, S.D);
    EXPECT_EQ(F->GetNumerator(), S.ExpectedN) << S.N << "/" << S.D;
    EXPECT_EQ(F->GetDenominator(), S.ExpectedD) << S.N << "/" << S.D;
    EXPECT_EQ(L.Calls, S.Told) << S.N << "/" << S.D;
  }

  auto Source = NewFactor(3, 2);
  L.Calls.clear();
  F->Assign(Source.get());
  EXPECT_EQ(L.Calls, (std::vector<Notification>{{6, 2, false}}));  // 3/2 over 1/2
  F->Assign(nullptr);
  EXPECT_FALSE(F->GetAssigned());
  F->ListenerRemove(L.Handler());
}

TEST(TdxScaleFactor, EqualsComparesRatios)
{
  auto F = NewFactor(3, 2);
  const auto Same = NewFactor(6, 4);
  const auto Other = NewFactor(2, 1);
  rtl::TOwnedPtr<rtl::TObject> Plain(rtl::New<rtl::TObject>());
  EXPECT_TRUE(F->Equals(Same.get()));
  EXPECT_TRUE(F->Equals(F.get()));
  EXPECT_FALSE(F->Equals(Other.get()));
  EXPECT_FALSE(F->Equals(Plain.get()));
  EXPECT_FALSE(F->Equals(nullptr));
}

TEST(TdxScaleFactor, DuplicateListenerRaisesAndAddsNothing)
{
  auto F = NewFactor();
  Listener A, B;
  F->ListenerAdd(A.Handler());
  F->ListenerAdd(B.Handler());  // same method, other object: another listener
  try {
    F->ListenerAdd(A.Handler());
    FAIL() << "no exception";
  } catch (const EdxException& E) {
    EXPECT_EQ(E.Message(), L"Listener is already registered");
  }
  F->Assign(2, 1, false);
  EXPECT_EQ(A.Calls.size(), 1u);
  EXPECT_EQ(B.Calls.size(), 1u);

  // Removing one that is not there does nothing; after the last one goes the
  // list can be filled again.
  Listener Stranger;
  F->ListenerRemove(Stranger.Handler());
  F->ListenerRemove(A.Handler());
  F->ListenerRemove(B.Handler());
  F->ListenerRemove(B.Handler());
  F->Assign(3, 1, false);
  EXPECT_EQ(A.Calls.size(), 1u);
  F->ListenerAdd(A.Handler());
  F->Assign(1, 1, false);
  EXPECT_EQ(A.Calls.size(), 2u);
}

// Regression: the walk used to read the list by an index bounded by the count
// at its start, so a listener leaving during the walk made it read past the
// end, or call a listener that had already gone away.
TEST(TdxScaleFactor, ListenersMayChangeTheListDuringTheWalk)
{
  enum Who { A, B, C, D };
  struct Row {
    const char* Name;
    std::function<void(TdxScaleFactor&, std::array<Listener, 4>&)> Arrange;
    std::array<std::size_t, 4> FirstCalls;
    std::array<std::size_t, 4> AfterSecondChange;
  };
  const Row Rows[] = {
      {"B removes itself",
       [](TdxScaleFactor& F, std::array<Listener, 4>& L) {
         L[B].Action = [F = &F, L = &L] { F->ListenerRemove((*L)[B].Handler()); };
       },
       {1, 1, 1, 0},
       {2, 1, 2, 0}},
      {"A removes B before its turn",
       [](TdxScaleFactor& F, std::array<Listener, 4>& L) {
         L[A].Action = [F = &F, L = &L] { F->ListenerRemove((*L)[B].Handler()); };
       },
       {1, 0, 1, 0},
       {2, 0, 2, 0}},
      {"C removes A after its turn",
       [](TdxScaleFactor& F, std::array<Listener, 4>& L) {
         L[C].Action = [F = &F, L = &L] { F->ListenerRemove((*L)[A].Handler()); };
       },
       {1, 1, 1, 0},
       {1, 2, 2, 0}},
      {"A removes everyone",
       [](TdxScaleFactor& F, std::array<Listener, 4>& L) {
         L[A].Action = [F = &F, L = &L] {
           for (Listener& Each : *L)
             F->ListenerRemove(Each.Handler());
         };
       },
       {1, 0, 0, 0},
       {1, 0, 0, 0}},
      {"B adds D, which hears only the next change",
       [](TdxScaleFactor& F, std::array<Listener, 4>& L) {
         L[B].Action = [F = &F, L = &L, Done = false]() mutable {
           if (!Done)
             F->ListenerAdd((*L)[D].Handler());
           Done = true;
         };
       },
       {1, 1, 1, 0},
       {2, 2, 2, 1}},
  };
  for (const Row& R : Rows) {
    auto F = NewFactor();
    std::array<Listener, 4> L;
    for (int I : {A, B, C})
      F->ListenerAdd(L[I].Handler());
    R.Arrange(*F, L);
    F->Assign(2, 1, false);
    std::array<std::size_t, 4> Counts;
    for (int I = 0; I < 4; ++I)
      Counts[I] = L[I].Calls.size();
    EXPECT_EQ(Counts, R.FirstCalls) << R.Name;
    F->Assign(3, 1, false);
    for (int I = 0; I < 4; ++I)
      Counts[I] = L[I].Calls.size();
    EXPECT_EQ(Counts, R.AfterSecondChange) << R.Name;
    for (Listener& Each : L) {
      Each.Action = nullptr;
      F->ListenerRemove(Each.Handler());
    }
  }
}

TEST(TdxOwnedScaleFactor, FollowsItsOwnerUntilAssignedByHand)
{
  auto Owner = NewFactor(2, 1);
  rtl::TOwnedPtr<TdxOwnedScaleFactor> Owned(rtl::New<TdxOwnedScaleFactor>());
  EXPECT_TRUE(Owned->GetUseOwnerValue());
  Listener L;
  Owned->ListenerAdd(L.Handler());

  Owned->SetOwner(Owner.get());
  EXPECT_EQ(Owned->GetOwner(), Owner.get());
  EXPECT_TRUE(Owned->Equals(Owner.get()));
  EXPECT_TRUE(Owned->GetUseOwnerValue());

  Owner->Assign(5, 2, false);
  EXPECT_EQ(Owned->GetNumerator(), 5);
  EXPECT_EQ(Owned->GetDenominator(), 2);
  EXPECT_TRUE(Owned->GetUseOwnerValue());
  // The owner's loading state reaches the owned factor's listeners.
  Owner->Assign(3, 1, true);
  EXPECT_EQ(L.Calls, (std::vector<Notification>{{2, 1, false}, {5, 4, false}, {6, 5, true}}));

  Owned->Assign(1, 1, false);
  EXPECT_FALSE(Owned->GetUseOwnerValue());
  Owner->Assign(4, 1, false);
  EXPECT_FALSE(Owned->GetAssigned());

  Owned->SetUseOwnerValue(true);
  EXPECT_EQ(Owned->GetNumerator(), 4);
  EXPECT_TRUE(Owned->GetUseOwnerValue());

  // Loading does not detach it.
  Owned->Assign(7, 1, true);
  EXPECT_TRUE(Owned->GetUseOwnerValue());

  Owned->SetOwner(Owned.get());
  EXPECT_EQ(Owned->GetOwner(), Owner.get());
  Owned->ListenerRemove(L.Handler());
}

TEST(TdxOwnedScaleFactor, LeavesItsOldOwnerAndFreesCleanly)
{
  auto First = NewFactor(2, 1);
  auto Second = NewFactor(3, 2);
  rtl::TOwnedPtr<TdxOwnedScaleFactor> Owned(rtl::New<TdxOwnedScaleFactor>());
  Owned->SetOwner(First.get());
  Owned->SetOwner(Second.get());
  EXPECT_EQ(Owned->GetNumerator(), 3);
  First->Assign(5, 1, false);
  EXPECT_EQ(Owned->GetNumerator(), 3);

  Owned.reset();
  // Its handler went with it: changing the former owner reaches nobody.
  Second->Assign(1, 1, false);
  // Registering a fresh handler shows the owner's list held nothing else.
  Listener L;
  Second->ListenerAdd(L.Handler());
  Second->Assign(2, 1, false);
  EXPECT_EQ(L.Calls.size(), 1u);
  Second->ListenerRemove(L.Handler());

  rtl::TOwnedPtr<TdxOwnedScaleFactor> Detached(rtl::New<TdxOwnedScaleFactor>());
  Detached->SetOwner(nullptr);
  EXPECT_FALSE(Detached->GetAssigned());
}

}  // namespace
