#include "core/dxCoreStores.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/rtl/Classes.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/vcl/Forms.h"

namespace {

class TcxStoresTestDialog : public vcl::TForm {
  RTL_CLASS(TcxStoresTestDialog, vcl::TForm)
};

class TcxStoresTestDerivedDialog : public TcxStoresTestDialog {
  RTL_CLASS(TcxStoresTestDerivedDialog, TcxStoresTestDialog)
};

template <class T>
rtl::TOwnedPtr<T> NewDialog()
{
  rtl::TOwnedPtr<T> result(rtl::NewWith<T>([](T* F) { F->CreateNew(nullptr); }));
  result->SetBounds(0, 0, 200, 150);
  result->SetClientWidth(180);
  result->SetClientHeight(120);
  return result;
}

}  // namespace

TEST(TcxDialogsMetricsStore, TheNextDialogOfAClassOpensWhereTheLastWasLeft)
{
  struct TCase {
    const char* Name;
    // What the user did to the first dialog before it closed.
    std::function<void(vcl::TForm*)> Use;
    bool InitFirst;
    bool DerivedSecond;
    vcl::TFormBorderStyle BorderStyle;
    vcl::TPosition Position;
    int Left;
    int ClientWidth;
    int ClientHeight;
    vcl::TWindowState State;
  } cases[] = {
      {"moved and resized",
       [](vcl::TForm* F) {
         F->SetLeft(50);
         F->SetTop(60);
         F->SetClientWidth(300);
         F->SetClientHeight(200);
       },
       true, false, vcl::TFormBorderStyle::bsSizeable, vcl::TPosition::poDesigned, 50, 300, 200,
       vcl::TWindowState::wsNormal},
      {"closed maximized",
       [](vcl::TForm* F) {
         F->SetLeft(50);
         F->SetWindowState(vcl::TWindowState::wsMaximized);
       },
       true, false, vcl::TFormBorderStyle::bsSizeable, vcl::TPosition::poDesigned, 0, 180, 120,
       vcl::TWindowState::wsMaximized},
      {"closed at 144 DPI",
       [](vcl::TForm* F) {
         F->ScaleForPPI(144);
         F->SetClientWidth(600);
         F->SetClientHeight(300);
       },
       true, false, vcl::TFormBorderStyle::bsSizeable, vcl::TPosition::poDesigned, 0, 400, 200,
       vcl::TWindowState::wsNormal},
      {"fixed size",
       [](vcl::TForm* F) {
         F->SetLeft(70);
         F->SetClientWidth(300);
       },
       true, false, vcl::TFormBorderStyle::bsDialog, vcl::TPosition::poDesigned, 70, 180, 120,
       vcl::TWindowState::wsNormal},
      {"never initialised", [](vcl::TForm* F) { F->SetLeft(50); }, false, false, vcl::TFormBorderStyle::bsSizeable,
       vcl::TPosition::poMainFormCenter, 0, 180, 120, vcl::TWindowState::wsNormal},
      {"a descendant class", [](vcl::TForm* F) { F->SetLeft(50); }, true, true, vcl::TFormBorderStyle::bsSizeable,
       vcl::TPosition::poMainFormCenter, 0, 180, 120, vcl::TWindowState::wsNormal},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Name);
    const rtl::TOwnedPtr<TcxDialogsMetricsStore> store(rtl::New<TcxDialogsMetricsStore>());
    {
      const auto first = NewDialog<TcxStoresTestDialog>();
      if (test.InitFirst) {
        store->InitDialog(first.get());
        EXPECT_EQ(vcl::TPosition::poMainFormCenter, first->GetPosition());
      }
      test.Use(first.get());
      store->StoreMetrics(first.get());
    }
    const rtl::TOwnedPtr<vcl::TForm> second =
        test.DerivedSecond ? rtl::TOwnedPtr<vcl::TForm>(NewDialog<TcxStoresTestDerivedDialog>().release())
                           : rtl::TOwnedPtr<vcl::TForm>(NewDialog<TcxStoresTestDialog>().release());
    second->SetBorderStyle(test.BorderStyle);
    store->InitDialog(second.get());
    EXPECT_EQ(test.Position, second->GetPosition());
    EXPECT_EQ(test.Left, second->GetLeft());
    EXPECT_EQ(test.ClientWidth, second->GetClientWidth());
    EXPECT_EQ(test.ClientHeight, second->GetClientHeight());
    EXPECT_EQ(test.State, second->GetWindowState());
  }
  EXPECT_EQ(cxGetDialogsMetricsStore(), cxGetDialogsMetricsStore());
}

TEST(TdxMemIniFile, ASavedFileLoadsBackWhole)
{
  const rtl::TOwnedPtr<TdxMemIniFile> source(rtl::New<TdxMemIniFile>());
  source->SetEncoding(rtl::TEncoding::UTF8());
  source->WriteString(L"Bar1", L"Caption", L"\u041F\u0430\u043D\u0435\u043B\u044C");
  source->WriteInteger(L"Bar1", L"Left", -12);
  source->WriteString(L"Bar2", L"Visible", L"0");
  const rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  source->SaveToStream(stream.get());

  stream->SetPosition(0);
  const rtl::TOwnedPtr<TdxMemIniFile> target(rtl::New<TdxMemIniFile>(stream.get()));
  const rtl::TOwnedPtr<rtl::TStringList> expected(rtl::New<rtl::TStringList>());
  const rtl::TOwnedPtr<rtl::TStringList> actual(rtl::New<rtl::TStringList>());
  source->GetStrings(expected.get());
  target->GetStrings(actual.get());
  EXPECT_EQ(expected->GetText(), actual->GetText());
  EXPECT_EQ(L"\u041F\u0430\u043D\u0435\u043B\u044C", target->ReadString(L"Bar1", L"Caption", L""));
  EXPECT_EQ(-12, target->ReadInteger(L"Bar1", L"Left", 0));
}
