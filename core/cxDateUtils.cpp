// The cxDateUtils unit's locale services, week numbers, pattern formatting
// and smart input; its calendars and time zones have sources of their own.
#include "core/cxDateUtils.h"

#include <array>
#include <cmath>
#include <cwctype>
#include <string>

#include "core/cxFormats.h"
#include "core/cxLibraryStrs.h"
#include "core/dxCore.h"
#include "platform/rtl/SysUtils.h"

void cxCalendarTablesInitialize();
void cxCalendarTablesFinalize();
void cxTimeZonesLoad();
void cxTimeZonesClear();

namespace {

// The start of week the application chose, while one is chosen.
TDay AssignedStartOfWeek = TDay::dSunday;
bool StartOfWeekAssigned = false;

rtl::String LocaleString(LCTYPE AType, const rtl::String& ADefault = rtl::String())
{
  return dxGetLocaleInfoString(GetThreadLocale(), AType, ADefault);
}

rtl::Char FirstChar(const rtl::String& AText)
{
  return AText.empty() ? rtl::Char(0) : AText[0];
}

// Every apostrophe escaped, every run of other characters in apostrophes.
rtl::String QuotedWord(const rtl::String& AWord)
{
  rtl::String result;
  rtl::String run;
  const auto flush = [&] {
    if (!run.empty())
      result += L"'" + run + L"'";
    run.clear();
  };
  for (rtl::Char c : AWord)
    if (c == L'\'') {
      flush();
      result += L"\\'";
    } else
      run += c;
  flush();
  return result;
}

}  // namespace

rtl::String cxLocaleShortDateFormat()
{
  return LocaleString(LOCALE_SSHORTDATE);
}

rtl::String cxLocaleLongDateFormat()
{
  return LocaleString(LOCALE_SLONGDATE);
}

rtl::String cxLocaleLongTimeFormat()
{
  return LocaleString(LOCALE_STIMEFORMAT);
}

rtl::String cxLocaleTimeAMString()
{
  return LocaleString(LOCALE_S1159);
}

rtl::String cxLocaleTimePMString()
{
  return LocaleString(LOCALE_S2359);
}

rtl::Char cxLocaleDateSeparator()
{
  return FirstChar(LocaleString(LOCALE_SDATE));
}

rtl::Char cxLocaleTimeSeparator()
{
  return FirstChar(LocaleString(LOCALE_STIME));
}

TDay dxDayOfWeekFromLocale(int AValue)
{
  return static_cast<TDay>((((AValue + 1) % 7) + 7) % 7);
}

TDay dxDayOfWeekFromPlatform(int AValue)
{
  return AValue <= 0 ? TDay::dSunday : static_cast<TDay>((AValue - 1) % 7);
}

int dxDayOfWeekOffset(rtl::TDateTime ADate)
{
  return dxDayOfWeekOffset(ADate, dxStartOfWeek());
}

int dxDayOfWeekOffset(rtl::TDateTime ADate, TDay AStartOfWeek)
{
  return (cxDayOfWeek(ADate) - 1 - static_cast<int>(AStartOfWeek) + 7) % 7;
}

int cxGetCalendarInfo(LCID ALocale, CALID ACalendar, CALTYPE AType, wchar_t* AData, int ADataSize, DWORD* AValue)
{
  using TGetCalendarInfoW = int(WINAPI*)(LCID, CALID, CALTYPE, LPWSTR, int, LPDWORD);
  const auto getCalendarInfo = reinterpret_cast<TGetCalendarInfoW>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetCalendarInfoW")));
  return getCalendarInfo ? getCalendarInfo(ALocale, ACalendar, AType, AData, ADataSize, AValue) : 0;
}

TDay dxLocaleStartOfWeek()
{
  const rtl::String value = LocaleString(LOCALE_IFIRSTDAYOFWEEK, L"0");
  return dxDayOfWeekFromLocale(value.empty() ? 0 : value[0] - L'0');
}

TcxFirstWeekOfYear dxLocaleFirstWeekOfYear()
{
  const rtl::String value = LocaleString(LOCALE_IFIRSTWEEKOFYEAR, L"0");
  const int rule = (value.empty() ? 0 : value[0] - L'0') + 1;
  return rule >= 1 && rule <= 3 ? static_cast<TcxFirstWeekOfYear>(rule) : TcxFirstWeekOfYear::fwyJan1;
}

void cxFillLocaleFormatSettings(rtl::TFormatSettings& ASettings)
{
  ASettings.DateSeparator = cxLocaleDateSeparator();
  ASettings.ShortDateFormat = cxLocaleShortDateFormat();
  ASettings.LongDateFormat = cxLocaleLongDateFormat();
  ASettings.TimeSeparator = cxLocaleTimeSeparator();
  ASettings.LongTimeFormat = cxLocaleLongTimeFormat();
  ASettings.TimeAMString = cxLocaleTimeAMString();
  ASettings.TimePMString = cxLocaleTimePMString();
  ASettings.ListSeparator = rtl::FormatSettings().ListSeparator;
}

