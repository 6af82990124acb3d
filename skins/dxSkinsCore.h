#pragma once
// The skin core: a skin in memory and everything it is made of.
// - the object model: TdxSkin with its details, colours, properties, control
//   groups and elements, the owning name-sorted lists and the change tree
//   that carries every edit up to the skin and its listeners;
// - the typed properties, colour values that may refer to a colour of the
//   active palette, the palettes and the glyph palettes by element state;
// - TdxSkinImage: a strip of frames drawn by nine parts, stretched, tiled or
//   centred, or a gradient where there is no texture;
// - element drawing: fill, image or alternate attributes, borders, glyph;
//   mirrored drawing, rendering into an image and the per-element draw cache;
// - the package format: each class reads and writes its own part; the
//   container reader and writer pack several packages into one stream.
// (The sources are split by class family: dxSkinsCore*.cpp.)

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/cxClasses.h"
#include "core/dxCore.h"
#include "graphics/cxGraphics.h"
#include "graphics/dxCoreGraphics.h"
#include "graphics/dxGDIPlusClasses.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/SystemUnits.h"

class TcxMargin;
class TcxRect;
class TcxSize;
class TcxBitmap;
class TdxScaleFactor;
class TdxSmartImage;

// Registers the skin object and property classes and creates the empty
// element; both through the units loader.
RTL_DECLARE_UNIT(dxSkinsCore);

// ---------------------------------------------------------------------------
// Enumerations

RTL_ENUM(TdxSkinChange, scStruct, scContent, scDetails);
using TdxSkinChanges = rtl::TSet<TdxSkinChange>;
RTL_ENUM(TdxSkinObjectState, sosUnassigned, sosUnused);
using TdxSkinObjectStates = rtl::TSet<TdxSkinObjectState>;
RTL_ENUM(TdxSkinIconSize, sis16, sis48);
RTL_ENUM(TdxSkinElementState, esNormal, esHot, esPressed, esDisabled, esActive, esFocused, esDroppedDown, esChecked,
         esHotCheck, esActiveDisabled, esCheckPressed);
using TdxSkinElementStates = rtl::TSet<TdxSkinElementState>;
RTL_ENUM(TdxSkinImageSet, imsDefault, imsOriginal, imsAlternate);
RTL_ENUM(TdxSkinImageLayout, ilHorizontal, ilVertical);
RTL_ENUM(TdxSkinStretchMode, smStretch, smTile, smNoResize);
RTL_ENUM(TdxSkinGradientMode, gmHorizontal, gmVertical, gmForwardDiagonal, gmBackwardDiagonal);
RTL_ENUM(TdxSkinImagePart, sipTopLeft, sipTop, sipTopRight, sipLeft, sipCenter, sipRight, sipBottomLeft, sipBottom,
         sipBottomRight);
using TdxSkinElementPartBounds = std::array<TRect, 9>;
using TdxSkinElementPartVisibility = std::array<bool, 9>;
using TdxSkinName = rtl::String;

inline constexpr int dxSkinElementStateCount = rtl::EnumCount<TdxSkinElementState>();

// The names a state goes by in property and palette names: "Normal", "Hot", ...
rtl::String dxSkinElementStateName(TdxSkinElementState AState);

// The package version the writer writes.
inline constexpr double dxSkinStreamVersion = 1.25;

// The marker of a colour whose value comes from its palette reference and
// has not been looked up yet.
inline constexpr vcl::TColor dxSkinUnresolvedColor = static_cast<vcl::TColor>(0x1FFFFFFE);

class EdxSkinError : public EdxException {
 public:
  using EdxException::EdxException;
  const wchar_t* ClassName() const override { return L"EdxSkinError"; }
};

class TdxSkin;
class TdxSkinControlGroup;
class TdxSkinCustomObject;
class TdxSkinElement;
class TdxSkinElementCacheList;
class TdxSkinImage;
class TdxSkinProperties;
class TdxSkinProperty;
class TdxSkinAlternateImageAttributes;
class TdxSkinBorders;
class TdxSkinColor;
class TdxSkinColorPalette;
class TdxSkinColorPalettes;

using TdxSkinChangeNotify = rtl::TMethod<void(rtl::TObject* Sender, TdxSkinChanges AChanges)>;
using TdxSkinElementClass = rtl::ClassOf<TdxSkinElement>;
using TdxSkinPropertyClass = rtl::ClassOf<TdxSkinProperty>;
using TdxSkinColorClass = rtl::ClassOf<TdxSkinColor>;

// Begins a paint of the shared 2-D graphics canvas on DC for R, runs AProc
// on it and ends the paint, also when AProc raises.
void dxSkinPaint(HDC DC, const TRect& R, const std::function<void(TdxGPCanvas*)>& AProc);

// Calls ANotify when it is assigned and the set is not empty.
void dxSkinCallChangeNotify(const TdxSkinChangeNotify& ANotify, rtl::TObject* ASender, TdxSkinChanges AChanges);

// ---------------------------------------------------------------------------
// Listener and palette interfaces

struct IdxSkinChangeListener : rtl::IInterface {
  RTL_GUID(IdxSkinChangeListener, "{5A8F5E0B-3C1A-4B1E-9C11-6E0F3D6A2B71}")
  virtual void __stdcall SkinChanged(TdxSkin* Sender) = 0;
};

struct IdxSkinChangeListener2 : rtl::IInterface {
  RTL_GUID(IdxSkinChangeListener2, "{0D7C0942-D2C4-4579-AD03-A3CB5BBFC5AF}")
  virtual void __stdcall SkinChanged(TdxSkin* Sender, TdxSkinChanges AChanges) = 0;
};

struct IdxSkinColorPalette : rtl::IInterface {
  RTL_GUID(IdxSkinColorPalette, "{8B4C2E61-7D0F-4A57-B3C4-29E1F0A6D5C8}")
  virtual bool __stdcall GetPaletteColor(const rtl::String& AName, vcl::TColor& AColor) = 0;
};

// ---------------------------------------------------------------------------
// TdxSkinColorValue: a plain colour, or a reference to a colour of the active
// palette of the skin its owner belongs to.

struct TdxSkinColorValue {
  vcl::TColor FDefaultValue;
  TdxSkinCustomObject* FOwner;
  vcl::TColor FValue;
  rtl::String FValueReference;

  void Create(TdxSkinCustomObject* AOwner, vcl::TColor ADefault);
  // Copies value and reference, forgets the resolved value and announces.
  void Assign(const TdxSkinColorValue& ASource);
  bool Equals(const TdxSkinColorValue& AOther) const;
  bool GetColorPalette(rtl::IPtr<IdxSkinColorPalette>& APalette) const;
  void FlushCache();
  void ResetToDefaults();

  // The plain value, or the resolved one; an unresolvable reference reads as
  // the default.
  vcl::TColor GetValue();
  void SetValue(vcl::TColor AValue);
  const rtl::String& GetValueReference() const { return FValueReference; }
  void SetValueReference(const rtl::String& AValue);
  // What the writer writes: the stored value, resolved or not.
  vcl::TColor StoredValue() const { return FValue; }
  void ReadData(rtl::TStream* AStream, double AVersion);
  void WriteData(rtl::TStream* AStream) const;

 private:
  void Announce();
};

// ---------------------------------------------------------------------------
// TdxSkinCustomObject

