// Measures and draws a piece of rich text (RTF) or plain text on any device
// context at a given scale, without a visible editor: one hidden rich edit
// holds the text and lays it out into the caller's rectangle through the
// platform's format-range rendering. Screen tips use it for descriptions
// written as rich text: first the height the text needs in a width, then
// the drawing.
#pragma once

#include <windows.h>

#include "core/dxTypeHelpers.h"
#include "platform/rtl/System.h"

namespace rtl {
class TEncoding;
class TStream;
}  // namespace rtl
namespace vcl {
class TCanvas;
class TRichEdit;
}  // namespace vcl
class TdxScaleFactor;

class TdxRichTextHelper : public rtl::TObject {
  RTL_CLASS(TdxRichTextHelper, rtl::TObject)

 public:
  virtual void Create();
  void Destroy() override;

  // Sets ARect.Bottom to ARect.Top plus the height the current text needs
  // in ARect's width, in pixels of ACanvas.
  virtual void CalculateTextHeight(vcl::TCanvas* ACanvas, TRect& ARect);
  virtual void DrawText(vcl::TCanvas* ACanvas, const TRect& ARect);
  // Loads AText (rich text when it begins with "{\rtf") in the font of
  // ACanvas and remembers the scale.
  virtual void Init(vcl::TCanvas* ACanvas, const rtl::String& AText, TdxScaleFactor* AScaleFactor);

  vcl::TRichEdit* GetRichEdit() const { return FRichEdit; }

 protected:
  // Loads the editor's lines from the stream made of the text.
  virtual void LoadLines(rtl::TStream* AStream, rtl::TEncoding* AEncoding);

 private:
  // Measures (ADraw false: answers the height in pixels) or draws.
  int Render(vcl::TCanvas* ACanvas, const TRect& ARect, bool ADraw);

  vcl::TRichEdit* FRichEdit;
  TdxScaleFactor* FScaleFactor;
};
