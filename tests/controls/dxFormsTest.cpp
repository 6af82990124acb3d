// The system's base forms: a DPI change arriving as WM_DPICHANGED on a real
// window, the requests it ignores, and the image lists a form takes for its
// DPI.
#include <gtest/gtest.h>

#include "controls/dxForms.h"
#include "core/cxGeometry.h"
#include "platform/rtl/TypInfo.h"
#include "platform/vcl/ImgList.h"

using rtl::TOwnedPtr;

namespace {

TOwnedPtr<TdxForm> NewDxForm()
{
  TOwnedPtr<TdxForm> form(rtl::NewWith<TdxForm>([](TdxForm* F) { F->CreateNew(nullptr); }));
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

}  // namespace

TEST(dxFormsTest, WmDpiChangedScalesTheClientAreaAndKeepsTheFrameAndPosition)
{
  TOwnedPtr<TdxForm> form = NewDxForm();
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
}
