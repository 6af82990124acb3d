// The model, the layout and the painter interface of every tab control of
// the system:
// - the tabs (TcxTab in the string list TcxTabs, with the new-tab button
//   TcxPCNewButton that behaves like a last tab), the slant settings, the
//   tab image lists and the custom buttons;
// - TcxCustomTabControlProperties, the settings object: options, sizes, the
//   current tab and the protocol by which a change of it is asked for,
//   vetoed, performed and announced, the update locks and the queue of
//   notify events held back during a page switch;
// - IcxTabControl, the one way the settings, the layout and the painters
//   reach their control, so that other containers can reuse them;
// - the element view infos (a tab view info per visible tab) and
//   TcxCustomTabControlViewInfo, which lays the tabs out in one scrolling or
//   squeezed row or in balanced rows, and keeps the main, hot, pressed and
//   focused tabs between layouts;
// - TcxPCCustomPainter, the abstract tab painter, with the routines the
//   layout and the painters share (rectangle rotation, coordinate access).
#pragma once

#include <windows.h>

#include <vector>

#include "controls/cxControls.h"
#include "controls/cxHint.h"
#include "core/cxClasses.h"
#include "graphics/cxGraphics.h"
#include "pagecontrol/cxPCPaintersFactory.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/vcl/ControlsMessages.h"
#include "platform/vcl/Graphics.h"

class TcxCustomLookAndFeelPainter;
class TcxDragAndDropArrow;
class TcxDragImage;
class TdxSmartGlyph;
struct IdxColorPalette;
class TcxCustomTabControlProperties;
class TcxCustomTabControlViewInfo;
class TcxLookAndFeel;
class TcxPCCustomPainter;
class TcxTabControlDragAndDropObject;
class TcxTabs;
class TcxTabsViewInfo;
class TcxTabViewInfo;
class TdxScaleFactor;

namespace vcl {
class TCustomImageList;
class TFont;
class TWinControl;
}  // namespace vcl

// ---------------------------------------------------------------------------
// Types

RTL_ENUM(TcxTabPosition, tpTop, tpBottom, tpLeft, tpRight);
RTL_ENUM(TcxPCNavigatorPosition, npLeftTop, npLeftBottom, npRightTop, npRightBottom);
RTL_ENUM(TcxPCButtonMode, cbmNone, cbmEveryTab, cbmActiveTab, cbmActiveAndHoverTabs);
RTL_ENUM(TcxPCNewButtonMode, nbmNone, nbmTab);
RTL_ENUM(TcxPCNavigatorButton, nbTopLeft, nbBottomRight, nbGoDialog, nbClose);
using TcxPCNavigatorButtons = rtl::TSet<TcxPCNavigatorButton>;
RTL_ENUM(TcxPCNavigatorButtonState, nbsNormal, nbsPressed, nbsHotTrack, nbsDisabled);
RTL_ENUM(TcxPCOption, pcoAlwaysShowGoDialogButton, pcoCloseButton, pcoFixedTabWidthWhenRotated, pcoGoDialog,
         pcoGradient, pcoGradientClientArea, pcoNoArrows, pcoRedrawOnResize, pcoSort, pcoTopToBottomText,
         pcoUsePageColorForTab);
using TcxPCOptions = rtl::TSet<TcxPCOption>;
RTL_ENUM(TcxCustomTabControlPropertiesChangedType, pctHard, pctMedium, pctSimple, pctLight);
RTL_ENUM(TcxTabSlantKind, skCutCorner, skSlant);
RTL_ENUM(TcxTabSlantPosition, spLeft, spRight);
using TcxTabSlantPositions = rtl::TSet<TcxTabSlantPosition>;
RTL_ENUM(TcxPCButtonPosition, pcbpTabs, pcbpHeader, pcbpTabsAndHeader);
// The sides of the page area a form stream held.
RTL_ENUM(TcxPCClientRectSide, crsLeft, crsTop, crsRight, crsBottom);
using TcxPCClientRectSides = rtl::TSet<TcxPCClientRectSide>;

// $00B1: the go-dialog button always, gradients on tabs and page, redraw on
// resize.
inline constexpr TcxPCOptions cxPCDefaultOptions{TcxPCOption::pcoAlwaysShowGoDialogButton,
                                                 TcxPCOption::pcoGradient, TcxPCOption::pcoGradientClientArea,
                                                 TcxPCOption::pcoRedrawOnResize};

// Codes with which a change of a tab is announced to the tabs' listeners
// and the painter.
inline constexpr int cxTabChangeColor = 1;
inline constexpr int cxTabChangeEnabled = 2;
inline constexpr int cxTabChangeFocused = 3;
inline constexpr int cxTabChangeHighlighted = 4;
inline constexpr int cxTabChangeHotTrack = 5;
inline constexpr int cxTabChangeMainTab = 6;
inline constexpr int cxTabChangeLayout = 7;
inline constexpr int cxTabChangePressed = 8;
inline constexpr int cxTabChangeSelected = 9;
inline constexpr int cxTabChangeTracking = 10;
inline constexpr int cxTabChangeVisible = 11;

using TcxTabChangingEvent = rtl::TMethod<void(rtl::TObject* Sender, bool& AllowChange)>;
using TcxCustomTabControlPropertiesChangedEvent =
    rtl::TMethod<void(rtl::TObject* Sender, TcxCustomTabControlPropertiesChangedType AType)>;
using TcxPCCanCloseEventEx = rtl::TMethod<void(rtl::TObject* Sender, int ATabIndex, bool& ACanClose)>;
using TcxPCCloseEvent = rtl::TMethod<void(rtl::TObject* Sender, int ATabIndex)>;
using TcxGetTabImageEvent = rtl::TMethod<void(rtl::TObject* Sender, int TabIndex, int& ImageIndex)>;
using TcxGetTabHintEvent =
    rtl::TMethod<void(rtl::TObject* Sender, int ATabIndex, rtl::String& AHint, bool& ACanShow)>;
using TcxPCNewTabButtonClickEvent = rtl::TMethod<void(rtl::TObject* Sender, bool& AHandled)>;
using TcxPCNewTabCreateEvent = rtl::TMethod<void(rtl::TObject* Sender, int AIndex)>;
// Raised when a tab drag begins: a handler that draws the drag image into
// ABitmap (sizing it) sets ADone.
using TcxPCPaintDragImageEvent = rtl::TMethod<void(rtl::TObject* Sender, vcl::TBitmap* ABitmap, bool& ADone)>;
using TcxPCTabClickEvent = rtl::TMethod<void(rtl::TObject* Sender, int ATabVisibleIndex, vcl::TShiftState AShift)>;
// Raised while a tab's canvas font is prepared: the handler may change the
// font (ATab is the tab drawn).
using TcxPCPropertiesDrawTabExEvent =
    rtl::TMethod<void(class TcxCustomTabControlProperties* AProperties, class TcxTab* ATab, vcl::TFont* Font)>;
using TcxPCPrepareTabCanvasFontEvent = rtl::TMethod<void(class TcxTab* ATab, class TcxCanvas* ACanvas)>;

// The argument record the tabs' changed handlers receive.
struct TcxTabChangedArgs {
  class TcxTab* Tab;
  int Code;
};

// ---------------------------------------------------------------------------
// IcxTabControl

// The way the settings, the view info and the painters reach their control.
// The first three operations tell the owner's component state.
struct IcxTabControl : rtl::IInterface {
  RTL_GUID(IcxTabControl, "{8C8C2262-5419-46E1-BCE0-5A5311C330A0}")
  virtual bool IsDesigning() = 0;
  virtual bool IsDestroying() = 0;
  virtual bool IsLoading() = 0;
  virtual TcxPCCustomPainter* GetPCPainter() = 0;
  virtual TcxCustomTabControlProperties* GetProperties() = 0;
  virtual TcxCustomTabControlViewInfo* GetViewInfo() = 0;
  virtual bool AllowParentBackground() = 0;
  virtual TRect GetControlBoundsRect() = 0;
  virtual TcxCanvas* GetPaintCanvas() = 0;
  // Nil for a container that is no window of its own.
  virtual vcl::TWinControl* GetOwnerControl() = 0;
  virtual vcl::TColor GetControlColor() = 0;
  virtual vcl::TFont* GetControlFont() = 0;
  virtual TcxLookAndFeel* GetControlLookAndFeel() = 0;
  virtual void InvalidateArea(const TRect& R, bool AEraseBackground) = 0;
  virtual void DesignerModified() = 0;
  virtual bool GetControlEnabled() = 0;
  virtual bool GetControlFocused() = 0;
  virtual bool GetControlParentBackground() = 0;
  // The settings or the tabs changed what the layout depends on.
  virtual void LayoutChanged() = 0;
  // The owner's resolution, which every painter metric is scaled to.
  virtual TdxScaleFactor* GetControlScaleFactor() = 0;
  // A tab is being dragged: nothing is hot meanwhile.
  virtual bool IsDragging() { return false; }
  // The drag of a tab, made on first request; nil where tabs cannot be
  // dragged.
  virtual TcxTabControlDragAndDropObject* GetDragObject() { return nullptr; }
};

// ---------------------------------------------------------------------------
// Tabs

class TcxTab : public rtl::TPersistent {
  RTL_CLASS(TcxTab, rtl::TPersistent)

 public:
  virtual void Create(TcxTabs* ATabs);
  void Destroy() override;

  virtual int GetIndex() const;
  virtual bool IsNewButton() const { return false; }

  bool GetAllowCloseButton() const { return FAllowCloseButton; }
  void SetAllowCloseButton(bool AValue);
  rtl::String GetCaption() const { return FCaption; }
  void SetCaption(const rtl::String& AValue);
  vcl::TColor GetColor() const { return FColor; }
  void SetColor(vcl::TColor AValue);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool AValue);
  bool GetHighlighted() const { return FHighlighted; }
  void SetHighlighted(bool AValue);
  // The settings' resolution: the OnGetImageIndex answer when an image
  // list has it, else -1.
  int GetImageIndex();
  void SetImageIndex(int AValue);
  rtl::TObject* GetObject() const { return FObject; }
  void SetObject(rtl::TObject* AValue) { FObject = AValue; }
  bool GetSelected() const { return FSelected; }
  void SetSelected(bool AValue);
  bool GetShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool AValue);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool AValue);
  TcxTabs* GetTabs() const { return FTabs; }

  // From the tab's view info; False, -1 or empty without one.
  TcxTabViewInfo* GetViewInfo() const;
  TRect GetFullRect() const;
  TRect GetVisibleRect() const;
  int GetVisibleIndex() const;
  int GetVisibleRow() const;
  bool GetIsMainTab() const;
  bool GetRealVisible() const;

  // The stored image index, without resolution.
  int GetOwnImageIndex() const { return FImageIndex; }
  // The caption set by the list itself, not announced.
  void InternalSetCaption(const rtl::String& AValue) { FCaption = AValue; }
  void InternalSetImageIndex(int AValue) { FImageIndex = AValue; }
  void InternalSetVisible(bool AValue) { FVisible = AValue; }

  TcxEventHandlerCollection* GetDestroyHandlers() const { return FDestroyHandlers; }

 protected:
  void AssignTo(rtl::TPersistent* ADest) override;
  void Changed(int ACode);

 private:
  bool FAllowCloseButton;
  rtl::String FCaption;
  vcl::TColor FColor;
  TcxEventHandlerCollection* FDestroyHandlers;
  bool FEnabled;
  int FImageIndex;
  rtl::TObject* FObject;
  bool FShowAccelChar;
  bool FSelected;
  bool FHighlighted;
  TcxTabs* FTabs;
  bool FVisible;
};

// The extra button that behaves like a last tab; hidden unless the new-tab
// mode asks for it.
class TcxPCNewButton : public TcxTab {
  RTL_CLASS(TcxPCNewButton, TcxTab)

 public:
  void Create(TcxTabs* ATabs) override;
  int GetIndex() const override { return -2; }
  bool IsNewButton() const override { return true; }

  // 0: computed.
  int GetWidth() const { return FWidth; }
  void SetWidth(int AValue);

 private:
  int FWidth;
};

// The captions are the strings; the objects are the tabs' user objects.
class TcxTabs : public rtl::TStrings {
  RTL_CLASS(TcxTabs, rtl::TStrings)

 public:
  virtual void Create(TcxCustomTabControlProperties* AProperties);
  void Destroy() override;

