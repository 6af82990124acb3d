#include "controls/dxDWMApi.h"

namespace {

struct TdxDWMApiBinding {
  HMODULE Library;
  TdxDWMApiFunctions Functions;
};

constinit TdxDWMApiBinding DWMApiBinding{};

template <class F>
void BindDWMFunction(F& AFunction, const char* AName)
{
  AFunction = reinterpret_cast<F>(GetProcAddress(DWMApiBinding.Library, AName));
}

DWORD WindowsMajorVersion()
{
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExW(&info);
#pragma GCC diagnostic pop
  return info.dwMajorVersion;
}

void dxDWMApiInitialization()
{
  dxDWMApiBind(WindowsMajorVersion());
}

void dxDWMApiFinalization()
{
  dxDWMApiUnbind();
}

}  // namespace

RTL_UNIT(dxDWMApi, &dxDWMApiInitialization, &dxDWMApiFinalization);

const TdxDWMApiFunctions& dxDWMApi()
{
  return DWMApiBinding.Functions;
}

void dxDWMApiBind(DWORD AMajorVersion)
{
  if (DWMApiBinding.Library || AMajorVersion <= 5)
    return;
  DWMApiBinding.Library = LoadLibraryW(L"dwmapi.dll");
  if (!DWMApiBinding.Library)
    return;
  TdxDWMApiFunctions& f = DWMApiBinding.Functions;
  BindDWMFunction(f.DwmDefWindowProc, "DwmDefWindowProc");
  BindDWMFunction(f.DwmEnableBlurBehindWindow, "DwmEnableBlurBehindWindow");
  BindDWMFunction(f.DwmEnableComposition, "DwmEnableComposition");
  BindDWMFunction(f.DwmEnableMMCSS, "DwmEnableMMCSS");
  BindDWMFunction(f.DwmExtendFrameIntoClientArea, "DwmExtendFrameIntoClientArea");
  BindDWMFunction(f.DwmGetColorizationColor, "DwmGetColorizationColor");
  BindDWMFunction(f.DwmGetWindowAttribute, "DwmGetWindowAttribute");
  BindDWMFunction(f.DwmIsCompositionEnabled, "DwmIsCompositionEnabled");
  BindDWMFunction(f.DwmSetWindowAttribute, "DwmSetWindowAttribute");
  BindDWMFunction(f.DwmSetIconicThumbnail, "DwmSetIconicThumbnail");
  BindDWMFunction(f.DwmSetIconicLivePreviewBitmap, "DwmSetIconicLivePreviewBitmap");
  BindDWMFunction(f.DwmInvalidateIconicBitmaps, "DwmInvalidateIconicBitmaps");
}

void dxDWMApiUnbind()
{
  if (DWMApiBinding.Library)
    FreeLibrary(DWMApiBinding.Library);
  DWMApiBinding = {};
}

bool cxIsDWMAvailable()
{
  return DWMApiBinding.Library != nullptr;
}

bool cxIsCompositionEnabled()
{
  if (!DWMApiBinding.Functions.DwmIsCompositionEnabled)
    return false;
  BOOL enabled = FALSE;
  return SUCCEEDED(DWMApiBinding.Functions.DwmIsCompositionEnabled(&enabled)) && enabled;
}
