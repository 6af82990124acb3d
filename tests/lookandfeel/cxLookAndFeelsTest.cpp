#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cxGeometry.h"
#include "core/dxThemeManager.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "platform/vcl/Controls.h"
#include "tests/lookandfeel/LookAndFeelTestSupport.h"

using enum TcxLookAndFeelKind;
using enum TcxLookAndFeelStyle;
using enum TcxLookAndFeelValue;
using enum TdxScrollbarMode;
using enum TdxTouchScrollUIMode;

using lnftest::TRegisteredPainters;

namespace {

using TOwnedLookAndFeel = rtl::TOwnedPtr<TcxLookAndFeel>;

TOwnedLookAndFeel NewLookAndFeel(TcxLookAndFeel* AMaster = nullptr)
{
  TOwnedLookAndFeel result(rtl::New<TcxLookAndFeel>(nullptr));
  if (AMaster)
    result->SetMasterLookAndFeel(AMaster);
  return result;
}

// Records every OnChanged of one look and feel.
struct TChangeLog {
  std::vector<TcxLookAndFeelValues> Changes;
  void Changed(TcxLookAndFeel*, TcxLookAndFeelValues AValues) { Changes.push_back(AValues); }
  void Watch(TcxLookAndFeel* ALookAndFeel)
  {
    ALookAndFeel->SetOnChanged(TcxLookAndFeelChangedEvent::Bind<&TChangeLog::Changed>(this));
  }
};

// Every test leaves the shared root as the program starts it.
class LookAndFeel : public testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(cxGetRootLookAndFeel(), nullptr); }
  void TearDown() override
  {
    cxGetRootLookAndFeel()->Reset();
    EXPECT_TRUE(cxUseSkins());
  }
  TcxLookAndFeel* Root() { return cxGetRootLookAndFeel(); }
};

TEST_F(LookAndFeel, NewObjectUnderUnchangedRootResolvesToTheDefaults)
{
  const TOwnedLookAndFeel lnf = NewLookAndFeel();
  EXPECT_EQ(lnf->GetKind(), lfUltraFlat);
  EXPECT_TRUE(lnf->GetNativeStyle());
  EXPECT_EQ(lnf->GetSkinName(), L"");
  EXPECT_EQ(lnf->GetScrollbarMode(), sbmDefault);
  EXPECT_TRUE(lnf->GetAssignedValues().Empty());
  EXPECT_EQ(lnf->GetMasterLookAndFeel(), Root());
  if (dxThemesAvailable())
    EXPECT_EQ(lnf->GetActiveStyle(), lfsNative);
  else
    EXPECT_EQ(lnf->GetActiveStyle(), lfsUltraFlat);
}

// Each value is taken from the nearest object of the chain that assigns it;
// the root's assignment reaches every object that assigns nothing.
TEST_F(LookAndFeel, EachValueComesFromTheNearestAssigningObjectOfTheChain)
{
  const TOwnedLookAndFeel middle = NewLookAndFeel();
  const TOwnedLookAndFeel leaf = NewLookAndFeel(middle.get());
  Root()->SetKind(lfFlat);
  Root()->SetScrollbarMode(sbmHybrid);
  middle->SetKind(lfOffice11);
  middle->SetNativeStyle(false);
  leaf->SetSkinName(L"Leaf");

  struct TCase {
    TcxLookAndFeel* Object;
    TcxLookAndFeelKind Kind;
    bool NativeStyle;
    const wchar_t* SkinName;
    TdxScrollbarMode ScrollbarMode;
  };
  const TCase cases[] = {
      {Root(), lfFlat, true, L"", sbmHybrid},
      {middle.get(), lfOffice11, false, L"", sbmHybrid},
      {leaf.get(), lfOffice11, false, L"Leaf", sbmHybrid},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "object " << (&c - cases));
    EXPECT_EQ(c.Object->GetKind(), c.Kind);
    EXPECT_EQ(c.Object->GetNativeStyle(), c.NativeStyle);
    EXPECT_EQ(c.Object->GetSkinName(), c.SkinName);
    EXPECT_EQ(c.Object->GetScrollbarMode(), c.ScrollbarMode);
  }
  // Forgetting the middle's values hands the root's on to the leaf.
  middle->Reset();
  EXPECT_EQ(leaf->GetKind(), lfFlat);
  EXPECT_TRUE(leaf->GetNativeStyle());
}