  void Clear() override;
  void Delete(int AIndex) override;
  void Insert(int AIndex, const rtl::String& S) override;
  void Move(int ACurIndex, int ANewIndex) override;
  int GetCount() const override { return static_cast<int>(FTabItems.size()); }

  TcxTab* GetTab(int ATabIndex) const;
  void SetTab(int AIndex, TcxTab* AValue) { GetTab(AIndex)->Assign(AValue); }
  TcxTab* GetVisibleTab(int ATabVisibleIndex) const;
  int VisibleTabsCount() const;
  TcxPCNewButton* GetNewButton() const { return FNewButton; }
  TcxCustomTabControlProperties* GetProperties() const { return FProperties; }
  bool IsTabsCleaning() const { return FIsTabsCleaning; }

  TcxEventHandlerCollection* GetChangedHandlers() const { return FChangedHandlers; }
  TcxEventHandlerCollection* GetDestroyHandlers() const { return FDestroyHandlers; }

  // Announces a change of a tab (or of the list with nil) to the handlers,
  // unless the owner is destroying or loading.
  void Changed(TcxTab* ATab, int ACode);
  // A tab freed directly leaves the list.
  void RemoveTab(TcxTab* ATab);

 protected:
  rtl::String Get(int AIndex) override;
  void Put(int AIndex, const rtl::String& S) override;
  rtl::TObject* GetObject(int AIndex) override;
  void PutObject(int AIndex, rtl::TObject* AObject) override;
  void SetUpdateState(bool AUpdating) override;
  virtual rtl::ClassOf<TcxTab> GetTabClass() const;
  virtual rtl::ClassOf<TcxPCNewButton> GetNewButtonClass() const;

 private:
  void CheckIndex(int AIndex) const;

  TcxEventHandlerCollection* FChangedHandlers;
  TcxEventHandlerCollection* FDestroyHandlers;
  bool FIsTabsCleaning;
  TcxPCNewButton* FNewButton;
  TcxCustomTabControlProperties* FProperties;
  std::vector<TcxTab*> FTabItems;
};

class TcxTabSlants : public rtl::TPersistent {
  RTL_CLASS(TcxTabSlants, rtl::TPersistent)

 public:
  void Create(rtl::TPersistent* AOwner);
  void Assign(rtl::TPersistent* ASource) override;

  TcxTabSlantKind GetKind() const { return FKind; }
  void SetKind(TcxTabSlantKind AValue);
  TcxTabSlantPositions GetPositions() const { return FPositions; }
  void SetPositions(TcxTabSlantPositions AValue);
  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }
  rtl::TPersistent* GetOwner() override { return FOwner; }

 private:
  void Changed();

  TcxTabSlantKind FKind;
  rtl::TPersistent* FOwner;
  TcxTabSlantPositions FPositions;
  rtl::TNotifyEvent FOnChange;
};

// ---------------------------------------------------------------------------
// Images and custom buttons

// The tab control's view of an image list, with an optional hot list.
class TcxPCImageList : public rtl::TObject {
  RTL_CLASS(TcxPCImageList, rtl::TObject)

 public:
  void Create(TcxCustomTabControlProperties* AProperties);
  void Destroy() override;

  vcl::TCustomImageList* GetBaseImages() const { return FBaseImages; }
  void SetBaseImages(vcl::TCustomImageList* AValue);
  vcl::TCustomImageList* GetBaseHotImages() const { return FBaseHotImages; }
  void SetBaseHotImages(vcl::TCustomImageList* AValue);
  bool IsImagesAssigned() const { return FBaseImages || FBaseHotImages; }
  // The base list's image size, or the hot list's without a base list;
  // (0, 0) without either.
  TSize BaseImageSize() const;
  // Width and height exchanged while images are turned.
  TSize RotatedImageSize() const;
  TcxRotationAngle GetImageRotationAngle() const { return FImageRotationAngle; }
  void SetImageRotationAngle(TcxRotationAngle AValue) { FImageRotationAngle = AValue; }
  // Draws image AIndex (of the hot list when AHot and there is one) into R,
  // recoloured by APalette where the image allows. While images are turned
  // the image turns with the text and the canvas under R stays visible
  // around it. Raises EdxException without a list or for an index outside
  // it.
  void Draw(TcxCanvas* ACanvas, const TRect& R, int AIndex, bool AEnabled, bool AHot,
            IdxColorPalette* APalette = nullptr);
  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }

 private:
  void Changed();
  void FreeNotificationHandler(rtl::TComponent* AComponent);

  vcl::TCustomImageList* FBaseHotImages;
  vcl::TCustomImageList* FBaseImages;
  TcxFreeNotificator* FFreeNotificator;
  TcxRotationAngle FImageRotationAngle;
  TcxCustomTabControlProperties* FProperties;
  rtl::TNotifyEvent FOnChange;
};

class TcxPCButton;
using TcxPCButtonCanShowEvent = rtl::TMethod<void(TcxPCButton* AButton, int ATabIndex, bool& ACanShow)>;

// A button users add to the tabs, to the header beside the navigator
// buttons, or to both.
class TcxPCButton : public rtl::TCollectionItem {
  RTL_CLASS(TcxPCButton, rtl::TCollectionItem)
  RTL_PUBLISHED(RTL_PROPERTY(Enabled, GetEnabled, SetEnabled, RTL_DEFAULT(true)),
                RTL_PROPERTY(HeaderImageIndex, GetHeaderImageIndex, SetHeaderImageIndex, RTL_DEFAULT(-1)),
                RTL_PROPERTY(Hint, GetHint, SetHint),
                RTL_PROPERTY(Position, GetPosition, SetPosition, RTL_DEFAULT(TcxPCButtonPosition::pcbpHeader)),
                RTL_PROPERTY(TabImageIndex, GetTabImageIndex, SetTabImageIndex, RTL_DEFAULT(-1)),
                RTL_PROPERTY(Visible, GetVisible, SetVisible, RTL_DEFAULT(true)),
                RTL_PROPERTY(OnCanShow, GetOnCanShow, SetOnCanShow), RTL_PROPERTY(OnClick, GetOnClick, SetOnClick))

 public:
  void Create(rtl::TCollection* ACollection) override;
  // Copies the settings, not the events.
  void Assign(rtl::TPersistent* ASource) override;

  // True unless OnCanShow says otherwise for the tab.
  bool CanShow(int ATabIndex);
  void Click();

  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool AValue);
  int GetHeaderImageIndex() const { return FHeaderImageIndex; }
  void SetHeaderImageIndex(int AValue);
  rtl::String GetHint() const { return FHint; }
  void SetHint(const rtl::String& AValue);
  TcxPCButtonPosition GetPosition() const { return FPosition; }
  void SetPosition(TcxPCButtonPosition AValue);
  int GetTabImageIndex() const { return FTabImageIndex; }
  void SetTabImageIndex(int AValue);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool AValue);
  bool IsHeaderButton() const { return FVisible && FPosition != TcxPCButtonPosition::pcbpTabs; }
  bool IsTabButton() const { return FVisible && FPosition != TcxPCButtonPosition::pcbpHeader; }
  TcxPCButtonCanShowEvent GetOnCanShow() const { return FOnCanShow; }
  void SetOnCanShow(TcxPCButtonCanShowEvent AValue) { FOnCanShow = AValue; }
  rtl::TNotifyEvent GetOnClick() const { return FOnClick; }
  void SetOnClick(rtl::TNotifyEvent AValue) { FOnClick = AValue; }

 private:
  // A change of this button's look only, or of where buttons stand.
  void SetField(int& AField, int AValue, bool AAllItems);

  bool FEnabled;
  int FHeaderImageIndex;
  rtl::String FHint;
  TcxPCButtonPosition FPosition;
  int FTabImageIndex;
  bool FVisible;
  TcxPCButtonCanShowEvent FOnCanShow;
  rtl::TNotifyEvent FOnClick;
};

class TcxPCCustomButtons;

class TcxPCButtons : public rtl::TOwnedCollection {
  RTL_CLASS(TcxPCButtons, rtl::TOwnedCollection)

 public:
  TcxPCButton* Add();
  TcxPCButton* GetItem(int AIndex) const { return static_cast<TcxPCButton*>(GetItems(AIndex)); }
  void SetItem(int AIndex, TcxPCButton* AValue) { SetItems(AIndex, AValue); }

 protected:
  // Every change of a button rebuilds the layout of the tab control.
  void Update(rtl::TCollectionItem* AItem) override;
};

// The buttons users add to tabs and to the header, with their image lists
// and the mode that says which tabs show the tab buttons.
class TcxPCCustomButtons : public TcxOwnedPersistent {
  RTL_CLASS(TcxPCCustomButtons, TcxOwnedPersistent)
  RTL_PUBLISHED(RTL_PROPERTY(Buttons, GetButtons, SetButtons),
                RTL_PROPERTY(Mode, GetMode, SetMode, RTL_DEFAULT(TcxPCButtonMode::cbmNone)))

 public:
  void Create(rtl::TPersistent* AOwner) override;
  void Destroy() override;

  int GetCount() const { return FButtons->GetCount(); }
  TcxPCButtons* GetButtons() const { return FButtons; }
  void SetButtons(TcxPCButtons* AValue) { FButtons->Assign(AValue); }
  TcxPCButtonMode GetMode() const { return FMode; }
  void SetMode(TcxPCButtonMode AValue);
  TcxPCImageList* GetHeaderImages() const { return FHeaderImages; }
  TcxPCImageList* GetTabImages() const { return FTabImages; }
  TcxCustomTabControlProperties* Properties() const;
  void Changed();

 protected:
  void CopyFrom(rtl::TPersistent* ASource) override;
  virtual rtl::ClassOf<TcxPCButtons> GetButtonsClass() const;

 private:
  TcxPCButtons* FButtons;
  TcxPCImageList* FHeaderImages;
  TcxPCButtonMode FMode;
  TcxPCImageList* FTabImages;
};

// ---------------------------------------------------------------------------
// TcxCustomTabControlProperties

class TcxCustomTabControlProperties : public TcxOwnedPersistent {
  RTL_CLASS(TcxCustomTabControlProperties, TcxOwnedPersistent)

 public:
  void Create(rtl::TPersistent* AOwner) override;
  void Destroy() override;

  void BeginUpdate();
  // Leaves one level without any notification.
  void CancelUpdate();
  // Leaves one level and announces pctHard.
  void EndUpdate();

  TcxPCNewButton* NewButton() const { return FTabs->GetNewButton(); }
  TcxTabs* GetTabs() const { return FTabs; }
  void SetTabs(TcxTabs* AValue) { FTabs->Assign(AValue); }

