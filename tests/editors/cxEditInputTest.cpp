// The edit base with real windows on a form: the key roads (Tab, Enter,
// Escape, navigation, Insert and Delete), leaving with a value that fails
// validation, and the clipboard of a read-only editor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/cxEdit.h"
#include "platform/rtl/ClassesThreads.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"
#include "tests/support/TestSupport.h"

namespace {

class TcxEditInputTestInner;

// The inner edit's face to the editor.
class TcxEditInputTestHelper : public TcxIUnknownObject, public IcxCustomInnerEdit {
  RTL_CLASS(TcxEditInputTestHelper, TcxIUnknownObject)
  RTL_INTERFACES(IcxCustomInnerEdit, IcxContainerInnerControl)

 public:
  void Create(TcxEditInputTestInner* AEdit) { Edit = AEdit; }
  vcl::TWinControl* __stdcall GetControl() override;
  TcxContainer* __stdcall GetControlContainer() override;
  LRESULT __stdcall CallDefWndProc(UINT AMsg, WPARAM AWParam, LPARAM ALParam) override;
  bool __stdcall CanProcessClipboardMessages() override { return false; }
  rtl::Variant __stdcall GetEditValue() override;
  rtl::TNotifyEvent __stdcall GetOnChange() override;
  bool __stdcall GetReadOnly() override;
  void __stdcall LockBounds(bool /*ALock*/) override {}
  void __stdcall SafelySetFocus() override;
  void __stdcall SetEditValue(const rtl::Variant& AValue) override;
  void __stdcall SetParent(vcl::TWinControl* AValue) override;
  void __stdcall SetOnChange(rtl::TNotifyEvent AValue) override;
  void __stdcall SetReadOnly(bool AValue) override;

  TcxEditInputTestInner* Edit;
};

// A platform EDIT as an editor's inner edit, reporting its changes.
class TcxEditInputTestInner : public vcl::TEdit, public IcxInnerEditHelper, public IcxContainerInnerControl {
  RTL_CLASS(TcxEditInputTestInner, vcl::TEdit)
  RTL_INTERFACES(IcxInnerEditHelper, IcxContainerInnerControl)

 public:
  void Create(rtl::TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    Helper.reset(rtl::New<TcxEditInputTestHelper>(this));
  }
  void DefaultHandler(rtl::TMessage& AMessage) override
  {
    if (!Container() || !Container()->InnerControlDefaultHandler(AMessage))
      inherited::DefaultHandler(AMessage);
  }
  IcxCustomInnerEdit* __stdcall GetHelper() override { return Helper.get(); }
  vcl::TWinControl* __stdcall GetControl() override { return this; }
  TcxContainer* __stdcall GetControlContainer() override { return Container(); }
  TcxContainer* Container() { return rtl::As<TcxContainer>(GetOwner()); }

 protected:
  void WndProc(rtl::TMessage& AMessage) override
  {
    inherited::WndProc(AMessage);
    if ((AMessage.Msg == WM_SETFOCUS || AMessage.Msg == WM_KILLFOCUS) && Container())
      Container()->ShortRefreshContainer(false);
  }

 private:
  rtl::TOwnedPtr<TcxEditInputTestHelper> Helper;
};

vcl::TWinControl* __stdcall TcxEditInputTestHelper::GetControl()
{
  return Edit;
}

TcxContainer* __stdcall TcxEditInputTestHelper::GetControlContainer()
{
  return Edit->Container();
}

LRESULT __stdcall TcxEditInputTestHelper::CallDefWndProc(UINT AMsg, WPARAM AWParam, LPARAM ALParam)
{
  return Edit->Perform(AMsg, AWParam, ALParam);
}

rtl::Variant __stdcall TcxEditInputTestHelper::GetEditValue()
{
  return rtl::Variant(Edit->GetText());
}

rtl::TNotifyEvent __stdcall TcxEditInputTestHelper::GetOnChange()
{
  return Edit->GetOnChange();
}

bool __stdcall TcxEditInputTestHelper::GetReadOnly()
{
  return Edit->GetReadOnly();
}

void __stdcall TcxEditInputTestHelper::SafelySetFocus()
{
  if (Edit->CanFocus())
    Edit->SetFocus();
}

void __stdcall TcxEditInputTestHelper::SetEditValue(const rtl::Variant& AValue)
{
  Edit->SetText(rtl::VarToStr(AValue));
}

void __stdcall TcxEditInputTestHelper::SetParent(vcl::TWinControl* AValue)
{
  Edit->SetParent(AValue);
}

void __stdcall TcxEditInputTestHelper::SetOnChange(rtl::TNotifyEvent AValue)
{
  Edit->SetOnChange(AValue);
}

void __stdcall TcxEditInputTestHelper::SetReadOnly(bool AValue)
{
  Edit->SetReadOnly(AValue);
}

// Text values that are checked, reset by Escape and reported by the inner
// edit.
class TcxEditInputTestProperties : public TcxCustomEditProperties {
  RTL_CLASS(TcxEditInputTestProperties, TcxCustomEditProperties)

