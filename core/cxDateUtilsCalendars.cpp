// The calendar tables of the cxDateUtils unit and the platform's date
// encoding they stand on.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/cxDateUtils.h"
#include "core/dxCore.h"
#include "platform/rtl/SysUtils.h"

using rtl::TDateTime;

namespace {

// Days from 1 January 0001 (day 1) to 30 December 1899.
constexpr int kDateDelta = 693594;
constexpr int kMSecsPerDay = 24 * 60 * 60 * 1000;
constexpr int kDaysBeforeMonth[13] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

// Every table, in order of creation; made by the unit's start-up.
std::vector<TcxCustomCalendarTable*>* CalendarTables = nullptr;

TDateTime LastMomentOf(int AYear, int AMonth, int ADay)
{
  return cxComposeDateTime(cxEncodeDate(AYear, AMonth, ADay), cxEncodeTime(23, 59, 59, 999));
}

// A date-time as a point in time: before 1899 the time of day makes the
// value more negative, so plain comparison would put the evening of the
// first supported day before its midnight.
TDateTime TimelineOf(TDateTime AValue)
{
  return AValue >= 0 ? AValue : 2 * std::trunc(AValue) - AValue;
}

bool SameText(const rtl::String& A, const rtl::String& B)
{
  return !B.empty() && CompareStringW(GetThreadLocale(), NORM_IGNORECASE, A.c_str(), static_cast<int>(A.size()),
                                      B.c_str(), static_cast<int>(B.size())) == CSTR_EQUAL;
}

}  // namespace

// Start-up and finish of the list, called by the unit.
void cxCalendarTablesInitialize()
{
  if (!CalendarTables)
    CalendarTables = new std::vector<TcxCustomCalendarTable*>();
}

void cxCalendarTablesFinalize()
{
  if (!CalendarTables)
    return;
  // Each table takes itself out of the list as it goes.
  while (!CalendarTables->empty())
    CalendarTables->back()->Free();
  delete CalendarTables;
  CalendarTables = nullptr;
}

// ---------------------------------------------------------------------------
// The platform's date encoding

bool cxIsLeapYear(int AYear)
{
  return AYear % 4 == 0 && (AYear % 100 != 0 || AYear % 400 == 0);
}

int cxDaysInAMonth(int AYear, int AMonth)
{
  if (AMonth < 1 || AMonth > 12)
    return 0;
  if (AMonth == 2)
    return cxIsLeapYear(AYear) ? 29 : 28;
  return AMonth == 4 || AMonth == 6 || AMonth == 9 || AMonth == 11 ? 30 : 31;
}

bool cxTryEncodeDate(int AYear, int AMonth, int ADay, TDateTime& AResult)
{
  if (AYear < 1 || AYear > 9999 || ADay < 1 || ADay > cxDaysInAMonth(AYear, AMonth))
    return false;
  const int i = AYear - 1;
  int days = i * 365 + i / 4 - i / 100 + i / 400 + kDaysBeforeMonth[AMonth] + ADay;
  if (AMonth > 2 && cxIsLeapYear(AYear))
    ++days;
  AResult = days - kDateDelta;
  return true;
}

TDateTime cxEncodeDate(int AYear, int AMonth, int ADay)
{
  TDateTime result;
  if (!cxTryEncodeDate(AYear, AMonth, ADay, result))
    throw rtl::EConvertError(L"Invalid argument to date encode");
  return result;
}

TDateTime cxEncodeTime(int AHours, int AMinutes, int ASeconds, int AMilliseconds)
{
  return (((AHours * 60 + AMinutes) * 60 + ASeconds) * 1000 + AMilliseconds) / static_cast<double>(kMSecsPerDay);
}

TDateTime cxComposeDateTime(TDateTime ADate, TDateTime ATime)
{
  return ADate < 0 ? ADate - ATime : ADate + ATime;
}

void cxDecodeDate(TDateTime AValue, int& AYear, int& AMonth, int& ADay)
{
  AYear = AMonth = ADay = 0;
  if (std::isnan(AValue) || AValue <= -kDateDelta || AValue >= 2958466)
    return;
  int t = static_cast<int>(std::trunc(AValue)) + kDateDelta - 1;
  const int n400 = t / 146097;
  t %= 146097;
  int n100 = t / 36524;
  t %= 36524;
  if (n100 == 4) {
    n100 = 3;
    t += 36524;
  }
  const int n4 = t / 1461;
  t %= 1461;
  int n1 = t / 365;
  t %= 365;
  if (n1 == 4) {
    n1 = 3;
    t += 365;
  }
  AYear = n400 * 400 + n100 * 100 + n4 * 4 + n1 + 1;
  AMonth = 1;
  while (t >= cxDaysInAMonth(AYear, AMonth)) {
    t -= cxDaysInAMonth(AYear, AMonth);
    ++AMonth;
  }
  ADay = t + 1;
}

void cxDecodeTime(TDateTime AValue, int& AHours, int& AMinutes, int& ASeconds, int& AMilliseconds)
{
  AHours = AMinutes = ASeconds = AMilliseconds = 0;
  if (!std::isfinite(AValue))
    return;
  // A fraction that rounds up to a whole day stays in the last millisecond.
  int ms = static_cast<int>(std::lround(std::fabs(AValue - std::trunc(AValue)) * kMSecsPerDay));
  ms = std::min(ms, kMSecsPerDay - 1);
  AMilliseconds = ms % 1000;
  ASeconds = ms / 1000 % 60;
  AMinutes = ms / 60000 % 60;
  AHours = ms / 3600000;
}

int cxDayOfWeek(TDateTime AValue)
{
  const long long days = static_cast<long long>(std::trunc(AValue)) + kDateDelta;
  return static_cast<int>(((days % 7) + 7) % 7) + 1;
}

// ---------------------------------------------------------------------------
// TcxEra

void TcxEra::Create(int AEra, TDateTime AStartDate, int AYearOffset, int AMinEraYear, int AMaxEraYear)
{
  Era = AEra;
  StartDate = AStartDate;
  YearOffset = AYearOffset;
  MinEraYear = AMinEraYear;
  MaxEraYear = AMaxEraYear;
}

void TcxEra::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TcxEra>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  const TcxEra* source = rtl::As<TcxEra>(ASource);
  Era = source->Era;
  StartDate = source->StartDate;
  YearOffset = source->YearOffset;
  MinEraYear = source->MinEraYear;
  MaxEraYear = source->MaxEraYear;
}

// ---------------------------------------------------------------------------
// TcxCustomCalendarTable

void TcxCustomCalendarTable::Create()
{
  FEras = rtl::New<TcxEras>();
  if (CalendarTables)
    CalendarTables->push_back(this);
}

void TcxCustomCalendarTable::Destroy()
{
  if (CalendarTables)
    std::erase(*CalendarTables, this);
  rtl::FreeAndNil(FEras);
  inherited::Destroy();
}

int TcxCustomCalendarTable::ConvertYear(std::uint32_t AYear, std::int32_t AEra) const
{
  const int year = static_cast<int>(AYear);
  if (AEra == -1)
    return DefaultEra() ? year + DefaultEra()->YearOffset : year;
  if (AEra >= 0 && AEra < FEras->GetCount())
    return year + FEras->GetItems(AEra)->YearOffset;
  return year;
}

TDateTime TcxCustomCalendarTable::TimeOf(const TcxDateTime& ADate)
{
  return cxEncodeTime(ADate.Hours, ADate.Minutes, ADate.Seconds, ADate.Milliseconds);
}

