#include "platform/rtl/Classes.h"

#include <gtest/gtest.h>

#include <memory>

using namespace rtl;

namespace {

class TPoint3 : public TPersistent {
  RTL_CLASS(TPoint3, TPersistent)

 public:
  int X = 0;
  void Assign(TPersistent* ASource) override
  {
    if (Is<TPoint3>(ASource)) {
      X = static_cast<TPoint3*>(ASource)->X;
      return;
    }
    inherited::Assign(ASource);
  }
};

// Knows how to put itself into a TPoint3, which does not know it.
class TScalar : public TPersistent {
  RTL_CLASS(TScalar, TPersistent)

 public:
  int Value = 0;

 protected:
  void AssignTo(TPersistent* ADest) override
  {
    if (Is<TPoint3>(ADest)) {
      static_cast<TPoint3*>(ADest)->X = Value;
      return;
    }
    inherited::AssignTo(ADest);
  }
};

template <class F>
String ConvertErrorText(F AAction)
{
  try {
    AAction();
  } catch (const EConvertError& E) {
    return E.Message();
  }
  return L"(no EConvertError)";
}

}  // namespace

TEST(TPersistent, AssignAsksTheSourceAndNamesBothClassesWhenNeitherKnowsTheOther)
{
  TOwnedPtr<TPoint3> point(New<TPoint3>());
  TOwnedPtr<TPoint3> other(New<TPoint3>());
  TOwnedPtr<TScalar> scalar(New<TScalar>());
  other->X = 4;
  point->Assign(other.get());
  EXPECT_EQ(point->X, 4);
  scalar->Value = 7;
  point->Assign(scalar.get());
  EXPECT_EQ(point->X, 7);

  EXPECT_EQ(ConvertErrorText([&] { scalar->Assign(point.get()); }), L"Cannot assign a TPoint3 to a TScalar");
  EXPECT_EQ(ConvertErrorText([&] { point->Assign(nullptr); }), L"Cannot assign a nil to a TPoint3");
  EXPECT_EQ(ConvertErrorText([&] { scalar->Assign(scalar.get()); }), L"Cannot assign a TScalar to a TScalar");
}

TEST(TPersistent, NamePathIsTheClassNameAndThereIsNoOwner)
{
  TOwnedPtr<TScalar> scalar(New<TScalar>());
  EXPECT_EQ(scalar->GetNamePath(), L"TScalar");
  EXPECT_EQ(scalar->GetOwner(), nullptr);
  TPersistentClass cls = TPersistentClass::Of<TScalar>();
  TOwnedPtr<TPersistent> made(cls.Create());
  EXPECT_TRUE(made->ClassNameIs(L"TScalar"));
}

namespace {

struct IProbe : IInterface {
  RTL_GUID(IProbe, "{5B1D2C1E-7A55-4C5E-9B0B-2F1B8E3C4D01}")
  virtual int __stdcall Answer() = 0;
};

// An owner whose IInterface counts references, like a counted container.
class TCountingOwner : public TPersistent, public IInterface {
  RTL_CLASS(TCountingOwner, TPersistent)
  RTL_INTERFACE_TABLE(IInterface)

 public:
  LONG Count = 0;
  HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override
  {
    return GetInterface(AIID, AObj) ? S_OK : E_NOINTERFACE;
  }
  ULONG __stdcall AddRef() override { return ++Count; }
  ULONG __stdcall Release() override { return --Count; }
};

class TSettings : public TInterfacedPersistent, public IProbe {
  RTL_CLASS(TSettings, TInterfacedPersistent)
  RTL_INTERFACES(IProbe)

 public:
  void Create(TPersistent* AOwner) { FOwner = AOwner; }
  TPersistent* GetOwner() override { return FOwner; }
  int __stdcall Answer() override { return 42; }

 private:
  TPersistent* FOwner;
};

}  // namespace

TEST(TInterfacedPersistent, ReferencesCountOnTheOwnersInterface)
{
  TOwnedPtr<TCountingOwner> owner(New<TCountingOwner>());
  TOwnedPtr<TSettings> settings(New<TSettings>(owner.get()));
  {
    IPtr<IProbe> probe;
    ASSERT_TRUE(Supports<IProbe>(settings.get(), &probe));
    EXPECT_EQ(probe->Answer(), 42);
    EXPECT_EQ(owner->Count, 1);
    IPtr<IProbe> second = probe;
    EXPECT_EQ(owner->Count, 2);
  }
  EXPECT_EQ(owner->Count, 0);
}

TEST(TInterfacedPersistent, WithoutAnOwnerReferencesAreNotCounted)
{
  TOwnedPtr<TSettings> settings(New<TSettings>(nullptr));
  EXPECT_EQ(settings->AddRef(), static_cast<ULONG>(-1));
  EXPECT_EQ(settings->Release(), static_cast<ULONG>(-1));
  {
    IPtr<IProbe> probe;
    ASSERT_TRUE(Supports<IProbe>(settings.get(), &probe));
  }
  // Releasing the last reference freed nothing: the test still owns the object.
  EXPECT_EQ(settings->Answer(), 42);
}
