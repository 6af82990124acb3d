// What the page-control tests share: a windowless owner of the settings,
// the view info and a painter (the IcxTabControl a tab control would be),
// a painter whose metrics the test sets, and an event log.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "pagecontrol/cxPC.h"
#include "platform/vcl/Graphics.h"

namespace pctest {

// Tabs of the widths the test gives, on top, in a row as long as the control
// is wide less 20 pixels for each header button; no drawing.
class TPCMetricsPainter : public TcxPCCustomPainter {
  RTL_CLASS(TPCMetricsPainter, TcxPCCustomPainter)

 public:
  std::vector<int> Widths;
  int Height = 20;
  int MinWidth = 10;
  TSize Distance{0, 0};

  int CalculateTabNormalHeight() override { return Height; }
  int CalculateTabNormalWidth(TcxTabViewInfo* ATab) override
  {
    const int index = ATab->GetVisibleIndex();
    return index < static_cast<int>(Widths.size()) ? Widths[index] : 10;
  }
  int GetMinTabWidth(int) override { return MinWidth; }
  TSize GetTabsDistance() override { return Distance; }
  int GetHeaderButtonHeightBase() override { return 20; }
  int GetHeaderButtonWidthBase(TcxPCNavigatorButton) override { return 20; }
  TRect GetTabImageOffsets(int) override { return TRect{}; }
  TRect GetTabTextOffsets(int) override { return TRect{}; }
  TPoint GetTabContentOffsets(int) override { return TPoint{0, 0}; }
  TPoint GetTooLongTextContentOffsets(int) override { return TPoint{0, 0}; }
  bool IsTabDrawnDown(int) override { return false; }
  vcl::TColor GetTabColor(int) override { return vcl::clBtnFace; }
  void DrawTabs(TcxCanvas*) override {}
  void CalculateTabsPosition(TcxPCTabsPosition& APosition) override
  {
    const TRect bounds = FViewInfo->GetControlBounds();
    const int row = bounds.right - 20 * FViewInfo->NavigatorButtonCount();
    APosition.ExtendedTabsRect = TRect{0, 0, row, bounds.bottom};
    APosition.NormalTabsRect = APosition.ExtendedTabsRect;
    APosition.NormalRowWidth = row;
  }
};

// The windowless stand-in of a tab control.
class TPCTestControl : public rtl::TPersistent, public IcxTabControl {
  RTL_CLASS(TPCTestControl, rtl::TPersistent)
  RTL_INTERFACE_TABLE(IcxTabControl)

 public:
  void Create(int AWidth, int AHeight)
  {
    FBounds = TRect{0, 0, AWidth, AHeight};
    FFont = rtl::New<vcl::TFont>();
    FLookAndFeel = rtl::New<TcxLookAndFeel>(this);
    FProperties = rtl::New<TcxCustomTabControlProperties>(this);
    FViewInfo = rtl::New<TcxCustomTabControlViewInfo>(this);
  }
  void Destroy() override
  {
    FDestroying = true;
    rtl::FreeAndNil(FPainter);
    rtl::FreeAndNil(FViewInfo);
    rtl::FreeAndNil(FProperties);
    rtl::FreeAndNil(FLookAndFeel);
    rtl::FreeAndNil(FFont);
    inherited::Destroy();
  }

  HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override
  {
    return GetInterface(AIID, AObj) ? S_OK : E_NOINTERFACE;
  }
  ULONG __stdcall AddRef() override { return static_cast<ULONG>(-1); }
  ULONG __stdcall Release() override { return static_cast<ULONG>(-1); }

  // The painter of that class for this control's view info.
  template <class T>
  T* SetPainter()
  {
    rtl::FreeAndNil(FPainter);
    T* painter = rtl::New<T>(FViewInfo);
    FPainter = painter;
    return painter;
  }
  void SetPainterClass(TcxPCPainterClass AClass)
  {
    rtl::FreeAndNil(FPainter);
    FPainter = AClass.Create(FViewInfo);
  }
  // A view info of that class in place of the standard one; the painter
  // goes with the old view info.
  template <class T>
  void UseViewInfo()
  {
    rtl::FreeAndNil(FPainter);
    rtl::FreeAndNil(FViewInfo);
    FViewInfo = rtl::New<T>(this);
  }
  void SetBounds(int AWidth, int AHeight) { FBounds = TRect{0, 0, AWidth, AHeight}; }
  // Captions "Tab0", "Tab1", ...
  void AddTabs(int ACount)
  {
    for (int i = 0; i < ACount; ++i)
      FProperties->GetTabs()->Add(L"Tab" + std::to_wstring(FProperties->GetTabs()->GetCount()));
  }
  int LayoutChanges = 0;