class TdxSkinCustomObject : public rtl::TInterfacedPersistent {
  RTL_CLASS(TdxSkinCustomObject, rtl::TInterfacedPersistent)

 public:
  virtual void Create(rtl::TPersistent* AOwner, const rtl::String& AName);

  void Assign(rtl::TPersistent* ASource) override;
  rtl::TPersistent* GetOwner() override { return FOwner; }

  void BeginUpdate();
  void EndUpdate();
  // Drops one level and forgets what was collected, announcing nothing.
  void CancelUpdate();

  virtual void ReadData(rtl::TStream*, double) {}
  virtual void WriteData(rtl::TStream*) {}
  // Forgets values derived from the active palette.
  virtual void FlushCache() {}
  virtual void Changed(TdxSkinChanges AChanges);

  const rtl::String& GetName() const { return FName; }
  void SetName(const rtl::String& AValue);
  TdxSkinObjectStates GetState() const { return FState; }
  void SetState(TdxSkinObjectStates AValue) { FState = AValue; }
  std::intptr_t GetTag() const { return FTag; }
  void SetTag(std::intptr_t AValue) { FTag = AValue; }
  const TdxSkinChangeNotify& GetOnChange() const { return FOnChange; }
  void SetOnChange(const TdxSkinChangeNotify& AValue) { FOnChange = AValue; }

 protected:
  virtual void DoAssign(rtl::TPersistent* ASource);
  virtual void DoChanged(TdxSkinChanges AChanges);

  TdxSkinChanges FChanges;
  rtl::String FName;
  rtl::TPersistent* FOwner;
  TdxSkinObjectStates FState;
  std::intptr_t FTag;
  int FUpdateCount;
  TdxSkinChangeNotify FOnChange;
};

using TdxSkinCustomObjectClass = rtl::ClassOf<TdxSkinCustomObject>;

// ---------------------------------------------------------------------------
// TdxSkinCustomObjectList: owns its items; kept in name order once sorted.

class TdxSkinCustomObjectList : public TcxObjectList {
  RTL_CLASS(TdxSkinCustomObjectList, TcxObjectList)

 public:
  virtual void Create(rtl::TPersistent* AOwner);
  void CreateEx(rtl::TPersistent* AOwner, const TdxSkinChangeNotify& AChangeHandler);

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  void Clear() override;
  void Exchange(int AIndex1, int AIndex2);
  // Case-sensitive binary search; sorts the list first when needed.
  bool Find(const rtl::String& AName, TdxSkinCustomObject*& AObject);
  int IndexOf(const rtl::String& AName);
  void Sort(bool ASortChildren);
  void FlushCache();

  void ReadData(rtl::TStream* AStream, double AVersion);
  void WriteData(rtl::TStream* AStream);

  TdxSkinCustomObject* GetObject(int AIndex) const { return static_cast<TdxSkinCustomObject*>(GetItem(AIndex)); }
  rtl::TPersistent* GetOwner() const { return FOwner; }
  const TdxSkinChangeNotify& GetOnChange() const { return FOnChange; }
  void SetOnChange(const TdxSkinChangeNotify& AValue) { FOnChange = AValue; }

 protected:
  void Notify(void* APtr, rtl::TListNotification AAction) override;
  virtual void Changed(TdxSkinChanges AChanges);
  virtual void SortChildren() {}
  virtual void DataReadItem(rtl::TStream* AStream, double AVersion) = 0;
  virtual void DataWriteItem(rtl::TStream* AStream, TdxSkinCustomObject* AItem) = 0;
  // Appends an item the list made and routes its changes here.
  TdxSkinCustomObject* AddItem(TdxSkinCustomObject* AItem);
  TdxSkinChangeNotify ItemHandler();

 private:
  void ItemChanged(rtl::TObject* Sender, TdxSkinChanges AChanges);

  TdxSkinChanges FChanges;
  rtl::TPersistent* FOwner;
  bool FSorted;
  int FUpdateCount;
  TdxSkinChangeNotify FOnChange;
};

class TdxSkinProperties : public TdxSkinCustomObjectList {
  RTL_CLASS(TdxSkinProperties, TdxSkinCustomObjectList)

 public:
  TdxSkinProperty* Add(const rtl::String& AName, TdxSkinPropertyClass AClass);
  void Assign(TdxSkinProperties* ASource);
  bool Compare(TdxSkinProperties* AProperties);
  TdxSkinProperty* GetItem(int AIndex) const;

 protected:
  void DataReadItem(rtl::TStream* AStream, double AVersion) override;
  void DataWriteItem(rtl::TStream* AStream, TdxSkinCustomObject* AItem) override;
};

class TdxSkinColors : public TdxSkinProperties {
  RTL_CLASS(TdxSkinColors, TdxSkinProperties)

 public:
  TdxSkinColor* Add(const rtl::String& AName, vcl::TColor AValue);
  TdxSkinColor* GetItem(int AIndex) const;
};

class TdxSkinControlGroups : public TdxSkinCustomObjectList {
  RTL_CLASS(TdxSkinControlGroups, TdxSkinCustomObjectList)

 public:
  TdxSkinControlGroup* Add(const rtl::String& AName);
  void Assign(TdxSkinControlGroups* ASource);
  void Dormant();
  TdxSkinControlGroup* GetItem(int AIndex) const;

 protected:
  void SortChildren() override;
  void DataReadItem(rtl::TStream* AStream, double AVersion) override;
  void DataWriteItem(rtl::TStream* AStream, TdxSkinCustomObject* AItem) override;
};

class TdxSkinElements : public TdxSkinCustomObjectList {
  RTL_CLASS(TdxSkinElements, TdxSkinCustomObjectList)

 public:
  TdxSkinElement* Add(const rtl::String& AName, TdxSkinElementClass AClass);
  void Assign(TdxSkinElements* ASource);
  void Dormant();
  TdxSkinElement* GetItem(int AIndex) const;

 protected:
  void SortChildren() override;
  void DataReadItem(rtl::TStream* AStream, double AVersion) override;
  void DataWriteItem(rtl::TStream* AStream, TdxSkinCustomObject* AItem) override;
};

// ---------------------------------------------------------------------------
// TdxSkinPersistent: a named object with properties of its own.

class TdxSkinPersistent : public TdxSkinCustomObject {
  RTL_CLASS(TdxSkinPersistent, TdxSkinCustomObject)

 public:
  void Create(rtl::TPersistent* AOwner, const rtl::String& AName) override;
  void Destroy() override;

  void Changed(TdxSkinChanges AChanges) override;
  void FlushCache() override;
  virtual void Clear();
  virtual void DeleteProperty(TdxSkinProperty* AProperty);
  void DeleteProperty(const rtl::String& APropertyName);
  virtual void Sort(bool ASortChildren);

  TdxSkinProperty* AddProperty(const rtl::String& AName, TdxSkinPropertyClass APropertyClass);
  TdxSkinProperty* AddPropertyBool(const rtl::String& AName, bool AValue);
  TdxSkinProperty* AddPropertyColor(const rtl::String& AName, vcl::TColor AValue);
  TdxSkinProperty* AddPropertyInteger(const rtl::String& AName, int AValue);
  void ExchangeProperty(int AIndex1, int AIndex2);
  TdxSkinProperty* GetPropertyByName(const rtl::String& AName);
  bool GetPropertyByName(const rtl::String& AName, TdxSkinProperty*& AProperty);
  int PropertyCount() const { return FProperties->GetCount(); }
  TdxSkinProperty* GetProperty(int AIndex) const { return FProperties->GetItem(AIndex); }
  TdxSkinProperties* GetProperties() const { return FProperties; }
  bool GetModified() const { return FModified; }
  void ClearModified() { FModified = false; }