 public:
  bool CanCompareEditValue() override { return true; }
  bool HasDisplayValueValidation() override { return true; }
  bool InnerEditReportsChanges() override { return true; }
  bool IsResetEditClass() override { return true; }
};

// Its text is its value.
class TcxEditInputTestEdit : public TcxCustomEdit {
  RTL_CLASS(TcxEditInputTestEdit, TcxCustomEdit)

 public:
  TcxCustomEditPropertiesClass GetPropertiesClass() override
  {
    return TcxCustomEditPropertiesClass::Of<TcxEditInputTestProperties>();
  }
  TcxEditInputTestInner* Inner() { return static_cast<TcxEditInputTestInner*>(GetInnerControl()); }
  // The inner edit of a real editor hands its keys to the editor.
  void PressKey(WORD AKey, vcl::TShiftState AShift) { KeyDown(AKey, AShift); }
  void PressChar(wchar_t AChar) { KeyPress(AChar); }
  // What the user does: text typed into the inner edit.
  void Type(const wchar_t* AText)
  {
    BeginUserAction();
    if (DoEditing())
      Inner()->SetText(AText);
    EndUserAction();
  }

 protected:
  rtl::ClassOf<vcl::TWinControl> GetInnerEditClass() override
  {
    return rtl::ClassOf<vcl::TWinControl>::Of<TcxEditInputTestInner>();
  }
  rtl::String GetDisplayText() override { return Inner()->GetText(); }
  void SetInnerEditValue(const rtl::Variant& AValue) override
  {
    const rtl::TNotifyEvent AOnChange = Inner()->GetOnChange();
    Inner()->SetOnChange({});
    Inner()->SetText(rtl::VarToStr(AValue));
    Inner()->SetOnChange(AOnChange);
  }
  void SetDisplayValue(const rtl::Variant& AValue) override
  {
    SetInnerEditValue(AValue);
    StoreEditValue(AValue);
  }
  // What the program shows is no typing.
  void RefreshDisplayValue() override { SetInnerEditValue(GetEditValue()); }
  bool IsValueChangingChar(wchar_t AChar) override { return AChar >= L' '; }
};

// A form with two editors and a plain edit, in tab order; it records the
// events of the first editor and the exceptions the application is handed.
class TcxEditInputFixture : public testing::Test {
 public:
  void KeyDown(rtl::TObject* /*Sender*/, WORD& Key, vcl::TShiftState /*Shift*/)
  {
    Log.push_back(L"KeyDown " + std::to_wstring(Key));
  }
  void KeyPress(rtl::TObject* /*Sender*/, wchar_t& Key) { Log.push_back(L"KeyPress " + std::to_wstring(Key)); }
  void AfterKeyDown(rtl::TObject* /*Sender*/, WORD& Key, vcl::TShiftState /*Shift*/)
  {
    Log.push_back(L"AfterKeyDown " + std::to_wstring(Key));
  }
  void Validate(rtl::TObject* /*Sender*/, rtl::Variant& DisplayValue, rtl::String& ErrorText, bool& Error)
  {
    Log.push_back(L"Validate " + rtl::VarToStr(DisplayValue));
    Error = rtl::VarToStr(DisplayValue) == L"bad";
    if (Error && !RejectText.empty())
      ErrorText = RejectText;
  }
  void Exit(rtl::TObject* /*Sender*/) { Log.push_back(L"Exit"); }
  void ApplicationException(rtl::TObject* Sender, rtl::Exception* E)
  {
    Log.push_back(rtl::String(L"Exception ") + E->ClassName() + L" " + E->Message());
    ExceptionSender = Sender;
  }

