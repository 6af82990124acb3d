#pragma once
// The core unit, its two small stores (apart from dxCore.h, which every unit
// includes, so that only their users see the forms and ini files):
// - TcxDialogsMetricsStore with TcxDialogMetricsInfo: where each dialog
//   class was last left and how large it was, so the next dialog of that
//   class opens there until the program ends;
// - TdxMemIniFile: an ini file held in memory that loads from and saves to
//   streams.

#include <cstdint>
#include <vector>

#include "core/cxGeometry.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/System.h"
#include "platform/vcl/Forms.h"

class TcxObjectList;

namespace rtl {
class TEncoding;
class TStream;
}  // namespace rtl

// A dialog that reports and takes its size itself (in place of its client
// size).
struct IcxDialogMetricsClientSize : rtl::IInterface {
  RTL_GUID(IcxDialogMetricsClientSize, "{A68C1688-1F54-4E26-8716-A95AB50A7711}")
  virtual TSize __stdcall GetClientSize() = 0;
  virtual void __stdcall SetClientSize(const TSize& AValue) = 0;
};

// A dialog that hands a block of its own data to the store and gets it back
// when the next dialog of its class opens.
struct IcxDialogMetricsInfoData : rtl::IInterface {
  RTL_GUID(IcxDialogMetricsInfoData, "{DBFB3040-4677-4C9D-913C-45A1EE41E35A}")
  virtual const void* __stdcall GetInfoData() = 0;
  virtual int __stdcall GetInfoDataSize() = 0;
  virtual void __stdcall SetInfoData(const void* AData) = 0;
};

// One dialog class's metrics; the client size is kept at 96 DPI.
class TcxDialogMetricsInfo : public rtl::TObject {
  RTL_CLASS(TcxDialogMetricsInfo, rtl::TObject)

 public:
  void Create(vcl::TCustomForm* AForm);
  // Reads the form's present metrics again.
  void Store(vcl::TCustomForm* AForm);
  // Puts the form where the entry says.
  void Restore(vcl::TCustomForm* AForm);

  TSize FClientSize;
  std::vector<std::uint8_t> FData;
  rtl::TClass FDialogClass;
  int FLeft;
  bool FMaximized;
  int FTop;
};

class TcxDialogsMetricsStore : public rtl::TObject {
  RTL_CLASS(TcxDialogsMetricsStore, rtl::TObject)

 public:
  virtual void Create();
  void Destroy() override;

  // Before a dialog is shown: the place and size its class was last left
  // at, or the default position (and a new entry) for the first dialog.
  void InitDialog(vcl::TCustomForm* AForm);
  // When a dialog closes; nothing for a class InitDialog never saw.
  void StoreMetrics(vcl::TCustomForm* AForm);

  vcl::TPosition GetDefaultPosition() const { return FDefaultPosition; }
  void SetDefaultPosition(vcl::TPosition AValue) { FDefaultPosition = AValue; }

 private:
  TcxDialogMetricsInfo* FindMetrics(vcl::TCustomForm* AForm) const;

  vcl::TPosition FDefaultPosition;
  TcxObjectList* FMetrics;
};

// The process's store, made on first call; freed when the core unit
// finishes.
TcxDialogsMetricsStore* cxGetDialogsMetricsStore();
void dxCoreStoresFinalize();

class TdxMemIniFile : public rtl::TMemIniFile {
  RTL_CLASS(TdxMemIniFile, rtl::TMemIniFile)

 public:
  // Empty, without a file name.
  void Create() { inherited::Create(rtl::String()); }
  void Create(rtl::TStream* AStream);

  // Replaces the contents with the stream's text, whose byte-order mark
  // picks its encoding.
  void LoadFromStream(rtl::TStream* AStream);
  // In the ini file's own encoding.
  void SaveToStream(rtl::TStream* AStream);
  void SaveToStream(rtl::TStream* AStream, rtl::TEncoding* AEncoding);
};
