#include "platform/rtl/System.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/rtl/ClassesThreads.h"

using namespace rtl;

namespace {

// What the test classes did, in order.
std::vector<String>& Log()
{
  static std::vector<String> log;
  return log;
}

void Note(const wchar_t* AStep)
{
  Log().push_back(AStep);
}

// ---------------------------------------------------------------------------
// Life cycle

enum class TFailAt { Nowhere, Create, AfterConstruction };

// Allocates from the process heap after scribbling on the memory, as a
// foreign allocator may hand out dirty memory; descendants inherit the pair.
class TEditorBase : public TObject {
  RTL_CLASS(TEditorBase, TObject)

 public:
  static void* NewInstance(std::size_t ASize)
  {
    Note(L"alloc");
    void* memory = HeapAlloc(GetProcessHeap(), 0, ASize);
    std::memset(memory, 0xCD, ASize);
    return memory;
  }

  void FreeInstance() override
  {
    Note(L"free");
    HeapFree(GetProcessHeap(), 0, CleanupInstance());
  }

  void Create(TFailAt AFailAt = TFailAt::Nowhere)
  {
    FFailAt = AFailAt;
    FValueAtCreate = FValue;
    FNameAtCreate = FName;
    Initialize();
    if (AFailAt == TFailAt::Create)
      throw EConvertError(L"create failed");
  }
  virtual void Initialize() { Note(L"base Initialize"); }
  void AfterConstruction() override
  {
    Note(L"AfterConstruction");
    if (FFailAt == TFailAt::AfterConstruction)
      throw EConvertError(L"after construction failed");
  }
  void BeforeDestruction() override { Note(L"BeforeDestruction"); }
  void Destroy() override
  {
    Note(L"base Destroy");
    Closing();
    inherited::Destroy();
  }
  virtual void Closing() { Note(L"base Closing"); }

  int FValue;
  String FName;
  TFailAt FFailAt;
  int FValueAtCreate;
  String FNameAtCreate;
};

class TEditor : public TEditorBase {
  RTL_CLASS(TEditor, TEditorBase)

 public:
  void Initialize() override { Note(L"editor Initialize"); }
  void Closing() override { Note(L"editor Closing"); }
  void Destroy() override
  {
    Note(L"editor Destroy");
    inherited::Destroy();
  }
};

using Steps = std::vector<String>;

TEST(ObjectLifeCycle, CreateAndDestroyReachTheMostDerivedOverridesAndFieldsStartZeroed)
{
  Log().clear();
  TEditor* editor = New<TEditor>();
  EXPECT_EQ(Log(), (Steps{L"alloc", L"editor Initialize", L"AfterConstruction"}));
  EXPECT_EQ(editor->FValueAtCreate, 0);
  EXPECT_EQ(editor->FNameAtCreate, L"");

  Log().clear();
  Free(editor);
  EXPECT_EQ(Log(), (Steps{L"BeforeDestruction", L"editor Destroy", L"base Destroy", L"editor Closing", L"free"}));
}

TEST(ObjectLifeCycle, AFailedConstructionDestroysAndFreesTheObjectOnce)
{
  const struct {
    TFailAt FailAt;
    Steps Expected;
  } cases[] = {
      {TFailAt::Create,
       {L"alloc", L"editor Initialize", L"editor Destroy", L"base Destroy", L"editor Closing", L"free"}},
      {TFailAt::AfterConstruction,
       {L"alloc", L"editor Initialize", L"AfterConstruction", L"editor Destroy", L"base Destroy",
        L"editor Closing", L"free"}},
  };
  for (const auto& c : cases) {
    Log().clear();
    EXPECT_THROW(New<TEditor>(c.FailAt), EConvertError);
    EXPECT_EQ(Log(), c.Expected) << int(c.FailAt);
  }
}

// Records whether the variable that held it was already nil when it died.
class TWatched : public TObject {
  RTL_CLASS(TWatched, TObject)

 public:
  void Create(TWatched** AHolder) { FHolder = AHolder; }
  void Destroy() override
  {
    Note(*FHolder ? L"holder still set" : L"holder nil");
    inherited::Destroy();
  }

