// The cxStyles unit: styles, style sheets and the style repository.
//   TcxCustomStyle, TcxStyle: a component carrying the look of a part
//     (bitmap, colour, font, text colour), shared by many controls
//   TcxCustomStyleSheet: a named set of styles by index, a fallback for
//     the style collections that use it
//   TcxStyleRepository: lists the styles and sheets and streams them as its
//     children
//   TcxCustomStyles: a control's styles by small index; it listens to the
//     styles it holds and reports every change by index, following its
//     style sheet (and the sheets of sheets) for indexes it leaves open
#pragma once

#include <vector>

#include "core/cxClasses.h"
#include "core/cxClassesComponents.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/rtl/TypInfo.h"
#include "platform/vcl/Graphics.h"

RTL_DECLARE_UNIT(cxStyles);

namespace rtl {
class TFiler;
class TReader;
class TWriter;
}  // namespace rtl

class TcxCustomStyle;
class TcxCustomStyles;
class TcxCustomStyleSheet;
class TcxStyleRepository;

RTL_ENUM(TcxStyleValue, svBitmap, svColor, svFont, svTextColor);
using TcxStyleValues = rtl::TSet<TcxStyleValue>;

struct IcxStyleChangeListener : rtl::IInterface {
  RTL_GUID(IcxStyleChangeListener, "{E25A5395-C1E8-4311-A281-9575F79DE862}")
  virtual void __stdcall StyleChanged(TcxCustomStyle* Sender) = 0;
  // The listener stops listening to Sender here.
  virtual void __stdcall StyleRemoved(TcxCustomStyle* Sender) = 0;
};

// ---------------------------------------------------------------------------
// Styles

using TcxCustomStyleClass = rtl::ClassOf<TcxCustomStyle>;

class TcxCustomStyle : public rtl::TComponent {
  RTL_CLASS(TcxCustomStyle, rtl::TComponent)

 public:
  // Every listener, from the last, hears StyleRemoved and lets go.
  void BeforeDestruction() override;
  void Destroy() override;

  // The position in the repository; -1 without one.
  int GetIndex() const;
  TcxStyleRepository* GetStyleRepository() const { return FStyleRepository; }
  void SetStyleRepository(TcxStyleRepository* AValue);

  // Every listener, from the last, hears StyleChanged.
  virtual void Changed();
  virtual void ChangeScale(int M, int D);
  virtual void AddListener(IcxStyleChangeListener* AListener);
  virtual void RemoveListener(IcxStyleChangeListener* AListener);
  virtual void RestoreDefaults() {}
  int GetListenerCount() const { return static_cast<int>(FListeners.size()); }

  rtl::TComponent* GetParentComponent() override;
  bool HasParent() override { return true; }
  void SetParentComponent(rtl::TComponent* AValue) override;

 private:
  std::vector<IcxStyleChangeListener*> FListeners;
  TcxStyleRepository* FStyleRepository;
};

class TcxStyle : public TcxCustomStyle {
  RTL_CLASS(TcxStyle, TcxCustomStyle)
  RTL_PUBLISHED(RTL_PROPERTY(AssignedValues, GetAssignedValues, SetAssignedValues, RTL_DEFAULT(TcxStyleValues())),
                RTL_PROPERTY(Color, GetColor, SetColor, RTL_PROPTYPE(vcl::TypeInfoTColor), RTL_STORED(IsColorStored)),
                RTL_PROPERTY(Bitmap, GetBitmap, SetBitmap, RTL_STORED(IsBitmapStored)),
                RTL_PROPERTY(Font, GetFont, SetFont, RTL_STORED(IsFontStored)),
                RTL_PROPERTY(TextColor, GetTextColor, SetTextColor, RTL_PROPTYPE(vcl::TypeInfoTColor),
                             RTL_STORED(IsTextColorStored)))

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;
  // The values first, then the marks, so the source's marks win.
  void Assign(rtl::TPersistent* ASource) override;
  void RestoreDefaults() override;
  // The font height, when the font is assigned.
  void ChangeScale(int M, int D) override;