 protected:
  void DoAssign(rtl::TPersistent* ASource) override;
  void PropertiesChanged(rtl::TObject* Sender, TdxSkinChanges AChanges);

  bool FModified;
  TdxSkinProperties* FProperties;
};

// ---------------------------------------------------------------------------
// TdxSkinDetails: the description of a skin.

class TdxSkinDetails : public rtl::TPersistent {
  RTL_CLASS(TdxSkinDetails, rtl::TPersistent)

 public:
  virtual void Create();
  void Destroy() override;
  void Assign(rtl::TPersistent* ASource) override;

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  virtual void Clear();
  // Loads the built-in default icon of that size, when the module has it.
  void ResetIcon(TdxSkinIconSize ASize);

  virtual void ReadData(rtl::TStream* AStream, double AVersion);
  virtual void WriteData(rtl::TStream* AStream);
  // Reads only the description of the package at the stream's position;
  // False, without raising, when its header is rejected.
  bool LoadFromStream(rtl::TStream* AStream);

  const rtl::String& GetName() const { return FName; }
  void SetName(const rtl::String& AValue);
  const rtl::String& GetDisplayName() const { return FDisplayName; }
  void SetDisplayName(const rtl::String& AValue);
  const rtl::String& GetGroupName() const { return FGroupName; }
  void SetGroupName(const rtl::String& AValue);
  const rtl::String& GetNotes() const { return FNotes; }
  void SetNotes(const rtl::String& AValue);
  TdxSmartImage* GetIcon(TdxSkinIconSize ASize) const { return FIcons[ASize]; }
  std::int64_t GetDataOffset() const { return FDataOffset; }
  const rtl::TNotifyEvent& GetOnChange() const { return FOnChange; }
  void SetOnChange(const rtl::TNotifyEvent& AValue) { FOnChange = AValue; }

 protected:
  virtual void Changed();

 private:
  void IconChanged(rtl::TObject* Sender);
  void SetText(rtl::String& AField, const rtl::String& AValue);

  rtl::String FDisplayName;
  rtl::String FGroupName;
  std::array<TdxSmartImage*, 2> FIcons;
  rtl::String FName;
  rtl::String FNotes;
  int FUpdateCount;
  rtl::TNotifyEvent FOnChange;
  std::int64_t FDataOffset;
};

// ---------------------------------------------------------------------------
// TdxSkin

class TdxSkin : public TdxSkinPersistent, public IdxSkinColorPalette, public IdxColorPalette {
  RTL_CLASS(TdxSkin, TdxSkinPersistent)
  RTL_INTERFACES(IdxSkinColorPalette, IdxColorPalette)

 public:
  virtual void Create(const rtl::String& AName, bool ALoadOnCreate, HINSTANCE hInst);
  void Destroy() override;

  virtual TdxSkin* Clone(const rtl::String& AName);
  virtual void LoadFromResource(HINSTANCE AInstance);
  // Reads one package. A rejected header or a damaged package raises and
  // leaves the skin as it was.
  virtual void LoadFromStream(rtl::TStream* AStream);
  virtual void SaveToStream(rtl::TStream* AStream);
  void LoadFromFile(const rtl::String& AFileName);
  void SaveToFile(const rtl::String& AFileName);
  void LoadFromBinaryStream(rtl::TStream* AStream);
  void LoadFromBinaryFile(const rtl::String& AFileName);
  void SaveToBinaryStream(rtl::TStream* AStream);
  void SaveToBinaryFile(const rtl::String& AFileName);

  void FlushCache() override;
  void Clear() override;
  void DeleteProperty(TdxSkinProperty* AProperty) override;
  using TdxSkinPersistent::DeleteProperty;
  void Sort(bool ASortChildren) override;
  virtual void DeleteGroup(TdxSkinControlGroup* AGroup);
  virtual void Dormant();
  void ClearModified();

  TdxSkinColor* AddColor(const rtl::String& AName, vcl::TColor AColor);
  TdxSkinControlGroup* AddGroup(const rtl::String& AName);
  void ExchangeColors(int AIndex1, int AIndex2);
  void ExchangeGroups(int AIndex1, int AIndex2);
  TdxSkinColor* GetColorByName(const rtl::String& AName);
  TdxSkinControlGroup* GetGroupByName(const rtl::String& AName);
  bool GetGroupByName(const rtl::String& AName, TdxSkinControlGroup*& AGroup);

  void AddListener(rtl::IInterface* AListener);
  void RemoveListener(rtl::IInterface* AListener);
  int ListenerCount() const { return static_cast<int>(FListeners.size()); }

  // Palettes
  void ApplyColorPalette(const rtl::String& AName);
  rtl::String GetActiveColorPaletteName() const;
  void SetActiveColorPaletteName(const rtl::String& AValue);
  TdxSkinColorPalette* GetActiveColorPalette() const { return FColorPalette; }
  TdxSkinColorPalettes* GetColorPalettes() const { return FColorPalettes; }
  rtl::IPtr<IdxColorPalette> GetDefaultGlyphColorPalette(TdxSkinElementState AState);

  const rtl::String& GetName() const;
  void SetName(const rtl::String& AValue);
  rtl::String GetDisplayName() const;
  TdxSkinDetails* GetDetails() const { return FDetails; }
  int GetColorCount() const { return FColors->GetCount(); }
  TdxSkinColor* GetColor(int AIndex) const;
  TdxSkinColors* GetColors() const { return FColors; }
  int GetGroupCount() const { return FGroups->GetCount(); }
  TdxSkinControlGroup* GetGroup(int AIndex) const;
  bool HasMissingElements() const;
  bool IsDestroying() const { return FDestroying; }

  // IdxSkinColorPalette
  bool __stdcall GetPaletteColor(const rtl::String& AName, vcl::TColor& AColor) override;
  // IdxColorPalette, on behalf of the active palette
  GUID __stdcall GetID() override;
  TdxAlphaColor __stdcall GetFillColor(const rtl::String& ID) override;
  TdxAlphaColor __stdcall GetStrokeColor(const rtl::String& ID) override;

 protected:
  void DoAssign(rtl::TPersistent* ASource) override;
  void DoChanged(TdxSkinChanges AChanges) override;
  void NotifyListeners(TdxSkinChanges AChanges);
  // Reads a package into this skin, which the caller has cleared.
  void ReadPackage(rtl::TStream* AStream, double AVersion);

 private:
  void DetailsChanged(rtl::TObject* Sender);
  void ListChanged(rtl::TObject* Sender, TdxSkinChanges AChanges);
  void PalettesChanged(rtl::TObject* Sender, TdxSkinChanges AChanges);

  TdxSkinColorPalette* FColorPalette;
  TdxSkinColorPalettes* FColorPalettes;
  bool FDestroying;
  TdxSkinDetails* FDetails;
  TdxSkinControlGroups* FGroups;
  std::vector<rtl::IPtr<rtl::IInterface>> FListeners;
  TdxSkinColors* FColors;
};

