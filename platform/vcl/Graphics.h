// The Graphics unit:
//   TColor and the colour constants, ColorToRGB, ColorToIdent/IdentToColor
//   TGraphicsObject, TFont, TBrush, TPen (each caching its GDI object)
//   TCanvas (drawing on a DC it borrows), TBitmapCanvas
//   TGraphic, TBitmap, TIcon, TMetafile, TMetafileCanvas
//   TPicture with the file- and clipboard-format registry, GraphicFilter
//
// GDI objects are made when their Handle is first asked for and dropped when
// the object changes. A canvas selects them lazily, before the drawing call
// that needs them, and leaves the DC with the objects it found in it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/TypInfo.h"
#include "platform/vcl/GraphicsHandles.h"

namespace vcl {

using rtl::String;
using TRect = ::RECT;
using TPoint = ::POINT;
using TSize = ::SIZE;

using rtl::EOutOfMemory;
using rtl::Exception;
RTL_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
RTL_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);
RTL_DECLARE_EXCEPTION(EOutOfResources, EOutOfMemory);

// ---------------------------------------------------------------------------
// Colours

// $00BBGGRR for an RGB colour; $FF0000nn for system colour nn (COLOR_*);
// clNone and clDefault are markers that callers interpret.
using TColor = std::int32_t;

inline constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000);

inline constexpr TColor clScrollBar = clSystemColor | COLOR_SCROLLBAR;
inline constexpr TColor clBackground = clSystemColor | COLOR_BACKGROUND;
inline constexpr TColor clActiveCaption = clSystemColor | COLOR_ACTIVECAPTION;
inline constexpr TColor clInactiveCaption = clSystemColor | COLOR_INACTIVECAPTION;
inline constexpr TColor clMenu = clSystemColor | COLOR_MENU;
inline constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
inline constexpr TColor clWindowFrame = clSystemColor | COLOR_WINDOWFRAME;
inline constexpr TColor clMenuText = clSystemColor | COLOR_MENUTEXT;
inline constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
inline constexpr TColor clCaptionText = clSystemColor | COLOR_CAPTIONTEXT;
inline constexpr TColor clActiveBorder = clSystemColor | COLOR_ACTIVEBORDER;
inline constexpr TColor clInactiveBorder = clSystemColor | COLOR_INACTIVEBORDER;
inline constexpr TColor clAppWorkSpace = clSystemColor | COLOR_APPWORKSPACE;
inline constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
inline constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
inline constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
inline constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
inline constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
inline constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
inline constexpr TColor clInactiveCaptionText = clSystemColor | COLOR_INACTIVECAPTIONTEXT;
inline constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
inline constexpr TColor cl3DDkShadow = clSystemColor | COLOR_3DDKSHADOW;
inline constexpr TColor cl3DLight = clSystemColor | COLOR_3DLIGHT;
inline constexpr TColor clInfoText = clSystemColor | COLOR_INFOTEXT;
inline constexpr TColor clInfoBk = clSystemColor | COLOR_INFOBK;
inline constexpr TColor clHotLight = clSystemColor | COLOR_HOTLIGHT;
inline constexpr TColor clGradientActiveCaption = clSystemColor | COLOR_GRADIENTACTIVECAPTION;
inline constexpr TColor clGradientInactiveCaption = clSystemColor | COLOR_GRADIENTINACTIVECAPTION;
inline constexpr TColor clMenuHighlight = clSystemColor | COLOR_MENUHILIGHT;
inline constexpr TColor clMenuBar = clSystemColor | COLOR_MENUBAR;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clLtGray = 0xC0C0C0;
inline constexpr TColor clDkGray = 0x808080;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// A system colour becomes the current GetSysColor value; any other value is
// returned unchanged (clNone and clDefault included: callers test for them
// before resolving).
TColor ColorToRGB(TColor AColor);

// The framework's colour names ("clBtnFace"), as form files write them.
bool ColorToIdent(TColor AColor, String& AIdent);
bool IdentToColor(const String& AIdent, TColor& AColor);
// The type record of TColor properties (RTL_PROPTYPE(TypeInfoTColor)):
// form files store colours by name where one has a name (clBtnFace).
inline constexpr rtl::TTypeInfo TypeInfoTColor{.Kind = rtl::TTypeKind::tkInteger,
                                              .Name = L"TColor",
                                              .MinValue = INT32_MIN,
                                              .MaxValue = INT32_MAX,
                                              .IdentToInt = &IdentToColor,
                                              .IntToIdent = &ColorToIdent};
