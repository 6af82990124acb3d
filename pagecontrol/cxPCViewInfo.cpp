// The tab view infos and the tab control's view info: where every tab, row
// and header button goes, and which tab is current, hot, pressed or focused.
#include "pagecontrol/cxPC.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <vector>

#include "core/cxGeometry.h"
#include "platform/vcl/Controls.h"

namespace {

bool IsRectEmptyOrInvalid(const TRect& R)
{
  return R.right <= R.left || R.bottom <= R.top;
}

TRect IntersectRects(const TRect& A, const TRect& B)
{
  TRect result;
  if (!IntersectRect(&result, &A, &B))
    return TRect{};
  return result;
}

// The cost of a segment of rows is the sum of 2^(spare length) over its
// rows: far beyond any floating-point range for wide rows, and a rounded
// logarithm of it may compare unequal with itself once the compiler keeps
// one side in a wider register, so that balancing never ends. The sum is
// held exactly instead, as the exponents of its binary digits, highest
// first: comparing two such lists lexicographically compares the sums.
std::vector<int> SumOfPowersOfTwo(const std::vector<int>& AExponents)
{
  std::map<int, int> counts;
  for (int exponent : AExponents)
    ++counts[exponent];
  // From the lowest digit up, two equal powers carry into one above; the
  // carried key is visited after the current one.
  std::vector<int> digits;
  for (auto it = counts.begin(); it != counts.end(); ++it) {
    if (it->second > 1)
      counts[it->first + 1] += it->second / 2;
    if (it->second % 2 != 0)
      digits.push_back(it->first);
  }
  std::reverse(digits.begin(), digits.end());
  return digits;
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxTabViewInfo

void TcxTabViewInfo::Create(TcxTab* ATab, TcxTabsViewInfo* ATabsViewInfo)
{
  FTab = ATab;
  FTabsViewInfo = ATabsViewInfo;
  FTab->GetDestroyHandlers()->Add(TcxEventHandler::Bind<&TcxTabViewInfo::TabDestroyHandler>(this));
}

void TcxTabViewInfo::Destroy()
{
  ClearButtons();
  if (FTab)
    FTab->GetDestroyHandlers()->Remove(TcxEventHandler::Bind<&TcxTabViewInfo::TabDestroyHandler>(this));
  inherited::Destroy();
}

void TcxTabViewInfo::TabDestroyHandler(rtl::TObject*, const void*)
{
  // The tab goes first: the view info forgets it and leaves the list, which
  // frees it.
  FTab->GetDestroyHandlers()->Remove(TcxEventHandler::Bind<&TcxTabViewInfo::TabDestroyHandler>(this));
  FTab = nullptr;
  ControlViewInfo()->ForgetTab(this);
  FTabsViewInfo->Remove(this);
}

TcxCustomTabControlViewInfo* TcxTabViewInfo::ControlViewInfo() const
{
  return FTabsViewInfo->GetControlViewInfo();
}

TcxCustomTabControlProperties* TcxTabViewInfo::Properties() const
{
  return ControlViewInfo()->Properties();
}

TcxPCCustomPainter* TcxTabViewInfo::Painter() const
{
  return ControlViewInfo()->Painter();
}

int TcxTabViewInfo::GetVisibleIndex() const
{
  return FTabsViewInfo->IndexOf(this);
}

bool TcxTabViewInfo::ActuallyEnabled() const
{
  return ControlViewInfo()->GetOwner()->GetControlEnabled() && FTab->GetEnabled();
}

bool TcxTabViewInfo::ActuallyVisible() const
{
  int first, last;
  ControlViewInfo()->InitializeVisibleTabRange(first, last);
  const int index = GetVisibleIndex();
  return first != -1 && index >= first && index <= last;
}

bool TcxTabViewInfo::IsActive() const
{
  return FTab->GetIndex() == ControlViewInfo()->GetTabIndex();
}

bool TcxTabViewInfo::IsFocused() const
{
  return GetVisibleIndex() == ControlViewInfo()->GetFocusedTabVisibleIndex();
}

bool TcxTabViewInfo::IsHotTrack() const
{
  return GetVisibleIndex() == ControlViewInfo()->GetHotTrackTabVisibleIndex();
}

bool TcxTabViewInfo::IsMainTab() const
{
  return GetVisibleIndex() == ControlViewInfo()->GetMainTabVisibleIndex();
}

bool TcxTabViewInfo::IsPressed() const
{
  return GetVisibleIndex() == ControlViewInfo()->GetPressedTabVisibleIndex();
}

bool TcxTabViewInfo::IsTracking() const
{
  return GetVisibleIndex() == ControlViewInfo()->GetTrackingTabVisibleIndex();
}

void TcxTabViewInfo::Select()
{
  if (CanSelect())
    ControlViewInfo()->SetTabIndex(FTab->GetIndex());
}

int TcxTabViewInfo::GetDefinedWidth()
{
  return Properties()->GetTabWidth();
}

int TcxTabViewInfo::GetLimitedWidth()
{
  return GetDefinedWidth();
}

void TcxTabViewInfo::CorrectTabNormalWidth(int& AValue)
{
  Painter()->CorrectTabNormalWidth(AValue);
}

void TcxTabViewInfo::CalculateNormalWidth()
{
  FNormalWidth = Painter()->CalculateTabNormalWidth(this);
}

TSize TcxTabViewInfo::GetTextSize()
{
  if (FTextSize.cx == 0 && FTextSize.cy == 0 && HasCaption()) {
    TcxScreenCanvas* canvas = cxScreenCanvas();
    canvas->GetFont()->Assign(ControlViewInfo()->GetOwner()->GetControlFont());
    TRect R{0, 0, 0, 0};
    ::DrawTextW(canvas->GetHandle(), GetCaption().c_str(), -1, &R, Painter()->GetTextFlags(this, true));
    FTextSize = TSize{R.right - R.left, R.bottom - R.top};
    canvas->Dormant();
  }
  return FTextSize;
}

TRect TcxTabViewInfo::GetNormalRect() const
{
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  const int normalHeight = FTabsViewInfo->GetTabNormalHeight();
  const int along = viewInfo->ActuallyRotate() ? viewInfo->GetRowHeight() : FNormalWidth;
  TRect R{FNormalPosition.x, FNormalPosition.y, 0, 0};
  if (viewInfo->IsVerticalText()) {
    R.right = R.left + normalHeight;
    R.bottom = R.top + along;
  } else {
    R.right = R.left + along;
    R.bottom = R.top + normalHeight;
  }
  return R;
}

TRect TcxTabViewInfo::GetFullRect() const
{
  TRect R = GetNormalRect();
  const TRect extension = Painter()->GetTabFullRectExtension(GetVisibleIndex());
  R.left += extension.left;
  R.top += extension.top;
  R.right += extension.right;
  R.bottom += extension.bottom;
  return R;
}

TRect TcxTabViewInfo::GetVisibleRect() const
{
  if (!ActuallyVisible())
    return TRect{};
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  const TRect part = FVisibleRow < viewInfo->GetTopOrLeftPartRowCount() ? viewInfo->GetExtendedTopOrLeftTabsRect()
                                                                         : viewInfo->GetExtendedBottomOrRightTabsRect();
  return IntersectRects(GetFullRect(), part);
}

TcxTabPosition TcxTabViewInfo::PaintingPosition() const
{
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  const bool topOrLeftPart = FVisibleRow < viewInfo->GetTopOrLeftPartRowCount();
  if (viewInfo->IsTopOrBottom())
    return topOrLeftPart ? TcxTabPosition::tpTop : TcxTabPosition::tpBottom;
  return topOrLeftPart ? TcxTabPosition::tpLeft : TcxTabPosition::tpRight;
}

int TcxTabViewInfo::PaintingPositionIndex() const
{
  // Rows: top, bottom, left, right; columns: ra0, raPlus90, raMinus90.
  static constexpr int indexes[4][3] = {{1, 2, 3}, {10, 11, 12}, {6, 4, 5}, {9, 7, 8}};
  const int angle = static_cast<int>(ControlViewInfo()->GetTextRotationAngle());
  return indexes[static_cast<int>(PaintingPosition())][std::min(angle, 2)];
}

TcxRotationAngle TcxTabViewInfo::GetRelativeTextRotationAngle() const
{
  switch (PaintingPositionIndex()) {
    case 2:
    case 9:
    case 12:
      return TcxRotationAngle::raPlus90;
    case 3:
    case 6:
    case 11:
      return TcxRotationAngle::raMinus90;
    case 5:
    case 7:
    case 10:
      return TcxRotationAngle::ra180;
    default:
      return TcxRotationAngle::ra0;
  }
}

int TcxTabViewInfo::ContentLength(const TRect& R) const
{
  return ControlViewInfo()->IsVerticalText() ? R.bottom - R.top : R.right - R.left;
}

void TcxTabViewInfo::CalculateParts()
{
  FImageRect = TRect{};
  FTextRect = TRect{};
  FIsTextTooLong = false;
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  if (!viewInfo->IsTabsVisible())
    return;
  TcxPCCustomPainter* painter = Painter();
  const int index = GetVisibleIndex();
  const bool vertical = viewInfo->IsVerticalText();
  const TRect base = GetFullRect();
  const TSize textSize = GetTextSize();
  const TSize imageSize = viewInfo->GetTabImageSize();
  const int imageBorder = Properties()->GetImageBorder();
  const bool reserveImage = HasImage() || (viewInfo->HasImages() && viewInfo->ActuallyRotate());
  const int imagePart = reserveImage ? imageSize.cx + 2 * imageBorder + painter->GetTabImageAreaOffset() : 0;

  const int buttonsPart = painter->GetTabButtonsWidth(index);
  TPoint offsets = painter->GetTabContentOffsets(index);
  const int textLength = textSize.cx;
  if (ContentLength(base) - offsets.x - offsets.y - imagePart - buttonsPart < textLength) {
    FIsTextTooLong = true;
    offsets = painter->GetTooLongTextContentOffsets(index);
  }
  // Along the text: x for horizontal text, y for vertical text.
  // Text read upwards starts at the bottom: the first offset goes there.
  const bool upwards = vertical && viewInfo->GetTextRotationAngle() != TcxRotationAngle::raMinus90;
  FContentRect = base;
  if (upwards) {
    FContentRect.bottom -= offsets.x;
    FContentRect.top += offsets.y;
  } else if (vertical) {
    FContentRect.top += offsets.x;
    FContentRect.bottom -= offsets.y;
  } else {
    FContentRect.left += offsets.x;
    FContentRect.right -= offsets.y;
  }
  PlaceButtons();
  // The image and the text share what the buttons leave.
  TRect area = FContentRect;
  if (!vertical)
    area.right -= buttonsPart;
  else if (viewInfo->GetTextRotationAngle() == TcxRotationAngle::raMinus90)
    area.bottom -= buttonsPart;
  else
    area.top += buttonsPart;

  auto centreAcross = [&](const TRect& AOffsets, int ASize) {
    TRect R = area;
    if (vertical) {
      R.left += AOffsets.top;
      R.right -= AOffsets.bottom;
      R.left += (R.right - R.left - ASize) / 2;
      R.right = R.left + ASize;
    } else {
      R.top += AOffsets.top;
      R.bottom -= AOffsets.bottom;
      R.top += (R.bottom - R.top - ASize) / 2;
      R.bottom = R.top + ASize;
    }
    return R;
  };

  const int length = ContentLength(area);
  const int textPart = HasCaption() ? std::min(textLength, length - imagePart) : 0;
  if (HasCaption() && imagePart + textPart <= 0)
    return;
  // Buttons that come and go with the mouse must not move the caption.
  const bool hoverButtons =
      Properties()->GetCloseButtonMode() == TcxPCButtonMode::cbmActiveAndHoverTabs ||
      Properties()->GetCustomButtons()->GetMode() == TcxPCButtonMode::cbmActiveAndHoverTabs;
  int start = 0;
  if (HasCaption() && !FIsTextTooLong && !hoverButtons) {
    const int total = imagePart + textPart;
    switch (Properties()->GetTabCaptionAlignment()) {
      case rtl::TAlignment::taLeftJustify:
        break;
      case rtl::TAlignment::taRightJustify:
        start = length - total;
        break;
      case rtl::TAlignment::taCenter:
        start = (length - total) / 2;
        break;
    }
  } else if (!HasCaption()) {
    start = (length - imageSize.cx) / 2 - imageBorder;
  }
  const int origin = upwards ? area.bottom : vertical ? area.top : area.left;
  auto placeAlong = [&](TRect R, int AStart, int ALength) {
    if (upwards) {
      R.bottom = origin - AStart;
      R.top = R.bottom - ALength;
    } else if (vertical) {
      R.top = origin + AStart;
      R.bottom = R.top + ALength;
    } else {
      R.left = origin + AStart;
      R.right = R.left + ALength;
    }
    return R;
  };
  if (HasImage())
    FImageRect = placeAlong(centreAcross(painter->GetTabImageOffsets(index), imageSize.cy), start + imageBorder,
                            imageSize.cx);
  if (HasCaption())
    FTextRect = placeAlong(centreAcross(painter->GetTabTextOffsets(index), textSize.cy), start + imagePart, textPart);
}

void TcxTabViewInfo::Mirror(const TRect& AClientRect)
{
  auto mirror = [&](TRect& R) {
    if (IsRectEmptyOrInvalid(R))
      return;
    const int width = R.right - R.left;
    R.left = AClientRect.left + AClientRect.right - R.right;
    R.right = R.left + width;
  };
  TRect normal = GetNormalRect();
  mirror(normal);
  FNormalPosition.x = normal.left;
  mirror(FContentRect);
  mirror(FImageRect);
  mirror(FTextRect);
  for (TcxPCCustomTabButtonViewInfo* button : FButtonInfos) {
    TRect R = button->GetBounds();
    mirror(R);
    button->SetBounds(R);
  }
}

void TcxTabViewInfo::MirrorParts()
{
  // Parts laid out in an already mirrored tab turn about the tab itself.
  const TRect full = GetFullRect();
  auto mirror = [&](TRect& R) {
    if (IsRectEmptyOrInvalid(R))
      return;
    const int width = R.right - R.left;
    R.left = full.left + full.right - R.right;
    R.right = R.left + width;
  };
  mirror(FContentRect);
  mirror(FImageRect);
  mirror(FTextRect);
  for (TcxPCCustomTabButtonViewInfo* button : FButtonInfos) {
    TRect R = button->GetBounds();
    mirror(R);
    button->SetBounds(R);
  }
}

int TcxPCNewButtonViewInfo::GetDefinedWidth()
{
  return Properties()->NewButton()->GetWidth();
}

// ---------------------------------------------------------------------------
// TcxTabsViewInfo

void TcxTabsViewInfo::Create(TcxTabs* ATabs, TcxCustomTabControlViewInfo* AControlViewInfo)
{
  FTabs = ATabs;
  FControlViewInfo = AControlViewInfo;
  FTabs->GetChangedHandlers()->Add(TcxEventHandler::Bind<&TcxTabsViewInfo::TabsChangedHandler>(this));
  Recreate();
}

void TcxTabsViewInfo::Destroy()
{
  ClearViewInfos();
  if (FTabs)
    FTabs->GetChangedHandlers()->Remove(TcxEventHandler::Bind<&TcxTabsViewInfo::TabsChangedHandler>(this));
  inherited::Destroy();
}

void TcxTabsViewInfo::ClearViewInfos()
{
  std::vector<TcxTabViewInfo*> viewInfos;
  viewInfos.swap(FViewInfos);
  for (TcxTabViewInfo* viewInfo : viewInfos)
    rtl::Free(viewInfo);
}

void TcxTabsViewInfo::Recreate()
{
  ClearViewInfos();
  FNeedRecreateViewInfos = false;
  for (int i = 0; i < FTabs->GetCount(); ++i) {
    TcxTab* tab = FTabs->GetTab(i);
    if (tab->GetVisible())
      FViewInfos.push_back(rtl::New<TcxTabViewInfo>(tab, this));
  }
  TcxPCNewButton* newButton = FTabs->GetNewButton();
  if (newButton->GetVisible() && !FTabs->GetProperties()->IsDesigning())
    FViewInfos.push_back(rtl::New<TcxPCNewButtonViewInfo>(newButton, this));
}

int TcxTabsViewInfo::IndexOf(const TcxTabViewInfo* AViewInfo) const
{
  auto it = std::find(FViewInfos.begin(), FViewInfos.end(), AViewInfo);
  return it == FViewInfos.end() ? -1 : static_cast<int>(it - FViewInfos.begin());
}

void TcxTabsViewInfo::Remove(TcxTabViewInfo* AViewInfo)
{
  auto it = std::find(FViewInfos.begin(), FViewInfos.end(), AViewInfo);
  if (it == FViewInfos.end())
    return;
  FViewInfos.erase(it);
  rtl::Free(AViewInfo);
}

void TcxTabsViewInfo::CheckRecreate()
{
  if (FNeedRecreateViewInfos)
    Recreate();
}

void TcxTabsViewInfo::CheckTabIndex()
{
  if (!FNeedCheckTabIndex)
    return;
  FNeedCheckTabIndex = false;
  const int main = FControlViewInfo->GetMainTabVisibleIndex();
  if (main >= 0 && main < ViewInfoCount())
    FControlViewInfo->SetTabIndex(GetViewInfo(main)->GetIndex());
}

void TcxTabsViewInfo::TabsChangedHandler(rtl::TObject*, const void* AArgs)
{
  const auto& args = *static_cast<const TcxTabChangedArgs*>(AArgs);
  TcxCustomTabControlProperties* properties = FTabs->GetProperties();
  int visibleIndex = -1;
  if (args.Tab)
    for (int i = 0; i < ViewInfoCount(); ++i)
      if (FViewInfos[i]->GetTab() == args.Tab)
        visibleIndex = i;
  if (args.Code == cxTabChangeLayout || args.Code == cxTabChangeVisible) {
    FNeedRecreateViewInfos = true;
    if (args.Code == cxTabChangeVisible && visibleIndex >= 0) {
      if (properties->ResetTabIndexOfHiddenTab() && visibleIndex == FControlViewInfo->GetMainTabVisibleIndex())
        FNeedCheckTabIndex = true;
      FControlViewInfo->ForgetTab(FViewInfos[visibleIndex]);
      Remove(FViewInfos[visibleIndex]);
    }
    if (!properties->IsLocked())
      FControlViewInfo->TabsListChanged();
  } else if (visibleIndex >= 0 && !properties->IsLocked()) {
    FControlViewInfo->TabChanged(visibleIndex, args.Code);
  }
}

int TcxTabsViewInfo::GetTabDefaultHeight() const
{
  return FTabs->GetProperties()->GetTabHeight();
}

void TcxTabsViewInfo::CalculateNormalSizes()
{
  FTabNormalHeight = FControlViewInfo->Painter()->CalculateTabNormalHeight();
  for (TcxTabViewInfo* viewInfo : FViewInfos)
    viewInfo->CalculateNormalWidth();
}

void TcxTabsViewInfo::CalculateTabParts()
{
  for (TcxTabViewInfo* viewInfo : FViewInfos)
    viewInfo->CalculateParts();
}

// ---------------------------------------------------------------------------
// TcxCustomTabControlViewInfo: set-up and direction

void TcxCustomTabControlViewInfo::Create(IcxTabControl* AOwner)
{
  FOwner = AOwner;
  FFirstTabVisibleIndex = -1;
  FLastTabVisibleIndex = -1;
  FMainTabVisibleIndex = -1;
  FHotTrackTabVisibleIndex = -1;
  FPressedTabVisibleIndex = -1;
  FFocusedTabVisibleIndex = -1;
  FTrackingTabVisibleIndex = -1;
  FHotTrackNavigatorButton = -1;
  FPressedNavigatorButton = -1;
  FTabsViewInfo = rtl::New<TcxTabsViewInfo>(Properties()->GetTabs(), this);
}

void TcxCustomTabControlViewInfo::Destroy()
{
  rtl::FreeAndNil(FTabsViewInfo);
  inherited::Destroy();
}

TcxPCPainterClass TcxCustomTabControlViewInfo::GetPainterClass()
{
  TcxPCPaintersFactory* factory = PaintersFactory();
  if (!factory)
    return nullptr;
  TcxPCStyleID style = Properties()->GetStyle();
  if (style == 0) {
    style = factory->GetStyleID(FOwner->GetControlLookAndFeel());
    if (style == -1)
      style = factory->GetDefaultStyleID(FOwner->GetControlLookAndFeel());
  }
  return factory->GetPainterClass(style);
}

bool TcxCustomTabControlViewInfo::UseRightToLeftAlignment() const
{
  vcl::TWinControl* control = FOwner->GetOwnerControl();
  return control && control->UseRightToLeftAlignment();
}

TcxTabPosition TcxCustomTabControlViewInfo::TabPosition() const
{
  TcxTabPosition position = Properties()->GetTabPosition();
  if (UseRightToLeftAlignment())
    position = GetOppositeRotationPosition(position);
  return position;
}

bool TcxCustomTabControlViewInfo::IsTopOrBottom() const
{
  const TcxTabPosition position = TabPosition();
  return position == TcxTabPosition::tpTop || position == TcxTabPosition::tpBottom;
}

bool TcxCustomTabControlViewInfo::ActuallyRotate() const
{
  return Properties()->GetRotate() && Painter() && Painter()->IsTabRotationSupported();
}

bool TcxCustomTabControlViewInfo::IsVerticalText() const
{
  return IsTopOrBottom() == ActuallyRotate();
}

TcxRotationAngle TcxCustomTabControlViewInfo::GetTextRotationAngle() const
{
  if (!IsVerticalText())
    return TcxRotationAngle::ra0;
  return Properties()->GetOptions().Contains(TcxPCOption::pcoTopToBottomText) ? TcxRotationAngle::raMinus90
                                                                              : TcxRotationAngle::raPlus90;
}

bool TcxCustomTabControlViewInfo::IsRightToLeftAlignment() const
{
  return IsTopOrBottom() && ActuallyRotate() && Properties()->GetOptions().Contains(TcxPCOption::pcoTopToBottomText);
}

bool TcxCustomTabControlViewInfo::IsBottomToTopAlignment() const
{
  return !IsTopOrBottom() && !ActuallyRotate() &&
         !Properties()->GetOptions().Contains(TcxPCOption::pcoTopToBottomText);
}

bool TcxCustomTabControlViewInfo::IsReversedOrder() const
{
  return IsRightToLeftAlignment() || IsBottomToTopAlignment();
}

bool TcxCustomTabControlViewInfo::IsTabsVisible() const
{
  return !Properties()->GetHideTabs() && FRowCount > 0;
}

bool TcxCustomTabControlViewInfo::IsTabsOnBothSides() const
{
  return IsTabsVisible() && FTopOrLeftPartRowCount > 0 && FTopOrLeftPartRowCount < FRowCount;
}

bool TcxCustomTabControlViewInfo::HasImages() const
{
  return Properties()->GetImages()->IsImagesAssigned();
}

TSize TcxCustomTabControlViewInfo::GetTabImageSize() const
{
  return Properties()->GetImages()->BaseImageSize();
}

TRect TcxCustomTabControlViewInfo::GetControlBounds() const
{
  const TRect bounds = FOwner->GetControlBoundsRect();
  return TRect{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
}

TRect TcxCustomTabControlViewInfo::PageClientRect() const
{
  return Painter()->GetPageClientRect();
}

TRect TcxCustomTabControlViewInfo::PageClientRectOffset() const
{
  TRect offsets;
  Painter()->GetPageClientRectOffset(offsets);
  return RotateTabRect(offsets, TabPosition());
}

TRect TcxCustomTabControlViewInfo::TabsAreaRect() const
{
  TRect R = GetClientRect();
  const TRect frame = Painter()->GetPageFrameRect();
  switch (TabPosition()) {
    case TcxTabPosition::tpTop:
      R.bottom = frame.top;
      break;
    case TcxTabPosition::tpBottom:
      R.top = frame.bottom;
      break;
    case TcxTabPosition::tpLeft:
      R.right = frame.left;
      break;
    case TcxTabPosition::tpRight:
      R.left = frame.right;
      break;
  }
  return R;
}

// ---------------------------------------------------------------------------
// Calculate

void TcxCustomTabControlViewInfo::Calculate()
{
  if (FUpdating || !Painter())
    return;
  FTabCalculatingIndex = Properties()->GetTabIndex();
  FUpdating = true;
  try {
    DoCalculate();
  } catch (...) {
    FUpdating = false;
    throw;
  }
  FUpdating = false;
  // The full change protocol runs when the layout moved the current tab.
  Properties()->SetTabIndex(FTabCalculatingIndex);
  if (UseRightToLeftAlignment() && IsTopOrBottom())
    MirrorLayout();
  Properties()->GetImages()->SetImageRotationAngle(Painter()->IsNativePainting() ? TcxRotationAngle::ra0
                                                                                 : GetTextRotationAngle());
  // Header images stand with the captions of side tabs, whatever the tabs
  // themselves do.
  TcxRotationAngle headerAngle = TcxRotationAngle::ra0;
  if (!IsTopOrBottom())
    headerAngle = Properties()->GetOptions().Contains(TcxPCOption::pcoTopToBottomText) ? TcxRotationAngle::raMinus90
                                                                                       : TcxRotationAngle::raPlus90;
  Properties()->GetCustomButtons()->GetHeaderImages()->SetImageRotationAngle(headerAngle);
  UpdateHotTracking();
}

vcl::TColor TcxCustomTabControlViewInfo::GetTabColor(int AVisibleIndex) const
{
  return GetTabViewInfo(AVisibleIndex)->GetColor();
}

int TcxCustomTabControlViewInfo::GetTabIndex()
{
  return FUpdating ? FTabCalculatingIndex : Properties()->GetTabIndex();
}

void TcxCustomTabControlViewInfo::SetTabIndex(int AValue)
{
  if (FUpdating)
    FTabCalculatingIndex = AValue;
  else
    Properties()->SetTabIndex(AValue);
}

void TcxCustomTabControlViewInfo::DoCalculate()
{
  FTabButtonHeight = 0;
  TcxPCCustomButtons* customButtons = Properties()->GetCustomButtons();
  if (Properties()->GetCloseButtonMode() != TcxPCButtonMode::cbmNone ||
      customButtons->GetMode() != TcxPCButtonMode::cbmNone) {
    FTabButtonHeight = Painter()->GetDefaultTabButtonHeight();
    if (customButtons->GetTabImages()->IsImagesAssigned()) {
      const TRect offsets = Painter()->GetTabButtonGlyphOffsets();
      FTabButtonHeight = std::max<int>(FTabButtonHeight, customButtons->GetTabImages()->BaseImageSize().cy +
                                                        offsets.top + offsets.bottom);
    }
  }
  FTabsViewInfo->CheckRecreate();
  const int tabIndex = GetTabIndex();
  FExtendedTopOrLeftTabsRect = TRect{};
  FExtendedBottomOrRightTabsRect = TRect{};
  FRowCount = 0;
  FTopOrLeftPartRowCount = 0;

  const int count = TabsViewInfoCount();
  auto clamp = [count](int& AIndex) {
    if (AIndex >= count)
      AIndex = -1;
  };
  clamp(FMainTabVisibleIndex);
  clamp(FHotTrackTabVisibleIndex);
  clamp(FPressedTabVisibleIndex);
  if (Properties()->GetActivateFocusedTab())
    FFocusedTabVisibleIndex = -1;
  clamp(FFocusedTabVisibleIndex);
  FFirstTabVisibleIndex = FFirstTabVisibleIndex == -1 ? 0 : std::min(FFirstTabVisibleIndex, count - 1);
  FLastTabVisibleIndex = std::max(FLastTabVisibleIndex, FFirstTabVisibleIndex);
  clamp(FLastTabVisibleIndex);
  if (count == 0)
    FFirstTabVisibleIndex = -1;
  if (GetTabIndex() >= Properties()->GetTabs()->GetCount())
    SetTabIndex(Properties()->GetTabs()->GetCount() - 1);
  const int oldMainIndex = FMainTabVisibleIndex;

  if (count == 0) {
    CalculateNavigatorButtons(true);
    UpdateTabsPosition(false);
    FTabsViewInfo->CheckTabIndex();
    return;
  }
  Painter()->PrepareCalculation();

  // The main tab: a hidden current tab keeps the main index while it still
  // points at a real tab.
  const int currentTab = GetTabIndex();
  int mainIndex = -1;
  if (currentTab != -1) {
    TcxTab* tab = Properties()->GetTabs()->GetTab(currentTab);
    for (int i = 0; i < count; ++i)
      if (GetTabViewInfo(i)->GetTab() == tab)
        mainIndex = i;
    if (mainIndex == -1) {
      int lastReal = -1;
      for (int i = 0; i < count; ++i)
        if (!GetTabViewInfo(i)->GetTab()->IsNewButton())
          lastReal = i;
      mainIndex = FMainTabVisibleIndex != -1 && FMainTabVisibleIndex <= lastReal ? FMainTabVisibleIndex : lastReal;
    }
  }
  SetMainTabVisibleIndex(mainIndex);

  for (int i = 0; i < count; ++i) {
    GetTabViewInfo(i)->RecreateButtons();
    GetTabViewInfo(i)->ResetTextSize();
  }
  FTabsViewInfo->CalculateNormalSizes();
  if (Properties()->GetMultiLine())
    CalculateMultiRow();
  else
    CalculateSingleRow();

  if (tabIndex == GetTabIndex() && FMainTabVisibleIndex != oldMainIndex && FMainTabVisibleIndex != -1)
    MakeTabVisible(FMainTabVisibleIndex);
  FTabsViewInfo->CheckTabIndex();
  FTabsViewInfo->CalculateTabParts();
}

void TcxCustomTabControlViewInfo::CalculateNavigatorButtons(bool AAllTabsFit)
{
  FNavigatorButtons = Properties()->GetNavigatorButtons(AAllTabsFit);
}

void TcxCustomTabControlViewInfo::UpdateTabsPosition(bool ACreateHeaderButtons)
{
  // The hot and pressed buttons outlive the re-creation by their kinds, so
  // that an arrow held down stays pressed while the row scrolls.
  // Custom buttons are known by their place in the collection.
  auto keyOf = [](const TcxPCHeaderButton& AButton) {
    return AButton.Button ? 100 + AButton.Button->GetIndex() : static_cast<int>(AButton.Kind);
  };
  auto kindAt = [this, keyOf](int AIndex) {
    return AIndex >= 0 && AIndex < NavigatorButtonCount() ? keyOf(FHeaderButtons[AIndex]) : -1;
  };
  const int hotKind = kindAt(FHotTrackNavigatorButton);
  const int pressedKind = kindAt(FPressedNavigatorButton);
  FHotTrackNavigatorButton = -1;
  FPressedNavigatorButton = -1;
  FHeaderButtons.clear();
  FHeaderButtonHeight = Painter()->GetHeaderButtonHeight();
  if (ACreateHeaderButtons && !Properties()->GetMultiLine()) {
    const TcxPCNavigatorPosition position = Properties()->GetNavigatorPosition();
    const bool atStart = IsTopOrBottom() ? position == TcxPCNavigatorPosition::npLeftTop ||
                                               position == TcxPCNavigatorPosition::npLeftBottom
                                         : position == TcxPCNavigatorPosition::npLeftTop ||
                                               position == TcxPCNavigatorPosition::npRightTop;
    using B = TcxPCNavigatorButton;
    const B startOrder[] = {B::nbClose, B::nbTopLeft, B::nbBottomRight, B::nbGoDialog};
    const B endOrder[] = {B::nbGoDialog, B::nbTopLeft, B::nbBottomRight, B::nbClose};
    auto addNavigatorButtons = [this](const B(&AOrder)[4]) {
      for (B kind : AOrder)
        if (FNavigatorButtons.Contains(kind))
          FHeaderButtons.push_back({kind, TRect{}, TcxPCNavigatorButtonState::nbsNormal});
    };
    if (atStart)
      addNavigatorButtons(startOrder);
    AddCustomHeaderButtons();
    if (!atStart)
      addNavigatorButtons(endOrder);
  }
  for (int i = 0; i < NavigatorButtonCount(); ++i) {
    const int kind = keyOf(FHeaderButtons[i]);
    if (kind == pressedKind)
      FPressedNavigatorButton = i;
    if (kind == hotKind)
      FHotTrackNavigatorButton = i;
  }
  for (int i = 0; i < NavigatorButtonCount(); ++i)
    FHeaderButtons[i].State = NavigatorButtonStateFor(i);
  UpdateNavigatorButtonStates();
  FTabsPosition = TcxPCTabsPosition{};
  Painter()->CalculateTabsPosition(FTabsPosition);
}

void TcxCustomTabControlViewInfo::AddCustomHeaderButtons()
{
  TcxPCCustomButtons* customButtons = Properties()->GetCustomButtons();
  bool added = false;
  for (int i = 0; i < customButtons->GetCount(); ++i) {
    TcxPCButton* button = customButtons->GetButtons()->GetItem(i);
    if (!button->GetVisible() || button->GetPosition() == TcxPCButtonPosition::pcbpTabs)
      continue;
    TcxPCHeaderButton info{TcxPCNavigatorButton::nbClose, TRect{}, TcxPCNavigatorButtonState::nbsNormal};
    info.Button = button;
    FHeaderButtons.push_back(info);
    added = true;
  }
  TcxPCImageList* images = customButtons->GetHeaderImages();
  if (added && images->IsImagesAssigned()) {
    const TRect offsets = Painter()->GetHeaderButtonGlyphOffsets();
    FHeaderButtonHeight =
        std::max<int>(FHeaderButtonHeight, images->BaseImageSize().cy + offsets.top + offsets.bottom);
  }
}

void TcxCustomTabControlViewInfo::UpdateNavigatorButtonStates()
{
  const int count = TabsViewInfoCount();
  for (TcxPCHeaderButton& button : FHeaderButtons) {
    bool enabled = true;
    const bool towardsLater = (button.Kind == TcxPCNavigatorButton::nbBottomRight) != IsReversedOrder();
    if (button.Button)
      enabled = button.Button->GetEnabled();
    else if (button.Kind == TcxPCNavigatorButton::nbClose)
      enabled = GetTabIndex() != -1;
    else if (button.Kind == TcxPCNavigatorButton::nbGoDialog)
      continue;
    else if (towardsLater)
      enabled = !(FLastTabVisibleIndex == count - 1 && FIsLastTabFullyVisible);
    else
      enabled = FFirstTabVisibleIndex > 0;
    if (!enabled) {
      // A disabled button stops being hot or pressed.
      const int index = static_cast<int>(&button - FHeaderButtons.data());
      if (FHotTrackNavigatorButton == index)
        FHotTrackNavigatorButton = -1;
      if (FPressedNavigatorButton == index)
        FPressedNavigatorButton = -1;
      button.State = TcxPCNavigatorButtonState::nbsDisabled;
    } else if (button.State == TcxPCNavigatorButtonState::nbsDisabled) {
      button.State = TcxPCNavigatorButtonState::nbsNormal;
    }
  }
}

int TcxCustomTabControlViewInfo::TabExtent(int AVisibleIndex) const
{
  return ActuallyRotate() ? FTabsViewInfo->GetTabNormalHeight() : GetTabViewInfo(AVisibleIndex)->GetNormalWidth();
}

TSize TcxCustomTabControlViewInfo::TabsDistance() const
{
  TSize distance = Painter()->GetTabsDistance();
  if (ActuallyRotate())
    std::swap(distance.cx, distance.cy);
  return distance;
}

int TcxCustomTabControlViewInfo::RowWidthWithGaps(int AFirst, int ALast) const
{
  int width = 0;
  for (int i = AFirst; i <= ALast; ++i)
    width += TabExtent(i);
  return width + (ALast - AFirst) * AlongGap();
}

// ---------------------------------------------------------------------------
// Placing along a row

void TcxCustomTabControlViewInfo::PlaceRow(int AFirst, int ALast, bool AAllowPartial)
{
  const bool alongY = !IsTopOrBottom();
  const int gap = AlongGap();
  const int start = GetPointCoordinate(TPoint{FTabsPosition.NormalTabsRect.left, FTabsPosition.NormalTabsRect.top},
                                       alongY);
  const int length = FTabsPosition.NormalRowWidth;
  const bool reversed = IsReversedOrder();
  const int direction = reversed ? -1 : 1;
  int p = reversed ? start + length - 1 : start;
  auto withinLimit = [&](int AValue) { return reversed ? AValue >= start : AValue <= start + length - 1; };
  int lastPlaced = -1;
  int lastEnd = p;
  for (int i = AFirst; i <= ALast; ++i) {
    FLastTabVisibleIndex = i;
    lastPlaced = i;
    const int end = p + direction * (TabExtent(i) - 1);
    TcxTabViewInfo* tab = GetTabViewInfo(i);
    TPoint position = tab->GetNormalPosition();
    SetPointCoordinate(position, alongY, reversed ? end : p);
    tab->SetNormalPosition(position);
    lastEnd = end;
    p = end + direction * (gap + 1);
    if (!withinLimit(p) && !AAllowPartial)
      break;
  }
  FIsLastTabFullyVisible = lastPlaced == ALast && withinLimit(lastEnd);
}

void TcxCustomTabControlViewInfo::ShareOut(int AFirst, int ALast, int AAmount)
{
  int sum = 0;
  for (int i = AFirst; i <= ALast; ++i)
    sum += GetTabViewInfo(i)->GetNormalWidth();
  if (sum == 0)
    return;
  int left = AAmount;
  for (int i = AFirst; i < ALast; ++i) {
    TcxTabViewInfo* tab = GetTabViewInfo(i);
    const int share = static_cast<int>(static_cast<long long>(AAmount) * tab->GetNormalWidth() / sum);
    tab->SetNormalWidth(tab->GetNormalWidth() + share);
    left -= share;
  }
  GetTabViewInfo(ALast)->SetNormalWidth(GetTabViewInfo(ALast)->GetNormalWidth() + left);
}

void TcxCustomTabControlViewInfo::CalculateSingleRow()
{
  FRowCount = 1;
  const TcxTabPosition position = TabPosition();
  FTopOrLeftPartRowCount = position == TcxTabPosition::tpTop || position == TcxTabPosition::tpLeft ? 1 : 0;
  if (Properties()->GetTabsScroll())
    CalculateScrollingRow();
  else
    CalculateSqueezedRow();
  if (!HasRoom())
    return;
  int first, last;
  InitializeVisibleTabRange(first, last);
  for (int i = 0; i < TabsViewInfoCount(); ++i) {
    GetTabViewInfo(i)->SetRow(0);
    GetTabViewInfo(i)->SetVisibleRow(0);
  }
  CalculateRowHeight();
  CalculateRowPositions();
}

void TcxCustomTabControlViewInfo::CalculateScrollingRow()
{
  const int count = TabsViewInfoCount();
  const int remembered = FFirstTabVisibleIndex;
  FFirstTabVisibleIndex = 0;
  CalculateNavigatorButtons(true);
  UpdateTabsPosition(true);
  if (!HasRoom())
    return;
  PlaceRow(0, count - 1, true);
  if (FIsLastTabFullyVisible)
    return;
  FFirstTabVisibleIndex = std::clamp(remembered, 0, count - 1);
  CalculateNavigatorButtons(false);
  UpdateTabsPosition(true);
  if (!HasRoom())
    return;
  PlaceRow(FFirstTabVisibleIndex, count - 1, false);
  // A row scrolled to its end is filled from the left.
  if (FIsLastTabFullyVisible) {
    while (FFirstTabVisibleIndex > 0) {
      --FFirstTabVisibleIndex;
      PlaceRow(FFirstTabVisibleIndex, count - 1, false);
      if (!FIsLastTabFullyVisible) {
        ++FFirstTabVisibleIndex;
        PlaceRow(FFirstTabVisibleIndex, count - 1, false);
        break;
      }
    }
  }
  UpdateNavigatorButtonStates();
}

void TcxCustomTabControlViewInfo::CalculateSqueezedRow()
{
  const int count = TabsViewInfoCount();
  CalculateNavigatorButtons(true);
  UpdateTabsPosition(true);
  if (!HasRoom())
    return;
  const int width = RowWidthWithGaps(0, count - 1);
  if (width <= FTabsPosition.NormalRowWidth || ActuallyRotate()) {
    CalculateScrollingRow();
    return;
  }
  FFirstTabVisibleIndex = 0;
  ShareOut(0, count - 1, FTabsPosition.NormalRowWidth - width);
  PlaceRow(0, count - 1, false);
}

// ---------------------------------------------------------------------------
// Rows

void TcxCustomTabControlViewInfo::CalculateMultiRow()
{
  CalculateNavigatorButtons(true);
  UpdateTabsPosition(false);
  if (!HasRoom())
    return;
  SplitIntoRows(FTabsPosition.NormalRowWidth, AlongGap());
  PlaceRows();
  CalculateRowHeight();
  CalculateRowOrder();
}

void TcxCustomTabControlViewInfo::SplitIntoRows(int ARowWidth, int AGap)
{
  const int count = TabsViewInfoCount();
  FRowCount = 1;
  int used = 0;
  int segmentStart = 0;
  auto balanceSegment = [&](int AFirst, int ALast) {
    if (ALast > AFirst && GetTabViewInfo(ALast)->GetRow() > GetTabViewInfo(AFirst)->GetRow())
      BalanceRows(AFirst, ALast);
  };
  for (int i = 0; i < count; ++i) {
    TcxTabViewInfo* tab = GetTabViewInfo(i);
    const int extent = TabExtent(i);
    if (extent < ARowWidth) {
      if (used + extent > ARowWidth) {
        ++FRowCount;
        used = extent + AGap;
      } else {
        used += extent + AGap;
      }
      tab->SetRow(FRowCount - 1);
      continue;
    }
    // A tab at least as long as a row stands alone.
    if (used != 0) {
      ++FRowCount;
      used = 0;
    }
    balanceSegment(segmentStart, i - 1);
    if (!ActuallyRotate() && Painter()->GetMinTabWidth(i) < ARowWidth)
      tab->SetNormalWidth(ARowWidth);
    tab->SetRow(FRowCount - 1);
    if (i < count - 1)
      ++FRowCount;
    segmentStart = i + 1;
  }
  balanceSegment(segmentStart, count - 1);
}

int TcxCustomTabControlViewInfo::RowCost(const TcxPCIndexInterval& ARow) const
{
  // The base-2 logarithm of the cost 2^(spare length): lower is fuller.
  return FTabsPosition.NormalRowWidth - RowWidthWithGaps(ARow.Left, ARow.Right);
}

std::vector<int> TcxCustomTabControlViewInfo::RowsCost(const TcxPCRows& ARows) const
{
  std::vector<int> exponents;
  for (const TcxPCIndexInterval& row : ARows)
    exponents.push_back(RowCost(row));
  return SumOfPowersOfTwo(exponents);
}

bool TcxCustomTabControlViewInfo::MoveFromPrevious(TcxPCRows& ARows, std::size_t ARow) const
{
  if (ARow == 0 || ARows[ARow - 1].Right <= ARows[ARow - 1].Left)
    return false;
  TcxPCIndexInterval moved{ARows[ARow].Left - 1, ARows[ARow].Right};
  if (RowCost(moved) >= RowCost(ARows[ARow]) || RowWidthWithGaps(moved.Left, moved.Right) > FTabsPosition.NormalRowWidth)
    return false;
  ARows[ARow] = moved;
  --ARows[ARow - 1].Right;
  return true;
}

bool TcxCustomTabControlViewInfo::MoveFromNext(TcxPCRows& ARows, std::size_t ARow) const
{
  if (ARow + 1 >= ARows.size() || ARows[ARow + 1].Right <= ARows[ARow + 1].Left)
    return false;
  TcxPCIndexInterval moved{ARows[ARow].Left, ARows[ARow].Right + 1};
  if (RowCost(moved) >= RowCost(ARows[ARow]) || RowWidthWithGaps(moved.Left, moved.Right) > FTabsPosition.NormalRowWidth)
    return false;
  ARows[ARow] = moved;
  ++ARows[ARow + 1].Left;
  return true;
}

bool TcxCustomTabControlViewInfo::ImproveRows(TcxPCRows& ARows) const
{
  const std::vector<int> startCost = RowsCost(ARows);
  // 1. From the last row towards the first, each row takes from the one
  // before it while that does not make the whole dearer.
  TcxPCRows work = ARows;
  for (std::size_t row = work.size() - 1; row >= 1; --row) {
    for (;;) {
      const std::vector<int> before = RowsCost(work);
      if (!MoveFromPrevious(work, row) || RowsCost(work) > before)
        break;
    }
    if (RowsCost(work) < startCost) {
      ARows = work;
      return true;
    }
  }
  // 2. and 3. Single moves from the next row, then from the previous one.
  for (int pass = 0; pass < 2; ++pass)
    for (std::size_t row = 0; row < ARows.size(); ++row) {
      TcxPCRows copy = ARows;
      const bool moved = pass == 0 ? MoveFromNext(copy, row) : MoveFromPrevious(copy, row);
      if (moved && RowsCost(copy) < startCost) {
        ARows = copy;
        return true;
      }
    }
  return false;
}

void TcxCustomTabControlViewInfo::BalanceRows(int AFirst, int ALast)
{
  if (ActuallyRotate() && Properties()->GetRaggedRight())
    return;
  TcxPCRows rows;
  for (int i = AFirst; i <= ALast; ++i) {
    if (rows.empty() || GetTabViewInfo(i)->GetRow() != GetTabViewInfo(i - 1)->GetRow())
      rows.push_back({i, i});
    else
      rows.back().Right = i;
  }
  if (rows.size() < 2)
    return;
  while (ImproveRows(rows)) {
  }
  int rowNumber = GetTabViewInfo(AFirst)->GetRow();
  for (const TcxPCIndexInterval& row : rows) {
    for (int i = row.Left; i <= row.Right; ++i)
      GetTabViewInfo(i)->SetRow(rowNumber);
    ++rowNumber;
  }
}

void TcxCustomTabControlViewInfo::PlaceRows()
{
  CalculateNavigatorButtons(true);
  UpdateTabsPosition(false);
  if (!HasRoom())
    return;
  const int count = TabsViewInfoCount();
  int first = 0;
  while (first < count) {
    int last = first;
    while (last + 1 < count && GetTabViewInfo(last + 1)->GetRow() == GetTabViewInfo(first)->GetRow())
      ++last;
    if (!ActuallyRotate() && !Properties()->GetRaggedRight()) {
      const int spare = FTabsPosition.NormalRowWidth - RowWidthWithGaps(first, last);
      if (spare > 0)
        ShareOut(first, last, spare);
    }
    PlaceRow(first, last, false);
    first = last + 1;
  }
}

int TcxCustomTabControlViewInfo::EffectiveRotatedMaxWidth() const
{
  const int value = Properties()->GetRotatedTabsMaxWidth();
  return value <= 0 ? value : std::max(value, Painter()->GetMinTabWidth(-1));
}

void TcxCustomTabControlViewInfo::CalculateRowHeight()
{
  if (!ActuallyRotate()) {
    FRowHeight = FTabsViewInfo->GetTabNormalHeight();
    return;
  }
  int first = 0;
  int last = TabsViewInfoCount() - 1;
  if (!Properties()->GetOptions().Contains(TcxPCOption::pcoFixedTabWidthWhenRotated))
    InitializeVisibleTabRange(first, last);
  FRowHeight = 0;
  FMaxTabCaptionWidth = 0;
  for (int i = first; first != -1 && i <= last; ++i)
    if (GetTabViewInfo(i)->GetNormalWidth() > FRowHeight) {
      FRowHeight = GetTabViewInfo(i)->GetNormalWidth();
      FMaxTabCaptionWidth = GetTabViewInfo(i)->GetTextSize().cx;
    }
  const int maxWidth = EffectiveRotatedMaxWidth();
  if (maxWidth >= 1 && maxWidth >= Painter()->GetMinTabWidth(-1))
    FRowHeight = std::min(FRowHeight, maxWidth);
}

void TcxCustomTabControlViewInfo::CalculateRowOrder()
{
  const TcxTabPosition position = TabPosition();
  const bool rotated = ActuallyRotate();
  const bool topToBottom = Properties()->GetOptions().Contains(TcxPCOption::pcoTopToBottomText);
  const bool topRule = rotated && !topToBottom;
  const bool leftRule = !rotated && topToBottom;
  bool reversed = false;
  switch (position) {
    case TcxTabPosition::tpTop:
      reversed = topRule;
      break;
    case TcxTabPosition::tpBottom:
      reversed = !topRule;
      break;
    case TcxTabPosition::tpLeft:
      reversed = leftRule;
      break;
    case TcxTabPosition::tpRight:
      reversed = !leftRule;
      break;
  }
  const int count = TabsViewInfoCount();
  for (int i = 0; i < count; ++i) {
    TcxTabViewInfo* tab = GetTabViewInfo(i);
    tab->SetVisibleRow(reversed ? FRowCount - tab->GetRow() - 1 : tab->GetRow());
  }
  FTopOrLeftPartRowCount = FRowCount;
  if (FMainTabVisibleIndex != -1) {
    const int mainRow = GetTabViewInfo(FMainTabVisibleIndex)->GetVisibleRow();
    if (Properties()->GetScrollOpposite()) {
      FTopOrLeftPartRowCount = mainRow + 1;
    } else if (Painter()->IsMainTabBoundWithClient()) {
      const int k = FRowCount - mainRow - 1;
      for (int i = 0; i < count; ++i)
        GetTabViewInfo(i)->SetVisibleRow((GetTabViewInfo(i)->GetVisibleRow() + k) % FRowCount);
    }
  }
  if (position == TcxTabPosition::tpBottom || position == TcxTabPosition::tpRight) {
    for (int i = 0; i < count; ++i)
      GetTabViewInfo(i)->SetVisibleRow(FRowCount - GetTabViewInfo(i)->GetVisibleRow() - 1);
    FTopOrLeftPartRowCount = FRowCount - FTopOrLeftPartRowCount;
  }
  CalculateRowPositions();
}

void TcxCustomTabControlViewInfo::CalculateRowPositions()
{
  const bool acrossY = IsTopOrBottom();
  const int gap = AcrossGap();
  const int H = FRowHeight;
  const TRect& normal = FTabsPosition.NormalTabsRect;
  const TRect& E = FTabsPosition.ExtendedTabsRect;
  const int nearEdge = acrossY ? normal.top : normal.left;
  const int farEdge = acrossY ? normal.bottom : normal.right;
  const int T = FTopOrLeftPartRowCount;
  for (int i = 0; i < TabsViewInfoCount(); ++i) {
    TcxTabViewInfo* tab = GetTabViewInfo(i);
    const int r = tab->GetVisibleRow();
    const int across = r < T ? nearEdge + r * (H + gap) : farEdge - (FRowCount - r) * H - (FRowCount - r - 1) * gap;
    TPoint position = tab->GetNormalPosition();
    SetPointCoordinate(position, acrossY, across);
    tab->SetNormalPosition(position);
  }
  const int eNear = acrossY ? E.top : E.left;
  const int eFar = acrossY ? E.bottom : E.right;
  int tlNear = eNear;
  int tlFar = std::min(eFar, nearEdge + T * (H + gap) - gap +
                                 FTabsPosition.ExtendedTopOrLeftTabsRectBottomOrRightBorderOffset);
  int brNear = std::max(eNear, farEdge - (FRowCount - T) * (H + gap) + gap +
                                   FTabsPosition.ExtendedBottomOrRightTabsRectTopOrLeftBorderOffset);
  int brFar = eFar;
  if (T > 0 && T < FRowCount) {
    const int distance = FTabsPosition.MinDistanceBetweenTopOrLeftAndBottomOrRightExtendedTabsRects;
    const TcxTabPosition position = TabPosition();
    if (position == TcxTabPosition::tpTop || position == TcxTabPosition::tpLeft)
      brNear = std::max(brNear, std::min(tlFar + distance, eFar));
    else
      tlFar = std::min(tlFar, std::max(brNear - distance, eNear));
  }
  FExtendedTopOrLeftTabsRect = E;
  FExtendedBottomOrRightTabsRect = E;
  SetRectSide(FExtendedTopOrLeftTabsRect, true, acrossY, tlNear);
  SetRectSide(FExtendedTopOrLeftTabsRect, false, acrossY, tlFar);
  SetRectSide(FExtendedBottomOrRightTabsRect, true, acrossY, brNear);
  SetRectSide(FExtendedBottomOrRightTabsRect, false, acrossY, brFar);
}

void TcxCustomTabControlViewInfo::MirrorLayout()
{
  const TRect client = GetClientRect();
  auto mirror = [&](TRect& R) {
    if (IsRectEmptyOrInvalid(R))
      return;
    const int width = R.right - R.left;
    R.left = client.left + client.right - R.right;
    R.right = R.left + width;
  };
  mirror(FExtendedTopOrLeftTabsRect);
  mirror(FExtendedBottomOrRightTabsRect);
  for (TcxPCHeaderButton& button : FHeaderButtons)
    mirror(button.Bounds);
  for (int i = 0; i < TabsViewInfoCount(); ++i)
    GetTabViewInfo(i)->Mirror(client);
}

// ---------------------------------------------------------------------------
// Visible range and scrolling

void TcxCustomTabControlViewInfo::InitializeVisibleTabRange(int& AFirstIndex, int& ALastIndex) const
{
  if (Properties()->GetMultiLine()) {
    AFirstIndex = TabsViewInfoCount() > 0 ? 0 : -1;
    ALastIndex = TabsViewInfoCount() - 1;
  } else {
    AFirstIndex = FFirstTabVisibleIndex;
    ALastIndex = FFirstTabVisibleIndex == -1 ? -2 : FLastTabVisibleIndex;
  }
}

void TcxCustomTabControlViewInfo::InitializeLineBoundsArray(TcxPCLineIndexBoundsArray& ALineIndexBounds) const
{
  ALineIndexBounds.assign(std::max(FRowCount, 0), TcxPCIndexInterval{-1, 0});
  int first, last;
  InitializeVisibleTabRange(first, last);
  for (int i = first; first != -1 && i <= last; ++i) {
    TcxPCIndexInterval& line = ALineIndexBounds[GetTabViewInfo(i)->GetVisibleRow()];
    if (line.Left == -1) {
      line.Left = i;
      line.Right = i;
    } else {
      line.Left = std::min(line.Left, i);
      line.Right = std::max(line.Right, i);
    }
  }
}

bool TcxCustomTabControlViewInfo::ScrollToTab(int AVisibleIndex)
{
  const int old = FFirstTabVisibleIndex;
  const TRect visible = GetTabViewInfo(AVisibleIndex)->GetVisibleRect();
  const TRect full = GetTabViewInfo(AVisibleIndex)->GetFullRect();
  const bool cut = !EqualRect(&visible, &full);
  if (AVisibleIndex < FFirstTabVisibleIndex) {
    FFirstTabVisibleIndex = AVisibleIndex;
  } else if (AVisibleIndex > FLastTabVisibleIndex || (AVisibleIndex == FLastTabVisibleIndex && cut)) {
    UpdateTabsPosition(true);
    FFirstTabVisibleIndex = AVisibleIndex;
    if (HasRoom()) {
      const int gap = AlongGap();
      int total = TabExtent(AVisibleIndex);
      while (total + gap < FTabsPosition.NormalRowWidth && FFirstTabVisibleIndex > 0) {
        --FFirstTabVisibleIndex;
        total += gap + TabExtent(FFirstTabVisibleIndex);
        if (total > FTabsPosition.NormalRowWidth) {
          ++FFirstTabVisibleIndex;
          break;
        }
      }
    }
  }
  return FFirstTabVisibleIndex != old;
}

void TcxCustomTabControlViewInfo::MakeTabVisible(int AVisibleIndex)
{
  if (Properties()->GetMultiLine() || AVisibleIndex < 0 || AVisibleIndex >= TabsViewInfoCount())
    return;
  const TRect visible = GetTabViewInfo(AVisibleIndex)->GetVisibleRect();
  const TRect full = GetTabViewInfo(AVisibleIndex)->GetFullRect();
  if (EqualRect(&visible, &full))
    return;
  if (ScrollToTab(AVisibleIndex)) {
    if (FUpdating) {
      CalculateSingleRow();
    } else {
      FOwner->LayoutChanged();
    }
  }
}

bool TcxCustomTabControlViewInfo::ScrollByNavigatorButton(TcxPCNavigatorButton AType)
{
  for (const TcxPCHeaderButton& button : FHeaderButtons)
    if (button.Kind == AType && button.State == TcxPCNavigatorButtonState::nbsDisabled)
      return false;
  int step = AType == TcxPCNavigatorButton::nbBottomRight ? 1 : AType == TcxPCNavigatorButton::nbTopLeft ? -1 : 0;
  if (IsReversedOrder())
    step = -step;
  const int value = std::clamp(FFirstTabVisibleIndex + step, 0, std::max(TabsViewInfoCount() - 1, 0));
  if (value == FFirstTabVisibleIndex)
    return false;
  FFirstTabVisibleIndex = value;
  return true;
}

int TcxCustomTabControlViewInfo::GetOptimalSize()
{
  const int count = TabsViewInfoCount();
  if (count == 0)
    return 0;
  FTabsViewInfo->CalculateNormalSizes();
  CalculateNavigatorButtons(true);
  UpdateTabsPosition(true);
  const bool alongY = !IsTopOrBottom();
  const int start = alongY ? FTabsPosition.NormalTabsRect.top : FTabsPosition.NormalTabsRect.left;
  int end = start + RowWidthWithGaps(0, count - 1) - 1;
  const int rowEnd = start + FTabsPosition.NormalRowWidth - 1;
  FIsLastTabFullyVisible = end <= rowEnd;
  const TRect bounds = GetControlBounds();
  const int size = alongY ? bounds.bottom - bounds.top : bounds.right - bounds.left;
  return size + end - rowEnd;
}

// ---------------------------------------------------------------------------
// View state

void TcxCustomTabControlViewInfo::TabChanged(int AVisibleIndex, int ACode)
{
  if (Painter() && AVisibleIndex >= 0 && AVisibleIndex < TabsViewInfoCount())
    Painter()->RepaintTab(AVisibleIndex, ACode);
}

void TcxCustomTabControlViewInfo::TabsListChanged()
{
  FOwner->LayoutChanged();
}

namespace {

// Holds a canvas locked for the life of the guard.
class TcxPCCanvasLock {
 public:
  explicit TcxPCCanvasLock(TcxCanvas* ACanvas) : FCanvas(ACanvas) { FCanvas->Lock(); }
  ~TcxPCCanvasLock() { FCanvas->Unlock(); }
  TcxPCCanvasLock(const TcxPCCanvasLock&) = delete;
  TcxPCCanvasLock& operator=(const TcxPCCanvasLock&) = delete;

 private:
  TcxCanvas* FCanvas;
};

}  // namespace

void TcxCustomTabControlViewInfo::PrepareTabCanvasFont(TcxTabViewInfo* ATabViewInfo, TcxCanvas* ACanvas)
{
  const TcxPCCanvasLock lock(ACanvas);
  vcl::TFont* font = ACanvas->GetFont();
  font->Assign(FOwner->GetControlFont());
  font->SetColor(Painter()->GetTabTextColor(ATabViewInfo->GetVisibleIndex()));
  const vcl::TColor painterColor = font->GetColor();
  Properties()->DoDrawTabEx(ATabViewInfo->GetVisibleIndex(), font);
  // A colour of the handler's own must reach the text even where the theme
  // would write the caption in its own colour.
  FIsCustomTextColorAssigned = font->GetColor() != painterColor;
  Properties()->DoPrepareTabCanvasFont(ATabViewInfo->GetTab(), ACanvas);
}

void TcxCustomTabControlViewInfo::Invalidate(const TRect& R)
{
  FOwner->InvalidateArea(R, false);
}

void TcxCustomTabControlViewInfo::ForgetTab(TcxTabViewInfo* AViewInfo)
{
  const int index = FTabsViewInfo->IndexOf(AViewInfo);
  if (index < 0)
    return;
  for (int* field : {&FMainTabVisibleIndex, &FHotTrackTabVisibleIndex, &FPressedTabVisibleIndex,
                     &FFocusedTabVisibleIndex, &FTrackingTabVisibleIndex})
    if (*field == index)
      *field = -1;
}

void TcxCustomTabControlViewInfo::SetMainTabVisibleIndex(int AValue)
{
  if (FMainTabVisibleIndex == AValue)
    return;
  FTrackingTabVisibleIndex = -1;
  FFocusedTabVisibleIndex = -1;
  const int old = FMainTabVisibleIndex;
  FMainTabVisibleIndex = AValue;
  TabChanged(old, cxTabChangeMainTab);
  TabChanged(AValue, cxTabChangeMainTab);
  UpdateNavigatorButtonStates();
}

void TcxCustomTabControlViewInfo::SetHotTrackTabVisibleIndex(int AValue)
{
  if (FHotTrackTabVisibleIndex == AValue)
    return;
  const int old = FHotTrackTabVisibleIndex;
  FHotTrackTabVisibleIndex = AValue;
  // Buttons may show only on the hot tab: both tabs lay out their parts
  // again.
  for (int index : {old, AValue}) {
    if (index < 0 || index >= TabsViewInfoCount())
      continue;
    TcxTabViewInfo* tab = GetTabViewInfo(index);
    tab->RecreateButtons();
    tab->CalculateParts();
    if (UseRightToLeftAlignment() && IsTopOrBottom())
      tab->MirrorParts();
    TabChanged(index, cxTabChangeHotTrack);
  }
}

void TcxCustomTabControlViewInfo::SetPressedTabVisibleIndex(int AValue)
{
  if (FPressedTabVisibleIndex == AValue)
    return;
  const int old = FPressedTabVisibleIndex;
  FPressedTabVisibleIndex = AValue;
  TabChanged(old, cxTabChangePressed);
  TabChanged(AValue, cxTabChangePressed);
}

void TcxCustomTabControlViewInfo::SetFocusedTabVisibleIndex(int AValue)
{
  if (FFocusedTabVisibleIndex == AValue)
    return;
  const int old = FFocusedTabVisibleIndex;
  FFocusedTabVisibleIndex = AValue;
  TabChanged(old, cxTabChangeFocused);
  if (AValue >= 0 && AValue < TabsViewInfoCount())
    MakeTabVisible(AValue);
  TabChanged(AValue, cxTabChangeFocused);
}

void TcxCustomTabControlViewInfo::SetTrackingTabVisibleIndex(int AValue)
{
  if (FTrackingTabVisibleIndex == AValue)
    return;
  const int old = FTrackingTabVisibleIndex;
  FTrackingTabVisibleIndex = AValue;
  TabChanged(old, cxTabChangeTracking);
  if (AValue >= 0 && AValue < TabsViewInfoCount())
    MakeTabVisible(AValue);
  TabChanged(AValue, cxTabChangeTracking);
}

int TcxCustomTabControlViewInfo::VisibleIndexOfTabAt(int X, int Y) const
{
  const POINT P{X, Y};
  // The main tab overlaps its neighbours: it is tested first.
  if (FMainTabVisibleIndex != -1) {
    const TRect R = GetTabViewInfo(FMainTabVisibleIndex)->GetVisibleRect();
    if (PtInRect(&R, P) && Painter()->IsTabHit(FMainTabVisibleIndex, X, Y))
      return FMainTabVisibleIndex;
  }
  for (int i = 0; i < TabsViewInfoCount(); ++i) {
    const TRect R = GetTabViewInfo(i)->GetVisibleRect();
    if (PtInRect(&R, P) && Painter()->IsTabHit(i, X, Y))
      return i;
  }
  return -1;
}

bool TcxCustomTabControlViewInfo::IsTabAccessible(int AVisibleIndex) const
{
  if (AVisibleIndex < 0 || AVisibleIndex >= TabsViewInfoCount())
    return false;
  return GetTabViewInfo(AVisibleIndex)->ActuallyEnabled() || Properties()->GetAllowDisabledTabAccess() ||
         Properties()->IsDesigning();
}

int TcxCustomTabControlViewInfo::FindNextTab(int AVisibleIndex, bool AGoForward) const
{
  const int count = TabsViewInfoCount();
  if (count == 0)
    return -1;
  int index = AVisibleIndex;
  for (int step = 0; step < count; ++step) {
    if (index == -1)
      index = AGoForward ? 0 : count - 1;
    else
      index = (index + (AGoForward ? 1 : count - 1)) % count;
    if (index == AVisibleIndex)
      break;
    if (IsTabAccessible(index) && GetTabViewInfo(index)->CanSelect())
      return index;
  }
  return -1;
}

// ---------------------------------------------------------------------------
// Hit testing and hot tracking

TcxPCHitInfo TcxCustomTabControlViewInfo::CalculateHitTest(const TPoint& P) const
{
  TcxPCHitInfo result;
  for (int i = 0; i < NavigatorButtonCount(); ++i)
    if (PtInRect(&FHeaderButtons[i].Bounds, P)) {
      result.HeaderButton = i;
      return result;
    }
  if (!IsTabsVisible())
    return result;
  result.Tab = VisibleIndexOfTabAt(P.x, P.y);
  if (result.Tab != -1 && !Properties()->IsDesigning())
    result.TabButton = GetTabViewInfo(result.Tab)->GetButtonAt(P);
  return result;
}

bool TcxCustomTabControlViewInfo::IsHotTrackActive() const
{
  TcxPCCustomPainter* painter = Painter();
  return Properties()->GetHotTrack() || (painter && painter->IsTabHotTrackNeeded());
}

void TcxCustomTabControlViewInfo::UpdateHotTracking()
{
  TPoint P{-1, -1};
  vcl::TWinControl* control = FOwner->GetOwnerControl();
  if (control && control->HandleAllocated()) {
    GetCursorPos(&P);
    ScreenToClient(control->GetHandle(), &P);
  }
  UpdateHotTracking(P);
}

void TcxCustomTabControlViewInfo::UpdateHotTracking(const TPoint& AMousePos)
{
  int hotTab = -1;
  int hotHeaderButton = -1;
  TcxPCCustomTabButtonViewInfo* hotTabButton = nullptr;
  if (FOwner->GetControlEnabled() && !FOwner->IsDragging()) {
    const TcxPCHitInfo hit = CalculateHitTest(AMousePos);
    if (hit.HeaderButton != -1) {
      if (FHeaderButtons[hit.HeaderButton].State != TcxPCNavigatorButtonState::nbsDisabled)
        hotHeaderButton = hit.HeaderButton;
    } else if (IsHotTrackActive() && hit.Tab != -1 && GetTabViewInfo(hit.Tab)->ActuallyEnabled()) {
      hotTab = hit.Tab;
    }
  }
  SetHotTrackNavigatorButton(hotHeaderButton);
  SetHotTrackTabVisibleIndex(hotTab);
  // The hot tab may have rebuilt its buttons: they are looked up afresh.
  if (FOwner->GetControlEnabled() && !FOwner->IsDragging() && hotHeaderButton == -1) {
    const TcxPCHitInfo hit = CalculateHitTest(AMousePos);
    hotTabButton = hit.TabButton;
  }
  SetHotTrackTabButton(hotTabButton);
}

void TcxCustomTabControlViewInfo::ResetHotTracking()
{
  SetHotTrackTabVisibleIndex(-1);
  SetHotTrackTabButton(nullptr);
  SetHotTrackNavigatorButton(-1);
}

TcxPCNavigatorButtonState TcxCustomTabControlViewInfo::NavigatorButtonStateFor(int AIndex) const
{
  if (AIndex == FPressedNavigatorButton)
    return TcxPCNavigatorButtonState::nbsPressed;
  if (AIndex == FHotTrackNavigatorButton && IsHotTrackActive())
    return TcxPCNavigatorButtonState::nbsHotTrack;
  return TcxPCNavigatorButtonState::nbsNormal;
}

void TcxCustomTabControlViewInfo::SetNavigatorButtonState(int AIndex)
{
  if (AIndex < 0 || AIndex >= NavigatorButtonCount())
    return;
  TcxPCHeaderButton& button = FHeaderButtons[AIndex];
  if (button.State == TcxPCNavigatorButtonState::nbsDisabled)
    return;
  const TcxPCNavigatorButtonState state = NavigatorButtonStateFor(AIndex);
  if (button.State != state) {
    button.State = state;
    Invalidate(button.Bounds);
  }
}

void TcxCustomTabControlViewInfo::SetHotTrackNavigatorButton(int AValue)
{
  if (FHotTrackNavigatorButton == AValue)
    return;
  const int old = FHotTrackNavigatorButton;
  FHotTrackNavigatorButton = AValue;
  SetNavigatorButtonState(old);
  SetNavigatorButtonState(AValue);
}

void TcxCustomTabControlViewInfo::SetPressedNavigatorButton(int AValue)
{
  if (FPressedNavigatorButton == AValue)
    return;
  const int old = FPressedNavigatorButton;
  FPressedNavigatorButton = AValue;
  SetNavigatorButtonState(old);
  SetNavigatorButtonState(AValue);
}

TcxPCNavigatorButtonState TcxCustomTabControlViewInfo::TabButtonStateFor(TcxPCCustomTabButtonViewInfo* AButton) const
{
  if (AButton == FPressedTabButton)
    return TcxPCNavigatorButtonState::nbsPressed;
  if (AButton == FHotTrackTabButton && IsHotTrackActive())
    return TcxPCNavigatorButtonState::nbsHotTrack;
  return TcxPCNavigatorButtonState::nbsNormal;
}

// Both the button left and the one taken take their state anew.
void TcxCustomTabControlViewInfo::ReplaceTabButton(TcxPCCustomTabButtonViewInfo*& AField,
                                                   TcxPCCustomTabButtonViewInfo* AValue)
{
  if (AField == AValue)
    return;
  TcxPCCustomTabButtonViewInfo* old = AField;
  AField = AValue;
  if (old)
    old->SetState(TabButtonStateFor(old));
  if (AValue)
    AValue->SetState(TabButtonStateFor(AValue));
}

void TcxCustomTabControlViewInfo::SetHotTrackTabButton(TcxPCCustomTabButtonViewInfo* AValue)
{
  ReplaceTabButton(FHotTrackTabButton, AValue);
}

void TcxCustomTabControlViewInfo::SetPressedTabButton(TcxPCCustomTabButtonViewInfo* AValue)
{
  ReplaceTabButton(FPressedTabButton, AValue);
}

void TcxCustomTabControlViewInfo::ForgetTabButton(TcxPCCustomTabButtonViewInfo* AButton)
{
  if (FHotTrackTabButton == AButton)
    FHotTrackTabButton = nullptr;
  if (FPressedTabButton == AButton)
    FPressedTabButton = nullptr;
}
