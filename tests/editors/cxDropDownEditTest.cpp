// The drop-down editors on real windows: where the popup goes against a
// work area, opening and closing by keys and by a click elsewhere, the
// combo box's filtering and picking, and the popup edit's borrowed control.
// Popups that run their own loop are ended by posted messages.
#include "editors/cxDropDownEdit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "controls/cxWindowUtils.h"
#include "editors/cxEditConsts.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/vcl/Clipbrd.h"
#include "platform/vcl/GraphicsHandles.h"
#include "tests/support/TestHost.h"
#include "tests/support/TestSupport.h"

namespace {

using enum TcxEditCloseUpReason;
using enum TdxCorner;

// A popup placed against a work area a case chooses.
class TDropDownTestPopup : public TcxComboBoxPopupWindow {
  RTL_CLASS(TDropDownTestPopup, TcxComboBoxPopupWindow)

 public:
  TRect WorkArea{0, 0, 800, 600};

 protected:
  TRect GetWorkArea(const TPoint& /*P*/) override { return WorkArea; }
};

// A panel that runs a test's step when WM_APP arrives, so that a step can
// wait in the queue behind the popup's show request.
class TDropDownTestRunner : public kvtest::TTestPanel {
  RTL_CLASS(TDropDownTestRunner, kvtest::TTestPanel)

 public:
  std::function<void()> Step;

 protected:
  void WndProc(vcl::TMessage& AMessage) override
  {
    if (AMessage.Msg == WM_APP && Step)
      Step();
    inherited::WndProc(AMessage);
  }
};

class TDropDownTestEvents : public rtl::TObject {
  RTL_CLASS(TDropDownTestEvents, rtl::TObject)

 public:
  std::vector<TcxEditCloseUpReason> Reasons;
  int InitCount = 0;
  int FinalizeCount = 0;
  void ClosePopup(rtl::TObject* /*Sender*/, TcxEditCloseUpReason AReason) { Reasons.push_back(AReason); }
  void InitPopup(rtl::TObject* /*Sender*/) { ++InitCount; }
  void FinalizePopup(rtl::TObject* /*Sender*/) { ++FinalizeCount; }
};

class cxDropDownEditTest : public kvtest::THostedTest {
 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    Events.reset(rtl::New<TDropDownTestEvents>());
    Combo = AddChild<TcxComboBox>(TRect{10, 10, 130, 31});
    TcxComboBoxProperties* properties = Combo->GetComboBoxProperties();
    properties->SetOnClosePopup(TcxEditClosePopupEvent::Bind<&TDropDownTestEvents::ClosePopup>(Events.get()));
    properties->SetOnInitPopup(rtl::TNotifyEvent::Bind<&TDropDownTestEvents::InitPopup>(Events.get()));
    properties->SetOnFinalizePopup(rtl::TNotifyEvent::Bind<&TDropDownTestEvents::FinalizePopup>(Events.get()));
    Combo->HandleNeeded();
  }
  void TearDown() override
  {
    Combo->CloseUp(crUnknown);
    THostedTest::TearDown();
  }

  void SetItems(int ACount)
  {
    rtl::TStrings* items = Combo->GetComboBoxProperties()->GetItems();
    items->Clear();
    for (int i = 0; i < ACount; ++i)
      items->Add(L"Item " + std::to_wstring(i));
  }
  void SetItems(std::initializer_list<const wchar_t*> AItems)
  {
    rtl::TStrings* items = Combo->GetComboBoxProperties()->GetItems();
    items->Clear();
    for (const wchar_t* item : AItems)
      items->Add(item);
  }
  HWND InnerWindow() { return Combo->GetInnerControl()->GetHandle(); }
  void Key(WORD AKey, bool AAlt = false)
  {
    const LPARAM data = 1 | (AAlt ? 0x20000000 : 0);
    SendMessageW(InnerWindow(), AAlt ? WM_SYSKEYDOWN : WM_KEYDOWN, AKey, data);
    SendMessageW(InnerWindow(), AAlt ? WM_SYSKEYUP : WM_KEYUP, AKey, data | 0xC0000000);
    kvtest::PumpMessages();
  }
  void Type(const wchar_t* AText)
  {
    for (const wchar_t* c = AText; *c; ++c)
      SendMessageW(InnerWindow(), WM_CHAR, *c, 1);
    kvtest::PumpMessages();
  }
  void Open()
  {
    Combo->DropDown();
    kvtest::PumpMessages();
  }
  TcxCustomEditListBox* List() { return Combo->GetLookupData()->GetList(); }
  std::vector<std::wstring> ListItems()
  {
    std::vector<std::wstring> result;
    for (int i = 0; i < List()->GetItems()->GetCount(); ++i)
      result.push_back(List()->GetListItemText(i));
    return result;
  }