// A name where there is one, else "$00BBGGRR"; the reverse accepts both and
// raises EConvertError for anything else.
String ColorToString(TColor AColor);
TColor StringToColor(const String& S);

// ---------------------------------------------------------------------------
// Font, brush and pen

class TGraphicsObject : public rtl::TPersistent {
  RTL_CLASS(TGraphicsObject, rtl::TPersistent)

 public:
  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }
  bool HandleAllocated() const { return FHandle.Get() != nullptr; }

 protected:
  // Tells the listener after the GDI object was dropped; the old object
  // lives until the listener (a canvas) has taken it out of its DC.
  virtual void Changed();
  // Changed, without dropping the GDI object (a property it does not hold).
  void Notify();
  // The cached object, made by AMake on first request.
  template <class F>
  HGDIOBJ CachedHandle(F AMake)
  {
    if (!FHandle)
      FHandle.Reset(AMake());
    return FHandle.Get();
  }
  // Takes over AHandle, which this object now owns, without notifying.
  void AdoptHandle(HGDIOBJ AHandle) { FHandle.Reset(AHandle); }
  // Whether AHandle is the object's own handle already (setting it again
  // must not free it).
  bool IsOwnHandle(HGDIOBJ AHandle) const { return AHandle && AHandle == FHandle.Get(); }

 private:
  TOwnedGdiObject<HGDIOBJ> FHandle;
  rtl::TNotifyEvent FOnChange;
};

RTL_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut);
using TFontStyles = rtl::TSet<TFontStyle>;
RTL_TYPE_NAME(TFontStyles)
RTL_ENUM(TFontPitch, fpDefault, fpVariable, fpFixed);
RTL_ENUM(TFontQuality, fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType,
         fqClearTypeNatural);
using TFontCharset = std::uint8_t;
using TFontName = String;

// The screen's vertical pixels per inch, read once: what a new font measures
// its size in.
int ScreenLogPixels();

class TFont : public TGraphicsObject {
  RTL_CLASS(TFont, TGraphicsObject)

 public:
  // A new font: "Tahoma", 8 points at the screen's pixels per inch, colour
  // clWindowText, DEFAULT_CHARSET, no style, default pitch and quality.
  void Create();
  void Assign(rtl::TPersistent* ASource) override;

  // Made from the font's LOGFONT on first request.
  HFONT GetHandle();
  // Takes over AValue (the font frees it) and reads its LOGFONT back into the
  // properties; the same handle is used until a property changes.
  void SetHandle(HFONT AValue);
  // The font's full description, including what no property shows
  // (escapement, output precision).
  const LOGFONTW& GetLogFont() const { return FLogFont; }

  String GetName() const { return FLogFont.lfFaceName; }
  void SetName(const String& AValue);
  int GetHeight() const { return FLogFont.lfHeight; }
  void SetHeight(int AValue);
  // Points: -Height * 72 / PixelsPerInch, rounded.
  int GetSize() const;
  void SetSize(int AValue);
  TFontStyles GetStyle() const;
  void SetStyle(TFontStyles AValue);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor AValue);
  TFontCharset GetCharset() const { return FLogFont.lfCharSet; }
  void SetCharset(TFontCharset AValue);
  // Tenths of a degree, counter-clockwise.
  int GetOrientation() const { return FLogFont.lfEscapement; }
  void SetOrientation(int AValue);
  TFontQuality GetQuality() const;
  void SetQuality(TFontQuality AValue);
  TFontPitch GetPitch() const;
  void SetPitch(TFontPitch AValue);
  // Not streamed with the font; Size converts through it.
  int GetPixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int AValue) { FPixelsPerInch = AValue; }

  RTL_PUBLISHED(RTL_PROPERTY(Charset, GetCharset, SetCharset),
                RTL_PROPERTY(Color, GetColor, SetColor, RTL_PROPTYPE(TypeInfoTColor)),
                RTL_PROPERTY(Height, GetHeight, SetHeight), RTL_PROPERTY(Name, GetName, SetName),
                RTL_PROPERTY(Orientation, GetOrientation, SetOrientation, RTL_DEFAULT(0)),
                RTL_PROPERTY(Pitch, GetPitch, SetPitch, RTL_DEFAULT(TFontPitch::fpDefault)),
                RTL_PROPERTY(Size, GetSize, SetSize, RTL_NOT_STORED),
                RTL_PROPERTY(Style, GetStyle, SetStyle),
                RTL_PROPERTY(Quality, GetQuality, SetQuality, RTL_DEFAULT(TFontQuality::fqDefault)))

 private:
  void ChangeLogFont(const LOGFONTW& AValue);

  LOGFONTW FLogFont;
  TColor FColor;
  int FPixelsPerInch;
};

