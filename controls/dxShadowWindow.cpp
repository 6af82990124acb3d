#include "controls/dxShadowWindow.h"

#include <cstdint>
#include <cstring>

#include "controls/cxControls.h"
#include "controls/cxWindowUtils.h"
#include "controls/dxSystemInfo.h"
#include "core/cxGeometry.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/rtl/ClassesStreams.h"
#include "skins/dxSkinsCore.h"

bool cxIsDropShadowEnabled()
{
  TdxSystemInfo* info = cxGetSystemInfo();
  return info && info->GetIsDropShadow() && GetSystemMetrics(SM_REMOTESESSION) == 0;
}

bool cxCanUseLayeredShadow()
{
  if (!cxIsUpdateLayeredWindowAvailable())
    return false;
  TcxScreenCanvas* screen = cxScreenCanvas();
  const int bits = GetDeviceCaps(screen->GetHandle(), BITSPIXEL);
  screen->Dormant();
  return bits > 8;
}

TSize cxShadowBufferSize(const TSize& ABufferSize, const TSize& AWindowSize)
{
  const bool tooSmall = ABufferSize.cx < AWindowSize.cx || ABufferSize.cy < AWindowSize.cy;
  const bool tooLarge = ABufferSize.cx - AWindowSize.cx > 32 || ABufferSize.cy - AWindowSize.cy > 32;
  if (!tooSmall && !tooLarge)
    return ABufferSize;
  return {(AWindowSize.cx / 32 + 1) * 32, (AWindowSize.cy / 32 + 1) * 32};
}

// ---------------------------------------------------------------------------
// Resources by a walk of the directory

namespace {

// Reads the module's resource section with every offset checked against
// the section's size: a broken directory yields nothing, never a read past
// it.
class TResourceDirectoryReader {
 public:
  explicit TResourceDirectoryReader(HMODULE AModule) : FBase(reinterpret_cast<const std::byte*>(AModule))
  {
    if (!FBase)
      return;
    IMAGE_DOS_HEADER dos;
    std::memcpy(&dos, FBase, sizeof(dos));
    if (dos.e_magic != IMAGE_DOS_SIGNATURE)
      return;
    IMAGE_NT_HEADERS nt;
    std::memcpy(&nt, FBase + dos.e_lfanew, sizeof(nt));
    if (nt.Signature != IMAGE_NT_SIGNATURE ||
        nt.OptionalHeader.NumberOfRvaAndSizes <= IMAGE_DIRECTORY_ENTRY_RESOURCE)
      return;
    const IMAGE_DATA_DIRECTORY& directory = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE];
    FRoot = FBase + directory.VirtualAddress;
    FSize = directory.Size;
  }

  // The offset (from the root) of the entry's target matching AKey in the
  // directory at ADirectory: a subdirectory when AWantDirectory, else a data
  // entry; -1 when none. A nil AKey takes the first entry (the first
  // language).
  std::int64_t Find(std::uint32_t ADirectory, const wchar_t* AKey, bool AWantDirectory) const
  {
    IMAGE_RESOURCE_DIRECTORY dir;
    if (!Read(ADirectory, dir))
      return -1;
    const std::uint32_t count = std::uint32_t{dir.NumberOfNamedEntries} + dir.NumberOfIdEntries;
    for (std::uint32_t i = 0; i < count; ++i) {
      IMAGE_RESOURCE_DIRECTORY_ENTRY entry;
      if (!Read(ADirectory + sizeof(dir) + i * sizeof(entry), entry))
        return -1;
      if (AKey && !Matches(entry, AKey))
        continue;
      if (static_cast<bool>(entry.DataIsDirectory) != AWantDirectory)
        return -1;
      return entry.OffsetToDirectory;
    }
    return -1;
  }

  std::span<const std::byte> Data(std::uint32_t AEntry) const
  {
    IMAGE_RESOURCE_DATA_ENTRY data;
    if (!Read(AEntry, data))
      return {};
    // The data lies inside the image; it is mapped whole.
    return {FBase + data.OffsetToData, data.Size};
  }

  bool Valid() const { return FRoot != nullptr && FSize != 0; }