  rtl::TOwnedPtr<TDropDownTestEvents> Events;
  TcxComboBox* Combo = nullptr;
};

// ---------------------------------------------------------------------------
// Placement

TEST_F(cxDropDownEditTest, PopupPlacementAgainstTheWorkArea)
{
  using enum TcxPopupAlignHorz;
  using enum TcxPopupAlignVert;
  using enum TcxPopupDirection;
  struct {
    const char* Name;
    TRect Owner;
    TcxPopupDirection Direction;
    TcxPopupAlignHorz Horz;
    TcxPopupAlignVert Vert;
    bool Shadow;
    TPoint Position;
    TdxCorner Corner;
  } const cases[] = {
      {"below the editor", {100, 100, 220, 121}, pdVertical, pahLeft, pavBottom, false, {100, 121}, coBottomRight},
      {"no room below, more above: above, grip at the top", {100, 500, 220, 521}, pdVertical, pahLeft, pavBottom,
       false, {100, 300}, coTopRight},
      {"above with a shadow: 3 pixels down over the editor", {100, 500, 220, 521}, pdVertical, pahLeft, pavBottom,
       true, {100, 303}, coTopRight},
      {"at the right edge: pushed left, grip at the left", {700, 100, 790, 121}, pdVertical, pahLeft, pavBottom,
       false, {650, 121}, coBottomLeft},
      {"right-aligned: extends leftward", {300, 100, 420, 121}, pdVertical, pahRight, pavBottom, false,
       {270, 121}, coBottomLeft},
      {"bottom-right corner of the screen", {700, 500, 790, 521}, pdVertical, pahLeft, pavBottom, false,
       {650, 300}, coTopLeft},
      {"beside the editor", {100, 100, 220, 121}, pdHorizontal, pahRight, pavTop, false, {220, 100},
       coBottomRight},
      {"beside at the left, bottom-aligned: leftward and upward", {600, 300, 720, 321}, pdHorizontal, pahLeft,
       pavBottom, false, {450, 121}, coTopLeft},
  };
  auto* popup = rtl::New<TDropDownTestPopup>(Combo);
  rtl::TOwnedPtr<TDropDownTestPopup> owned(popup);
  const TSize size{150, 200};
  for (const auto& c : cases) {
    popup->SetOwnerParent(nullptr);
    popup->SetOwnerBounds(c.Owner);
    popup->SetDirection(c.Direction);
    popup->SetAlignHorz(c.Horz);
    popup->SetAlignVert(c.Vert);
    popup->SetShadow(c.Shadow);
    TPoint position{};
    popup->CalculatePosition(size, position);
    EXPECT_EQ(position.x, c.Position.x) << c.Name;
    EXPECT_EQ(position.y, c.Position.y) << c.Name;
    EXPECT_EQ(popup->GetSizeGripCorner(), c.Corner) << c.Name;
  }
}