void TcxCustomCalendarTable::SetTimeOf(TcxDateTime& ADate, TDateTime AValue)
{
  int hours, minutes, seconds, milliseconds;
  cxDecodeTime(AValue, hours, minutes, seconds, milliseconds);
  ADate.Hours = static_cast<std::uint8_t>(hours);
  ADate.Minutes = static_cast<std::uint8_t>(minutes);
  ADate.Seconds = static_cast<std::uint8_t>(seconds);
  ADate.Milliseconds = static_cast<std::uint16_t>(milliseconds);
}

TDateTime TcxCustomCalendarTable::Clamped(TDateTime AValue) const
{
  ClampToSupportedRange(AValue);
  return AValue;
}

void TcxCustomCalendarTable::AdjustYearAndEra(std::uint32_t& AYear, std::int32_t& AEra)
{
  AdjustYearAndEraForDate(AYear, AEra, 1, 1);
}

void TcxCustomCalendarTable::AdjustYearAndEraForDate(std::uint32_t& AYear, std::int32_t& AEra, std::uint32_t AMonth,
                                                     std::uint32_t ADay)
{
  const int gregorianYear = ConvertYear(AYear, AEra);
  AEra = GetEra(static_cast<std::uint32_t>(gregorianYear), AMonth, ADay);
  if (AEra >= 0)
    AYear = static_cast<std::uint32_t>(gregorianYear - FEras->GetItems(AEra)->YearOffset);
}

TDateTime TcxCustomCalendarTable::MaxSupportedDate() const
{
  return LastMomentOf(9999, 12, 31);
}

TDateTime TcxCustomCalendarTable::MinSupportedDate() const
{
  return cxEncodeDate(1, 1, 1);
}

void TcxCustomCalendarTable::ClampToSupportedRange(TDateTime& ADate) const
{
  if (std::isnan(ADate) || TimelineOf(ADate) > TimelineOf(MaxSupportedDate()))
    ADate = MaxSupportedDate();
  else if (TimelineOf(ADate) < TimelineOf(MinSupportedDate()))
    ADate = MinSupportedDate();
}

TDateTime TcxCustomCalendarTable::AddDays(const TcxDateTime& ADate, int ACount)
{
  if (!IsValidDateTime(ADate))
    return MinSupportedDate();
  return Clamped(ToDateTime(ADate) + ACount);
}

TDateTime TcxCustomCalendarTable::AddWeeks(TDateTime ADate, int ACount)
{
  return AddWeeks(FromDateTime(ADate), ACount);
}

TDateTime TcxCustomCalendarTable::AddWeeks(const TcxDateTime& ADate, int ACount)
{
  return AddDays(ADate, 7 * ACount);
}

TDateTime TcxCustomCalendarTable::AddMonths(TDateTime ADate, int ACount)
{
  return AddMonths(FromDateTime(ADate), ACount);
}

TDateTime TcxCustomCalendarTable::AddMonths(const TcxDateTime& ADate, int ACount)
{
  if (!IsValidDateTime(ADate))
    return MinSupportedDate();
  long long month = static_cast<long long>(ADate.Month) + ACount;
  long long year = ADate.Year;
  // Year by year, each with its own month count; a walk out of any
  // calendar's years ends at the nearer end of the range.
  while (month <= 0 || month > GetMonthsInYear(ADate.Era, static_cast<std::uint32_t>(year))) {
    if (month > 0) {
      month -= GetMonthsInYear(ADate.Era, static_cast<std::uint32_t>(year));
      if (++year > 100000)
        return MaxSupportedDate();
    } else {
      if (--year < 0)
        return MinSupportedDate();
      month += GetMonthsInYear(ADate.Era, static_cast<std::uint32_t>(year));
    }
  }
  TcxDateTime result = ADate;
  result.Year = static_cast<std::uint32_t>(year);
  result.Month = static_cast<std::uint32_t>(month);
  if (!IsValidDay(result.Era, result.Year, result.Month, result.Day))
    result.Day = GetDaysInMonth(result.Era, result.Year, result.Month);
  AdjustYearAndEraForDate(result.Year, result.Era, result.Month, result.Day);
  if (!IsValidDateTime(result))
    return MinSupportedDate();
  return Clamped(ToDateTime(result));
}

TDateTime TcxCustomCalendarTable::AddYears(TDateTime ADate, int ACount)
{
  return AddYears(FromDateTime(ADate), ACount);
}

TDateTime TcxCustomCalendarTable::AddYears(const TcxDateTime& ADate, int ACount)
{
  if (!IsValidDateTime(ADate))
    return MinSupportedDate();
  const long long year = static_cast<long long>(ADate.Year) + ACount;
  if (year < 0 || year > UINT32_MAX)
    return MinSupportedDate();
  TcxDateTime result = ADate;
  result.Year = static_cast<std::uint32_t>(year);
  AdjustYearAndEra(result.Year, result.Era);
  if (!IsValidYear(result.Era, result.Year))
    return MinSupportedDate();
  if (!IsValidMonth(result.Era, result.Year, result.Month))
    result.Month = GetMonthsInYear(result.Era, result.Year);
  if (!IsValidDay(result.Era, result.Year, result.Month, result.Day))
    result.Day = GetDaysInMonth(result.Era, result.Year, result.Month);
  AdjustYearAndEraForDate(result.Year, result.Era, result.Month, result.Day);
  if (!IsValidDateTime(result))
    return MinSupportedDate();
  return Clamped(ToDateTime(result));
}

TcxDateTime TcxCustomCalendarTable::FromDateTime(TDateTime)
{
  rtl::AbstractError();
}

TcxDateTime TcxCustomCalendarTable::FromDateTime(std::uint32_t AYear, std::uint32_t AMonth, std::uint32_t ADay)
{
  return FromDateTime(AYear, AMonth, ADay, 0, 0, 0, 0);
}

TcxDateTime TcxCustomCalendarTable::FromDateTime(std::uint32_t AYear, std::uint32_t AMonth, std::uint32_t ADay,
                                                 std::uint8_t AHours, std::uint8_t AMinutes, std::uint8_t ASeconds,
                                                 std::uint16_t AMilliseconds)
{
  // The parts are a Gregorian date; one that does not exist converts the
  // first supported day.
  TDateTime date;
  if (AYear > 9999 ||
      !cxTryEncodeDate(static_cast<int>(AYear), static_cast<int>(AMonth), static_cast<int>(ADay), date))
    return FromDateTime(MinSupportedDate());
  return FromDateTime(cxComposeDateTime(date, cxEncodeTime(AHours, AMinutes, ASeconds, AMilliseconds)));
}

std::uint32_t TcxCustomCalendarTable::GetDayOfYear(TDateTime ADate)
{
  return GetDayOfYear(FromDateTime(ADate));
}

std::uint32_t TcxCustomCalendarTable::GetDayOfYear(const TcxDateTime& ADate)
{
  // The months of the date's own era: its year may be a leap year where the
  // same number in the default era is not.
  std::uint32_t result = ADate.Day;
  for (std::uint32_t month = 1; month < ADate.Month; ++month)
    result += GetDaysInMonth(ADate.Era, ADate.Year, month);
  return result;
}

std::uint32_t TcxCustomCalendarTable::GetDaysInMonth(std::uint32_t AYear, std::uint32_t AMonth)
{
  return GetDaysInMonth(-1, AYear, AMonth);
}

std::uint32_t TcxCustomCalendarTable::GetDaysInMonth(std::int32_t, std::uint32_t, std::uint32_t)
{
  rtl::AbstractError();
}

std::uint32_t TcxCustomCalendarTable::GetDaysInYear(std::uint32_t AYear)
{
  return GetDaysInYear(-1, AYear);
}

std::uint32_t TcxCustomCalendarTable::GetDaysInYear(std::int32_t, std::uint32_t)
{
  rtl::AbstractError();
}

