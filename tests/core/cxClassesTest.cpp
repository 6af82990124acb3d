// Base persistent objects: interfaces without and with counting, owners and
// virtual constructors, Assign across branches, the free notificator; and
// the unit's small window, text and number routines.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/cxClasses.h"

namespace {

// Reports its own destruction, so a test sees whether releasing an
// interface freed it.
class TWatchedUnknown : public TcxIUnknownObject {
  RTL_CLASS(TWatchedUnknown, TcxIUnknownObject)

 public:
  void Create(bool* ADestroyed) { FDestroyed = ADestroyed; }
  void Destroy() override
  {
    *FDestroyed = true;
    inherited::Destroy();
  }

 private:
  bool* FDestroyed;
};

class TWatchedOwnedInterfaced : public TcxOwnedInterfacedPersistent {
  RTL_CLASS(TWatchedOwnedInterfaced, TcxOwnedInterfacedPersistent)

 public:
  void Create(rtl::TPersistent* AOwner) override { inherited::Create(AOwner); }
  void Watch(bool* ADestroyed) { FDestroyed = ADestroyed; }
  void Destroy() override
  {
    *FDestroyed = true;
    inherited::Destroy();
  }

 private:
  bool* FDestroyed;
};

// A persistent owner with a counted IInterface: the count shows whether an
// owned object's references reach it.
class TCxCountingOwner : public rtl::TPersistent, public rtl::IInterface {
  RTL_CLASS(TCxCountingOwner, rtl::TPersistent)
  RTL_INTERFACE_TABLE(rtl::IInterface)

 public:
  HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override
  {
    return GetInterface(AIID, AObj) ? S_OK : E_NOINTERFACE;
  }
  ULONG __stdcall AddRef() override { return ++RefCount; }
  ULONG __stdcall Release() override { return --RefCount; }

  ULONG RefCount;
};

class TPlainOwner : public rtl::TPersistent {
  RTL_CLASS(TPlainOwner, rtl::TPersistent)
};

// Two unrelated branches of owned persistent objects; CopyFrom records the
// sources it saw.
class TOwnedA : public TcxOwnedPersistent {
  RTL_CLASS(TOwnedA, TcxOwnedPersistent)

 public:
  void Create(rtl::TPersistent* AOwner) override
  {
    inherited::Create(AOwner);
    CreatedThroughOverride = true;
  }
  bool CreatedThroughOverride;
  std::vector<rtl::TPersistent*> CopiedFrom;

 protected:
  void CopyFrom(rtl::TPersistent* ASource) override
  {
    inherited::CopyFrom(ASource);
    CopiedFrom.push_back(ASource);
  }
};

class TOwnedB : public TcxOwnedPersistent {
  RTL_CLASS(TOwnedB, TcxOwnedPersistent)
};

class TInterfacedPart : public TcxInterfacedPersistent {
  RTL_CLASS(TInterfacedPart, TcxInterfacedPersistent)

