// TControl, TSizeConstraints, cursor identifiers, the mouse capture.
#include "platform/vcl/Controls.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <utility>

#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SystemUnits.h"

using enum rtl::TComponentStateFlag;
using enum rtl::TOperation;
using enum vcl::TAlign;
using enum vcl::TAnchorKind;
using enum vcl::TBiDiMode;
using enum vcl::TControlStateItem;
using enum vcl::TControlStyleItem;
using enum vcl::TDragMode;
using enum vcl::TScalingFlag;
using enum vcl::TMouseButton;
using enum vcl::TShiftStateItem;

namespace vcl {

using rtl::InheritedMessage;

// ---------------------------------------------------------------------------
// The unit's start-up

namespace {

// Controls stream in their own class group, and it is the active one, so
// that reading a form finds the controls it holds by name.
void ControlsInitialization()
{
  rtl::StartClassGroup(rtl::TPersistentClass::Of<TControl>());
  rtl::ActivateClassGroup(rtl::TPersistentClass::Of<TControl>());
}

}  // namespace

RTL_UNIT(Controls, &ControlsInitialization, nullptr);

// ---------------------------------------------------------------------------
// Cursor identifiers

namespace {

struct TCursorIdent {
  TCursor Value;
  const wchar_t* Name;
};

constexpr TCursorIdent kCursorIdents[] = {
    {crDefault, L"crDefault"},       {crNone, L"crNone"},         {crArrow, L"crArrow"},
    {crCross, L"crCross"},           {crIBeam, L"crIBeam"},       {crSize, L"crSize"},
    {crSizeNESW, L"crSizeNESW"},     {crSizeNS, L"crSizeNS"},     {crSizeNWSE, L"crSizeNWSE"},
    {crSizeWE, L"crSizeWE"},         {crUpArrow, L"crUpArrow"},   {crHourGlass, L"crHourGlass"},
    {crDrag, L"crDrag"},             {crNoDrop, L"crNoDrop"},     {crHSplit, L"crHSplit"},
    {crVSplit, L"crVSplit"},         {crMultiDrag, L"crMultiDrag"}, {crSQLWait, L"crSQLWait"},
    {crNo, L"crNo"},                 {crAppStart, L"crAppStart"}, {crHelp, L"crHelp"},
    {crHandPoint, L"crHandPoint"},   {crSizeAll, L"crSizeAll"},
};

}  // namespace

bool CursorToIdent(int ACursor, String& AIdent)
{
  for (const TCursorIdent& ident : kCursorIdents)
    if (ident.Value == ACursor) {
      AIdent = ident.Name;
      return true;
    }
  return false;
}

bool IdentToCursor(const String& AIdent, int& ACursor)
{
  for (const TCursorIdent& ident : kCursorIdents)
    if (rtl::SameText(AIdent, ident.Name)) {
      ACursor = ident.Value;
      return true;
    }
  return false;
}

TAnchors AnchorAlign(TAlign AAlign)
{
  switch (AAlign) {
    case alTop:
      return {akLeft, akTop, akRight};
    case alBottom:
      return {akLeft, akRight, akBottom};
    case alLeft:
      return {akLeft, akTop, akBottom};
    case alRight:
      return {akRight, akTop, akBottom};
    case alClient:
      return {akLeft, akTop, akRight, akBottom};
    default:
      return {akLeft, akTop};
  }
}

// ---------------------------------------------------------------------------
// The mouse capture

namespace {

// The non-windowed control holding the capture through its parent's window.
TControl*& CaptureControlSlot()
{
  static TControl* control = nullptr;
  return control;
}

}  // namespace

TControl* GetCaptureControl()
{
  TControl* result = FindControl(::GetCapture());
  TControl* captured = CaptureControlSlot();
  if (result && captured && captured->GetParent() == result)
    result = captured;
  return result;
}

void SetCaptureControl(TControl* AControl)
{
  ReleaseCapture();
  CaptureControlSlot() = nullptr;
  if (!AControl)
    return;
  if (!rtl::Is<TWinControl>(AControl)) {
    if (!AControl->GetParent())
      return;
    CaptureControlSlot() = AControl;
    AControl = AControl->GetParent();
  }
  ::SetCapture(static_cast<TWinControl*>(AControl)->GetHandle());
}

// ---------------------------------------------------------------------------
// TSizeConstraints

// ---------------------------------------------------------------------------
// TTouchManager

void TTouchManager::Create()
{
  inherited::Create();
  FInteractiveGestures = {TInteractiveGesture::igPan, TInteractiveGesture::igPressAndTap};
  FInteractiveGestureOptions = {
      TInteractiveGestureOption::igoPanSingleFingerHorizontal, TInteractiveGestureOption::igoPanSingleFingerVertical,
      TInteractiveGestureOption::igoPanInertia, TInteractiveGestureOption::igoPanGutter,
      TInteractiveGestureOption::igoParentPassthrough};
}

void TTouchManager::Assign(rtl::TPersistent* ASource)
{
  if (rtl::Is<TTouchManager>(ASource)) {
    auto* source = static_cast<TTouchManager*>(ASource);
    FInteractiveGestures = source->FInteractiveGestures;
    FInteractiveGestureOptions = source->FInteractiveGestureOptions;
  } else
    inherited::Assign(ASource);
}

TPoint InertiaVectorFromArgument(ULONGLONG AArgument)
{
  const auto packed = static_cast<DWORD>(AArgument >> 32);
  return {static_cast<int16_t>(LOWORD(packed)), static_cast<int16_t>(HIWORD(packed))};
}

// ---------------------------------------------------------------------------
// TSizeConstraints

void TSizeConstraints::Create(TControl* AControl)
{
  inherited::Create();
  FControl = AControl;
}

void TSizeConstraints::Assign(rtl::TPersistent* ASource)
{
  if (rtl::Is<TSizeConstraints>(ASource)) {
    auto* source = static_cast<TSizeConstraints*>(ASource);
    FMinHeight = source->FMinHeight;
    FMaxHeight = source->FMaxHeight;
    FMinWidth = source->FMinWidth;
    FMaxWidth = source->FMaxWidth;
    Change();
    return;
  }
  inherited::Assign(ASource);
}

// A maximum below the minimum raises the minimum with it, as the framework
// keeps the pair consistent.
void TSizeConstraints::SetMaxHeight(int AValue)
{
  if (AValue == FMaxHeight)
    return;
  FMaxHeight = std::max(AValue, 0);
  if (FMaxHeight > 0 && FMaxHeight < FMinHeight)
    FMinHeight = FMaxHeight;
  Change();
}

void TSizeConstraints::SetMaxWidth(int AValue)
{
  if (AValue == FMaxWidth)
    return;
  FMaxWidth = std::max(AValue, 0);
  if (FMaxWidth > 0 && FMaxWidth < FMinWidth)
    FMinWidth = FMaxWidth;
  Change();
}

void TSizeConstraints::SetMinHeight(int AValue)
{
  if (AValue == FMinHeight)
    return;
  FMinHeight = std::max(AValue, 0);
  if (FMaxHeight > 0 && FMinHeight > FMaxHeight)
    FMaxHeight = FMinHeight;
  Change();
}

void TSizeConstraints::SetMinWidth(int AValue)
{
  if (AValue == FMinWidth)
    return;
  FMinWidth = std::max(AValue, 0);
  if (FMaxWidth > 0 && FMinWidth > FMaxWidth)
    FMaxWidth = FMinWidth;
  Change();
}

void TSizeConstraints::Apply(int& AWidth, int& AHeight) const
{
  if (FMinWidth > 0 && AWidth < FMinWidth)
    AWidth = FMinWidth;
  if (FMaxWidth > 0 && AWidth > FMaxWidth)
    AWidth = FMaxWidth;
  if (FMinHeight > 0 && AHeight < FMinHeight)
    AHeight = FMinHeight;
  if (FMaxHeight > 0 && AHeight > FMaxHeight)
    AHeight = FMaxHeight;
}

void TSizeConstraints::Change()
{
  if (FControl && !FControl->GetComponentState().Contains(csLoading))
    FControl->SetBounds(FControl->GetLeft(), FControl->GetTop(), FControl->GetWidth(), FControl->GetHeight());
  if (FOnChange)
    FOnChange(this);
}

// ---------------------------------------------------------------------------
// TControl: life cycle

void TControl::Create(TComponent* AOwner)
{
  inherited::Create(AOwner);
  FWindowProc = TWndMethod::Bind<&TControl::WndProc>(this);
  FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FFont = rtl::New<TFont>();
  FFont->SetOnChange(TNotifyEvent::Bind<&TControl::FontChanged>(this));
  FConstraints = rtl::New<TSizeConstraints>(this);
  FAnchors = {akLeft, akTop};
  FColor = clWindow;
  FVisible = true;
  FEnabled = true;
  FParentFont = true;
  FParentColor = true;
  FParentShowHint = true;
  FParentBiDiMode = true;
  FCurrentPPI = ScreenLogPixels();
  FDragCursor = crDrag;
}

void TControl::Notification(TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation != opRemove || !AComponent)
    return;
  if (AComponent == GetAction())
    SetAction(nullptr);
  if (AComponent == FPopupMenu)
    FPopupMenu = nullptr;
}