  TcxStyleValues GetAssignedValues() const { return FAssignedValues; }
  void SetAssignedValues(TcxStyleValues AValue);
  vcl::TBitmap* GetBitmap() const { return FBitmap; }
  void SetBitmap(vcl::TBitmap* AValue) { FBitmap->Assign(AValue); }
  vcl::TColor GetColor() const { return FColor; }
  // clDefault unmarks the colour.
  void SetColor(vcl::TColor AValue);
  vcl::TFont* GetFont() const { return FFont; }
  void SetFont(vcl::TFont* AValue) { FFont->Assign(AValue); }
  vcl::TColor GetTextColor() const { return FTextColor; }
  void SetTextColor(vcl::TColor AValue);

 private:
  void BitmapChanged(rtl::TObject* ASender);
  void FontChanged(rtl::TObject* ASender);
  void Mark(TcxStyleValue AValue, bool AAssigned);
  bool IsBitmapStored() { return FAssignedValues.Contains(TcxStyleValue::svBitmap); }
  bool IsColorStored() { return FAssignedValues.Contains(TcxStyleValue::svColor); }
  bool IsFontStored() { return FAssignedValues.Contains(TcxStyleValue::svFont); }
  bool IsTextColorStored() { return FAssignedValues.Contains(TcxStyleValue::svTextColor); }

  TcxStyleValues FAssignedValues;
  vcl::TBitmap* FBitmap;
  vcl::TColor FColor;
  vcl::TFont* FFont;
  vcl::TColor FTextColor;
};

// ---------------------------------------------------------------------------
// Style collections

using TcxCustomStylesClass = rtl::ClassOf<TcxCustomStyles>;

class TcxCustomStylesItem {
 public:
  int Index;
  TcxCustomStyle* Item;
};

class TcxCustomStyles : public TcxInterfacedPersistent, public IcxStyleChangeListener {
  RTL_CLASS(TcxCustomStyles, TcxInterfacedPersistent)
  RTL_INTERFACES(IcxStyleChangeListener)

 public:
  void Create(rtl::TPersistent* AOwner) override;
  void Destroy() override;
  // Another collection's style sheet; its items are not copied.
  void Assign(rtl::TPersistent* ASource) override;

  // The item's style, else the sheet's (nil while the owner is being
  // written to a stream, so that only own styles are stored).
  TcxCustomStyle* GetValue(int AIndex);
  void SetValue(int AIndex, TcxCustomStyle* AValue);
  // No own styles afterwards, whatever their indexes.
  void ResetStyles();
  bool IsValidStyleSheet(TcxCustomStyleSheet* AStyleSheet);

  TcxCustomStyleSheet* GetStyleSheet() const { return FStyleSheet; }
  // Ignored when unchanged or invalid; every index defined on either side
  // reports a change.
  void SetStyleSheet(TcxCustomStyleSheet* AValue);
  int GetCount() const { return static_cast<int>(FItems.size()); }
  const TcxCustomStylesItem& GetItem(int AIndex) const { return FItems[AIndex]; }

  // IcxStyleChangeListener
  void __stdcall StyleChanged(TcxCustomStyle* Sender) override;
  void __stdcall StyleRemoved(TcxCustomStyle* Sender) override;

 protected:
  // A descendant reacts to a change of a style by index.
  virtual void Changed(int AIndex);
  virtual void DoChanged(int AIndex);

 private:
  friend class TcxCustomStyleSheet;

  // The position of AIndex, or where it would go.
  bool Find(int AIndex, int& APosition) const;
  void DeleteItem(int APosition);
  // The indexes defined along a sheet's fallback chain.
  static void CollectIndexes(TcxCustomStyleSheet* AStyleSheet, std::vector<int>& AIndexes);
  bool IsOwnerWriting();

  bool FDestroying;
  std::vector<TcxCustomStylesItem> FItems;
  TcxCustomStyleSheet* FStyleSheet;
  TcxCustomStyleSheet* FOwnerStyleSheet;
};

// ---------------------------------------------------------------------------
// Style sheets

using TcxCustomStyleSheetClass = rtl::ClassOf<TcxCustomStyleSheet>;

