// The program's one window: a model name and field lines in, the Dart model
// and CRUD classes out, on the "Model" and "CRUD" pages; the text of the
// active page goes to the clipboard or to a file.
//
// The window is read from its stored form (resource TFRMMAIN); the form
// binds the handlers by name, and Loaded takes the components the class
// works with from it.
#pragma once

#include "platform/rtl/SystemTypes.h"
#include "platform/vcl/Forms.h"

class TcxButton;
class TcxLabel;
class TcxPageControl;
class TcxMemo;
class TcxTextEdit;
class TdxSkinController;

// The name "Save as Dart" proposes: the model name with only A to Z
// lowered, and "_crud.dart" for the CRUD page or "_model.dart" for the
// model page. Proposed also for an empty model name (the suffix alone).
rtl::String ProposedDartFileName(const rtl::String& AModelName, bool ACrudPage);

// Writes AText to AFileName as UTF-8 without a byte-order mark, replacing
// the file: unlike the ANSI code page it keeps every character of a model
// or field name. A file that cannot be created raises EFCreateError.
void SaveDartText(const rtl::String& AText, const rtl::String& AFileName);

class TfrmMain : public vcl::TForm {
  RTL_CLASS(TfrmMain, vcl::TForm)
  RTL_PUBLISHED_METHODS(RTL_METHOD(FormCreate), RTL_METHOD(btnGenerateClick), RTL_METHOD(btnSaveAsClick),
                        RTL_METHOD(btnClipboardClick))

 public:
  // The form's reader finds the component classes by name: they are
  // registered before the stored form is read.
  void Create(rtl::TComponent* AOwner) override;

  // Selects the "Model" page, empties the edit and the memos (the stored
  // form holds design-time texts) and lets the skin draw the controls.
  void FormCreate(rtl::TObject* Sender);
  // Writes the model class into the "Model" memo and appends the CRUD class
  // to the "CRUD" memo; refuses a missing model name or field list with an
  // error box and focuses the empty control.
  void btnGenerateClick(rtl::TObject* Sender);
  // Saves the active page's text through a save dialog; nothing when empty.
  void btnSaveAsClick(rtl::TObject* Sender);
  // Copies the active page's text to the clipboard; nothing when empty.
  void btnClipboardClick(rtl::TObject* Sender);

  // The memo of the active page: the CRUD memo unless page 0 is active.
  TcxMemo* ActiveMemo() const;

  TcxTextEdit* edtModel = nullptr;
  TcxLabel* cxLabel1 = nullptr;
  TcxButton* btnGenerate = nullptr;
  TcxLabel* cxLabel2 = nullptr;
  TcxMemo* memList = nullptr;
  TcxButton* btnClipboard = nullptr;
  TcxButton* btnSaveAs = nullptr;
  TcxPageControl* PageControl = nullptr;
  TcxMemo* memResult = nullptr;
  TcxMemo* memCRUD = nullptr;
  TdxSkinController* dxSkinController1 = nullptr;

 protected:
  void Loaded() override;
};