TDay dxStartOfWeek()
{
  return StartOfWeekAssigned ? AssignedStartOfWeek : dxLocaleStartOfWeek();
}

bool dxIsStartOfWeekAssigned()
{
  return StartOfWeekAssigned;
}

void dxSetStartOfWeek(TDay AValue)
{
  AssignedStartOfWeek = AValue;
  StartOfWeekAssigned = true;
}

void dxResetStartOfWeek()
{
  StartOfWeekAssigned = false;
}

void cxAddSmartInputToDateMask(rtl::String& AMask, bool ACanEnterTime)
{
  static constexpr std::array kWords = {cxSDateToday,   cxSDateYesterday, cxSDateTomorrow, cxSDateSunday,
                                        cxSDateMonday,  cxSDateTuesday,   cxSDateWednesday, cxSDateThursday,
                                        cxSDateFriday,  cxSDateSaturday,  cxSDateFirst,    cxSDateSecond,
                                        cxSDateThird,   cxSDateFourth,    cxSDateFifth,    cxSDateSixth,
                                        cxSDateSeventh, cxSDateBOM,       cxSDateEOM,      cxSDateNow};
  // The words are read each time, so translations apply.
  rtl::String words = QuotedWord(dxLookupResourceString(kWords[0]));
  const std::size_t count = ACanEnterTime ? kWords.size() : kWords.size() - 1;
  for (std::size_t i = 1; i < count; ++i)
    words += L"|" + QuotedWord(dxLookupResourceString(kWords[i]));
  AMask = L"(" + AMask + L")|(" + words + L")((\\+|-)\\d(\\d(\\d\\d?)?)?)?";
}

// ---------------------------------------------------------------------------
// Week numbers

namespace {

// Stands for the start of week 1 of a year that cannot be encoded.
constexpr rtl::TDateTime kNoWeekStart = -699999;

rtl::TDateTime WeekStartOf(rtl::TDateTime ADay)
{
  return ADay - dxDayOfWeekOffset(ADay);
}

rtl::TDateTime FirstWeekStart(TcxFirstWeekOfYear ARule, int AYear)
{
  rtl::TDateTime date;
  if (!cxTryEncodeDate(AYear, 1, 1, date))
    return kNoWeekStart;
  switch (ARule) {
    case TcxFirstWeekOfYear::fwyFirstFourDays:
      return WeekStartOf(date + 3);
    case TcxFirstWeekOfYear::fwyFirstFullWeek:
      return WeekStartOf(date + 6);
    default:
      return WeekStartOf(date);
  }
}

}  // namespace

int cxWeekNumber(TcxFirstWeekOfYear ARule, rtl::TDateTime ADate)
{
  const TcxFirstWeekOfYear rule = ARule == TcxFirstWeekOfYear::fwySystem ? dxLocaleFirstWeekOfYear() : ARule;
  const rtl::TDateTime day = std::trunc(ADate);
  int year, month, dayOfMonth;
  cxDecodeDate(day, year, month, dayOfMonth);
  if (month == 12) {
    const rtl::TDateTime next = FirstWeekStart(rule, year + 1);
    if (next != kNoWeekStart && day >= next)
      return 1;
  }
  rtl::TDateTime start = FirstWeekStart(rule, year);
  if (month == 1 && day < start)
    start = FirstWeekStart(rule, year - 1);
  return static_cast<int>(day - start) / 7 + 1;
}

// ---------------------------------------------------------------------------
// Formatting

namespace {

rtl::String ZeroPadded(int AValue, int ADigits)
{
  rtl::String result = std::to_wstring(AValue);
  if (static_cast<int>(result.size()) < ADigits)
    result.insert(0, static_cast<std::size_t>(ADigits) - result.size(), L'0');
  return result;
}

bool IsDatePatternStart(rtl::Char AChar)
{
  const rtl::Char c = static_cast<rtl::Char>(std::towlower(AChar));
  return c == L'"' || c == L'\'' || c == L'd' || c == L'm' || c == L'y';
}

bool UsePlatformDateTimeFormats()
{
  const TcxFormatController* controller = cxGetFormatController();
  return controller && controller->GetUsePlatformDateTimeFormats();
}

}  // namespace