RTL_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross);

class TBitmap;

class TBrush : public TGraphicsObject {
  RTL_CLASS(TBrush, TGraphicsObject)

 public:
  // A white solid brush.
  void Create();
  void Assign(rtl::TPersistent* ASource) override;

  HBRUSH GetHandle();
  // Takes over AValue and reads its LOGBRUSH back: BS_NULL gives bsClear,
  // BS_HATCHED the hatch style, anything else bsSolid.
  void SetHandle(HBRUSH AValue);

  TColor GetColor() const { return FColor; }
  // A colour on a clear brush makes it solid, as the framework does.
  void SetColor(TColor AValue);
  TBrushStyle GetStyle() const { return FStyle; }
  void SetStyle(TBrushStyle AValue);
  // A pattern brush of the bitmap, which the brush does not own; the brush
  // takes a copy of its pixels when the handle is made.
  TBitmap* GetBitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* AValue);

  RTL_PUBLISHED(RTL_PROPERTY(Color, GetColor, SetColor, RTL_PROPTYPE(TypeInfoTColor)),
                RTL_PROPERTY(Style, GetStyle, SetStyle, RTL_DEFAULT(TBrushStyle::bsSolid)))

 private:
  TColor FColor;
  TBrushStyle FStyle;
  TBitmap* FBitmap;
};

RTL_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame);
RTL_ENUM(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen,
         pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor);

// The binary raster operation (R2_*) of each pen mode, in TPenMode order.
inline constexpr int PenModes[16] = {R2_BLACK,       R2_WHITE,       R2_NOP,      R2_NOT,
                                     R2_COPYPEN,     R2_NOTCOPYPEN,  R2_MERGEPENNOT, R2_MASKPENNOT,
                                     R2_MERGENOTPEN, R2_MASKNOTPEN,  R2_MERGEPEN, R2_NOTMERGEPEN,
                                     R2_MASKPEN,     R2_NOTMASKPEN,  R2_XORPEN,   R2_NOTXORPEN};
// The pen mode of a raster operation; pmCopy when none has it.
TPenMode PenModeFromROP2(int AROP2);

class TPen : public TGraphicsObject {
  RTL_CLASS(TPen, TGraphicsObject)

 public:
  // A black solid pen one pixel wide, mode pmCopy.
  void Create();
  void Assign(rtl::TPersistent* ASource) override;

  HPEN GetHandle();
  // Takes over AValue and reads its style, width and colour back.
  void SetHandle(HPEN AValue);

  TColor GetColor() const { return FColor; }
  void SetColor(TColor AValue);
  int GetWidth() const { return FWidth; }
  void SetWidth(int AValue);
  TPenStyle GetStyle() const { return FStyle; }
  void SetStyle(TPenStyle AValue);
  // Not part of the GDI pen: the canvas sets it as the DC's ROP2.
  TPenMode GetMode() const { return FMode; }
  void SetMode(TPenMode AValue);

  RTL_PUBLISHED(RTL_PROPERTY(Color, GetColor, SetColor, RTL_PROPTYPE(TypeInfoTColor)),
                RTL_PROPERTY(Mode, GetMode, SetMode, RTL_DEFAULT(TPenMode::pmCopy)),
                RTL_PROPERTY(Style, GetStyle, SetStyle, RTL_DEFAULT(TPenStyle::psSolid)),
                RTL_PROPERTY(Width, GetWidth, SetWidth, RTL_DEFAULT(1)))

 private:
  TColor FColor;
  int FWidth;
  TPenStyle FStyle;
  TPenMode FMode;
};

// ---------------------------------------------------------------------------
// Canvas

RTL_ENUM(TCanvasStates, csHandleValid, csFontValid, csPenValid, csBrushValid);
using TCanvasState = rtl::TSet<TCanvasStates>;
inline constexpr TCanvasState csAllValid{TCanvasStates::csHandleValid, TCanvasStates::csFontValid,
                                         TCanvasStates::csPenValid, TCanvasStates::csBrushValid};

using TCopyMode = DWORD;
inline constexpr TCopyMode cmBlackness = BLACKNESS;
inline constexpr TCopyMode cmDstInvert = DSTINVERT;
inline constexpr TCopyMode cmMergeCopy = MERGECOPY;
inline constexpr TCopyMode cmMergePaint = MERGEPAINT;
inline constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
inline constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
inline constexpr TCopyMode cmPatCopy = PATCOPY;
inline constexpr TCopyMode cmPatInvert = PATINVERT;
inline constexpr TCopyMode cmPatPaint = PATPAINT;
inline constexpr TCopyMode cmSrcAnd = SRCAND;
inline constexpr TCopyMode cmSrcCopy = SRCCOPY;
inline constexpr TCopyMode cmSrcErase = SRCERASE;
inline constexpr TCopyMode cmSrcInvert = SRCINVERT;
inline constexpr TCopyMode cmSrcPaint = SRCPAINT;
inline constexpr TCopyMode cmWhiteness = WHITENESS;

