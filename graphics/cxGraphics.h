// The graphics unit: regions and the canvas wrapper every painter draws with.
// - TcxRegion: one owned GDI region with set, add, subtract and intersect;
// - TcxCanvas: a TCanvas it borrows, with stacks of saved device-context
//   states, canvas states and clip regions; fills, frames, focus rectangles,
//   regions, glyphs and text that honour clNone (draw nothing) and clDefault
//   (keep the current colour); the canvas text flags (cxtf*) and their
//   conversion to DrawText flags;
// - TcxScreenCanvas (on the screen's DC, for measuring) and TcxPaintCanvas
//   (pointed at a DC or a TCanvas for one nested painting pass), each with
//   one shared instance: cxScreenCanvas and cxPaintCanvas, nil once the unit
//   has finished.
// The unit's drawing routines, bitmaps, colours and text measuring live in
// the cxGraphics*.h files beside this one.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "core/dxCore.h"
#include "core/dxTypeHelpers.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/Graphics.h"

RTL_DECLARE_UNIT(cxGraphics);

// ---------------------------------------------------------------------------
// Shared enumerations

RTL_ENUM(TcxBorder, bLeft, bTop, bRight, bBottom);
using TcxBorders = rtl::TSet<TcxBorder>;
inline constexpr TcxBorders cxBordersAll{TcxBorder::bLeft, TcxBorder::bTop, TcxBorder::bRight, TcxBorder::bBottom};

RTL_ENUM(TcxAlignmentVert, vaTop, vaBottom, vaCenter);
// Counter-clockwise: raPlus90 turns a picture a quarter to the left.
RTL_ENUM(TcxRotationAngle, ra0, raPlus90, raMinus90, ra180);
// The state a button-like part is drawn in, from the look-and-feel painters
// to the fader, which cross-fades the moves into and out of cxbsHot.
RTL_ENUM(TcxButtonState, cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled);

// ---------------------------------------------------------------------------
// Regions

// In the order of the CombineRgn modes they stand for: RGN_COPY, RGN_OR,
// RGN_DIFF, RGN_AND.
RTL_ENUM(TcxRegionOperation, roSet, roAdd, roSubtract, roIntersect);

// Owns one region handle, never nil after construction; combining rewrites
// the region in place and never replaces the handle.
class TcxRegion : public rtl::TObject {
  RTL_CLASS(TcxRegion, rtl::TObject)

 public:
  // Empty: the rectangle (0, 0, 0, 0).
  void Create();
  // Takes over AHandle.
  void Create(HRGN AHandle);
  void Create(const TRect& ABounds);
  void Create(int ALeft, int ATop, int ARight, int ABottom);
  // The window's region, or (0, 0, width, height) of the window when it has
  // none. ADummy only tells this constructor apart.
  void CreateFromWindow(HWND AHandle, int ADummy = 0);
  // Rounded corners; the left and top edges start one pixel inside.
  void CreateRoundCorners(const TRect& ABounds, int AWidthEllepse, int AHeightEllepse);
  void CreateRoundCorners(int ALeft, int ATop, int ARight, int ABottom, int AWidthEllepse, int AHeightEllepse);
  void Destroy() override;

  // A copy the caller owns.
  TcxRegion* Clone() const;
  void Combine(HRGN ARegionHandle, TcxRegionOperation AOperation);
  // Frees ARegion afterwards when ADestroyRegion.
  void Combine(TcxRegion* ARegion, TcxRegionOperation AOperation, bool ADestroyRegion = true);
  void Combine(const TRect& R, TcxRegionOperation AOperation);
  // Two empty regions are equal whatever their handles; nil never is.
  bool IsEqual(const TcxRegion* ARegion) const;
  bool IsEqual(HRGN ARegionHandle) const;
  void Offset(const TPoint& P) { Offset(P.x, P.y); }
  void Offset(int DX, int DY);
  bool PtInRegion(const TPoint& Pt) const { return PtInRegion(Pt.x, Pt.y); }
  bool PtInRegion(int X, int Y) const;
  bool RectInRegion(const TRect& R) const;
  bool RectInRegion(int ALeft, int ATop, int ARight, int ABottom) const;