using TdxSkinClass = rtl::ClassOf<TdxSkin>;

// ---------------------------------------------------------------------------
// TdxSkinControlGroup

class TdxSkinControlGroup : public TdxSkinPersistent {
  RTL_CLASS(TdxSkinControlGroup, TdxSkinPersistent)

 public:
  void Create(rtl::TPersistent* AOwner, const rtl::String& AName) override;
  void Destroy() override;

  void ReadData(rtl::TStream* AStream, double AVersion) override;
  void WriteData(rtl::TStream* AStream) override;
  void FlushCache() override;
  void Clear() override;
  void Sort(bool ASortChildren) override;
  virtual void Dormant();
  void ClearModified();

  TdxSkinElement* AddElement(const rtl::String& AName);
  TdxSkinElement* AddElementEx(const rtl::String& AName, TdxSkinElementClass AElementClass);
  void Delete(int AIndex);
  void RemoveElement(TdxSkinElement* AElement);
  void RemoveElementByName(const rtl::String& AElementName);
  void ExchangeElements(int AIndex1, int AIndex2);
  TdxSkinElement* GetElementByName(const rtl::String& AName);
  bool GetElementByName(const rtl::String& AName, TdxSkinElement*& AElement);
  bool HasMissingElements() const;

  int GetCount() const { return FElements->GetCount(); }
  TdxSkinElement* GetElement(int AIndex) const { return FElements->GetItem(AIndex); }
  void SetElement(int AIndex, TdxSkinElement* AElement);
  TdxSkinElements* GetElements() const { return FElements; }
  TdxSkin* GetSkin();

 protected:
  void DoAssign(rtl::TPersistent* ASource) override;

 private:
  void ElementsChanged(rtl::TObject* Sender, TdxSkinChanges AChanges);

  TdxSkinElements* FElements;
};

// ---------------------------------------------------------------------------
// Properties

class TdxSkinProperty : public TdxSkinCustomObject {
  RTL_CLASS(TdxSkinProperty, TdxSkinCustomObject)

 public:
  // The class name without "TdxSkin" and "Property".
  static rtl::String Description(rtl::TClass AClass);
  rtl::String Description() const { return Description(ClassType()); }
  virtual bool Compare(TdxSkinProperty* AProperty);

  static void Register(TdxSkinPropertyClass AClass);
  static void Unregister(TdxSkinPropertyClass AClass);
  // Whether a package may name the class.
  static bool IsRegistered(rtl::TClass AClass);
};

class TdxSkinIntegerProperty : public TdxSkinProperty {
  RTL_CLASS(TdxSkinIntegerProperty, TdxSkinProperty)

 public:
  bool Compare(TdxSkinProperty* AProperty) override;
  void ReadData(rtl::TStream* AStream, double AVersion) override;
  void WriteData(rtl::TStream* AStream) override;
  int GetValue() const { return FValue; }
  void SetValue(int AValue);

 protected:
  void DoAssign(rtl::TPersistent* ASource) override;

 private:
  int FValue;
};

class TdxSkinBooleanProperty : public TdxSkinProperty {
  RTL_CLASS(TdxSkinBooleanProperty, TdxSkinProperty)

 public:
  bool Compare(TdxSkinProperty* AProperty) override;
  void ReadData(rtl::TStream* AStream, double AVersion) override;
  void WriteData(rtl::TStream* AStream) override;
  bool GetValue() const { return FValue; }
  void SetValue(bool AValue);

 protected:
  void DoAssign(rtl::TPersistent* ASource) override;

 private:
  bool FValue;
};

class TdxSkinColor : public TdxSkinProperty {
  RTL_CLASS(TdxSkinColor, TdxSkinProperty)

 public:
  void Create(rtl::TPersistent* AOwner, const rtl::String& AName) override;
  bool Compare(TdxSkinProperty* AProperty) override;
  void ReadData(rtl::TStream* AStream, double AVersion) override;
  void WriteData(rtl::TStream* AStream) override;
  void FlushCache() override;

  vcl::TColor GetValue() { return FValue.GetValue(); }
  void SetValue(vcl::TColor AValue) { FValue.SetValue(AValue); }
  const rtl::String& GetValueReference() const { return FValue.GetValueReference(); }
  void SetValueReference(const rtl::String& AValue) { FValue.SetValueReference(AValue); }
  virtual TdxAlphaColor ValueAsAlphaColor();
  TdxSkinColorValue& ColorValue() { return FValue; }

 protected:
  void DoAssign(rtl::TPersistent* ASource) override;

  TdxSkinColorValue FValue;
};

class TdxSkinAlphaColor : public TdxSkinColor {
  RTL_CLASS(TdxSkinAlphaColor, TdxSkinColor)

 public:
  void Create(rtl::TPersistent* AOwner, const rtl::String& AName) override;
  bool Compare(TdxSkinProperty* AProperty) override;
  void ReadData(rtl::TStream* AStream, double AVersion) override;
  void WriteData(rtl::TStream* AStream) override;
  TdxAlphaColor ValueAsAlphaColor() override;
  std::uint8_t GetValueAlpha() const { return FValueAlpha; }
  void SetValueAlpha(std::uint8_t AValue);

 protected:
  void DoAssign(rtl::TPersistent* ASource) override;

 private:
  std::uint8_t FValueAlpha;
};

class TdxSkinRectProperty : public TdxSkinProperty {
  RTL_CLASS(TdxSkinRectProperty, TdxSkinProperty)

 public:
  void Create(rtl::TPersistent* AOwner, const rtl::String& AName) override;
  void Destroy() override;
  bool Compare(TdxSkinProperty* AProperty) override;
  void ReadData(rtl::TStream* AStream, double AVersion) override;
  void WriteData(rtl::TStream* AStream) override;
  TcxRect* GetValue() const { return FValue; }
  void SetValue(TcxRect* AValue);
  const TRect& GetRect() const;

 protected:
  void DoAssign(rtl::TPersistent* ASource) override;

 private:
  void ValueChanged(rtl::TObject* Sender);

  TcxRect* FValue;
};

class TdxSkinSizeProperty : public TdxSkinProperty {
  RTL_CLASS(TdxSkinSizeProperty, TdxSkinProperty)

 public:
  bool Compare(TdxSkinProperty* AProperty) override;
  void ReadData(rtl::TStream* AStream, double AVersion) override;
  void WriteData(rtl::TStream* AStream) override;
  const TSize& GetValue() const { return FValue; }
  void SetValue(const TSize& AValue);
  // Index 0 is cx, any other cy.
  int GetValueByIndex(int AIndex) const { return AIndex == 0 ? FValue.cx : FValue.cy; }
  void SetValueByIndex(int AIndex, int AValue);

 protected:
  void DoAssign(rtl::TPersistent* ASource) override;

 private:
  TSize FValue;
};

class TdxSkinStringProperty : public TdxSkinProperty {
  RTL_CLASS(TdxSkinStringProperty, TdxSkinProperty)

 public:
  bool Compare(TdxSkinProperty* AProperty) override;
  void ReadData(rtl::TStream* AStream, double AVersion) override;
  void WriteData(rtl::TStream* AStream) override;
  const rtl::String& GetValue() const { return FValue; }
  void SetValue(const rtl::String& AValue);