class TGraphic;

// Draws on a DC it borrows: Handle is given (SetHandle) or made by a
// descendant's CreateHandle. The canvas selects its font, brush and pen into
// the DC when a drawing call needs them, and puts the DC's own objects back
// when the handle goes.
class TCanvas : public rtl::TPersistent {
  RTL_CLASS(TCanvas, rtl::TPersistent)

 public:
  void Create();
  // A canvas on ADC whose font, brush and pen take over what is selected in
  // it: the font's LOGFONT and the text colour; the brush's LOGBRUSH
  // (BS_NULL is bsClear, hatches 0..5 the hatch styles, anything else
  // bsSolid); the pen's colour, style and width, and the mode from the DC's
  // ROP2 (pmCopy when no mode has it). The canvas borrows ADC.
  void CreateOnDC(HDC ADC);
  void Destroy() override;

  // Makes the handle and selects font, pen and brush; raises
  // EInvalidOperation "Canvas does not allow drawing" without a DC.
  HDC GetHandle();
  void SetHandle(HDC AValue);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont* GetFont() const { return FFont; }
  void SetFont(TFont* AValue) { FFont->Assign(AValue); }
  TBrush* GetBrush() const { return FBrush; }
  void SetBrush(TBrush* AValue) { FBrush->Assign(AValue); }
  TPen* GetPen() const { return FPen; }
  void SetPen(TPen* AValue) { FPen->Assign(AValue); }
  TCopyMode GetCopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode AValue) { FCopyMode = AValue; }
  // ETO_* options added to every ExtTextOut (ETO_RTLREADING, ...).
  int GetTextFlags() const { return FTextFlags; }
  void SetTextFlags(int AValue) { FTextFlags = AValue; }

  TPoint GetPenPos();
  void SetPenPos(TPoint AValue);
  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);

  void AngleArc(int X, int Y, DWORD ARadius, float AStartAngle, float ASweepAngle);
  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void ArcTo(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& R) { Ellipse(R.left, R.top, R.right, R.bottom); }
  void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Polygon(std::span<const TPoint> APoints);
  void Polyline(std::span<const TPoint> APoints);
  void PolyBezier(std::span<const TPoint> APoints);
  void PolyBezierTo(std::span<const TPoint> APoints);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& R) { Rectangle(R.left, R.top, R.right, R.bottom); }
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void FillRect(const TRect& R);
  void FrameRect(const TRect& R);
  void DrawFocusRect(const TRect& R);
  void FloodFill(int X, int Y, TColor AColor, bool ASurface);

  // Text at (X, Y) with the canvas font, opaque unless the brush is clear;
  // the pen moves to the end of the text.
  void TextOut(int X, int Y, const String& AText);
  // As TextOut, clipped to R (and R filled first unless the brush is clear).
  void TextRect(const TRect& R, int X, int Y, const String& AText);
  TSize TextExtent(const String& AText);
  int TextWidth(const String& AText) { return TextExtent(AText).cx; }
  int TextHeight(const String& AText) { return TextExtent(AText).cy; }

  void Draw(int X, int Y, TGraphic* AGraphic);
  // With a constant opacity 0..255.
  void Draw(int X, int Y, TGraphic* AGraphic, std::uint8_t AOpacity);
  void StretchDraw(const TRect& R, TGraphic* AGraphic);
  // StretchBlt from ACanvas with CopyMode.
  void CopyRect(const TRect& ADest, TCanvas* ACanvas, const TRect& ASource);
  // Copies ASource of ABitmap to ADest with the pixels of AColor replaced by
  // the brush (left as they were when the brush is clear).
  void BrushCopy(const TRect& ADest, TBitmap* ABitmap, const TRect& ASource, TColor AColor);

  TColor GetPixel(int X, int Y);
  void SetPixel(int X, int Y, TColor AColor);
  TRect GetClipRect();

  // Serialises drawing from several threads; LockCount is the nesting depth.
  void Lock();
  void Unlock();
  bool TryLock();
  int GetLockCount() const { return FLockCount; }

  // Takes font, brush and pen out of the DC; they are selected again on the
  // next drawing call.
  void Refresh();

  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }
  rtl::TNotifyEvent GetOnChanging() const { return FOnChanging; }
  void SetOnChanging(rtl::TNotifyEvent AValue) { FOnChanging = AValue; }

 protected:
  virtual void Changed();
  virtual void Changing();
  // Gives the canvas a DC when it has none; a canvas that makes its own DC
  // overrides it (the base makes none).
  virtual void CreateHandle() {}
  // Makes valid what AState lists: the handle, then the objects.
  void RequiredState(TCanvasState AState);
  HDC RawHandle() const { return FHandle; }

 private:
  void FontChanged(rtl::TObject* ASender);
  void PenChanged(rtl::TObject* ASender);
  void BrushChanged(rtl::TObject* ASender);
  void SelectFont();
  void SelectPen();
  void SelectBrush();
  // Puts the DC's own objects back.
  void DeselectHandles();
  void DeselectObject(TCanvasStates AState, HGDIOBJ AOriginal);
  void TakeOverDCObjects(HDC ADC);

  HDC FHandle;
  bool FLockMade;
  TCanvasState FState;
  TFont* FFont;
  TPen* FPen;
  TBrush* FBrush;
  TPoint FPenPos;
  TCopyMode FCopyMode;
  int FTextFlags;
  // What the DC held before the canvas selected its own objects.
  HGDIOBJ FOriginalFont;
  HGDIOBJ FOriginalPen;
  HGDIOBJ FOriginalBrush;
  rtl::TNotifyEvent FOnChange;
  rtl::TNotifyEvent FOnChanging;
  CRITICAL_SECTION FLock;
  int FLockCount;
};