TEST_F(cxDropDownEditTest, SizingKeepsTheOppositeCornerAndTheOverlapWithTheEditor)
{
  auto* popup = rtl::New<TDropDownTestPopup>(Combo);
  rtl::TOwnedPtr<TDropDownTestPopup> owned(popup);
  const TRect owner{700, 500, 790, 521};
  popup->SetOwnerBounds(owner);
  popup->SetSizeable(true);
  TPoint position{};
  popup->CalculatePosition({150, 200}, position);
  ASSERT_EQ(popup->GetSizeGripCorner(), coTopLeft);
  popup->SetBounds(position.x, position.y, 150, 200);
  const TRect start = popup->GetBoundsRect();
  struct {
    const char* Name;
    int Hit, DX, DY;
    TRect Expected;
  } const cases[] = {
      {"diagonal: grows up and left", 1, -30, -40, {start.left - 30, start.top - 40, start.right, start.bottom}},
      {"vertical only", 3, -30, -40, {start.left, start.top - 40, start.right, start.bottom}},
      {"horizontal only", 4, -30, -40, {start.left - 30, start.top, start.right, start.bottom}},
      {"dragged past the editor: the left edge stops inside it", 4, 1000, 0,
       {owner.right - 1, start.top, start.right, start.bottom}},
  };
  for (const auto& c : cases) {
    const TRect R = popup->CalculateSizingBounds(c.Hit, c.DX, c.DY);
    EXPECT_EQ(R.left, c.Expected.left) << c.Name;
    EXPECT_EQ(R.top, c.Expected.top) << c.Name;
    EXPECT_EQ(R.right, c.Expected.right) << c.Name;
    EXPECT_EQ(R.bottom, c.Expected.bottom) << c.Name;
  }
}

// ---------------------------------------------------------------------------
// Opening and closing

TEST_F(cxDropDownEditTest, KeysOpenAndCloseWithTheirReasons)
{
  SetItems({L"Apple", L"Banana", L"Cherry"});
  Combo->SetFocus();
  struct {
    const char* Name;
    bool OpenFirst;
    WORD Key;
    bool Alt;
    bool OpenAfter;
    TcxEditCloseUpReason Reason;
    const wchar_t* Text;
  } const cases[] = {
      {"F4 opens", false, VK_F4, false, true, crUnknown, L""},
      {"Alt+Down opens", false, VK_DOWN, true, true, crUnknown, L""},
      {"Alt+Up opens", false, VK_UP, true, true, crUnknown, L""},
      {"F4 closes", true, VK_F4, false, false, crClose, L"Banana"},
      {"Alt+Up closes", true, VK_UP, true, false, crClose, L"Banana"},
      {"Escape closes without picking", true, VK_ESCAPE, false, false, crCancel, L""},
      {"Enter picks the highlighted item", true, VK_RETURN, false, false, crEnter, L"Banana"},
  };
  for (const auto& c : cases) {
    Combo->SetText(L"");
    if (c.OpenFirst) {
      Open();
      ASSERT_TRUE(Combo->GetDroppedDown()) << c.Name;
      Combo->GetLookupData()->SetItemIndex(1);
    }
    Events->Reasons.clear();
    Key(c.Key, c.Alt);
    EXPECT_EQ(Combo->GetDroppedDown(), c.OpenAfter) << c.Name;
    if (c.OpenFirst) {
      ASSERT_EQ(Events->Reasons.size(), 1u) << c.Name;
      EXPECT_EQ(Events->Reasons[0], c.Reason) << c.Name;
      EXPECT_EQ(Combo->GetText(), c.Text) << c.Name;
    }
    Combo->CloseUp(crUnknown);
    kvtest::PumpMessages();
  }
}