  bool GetActivateFocusedTab() const { return FActivateFocusedTab; }
  void SetActivateFocusedTab(bool AValue);
  bool GetAllowDisabledTabAccess() const { return FAllowDisabledTabAccess; }
  void SetAllowDisabledTabAccess(bool AValue);
  bool GetAllowTabDragDrop() const { return FAllowTabDragDrop; }
  void SetAllowTabDragDrop(bool AValue);
  TcxPCButtonMode GetCloseButtonMode() const { return FCloseButtonMode; }
  void SetCloseButtonMode(TcxPCButtonMode AValue);
  bool GetCloseTabWithMiddleClick() const { return FCloseTabWithMiddleClick; }
  void SetCloseTabWithMiddleClick(bool AValue) { FCloseTabWithMiddleClick = AValue; }
  TcxPCCustomButtons* GetCustomButtons() const { return FCustomButtons; }
  // The picture shown under the pointer while a tab is dragged; empty: the
  // tab itself.
  TdxSmartGlyph* GetDragImage() const { return FDragImage; }
  void SetDragImage(TdxSmartGlyph* AValue);
  bool GetHideTabs() const { return FHideTabs; }
  void SetHideTabs(bool AValue);
  bool GetHotTrack() const { return FHotTrack; }
  void SetHotTrack(bool AValue);
  bool GetIsTabsContainer() const { return FIsTabsContainer; }
  void SetIsTabsContainer(bool AValue);
  TcxPCImageList* GetImages() const { return FImages; }
  int GetImageBorder() const { return FImageBorder; }
  void SetImageBorder(int AValue);
  bool GetMultiLine() const { return FMultiLine; }
  void SetMultiLine(bool AValue);
  bool GetMultiLineTabCaptions() const { return FMultiLineTabCaptions; }
  void SetMultiLineTabCaptions(bool AValue);
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool AValue);
  TcxPCNavigatorPosition GetNavigatorPosition() const { return FNavigatorPosition; }
  void SetNavigatorPosition(TcxPCNavigatorPosition AValue);
  TcxPCNewButtonMode GetNewButtonMode() const;
  void SetNewButtonMode(TcxPCNewButtonMode AValue);
  TcxPCOptions GetOptions() const { return FOptions; }
  void SetOptions(TcxPCOptions AValue);
  bool GetOwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool AValue);
  bool GetRaggedRight() const { return FRaggedRight; }
  void SetRaggedRight(bool AValue);
  bool GetRotate() const { return FRotate; }
  void SetRotate(bool AValue);
  int GetRotatedTabsMaxWidth() const { return FRotatedTabsMaxWidth; }
  void SetRotatedTabsMaxWidth(int AValue);
  bool GetScrollOpposite() const { return FScrollOpposite; }
  void SetScrollOpposite(bool AValue);
  bool GetShowButtonHints() const { return FShowButtonHints; }
  void SetShowButtonHints(bool AValue) { FShowButtonHints = AValue; }
  bool GetShowFrame() const { return FShowFrame; }
  void SetShowFrame(bool AValue);
  bool GetShowTabHints() const { return FShowTabHints; }
  void SetShowTabHints(bool AValue) { FShowTabHints = AValue; }
  TcxPCStyleID GetStyle() const { return FStyle; }
  // A style the painters factory does not know is stored as 0.
  void SetStyle(TcxPCStyleID AValue);
  rtl::TAlignment GetTabCaptionAlignment() const { return FTabCaptionAlignment; }
  void SetTabCaptionAlignment(rtl::TAlignment AValue);
  int GetTabHeight() const { return FTabSize.y; }
  void SetTabHeight(int AValue);
  int GetTabWidth() const { return FTabSize.x; }
  void SetTabWidth(int AValue);
  int GetTabIndex();
  void SetTabIndex(int AValue);
  TcxTabPosition GetTabPosition() const { return FTabPosition; }
  void SetTabPosition(TcxTabPosition AValue);
  bool GetTabsScroll() const { return FTabsScroll; }
  void SetTabsScroll(bool AValue);
  TcxTabSlants* GetTabSlants() const { return FTabSlants; }

  // Stores the index without any event (the first tab added to an empty
  // list, a page leaving its control).
  void InternalSetTabIndex(int AValue) { FTabIndex = AValue; }
  // The index being asked for while OnChanging runs.
  int GetNewTabIndex() const { return FNewTabIndex; }

  // The protocol of a change of the current tab.
  void Changed(TcxCustomTabControlPropertiesChangedType AType = TcxCustomTabControlPropertiesChangedType::pctHard);
  bool CanChange(int AIndex);
  bool IsLocked();
  bool IsChangingLocked();
  bool IsChangeEventLocked() const { return FChangeEventLockCount > 0; }
  bool IsEventQueueActive() const { return FNotifyEventLockCount > 0; }
  void LockChanging() { ++FChangingEventLockCount; }
  void UnlockChanging() { --FChangingEventLockCount; }
  void LockNotifyEvents() { ++FNotifyEventLockCount; }
  // The outermost release first runs the queued events in order.
  void UnlockNotifyEvents();
  void LockChangeEvents() { ++FChangeEventLockCount; }
  void UnlockChangeEvents() { --FChangeEventLockCount; }
  void QueueEvent(rtl::TObject* ASender, rtl::TNotifyEvent AEvent);

  void CloseTab(int AIndex);
  virtual void CloseActiveTab();
  void NewTabButtonClick();
  TcxPCNavigatorButtons GetNavigatorButtons(bool AAllTabsFit) const;
  int GetTabImageIndex(TcxTab* ATab);
  rtl::String GetTabHint(TcxTab* ATab);
  rtl::String GetNavigatorButtonHint(TcxPCNavigatorButton AButton) const;
  virtual bool CanShowTabCloseButton(TcxTab* ATab) { return ATab->GetAllowCloseButton(); }
  virtual bool ResetTabIndexOfHiddenTab() { return false; }
  // The owner is neither destroying nor loading.
  virtual bool CanProcessChanged();
  virtual void MoveTab(int ACurIndex, int ANewIndex);
  virtual void DoTabClick(int AVisibleIndex, vcl::TShiftState AShift);
  virtual void ChangeScale(int M, int D);

  bool IsDesigning();
  bool IsDestroying();
  bool IsLoading();
  // Nil when the owner is no IcxTabControl or has no view info.
  TcxCustomTabControlViewInfo* OwnerViewInfo();
  void NotifyDesigner();
  bool GetTabControl(IcxTabControl*& ATabControl);

  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }
  TcxCustomTabControlPropertiesChangedEvent GetOnChanged() const { return FOnChanged; }
  void SetOnChanged(TcxCustomTabControlPropertiesChangedEvent AValue) { FOnChanged = AValue; }
  TcxTabChangingEvent GetOnChanging() const { return FOnChanging; }
  void SetOnChanging(TcxTabChangingEvent AValue) { FOnChanging = AValue; }
  rtl::TNotifyEvent GetOnStyleChanged() const { return FOnStyleChanged; }
  void SetOnStyleChanged(rtl::TNotifyEvent AValue) { FOnStyleChanged = AValue; }
  TcxPCCanCloseEventEx GetOnCanClose() const { return FOnCanClose; }
  void SetOnCanClose(TcxPCCanCloseEventEx AValue) { FOnCanClose = AValue; }
  TcxPCCloseEvent GetOnClose() const { return FOnClose; }
  void SetOnClose(TcxPCCloseEvent AValue) { FOnClose = AValue; }
  TcxGetTabImageEvent GetOnGetImageIndex() const { return FOnGetImageIndex; }
  void SetOnGetImageIndex(TcxGetTabImageEvent AValue) { FOnGetImageIndex = AValue; }
  TcxGetTabHintEvent GetOnGetTabHint() const { return FOnGetTabHint; }
  void SetOnGetTabHint(TcxGetTabHintEvent AValue) { FOnGetTabHint = AValue; }
  TcxPCNewTabButtonClickEvent GetOnNewTabButtonClick() const { return FOnNewTabButtonClick; }
  void SetOnNewTabButtonClick(TcxPCNewTabButtonClickEvent AValue) { FOnNewTabButtonClick = AValue; }
  TcxPCNewTabCreateEvent GetOnNewTabCreate() const { return FOnNewTabCreate; }
  void SetOnNewTabCreate(TcxPCNewTabCreateEvent AValue) { FOnNewTabCreate = AValue; }
  TcxPCTabClickEvent GetOnTabClick() const { return FOnTabClick; }
  void SetOnTabClick(TcxPCTabClickEvent AValue) { FOnTabClick = AValue; }
  TcxPCPropertiesDrawTabExEvent GetOnDrawTabEx() const { return FOnDrawTabEx; }
  void SetOnDrawTabEx(TcxPCPropertiesDrawTabExEvent AValue) { FOnDrawTabEx = AValue; }
  TcxPCPrepareTabCanvasFontEvent GetOnPrepareTabCanvasFont() const { return FOnPrepareTabCanvasFont; }
  void SetOnPrepareTabCanvasFont(TcxPCPrepareTabCanvasFontEvent AValue) { FOnPrepareTabCanvasFont = AValue; }
  TcxPCPaintDragImageEvent GetOnPaintDragImage() const { return FOnPaintDragImage; }
  void SetOnPaintDragImage(TcxPCPaintDragImageEvent AValue) { FOnPaintDragImage = AValue; }

  // Puts a custom picture (OnPaintDragImage's or DragImage) into the drag
  // image window, keyed out by its transparent colour; False: there is none
  // and the tab is drawn instead.
  virtual bool DoPaintDragImage(TcxDragImage* ADragImage);

  // Raises OnDrawTabEx with the visible tab while its font is prepared.
  virtual void DoDrawTabEx(int AVisibleIndex, vcl::TFont* AFont);
  virtual void DoPrepareTabCanvasFont(TcxTab* ATab, TcxCanvas* ACanvas);

 protected:
  void CopyFrom(rtl::TPersistent* ASource) override;
  virtual bool DoCanChange(int AIndex);
  virtual void DoChanging(int AIndex, bool& AllowChange);
  virtual void DoChanged(TcxCustomTabControlPropertiesChangedType AType);
  virtual void StoreTabIndex(int AValue) { FTabIndex = AValue; }
  virtual void DoChange();
  // Raises OnChange unless the change events are locked.
  void NotifyChange();
  virtual int CreateNewTab();
  virtual bool DoCanClose(int AIndex);
  virtual void DoClose(int AIndex);
  virtual void DoCloseTab(int AIndex);
  virtual void DoGetTabHint(TcxTab* ATab, rtl::String& AHint, bool& ACanShow);
  virtual bool DoNewTabButtonClick();
  virtual void DoNewTabCreate(int AIndex);
  virtual void ImagesChanged();
  virtual void GetTabHintText(TcxTab* ATab, bool& ACanShow, rtl::String& AHint);

  int FTabIndex;

 private:
  struct TEventInfo {
    rtl::TNotifyEvent Event;
    rtl::TObject* Sender;
  };

  void ImagesChangeHandler(rtl::TObject* ASender);
  void SlantsChangeHandler(rtl::TObject* ASender);
  void SetBoolean(bool& AField, bool AValue,
                  TcxCustomTabControlPropertiesChangedType AType = TcxCustomTabControlPropertiesChangedType::pctHard);

  bool FActivateFocusedTab;
  bool FAllowDisabledTabAccess;
  bool FAllowTabDragDrop;
  TcxPCButtonMode FCloseButtonMode;
  bool FCloseTabWithMiddleClick;
  TcxPCCustomButtons* FCustomButtons;
  TdxSmartGlyph* FDragImage;
  bool FHideTabs;
  bool FHotTrack;
  bool FIsTabsContainer;
  TcxPCImageList* FImages;
  int FImageBorder;
  bool FMultiLine;
  bool FMultiLineTabCaptions;
  bool FMultiSelect;
  TcxPCNavigatorPosition FNavigatorPosition;
  int FNewTabIndex;
  TcxPCOptions FOptions;
  bool FOwnerDraw;
  bool FRaggedRight;
  bool FRotate;
  int FRotatedTabsMaxWidth;
  bool FScrollOpposite;
  bool FShowFrame;
  bool FShowButtonHints;
  bool FShowTabHints;
  TcxPCStyleID FStyle;
  rtl::TAlignment FTabCaptionAlignment;
  bool FTabChanging;
  TcxTabPosition FTabPosition;
  TcxTabs* FTabs;
  bool FTabsScroll;
  POINT FTabSize;
  TcxTabSlants* FTabSlants;
  std::vector<TEventInfo> FLockedEvents;
  int FNotifyEventLockCount;
  int FChangingEventLockCount;
  int FChangeEventLockCount;
  int FUpdateLockCount;

  rtl::TNotifyEvent FOnChange;
  TcxCustomTabControlPropertiesChangedEvent FOnChanged;
  TcxTabChangingEvent FOnChanging;
  rtl::TNotifyEvent FOnStyleChanged;
  TcxPCCanCloseEventEx FOnCanClose;
  TcxPCCloseEvent FOnClose;
  TcxGetTabImageEvent FOnGetImageIndex;
  TcxGetTabHintEvent FOnGetTabHint;
  TcxPCNewTabButtonClickEvent FOnNewTabButtonClick;
  TcxPCNewTabCreateEvent FOnNewTabCreate;
  TcxPCTabClickEvent FOnTabClick;
  TcxPCPropertiesDrawTabExEvent FOnDrawTabEx;
  TcxPCPrepareTabCanvasFontEvent FOnPrepareTabCanvasFont;
  TcxPCPaintDragImageEvent FOnPaintDragImage;
};

// ---------------------------------------------------------------------------
// Element view infos

// A button inside a tab (its close button or a custom tab button): bounds in
// control coordinates, a state, and a click.
class TcxPCCustomTabButtonViewInfo : public rtl::TObject {
  RTL_CLASS(TcxPCCustomTabButtonViewInfo, rtl::TObject)

 public:
  virtual void Create(TcxTabViewInfo* ATabViewInfo);
  // The control view info forgets a button that goes.
  void Destroy() override;