 protected:
  void DoAssign(rtl::TPersistent* ASource) override;

  rtl::String FValue;
};

// Stored in packages as UTF-16.
class TdxSkinWideStringProperty : public TdxSkinStringProperty {
  RTL_CLASS(TdxSkinWideStringProperty, TdxSkinStringProperty)

 public:
  void ReadData(rtl::TStream* AStream, double AVersion) override;
  void WriteData(rtl::TStream* AStream) override;
};

class TdxSkinBorder : public TdxSkinProperty {
  RTL_CLASS(TdxSkinBorder, TdxSkinProperty)

 public:
  void Create(rtl::TPersistent* AOwner, const rtl::String& AName) override;
  virtual void Create(rtl::TPersistent* AOwner, TcxBorder AKind);
  bool Compare(TdxSkinProperty* AProperty) override;
  void ReadData(rtl::TStream* AStream, double AVersion) override;
  void WriteData(rtl::TStream* AStream) override;
  void FlushCache() override;
  virtual void Draw(HDC DC, const TRect& ABounds);
  virtual void DrawEx(TdxGPCanvas* ACanvas, const TRect& ABounds);
  virtual void ResetToDefaults();

  vcl::TColor GetColor() { return FColor.GetValue(); }
  void SetColor(vcl::TColor AValue) { FColor.SetValue(AValue); }
  const rtl::String& GetColorReference() const { return FColor.GetValueReference(); }
  void SetColorReference(const rtl::String& AValue) { FColor.SetValueReference(AValue); }
  int GetThin() const { return FThin; }
  void SetThin(int AValue);
  TcxBorder GetKind() const { return FKind; }
  // Thin, or 0 without a colour.
  int GetContentMargin();
  // The strip of ABounds the border covers.
  TRect StripOf(const TRect& ABounds) const;

 protected:
  void DoAssign(rtl::TPersistent* ASource) override;

 private:
  TdxSkinColorValue FColor;
  TcxBorder FKind;
  int FThin;
};

class TdxSkinBorders : public TdxSkinProperty {
  RTL_CLASS(TdxSkinBorders, TdxSkinProperty)

 public:
  void Create(rtl::TPersistent* AOwner, const rtl::String& AName) override;
  void Destroy() override;
  bool Compare(TdxSkinProperty* AProperty) override;
  void ReadData(rtl::TStream* AStream, double AVersion) override;
  void WriteData(rtl::TStream* AStream) override;
  void FlushCache() override;
  virtual void Draw(TdxGPCanvas* ACanvas, const TRect& ABounds);
  virtual void ResetToDefaults();

  TdxSkinBorder* GetBorder(TcxBorder ABorder) const { return FBorders[ABorder]; }
  TdxSkinBorder* GetLeft() const { return FBorders[TcxBorder::bLeft]; }
  TdxSkinBorder* GetTop() const { return FBorders[TcxBorder::bTop]; }
  TdxSkinBorder* GetRight() const { return FBorders[TcxBorder::bRight]; }
  TdxSkinBorder* GetBottom() const { return FBorders[TcxBorder::bBottom]; }
  TRect GetContentMargins() const;

 protected:
  void DoAssign(rtl::TPersistent* ASource) override;

 private:
  void BorderChanged(rtl::TObject* Sender, TdxSkinChanges AChanges);

  std::array<TdxSkinBorder*, 4> FBorders;
};

class TdxSkinAlternateImageAttributes : public TdxSkinProperty {
  RTL_CLASS(TdxSkinAlternateImageAttributes, TdxSkinProperty)

 public:
  void Create(rtl::TPersistent* AOwner, const rtl::String& AName) override;
  void Destroy() override;
  bool Compare(TdxSkinProperty* AProperty) override;
  void ReadData(rtl::TStream* AStream, double AVersion) override;
  void WriteData(rtl::TStream* AStream) override;
  void FlushCache() override;
  virtual void Draw(TdxGPCanvas* ACanvas, const TRect& R);
  bool IsAlphaUsed() const;

  std::uint8_t GetAlpha() const { return FAlpha; }
  void SetAlpha(std::uint8_t AValue);
  TdxSkinGradientMode GetGradient() const { return FGradient; }
  void SetGradient(TdxSkinGradientMode AValue);
  TdxSkinBorders* GetBorders() const { return FBorders; }
  TdxSkinBorders* GetBordersInner() const { return FBordersInner; }
  TcxRect* GetContentOffsets() const { return FContentOffsets; }
  TdxSkinColorValue& GradientBeginColor() { return FGradientBeginColor; }
  TdxSkinColorValue& GradientEndColor() { return FGradientEndColor; }

 protected:
  void DoAssign(rtl::TPersistent* ASource) override;

 private:
  void PartChanged(rtl::TObject* Sender, TdxSkinChanges AChanges);
  void OffsetsChanged(rtl::TObject* Sender);

  std::uint8_t FAlpha;
  TdxSkinBorders* FBorders;
  TdxSkinBorders* FBordersInner;
  TcxRect* FContentOffsets;
  TdxSkinGradientMode FGradient;
  TdxSkinColorValue FGradientBeginColor;
  TdxSkinColorValue FGradientEndColor;
};

class TdxSkinCustomListProperty : public TdxSkinProperty {
  RTL_CLASS(TdxSkinCustomListProperty, TdxSkinProperty)

 public:
  void Create(rtl::TPersistent* AOwner, const rtl::String& AName) override;
  void BeforeDestruction() override;
  void Destroy() override;
  bool Compare(TdxSkinProperty* AProperty) override;
  void ReadData(rtl::TStream* AStream, double AVersion) override;
  void WriteData(rtl::TStream* AStream) override;
  void FlushCache() override;

  void Clear();
  int GetCount() const { return FProperties->GetCount(); }
  TdxSkinProperty* GetItem(int AIndex) const { return FProperties->GetItem(AIndex); }
  bool Find(const rtl::String& AName, TdxSkinProperty*& AProperty);
  void Sort(bool ASortChildren) { FProperties->Sort(ASortChildren); }
  void Delete(TdxSkinProperty* AProperty);
  void Delete(int AIndex);
  void Delete(const rtl::String& AName);
  TdxSkinProperties* GetProperties() const { return FProperties; }

 protected:
  virtual TdxSkinProperties* CreateProperties();
  void DoAssign(rtl::TPersistent* ASource) override;

  TdxSkinProperties* FProperties;

 private:
  void ItemsChanged(rtl::TObject* Sender, TdxSkinChanges AChanges);
};

class TdxSkinColorPalette : public TdxSkinCustomListProperty, public IdxColorPalette {
  RTL_CLASS(TdxSkinColorPalette, TdxSkinCustomListProperty)
  RTL_INTERFACES(IdxColorPalette)

 public:
  void Create(rtl::TPersistent* AOwner, const rtl::String& AName) override;
  void FlushCache() override;
  TdxSkinColor* Add(const rtl::String& AName, vcl::TColor AValue);
  TdxSkinColor* Add(const rtl::String& AName, const rtl::String& AValueReference);
  TdxSkinColor* GetItem(int AIndex) const;
  TdxSkinColorClass GetDefaultColorClass() const { return FDefaultColorClass; }

