#include "core/dxThemeManager.h"

#include <array>
#include <vector>

#include "core/dxUxTheme.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/ClassesThreads.h"
#include "platform/rtl/SysUtils.h"

// The hidden window that hears the theme change, which Windows sends to
// every top-level window. One instance, made by the unit's start step.
class TdxThemeChangedEventReceiver : public rtl::TObject {
  RTL_CLASS(TdxThemeChangedEventReceiver, rtl::TObject)

 public:
  void Create();
  void Destroy() override;

 private:
  void WndProc(rtl::TMessage& AMessage);
  void ThemeChanged(rtl::TMessage& AMessage);
  void NotifyListeners();

  HWND FWindowHandle;
};

namespace {

struct TThemeRecord {
  HTHEME Handle = nullptr;
  rtl::String ClassList;
};

using TThemeCache = std::array<TThemeRecord, rtl::EnumCount<TdxThemedObjectType>()>;

constexpr const wchar_t* DefaultClassLists[] = {
    L"Button",    L"Clock",      L"ComboBox",   L"Edit",       L"ExplorerBar", L"Header",   L"ListBox",
    L"ListView",  L"Menu",       L"Page",       L"Progress",   L"Rebar",       L"ScrollBar", L"Spin",
    L"StartPanel", L"Status",    L"Tab",        L"TaskBand",   L"TaskBar",     L"ToolBar",  L"ToolTip",
    L"TrackBar",  L"TrayNotify", L"TreeView",   L"Window",     L"Navigation",  L"Explorer::ListView",
    L"TEXTSTYLE"};
static_assert(std::size(DefaultClassLists) == rtl::EnumCount<TdxThemedObjectType>());

bool ThemesActive;
TThemeCache* ThemeCache;
TdxThemeChangedEventReceiver* Receiver;
// The notificators, in creation order.
rtl::TList* Listeners;

TThemeRecord& RecordOf(TdxThemedObjectType AKind)
{
  return (*ThemeCache)[AKind];
}

void StartStep()
{
  if (!dxUxThemeLibraryLoaded())
    return;
  ThemesActive = dxUxIsThemeActive();
  Receiver = rtl::New<TdxThemeChangedEventReceiver>();
  Listeners = rtl::New<rtl::TList>();
}

void FinishStep()
{
  if (!dxUxThemeLibraryLoaded())
    return;
  rtl::FreeAndNil(Receiver);
  dxCloseAllThemes();
  rtl::FreeAndNil(Listeners);
}

void dxThemeManagerInitialization()
{
  ThemeCache = new TThemeCache();
  // An executable runs the start step at once; the finish step runs when
  // the unit finishes.
  StartStep();
}

void dxThemeManagerFinalization()
{
  FinishStep();
  delete ThemeCache;
  ThemeCache = nullptr;
}

rtl::String ExtractFileName(const rtl::String& APath)
{
  const std::size_t separator = APath.find_last_of(L"\\/:");
  return separator == rtl::String::npos ? APath : APath.substr(separator + 1);
}

}  // namespace

RTL_UNIT(dxThemeManager, &dxThemeManagerInitialization, &dxThemeManagerFinalization);

// ---------------------------------------------------------------------------
// TdxThemeChangedEventReceiver

void TdxThemeChangedEventReceiver::Create()
{
  FWindowHandle = rtl::AllocateHWnd(rtl::TWndMethod::Bind<&TdxThemeChangedEventReceiver::WndProc>(this));
}

void TdxThemeChangedEventReceiver::Destroy()
{
  ThemesActive = false;
  rtl::DeallocateHWnd(FWindowHandle);
  FWindowHandle = nullptr;
}

void TdxThemeChangedEventReceiver::WndProc(rtl::TMessage& AMessage)
{
  if (AMessage.Msg == WM_THEMECHANGED || AMessage.Msg == WM_SYSCOLORCHANGE)
    ThemeChanged(AMessage);
  else
    AMessage.Result = DefWindowProcW(FWindowHandle, AMessage.Msg, AMessage.WParam, AMessage.LParam);
}