 protected:
  void SetUp() override
  {
    Form.reset(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(nullptr); }));
    Form->SetBounds(50, 50, 300, 200);
    First = AddEdit(10);
    Second = AddEdit(40);
    Plain = rtl::New<vcl::TEdit>(Form.get());
    Plain->SetBounds(10, 70, 120, 21);
    Plain->SetParent(Form.get());
    First->SetOnKeyDown(vcl::TKeyEvent::Bind<&TcxEditInputFixture::KeyDown>(this));
    First->SetOnKeyPress(vcl::TKeyPressEvent::Bind<&TcxEditInputFixture::KeyPress>(this));
    First->SetOnAfterKeyDown(vcl::TKeyEvent::Bind<&TcxEditInputFixture::AfterKeyDown>(this));
    First->SetOnExit(rtl::TNotifyEvent::Bind<&TcxEditInputFixture::Exit>(this));
    First->GetInternalProperties()->SetOnValidate(TcxEditValidateEvent::Bind<&TcxEditInputFixture::Validate>(this));
    PrevHandler = vcl::Application()->GetOnException();
    vcl::Application()->SetOnException(
        vcl::TExceptionEvent::Bind<&TcxEditInputFixture::ApplicationException>(this));
    Form->Show();
    // Other test programs share the display: the form stays on top of
    // their windows so that it keeps the focus.
    SetWindowPos(Form->GetHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetForegroundWindow(Form->GetHandle());
    kvtest::PumpMessages();
    First->SetFocus();
    kvtest::PumpMessages();
    Log.clear();
  }
  void TearDown() override
  {
    vcl::Application()->SetOnException(PrevHandler);
    Form.reset();
    kvtest::PumpMessages();
  }

  TcxEditInputTestEdit* AddEdit(int ATop)
  {
    auto* AEdit = rtl::New<TcxEditInputTestEdit>(Form.get());
    AEdit->SetBounds(10, ATop, 120, 21);
    AEdit->SetParent(Form.get());
    return AEdit;
  }
  void SendKey(TcxEditInputTestEdit* AEdit, WORD AKey, vcl::TShiftState AShift = {}) { AEdit->PressKey(AKey, AShift); }
  bool HasFocus(vcl::TWinControl* AControl) { return AControl->Focused(); }

  rtl::TOwnedPtr<vcl::TForm> Form;
  TcxEditInputTestEdit* First;
  TcxEditInputTestEdit* Second;
  vcl::TEdit* Plain;
  std::vector<std::wstring> Log;
  rtl::String RejectText;
  rtl::TObject* ExceptionSender = nullptr;
  vcl::TExceptionEvent PrevHandler;
};