  HRGN GetHandle() const { return FHandle.Get(); }
  // (0, 0, 0, 0) for an empty region.
  TRect GetBoundsRect() const;
  bool GetIsEmpty() const;

 private:
  vcl::TOwnedRegion FHandle;
};

bool cxPointInRegion(HRGN ARegion, const TPoint& P);

// ---------------------------------------------------------------------------
// Canvas text flags: the Flags of TcxCanvas.DrawTexT and TextExtent. They are
// the canvas's own and independent of TCanvas.TextFlags.

inline constexpr int cxtfAlignLeft = 0x1;
inline constexpr int cxtfAlignRight = 0x2;
inline constexpr int cxtfAlignHCenter = 0x4;
inline constexpr int cxtfAlignTop = 0x8;
inline constexpr int cxtfAlignBottom = 0x10;
inline constexpr int cxtfAlignVCenter = 0x20;
inline constexpr int cxtfSingleLine = 0x40;
inline constexpr int cxtfNoClip = 0x80;
inline constexpr int cxtfExpandTabs = 0x100;
inline constexpr int cxtfShowPrefix = 0x200;
inline constexpr int cxtfWordBreak = 0x400;
inline constexpr int cxtfEndEllipsis = 0x800;
inline constexpr int cxtfCalcRect = 0x1000;
inline constexpr int cxtfPathEllipsis = 0x2000;
inline constexpr int cxtfNoCharBreak = 0x4000;
inline constexpr int cxtfNoFullWidthCharBreak = 0x8000;
inline constexpr int cxtfRtlReading = 0x10000;

// DT_NOPREFIX is set unless cxtfShowPrefix; word break brings
// DT_EDITCONTROL unless cxtfNoCharBreak.
UINT cxTextFlagsToDrawTextFlags(int AFlags);

// ---------------------------------------------------------------------------
// Canvas

// What a painter draws a part with; Font is borrowed.
struct TcxViewParams {
  vcl::TBitmap* Bitmap = nullptr;
  vcl::TColor Color = vcl::clDefault;
  vcl::TFont* Font = nullptr;
  vcl::TColor TextColor = vcl::clDefault;
};

// Wraps a TCanvas it does not own. The saved states are stacks (last in,
// first out); restoring from an empty stack does nothing.
class TcxCanvas : public rtl::TObject {
  RTL_CLASS(TcxCanvas, rtl::TObject)

 public:
  virtual void Create(vcl::TCanvas* ACanvas);
  void Destroy() override;

  vcl::TCanvas* GetCanvas() const { return FCanvas; }
  virtual void SetCanvas(vcl::TCanvas* AValue);

  // Forwarded to the wrapped canvas.
  vcl::TBrush* GetBrush() const { return FCanvas->GetBrush(); }
  void SetBrush(vcl::TBrush* AValue) { FCanvas->SetBrush(AValue); }
  vcl::TFont* GetFont() const { return FCanvas->GetFont(); }
  void SetFont(vcl::TFont* AValue) { FCanvas->SetFont(AValue); }
  vcl::TPen* GetPen() const { return FCanvas->GetPen(); }
  void SetPen(vcl::TPen* AValue) { FCanvas->SetPen(AValue); }
  vcl::TCopyMode GetCopyMode() const { return FCanvas->GetCopyMode(); }
  void SetCopyMode(vcl::TCopyMode AValue) { FCanvas->SetCopyMode(AValue); }
  int GetTextFlags() const { return FCanvas->GetTextFlags(); }
  void SetTextFlags(int AValue) { FCanvas->SetTextFlags(AValue); }
  // Allocates the DC on demand.
  HDC GetHandle() const { return FCanvas->GetHandle(); }
  bool HandleAllocated() const { return FCanvas->HandleAllocated(); }
  void Lock() { FCanvas->Lock(); }
  void Unlock() { FCanvas->Unlock(); }
  void Refresh() { FCanvas->Refresh(); }