void TdxThemeChangedEventReceiver::ThemeChanged(rtl::TMessage& AMessage)
{
  // One handler around the whole walk: a listener that raises ends the walk.
  try {
    dxCloseAllThemes();
    DefWindowProcW(FWindowHandle, AMessage.Msg, AMessage.WParam, AMessage.LParam);
    ThemesActive = dxUxIsThemeActive();
    NotifyListeners();
  } catch (...) {
    rtl::HandleCallbackException(this);
  }
  AMessage.Result = 0;
}

void TdxThemeChangedEventReceiver::NotifyListeners()
{
  if (!Listeners)
    return;
  // A listener may free itself or others, or create new ones, while it is
  // told: the walk covers those present when it began and skips those gone
  // meanwhile, instead of reading past the shrunken list.
  const std::vector<void*> snapshot(Listeners->List(), Listeners->List() + Listeners->GetCount());
  for (void* listener : snapshot)
    if (Listeners && Listeners->IndexOf(listener) >= 0)
      static_cast<TdxThemeChangedNotificator*>(listener)->DoThemeChanged();
}

// ---------------------------------------------------------------------------
// TdxThemeChangedNotificator

void TdxThemeChangedNotificator::Create()
{
  if (dxUxThemeLibraryLoaded() && Listeners)
    Listeners->Add(this);
}

void TdxThemeChangedNotificator::Destroy()
{
  if (dxUxThemeLibraryLoaded() && Listeners)
    Listeners->Remove(this);
}

void TdxThemeChangedNotificator::DoThemeChanged()
{
  if (FOnThemeChanged)
    FOnThemeChanged(this);
}

// ---------------------------------------------------------------------------
// Theme handles

bool dxThemesAvailable(TdxThemedObjectTypes AKinds)
{
  if (!ThemesActive || !dxUxThemeLibraryLoaded())
    return false;
  for (int kind = 0; kind < rtl::EnumCount<TdxThemedObjectType>(); ++kind)
    if (AKinds.Contains(static_cast<TdxThemedObjectType>(kind)) &&
        !dxOpenTheme(static_cast<TdxThemedObjectType>(kind)))
      return false;
  return true;
}

bool dxThemeClassAvailable(TdxThemedObjectType AKind)
{
  return ThemesActive && dxUxThemeLibraryLoaded() && dxOpenTheme(AKind);
}

HTHEME dxOpenTheme(TdxThemedObjectType AKind, const wchar_t* AClassList)
{
  if (!dxThemesAvailable() || !ThemeCache)
    return nullptr;
  TThemeRecord& record = RecordOf(AKind);
  if (record.Handle) {
    if (!AClassList || dxSameTextUpper(AClassList, record.ClassList))
      return record.Handle;
    dxCloseThemeOf(AKind);
  }
  rtl::String classList = AClassList                  ? rtl::String(AClassList)
                          : !record.ClassList.empty() ? record.ClassList
                                                      : rtl::String(DefaultClassLists[AKind]);
  record.Handle = dxUxOpenThemeData(nullptr, classList.c_str());
  if (record.Handle)
    record.ClassList = std::move(classList);
  else
    record.ClassList.clear();
  return record.Handle;
}

HRESULT dxCloseThemeOf(TdxThemedObjectType AKind)
{
  if (!dxThemesAvailable() || !ThemeCache)
    return S_FALSE;
  TThemeRecord& record = RecordOf(AKind);
  if (!record.Handle)
    return S_OK;
  const HRESULT result = dxUxCloseThemeData(record.Handle);
  record.Handle = nullptr;
  record.ClassList.clear();
  return result;
}

void dxCloseAllThemes()
{
  if (!ThemeCache)
    return;
  for (TThemeRecord& record : *ThemeCache) {
    if (record.Handle)
      dxUxCloseThemeData(record.Handle);
    record.Handle = nullptr;
  }
}

bool dxIsClassicXPVisualStyle()
{
  if (!dxThemesAvailable())
    return false;
  wchar_t fileName[1024] = {};
  if (dxUxGetCurrentThemeName(fileName, static_cast<int>(std::size(fileName)), nullptr, 0, nullptr, 0) != S_OK)
    return false;
  const rtl::String name = rtl::AnsiUpperCase(ExtractFileName(fileName));
  return name == L"LUNA.MSSTYLES" || name == L"ROYALE.MSSTYLES";
}

bool dxSameTextUpper(const rtl::String& A, const rtl::String& B)
{
  return rtl::AnsiUpperCase(A) == rtl::AnsiUpperCase(B);
}