void TControl::Destroy()
{
  ForgetDragAndDock();
  if (CaptureControlSlot() == this)
    SetCaptureControl(nullptr);
  SetParent(nullptr);
  rtl::FreeAndNil(FConstraints);
  rtl::FreeAndNil(FTouch);
  rtl::FreeAndNil(FFont);
  inherited::Destroy();
}

TTouchManager* TControl::GetTouch()
{
  if (!FTouch)
    FTouch = rtl::New<TTouchManager>();
  return FTouch;
}

// ---------------------------------------------------------------------------
// TControl: messages

LRESULT TControl::Perform(UINT AMsg, WPARAM AWParam, LPARAM ALParam)
{
  TMessage message{AMsg, AWParam, ALParam, 0};
  FWindowProc(message);
  return message.Result;
}

void TControl::WndProc(TMessage& AMessage)
{
  if (AMessage.Msg >= WM_MOUSEMOVE && AMessage.Msg <= WM_MBUTTONDBLCLK) {
    // A control without double clicks takes a second click as a click.
    if (!FControlStyle.Contains(csDoubleClicks) &&
        (AMessage.Msg == WM_LBUTTONDBLCLK || AMessage.Msg == WM_RBUTTONDBLCLK || AMessage.Msg == WM_MBUTTONDBLCLK))
      AMessage.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    if (AMessage.Msg == WM_LBUTTONDOWN || AMessage.Msg == WM_LBUTTONDBLCLK) {
      // An automatic drag takes the press: no mouse-down, no click.
      if (FDragMode == dmAutomatic && !GetComponentState().Contains(csDesigning)) {
        BeginAutoDrag(MessageAs<TWMMouse>(AMessage).Pos());
        return;
      }
      FControlState.Include(csLButtonDown);
    }
    else if (AMessage.Msg == WM_LBUTTONUP)
      FControlState.Exclude(csLButtonDown);
  }
  Dispatch(AMessage);
}