  TcxTabViewInfo* GetTabViewInfo() const { return FTabViewInfo; }
  TRect GetBounds() const { return FBounds; }
  void SetBounds(const TRect& AValue) { FBounds = AValue; }
  // Disabled while its tab cannot be reached; else the stored state.
  virtual TcxPCNavigatorButtonState GetState() const;
  // A new state is stored and repainted.
  void SetState(TcxPCNavigatorButtonState AValue);
  bool CanClick() const { return GetState() != TcxPCNavigatorButtonState::nbsDisabled; }
  void Click();
  virtual int GetWidth();
  virtual int GetImageIndex() const { return -1; }
  bool HasImage() const { return GetImageIndex() != -1; }
  virtual bool IsCloseButton() const { return false; }
  virtual rtl::String GetHint();
  void Invalidate();

 protected:
  virtual void DoClick() {}
  TcxCustomTabControlViewInfo* ControlViewInfo() const;

 private:
  TcxTabViewInfo* FTabViewInfo;
  TRect FBounds;
  TcxPCNavigatorButtonState FState;
};

class TcxPCTabCloseButtonViewInfo : public TcxPCCustomTabButtonViewInfo {
  RTL_CLASS(TcxPCTabCloseButtonViewInfo, TcxPCCustomTabButtonViewInfo)

 public:
  int GetWidth() override;
  bool IsCloseButton() const override { return true; }

 protected:
  // Closes the tab through the settings (OnCanClose asked first).
  void DoClick() override;
};

class TcxPCTabButtonViewInfo : public TcxPCCustomTabButtonViewInfo {
  RTL_CLASS(TcxPCTabButtonViewInfo, TcxPCCustomTabButtonViewInfo)

 public:
  void Create(TcxTabViewInfo* ATabViewInfo, TcxPCButton* AButton);
  TcxPCButton* GetButton() const { return FButton; }
  TcxPCNavigatorButtonState GetState() const override;
  int GetWidth() override;
  int GetImageIndex() const override { return FButton->GetTabImageIndex(); }
  rtl::String GetHint() override;

 protected:
  void DoClick() override { FButton->Click(); }

 private:
  TcxPCButton* FButton;
};

class TcxTabViewInfo : public TcxIUnknownObject {
  RTL_CLASS(TcxTabViewInfo, TcxIUnknownObject)

 public:
  virtual void Create(TcxTab* ATab, TcxTabsViewInfo* ATabsViewInfo);
  void Destroy() override;

  virtual bool CanSelect() { return true; }
  // Makes the tab current through the change protocol.
  void Select();
  virtual int GetDefinedWidth();
  virtual void CorrectTabNormalWidth(int& AValue);

  TcxTab* GetTab() const { return FTab; }
  TcxCustomTabControlViewInfo* ControlViewInfo() const;
  TcxCustomTabControlProperties* Properties() const;
  TcxPCCustomPainter* Painter() const;
  TcxTabsViewInfo* GetTabsViewInfo() const { return FTabsViewInfo; }

  bool ActuallyEnabled() const;
  bool ActuallyVisible() const;
  bool HasCaption() const { return !GetCaption().empty(); }
  bool HasImage() const { return GetImageIndex() != -1; }
  bool HasButtons() const { return !FButtonInfos.empty(); }
  int ButtonsCount() const { return static_cast<int>(FButtonInfos.size()); }
  TcxPCCustomTabButtonViewInfo* GetButtonInfo(int AIndex) const { return FButtonInfos[AIndex]; }
  // Nil without a close button.
  TcxPCCustomTabButtonViewInfo* GetCloseButtonInfo() const;
  virtual bool HasCloseButton();
  // Whether a custom button shows in this tab (its mode and OnCanShow).
  virtual bool HasButton(TcxPCButton* AButton);
  // The close button first, then the custom tab buttons in order.
  void RecreateButtons();
  // The tab button under P, nil when none.
  TcxPCCustomTabButtonViewInfo* GetButtonAt(const TPoint& P) const;
  virtual bool CanClick() { return true; }
  virtual bool CanDrag() { return true; }
  // Raises the settings' tab click; the new-tab button makes a new tab.
  void Click(vcl::TShiftState AShift);
  bool IsActive() const;
  bool IsFocused() const;
  bool IsHotTrack() const;
  bool IsMainTab() const;
  bool IsPressed() const;
  bool IsTracking() const;
  bool IsHighlighted() const { return FTab->GetHighlighted(); }
  bool IsSelected() const { return FTab->GetSelected(); }
  rtl::String GetCaption() const { return FTab->GetCaption(); }
  vcl::TColor GetColor() const { return FTab->GetColor(); }
  bool GetEnabled() const { return FTab->GetEnabled(); }
  int GetImageIndex() const { return FTab->GetImageIndex(); }
  int GetIndex() const { return FTab->GetIndex(); }
  bool GetShowAccelChar() const { return FTab->GetShowAccelChar(); }
  int GetVisibleIndex() const;
  int GetLimitedWidth();

  // The layout's results.
  TPoint GetNormalPosition() const { return FNormalPosition; }
  void SetNormalPosition(const TPoint& AValue) { FNormalPosition = AValue; }
  int GetNormalWidth() const { return FNormalWidth; }
  void SetNormalWidth(int AValue) { FNormalWidth = AValue; }
  int GetRow() const { return FRow; }
  void SetRow(int AValue) { FRow = AValue; }
  int GetVisibleRow() const { return FVisibleRow; }
  void SetVisibleRow(int AValue) { FVisibleRow = AValue; }
  TRect GetNormalRect() const;
  TRect GetFullRect() const;
  TRect GetVisibleRect() const;
  // 0 top, 1 bottom, 2 left, 3 right: the side the tab is drawn on.
  TcxTabPosition PaintingPosition() const;
  int PaintingPositionIndex() const;
  TcxRotationAngle GetRelativeTextRotationAngle() const;

  TRect GetContentRect() const { return FContentRect; }
  TRect GetImageRect() const { return FImageRect; }
  TRect GetTextRect() const { return FTextRect; }
  bool GetIsTextTooLong() const { return FIsTextTooLong; }
  // The caption's extent on the screen canvas; measured once per layout.
  TSize GetTextSize();
  void ResetTextSize() { FTextSize = TSize{0, 0}; }

  void CalculateNormalWidth();
  void CalculateParts();
  void Mirror(const TRect& AClientRect);
  // Mirrors what CalculateParts placed (content, image, text and buttons)
  // inside the tab.
  void MirrorParts();

 protected:
  virtual void DoClick(vcl::TShiftState AShift);

 private:
  void TabDestroyHandler(rtl::TObject* ASender, const void* AArgs);
  int ContentLength(const TRect& R) const;
  void ClearButtons();
  bool IsButtonModeApplied(TcxPCButtonMode AMode);
  // Places the buttons at the text end of the content rectangle and gives
  // the length they take.
  int PlaceButtons();

  std::vector<TcxPCCustomTabButtonViewInfo*> FButtonInfos;
  TcxTab* FTab;
  TcxTabsViewInfo* FTabsViewInfo;
  TPoint FNormalPosition;
  int FNormalWidth;
  int FRow;
  int FVisibleRow;
  TRect FContentRect;
  TRect FImageRect;
  TRect FTextRect;
  bool FIsTextTooLong;
  TSize FTextSize;
};

class TcxPCNewButtonViewInfo : public TcxTabViewInfo {
  RTL_CLASS(TcxPCNewButtonViewInfo, TcxTabViewInfo)

 public:
  bool CanSelect() override { return false; }
  bool CanClick() override;
  bool CanDrag() override { return false; }
  bool HasCloseButton() override { return false; }
  bool HasButton(TcxPCButton*) override { return false; }
  int GetDefinedWidth() override;
  void CorrectTabNormalWidth(int&) override {}

 protected:
  void DoClick(vcl::TShiftState AShift) override;
};

// One view info per visible tab in tab order, the new-tab button's last.
class TcxTabsViewInfo : public rtl::TObject {
  RTL_CLASS(TcxTabsViewInfo, rtl::TObject)

 public:
  void Create(TcxTabs* ATabs, TcxCustomTabControlViewInfo* AControlViewInfo);
  void Destroy() override;

  void CalculateNormalSizes();
  void CalculateTabParts();
  int GetTabDefaultHeight() const;
  int ViewInfoCount() const { return static_cast<int>(FViewInfos.size()); }
  TcxTabViewInfo* GetViewInfo(int AIndex) const { return FViewInfos[AIndex]; }
  int IndexOf(const TcxTabViewInfo* AViewInfo) const;
  int GetTabNormalHeight() const { return FTabNormalHeight; }
  TcxCustomTabControlViewInfo* GetControlViewInfo() const { return FControlViewInfo; }
  TcxTabs* GetTabs() const { return FTabs; }

  // The re-creation a change asked for while the settings were locked.
  void CheckRecreate();
  // The tab index check a hidden main tab asked for.
  void CheckTabIndex();
  // A tab view info whose tab is destroyed leaves the list.
  void Remove(TcxTabViewInfo* AViewInfo);

 private:
  void Recreate();
  void ClearViewInfos();
  void TabsChangedHandler(rtl::TObject* ASender, const void* AArgs);

  TcxCustomTabControlViewInfo* FControlViewInfo;
  TcxTabs* FTabs;
  std::vector<TcxTabViewInfo*> FViewInfos;
  bool FNeedCheckTabIndex;
  bool FNeedRecreateViewInfos;
  int FTabNormalHeight;
};

// ---------------------------------------------------------------------------
// The tab control's view info: layout and view state

// Where the tab rows may go, filled by the painter.
struct TcxPCTabsPosition {
  TRect ExtendedTabsRect;
  int ExtendedTopOrLeftTabsRectBottomOrRightBorderOffset;
  int ExtendedBottomOrRightTabsRectTopOrLeftBorderOffset;
  int MinDistanceBetweenTopOrLeftAndBottomOrRightExtendedTabsRects;
  int NormalRowWidth;
  TRect NormalTabsRect;
};

// A header button: a navigator button with its bounds and state.
struct TcxPCHeaderButton {
  TcxPCNavigatorButton Kind;
  TRect Bounds;
  TcxPCNavigatorButtonState State;
  // A custom header button; Kind then means nothing.
  TcxPCButton* Button = nullptr;
};

// What lies under a point of the control: a header button (its index), a
// tab (its visible index) and, on a tab, one of its buttons.
struct TcxPCHitInfo {
  int HeaderButton = -1;
  int Tab = -1;
  TcxPCCustomTabButtonViewInfo* TabButton = nullptr;
};

// The first and last visible index of a row; Left -1 for a row without tabs.
struct TcxPCIndexInterval {
  int Left;
  int Right;
};
using TcxPCLineIndexBoundsArray = std::vector<TcxPCIndexInterval>;

class TcxCustomTabControlViewInfo : public rtl::TObject {
  RTL_CLASS(TcxCustomTabControlViewInfo, rtl::TObject)

 public:
  virtual void Create(IcxTabControl* AOwner);
  void Destroy() override;

  void Calculate();
  int GetOptimalSize();
  // The painter class the settings and the look and feel ask for.
  TcxPCPainterClass GetPainterClass();

  IcxTabControl* GetOwner() const { return FOwner; }
  TcxCustomTabControlProperties* Properties() const { return FOwner->GetProperties(); }
  TcxPCCustomPainter* Painter() const { return FOwner->GetPCPainter(); }
  TdxScaleFactor* ScaleFactor() const { return FOwner->GetControlScaleFactor(); }
  TcxTabsViewInfo* GetTabsViewInfo() const { return FTabsViewInfo; }
  int TabsViewInfoCount() const { return FTabsViewInfo->ViewInfoCount(); }
  TcxTabViewInfo* GetTabViewInfo(int AVisibleIndex) const { return FTabsViewInfo->GetViewInfo(AVisibleIndex); }

  // The effective tab position: left and right exchanged right to left.
  TcxTabPosition TabPosition() const;
  bool IsTopOrBottom() const;
  bool ActuallyRotate() const;
  bool IsVerticalText() const;
  TcxRotationAngle GetTextRotationAngle() const;
  bool IsRightToLeftAlignment() const;
  bool IsBottomToTopAlignment() const;
  bool UseRightToLeftAlignment() const;
  bool IsTabsVisible() const;
  bool IsTabsOnBothSides() const;
  // Whether tabs run against the index order along their row.
  bool IsReversedOrder() const;
  // Whether the page frame closes the page on all four sides, whatever
  // side the tabs are on.
  virtual bool IsPageFramedOnAllSides() const { return true; }
  // The colour of a tab as its owner sets it; clDefault: none of its own.
  virtual vcl::TColor GetTabColor(int AVisibleIndex) const;
  // Whether a page is shown, its colour (clNone without one) and whether
  // that colour is the page's own rather than its parent's.
  virtual bool HasPage() const { return false; }
  virtual vcl::TColor GetActivePageColor() const { return vcl::clNone; }
  virtual bool HasOwnPageColor() const { return false; }
  bool HasImages() const;
  TSize GetTabImageSize() const;
  int GetSizeDeficit() const { return 1 - FTabsPosition.NormalRowWidth; }