std::int32_t TcxCustomCalendarTable::GetEra(std::uint32_t AYear)
{
  return GetEra(AYear, 1, 1);
}

std::int32_t TcxCustomCalendarTable::GetEra(std::uint32_t AYear, std::uint32_t AMonth, std::uint32_t ADay)
{
  if (FEras->GetCount() == 0 || AYear < 1)
    return -1;
  if (AYear > 9999)
    return FEras->GetCount() - 1;
  const int year = static_cast<int>(AYear);
  const int month = std::clamp(static_cast<int>(std::min<std::uint32_t>(AMonth, 12)), 1, 12);
  const int day = std::clamp(static_cast<int>(std::min<std::uint32_t>(ADay, 31)), 1, cxDaysInAMonth(year, month));
  const TDateTime date = cxEncodeDate(year, month, day);
  std::int32_t result = -1;
  for (int i = 0; i < FEras->GetCount(); ++i)
    if (FEras->GetItems(i)->StartDate <= date)
      result = i;
  return result;
}

TDateTime TcxCustomCalendarTable::GetFirstDayOfWeek(TDateTime ADate)
{
  return GetFirstDayOfWeek(ADate, static_cast<TDay>(GetFirstWeekDay()));
}

TDateTime TcxCustomCalendarTable::GetFirstDayOfWeek(TDateTime ADate, TDay AStartDayOfWeek)
{
  return ADate - (GetWeekDay(ADate) - static_cast<int>(AStartDayOfWeek) + 7) % 7;
}

TcxDateTime TcxCustomCalendarTable::GetFirstDayOfWeek(const TcxDateTime& ADate)
{
  return GetFirstDayOfWeek(ADate, static_cast<TDay>(GetFirstWeekDay()));
}

TcxDateTime TcxCustomCalendarTable::GetFirstDayOfWeek(const TcxDateTime& ADate, TDay AStartDayOfWeek)
{
  return FromDateTime(Clamped(GetFirstDayOfWeek(ToDateTime(ADate), AStartDayOfWeek)));
}

TDateTime TcxCustomCalendarTable::GetFirstDayOfMonth(TDateTime ADate)
{
  return ToDateTime(GetFirstDayOfMonth(FromDateTime(ADate)));
}

TcxDateTime TcxCustomCalendarTable::GetFirstDayOfMonth(const TcxDateTime& ADate)
{
  TcxDateTime result = ADate;
  result.Day = 1;
  return result;
}

TDateTime TcxCustomCalendarTable::GetFirstDayOfYear(TDateTime ADate)
{
  return ToDateTime(GetFirstDayOfYear(FromDateTime(ADate)));
}

TcxDateTime TcxCustomCalendarTable::GetFirstDayOfYear(const TcxDateTime& ADate)
{
  TcxDateTime result = ADate;
  result.Month = 1;
  result.Day = 1;
  return result;
}

int TcxCustomCalendarTable::GetFirstWeekDay()
{
  rtl::AbstractError();
}

std::uint32_t TcxCustomCalendarTable::GetFullWeeksInYear(std::uint32_t)
{
  rtl::AbstractError();
}

TDateTime TcxCustomCalendarTable::GetLastDayOfMonth(TDateTime ADate)
{
  return ToDateTime(GetLastDayOfMonth(FromDateTime(ADate)));
}

TcxDateTime TcxCustomCalendarTable::GetLastDayOfMonth(const TcxDateTime& ADate)
{
  TcxDateTime result = ADate;
  result.Day = GetDaysInMonth(ADate.Era, ADate.Year, ADate.Month);
  return result;
}

TDateTime TcxCustomCalendarTable::GetLastDayOfYear(TDateTime ADate)
{
  return ToDateTime(GetLastDayOfYear(FromDateTime(ADate)));
}

TcxDateTime TcxCustomCalendarTable::GetLastDayOfYear(const TcxDateTime& ADate)
{
  TcxDateTime result = ADate;
  result.Month = GetMonthsInYear(ADate.Era, ADate.Year);
  result.Day = GetDaysInMonth(ADate.Era, ADate.Year, result.Month);
  return result;
}

std::uint32_t TcxCustomCalendarTable::GetMonthsInYear(std::uint32_t AYear)
{
  return GetMonthsInYear(-1, AYear);
}

std::uint32_t TcxCustomCalendarTable::GetMonthsInYear(std::int32_t, std::uint32_t)
{
  rtl::AbstractError();
}

std::uint32_t TcxCustomCalendarTable::GetYear(TDateTime ADate)
{
  return FromDateTime(ADate).Year;
}

std::uint32_t TcxCustomCalendarTable::GetYear(const TcxDate& ADate)
{
  return ADate.Year;
}

std::uint32_t TcxCustomCalendarTable::GetYear(const TcxDateTime& ADate)
{
  return ADate.Year;
}

int TcxCustomCalendarTable::GetWeekDay(TDateTime ADate)
{
  return cxDayOfWeek(ADate) - 1;
}

int TcxCustomCalendarTable::GetWeekDay(const TcxDateTime& ADate)
{
  return GetWeekDay(ToDateTime(ADate));
}

int TcxCustomCalendarTable::GetWeekNumber(TDateTime ADate, TDay AStartOfWeek, TcxFirstWeekOfYear AFirstWeekOfYear)
{
  return GetWeekNumber(FromDateTime(ADate), AStartOfWeek, AFirstWeekOfYear);
}

int TcxCustomCalendarTable::GetWeekNumber(const TcxDateTime&, TDay, TcxFirstWeekOfYear)
{
  rtl::AbstractError();
}

bool TcxCustomCalendarTable::IsLeapDay(std::uint32_t AYear, std::uint32_t AMonth, std::uint32_t ADay)
{
  return IsLeapDay(-1, AYear, AMonth, ADay);
}

bool TcxCustomCalendarTable::IsLeapDay(std::int32_t, std::uint32_t, std::uint32_t, std::uint32_t)
{
  rtl::AbstractError();
}

bool TcxCustomCalendarTable::IsLeapMonth(std::uint32_t AYear, std::uint32_t AMonth)
{
  return IsLeapMonth(-1, AYear, AMonth);
}

bool TcxCustomCalendarTable::IsLeapMonth(std::int32_t, std::uint32_t, std::uint32_t)
{
  rtl::AbstractError();
}

bool TcxCustomCalendarTable::IsLeapYear(std::uint32_t AYear)
{
  return IsLeapYear(-1, AYear);
}

bool TcxCustomCalendarTable::IsLeapYear(std::int32_t, std::uint32_t)
{
  rtl::AbstractError();
}

bool TcxCustomCalendarTable::IsValidYear(std::uint32_t AYear)
{
  return IsValidYear(-1, AYear);
}

bool TcxCustomCalendarTable::IsValidYear(std::int32_t, std::uint32_t AYear)
{
  return AYear >= MinSupportedYear() && AYear <= MaxSupportedYear();
}

bool TcxCustomCalendarTable::IsValidMonth(std::uint32_t AYear, std::uint32_t AMonth)
{
  return IsValidMonth(-1, AYear, AMonth);
}

bool TcxCustomCalendarTable::IsValidMonth(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth)
{
  return IsValidYear(AEra, AYear) && AMonth >= 1 && AMonth <= GetMonthsInYear(AEra, AYear);
}

bool TcxCustomCalendarTable::IsValidDay(std::uint32_t AYear, std::uint32_t AMonth, std::uint32_t ADay)
{
  return IsValidDay(-1, AYear, AMonth, ADay);
}

bool TcxCustomCalendarTable::IsValidDay(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth,
                                        std::uint32_t ADay)
{
  return IsValidMonth(AEra, AYear, AMonth) && ADay >= 1 && ADay <= GetDaysInMonth(AEra, AYear, AMonth);
}