TEST_F(cxDropDownEditTest, AClickElsewhereClosesTheList)
{
  // The outside-click rule looks at the editor's form. The host hides while
  // the form shows: with two windows able to take the activation, a focus
  // event the display delivers late could hand it back to the host, and the
  // editor losing the focus closes its list. A hidden window cannot take it.
  rtl::TOwnedPtr<vcl::TForm> form(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(nullptr); }));
  form->SetBorderStyle(vcl::TFormBorderStyle::bsNone);
  form->SetBounds(30, 30, 400, 300);
  FHost->Hide();
  Combo->SetParent(form.get());
  // Whatever the assertions below decide, the editor goes back to the host
  // before the form and its windows go.
  rtl::Finally restore([this] {
    Combo->CloseUp(crUnknown);
    Combo->SetParent(FHost.get());
  });
  form->Show();
  ASSERT_TRUE(kvtest::PumpUntil([&form] { return GetForegroundWindow() == form->GetHandle(); }));
  SetItems({L"Apple", L"Banana"});
  Combo->SetFocus();
  Open();
  ASSERT_TRUE(Combo->GetDroppedDown());
  Events->Reasons.clear();
  const TPoint elsewhere = cxClientToScreenPoint(form->GetHandle(), {300, 250});
  EXPECT_FALSE(cxPopupOutsideClick(form->GetHandle(), WM_LBUTTONDOWN, elsewhere)) << "the click goes through";
  EXPECT_FALSE(Combo->GetDroppedDown());
  ASSERT_EQ(Events->Reasons.size(), 1u);
  EXPECT_EQ(Events->Reasons[0], crUnknown);
  EXPECT_FALSE(Combo->IsPopupInitialized()) << "the opening is finished";

  Open();
  ASSERT_TRUE(Combo->GetDroppedDown());
  const TPoint onEditor = cxClientToScreenPoint(Combo->GetHandle(), {5, 5});
  cxPopupOutsideClick(Combo->GetHandle(), WM_LBUTTONDOWN, onEditor);
  EXPECT_FALSE(Combo->GetDroppedDown());
  EXPECT_TRUE(Combo->GetPopupWindow()->JustClosed()) << "the press on the editor does not open it again";
}

TEST_F(cxDropDownEditTest, TheFirstKnownReasonOfAnOpeningIsKept)
{
  SetItems({L"Apple"});
  Open();
  Combo->CloseUp(crEnter);
  Combo->CloseUp(crCancel);
  ASSERT_EQ(Events->Reasons.size(), 1u);
  EXPECT_EQ(Events->Reasons[0], crEnter);
}

TEST_F(cxDropDownEditTest, AnEmptyListNeverOpens)
{
  for (const bool activated : {false, true}) {
    Combo->GetComboBoxProperties()->SetImmediateDropDownWhenActivated(activated);
    Events->InitCount = Events->FinalizeCount = 0;
    Open();
    EXPECT_FALSE(Combo->GetDroppedDown());
    EXPECT_FALSE(Combo->IsPopupShowPending());
    EXPECT_EQ(Events->InitCount, 1);
    EXPECT_EQ(Events->FinalizeCount, 1);
  }
}

// ---------------------------------------------------------------------------
// Combo box list

TEST_F(cxDropDownEditTest, ListSizeFollowsRowsWidthAndItems)
{
  TcxComboBoxProperties* properties = Combo->GetComboBoxProperties();
  const int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
  struct {
    const char* Name;
    int Items;
    int Rows;
    bool AutoWidth;
    int ShownRows;
    bool ScrollBar;
  } const cases[] = {
      {"fewer items than rows", 3, 8, true, 3, false},
      {"more items than rows: a scroll bar", 20, 8, true, 8, true},
      {"rows 0 is ignored", 20, 0, true, 8, true},
      {"not auto width: as wide as the editor", 20, 5, false, 5, true},
  };
  for (const auto& c : cases) {
    SetItems(c.Items);
    properties->SetDropDownRows(8);
    properties->SetDropDownRows(c.Rows);
    properties->SetDropDownAutoWidth(c.AutoWidth);
    Open();
    ASSERT_TRUE(Combo->GetDroppedDown()) << c.Name;
    TcxCustomEditListBox* list = List();
    const TRect client = Combo->GetPopupWindow()->GetPopupViewInfo()->ClientRect;
    EXPECT_EQ(client.bottom - client.top, c.ShownRows * list->GetItemHeight(0)) << c.Name;
    if (c.AutoWidth) {
      const int widest = list->GetItemWidth(c.Items - 1) + 4 + (c.ScrollBar ? scrollBar : 0);
      EXPECT_GE(client.right - client.left, widest) << c.Name;
    } else {
      EXPECT_EQ(Combo->GetPopupWindow()->GetWidth(), Combo->GetWidth()) << c.Name;
    }
    Combo->CloseUp(crUnknown);
    kvtest::PumpMessages();
  }
}

