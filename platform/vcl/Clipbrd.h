// The Clipbrd unit: TClipboard and the process's clipboard object,
// Clipboard().
//
// Open and Close nest: the Windows clipboard stays open until the outermost
// Close, so a caller can put several formats between one Open and Close.
// The first format added inside an opening empties the clipboard, so the
// formats placed together replace what was there before.
#pragma once

#include <windows.h>

#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemUnits.h"

namespace vcl {

class TGraphic;

using rtl::String;

using rtl::Exception;
RTL_DECLARE_EXCEPTION(EClipboardException, Exception);

class TClipboard : public rtl::TPersistent {
  RTL_CLASS(TClipboard, rtl::TPersistent)

 public:
  void Create() {}
  // An opening left behind is closed, so the clipboard is not held.
  void Destroy() override;

  // Raises EClipboardException "Cannot open clipboard: <reason>" when
  // another window holds it.
  void Open();
  // Nothing when not open.
  void Close();
  // Empties the clipboard.
  void Clear();

  // CF_UNICODETEXT; "" when the clipboard holds no text.
  String GetAsText();
  void SetAsText(const String& AValue);
  // The clipboard's handle of the format (owned by the clipboard), or nil.
  HANDLE GetAsHandle(WORD AFormat);
  // The clipboard takes AValue over. When it raises (the clipboard held
  // elsewhere, or the handle refused), AValue stays the caller's to free.
  void SetAsHandle(WORD AFormat, HANDLE AValue);
  // Copies ASize bytes into a new global block for the format.
  void SetBuffer(WORD AFormat, const void* ABuffer, int ASize);
  bool HasFormat(WORD AFormat) const;
  int GetFormatCount() const;
  // The formats on the clipboard in the order Windows lists them.
  WORD GetFormats(int AIndex) const;

  // A graphic (or a picture's graphic) puts what its SaveToClipboardFormat
  // gives; the clipboard is opened and emptied first, so a graphic may
  // place further formats of its own from there. Anything else goes to
  // the inherited Assign.
  void Assign(rtl::TPersistent* ASource) override;

 private:
  // Empties the clipboard on the first format added inside an opening.
  void Adding();
  void AssignGraphic(TGraphic* AGraphic);
  void WndProc(rtl::TMessage& AMessage);

  HWND FClipboardWindow;
  int FOpenRefCount;
  bool FEmptied;
};

// The process's clipboard object, made on first use and freed when the unit
// finishes.
TClipboard* Clipboard();
// Replaces the clipboard object and answers the previous one (the caller
// frees it).
TClipboard* SetClipboard(TClipboard* ANewClipboard);

RTL_DECLARE_UNIT(Clipbrd);

}  // namespace vcl