  // IdxColorPalette
  GUID __stdcall GetID() override;
  TdxAlphaColor __stdcall GetFillColor(const rtl::String& ID) override;
  TdxAlphaColor __stdcall GetStrokeColor(const rtl::String& ID) override;

 protected:
  void DoChanged(TdxSkinChanges AChanges) override;

 private:
  GUID FID;
  TdxSkinColorClass FDefaultColorClass;
};

class TdxSkinGeneralColorPalette : public TdxSkinColorPalette {
  RTL_CLASS(TdxSkinGeneralColorPalette, TdxSkinColorPalette)

 protected:
  void DoAssign(rtl::TPersistent* ASource) override;
};

class TdxSkinColorPalettes : public TdxSkinCustomListProperty {
  RTL_CLASS(TdxSkinColorPalettes, TdxSkinCustomListProperty)

 public:
  void Create(rtl::TPersistent* AOwner, const rtl::String& AName) override;
  TdxSkinColorPalette* Add(const rtl::String& AName);
  TdxSkinColorPalette* GetItem(int AIndex) const;
  TdxSkinColorClass GetDefaultColorClass() const { return FDefaultColorClass; }
  void SetDefaultColorClass(TdxSkinColorClass AValue) { FDefaultColorClass = AValue; }

 private:
  TdxSkinColorClass FDefaultColorClass;
};

// ---------------------------------------------------------------------------
// TdxSkinImage

// The nine parts of R for the margins M (left, top, right, bottom widths);
// margins that overlap leave the middle parts empty.
TdxSkinElementPartBounds dxSkinCalculateNineParts(const TRect& R, const TRect& M);
// Margins reduced to fit ASize: negative values become 0, and a pair that
// exceeds its extent by 1 or more loses the excess in proportion.
TRect dxSkinFitMarginsToSize(const TRect& AMargins, const TSize& ASize);

class TdxSkinImage : public rtl::TPersistent {
  RTL_CLASS(TdxSkinImage, rtl::TPersistent)

 public:
  virtual void Create(TdxSkinElement* AOwner);
  void Destroy() override;
  void Assign(rtl::TPersistent* ASource) override;
  rtl::TPersistent* GetOwner() override;

  void Clear();
  virtual bool Compare(TdxSkinImage* AImage);
  virtual void Dormant();
  virtual void FlushCache();
  virtual void ReadData(rtl::TStream* AStream, double AVersion);
  virtual void WriteData(rtl::TStream* AStream);

  virtual void Draw(HDC DC, const TRect& ARect, TdxScaleFactor* AScaleFactor, int AImageIndex = 0,
                    TdxSkinElementState AState = TdxSkinElementState::esNormal);
  void Draw(HDC DC, const TRect& ARect, int AImageIndex = 0, TdxSkinElementState AState = TdxSkinElementState::esNormal);
  virtual void DrawEx(TdxGPCanvas* ACanvas, const TRect& ARect, TdxScaleFactor* AScaleFactor, int AImageIndex = 0,
                      TdxSkinElementState AState = TdxSkinElementState::esNormal);
  void DrawEx(TdxGPCanvas* ACanvas, const TRect& ARect, int AImageIndex = 0,
              TdxSkinElementState AState = TdxSkinElementState::esNormal);
  virtual void DrawRTL(HDC DC, const TRect& ARect, TdxScaleFactor* AScaleFactor, int AImageIndex = 0,
                       TdxSkinElementState AState = TdxSkinElementState::esNormal);
  void GetBitmap(int AImageIndex, TdxSkinElementState AState, vcl::TBitmap* ABitmap,
                 vcl::TColor ABackgroundColor = vcl::clNone);
  void SetStateMapping(std::span<const TdxSkinElementState> ATargetStateOrder);
  rtl::IPtr<IdxColorPalette> GetColorPalette(TdxSkinElementState AState, bool AUseSkinPalette);

  void LoadFromFile(const rtl::String& AFileName);
  void LoadFromResource(HINSTANCE AInstance, const rtl::String& AName, const wchar_t* AType);
  void LoadFromStream(rtl::TStream* AStream);
  void SaveToFile(const rtl::String& AFileName);
  void SaveToStream(rtl::TStream* AStream);

  bool Empty();
  bool IsVector();
  TSize GetSize();
  int GetStateCount();
  TRect GetStateBounds(int AImageIndex, TdxSkinElementState AState);
  // The frame the image draws for the index and state it is asked for.
  void CheckFrame(int& AImageIndex, TdxSkinElementState& AState) const;
  rtl::String GetName();
  void SetName(const rtl::String& AValue) { LoadFromFile(AValue); }
  rtl::String GetSourceName();

  TdxSkinColorPalettes* GetColorPalettes() const { return FColorPalettes; }
  TdxSkinGradientMode GetGradient() const { return FGradient; }
  void SetGradient(TdxSkinGradientMode AValue);
  TdxSkinColorValue& GradientBeginColor() { return FGradientBeginColor; }
  TdxSkinColorValue& GradientEndColor() { return FGradientEndColor; }
  int GetImageCount() const { return FImageCount; }
  void SetImageCount(int AValue);
  TdxSkinImageLayout GetImageLayout() const { return FImageLayout; }
  void SetImageLayout(TdxSkinImageLayout AValue);
  TdxGPInterpolationMode GetInterpolationMode() const { return FInterpolationMode; }
  void SetInterpolationMode(TdxGPInterpolationMode AValue);
  TcxMargin* GetMargins() const { return FMargins; }
  bool GetScaleMargins() const { return FScaleMargins; }
  void SetScaleMargins(bool AValue) { FScaleMargins = AValue; }
  TdxSkinElementStates GetStates() const { return FStates; }
  void SetStates(TdxSkinElementStates AValue);
  TdxSkinStretchMode GetStretch() const { return FStretch; }
  void SetStretch(TdxSkinStretchMode AValue);
  TdxSmartImage* GetTexture() const { return FTexture; }
  TdxSkinElement* GetElement() const { return FOwner; }
  const rtl::TNotifyEvent& GetOnChange() const { return FOnChange; }
  void SetOnChange(const rtl::TNotifyEvent& AValue) { FOnChange = AValue; }

 protected:
  virtual TdxSmartImage* CreateTexture();
  virtual void Changed();
  virtual int GetSourceDPI() { return 96; }
  virtual void CalculateGeometry();
  void CalculatePartsBounds(const TSize& AFrameSize);
  void CheckGeometry();

 private:
  void DrawParts(TdxGPCanvas* ACanvas, const TRect& ARect, TdxScaleFactor* AScaleFactor, const TRect& AFrame,
                 Gdiplus::GpImage* AHandle);
  void DrawPart(TdxGPCanvas* ACanvas, TdxSkinImagePart APart, const TRect& ADest, const TRect& ASource,
                Gdiplus::GpImage* AHandle);
  void FillGradient(TdxGPCanvas* ACanvas, const TRect& R);
  void TextureChanged(rtl::TObject* Sender);
  void PartChanged(rtl::TObject* Sender);
  void PalettesChanged(rtl::TObject* Sender, TdxSkinChanges AChanges);