 private:
  template <class T>
  bool Read(std::uint64_t AOffset, T& AValue) const
  {
    if (AOffset + sizeof(T) > FSize)
      return false;
    std::memcpy(&AValue, FRoot + AOffset, sizeof(T));
    return true;
  }

  bool Matches(const IMAGE_RESOURCE_DIRECTORY_ENTRY& AEntry, const wchar_t* AKey) const
  {
    if (IS_INTRESOURCE(AKey))
      return !AEntry.NameIsString && AEntry.Id == reinterpret_cast<std::uintptr_t>(AKey);
    if (!AEntry.NameIsString)
      return false;
    WORD length = 0;
    if (!Read(AEntry.NameOffset, length) || AEntry.NameOffset + sizeof(WORD) + length * sizeof(wchar_t) > FSize)
      return false;
    const auto* name = reinterpret_cast<const wchar_t*>(FRoot + AEntry.NameOffset + sizeof(WORD));
    return CompareStringOrdinal(name, length, AKey, -1, TRUE) == CSTR_EQUAL;
  }

  const std::byte* FBase;
  const std::byte* FRoot = nullptr;
  std::uint64_t FSize = 0;
};

}  // namespace

std::span<const std::byte> dxFindModuleResourceData(HMODULE AModule, const wchar_t* AName, const wchar_t* AType)
{
  const TResourceDirectoryReader reader(AModule);
  if (!reader.Valid())
    return {};
  const std::int64_t type = reader.Find(0, AType, true);
  const std::int64_t name = type < 0 ? -1 : reader.Find(static_cast<std::uint32_t>(type), AName, true);
  const std::int64_t language = name < 0 ? -1 : reader.Find(static_cast<std::uint32_t>(name), nullptr, false);
  return language < 0 ? std::span<const std::byte>{} : reader.Data(static_cast<std::uint32_t>(language));
}

// ---------------------------------------------------------------------------
// TdxCustomShadowWindow

void TdxCustomShadowWindow::Create(vcl::TWinControl* AOwnerWindow)
{
  inherited::Create(nullptr);
  FOutputBuffer = nullptr;
  FOwnerWindow = AOwnerWindow;
  FShadowMask = rtl::New<TdxSkinImage>(nullptr);
  LoadShadowMask();
  FShadowColor = 0;
  FTransparent = cxCanUseLayeredShadow();
  FVisible = false;
  FControlStyle.Include(vcl::TControlStyleItem::csOverrideStylePaint);
  SetEnabled(false);
}

void TdxCustomShadowWindow::Destroy()
{
  FreeOutputBuffer();
  rtl::Free(FShadowMask);
  FShadowMask = nullptr;
  inherited::Destroy();
}

void TdxCustomShadowWindow::LoadShadowMask()
{
  const std::span<const std::byte> data =
      dxFindModuleResourceData(GetModuleHandleW(nullptr), L"DXSHADOWMASK", L"PNG");
  if (data.empty())
    return;
  rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  stream->Write(data.data(), static_cast<int>(data.size()));
  stream->SetPosition(0);
  FShadowMask->LoadFromStream(stream.get());
  FShadowMask->GetMargins()->SetMargin({5, 5, 5, 5});
}

void TdxCustomShadowWindow::FreeOutputBuffer()
{
  rtl::Free(FOutputBuffer);
  FOutputBuffer = nullptr;
}

void TdxCustomShadowWindow::CreateParams(vcl::TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  AParams.Style = WS_POPUP;
  if (!GetEnabled())
    AParams.Style |= WS_DISABLED;
  AParams.WndParent = FOwnerWindow && FOwnerWindow->HandleAllocated() ? FOwnerWindow->GetHandle() : nullptr;
  AParams.WindowClass.style = 0;
  AParams.ExStyle = 0;
  if (FTransparent)
    AParams.ExStyle |= WS_EX_LAYERED;
  if (AParams.WndParent && (GetWindowLongW(AParams.WndParent, GWL_EXSTYLE) & WS_EX_TOPMOST))
    AParams.ExStyle |= WS_EX_TOPMOST;
}

bool TdxCustomShadowWindow::GetVisible()
{
  return HandleAllocated() && IsWindowVisible(GetHandle());
}

