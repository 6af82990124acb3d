#include "app/uMain.h"

#include <vector>

#include "app/ModelGenerator.h"
#include "editors/cxMemo.h"
#include "editors/cxTextEdit.h"
#include "pagecontrol/cxPC.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/StdCtrls.h"
#include "simplecontrols/cxButtons.h"
#include "simplecontrols/cxLabel.h"
#include "skins/dxSkinsForm.h"

using rtl::String;

namespace {

// The component named AName of the stored form, as the class the window
// works with. A form that lacks it, or has another class there, cannot make
// the window: that is a fault of the resource, reported at once.
template <class T>
T* StoredComponent(rtl::TComponent* AForm, const wchar_t* AName)
{
  rtl::TComponent* component = AForm->FindComponent(AName);
  if (!rtl::Is<T>(component))
    throw rtl::EComponentError(rtl::Format(L"The stored form has no %s of class %s",
                                           {String(AName), String(T::RtlClassName())}));
  return rtl::As<T>(component);
}

std::vector<String> FieldLines(TcxCustomMemo* AMemo)
{
  rtl::TStrings* lines = AMemo->GetLines();
  std::vector<String> result;
  result.reserve(static_cast<std::size_t>(lines->GetCount()));
  for (int i = 0; i < lines->GetCount(); ++i)
    result.push_back(lines->GetStrings(i));
  return result;
}

void AddEntries(TcxCustomMemo* AMemo, const TGeneratedEntries& AEntries)
{
  rtl::TStrings* lines = AMemo->GetLines();
  for (const String& entry : AEntries)
    lines->Add(entry);
}

}  // namespace

String ProposedDartFileName(const String& AModelName, bool ACrudPage)
{
  return LowerAsciiModelName(AModelName) + (ACrudPage ? L"_crud.dart" : L"_model.dart");
}

void SaveDartText(const String& AText, const String& AFileName)
{
  const rtl::TBytes bytes = rtl::TEncoding::UTF8()->GetBytes(AText);
  const rtl::TOwnedPtr<rtl::TFileStream> file(rtl::New<rtl::TFileStream>(AFileName, rtl::fmCreate));
  if (!bytes.empty())
    file->WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
}

// ---------------------------------------------------------------------------
// TfrmMain

void TfrmMain::Create(rtl::TComponent* AOwner)
{
  rtl::RegisterClasses({rtl::TPersistentClass::Of<TcxTextEdit>(), rtl::TPersistentClass::Of<TcxLabel>(),
                        rtl::TPersistentClass::Of<TcxMemo>(), rtl::TPersistentClass::Of<TcxButton>(),
                        rtl::TPersistentClass::Of<TcxPageControl>(), rtl::TPersistentClass::Of<TcxTabSheet>(),
                        rtl::TPersistentClass::Of<TdxSkinController>()});
  inherited::Create(AOwner);
}

void TfrmMain::Loaded()
{
  inherited::Loaded();
  edtModel = StoredComponent<TcxTextEdit>(this, L"edtModel");
  cxLabel1 = StoredComponent<TcxLabel>(this, L"cxLabel1");
  btnGenerate = StoredComponent<TcxButton>(this, L"btnGenerate");
  cxLabel2 = StoredComponent<TcxLabel>(this, L"cxLabel2");
  memList = StoredComponent<TcxMemo>(this, L"memList");
  btnClipboard = StoredComponent<TcxButton>(this, L"btnClipboard");
  btnSaveAs = StoredComponent<TcxButton>(this, L"btnSaveAs");
  PageControl = StoredComponent<TcxPageControl>(this, L"PageControl");
  memResult = StoredComponent<TcxMemo>(this, L"memResult");
  memCRUD = StoredComponent<TcxMemo>(this, L"memCRUD");
  dxSkinController1 = StoredComponent<TdxSkinController>(this, L"dxSkinController1");
}

void TfrmMain::FormCreate(rtl::TObject*)
{
  PageControl->SetActivePageIndex(0);
  memList->Clear();
  edtModel->Clear();
  memResult->Clear();
  memCRUD->Clear();
  dxSkinController1->SetNativeStyle(false);
}

void TfrmMain::btnGenerateClick(rtl::TObject*)
{
  const String modelName = edtModel->GetText();
  const TGenerateInputError error = CheckGenerateInput(modelName, memList->GetText());
  if (error != TGenerateInputError::None) {
    vcl::MessageDlg(GenerateInputErrorText(error), vcl::TMsgDlgType::mtError, {vcl::TMsgDlgBtn::mbOK}, 0);
    if (error == TGenerateInputError::NoModelName)
      edtModel->SetFocus();
    else
      memList->SetFocus();
    return;
  }
  const std::vector<String> fieldLines = FieldLines(memList);
  TGeneratedEntries entries;
  GenerateModelClass(modelName, fieldLines, entries);
  memResult->Clear();
  AddEntries(memResult, entries);
  entries.clear();
  GenerateCrudClass(modelName, fieldLines, entries);
  AddEntries(memCRUD, entries);
}

TcxMemo* TfrmMain::ActiveMemo() const
{
  return PageControl->GetActivePageIndex() != 0 ? memCRUD : memResult;
}

void TfrmMain::btnSaveAsClick(rtl::TObject*)
{
  TcxMemo* memo = ActiveMemo();
  if (memo->GetLines()->GetCount() == 0)
    return;
  // Owned by the window while it shows, freed here however the save ends.
  const rtl::TOwnedPtr<vcl::TSaveDialog> dialog(rtl::New<vcl::TSaveDialog>(this));
  dialog->SetDefaultExt(L"*.dart");
  dialog->SetFilter(L"Dart File|*.dart");
  dialog->SetFileName(ProposedDartFileName(edtModel->GetText(), memo == memCRUD));
  if (dialog->Execute())
    SaveDartText(memo->GetText(), dialog->GetFileName());
}

void TfrmMain::btnClipboardClick(rtl::TObject*)
{
  TcxMemo* memo = ActiveMemo();
  if (memo->GetLines()->GetCount() == 0)
    return;
  memo->SelectAll();
  memo->CopyToClipboard();
  memo->SetSelLength(0);
}