// ---------------------------------------------------------------------------
// Graphics

class TGraphic : public rtl::TInterfacedPersistent {
  RTL_CLASS(TGraphic, rtl::TInterfacedPersistent)

 public:
  // The framework's virtual constructor.
  virtual void Create() {}

  virtual void Draw(TCanvas* ACanvas, const TRect& R) = 0;
  // Draw with a constant opacity; graphics that cannot blend draw opaque.
  virtual void DrawTransparent(TCanvas* ACanvas, const TRect& R, std::uint8_t AOpacity);
  // Same class and the same saved bytes.
  virtual bool Equals(TGraphic* AGraphic);

  virtual bool GetEmpty() = 0;
  virtual int GetWidth() = 0;
  virtual int GetHeight() = 0;
  virtual void SetWidth(int AValue) = 0;
  virtual void SetHeight(int AValue) = 0;
  virtual void SetSize(int AWidth, int AHeight);
  virtual bool GetTransparent() { return FTransparent; }
  virtual void SetTransparent(bool AValue);

  virtual void LoadFromStream(rtl::TStream* AStream) = 0;
  virtual void SaveToStream(rtl::TStream* AStream) = 0;
  virtual void LoadFromFile(const String& AFileName);
  virtual void SaveToFile(const String& AFileName);
  // Raise EInvalidGraphic "Unsupported clipboard format" unless a class
  // knows the format.
  virtual void LoadFromClipboardFormat(WORD AFormat, HANDLE AData, HPALETTE APalette);
  virtual void SaveToClipboardFormat(WORD& AFormat, HANDLE& AData, HPALETTE& APalette);

  bool GetModified() const { return FModified; }
  void SetModified(bool AValue);
  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }

 protected:
  // Marks the graphic modified and fires OnChange.
  virtual void Changed(rtl::TObject* ASender);
  // The binary property "Data" of component streams, written unless the
  // graphic is empty, through ReadData and WriteData.
  void DefineProperties(rtl::TFiler* AFiler) override;
  // The graphic's stream form inside "Data": the saved graphic here.
  virtual void ReadData(rtl::TStream* AStream);
  virtual void WriteData(rtl::TStream* AStream);

 private:
  rtl::TNotifyEvent FOnChange;
  bool FModified;
  bool FTransparent;
};

using TGraphicClass = rtl::ClassOf<TGraphic>;

// The canvas of a bitmap: a memory DC holding the bitmap while the canvas
// has a handle.
class TBitmapCanvas : public TCanvas {
  RTL_CLASS(TBitmapCanvas, TCanvas)

 public:
  void Create(TBitmap* ABitmap);
  void Destroy() override;
  // Drops the DC (and so frees the bitmap from it); made again on next use.
  void FreeContext();

 protected:
  void CreateHandle() override;

 private:
  friend class TBitmap;
  // The DC holding the bitmap, without the change notification GetHandle
  // gives: for reading the pixels.
  HDC SourceDC();

