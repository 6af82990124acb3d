#include <gtest/gtest.h>

#include "graphics/cxGraphics.h"

using enum TcxRegionOperation;

namespace {

using Region = rtl::TOwnedPtr<TcxRegion>;

Region MakeRect(int L, int T, int R, int B)
{
  return Region(rtl::New<TcxRegion>(L, T, R, B));
}

bool SameRect(const TRect& A, const TRect& B)
{
  return A.left == B.left && A.top == B.top && A.right == B.right && A.bottom == B.bottom;
}

TEST(cxRegion, ConstructorsMakeTheirShapes)
{
  const Region empty(rtl::New<TcxRegion>());
  EXPECT_TRUE(empty->GetIsEmpty());
  EXPECT_NE(empty->GetHandle(), nullptr) << "an empty region still has a handle";
  EXPECT_TRUE(SameRect(empty->GetBoundsRect(), TRect{}));

  const Region fromRect(rtl::New<TcxRegion>(TRect{2, 3, 12, 13}));
  EXPECT_TRUE(SameRect(fromRect->GetBoundsRect(), TRect{2, 3, 12, 13}));
  EXPECT_TRUE(fromRect->PtInRegion(2, 3));
  EXPECT_FALSE(fromRect->PtInRegion(12, 13)) << "right and bottom are outside";

  const HRGN handle = CreateEllipticRgn(0, 0, 20, 20);
  {
    const Region adopted(rtl::New<TcxRegion>(handle));
    EXPECT_EQ(adopted->GetHandle(), handle);
  }
  EXPECT_EQ(GetObjectType(handle), 0u) << "an adopted handle is deleted with its region";

  // The left and top edges of a rounded region start one pixel inside.
  const Region rounded(rtl::NewWith<TcxRegion>([](TcxRegion* R) { R->CreateRoundCorners(0, 0, 10, 10, 4, 4); }));
  // GDI leaves the right and bottom edges out of rounded regions as it does
  // for ellipses; the left and top edges are where the shift shows.
  const TRect box = rounded->GetBoundsRect();
  EXPECT_EQ(box.left, 1);
  EXPECT_EQ(box.top, 1);
  EXPECT_GE(box.right, 9);
  EXPECT_LE(box.right, 10);
  EXPECT_FALSE(rounded->PtInRegion(1, 1)) << "the corner is rounded off";
  EXPECT_TRUE(rounded->PtInRegion(5, 1));
  EXPECT_TRUE(rounded->PtInRegion(1, 5));
  EXPECT_FALSE(rounded->PtInRegion(0, 5));
}

TEST(cxRegion, CombineWithEveryOperation)
{
  // Base (0, 0, 10, 10) combined with (5, 0, 15, 10); probes at x = 2, 7, 12.
  struct TCase {
    TcxRegionOperation Operation;
    bool At2, At7, At12;
  };
  const TCase cases[] = {{roSet, false, true, true},
                         {roAdd, true, true, true},
                         {roSubtract, true, false, false},
                         {roIntersect, false, true, false}};
  for (const TCase& c : cases) {
    for (int form = 0; form < 3; ++form) {
      const Region region = MakeRect(0, 0, 10, 10);
      const TRect other{5, 0, 15, 10};
      if (form == 0)
        region->Combine(other, c.Operation);
      else if (form == 1) {
        const Region source = MakeRect(5, 0, 15, 10);
        region->Combine(source->GetHandle(), c.Operation);
      } else
        region->Combine(MakeRect(5, 0, 15, 10).release(), c.Operation, true);
      const char* forms[] = {"rectangle", "handle", "object"};
      SCOPED_TRACE(std::string(forms[form]) + " operation " + std::to_string(c.Operation));
      EXPECT_EQ(region->PtInRegion(2, 5), c.At2);
      EXPECT_EQ(region->PtInRegion(7, 5), c.At7);
      EXPECT_EQ(region->PtInRegion(12, 5), c.At12);
    }
  }
}

TEST(cxRegion, CombineKeepsOrFreesTheOtherRegion)
{
  const Region region = MakeRect(0, 0, 10, 10);
  TcxRegion* kept = rtl::New<TcxRegion>(20, 20, 30, 30);
  const HRGN keptHandle = kept->GetHandle();
  const HRGN ownHandle = region->GetHandle();
  region->Combine(kept, roAdd, false);
  EXPECT_EQ(GetObjectType(keptHandle), static_cast<DWORD>(OBJ_REGION));
  EXPECT_EQ(region->GetHandle(), ownHandle) << "combining rewrites the region in place";
  EXPECT_TRUE(region->PtInRegion(25, 25));
  region->Combine(kept, roSubtract, true);
  EXPECT_EQ(GetObjectType(keptHandle), 0u) << "a destroyed region's handle is gone";
  EXPECT_FALSE(region->PtInRegion(25, 25));

  region->Combine(static_cast<TcxRegion*>(nullptr), roSet);
  EXPECT_TRUE(region->PtInRegion(5, 5)) << "combining with nil changes nothing";
}

TEST(cxRegion, CloneIsIndependent)
{
  const Region region = MakeRect(0, 0, 10, 10);
  const Region copy(region->Clone());
  EXPECT_NE(copy->GetHandle(), region->GetHandle());
  EXPECT_TRUE(copy->IsEqual(region.get()));
  copy->Offset(100, 0);
  EXPECT_TRUE(region->PtInRegion(5, 5));
  EXPECT_TRUE(copy->PtInRegion(TPoint{105, 5}));
  EXPECT_FALSE(copy->IsEqual(region.get()));
}

TEST(cxRegion, Equality)
{
  // Two empty regions are equal whatever rectangle made them.
  const Region a(rtl::New<TcxRegion>());
  const Region b = MakeRect(50, 50, 50, 80);
  EXPECT_TRUE(a->IsEqual(b.get()));
  EXPECT_FALSE(a->IsEqual(static_cast<const TcxRegion*>(nullptr)));
  const Region c = MakeRect(0, 0, 5, 5);
  const Region d = MakeRect(0, 0, 5, 5);
  EXPECT_TRUE(c->IsEqual(d.get()));
  EXPECT_TRUE(c->IsEqual(d->GetHandle()));
  EXPECT_FALSE(c->IsEqual(a.get()));
}

TEST(cxRegion, RectInRegionAndBounds)
{
  const Region region = MakeRect(0, 0, 10, 10);
  region->Combine(TRect{20, 0, 30, 10}, roAdd);
  EXPECT_TRUE(SameRect(region->GetBoundsRect(), TRect{0, 0, 30, 10}));
  EXPECT_TRUE(region->RectInRegion(TRect{8, 2, 22, 4}));
  EXPECT_FALSE(region->RectInRegion(12, 2, 18, 4)) << "the gap between the parts";
  EXPECT_TRUE(cxPointInRegion(region->GetHandle(), TPoint{25, 5}));
  EXPECT_FALSE(cxPointInRegion(region->GetHandle(), TPoint{15, 5}));
}

TEST(cxRegion, FromWindowWithoutRegionIsItsSizeAtTheOrigin)
{
  const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 300, 200, 40, 30, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  {
    const Region region(rtl::NewWith<TcxRegion>([&](TcxRegion* R) { R->CreateFromWindow(window, 0); }));
    EXPECT_TRUE(SameRect(region->GetBoundsRect(), TRect{0, 0, 40, 30}));
  }
  const HRGN shape = CreateRectRgn(0, 0, 20, 20);
  const vcl::TOwnedRegion corner(CreateRectRgn(0, 0, 5, 5));
  CombineRgn(shape, shape, corner.Get(), RGN_DIFF);
  SetWindowRgn(window, shape, FALSE);
  {
    const Region region(rtl::NewWith<TcxRegion>([&](TcxRegion* R) { R->CreateFromWindow(window, 0); }));
    EXPECT_TRUE(SameRect(region->GetBoundsRect(), TRect{0, 0, 20, 20}));
    EXPECT_FALSE(region->PtInRegion(0, 0));
  }
  DestroyWindow(window);
}

TEST(cxRegion, FreesItsHandle)
{
  HRGN handle;
  {
    const Region region = MakeRect(0, 0, 1, 1);
    handle = region->GetHandle();
    EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_REGION));
  }
  EXPECT_EQ(GetObjectType(handle), 0u);
}

}  // namespace
