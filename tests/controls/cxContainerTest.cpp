#include "controls/cxContainer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/vcl/StdCtrls.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestHost.h"

namespace {

using State = TcxContainerStateItem;
using Border = TcxContainerBorderStyle;

// A real EDIT hosted by a container, passing its default handling to it
// first as the editors' inner edits do.
class TContainerTestInnerEdit : public vcl::TEdit, public IcxContainerInnerControl {
  RTL_CLASS(TContainerTestInnerEdit, vcl::TEdit)
  RTL_INTERFACES(IcxContainerInnerControl)

 public:
  vcl::TWinControl* __stdcall GetControl() override { return this; }
  TcxContainer* __stdcall GetControlContainer() override { return Container; }
  void DefaultHandler(rtl::TMessage& AMessage) override
  {
    if (!Container || !Container->InnerControlDefaultHandler(AMessage))
      inherited::DefaultHandler(AMessage);
  }
  TcxContainer* Container = nullptr;

 protected:
  // The container paints the focused frame: it learns of the inner
  // window's focus changes.
  void WndProc(rtl::TMessage& AMessage) override
  {
    inherited::WndProc(AMessage);
    if ((AMessage.Msg == WM_SETFOCUS || AMessage.Msg == WM_KILLFOCUS) && Container)
      Container->ShortRefreshContainer(false);
  }
};

// The same around a multi-line EDIT with a vertical scroll bar.
class TContainerTestInnerMemo : public vcl::TMemo, public IcxContainerInnerControl {
  RTL_CLASS(TContainerTestInnerMemo, vcl::TMemo)
  RTL_INTERFACES(IcxContainerInnerControl)

 public:
  vcl::TWinControl* __stdcall GetControl() override { return this; }
  TcxContainer* __stdcall GetControlContainer() override { return Container; }
  TcxContainer* Container = nullptr;
};

// A container with an inner edit; the look and feel is fixed so that the
// frame does not depend on the prefix's theme.
class TContainerTestEditor : public TcxContainer {
  RTL_CLASS(TContainerTestEditor, TcxContainer)

 public:
  void Create(rtl::TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    GetStyle()->GetLookAndFeel()->SetNativeStyle(false);
    GetStyle()->GetLookAndFeel()->SetKind(TcxLookAndFeelKind::lfUltraFlat);
    Edit = rtl::New<TContainerTestInnerEdit>(this);
    Edit->Container = this;
    Edit->SetBorderStyle(vcl::TBorderStyle::bsNone);
    Edit->SetParent(this);
    SetInnerControl(Edit);
  }
  TContainerTestInnerEdit* Edit;
};

class TContainerTestMemoEditor : public TcxContainer {
  RTL_CLASS(TContainerTestMemoEditor, TcxContainer)

 public:
  void Create(rtl::TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    GetStyle()->GetLookAndFeel()->SetNativeStyle(false);
    GetStyle()->GetLookAndFeel()->SetScrollbarMode(TdxScrollbarMode::sbmClassic);
    Memo = rtl::New<TContainerTestInnerMemo>(this);
    Memo->Container = this;
    Memo->SetBorderStyle(vcl::TBorderStyle::bsNone);
    Memo->SetScrollBars(vcl::TScrollStyle::ssVertical);
    Memo->SetParent(this);
    SetInnerControl(Memo);
  }
  TContainerTestInnerMemo* Memo;