  bool IsDesigning() override { return false; }
  bool IsDestroying() override { return FDestroying; }
  bool IsLoading() override { return false; }
  TcxPCCustomPainter* GetPCPainter() override { return FPainter; }
  TcxCustomTabControlProperties* GetProperties() override { return FProperties; }
  TcxCustomTabControlViewInfo* GetViewInfo() override { return FViewInfo; }
  bool AllowParentBackground() override { return true; }
  TRect GetControlBoundsRect() override { return FBounds; }
  TcxCanvas* GetPaintCanvas() override { return nullptr; }
  vcl::TWinControl* GetOwnerControl() override { return nullptr; }
  vcl::TColor GetControlColor() override { return vcl::clBtnFace; }
  vcl::TFont* GetControlFont() override { return FFont; }
  TcxLookAndFeel* GetControlLookAndFeel() override { return FLookAndFeel; }
  void InvalidateArea(const TRect&, bool) override {}
  void DesignerModified() override {}
  bool GetControlEnabled() override { return true; }
  bool GetControlFocused() override { return false; }
  bool GetControlParentBackground() override { return false; }
  void LayoutChanged() override { ++LayoutChanges; }
  TdxScaleFactor* GetControlScaleFactor() override { return dxGetDefaultScaleFactor(); }

 private:
  TRect FBounds;
  vcl::TFont* FFont;
  TcxLookAndFeel* FLookAndFeel;
  TcxCustomTabControlProperties* FProperties;
  TcxCustomTabControlViewInfo* FViewInfo;
  TcxPCCustomPainter* FPainter;
  bool FDestroying;
};

using TPCControlPtr = rtl::TOwnedPtr<TPCTestControl>;

inline TPCControlPtr NewControl(int AWidth = 300, int AHeight = 200)
{
  return TPCControlPtr(rtl::New<TPCTestControl>(AWidth, AHeight));
}

// A control of 300 x 120 with the tabs "Model", "CRUD" and "Fields" (the
// first current) drawn by the painter class into a 24-bit bitmap over
// fuchsia. The classic drawing unless ANative: the look and feel would
// otherwise draw through Wine's theme.
struct TPCPainted {
  TPCControlPtr Control = NewControl(300, 120);
  rtl::TOwnedPtr<TcxBitmap> Bitmap{rtl::NewWith<TcxBitmap>([](TcxBitmap* B) {
    B->CreateSize(300, 120, vcl::TPixelFormat::pf24bit);
  })};

  explicit TPCPainted(TcxPCPainterClass APainterClass, TcxTabPosition APosition = TcxTabPosition::tpTop,
                      bool ANative = false, const std::function<void(TcxCustomTabControlProperties*)>& APrepare = {})
  {
    Control->GetControlLookAndFeel()->SetNativeStyle(ANative);
    Control->SetPainterClass(APainterClass);
    TcxCustomTabControlProperties* properties = Control->GetProperties();
    properties->SetTabPosition(APosition);
    for (const wchar_t* caption : {L"Model", L"CRUD", L"Fields"})
      properties->GetTabs()->Add(caption);
    if (APrepare)
      APrepare(properties);
    Paint();
  }
  void Paint()
  {
    Control->GetViewInfo()->Calculate();
    Bitmap->GetcxCanvas()->FillRect(Bitmap->GetClientRect(), vcl::clFuchsia);
    Control->GetPCPainter()->Paint(Bitmap->GetcxCanvas());
  }
  TcxPCCustomPainter* Painter() { return Control->GetPCPainter(); }
  TcxTabViewInfo* Tab(int AIndex) { return Control->GetViewInfo()->GetTabViewInfo(AIndex); }
  vcl::TColor Pixel(int X, int Y) { return GetPixel(Bitmap->GetcxCanvas()->GetHandle(), X, Y); }
  // Saved as PNG into the folder KV_RENDER_DIR names, for review by eye.
  void Save(const std::wstring& AName)
  {
    const char* folder = std::getenv("KV_RENDER_DIR");
    if (!folder)
      return;
    const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
    png->LoadFromBitmap(Bitmap.get());
    png->SaveToFile(std::wstring(folder, folder + std::strlen(folder)) + L"\\" + AName);
  }
};

inline vcl::TColor Rgb(vcl::TColor AColor)
{
  return vcl::ColorToRGB(AColor);
}

// Records the settings' events in the order they come.
class TPCEventLog : public rtl::TObject {
  RTL_CLASS(TPCEventLog, rtl::TObject)

 public:
  std::vector<std::string> Log;
  bool Allow = true;
  // Runs inside OnChanging when set.
  std::function<void()> OnChangingAction;

  void Hook(TcxCustomTabControlProperties* AProperties)
  {
    AProperties->SetOnChanging(TcxTabChangingEvent::Bind<&TPCEventLog::Changing>(this));
    AProperties->SetOnChange(rtl::TNotifyEvent::Bind<&TPCEventLog::Change>(this));
    AProperties->SetOnChanged(TcxCustomTabControlPropertiesChangedEvent::Bind<&TPCEventLog::Changed>(this));
  }
  void Changing(rtl::TObject*, bool& AllowChange)
  {
    Log.push_back("changing");
    if (OnChangingAction)
      OnChangingAction();
    AllowChange = Allow;
  }
  void Change(rtl::TObject*) { Log.push_back("change"); }
  void Changed(rtl::TObject*, TcxCustomTabControlPropertiesChangedType AType)
  {
    static const char* const names[] = {"hard", "medium", "simple", "light"};
    Log.push_back(names[static_cast<int>(AType)]);
  }
};

}  // namespace pctest
