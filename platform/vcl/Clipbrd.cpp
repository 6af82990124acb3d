#include "platform/vcl/Clipbrd.h"

#include <cstring>

#include "platform/rtl/ClassesThreads.h"
#include "platform/vcl/Graphics.h"

namespace vcl {

namespace {

TClipboard*& ClipboardVariable()
{
  static TClipboard* clipboard = nullptr;
  return clipboard;
}

void ClipbrdFinalization()
{
  rtl::FreeAndNil(ClipboardVariable());
}

}  // namespace

RTL_UNIT(Clipbrd, nullptr, &ClipbrdFinalization);

TClipboard* Clipboard()
{
  TClipboard*& clipboard = ClipboardVariable();
  if (!clipboard)
    clipboard = rtl::New<TClipboard>();
  return clipboard;
}

TClipboard* SetClipboard(TClipboard* ANewClipboard)
{
  TClipboard* old = ClipboardVariable();
  ClipboardVariable() = ANewClipboard;
  return old;
}

void TClipboard::Destroy()
{
  if (FOpenRefCount > 0) {
    FOpenRefCount = 1;
    Close();
  }
  inherited::Destroy();
}

void TClipboard::Open()
{
  if (FOpenRefCount == 0) {
    // The clipboard remembers its owner window; a hidden one of our own
    // serves, as no application window exists here.
    FClipboardWindow = rtl::AllocateHWnd(rtl::TWndMethod::Bind<&TClipboard::WndProc>(this));
    if (!OpenClipboard(FClipboardWindow)) {
      const DWORD error = GetLastError();
      rtl::DeallocateHWnd(FClipboardWindow);
      FClipboardWindow = nullptr;
      throw EClipboardException(L"Cannot open clipboard: " + rtl::SysErrorMessage(error));
    }
    FEmptied = false;
  }
  ++FOpenRefCount;
}

void TClipboard::Close()
{
  if (FOpenRefCount == 0)
    return;
  if (--FOpenRefCount > 0)
    return;
  CloseClipboard();
  rtl::DeallocateHWnd(FClipboardWindow);
  FClipboardWindow = nullptr;
}

void TClipboard::Clear()
{
  Open();
  EmptyClipboard();
  FEmptied = true;
  Close();
}

void TClipboard::Adding()
{
  if (FOpenRefCount != 0 && !FEmptied) {
    EmptyClipboard();
    FEmptied = true;
  }
}

String TClipboard::GetAsText()
{
  Open();
  String result;
  try {
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      // The block may be larger than the text and, from a careless writer,
      // lack the terminating zero: the length stops at either.
      const TGlobalLock<> lock(data);
      if (const auto* text = static_cast<const wchar_t*>(lock.Get())) {
        const std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
        result.assign(text, wcsnlen(text, capacity));
      }
    }
  } catch (...) {
    Close();
    throw;
  }
  Close();
  return result;
}

void TClipboard::SetAsText(const String& AValue)
{
  SetBuffer(CF_UNICODETEXT, AValue.c_str(), static_cast<int>((AValue.size() + 1) * sizeof(wchar_t)));
}

HANDLE TClipboard::GetAsHandle(WORD AFormat)
{
  Open();
  HANDLE result = GetClipboardData(AFormat);
  Close();
  return result;
}

void TClipboard::SetAsHandle(WORD AFormat, HANDLE AValue)
{
  Open();
  Adding();
  if (!SetClipboardData(AFormat, AValue)) {
    const DWORD error = GetLastError();
    Close();
    rtl::RaiseLastOSError(error);
  }
  Close();
}

void TClipboard::SetBuffer(WORD AFormat, const void* ABuffer, int ASize)
{
  Open();
  try {
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, ASize);
    if (!data)
      throw EOutOfMemory(L"Out of memory");
    {
      const TGlobalLock<> lock(data);
      if (!lock.Get()) {
        const DWORD error = GetLastError();
        GlobalFree(data);
        rtl::RaiseLastOSError(error);
      }
      std::memcpy(lock.Get(), ABuffer, ASize);
    }
    Adding();
    // Only a block the clipboard accepted is the clipboard's to free.
    if (!SetClipboardData(AFormat, data)) {
      const DWORD error = GetLastError();
      GlobalFree(data);
      rtl::RaiseLastOSError(error);
    }
  } catch (...) {
    Close();
    throw;
  }
  Close();
}

bool TClipboard::HasFormat(WORD AFormat) const
{
  return IsClipboardFormatAvailable(AFormat);
}

int TClipboard::GetFormatCount() const
{
  return CountClipboardFormats();
}

WORD TClipboard::GetFormats(int AIndex) const
{
  // EnumClipboardFormats wants the clipboard open.
  TClipboard* self = const_cast<TClipboard*>(this);
  self->Open();
  UINT format = 0;
  for (int i = 0; i <= AIndex; ++i) {
    format = EnumClipboardFormats(format);
    if (format == 0)
      break;
  }
  self->Close();
  return static_cast<WORD>(format);
}

void TClipboard::Assign(rtl::TPersistent* ASource)
{
  if (rtl::Is<TPicture>(ASource)) {
    if (TGraphic* graphic = static_cast<TPicture*>(ASource)->GetGraphic())
      AssignGraphic(graphic);
    return;
  }
  if (rtl::Is<TGraphic>(ASource)) {
    AssignGraphic(static_cast<TGraphic*>(ASource));
    return;
  }
  inherited::Assign(ASource);
}

void TClipboard::AssignGraphic(TGraphic* AGraphic)
{
  Open();
  try {
    Adding();
    WORD format = 0;
    HANDLE data = nullptr;
    HPALETTE palette = nullptr;
    AGraphic->SaveToClipboardFormat(format, data, palette);
    if (data)
      SetClipboardData(format, data);
    if (palette)
      SetClipboardData(CF_PALETTE, palette);
  } catch (...) {
    Close();
    throw;
  }
  Close();
}

void TClipboard::WndProc(rtl::TMessage& AMessage)
{
  AMessage.Result = DefWindowProcW(FClipboardWindow, AMessage.Msg, AMessage.WParam, AMessage.LParam);
}

}  // namespace vcl