  int GetDpiX() const;
  int GetDpiY() const;
  TPoint GetViewportOrg() const;
  void SetViewportOrg(const TPoint& P);
  virtual TPoint GetWindowOrg() const;
  virtual void SetWindowOrg(const TPoint& P);
  // Viewport origin minus window origin: logical plus DCOrigin is device.
  virtual TPoint GetDCOrigin() const;
  // The value set, or by default the right-to-left alignment of the control
  // whose canvas is wrapped.
  virtual bool GetUseRightToLeftAlignment() const;
  virtual void SetUseRightToLeftAlignment(bool AValue);

  void GetParams(TcxViewParams& AParams) const;
  void SetParams(const TcxViewParams& AParams);
  void SetBrushColor(vcl::TColor Value);
  // Degrees counter-clockwise.
  void SetFontAngle(int Value);

  // Saved states. SaveState covers the DC state and, in the canvas, font,
  // brush, pen, right-to-left alignment and text flags.
  void SaveDC();
  void RestoreDC();
  void SaveState();
  void RestoreState();
  void SaveClipRegion();
  void RestoreClipRegion();

  // Clipping. With AConsiderOrigin the regions are in logical coordinates.
  // A DC without a clip region answers (0, 0, 30000, 30000). The caller owns
  // the result.
  TcxRegion* GetClipRegion(bool AConsiderOrigin = true);
  // Frees ARegion afterwards when ADestroyRegion.
  void SetClipRegion(TcxRegion* ARegion, TcxRegionOperation AOperation, bool ADestroyRegion = true,
                     bool AConsiderOrigin = true);
  void ExcludeClipRect(const TRect& R);
  void IntersectClipRect(const TRect& R);
  void ExcludeFrameRect(const TRect& R, int ALineWidth = 1, TcxBorders ABorders = cxBordersAll);
  bool RectVisible(const TRect& R);
  bool RectFullyVisible(const TRect& R);

  void BeginPath();
  void EndPath();
  void WidenPath();
  // The caller owns the result.
  TcxRegion* PathToRegion(bool AConsiderOrigin = true);

