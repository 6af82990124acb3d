// The cxFormats unit: the process-wide date, time and currency formats of
// the editors.
//   TcxDateTimeFormatInfo: a date or time pattern parsed into items
//   TcxFormatController: parses the locale's patterns, derives the edit
//     masks (standard and regular-expression), the display formats and the
//     currency format, lets the application override each, and tells its
//     listeners of every change; as a hidden window it hears locale and
//     clock changes
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "core/cxClasses.h"
#include "core/cxDateUtils.h"
#include "core/dxCore.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SysUtilsFormat.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/rtl/TypInfo.h"

RTL_DECLARE_UNIT(cxFormats);

RTL_ENUM(TcxDateTimeFormatItemKind, dtikString, dtikYear, dtikMonth, dtikDay, dtikHour, dtikMin, dtikSec, dtikMSec,
         dtikTimeSuffix, dtikDateSeparator, dtikTimeSeparator);
RTL_ENUM(TcxTimeSuffixKind, tskAP, tskAMPM, tskAMPMString);

struct TcxDateTimeFormatItem {
  TcxDateTimeFormatItemKind Kind;
  // The literal text, or the pattern letters (YYYY, MMM, 12HH, AM/PM ...).
  rtl::String Data;
};

class TcxDateTimeFormatInfo {
 public:
  void AddItem(TcxDateTimeFormatItemKind AKind, const rtl::String& AData);
  void RemoveItem(int AIndex);
  void ClearFormatInfo();
  int ItemCount() const { return static_cast<int>(FItems.size()); }
  TcxDateTimeFormatItem& GetItems(int AIndex) { return FItems.at(AIndex); }
  const TcxDateTimeFormatItem& GetItems(int AIndex) const { return FItems.at(AIndex); }
  bool GetDefinedItems(TcxDateTimeFormatItemKind AKind) const { return FDefined[static_cast<int>(AKind)]; }
  void SetDefinedItems(TcxDateTimeFormatItemKind AKind, bool AValue) { FDefined[static_cast<int>(AKind)] = AValue; }

 private:
  std::vector<TcxDateTimeFormatItem> FItems;
  std::array<bool, 11> FDefined{};
};

struct TcxDateTimeFormatItemInfo {
  TcxDateTimeFormatItemKind Kind;
  int ItemZoneStart;
  int ItemZoneLength;
  TcxTimeSuffixKind TimeSuffixKind;
};

struct IcxFormatControllerListener : rtl::IInterface {
  RTL_GUID(IcxFormatControllerListener, "{A7F2F6D3-1A7D-4295-A6E6-9297BD83D0DE}")
  virtual void __stdcall FormatChanged() = 0;
};

struct IcxFormatControllerTimeListener : rtl::IInterface {
  RTL_GUID(IcxFormatControllerTimeListener, "{5E33A2A7-0C77-415F-A359-112103E54937}")
  virtual void __stdcall TimeChanged() = 0;
};

class TcxFormatController : public TcxMessageWindow, public IdxLocalizerListener {
  RTL_CLASS(TcxFormatController, TcxMessageWindow)
  RTL_INTERFACES(IdxLocalizerListener)

 public:
  void Create() override;
  void Destroy() override;

  virtual void AddListener(IcxFormatControllerListener* AListener);
  virtual void RemoveListener(IcxFormatControllerListener* AListener);
  void NotifyListeners();
  void BeginUpdate();
  // Notifies at the outermost end; the formats are not rebuilt.
  void EndUpdate();
  // Rebuilds every format that is not assigned.
  void GetFormats();

  // The pattern parsed: its regular-expression mask, with time when it has
  // an hour.
  rtl::String RegExprCustomDateEditMask(const rtl::String& AFormatString);
  // The item whose zone of the standard mask holds APos (1-based).
  static bool GetDateTimeFormatItemStandardMaskInfo(const TcxDateTimeFormatInfo& AFormatInfo, int APos,
                                                    TcxDateTimeFormatItemInfo& AItemInfo);
  static int GetDateTimeStandardMaskStringLength(const TcxDateTimeFormatInfo& AFormatInfo);
  // The pattern into AInfo; an empty pattern counts as "C". False, with an
  // empty info, when the pattern cannot be parsed.
  bool ParseDateTimeFormat(const rtl::String& APattern, TcxDateTimeFormatInfo& AInfo);

  // IdxLocalizerListener
  void __stdcall TranslationChanged() override { Refresh(); }

