#include "core/cxFormats.h"

#include <algorithm>
#include <cwctype>

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Forms.h"

using enum TcxDateTimeFormatItemKind;

namespace {

TcxFormatController* FormatController = nullptr;
bool FormatsUnitFinished = false;

rtl::String Upper(rtl::String AText)
{
  std::transform(AText.begin(), AText.end(), AText.begin(), [](wchar_t C) { return std::towupper(C); });
  return AText;
}

rtl::String Lower(rtl::String AText)
{
  std::transform(AText.begin(), AText.end(), AText.begin(), [](wchar_t C) { return std::towlower(C); });
  return AText;
}

bool StartsWithText(const rtl::String& AText, std::size_t APos, const wchar_t* APrefix)
{
  const rtl::String prefix(APrefix);
  return APos + prefix.size() <= AText.size() && Upper(AText.substr(APos, prefix.size())) == prefix;
}

bool IsDateKind(TcxDateTimeFormatItemKind AKind)
{
  return AKind == dtikYear || AKind == dtikMonth || AKind == dtikDay || AKind == dtikDateSeparator;
}

bool IsTimeKind(TcxDateTimeFormatItemKind AKind)
{
  return AKind == dtikHour || AKind == dtikMin || AKind == dtikSec || AKind == dtikTimeSuffix ||
         AKind == dtikTimeSeparator || AKind == dtikMSec;
}

TcxTimeSuffixKind SuffixKind(const rtl::String& AData)
{
  const rtl::String data = Upper(AData);
  if (data == L"A/P")
    return TcxTimeSuffixKind::tskAP;
  if (data == L"AM/PM")
    return TcxTimeSuffixKind::tskAMPM;
  return TcxTimeSuffixKind::tskAMPMString;
}

int AMPMStringLength()
{
  const rtl::TFormatSettings& settings = rtl::FormatSettings();
  return static_cast<int>(std::max(settings.TimeAMString.size(), settings.TimePMString.size()));
}

// The length of an item's zone in the standard mask.
int ZoneLength(const TcxDateTimeFormatItem& AItem)
{
  switch (AItem.Kind) {
    case dtikString:
      return static_cast<int>(AItem.Data.size());
    case dtikYear:
      return AItem.Data.size() > 2 ? 4 : 2;
    case dtikMonth:
    case dtikDay:
      return AItem.Data.size() > 2 ? 3 : 2;
    case dtikHour:
    case dtikMin:
    case dtikSec:
      return 2;
    case dtikTimeSuffix:
      switch (SuffixKind(AItem.Data)) {
        case TcxTimeSuffixKind::tskAP:
          return 1;
        case TcxTimeSuffixKind::tskAMPM:
          return 2;
        default:
          return AMPMStringLength();
      }
    case dtikDateSeparator:
    case dtikTimeSeparator:
      return 1;
    default:
      return 0;
  }
}

// A separator in the regular-expression mask language.
rtl::String RegExprSeparator(rtl::Char ASeparator)
{
  if (ASeparator == 0)
    return rtl::String();
  if (ASeparator == L' ')
    return L"' '";
  return rtl::String(L"\\") + ASeparator;
}

// The locale's genitive month name: "ddMMMM" formatted, without the day.
rtl::String GenitiveMonthName(int AMonth)
{
  SYSTEMTIME date{};
  date.wYear = 2000;
  date.wMonth = static_cast<WORD>(AMonth);
  date.wDay = 1;
  wchar_t buffer[256] = {};
  if (!GetDateFormatW(GetThreadLocale(), 0, &date, L"ddMMMM", buffer, 256))
    return rtl::String();
  const rtl::String text(buffer);
  return text.size() > 2 ? text.substr(2) : rtl::String();
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxDateTimeFormatInfo

void TcxDateTimeFormatInfo::AddItem(TcxDateTimeFormatItemKind AKind, const rtl::String& AData)
{
  FItems.push_back({AKind, AData});
}

void TcxDateTimeFormatInfo::RemoveItem(int AIndex)
{
  FItems.erase(FItems.begin() + AIndex);
}

void TcxDateTimeFormatInfo::ClearFormatInfo()
{
  FItems.clear();
  FDefined.fill(false);
}

// ---------------------------------------------------------------------------
// The pattern parser

class TcxFormatController::TParser {
 public:
  TParser(const TcxFormatController& AController, TcxDateTimeFormatInfo& AInfo)
      : FController(AController), FInfo(AInfo)
  {
  }

  bool Parse(const rtl::String& APattern)
  {
    FInfo.ClearFormatInfo();
    if (!ParseLevel(APattern.empty() ? rtl::String(L"C") : APattern, 0)) {
      FInfo.ClearFormatInfo();
      return false;
    }
    int suffix = -1;
    for (int i = 0; i < FInfo.ItemCount(); ++i)
      if (FInfo.GetItems(i).Kind == dtikTimeSuffix)
        suffix = i;
    bool hasHour = false;
    for (int i = 0; i < FInfo.ItemCount(); ++i)
      if (FInfo.GetItems(i).Kind == dtikHour) {
        FInfo.GetItems(i).Data = (FSuffixRecorded ? L"12" : L"24") + FInfo.GetItems(i).Data;
        hasHour = true;
      }
    if (!hasHour && suffix >= 0)
      FInfo.RemoveItem(suffix);
    return true;
  }

 private:
  void AddLiteral(const rtl::String& AText)
  {
    if (FInfo.ItemCount() > 0 && FInfo.GetItems(FInfo.ItemCount() - 1).Kind == dtikString)
      FInfo.GetItems(FInfo.ItemCount() - 1).Data += AText;
    else
      FInfo.AddItem(dtikString, AText);
  }

  // Items other than literals and separators count once.
  void AddItem(TcxDateTimeFormatItemKind AKind, const rtl::String& AData)
  {
    if (AKind == dtikDateSeparator || AKind == dtikTimeSeparator) {
      FInfo.AddItem(AKind, AData);
      return;
    }
    if (FInfo.GetDefinedItems(AKind))
      return;
    FInfo.SetDefinedItems(AKind, true);
    FInfo.AddItem(AKind, AData);
  }

  bool Expand(const rtl::String& APattern, int ALevel)
  {
    return ALevel >= 2 || ParseLevel(APattern.empty() ? rtl::String(L"C") : APattern, ALevel);
  }

  static std::size_t RunLength(const rtl::String& APattern, std::size_t APos)
  {
    const wchar_t letter = std::towupper(APattern[APos]);
    std::size_t end = APos;
    while (end < APattern.size() && static_cast<wchar_t>(std::towupper(APattern[end])) == letter)
      ++end;
    return end - APos;
  }

  bool ParseLevel(const rtl::String& APattern, int ALevel)
  {
    if (ALevel >= 2)
      return true;
    const rtl::TFormatSettings& settings = rtl::FormatSettings();
    bool hourSeen = false;
    bool suffixSeen = false;
    wchar_t lastLetter = 0;
    std::size_t i = 0;
    while (i < APattern.size()) {
      const wchar_t c = APattern[i];
      wchar_t letter = static_cast<wchar_t>(std::towupper(c));
      if (c == L'"' || c == L'\'') {
        const std::size_t close = APattern.find(c, i + 1);
        const std::size_t end = close == rtl::String::npos ? APattern.size() : close;
        AddLiteral(APattern.substr(i + 1, end - i - 1));
        i = close == rtl::String::npos ? APattern.size() : close + 1;
        continue;
      }
      if (c == L'/') {
        AddItem(dtikDateSeparator, L"/");
        ++i;
        continue;
      }
      if (c == L':') {
        AddItem(dtikTimeSeparator, L":");
        ++i;
        continue;
      }
      if (letter < L'A' || letter > L'Z') {
        AddLiteral(rtl::String(1, c));
        ++i;
        continue;
      }
      if (letter == L'M' && lastLetter == L'H')
        letter = L'N';
      std::size_t run = RunLength(APattern, i);
      switch (letter) {
        case L'A':
          if (StartsWithText(APattern, i, L"AM/PM")) {
            AddItem(dtikTimeSuffix, APattern.substr(i, 5));
            suffixSeen = true;
            run = 5;
          } else if (StartsWithText(APattern, i, L"A/P")) {
            AddItem(dtikTimeSuffix, APattern.substr(i, 3));
            suffixSeen = true;
            run = 3;
          } else if (StartsWithText(APattern, i, L"AMPM")) {
            AddItem(dtikTimeSuffix, L"AMPM");
            suffixSeen = true;
            run = 4;
          } else if (run >= 3) {
            run = std::min<std::size_t>(run, 4);
            AddItem(dtikDay, rtl::String(run, L'D'));
          } else {
            AddLiteral(rtl::String(1, c));
            run = 1;
          }
          break;
        case L'C':
          if (!Expand(settings.ShortDateFormat, ALevel + 1))
            return false;
          AddLiteral(L" ");
          if (!Expand(FController.LongTimePattern(), ALevel + 1))
            return false;
          break;
        case L'D':
          if (run <= 4)
            AddItem(dtikDay, rtl::String(run, L'D'));
          else if (!Expand(run == 5 ? settings.ShortDateFormat : settings.LongDateFormat, ALevel + 1))
            return false;
          break;
        case L'E':
        case L'Y':
          AddItem(dtikYear, run > 2 ? L"YYYY" : L"YY");
          break;
        case L'G':
          return false;
        case L'H':
          AddItem(dtikHour, rtl::String(std::min<std::size_t>(run, 2), L'H'));
          hourSeen = true;
          break;
        case L'M':
          AddItem(dtikMonth, rtl::String(std::min<std::size_t>(run, 4), L'M'));
          break;
        case L'N':
          AddItem(dtikMin, rtl::String(std::min<std::size_t>(run, 2), L'N'));
          break;
        case L'S':
          AddItem(dtikSec, rtl::String(std::min<std::size_t>(run, 2), L'S'));
          break;
        case L'T':
          if (!Expand(run == 1 ? settings.ShortTimeFormat : FController.LongTimePattern(), ALevel + 1))
            return false;
          break;
        case L'Z':
          AddItem(dtikMSec, rtl::String(std::min<std::size_t>(run, 3), L'Z'));
          break;
        default:
          AddLiteral(APattern.substr(i, run));
          break;
      }
      // The run's own last letter: M of AM/PM, H of an hour.
      lastLetter = static_cast<wchar_t>(std::towupper(APattern[i + run - 1]));
      if (lastLetter < L'A' || lastLetter > L'Z')
        lastLetter = letter;
      i += run;
    }
    if (hourSeen)
      FSuffixRecorded = suffixSeen;
    return true;
  }

  const TcxFormatController& FController;
  TcxDateTimeFormatInfo& FInfo;
  bool FSuffixRecorded = false;
};

// ---------------------------------------------------------------------------
// TcxFormatController

void TcxFormatController::Create()
{
  inherited::Create();
  FFirstWeekOfYear = TcxFirstWeekOfYear::fwySystem;
  FUsePlatformDateTimeFormats = false;
  GetFormats();
  if (TdxResourceStringsRepository* repository = dxGetResourceStringsRepository())
    repository->AddListener(this);
}

void TcxFormatController::Destroy()
{
  if (TdxResourceStringsRepository* repository = dxGetResourceStringsRepository())
    repository->RemoveListener(this);
  FListeners.clear();
  if (FormatController == this)
    FormatController = nullptr;
  inherited::Destroy();
}

void TcxFormatController::AddListener(IcxFormatControllerListener* AListener)
{
  if (std::find(FListeners.begin(), FListeners.end(), AListener) == FListeners.end())
    FListeners.push_back(AListener);
}

void TcxFormatController::RemoveListener(IcxFormatControllerListener* AListener)
{
  std::erase(FListeners, AListener);
}

void TcxFormatController::NotifyListeners()
{
  const std::vector<IcxFormatControllerListener*> listeners = FListeners;
  for (IcxFormatControllerListener* listener : listeners)
    if (std::find(FListeners.begin(), FListeners.end(), listener) != FListeners.end())
      listener->FormatChanged();
}

void TcxFormatController::BeginUpdate()
{
  ++FLockCount;
}

void TcxFormatController::EndUpdate()
{
  if (--FLockCount == 0)
    NotifyListeners();
}

void TcxFormatController::Refresh()
{
  if (FLockCount != 0)
    return;
  GetFormats();
  NotifyListeners();
}

void TcxFormatController::RefreshLocalSettings()
{
  cxFillLocaleFormatSettings(FLocalFormatSettings);
  FLocalIsGregorianCalendar = cxIsGregorianCalendarTable();
}

rtl::String TcxFormatController::LongTimePattern() const
{
  if (FUsePlatformDateTimeFormats)
    return rtl::FormatSettings().LongTimeFormat;
  const rtl::String pattern = cxLocaleLongTimeFormat();
  rtl::String result;
  for (std::size_t i = 0; i < pattern.size();) {
    if (pattern[i] == L't' || pattern[i] == L'T') {
      std::size_t end = i;
      while (end < pattern.size() && (pattern[end] == L't' || pattern[end] == L'T'))
        ++end;
      result += end - i == 1 ? L"A/P" : L"AMPM";
      i = end;
    } else
      result += pattern[i++];
  }
  return result;
}

bool TcxFormatController::ParseDateTimeFormat(const rtl::String& APattern, TcxDateTimeFormatInfo& AInfo)
{
  return TParser(*this, AInfo).Parse(APattern);
}

void TcxFormatController::GetFormats()
{
  if (!FormatController && !FormatsUnitFinished)
    FormatController = this;
  const rtl::TFormatSettings& settings = rtl::FormatSettings();
  if (!FAssignedCurrencyFormat)
    FCurrencyFormat = CurrencyFormatOf(settings);
  FDateEditFormat.clear();
  const rtl::String& shortDate = settings.ShortDateFormat;
  for (std::size_t i = 0; i < shortDate.size(); ++i) {
    const wchar_t c = shortDate[i];
    const bool single = (c == L'd' || c == L'M') && (i == 0 || shortDate[i - 1] != c) &&
                        (i + 1 == shortDate.size() || shortDate[i + 1] != c);
    FDateEditFormat += single ? rtl::String(2, c) : rtl::String(1, c);
  }
  RefreshLocalSettings();
  ParseDateTimeFormat(shortDate, FDateFormatInfo);
  ParseDateTimeFormat(LongTimePattern(), FTimeFormatInfo);
  ParseDateTimeFormat(shortDate + L" " + LongTimePattern(), FDateTimeFormatInfo);
  FDateEditMask = StandardMask(FDateFormatInfo, 0);
  if (!FAssignedStandardDateEditMask)
    FStandardDateEditMask = FDateEditMask;
  if (!FAssignedRegExprDateEditMask) {
    FRegExprDateEditMask = RegExprMask(FDateFormatInfo, 0);
    cxAddSmartInputToDateMask(FRegExprDateEditMask, false);
  }
  if (!FAssignedRegExprDateTimeEditMask) {
    FRegExprDateTimeEditMask =
        RegExprMask(FDateFormatInfo, 0) + L" ' '(" + RegExprMask(FTimeFormatInfo, 1) + L")?";
    cxAddSmartInputToDateMask(FRegExprDateTimeEditMask, true);
  }
  if (!FAssignedStandardDateTimeEditMask)
    FStandardDateTimeEditMask = StandardMask(FDateTimeFormatInfo, 2);
  FMaskedDateEditFormat = DisplayFormat(FDateFormatInfo);
  FMaskedDateTimeEditFormat = DisplayFormat(FDateTimeFormatInfo);
}

rtl::String TcxFormatController::RegExprCustomDateEditMask(const rtl::String& AFormatString)
{
  TcxDateTimeFormatInfo info;
  ParseDateTimeFormat(AFormatString, info);
  return RegExprMask(info, info.GetDefinedItems(dtikHour) ? 2 : 0);
}

bool TcxFormatController::GetDateTimeFormatItemStandardMaskInfo(const TcxDateTimeFormatInfo& AFormatInfo, int APos,
                                                                TcxDateTimeFormatItemInfo& AItemInfo)
{
  if (APos <= 0)
    return false;
  int start = 1;
  for (int i = 0; i < AFormatInfo.ItemCount(); ++i) {
    const TcxDateTimeFormatItem& item = AFormatInfo.GetItems(i);
    const int length = ZoneLength(item);
    if (APos >= start && APos < start + length) {
      AItemInfo.Kind = item.Kind;
      AItemInfo.ItemZoneStart = start;
      AItemInfo.ItemZoneLength = length;
      AItemInfo.TimeSuffixKind = item.Kind == dtikTimeSuffix ? SuffixKind(item.Data) : TcxTimeSuffixKind::tskAP;
      return true;
    }
    start += length;
  }
  return false;
}

int TcxFormatController::GetDateTimeStandardMaskStringLength(const TcxDateTimeFormatInfo& AFormatInfo)
{
  int result = 0;
  for (int i = 0; i < AFormatInfo.ItemCount(); ++i)
    result += ZoneLength(AFormatInfo.GetItems(i));
  return result;
}

rtl::String TcxFormatController::StandardMask(const TcxDateTimeFormatInfo& AInfo, int AMode)
{
  const bool timeMode = AMode == 1;
  rtl::String result = timeMode ? L"" : L"!";
  for (int i = 0; i < AInfo.ItemCount(); ++i) {
    const TcxDateTimeFormatItem& item = AInfo.GetItems(i);
    switch (item.Kind) {
      case dtikString:
        for (rtl::Char c : item.Data)
          result += rtl::String(L"\\") + c;
        break;
      case dtikYear:
        result += item.Data == L"YY" ? L"99" : L"9999";
        break;
      case dtikMonth:
      case dtikDay:
        result += item.Data.size() > 2 ? L"lll" : L"99";
        break;
      case dtikHour:
      case dtikMin:
      case dtikSec:
        result += timeMode ? L"00" : L"99";
        break;
      case dtikTimeSuffix:
        result += rtl::String(static_cast<std::size_t>(ZoneLength(item)), L'c');
        break;
      case dtikDateSeparator:
        result += L"/";
        break;
      case dtikTimeSeparator:
        result += L":";
        break;
      default:
        break;
    }
  }
  return result + (timeMode ? L";1;0" : L";1; ");
}

rtl::String TcxFormatController::RegExprMask(const TcxDateTimeFormatInfo& AInfo, int AMode)
{
  const rtl::TFormatSettings& settings = rtl::FormatSettings();
  const bool dates = AMode != 1;
  const bool times = AMode != 0;
  rtl::String result;
  for (int i = 0; i < AInfo.ItemCount(); ++i) {
    const TcxDateTimeFormatItem& item = AInfo.GetItems(i);
    if ((IsDateKind(item.Kind) && !dates) || (IsTimeKind(item.Kind) && !times))
      continue;
    switch (item.Kind) {
      case dtikString:
        result += L"'" + item.Data + L"'";
        break;
      case dtikYear:
        result += item.Data == L"YY" ? L"\\d\\d" : L"\\d\\d\\d\\d";
        break;
      case dtikMonth: {
        result += L"((0?[1-9]|1[012])|(";
        for (int month = 1; month <= 12; ++month) {
          if (month > 1)
            result += L"|";
          if (item.Data.size() == 4) {
            const rtl::String& name = settings.LongMonthNames[month - 1];
            result += L"'" + name + L"'";
            const rtl::String genitive = GenitiveMonthName(month);
            if (!genitive.empty() && Lower(genitive) != Lower(name))
              result += L"|'" + genitive + L"'";
          } else
            result += L"'" + settings.ShortMonthNames[month - 1] + L"'";
        }
        result += L"))";
        break;
      }
      case dtikDay:
        result += L"([012]?[1-9]|[123]0|31)";
        break;
      case dtikDateSeparator:
        result += RegExprSeparator(settings.DateSeparator);
        break;
      case dtikHour:
        result += item.Data.starts_with(L"12") ? L"(0?[1-9]|1[012])" : L"([01]?\\d|2[0-3])";
        break;
      case dtikMin:
      case dtikSec:
        result += L"[0-5]?\\d";
        break;
      case dtikTimeSuffix:
        switch (SuffixKind(item.Data)) {
          case TcxTimeSuffixKind::tskAP:
            result += L"(A|P)?";
            break;
          case TcxTimeSuffixKind::tskAMPM:
            result += L"(AM|PM)?";
            break;
          default: {
            const rtl::String am = cxLocaleTimeAMString();
            const rtl::String pm = cxLocaleTimePMString();
            if (!am.empty() && !pm.empty())
              result += L"('" + am + L"'|'" + pm + L"')?";
            else if (!am.empty() || !pm.empty())
              result += L"('" + (am.empty() ? pm : am) + L"')?";
          }
        }
        break;
      case dtikTimeSeparator:
        result += RegExprSeparator(settings.TimeSeparator);
        break;
      default:
        break;
    }
  }
  return result;
}

rtl::String TcxFormatController::DisplayFormat(const TcxDateTimeFormatInfo& AInfo)
{
  rtl::String result;
  for (int i = 0; i < AInfo.ItemCount(); ++i) {
    const TcxDateTimeFormatItem& item = AInfo.GetItems(i);
    switch (item.Kind) {
      case dtikString:
        result += L"'" + item.Data + L"'";
        break;
      case dtikYear:
      case dtikTimeSuffix:
        result += Lower(item.Data);
        break;
      case dtikMonth:
        result += item.Data.size() > 2 ? L"mmm" : L"mm";
        break;
      case dtikDay:
        result += item.Data.size() > 2 ? L"ddd" : L"dd";
        break;
      case dtikHour:
        result += L"hh";
        break;
      case dtikMin:
        result += L"nn";
        break;
      case dtikSec:
        result += L"ss";
        break;
      case dtikDateSeparator:
        result += L"/";
        break;
      case dtikTimeSeparator:
        result += L":";
        break;
      default:
        break;
    }
  }
  return result;
}

rtl::String TcxFormatController::CurrencyFormatOf(const rtl::TFormatSettings& ASettings)
{
  const rtl::String number = L",0." + rtl::String(ASettings.CurrencyDecimals, L'0');
  rtl::String c;
  for (rtl::Char ch : ASettings.CurrencyString)
    c += ch == L',' || ch == L'.' ? rtl::String(L"'") + ch + L"'" : rtl::String(1, ch);
  const rtl::String n = number;
  rtl::String positive;
  switch (ASettings.CurrencyFormat) {
    case 1:
      positive = n + c;
      break;
    case 2:
      positive = c + L" " + n;
      break;
    case 3:
      positive = n + L" " + c;
      break;
    default:
      positive = c + n;
      break;
  }
  // The sixteen negative patterns of the Windows locale setting.
  const rtl::String negative[] = {L"(" + c + n + L")", L"-" + c + n,        c + L"-" + n,           c + n + L"-",
                                  L"(" + n + c + L")", L"-" + n + c,        n + L"-" + c,           n + c + L"-",
                                  L"-" + n + L" " + c, L"-" + c + L" " + n, n + L" " + c + L"-",    c + L" " + n + L"-",
                                  c + L" -" + n,       n + L"- " + c,       L"(" + c + L" " + n + L")",
                                  L"(" + n + L" " + c + L")"};
  return positive + L";" + negative[std::min<int>(ASettings.NegCurrFormat, 15)];
}

void TcxFormatController::SetAssigned(bool& AAssigned, bool AValue)
{
  if (AAssigned == AValue)
    return;
  AAssigned = AValue;
  Refresh();
}

void TcxFormatController::SetMask(rtl::String& AMask, bool& AAssigned, const rtl::String& AValue)
{
  AAssigned = true;
  if (AMask == AValue)
    return;
  AMask = AValue;
  Refresh();
}

void TcxFormatController::SetCurrencyFormat(const rtl::String& AValue)
{
  SetMask(FCurrencyFormat, FAssignedCurrencyFormat, AValue);
}

void TcxFormatController::SetAssignedCurrencyFormat(bool AValue)
{
  SetAssigned(FAssignedCurrencyFormat, AValue);
}

void TcxFormatController::SetStandardDateEditMask(const rtl::String& AValue)
{
  SetMask(FStandardDateEditMask, FAssignedStandardDateEditMask, AValue);
}

void TcxFormatController::SetAssignedStandardDateEditMask(bool AValue)
{
  SetAssigned(FAssignedStandardDateEditMask, AValue);
}

void TcxFormatController::SetStandardDateTimeEditMask(const rtl::String& AValue)
{
  SetMask(FStandardDateTimeEditMask, FAssignedStandardDateTimeEditMask, AValue);
}

void TcxFormatController::SetAssignedStandardDateTimeEditMask(bool AValue)
{
  SetAssigned(FAssignedStandardDateTimeEditMask, AValue);
}

void TcxFormatController::SetRegExprDateEditMask(const rtl::String& AValue)
{
  SetMask(FRegExprDateEditMask, FAssignedRegExprDateEditMask, AValue);
}

void TcxFormatController::SetAssignedRegExprDateEditMask(bool AValue)
{
  SetAssigned(FAssignedRegExprDateEditMask, AValue);
}

void TcxFormatController::SetRegExprDateTimeEditMask(const rtl::String& AValue)
{
  SetMask(FRegExprDateTimeEditMask, FAssignedRegExprDateTimeEditMask, AValue);
}

void TcxFormatController::SetAssignedRegExprDateTimeEditMask(bool AValue)
{
  SetAssigned(FAssignedRegExprDateTimeEditMask, AValue);
}

void TcxFormatController::SetFirstWeekOfYear(TcxFirstWeekOfYear AValue)
{
  if (FFirstWeekOfYear == AValue)
    return;
  FFirstWeekOfYear = AValue;
  Refresh();
}

void TcxFormatController::SetStartOfWeek(TDay AValue)
{
  const bool differs = AValue != dxStartOfWeek();
  dxSetStartOfWeek(AValue);
  if (differs)
    Refresh();
}

void TcxFormatController::SetAssignedStartOfWeek(bool AValue)
{
  if (AValue)
    dxSetStartOfWeek(dxLocaleStartOfWeek());
  else
    dxResetStartOfWeek();
}

void TcxFormatController::SetUsePlatformDateTimeFormats(bool AValue)
{
  if (FUsePlatformDateTimeFormats == AValue)
    return;
  FUsePlatformDateTimeFormats = AValue;
  Refresh();
}

void TcxFormatController::HandleMessage(rtl::TMessage& AMessage)
{
  if (AMessage.Msg == WM_SETTINGCHANGE && AMessage.WParam == 0 && AMessage.LParam &&
      rtl::String(reinterpret_cast<const wchar_t*>(AMessage.LParam)) == L"intl") {
    // An application that keeps its own format settings keeps the formats
    // built from them; only the locale's own view is refreshed.
    if (vcl::Application()->GetUpdateFormatSettings()) {
      SetThreadLocale(LOCALE_USER_DEFAULT);
      rtl::FormatSettings() = rtl::TFormatSettings::Create();
      GetFormats();
      NotifyListeners();
    } else
      RefreshLocalSettings();
    AMessage.Result = 0;
  } else if (AMessage.Msg == WM_TIMECHANGE) {
    const std::vector<IcxFormatControllerListener*> listeners = FListeners;
    for (IcxFormatControllerListener* listener : listeners) {
      void* time = nullptr;
      if (SUCCEEDED(listener->QueryInterface(rtl::IIDOf<IcxFormatControllerTimeListener>(), &time))) {
        const auto intf = rtl::IPtr<IcxFormatControllerTimeListener>::Attach(
            static_cast<IcxFormatControllerTimeListener*>(time));
        intf->TimeChanged();
      }
    }
    AMessage.Result = 0;
  } else
    inherited::HandleMessage(AMessage);
}

TcxFormatController* cxGetFormatController()
{
  if (!FormatController && !FormatsUnitFinished)
    rtl::New<TcxFormatController>();
  return FormatController;
}

namespace {

void cxFormatsInitialization()
{
  FormatsUnitFinished = false;
}

void cxFormatsFinalization()
{
  FormatsUnitFinished = true;
  rtl::FreeAndNil(FormatController);
}

}  // namespace

RTL_UNIT(cxFormats, &cxFormatsInitialization, &cxFormatsFinalization);