  TRect GetControlBounds() const;
  TRect GetClientRect() const { return GetControlBounds(); }
  TRect PageClientRect() const;
  TRect PageClientRectOffset() const;
  TRect TabsAreaRect() const;

  void InitializeVisibleTabRange(int& AFirstIndex, int& ALastIndex) const;
  void InitializeLineBoundsArray(TcxPCLineIndexBoundsArray& ALineIndexBounds) const;
  bool ScrollToTab(int AVisibleIndex);
  void MakeTabVisible(int AVisibleIndex);
  bool ScrollByNavigatorButton(TcxPCNavigatorButton AType);
  // Whether P rests in a scroll zone of a single row while a tab is
  // dragged: the start of the first visible tab when earlier tabs exist
  // (-1), of the last one when later tabs exist or it is cut (+1).
  bool GetDragScrollDirection(const TPoint& P, int& ADirection) const;
  // Moves the first visible tab of a single row by ADelta.
  bool ScrollFirstTab(int ADelta);

  // The layout's results.
  const TcxPCTabsPosition& GetTabsPosition() const { return FTabsPosition; }
  TRect GetExtendedTopOrLeftTabsRect() const { return FExtendedTopOrLeftTabsRect; }
  TRect GetExtendedBottomOrRightTabsRect() const { return FExtendedBottomOrRightTabsRect; }
  int GetRowCount() const { return FRowCount; }
  int GetTopOrLeftPartRowCount() const { return FTopOrLeftPartRowCount; }
  int GetRowHeight() const { return FRowHeight; }
  int GetFirstTabVisibleIndex() const { return FFirstTabVisibleIndex; }
  int GetLastTabVisibleIndex() const { return FLastTabVisibleIndex; }
  bool GetIsLastTabFullyVisible() const { return FIsLastTabFullyVisible; }
  int GetMaxTabCaptionWidth() const { return FMaxTabCaptionWidth; }
  int GetHeaderButtonHeight() const { return FHeaderButtonHeight; }
  TcxPCNavigatorButtons GetNavigatorButtons() const { return FNavigatorButtons; }
  int GetTabButtonHeight() const { return FTabButtonHeight; }
  // The header buttons in the order they stand along the row.
  int NavigatorButtonCount() const { return static_cast<int>(FHeaderButtons.size()); }
  TcxPCHeaderButton& GetNavigatorButtonInfo(int AIndex) { return FHeaderButtons[AIndex]; }
  void UpdateNavigatorButtonStates();

  // The view state.
  int GetTabIndex();
  void SetTabIndex(int AValue);
  int GetMainTabVisibleIndex() const { return FMainTabVisibleIndex; }
  void SetMainTabVisibleIndex(int AValue);
  int GetHotTrackTabVisibleIndex() const { return FHotTrackTabVisibleIndex; }
  void SetHotTrackTabVisibleIndex(int AValue);
  int GetPressedTabVisibleIndex() const { return FPressedTabVisibleIndex; }
  void SetPressedTabVisibleIndex(int AValue);
  int GetFocusedTabVisibleIndex() const { return FFocusedTabVisibleIndex; }
  void SetFocusedTabVisibleIndex(int AValue);
  int GetTrackingTabVisibleIndex() const { return FTrackingTabVisibleIndex; }
  void SetTrackingTabVisibleIndex(int AValue);
  // The visible index of the tab under P, -1 when none.
  int VisibleIndexOfTabAt(int X, int Y) const;
  // The next selectable tab from AVisibleIndex (-1: from the start or end),
  // wrapping round; -1 when there is none.
  int FindNextTab(int AVisibleIndex, bool AGoForward) const;
  bool IsTabAccessible(int AVisibleIndex) const;
  // The tab the view info reads as current: the tab's visible index.
  void ForgetTab(TcxTabViewInfo* AViewInfo);
  // A tab button that goes stops being hot or pressed.
  void ForgetTabButton(TcxPCCustomTabButtonViewInfo* AButton);
  // Header buttons first, then the tabs and their buttons.
  TcxPCHitInfo CalculateHitTest(const TPoint& P) const;

  // Hot tracking: the tab, tab button and header button under the mouse.
  bool IsHotTrackActive() const;
  // Follows the mouse (its position from the owner's window).
  void UpdateHotTracking();
  void UpdateHotTracking(const TPoint& AMousePos);
  void ResetHotTracking();
  TcxPCCustomTabButtonViewInfo* GetHotTrackTabButton() const { return FHotTrackTabButton; }
  void SetHotTrackTabButton(TcxPCCustomTabButtonViewInfo* AValue);
  TcxPCCustomTabButtonViewInfo* GetPressedTabButton() const { return FPressedTabButton; }
  void SetPressedTabButton(TcxPCCustomTabButtonViewInfo* AValue);
  // Indexes into the header buttons; -1 for none.
  int GetHotTrackNavigatorButton() const { return FHotTrackNavigatorButton; }
  void SetHotTrackNavigatorButton(int AValue);
  int GetPressedNavigatorButton() const { return FPressedNavigatorButton; }
  void SetPressedNavigatorButton(int AValue);
  TcxPCNavigatorButtonState NavigatorButtonStateFor(int AIndex) const;
  TcxPCNavigatorButtonState TabButtonStateFor(TcxPCCustomTabButtonViewInfo* AButton) const;
  void TabChanged(int AVisibleIndex, int ACode);
  void Invalidate(const TRect& R);
  // The canvas font of a tab about to be drawn: the control's font in the
  // painter's text colour, then what OnDrawTabEx and OnPrepareTabCanvasFont
  // make of it.
  void PrepareTabCanvasFont(TcxTabViewInfo* ATabViewInfo, TcxCanvas* ACanvas);
  // Whether OnDrawTabEx changed the text colour of the tab last prepared.
  bool IsCustomTextColorAssigned() const { return FIsCustomTextColorAssigned; }

  // Used by the tab view infos list.
  void TabsListChanged();
  // The layout steps, public for the painters and the tests.
  void SplitIntoRows(int ARowWidth, int AGap);

 private:
  void ReplaceTabButton(TcxPCCustomTabButtonViewInfo*& AField, TcxPCCustomTabButtonViewInfo* AValue);
  using TcxPCRows = std::vector<TcxPCIndexInterval>;

  void DoCalculate();
  void CalculateNavigatorButtons(bool AAllTabsFit);
  // The visible custom buttons of the header, in collection order.
  void AddCustomHeaderButtons();
  void UpdateTabsPosition(bool ACreateHeaderButtons);
  bool HasRoom() const { return FTabsPosition.NormalRowWidth >= 1; }
  int TabExtent(int AVisibleIndex) const;
  TSize TabsDistance() const;
  int AlongGap() const { return TabsDistance().cx; }
  int AcrossGap() const { return TabsDistance().cy; }
  void PlaceRow(int AFirst, int ALast, bool AAllowPartial);
  void CalculateSingleRow();
  void CalculateScrollingRow();
  void CalculateSqueezedRow();
  void CalculateMultiRow();
  void PlaceRows();
  void CalculateRowHeight();
  void CalculateRowOrder();
  void CalculateRowPositions();
  void ShareOut(int AFirst, int ALast, int AAmount);
  int RowWidthWithGaps(int AFirst, int ALast) const;
  void BalanceRows(int AFirst, int ALast);
  int RowCost(const TcxPCIndexInterval& ARow) const;
  // The exponents of the binary digits of the rows' summed cost, highest
  // first (exact, however wide the rows).
  std::vector<int> RowsCost(const TcxPCRows& ARows) const;
  bool MoveFromPrevious(TcxPCRows& ARows, std::size_t ARow) const;
  bool MoveFromNext(TcxPCRows& ARows, std::size_t ARow) const;
  bool ImproveRows(TcxPCRows& ARows) const;
  int EffectiveRotatedMaxWidth() const;
  void MirrorLayout();
  void SetNavigatorButtonState(int AIndex);
  void RowsRangeOfTab(int AVisibleIndex, int& AFirst, int& ALast) const;

  IcxTabControl* FOwner;
  TcxTabsViewInfo* FTabsViewInfo;
  std::vector<TcxPCHeaderButton> FHeaderButtons;
  TcxPCTabsPosition FTabsPosition;
  TRect FExtendedTopOrLeftTabsRect;
  TRect FExtendedBottomOrRightTabsRect;
  int FRowCount;
  int FTopOrLeftPartRowCount;
  int FRowHeight;
  int FFirstTabVisibleIndex;
  int FLastTabVisibleIndex;
  bool FIsLastTabFullyVisible;
  int FMaxTabCaptionWidth;
  int FTabButtonHeight;
  int FHeaderButtonHeight;
  TcxPCNavigatorButtons FNavigatorButtons;
  int FTabCalculatingIndex;
  bool FUpdating;

  int FMainTabVisibleIndex;
  int FHotTrackTabVisibleIndex;
  int FPressedTabVisibleIndex;
  int FFocusedTabVisibleIndex;
  int FTrackingTabVisibleIndex;
  TcxPCCustomTabButtonViewInfo* FHotTrackTabButton;
  TcxPCCustomTabButtonViewInfo* FPressedTabButton;
  int FHotTrackNavigatorButton;
  int FPressedNavigatorButton;
  bool FIsCustomTextColorAssigned = false;
};

// ---------------------------------------------------------------------------
// TcxPCCustomPainter

// The abstract tab painter. The operations that tell the painter's style
// (GetStyleID ... IsTabPressable) need no view info: the painters factory
// asks them of an instance made without one.
class TcxPCCustomPainter : public rtl::TObject {
  RTL_CLASS(TcxPCCustomPainter, rtl::TObject)

 public:
  // AViewInfo may be nil for the factory's instance.
  virtual void Create(TcxCustomTabControlViewInfo* AViewInfo);

  // Style identity.
  virtual TcxPCStandardStyle GetStandardStyle() const { return TcxPCStandardStyle::tsTabs; }
  virtual TcxPCStyleID GetStyleID() const { return -1; }
  virtual rtl::String GetStyleName() const { return rtl::String(); }
  virtual bool HasLookAndFeel(TcxLookAndFeel*) const { return false; }
  virtual bool IsDefault(TcxLookAndFeel*) const { return false; }
  virtual bool IsMainTabBoundWithClient() const { return true; }
  virtual bool IsMultiSelectionAccepted() const { return false; }
  virtual bool IsStandardStyle() const { return false; }
  virtual bool IsTabPressable() const { return false; }