void TControl::DefaultHandler(TMessage& AMessage)
{
  switch (AMessage.Msg) {
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<wchar_t*>(AMessage.LParam);
      if (!buffer || AMessage.WParam == 0) {
        AMessage.Result = 0;
        break;
      }
      const std::size_t count = std::min<std::size_t>(FText.size(), AMessage.WParam - 1);
      std::copy_n(FText.data(), count, buffer);
      buffer[count] = L'\0';
      AMessage.Result = static_cast<LRESULT>(count);
      break;
    }
    case WM_GETTEXTLENGTH:
      AMessage.Result = static_cast<LRESULT>(FText.size());
      break;
    case WM_SETTEXT: {
      const auto* text = reinterpret_cast<const wchar_t*>(AMessage.LParam);
      FText = text ? text : L"";
      AMessage.Result = TRUE;
      break;
    }
    default:
      break;
  }
}

// ---------------------------------------------------------------------------
// TControl: bounds

void TControl::SetLeft(int AValue)
{
  SetBounds(AValue, FTop, FWidth, FHeight);
}

void TControl::SetTop(int AValue)
{
  SetBounds(FLeft, AValue, FWidth, FHeight);
}

void TControl::SetWidth(int AValue)
{
  SetBounds(FLeft, FTop, AValue, FHeight);
}

void TControl::SetHeight(int AValue)
{
  SetBounds(FLeft, FTop, FWidth, AValue);
}

bool TControl::CanResize(int& /*ANewWidth*/, int& /*ANewHeight*/)
{
  return true;
}

bool TControl::CanAutoSize(int& /*ANewWidth*/, int& /*ANewHeight*/)
{
  return true;
}

void TControl::ConstrainedResize(int& /*AMinWidth*/, int& /*AMinHeight*/, int& /*AMaxWidth*/, int& /*AMaxHeight*/)
{
}

bool TControl::CheckNewSize(int& ANewWidth, int& ANewHeight)
{
  int width = ANewWidth;
  int height = ANewHeight;
  if (!CanResize(width, height))
    return false;
  const auto constrain = [this](int& AWidth, int& AHeight) {
    int minWidth = FConstraints->GetMinWidth();
    int minHeight = FConstraints->GetMinHeight();
    int maxWidth = FConstraints->GetMaxWidth();
    int maxHeight = FConstraints->GetMaxHeight();
    ConstrainedResize(minWidth, minHeight, maxWidth, maxHeight);
    if (minWidth > 0 && AWidth < minWidth)
      AWidth = minWidth;
    if (maxWidth > 0 && AWidth > maxWidth)
      AWidth = maxWidth;
    if (minHeight > 0 && AHeight < minHeight)
      AHeight = minHeight;
    if (maxHeight > 0 && AHeight > maxHeight)
      AHeight = maxHeight;
  };
  constrain(width, height);
  if (FAutoSize && FAlign != alClient && CanAutoSize(width, height))
    constrain(width, height);
  ANewWidth = width;
  ANewHeight = height;
  return true;
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  if (!CheckNewSize(AWidth, AHeight))
    return;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
    return;
  InvalidateControl(FVisible, false);
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  UpdateAnchorRules();
  Invalidate();
  Perform(WM_WINDOWPOSCHANGED, 0, 0);
  RequestAlign();
  if (!GetComponentState().Contains(csLoading))
    Resize();
}

TRect TControl::GetBoundsRect() const
{
  return {FLeft, FTop, FLeft + FWidth, FTop + FHeight};
}

void TControl::SetBoundsRect(const TRect& AValue)
{
  SetBounds(AValue.left, AValue.top, AValue.right - AValue.left, AValue.bottom - AValue.top);
}

TRect TControl::GetClientRect()
{
  return {0, 0, FWidth, FHeight};
}

void TControl::SetClientWidth(int AValue)
{
  const TRect client = GetClientRect();
  SetWidth(FWidth - (client.right - client.left) + AValue);
}

void TControl::SetClientHeight(int AValue)
{
  const TRect client = GetClientRect();
  SetHeight(FHeight - (client.bottom - client.top) + AValue);
}

TPoint TControl::GetClientOrigin()
{
  if (!FParent)
    throw rtl::EInvalidOperation(rtl::Format(L"Control '%s' has no parent window", {GetName()}));
  TPoint result = FParent->GetClientOrigin();
  result.x += FLeft;
  result.y += FTop;
  return result;
}