  TBitmap* FBitmap;
  TOwnedDC FDC;
  HGDIOBJ FOldBitmap;
};

RTL_ENUM(TPixelFormat, pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom);
RTL_ENUM(TAlphaFormat, afIgnored, afDefined, afPremultiplied);
RTL_ENUM(TBitmapHandleType, bmDIB, bmDDB);
RTL_ENUM(TTransparentMode, tmAuto, tmFixed);

// A raster image: a DIB section (or, with pfDevice, a device-dependent
// bitmap) of a pixel format. A new bitmap is an empty pfDevice bitmap; new
// pixels from SetSize are white.
class TBitmap : public TGraphic {
  RTL_CLASS(TBitmap, TGraphic)

 public:
  void Create() override;
  void Create(int AWidth, int AHeight);
  void Destroy() override;
  void Assign(rtl::TPersistent* ASource) override;

  void Draw(TCanvas* ACanvas, const TRect& R) override;
  void DrawTransparent(TCanvas* ACanvas, const TRect& R, std::uint8_t AOpacity) override;
  bool GetEmpty() override { return FWidth == 0 || FHeight == 0; }
  int GetWidth() override { return FWidth; }
  int GetHeight() override { return FHeight; }
  void SetWidth(int AValue) override { SetSize(AValue, FHeight); }
  void SetHeight(int AValue) override { SetSize(FWidth, AValue); }
  // Keeps the pixels of the old size that still fit.
  void SetSize(int AWidth, int AHeight) override;

  // BMP files: BITMAPFILEHEADER, then a DIB (BI_RGB or BI_BITFIELDS, any
  // header version). Raise EInvalidGraphic "Bitmap image is not valid" for
  // anything else or anything inconsistent.
  void LoadFromStream(rtl::TStream* AStream) override;
  void SaveToStream(rtl::TStream* AStream) override;
  // An RT_BITMAP resource of AInstance.
  void LoadFromResourceName(HINSTANCE AInstance, const String& AResName);
  void LoadFromResourceID(HINSTANCE AInstance, int AResID);
  // CF_BITMAP (a copy of the clipboard's bitmap) and CF_DIB.
  void LoadFromClipboardFormat(WORD AFormat, HANDLE AData, HPALETTE APalette) override;
  // CF_BITMAP with a copy of the bitmap; the receiver owns AData.
  void SaveToClipboardFormat(WORD& AFormat, HANDLE& AData, HPALETTE& APalette) override;

  // The bitmap handle; made on demand. Setting takes over the handle (the
  // bitmap frees it) and reads size and format back.
  HBITMAP GetHandle();
  void SetHandle(HBITMAP AValue);
  bool HandleAllocated() const { return static_cast<bool>(FHandle); }
  // Gives the handle up (the caller owns it); the bitmap becomes empty.
  HBITMAP ReleaseHandle();
  // A monochrome mask, white where the pixels have the transparent colour;
  // the bitmap owns it.
  HBITMAP GetMaskHandle();
  // Keeps the image as a memory copy and frees the GDI objects; the handle is
  // made again on demand.
  void Dormant();
  // Drops the memory copy Dormant made (after making the handle from it).
  void FreeImage();

  TCanvas* GetCanvas();
  bool HasCanvas() const { return FCanvas != nullptr; }

  TPixelFormat GetPixelFormat() const { return FPixelFormat; }
  // Converts the pixels; pfDevice makes a device-dependent bitmap.
  void SetPixelFormat(TPixelFormat AValue);
  // How Draw treats the fourth byte of 32-bit pixels: afIgnored copies,
  // afDefined blends straight alpha, afPremultiplied blends as stored. The
  // pixels are never changed by setting it.
  TAlphaFormat GetAlphaFormat() const { return FAlphaFormat; }
  void SetAlphaFormat(TAlphaFormat AValue);
  TBitmapHandleType GetHandleType() const
  {
    return FPixelFormat == TPixelFormat::pfDevice ? TBitmapHandleType::bmDDB : TBitmapHandleType::bmDIB;
  }
  // bmDDB is pfDevice; bmDIB keeps the pixel format (a DDB becomes 32-bit).
  void SetHandleType(TBitmapHandleType AValue);
  bool GetMonochrome() const { return FPixelFormat == TPixelFormat::pf1bit; }

  // Row ARow of the pixels (row 0 is the top); turns a DDB into a DIB.
  // Raises EInvalidGraphic "Scan line index out of range".
  void* ScanLine(int ARow);