  TdxSkinColorPalettes* FColorPalettes;
  TdxSkinGradientMode FGradient;
  TdxSkinColorValue FGradientBeginColor;
  TdxSkinColorValue FGradientEndColor;
  int FImageCount;
  TdxSkinImageLayout FImageLayout;
  TdxGPInterpolationMode FInterpolationMode;
  bool FIsDirty;
  TcxMargin* FMargins;
  TdxSkinElement* FOwner;
  TdxSkinElementPartBounds FPartsBounds;
  TSize FPartsBoundsSourceSize;
  TdxSkinElementPartVisibility FPartsVisibility;
  bool FScaleMargins;
  TSize FSize;
  rtl::String FSourceName;
  std::array<TRect, dxSkinElementStateCount> FStateBounds;
  int FStateCount;
  TdxSkinElementStates FStates;
  TdxSkinStretchMode FStretch;
  TdxSmartImage* FTexture;
  TdxDefaultBoolean FTextureIsVector;
  rtl::TNotifyEvent FOnChange;
};

// ---------------------------------------------------------------------------
// TdxSkinElement

class TdxSkinElement : public TdxSkinPersistent {
  RTL_CLASS(TdxSkinElement, TdxSkinPersistent)

 public:
  void Create(rtl::TPersistent* AOwner, const rtl::String& AName) override;
  void Destroy() override;

  void ReadData(rtl::TStream* AStream, double AVersion) override;
  void WriteData(rtl::TStream* AStream) override;
  void FlushCache() override;
  virtual bool Compare(TdxSkinElement* AElement);
  virtual vcl::TColor GetTextColor(TcxButtonState AState, const rtl::String& APropertyPrefix = rtl::String());
  virtual void Dormant();

  // Drawing
  virtual void Draw(HDC DC, const TRect& ARect, TdxScaleFactor* AScaleFactor, int AImageIndex = 0,
                    TdxSkinElementState AState = TdxSkinElementState::esNormal);
  void Draw(HDC DC, const TRect& ARect, int AImageIndex = 0, TdxSkinElementState AState = TdxSkinElementState::esNormal);
  virtual void DrawEx(TdxGPCanvas* ACanvas, const TRect& ARect, TdxScaleFactor* AScaleFactor, int AImageIndex = 0,
                      TdxSkinElementState AState = TdxSkinElementState::esNormal);
  void DrawEx(TdxGPCanvas* ACanvas, const TRect& ARect, int AImageIndex = 0,
              TdxSkinElementState AState = TdxSkinElementState::esNormal);
  void DrawRTL(HDC DC, const TRect& ARect, TdxScaleFactor* AScaleFactor, int AImageIndex = 0,
               TdxSkinElementState AState = TdxSkinElementState::esNormal);
  // A new image the caller owns; a zero size draws at the minimum size.
  TdxSmartImage* GetImage(int AImageIndex, TSize ASize, TdxScaleFactor* AScaleFactor,
                          TdxSkinElementState AState = TdxSkinElementState::esNormal);
  TdxSmartImage* GetImage(int AImageIndex, const TSize& ASize,
                          TdxSkinElementState AState = TdxSkinElementState::esNormal);
  bool IsAlphaUsed();
  TSize CalculateMinSize();

  // Alternate attributes
  TdxSkinAlternateImageAttributes* AddAlternateImageAttributes(TdxSkinElementState AState, int AImageIndex);
  bool UseAlternateImageSet(int AImageIndex, TdxSkinElementState AState, TdxSkinAlternateImageAttributes*& AAttributes,
                            bool ALowColors);

  rtl::IPtr<IdxColorPalette> GetGlyphColorPalette(TdxSkinElementState AState);
  void SetStateMapping(std::span<const TdxSkinElementState> AStateOrder);

  std::uint8_t GetAlpha() const { return FAlpha; }
  void SetAlpha(std::uint8_t AValue);
  TdxSkinBorders* GetBorders() const { return FBorders; }
  void SetBorders(TdxSkinBorders* AValue);
  TcxRect* GetContentOffset() const { return FContentOffset; }
  void SetContentOffset(TcxRect* AValue);
  TdxSkinImage* GetGlyph() const { return FGlyph; }
  void SetGlyph(TdxSkinImage* AValue);
  TdxSkinImage* GetImage() const { return FImage; }
  void SetImage(TdxSkinImage* AValue);
  TcxSize* GetMinSize() const { return FMinSize; }
  void SetMinSize(TcxSize* AValue);
  vcl::TColor GetColor() { return FColor.GetValue(); }
  void SetColor(vcl::TColor AValue) { FColor.SetValue(AValue); }
  const rtl::String& GetColorReference() const { return FColor.GetValueReference(); }
  void SetColorReference(const rtl::String& AValue) { FColor.SetValueReference(AValue); }
  vcl::TColor GetTextColor() { return FTextColor.GetValue(); }
  void SetTextColor(vcl::TColor AValue) { FTextColor.SetValue(AValue); }
  const rtl::String& GetTextColorReference() const { return FTextColor.GetValueReference(); }
  void SetTextColorReference(const rtl::String& AValue) { FTextColor.SetValueReference(AValue); }
  int GetImageCount() const;
  TdxSkinElementStates GetStates() const;
  TSize GetSize();
  TdxSkinControlGroup* GetGroup();
  rtl::String GetPath();
  bool GetUseCache() const { return FCache != nullptr; }
  void SetUseCache(bool AValue);
  int GetCacheCapacity() const { return FCacheCapacity; }
  void SetCacheCapacity(int AValue);
  TdxSkinElementCacheList* GetCache() const { return FCache; }
  int GetReadImageCount() const { return FReadImageCount; }

 protected:
  void DoAssign(rtl::TPersistent* ASource) override;
  void DoChanged(TdxSkinChanges AChanges) override;

 private:
  void PartChanged(rtl::TObject* Sender);
  void BordersChanged(rtl::TObject* Sender, TdxSkinChanges AChanges);
  void DrawBody(TdxGPCanvas* ACanvas, const TRect& ARect, TdxScaleFactor* AScaleFactor, int AImageIndex,
                TdxSkinElementState AState);

  std::uint8_t FAlpha;
  bool FAlternateImageSetDirty;
  int FAlternateImageSetIndex;
  TdxSkinBorders* FBorders;
  TdxSkinElementCacheList* FCache;
  int FCacheCapacity;
  TdxSkinColorValue FColor;
  TcxRect* FContentOffset;
  TdxSkinImage* FGlyph;
  TdxSkinImage* FImage;
  TcxSize* FMinSize;
  TdxSkinColorValue FTextColor;
  std::array<TdxSkinAlternateImageAttributes*, dxSkinElementStateCount> FAlternateImageSet;
  int FReadImageCount;
};

// Draws a white rectangle framed in red: what a missing element looks like.
class TdxSkinEmptyElement : public TdxSkinElement {
  RTL_CLASS(TdxSkinEmptyElement, TdxSkinElement)

 public:
  using TdxSkinElement::Draw;
  void Draw(HDC DC, const TRect& ARect, TdxScaleFactor* AScaleFactor, int AImageIndex = 0,
            TdxSkinElementState AState = TdxSkinElementState::esNormal) override;
};

// AElement, or the empty element for nil.
TdxSkinElement* dxSkinCheckElement(TdxSkinElement* AElement);
// The state a caller should draw when the element's image lacks AState.
TdxSkinElementState dxSkinElementActualState(TdxSkinElement* AElement, TdxSkinElementState AState);
TSize dxSkinElementScaledMinSize(TdxSkinElement* AElement, TdxScaleFactor* AScaleFactor);

