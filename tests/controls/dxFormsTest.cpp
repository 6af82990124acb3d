// The system's base forms: a DPI change arriving as WM_DPICHANGED on a real
// window, the requests it ignores, and the image lists a form takes for its
// DPI.
#include <gtest/gtest.h>

#include <cstddef>
#include <utility>
#include <vector>

#include "controls/cxControls.h"
#include "controls/cxWindowUtils.h"
#include "controls/dxForms.h"
#include "core/cxGeometry.h"
#include "platform/rtl/TypInfo.h"
#include "platform/vcl/ImgList.h"
#include "tests/support/TestHost.h"

using rtl::TOwnedPtr;

namespace {

template <class TForm = TdxForm>
TOwnedPtr<TForm> NewDxForm()
{
  TOwnedPtr<TForm> form(rtl::NewWith<TForm>([](TForm* F) { F->CreateNew(nullptr); }));
  form->SetBorderStyle(vcl::TFormBorderStyle::bsSizeable);
  form->SetPosition(vcl::TPosition::poDesigned);
  form->SetBounds(40, 30, 300, 200);
  // The window's real frame decides the client size: it is set on the window.
  form->HandleNeeded();
  form->SetClientWidth(400);
  form->SetClientHeight(300);
  return form;
}

// A component with a published image-list property, as a toolbar would be.
class TdxFormsTestImageUser : public rtl::TComponent {
  RTL_CLASS(TdxFormsTestImageUser, rtl::TComponent)
  RTL_PUBLISHED(RTL_PROPERTY(Images, GetImages, SetImages))

 public:
  vcl::TCustomImageList* GetImages() const { return FImages; }
  void SetImages(vcl::TCustomImageList* AValue) { FImages = AValue; }

 private:
  vcl::TCustomImageList* FImages = nullptr;
};

vcl::TImageList* NewNamedImageList(rtl::TComponent* AOwner, const wchar_t* AName)
{
  vcl::TImageList* result = rtl::New<vcl::TImageList>(AOwner);
  result->SetName(AName);
  return result;
}

// A child that counts the begin and end messages of scale changes.
class TdxFormsTestScaleWatcher : public kvtest::TTestPanel {
  RTL_CLASS(TdxFormsTestScaleWatcher, kvtest::TTestPanel)
  RTL_MESSAGES(RTL_MESSAGE(DXM_SCALECHANGING, DXMScaleChanging), RTL_MESSAGE(DXM_SCALECHANGED, DXMScaleChanged))

 public:
  int Changing = 0;
  int Changed = 0;

 private:
  void DXMScaleChanging(rtl::TMessage&) { ++Changing; }
  void DXMScaleChanged(rtl::TMessage&) { ++Changed; }
};

// A form whose reaction to a new scale fails once.
class TdxFormsTestFailingForm : public TdxForm {
  RTL_CLASS(TdxFormsTestFailingForm, TdxForm)

 public:
  bool Fail = false;

 protected:
  void ScaleFactorChanged(int M, int D) override
  {
    inherited::ScaleFactorChanged(M, D);
    if (std::exchange(Fail, false))
      throw rtl::Exception(L"scaling failed");
  }
};

class TdxFormsTestFloatForm : public TdxCustomFloatForm {
  RTL_CLASS(TdxFormsTestFloatForm, TdxCustomFloatForm)