  // With tmAuto the bottom-left pixel (white for a monochrome bitmap),
  // else the colour set.
  TColor GetTransparentColor();
  // Sets tmFixed.
  void SetTransparentColor(TColor AValue);
  TTransparentMode GetTransparentMode() const { return FTransparentMode; }
  // tmAuto forgets the colour set.
  void SetTransparentMode(TTransparentMode AValue);

 protected:
  void Changed(rtl::TObject* ASender) override;
  // A 32-bit byte count, then the BMP file.
  void ReadData(rtl::TStream* AStream) override;
  void WriteData(rtl::TStream* AStream) override;

 private:
  friend class TBitmapCanvas;
  // A bitmap handle with what the bitmap keeps of it.
  struct TImage {
    TOwnedBitmap Handle;
    void* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    TPixelFormat Format = TPixelFormat::pfDevice;
    bool TopDown = false;
  };

  // An image without a handle (an empty one, or a dormant one's record).
  static TImage NoImage(int AWidth, int AHeight, TPixelFormat AFormat);
  // The handle, made from the dormant copy when there is one.
  void HandleNeeded();
  // Takes AImage as the bitmap's image; the canvas lets go of the old one
  // first.
  void ReplaceImage(TImage AImage);
  // A new image of the size and format with the current pixels copied in and
  // the rest white.
  TImage CopyImage(int AWidth, int AHeight, TPixelFormat AFormat);
  // A DIB (header, colour table, pixels) as an image; ABitsOffset is where
  // the pixels start, 0 when right after the colour table.
  static TImage ReadDIB(const std::uint8_t* AData, std::size_t ASize, std::size_t ABitsOffset);
  // The image as a BMP file.
  std::vector<std::uint8_t> WriteFile();
  void FreeMask();
  void CanvasChanging(rtl::TObject* ASender);
  // The canvas's DC holding the bitmap; a bitmap is in one DC at a time.
  HDC SourceDC();

  TOwnedBitmap FHandle;
  TOwnedBitmap FMaskHandle;
  TBitmapCanvas* FCanvas;
  // The BMP file image Dormant keeps.
  std::vector<std::uint8_t> FDormantImage;
  void* FBits;
  bool FTopDown;
  int FWidth;
  int FHeight;
  TPixelFormat FPixelFormat;
  TAlphaFormat FAlphaFormat;
  TColor FTransparentColor;
  TTransparentMode FTransparentMode;
};

// The checks outside bytes pass before a system decoder sees them: the
// decoders trust the sizes and offsets a file states and read, or write, as
// far as those say. Each raises EInvalidGraphic for a file they could not be
// trusted with. The loaders of TIcon and TMetafile run them, as does any
// other reader that hands such bytes to the system.
//
// An icon file: the directory and every image's header against its bytes.
void CheckIconFile(std::span<const std::uint8_t> AData);
// An enhanced, placeable or plain Windows metafile: every record, the
// offsets inside them and the object indices. Returns the byte count of the
// metafile proper, which trailing bytes do not belong to.
std::size_t CheckMetafile(std::span<const std::uint8_t> AData);

// An icon: the .ico file it was loaded from (saved back unchanged) and the
// HICON made from it at the icon's size.
class TIcon : public TGraphic {
  RTL_CLASS(TIcon, TGraphic)

 public:
  void Create() override;
  void Destroy() override;
  void Assign(rtl::TPersistent* ASource) override;

  void Draw(TCanvas* ACanvas, const TRect& R) override;
  bool GetEmpty() override { return !FHandle && FData.empty(); }
  int GetWidth() override;
  int GetHeight() override;
  // Raise EInvalidGraphicOperation "Cannot change the size of an icon" once
  // the icon has an image; before, they choose the image a load picks.
  void SetWidth(int AValue) override;
  void SetHeight(int AValue) override;
  bool GetTransparent() override { return true; }

  // Raise EInvalidGraphic "Icon image is not valid" for a stream that is no
  // icon file.
  void LoadFromStream(rtl::TStream* AStream) override;
  void SaveToStream(rtl::TStream* AStream) override;

  HICON GetHandle();
  // Takes over AValue; it is saved as a one-image icon file.
  void SetHandle(HICON AValue);
  HICON ReleaseHandle();

 private:
  void NewImage(TOwnedIcon AHandle, std::vector<std::uint8_t> AData);
  TSize ImageSize();

  TOwnedIcon FHandle;
  std::vector<std::uint8_t> FData;
  int FRequestedWidth;
  int FRequestedHeight;
};

// A picture of drawing records: an enhanced metafile, loaded from .emf or
// .wmf and saved as either (Enhanced). Width and Height are pixels at the
// screen's resolution.
class TMetafile : public TGraphic {
  RTL_CLASS(TMetafile, TGraphic)

