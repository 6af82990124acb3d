#include "platform/rtl/TypInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

using enum rtl::TFloatType;
using enum rtl::TTypeKind;

using namespace rtl;

namespace typinfo_test {

RTL_ENUM(TShapeKind, skCircle, skSquare, skTriangle);
using TShapeKinds = TSet<TShapeKind>;
RTL_TYPE_NAME(TShapeKinds)

// An event no RTL_TYPE_NAME names: its type keeps an empty name.
using TSizeEvent = TMethod<void(TObject* Sender, int& ASize)>;

class TBaseItem : public TObject {
  RTL_CLASS(TBaseItem, TObject)
  RTL_PUBLISHED(RTL_PROPERTY(Name, GetName, SetName),
                RTL_PROPERTY(Tag, FTag, FTag, RTL_DEFAULT(0)),
                RTL_PROPERTY(Visible, GetVisible, SetVisible, RTL_DEFAULT(true)),
                RTL_PROPERTY(OnChange, GetOnChange, SetOnChange))

 public:
  String GetName() const { return FName; }
  void SetName(const String& AValue) { FName = AValue; }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool AValue) { FVisible = AValue; }
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent AValue) { FOnChange = AValue; }
  int Tag() const { return FTag; }

 protected:
  // Kept protected here and published by a descendant, as controls publish
  // what their bases keep protected.
  int GetHint() const { return FHint; }
  void SetHint(int AValue) { FHint = AValue; }

 private:
  int FHint;
  String FName;
  int FTag;
  bool FVisible;
  TNotifyEvent FOnChange;
};

// A property may hold a class that is only declared where the property is
// published; its class record is reached when the property is used.
class TLaterItem;

class TLink : public TObject {
  RTL_CLASS(TLink, TObject)
  RTL_PUBLISHED(RTL_PROPERTY(Target, FTarget, FTarget))

 public:
  TLaterItem* FTarget;
};

class TLaterItem : public TBaseItem {
  RTL_CLASS(TLaterItem, TBaseItem)
};

class TOtherObject : public TObject {
  RTL_CLASS(TOtherObject, TObject)
};

class TPropShape : public TBaseItem {
  RTL_CLASS(TPropShape, TBaseItem)
  RTL_PUBLISHED(RTL_PROPERTY(Kind, GetKind, SetKind, RTL_DEFAULT(TShapeKind::skSquare)),
                RTL_PROPERTY(Kinds, FKinds, FKinds,
                             RTL_DEFAULT(TShapeKinds{TShapeKind::skCircle, TShapeKind::skTriangle})),
                RTL_PROPERTY(Width, GetWidth, SetWidth, RTL_DEFAULT(10)),
                RTL_PROPERTY(Left, GetCoord, SetCoord, RTL_INDEX(0)),
                RTL_PROPERTY(Top, GetCoord, SetCoord, RTL_INDEX(1)),
                RTL_PROPERTY(Letter, FLetter, FLetter),
                RTL_PROPERTY(Code, FCode, FCode),
                RTL_PROPERTY(Flags, FFlags, FFlags),
                RTL_PROPERTY(Alpha, FAlpha, FAlpha),
                RTL_PROPERTY(Big, FBig, FBig),
                RTL_PROPERTY(Ratio, FRatio, FRatio),
                RTL_PROPERTY(Scale, FScale, FScale),
                RTL_PROPERTY(Precise, FPrecise, FPrecise),
                RTL_PROPERTY(Price, FPrice, FPrice),
                RTL_PROPERTY(Created, FCreated, FCreated, RTL_DATETIME),
                RTL_PROPERTY(Caption, GetCaption, SetCaption, RTL_STORED(IsCaptionStored)),
                RTL_PROPERTY(Legacy, FLegacy, FLegacy),
                RTL_PROPERTY(Data, FData, FData),
                RTL_PROPERTY(Owner, GetOwnerItem, SetOwnerItem, RTL_NOT_STORED),
                RTL_READONLY_PROPERTY(Area, GetArea),
                RTL_PROPERTY(Visible, GetVisible, SetVisible, RTL_DEFAULT(false)),
                RTL_PROPERTY(OnResize, FOnResize, FOnResize),
                RTL_PROPERTY(Hint, GetHint, SetHint))

 public:
  TShapeKind GetKind() const { return FKind; }
  void SetKind(TShapeKind AValue) { FKind = AValue; }
  int GetWidth() const { return FWidth; }
  void SetWidth(int AValue) { FWidth = AValue; }
  int GetCoord(int AIndex) const { return FCoords[AIndex]; }
  void SetCoord(int AIndex, int AValue) { FCoords[AIndex] = AValue; }
  String GetCaption() const { return FCaption; }
  void SetCaption(const String& AValue) { FCaption = AValue; }
  TBaseItem* GetOwnerItem() const { return FOwnerItem; }
  void SetOwnerItem(TBaseItem* AValue) { FOwnerItem = AValue; }
  int GetArea() const { return FWidth * FWidth; }
  int GetHintValue() const { return GetHint(); }