TEST_F(cxDropDownEditTest, IncrementalFilteringNarrowsTheList)
{
  SetItems({L"Apple", L"Apricot", L"Banana", L"Blueberry", L"Pineapple"});
  TcxComboBoxProperties* properties = Combo->GetComboBoxProperties();
  properties->SetIncrementalFiltering(true);
  struct {
    const char* Name;
    bool Contains;
    const wchar_t* Typed;
    std::vector<std::wstring> Shown;
  } const cases[] = {
      {"a prefix", false, L"ap", {L"Apple", L"Apricot"}},
      {"case does not matter", false, L"BL", {L"Blueberry"}},
      {"a prefix of two items", false, L"b", {L"Banana", L"Blueberry"}},
      {"nothing matches", false, L"x", {}},
      {"contains", true, L"app", {L"Apple", L"Pineapple"}},
      {"contains, one letter", true, L"a", {L"Apple", L"Apricot", L"Banana", L"Pineapple"}},
  };
  for (const auto& c : cases) {
    properties->SetIncrementalFilteringOptions(
        c.Contains ? TcxTextEditIncrementalFilteringOptions{TcxTextEditIncrementalFilteringOption::ifoUseContainsOperator}
                   : TcxTextEditIncrementalFilteringOptions{});
    Combo->SetText(L"");
    Combo->SetFocus();
    Open();
    ASSERT_TRUE(Combo->GetDroppedDown()) << c.Name;
    Type(c.Typed);
    EXPECT_EQ(ListItems(), c.Shown) << c.Name;
    EXPECT_TRUE(Combo->GetDroppedDown()) << c.Name << ": the list stays open";
    Combo->CloseUp(crCancel);
    kvtest::PumpMessages();
  }
}