TEST_F(LookAndFeel, PainterFollowsStyleSkinAndNativeStyle)
{
  TRegisteredPainters painters;
  painters.AddBuiltInStyles();
  TcxCustomLookAndFeelPainter* skin = painters.Add(L"Dark", lfsSkin);
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  const TOwnedLookAndFeel lnf = NewLookAndFeel();
  lnf->SetNativeStyle(false);

  struct TCase {
    TcxLookAndFeelKind Kind;
    const wchar_t* SkinName;
    TcxLookAndFeelStyle ActiveStyle;
    const wchar_t* Painter;
  };
  const TCase cases[] = {
      {lfFlat, L"", lfsFlat, L"Flat"},
      {lfStandard, L"", lfsStandard, L"Standard"},
      {lfUltraFlat, L"", lfsUltraFlat, L"UltraFlat"},
      {lfOffice11, L"", lfsOffice11, L"Office11"},
      {lfFlat, L"DARK", lfsSkin, L"Dark"},
      // An unregistered skin is no error: the kind's painter draws.
      {lfStandard, L"Missing", lfsStandard, L"Standard"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
    lnf->SetKind(c.Kind);
    lnf->SetSkinName(c.SkinName);
    EXPECT_EQ(lnf->GetSkinName(), c.SkinName);
    EXPECT_EQ(lnf->GetActiveStyle(), c.ActiveStyle);
    EXPECT_EQ(lnf->GetPainter(), manager->GetPainter(rtl::String(c.Painter)));
  }
  lnf->SetSkinName(L"Dark");
  ASSERT_EQ(lnf->GetSkinPainter(), skin);
  // Native style always drops the skin painter.
  lnf->SetNativeStyle(true);
  EXPECT_EQ(lnf->GetSkinPainter(), nullptr);
  EXPECT_EQ(lnf->GetSkinName(), L"Dark");
}

TEST_F(LookAndFeel, SkinRegisteredLaterBecomesTheSkinPainterOfInheritors)
{
  TRegisteredPainters painters;
  painters.AddBuiltInStyles();
  Root()->SetNativeStyle(false);
  Root()->SetSkinName(L"Later");
  const TOwnedLookAndFeel lnf = NewLookAndFeel();
  EXPECT_EQ(lnf->GetSkinPainter(), nullptr);
  EXPECT_EQ(lnf->GetPainter(), cxLookAndFeelPaintersManager()->GetPainter(lfsUltraFlat));

  // Registering refreshes the root; names match regardless of ASCII case.
  TcxCustomLookAndFeelPainter* later = painters.Add(L"later", lfsSkin);
  EXPECT_EQ(lnf->GetSkinPainter(), later);
  EXPECT_EQ(lnf->GetPainter(), later);
  EXPECT_EQ(lnf->GetActiveStyle(), lfsSkin);
}

TEST_F(LookAndFeel, MasterLendsItsSkinByNameEvenUnderItsOwnNativeStyle)
{
  TRegisteredPainters painters;
  TcxCustomLookAndFeelPainter* skin = painters.Add(L"Lent", lfsSkin);
  const TOwnedLookAndFeel master = NewLookAndFeel();
  master->SetNativeStyle(true);
  master->SetSkinName(L"Lent");
  const TOwnedLookAndFeel lnf = NewLookAndFeel(master.get());
  lnf->SetNativeStyle(false);
  EXPECT_EQ(master->GetSkinPainter(), nullptr);
  EXPECT_EQ(lnf->GetSkinPainter(), skin);
}

TEST_F(LookAndFeel, WithoutUseSkinsNoSkinIsFoundAndTurningThemOnAnnouncesTheSkinName)
{
  TRegisteredPainters painters;
  TcxCustomLookAndFeelPainter* skin = painters.Add(L"Switchable", lfsSkin);
  const TOwnedLookAndFeel lnf = NewLookAndFeel();
  lnf->SetKind(lfFlat);
  lnf->SetNativeStyle(false);
  lnf->SetSkinName(L"Switchable");
  lnf->SetScrollbarMode(sbmClassic);
  ASSERT_EQ(lnf->GetSkinPainter(), skin);

  // It assigns all four values, yet the switch reaches it through the
  // root's refresh.
  cxSetUseSkins(false);
  Root()->Refresh();
  EXPECT_EQ(lnf->GetSkinPainter(), nullptr);
  EXPECT_EQ(lnf->GetPainter(), cxLookAndFeelPaintersManager()->GetPainter(lfsFlat));

  TChangeLog log;
  log.Watch(lnf.get());
  cxSetUseSkins(true);
  Root()->Refresh();
  ASSERT_EQ(log.Changes.size(), 1u);
  EXPECT_EQ(log.Changes[0], TcxLookAndFeelValues{lfvSkinName});
  EXPECT_EQ(lnf->GetSkinPainter(), skin);
}

TEST_F(LookAndFeel, SettingTheInheritedValueAssignsItSilentlyAndStopsInheritance)
{
  const TOwnedLookAndFeel lnf = NewLookAndFeel();
  TChangeLog log;
  log.Watch(lnf.get());
  lnf->SetKind(lfUltraFlat);
  EXPECT_TRUE(log.Changes.empty());
  EXPECT_TRUE(lnf->GetAssignedValues().Contains(lfvKind));
  Root()->SetKind(lfStandard);
  EXPECT_EQ(lnf->GetKind(), lfUltraFlat);
  EXPECT_TRUE(log.Changes.empty());
}

TEST_F(LookAndFeel, ChangesInsideAnUpdateAreAnnouncedOnceAtTheLastEndUpdate)
{
  const TOwnedLookAndFeel lnf = NewLookAndFeel();
  TChangeLog log;
  log.Watch(lnf.get());
  lnf->BeginUpdate();
  lnf->BeginUpdate();
  lnf->SetKind(lfFlat);
  lnf->SetNativeStyle(false);
  lnf->SetScrollbarMode(sbmTouch);
  // The getters answer at once.
  EXPECT_EQ(lnf->GetKind(), lfFlat);
  lnf->EndUpdate();
  EXPECT_TRUE(log.Changes.empty());
  lnf->EndUpdate();
  ASSERT_EQ(log.Changes.size(), 1u);
  EXPECT_EQ(log.Changes[0], (TcxLookAndFeelValues{lfvKind, lfvNativeStyle, lfvScrollbarMode}));
  // An unmatched EndUpdate announces nothing more.
  lnf->EndUpdate();
  EXPECT_EQ(log.Changes.size(), 1u);
}

// A listener that records its calls and may act on the list meanwhile.
class TTestListener : public TcxIUnknownObject,
                      public IcxLookAndFeelNotificationListener,
                      public IcxLookAndFeelNotificationListener2 {
  RTL_CLASS(TTestListener, TcxIUnknownObject)
  RTL_INTERFACES(IcxLookAndFeelNotificationListener, IcxLookAndFeelNotificationListener2)

 public:
  std::vector<std::wstring>* Log = nullptr;
  std::wstring Name;
  // Done during MasterChanged.
  TcxLookAndFeel* Master = nullptr;
  TTestListener* RemoveOnChange = nullptr;
  TTestListener* AddOnChange = nullptr;

  rtl::TObject* __stdcall GetListenerObject() override { return this; }
  void __stdcall MasterChanged(TcxLookAndFeel*, TcxLookAndFeelValues) override
  {
    Log->push_back(Name + L".changed");
    if (RemoveOnChange)
      Master->RemoveChangeListener(RemoveOnChange);
    if (AddOnChange)
      Master->AddChangeListener(AddOnChange);
  }
  void __stdcall MasterDestroying(TcxLookAndFeel*) override { Log->push_back(Name + L".destroying"); }
  void __stdcall MasterBeginChange() override { Log->push_back(Name + L".begin"); }
  void __stdcall MasterEndChange() override { Log->push_back(Name + L".end"); }
};

TEST_F(LookAndFeel, ListenerWalkSurvivesListenersChangingTheList)
{
  struct TCase {
    const wchar_t* Title;
    int Remover;  // the listener whose call removes Removed (-1 none)
    int Removed;
    int Adder;    // the listener whose call adds the fourth one (-1 none)
    std::vector<std::wstring> Changed;
  };
  const TCase cases[] = {
      {L"removes itself", 1, 1, -1, {L"A.changed", L"B.changed", L"C.changed"}},
      {L"removes an earlier one", 1, 0, -1, {L"A.changed", L"B.changed", L"C.changed"}},
      // The removed listener must not be called after it has gone, and B
      // must not be called twice.
      {L"removes a later one", 1, 2, -1, {L"A.changed", L"B.changed"}},
      // A listener added during the walk waits for the next change.
      {L"adds one", -1, -1, 1, {L"A.changed", L"B.changed", L"C.changed"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Title);
    const TOwnedLookAndFeel master = NewLookAndFeel();
    std::vector<std::wstring> log;
    const rtl::TOwnedPtr<TTestListener> listeners[] = {
        rtl::TOwnedPtr<TTestListener>(rtl::New<TTestListener>()), rtl::TOwnedPtr<TTestListener>(rtl::New<TTestListener>()),
        rtl::TOwnedPtr<TTestListener>(rtl::New<TTestListener>()), rtl::TOwnedPtr<TTestListener>(rtl::New<TTestListener>())};
    const wchar_t* names[] = {L"A", L"B", L"C", L"D"};
    for (int i = 0; i < 4; ++i) {
      listeners[i]->Log = &log;
      listeners[i]->Name = names[i];
      listeners[i]->Master = master.get();
    }
    for (int i = 0; i < 3; ++i)
      master->AddChangeListener(listeners[i].get());
    if (c.Remover >= 0)
      listeners[c.Remover]->RemoveOnChange = listeners[c.Removed].get();
    if (c.Adder >= 0)
      listeners[c.Adder]->AddOnChange = listeners[3].get();
    master->SetKind(lfFlat);
    std::vector<std::wstring> changed;
    for (const std::wstring& entry : log)
      if (entry.ends_with(L".changed"))
        changed.push_back(entry);
    EXPECT_EQ(changed, c.Changed);
    for (const auto& listener : listeners)
      master->RemoveChangeListener(listener.get());
  }
}

TEST_F(LookAndFeel, ListenersHearBeginAllChangesThenEnd)
{
  const TOwnedLookAndFeel master = NewLookAndFeel();
  std::vector<std::wstring> log;
  const rtl::TOwnedPtr<TTestListener> a(rtl::New<TTestListener>());
  const rtl::TOwnedPtr<TTestListener> b(rtl::New<TTestListener>());
  a->Log = b->Log = &log;
  a->Name = L"A";
  b->Name = L"B";
  master->AddChangeListener(a.get());
  master->AddChangeListener(b.get());
  // A duplicate registration is ignored.
  master->AddChangeListener(a.get());
  master->SetKind(lfStandard);
  EXPECT_EQ(log, (std::vector<std::wstring>{L"A.begin", L"B.begin", L"A.changed", L"B.changed", L"A.end", L"B.end"}));
  log.clear();
  master->RemoveChangeListener(a.get());
  master->RemoveChangeListener(b.get());
  master->SetKind(lfFlat);
  EXPECT_TRUE(log.empty());
}

TEST_F(LookAndFeel, EmptyChangeAnnouncesNothing)
{
  const TOwnedLookAndFeel lnf = NewLookAndFeel();
  TChangeLog log;
  log.Watch(lnf.get());
  lnf->SetAssignedValues({});
  lnf->SetMasterLookAndFeel(Root());
  EXPECT_TRUE(log.Changes.empty());
}

TEST_F(LookAndFeel, SetStyleSetsNativeStyleAndTheKindOfTheStyle)
{
  struct TCase {
    TcxLookAndFeelStyle Style;
    bool NativeStyle;
    TcxLookAndFeelKind Kind;
  };
  // The kind starts at lfOffice11: lfsNative leaves it alone.
  const TCase cases[] = {
      {lfsFlat, false, lfFlat},         {lfsStandard, false, lfStandard}, {lfsUltraFlat, false, lfUltraFlat},
      {lfsNative, true, lfOffice11},    {lfsOffice11, false, lfOffice11}, {lfsSkin, false, lfUltraFlat},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "style " << static_cast<int>(c.Style));
    const TOwnedLookAndFeel lnf = NewLookAndFeel();
    lnf->SetKind(lfOffice11);
    lnf->SetSkinName(L"Kept");
    lnf->SetStyle(c.Style);
    EXPECT_EQ(lnf->GetNativeStyle(), c.NativeStyle);
    EXPECT_EQ(lnf->GetKind(), c.Kind);
    EXPECT_EQ(lnf->GetSkinName(), L"Kept");
  }
}

TEST_F(LookAndFeel, DestroyedMasterHandsItsListenersBackToTheRoot)
{
  Root()->SetKind(lfStandard);
  TOwnedLookAndFeel master = NewLookAndFeel();
  master->SetKind(lfFlat);
  const TOwnedLookAndFeel lnf = NewLookAndFeel(master.get());
  ASSERT_EQ(lnf->GetKind(), lfFlat);
  master.reset();
  EXPECT_EQ(lnf->GetMasterLookAndFeel(), Root());
  EXPECT_EQ(lnf->GetKind(), lfStandard);
  // Registered with the root again: its changes arrive.
  Root()->SetKind(lfOffice11);
  EXPECT_EQ(lnf->GetKind(), lfOffice11);
}

TEST_F(LookAndFeel, AssignCopiesValuesAndMaster)
{
  const TOwnedLookAndFeel master = NewLookAndFeel();
  master->SetKind(lfOffice11);
  const TOwnedLookAndFeel source = NewLookAndFeel(master.get());
  source->SetScrollbarMode(sbmHybrid);
  const TOwnedLookAndFeel target = NewLookAndFeel();
  TChangeLog log;
  log.Watch(target.get());
  target->Assign(source.get());
  EXPECT_EQ(target->GetMasterLookAndFeel(), master.get());
  EXPECT_EQ(target->GetAssignedValues(), TcxLookAndFeelValues{lfvScrollbarMode});
  EXPECT_EQ(target->GetKind(), lfOffice11);
  EXPECT_EQ(target->GetScrollbarMode(), sbmHybrid);
  ASSERT_EQ(log.Changes.size(), 1u);
  EXPECT_EQ(log.Changes[0], (TcxLookAndFeelValues{lfvKind, lfvScrollbarMode}));
}

TEST_F(LookAndFeel, TouchScrollUIModeMapsOntoScrollbarMode)
{
  const TOwnedLookAndFeel lnf = NewLookAndFeel();
  const std::pair<TdxScrollbarMode, TdxTouchScrollUIMode> reads[] = {
      {sbmDefault, tsmDefault}, {sbmTouch, tsmEnabled}, {sbmClassic, tsmDisabled}, {sbmHybrid, tsmDisabled}};
  for (auto [mode, touch] : reads) {
    lnf->SetScrollbarMode(mode);
    EXPECT_EQ(lnf->GetTouchScrollUIMode(), touch) << static_cast<int>(mode);
  }
  const std::pair<TdxTouchScrollUIMode, TdxScrollbarMode> writes[] = {
      {tsmDefault, sbmDefault}, {tsmEnabled, sbmTouch}, {tsmDisabled, sbmClassic}};
  for (auto [touch, mode] : writes) {
    lnf->SetTouchScrollUIMode(touch);
    EXPECT_EQ(lnf->GetScrollbarMode(), mode) << static_cast<int>(touch);
  }
}

// Regression: an object that assigns all four values ignores its master's
// refresh, so it kept the freed skin painter after the skin was
// unregistered and a later paint would have used freed memory.
TEST_F(LookAndFeel, UnregisteredPainterIsDroppedByObjectsThatAssignEverything)
{
  TRegisteredPainters painters;
  painters.AddBuiltInStyles();
  bool freed = false;
  TcxCustomLookAndFeelPainter* skin = painters.Add(L"Transient", lfsSkin, &freed);
  const TOwnedLookAndFeel lnf = NewLookAndFeel();
  const TOwnedLookAndFeel child = NewLookAndFeel(lnf.get());
  for (TcxLookAndFeel* object : {lnf.get(), child.get()}) {
    object->SetKind(lfFlat);
    object->SetNativeStyle(false);
    object->SetSkinName(L"Transient");
    object->SetScrollbarMode(sbmClassic);
    ASSERT_EQ(object->GetPainter(), skin);
  }
  TChangeLog log;
  log.Watch(child.get());
  ASSERT_TRUE(cxLookAndFeelPaintersManager()->Unregister(L"Transient"));
  EXPECT_TRUE(freed);
  TcxCustomLookAndFeelPainter* flat = cxLookAndFeelPaintersManager()->GetPainter(lfsFlat);
  for (TcxLookAndFeel* object : {lnf.get(), child.get()}) {
    EXPECT_EQ(object->GetSkinPainter(), nullptr);
    EXPECT_EQ(object->GetPainter(), flat);
    EXPECT_EQ(object->GetSkinName(), L"Transient");
  }
  ASSERT_FALSE(log.Changes.empty());
  EXPECT_TRUE(log.Changes.back().Contains(lfvSkinName));
}

// ---------------------------------------------------------------------------
// The controller

class LookAndFeelController : public LookAndFeel {};

using TOwnedController = rtl::TOwnedPtr<TcxLookAndFeelController>;

TOwnedController NewController()
{
  return TOwnedController(rtl::New<TcxLookAndFeelController>(nullptr));
}

TEST_F(LookAndFeelController, SettingsLastWhileAControllerLives)
{
  TRegisteredPainters painters;
  painters.Add(L"Controlled", lfsSkin);
  const TOwnedLookAndFeel lnf = NewLookAndFeel();
  TOwnedController first = NewController();
  TOwnedController second = NewController();
  first->SetKind(lfFlat);
  first->SetSkinName(L"Controlled");
  EXPECT_EQ(lnf->GetKind(), lfFlat);
  EXPECT_EQ(second->GetKind(), lfFlat);
  EXPECT_EQ(second->GetSkinName(), L"Controlled");

  first.reset();
  EXPECT_EQ(lnf->GetKind(), lfFlat);
  second.reset();
  EXPECT_TRUE(Root()->GetAssignedValues().Empty());
  EXPECT_EQ(lnf->GetKind(), lfUltraFlat);
  EXPECT_EQ(lnf->GetSkinName(), L"");
}

TEST_F(LookAndFeelController, ControllersListenOnlyToTheRoot)
{
  const TOwnedLookAndFeel lnf = NewLookAndFeel();
  TOwnedController controller = NewController();
  controller->SetKind(lfStandard);
  // Offered to an ordinary object, it is ignored: removing it there must
  // not count down the root's controllers.
  lnf->AddChangeListener(controller.get());
  lnf->RemoveChangeListener(controller.get());
  // Offered to the root twice, it still counts once.
  Root()->AddChangeListener(controller.get());
  EXPECT_EQ(Root()->GetKind(), lfStandard);
  controller.reset();
  EXPECT_EQ(Root()->GetKind(), lfUltraFlat);
}

TEST_F(LookAndFeelController, TouchModeRefreshesEvenObjectsThatAssignEverything)
{
  const TOwnedLookAndFeel lnf = NewLookAndFeel();
  lnf->SetKind(lfFlat);
  lnf->SetNativeStyle(false);
  lnf->SetSkinName(L"");
  lnf->SetScrollbarMode(sbmClassic);
  TChangeLog log;
  log.Watch(lnf.get());
  const TOwnedController controller = NewController();
  controller->SetTouchMode(false);
  EXPECT_TRUE(log.Changes.empty());
  controller->SetTouchMode(true);
  ASSERT_EQ(log.Changes.size(), 1u);
  EXPECT_TRUE(log.Changes[0].Empty());
  EXPECT_TRUE(cxTouchMode());

  struct TCase {
    int Value;
    int Numerator;
    int Denominator;
    int Expected;
  };
  const TCase cases[] = {{16, 1, 1, 27}, {16, 3, 2, 41}, {0, 1, 1, 0}, {-5, 1, 1, -5}, {30, 1, 1, 30}};
  const rtl::TOwnedPtr<TdxScaleFactor> factor(rtl::New<TdxScaleFactor>());
  for (const TCase& c : cases) {
    factor->Assign(c.Numerator, c.Denominator, false);
    int value = c.Value;
    cxEnsureTouchExtent(value, factor.get());
    EXPECT_EQ(value, c.Expected) << c.Value << " at " << c.Numerator << ":" << c.Denominator;
  }
  TSize size{10, 40};
  cxEnsureTouchSize(size, nullptr);
  EXPECT_GE(size.cx, 27);
  EXPECT_EQ(size.cy, 40);

  controller->SetTouchMode(false);
  int value = 16;
  cxEnsureTouchExtent(value, factor.get());
  EXPECT_EQ(value, 16);
}

TEST_F(LookAndFeelController, TouchScrollUIModeWritesOnlyADifferentValue)
{
  const TOwnedController controller = NewController();
  EXPECT_TRUE(controller->GetTouchScrollUIMode());
  controller->SetTouchScrollUIMode(true);
  EXPECT_EQ(Root()->GetScrollbarMode(), sbmDefault);
  EXPECT_FALSE(Root()->GetAssignedValues().Contains(lfvScrollbarMode));
  controller->SetTouchScrollUIMode(false);
  EXPECT_EQ(Root()->GetScrollbarMode(), sbmClassic);
  EXPECT_FALSE(cxIsTouchScrollUIMode());
}

}  // namespace