  rtl::String GetCurrencyFormat() const { return FCurrencyFormat; }
  void SetCurrencyFormat(const rtl::String& AValue);
  bool GetAssignedCurrencyFormat() const { return FAssignedCurrencyFormat; }
  void SetAssignedCurrencyFormat(bool AValue);
  rtl::String GetDateEditFormat() const { return FDateEditFormat; }
  rtl::String GetDateEditMask() const { return FDateEditMask; }
  rtl::String GetStandardDateEditMask() const { return FStandardDateEditMask; }
  void SetStandardDateEditMask(const rtl::String& AValue);
  bool GetAssignedStandardDateEditMask() const { return FAssignedStandardDateEditMask; }
  void SetAssignedStandardDateEditMask(bool AValue);
  rtl::String GetStandardDateTimeEditMask() const { return FStandardDateTimeEditMask; }
  void SetStandardDateTimeEditMask(const rtl::String& AValue);
  bool GetAssignedStandardDateTimeEditMask() const { return FAssignedStandardDateTimeEditMask; }
  void SetAssignedStandardDateTimeEditMask(bool AValue);
  rtl::String GetRegExprDateEditMask() const { return FRegExprDateEditMask; }
  void SetRegExprDateEditMask(const rtl::String& AValue);
  bool GetAssignedRegExprDateEditMask() const { return FAssignedRegExprDateEditMask; }
  void SetAssignedRegExprDateEditMask(bool AValue);
  rtl::String GetRegExprDateTimeEditMask() const { return FRegExprDateTimeEditMask; }
  void SetRegExprDateTimeEditMask(const rtl::String& AValue);
  bool GetAssignedRegExprDateTimeEditMask() const { return FAssignedRegExprDateTimeEditMask; }
  void SetAssignedRegExprDateTimeEditMask(bool AValue);
  rtl::String GetMaskedDateEditFormat() const { return FMaskedDateEditFormat; }
  rtl::String GetMaskedDateTimeEditFormat() const { return FMaskedDateTimeEditFormat; }
  const TcxDateTimeFormatInfo& GetDateFormatInfo() const { return FDateFormatInfo; }
  const TcxDateTimeFormatInfo& GetTimeFormatInfo() const { return FTimeFormatInfo; }
  const TcxDateTimeFormatInfo& GetDateTimeFormatInfo() const { return FDateTimeFormatInfo; }
  TcxFirstWeekOfYear GetFirstWeekOfYear() const { return FFirstWeekOfYear; }
  void SetFirstWeekOfYear(TcxFirstWeekOfYear AValue);
  TDay GetStartOfWeek() const { return dxStartOfWeek(); }
  void SetStartOfWeek(TDay AValue);
  bool GetAssignedStartOfWeek() const { return dxIsStartOfWeekAssigned(); }
  void SetAssignedStartOfWeek(bool AValue);
  bool GetUsePlatformDateTimeFormats() const { return FUsePlatformDateTimeFormats; }
  void SetUsePlatformDateTimeFormats(bool AValue);
  const rtl::TFormatSettings& GetLocalFormatSettings() const { return FLocalFormatSettings; }
  bool GetLocalIsGregorianCalendar() const { return FLocalIsGregorianCalendar; }

  // The masks and formats built from a parsed pattern. Modes: 0 date,
  // 1 time, 2 date and time.
  static rtl::String StandardMask(const TcxDateTimeFormatInfo& AInfo, int AMode);
  rtl::String RegExprMask(const TcxDateTimeFormatInfo& AInfo, int AMode);
  static rtl::String DisplayFormat(const TcxDateTimeFormatInfo& AInfo);
  static rtl::String CurrencyFormatOf(const rtl::TFormatSettings& ASettings);

 protected:
  void HandleMessage(rtl::TMessage& AMessage) override;

 private:
  class TParser;

  void Refresh();
  void RefreshLocalSettings();
  // The long time pattern with the locale's t and tt made A/P and AMPM.
  rtl::String LongTimePattern() const;
  void SetMask(rtl::String& AMask, bool& AAssigned, const rtl::String& AValue);
  void SetAssigned(bool& AAssigned, bool AValue);

  std::vector<IcxFormatControllerListener*> FListeners;
  int FLockCount;
  rtl::String FCurrencyFormat;
  bool FAssignedCurrencyFormat;
  rtl::String FDateEditFormat;
  rtl::String FDateEditMask;
  rtl::String FStandardDateEditMask;
  bool FAssignedStandardDateEditMask;
  rtl::String FStandardDateTimeEditMask;
  bool FAssignedStandardDateTimeEditMask;
  rtl::String FRegExprDateEditMask;
  bool FAssignedRegExprDateEditMask;
  rtl::String FRegExprDateTimeEditMask;
  bool FAssignedRegExprDateTimeEditMask;
  rtl::String FMaskedDateEditFormat;
  rtl::String FMaskedDateTimeEditFormat;
  TcxDateTimeFormatInfo FDateFormatInfo;
  TcxDateTimeFormatInfo FTimeFormatInfo;
  TcxDateTimeFormatInfo FDateTimeFormatInfo;
  TcxFirstWeekOfYear FFirstWeekOfYear;
  bool FUsePlatformDateTimeFormats;
  rtl::TFormatSettings FLocalFormatSettings;
  bool FLocalIsGregorianCalendar;
};

// The process-wide controller, made on first use and freed by the unit's
// finish; nil after it.
TcxFormatController* cxGetFormatController();
