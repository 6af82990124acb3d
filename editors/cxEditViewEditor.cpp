// The cxEdit unit's view data and view info as they ask their editor: every
// question the layout and painting put to the edit control, in one place.
#include "editors/cxEdit.h"

#include "platform/vcl/Controls.h"

// Until the edit control exists the view classes see every editor as absent:
// the answers are those of a calculation without an editor.

rtl::TObject* TcxCustomEditViewInfo::EditObject() const
{
  return nullptr;
}

vcl::TWinControl* TcxCustomEditViewInfo::EditControl() const
{
  return nullptr;
}

rtl::IPtr<IcxEditOwner> TcxCustomEditViewInfo::GetEditOwner() const
{
  rtl::IPtr<IcxEditOwner> result;
  rtl::TObject* owner = EditObject() ? EditObject() : Owner;
  if (owner)
    rtl::Supports<IcxEditOwner>(owner, &result);
  return result;
}

void TcxCustomEditViewInfo::GetEditorColors(vcl::TColor& AColor, vcl::TColor& ATextColor)
{
  AColor = vcl::clDefault;
  ATextColor = vcl::clDefault;
}

bool TcxCustomEditViewInfo::EditorUsesParentBackground() const
{
  return false;
}

bool TcxCustomEditViewInfo::EditorPaintsButtons() const
{
  return false;
}

bool TcxCustomEditViewInfo::EditorOffsetsButtonContent() const
{
  return true;
}

bool TcxCustomEditViewInfo::EditorNeedsErase(vcl::TWinControl*) const
{
  return HasBackground;
}

bool TcxCustomEditViewData::EditorHasBackground() const
{
  return false;
}

bool TcxCustomEditViewData::EditorIsPaintCopyDrawing() const
{
  return false;
}

bool TcxCustomEditViewData::EditorIsContainerInnerControl() const
{
  return false;
}

bool TcxCustomEditViewData::EditorHasMouseCapture() const
{
  return false;
}

bool TcxCustomEditViewData::EditorTransparent() const
{
  return false;
}

bool TcxCustomEditViewData::EditorUsesStyleColor() const
{
  return false;
}

bool TcxCustomEditViewData::EditorHasValidationError() const
{
  return false;
}

rtl::String TcxCustomEditViewData::EditorValidationErrorText() const
{
  return {};
}

int TcxCustomEditViewData::EditorCaptureButtonVisibleIndex() const
{
  return -1;
}

TRect TcxCustomEditViewData::EditorVisibleBounds() const
{
  return TRect{};
}

TcxCustomEditStyle* TcxCustomEditViewData::EditorCurrentStyle() const
{
  return nullptr;
}

bool TcxCustomEditViewData::InnerEditVisible() const
{
  return false;
}

TRect TcxCustomEditViewData::InnerEditBounds() const
{
  return TRect{};
}

TcxCustomEditViewInfo* TcxCustomEditViewData::CreateSizeViewInfo() const
{
  return rtl::New<TcxCustomEditViewInfo>();
}

TSize TcxCustomEditViewData::ApplyConstraints(const TSize& ASize)
{
  return ASize;
}