bool TcxCustomCalendarTable::IsValidDate(TDateTime ADate)
{
  return IsValidDateTime(FromDateTime(ADate));
}

TDateTime TcxCustomCalendarTable::ToDateTime(const TcxDate& ADate)
{
  return ToDateTime(TcxDateTime{ADate.Era, ADate.Year, ADate.Month, ADate.Day, 0, 0, 0, 0});
}

TDateTime TcxCustomCalendarTable::ToDateTime(std::uint32_t AYear, std::uint32_t AMonth, std::uint32_t ADay)
{
  return ToDateTime(TcxDateTime{-1, AYear, AMonth, ADay, 0, 0, 0, 0});
}

TDateTime TcxCustomCalendarTable::ToDateTime(std::uint32_t AYear, std::uint32_t AMonth, std::uint32_t ADay,
                                             std::uint8_t AHours, std::uint8_t AMinutes, std::uint8_t ASeconds,
                                             std::uint16_t AMilliseconds)
{
  return ToDateTime(TcxDateTime{-1, AYear, AMonth, ADay, AHours, AMinutes, ASeconds, AMilliseconds});
}

TDateTime TcxCustomCalendarTable::ToDateTime(const TcxDateTime&)
{
  rtl::AbstractError();
}

std::uint32_t TcxCustomCalendarTable::GetDayNumber(const rtl::String& S)
{
  return static_cast<std::uint32_t>(rtl::StrToInt(S));
}

std::uint32_t TcxCustomCalendarTable::GetMonthNumber(std::uint32_t, const rtl::String& S)
{
  const rtl::TFormatSettings& settings = rtl::FormatSettings();
  for (std::uint32_t month = 1; month <= 12; ++month)
    if (SameText(S, settings.LongMonthNames[month - 1]) || SameText(S, settings.ShortMonthNames[month - 1]))
      return month;
  return static_cast<std::uint32_t>(rtl::StrToInt(S));
}

std::uint32_t TcxCustomCalendarTable::GetYearNumber(const rtl::String& S)
{
  const int year = rtl::StrToInt(S);
  if (S.size() > 2)
    return static_cast<std::uint32_t>(year);
  DWORD maximum = 0;
  if (!cxGetCalendarInfo(GetThreadLocale(), CalendarIdentifier(), CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr,
                         0, &maximum))
    maximum = 0;
  int result = year + static_cast<int>(maximum / 100) * 100;
  if (static_cast<int>(maximum % 100) < year)
    result -= 100;
  return static_cast<std::uint32_t>(result);
}

int TcxCustomCalendarTable::GetCalendarWeekNumber(const TcxDateTime& ADate, TcxFirstWeekOfYear AFirstWeekOfYear)
{
  const TcxFirstWeekOfYear rule =
      AFirstWeekOfYear == TcxFirstWeekOfYear::fwySystem ? dxLocaleFirstWeekOfYear() : AFirstWeekOfYear;
  const TDateTime yearStart = ToDateTime(TcxDateTime{-1, ADate.Year, 1, 1, 0, 0, 0, 0});
  TDateTime start = GetFirstDayOfWeek(yearStart);
  if ((rule == TcxFirstWeekOfYear::fwyFirstFullWeek && start < yearStart) ||
      (rule == TcxFirstWeekOfYear::fwyFirstFourDays && start + 3 < yearStart))
    start += 7;
  const TDateTime date = std::trunc(ToDateTime(ADate));
  int result = static_cast<int>(std::trunc(date - start)) / 7 + 1;
  if (ADate.Month == GetMonthsInYear(-1, ADate.Year)) {
    // The last days of the year may open week 1 of the next one.
    const TDateTime weekStart = GetFirstDayOfWeek(date);
    if ((rule == TcxFirstWeekOfYear::fwyJan1 && FromDateTime(Clamped(weekStart + 6)).Month == 1) ||
        (rule == TcxFirstWeekOfYear::fwyFirstFourDays && FromDateTime(Clamped(weekStart + 3)).Month == 1))
      result = 1;
  }
  return result;
}

// ---------------------------------------------------------------------------
// TcxGregorianCalendarTable

void TcxGregorianCalendarTable::Create()
{
  inherited::Create();
  FDefaultEra = rtl::New<TcxEra>(-1, -700000.0, 0, 1, 9999);
}

void TcxGregorianCalendarTable::Destroy()
{
  rtl::FreeAndNil(FDefaultEra);
  inherited::Destroy();
}

TDateTime TcxGregorianCalendarTable::MaxSupportedDate() const
{
  return LastMomentOf(9999, 12, 31);
}

TDateTime TcxGregorianCalendarTable::MinSupportedDate() const
{
  return cxEncodeDate(100, 1, 1);
}

TcxDateTime TcxGregorianCalendarTable::FromDateTime(TDateTime ADate)
{
  int year, month, day;
  cxDecodeDate(ADate, year, month, day);
  TcxDateTime result{0, static_cast<std::uint32_t>(year), static_cast<std::uint32_t>(month),
                     static_cast<std::uint32_t>(day), 0, 0, 0, 0};
  SetTimeOf(result, ADate);
  return result;
}

std::uint32_t TcxGregorianCalendarTable::GetDaysInMonth(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth)
{
  if (AMonth == 2)
    return IsLeapYear(AEra, AYear) ? 29 : 28;
  return static_cast<std::uint32_t>(cxDaysInAMonth(2001, static_cast<int>(std::min<std::uint32_t>(AMonth, 13))));
}

std::uint32_t TcxGregorianCalendarTable::GetDaysInYear(std::int32_t AEra, std::uint32_t AYear)
{
  return IsLeapYear(AEra, AYear) ? 366 : 365;
}

std::uint32_t TcxGregorianCalendarTable::GetFullWeeksInYear(std::uint32_t AYear)
{
  const int offset = (GetWeekDay(ToDateTime(AYear, 1, 1)) - GetFirstWeekDay() + 7) % 7;
  return (IsLeapYear(AYear) && offset > 4) || offset > 5 ? 53 : 52;
}

std::uint32_t TcxGregorianCalendarTable::GetMonthsInYear(std::int32_t, std::uint32_t)
{
  return 12;
}

int TcxGregorianCalendarTable::GetWeekNumber(const TcxDateTime& ADate, TDay, TcxFirstWeekOfYear AFirstWeekOfYear)
{
  return cxWeekNumber(AFirstWeekOfYear, ToDateTime(ADate));
}

bool TcxGregorianCalendarTable::IsLeapDay(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth,
                                          std::uint32_t ADay)
{
  return IsLeapMonth(AEra, AYear, AMonth) && ADay == 29;
}

bool TcxGregorianCalendarTable::IsLeapMonth(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth)
{
  return AMonth == 2 && IsLeapYear(AEra, AYear);
}

bool TcxGregorianCalendarTable::IsLeapYear(std::int32_t AEra, std::uint32_t AYear)
{
  return cxIsLeapYear(ConvertYear(AYear, AEra));
}

TDateTime TcxGregorianCalendarTable::ToDateTime(const TcxDateTime& ADateTime)
{
  TDateTime date;
  if (!IsValidDateTime(ADateTime) ||
      !cxTryEncodeDate(ConvertYear(ADateTime.Year, ADateTime.Era), static_cast<int>(ADateTime.Month),
                       static_cast<int>(ADateTime.Day), date))
    return MinSupportedDate();
  return cxComposeDateTime(date, TimeOf(ADateTime));
}

// ---------------------------------------------------------------------------
// TcxJapaneseCalendarTable and the one-era calendars

void TcxJapaneseCalendarTable::Create()
{
  inherited::Create();
  AddEras();
}

