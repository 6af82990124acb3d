#include <gtest/gtest.h>

#include <oleacc.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "controls/cxAccessibility.h"
#include "controls/cxControls.h"
#include "core/dxCore.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/vcl/Menus.h"
#include "tests/support/TestHost.h"

namespace {

// COM for the thread of a case: oleacc marshals the object it hands over.
class TAccTestComScope {
 public:
  TAccTestComScope() : FResult(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~TAccTestComScope()
  {
    if (SUCCEEDED(FResult))
      CoUninitialize();
  }
  TAccTestComScope(const TAccTestComScope&) = delete;
  TAccTestComScope& operator=(const TAccTestComScope&) = delete;

 private:
  HRESULT FResult;
};

// A client's string, freed with the case.
class TAccTestBstr {
 public:
  TAccTestBstr() = default;
  ~TAccTestBstr() { SysFreeString(FValue); }
  TAccTestBstr(const TAccTestBstr&) = delete;
  TAccTestBstr& operator=(const TAccTestBstr&) = delete;

  BSTR* Out() { return &FValue; }
  bool IsNull() const { return FValue == nullptr; }
  std::wstring Text() const { return FValue ? std::wstring(FValue, SysStringLen(FValue)) : std::wstring(); }

 private:
  BSTR FValue = nullptr;
};

// A client's variant, cleared with the case.
class TAccTestVariant {
 public:
  TAccTestVariant() { VariantInit(&FValue); }
  ~TAccTestVariant() { VariantClear(&FValue); }
  TAccTestVariant(const TAccTestVariant&) = delete;
  TAccTestVariant& operator=(const TAccTestVariant&) = delete;

  VARIANT* Out() { return &FValue; }
  const VARIANT& Get() const { return FValue; }

 private:
  VARIANT FValue;
};

VARIANT ChildId(LONG AId)
{
  VARIANT result;
  VariantInit(&result);
  result.vt = VT_I4;
  result.lVal = AId;
  return result;
}

// A list of two items served as simple elements, the second selected.
class TAccTestListHelper : public TcxControlAccessibilityHelper {
  RTL_CLASS(TAccTestListHelper, TcxControlAccessibilityHelper)

 public:
  bool ChildIsSimpleElement(int) override { return true; }
  int GetChildCount() override { return 2; }
  rtl::String GetName(TcxAccessibleSimpleChildElementID AChildID) override
  {
    static constexpr const wchar_t* kItems[] = {L"Alpha", L"Beta"};
    return AChildID == CHILDID_SELF ? inherited::GetName(AChildID) : kItems[AChildID - 1];
  }
  int GetRole(TcxAccessibleSimpleChildElementID AChildID) override
  {
    return AChildID == CHILDID_SELF ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM;
  }
  int GetState(TcxAccessibleSimpleChildElementID AChildID) override
  {
    if (AChildID == CHILDID_SELF)
      return inherited::GetState(AChildID);
    return STATE_SYSTEM_SELECTABLE | (AChildID == 2 ? STATE_SYSTEM_SELECTED : 0);
  }
};

class TAccTestListControl : public TcxControl {
  RTL_CLASS(TAccTestListControl, TcxControl)

 public:
  TcxAccessibilityHelperClass GetAccessibilityHelperClass() override
  {
    return TcxAccessibilityHelperClass::Of<TAccTestListHelper>();
  }
};

class cxAccessibilityControlTest : public kvtest::THostedTest {
 protected:
  // The control's client object as a screen reader gets it, through the
  // oleacc entry the unit bound.
  rtl::IPtr<IAccessible> ObjectFromWindow(HWND AWindow)
  {
    void* object = nullptr;
    const TcxAccessibleObjectFromWindowFunc fromWindow = cxAccessibleObjectFromWindow();
    EXPECT_NE(fromWindow, nullptr);
    if (!fromWindow)
      return nullptr;
    EXPECT_EQ(fromWindow(AWindow, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), &object), S_OK);
    return rtl::IPtr<IAccessible>::Attach(static_cast<IAccessible*>(object));
  }