  // Forwarded drawing.
  void AngleArc(int X, int Y, DWORD ARadius, float AStartAngle, float ASweepAngle);
  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void ArcTo(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void BrushCopy(const TRect& ADest, vcl::TBitmap* ABitmap, const TRect& ASource, vcl::TColor AColor);
  void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void CopyRect(const TRect& ADest, vcl::TCanvas* ACanvas, const TRect& ASource);
  void Draw(int X, int Y, vcl::TGraphic* AGraphic);
  void Draw(int X, int Y, vcl::TGraphic* AGraphic, std::uint8_t AOpacity);
  void Ellipse(const TRect& R);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void FloodFill(int X, int Y, vcl::TColor AColor, bool ASurface);
  void LineTo(int X, int Y);
  void MoveTo(int X, int Y);
  void Line(const TPoint& P1, const TPoint& P2);
  void Line(int X1, int Y1, int X2, int Y2);
  void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Pie(const TRect& R, const TPoint& P1, const TPoint& P2);
  // Integer degrees, counter-clockwise from the positive x axis; a sweep of
  // 360 is the full ellipse, 0 nothing.
  void Pie(const TRect& R, int AStartAngle, int ASweepAngle);
  void PolyBezier(std::span<const TPoint> APoints);
  void PolyBezierTo(std::span<const TPoint> APoints);
  void Polygon(std::span<const TPoint> APoints);
  void Polyline(std::span<const TPoint> APoints);
  void Rectangle(const TRect& R);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void RoundRect(const TRect& R, int X, int Y);
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void SetPixel(int X, int Y, vcl::TColor AColor);
  void StretchDraw(const TRect& R, vcl::TGraphic* AGraphic);
  void TextOut(int X, int Y, const rtl::String& Text);

  // Fills and frames.
  void FillRect(const TRect& R, vcl::TColor AColor = vcl::clDefault);
  // Tiles ABitmap on the canvas grid (cells at multiples of its size), so
  // the pattern stays put however R moves; the brush fills R without one.
  // With AExcludeRect R leaves the clip afterwards.
  void FillRect(const TRect& R, vcl::TBitmap* ABitmap, bool AExcludeRect = false);
  void FillRect(const TRect& R, const TcxViewParams& AParams, bool AExcludeRect = false);
  void FrameRect(const TRect& R, vcl::TColor Color = vcl::clDefault, int ALineWidth = 1,
                 TcxBorders ABorders = cxBordersAll, bool AExcludeFrame = false);
  void Rectangle(const TRect& R, const TcxViewParams& AParams, TcxBorders ABorders = cxBordersAll,
                 vcl::TColor ABorderColor = vcl::clDefault, int ALineWidth = 1, bool AExcludeRect = false);
  void DrawComplexFrame(const TRect& R, vcl::TColor ALeftTopColor, vcl::TColor ARightBottomColor,
                        TcxBorders ABorders = cxBordersAll, int ABorderWidth = 1);
  void DrawEdge(const TRect& R, bool ASunken, bool AOuter, TcxBorders ABorders = cxBordersAll);
  void DrawFocusRect(const TRect& R);
  void DrawFocusRectEx(const TRect& R, TcxBorders ABorders, bool AExclude = false);
  void DrawDesignSelection(const TRect& ARect, int AWidth = 2);
  void InvertRect(const TRect& R);
  void InvertFrame(const TRect& R, int ABorderSize);
  void FillRegion(TcxRegion* ARegion, vcl::TColor AColor = vcl::clDefault);
  void FillRegion(HRGN ARegion, vcl::TColor AColor = vcl::clDefault);
  void FrameRegion(TcxRegion* ARegion, vcl::TColor AColor = vcl::clDefault, int ABorderWidth = 1,
                   int ABorderHeight = 1);
  void FrameRegion(HRGN ARegion, vcl::TColor AColor = vcl::clDefault, int ABorderWidth = 1, int ABorderHeight = 1);
  void DrawRegion(TcxRegion* ARegion, vcl::TColor AContentColor = vcl::clDefault,
                  vcl::TColor ABorderColor = vcl::clDefault, int ABorderWidth = 1, int ABorderHeight = 1);
  void DrawRegion(HRGN ARegion, vcl::TColor AContentColor = vcl::clDefault, vcl::TColor ABorderColor = vcl::clDefault,
                  int ABorderWidth = 1, int ABorderHeight = 1);

  // The glyph with its transparent colour replaced by the background
  // (clNone: left as it was).
  void DrawGlyph(int X, int Y, vcl::TBitmap* AGlyph, bool AEnabled = true, vcl::TColor ABackgroundColor = vcl::clNone);

  // 32-bit pixel operations on a bitmap.
  void FlipHorizontally(vcl::TBitmap* ABitmap);
  void RotateBitmap(vcl::TBitmap* ABitmap, TcxRotationAngle ARotationAngle, bool AFlipVertically = false);
  // ABitmap blended with a constant alpha over ABackground, or over what
  // the canvas shows at (X, Y) without one.
  void TransparentDraw(int X, int Y, vcl::TBitmap* ABitmap, std::uint8_t AAlpha, vcl::TBitmap* ABackground = nullptr);

  // Text in the canvas font.
  TSize TextExtent(const rtl::String& Text);
  int TextWidth(const rtl::String& Text) { return TextExtent(Text).cx; }
  int TextHeight(const rtl::String& Text) { return TextExtent(Text).cy; }
  int FontHeight(vcl::TFont* AFont);
  // The rectangle the text needs with the canvas text flags, aligned inside
  // R's size as the flags say.
  void TextExtent(const rtl::String& Text, TRect& R, int Flags);
  void DrawTexT(const rtl::String& Text, const TRect& R, int Flags, bool Enabled = true);
  void DrawTexT(const rtl::String& Text, const TRect& R, int Flags, bool Enabled, TcxRotationAngle ARotationAngle);
  void DrawTexT(const rtl::String& Text, const TRect& R, rtl::TAlignment AAlignmentHorz,
                TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis);
  void AlignMultiLineTextRectVertically(TRect& R, const rtl::String& AText, TcxAlignmentVert AAlignmentVert,
                                        bool AWordBreak, bool AShowPrefix, bool AEnabled = true,
                                        bool ADontBreakChars = false, bool AEndEllipsis = false);
  // Appends the rectangle of every line the text wraps into.
  void GetTextStringsBounds(rtl::String Text, TRect R, int Flags, bool Enabled, std::vector<TRect>& ABounds);

 private:
  struct TcxDCState {
    HDC Handle;
    int State;
  };
  struct TcxCanvasState {
    rtl::TOwnedPtr<vcl::TFont> Font;
    rtl::TOwnedPtr<vcl::TBrush> Brush;
    rtl::TOwnedPtr<vcl::TPen> Pen;
    TdxDefaultBoolean UseRightToLeftAlignment;
    int TextFlags;
  };

  // The colour for a fill: false for clNone; clDefault keeps the brush.
  bool PrepareBrush(vcl::TColor AColor);
  void FillStrips(const TRect& R, int ALineWidth, TcxBorders ABorders, bool AExclude);
  void DrawTextOnce(const rtl::String& Text, const TRect& R, UINT ADrawTextFlags, int AOptions, bool ADrawTextRoute,
                    TcxRotationAngle ARotationAngle);

  std::vector<TcxDCState> FSavedDCs;
  // Nil stands for "no clip region": restoring it removes the clip instead
  // of setting the 30000-pixel stand-in GetClipRegion answers.
  std::vector<rtl::TOwnedPtr<TcxRegion>> FSavedRegions;
  std::vector<TcxCanvasState> FSavedStates;
  vcl::TCanvas* FCanvas;
  TdxDefaultBoolean FUseRightToLeftAlignment;
};

// A canvas on the screen's DC, taken from the cache when first needed and
// given back by FreeHandle.
class TScreenCanvas : public vcl::TCanvas {
  RTL_CLASS(TScreenCanvas, vcl::TCanvas)