  TShapeKind FKind;
  TShapeKinds FKinds;
  int FWidth;
  int FCoords[2];
  wchar_t FLetter;
  char FCode;
  unsigned FFlags;
  unsigned char FAlpha;
  long long FBig;
  double FRatio;
  float FScale;
  Extended FPrecise;
  Currency FPrice;
  TDateTime FCreated;
  String FCaption;
  AnsiString FLegacy;
  Variant FData;
  TBaseItem* FOwnerItem;
  TSizeEvent FOnResize;

 private:
  bool IsCaptionStored() { return !FCaption.empty(); }
};

// A form-like root whose published methods handlers bind to by name.
class TRootBase : public TObject {
  RTL_CLASS(TRootBase, TObject)
  RTL_PUBLISHED_METHODS(RTL_METHOD(BaseClick))

 public:
  void BaseClick(TObject*) { ++FBaseClicks; }
  int FBaseClicks;
};

class TRoot : public TRootBase {
  RTL_CLASS(TRoot, TRootBase)
  RTL_PUBLISHED_METHODS(RTL_METHOD(ShapeChange), RTL_METHOD(ShapeResize))

 public:
  void ShapeChange(TObject* ASender) { FLastSender = ASender; }
  void ShapeResize(TObject*, int& ASize) { ASize *= 2; }
  TObject* FLastSender;
};

// A base that declares what its descendants may publish, as the controls'
// bases do, and two concrete classes that each choose their own set.
class TDeclaringBase : public TObject {
  RTL_CLASS(TDeclaringBase, TObject)
  RTL_PUBLISHED(RTL_PROPERTY(Left, FLeft, FLeft))
  RTL_DECLARED(RTL_PROPERTY(Caption, GetCaption, SetCaption, RTL_STORED(IsCaptionStored)),
               RTL_PROPERTY(Size, GetSize, SetSize, RTL_DEFAULT(3)),
               RTL_PROPERTY(OnChange, FOnChange, FOnChange))

 public:
  String GetCaption() const { return FCaption; }
  void SetCaption(const String& AValue) { FCaption = AValue; }
  int GetSize() const { return FSize; }
  void SetSize(int AValue) { FSize = AValue; }
  bool IsCaptionStored() const { return !FCaption.empty(); }
  // Declared for a descendant that does not want the base's stored rule.
  bool AlwaysStored() const { return true; }

  int FLeft = 0;
  String FCaption;
  int FSize = 3;
  TNotifyEvent FOnChange;
};

// Declares more without publishing anything itself.
class TDeclaringMiddle : public TDeclaringBase {
  RTL_CLASS(TDeclaringMiddle, TDeclaringBase)
  RTL_DECLARED(RTL_PROPERTY(Lines, FLines, FLines))

 public:
  String FLines;
};

class TCaptionedLeaf : public TDeclaringMiddle {
  RTL_CLASS(TCaptionedLeaf, TDeclaringMiddle)
  RTL_PUBLISHED(RTL_PUBLISH(Size, RTL_DEFAULT(4)), RTL_PUBLISH(Caption), RTL_PUBLISH(OnChange))
};

class TLinesLeaf : public TDeclaringMiddle {
  RTL_CLASS(TLinesLeaf, TDeclaringMiddle)
  RTL_PUBLISHED(RTL_PUBLISH(Lines), RTL_PUBLISH(Left), RTL_PUBLISH(Caption, RTL_STORED(AlwaysStored)))
};

}  // namespace typinfo_test

using namespace typinfo_test;

