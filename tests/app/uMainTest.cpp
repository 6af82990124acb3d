#include "app/uMain.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/LinkOrder.h"
#include "editors/cxMemo.h"
#include "editors/cxTextEdit.h"
#include "pagecontrol/cxPC.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/vcl/StdCtrls.h"
#include "simplecontrols/cxButtons.h"
#include "simplecontrols/cxLabel.h"
#include "skins/dxSkinsForm.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

namespace {

using rtl::String;

// The window as the program makes it: created by the application from its
// stored form, with every unit of the program linked (through the link-order
// table) and started, the tab painters and the skins among them.
class uMainTestWindow : public ::testing::Test {
 protected:
  void SetUp() override
  {
    ASSERT_FALSE(LinkOrder().empty());
    try {
      vcl::Application()->CreateForm(FForm);
    } catch (const rtl::Exception& E) {
      FAIL() << E.Message();
    }
  }
  void TearDown() override { vcl::DoneApplication(); }

  TfrmMain* FForm = nullptr;
};

TEST_F(uMainTestWindow, StoredFormPlacesEveryControl)
{
  ASSERT_NE(FForm, nullptr);
  EXPECT_EQ(FForm->GetCaption(), L"Kelvaro");
  // The skinned frame keeps the stored client size; the anchored page
  // control follows the client's bottom edge.
  EXPECT_EQ(FForm->GetClientWidth(), 726);
  EXPECT_EQ(FForm->GetClientHeight(), 500);
  EXPECT_EQ(FForm->PageControl->GetTop() + FForm->PageControl->GetHeight(), FForm->GetClientHeight() - 8);
  EXPECT_EQ(FForm->GetPosition(), vcl::TPosition::poScreenCenter);
  EXPECT_EQ(FForm->GetFont()->GetName(), L"Tahoma");
  EXPECT_EQ(FForm->GetFont()->GetHeight(), -11);
  EXPECT_EQ(FForm->GetFont()->GetCharset(), DEFAULT_CHARSET);
  EXPECT_EQ(FForm->GetFont()->GetColor(), vcl::clWindowText);
  EXPECT_EQ(FForm->GetColor(), vcl::clBtnFace);
  EXPECT_FALSE(FForm->GetIcon()->GetEmpty());
  EXPECT_EQ(FForm->GetActiveControl(), FForm->edtModel);

  struct {
    vcl::TControl* Control;
    const wchar_t* Name;
    int Left, Top, Width, Height, TabOrder;
  } const cases[] = {
      {FForm->edtModel, L"edtModel", 81, 8, 180, -1, 0},
      {FForm->btnGenerate, L"btnGenerate", 267, 6, 75, 25, 2},
      {FForm->memList, L"memList", 9, 72, 705, 97, 1},
      {FForm->btnClipboard, L"btnClipboard", 9, 175, 142, 25, 3},
      {FForm->btnSaveAs, L"btnSaveAs", 157, 175, 142, 25, 4},
      // After the two labels, which are windowed controls too.
      {FForm->PageControl, L"PageControl", 8, 206, 710, -1, 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Name);
    ASSERT_NE(c.Control, nullptr);
    EXPECT_EQ(c.Control->GetName(), c.Name);
    EXPECT_EQ(c.Control->GetLeft(), c.Left);
    EXPECT_EQ(c.Control->GetTop(), c.Top);
    EXPECT_EQ(c.Control->GetWidth(), c.Width);
    if (c.Height >= 0) {
      EXPECT_EQ(c.Control->GetHeight(), c.Height);
    }
    EXPECT_EQ(static_cast<vcl::TWinControl*>(c.Control)->GetTabOrder(), c.TabOrder);
  }
  EXPECT_EQ(FForm->btnGenerate->GetCaption(), L"Generate");
  EXPECT_EQ(FForm->btnClipboard->GetCaption(), L"Copy to Clipboard");
  EXPECT_EQ(FForm->btnSaveAs->GetCaption(), L"Save as Dart");
  EXPECT_EQ(FForm->cxLabel1->GetCaption(), L"Model Name:");
  EXPECT_EQ(FForm->cxLabel2->GetCaption(), L"Model Columns (add Columns of models as String id;...)");
  // The labels are the library's, sized to their captions: the first ends
  // where the model edit begins (their transparent borders may touch), the
  // second above the field list.
  for (TcxLabel* label : {FForm->cxLabel1, FForm->cxLabel2}) {
    SCOPED_TRACE(testing::Message() << label->GetName());
    EXPECT_TRUE(label->GetTransparent());
    EXPECT_TRUE(label->GetAutoSize());
    EXPECT_TRUE(label->GetStyle()->GetTransparentBorder());
    EXPECT_GT(label->GetHeight(), 10);
  }
  EXPECT_EQ(FForm->cxLabel1->GetLeft(), 9);
  EXPECT_EQ(FForm->cxLabel1->GetTop(), 10);
  EXPECT_LE(FForm->cxLabel1->GetLeft() + FForm->cxLabel1->GetWidth(), FForm->edtModel->GetLeft() + 2);
  EXPECT_EQ(FForm->cxLabel2->GetLeft(), 9);
  EXPECT_EQ(FForm->cxLabel2->GetTop(), 49);
  EXPECT_LE(FForm->cxLabel2->GetTop() + FForm->cxLabel2->GetHeight(), FForm->memList->GetTop());
  EXPECT_LT(FForm->cxLabel2->GetWidth(), FForm->memList->GetWidth());
  EXPECT_EQ(FForm->memList->GetTag(), 1);

  ASSERT_EQ(FForm->PageControl->GetPageCount(), 2);
  EXPECT_EQ(FForm->PageControl->GetPage(0)->GetCaption(), L"Model");
  EXPECT_EQ(FForm->PageControl->GetPage(1)->GetCaption(), L"CRUD");
  EXPECT_EQ(FForm->memResult->GetParent(), FForm->PageControl->GetPage(0));
  EXPECT_EQ(FForm->memCRUD->GetParent(), FForm->PageControl->GetPage(1));
  EXPECT_EQ(FForm->memResult->GetAlign(), vcl::TAlign::alClient);
  EXPECT_EQ(FForm->dxSkinController1->GetSkinName(), L"VisualStudio2013Dark");
}

TEST_F(uMainTestWindow, CreationSelectsTheModelPageEmptiesTheTextsAndDropsTheNativeStyle)
{
  ASSERT_NE(FForm, nullptr);
  // The stored form had the CRUD page active and design-time texts.
  EXPECT_EQ(FForm->PageControl->GetActivePageIndex(), 0);
  EXPECT_EQ(FForm->ActiveMemo(), FForm->memResult);
  for (vcl::TControl* control : {static_cast<vcl::TControl*>(FForm->edtModel), static_cast<vcl::TControl*>(FForm->memList),
                                 static_cast<vcl::TControl*>(FForm->memResult), static_cast<vcl::TControl*>(FForm->memCRUD)})
    EXPECT_EQ(control->GetText(), L"") << control->GetName();
  EXPECT_FALSE(FForm->dxSkinController1->GetNativeStyle());
  FForm->PageControl->SetActivePageIndex(1);
  EXPECT_EQ(FForm->ActiveMemo(), FForm->memCRUD);
}

TEST(uMainProposedName, LowersOnlyAsciiCapitalsAndNamesThePage)
{
  struct {
    const wchar_t* ModelName;
    bool Crud;
    const wchar_t* Expected;
  } const cases[] = {
      {L"Company", false, L"company_model.dart"},
      {L"Company", true, L"company_crud.dart"},
      {L"ÄpfelBaum", false, L"Äpfelbaum_model.dart"},
      {L"", true, L"_crud.dart"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ProposedDartFileName(c.ModelName, c.Crud), c.Expected);
}

std::string uMainTestFileBytes(const String& APath)
{
  std::ifstream file(APath.c_str(), std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

TEST(uMainSave, WritesUtf8WithoutByteOrderMarkAndReplacesTheFile)
{
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const String path = String(folder) + L"kv_umain_save_" + std::to_wstring(GetCurrentProcessId()) + L".dart";
  SaveDartText(L"a much longer text that is replaced\r\n", path);
  // Outside every ANSI code page: kept whole.
  SaveDartText(L"class Straße\u4E2D {\r\n}\r\n", path);
  EXPECT_EQ(uMainTestFileBytes(path), "class Stra\xC3\x9F" "e\xE4\xB8\xAD {\r\n}\r\n");
  DeleteFileW(path.c_str());
}

TEST(uMainSave, AFileThatCannotBeCreatedRaises)
{
  EXPECT_THROW(SaveDartText(L"x", L"Z:\\no such folder\\x.dart"), rtl::EFCreateError);
}

}  // namespace

// The skin's editor colours reach the windows the editors type into: the
// skin's light text must not stand on the window colour of the style.
TEST_F(uMainTestWindow, EditorsShowTheSkinsEditorBackground)
{
  ASSERT_NE(FForm, nullptr);
  TdxSkinLookAndFeelPainter* painter = nullptr;
  ASSERT_TRUE(TdxSkinControllersList::GetSkinPainter(L"VisualStudio2013Dark", painter));
  const vcl::TColor skinColor = painter->DefaultEditorBackgroundColor(false);
  ASSERT_NE(vcl::ColorToRGB(skinColor), vcl::ColorToRGB(vcl::clWindow));
  FForm->Show();
  vcl::Application()->ProcessMessages();
  for (TcxContainer* editor : {static_cast<TcxContainer*>(FForm->edtModel), static_cast<TcxContainer*>(FForm->memList),
                               static_cast<TcxContainer*>(FForm->memResult), static_cast<TcxContainer*>(FForm->memCRUD)}) {
    ASSERT_TRUE(editor->HasInnerControl()) << editor->GetName();
    EXPECT_EQ(vcl::ColorToRGB(editor->GetInnerControl()->GetColor()), vcl::ColorToRGB(skinColor)) << editor->GetName();
  }
}