 private:
  TWatched** FHolder;
};

TEST(ObjectLifeCycle, FreeIgnoresNilAndFreeAndNilClearsTheVariableFirst)
{
  TObject* nothing = nullptr;
  Free(nothing);
  FreeAndNil(nothing);
  EXPECT_EQ(nothing, nullptr);

  Log().clear();
  TWatched* watched = nullptr;
  watched = New<TWatched>(&watched);
  FreeAndNil(watched);
  EXPECT_EQ(watched, nullptr);
  EXPECT_EQ(Log(), (Steps{L"holder nil"}));
}

// Breaks the rule that Destroy does not raise: before its base classes ran,
// or from inside them (Closing is called by the base's Destroy).
enum class TRaiseIn { Derived, Base };

class TBrittleEditor : public TEditor {
  RTL_CLASS(TBrittleEditor, TEditor)

 public:
  void Create(TRaiseIn ARaiseIn, TFailAt AFailAt = TFailAt::Nowhere)
  {
    FRaiseIn = ARaiseIn;
    inherited::Create(AFailAt);
  }
  void Destroy() override
  {
    Note(L"brittle Destroy");
    if (FRaiseIn == TRaiseIn::Derived)
      throw EInvalidOperation(L"destroy failed");
    inherited::Destroy();
  }
  void Closing() override
  {
    Note(L"brittle Closing");
    throw EInvalidOperation(L"closing failed");
  }

 private:
  TRaiseIn FRaiseIn;
};

// What the run-time's reporting hook was handed, while the recorder lives.
class TSystemReports {
 public:
  TSystemReports() : FSaved(GetApplicationHandleException())
  {
    SetApplicationHandleException(TNotifyEvent::Bind<&TSystemReports::Handle>(this));
  }
  ~TSystemReports() { SetApplicationHandleException(FSaved); }
  TSystemReports(const TSystemReports&) = delete;
  TSystemReports& operator=(const TSystemReports&) = delete;

  void Handle(TObject* ASender)
  {
    Senders.push_back(ASender);
    try {
      throw;
    } catch (const Exception& E) {
      Messages.push_back(E.Message());
    }
  }

  std::vector<TObject*> Senders;
  std::vector<String> Messages;