// ---------------------------------------------------------------------------
// cxApplyMasterLookAndFeel

namespace {

// Controls and components that own a look and feel, as controls do.
#define KV_LOOK_AND_FEEL_HOLDER(AClass, ABase)                                       \
  class AClass : public ABase, public IcxLookAndFeelContainer {                      \
    RTL_CLASS(AClass, ABase)                                                         \
    RTL_INTERFACES(IcxLookAndFeelContainer)                                          \
                                                                                     \
   public:                                                                           \
    void Create(rtl::TComponent* AOwner) override                                    \
    {                                                                                \
      inherited::Create(AOwner);                                                     \
      FLookAndFeel = rtl::New<TcxLookAndFeel>(this);                                 \
    }                                                                                \
    void Destroy() override                                                          \
    {                                                                                \
      rtl::FreeAndNil(FLookAndFeel);                                                 \
      inherited::Destroy();                                                          \
    }                                                                                \
    TcxLookAndFeel* __stdcall GetLookAndFeel() override { return FLookAndFeel; }     \
                                                                                     \
   private:                                                                          \
    TcxLookAndFeel* FLookAndFeel;                                                    \
  }

KV_LOOK_AND_FEEL_HOLDER(THoldingControl, vcl::TControl);
KV_LOOK_AND_FEEL_HOLDER(THoldingWinControl, vcl::TWinControl);
KV_LOOK_AND_FEEL_HOLDER(THoldingComponent, rtl::TComponent);
#undef KV_LOOK_AND_FEEL_HOLDER

TEST_F(LookAndFeel, ApplyMasterReachesTheWholeTreeAndOwnedComponentsOfPlainControls)
{
  // A plain parent: its owned holder and its child controls are reached.
  const rtl::TOwnedPtr<vcl::TWinControl> form(rtl::New<vcl::TWinControl>(nullptr));
  auto* owned = rtl::New<THoldingComponent>(form.get());
  auto* child = rtl::New<THoldingControl>(form.get());
  child->SetParent(form.get());
  auto* panel = rtl::New<THoldingWinControl>(form.get());
  panel->SetParent(form.get());
  auto* grandChild = rtl::New<THoldingControl>(form.get());
  grandChild->SetParent(panel);
  // A holder that is owned by the panel but is no control: the panel holds
  // a look and feel itself, so its components are not searched.
  auto* ownedByPanel = rtl::New<THoldingComponent>(panel);

  const TOwnedLookAndFeel master = NewLookAndFeel();
  cxApplyMasterLookAndFeel(form.get(), master.get());
  for (TcxLookAndFeel* lnf : {owned->GetLookAndFeel(), child->GetLookAndFeel(), panel->GetLookAndFeel(),
                              grandChild->GetLookAndFeel()})
    EXPECT_EQ(lnf->GetMasterLookAndFeel(), master.get());
  EXPECT_EQ(ownedByPanel->GetLookAndFeel()->GetMasterLookAndFeel(), Root());

  // Nil puts the tree back under the root.
  cxApplyMasterLookAndFeel(form.get(), nullptr);
  for (TcxLookAndFeel* lnf : {owned->GetLookAndFeel(), child->GetLookAndFeel(), grandChild->GetLookAndFeel()})
    EXPECT_EQ(lnf->GetMasterLookAndFeel(), Root());
}

}  // namespace
