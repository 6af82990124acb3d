// The list box: its defaults, the list-box messages sent to the container,
// integral height, hit tests in the container's coordinates, owner drawing
// through the container's event and the data binding's refusals. The
// disabled Render case draws a list box into ListBox.png for people to look
// at (to the folder named by KV_RENDER_DIR).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/rtl/ClassesComponents.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "platform/vcl/GraphicsHandles.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "simplecontrols/cxListBox.h"
#include "tests/support/TestHost.h"

namespace {

class TcxListBoxTestFixture : public kvtest::THostedTest {
 public:
  void DrawRed(TcxListBox* /*AControl*/, TcxCanvas* ACanvas, int AIndex, const TRect& ARect,
               vcl::TOwnerDrawState /*AState*/)
  {
    ++DrawCount;
    LastDrawnIndex = AIndex;
    ACanvas->FillRect(ARect, RGB(255, 0, 0));
  }
  void VirtualData(vcl::TWinControl* /*AControl*/, int AIndex, rtl::String& AData)
  {
    AData = L"Row " + std::to_wstring(AIndex);
  }
  void VirtualObject(vcl::TWinControl* /*AControl*/, int AIndex, rtl::TObject*& AObject)
  {
    AObject = AIndex == 7 ? ListBox : nullptr;
  }
  int VirtualFind(vcl::TWinControl* /*AControl*/, const rtl::String& AText)
  {
    return AText.rfind(L"Row ", 0) == 0 ? std::stoi(AText.substr(4)) : -1;
  }
  void MeasureTall(TcxListBox* AControl, int /*AIndex*/, int& AHeight)
  {
    MeasuredBy = AControl;
    AHeight = 30;
  }

 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    ListBox = AddChild<TcxListBox>({10, 10, 160, 150});
    for (const wchar_t* AText : {L"Alpha", L"Bravo", L"Charlie", L"Delta", L"Echo"})
      ListBox->GetItems()->Add(AText);
    kvtest::PumpMessages();
  }

  HWND InnerWindow() const { return ListBox->GetInnerListBox()->GetHandle(); }

  TcxListBox* ListBox = nullptr;
  int DrawCount = 0;
  int LastDrawnIndex = -1;
  TcxListBox* MeasuredBy = nullptr;
};

// Captures the host's window into a bitmap the case owns.
rtl::TOwnedPtr<TcxBitmap> CaptureHost(HWND AHost, int AWidth, int AHeight)
{
  rtl::TOwnedPtr<TcxBitmap> ABitmap(rtl::NewWith<TcxBitmap>([=](TcxBitmap* B) { B->CreateSize(AWidth, AHeight); }));
  vcl::TWindowDC AHostDC(AHost);
  BitBlt(ABitmap->GetcxCanvas()->GetHandle(), 0, 0, AWidth, AHeight, AHostDC.Get(), 0, 0, SRCCOPY);
  return ABitmap;
}

}  // namespace

TEST(cxListBox, Defaults)
{
  rtl::TOwnedPtr<TcxListBox> AListBox(rtl::New<TcxListBox>(nullptr));
  EXPECT_EQ(AListBox->GetWidth(), 121);
  EXPECT_EQ(AListBox->GetHeight(), 97);
  EXPECT_TRUE(AListBox->GetAutoComplete());
  EXPECT_EQ(AListBox->GetAutoCompleteDelay(), 500u);
  EXPECT_TRUE(AListBox->GetExtendedSelect());
  EXPECT_FALSE(AListBox->GetIntegralHeight());
  EXPECT_FALSE(AListBox->GetReadOnly());
  EXPECT_EQ(AListBox->GetInnerListBox()->GetListBox(), AListBox.get());
  EXPECT_EQ(AListBox->GetInnerControl(), AListBox->GetInnerListBox());
}