 public:
  void Destroy() override;
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  HDC FDeviceContext;
  HWND FWindowHandle;
};

// The canvas of a control during one paint: its window origin counts from
// the origin the DC had when the paint began, so a control paints at (0, 0)
// wherever its parent placed the DC's origin.
class TcxControlCanvas : public TcxCanvas {
  RTL_CLASS(TcxControlCanvas, TcxCanvas)

 public:
  // Remembers the DC's window origin and moves the brush origin onto it, so
  // patterns line up with the control rather than with the parent.
  void BeginPaint();
  // The brush origin goes back; both remembered points are cleared.
  void EndPaint();

  TPoint GetWindowOrg() const override;
  void SetWindowOrg(const TPoint& P) override;

 private:
  TPoint FBrushOrigin;
  TPoint FOrigin;
};

// Measures text on the screen; Dormant gives the screen DC back.
class TcxScreenCanvas : public TcxCanvas {
  RTL_CLASS(TcxScreenCanvas, TcxCanvas)

 public:
  virtual void Create();
  void Destroy() override;
  void Dormant();
};

// Pointed at a DC or a TCanvas for one painting pass and back; passes nest.
class TcxPaintCanvas : public TcxCanvas {
  RTL_CLASS(TcxPaintCanvas, TcxCanvas)

 public:
  void Create(vcl::TCanvas* ACanvas) override;
  void Create() { Create(nullptr); }
  void Destroy() override;
  // A temporary TCanvas on ADC that takes over the objects selected in it;
  // the DC's state comes back at EndPaint.
  void BeginPaint(HDC ADC);
  void BeginPaint(vcl::TCanvas* ACanvas);
  // Nothing without an open pass.
  void EndPaint();

 private:
  struct TcxPaintCanvasState {
    vcl::TCanvas* PrevCanvas;
    // 0 when the pass wraps a TCanvas the caller gave.
    int FSaveDC;
  };

  int FCounter;
  std::vector<TcxPaintCanvasState> FSavedStates;
};

// The shared canvases: made on first call, nil once the unit has finished.
TcxScreenCanvas* cxScreenCanvas();
TcxPaintCanvas* cxPaintCanvas();