void TcxJapaneseCalendarTable::AddEras()
{
  FEras->Add(rtl::New<TcxEra>(1, cxEncodeDate(1868, 9, 8), 1867, 1, 45));
  FEras->Add(rtl::New<TcxEra>(2, cxEncodeDate(1912, 7, 30), 1911, 1, 15));
  FEras->Add(rtl::New<TcxEra>(3, cxEncodeDate(1926, 12, 25), 1925, 1, 64));
  FEras->Add(rtl::New<TcxEra>(4, cxEncodeDate(1989, 1, 8), 1988, 1, 8011));
}

void TcxTaiwanCalendarTable::AddEras()
{
  FEras->Add(rtl::New<TcxEra>(1, cxEncodeDate(1912, 1, 1), 1911, 1, 8088));
}

void TcxKoreanCalendarTable::AddEras()
{
  FEras->Add(rtl::New<TcxEra>(0, cxEncodeDate(1, 1, 1), -2333, 2334, 12332));
}

void TcxThaiCalendarTable::AddEras()
{
  FEras->Add(rtl::New<TcxEra>(0, cxEncodeDate(1, 1, 1), -543, 544, 10542));
}

TcxEra* TcxJapaneseCalendarTable::DefaultEra() const
{
  return FEras->GetCount() > 0 ? FEras->GetItems(FEras->GetCount() - 1) : nullptr;
}

TDateTime TcxJapaneseCalendarTable::MaxSupportedDate() const
{
  return cxEncodeDate(9999, 12, 31);
}

TDateTime TcxJapaneseCalendarTable::MinSupportedDate() const
{
  return FEras->GetItems(0)->StartDate;
}

std::uint32_t TcxJapaneseCalendarTable::MaxSupportedYear() const
{
  return static_cast<std::uint32_t>(DefaultEra()->MaxEraYear);
}

std::uint32_t TcxJapaneseCalendarTable::MinSupportedYear() const
{
  return static_cast<std::uint32_t>(DefaultEra()->MinEraYear);
}

TcxDateTime TcxJapaneseCalendarTable::FromDateTime(TDateTime ADate)
{
  // A date before the first era has no year to count in it.
  TcxDateTime result = inherited::FromDateTime(Clamped(ADate));
  result.Era = GetEra(result.Year, result.Month, result.Day);
  const TcxEra* era = result.Era >= 0 ? FEras->GetItems(result.Era) : DefaultEra();
  result.Year = static_cast<std::uint32_t>(static_cast<int>(result.Year) - era->YearOffset);
  return result;
}

TDateTime TcxJapaneseCalendarTable::ToDateTime(const TcxDateTime& ADateTime)
{
  return inherited::ToDateTime(ADateTime);
}

// ---------------------------------------------------------------------------
// TcxHijriCalendarTable

namespace {

// Days from 1 January 0001 to the day before 1 Muharram of year 1.
constexpr int kHijriEpochDays = 227013;

bool IsHijriCycleLeapYear(int ACycleYear)
{
  switch (ACycleYear) {
    case 2: case 5: case 7: case 10: case 13: case 15: case 18: case 21: case 24: case 26: case 29:
      return true;
    default:
      return false;
  }
}

int HijriLeapYearsUpTo(int ACycleYear)
{
  int result = 0;
  for (int year = 1; year <= ACycleYear; ++year)
    if (IsHijriCycleLeapYear(year))
      ++result;
  return result;
}

}  // namespace

void TcxHijriCalendarTable::Create()
{
  inherited::Create();
  FDefaultEra = rtl::New<TcxEra>(-1, -700000.0, 0, 1, 9999);
}

void TcxHijriCalendarTable::Destroy()
{
  rtl::FreeAndNil(FDefaultEra);
  inherited::Destroy();
}

TDateTime TcxHijriCalendarTable::MaxSupportedDate() const
{
  return cxEncodeDate(9666, 4, 3);
}

TDateTime TcxHijriCalendarTable::MinSupportedDate() const
{
  // 1 Muharram of year 1 by the day count below; the two days before it
  // would convert to a year 0 that no operation accepts.
  return cxEncodeDate(622, 7, 18);
}

bool TcxHijriCalendarTable::IsLeapYear(std::int32_t, std::uint32_t AYear)
{
  return IsHijriCycleLeapYear(static_cast<int>(AYear % 30));
}

std::uint32_t TcxHijriCalendarTable::GetDaysInMonth(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth)
{
  if (AMonth == 12 && IsLeapYear(AEra, AYear))
    return 30;
  return AMonth >= 2 && AMonth <= 12 && AMonth % 2 == 0 ? 29 : 30;
}

std::uint32_t TcxHijriCalendarTable::GetDaysInYear(std::int32_t AEra, std::uint32_t AYear)
{
  return IsLeapYear(AEra, AYear) ? 355 : 354;
}

bool TcxHijriCalendarTable::IsLeapMonth(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth)
{
  return AMonth == 12 && IsLeapYear(AEra, AYear);
}

bool TcxHijriCalendarTable::IsLeapDay(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth,
                                      std::uint32_t ADay)
{
  return IsLeapMonth(AEra, AYear, AMonth) && ADay == 30;
}

TcxDateTime TcxHijriCalendarTable::FromDateTime(TDateTime ADate)
{
  // Outside the range the day count would run negative.
  ClampToSupportedRange(ADate);
  TcxDateTime result{-1, 0, 1, 1, 0, 0, 0, 0};
  SetTimeOf(result, ADate);
  int days = static_cast<int>(std::trunc(ADate - cxEncodeDate(1, 1, 1) + 1)) - kHijriEpochDays;
  const int years = days * 30 / 10631;
  days -= years * 354;
  days -= years / 30 * 11;
  days -= HijriLeapYearsUpTo(years % 30);
  std::uint32_t year = static_cast<std::uint32_t>(years + 1);
  // The estimate may pass the start of the date's year: the date is then one
  // of the last days of the year before.
  while (days <= 0 && year > 1) {
    --year;
    days += static_cast<int>(GetDaysInYear(-1, year));
  }
  std::uint32_t month = 1;
  while (static_cast<int>(GetDaysInMonth(-1, year, month)) < days) {
    days -= static_cast<int>(GetDaysInMonth(-1, year, month));
    if (++month > 12) {
      month = 1;
      ++year;
    }
  }
  result.Year = year;
  result.Month = month;
  result.Day = static_cast<std::uint32_t>(std::max(days, 1));
  return result;
}

TDateTime TcxHijriCalendarTable::ToDateTime(const TcxDateTime& ADateTime)
{
  if (!IsValidDateTime(ADateTime))
    return MinSupportedDate();
  const int years = static_cast<int>(ADateTime.Year) - 1;
  const int days = kHijriEpochDays + years * 354 + years / 30 * 11 + HijriLeapYearsUpTo(years % 30) +
                   static_cast<int>(GetDayOfYear(ADateTime)) - 1;
  return cxComposeDateTime(cxEncodeDate(1, 1, 1) + days, TimeOf(ADateTime));
}

std::uint32_t TcxHijriCalendarTable::GetMonthNumber(std::uint32_t AYear, const rtl::String& S)
{
  for (std::uint32_t month = 1; month <= 12; ++month)
    if (SameText(S, cxCalendarMonthNameOf(AYear, month, this)))
      return month;
  return inherited::GetMonthNumber(AYear, S);
}

int TcxHijriCalendarTable::GetWeekNumber(const TcxDateTime& ADate, TDay, TcxFirstWeekOfYear AFirstWeekOfYear)
{
  return GetCalendarWeekNumber(ADate, AFirstWeekOfYear);
}

// ---------------------------------------------------------------------------
// TcxHebrewCalendarTable