 private:
  TNotifyEvent FSaved;
};

// A Destroy that raised half-way may have left the object in its owner's,
// parent's or notifiers' lists: freeing the memory would turn the raise into
// a later use of freed memory, and raising out of Free would end the program
// in a smart pointer's destructor. Free reports it and keeps the memory.
TEST(ObjectLifeCycle, ADestroyThatRaisesIsReportedAndKeepsTheObject)
{
  const struct {
    const char* Name;
    TRaiseIn RaiseIn;
    Steps Expected;
    String Message;
  } cases[] = {
      {"before the base class ran", TRaiseIn::Derived, {L"BeforeDestruction", L"brittle Destroy"}, L"destroy failed"},
      {"inside the base class",
       TRaiseIn::Base,
       {L"BeforeDestruction", L"brittle Destroy", L"editor Destroy", L"base Destroy", L"brittle Closing"},
       L"closing failed"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TSystemReports reports;
    TBrittleEditor* editor = New<TBrittleEditor>(c.RaiseIn);
    Log().clear();
    EXPECT_NO_THROW(Free(editor));
    EXPECT_EQ(Log(), c.Expected) << "the memory stays";
    EXPECT_EQ(reports.Messages, std::vector<String>{c.Message});
    EXPECT_EQ(reports.Senders, std::vector<TObject*>{editor});
    EXPECT_EQ(editor->ClassName(), L"TBrittleEditor");
    editor->FreeInstance();
  }
}

TEST(ObjectLifeCycle, AFailedConstructionRaisesItsOwnErrorWhenDestroyRaisesToo)
{
  TSystemReports reports;
  Log().clear();
  EXPECT_THROW(New<TBrittleEditor>(TRaiseIn::Derived, TFailAt::Create), EConvertError);
  EXPECT_EQ(Log(), (Steps{L"alloc", L"editor Initialize", L"brittle Destroy"}));
  EXPECT_EQ(reports.Messages, std::vector<String>{L"destroy failed"});
  ASSERT_EQ(reports.Senders.size(), 1u);
  reports.Senders[0]->FreeInstance();
}

// ---------------------------------------------------------------------------
// Free watches

TEST(FreeWatch, FreeTellsEveryWatchOfTheObjectAndNoOther)
{
  TObject* watched = New<TObject>();
  TObject* other = New<TObject>();
  TFreeWatch outer(watched);
  TFreeWatch ofOther(other);
  {
    TFreeWatch inner(watched);
    EXPECT_FALSE(inner.Freed());
    Free(watched);
    EXPECT_TRUE(inner.Freed());
  }
  EXPECT_TRUE(outer.Freed()) << "an outer watch hears of a free seen by an inner one";
  EXPECT_FALSE(ofOther.Freed());
  Free(other);
  EXPECT_TRUE(ofOther.Freed());
}

// Watches normally end last first, but one kept in an object may end
// earlier; the others must still hear.
TEST(FreeWatch, WatchesMayEndInAnyOrder)
{
  const struct {
    const char* Name;
    int EndedFirst;
  } cases[] = {{"the oldest", 0}, {"the middle one", 1}, {"the newest", 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TObject* watched = New<TObject>();
    std::optional<TFreeWatch> watches[3];
    for (auto& watch : watches)
      watch.emplace(watched);
    watches[c.EndedFirst].reset();
    Free(watched);
    for (const auto& watch : watches)
      EXPECT_TRUE(!watch || watch->Freed());
    for (auto& watch : watches)
      watch.reset();
    // The list is whole again: a new watch still hears.
    TObject* next = New<TObject>();
    TFreeWatch watch(next);
    Free(next);
    EXPECT_TRUE(watch.Freed());
  }
}

TEST(FreeWatch, ADestroyThatRaisesStillCountsAsFreed)
{
  TSystemReports reports;
  TBrittleEditor* editor = New<TBrittleEditor>(TRaiseIn::Derived);
  TFreeWatch watch(editor);
  Free(editor);
  EXPECT_TRUE(watch.Freed()) << "the object is past use even though its memory stays";
  editor->FreeInstance();
}

TEST(ObjectLifeCycle, AbstractErrorRaisesEAbstractError)
{
  try {
    AbstractError();
  } catch (const EAbstractError& e) {
    EXPECT_EQ(e.Message(), L"Abstract Error");
  }
}

// ---------------------------------------------------------------------------
// Class references

class TShape : public TObject {
  RTL_CLASS(TShape, TObject)

 public:
  virtual void Create(int ASize)
  {
    FSize = ASize;
    FMadeBy = L"TShape";
  }
  void Destroy() override
  {
    Note(L"shape Destroy");
    inherited::Destroy();
  }
  int FSize;
  String FMadeBy;
};

class TCircle : public TShape {
  RTL_CLASS(TCircle, TShape)

 public:
  void Create(int ASize) override
  {
    inherited::Create(ASize);
    FMadeBy = L"TCircle";
  }
};

class TSquare : public TShape {
  RTL_CLASS(TSquare, TShape)

 public:
  void Create(int ASize) override
  {
    inherited::Create(ASize);
    FMadeBy = L"TSquare";
    if (ASize < 0)
      throw ERangeError(L"negative size");
  }
};

class TAbstractShape : public TShape {
  RTL_CLASS(TAbstractShape, TShape)

 public:
  virtual int Area() = 0;
};

class TShapeOwner : public TObject {
  RTL_CLASS(TShapeOwner, TObject)

 public:
  void Create()
  {
    FFirst = New<TCircle>(1);
    FSecond = New<TSquare>(2);
  }
  void Destroy() override
  {
    Free(FFirst);
    FreeAndNil(FSecond);
    Free(FNone);
    inherited::Destroy();
  }

 private:
  TShape* FFirst;
  TShape* FSecond;
  TShape* FNone;
};

TEST(ObjectLifeCycle, AnOwnerFreesWhatItOwnsFromDestroy)
{
  Log().clear();
  Free(New<TShapeOwner>());
  EXPECT_EQ(Log(), (Steps{L"shape Destroy", L"shape Destroy"}));
}

TEST(ClassReferences, CreateTheClassReferredToThroughTheVirtualCreate)
{
  const ClassOf<TShape> classes[] = {ClassOf<TShape>::Of<TShape>(), ClassOf<TCircle>::Of<TCircle>(),
                                     ClassOf<TShape>::Of<TSquare>()};
  const wchar_t* names[] = {L"TShape", L"TCircle", L"TSquare"};
  for (int i = 0; i < 3; ++i) {
    TShape* shape = classes[i].Create(7);
    EXPECT_EQ(shape->ClassType(), classes[i].ClassType());
    EXPECT_EQ(shape->ClassName(), names[i]);
    EXPECT_EQ(shape->FMadeBy, names[i]);
    EXPECT_EQ(shape->FSize, 7);
    Free(shape);
  }
}

TEST(ClassReferences, AFailedVirtualCreateDestroysTheObjectOnce)
{
  Log().clear();
  EXPECT_THROW(ClassOf<TShape>::Of<TSquare>().Create(-1), ERangeError);
  EXPECT_EQ(Log(), (Steps{L"shape Destroy"}));
}

TEST(ClassReferences, AbstractAndNilClassesAreNotCreated)
{
  EXPECT_THROW(ClassOf<TShape>::Of<TAbstractShape>().Create(1), EAbstractError);
  EXPECT_THROW(ClassOf<TShape>().Create(1), EInvalidPointer);
}

TEST(ClassReferences, CompareConvertAndCheck)
{
  const ClassOf<TShape> circle = ClassOf<TCircle>::Of<TCircle>();
  EXPECT_EQ(circle, ClassOf<TShape>::Of<TCircle>());
  EXPECT_NE(circle, ClassOf<TShape>::Of<TSquare>());
  EXPECT_EQ(circle, TCircle::StaticClass());
  EXPECT_FALSE(ClassOf<TShape>());
  EXPECT_TRUE(circle.InheritsFrom(TShape::StaticClass()));
  EXPECT_FALSE(circle.InheritsFrom(TSquare::StaticClass()));

  EXPECT_EQ(ClassOf<TShape>(TSquare::StaticClass()), ClassOf<TShape>::Of<TSquare>());
  EXPECT_EQ(ClassOf<TShape>(TClass(nullptr)), nullptr);
  EXPECT_THROW(ClassOf<TShape>(TEditor::StaticClass()), EInvalidCast);
}

TEST(ClassReferences, ClassInformationOfInstancesAndClasses)
{
  TShape* circle = New<TCircle>(1);
  EXPECT_EQ(circle->ClassName(), L"TCircle");
  EXPECT_EQ(circle->ClassParent(), TShape::StaticClass());
  EXPECT_EQ(TObject::StaticClass()->ClassParent(), nullptr);
  EXPECT_TRUE(circle->ClassNameIs(L"tcircle"));
  EXPECT_FALSE(circle->ClassNameIs(L"TCircl"));
  EXPECT_EQ(TSquare::StaticClass()->ClassName(), L"TSquare");

  const struct {
    TClass Class;
    bool Inherits;
  } cases[] = {{TCircle::StaticClass(), true},  {TShape::StaticClass(), true}, {TObject::StaticClass(), true},
               {TSquare::StaticClass(), false}, {TEditor::StaticClass(), false}, {nullptr, false}};
  for (const auto& c : cases)
    EXPECT_EQ(circle->InheritsFrom(c.Class), c.Inherits) << (c.Class ? c.Class->Name : L"nil");
  Free(circle);
}

TEST(ClassReferences, IsAndAs)
{
  TObject* circle = New<TCircle>(1);
  TObject* nothing = nullptr;
  EXPECT_TRUE(Is<TObject>(circle));
  EXPECT_TRUE(Is<TShape>(circle));
  EXPECT_TRUE(Is<TCircle>(circle));
  EXPECT_FALSE(Is<TSquare>(circle));
  EXPECT_FALSE(Is<TObject>(nothing));

  EXPECT_EQ(As<TShape>(circle)->FSize, 1);
  EXPECT_EQ(As<TShape>(nothing), nullptr);
  try {
    As<TSquare>(circle);
    ADD_FAILURE() << "no exception";
  } catch (const EInvalidCast& e) {
    EXPECT_EQ(e.Message(), L"Invalid class typecast");
  }
  Free(circle);
}

// ---------------------------------------------------------------------------
// Message dispatch

constexpr UINT CM_FIRST = CM_BASE + 100;
constexpr UINT CM_SECOND = CM_BASE + 101;
constexpr UINT CM_THIRD = CM_BASE + 102;
constexpr UINT CM_UNHANDLED = CM_BASE + 103;
constexpr UINT CM_TYPED = CM_BASE + 104;

// A handler's own view of the message, as the typed message records give.
struct TCMTyped {
  UINT Msg;
  WPARAM Amount;
  LPARAM Unused;
  LRESULT Result;
};

class TReceiver : public TObject {
  RTL_CLASS(TReceiver, TObject)
  RTL_MESSAGES(RTL_MESSAGE(CM_FIRST, CMFirst), RTL_MESSAGE(CM_SECOND, CMSecond), RTL_MESSAGE(CM_TYPED, CMTyped))

 public:
  void DefaultHandler(TMessage& AMessage) override
  {
    Note(L"DefaultHandler");
    AMessage.Result = -1;
  }

 private:
  void CMFirst(TMessage& AMessage)
  {
    Note(L"receiver First");
    AMessage.Result += 1;
  }
  void CMSecond(TMessage&) { Note(L"receiver Second"); }
  void CMTyped(TCMTyped& AMessage)
  {
    Note(L"receiver Typed");
    AMessage.Result += 1;
  }
};

class TFilter : public TReceiver {
  RTL_CLASS(TFilter, TReceiver)
  RTL_MESSAGES(RTL_MESSAGE(CM_FIRST, CMFirst), RTL_MESSAGE(CM_THIRD, CMThird), RTL_MESSAGE(CM_TYPED, CMTyped))

 private:
  void CMTyped(TCMTyped& AMessage)
  {
    Note(L"filter Typed");
    AMessage.Result = AMessage.Amount * 2;
    InheritedMessage(this, AMessage);
  }
  void CMFirst(TMessage& AMessage)
  {
    Note(L"filter First");
    AMessage.Result += 10;
    InheritedMessage(this, AMessage);
  }
  void CMThird(TMessage& AMessage)
  {
    Note(L"filter Third");
    // No ancestor handles it: inherited reaches DefaultHandler.
    InheritedMessage(this, AMessage);
  }
};

// Declares no handlers: its ancestors' tables serve it.
class TLeafFilter : public TFilter {
  RTL_CLASS(TLeafFilter, TFilter)
};

TEST(MessageDispatch, DerivedTablesFirstThenAncestorsThenDefaultHandler)
{
  const struct {
    UINT Msg;
    WPARAM WParam;
    Steps Expected;
    LRESULT Result;
  } cases[] = {
      {CM_FIRST, 0, {L"filter First", L"receiver First"}, 11},
      {CM_SECOND, 0, {L"receiver Second"}, 0},
      {CM_THIRD, 0, {L"filter Third", L"DefaultHandler"}, -1},
      {CM_TYPED, 20, {L"filter Typed", L"receiver Typed"}, 41},
      {CM_UNHANDLED, 0, {L"DefaultHandler"}, -1},
  };
  TLeafFilter* leaf = New<TLeafFilter>();
  for (const auto& c : cases) {
    Log().clear();
    TMessage message{c.Msg, c.WParam, 0, 0};
    leaf->Dispatch(message);
    EXPECT_EQ(Log(), c.Expected) << c.Msg;
    EXPECT_EQ(message.Result, c.Result) << c.Msg;
  }
  Free(leaf);
}

// ---------------------------------------------------------------------------
// Interfaces

struct IGreeter : IInterface {
  RTL_GUID(IGreeter, "{5E0C2A6B-1F3D-4C8E-9A27-6B4D0E3F8C11}")
  virtual String __stdcall Greet() = 0;
};

struct ICounter : IInterface {
  RTL_GUID(ICounter, "{A1B2C3D4-E5F6-4789-8ABC-DEF012345678}")
  virtual int __stdcall Next() = 0;
};

// Not implemented by anything: its GUID differs from its parent's.
struct IGreeter2 : IGreeter {
  RTL_GUID(IGreeter2, "{0F9E8D7C-6B5A-4938-2716-05F4E3D2C1B0}")
};

class TCountedGreeter : public TInterfacedObject, public IGreeter {
  RTL_CLASS(TCountedGreeter, TInterfacedObject)
  RTL_INTERFACES(IGreeter)

 public:
  void Create(bool* AFreed)
  {
    FFreed = AFreed;
    // An interface taken and dropped while the object is being made must
    // not free it.
    IPtr<IGreeter> self = this;
    FCountInCreate = RefCount();
  }
  void Destroy() override
  {
    *FFreed = true;
    inherited::Destroy();
  }
  String __stdcall Greet() override { return L"counted"; }

  int FCountInCreate;

 private:
  bool* FFreed;
};

class TPlainGreeter : public TNoRefCountObject, public IGreeter, public ICounter {
  RTL_CLASS(TPlainGreeter, TNoRefCountObject)
  RTL_INTERFACES(IGreeter, ICounter)

 public:
  String __stdcall Greet() override { return L"plain"; }
  int __stdcall Next() override { return ++FCount; }

 private:
  int FCount;
};

class TNoInterfaces : public TObject {
  RTL_CLASS(TNoInterfaces, TObject)
};

static_assert(GUIDLiteral("{3CAF68AD-4959-429F-A6BB-19DC671BD3BB}").Data1 == 0x3CAF68AD);
static_assert(GUIDLiteral("{3CAF68AD-4959-429F-A6BB-19DC671BD3BB}").Data3 == 0x429F);
static_assert(GUIDLiteral("{3CAF68AD-4959-429F-a6bb-19DC671BD3BB}").Data4[1] == 0xBB);
static_assert(GUIDLiteral("{3CAF68AD-4959-429F-A6BB-19DC671BD3BB}").Data4[7] == 0xBB);

TEST(Interfaces, CountedObjectLivesUntilTheLastReferenceGoes)
{
  bool freed = false;
  TCountedGreeter* greeter = New<TCountedGreeter>(&freed);
  EXPECT_EQ(greeter->FCountInCreate, 2);
  EXPECT_EQ(greeter->RefCount(), 0);

  IPtr<IGreeter> first;
  ASSERT_TRUE(Supports(greeter, &first));
  EXPECT_EQ(first->Greet(), L"counted");
  EXPECT_EQ(greeter->RefCount(), 1);
  {
    IPtr<IGreeter> copy = first;
    EXPECT_EQ(greeter->RefCount(), 2);
    IPtr<IGreeter> moved = std::move(copy);
    EXPECT_EQ(copy, nullptr);
    EXPECT_EQ(greeter->RefCount(), 2);
    IPtr<IInterface> base = moved;
    EXPECT_EQ(greeter->RefCount(), 3);
  }
  EXPECT_EQ(greeter->RefCount(), 1);
  EXPECT_FALSE(freed);
  first = first;
  EXPECT_EQ(greeter->RefCount(), 1);
  first.Reset();
  EXPECT_TRUE(freed);
}

TEST(Interfaces, FreeingAReferencedCountedObjectIsRefused)
{
  bool freed = false;
  TCountedGreeter* greeter = New<TCountedGreeter>(&freed);
  IPtr<IGreeter> held = static_cast<IGreeter*>(greeter);
  TFreeWatch watch(greeter);
  EXPECT_THROW(Free(greeter), EInvalidPointer);
  EXPECT_FALSE(freed);
  EXPECT_FALSE(watch.Freed()) << "a refused free frees nothing";
  held.Reset();
  EXPECT_TRUE(freed);
  EXPECT_TRUE(watch.Freed());
}

TEST(Interfaces, QueriesWithoutAResultCountNothing)
{
  bool freed = false;
  TCountedGreeter* greeter = New<TCountedGreeter>(&freed);
  EXPECT_TRUE(Supports<IGreeter>(greeter));
  EXPECT_FALSE(Supports<ICounter>(greeter));
  // A failed query with a result variable must not count either.
  IPtr<ICounter> counter;
  EXPECT_FALSE(Supports(greeter, &counter));
  EXPECT_FALSE(counter);
  EXPECT_FALSE(freed);
  EXPECT_EQ(greeter->RefCount(), 0);
  Free(greeter);
  EXPECT_TRUE(freed);
}

// Destroy hands itself out as an interface, as an object that unregisters
// from a list of counted interfaces does.
class TSelfReferencingGreeter : public TInterfacedObject, public IGreeter {
  RTL_CLASS(TSelfReferencingGreeter, TInterfacedObject)
  RTL_INTERFACES(IGreeter)

 public:
  void Create(int* ADestroys) { FDestroys = ADestroys; }
  void Destroy() override
  {
    // Only the first time: a second Destroy is the fault looked for, and must
    // not recurse without end.
    if (++*FDestroys == 1)
      IPtr<IGreeter> self = this;
    inherited::Destroy();
  }
  String __stdcall Greet() override { return L"self"; }

 private:
  int* FDestroys;
};

TEST(Interfaces, AReferenceTakenAndDroppedDuringDestructionDoesNotFreeAgain)
{
  enum class TFreedBy { LastRelease, Free };
  for (TFreedBy by : {TFreedBy::LastRelease, TFreedBy::Free}) {
    int destroys = 0;
    TSelfReferencingGreeter* greeter = New<TSelfReferencingGreeter>(&destroys);
    if (by == TFreedBy::LastRelease)
      IPtr<IGreeter>(static_cast<IGreeter*>(greeter)).Reset();
    else
      Free(greeter);
    EXPECT_EQ(destroys, 1) << int(by);
  }
}

TEST(Interfaces, UncountedObjectIsNeverFreedByReleases)
{
  TPlainGreeter* plain = New<TPlainGreeter>();
  EXPECT_EQ(LONG(plain->AddRef()), -1);
  EXPECT_EQ(LONG(plain->Release()), -1);
  {
    IPtr<IGreeter> greeter;
    ASSERT_TRUE(Supports(plain, &greeter));
    IPtr<IGreeter> copy = greeter;
  }
  IPtr<ICounter> counter;
  ASSERT_TRUE(Supports(plain, &counter));
  counter.Reset();
  // Still alive: the object answers through its second interface part.
  ASSERT_TRUE(Supports(plain, &counter));
  EXPECT_EQ(counter->Next(), 1);
  EXPECT_EQ(counter->Next(), 2);
  counter.Reset();
  Free(plain);
}

TEST(Interfaces, SupportsFollowsTheInterfaceTables)
{
  bool freed = false;
  TCountedGreeter* counted = New<TCountedGreeter>(&freed);
  TPlainGreeter* plain = New<TPlainGreeter>();
  TNoInterfaces* none = New<TNoInterfaces>();
  // Held, so that releasing what a query counted does not free it.
  IPtr<IGreeter> hold = static_cast<IGreeter*>(counted);
  const struct {
    TObject* Object;
    const GUID* IID;
    bool Expected;
  } cases[] = {
      {plain, &IIDOf<IGreeter>(), true},    {plain, &IIDOf<ICounter>(), true},
      {plain, &IID_IUnknown, true},         {plain, &IIDOf<IGreeter2>(), false},
      {counted, &IIDOf<IGreeter>(), true},  {counted, &IIDOf<IInterface>(), true},
      {counted, &IIDOf<ICounter>(), false}, {none, &IID_IUnknown, false},
      {none, &IIDOf<IGreeter>(), false},    {nullptr, &IIDOf<IGreeter>(), false},
  };
  for (const auto& c : cases) {
    const String name = c.Object ? c.Object->ClassName() : L"nil";
    EXPECT_EQ(Supports(c.Object, *c.IID), c.Expected) << name;
    void* intf = reinterpret_cast<void*>(1);
    EXPECT_EQ(Supports(c.Object, *c.IID, &intf), c.Expected) << name;
    EXPECT_EQ(intf != nullptr, c.Expected) << name;
    if (intf)
      static_cast<IInterface*>(intf)->Release();
  }
  EXPECT_EQ(counted->RefCount(), 1);
  Free(none);
  Free(plain);
  hold.Reset();
  EXPECT_TRUE(freed);
}

TEST(Interfaces, QueriesBetweenInterfaces)
{
  TPlainGreeter* plain = New<TPlainGreeter>();
  IPtr<IGreeter> greeter = static_cast<IGreeter*>(plain);
  IPtr<ICounter> counter;
  EXPECT_TRUE(Supports(greeter, &counter));
  EXPECT_EQ(counter->Next(), 1);
  EXPECT_FALSE(Supports<IGreeter2>(greeter));
  EXPECT_FALSE(Supports<ICounter>(IPtr<IGreeter>()));
  // A failed query leaves no interface behind in the result variable, as the
  // query on an object does.
  bool freed = false;
  IPtr<IGreeter> counted = static_cast<IGreeter*>(New<TCountedGreeter>(&freed));
  for (const IPtr<IGreeter>& source : {counted, IPtr<IGreeter>()}) {
    IPtr<ICounter> reused = counter;
    EXPECT_FALSE(Supports(source, &reused));
    EXPECT_FALSE(reused);
  }
  counted.Reset();
  EXPECT_TRUE(freed);

  void* intf = reinterpret_cast<void*>(1);
  EXPECT_EQ(plain->QueryInterface(IIDOf<IGreeter2>(), &intf), E_NOINTERFACE);
  EXPECT_EQ(intf, nullptr);
  EXPECT_EQ(plain->QueryInterface(IIDOf<IGreeter>(), &intf), S_OK);
  EXPECT_EQ(intf, static_cast<IGreeter*>(plain));
  Free(plain);
}

}  // namespace