TEST_F(cxDropDownEditTest, PickingByKeysAndByMouse)
{
  SetItems({L"Apple", L"Banana", L"Cherry", L"Date"});
  Combo->SetFocus();

  Open();
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_EQ(Combo->GetText(), L"Banana") << "two steps from none";
  EXPECT_EQ(Combo->GetItemIndex(), 1);

  Open();
  ASSERT_TRUE(Combo->GetDroppedDown());
  const TRect row = List()->ItemRect(3);
  const LPARAM at = MAKELPARAM(row.left + 5, row.top + 2);
  SendMessageW(List()->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(List()->GetHandle(), WM_LBUTTONUP, 0, at);
  kvtest::PumpMessages();
  EXPECT_FALSE(Combo->GetDroppedDown());
  EXPECT_EQ(Combo->GetText(), L"Date");
  ASSERT_FALSE(Events->Reasons.empty());
  EXPECT_EQ(Events->Reasons.back(), crEnter);
}

TEST_F(cxDropDownEditTest, RevertableDoubleClickStepsCircularly)
{
  SetItems({L"Apple", L"Banana"});
  Combo->GetComboBoxProperties()->SetRevertable(true);
  Combo->SetItemIndex(1);
  SendMessageW(InnerWindow(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(InnerWindow(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  kvtest::PumpMessages();
  EXPECT_EQ(Combo->GetItemIndex(), 0);
}

TEST_F(cxDropDownEditTest, TheButtonGlyphFollowsItsButtonIndex)
{
  using enum TcxEditButtonKind;
  TcxComboBoxProperties* properties = Combo->GetComboBoxProperties();
  properties->GetButtons()->Add()->SetKind(bkEllipsis);
  rtl::TOwnedPtr<vcl::TBitmap> bitmap(rtl::New<vcl::TBitmap>());
  bitmap->SetSize(8, 8);
  rtl::TOwnedPtr<TdxSmartGlyph> glyph(rtl::New<TdxSmartGlyph>());
  glyph->Assign(bitmap.get());

  struct Step {
    const char* Name;
    bool HasGlyph;
    int Index;
    TcxEditButtonKind Kind0, Kind1;
  };
  const Step steps[] = {
      {"a glyph on the drop-down button", true, 0, bkGlyph, bkEllipsis},
      {"moved to the second button, the first drops down again", true, 1, bkDown, bkGlyph},
      {"an index outside the buttons carries it nowhere", true, 5, bkDown, bkEllipsis},
      {"back on the first button", true, 0, bkGlyph, bkEllipsis},
      {"an emptied glyph gives the arrow back", false, 0, bkDown, bkEllipsis},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.Name);
    properties->SetGlyphButtonIndex(step.Index);
    if (step.HasGlyph)
      properties->SetButtonGlyph(glyph.get());
    else
      properties->GetButtonGlyph()->Clear();
    TcxCustomEditButtons* buttons = properties->GetButtons();
    EXPECT_EQ(buttons->GetItems(0)->GetKind(), step.Kind0);
    EXPECT_EQ(buttons->GetItems(1)->GetKind(), step.Kind1);
    for (int i = 0; i < 2; ++i)
      EXPECT_EQ(buttons->GetItems(i)->GetGlyph()->GetEmpty(), !(step.HasGlyph && i == step.Index)) << i;
  }
}

TEST_F(cxDropDownEditTest, TheWheelStepsThroughTheItemsOnlyWhileClosed)
{
  SetItems({L"Apple", L"Banana", L"Cherry"});
  Combo->SetFocus();
  Combo->SetItemIndex(1);
  const auto wheel = [this](int ADelta) {
    SendMessageW(Combo->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(ADelta)), MAKELPARAM(20, 20));
    kvtest::PumpMessages();
  };
  struct Case {
    int Delta;
    int ItemIndex;
  };
  // Down steps forward, up steps back, and the ends hold.
  const Case cases[] = {{-120, 2}, {-120, 2}, {120, 1}, {120, 0}, {120, 0}};
  for (const Case& c : cases) {
    wheel(c.Delta);
    EXPECT_EQ(Combo->GetItemIndex(), c.ItemIndex) << c.Delta;
  }

  SetItems(20);
  Combo->SetItemIndex(0);
  Open();
  ASSERT_TRUE(Combo->GetDroppedDown());
  wheel(-120);
  EXPECT_EQ(Combo->GetItemIndex(), 0) << "the open list scrolls instead";
  EXPECT_GT(List()->GetTopIndex(), 0);
}

TEST_F(cxDropDownEditTest, APasteThatChangesTheTextOpensTheList)
{
  SetItems({L"Apple", L"Banana", L"Cherry"});
  Combo->SetFocus();
  struct Case {
    const wchar_t* Clipboard;
    bool Opens;
  };
  const Case cases[] = {{L"Ban", true}, {L"", false}};
  for (const Case& c : cases) {
    Combo->CloseUp(crUnknown);
    Combo->SetText(L"");
    kvtest::PumpMessages();
    vcl::Clipboard()->SetAsText(c.Clipboard);
    Combo->PasteFromClipboard();
    kvtest::PumpMessages();
    EXPECT_EQ(Combo->GetDroppedDown(), c.Opens) << c.Clipboard;
  }
}

TEST_F(cxDropDownEditTest, TheListFollowsTheEditorsLookAndFeel)
{
  using enum TcxLookAndFeelKind;
  SetItems({L"Apple", L"Banana"});
  struct Case {
    const char* Name;
    bool WithButton;
    TcxLookAndFeelKind EditorKind;
    TcxLookAndFeelKind ListKind;
  };
  const Case cases[] = {
      {"flat editor, flat list", true, lfFlat, lfFlat},
      {"office editor, office list", true, lfOffice11, lfOffice11},
      {"an editor without buttons keeps the list standard", false, lfUltraFlat, lfStandard},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TcxCustomEditButtons* buttons = Combo->GetComboBoxProperties()->GetButtons();
    if (!c.WithButton)
      buttons->Clear();
    Combo->GetStyle()->GetLookAndFeel()->SetNativeStyle(false);
    Combo->GetStyle()->GetLookAndFeel()->SetKind(c.EditorKind);
    Combo->Invalidate();
    kvtest::PumpMessages();
    EXPECT_EQ(Combo->GetPopupControlsLookAndFeel()->GetKind(), c.ListKind);
    Open();
    ASSERT_TRUE(Combo->GetDroppedDown());
    EXPECT_EQ(Combo->GetLookupData()->GetListContainer()->GetStyle()->GetLookAndFeel()->GetKind(), c.ListKind);
    Combo->CloseUp(crUnknown);
    kvtest::PumpMessages();
  }
}

// Combo boxes in each look, native first: each shows the arrow of its
// drop-down button. The picture also goes to DropDownEdits.png in the folder
// KV_RENDER_DIR names, for people to look at. Run on request
// (--gtest_also_run_disabled_tests): in a full, loaded test run painting the
// host once overflowed the stack, which is still to be found.
TEST_F(cxDropDownEditTest, DISABLED_EveryLookShowsTheDropDownArrow)
{
  using enum TcxLookAndFeelKind;
  SetItems({L"Apple", L"Banana", L"Cherry"});
  Combo->SetItemIndex(1);
  const struct {
    const char* Name;
    bool Native;
    TcxLookAndFeelKind Kind;
  } looks[] = {{"native", true, lfStandard},
               {"standard", false, lfStandard},
               {"flat", false, lfFlat},
               {"ultra flat", false, lfUltraFlat},
               {"office", false, lfOffice11}};
  std::vector<TcxComboBox*> combos;
  int top = 40;
  for (const auto& look : looks) {
    TcxComboBox* combo = AddChild<TcxComboBox>(TRect{10, top, 130, top + 21});
    combo->GetComboBoxProperties()->GetItems()->Assign(Combo->GetComboBoxProperties()->GetItems());
    combo->GetStyle()->GetLookAndFeel()->SetNativeStyle(look.Native);
    combo->GetStyle()->GetLookAndFeel()->SetKind(look.Kind);
    combo->SetItemIndex(0);
    combos.push_back(combo);
    top += 28;
  }
  FHost->Invalidate();
  kvtest::PumpMessages();
  UpdateWindow(FHost->GetHandle());
  rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(160, 190); }));
  const HDC DC = bitmap->GetcxCanvas()->GetHandle();
  {
    vcl::TWindowDC hostDC(FHost->GetHandle());
    BitBlt(DC, 0, 0, 160, 190, hostDC.Get(), 0, 0, SRCCOPY);
  }
  for (std::size_t i = 0; i < combos.size(); ++i) {
    TcxCustomEditViewInfo* viewInfo = combos[i]->GetViewInfo();
    ASSERT_EQ(viewInfo->GetButtonCount(), 1) << looks[i].Name;
    // The middle of the button, clear of any frame the look draws.
    TRect middle = viewInfo->ButtonsInfo[0]->Bounds;
    OffsetRect(&middle, combos[i]->GetLeft(), combos[i]->GetTop());
    InflateRect(&middle, -4, -5);
    int dark = 0;
    for (int y = middle.top; y < middle.bottom; ++y)
      for (int x = middle.left; x < middle.right; ++x) {
        const COLORREF color = GetPixel(DC, x, y);
        dark += GetRValue(color) < 96 && GetGValue(color) < 96 && GetBValue(color) < 96;
      }
    EXPECT_GE(dark, 4) << looks[i].Name;
  }
  if (const char* folder = std::getenv("KV_RENDER_DIR")) {
    const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
    png->LoadFromBitmap(bitmap.get());
    png->SaveToFile(std::wstring(folder, folder + std::strlen(folder)) + L"\\DropDownEdits.png");
  }
}

