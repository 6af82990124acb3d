// The cxEdit unit's view data and view info as they ask their editor: every
// question the layout and painting put to the edit control, in one place.
#include "editors/cxEdit.h"

#include "platform/vcl/Controls.h"

// ---------------------------------------------------------------------------
// View info

rtl::TObject* TcxCustomEditViewInfo::EditObject() const
{
  return FEdit;
}

vcl::TWinControl* TcxCustomEditViewInfo::EditControl() const
{
  return FEdit;
}

rtl::IPtr<IcxEditOwner> TcxCustomEditViewInfo::GetEditOwner() const
{
  rtl::IPtr<IcxEditOwner> result;
  rtl::TObject* owner = FEdit ? static_cast<rtl::TObject*>(FEdit) : Owner;
  if (owner)
    rtl::Supports<IcxEditOwner>(owner, &result);
  return result;
}

// A stand-alone editor answers with its own colours: those of its skin where
// its style sets none (else the skin's light text lands on the style's white
// window colour), clDefault for whatever the style decides.
void TcxCustomEditViewInfo::GetEditorColors(vcl::TColor& AColor, vcl::TColor& ATextColor)
{
  AColor = vcl::clDefault;
  ATextColor = vcl::clDefault;
  if (FEdit && !FEdit->IsInplace())
    FEdit->GetSkinColors(AColor, ATextColor);
}

bool TcxCustomEditViewInfo::EditorUsesParentBackground() const
{
  return FEdit && FEdit->UsesParentBackground();
}

bool TcxCustomEditViewInfo::EditorPaintsButtons() const
{
  return false;
}

bool TcxCustomEditViewInfo::EditorOffsetsButtonContent() const
{
  return !FEdit || FEdit->ContentParams.Options.Contains(TcxEditContentOption::ecoOffsetButtonContent);
}

bool TcxCustomEditViewInfo::EditorNeedsErase(vcl::TWinControl*) const
{
  return HasBackground;
}

// ---------------------------------------------------------------------------
// View data

bool TcxCustomEditViewData::EditorHasBackground() const
{
  return FEdit && FEdit->HasParentBackground();
}

bool TcxCustomEditViewData::EditorIsPaintCopyDrawing() const
{
  return FEdit && FEdit->IsPaintCopyMode();
}

bool TcxCustomEditViewData::EditorIsContainerInnerControl() const
{
  return FEdit && rtl::Supports<IcxContainerInnerControl>(static_cast<rtl::TObject*>(FEdit));
}

bool TcxCustomEditViewData::EditorHasMouseCapture() const
{
  return FEdit && FEdit->HandleAllocated() && GetCapture() == FEdit->GetHandle();
}

bool TcxCustomEditViewData::EditorTransparent() const
{
  return FEdit && FEdit->GetTransparent();
}

bool TcxCustomEditViewData::EditorUsesStyleColor() const
{
  return false;
}

bool TcxCustomEditViewData::EditorHasValidationError() const
{
  return FEdit && FEdit->GetValidationError();
}

rtl::String TcxCustomEditViewData::EditorValidationErrorText() const
{
  return FEdit ? FEdit->GetValidationErrorText() : rtl::String();
}

int TcxCustomEditViewData::EditorCaptureButtonVisibleIndex() const
{
  return FEdit ? FEdit->FCaptureButtonVisibleIndex : -1;
}

TRect TcxCustomEditViewData::EditorVisibleBounds() const
{
  return FEdit ? FEdit->GetVisibleBounds() : TRect{};
}

TcxCustomEditStyle* TcxCustomEditViewData::EditorCurrentStyle() const
{
  return FEdit ? FEdit->GetCurrentStyle() : nullptr;
}

bool TcxCustomEditViewData::InnerEditVisible() const
{
  return InnerEdit && InnerEdit->GetControl() && InnerEdit->GetControl()->GetVisible();
}

TRect TcxCustomEditViewData::InnerEditBounds() const
{
  return InnerEdit && InnerEdit->GetControl() ? InnerEdit->GetControl()->GetBoundsRect() : TRect{};
}

TcxCustomEditViewInfo* TcxCustomEditViewData::CreateSizeViewInfo() const
{
  if (TcxCustomEditViewInfoClass viewInfoClass = FProperties->GetViewInfoClass())
    return viewInfoClass.Create();
  return rtl::New<TcxCustomEditViewInfo>();
}

TSize TcxCustomEditViewData::ApplyConstraints(const TSize& ASize)
{
  if (FIsInplace || !FEdit)
    return ASize;
  const vcl::TSizeConstraints* constraints = FEdit->GetConstraints();
  TSize result = ASize;
  if (constraints->GetMaxHeight() > 0)
    result.cy = std::min<int>(result.cy, constraints->GetMaxHeight());
  if (constraints->GetMinHeight() > 0)
    result.cy = std::max<int>(result.cy, constraints->GetMinHeight());
  if (constraints->GetMaxWidth() > 0)
    result.cx = std::min<int>(result.cx, constraints->GetMaxWidth());
  if (constraints->GetMinWidth() > 0)
    result.cx = std::max<int>(result.cx, constraints->GetMinWidth());
  return result;
}