rtl::String cxFormatDateByPattern(const rtl::String& APattern, rtl::Char ASeparator, rtl::TDateTime ADate)
{
  const rtl::TFormatSettings& settings = rtl::FormatSettings();
  int year, month, day;
  cxDecodeDate(ADate, year, month, day);
  const int weekDay = cxDayOfWeek(ADate) - 1;
  rtl::String result;
  rtl::String literal;
  const auto addElement = [&](const rtl::String& AElement) {
    if (!result.empty() || !literal.empty())
      result += ASeparator != 0 ? rtl::String(1, ASeparator) : literal;
    literal.clear();
    result += AElement;
  };
  std::size_t i = 0;
  while (i < APattern.size() && !IsDatePatternStart(APattern[i]))
    ++i;
  while (i < APattern.size()) {
    const rtl::Char c = static_cast<rtl::Char>(std::towlower(APattern[i]));
    std::size_t run = 1;
    while (i + run < APattern.size() && static_cast<rtl::Char>(std::towlower(APattern[i + run])) == c)
      ++run;
    switch (c) {
      case L'"':
      case L'\'': {
        const std::size_t close = APattern.find(APattern[i], i + 1);
        const std::size_t end = close == rtl::String::npos ? APattern.size() : close;
        literal += APattern.substr(i + 1, end - i - 1);
        run = end == APattern.size() ? end - i : end - i + 1;
        break;
      }
      case L'd':
        if (run == 3)
          addElement(month ? settings.ShortDayNames[weekDay] : rtl::String());
        else if (run == 4)
          addElement(month ? settings.LongDayNames[weekDay] : rtl::String());
        else
          addElement(ZeroPadded(day, run == 2 ? 2 : 1));
        break;
      case L'e':
        run = 1;
        while (i + run < APattern.size() && !IsDatePatternStart(APattern[i + run]))
          ++run;
        literal.clear();
        break;
      case L'm':
        addElement(run == 4 && month ? settings.LongMonthNames[month - 1] : ZeroPadded(month, 2));
        break;
      case L'y':
        addElement(run == 4 ? ZeroPadded(year % 10000, 4) : ZeroPadded(year % 100, 2));
        break;
      default:
        literal += APattern.substr(i, run);
        break;
    }
    i += run;
  }
  return result;
}

bool cxFormatDate(DWORD AFlags, const rtl::String& APattern, rtl::TDateTime ADate, rtl::String& AResult)
{
  if (cxIsGregorianCalendarTable() && UsePlatformDateTimeFormats()) {
    AResult = cxFormatDateByPattern(APattern.empty() ? rtl::FormatSettings().LongDateFormat : APattern, 0, ADate);
    return true;
  }
  AResult.clear();
  int year, month, day, hours, minutes, seconds, milliseconds;
  cxDecodeDate(ADate, year, month, day);
  cxDecodeTime(ADate, hours, minutes, seconds, milliseconds);
  SYSTEMTIME date{};
  date.wYear = static_cast<WORD>(year);
  date.wMonth = static_cast<WORD>(month);
  date.wDay = static_cast<WORD>(day);
  date.wDayOfWeek = static_cast<WORD>(cxDayOfWeek(ADate) - 1);
  wchar_t buffer[256] = {};
  if (year == 0 ||
      !GetDateFormatW(GetThreadLocale(), AFlags, &date, APattern.empty() ? nullptr : APattern.c_str(), buffer, 256))
    return false;
  AResult = buffer;
  return true;
}

rtl::String cxCalendarMonthName(TcxCustomCalendarTable* ATable, rtl::TDateTime ADate)
{
  TcxDateTime date = ATable->FromDateTime(ADate);
  date.Day = 1;
  rtl::String result;
  if (!(cxIsGregorianCalendarTable(ATable) && UsePlatformDateTimeFormats()) &&
      cxFormatDate(0, L"MMMM", ATable->ToDateTime(date), result))
    return result;
  return date.Month >= 1 && date.Month <= 12 ? rtl::FormatSettings().LongMonthNames[date.Month - 1] : rtl::String();
}

rtl::String cxCalendarMonthNameOf(std::uint32_t AYear, std::uint32_t AMonth, TcxCustomCalendarTable* ATable)
{
  if (cxIsGregorianCalendarTable(ATable) && UsePlatformDateTimeFormats())
    return AMonth >= 1 && AMonth <= 12 ? rtl::FormatSettings().LongMonthNames[AMonth - 1] : rtl::String();
  if (!ATable->IsValidMonth(AYear, AMonth))
    return rtl::String();
  return cxCalendarMonthName(ATable, ATable->ToDateTime(AYear, AMonth, 1));
}

// ---------------------------------------------------------------------------
// The unit

namespace {

void cxDateUtilsInitialization()
{
  AssignedStartOfWeek = dxLocaleStartOfWeek();
  StartOfWeekAssigned = false;
  cxCalendarTablesInitialize();
  dxGetUnitsLoader()->AddUnit(&cxTimeZonesLoad, &cxTimeZonesClear);
}

void cxDateUtilsFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&cxTimeZonesClear);
  cxCalendarTablesFinalize();
}

}  // namespace

RTL_UNIT(cxDateUtils, &cxDateUtilsInitialization, &cxDateUtilsFinalization);