namespace {

struct THebrewYear {
  // The Hebrew date of 1 January: 1 to 29 that day of month 4, 30 day 30 and
  // 33 day 29 of month 3, 0, 31 and 32 days 1 to 3 of month 5.
  std::uint8_t NewYearsDayCode;
  // 1 to 3: 353 to 355 days; 4 to 6: 383 to 385 days.
  std::uint8_t Type;
};

constexpr int kHebrewFirstGregorianYear = 1583;
constexpr int kHebrewYearDelta = 3760;

// Gregorian 1583 to 2240 (and a closing pair), computed by the arithmetic
// Hebrew calendar.
constexpr THebrewYear kHebrewYears[] = {
    {7, 3}, {17, 3}, {0, 4}, {11, 2}, {21, 6}, {1, 3}, {13, 2}, {25, 4}, {5, 3}, {16, 2},
    {27, 6}, {9, 1}, {20, 2}, {0, 6}, {11, 3}, {23, 4}, {4, 2}, {14, 3}, {27, 4}, {8, 2},
    {18, 3}, {28, 6}, {11, 1}, {22, 5}, {2, 3}, {12, 3}, {25, 4}, {6, 2}, {16, 3}, {26, 6},
    {8, 2}, {20, 1}, {0, 6}, {11, 2}, {24, 4}, {4, 3}, {15, 2}, {25, 6}, {8, 1}, {19, 2},
    {29, 6}, {9, 3}, {22, 4}, {3, 2}, {13, 3}, {25, 4}, {6, 3}, {17, 2}, {27, 6}, {7, 3},
    {19, 2}, {31, 4}, {11, 3}, {23, 4}, {5, 2}, {15, 3}, {25, 6}, {6, 2}, {19, 1}, {29, 6},
    {10, 2}, {22, 4}, {3, 3}, {14, 2}, {24, 6}, {6, 1}, {17, 3}, {28, 5}, {8, 3}, {20, 1},
    {32, 5}, {12, 3}, {22, 6}, {4, 1}, {16, 2}, {26, 6}, {6, 3}, {17, 2}, {0, 4}, {10, 3},
    {22, 4}, {3, 2}, {14, 3}, {24, 6}, {5, 2}, {17, 1}, {28, 6}, {9, 2}, {19, 3}, {31, 4},
    {13, 2}, {23, 6}, {3, 3}, {15, 1}, {27, 5}, {7, 3}, {17, 3}, {29, 4}, {11, 2}, {21, 6},
    {3, 1}, {14, 2}, {25, 6}, {5, 3}, {16, 2}, {28, 4}, {9, 3}, {20, 2}, {0, 6}, {12, 1},
    {23, 6}, {4, 2}, {14, 3}, {26, 4}, {8, 2}, {18, 3}, {0, 4}, {10, 3}, {21, 5}, {1, 3},
    {13, 1}, {24, 5}, {5, 3}, {15, 3}, {27, 4}, {8, 2}, {19, 3}, {29, 6}, {10, 2}, {22, 4},
    {3, 3}, {14, 2}, {26, 4}, {6, 3}, {18, 2}, {28, 6}, {10, 1}, {20, 6}, {2, 2}, {12, 3},
    {24, 4}, {5, 2}, {16, 3}, {28, 4}, {8, 3}, {19, 2}, {0, 6}, {12, 1}, {23, 5}, {3, 3},
    {14, 3}, {26, 4}, {7, 2}, {17, 3}, {28, 6}, {9, 2}, {21, 4}, {1, 3}, {13, 2}, {25, 4},
    {5, 3}, {16, 2}, {27, 6}, {9, 1}, {19, 3}, {0, 5}, {11, 3}, {23, 4}, {4, 2}, {14, 3},
    {25, 6}, {7, 1}, {18, 2}, {28, 6}, {9, 3}, {21, 4}, {2, 2}, {12, 3}, {25, 4}, {6, 2},
    {16, 3}, {26, 6}, {8, 2}, {20, 1}, {0, 6}, {11, 2}, {22, 6}, {4, 1}, {15, 2}, {25, 6},
    {6, 3}, {18, 1}, {29, 5}, {9, 3}, {22, 4}, {2, 3}, {13, 2}, {23, 6}, {4, 3}, {15, 2},
    {27, 4}, {7, 3}, {19, 2}, {31, 4}, {11, 3}, {21, 6}, {3, 2}, {15, 1}, {25, 6}, {6, 2},
    {17, 3}, {29, 4}, {10, 2}, {20, 6}, {3, 1}, {13, 3}, {24, 5}, {4, 3}, {16, 1}, {27, 5},
    {7, 3}, {17, 3}, {0, 4}, {11, 2}, {21, 6}, {1, 3}, {13, 2}, {25, 4}, {5, 3}, {16, 2},
    {29, 4}, {9, 3}, {19, 6}, {30, 2}, {13, 1}, {23, 6}, {4, 2}, {14, 3}, {27, 4}, {8, 2},
    {18, 3}, {0, 4}, {11, 3}, {22, 5}, {2, 3}, {14, 1}, {26, 5}, {6, 3}, {16, 3}, {28, 4},
    {10, 2}, {20, 6}, {30, 3}, {11, 2}, {24, 4}, {4, 3}, {15, 2}, {25, 6}, {8, 1}, {19, 2},
    {29, 6}, {9, 3}, {22, 4}, {3, 2}, {13, 3}, {25, 4}, {7, 2}, {17, 3}, {27, 6}, {9, 1},
    {21, 5}, {1, 3}, {11, 3}, {23, 4}, {5, 2}, {15, 3}, {25, 6}, {6, 2}, {19, 1}, {29, 6},
    {10, 2}, {22, 4}, {3, 3}, {14, 2}, {24, 6}, {6, 1}, {18, 2}, {28, 6}, {8, 3}, {20, 4},
    {2, 2}, {12, 3}, {24, 4}, {4, 3}, {16, 2}, {26, 6}, {6, 3}, {17, 2}, {0, 4}, {10, 3},
    {22, 4}, {3, 2}, {14, 3}, {24, 6}, {5, 2}, {17, 1}, {28, 6}, {9, 2}, {21, 4}, {1, 3},
    {13, 2}, {23, 6}, {5, 1}, {15, 3}, {27, 5}, {7, 3}, {19, 1}, {0, 5}, {10, 3}, {22, 4},
    {2, 3}, {13, 2}, {24, 6}, {4, 3}, {15, 2}, {27, 4}, {8, 3}, {20, 4}, {1, 2}, {11, 3},
    {22, 6}, {3, 2}, {15, 1}, {25, 6}, {7, 2}, {17, 3}, {29, 4}, {10, 2}, {21, 6}, {1, 3},
    {13, 1}, {24, 5}, {5, 3}, {15, 3}, {27, 4}, {8, 2}, {19, 6}, {1, 1}, {12, 2}, {22, 6},
    {3, 3}, {14, 2}, {26, 4}, {6, 3}, {18, 2}, {28, 6}, {10, 1}, {20, 6}, {2, 2}, {12, 3},
    {24, 4}, {5, 2}, {16, 3}, {28, 4}, {9, 2}, {19, 6}, {30, 3}, {12, 1}, {23, 5}, {3, 3},
    {14, 3}, {26, 4}, {7, 2}, {17, 3}, {28, 6}, {9, 2}, {21, 4}, {1, 3}, {13, 2}, {25, 4},
    {5, 3}, {16, 2}, {27, 6}, {9, 1}, {19, 6}, {30, 2}, {11, 3}, {23, 4}, {4, 2}, {14, 3},
    {27, 4}, {7, 3}, {18, 2}, {28, 6}, {11, 1}, {22, 5}, {2, 3}, {12, 3}, {25, 4}, {6, 2},
    {16, 3}, {26, 6}, {8, 2}, {20, 4}, {30, 3}, {11, 2}, {24, 4}, {4, 3}, {15, 2}, {25, 6},
    {8, 1}, {18, 3}, {29, 5}, {9, 3}, {22, 4}, {3, 2}, {13, 3}, {23, 6}, {6, 1}, {17, 2},
    {27, 6}, {7, 3}, {20, 4}, {1, 2}, {11, 3}, {23, 4}, {5, 2}, {15, 3}, {25, 6}, {6, 2},
    {19, 1}, {29, 6}, {10, 2}, {20, 6}, {3, 1}, {14, 2}, {24, 6}, {4, 3}, {17, 1}, {28, 5},
    {8, 3}, {20, 4}, {1, 3}, {12, 2}, {22, 6}, {2, 3}, {14, 2}, {26, 4}, {6, 3}, {17, 2},
    {0, 4}, {10, 3}, {20, 6}, {1, 2}, {14, 1}, {24, 6}, {5, 2}, {15, 3}, {28, 4}, {9, 2},
    {19, 6}, {1, 1}, {12, 3}, {23, 5}, {3, 3}, {15, 1}, {27, 5}, {7, 3}, {17, 3}, {29, 4},
    {11, 2}, {21, 6}, {1, 3}, {12, 2}, {25, 4}, {5, 3}, {16, 2}, {28, 4}, {9, 3}, {19, 6},
    {30, 2}, {12, 1}, {23, 6}, {4, 2}, {14, 3}, {26, 4}, {8, 2}, {18, 3}, {0, 4}, {10, 3},
    {22, 5}, {2, 3}, {14, 1}, {25, 5}, {6, 3}, {16, 3}, {28, 4}, {9, 2}, {20, 6}, {30, 3},
    {11, 2}, {23, 4}, {4, 3}, {15, 2}, {27, 4}, {7, 3}, {19, 2}, {29, 6}, {11, 1}, {21, 6},
    {3, 2}, {13, 3}, {25, 4}, {6, 2}, {17, 3}, {27, 6}, {9, 1}, {20, 5}, {30, 3}, {10, 3},
    {22, 4}, {3, 2}, {14, 3}, {24, 6}, {5, 2}, {17, 1}, {28, 6}, {9, 2}, {21, 4}, {1, 3},
    {13, 2}, {23, 6}, {5, 1}, {16, 2}, {27, 6}, {7, 3}, {19, 4}, {30, 2}, {11, 3}, {23, 4},
    {3, 3}, {14, 2}, {25, 6}, {5, 3}, {16, 2}, {28, 4}, {9, 3}, {21, 4}, {2, 2}, {12, 3},
    {23, 6}, {4, 2}, {16, 1}, {26, 6}, {8, 2}, {20, 4}, {30, 3}, {11, 2}, {22, 6}, {4, 1},
    {14, 3}, {25, 5}, {6, 3}, {18, 1}, {29, 5}, {9, 3}, {22, 4}, {2, 3}, {13, 2}, {23, 6},
    {4, 3}, {15, 2}, {27, 4}, {7, 3}, {20, 4}, {1, 2}, {11, 3}, {21, 6}, {3, 2}, {15, 1},
    {25, 6}, {6, 2}, {17, 3}, {29, 4}, {10, 2}, {20, 6}, {3, 1}, {13, 3}, {24, 5}, {4, 3},
    {17, 1}, {28, 5}, {8, 3}, {18, 6}, {1, 1}, {12, 2}, {22, 6}, {2, 3}, {14, 2}, {26, 4},
    {6, 3}, {17, 2}, {28, 6}, {10, 1}, {20, 6}, {1, 2}, {12, 3}, {24, 4}, {5, 2}, {15, 3},
    {28, 4}, {9, 2}, {19, 6}, {33, 3}, {12, 1}, {23, 5}, {3, 3}, {13, 3}, {25, 4}, {6, 2},
    {16, 3}, {26, 6}, {8, 2}, {20, 4}, {30, 3}, {11, 2}, {24, 4}, {4, 3}, {15, 2}, {25, 6},
    {8, 1}, {18, 6}, {33, 2}, {9, 3}, {22, 4}, {3, 2}, {13, 3}, {25, 4}, {6, 3}, {17, 2},
    {27, 6}, {9, 1}, {21, 5}, {1, 3}, {11, 3}, {23, 4}, {5, 2}, {15, 3}, {25, 6}, {6, 2},
    {19, 4}, {33, 3}, {10, 2}, {22, 4}, {3, 3}, {14, 2}, {24, 6}, {6, 1},
    {0, 0},
};

constexpr std::uint8_t kHebrewMonthLengths[7][14] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 30, 29, 29, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {0, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {0, 30, 30, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {0, 30, 29, 29, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {0, 30, 29, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {0, 30, 30, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29}};

// The year's full type (1 to 6), 0 outside the table.
int HebrewFullType(std::uint32_t AYear)
{
  if (AYear < 5343 || AYear > 5999)
    return 0;
  return kHebrewYears[AYear - kHebrewYearDelta - kHebrewFirstGregorianYear].Type;
}

// The day's number within its year, counted by the month lengths of AType.
int HebrewDayOfYear(int AType, int AMonth, int ADay)
{
  int result = ADay;
  for (int month = 1; month < AMonth && month < 14; ++month)
    result += kHebrewMonthLengths[AType][month];
  return result;
}

// The value of a number written in Hebrew letters (by their codes in the
// Hebrew ANSI code page, to which the Unicode letters are mapped).
int HebrewNumberValue(const rtl::String& S)
{
  int result = 0;
  for (rtl::Char c : S) {
    int code = c >= 0x05D0 && c <= 0x05EA ? c - 0x05D0 + 224 : c;
    if (code >= 224 && code <= 233)
      result += code - 223;
    else
      switch (code) {
        case 235: result += 20; break;
        case 236: result += 30; break;
        case 237: case 238: result += 40; break;
        case 239: case 240: result += 50; break;
        case 241: result += 60; break;
        case 242: result += 70; break;
        case 244: case 245: result += 80; break;
        case 246: result += 90; break;
        case 247: result += 100; break;
        case 248: result += 200; break;
        case 249: result += 300; break;
        case 250: result += 400; break;
        default: break;
      }
  }
  return result;
}

}  // namespace

void TcxHebrewCalendarTable::Create()
{
  inherited::Create();
  FDefaultEra = rtl::New<TcxEra>(-1, -700000.0, 0, 1, 9999);
}

void TcxHebrewCalendarTable::Destroy()
{
  rtl::FreeAndNil(FDefaultEra);
  inherited::Destroy();
}

TDateTime TcxHebrewCalendarTable::MaxSupportedDate() const
{
  return LastMomentOf(2239, 9, 29);
}

TDateTime TcxHebrewCalendarTable::MinSupportedDate() const
{
  return cxEncodeDate(1583, 1, 1);
}

int TcxHebrewCalendarTable::GetYearType(std::uint32_t AYear)
{
  const int type = HebrewFullType(AYear);
  return type > 3 ? type - 3 : type;
}

bool TcxHebrewCalendarTable::IsLeapYear(std::int32_t, std::uint32_t AYear)
{
  return HebrewFullType(AYear) >= 4;
}

std::uint32_t TcxHebrewCalendarTable::GetDaysInYear(std::int32_t AEra, std::uint32_t AYear)
{
  if (!IsValidYear(AEra, AYear))
    return 0;
  const std::uint32_t days = GetYearType(AYear) == 2 ? 354 : GetYearType(AYear) == 3 ? 355 : 353;
  return IsLeapYear(AEra, AYear) ? days + 30 : days;
}

std::uint32_t TcxHebrewCalendarTable::GetMonthsInYear(std::int32_t AEra, std::uint32_t AYear)
{
  return IsLeapYear(AEra, AYear) ? 13 : 12;
}

std::uint32_t TcxHebrewCalendarTable::GetDaysInMonth(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth)
{
  if (!IsValidMonth(AEra, AYear, AMonth))
    return 0;
  return kHebrewMonthLengths[HebrewFullType(AYear)][AMonth];
}

bool TcxHebrewCalendarTable::IsLeapMonth(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth)
{
  return IsValidMonth(AEra, AYear, AMonth) && IsLeapYear(AEra, AYear) && AMonth == 7;
}

bool TcxHebrewCalendarTable::IsLeapDay(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth,
                                       std::uint32_t ADay)
{
  return IsValidDay(AEra, AYear, AMonth, ADay) && IsLeapMonth(AEra, AYear, AMonth);
}

std::uint32_t TcxHebrewCalendarTable::GetFullWeeksInYear(std::uint32_t AYear)
{
  return GetDaysInYear(AYear) / 7;
}

TDateTime TcxHebrewCalendarTable::ToDateTime(const TcxDateTime& ADateTime)
{
  if (!IsValidDateTime(ADateTime))
    return MinSupportedDate();
  const int gregorianYear = static_cast<int>(ADateTime.Year) - kHebrewYearDelta;
  const THebrewYear& entry = kHebrewYears[gregorianYear - kHebrewFirstGregorianYear];
  int month = 4;
  int day = entry.NewYearsDayCode;
  switch (entry.NewYearsDayCode) {
    case 30: month = 3; day = 30; break;
    case 33: month = 3; day = 29; break;
    case 0: month = 5; day = 1; break;
    case 31: month = 5; day = 2; break;
    case 32: month = 5; day = 3; break;
    default: break;
  }
  const int type = entry.Type;
  const int offset = HebrewDayOfYear(type, static_cast<int>(ADateTime.Month), static_cast<int>(ADateTime.Day)) -
                     HebrewDayOfYear(type, month, day);
  return cxComposeDateTime(cxEncodeDate(gregorianYear, 1, 1) + offset, TimeOf(ADateTime));
}

TcxDateTime TcxHebrewCalendarTable::FromDateTime(TDateTime ADate)
{
  ClampToSupportedRange(ADate);
  int gregorianYear, gregorianMonth, gregorianDay;
  cxDecodeDate(ADate, gregorianYear, gregorianMonth, gregorianDay);
  TcxDateTime result{-1, static_cast<std::uint32_t>(gregorianYear + kHebrewYearDelta), 1, 1, 0, 0, 0, 0};
  SetTimeOf(result, ADate);
  const TDateTime day = std::trunc(ADate);
  int k = static_cast<int>(day - ToDateTime(result.Year, 1, 1)) + 1;
  while (k > static_cast<int>(GetDaysInMonth(result.Year, result.Month))) {
    if (++result.Month > GetMonthsInYear(result.Year)) {
      result.Month = 1;
      ++result.Year;
    }
    k = static_cast<int>(day - ToDateTime(result.Year, result.Month, 1)) + 1;
  }
  result.Day = static_cast<std::uint32_t>(k);
  return result;
}

std::uint32_t TcxHebrewCalendarTable::GetDayNumber(const rtl::String& S)
{
  const int value = HebrewNumberValue(S);
  return value != 0 ? static_cast<std::uint32_t>(value) : inherited::GetDayNumber(S);
}

std::uint32_t TcxHebrewCalendarTable::GetYearNumber(const rtl::String& S)
{
  const int value = HebrewNumberValue(S);
  return value != 0 ? static_cast<std::uint32_t>(value + 5000) : inherited::GetYearNumber(S);
}

std::uint32_t TcxHebrewCalendarTable::GetMonthNumber(std::uint32_t AYear, const rtl::String& S)
{
  const int value = HebrewNumberValue(S);
  if (value != 0 && IsValidMonth(-1, AYear, static_cast<std::uint32_t>(value)))
    return static_cast<std::uint32_t>(value);
  for (std::uint32_t month = 1; month <= 13; ++month)
    if (SameText(S, cxCalendarMonthNameOf(AYear, month, this)))
      return month;
  return inherited::GetMonthNumber(AYear, S);
}

int TcxHebrewCalendarTable::GetWeekNumber(const TcxDateTime& ADate, TDay, TcxFirstWeekOfYear AFirstWeekOfYear)
{
  return GetCalendarWeekNumber(ADate, AFirstWeekOfYear);
}

// ---------------------------------------------------------------------------
// The registry of tables

TcxCalendarTableClass cxCalendarTableClassByID(CALID AID)
{
  switch (AID) {
    case CAL_GREGORIAN_US:
      return TcxCalendarTableClass::Of<TcxGregorianUSEnglishCalendarTable>();
    case CAL_JAPAN:
      return TcxCalendarTableClass::Of<TcxJapaneseCalendarTable>();
    case CAL_TAIWAN:
      return TcxCalendarTableClass::Of<TcxTaiwanCalendarTable>();
    case CAL_KOREA:
      return TcxCalendarTableClass::Of<TcxKoreanCalendarTable>();
    case CAL_HIJRI:
      return TcxCalendarTableClass::Of<TcxHijriCalendarTable>();
    case CAL_THAI:
      return TcxCalendarTableClass::Of<TcxThaiCalendarTable>();
    case CAL_HEBREW:
      return TcxCalendarTableClass::Of<TcxHebrewCalendarTable>();
    case CAL_GREGORIAN_ME_FRENCH:
      return TcxCalendarTableClass::Of<TcxGregorianMiddleEastFrenchCalendarTable>();
    case CAL_GREGORIAN_ARABIC:
      return TcxCalendarTableClass::Of<TcxGregorianArabicCalendarTable>();
    case CAL_GREGORIAN_XLIT_ENGLISH:
      return TcxCalendarTableClass::Of<TcxGregorianTransliteratedEnglishCalendarTable>();
    case CAL_GREGORIAN_XLIT_FRENCH:
      return TcxCalendarTableClass::Of<TcxGregorianTransliteratedFrenchCalendarTable>();
    default:
      return TcxCalendarTableClass::Of<TcxGregorianCalendarTable>();
  }
}

TcxCustomCalendarTable* cxCalendarTableByID(CALID AID)
{
  if (!CalendarTables)
    return nullptr;
  // Looked up by class, so an unknown identifier shares the one Gregorian
  // table instead of making a new one at every call.
  const TcxCalendarTableClass tableClass = cxCalendarTableClassByID(AID);
  for (TcxCustomCalendarTable* table : *CalendarTables)
    if (table->ClassType() == tableClass.ClassType())
      return table;
  return tableClass.Create();
}

CALID cxThreadLocaleCalendarType()
{
  return static_cast<CALID>(
      rtl::StrToIntDef(dxGetLocaleInfoString(GetThreadLocale(), LOCALE_ICALENDARTYPE, L"1"), CAL_GREGORIAN));
}

TcxCustomCalendarTable* cxLocaleCalendarTable()
{
  return cxCalendarTableByID(cxThreadLocaleCalendarType());
}

bool cxIsGregorianCalendarTable(const TcxCustomCalendarTable* ATable)
{
  if (!ATable)
    ATable = cxLocaleCalendarTable();
  const CALID id = ATable ? ATable->CalendarIdentifier() : cxThreadLocaleCalendarType();
  return id == CAL_GREGORIAN || id == CAL_GREGORIAN_US || (id >= CAL_GREGORIAN_ME_FRENCH && id <= CAL_GREGORIAN_XLIT_FRENCH);
}