TPoint TControl::ClientToScreen(const TPoint& APoint)
{
  const TPoint origin = GetClientOrigin();
  return {APoint.x + origin.x, APoint.y + origin.y};
}

TPoint TControl::ScreenToClient(const TPoint& APoint)
{
  const TPoint origin = GetClientOrigin();
  return {APoint.x - origin.x, APoint.y - origin.y};
}

TRect TControl::ClientToScreen(const TRect& ARect)
{
  const TPoint origin = GetClientOrigin();
  return {ARect.left + origin.x, ARect.top + origin.y, ARect.right + origin.x, ARect.bottom + origin.y};
}

TRect TControl::ScreenToClient(const TRect& ARect)
{
  const TPoint origin = GetClientOrigin();
  return {ARect.left - origin.x, ARect.top - origin.y, ARect.right - origin.x, ARect.bottom - origin.y};
}

// Walks up to AParent (the direct parent when nil), adding each control's
// position; raises EInvalidOperation when AParent is no ancestor.
TPoint TControl::ClientToParent(const TPoint& APoint, TWinControl* AParent)
{
  if (!AParent)
    AParent = FParent;
  if (!AParent)
    throw rtl::EInvalidOperation(rtl::Format(L"Control '%s' has no parent window", {GetName()}));
  TPoint result = APoint;
  TControl* control = this;
  while (control && control != AParent) {
    result.x += control->FLeft;
    result.y += control->FTop;
    control = control->FParent;
  }
  if (!control)
    throw rtl::EInvalidOperation(L"Control is no child of the given parent");
  return result;
}

TPoint TControl::ParentToClient(const TPoint& APoint, TWinControl* AParent)
{
  const TPoint offset = ClientToParent({0, 0}, AParent);
  return {APoint.x - offset.x, APoint.y - offset.y};
}

// ---------------------------------------------------------------------------
// TControl: anchors and alignment

void TControl::UpdateAnchorRules()
{
  if (FAnchorMove || GetComponentState().Contains(csLoading))
    return;
  if (FAnchors == TAnchors{akLeft, akTop}) {
    FOriginalParentSize = {0, 0};
    return;
  }
  if (FAnchors.Contains(akRight))
    FAnchorRules.x = FAnchors.Contains(akLeft) ? FWidth : FLeft;
  else
    FAnchorRules.x = FLeft + FWidth / 2;
  if (FAnchors.Contains(akBottom))
    FAnchorRules.y = FAnchors.Contains(akTop) ? FHeight : FTop;
  else
    FAnchorRules.y = FTop + FHeight / 2;
  if (!FParent)
    return;
  if (FParent->HandleAllocated()) {
    const TRect client = FParent->GetClientRect();
    FOriginalParentSize = {client.right - client.left, client.bottom - client.top};
  } else {
    FOriginalParentSize = {FParent->FWidth, FParent->FHeight};
  }
}

void TControl::SetAlign(TAlign AValue)
{
  if (FAlign == AValue)
    return;
  FAlign = AValue;
  FAnchors = AnchorAlign(AValue);
  UpdateAnchorRules();
  RequestAlign();
}

void TControl::SetAnchors(TAnchors AValue)
{
  if (FAnchors == AValue)
    return;
  FAnchors = AValue;
  UpdateAnchorRules();
}

void TControl::SetAutoSize(bool AValue)
{
  if (FAutoSize == AValue)
    return;
  FAutoSize = AValue;
  if (AValue)
    AdjustSize();
}

void TControl::AdjustSize()
{
  if (!GetComponentState().Contains(csLoading))
    SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::RequestAlign()
{
  if (FParent)
    FParent->AlignControl(this);
}

void TControl::Resize()
{
  if (FOnResize)
    FOnResize(this);
}

// ---------------------------------------------------------------------------
// TControl: parent, visibility, state

void TControl::SetParent(TWinControl* AParent)
{
  if (FParent == AParent)
    return;
  for (TControl* control = AParent; control; control = control->FParent)
    if (control == this)
      throw rtl::EInvalidOperation(L"A control cannot have itself as its parent");
  if (FParent)
    FParent->RemoveControl(this);
  if (AParent) {
    AParent->InsertControl(this);
    UpdateAnchorRules();
  }
}

void TControl::SetVisible(bool AValue)
{
  if (FVisible == AValue)
    return;
  VisibleChanging();
  FVisible = AValue;
  Perform(CM_VISIBLECHANGED, AValue, 0);
  SendDockNotification(CM_VISIBLECHANGED, AValue, 0);
  RequestAlign();
}

// The control itself: a hidden parent (or form) stays hidden, as the
// caller may still be setting it up.
void TControl::Show()
{
  SetVisible(true);
}

void TControl::Hide()
{
  SetVisible(false);
}

bool TControl::IsShowing() const
{
  return FVisible && FParent && FParent->IsShowing();
}

void TControl::SetEnabled(bool AValue)
{
  if (FEnabled == AValue)
    return;
  FEnabled = AValue;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

// ---------------------------------------------------------------------------
// TControl: text

String TControl::GetText()
{
  const int length = GetTextLen();
  if (length <= 0)
    return {};
  String result(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetTextBuf(result.data(), length + 1);
  result.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return result;
}

void TControl::SetText(const String& AValue)
{
  if (GetText() != AValue)
    SetTextBuf(AValue.c_str());
}

int TControl::GetTextLen()
{
  return static_cast<int>(Perform(WM_GETTEXTLENGTH, 0, 0));
}

int TControl::GetTextBuf(wchar_t* ABuffer, int ABufSize)
{
  return static_cast<int>(Perform(WM_GETTEXT, static_cast<WPARAM>(ABufSize), reinterpret_cast<LPARAM>(ABuffer)));
}

// An edit's OnChange runs inside WM_SETTEXT and may free the control.
void TControl::SetTextBuf(const wchar_t* ABuffer)
{
  rtl::TFreeWatch watch(this);
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ABuffer));
  if (watch.Freed())
    return;
  Perform(CM_TEXTCHANGED, 0, 0);
  if (!watch.Freed())
    SendDockNotification(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ABuffer));
}