  // Metrics.
  virtual bool IsTabRotationSupported() { return true; }
  virtual bool AllowMultilineCaption() { return true; }
  virtual int CalculateTabNormalHeight();
  virtual int CalculateTabNormalWidth(TcxTabViewInfo* ATabViewInfo);
  virtual void CorrectTabNormalWidth(int&) {}
  virtual TRect GetTabFullRectExtension(int) { return TRect{}; }
  virtual int GetHeaderButtonHeightBase();
  virtual int GetHeaderButtonWidthBase(TcxPCNavigatorButton AButton);
  int GetHeaderButtonHeight();
  int GetHeaderButtonWidth(TcxPCNavigatorButton AButton);
  virtual int GetHeaderButtonsDistance(TcxPCNavigatorButton, TcxPCNavigatorButton) { return 0; }
  // Buttons inside tabs: the close button's size, the height of a button
  // without images, the offsets of the buttons inside a tab (AIndex -1: no
  // particular tab), the gap between two buttons and the margins around a
  // button's image.
  virtual TSize GetTabCloseButtonSizeBase();
  TSize GetTabCloseButtonSize();
  virtual int GetDefaultTabButtonHeight() { return GetTabCloseButtonSize().cy; }
  virtual TRect GetTabButtonsOffsets(int AIndex);
  virtual int GetTabButtonsDistance() { return Scaled(3); }
  virtual TRect GetTabButtonGlyphOffsets() { return TRect{Scaled(2), Scaled(2), Scaled(2), Scaled(2)}; }
  // The length the buttons of a tab take along it with their offsets, 0
  // without buttons.
  virtual int GetTabButtonsWidth(int AIndex);
  virtual int GetTabButtonsAreaHeight(int AIndex);
  virtual int GetTabCloseButtonsAreaWidth(int AIndex);
  // Margins by which a tab button grows before a look-and-feel small button
  // is drawn in it.
  virtual TRect GetLookAndFeelTabButtonInflation();
  // Whether tab buttons are the look-and-feel painter's small buttons.
  virtual bool UseLookAndFeelTabButtons() { return false; }
  // The margins around the image of a custom header button.
  virtual TRect GetHeaderButtonGlyphOffsets() { return TRect{Scaled(2), Scaled(2), Scaled(2), Scaled(2)}; }
  // The length of a header button along the row: a custom one is as wide
  // as its image with the glyph offsets, or as the close button without
  // header images.
  int GetHeaderButtonInfoWidth(const TcxPCHeaderButton& AButton);
  // The gap between two neighbouring header buttons; a custom button
  // counts as a close button.
  int GetHeaderButtonInfosDistance(const TcxPCHeaderButton& AButton1, const TcxPCHeaderButton& AButton2);
  virtual int GetNavigatorToTabsDistance() { return 0; }
  virtual int GetNavigatorOffsetAcross() { return 0; }
  virtual int GetNavigatorOffsetAlong() { return 0; }
  virtual int GetMinTabWidth(int AIndex);
  virtual TSize GetTabsDistance() { return TSize{0, 0}; }
  virtual void CalculateTabsPosition(TcxPCTabsPosition& ATabsPosition);
  virtual TRect GetTabContentOffsetsRect(int AIndex);
  virtual TRect GetTabTextOffsets(int AIndex);
  virtual TRect GetTabImageOffsets(int AIndex);
  virtual int GetTabImageAreaOffset() { return 0; }
  virtual TPoint GetTabContentOffsets(int AIndex);
  virtual TPoint GetTooLongTextContentOffsets(int AIndex);
  virtual void PrepareCalculation() {}
  virtual bool IsTabHit(int, int, int) { return true; }
  // Where a go-dialog menu of AMenuSize opens: its top-left corner in
  // client coordinates.
  virtual TPoint GetGoDialogPopupPoint(const TSize& AMenuSize);
  virtual bool IsTabDrawnDown(int AIndex);
  virtual bool IsNativePainting() { return false; }
  // Whether tabs follow the mouse even with the settings' HotTrack off.
  virtual bool IsTabHotTrackNeeded() { return IsNativePainting(); }
  // Whether the whole control repaints on resize (with pcoRedrawOnResize).
  virtual bool NeedRedrawOnResize() { return IsNativePainting(); }
  // Whether a tab without a colour of its own takes its page's colour even
  // without pcoUsePageColorForTab.
  virtual bool UsePageColorForTab() { return false; }
  // The theme part (TABP_*) and state (TIS_*) of a tab; 0 and 0 for styles
  // that draw no theme.
  virtual void GetNativeTabPartAndState(int, int& APart, int& AState)
  {
    APart = 0;
    AState = 0;
  }
  // The margins of the themed pane inside the page frame.
  virtual void GetNativePageFrameWidths(TRect& AWidths);
  // Extra offsets of the tabs area in a layout control's tab container.
  virtual TRect GetTabsContainerOffsets() { return TRect{}; }
  virtual bool IsTabsDrawnFirst() { return true; }
  virtual bool NeedDoubleBuffered() { return false; }
  virtual bool HasFrame();
  virtual int GetFrameWidth() { return 0; }
  // The frame's width on each real side of the page.
  virtual void GetFrameWidths(TRect& AWidths);
  virtual void GetPageFrameOffsets(TRect& AOffsets);
  virtual void GetPageClientRectOffset(TRect& AOffsets);
  virtual void GetTabsAreaExtents(TRect& AExtents);
  virtual TRect GetPageFrameRect();
  virtual TRect GetPageClientRect();
  virtual vcl::TColor GetControlColor();
  virtual vcl::TColor GetPageColor();
  // The active page's own colour when it has one, else GetPageColor.
  virtual vcl::TColor GetPageClientColor();
  virtual vcl::TColor GetTabColor(int AIndex);
  // The tab's own colour as the view info gives it (clDefault: none).
  virtual vcl::TColor GetTabOwnColor(int AIndex);
  // The colour palettes images are drawn with; nil: their own colours.
  virtual rtl::IPtr<IdxColorPalette> GetTabImagePalette();
  virtual rtl::IPtr<IdxColorPalette> GetHeaderButtonImagePalette(TcxPCNavigatorButtonState AState);
  virtual rtl::IPtr<IdxColorPalette> GetTabButtonImagePalette(TcxPCNavigatorButtonState AState);
  virtual vcl::TColor GetTabTextColor(int AIndex);
  // The hot-light colour, or the selection colour where the hot-light
  // colour hardly stands out from the tab.
  vcl::TColor GetHotTabTextColor(int AIndex);
  virtual TcxCustomLookAndFeelPainter* GetLookAndFeelPainter();

  // Drawing.
  void Paint(TcxCanvas* ACanvas);
  virtual void DoPaint(TcxCanvas* ACanvas);
  virtual void DrawBackground(TcxCanvas* ACanvas);
  virtual void FillBackground(TcxCanvas* ACanvas, const TRect& R);
  virtual void PaintPageClientArea(TcxCanvas* ACanvas);
  virtual void FillPageClientArea(TcxCanvas* ACanvas);
  // The page client area painted for a print request.
  virtual void DrawPrintedPageClientArea(TcxCanvas* ACanvas) { FillPageClientArea(ACanvas); }
  virtual void DrawFrame(TcxCanvas*) {}
  virtual void DrawTabsArea(TcxCanvas* ACanvas);
  virtual void DrawTabs(TcxCanvas* ACanvas);
  virtual void DrawTab(TcxCanvas* ACanvas, int AIndex);
  virtual void DrawTabContent(TcxCanvas* ACanvas, int AIndex);
  virtual void DrawTabText(TcxCanvas* ACanvas, const TRect& R, int AIndex, bool AEnabled,
                           const rtl::String& ACaption);
  virtual void DrawText(TcxCanvas* ACanvas, const rtl::String& AText, int AIndex, const TRect& R);
  // The angle captions are drawn at: none when the style paints natively
  // (the theme draws the tab and its caption upright).
  virtual TcxRotationAngle GetPaintTextRotationAngle();
  virtual void DrawTabFocusRect(TcxCanvas*, int) {}
  virtual void DrawTabButtons(TcxCanvas* ACanvas, int AIndex);
  virtual void DrawTabCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState);
  virtual void DrawTabButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState);
  virtual void DrawNavigatorButtons(TcxCanvas*) {}
  virtual void DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButton AKind,
                                   TcxPCNavigatorButtonState AState);
  virtual void InvalidateNavigatorButtons() {}
  // A custom header button: its frame and fill, then its image centred.
  virtual void DrawCustomHeaderButton(TcxCanvas* ACanvas, const TRect& R, TcxPCButton* AButton,
                                      TcxPCNavigatorButtonState AState);
  // Draws a custom header button's image centred in R.
  void DrawHeaderButtonImage(TcxCanvas* ACanvas, const TRect& R, TcxPCButton* AButton, TcxPCNavigatorButtonState AState);
  // Whether the face of the tab is left to what is drawn under the row.
  virtual bool IsTabFaceTransparent(int) { return false; }
  // Fills the face of a tab before its frame is drawn.
  virtual void FillTabFace(TcxCanvas* ACanvas, const TRect& R, int AIndex, vcl::TColor AColor);
  virtual bool IsDisabledTextEmbossed() { return true; }
  virtual bool AreTabsInvalid(TcxCanvas* ACanvas);
  virtual void InvalidateTab(int AIndex);
  virtual void RepaintTab(int, int) {}

  // Draws one tab into the drag image of a tab drag.
  void PaintDragImage(TcxCanvas* ACanvas, int AIndex);
  bool IsDragImagePainted() const { return FIsDragImagePainted; }
  // The two areas beside which the drop arrows of a tab drag stand: the
  // first gets its arrow on the top (tabs on top or bottom) or left side,
  // the second on the bottom or right side. Both mark the gap the dragged
  // tab lands in.
  virtual void CalculateDragArrowRects(int ADraggedIndex, int AHitIndex, int ADestinationIndex, TRect& AFirst,
                                       TRect& ASecond);

  TcxCustomTabControlViewInfo* GetViewInfo() const { return FViewInfo; }
  TdxScaleFactor* ScaleFactor() const;
  TcxTabViewInfo* GetTabViewInfo(int AIndex) const { return FViewInfo->GetTabViewInfo(AIndex); }
  // The sides the page frame is drawn on.
  TcxBorders GetFrameSides() const;
  // The text output flags of a caption, for drawing or measuring.
  int GetTextFlags(TcxTabViewInfo* ATabViewInfo, bool AMeasuring) const;
  // Whether the tab rows leave room for a page.
  bool HasPageRoom() const;
  int GetLargestTabTextHeight() const;
  // A size of the painter's designs at the control's resolution.
  int Scaled(int AValue) const;

 protected:
  TcxCustomTabControlViewInfo* FViewInfo;

 private:
  bool FIsDragImagePainted = false;
};

// ---------------------------------------------------------------------------
// Routines shared by the layout and the painters

// Offsets told for tabs on top, turned for the given position.
TRect RotateTabRect(const TRect& R, TcxTabPosition ATabPosition);
TRect UnrotateTabRect(const TRect& R, TcxTabPosition ATabPosition);
TcxTabPosition GetOppositeRotationPosition(TcxTabPosition ATabPosition);
void NormalizeRectSize(TRect& R);
int GetPointCoordinate(const TPoint& P, bool AIsY);
void SetPointCoordinate(TPoint& P, bool AIsY, int AValue);
void SetRectSide(TRect& R, bool AIsLeftOrTop, bool AIsY, int AValue);
// Maps a point told for tabs on top into R at the given painting position.
TPoint MirrorTabPoint(const TPoint& P, const TRect& R, TcxTabPosition APosition);

// ---------------------------------------------------------------------------
// Tab drag and drop

class TcxTimer;

// One drag of a tab along its row: an image of the tab follows the pointer,
// two arrows mark the drop position, a single row scrolls while the pointer
// rests at its ends, and the tab (and its page) moves when the drop is
// accepted.
class TcxTabControlDragAndDropObject : public TcxDragAndDropObject {
  RTL_CLASS(TcxTabControlDragAndDropObject, TcxDragAndDropObject)

 public:
  using TcxDragAndDropObject::Create;
  virtual void Create(IcxTabControl* AIControl);
  void Destroy() override;

  // The dragged tab and the point it was pressed at.
  virtual void Init(int ATabVisibleIndex, const TPoint& P);

  int GetTabVisibleIndex() const { return FTabVisibleIndex; }
  int GetDestinationTabVisibleIndex() const { return FDestinationTabVisibleIndex; }
  int GetHitTabVisibleIndex() const { return FHitTabVisibleIndex; }
  TPoint GetDragPointOffset() const { return FDragPointOffset; }
  bool IsScrolling() const { return FScrollingTimer != nullptr; }
  // The feedback windows: nil outside a drag and, for the arrows, without a
  // destination.
  TcxDragImage* GetDragImage() const { return FDragImage; }
  TcxDragAndDropArrow* GetDestinationArrowFirst() const { return FDestinationArrowFirst; }
  TcxDragAndDropArrow* GetDestinationArrowSecond() const { return FDestinationArrowSecond; }

 protected:
  TPoint GetClientCursorPos() override;
  vcl::TCursor GetDragAndDropCursor(bool AAccepted) override;
  void BeginDragAndDrop() override;
  // Finds the destination; AAccepted stays True only for one.
  void DragAndDrop(const TPoint& P, bool& AAccepted) override;
  void EndDragAndDrop(bool AAccepted) override;
  virtual void PaintTabDragImage();
  virtual void MoveDraggedTab(bool AAccepted);
  // The destination's visible index for a pointer at P, -1 for none.
  int CalculateDestination(const TPoint& P);

 private:
  void MoveDragImage(const TPoint& P);
  void CreateDestinationArrows();
  void DestroyDestinationArrows();
  void UpdateScrolling(const TPoint& P);
  void StopScrolling();
  void ScrollingTimerHandler(rtl::TObject* ASender);