TEST_F(TcxEditInputFixture, TabMovesTheFocusUnlessCtrlOrAltIsHeld)
{
  using vcl::TShiftStateItem;
  struct Case {
    const char* Name;
    vcl::TShiftState Shift;
    bool Moves;
    bool Forward;
  };
  const Case cases[] = {
      {"Tab", {}, true, true},
      {"Shift+Tab", {TShiftStateItem::ssShift}, true, false},
      {"Ctrl+Tab", {TShiftStateItem::ssCtrl}, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    SetForegroundWindow(Form->GetHandle());
    Second->SetFocus();
    kvtest::PumpMessages();
    ASSERT_TRUE(HasFocus(Second));
    SendKey(Second, VK_TAB, c.Shift);
    kvtest::PumpMessages();
    if (!c.Moves)
      EXPECT_TRUE(HasFocus(Second));
    else if (c.Forward)
      EXPECT_TRUE(HasFocus(Plain));
    else
      EXPECT_TRUE(HasFocus(First));
  }
}

TEST_F(TcxEditInputFixture, NavigationKeysAreConsumedAndInsertOrDeleteReported)
{
  using vcl::TShiftStateItem;
  struct Case {
    const char* Name;
    WORD Key;
    vcl::TShiftState Shift;
    bool AfterKeyDown;
  };
  const Case cases[] = {
      {"Page Up", VK_PRIOR, {}, true},
      {"Down", VK_DOWN, {}, true},
      {"Insert", VK_INSERT, {}, true},
      {"Shift+Insert", VK_INSERT, {TShiftStateItem::ssShift}, false},
      {"Ctrl+Insert", VK_INSERT, {TShiftStateItem::ssCtrl}, false},
      {"Delete", VK_DELETE, {}, true},
      {"Shift+Delete", VK_DELETE, {TShiftStateItem::ssShift}, false},
      {"A", 'A', {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Log.clear();
    SendKey(First, c.Key, c.Shift);
    const std::wstring AKey = std::to_wstring(c.Key);
    std::vector<std::wstring> AExpected{L"KeyDown " + AKey};
    if (c.AfterKeyDown)
      AExpected.push_back(L"AfterKeyDown " + AKey);
    EXPECT_EQ(Log, AExpected);
  }
}

TEST_F(TcxEditInputFixture, EscapeReturnsToTheValueOfEntering)
{
  First->SetEditValue(rtl::Variant(L"start"));
  Second->SetFocus();
  First->SetFocus();
  kvtest::PumpMessages();
  First->Type(L"typed");
  EXPECT_TRUE(First->GetModifiedAfterEnter());
  Log.clear();
  SendKey(First, VK_ESCAPE);
  First->PressChar(27);
  EXPECT_EQ(First->GetEditValue(), rtl::Variant(L"start"));
  EXPECT_EQ(First->Inner()->GetText(), L"start");
  EXPECT_TRUE(First->GetEditModified());
  EXPECT_FALSE(First->GetModifiedAfterEnter());
  EXPECT_EQ(Log, std::vector<std::wstring>{L"KeyDown 27"}) << "the Escape character is swallowed";
}

TEST_F(TcxEditInputFixture, EnterValidatesWhenAsked)
{
  First->GetInternalProperties()->SetValidateOnEnter(true);
  First->Type(L"bad");
  try {
    SendKey(First, VK_RETURN);
    ADD_FAILURE() << "the invalid value was not reported";
  } catch (const EcxEditValidationError& E) {
    EXPECT_EQ(E.Message(), L"Invalid input value. Use escape key to abandon changes");
  }
  EXPECT_EQ(Log, (std::vector<std::wstring>{L"KeyDown 13", L"Validate bad"}));
  EXPECT_TRUE(First->GetValidationError());
  EXPECT_EQ(First->Inner()->GetText(), L"bad") << "the failed value stays shown";

  First->Type(L"good");
  Log.clear();
  SendKey(First, VK_RETURN);
  EXPECT_EQ(Log, (std::vector<std::wstring>{L"KeyDown 13", L"Validate good"}));
  EXPECT_FALSE(First->GetValidationError());
  EXPECT_EQ(First->GetEditValue(), rtl::Variant(L"good")) << "the valid value is stored";
}

// Leaving with a value its handler rejects: without evoAllowLoseFocus the
// focus stays (silently, or with the error reported as the editor's), and
// the editor keeps what was typed; with it the value is taken and the focus
// leaves.
TEST_F(TcxEditInputFixture, LeavingWithAnInvalidValue)
{
  using Option = TcxEditValidationOption;
  struct Case {
    const char* Name;
    TcxEditValidationOptions Options;
    const wchar_t* ErrorText;
    bool FocusLeaves;
    std::vector<std::wstring> Log;
  };
  const Case cases[] = {
      {"silent", {}, L"", false, {L"Validate bad"}},
      {"raising", {Option::evoRaiseException}, L"No!", false,
       {L"Validate bad", L"Exception EcxEditValidationError No!"}},
      {"allowed to leave", {Option::evoAllowLoseFocus}, L"", true, {L"Validate bad", L"Exit"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    First->SetFocus();
    kvtest::PumpMessages();
    First->GetInternalProperties()->SetValidationOptions(c.Options);
    RejectText = c.ErrorText;
    First->Type(L"bad");
    Log.clear();
    ExceptionSender = nullptr;
    Plain->SetFocus();
    kvtest::PumpMessages();
    EXPECT_EQ(Log, c.Log);
    EXPECT_EQ(HasFocus(First), !c.FocusLeaves);
    EXPECT_EQ(HasFocus(Plain), c.FocusLeaves);
    EXPECT_EQ(First->GetModifiedAfterEnter(), !c.FocusLeaves) << "what was typed is kept while focused";
    EXPECT_FALSE(First->GetIsHiding());
    if (!c.Log.empty() && c.Log.back().starts_with(L"Exception")) {
      EXPECT_EQ(ExceptionSender, First) << "reported as the editor's";
    }
    First->Type(L"fine");
  }
}

TEST_F(TcxEditInputFixture, ReadOnlyEditorsIgnoreCutAndPaste)
{
  First->SetEditValue(rtl::Variant(L"keep"));
  First->GetInternalProperties()->SetReadOnly(true);
  SendMessageW(First->Inner()->GetHandle(), WM_CUT, 0, 0);
  SendMessageW(First->Inner()->GetHandle(), WM_PASTE, 0, 0);
  EXPECT_EQ(First->Inner()->GetText(), L"keep");
  EXPECT_FALSE(First->GetModifiedAfterEnter());
}

}  // namespace