 public:
  void Create(rtl::TPersistent* AOwner) override
  {
    inherited::Create(AOwner);
    CreatedThroughOverride = true;
  }
  bool CreatedThroughOverride;
};

struct IUnlisted : rtl::IInterface {
  RTL_GUID(IUnlisted, "{6A0F9E43-2B7C-4D51-9E08-3C5D7A1B2F64}")
};

// --- Uncounted interfaces ------------------------------------------------

struct UncountedCase {
  const char* what;
  std::function<rtl::TObject*(bool* ADestroyed)> make;
};

class UncountedInterface : public testing::TestWithParam<UncountedCase> {};

TEST_P(UncountedInterface, CountsNothingAndOutlivesItsLastReference)
{
  bool destroyed = false;
  rtl::TObject* object = GetParam().make(&destroyed);
  {
    rtl::IPtr<rtl::IInterface> intf;
    ASSERT_TRUE(rtl::Supports<rtl::IInterface>(object, &intf));
    EXPECT_EQ(intf->AddRef(), static_cast<ULONG>(-1));
    EXPECT_EQ(intf->Release(), static_cast<ULONG>(-1));
    void* other = nullptr;
    EXPECT_EQ(intf->QueryInterface(rtl::IIDOf<IUnlisted>(), &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    void* same = nullptr;
    EXPECT_EQ(intf->QueryInterface(rtl::IIDOf<rtl::IInterface>(), &same), S_OK);
    EXPECT_EQ(same, intf.Get());
  }
  EXPECT_FALSE(destroyed) << "releasing the last reference freed the object";
  rtl::Free(object);
  EXPECT_TRUE(destroyed);
}

INSTANTIATE_TEST_SUITE_P(
    BaseObjects, UncountedInterface,
    testing::Values(UncountedCase{"TcxIUnknownObject",
                                  [](bool* ADestroyed) -> rtl::TObject* {
                                    return rtl::New<TWatchedUnknown>(ADestroyed);
                                  }},
                    UncountedCase{"TcxOwnedInterfacedPersistent", [](bool* ADestroyed) -> rtl::TObject* {
                                    auto* object = rtl::New<TWatchedOwnedInterfaced>(nullptr);
                                    object->Watch(ADestroyed);
                                    return object;
                                  }}),
    [](const testing::TestParamInfo<UncountedCase>& AInfo) { return std::string(AInfo.param.what); });

// --- Interfaced persistent ------------------------------------------------

TEST(TcxInterfacedPersistent, CountsOnAnOwnerThatHasAnInterface)
{
  TCxCountingOwner* owner = rtl::New<TCxCountingOwner>();
  const TcxInterfacedPersistentClass partClass = TcxInterfacedPersistentClass::Of<TInterfacedPart>();
  auto* part = static_cast<TInterfacedPart*>(partClass.Create(owner));
  EXPECT_TRUE(part->CreatedThroughOverride);
  EXPECT_EQ(part->GetOwner(), owner);
  {
    rtl::IPtr<rtl::IInterface> intf;
    ASSERT_TRUE(rtl::Supports<rtl::IInterface>(part, &intf));
    EXPECT_EQ(owner->RefCount, 1u);
  }
  EXPECT_EQ(owner->RefCount, 0u);
  rtl::Free(part);
  rtl::Free(owner);
}

TEST(TcxInterfacedPersistent, CountsNothingWithoutAnOwnerInterface)
{
  TPlainOwner* owner = rtl::New<TPlainOwner>();
  for (rtl::TPersistent* anOwner : {static_cast<rtl::TPersistent*>(owner), static_cast<rtl::TPersistent*>(nullptr)}) {
    TcxInterfacedPersistent* part = rtl::New<TcxInterfacedPersistent>(anOwner);
    EXPECT_EQ(part->GetOwner(), anOwner);
    EXPECT_EQ(part->AddRef(), static_cast<ULONG>(-1));
    EXPECT_EQ(part->Release(), static_cast<ULONG>(-1));
    rtl::Free(part);
  }
  rtl::Free(owner);
}

// --- Owned persistent -----------------------------------------------------

TEST(TcxOwnedPersistent, VirtualConstructorStoresTheOwner)
{
  TPlainOwner* owner = rtl::New<TPlainOwner>();
  auto* part = static_cast<TOwnedA*>(TcxOwnedPersistentClass::Of<TOwnedA>().Create(owner));
  EXPECT_TRUE(part->CreatedThroughOverride);
  EXPECT_EQ(part->GetOwner(), owner);
  rtl::Free(part);
  rtl::Free(owner);
}

TEST(TcxOwnedPersistent, AssignFromAnyOwnedBranchReachesCopyFrom)
{
  TOwnedA* dest = rtl::New<TOwnedA>(nullptr);
  TOwnedA* sameBranch = rtl::New<TOwnedA>(nullptr);
  TOwnedB* otherBranch = rtl::New<TOwnedB>(nullptr);
  EXPECT_NO_THROW(dest->Assign(sameBranch));
  EXPECT_NO_THROW(dest->Assign(otherBranch));
  EXPECT_EQ(dest->CopiedFrom, (std::vector<rtl::TPersistent*>{sameBranch, otherBranch}));
  rtl::Free(otherBranch);
  rtl::Free(sameBranch);
  rtl::Free(dest);
}

TEST(TcxOwnedPersistent, AssignFromAnotherPersistentRaisesConvertError)
{
  TOwnedA* dest = rtl::New<TOwnedA>(nullptr);
  TPlainOwner* plain = rtl::New<TPlainOwner>();
  EXPECT_THROW(dest->Assign(plain), rtl::EConvertError);
  EXPECT_THROW(dest->Assign(nullptr), rtl::EConvertError);
  EXPECT_TRUE(dest->CopiedFrom.empty());
  rtl::Free(plain);
  rtl::Free(dest);
}

// --- Free notificator -----------------------------------------------------

struct FreeLog {
  std::vector<rtl::TComponent*> Senders;
  void Freed(rtl::TComponent* Sender) { Senders.push_back(Sender); }
};

class FreeNotificatorTest : public testing::Test {
 protected:
  void SetUp() override
  {
    FNotificator = rtl::New<TcxFreeNotificator>(nullptr);
    FNotificator->SetOnFreeNotification(TcxFreeNotificationEvent::Bind<&FreeLog::Freed>(&FLog));
  }
  void TearDown() override { rtl::Free(FNotificator); }

  TcxFreeNotificator* FNotificator;
  FreeLog FLog;
};

TEST_F(FreeNotificatorTest, FiresOnceWithTheFreedComponent)
{
  rtl::TComponent* first = rtl::New<rtl::TComponent>(nullptr);
  rtl::TComponent* second = rtl::New<rtl::TComponent>(nullptr);
  FNotificator->AddSender(first);
  FNotificator->AddSender(first);
  FNotificator->AddSender(second);
  rtl::Free(first);
  EXPECT_EQ(FLog.Senders, std::vector<rtl::TComponent*>{first});
  rtl::Free(second);
  EXPECT_EQ(FLog.Senders, (std::vector<rtl::TComponent*>{first, second}));
}

TEST_F(FreeNotificatorTest, RemovedSenderAndNilAreIgnored)
{
  rtl::TComponent* watched = rtl::New<rtl::TComponent>(nullptr);
  FNotificator->AddSender(watched);
  FNotificator->RemoveSender(watched);
  FNotificator->AddSender(nullptr);
  FNotificator->RemoveSender(nullptr);
  rtl::Free(watched);
  EXPECT_TRUE(FLog.Senders.empty());
}

TEST_F(FreeNotificatorTest, InsertionIsNoFreeNotification)
{
  rtl::TComponent* child = rtl::New<rtl::TComponent>(FNotificator);
  EXPECT_TRUE(FLog.Senders.empty());
  rtl::Free(child);
  EXPECT_EQ(FLog.Senders, std::vector<rtl::TComponent*>{child});
}

TEST_F(FreeNotificatorTest, WithoutHandlerNothingFails)
{
  FNotificator->SetOnFreeNotification(nullptr);
  rtl::TComponent* watched = rtl::New<rtl::TComponent>(nullptr);
  FNotificator->AddSender(watched);
  EXPECT_NO_THROW(rtl::Free(watched));
}

TEST(TcxFreeNotificator, FreedBeforeItsSenderLeavesNoDanglingSubscription)
{
  FreeLog log;
  TcxFreeNotificator* notificator = rtl::New<TcxFreeNotificator>(nullptr);
  notificator->SetOnFreeNotification(TcxFreeNotificationEvent::Bind<&FreeLog::Freed>(&log));
  rtl::TComponent* watched = rtl::New<rtl::TComponent>(nullptr);
  notificator->AddSender(watched);
  rtl::Free(notificator);
  rtl::Free(watched);
  EXPECT_TRUE(log.Senders.empty());
}

// --- Routines -------------------------------------------------------------

TEST(cxClassesRoutines, HalfSumFloorRoundsTowardsMinusInfinity)
{
  struct Case {
    int a, b, expected;
  };
  const Case cases[] = {
      {0, 0, 0},
      {1, 0, 0},
      {1, 2, 1},
      {2, 2, 2},
      {-1, 0, -1},
      {-3, 0, -2},
      {-2, 0, -1},
      {5, -6, -1},
      {std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), std::numeric_limits<int>::max()},
      {std::numeric_limits<int>::min(), std::numeric_limits<int>::min(), std::numeric_limits<int>::min()},
      {std::numeric_limits<int>::min(), -1, -1073741825},
  };
  for (const Case& c : cases)
    EXPECT_EQ(cxHalfSumFloor(c.a, c.b), c.expected) << c.a << " + " << c.b;
}

TEST(cxClassesRoutines, SignOf)
{
  struct Case {
    double value;
    int expected;
  };
  const Case cases[] = {{-0.5, -1},
                        {-std::numeric_limits<double>::infinity(), -1},
                        {0.0, 1},
                        {-0.0, 1},
                        {3.0, 1},
                        {std::numeric_limits<double>::quiet_NaN(), 1}};
  for (const Case& c : cases)
    EXPECT_EQ(cxSignOf(c.value), c.expected) << c.value;
}

TEST(cxClassesRoutines, CharacterSizeAndAddress)
{
  // "a", a surrogate pair (U+1F600), "b".
  const rtl::String text = L"a\xD83D\xDE00" L"b";
  struct Case {
    int index, expected;
  };
  const Case cases[] = {{1, 2}, {2, 4}, {4, 2}, {5, 0}, {0, 0}, {100, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(cxStrCharSize(text, c.index), c.expected) << c.index;
  EXPECT_EQ(cxStrCharSize(L"\xD83D", 1), 2) << "a lone high surrogate is one character";
  EXPECT_EQ(cxStrCharPointer(text, 1), text.c_str());
  EXPECT_EQ(*cxStrCharPointer(text, 4), L'b');
}

TEST(cxClassesRoutines, SizeFromValues)
{
  const TSize size = cxSizeFromValues(3, -4);
  EXPECT_EQ(size.cx, 3);
  EXPECT_EQ(size.cy, -4);
}

// Records the parameters of the last message sent to the test window.
WPARAM LastWParam;
LPARAM LastLParam;

LRESULT CALLBACK RecordingWndProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam)
{
  if (AMsg == WM_APP) {
    LastWParam = AWParam;
    LastLParam = ALParam;
    return 7;
  }
  return DefWindowProcW(AWnd, AMsg, AWParam, ALParam);
}

class RoutinesWindow : public testing::Test {
 protected:
  void SetUp() override
  {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &RecordingWndProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TcxClassesTestWindow";
    RegisterClassW(&windowClass);
    FWnd = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           windowClass.hInstance, nullptr);
    ASSERT_NE(FWnd, nullptr);
  }
  void TearDown() override
  {
    DestroyWindow(FWnd);
    UnregisterClassW(L"TcxClassesTestWindow", GetModuleHandleW(nullptr));
  }

  HWND FWnd = nullptr;
};

TEST_F(RoutinesWindow, WindowClassName)
{
  EXPECT_EQ(cxGetWindowClassName(FWnd), L"TcxClassesTestWindow");
  EXPECT_EQ(cxGetWindowClassName(nullptr), L"");
}

TEST_F(RoutinesWindow, SendMessageWithStructPlacesTheAddressByTheFlag)
{
  int record = 0;
  const auto address = reinterpret_cast<std::uintptr_t>(&record);
  struct Case {
    bool structInLParam;
    WPARAM expectedWParam;
    LPARAM expectedLParam;
  };
  const Case cases[] = {{true, 5, static_cast<LPARAM>(address)}, {false, address, 5}};
  for (const Case& c : cases) {
    EXPECT_EQ(cxSendMessageWithStructEx(FWnd, WM_APP, &record, c.structInLParam, 5), 7);
    EXPECT_EQ(LastWParam, c.expectedWParam) << c.structInLParam;
    EXPECT_EQ(LastLParam, c.expectedLParam) << c.structInLParam;
  }
  cxSendMessageWithStruct(FWnd, WM_APP, 9, &record);
  EXPECT_EQ(LastWParam, 9u);
  EXPECT_EQ(LastLParam, static_cast<LPARAM>(address));
}

}  // namespace