 protected:
  bool NeedsScrollBars() override { return true; }
};

class ContainerTest : public kvtest::THostedTest {
 protected:
  TContainerTestEditor* AddEditor(TRect ABounds = {10, 10, 160, 34})
  {
    auto* AEditor = AddChild<TContainerTestEditor>(ABounds);
    kvtest::PumpMessages();
    return AEditor;
  }
};

TEST_F(ContainerTest, FocusGoesToTheInnerWindow)
{
  TContainerTestEditor* AEditor = AddEditor();
  TContainerTestEditor* AOther = AddEditor({10, 50, 160, 74});
  AEditor->SetFocus();
  EXPECT_EQ(GetFocus(), AEditor->Edit->GetHandle());
  EXPECT_TRUE(AEditor->Focused());
  EXPECT_TRUE(AEditor->GetViewInfo()->ContainerState.Contains(State::csActive));

  // The container's own window passes the focus on.
  ::SetFocus(AOther->GetHandle());
  EXPECT_EQ(GetFocus(), AOther->Edit->GetHandle());
  EXPECT_FALSE(AEditor->Focused());
  EXPECT_FALSE(AEditor->GetViewInfo()->ContainerState.Contains(State::csActive));

  // A click on the frame focuses the inner window.
  SendMessageW(AEditor->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  EXPECT_EQ(GetFocus(), AEditor->Edit->GetHandle());
  EXPECT_TRUE(AEditor->GetViewInfo()->ContainerState.Contains(State::csActive));
}

TEST_F(ContainerTest, StyleReachesTheInnerWindowThroughCtlColor)
{
  TContainerTestEditor* AEditor = AddEditor();
  AEditor->GetStyle()->SetColor(vcl::clYellow);
  AEditor->GetStyle()->SetTextColor(vcl::clRed);
  AEditor->GetStyle()->GetFont()->SetName(L"Courier New");
  kvtest::PumpMessages();

  vcl::TOwnedDC ADC(CreateCompatibleDC(nullptr));
  const LRESULT ABrush = SendMessageW(AEditor->GetHandle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(ADC.Get()),
                                      reinterpret_cast<LPARAM>(AEditor->Edit->GetHandle()));
  EXPECT_NE(ABrush, 0);
  EXPECT_EQ(GetTextColor(ADC.Get()), RGB(255, 0, 0));
  EXPECT_EQ(GetBkColor(ADC.Get()), RGB(255, 255, 0));

  LOGFONTW AFont{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(AEditor->Edit->GetHandle(), WM_GETFONT, 0, 0)), sizeof(AFont),
             &AFont);
  EXPECT_STREQ(AFont.lfFaceName, L"Courier New");
}

TEST_F(ContainerTest, ControlPropertiesGoToTheNormalStyle)
{
  TContainerTestEditor* AEditor = AddEditor();
  EXPECT_FALSE(AEditor->GetStyle()->IsValueAssigned(csvColor));
  AEditor->SetColor(vcl::clAqua);
  EXPECT_TRUE(AEditor->GetStyle()->IsValueAssigned(csvColor));
  EXPECT_EQ(AEditor->GetStyle()->GetColor(), vcl::clAqua);
  EXPECT_EQ(AEditor->Edit->GetColor(), vcl::clAqua);

  EXPECT_FALSE(AEditor->GetStyle()->IsValueAssigned(csvFont));
  AEditor->SetParentFont(false);
  EXPECT_TRUE(AEditor->GetStyle()->IsValueAssigned(csvFont));
}

struct TRegionCase {
  const char* Name;
  bool TransparentBorder;
  Border BorderStyle;
  bool Shadow;
  bool HasRegion;
  // Bounds of the region; right and bottom relative to the container's.
  TRect Box;
  // Offsets from the right-bottom corner inside and outside the region.
  std::vector<POINT> Inside;
  std::vector<POINT> Outside;
};

class ContainerRegionTest : public ContainerTest, public ::testing::WithParamInterface<TRegionCase> {};

TEST_P(ContainerRegionTest, WindowRegionFollowsTheBorder)
{
  const TRegionCase& ACase = GetParam();
  TContainerTestEditor* AEditor = AddEditor({10, 10, 110, 40});
  TcxContainerStyle* AStyle = AEditor->GetStyle();
  AStyle->SetTransparentBorder(ACase.TransparentBorder);
  AStyle->SetBorderStyle(ACase.BorderStyle);
  AStyle->SetShadow(ACase.Shadow);
  kvtest::PumpMessages();

  vcl::TOwnedRegion ARegion(CreateRectRgn(0, 0, 0, 0));
  const bool AHasRegion = GetWindowRgn(AEditor->GetHandle(), ARegion.Get()) != ERROR;
  if (!ACase.HasRegion) {
    EXPECT_FALSE(AHasRegion);
    return;
  }
  ASSERT_TRUE(AHasRegion);
  RECT ABox;
  GetRgnBox(ARegion.Get(), &ABox);
  const TRect AExpected{ACase.Box.left, ACase.Box.top, 100 + ACase.Box.right, 30 + ACase.Box.bottom};
  EXPECT_EQ(ABox, AExpected);
  for (POINT P : ACase.Inside)
    EXPECT_TRUE(PtInRegion(ARegion.Get(), 100 + P.x, 30 + P.y)) << P.x << "," << P.y;
  for (POINT P : ACase.Outside)
    EXPECT_FALSE(PtInRegion(ARegion.Get(), 100 + P.x, 30 + P.y)) << P.x << "," << P.y;
}

const TRegionCase RegionCases[] = {
    // The border is drawn 1 pixel inside; the outer ring shows the parent.
    {"TransparentUltraFlat", true, Border::cbsUltraFlat, false, true, {1, 1, -1, -1}, {{-2, -2}}, {{-1, -1}}},
    {"Opaque3D", false, Border::cbs3D, false, false, {}, {}, {}},
    {"ShadowBelowAndRight", false, Border::cbsSingle, true, true, {0, 0, 0, 0}, {{-1, -1}, {-4, -4}},
     {{-1, -30}, {-100, -1}}},
};

INSTANTIATE_TEST_SUITE_P(Cases, ContainerRegionTest, ::testing::ValuesIn(RegionCases),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

struct THotTrackCase {
  const char* Name;
  bool HotTrack;
  WPARAM Keys;
  bool Hot;
};

class ContainerHotTrackTest : public ContainerTest, public ::testing::WithParamInterface<THotTrackCase> {};

TEST_P(ContainerHotTrackTest, MouseMakesItHotOnlyWithoutButtonsAndKeys)
{
  TContainerTestEditor* AEditor = AddEditor();
  AEditor->GetStyle()->SetHotTrack(GetParam().HotTrack);
  kvtest::PumpMessages();
  SendMessageW(AEditor->GetHandle(), WM_MOUSEMOVE, GetParam().Keys, MAKELPARAM(5, 5));
  EXPECT_EQ(AEditor->GetViewInfo()->ContainerState.Contains(State::csHotTrack), GetParam().Hot);
  EXPECT_EQ(AEditor->GetViewInfo()->BorderColor, GetParam().Hot ? vcl::clHighlight : vcl::clBtnShadow);
}

const THotTrackCase HotTrackCases[] = {
    {"Plain", true, 0, true},
    {"LeftButton", true, MK_LBUTTON, false},
    {"Shift", true, MK_SHIFT, false},
    {"HotTrackOff", false, 0, false},
};

INSTANTIATE_TEST_SUITE_P(Cases, ContainerHotTrackTest, ::testing::ValuesIn(HotTrackCases),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

class ContainerScrollBarsTest : public ContainerTest {
 protected:
  TContainerTestMemoEditor* AddMemoEditor()
  {
    auto* AEditor = AddChild<TContainerTestMemoEditor>({10, 10, 160, 90});
    kvtest::PumpMessages();
    return AEditor;
  }

  static void Mirror(TContainerTestMemoEditor* AEditor)
  {
    AEditor->UpdateScrollBarsParameters();
    kvtest::PumpMessages();
  }

  // The native bar's rectangle in the container's client coordinates.
  static TRect NativeBarRect(TContainerTestMemoEditor* AEditor)
  {
    SCROLLBARINFO AInfo;
    EXPECT_TRUE(cxGetScrollBarInfo(AEditor->Memo->GetHandle(), OBJID_VSCROLL, AInfo));
    return AEditor->ScreenToClient(TRect(AInfo.rcScrollBar));
  }

  static void Type(TContainerTestMemoEditor* AEditor, int ALines)
  {
    std::wstring AText;
    for (int ALine = 0; ALine < ALines; ++ALine)
      AText += L"a line\r\n";
    SendMessageW(AEditor->Memo->GetHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(AText.c_str()));
  }
};

TEST_F(ContainerScrollBarsTest, OwnBarLiesOnTheNativeOneAndTracksItsPosition)
{
  TContainerTestMemoEditor* AEditor = AddMemoEditor();
  const HWND AMemo = AEditor->Memo->GetHandle();
  Mirror(AEditor);
  IcxControlScrollBar* ABar = AEditor->GetVScrollBar();
  ASSERT_NE(ABar, nullptr);
  // The memo keeps its bar while the text fits, unavailable.
  EXPECT_TRUE(ABar->GetVisible());
  EXPECT_FALSE(ABar->GetEnabled()) << "the text fits";

  Type(AEditor, 30);
  Mirror(AEditor);
  ASSERT_TRUE(ABar->GetVisible());
  EXPECT_TRUE(ABar->GetEnabled());
  EXPECT_EQ(ABar->GetBoundsRect(), NativeBarRect(AEditor));
  EXPECT_EQ(ABar->GetPosition(), GetScrollPos(AMemo, SB_VERT));
  EXPECT_GT(ABar->GetPosition(), 0) << "typing scrolled to the caret";

  SendMessageW(AMemo, EM_LINESCROLL, 0, -100);
  Mirror(AEditor);
  EXPECT_EQ(ABar->GetPosition(), 0);
  SendMessageW(AMemo, EM_LINESCROLL, 0, 5);
  Mirror(AEditor);
  EXPECT_EQ(ABar->GetPosition(), GetScrollPos(AMemo, SB_VERT));
  EXPECT_EQ(ABar->GetPosition(), 5);
}

TEST_F(ContainerScrollBarsTest, DisabledContainerShowsItsBarDisabled)
{
  TContainerTestMemoEditor* AEditor = AddMemoEditor();
  Type(AEditor, 30);
  AEditor->SetEnabled(false);
  Mirror(AEditor);
  IcxControlScrollBar* ABar = AEditor->GetVScrollBar();
  ASSERT_TRUE(ABar->GetVisible());
  EXPECT_FALSE(ABar->GetEnabled());
}

TEST_F(ContainerScrollBarsTest, WithoutGetScrollBarInfoTheNativeBarsStay)
{
  cxSetCanGetScrollBarInfoForTest(false);
  TContainerTestMemoEditor* AEditor = AddMemoEditor();
  Type(AEditor, 30);
  Mirror(AEditor);
  cxSetCanGetScrollBarInfoForTest(true);
  EXPECT_FALSE(AEditor->GetVScrollBar()->GetVisible());
  SCROLLBARINFO AInfo;
  ASSERT_TRUE(cxGetScrollBarInfo(AEditor->Memo->GetHandle(), OBJID_VSCROLL, AInfo));
  EXPECT_EQ(AInfo.rgstate[0] & STATE_SYSTEM_INVISIBLE, 0u);
}

// Draws a few frames for review: KV_RENDER_DIR=<folder> writes
// Containers.png there.
TEST_F(ContainerTest, RendersFramesForReview)
{
  struct TFrame {
    Border BorderStyle;
    bool TransparentBorder;
    bool Shadow;
    TcxLookAndFeelKind Kind;
  };
  const TFrame AFrames[] = {{Border::cbsUltraFlat, true, false, TcxLookAndFeelKind::lfUltraFlat},
                            {Border::cbs3D, false, false, TcxLookAndFeelKind::lfStandard},
                            {Border::cbsSingle, false, true, TcxLookAndFeelKind::lfStandard},
                            {Border::cbsFlat, false, false, TcxLookAndFeelKind::lfFlat}};
  int ATop = 10;
  for (const TFrame& AFrame : AFrames) {
    TContainerTestEditor* AEditor = AddEditor({10, ATop, 170, ATop + 26});
    AEditor->GetStyle()->GetLookAndFeel()->SetKind(AFrame.Kind);
    AEditor->GetStyle()->SetBorderStyle(AFrame.BorderStyle);
    AEditor->GetStyle()->SetTransparentBorder(AFrame.TransparentBorder);
    AEditor->GetStyle()->SetShadow(AFrame.Shadow);
    // Wherever the real cursor is, the frames are drawn cold.
    AEditor->GetStyle()->SetHotTrack(false);
    AEditor->Edit->SetText(L"Container");
    ATop += 36;
  }
  FHost->SetColor(vcl::clBtnFace);
  FHost->Invalidate();
  kvtest::PumpMessages();
  UpdateWindow(FHost->GetHandle());

  rtl::TOwnedPtr<TcxBitmap> ABitmap(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(180, 160); }));
  vcl::TWindowDC AHostDC(FHost->GetHandle());
  BitBlt(ABitmap->GetcxCanvas()->GetHandle(), 0, 0, 180, 160, AHostDC.Get(), 0, 0, SRCCOPY);
  // The ultra-flat frame is one pixel inside the transparent ring.
  EXPECT_EQ(GetPixel(ABitmap->GetcxCanvas()->GetHandle(), 11, 20),
            static_cast<COLORREF>(vcl::ColorToRGB(vcl::clBtnShadow)));

  const rtl::TOwnedPtr<TdxPNGImage> APng(rtl::New<TdxPNGImage>());
  APng->LoadFromBitmap(ABitmap.get());
  if (const char* AFolder = std::getenv("KV_RENDER_DIR"))
    APng->SaveToFile(std::wstring(AFolder, AFolder + std::strlen(AFolder)) + L"\\Containers.png");
}

}  // namespace