void TdxCustomShadowWindow::SetVisible(bool AValue)
{
  if (AValue == GetVisible())
    return;
  if (AValue)
    Show();
  else
    Hide();
}

void TdxCustomShadowWindow::Show()
{
  const HWND owner = FOwnerWindow && FOwnerWindow->HandleAllocated() ? FOwnerWindow->GetHandle() : nullptr;
  cxSetWindowZOrder(GetHandle(), owner ? owner : HWND_TOP, false, SWP_SHOWWINDOW);
  Refresh();
}

void TdxCustomShadowWindow::Hide()
{
  if (!HandleAllocated())
    return;
  ShowWindow(GetHandle(), SW_HIDE);
  DestroyHandle();
}

void TdxCustomShadowWindow::Refresh()
{
  if (FTransparent)
    UpdateLayeredShadow();
  else
    Invalidate();
}

void TdxCustomShadowWindow::Resize()
{
  inherited::Resize();
  Refresh();
}

void TdxCustomShadowWindow::UpdateLayeredShadow()
{
  if (!GetVisible())
    return;
  const TSize window{GetWidth(), GetHeight()};
  if (window.cx <= 0 || window.cy <= 0)
    return;
  const TSize current = FOutputBuffer ? TSize{FOutputBuffer->GetWidth(), FOutputBuffer->GetHeight()} : TSize{};
  const TSize wanted = cxShadowBufferSize(current, window);
  if (!FOutputBuffer || wanted.cx != current.cx || wanted.cy != current.cy) {
    FreeOutputBuffer();
    FOutputBuffer = rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* B) { B->CreateSize(wanted.cx, wanted.cy, true); });
  }
  FOutputBuffer->Clear();
  DrawShadow(FOutputBuffer->GetcxCanvas());
  POINT source{0, 0};
  SIZE size{window.cx, window.cy};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  if (TcxUpdateLayeredWindowFunc update = cxUpdateLayeredWindowFunc())
    update(GetHandle(), nullptr, nullptr, &size, FOutputBuffer->GetcxCanvas()->GetHandle(), &source, 0, &blend,
           ULW_ALPHA);
}

void TdxCustomShadowWindow::DrawShadow(TcxCanvas* ACanvas)
{
  if (!FShadowMask->Empty())
    FShadowMask->Draw(ACanvas->GetHandle(), GetClientRect(), 0, TdxSkinElementState::esNormal);
}

void TdxCustomShadowWindow::Paint()
{
  vcl::TCanvas* canvas = GetCanvas();
  canvas->GetBrush()->SetColor(vcl::cl3DDkShadow);
  canvas->FillRect(GetClientRect());
}

void TdxCustomShadowWindow::SetShadowColor(vcl::TColor AValue)
{
  if (AValue == FShadowColor || AValue == vcl::clNone || AValue == vcl::clDefault)
    return;
  FShadowColor = AValue;
  if (TdxSmartImage* texture = FShadowMask->GetTexture())
    texture->ChangeColor(AValue);
  FShadowMask->FlushCache();
  UpdateLayeredShadow();
}

void TdxCustomShadowWindow::SetTransparent(bool AValue)
{
  const bool value = AValue && cxCanUseLayeredShadow();
  if (value == FTransparent)
    return;
  FreeOutputBuffer();
  FTransparent = value;
  if (HandleAllocated())
    RecreateWnd();
}

void TdxCustomShadowWindow::WMNCHitTest(vcl::TMessage& AMessage)
{
  AMessage.Result = HTTRANSPARENT;
}

void TdxCustomShadowWindow::WMEraseBkgnd(vcl::TMessage& AMessage)
{
  AMessage.Result = 0;
}

// A layered window's content comes from UpdateLayeredWindow: painting only
// validates.
void TdxCustomShadowWindow::WMPaint(vcl::TWMPaint& AMessage)
{
  if (!FTransparent) {
    inherited::WMPaint(AMessage);
    return;
  }
  PAINTSTRUCT paint{};
  BeginPaint(GetHandle(), &paint);
  EndPaint(GetHandle(), &paint);
  AMessage.Result = 0;
}