  int FHitTabVisibleIndex;
  TcxDragImage* FDragImage;
  TcxDragAndDropArrow* FDestinationArrowFirst;
  TcxDragAndDropArrow* FDestinationArrowSecond;
  int FDestinationTabVisibleIndex;
  IcxTabControl* FIControl;
  int FScrollingDirection;
  TcxTimer* FScrollingTimer;
  TPoint FDragPointOffset;
  int FTabVisibleIndex;
};

// ---------------------------------------------------------------------------
// The controller

class TcxCustomTabControlController;
class TcxPCCustomGoDialog;

// Shows the hints of the tabs, their buttons and the header buttons at the
// mouse cursor.
class TcxCustomTabControlHintHelper : public TcxCustomHintHelper {
  RTL_CLASS(TcxCustomTabControlHintHelper, TcxCustomHintHelper)

 public:
  virtual void Create(TcxCustomTabControlController* AController);

 protected:
  vcl::TWinControl* GetOwnerWinControl() override;
  bool IsHintAtMousePos() override { return true; }

 private:
  TcxCustomTabControlController* FController;
};

// Turns the mouse, keys, wheel and focus of a tab control into selections,
// clicks, scrolling, hints and the go dialog. It reaches the control only
// through IcxTabControl.
class TcxCustomTabControlController : public rtl::TObject {
  RTL_CLASS(TcxCustomTabControlController, rtl::TObject)

 public:
  virtual void Create(IcxTabControl* AIControl);
  void Destroy() override;

  virtual void MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y);
  virtual void MouseMove(vcl::TShiftState AShift, int X, int Y);
  virtual void MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y);
  virtual void MouseLeave();
  // Whether the key was handled; AKey is left as it was.
  virtual bool KeyDown(WORD AKey, vcl::TShiftState AShift);
  // Selects the first accessible tab whose caption has AKey as accelerator.
  virtual bool DialogChar(wchar_t AKey);
  // A wheel step at a client point; whether the tabs scrolled.
  virtual bool WheelDown(vcl::TShiftState AShift, const TPoint& P);
  virtual bool WheelUp(vcl::TShiftState AShift, const TPoint& P);
  virtual void FocusChanged();
  // Selects a tab (by mouse only with pressable tabs), then gives it the
  // focus mark and its click.
  virtual void SelectTab(int AVisibleIndex, vcl::TShiftState AShift, bool AByMouse);
  virtual void UpdateHint();
  // Opens the go dialog under its header button and returns when it closed.
  virtual void PopupGoDialog();
  virtual rtl::ClassOf<TcxTabControlDragAndDropObject> DragObjectClass() const;
  // Whether a press at P may start a tab drag; when it may, the control's
  // drag object takes the tab and the point.
  virtual bool StartDrag(const TPoint& P);
  virtual void DragFinished(bool) {}
  // Scrolls |ADelta| tabs of a single row toward later (ADelta >= 0) or
  // earlier tabs.
  void ScrollTabs(int ADelta);

  TPoint ClientToScreenPoint(const TPoint& P);
  TPoint ScreenToClientPoint(const TPoint& P);
  // The mouse in client coordinates, (-1, -1) without a window.
  TPoint MouseClientPos();
  vcl::TWinControl* ControlWindow() { return FIControl->GetOwnerControl(); }
  TcxCustomTabControlViewInfo* ControlViewInfo() { return FIControl->GetViewInfo(); }
  TcxCustomTabControlHintHelper* GetHintHelper() const { return FHintHelper; }
  TcxPCCustomGoDialog* GetGoDialog() const { return FGoDialog; }
  bool IsGoDialogShowing() const { return FIsGoDialogShowing; }
  // The auto-repeat of the scroll arrows: nil before the first arrow press;
  // each tick scrolls one tab while the arrow stays pressed.
  TcxTimer* GetRepeatTimer() const { return FTimer; }
  void RepeatTimerHandler(rtl::TObject* ASender);

  static constexpr unsigned cxPCArrowFirstRepeatInterval = 300;
  static constexpr unsigned cxPCArrowRepeatInterval = 150;

 protected:
  virtual void TabMouseDown(int AVisibleIndex, vcl::TShiftState AShift);
  virtual void TabMouseUp(int AVisibleIndex, vcl::TShiftState AShift);
  virtual void GoDialogTabClicked(int ATabVisibleIndex);
  virtual rtl::ClassOf<TcxCustomTabControlHintHelper> HintHelperClass() const;

 private:
  // What the hint shows for: a header button, a tab button or a tab.
  struct THintElement {
    int HeaderButton = -1;
    int Tab = -1;
    TcxPCCustomTabButtonViewInfo* TabButton = nullptr;
    bool operator==(const THintElement&) const = default;
  };

  void HeaderButtonMouseDown(int AIndex);
  bool IsArrow(TcxPCNavigatorButton AKind) const;
  // One step with an arrow; a pressed arrow stays pressed in the new
  // layout.
  void ScrollOneTab(TcxPCNavigatorButton AType, bool APressed);
  void StartRepeat();
  void StopRepeat();
  bool IsRepeating() const;
  void CloseGoDialog(int ATabVisibleIndex);
  void GoDialogClickHandler(int ATabVisibleIndex);
  // The tab a key moves to, -1 for none.
  int GetKeyTarget(WORD AKey, vcl::TShiftState AShift);
  int FindNextReachable(int AFrom, bool AGoForward, bool AWrap, bool ASkipNewButton);
  bool IsPressable();
  int HeaderButtonIndexOf(TcxPCNavigatorButton AKind);
  bool WheelScroll(const TPoint& P, int ADelta);

  TcxCustomTabControlHintHelper* FHintHelper;
  THintElement FHintObject;
  IcxTabControl* FIControl;
  TcxTimer* FTimer;
  int FMouseDownTabVisibleIndex;
  // Where the mouse was last seen over the control, in client coordinates.
  TPoint FMousePos{-1, -1};
  TcxPCCustomGoDialog* FGoDialog;
  bool FIsGoDialogShowing;
  bool FGoDialogJustClosed;
};

using TcxTabControlTabDragAndDropEvent =
    rtl::TMethod<void(rtl::TObject* AControl, int AIndex, int ADestinationIndex, bool& AAccept)>;
using TcxTabControlTabEndDragEvent = rtl::TMethod<void(rtl::TObject* AControl, int ANewIndex)>;
using TcxTabControlTabStartDragEvent = rtl::TMethod<void(rtl::TObject* AControl, int AIndex)>;

// ---------------------------------------------------------------------------
// TcxCustomTabControl

// The windowed control of a row (or rows) of tabs and a page area. Its
// settings, view info and painter are made through virtual class operations,
// so the page control swaps them.
class TcxCustomTabControl : public TcxControl, public IcxTabControl {
  RTL_CLASS(TcxCustomTabControl, TcxControl)
  RTL_INTERFACE_TABLE(IcxTabControl)
  RTL_MESSAGES(RTL_MESSAGE(rtl::CM_DIALOGCHAR, HandleDialogChar))

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override { return inherited::QueryInterface(AIID, AObj); }
  ULONG __stdcall AddRef() override { return inherited::AddRef(); }
  ULONG __stdcall Release() override { return inherited::Release(); }

  bool CanFocus() override;
  void CloseTab(int AIndex) { FProperties->CloseTab(AIndex); }
  int GetOptimalSize() { return FViewInfo->GetOptimalSize(); }
  int IndexOfTabAt(int X, int Y);
  int VisibleIndexOfTabAt(int X, int Y) { return FViewInfo->VisibleIndexOfTabAt(X, Y); }
  // Raises EdxException for a style no painter class has.
  void SetStandardStyle(TcxPCStandardStyle AStandardStyle);
  void SetStyleByStyleName(const rtl::String& AStyleName);
  // Selects the next accessible tab, wrapping round.
  void SelectNextTab(bool AGoForward);

  TcxCustomTabControlProperties* GetPropertiesObject() const { return FProperties; }
  void SetProperties(TcxCustomTabControlProperties* AValue) { FProperties->Assign(AValue); }
  int GetTabIndex() { return FProperties->GetTabIndex(); }
  void SetTabIndex(int AValue) { FProperties->SetTabIndex(AValue); }
  bool GetFocusable() const { return FFocusable; }
  void SetFocusable(bool AValue) { FFocusable = AValue; }
  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }
  TcxTabChangingEvent GetOnChanging() const { return FOnChanging; }
  void SetOnChanging(TcxTabChangingEvent AValue) { FOnChanging = AValue; }
  TcxTabControlTabDragAndDropEvent GetOnTabDragAndDrop() const { return FOnTabDragAndDrop; }
  void SetOnTabDragAndDrop(TcxTabControlTabDragAndDropEvent AValue) { FOnTabDragAndDrop = AValue; }
  TcxTabControlTabEndDragEvent GetOnTabEndDrag() const { return FOnTabEndDrag; }
  void SetOnTabEndDrag(TcxTabControlTabEndDragEvent AValue) { FOnTabEndDrag = AValue; }
  TcxTabControlTabStartDragEvent GetOnTabStartDrag() const { return FOnTabStartDrag; }
  void SetOnTabStartDrag(TcxTabControlTabStartDragEvent AValue) { FOnTabStartDrag = AValue; }
  TcxCustomTabControlController* GetController() const { return FController; }

  // IcxTabControl
  bool IsDesigning() override { return TcxControl::IsDesigning(); }
  bool IsDestroying() override { return TcxControl::IsDestroying(); }
  bool IsLoading() override { return TcxControl::IsLoading(); }
  TcxPCCustomPainter* GetPCPainter() override { return FPainter; }
  TcxCustomTabControlProperties* GetProperties() override { return FProperties; }
  TcxCustomTabControlViewInfo* GetViewInfo() override { return FViewInfo; }
  bool AllowParentBackground() override { return true; }
  TRect GetControlBoundsRect() override { return GetBoundsRect(); }
  TcxCanvas* GetPaintCanvas() override { return GetActiveCanvas(); }
  vcl::TWinControl* GetOwnerControl() override { return this; }
  vcl::TColor GetControlColor() override { return GetColor(); }
  vcl::TFont* GetControlFont() override { return GetFont(); }
  TcxLookAndFeel* GetControlLookAndFeel() override { return GetLookAndFeel(); }
  void InvalidateArea(const TRect& R, bool AEraseBackground) override { InvalidateRect(R, AEraseBackground); }
  void DesignerModified() override;
  bool GetControlEnabled() override { return GetEnabled(); }
  bool GetControlFocused() override { return Focused(); }
  bool GetControlParentBackground() override { return GetParentBackground(); }
  void LayoutChanged() override;
  TdxScaleFactor* GetControlScaleFactor() override { return TcxControl::GetScaleFactor(); }
  bool IsDragging() override { return GetDragAndDropState() == TcxDragAndDropState::ddsInProcess; }
  TcxTabControlDragAndDropObject* GetDragObject() override;

 protected:
  virtual rtl::ClassOf<TcxCustomTabControlProperties> PropertiesClass() const;
  virtual rtl::ClassOf<TcxCustomTabControlViewInfo> ViewInfoClass() const;
  virtual void DoChange();
  virtual void RecalculateAndPaint();
  virtual void AfterLoad();
  void Loaded() override;
  void DefineProperties(rtl::TFiler* AFiler) override;
  void DoChangeScale(int M, int D, bool AIsDpiChange) override;
  void AdjustClientRect(TRect& ARect) override;
  // The area the pages fill: the painter's while not loading, the one the
  // stream held while loading.
  TRect GetPageAreaRect();
  void BoundsChanged() override;
  void DoPaint() override;
  void EraseBackground(HDC ADC) override;
  void FontChanged() override;
  void KeyDown(WORD& AKey, vcl::TShiftState AShift) override;
  void MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void MouseMove(vcl::TShiftState AShift, int X, int Y) override;
  void MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void MouseLeave(vcl::TControl* AControl) override;
  bool DoMouseWheel(vcl::TShiftState AShift, int AWheelDelta, TPoint AMousePos) override;
  void FocusChanged() override;
  TcxDragAndDropObject* CreateDragAndDropObject() override;
  bool StartDragAndDrop(const TPoint& P) override;
  void BeginDragAndDrop() override;
  void DragAndDrop(const TPoint& P, bool& AAccepted) override;
  void EndDragAndDrop(bool AAccepted) override;
  void LookAndFeelChanged(TcxLookAndFeel* ASender, TcxLookAndFeelValues AChangedValues) override;
  // The painter of the class the view info names; nothing when it is the
  // current one.
  void RecreatePainter();
  bool IsChangeEventLocked() const { return FProperties->IsChangeEventLocked(); }

 private:
  void PropertiesChangedHandler(rtl::TObject* ASender, TcxCustomTabControlPropertiesChangedType AType);
  void PropertiesChangeHandler(rtl::TObject* ASender);
  void PropertiesChangingHandler(rtl::TObject* ASender, bool& AllowChange);
  void StyleChangedHandler(rtl::TObject* ASender);
  void HandleDialogChar(rtl::TMessage& AMessage);
  [[noreturn]] void RaiseControlError(const wchar_t* AOperation, const rtl::String& AText) const;
  void ReadClientRectSide(rtl::TReader* AReader, TcxPCClientRectSide ASide);
  void ReadClientRectLeft(rtl::TReader* AReader) { ReadClientRectSide(AReader, TcxPCClientRectSide::crsLeft); }
  void ReadClientRectTop(rtl::TReader* AReader) { ReadClientRectSide(AReader, TcxPCClientRectSide::crsTop); }
  void ReadClientRectRight(rtl::TReader* AReader) { ReadClientRectSide(AReader, TcxPCClientRectSide::crsRight); }
  void ReadClientRectBottom(rtl::TReader* AReader) { ReadClientRectSide(AReader, TcxPCClientRectSide::crsBottom); }
  void WriteClientRectLeft(rtl::TWriter* AWriter);
  void WriteClientRectTop(rtl::TWriter* AWriter);
  void WriteClientRectRight(rtl::TWriter* AWriter);
  void WriteClientRectBottom(rtl::TWriter* AWriter);

  TcxCustomTabControlController* FController;
  bool FFocusable;
  TcxPCCustomPainter* FPainter;
  TcxCustomTabControlProperties* FProperties;
  TcxCustomTabControlViewInfo* FViewInfo;
  TRect FClientRect;
  bool FIsClientRectLoaded;
  TcxPCClientRectSides FScalingFlags;
  rtl::TNotifyEvent FOnChange;
  TcxTabChangingEvent FOnChanging;
  TcxTabControlTabDragAndDropEvent FOnTabDragAndDrop;
  TcxTabControlTabEndDragEvent FOnTabEndDrag;
  TcxTabControlTabStartDragEvent FOnTabStartDrag;
};