namespace {

std::vector<String> Names(const std::vector<const TPropInfo*>& AList)
{
  std::vector<String> names;
  for (const TPropInfo* prop : AList)
    names.emplace_back(prop->Name);
  return names;
}

template <class E, class F>
String MessageOf(F AAction)
{
  try {
    AAction();
  } catch (const E& e) {
    return e.Message();
  }
  return L"(nothing raised)";
}

// ---------------------------------------------------------------------------
// Type information

TEST(TypInfoTypes, KindsAndNamesOfTheTypesPropertiesUse)
{
  struct Case {
    const TTypeInfo* Type;
    TTypeKind Kind;
    const wchar_t* Name;
  };
  const Case cases[] = {
      {TypeInfoOf<int>(), tkInteger, L"Integer"},
      {TypeInfoOf<unsigned>(), tkInteger, L"Cardinal"},
      {TypeInfoOf<unsigned char>(), tkInteger, L"Byte"},
      {TypeInfoOf<char>(), tkChar, L"AnsiChar"},
      {TypeInfoOf<wchar_t>(), tkWChar, L"Char"},
      {TypeInfoOf<bool>(), tkEnumeration, L"Boolean"},
      {TypeInfoOf<TShapeKind>(), tkEnumeration, L"TShapeKind"},
      {TypeInfoOf<TShapeKinds>(), tkSet, L"TShapeKinds"},
      {TypeInfoOf<long long>(), tkInt64, L"Int64"},
      {TypeInfoOf<float>(), tkFloat, L"Single"},
      {TypeInfoOf<double>(), tkFloat, L"Double"},
      {TypeInfoOf<Extended>(), tkFloat, L"Extended"},
      {TypeInfoOf<Currency>(), tkFloat, L"Currency"},
      {&TypeInfoDateTime, tkFloat, L"TDateTime"},
      {TypeInfoOf<String>(), tkUString, L"string"},
      {TypeInfoOf<AnsiString>(), tkLString, L"AnsiString"},
      {TypeInfoOf<Variant>(), tkVariant, L"Variant"},
      {TypeInfoOf<TBaseItem*>(), tkClass, L"TBaseItem"},
      {TypeInfoOf<TNotifyEvent>(), tkMethod, L"TNotifyEvent"},
      {TypeInfoOf<TSizeEvent>(), tkMethod, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << testing::PrintToString(String(c.Name)));
    EXPECT_EQ(c.Type->Kind, c.Kind);
    EXPECT_EQ(c.Type->TypeName(), c.Name);
  }
}

TEST(TypInfoTypes, DetailsOfEachKind)
{
  EXPECT_EQ(GetEnumName(TypeInfoOf<bool>(), 0), L"False");
  EXPECT_EQ(GetEnumName(TypeInfoOf<bool>(), 1), L"True");
  EXPECT_EQ(GetEnumValue(TypeInfoOf<bool>(), L"true"), 1);
  EXPECT_EQ(GetEnumName(TypeInfoOf<TShapeKind>(), 2), L"skTriangle");
  EXPECT_EQ(GetEnumValue(TypeInfoOf<TShapeKind>(), L"SKSQUARE"), 1);
  EXPECT_EQ(GetEnumValue(TypeInfoOf<int>(), L"skSquare"), -1);
  EXPECT_EQ(TypeInfoOf<TShapeKinds>()->CompType, TypeInfoOf<TShapeKind>());
  EXPECT_EQ(TypeInfoOf<TShapeKind>()->MaxValue, 2);
  EXPECT_EQ(TypeInfoOf<unsigned>()->MaxValue, 4294967295LL);
  EXPECT_EQ(TypeInfoOf<Currency>()->FloatType, ftCurr);
  EXPECT_EQ(TypeInfoDateTime.FloatType, ftDouble);
  EXPECT_EQ(TypeInfoOf<TBaseItem*>()->ClassType(), TBaseItem::StaticClass());
  // One record per type, so records compare by address.
  EXPECT_EQ(TypeInfoOf<const int>(), TypeInfoOf<int>());
  EXPECT_NE(TypeInfoOf<TSizeEvent>(), TypeInfoOf<TNotifyEvent>());
}

// ---------------------------------------------------------------------------
// Lookup and order

TEST(TypInfoLookup, BaseClassPropertiesComeFirstInDeclarationOrder)
{
  EXPECT_EQ(Names(GetPropList(TBaseItem::StaticClass())),
            (std::vector<String>{L"Name", L"Tag", L"Visible", L"OnChange"}));
  // Visible, published again by TPropShape, keeps its ancestor's place.
  const std::vector<String> expected = {L"Name",    L"Tag",     L"Visible", L"OnChange", L"Kind",    L"Kinds",
                                        L"Width",   L"Left",    L"Top",     L"Letter",   L"Code",    L"Flags",
                                        L"Alpha",   L"Big",     L"Ratio",   L"Scale",    L"Precise", L"Price",
                                        L"Created", L"Caption", L"Legacy",  L"Data",     L"Owner",   L"Area",
                                        L"OnResize", L"Hint"};
  EXPECT_EQ(Names(GetPropList(TPropShape::StaticClass())), expected);
  // TObject and classes that publish nothing have no properties.
  EXPECT_TRUE(GetPropList(TOtherObject::StaticClass()).empty());
  EXPECT_TRUE(GetPropList(TObject::StaticClass()).empty());
}

TEST(TypInfoLookup, RedeclaredPropertyUsesTheDescendantsDeclaration)
{
  const TPropInfo* inShape = GetPropInfo(TPropShape::StaticClass(), L"Visible");
  const TPropInfo* inBase = GetPropInfo(TBaseItem::StaticClass(), L"Visible");
  ASSERT_NE(inShape, inBase);
  EXPECT_EQ(inShape->Default, 0);
  EXPECT_EQ(inBase->Default, 1);
  EXPECT_EQ(GetPropList(TPropShape::StaticClass())[2], inShape);
}

TEST(TypInfoLookup, DeclaredPropertiesArePublishedOnlyWhereAClassNamesThem)
{
  struct Case {
    TClass Class;
    std::vector<String> Published;
  };
  const Case cases[] = {
      {TDeclaringBase::StaticClass(), {L"Left"}},
      {TDeclaringMiddle::StaticClass(), {L"Left"}},
      {TCaptionedLeaf::StaticClass(), {L"Left", L"Size", L"Caption", L"OnChange"}},
      // Left, published again, keeps its ancestor's place.
      {TLinesLeaf::StaticClass(), {L"Left", L"Lines", L"Caption"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.Class->ClassName()));
    EXPECT_EQ(Names(GetPropList(c.Class)), c.Published);
    for (const wchar_t* name : {L"Left", L"Lines", L"Size", L"Caption", L"OnChange"})
      EXPECT_EQ(IsPublishedProp(c.Class, name),
                std::find(c.Published.begin(), c.Published.end(), name) != c.Published.end())
          << testing::PrintToString(String(name));
  }
}

TEST(TypInfoLookup, APublishedReferenceKeepsTheDeclarationsAccessorsAndTakesItsOwnModifiers)
{
  TOwnedPtr<TCaptionedLeaf> captioned(New<TCaptionedLeaf>());
  TOwnedPtr<TLinesLeaf> lines(New<TLinesLeaf>());
  SetStrProp(captioned.get(), L"Caption", L"Box");
  SetOrdProp(captioned.get(), L"Size", 7);
  EXPECT_EQ(captioned->GetCaption(), L"Box");
  EXPECT_EQ(GetOrdProp(captioned.get(), L"Size"), 7);
  SetStrProp(lines.get(), L"Lines", L"one");
  EXPECT_EQ(lines->FLines, L"one");

  // The default changed for one class; the stored rule is the base's unless
  // the class gives its own.
  EXPECT_EQ(GetPropInfo(captioned.get(), L"Size")->Default, 4);
  const TPropInfo* baseRule = GetPropInfo(captioned.get(), L"Caption");
  const TPropInfo* ownRule = GetPropInfo(lines.get(), L"Caption");
  captioned->SetCaption(L"");
  EXPECT_FALSE(IsStoredProp(captioned.get(), baseRule));
  EXPECT_TRUE(IsStoredProp(lines.get(), ownRule));
  EXPECT_EQ(PropType(captioned.get(), L"OnChange"), tkMethod);
}

TEST(TypInfoLookup, KindFilterLeavesOutEvents)
{
  EXPECT_EQ(Names(GetPropList(TBaseItem::StaticClass(), tkProperties)), (std::vector<String>{L"Name", L"Tag", L"Visible"}));
  EXPECT_EQ(Names(GetPropList(TPropShape::StaticClass(), tkMethods)), (std::vector<String>{L"OnChange", L"OnResize"}));
}

TEST(TypInfoLookup, NamesIgnoreCase)
{
  TOwnedPtr<TPropShape> shape(New<TPropShape>());
  const TPropInfo* width = GetPropInfo(TPropShape::StaticClass(), L"Width");
  ASSERT_NE(width, nullptr);
  EXPECT_EQ(GetPropInfo(shape.get(), L"wIDTH"), width);
  EXPECT_EQ(GetPropInfo(shape.get(), L"name"), GetPropInfo(TBaseItem::StaticClass(), L"Name"));
  EXPECT_EQ(GetPropInfo(shape.get(), L"Widths"), nullptr);
  EXPECT_EQ(GetPropInfo(static_cast<TObject*>(nullptr), L"Width"), nullptr);
  EXPECT_TRUE(IsPublishedProp(shape.get(), L"caption"));
  EXPECT_FALSE(IsPublishedProp(TBaseItem::StaticClass(), L"Caption"));
  EXPECT_EQ(PropType(shape.get(), L"kinds"), tkSet);
  EXPECT_EQ(PropType(TPropShape::StaticClass(), L"Owner"), tkClass);
  EXPECT_EQ(MessageOf<EPropertyError>([&] { PropType(shape.get(), L"Nope"); }), L"Property Nope does not exist");
}

TEST(TypInfoLookup, DefaultsAndStoredRules)
{
  TOwnedPtr<TPropShape> shape(New<TPropShape>());
  struct Case {
    const wchar_t* Name;
    int Default;
    bool StoredWhenEmpty;
  };
  const Case cases[] = {
      {L"Kind", TShapeKind::skSquare, true},         {L"Kinds", 0b101, true}, {L"Width", 10, true},   {L"Tag", 0, true},
      {L"Caption", NoDefault, false},    {L"Owner", NoDefault, false}, {L"Left", NoDefault, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << testing::PrintToString(String(c.Name)));
    const TPropInfo* prop = GetPropInfo(shape.get(), c.Name);
    ASSERT_NE(prop, nullptr);
    EXPECT_EQ(prop->Default, c.Default);
    EXPECT_EQ(IsStoredProp(shape.get(), prop), c.StoredWhenEmpty);
  }
  // The stored function sees the object's present state.
  shape->SetCaption(L"Box");
  EXPECT_TRUE(IsStoredProp(shape.get(), GetPropInfo(shape.get(), L"Caption")));
  EXPECT_EQ(GetPropInfo(shape.get(), L"Top")->Index, 1);
  EXPECT_EQ(GetPropInfo(shape.get(), L"Width")->Index, NoIndex);
}

// ---------------------------------------------------------------------------
// Accessors

TEST(TypInfoAccess, OrdinalsReachTheGettersAndSetters)
{
  TOwnedPtr<TPropShape> shape(New<TPropShape>());
  TPropShape* s = shape.get();
  struct Case {
    const wchar_t* Name;
    std::int64_t Value;
    std::function<std::int64_t()> Field;
  };
  const Case cases[] = {
      {L"Width", -7, [&] { return s->FWidth; }},
      {L"Left", 3, [&] { return s->FCoords[0]; }},
      {L"Top", 4, [&] { return s->FCoords[1]; }},
      {L"Tag", 99, [&] { return s->Tag(); }},
      {L"Kind", TShapeKind::skTriangle, [&] { return s->FKind; }},
      {L"Kinds", 0b011, [&] { return s->FKinds.ToOrd(); }},
      {L"Visible", 1, [&] { return s->GetVisible(); }},
      {L"Letter", L'\x263A', [&] { return s->FLetter; }},
      {L"Code", 'z', [&] { return s->FCode; }},
      {L"Flags", 4294967295LL, [&] { return s->FFlags; }},
      {L"Alpha", 255, [&] { return s->FAlpha; }},
      {L"Hint", 17, [&] { return s->GetHintValue(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << testing::PrintToString(String(c.Name)));
    SetOrdProp(s, c.Name, c.Value);
    EXPECT_EQ(c.Field(), c.Value);
    EXPECT_EQ(GetOrdProp(s, c.Name), c.Value);
    EXPECT_EQ(GetInt64Prop(s, c.Name), c.Value);
  }
  // The two indexed properties share accessors yet keep their own values.
  EXPECT_EQ(GetOrdProp(s, L"Left"), 3);
}

TEST(TypInfoAccess, OrdinalsOutsideTheirTypeAreRefused)
{
  TOwnedPtr<TPropShape> shape(New<TPropShape>());
  struct Case {
    const wchar_t* Name;
    std::int64_t Value;
  };
  const Case cases[] = {
      {L"Alpha", 256}, {L"Alpha", -1}, {L"Kind", 3},  {L"Visible", 2},
      {L"Width", 2147483648LL}, {L"Flags", -1}, {L"Kinds", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << testing::PrintToString(String(c.Name)) << " = " << c.Value);
    const std::int64_t before = GetOrdProp(shape.get(), c.Name);
    EXPECT_EQ(MessageOf<EPropertyConvertError>([&] { SetOrdProp(shape.get(), c.Name, c.Value); }),
              L"Invalid property value");
    EXPECT_EQ(GetOrdProp(shape.get(), c.Name), before);
  }
}

TEST(TypInfoAccess, EnumerationsAndSetsByName)
{
  TOwnedPtr<TPropShape> shape(New<TPropShape>());
  TPropShape* s = shape.get();
  SetEnumProp(s, L"Kind", L"SKTRIANGLE");
  EXPECT_EQ(s->FKind, TShapeKind::skTriangle);
  EXPECT_EQ(GetEnumProp(s, L"Kind"), L"skTriangle");
  SetEnumProp(s, L"Visible", L"true");
  EXPECT_TRUE(s->GetVisible());
  EXPECT_EQ(GetEnumProp(s, L"Visible"), L"True");
  EXPECT_EQ(MessageOf<EPropertyConvertError>([&] { SetEnumProp(s, L"Kind", L"skHexagon"); }),
            L"Invalid property element: skHexagon");
  EXPECT_EQ(s->FKind, TShapeKind::skTriangle);

  SetSetProp(s, L"Kinds", L"[ skTriangle , skCircle ]");
  EXPECT_EQ(s->FKinds, (TShapeKinds{TShapeKind::skCircle, TShapeKind::skTriangle}));
  EXPECT_EQ(GetSetProp(s, L"Kinds", true), L"[skCircle,skTriangle]");
  EXPECT_EQ(GetSetProp(s, L"Kinds"), L"skCircle,skTriangle");
  SetSetProp(s, L"Kinds", L"[]");
  EXPECT_TRUE(s->FKinds.Empty());
  EXPECT_EQ(GetSetProp(s, L"Kinds", true), L"[]");
  EXPECT_EQ(MessageOf<EPropertyConvertError>([&] { SetSetProp(s, L"Kinds", L"[skCircle,skOval]"); }),
            L"Invalid property element: skOval");
}

TEST(TypInfoAccess, FloatsTextsAndVariants)
{
  TOwnedPtr<TPropShape> shape(New<TPropShape>());
  TPropShape* s = shape.get();
  SetFloatProp(s, L"Ratio", 0.1);
  EXPECT_EQ(s->FRatio, 0.1);
  SetFloatProp(s, L"Scale", 1.5);
  EXPECT_EQ(s->FScale, 1.5f);
  SetFloatProp(s, L"Precise", 1.0L / 3);
  EXPECT_EQ(GetFloatProp(s, L"Precise"), 1.0L / 3);
  SetFloatProp(s, L"Price", 12.3456L);
  EXPECT_EQ(s->FPrice.Raw(), 123456);
  s->FPrice = Currency::FromRaw(922337203685477LL);
  EXPECT_EQ(GetFloatProp(s, L"Price"), 92233720368.5477L);
  SetFloatProp(s, L"Created", 45000.25L);
  EXPECT_EQ(s->FCreated, 45000.25);

  SetStrProp(s, L"Caption", L"Box \x263A");
  EXPECT_EQ(s->FCaption, L"Box \x263A");
  EXPECT_EQ(GetStrProp(s, L"caption"), L"Box \x263A");
  SetStrProp(s, L"Name", L"Shape1");
  EXPECT_EQ(s->GetName(), L"Shape1");
  SetStrProp(s, L"Legacy", L"ansi");
  EXPECT_EQ(s->FLegacy.Bytes(), "ansi");
  EXPECT_EQ(GetStrProp(s, L"Legacy"), L"ansi");

  SetInt64Prop(s, L"Big", -9000000000000000000LL);
  EXPECT_EQ(s->FBig, -9000000000000000000LL);
  EXPECT_EQ(GetInt64Prop(s, L"Big"), -9000000000000000000LL);

  SetVariantProp(s, L"Data", Variant(L"text"));
  EXPECT_EQ(s->FData, Variant(L"text"));
  EXPECT_EQ(GetVariantProp(s, L"Data"), Variant(L"text"));
}

TEST(TypInfoAccess, ObjectPropertiesCheckTheClass)
{
  TOwnedPtr<TPropShape> shape(New<TPropShape>());
  TOwnedPtr<TBaseItem> item(New<TBaseItem>());
  TOwnedPtr<TPropShape> other(New<TPropShape>());
  TOwnedPtr<TOtherObject> stranger(New<TOtherObject>());
  TPropShape* s = shape.get();

  EXPECT_EQ(GetObjectPropClass(GetPropInfo(s, L"Owner")), TBaseItem::StaticClass());
  SetObjectProp(s, L"Owner", item.get());
  EXPECT_EQ(s->FOwnerItem, item.get());
  SetObjectProp(s, L"Owner", other.get());  // a descendant fits
  EXPECT_EQ(GetObjectProp(s, L"Owner"), other.get());
  EXPECT_EQ(GetObjectProp(s, L"Owner", TPropShape::StaticClass()), other.get());
  SetObjectProp(s, L"Owner", item.get());
  EXPECT_EQ(GetObjectProp(s, L"Owner", TPropShape::StaticClass()), nullptr);

  EXPECT_THROW(SetObjectProp(s, L"Owner", stranger.get()), EInvalidCast);
  EXPECT_EQ(s->FOwnerItem, item.get());
  SetObjectProp(s, L"Owner", nullptr);
  EXPECT_EQ(s->FOwnerItem, nullptr);
}

TEST(TypInfoAccess, ClassDeclaredAfterThePropertyIsChecked)
{
  TOwnedPtr<TLink> link(New<TLink>());
  TOwnedPtr<TLaterItem> later(New<TLaterItem>());
  TOwnedPtr<TBaseItem> base(New<TBaseItem>());
  const TPropInfo* target = GetPropInfo(link.get(), L"Target");
  EXPECT_EQ(GetObjectPropClass(target), TLaterItem::StaticClass());
  EXPECT_EQ(target->PropType->TypeName(), L"TLaterItem");
  SetObjectProp(link.get(), target, later.get());
  EXPECT_EQ(link->FTarget, later.get());
  EXPECT_THROW(SetObjectProp(link.get(), target, base.get()), EInvalidCast);
  EXPECT_EQ(GetObjectProp(link.get(), target), later.get());
}

TEST(TypInfoAccess, WrongKindsReadOnlyAndUnknownNamesRaise)
{
  TOwnedPtr<TPropShape> shape(New<TPropShape>());
  TPropShape* s = shape.get();
  const std::function<void()> wrongKind[] = {
      [&] { GetOrdProp(s, L"Caption"); },        [&] { SetOrdProp(s, L"Ratio", 1); },
      [&] { GetStrProp(s, L"Width"); },          [&] { SetStrProp(s, L"Kind", L"skCircle"); },
      [&] { GetEnumProp(s, L"Width"); },         [&] { SetSetProp(s, L"Kind", L"[]"); },
      [&] { GetFloatProp(s, L"Width"); },        [&] { GetObjectProp(s, L"Name"); },
      [&] { GetMethodProp(s, L"Owner"); },       [&] { SetVariantProp(s, L"Caption", Variant(1)); },
      [&] { GetInt64Prop(s, L"Caption"); },      [&] { GetPropValue(s, L"Owner"); },
      [&] { SetPropValue(s, L"OnChange", Variant(1)); },
  };
  for (std::size_t i = 0; i < std::size(wrongKind); ++i) {
    SCOPED_TRACE(testing::Message() << "case " << i);
    EXPECT_THROW(wrongKind[i](), EPropertyConvertError);
  }
  EXPECT_EQ(MessageOf<EPropertyConvertError>([&] { GetOrdProp(s, L"Caption"); }), L"Invalid property type: string");
  EXPECT_EQ(MessageOf<EPropertyConvertError>([&] { GetPropValue(s, L"Owner"); }),
            L"Invalid property type: TBaseItem");

  EXPECT_EQ(GetOrdProp(s, L"Area"), 0);
  EXPECT_EQ(MessageOf<EPropertyError>([&] { SetOrdProp(s, L"Area", 4); }), L"Property is read-only");

  const std::function<void()> unknown[] = {
      [&] { GetOrdProp(s, L"Nope"); },   [&] { SetStrProp(s, L"Nope", L""); }, [&] { GetPropValue(s, L"Nope"); },
      [&] { SetPropValue(s, L"Nope", Variant(1)); }, [&] { GetMethodProp(s, L"Nope"); },
  };
  for (const auto& action : unknown)
    EXPECT_EQ(MessageOf<EPropertyError>(action), L"Property Nope does not exist");
}

// ---------------------------------------------------------------------------
// Through variants

TEST(TypInfoVariant, GetPropValueGivesTheFrameworksVariantTypes)
{
  TOwnedPtr<TPropShape> shape(New<TPropShape>());
  TPropShape* s = shape.get();
  s->FWidth = 12;
  s->FFlags = 4000000000u;
  s->FLetter = L'A';
  s->SetVisible(true);
  s->FKind = TShapeKind::skSquare;
  s->FKinds = {TShapeKind::skCircle, TShapeKind::skSquare};
  s->FRatio = 2.5;
  s->FPrice = Currency::FromRaw(15000);
  s->FCreated = 45000.5;
  s->FCaption = L"Box";
  s->FBig = 1LL << 40;
  s->FData = Variant::Null();
  struct Case {
    const wchar_t* Name;
    bool PreferStrings;
    TVarType Type;
    Variant Value;
  };
  const Case cases[] = {
      {L"Width", true, varInteger, Variant(12)},
      {L"Flags", true, varLongWord, Variant::FromLongWord(4000000000u)},
      {L"Letter", true, varInteger, Variant(65)},
      {L"Visible", true, varBoolean, Variant(true)},
      {L"Visible", false, varBoolean, Variant(true)},
      {L"Kind", true, varUString, Variant(L"skSquare")},
      {L"Kind", false, varInteger, Variant(1)},
      {L"Kinds", true, varUString, Variant(L"skCircle,skSquare")},
      {L"Kinds", false, varInteger, Variant(3)},
      {L"Ratio", true, varDouble, Variant(2.5)},
      {L"Price", true, varCurrency, Variant(Currency::FromRaw(15000))},
      {L"Created", true, varDate, Variant::FromDate(45000.5)},
      {L"Caption", true, varUString, Variant(L"Box")},
      {L"Legacy", true, varUString, Variant(L"")},
      {L"Big", true, varInt64, Variant(std::int64_t(1) << 40)},
      {L"Data", true, varNull, Variant::Null()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << testing::PrintToString(String(c.Name)) << " " << c.PreferStrings);
    const Variant value = GetPropValue(s, c.Name, c.PreferStrings);
    EXPECT_EQ(value.VarType(), c.Type);
    EXPECT_EQ(value, c.Value);
  }
}

TEST(TypInfoVariant, SetPropValueConvertsTheVariant)
{
  TOwnedPtr<TPropShape> shape(New<TPropShape>());
  TPropShape* s = shape.get();
  struct Case {
    const wchar_t* Name;
    Variant Value;
    Variant Expected;  // GetPropValue afterwards, preferring strings
  };
  const Case cases[] = {
      {L"Width", Variant(L"42"), Variant(42)},
      {L"Width", Variant(7.5), Variant(8)},
      {L"Letter", Variant(L"Q"), Variant(int(L'Q'))},
      {L"Letter", Variant(66), Variant(66)},
      {L"Kind", Variant(L"sktriangle"), Variant(L"skTriangle")},
      {L"Kind", Variant(0), Variant(L"skCircle")},
      {L"Visible", Variant(L"True"), Variant(true)},
      {L"Visible", Variant(false), Variant(false)},
      {L"Visible", Variant(-1), Variant(true)},
      {L"Kinds", Variant(L"[skSquare,skTriangle]"), Variant(L"skSquare,skTriangle")},
      {L"Kinds", Variant(1), Variant(L"skCircle")},
      {L"Ratio", Variant(L"0.25"), Variant(0.25)},
      {L"Price", Variant(Currency::FromRaw(922337203685477LL)), Variant(Currency::FromRaw(922337203685477LL))},
      {L"Created", Variant::FromDate(45000.75), Variant::FromDate(45000.75)},
      {L"Caption", Variant(12), Variant(L"12")},
      {L"Caption", Variant::Null(), Variant(L"")},
      {L"Big", Variant(L"-5"), Variant(std::int64_t(-5))},
      {L"Data", Variant(3.5), Variant(3.5)},
  };
  const Char separator = FormatSettings().DecimalSeparator;
  FormatSettings().DecimalSeparator = L'.';
  Finally restore([separator] { FormatSettings().DecimalSeparator = separator; });
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << testing::PrintToString(String(c.Name)) << " from "
                                    << testing::PrintToString(VarToStr(c.Value)));
    SetPropValue(s, c.Name, c.Value);
    EXPECT_EQ(GetPropValue(s, c.Name), c.Expected);
  }
  EXPECT_THROW(SetPropValue(s, L"Width", Variant(L"wide")), EVariantError);
  EXPECT_THROW(SetPropValue(s, L"Kind", Variant(L"skOval")), EPropertyConvertError);
}

// ---------------------------------------------------------------------------
// Events and published methods

TEST(TypInfoMethods, BindingByNameEqualsBindingInCode)
{
  TOwnedPtr<TPropShape> shape(New<TPropShape>());
  TOwnedPtr<TRoot> root(New<TRoot>());
  const TPropInfo* onChange = GetPropInfo(shape.get(), L"OnChange");

  BindMethodProp(shape.get(), onChange, root.get(), L"shapechange");
  EXPECT_EQ(shape->GetOnChange(), TNotifyEvent::Bind<&TRoot::ShapeChange>(root.get()));
  shape->GetOnChange()(shape.get());
  EXPECT_EQ(root->FLastSender, shape.get());

  const TMethodRaw raw = GetMethodProp(shape.get(), onChange);
  EXPECT_EQ(raw.Data, root.get());
  EXPECT_EQ(MethodName(root->ClassType(), raw.Code), L"ShapeChange");
  EXPECT_EQ(MethodAddress(TRoot::StaticClass(), L"ShapeChange"), raw.Code);

  // A method the root inherits is found through the class chain.
  BindMethodProp(shape.get(), onChange, root.get(), L"BaseClick");
  shape->GetOnChange()(shape.get());
  EXPECT_EQ(root->FBaseClicks, 1);
  EXPECT_EQ(MethodName(TRoot::StaticClass(), GetMethodProp(shape.get(), L"OnChange").Code), L"BaseClick");

  // An event of another signature binds its own methods.
  BindMethodProp(shape.get(), GetPropInfo(shape.get(), L"OnResize"), root.get(), L"ShapeResize");
  int size = 5;
  shape->FOnResize(shape.get(), size);
  EXPECT_EQ(size, 10);
}

TEST(TypInfoMethods, RefusesUnknownMethodsAndOtherSignatures)
{
  TOwnedPtr<TPropShape> shape(New<TPropShape>());
  TOwnedPtr<TRoot> root(New<TRoot>());
  const TPropInfo* onChange = GetPropInfo(shape.get(), L"OnChange");
  EXPECT_EQ(MessageOf<EPropertyError>([&] { BindMethodProp(shape.get(), onChange, root.get(), L"Missing"); }),
            L"Method Missing not found");
  EXPECT_EQ(MessageOf<EPropertyConvertError>(
                [&] { BindMethodProp(shape.get(), onChange, root.get(), L"ShapeResize"); }),
            L"Invalid property value");
  EXPECT_FALSE(shape->GetOnChange());
  EXPECT_THROW(BindMethodProp(shape.get(), GetPropInfo(shape.get(), L"Caption"), root.get(), L"ShapeChange"),
               EPropertyConvertError);
  // The root's base class does not see its descendant's methods.
  EXPECT_EQ(MethodAddress(TRootBase::StaticClass(), L"ShapeChange"), nullptr);
  EXPECT_EQ(MethodName(TRoot::StaticClass(), nullptr), L"");
  EXPECT_EQ(MethodName(TRootBase::StaticClass(), MethodAddress(TRoot::StaticClass(), L"ShapeChange")), L"");
}

TEST(TypInfoMethods, MethodPropertiesCarryRawRecords)
{
  TOwnedPtr<TPropShape> shape(New<TPropShape>());
  TOwnedPtr<TRoot> root(New<TRoot>());
  const TNotifyEvent handler = TNotifyEvent::Bind<&TRoot::BaseClick>(root.get());
  SetMethodProp(shape.get(), L"OnChange", handler.Raw());
  EXPECT_EQ(shape->GetOnChange(), handler);
  EXPECT_EQ(GetMethodProp(shape.get(), L"onchange"), handler.Raw());
  SetMethodProp(shape.get(), L"OnChange", TMethodRaw{});
  EXPECT_FALSE(shape->GetOnChange());
}

}  // namespace
