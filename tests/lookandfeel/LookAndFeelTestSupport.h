// Painters with a chosen name and style, registered for one test and
// unregistered (freed) at its end; a memory surface the painters draw on.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "graphics/cxGraphics.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "tests/platform/vcl/GraphicsTestSupport.h"

namespace lnftest {

class TTestPainter : public TcxCustomLookAndFeelPainter {
  RTL_CLASS(TTestPainter, TcxCustomLookAndFeelPainter)

 public:
  rtl::String Name;
  TcxLookAndFeelStyle Style = TcxLookAndFeelStyle::lfsStandard;
  // Set to true when the painter is freed; the test owns the flag.
  bool* Freed = nullptr;

  rtl::String LookAndFeelName() override { return Name; }
  TcxLookAndFeelStyle LookAndFeelStyle() override { return Style; }
  void Destroy() override
  {
    if (Freed)
      *Freed = true;
    inherited::Destroy();
  }
};

inline TTestPainter* NewPainter(const rtl::String& AName, TcxLookAndFeelStyle AStyle, bool* AFreed = nullptr)
{
  return rtl::NewWith<TTestPainter>([&](TTestPainter* P) {
    P->Name = AName;
    P->Style = AStyle;
    P->Freed = AFreed;
  });
}

// Registers painters for the scope of a test on a manager emptied of the
// painters registered at start-up; those still registered at its end are
// unregistered again and the start-up painters come back.
class TRegisteredPainters {
 public:
  TRegisteredPainters()
  {
    TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
    while (manager->GetCount() > 0)
      manager->Unregister(manager->GetItem(0)->LookAndFeelName());
  }
  TRegisteredPainters(const TRegisteredPainters&) = delete;
  TRegisteredPainters& operator=(const TRegisteredPainters&) = delete;
  ~TRegisteredPainters()
  {
    for (const rtl::String& name : FNames)
      cxLookAndFeelPaintersManager()->Unregister(name);
    cxRegisterBuiltInPainters();
  }

  TTestPainter* Add(const rtl::String& AName, TcxLookAndFeelStyle AStyle, bool* AFreed = nullptr)
  {
    TTestPainter* painter = NewPainter(AName, AStyle, AFreed);
    if (!cxLookAndFeelPaintersManager()->Register(painter))
      return nullptr;
    FNames.push_back(AName);
    return painter;
  }

  // The four built-in styles as their painters will name themselves.
  void AddBuiltInStyles()
  {
    Add(L"Flat", TcxLookAndFeelStyle::lfsFlat);
    Add(L"Office11", TcxLookAndFeelStyle::lfsOffice11);
    Add(L"Standard", TcxLookAndFeelStyle::lfsStandard);
    Add(L"UltraFlat", TcxLookAndFeelStyle::lfsUltraFlat);
  }

 private:
  std::vector<rtl::String> FNames;
};

// A memory bitmap filled with ABackground, a framework canvas on its DC and
// the wrapper the painters draw through.
struct TCanvasSurface {
  TCanvasSurface(int AWidth, int AHeight, std::uint32_t ABackground)
      : Surface(AWidth, AHeight, ABackground),
        Canvas(rtl::NewWith<vcl::TCanvas>([&](vcl::TCanvas* C) {
          C->Create();
          C->SetHandle(Surface.DC());
        })),
        Wrapper(rtl::New<TcxCanvas>(Canvas.get()))
  {
  }
  std::uint32_t Pixel(int X, int Y) const { return Surface.Pixel(X, Y); }
  TcxCanvas* operator->() const { return Wrapper.get(); }
  TcxCanvas* Get() const { return Wrapper.get(); }

  vcltest::TSurface Surface;
  rtl::TOwnedPtr<vcl::TCanvas> Canvas;
  rtl::TOwnedPtr<TcxCanvas> Wrapper;
};

}  // namespace lnftest