// ---------------------------------------------------------------------------
// Popup edit

class cxPopupEditTest : public kvtest::THostedTest {
 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    Runner = AddChild<TDropDownTestRunner>(TRect{200, 200, 220, 220});
    Frame = AddChild<kvtest::TTestPanel>(TRect{0, 100, 300, 260});
    Edit = rtl::New<TcxPopupEdit>(FHost.get());
    Edit->SetBoundsRect(TRect{10, 10, 130, 31});
    Edit->SetParent(Frame);
    Content = AddChild<kvtest::TTestPanel>(TRect{0, 0, 400, 40});
    Content->SetAlign(vcl::TAlign::alTop);
    Edit->GetPopupEditProperties()->SetPopupControl(Content);
    Edit->HandleNeeded();
  }

  // Opens the popup; AStep runs while it shows, and must close it.
  void OpenAndRun(std::function<void()> AStep)
  {
    Runner->Step = std::move(AStep);
    Edit->DropDown();
    PostMessageW(Runner->GetHandle(), WM_APP, 0, 0);
    kvtest::PumpMessages();
  }

  TDropDownTestRunner* Runner = nullptr;
  kvtest::TTestPanel* Frame = nullptr;
  kvtest::TTestPanel* Content = nullptr;
  TcxPopupEdit* Edit = nullptr;
};