// ---------------------------------------------------------------------------
// TControl: colour, font, hints, cursor, bidirectional mode

void TControl::SetColor(TColor AValue)
{
  if (FColor == AValue)
    return;
  FColor = AValue;
  FParentColor = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

// A Parent* flag: once set, the control takes its parent's value, told by
// AMessage; a form being read sets the values itself afterwards.
void TControl::SetParentFlag(bool& AFlag, bool AValue, UINT AMessage)
{
  if (AFlag == AValue)
    return;
  AFlag = AValue;
  if (FParent && !GetComponentState().Contains(csReading))
    Perform(AMessage, 0, 0);
}

void TControl::SetParentColor(bool AValue)
{
  SetParentFlag(FParentColor, AValue, CM_PARENTCOLORCHANGED);
}

void TControl::FontChanged(TObject* /*ASender*/)
{
  FParentFont = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool AValue)
{
  SetParentFlag(FParentFont, AValue, CM_PARENTFONTCHANGED);
}

void TControl::SetShowHint(bool AValue)
{
  if (FShowHint == AValue)
    return;
  FShowHint = AValue;
  FParentShowHint = false;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool AValue)
{
  SetParentFlag(FParentShowHint, AValue, CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetCursor(TCursor AValue)
{
  if (FCursor == AValue)
    return;
  FCursor = AValue;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetBiDiMode(TBiDiMode AValue)
{
  if (FBiDiMode == AValue)
    return;
  FBiDiMode = AValue;
  FParentBiDiMode = false;
  Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::SetParentBiDiMode(bool AValue)
{
  SetParentFlag(FParentBiDiMode, AValue, CM_PARENTBIDIMODECHANGED);
}

bool TControl::UseRightToLeftAlignment() const
{
  return FBiDiMode == bdRightToLeft;
}

bool TControl::UseRightToLeftReading() const
{
  return FBiDiMode != bdLeftToRight;
}

bool TControl::IsRightToLeft() const
{
  return FBiDiMode != bdLeftToRight;
}

// ---------------------------------------------------------------------------
// TControl: painting and z-order

void TControl::InvalidateControl(bool AIsVisible, bool AIsOpaque)
{
  if (!AIsVisible || !FParent || !FParent->HandleAllocated())
    return;
  const TRect rect = GetBoundsRect();
  InvalidateRect(FParent->FHandle, &rect, !(AIsOpaque || FParent->FControlStyle.Contains(csOpaque)));
}

void TControl::Invalidate()
{
  InvalidateControl(FVisible, FControlStyle.Contains(csOpaque));
}

void TControl::Repaint()
{
  if (!FVisible || !FParent || !FParent->HandleAllocated())
    return;
  if (FControlStyle.Contains(csOpaque)) {
    TWindowDC dc(FParent->FHandle);
    IntersectClipRect(dc.Get(), FLeft, FTop, FLeft + FWidth, FTop + FHeight);
    FParent->PaintControls(dc.Get(), this);
  } else {
    Invalidate();
    Update();
  }
}

void TControl::Update()
{
  if (FParent)
    FParent->Update();
}

void TControl::BringToFront()
{
  SetZOrder(true);
}

void TControl::SendToBack()
{
  SetZOrder(false);
}

namespace {

template <class T>
bool MoveToEnd(std::vector<T*>& AList, T* AItem, bool ATopMost)
{
  auto it = std::find(AList.begin(), AList.end(), AItem);
  if (it == AList.end())
    return false;
  AList.erase(it);
  if (ATopMost)
    AList.push_back(AItem);
  else
    AList.insert(AList.begin(), AItem);
  return true;
}

}  // namespace

// The later a child in its parent's list, the nearer the top it is drawn
// and hit.
void TControl::SetZOrder(bool ATopMost)
{
  if (rtl::Is<TWinControl>(this)) {
    auto* self = static_cast<TWinControl*>(this);
    if (FParent)
      MoveToEnd(FParent->FWinControls, self, ATopMost);
    if (self->FHandle)
      SetWindowPos(self->FHandle, ATopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  if (FParent && MoveToEnd(FParent->FControls, this, ATopMost))
    InvalidateControl(FVisible, true);
}

HDC TControl::GetDeviceContext(HWND& AWindow)
{
  if (!FParent)
    throw rtl::EInvalidOperation(rtl::Format(L"Control '%s' has no parent window", {GetName()}));
  HDC result = FParent->GetDeviceContext(AWindow);
  SetViewportOrgEx(result, FLeft, FTop, nullptr);
  IntersectClipRect(result, 0, 0, FWidth, FHeight);
  return result;
}

// ---------------------------------------------------------------------------
// TControl: mouse

bool TControl::GetMouseCapture() const
{
  return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool AValue)
{
  if (GetMouseCapture() != AValue)
    SetCaptureControl(AValue ? this : nullptr);
}

void TControl::DblClick()
{
  if (FOnDblClick)
    FOnDblClick(this);
}

void TControl::MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y)
{
  if (FOnMouseDown)
    FOnMouseDown(this, AButton, AShift, X, Y);
}

void TControl::MouseMove(TShiftState AShift, int X, int Y)
{
  if (FOnMouseMove)
    FOnMouseMove(this, AShift, X, Y);
}

void TControl::MouseUp(TMouseButton AButton, TShiftState AShift, int X, int Y)
{
  if (FOnMouseUp)
    FOnMouseUp(this, AButton, AShift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState AShift, int AWheelDelta, TPoint AMousePos)
{
  bool handled = false;
  if (FOnMouseWheel)
    FOnMouseWheel(this, AShift, AWheelDelta, AMousePos, handled);
  return handled;
}

// A control wider or taller than 32767 pixels gets positions beyond the
// 16 bits of the message: those are taken from the cursor.
void TControl::DoMouseDown(TWMMouse& AMessage, TMouseButton AButton, TShiftState AShift)
{
  if (FControlStyle.Contains(csNoStdEvents))
    return;
  TPoint pos = AMessage.Pos();
  if (FWidth > 32767 || FHeight > 32767) {
    ::GetCursorPos(&pos);
    pos = ScreenToClient(pos);
  }
  MouseDown(AButton, KeysToShiftState(static_cast<WORD>(AMessage.Keys)) + AShift, pos.x, pos.y);
}

void TControl::DoMouseUp(TWMMouse& AMessage, TMouseButton AButton)
{
  if (FControlStyle.Contains(csNoStdEvents))
    return;
  TPoint pos = AMessage.Pos();
  if (FWidth > 32767 || FHeight > 32767) {
    ::GetCursorPos(&pos);
    pos = ScreenToClient(pos);
  }
  MouseUp(AButton, KeysToShiftState(static_cast<WORD>(AMessage.Keys)), pos.x, pos.y);
}

void TControl::SendCancelMode(TControl* ASender)
{
  TControl* top = this;
  while (top->FParent)
    top = top->FParent;
  if (!rtl::Is<TWinControl>(top))
    return;
  TWinControl* focused = static_cast<TWinControl*>(top)->FFocusedControl;
  if (focused && focused != ASender)
    focused->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(ASender));
}

// What every button-down message does first: other modes end, the inherited
// handling runs, and a control that asks for it captures the mouse.
bool TControl::ButtonPressed(TWMMouse& AMessage)
{
  rtl::TFreeWatch watch(this);
  SendCancelMode(this);
  if (watch.Freed())
    return false;
  InheritedMessage(this, AMessage);
  if (watch.Freed())
    return false;
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(true);
  return true;
}

// A native control's own handling of the release may run a click (a
// button's BN_CLICKED) whose handler frees the control.
bool TControl::ButtonReleased(TWMMouse& AMessage)
{
  rtl::TFreeWatch watch(this);
  InheritedMessage(this, AMessage);
  if (watch.Freed())
    return false;
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(false);
  return true;
}

void TControl::WMLButtonDown(TWMMouse& AMessage)
{
  if (!ButtonPressed(AMessage))
    return;
  if (FControlStyle.Contains(csClickEvents))
    FControlState.Include(csClicked);
  DoMouseDown(AMessage, mbLeft, {});
}

void TControl::WMLButtonUp(TWMMouse& AMessage)
{
  if (!ButtonReleased(AMessage))
    return;
  if (FControlState.Contains(csClicked)) {
    FControlState.Exclude(csClicked);
    const TRect client = GetClientRect();
    const TPoint pos = AMessage.Pos();
    if (PtInRect(&client, pos)) {
      rtl::TFreeWatch watch(this);
      Click();
      if (watch.Freed())
        return;
    }
  }
  DoMouseUp(AMessage, mbLeft);
}

// A double click may close (and free) what was double-clicked.
void TControl::WMLButtonDblClk(TWMMouse& AMessage)
{
  if (!ButtonPressed(AMessage))
    return;
  if (FControlStyle.Contains(csClickEvents)) {
    rtl::TFreeWatch watch(this);
    DblClick();
    if (watch.Freed())
      return;
  }
  DoMouseDown(AMessage, mbLeft, {ssDouble});
}

void TControl::WMRButtonDown(TWMMouse& AMessage)
{
  if (ButtonPressed(AMessage))
    DoMouseDown(AMessage, mbRight, {});
}

void TControl::WMRButtonUp(TWMMouse& AMessage)
{
  if (ButtonReleased(AMessage))
    DoMouseUp(AMessage, mbRight);
}

void TControl::WMRButtonDblClk(TWMMouse& AMessage)
{
  if (ButtonPressed(AMessage))
    DoMouseDown(AMessage, mbRight, {ssDouble});
}

void TControl::WMMButtonDown(TWMMouse& AMessage)
{
  if (ButtonPressed(AMessage))
    DoMouseDown(AMessage, mbMiddle, {});
}

void TControl::WMMButtonUp(TWMMouse& AMessage)
{
  if (ButtonReleased(AMessage))
    DoMouseUp(AMessage, mbMiddle);
}

void TControl::WMMButtonDblClk(TWMMouse& AMessage)
{
  if (ButtonPressed(AMessage))
    DoMouseDown(AMessage, mbMiddle, {ssDouble});
}

void TControl::WMMouseMove(TWMMouse& AMessage)
{
  InheritedMessage(this, AMessage);
  if (!FControlStyle.Contains(csNoStdEvents))
    MouseMove(KeysToShiftState(static_cast<WORD>(AMessage.Keys)), AMessage.XPos, AMessage.YPos);
}

void TControl::WMCancelMode(TWMCancelMode& AMessage)
{
  InheritedMessage(this, AMessage);
  if (GetMouseCapture()) {
    SetMouseCapture(false);
    if (FControlState.Contains(csLButtonDown))
      // At (-1, -1): outside the control, so no click follows.
      Perform(WM_LBUTTONUP, 0, -1);
  } else {
    FControlState.Exclude(csLButtonDown);
  }
}

void TControl::WMWindowPosChanged(TWMWindowPosChanged& AMessage)
{
  InheritedMessage(this, AMessage);
}

// The receiver hears of itself (LParam nil or itself) and of its children,
// and passes each notification on to its parent naming the control
// concerned, so a container knows which child the mouse is over.
void TControl::ChangeMouseEnterLeave(TMessage& AMessage, TNotifyEvent AEvent, bool AEnter)
{
  auto* concerned = reinterpret_cast<TControl*>(AMessage.LParam);
  if (!concerned)
    concerned = this;
  if (FParent)
    FParent->Perform(AMessage.Msg, 0, reinterpret_cast<LPARAM>(concerned));
  if (concerned != this)
    return;
  if (AEnter)
    MouseEnter();
  else
    MouseLeave();
  if (AEvent)
    AEvent(this);
}

void TControl::CMMouseEnter(TMessage& AMessage)
{
  ChangeMouseEnterLeave(AMessage, FOnMouseEnter, true);
}

void TControl::CMMouseLeave(TMessage& AMessage)
{
  ChangeMouseEnterLeave(AMessage, FOnMouseLeave, false);
}

// Unhandled wheels go up the parent chain.
void TControl::CMMouseWheel(TCMMouseWheel& AMessage)
{
  AMessage.Result = 0;
  if (DoMouseWheel(AMessage.ShiftState(), AMessage.WheelDelta, AMessage.Pos()))
    AMessage.Result = 1;
  else if (FParent)
    AMessage.Result = FParent->Perform(
        CM_MOUSEWHEEL, reinterpret_cast<TMessage&>(AMessage).WParam, reinterpret_cast<TMessage&>(AMessage).LParam);
}

void TControl::CMHitTest(TCMHitTest& AMessage)
{
  AMessage.Result = HTCLIENT;
}

void TControl::CMEnabledChanged(TMessage& /*AMessage*/)
{
  Invalidate();
}

void TControl::CMVisibleChanged(TMessage& /*AMessage*/)
{
  InvalidateControl(true, FVisible && FControlStyle.Contains(csOpaque));
}

void TControl::CMFontChanged(TMessage& /*AMessage*/)
{
  Invalidate();
}

void TControl::CMColorChanged(TMessage& /*AMessage*/)
{
  Invalidate();
}

// WParam non-zero: LParam is the font (colour) to take; else the parent's.
void TControl::CMParentFontChanged(TMessage& AMessage)
{
  if (!FParentFont)
    return;
  if (AMessage.WParam)
    SetFont(reinterpret_cast<TFont*>(AMessage.LParam));
  else if (FParent)
    SetFont(FParent->FFont);
  FParentFont = true;
}

void TControl::CMParentColorChanged(TMessage& AMessage)
{
  if (!FParentColor)
    return;
  if (AMessage.WParam)
    SetColor(static_cast<TColor>(AMessage.LParam));
  else if (FParent)
    SetColor(FParent->FColor);
  FParentColor = true;
}

void TControl::CMParentShowHintChanged(TMessage& /*AMessage*/)
{
  if (!FParentShowHint || !FParent)
    return;
  SetShowHint(FParent->FShowHint);
  FParentShowHint = true;
}

void TControl::CMParentBiDiModeChanged(TMessage& /*AMessage*/)
{
  if (!FParentBiDiMode || !FParent)
    return;
  SetBiDiMode(FParent->FBiDiMode);
  FParentBiDiMode = true;
}

// ---------------------------------------------------------------------------
// TControl: scaling

void TControl::ScaleForPPI(int ANewPPI)
{
  if (ANewPPI <= 0)
    return;
  if (FCurrentPPI == 0)
    FCurrentPPI = ScreenLogPixels();
  if (ANewPPI == FCurrentPPI)
    return;
  ChangeScale(ANewPPI, FCurrentPPI, true);
  FCurrentPPI = ANewPPI;
}

// Edges are scaled, not sizes, so neighbours that touched still touch.
// While the control is read only the values its form file gave are scaled:
// the others are set at the new scale already.
void TControl::ChangeScale(int M, int D, bool /*AIsDpiChange*/)
{
  if (M == D || D == 0)
    return;
  const TScalingFlags flags = GetComponentState().Contains(rtl::TComponentStateFlag::csLoading)
                                  ? FScalingFlags
                                  : TScalingFlags{sfLeft, sfTop, sfWidth, sfHeight, sfFont};
  FScalingFlags = {};
  const auto scale = [M, D](int AValue) { return MulDiv(AValue, M, D); };
  const auto scaleIf = [&](TScalingFlag AFlag, int AValue) { return flags.Contains(AFlag) ? scale(AValue) : AValue; };
  FOriginalParentSize = {scale(FOriginalParentSize.x), scale(FOriginalParentSize.y)};
  FAnchorRules = {scale(FAnchorRules.x), scale(FAnchorRules.y)};
  // The new bounds come from the old ones: the scaled constraints below may
  // resize the control at once, and neither that size nor its anchor rules
  // may count.
  const int left = scaleIf(sfLeft, FLeft);
  const int top = scaleIf(sfTop, FTop);
  const int width = flags.Contains(sfWidth) ? scale(FLeft + FWidth) - scale(FLeft) : FWidth;
  const int height = flags.Contains(sfHeight) ? scale(FTop + FHeight) - scale(FTop) : FHeight;
  {
    const bool moved = std::exchange(FAnchorMove, true);
    rtl::Finally restore([this, moved] { FAnchorMove = moved; });
    if (FConstraints->GetMinWidth() || FConstraints->GetMaxWidth() || FConstraints->GetMinHeight() ||
        FConstraints->GetMaxHeight()) {
      rtl::TOwnedPtr<TSizeConstraints> scaled(rtl::New<TSizeConstraints>(nullptr));
      scaled->SetMinWidth(scale(FConstraints->GetMinWidth()));
      scaled->SetMaxWidth(scale(FConstraints->GetMaxWidth()));
      scaled->SetMinHeight(scale(FConstraints->GetMinHeight()));
      scaled->SetMaxHeight(scale(FConstraints->GetMaxHeight()));
      FConstraints->Assign(scaled.get());
    }
    SetBounds(left, top, width, height);
  }
  // A parent font comes scaled from the parent.
  if (!FParentFont && flags.Contains(sfFont))
    FFont->SetHeight(scale(FFont->GetHeight()));
}

// ---------------------------------------------------------------------------
// TControl: streaming

rtl::TComponent* TControl::GetParentComponent()
{
  return FParent;
}

void TControl::SetParentComponent(TComponent* AValue)
{
  if (rtl::Is<TWinControl>(AValue))
    SetParent(static_cast<TWinControl*>(AValue));
}

void TControl::ReadState(rtl::TReader* AReader)
{
  // What the form file gives is at the DPI it was written for.
  FScalingFlags = {sfLeft, sfTop, sfWidth, sfHeight, sfFont};
  FControlState.Include(csReadingState);
  if (rtl::Is<TWinControl>(AReader->GetParent()))
    SetParent(static_cast<TWinControl*>(AReader->GetParent()));
  try {
    inherited::ReadState(AReader);
  } catch (...) {
    FControlState.Exclude(csReadingState);
    throw;
  }
  FControlState.Exclude(csReadingState);
  if (FParent) {
    Perform(CM_PARENTCOLORCHANGED, 0, 0);
    Perform(CM_PARENTFONTCHANGED, 0, 0);
    Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
  }
}

void TControl::Loaded()
{
  inherited::Loaded();
  UpdateAnchorRules();
  RequestAlign();
}

// ---------------------------------------------------------------------------
// TMouse

void TMouse::Create()
{
  inherited::Create();
  FDragThreshold = 5;
  FDragImmediate = true;
  SettingChanged();
}

HWND TMouse::GetCapture() const
{
  return ::GetCapture();
}

void TMouse::SetCapture(HWND AValue)
{
  if (AValue)
    ::SetCapture(AValue);
  else
    ReleaseCapture();
}

TPoint TMouse::GetCursorPos() const
{
  TPoint result{};
  ::GetCursorPos(&result);
  return result;
}

void TMouse::SetCursorPos(const TPoint& AValue)
{
  ::SetCursorPos(AValue.x, AValue.y);
}

void TMouse::SettingChanged()
{
  UINT lines = 3;
  if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0))
    lines = 3;
  // WHEEL_PAGESCROLL (UINT_MAX) is "a page per notch", -1 in the framework.
  FWheelScrollLines = lines == WHEEL_PAGESCROLL ? -1 : static_cast<int>(lines);
}

TMouse* Mouse()
{
  static TMouse* mouse = rtl::New<TMouse>();
  return mouse;
}

}  // namespace vcl