class TcxCustomStyleSheet : public TcxComponent {
  RTL_CLASS(TcxCustomStyleSheet, TcxComponent)
  RTL_PUBLISHED(RTL_PROPERTY(Caption, GetCaption, SetCaption, RTL_STORED(IsCaptionStored)))

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;
  void Assign(rtl::TPersistent* ASource) override;
  // New styles like the source's at the same indexes, rescaled between
  // the repositories' DPIs.
  void CopyFrom(TcxCustomStyleSheet* AStyleSheet);

  virtual TcxCustomStylesClass GetStylesClass() const { return TcxCustomStylesClass::Of<TcxCustomStyles>(); }

  // The name while no caption of its own is set.
  rtl::String GetCaption() const;
  void SetCaption(const rtl::String& AValue);
  bool GetBuiltIn() const { return FBuiltIn; }
  void SetBuiltIn(bool AValue) { FBuiltIn = AValue; }
  int GetIndex() const;
  TcxStyleRepository* GetStyleRepository() const { return FStyleRepository; }
  void SetStyleRepository(TcxStyleRepository* AValue);
  TcxCustomStyles* GetStyles() const { return FStyles; }
  void SetStyles(TcxCustomStyles* AValue);
  // The collections that fall back on this sheet.
  int GetUserCount() const { return static_cast<int>(FStylesList.size()); }

  rtl::TComponent* GetParentComponent() override;
  bool HasParent() override { return true; }
  void SetParentComponent(rtl::TComponent* AValue) override;

 protected:
  void DefineProperties(rtl::TFiler* AFiler) override;
  // A change of the own collection reaches every user.
  virtual void DoStylesChanged(int AIndex);
  // The owners of its styles other than its own, each once, so that a
  // designer streams the forms the sheet's styles live on with it.
  void GetFakeComponentLinks(std::vector<rtl::TComponent*>& AList) override;

 private:
  friend class TcxCustomStyles;

  bool IsCaptionStored() { return !FCaption.empty(); }
  void ReadBuiltIn(rtl::TReader* AReader);
  void WriteBuiltIn(rtl::TWriter* AWriter);

  bool FBuiltIn;
  rtl::String FCaption;
  TcxStyleRepository* FStyleRepository;
  TcxCustomStyles* FStyles;
  std::vector<TcxCustomStyles*> FStylesList;
};

// ---------------------------------------------------------------------------
// The repository

class TcxStyleRepository : public TcxScalableComponent {
  RTL_CLASS(TcxStyleRepository, TcxScalableComponent)
  RTL_PUBLISHED(RTL_PROPERTY(Scalable, GetScalable, SetScalable, RTL_DEFAULT(true)))

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  virtual TcxCustomStyle* CreateItem(TcxCustomStyleClass AStyleClass);
  virtual TcxCustomStyle* CreateItemEx(TcxCustomStyleClass AStyleClass, rtl::TComponent* AOwner);
  virtual TcxCustomStyleSheet* CreateStyleSheet(TcxCustomStyleSheetClass AStyleSheetClass);
  virtual TcxCustomStyleSheet* CreateStyleSheetEx(TcxCustomStyleSheetClass AStyleSheetClass,
                                                  rtl::TComponent* AOwner);
  // Free the styles (the sheets), the last first.
  void Clear();
  void ClearStyleSheets();
  int StyleIndexOf(const TcxCustomStyle* AStyle) const;
  int StyleSheetIndexOf(const TcxCustomStyleSheet* AStyleSheet) const;

  int GetCount() const { return static_cast<int>(FItems.size()); }
  TcxCustomStyle* GetItems(int AIndex) const { return FItems.at(AIndex); }
  int GetStyleSheetCount() const { return static_cast<int>(FStyleSheets.size()); }
  TcxCustomStyleSheet* GetStyleSheets(int AIndex) const { return FStyleSheets.at(AIndex); }

  void __stdcall ChangeScale(int M, int D) override;
  // The styles owned by ARoot, then its sheets.
  void GetChildren(const rtl::TGetChildProc& AProc, rtl::TComponent* ARoot) override;

 private:
  friend class TcxCustomStyle;
  friend class TcxCustomStyleSheet;

  std::vector<TcxCustomStyle*> FItems;
  std::vector<TcxCustomStyleSheet*> FStyleSheets;
};