TEST_F(cxPopupEditTest, TheControlReturnsToItsParentBoundsAndAlignment)
{
  const TRect bounds = Content->GetBoundsRect();
  bool inPopup = false;
  OpenAndRun([&] {
    inPopup = Content->GetParent() == Edit->GetPopupWindow() && Edit->GetDroppedDown();
    EXPECT_EQ(Content->GetAlign(), vcl::TAlign::alClient);
    Edit->ClosePopup(crEnter);
  });
  EXPECT_TRUE(inPopup);
  EXPECT_FALSE(Edit->GetDroppedDown());
  EXPECT_EQ(Edit->GetCloseUpReason(), crEnter);
  EXPECT_EQ(Content->GetParent(), FHost.get());
  EXPECT_EQ(Content->GetAlign(), vcl::TAlign::alTop);
  EXPECT_TRUE(Content->GetVisible());
  const TRect restored = Content->GetBoundsRect();
  EXPECT_EQ(restored.top, bounds.top);
  EXPECT_EQ(restored.bottom - restored.top, bounds.bottom - bounds.top);
}

TEST_F(cxPopupEditTest, ACircularPopupControlIsRefused)
{
  struct {
    const char* Name;
    vcl::TControl* Control;
  } const cases[] = {
      {"the editor's parent", Frame},
      {"the editor itself", Edit},
      {"the host of the editor's parent", FHost.get()},
  };
  for (const auto& c : cases) {
    Edit->GetPopupEditProperties()->SetPopupControl(c.Control);
    bool raised = false;
    try {
      Edit->DropDown();
    } catch (const EcxEditError& E) {
      raised = true;
      EXPECT_EQ(rtl::String(E.Message()), dxLookupResourceString(cxSEditPopupCircularReferencingError)) << c.Name;
    }
    kvtest::PumpMessages();
    EXPECT_TRUE(raised) << c.Name;
    EXPECT_FALSE(Edit->IsPopupInitialized()) << c.Name;
    EXPECT_FALSE(Edit->GetDroppedDown()) << c.Name;
    EXPECT_EQ(c.Control->GetParent() == Edit->GetPopupWindow(), false) << c.Name;
  }
}

TEST_F(cxPopupEditTest, WithoutAControlNothingOpens)
{
  rtl::Free(Content);
  EXPECT_EQ(Edit->GetPopupEditProperties()->GetPopupControl(), nullptr) << "the freed control is dropped";
  Edit->SetFocus();
  SendMessageW(Edit->GetInnerControl()->GetHandle(), WM_SYSKEYDOWN, VK_DOWN, 1 | 0x20000000);
  kvtest::PumpMessages();
  EXPECT_FALSE(Edit->GetDroppedDown());
  EXPECT_FALSE(Edit->IsPopupShowPending());
}

}  // namespace