  TAccTestComScope FCom;
};

TEST_F(cxAccessibilityControlTest, AnswersNameRoleStateAndChildrenThroughOleacc)
{
  auto* control = AddChild<TAccTestListControl>({20, 30, 220, 130});
  control->SetCaption(L"&Items");
  rtl::IPtr<IAccessible> object = ObjectFromWindow(control->GetHandle());
  ASSERT_TRUE(object);

  long count = -1;
  EXPECT_EQ(object->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 2);

  struct Case {
    LONG Id;
    HRESULT Result;
    const wchar_t* Name;
    LONG Role;
  };
  const Case cases[] = {
      {CHILDID_SELF, S_OK, L"Items", ROLE_SYSTEM_LIST},
      {1, S_OK, L"Alpha", ROLE_SYSTEM_LISTITEM},
      {2, S_OK, L"Beta", ROLE_SYSTEM_LISTITEM},
      {3, E_INVALIDARG, L"", 0},
      {-1, E_INVALIDARG, L"", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Id);
    TAccTestBstr name;
    EXPECT_EQ(object->get_accName(ChildId(c.Id), name.Out()), c.Result);
    EXPECT_EQ(name.Text(), c.Name);
    TAccTestVariant role;
    EXPECT_EQ(object->get_accRole(ChildId(c.Id), role.Out()), c.Result);
    EXPECT_EQ(role.Get().vt, SUCCEEDED(c.Result) ? VT_I4 : VT_EMPTY);
    if (SUCCEEDED(c.Result)) {
      EXPECT_EQ(role.Get().lVal, c.Role);
    }
  }

  struct StateCase {
    LONG Id;
    LONG Set;
    LONG Clear;
  };
  const StateCase states[] = {
      {CHILDID_SELF, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE},
      {1, STATE_SYSTEM_SELECTABLE, STATE_SYSTEM_SELECTED},
      {2, STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_SELECTED, 0},
  };
  for (const StateCase& s : states) {
    SCOPED_TRACE(s.Id);
    TAccTestVariant state;
    ASSERT_EQ(object->get_accState(ChildId(s.Id), state.Out()), S_OK);
    ASSERT_EQ(state.Get().vt, VT_I4);
    EXPECT_EQ(state.Get().lVal & s.Set, s.Set);
    EXPECT_EQ(state.Get().lVal & s.Clear, 0);
  }

  // Simple elements have no object of their own.
  IDispatch* child = nullptr;
  EXPECT_EQ(object->get_accChild(ChildId(1), &child), S_FALSE);
  EXPECT_EQ(child, nullptr);
  EXPECT_EQ(object->get_accChild(ChildId(3), &child), E_INVALIDARG);
}

TEST_F(cxAccessibilityControlTest, TheObjectKnowsItsWindowBoundsAndParent)
{
  auto* control = AddChild<TcxControl>({20, 30, 220, 130});
  control->SetCaption(L"Plain");
  rtl::IPtr<IAccessible> object = ObjectFromWindow(control->GetHandle());
  ASSERT_TRUE(object);

  rtl::IPtr<IOleWindow> window;
  ASSERT_TRUE(rtl::Supports<IOleWindow>(object, &window));
  HWND handle = nullptr;
  EXPECT_EQ(window->GetWindow(&handle), S_OK);
  EXPECT_EQ(handle, control->GetHandle());
  rtl::IPtr<IDispatch> dispatch;
  EXPECT_TRUE(rtl::Supports<IDispatch>(object, &dispatch));
  UINT typeInfoCount = 1;
  EXPECT_EQ(dispatch->GetTypeInfoCount(&typeInfoCount), E_NOTIMPL);
  EXPECT_EQ(typeInfoCount, 0u);

  long left = 0, top = 0, width = 0, height = 0;
  EXPECT_EQ(object->accLocation(&left, &top, &width, &height, ChildId(CHILDID_SELF)), S_OK);
  POINT origin{0, 0};
  ClientToScreen(control->GetHandle(), &origin);
  EXPECT_EQ(left, origin.x);
  EXPECT_EQ(top, origin.y);
  EXPECT_EQ(width, 200);
  EXPECT_EQ(height, 100);

  TAccTestVariant hit;
  EXPECT_EQ(object->accHitTest(origin.x + 5, origin.y + 5, hit.Out()), S_OK);
  EXPECT_EQ(hit.Get().vt, VT_I4);
  TAccTestVariant miss;
  EXPECT_EQ(object->accHitTest(origin.x - 5, origin.y, miss.Out()), S_FALSE);
  EXPECT_EQ(miss.Get().vt, VT_EMPTY);

  IDispatch* parent = nullptr;
  EXPECT_EQ(object->get_accParent(&parent), S_OK);
  ASSERT_NE(parent, nullptr);
  parent->Release();

  // Helpers the control does not announce.
  TAccTestBstr description;
  EXPECT_EQ(object->get_accDescription(ChildId(CHILDID_SELF), description.Out()), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(object->accDoDefaultAction(ChildId(CHILDID_SELF)), DISP_E_MEMBERNOTFOUND);
}

TEST_F(cxAccessibilityControlTest, AnObjectOutlivingItsControlAnswersNotConnected)
{
  auto* control = AddChild<TAccTestListControl>({20, 30, 220, 130});
  control->SetCaption(L"Doomed");
  rtl::IPtr<IAccessible> object = ObjectFromWindow(control->GetHandle());
  ASSERT_TRUE(object);
  rtl::Free(control);

  TAccTestBstr name;
  EXPECT_EQ(object->get_accName(ChildId(CHILDID_SELF), name.Out()), CO_E_OBJNOTCONNECTED);
  EXPECT_TRUE(name.IsNull());
  long count = -1;
  EXPECT_EQ(object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(count, 0);
  TAccTestVariant state;
  EXPECT_EQ(object->get_accState(ChildId(1), state.Out()), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(state.Get().vt, VT_EMPTY);
  long left = 1, top = 1, width = 1, height = 1;
  EXPECT_EQ(object->accLocation(&left, &top, &width, &height, ChildId(CHILDID_SELF)), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(width, 0);
  rtl::IPtr<IOleWindow> window;
  ASSERT_TRUE(rtl::Supports<IOleWindow>(object, &window));
  HWND handle = HWND(1);
  EXPECT_EQ(window->GetWindow(&handle), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(handle, nullptr);
}

// --- the generic object, called directly

// Three children: 0 and 2 simple, 1 with an object of its own. The owner is
// a plain object: the helper never looks at it.
class TAccTestTreeHelper : public TcxAccessibilityHelper {
  RTL_CLASS(TAccTestTreeHelper, TcxAccessibilityHelper)

 public:
  rtl::String Name;
  rtl::String Value;
  vcl::TShortCut ShortCut = 0;
  rtl::String Caption;
  TcxAccessibleObjectProperties Properties = aopLocation | aopValue | aopShortcut;
  // One object per child; only child 1 is served through its own.
  std::vector<TcxAccessibilityHelper*> Children;
  TcxAccessibilityHelper* ParentHelper = nullptr;

  bool ChildIsSimpleElement(int AIndex) override { return AIndex != 1; }
  int GetChildCount() override { return 3; }
  TcxAccessibilityHelper* GetChild(int AIndex) override { return Children.at(AIndex); }
  int GetChildIndex(TcxAccessibilityHelper*) override { return 1; }
  TcxAccessibilityHelper* GetParent() override { return ParentHelper; }
  bool GetSelectable() override { return true; }
  rtl::String GetName(TcxAccessibleSimpleChildElementID) override { return Name; }
  rtl::String GetValue(TcxAccessibleSimpleChildElementID) override { return Value; }
  void GetKeyboardAccessParameters(TcxAccessibleSimpleChildElementID, vcl::TShortCut& AShortCut,
                                   rtl::String& ACaption) override
  {
    AShortCut = ShortCut;
    ACaption = Caption;
  }
  TcxAccessibleObjectProperties GetSupportedProperties(TcxAccessibleSimpleChildElementID) override
  {
    return Properties;
  }
  int NavigateToChild(int ACurrentChildIndex, TcxAccessibilityNavigationDirection ADirection) override
  {
    if (ADirection == andNext)
      return std::min(ACurrentChildIndex + 1, 2);
    if (ADirection == andPrev)
      return std::max(ACurrentChildIndex - 1, 0);
    return ACurrentChildIndex;
  }
};

// A child that is selectable or not.
class TAccTestLeafHelper : public TcxAccessibilityHelper {
  RTL_CLASS(TAccTestLeafHelper, TcxAccessibilityHelper)

 public:
  bool Selectable = true;
  bool GetSelectable() override { return Selectable; }
};

class cxAccessibilityHelperTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    FOwner.reset(rtl::New<rtl::TObject>());
    FTree = rtl::New<TAccTestTreeHelper>(FOwner.get());
    FTreeRef = static_cast<IcxAccessibilityHelper*>(FTree);
    for (int i = 0; i < 3; ++i) {
      FLeaves[i] = rtl::New<TAccTestLeafHelper>(FOwner.get());
      FLeafRefs[i] = static_cast<IcxAccessibilityHelper*>(FLeaves[i]);
      FTree->Children.push_back(FLeaves[i]);
    }
  }

  IAccessible* Tree() { return FTree; }

  rtl::TOwnedPtr<rtl::TObject> FOwner;
  TAccTestTreeHelper* FTree = nullptr;
  rtl::IPtr<IcxAccessibilityHelper> FTreeRef;
  TAccTestLeafHelper* FLeaves[3] = {};
  rtl::IPtr<IcxAccessibilityHelper> FLeafRefs[3];
};

TEST_F(cxAccessibilityHelperTest, StringsAnswerSFalseWhenEmptyExceptTheValue)
{
  struct Case {
    const wchar_t* Text;
    HRESULT Name;
    HRESULT Value;
  };
  const Case cases[] = {{L"", S_FALSE, S_OK}, {L"Text", S_OK, S_OK}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "'" << c.Text << "'");
    FTree->Name = c.Text;
    FTree->Value = c.Text;
    TAccTestBstr name;
    EXPECT_EQ(Tree()->get_accName(ChildId(CHILDID_SELF), name.Out()), c.Name);
    EXPECT_EQ(name.Text(), c.Text);
    TAccTestBstr value;
    EXPECT_EQ(Tree()->get_accValue(ChildId(3), value.Out()), c.Value);
    EXPECT_EQ(value.Text(), c.Text);
  }
  FTree->Properties = 0;
  TAccTestBstr value;
  EXPECT_EQ(Tree()->get_accValue(ChildId(CHILDID_SELF), value.Out()), DISP_E_MEMBERNOTFOUND);
}

TEST_F(cxAccessibilityHelperTest, ChildIdsOutsideTheSimpleElementsAreInvalid)
{
  TAccTestVariant empty;
  struct Case {
    VARIANT Id;
    HRESULT Result;
  };
  VARIANT text;
  VariantInit(&text);
  text.vt = VT_BSTR;
  text.bstrVal = nullptr;
  const Case cases[] = {
      {ChildId(0), S_OK},  {ChildId(1), S_OK},          {ChildId(2), E_INVALIDARG},
      {ChildId(3), S_OK},  {ChildId(4), E_INVALIDARG}, {ChildId(-5), E_INVALIDARG},
      {empty.Get(), E_INVALIDARG}, {text, E_INVALIDARG},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    TAccTestVariant role;
    EXPECT_EQ(Tree()->get_accRole(cases[i].Id, role.Out()), cases[i].Result);
  }
}

TEST_F(cxAccessibilityHelperTest, ChildrenWithObjectsAreReturnedAsTheirObjects)
{
  IDispatch* child = nullptr;
  ASSERT_EQ(Tree()->get_accChild(ChildId(2), &child), S_OK);
  EXPECT_EQ(child, static_cast<IDispatch*>(static_cast<IAccessible*>(FLeaves[1])));
  child->Release();
  EXPECT_EQ(Tree()->get_accChild(ChildId(3), &child), S_FALSE);
  EXPECT_EQ(Tree()->get_accChild(ChildId(0), &child), E_INVALIDARG);

  struct Case {
    long Direction;
    LONG Start;
    HRESULT Result;
    VARTYPE Type;
    LONG End;
  };
  const Case cases[] = {
      {NAVDIR_FIRSTCHILD, 0, S_OK, VT_I4, 1},        {NAVDIR_LASTCHILD, 0, S_OK, VT_I4, 3},
      {NAVDIR_FIRSTCHILD, 1, E_INVALIDARG, VT_EMPTY, 0}, {NAVDIR_NEXT, 1, S_OK, VT_DISPATCH, 0},
      {NAVDIR_NEXT, 2, S_OK, VT_I4, 3},              {NAVDIR_NEXT, 3, S_FALSE, VT_EMPTY, 0},
      {NAVDIR_PREVIOUS, 1, S_FALSE, VT_EMPTY, 0},    {NAVDIR_NEXT, 4, E_INVALIDARG, VT_EMPTY, 0},
      {NAVDIR_UP, 2, S_FALSE, VT_EMPTY, 0},          {99, 1, E_INVALIDARG, VT_EMPTY, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Direction << " from " << c.Start);
    TAccTestVariant end;
    EXPECT_EQ(Tree()->accNavigate(c.Direction, ChildId(c.Start), end.Out()), c.Result);
    EXPECT_EQ(end.Get().vt, c.Type);
    if (c.Type == VT_I4) {
      EXPECT_EQ(end.Get().lVal, c.End);
    }
  }
}

TEST_F(cxAccessibilityHelperTest, NavigationFromAnObjectItselfGoesThroughItsParent)
{
  TAccTestTreeHelper* child = rtl::New<TAccTestTreeHelper>(FOwner.get());
  rtl::IPtr<IcxAccessibilityHelper> childRef(child);
  child->ParentHelper = FTree;
  // Its place in the parent is child 2: the next one is the simple child 3.
  TAccTestVariant end;
  EXPECT_EQ(static_cast<IAccessible*>(child)->accNavigate(NAVDIR_NEXT, ChildId(CHILDID_SELF), end.Out()), S_OK);
  EXPECT_EQ(end.Get().vt, VT_I4);
  EXPECT_EQ(end.Get().lVal, 3);
  EXPECT_EQ(child->GetRootHelper(), FTree);

  FTreeRef->OwnerObjectDestroyed();
  TAccTestVariant none;
  EXPECT_EQ(static_cast<IAccessible*>(child)->accNavigate(NAVDIR_NEXT, ChildId(CHILDID_SELF), none.Out()), S_FALSE);
}

TEST_F(cxAccessibilityHelperTest, KeyboardShortcutPrefersTheCaptionsHotKey)
{
  struct Case {
    const wchar_t* Caption;
    vcl::TShortCut ShortCut;
    HRESULT Result;
    const wchar_t* Text;
  };
  const Case cases[] = {
      {L"&Save", vcl::scCtrl | 'S', S_OK, L"S"},
      {L"Sa&ve", vcl::scNone, S_OK, L"V"},
      {L"Save", vcl::scCtrl | 'S', S_OK, L"Ctrl+S"},
      {L"Fish && &chips", vcl::scNone, S_OK, L"C"},
      {L"Save", vcl::scNone, S_FALSE, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.ShortCut << " " << c.Result);
    FTree->Caption = c.Caption;
    FTree->ShortCut = c.ShortCut;
    TAccTestBstr text;
    EXPECT_EQ(Tree()->get_accKeyboardShortcut(ChildId(CHILDID_SELF), text.Out()), c.Result);
    EXPECT_EQ(text.Text(), c.Text);
  }
}

TEST_F(cxAccessibilityHelperTest, NextSelectableChildSkipsTheOthers)
{
  FLeaves[1]->Selectable = false;
  struct Case {
    int Start;
    bool Forward;
    int Result;
  };
  const Case cases[] = {{-1, true, 0}, {0, true, 2}, {2, true, -1}, {-1, false, 2}, {2, false, 0}, {0, false, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Start << (c.Forward ? " forward" : " backward"));
    EXPECT_EQ(FTree->GetNextSelectableChildIndex(c.Start, c.Forward), c.Result);
  }
  EXPECT_THROW(FTree->GetNextSelectableChildIndex(3, true), EdxException);
}

}  // namespace