TEST_F(TcxListBoxTestFixture, ColumnsScrollWidthAndTabsReachTheWindow)
{
  const auto style = [this] { return static_cast<DWORD>(GetWindowLongW(InnerWindow(), GWL_STYLE)); };
  struct Case {
    const char* Name;
    int Columns, ScrollWidth, TabWidth;
    bool MultiColumn, TabStops;
  };
  const Case cases[] = {
      {"plain", 0, 0, 0, false, false},
      {"snaking columns", 3, 0, 0, true, false},
      {"a wider scroll width", 0, 400, 0, false, false},
      {"tab stops", 0, 0, 24, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    ListBox->SetColumns(c.Columns);
    ListBox->SetScrollWidth(c.ScrollWidth);
    ListBox->SetTabWidth(c.TabWidth);
    kvtest::PumpMessages();
    ListBox->GetInnerListBox()->HandleNeeded();
    EXPECT_EQ(ListBox->GetColumns(), c.Columns);
    EXPECT_EQ((style() & LBS_MULTICOLUMN) != 0, c.MultiColumn);
    EXPECT_EQ((style() & LBS_USETABSTOPS) != 0, c.TabStops);
    EXPECT_EQ(SendMessageW(InnerWindow(), LB_GETHORIZONTALEXTENT, 0, 0), c.ScrollWidth);
    EXPECT_EQ(ListBox->GetCount(), 5) << "the items survive a new window";
  }
}

TEST_F(TcxListBoxTestFixture, VirtualListsAskForTheirItems)
{
  ListBox->SetOnData(vcl::TLBGetDataEvent::Bind<&TcxListBoxTestFixture::VirtualData>(this));
  ListBox->SetOnDataObject(vcl::TLBGetDataObjectEvent::Bind<&TcxListBoxTestFixture::VirtualObject>(this));
  ListBox->SetOnDataFind(vcl::TLBFindDataEvent::Bind<&TcxListBoxTestFixture::VirtualFind>(this));
  for (vcl::TListBoxStyle AStyle : {vcl::TListBoxStyle::lbVirtual, vcl::TListBoxStyle::lbVirtualOwnerDraw}) {
    SCOPED_TRACE(static_cast<int>(AStyle));
    ListBox->SetListStyle(AStyle);
    ListBox->SetCount(1000);
    kvtest::PumpMessages();
    ListBox->GetInnerListBox()->HandleNeeded();
    EXPECT_EQ(ListBox->GetCount(), 1000);
    EXPECT_EQ(SendMessageW(InnerWindow(), LB_GETCOUNT, 0, 0), 1000);
    EXPECT_EQ(ListBox->GetItems()->GetStrings(42), L"Row 42");
    EXPECT_EQ(ListBox->GetItemText(999), L"Row 999");
    EXPECT_EQ(ListBox->IndexOfItemText(L"Row 12"), 12);
    ListBox->SetItemObject(ListBox);
    EXPECT_EQ(ListBox->GetItemIndex(), 7);
    EXPECT_EQ(ListBox->GetItemObject(), ListBox);
  }
  ListBox->SetListStyle(vcl::TListBoxStyle::lbStandard);
  ListBox->SetCount(3);
  EXPECT_EQ(ListBox->GetCount(), 0) << "a list of items is counted, not told";
}

TEST_F(TcxListBoxTestFixture, ListBoxMessagesReachTheInnerWindow)
{
  const HWND AContainer = ListBox->GetHandle();
  EXPECT_EQ(SendMessageW(AContainer, LB_GETCOUNT, 0, 0), 5);
  SendMessageW(AContainer, LB_SETCURSEL, 2, 0);
  EXPECT_EQ(ListBox->GetItemIndex(), 2);
  EXPECT_EQ(SendMessageW(InnerWindow(), LB_GETCURSEL, 0, 0), 2);
  wchar_t AText[16] = {};
  SendMessageW(AContainer, LB_GETTEXT, 3, reinterpret_cast<LPARAM>(AText));
  EXPECT_STREQ(AText, L"Delta");
}

TEST_F(TcxListBoxTestFixture, IntegralHeightSnapsToWholeRows)
{
  ListBox->SetListStyle(vcl::TListBoxStyle::lbOwnerDrawFixed);
  ListBox->GetInnerListBox()->SetItemHeight(16);
  ListBox->SetIntegralHeight(true);
  // The frame's top and bottom margins, as the list box counts them.
  ListBox->SetHeight(1);
  const int AMargins = ListBox->GetHeight() - 16;
  ASSERT_GE(AMargins, 0);
  const struct {
    int Requested;
    int Rows;
  } cases[] = {{AMargins + 6 * 16, 6}, {AMargins + 6 * 16 + 10, 6}, {10, 1}, {AMargins + 16, 1}, {AMargins + 17, 1},
               {AMargins + 31, 1},     {AMargins + 32, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Requested);
    ListBox->SetHeight(c.Requested);
    EXPECT_EQ(ListBox->GetHeight(), AMargins + c.Rows * 16);
  }
  ListBox->SetIntegralHeight(false);
  ListBox->SetHeight(AMargins + 20);
  EXPECT_EQ(ListBox->GetHeight(), AMargins + 20);
}

TEST_F(TcxListBoxTestFixture, HitTestsInTheContainersCoordinates)
{
  vcl::TWinControl* AInner = ListBox->GetInnerListBox();
  ASSERT_TRUE(AInner->GetLeft() > 0 || AInner->GetTop() > 0);
  const TRect AInnerRect = ListBox->GetInnerListBox()->ItemRect(1);
  const TRect AOuterRect = ListBox->ItemRect(1);
  EXPECT_EQ(AOuterRect.left, AInnerRect.left + AInner->GetLeft());
  EXPECT_EQ(AOuterRect.top, AInnerRect.top + AInner->GetTop());
  const TPoint AInside{AOuterRect.left + 3, AOuterRect.top + 2};
  EXPECT_EQ(ListBox->ItemAtPos(AInside, true), 1);
  EXPECT_EQ(ListBox->ItemAtPos(AInside, true),
            ListBox->GetInnerListBox()->ItemAtPos({AInside.x - AInner->GetLeft(), AInside.y - AInner->GetTop()}, true));
}

TEST_F(TcxListBoxTestFixture, ItemObjectSelectsTheItemThatHoldsIt)
{
  rtl::TOwnedPtr<rtl::TObject> AHeld(rtl::New<rtl::TObject>());
  rtl::TOwnedPtr<rtl::TObject> AStranger(rtl::New<rtl::TObject>());
  ListBox->AddItem(L"Foxtrot", AHeld.get());
  EXPECT_EQ(ListBox->GetItemObject(), nullptr);
  ListBox->SetItemObject(AHeld.get());
  EXPECT_EQ(ListBox->GetItemIndex(), 5);
  EXPECT_EQ(ListBox->GetItemObject(), AHeld.get());
  ListBox->SetItemObject(AStranger.get());
  EXPECT_EQ(ListBox->GetItemIndex(), -1);
}

TEST_F(TcxListBoxTestFixture, SelectionMovesBetweenListBoxes)
{
  TcxListBox* ATarget = AddChild<TcxListBox>({200, 10, 320, 150});
  ListBox->SetMultiSelect(true);
  ListBox->SetSelected(1, true);
  ListBox->SetSelected(3, true);
  EXPECT_EQ(ListBox->GetSelCount(), 2);
  ListBox->MoveSelection(ATarget);
  ASSERT_EQ(ATarget->GetCount(), 2);
  EXPECT_EQ(ATarget->GetItems()->GetStrings(0), L"Bravo");
  EXPECT_EQ(ATarget->GetItems()->GetStrings(1), L"Delta");
  ASSERT_EQ(ListBox->GetCount(), 3);
  EXPECT_EQ(ListBox->GetItems()->GetStrings(1), L"Charlie");
}

TEST_F(TcxListBoxTestFixture, OwnerDrawnRowsAreDrawnByTheEventAlone)
{
  ListBox->SetListStyle(vcl::TListBoxStyle::lbOwnerDrawVariable);
  ListBox->SetOnMeasureItem(TcxListBoxMeasureItemEvent::Bind<&TcxListBoxTestFixture::MeasureTall>(this));
  ListBox->SetOnDrawItem(TcxListBoxDrawItemEvent::Bind<&TcxListBoxTestFixture::DrawRed>(this));
  ListBox->GetInnerListBox()->RecreateWnd();
  kvtest::PumpMessages();
  UpdateWindow(FHost->GetHandle());
  ListBox->GetInnerListBox()->Update();
  EXPECT_GT(DrawCount, 0);
  EXPECT_EQ(MeasuredBy, ListBox);
  const TRect ARow = ListBox->ItemRect(0);
  EXPECT_EQ(ARow.bottom - ARow.top, 30);
  // The whole row is the event's: no text and no focus rectangle on it.
  rtl::TOwnedPtr<TcxBitmap> ABitmap = CaptureHost(FHost->GetHandle(), 400, 300);
  const HDC ADC = ABitmap->GetcxCanvas()->GetHandle();
  const int AX = 10 + ARow.left;
  const int AY = 10 + ARow.top;
  for (const TPoint P : {TPoint{AX + 1, AY + 1}, TPoint{AX + 8, AY + 15}, TPoint{AX + 20, AY + 28}})
    EXPECT_EQ(GetPixel(ADC, P.x, P.y), RGB(255, 0, 0)) << P.x << "," << P.y;
}

TEST_F(TcxListBoxTestFixture, ReadOnlyBindingKeepsTheSelection)
{
  ListBox->SetItemIndex(1);
  ListBox->GetInnerListBox()->SetFocus();
  const struct {
    bool ReadOnly;
    int ItemIndex;
  } cases[] = {{true, 1}, {false, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ReadOnly);
    ListBox->SetItemIndex(1);
    ListBox->SetReadOnly(c.ReadOnly);
    SendMessageW(InnerWindow(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(InnerWindow(), WM_KEYUP, VK_DOWN, 0);
    EXPECT_EQ(ListBox->GetItemIndex(), c.ItemIndex);
    // A click on the fourth row selects it only where editing is allowed.
    ListBox->SetItemIndex(1);
    const TRect ARow = ListBox->GetInnerListBox()->ItemRect(3);
    const LPARAM APoint = MAKELPARAM(ARow.left + 4, ARow.top + 2);
    SendMessageW(InnerWindow(), WM_LBUTTONDOWN, MK_LBUTTON, APoint);
    SendMessageW(InnerWindow(), WM_LBUTTONUP, 0, APoint);
    EXPECT_EQ(ListBox->GetItemIndex(), c.ReadOnly ? 1 : 3);
  }
}

TEST_F(TcxListBoxTestFixture, DISABLED_Render)
{
  ListBox->SetItemIndex(2);
  TcxListBox* AOwnerDrawn = AddChild<TcxListBox>({200, 10, 320, 150});
  AOwnerDrawn->SetListStyle(vcl::TListBoxStyle::lbOwnerDrawFixed);
  AOwnerDrawn->GetItems()->Add(L"one");
  AOwnerDrawn->GetItems()->Add(L"two");
  AOwnerDrawn->SetOnDrawItem(TcxListBoxDrawItemEvent::Bind<&TcxListBoxTestFixture::DrawRed>(this));
  FHost->SetColor(vcl::clBtnFace);
  FHost->Invalidate();
  kvtest::PumpMessages();
  UpdateWindow(FHost->GetHandle());
  rtl::TOwnedPtr<TcxBitmap> ABitmap = CaptureHost(FHost->GetHandle(), 330, 160);
  const rtl::TOwnedPtr<TdxPNGImage> APng(rtl::New<TdxPNGImage>());
  APng->LoadFromBitmap(ABitmap.get());
  if (const char* AFolder = std::getenv("KV_RENDER_DIR"))
    APng->SaveToFile(std::wstring(AFolder, AFolder + std::strlen(AFolder)) + L"\\ListBox.png");
}
