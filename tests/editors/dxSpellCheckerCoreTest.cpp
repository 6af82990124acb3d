// The spell-checker slots: empty, so a control's context menu is its own;
// a spell checker put in the slot would be asked first.
#include <gtest/gtest.h>

#include "controls/cxControls.h"
#include "editors/dxSpellCheckerCore.h"

namespace {

class TdxTestSpellChecker : public TcxIUnknownObject, public IdxSpellChecker {
  RTL_CLASS(TdxTestSpellChecker, TcxIUnknownObject)
  RTL_INTERFACES(IdxSpellChecker)

 public:
  void __stdcall CheckFinish() override {}
  void __stdcall CheckStart(vcl::TWinControl*) override {}
  void __stdcall KeyPress(wchar_t&) override {}
  bool __stdcall QueryPopup(rtl::TComponent*, const TPoint& P) override { return P.x > 0; }
};

TEST(dxSpellCheckerCoreTest, TheContextPopupHookAsksTheSpellCheckerIfThereIsOne)
{
  ASSERT_STREQ(unit_dxSpellCheckerCore.name, "dxSpellCheckerCore");
  EXPECT_EQ(cxGetContextPopupHook(), &cxSpellCheckerContextPopup);
  EXPECT_EQ(dxSpellCheckerHook(), nullptr);
  EXPECT_EQ(dxSpellCheckerKeyHook(), nullptr);
  EXPECT_FALSE(cxSpellCheckerContextPopup(nullptr, nullptr, TPoint{5, 5}));

  rtl::TOwnedPtr<TdxTestSpellChecker> spellChecker(rtl::New<TdxTestSpellChecker>());
  dxSetSpellCheckerHook(spellChecker.get());
  EXPECT_TRUE(cxSpellCheckerContextPopup(nullptr, nullptr, TPoint{5, 5}));
  EXPECT_FALSE(cxSpellCheckerContextPopup(nullptr, nullptr, TPoint{-5, 5}));
  dxSetSpellCheckerHook(nullptr);
}

}  // namespace