// ---------------------------------------------------------------------------
// TcxPageControl and TcxTabSheet

class TcxPageControl;
class TcxTabSheet;

using TcxPageChangingEvent = rtl::TMethod<void(rtl::TObject* Sender, TcxTabSheet* NewPage, bool& AllowChange)>;

// The settings of a page control: the pages in tab order and the active one.
class TcxPageControlProperties : public TcxCustomTabControlProperties {
  RTL_CLASS(TcxPageControlProperties, TcxCustomTabControlProperties)
  RTL_PUBLISHED(RTL_PROPERTY(ActivePage, GetActivePage, SetActivePage))

 public:
  void Destroy() override;

  TcxTabSheet* GetActivePage() const { return FActivePage; }
  void SetActivePage(TcxTabSheet* AValue);
  TcxTabSheet* GetPage(int AIndex) const { return FPages[AIndex]; }
  int PageCount() const { return static_cast<int>(FPages.size()); }
  int IndexOfPage(const TcxTabSheet* APage) const;
  TcxTabSheet* FindNextPage(TcxTabSheet* ACurrentPage, bool AGoForward, bool ACheckTabAccessibility,
                            bool ACircular);
  TcxPageChangingEvent GetOnPageChanging() const { return FOnPageChanging; }
  void SetOnPageChanging(TcxPageChangingEvent AValue) { FOnPageChanging = AValue; }

  bool ResetTabIndexOfHiddenTab() override { return true; }
  bool CanShowTabCloseButton(TcxTab* ATab) override;
  void MoveTab(int ACurIndex, int ANewIndex) override;

  // The page's side of adding, removing and reordering pages.
  void InsertPage(TcxTabSheet* APage);
  void RemovePage(TcxTabSheet* APage);
  void MovePage(TcxTabSheet* APage, int ANewIndex);
  void UpdateTab(TcxTabSheet* APage);

 protected:
  void DoChanging(int AIndex, bool& AllowChange) override;
  void DoChange() override;
  void DoCloseTab(int AIndex) override;
  int CreateNewTab() override;
  void GetTabHintText(TcxTab* ATab, bool& ACanShow, rtl::String& AHint) override;

 private:
  TcxPageControl* PageControl() const;
  bool CanChangeActivePage(TcxTabSheet* APage);
  bool IsPageAccessible(TcxTabSheet* APage);
  void ChangeActivePage(TcxTabSheet* APage);
  void SyncTabIndex();

  TcxTabSheet* FActivePage;
  bool FActivePageSetting;
  bool FPageInserting;
  std::vector<TcxTabSheet*> FPages;
  TcxPageChangingEvent FOnPageChanging;
};

// The layout of a page control: tabs coloured by their pages, and the
// active page's colour for the page area.
class TcxPageControlViewInfo : public TcxCustomTabControlViewInfo {
  RTL_CLASS(TcxPageControlViewInfo, TcxCustomTabControlViewInfo)

 public:
  // A tab without a colour of its own takes its page's own colour where the
  // settings or the painter ask for page colours.
  vcl::TColor GetTabColor(int AVisibleIndex) const override;
  bool HasPage() const override;
  vcl::TColor GetActivePageColor() const override;
  bool HasOwnPageColor() const override;

 private:
  TcxTabSheet* ActivePage() const;
};

class TcxPageControl : public TcxCustomTabControl {
  RTL_CLASS(TcxPageControl, TcxCustomTabControl)
  RTL_PUBLISHED(RTL_PUBLISH(Align), RTL_PUBLISH(Anchors), RTL_PUBLISH(Color), RTL_PUBLISH(Enabled),
                RTL_PUBLISH(Font), RTL_PUBLISH(ParentColor), RTL_PUBLISH(ParentFont), RTL_PUBLISH(TabOrder),
                RTL_PUBLISH(TabStop, RTL_DEFAULT(true)), RTL_PUBLISH(Visible),
                RTL_PROPERTY(Focusable, GetFocusable, SetFocusable, RTL_DEFAULT(true)),
                RTL_PROPERTY(Properties, GetPageProperties, SetPageProperties),
                RTL_PROPERTY(OnChange, GetOnChange, SetOnChange),
                RTL_PROPERTY(OnChanging, GetOnChanging, SetOnChanging),
                RTL_PROPERTY(OnPageChanging, GetOnPageChanging, SetOnPageChanging))

 public:
  void Create(rtl::TComponent* AOwner) override;

  TcxTabSheet* GetActivePage() const { return GetPageProperties()->GetActivePage(); }
  void SetActivePage(TcxTabSheet* AValue) { GetPageProperties()->SetActivePage(AValue); }
  // -1 without an active page; an index outside the pages activates none.
  int GetActivePageIndex() const;
  void SetActivePageIndex(int AValue);
  int GetPageCount() const { return GetPageProperties()->PageCount(); }
  TcxTabSheet* GetPage(int AIndex) const { return GetPageProperties()->GetPage(AIndex); }
  int TabCount() { return GetViewInfo()->TabsViewInfoCount(); }
  TcxTabSheet* FindNextPage(TcxTabSheet* ACurrentPage, bool AGoForward, bool ACheckTabAccessibility)
  {
    return FindNextPageEx(ACurrentPage, AGoForward, ACheckTabAccessibility, true);
  }
  TcxTabSheet* FindNextPageEx(TcxTabSheet* ACurrentPage, bool AGoForward, bool ACheckTabAccessibility,
                              bool ACircular)
  {
    return GetPageProperties()->FindNextPage(ACurrentPage, AGoForward, ACheckTabAccessibility, ACircular);
  }
  void SelectNextPage(bool AGoForward, bool ACheckTabVisible = true);
  void GetChildren(const rtl::TGetChildProc& AProc, rtl::TComponent* ARoot) override;

  TcxPageControlProperties* GetPageProperties() const;
  void SetPageProperties(TcxPageControlProperties* AValue) { SetProperties(AValue); }
  TcxPageChangingEvent GetOnPageChanging() const { return FOnPageChanging; }
  void SetOnPageChanging(TcxPageChangingEvent AValue) { FOnPageChanging = AValue; }

 protected:
  rtl::ClassOf<TcxCustomTabControlProperties> PropertiesClass() const override;
  rtl::ClassOf<TcxCustomTabControlViewInfo> ViewInfoClass() const override;
  void AfterLoad() override;

 private:
  void PageChangingHandler(rtl::TObject* ASender, TcxTabSheet* ANewPage, bool& AllowChange);

  TcxPageChangingEvent FOnPageChanging;
};

class TcxTabSheet : public vcl::TCustomControl {
  RTL_CLASS(TcxTabSheet, vcl::TCustomControl)
  RTL_PUBLISHED(RTL_PROPERTY(AllowCloseButton, GetAllowCloseButton, SetAllowCloseButton, RTL_DEFAULT(true)),
                RTL_PUBLISH(Caption), RTL_PUBLISH(Color), RTL_PUBLISH(Enabled), RTL_PUBLISH(Font),
                RTL_PROPERTY(Highlighted, GetHighlighted, SetHighlighted, RTL_DEFAULT(false)),
                RTL_PROPERTY(ImageIndex, GetImageIndex, SetImageIndex, RTL_DEFAULT(-1)),
                RTL_PROPERTY(PageIndex, GetPageIndex, SetPageIndex, RTL_STORED(IsNeverStored)),
                RTL_PUBLISH(ParentColor), RTL_PUBLISH(ParentFont),
                RTL_PROPERTY(TabHint, GetTabHint, SetTabHint),
                RTL_PROPERTY(TabVisible, GetTabVisible, SetTabVisible, RTL_DEFAULT(true)),
                RTL_PROPERTY(OnHide, GetOnHide, SetOnHide), RTL_PROPERTY(OnShow, GetOnShow, SetOnShow))
  RTL_MESSAGES(RTL_MESSAGE(rtl::CM_TEXTCHANGED, CMTextChanged), RTL_MESSAGE(rtl::CM_ENABLEDCHANGED, CMEnabledChanged))

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  TcxPageControl* GetPageControl() const { return FPageControl; }
  void SetPageControl(TcxPageControl* AValue);
  // Raises EListError for an index beyond the pages.
  int GetPageIndex() const;
  void SetPageIndex(int AValue);
  // The visible index of its tab; -1 when hidden or in no page control.
  int GetTabIndex() const;
  TcxTab* GetTab() const { return FTab; }

  bool GetAllowCloseButton() const { return FAllowCloseButton; }
  void SetAllowCloseButton(bool AValue);
  bool GetHighlighted() const { return FHighlighted; }
  void SetHighlighted(bool AValue);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int AValue);
  rtl::String GetTabHint() const { return FTabHint; }
  void SetTabHint(const rtl::String& AValue) { FTabHint = AValue; }
  bool GetTabVisible() const { return FTabVisible; }
  void SetTabVisible(bool AValue);
  rtl::TNotifyEvent GetOnHide() const { return FOnHide; }
  void SetOnHide(rtl::TNotifyEvent AValue) { FOnHide = AValue; }
  rtl::TNotifyEvent GetOnShow() const { return FOnShow; }
  void SetOnShow(rtl::TNotifyEvent AValue) { FOnShow = AValue; }

  void SetParent(vcl::TWinControl* AParent) override;
  // The page control's bookkeeping.
  void InternalSetPageControl(TcxPageControl* AValue, TcxTab* ATab)
  {
    FPageControl = AValue;
    FTab = ATab;
  }
  void DoShow();
  void DoHide();

 protected:
  bool IsNeverStored() const { return false; }
  void CMTextChanged(rtl::TMessage& AMessage);
  void CMEnabledChanged(rtl::TMessage& AMessage);
  void Paint() override;

 private:
  void Changed();

  bool FAllowCloseButton;
  bool FHighlighted;
  int FImageIndex;
  TcxPageControl* FPageControl;
  TcxTab* FTab;
  rtl::String FTabHint;
  bool FTabVisible;
  rtl::TNotifyEvent FOnHide;
  rtl::TNotifyEvent FOnShow;
};