 public:
  void Create() override;
  void Destroy() override;
  void Assign(rtl::TPersistent* ASource) override;

  void Draw(TCanvas* ACanvas, const TRect& R) override;
  bool GetEmpty() override { return !FHandle; }
  int GetWidth() override;
  int GetHeight() override;
  void SetWidth(int AValue) override;
  void SetHeight(int AValue) override;
  bool GetTransparent() override { return true; }

  // Raise EInvalidGraphic "Metafile is not valid" for anything that is
  // neither an enhanced nor a (placeable) Windows metafile.
  void LoadFromStream(rtl::TStream* AStream) override;
  // An enhanced metafile when Enhanced, else a placeable Windows metafile.
  void SaveToStream(rtl::TStream* AStream) override;

  HENHMETAFILE GetHandle() const { return FHandle.Get(); }
  // Takes over AValue; the size comes from its header.
  void SetHandle(HENHMETAFILE AValue);
  bool GetEnhanced() const { return FEnhanced; }
  void SetEnhanced(bool AValue) { FEnhanced = AValue; }
  // Size in 0.01 mm.
  int GetMMWidth() const { return FMMWidth; }
  int GetMMHeight() const { return FMMHeight; }
  void SetMMWidth(int AValue);
  void SetMMHeight(int AValue);

 private:
  TOwnedEnhMetafile FHandle;
  int FMMWidth;
  int FMMHeight;
  bool FEnhanced;
};

// Records into a new enhanced metafile; when the canvas is freed the
// recording becomes the metafile's handle.
class TMetafileCanvas : public TCanvas {
  RTL_CLASS(TMetafileCanvas, TCanvas)

 public:
  // AReferenceDevice 0 records for the screen.
  void Create(TMetafile* AMetafile, HDC AReferenceDevice);
  void Destroy() override;

 private:
  TMetafile* FMetafile;
  HDC FRecordingDC;
};

// ---------------------------------------------------------------------------
// Picture

// Holds one graphic of any registered class and picks the class by file
// extension or clipboard format.
class TPicture : public rtl::TInterfacedPersistent {
  RTL_CLASS(TPicture, rtl::TInterfacedPersistent)

 public:
  void Create() {}
  void Destroy() override;
  void Assign(rtl::TPersistent* ASource) override;

  TGraphic* GetGraphic() const { return FGraphic; }
  // A copy of AValue (a new object of its class); nil empties the picture.
  void SetGraphic(TGraphic* AValue);
  // The graphic as this class, replacing another class by an empty one.
  TBitmap* GetBitmap();
  TIcon* GetIcon();
  TMetafile* GetMetafile();
  void SetBitmap(TBitmap* AValue) { SetGraphic(AValue); }
  void SetIcon(TIcon* AValue) { SetGraphic(AValue); }
  void SetMetafile(TMetafile* AValue) { SetGraphic(AValue); }
  int GetWidth() const;
  int GetHeight() const;

  // The class registered for the file's extension loads it; raises
  // EInvalidGraphic "Unknown picture file extension (.ext)" otherwise.
  void LoadFromFile(const String& AFileName);
  // The graphic saves itself; nothing without one.
  void SaveToFile(const String& AFileName);
  void LoadFromClipboardFormat(WORD AFormat, HANDLE AData, HPALETTE APalette);
  static bool SupportsClipboardFormat(WORD AFormat);

  // The latest registration of an extension wins.
  static void RegisterFileFormat(const String& AExtension, const String& ADescription, TGraphicClass AGraphicClass);
  static void RegisterClipboardFormat(WORD AFormat, TGraphicClass AGraphicClass);
  // Removes every file and clipboard format of AClass and its descendants.
  static void UnregisterGraphicClass(TGraphicClass AClass);

  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }

 protected:
  virtual void Changed(rtl::TObject* ASender);

 private:
  template <class T>
  T* ForceType();
  void ReplaceGraphic(TGraphic* AValue);

  TGraphic* FGraphic;
  rtl::TNotifyEvent FOnChange;
};

// The open-dialog filter of the registered formats whose class descends from
// AGraphicClass, in registration order:
// "All (*.a;*.b)|*.a;*.b|Desc A (*.a)|*.a|Desc B (*.b)|*.b"; the "All" entry
// only when there are two or more.
String GraphicFilter(TGraphicClass AGraphicClass);
// The extension first registered for AGraphicClass (or a descendant), without
// the dot.
String GraphicExtension(TGraphicClass AGraphicClass);

}  // namespace vcl
