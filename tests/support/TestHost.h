// The windows the control tests put their controls on: a top-level window
// standing in for a form, a plain windowed child, and a fixture with a shown
// host whose controls go with it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/rtl/ClassesComponents.h"
#include "platform/vcl/Controls.h"
#include "tests/support/TestSupport.h"

namespace kvtest {

// A hidden top-level popup that takes child controls. It stays above other
// programs' windows on the shared display, so the points a test sends are
// its own. Tests derive from it to paint or record.
class TTestHost : public vcl::TCustomControl {
  RTL_CLASS(TTestHost, vcl::TCustomControl)

 public:
  void Create(rtl::TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    FVisible = false;
    FControlStyle.Include(vcl::TControlStyleItem::csAcceptsControls);
  }

 protected:
  void CreateParams(vcl::TCreateParams& AParams) override
  {
    inherited::CreateParams(AParams);
    AParams.Style = WS_POPUP | WS_CLIPCHILDREN;
    AParams.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    AParams.WndParent = nullptr;
  }
  bool IsTopLevelHost() const override { return true; }
};

// A plain windowed child that takes child controls.
class TTestPanel : public vcl::TCustomControl {
  RTL_CLASS(TTestPanel, vcl::TCustomControl)

 public:
  void Create(rtl::TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    FControlStyle.Include(vcl::TControlStyleItem::csAcceptsControls);
  }
};

// A test with a shown host window 400 x 300 at (10, 10); its controls go
// with it when the case ends.
class THostedTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    FHost.reset(rtl::New<TTestHost>(nullptr));
    FHost->SetBounds(10, 10, 400, 300);
    FHost->Show();
  }
  void TearDown() override
  {
    FHost.reset();
    PumpMessages();
  }

  // A control of T on the host at ABounds.
  template <class T>
  T* AddChild(vcl::TRect ABounds)
  {
    T* child = rtl::New<T>(FHost.get());
    child->SetBoundsRect(ABounds);
    child->SetParent(FHost.get());
    return child;
  }

  rtl::TOwnedPtr<TTestHost> FHost;
};

}  // namespace kvtest