// The choice between element images and their alternate attributes.
TdxSkinImageSet dxSkinGetImageSet();
void dxSkinSetImageSet(TdxSkinImageSet AValue);

// ---------------------------------------------------------------------------
// Rendering helpers and the draw cache

class TdxSkinRender : public rtl::TObject {
  RTL_CLASS(TdxSkinRender, rtl::TObject)

 public:
  static void FillRectByGradient(TdxGPCanvas* ACanvas, const TRect& R, vcl::TColor AColor1, vcl::TColor AColor2,
                                 TdxSkinGradientMode AMode, std::uint8_t AAlpha);
};

class TdxSkinElementCache : public rtl::TObject {
  RTL_CLASS(TdxSkinElementCache, rtl::TObject)

 public:
  void Create();
  void Destroy() override;

  // Renders anew unless the stored rendering matches.
  void CheckCacheState(TdxSkinElement* AElement, const TRect& R, TdxScaleFactor* AScaleFactor,
                       TdxSkinElementState AState, int AImageIndex);
  void Draw(HDC DC, const TRect& R);
  void Draw(TdxGPCanvas* ACanvas, const TRect& R);
  void DrawEx(HDC DC, TdxSkinElement* AElement, const TRect& R, TdxScaleFactor* AScaleFactor,
              TdxSkinElementState AState, int AImageIndex);
  void DrawEx(TdxGPCanvas* ACanvas, TdxSkinElement* AElement, const TRect& R, TdxScaleFactor* AScaleFactor,
              TdxSkinElementState AState, int AImageIndex);
  void Flush();

  TdxSkinElement* GetElement() const { return FElement; }
  int GetImageIndex() const { return FImageIndex; }
  TdxSkinElementState GetState() const { return FState; }
  const TRect& GetRect() const { return FRect; }
  // How many times the entry rendered; tests and benchmarks read it.
  int GetRenderCount() const { return FRenderCount; }

 private:
  void FreeBitmaps();
  void Render();

  Gdiplus::GpBitmap* FCache;
  TcxBitmap* FCacheOpaque;
  TdxSkinElement* FElement;
  int FImageIndex;
  TdxSkinImageSet FImageSet;
  TRect FRect;
  TdxScaleFactor* FScaleFactor;
  TdxSkinElementState FState;
  int FRenderCount;
};

class TdxSkinElementCacheList : public rtl::TObject {
  RTL_CLASS(TdxSkinElementCacheList, rtl::TObject)

 public:
  void Create(int ACapacity);
  void Destroy() override;

  void DrawElement(HDC DC, TdxSkinElement* AElement, const TRect& R, TdxScaleFactor* AScaleFactor,
                   TdxSkinElementState AState, int AImageIndex);
  void DrawElement(TdxGPCanvas* ACanvas, TdxSkinElement* AElement, const TRect& R, TdxScaleFactor* AScaleFactor,
                   TdxSkinElementState AState, int AImageIndex);
  void DrawElement(HDC DC, TdxSkinElement* AElement, const TRect& R, TdxSkinElementState AState, int AImageIndex);
  void Flush();

  int GetCapacity() const { return FCapacity; }
  void SetCapacity(int AValue);
  int GetCount() const { return FData->GetCount(); }
  TdxSkinElementCache* GetEntry(int AIndex) const;

 private:
  TdxSkinElementCache* FindEntry(TdxSkinElement* AElement, const TRect& R, TdxSkinElementState AState,
                                 int AImageIndex);

  int FCapacity;
  rtl::TObjectList* FData;
};

// ---------------------------------------------------------------------------
// The package format

// A window on another stream through which an image reads its bytes.
class TdxSkinPartStream : public rtl::TStream {
  RTL_CLASS(TdxSkinPartStream, rtl::TStream)

 public:
  void Create(rtl::TStream* ASource, std::int64_t APosStart, std::int64_t ASize);

  int Read(void* ABuffer, int ACount) override;
  int Write(const void* ABuffer, int ACount) override;
  std::int64_t Seek(std::int64_t AOffset, rtl::TSeekOrigin AOrigin) override;
  std::int64_t GetSize() override { return FPosEnd - FPosStart; }

  std::int64_t GetPosEnd() const { return FPosEnd; }
  std::int64_t GetPosStart() const { return FPosStart; }
  rtl::TStream* GetSource() const { return FSource; }

 private:
  std::int64_t FPosEnd;
  std::int64_t FPosStart;
  rtl::TStream* FSource;
};

// Reads and checks a package header; False (with AVersion untouched) when it
// is rejected.
bool dxSkinCheckSignature(rtl::TStream* AStream, double& AVersion);
void dxSkinWriteSignature(rtl::TStream* AStream);
// Version thresholds as the packages store them: 1.09 counts as 1.09.
bool dxSkinVersionAtLeast(double AVersion, double AThreshold);
// Lengths and counts are checked against the bytes left in the stream before
// anything is allocated; a length that cannot be there raises EdxSkinError.
rtl::String dxSkinReadString(rtl::TStream* AStream);
void dxSkinWriteString(rtl::TStream* AStream, const rtl::String& AValue);
rtl::String dxSkinReadWideString(rtl::TStream* AStream);
void dxSkinWriteWideString(rtl::TStream* AStream, const rtl::String& AValue);
void dxSkinReadImage(rtl::TStream* AStream, TdxSmartImage* AImage);
void dxSkinWriteImage(rtl::TStream* AStream, TdxSmartImage* AImage);
std::int32_t dxSkinReadInt32(rtl::TStream* AStream);
void dxSkinWriteInt32(rtl::TStream* AStream, std::int32_t AValue);
// A count of items of at least AMinItemSize bytes each; below 0 reads as 0.
int dxSkinReadCount(rtl::TStream* AStream, int AMinItemSize);

class TdxSkinBinaryWriter : public rtl::TObject {
  RTL_CLASS(TdxSkinBinaryWriter, rtl::TObject)

 public:
  void Create(rtl::TStream* AStream);
  void Destroy() override;
  // Writes the final count; Destroy does it too, reporting nothing.
  void Finish();
  void AddSkin(TdxSkin* ASkin);

 private:
  void WriteHeader();

  int FCount;
  std::int64_t FHeaderOffset;
  rtl::TStream* FStream;
  bool FFinished;
};

class TdxSkinBinaryReader : public rtl::TObject {
  RTL_CLASS(TdxSkinBinaryReader, rtl::TObject)

 public:
  virtual void Create(rtl::TStream* AStream);
  void Destroy() override;

  int GetCount() const { return FSkins->GetCount(); }
  TdxSkinDetails* GetSkinDetails(int AIndex) const;
  rtl::String GetSkinName(int AIndex) const;
  rtl::String GetSkinDisplayName(int AIndex) const;
  int GetSkinOffset(int AIndex) const;
  bool LoadSkin(TdxSkin* ASkin, int ASkinIndex);
  bool LoadSkin(TdxSkin* ASkin, const rtl::String& ASkinName);

 private:
  bool ReadContainer();
  void ReadSinglePackage(std::int64_t APosition);

  TcxObjectList* FSkins;
  rtl::TStream* FStream;
};