 public:
  vcl::TCustomForm* OwnerForm = nullptr;
  vcl::TCustomForm* __stdcall FloatFormGetOwnerForm() override { return OwnerForm; }
};

template <class TForm>
void ExpectWmDpiChangedScalesTheClientArea()
{
  TOwnedPtr<TForm> form = NewDxForm<TForm>();
  ASSERT_EQ(form->GetClientWidth(), 400);
  ASSERT_EQ(form->GetClientHeight(), 300);
  const int startDPI = dxGetFormDPI(form.get());
  ASSERT_EQ(startDPI, 96) << "the tests run at 96 DPI";
  const TRect oldBounds = form->GetBoundsRect();
  const TRect oldClient = form->GetClientRect();

  // No suggested rectangle: the form keeps its top-left corner and frame.
  SendMessageW(form->GetHandle(), WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
  EXPECT_EQ(form->GetClientWidth(), 600);
  EXPECT_EQ(form->GetClientHeight(), 450);
  EXPECT_EQ(form->GetLeft(), oldBounds.left);
  EXPECT_EQ(form->GetTop(), oldBounds.top);
  EXPECT_EQ(form->GetWidth() - form->GetClientWidth(), cxRectGetWidth(oldBounds) - cxRectGetWidth(oldClient));
  EXPECT_EQ(dxGetFormDPI(form.get()), 144);
  EXPECT_EQ(form->GetPixelsPerInch(), 144);
  EXPECT_EQ(form->GetScaleFactor()->GetNumerator(), 3);
  EXPECT_EQ(form->GetScaleFactor()->GetDenominator(), 2);
  EXPECT_FALSE(TdxFormHelper::IsScaleChanging(form.get()));

  // A suggested rectangle is taken as it is.
  RECT suggested{10, 20, 510, 420};
  SendMessageW(form->GetHandle(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_TRUE(cxRectsEqual(form->GetBoundsRect(), TRect(suggested)));
  EXPECT_EQ(dxGetFormDPI(form.get()), 192);
  EXPECT_EQ(form->GetScaleFactor()->GetNumerator(), 2);
}

}  // namespace

TEST(dxFormsTest, WmDpiChangedScalesTheClientAreaAndKeepsTheFrameAndPosition)
{
  {
    SCOPED_TRACE("TdxForm");
    ExpectWmDpiChangedScalesTheClientArea<TdxForm>();
  }
  {
    SCOPED_TRACE("TdxCustomForm");
    ExpectWmDpiChangedScalesTheClientArea<TdxCustomForm>();
  }
}

TEST(dxFormsTest, AScaleChangeThatFailsStillEndsForTheFormAndEveryControl)
{
  TOwnedPtr<TdxFormsTestFailingForm> form = NewDxForm<TdxFormsTestFailingForm>();
  auto* watcher = rtl::New<TdxFormsTestScaleWatcher>(form.get());
  watcher->SetParent(form.get());
  form->Fail = true;
  EXPECT_THROW(form->ScaleForPPI(144, nullptr), rtl::Exception);
  EXPECT_EQ(watcher->Changing, 1);
  EXPECT_EQ(watcher->Changed, 1);
  EXPECT_FALSE(TdxFormHelper::IsScaleChanging(form.get()));
  // The next change is not taken for a nested one.
  form->ScaleForPPI(192, nullptr);
  EXPECT_EQ(dxGetFormDPI(form.get()), 192);
  EXPECT_EQ(watcher->Changed, 2);
}

TEST(dxFormsTest, TheVisibleAreaIsTheWindowInsideTheWorkAreaAndOnlyNewPartsRepaint)
{
  RECT workArea{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
  TOwnedPtr<vcl::TForm> form(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(nullptr); }));
  // Every pending repaint done.
  const auto validate = [&] {
    kvtest::PumpMessages();
    RedrawWindow(form->GetHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_FRAME | RDW_ALLCHILDREN);
    ASSERT_FALSE(GetUpdateRect(form->GetHandle(), nullptr, FALSE));
  };
  form->SetPosition(vcl::TPosition::poDesigned);
  form->Show();
  const struct {
    const char* Name;
    int Left;
    int Top;
    TRect Visible;
  } cases[] = {
      {"inside", workArea.left + 40, workArea.top + 30, {0, 0, 200, 100}},
      {"half off the left", workArea.left - 100, workArea.top + 30, {100, 0, 200, 100}},
      {"half off the top", workArea.left + 40, workArea.top - 50, {0, 50, 200, 100}},
      {"outside", workArea.right + 10, workArea.top + 30, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    form->SetBounds(c.Left, c.Top, 200, 100);
    kvtest::PumpMessages();
    TRect previous{-1, -1, -1, -1};
    TdxFormHelper::RepaintVisibleWindowArea(form->GetHandle(), previous);
    EXPECT_TRUE(cxRectsEqual(previous, c.Visible));
    // Nothing new became visible: nothing is repainted.
    validate();
    TdxFormHelper::RepaintVisibleWindowArea(form->GetHandle(), previous);
    EXPECT_FALSE(GetUpdateRect(form->GetHandle(), nullptr, FALSE));
  }
  // A window coming back from off the left repaints the part that appears.
  form->SetBounds(workArea.left - 100, workArea.top + 30, 200, 100);
  TRect previous{};
  TdxFormHelper::RepaintVisibleWindowArea(form->GetHandle(), previous);
  form->SetBounds(workArea.left + 40, workArea.top + 30, 200, 100);
  kvtest::PumpMessages();
  validate();
  TdxFormHelper::RepaintVisibleWindowArea(form->GetHandle(), previous);
  EXPECT_TRUE(GetUpdateRect(form->GetHandle(), nullptr, FALSE));
}

TEST(dxFormsTest, TheHostFormOfAControlOnAFloatingFormIsTheFormItBelongsTo)
{
  TOwnedPtr<TdxForm> mainForm = NewDxForm();
  TOwnedPtr<TdxFormsTestFloatForm> floatForm = NewDxForm<TdxFormsTestFloatForm>();
  floatForm->OwnerForm = mainForm.get();
  auto* onMain = rtl::New<kvtest::TTestPanel>(mainForm.get());
  onMain->SetParent(mainForm.get());
  auto* onFloat = rtl::New<kvtest::TTestPanel>(floatForm.get());
  onFloat->SetParent(floatForm.get());
  const struct {
    const char* Name;
    vcl::TControl* Control;
    vcl::TCustomForm* Host;
  } cases[] = {
      {"on a form", onMain, mainForm.get()},
      {"on a floating form", onFloat, mainForm.get()},
      {"the floating form itself", floatForm.get(), mainForm.get()},
      {"nothing", nullptr, nullptr},
  };
  for (const auto& c : cases)
    EXPECT_EQ(cxGetHostParentForm(c.Control), c.Host) << c.Name;
}

TEST(dxFormsTest, RequestsForTheCurrentOrATooLowDpiChangeNothing)
{
  TOwnedPtr<TdxForm> form = NewDxForm();
  const TRect bounds = form->GetBoundsRect();
  for (int dpi : {29, 96, 0}) {
    form->ScaleForPPI(dpi, nullptr);
    EXPECT_TRUE(cxRectsEqual(form->GetBoundsRect(), bounds)) << dpi;
    EXPECT_EQ(dxGetFormDPI(form.get()), 96) << dpi;
  }
  form->ScaleBy(3, 2);
  EXPECT_EQ(form->GetClientWidth(), 600);
  EXPECT_EQ(dxGetFormDPI(form.get()), 144);
}

TEST(dxFormsTest, ImageListsAreReplacedByTheListsMadeForTheTargetDpi)
{
  TOwnedPtr<rtl::TComponent> owner(rtl::New<rtl::TComponent>(nullptr));
  vcl::TImageList* images = NewNamedImageList(owner.get(), L"Images");
  vcl::TImageList* images120 = NewNamedImageList(owner.get(), L"Images120");
  vcl::TImageList* images144 = NewNamedImageList(owner.get(), L"Images144");
  vcl::TImageList* other2 = NewNamedImageList(owner.get(), L"Other2");
  struct TCase {
    vcl::TCustomImageList* From;
    int DPI;
    vcl::TCustomImageList* Expected;
  } const cases[] = {
      {images, 96, images},        {images, 120, images120}, {images, 144, images144},
      {images, 168, images144},    {images, 288, images144}, {images144, 96, images},
      {images144, 120, images120}, {other2, 144, other2},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(TdxFormImageListHelper::FindReplacement(c.From, c.DPI), c.Expected)
        << rtl::String(c.From->GetName()).c_str() << " at " << c.DPI;

  // Execute walks the published properties of the form's components.
  TOwnedPtr<rtl::TComponent> form(rtl::New<rtl::TComponent>(nullptr));
  auto* user = rtl::New<TdxFormsTestImageUser>(form.get());
  user->SetImages(images);
  TdxFormImageListHelper::Execute(144, form.get());
  EXPECT_EQ(user->GetImages(), images144);
  TdxFormImageListHelper::Execute(96, form.get());
  EXPECT_EQ(user->GetImages(), images);
}

TEST(dxFormsTest, RightToLeftLayoutMirrorsTheWindowAndDefaultRestoresIt)
{
  TOwnedPtr<TdxForm> form = NewDxForm();
  const auto exStyle = [&] { return GetWindowLongW(form->GetHandle(), GWL_EXSTYLE); };
  EXPECT_FALSE(exStyle() & WS_EX_LAYOUTRTL);
  form->SetRightToLeftLayout(TdxDefaultBoolean::bTrue);
  EXPECT_TRUE(form->IsRightToLeftApplied());
  EXPECT_TRUE(exStyle() & WS_EX_LAYOUTRTL);
  EXPECT_FALSE(exStyle() & (WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR));
  form->SetRightToLeftLayout(TdxDefaultBoolean::bDefault);
  EXPECT_FALSE(form->IsRightToLeftApplied());
  EXPECT_FALSE(exStyle() & WS_EX_LAYOUTRTL);

  // Only the reading and alignment styles go.
  SetWindowLongW(form->GetHandle(), GWL_EXSTYLE, exStyle() | WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR);
  const LONG others = exStyle() & ~(WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR);
  TdxFormRightToLeftLayoutHelper::RemoveBiDiModeStyles(form.get());
  EXPECT_EQ(exStyle(), others);
}

namespace {

// A frame that keeps its own scale factor, as the system's frames do.
class TdxFormsTestScaledFrame : public vcl::TFrame, public IdxScaleFactor {
  RTL_CLASS(TdxFormsTestScaledFrame, vcl::TFrame)
  RTL_INTERFACES(IdxScaleFactor)

 public:
  TdxScaleFactor* __stdcall GetScaleFactor() override { return nullptr; }
};

// Form -> first (first child), last (last child) -> two children, the last
// windowed with a child of its own: every control in creation order.
std::vector<vcl::TControl*> NewNestedControls(TdxForm* AForm)
{
  std::vector<vcl::TControl*> result{AForm};
  const auto add = [&](vcl::TWinControl* AParent) {
    auto* panel = rtl::New<kvtest::TTestPanel>(AForm);
    panel->SetParent(AParent);
    result.push_back(panel);
    return panel;
  };
  add(add(AForm));
  vcl::TWinControl* last = add(AForm);
  add(last);
  add(add(last));
  return result;
}

void SetAllScalingFlags(const std::vector<vcl::TControl*>& AControls)
{
  using enum vcl::TScalingFlag;
  for (vcl::TControl* control : AControls)
    control->SetScalingFlags({sfLeft, sfTop, sfWidth, sfHeight, sfFont});
}

}  // namespace

TEST(dxFormsTest, ScalingFlagsAreClearOnEveryControlAfterTheFormShowsOrChangesDpi)
{
  TOwnedPtr<TdxForm> form = NewDxForm();
  const std::vector<vcl::TControl*> controls = NewNestedControls(form.get());
  const struct {
    const char* Name;
    void (*Change)(TdxForm* AForm);
  } cases[] = {
      // Shown at the DPI it has: nothing is scaled, the flags are reset.
      {"shown", [](TdxForm* AForm) { AForm->Show(); }},
      {"a DPI change", [](TdxForm* AForm) { SendMessageW(AForm->GetHandle(), WM_DPICHANGED, MAKEWPARAM(144, 144), 0); }},
      {"reset", [](TdxForm* AForm) { TdxFormHelper::ResetScalingFlags(AForm); }},
  };
  for (const auto& c : cases) {
    SetAllScalingFlags(controls);
    c.Change(form.get());
    for (std::size_t i = 0; i < controls.size(); ++i)
      EXPECT_TRUE(controls[i]->GetScalingFlags().Empty()) << c.Name << ", control " << i;
  }
}

TEST(dxFormsTest, AFloatingFormMayFirstShowOffTheMonitorsWhereAFormIsBroughtOntoOne)
{
  RECT workArea{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
  const int offLeft = workArea.right + 500;
  TOwnedPtr<TdxForm> form = NewDxForm();
  TOwnedPtr<TdxFormsTestFloatForm> floatForm = NewDxForm<TdxFormsTestFloatForm>();
  const struct {
    const char* Name;
    vcl::TCustomForm* Form;
    bool OnScreen;
  } cases[] = {{"form", form.get(), true}, {"floating form", floatForm.get(), false}};
  for (const auto& c : cases) {
    c.Form->SetLeft(offLeft);
    c.Form->Show();
    EXPECT_EQ(c.Form->GetLeft() < workArea.right, c.OnScreen) << c.Name;
  }
}

TEST(dxFormsTest, AFrameTakesTheDpiOfTheFormItsWindowIsCreatedOn)
{
  TOwnedPtr<vcl::TForm> form(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(nullptr); }));
  form->SetPixelsPerInch(144);
  form->SetCurrentPPI(144);
  const struct {
    const char* Name;
    vcl::TFrame* Frame;
    int Width;
    bool Registered;
  } cases[] = {
      {"a frame", rtl::New<vcl::TFrame>(form.get()), 150, true},
      {"a frame that scales itself", rtl::New<TdxFormsTestScaledFrame>(form.get()), 100, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    c.Frame->SetBounds(0, 0, 100, 60);
    c.Frame->SetParent(form.get());
    // Nothing happens until the frame's window exists.
    EXPECT_EQ(c.Frame->GetWidth(), 100);
    c.Frame->HandleNeeded();
    EXPECT_EQ(c.Frame->GetWidth(), c.Width);
    EXPECT_EQ(TdxFrameControllerManager::GetController(c.Frame) != nullptr, c.Registered);
  }
  // Recreating the window applies the same DPI: the frame is not scaled twice.
  vcl::TFrame* frame = cases[0].Frame;
  frame->RecreateWnd();
  frame->HandleNeeded();
  EXPECT_EQ(frame->GetWidth(), 150);
  EXPECT_EQ(frame->GetCurrentPPI(), 144);
  // The end of a scale change sets the frame's DPI to its form's again,
  // without scaling it.
  frame->SetCurrentPPI(96);
  frame->Perform(DXM_SCALECHANGED, 0, 0);
  EXPECT_EQ(frame->GetCurrentPPI(), 144);
  EXPECT_EQ(frame->GetWidth(), 150);

  // Unregistering detaches the controller; a freed frame takes its own.
  TdxFrameControllerManager::Unregister(frame->GetHandle());
  EXPECT_EQ(TdxFrameControllerManager::GetController(frame), nullptr);
  auto* second = rtl::New<vcl::TFrame>(form.get());
  second->SetParent(form.get());
  second->HandleNeeded();
  ASSERT_NE(TdxFrameControllerManager::GetController(second), nullptr);
  rtl::Free(second);
  EXPECT_EQ(TdxFrameControllerManager::GetController(second), nullptr);
}

TEST(dxFormsTest, AFrameFollowsTheDpiChangeOfItsFormOnce)
{
  TOwnedPtr<TdxForm> form = NewDxForm();
  auto* frame = rtl::New<vcl::TFrame>(form.get());
  frame->SetBounds(10, 10, 200, 100);
  frame->SetParent(form.get());
  frame->HandleNeeded();
  ASSERT_NE(TdxFrameControllerManager::GetController(frame), nullptr);

  SendMessageW(form->GetHandle(), WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
  EXPECT_EQ(form->GetClientWidth(), 600);
  EXPECT_EQ(form->GetClientHeight(), 450);
  EXPECT_TRUE(cxRectsEqual(frame->GetBoundsRect(), TRect{15, 15, 315, 165}));
  EXPECT_EQ(frame->GetCurrentPPI(), 144);
}
