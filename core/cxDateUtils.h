// The cxDateUtils unit: calendars and the date services of the editors.
//   the platform's date encoding (days since 30 December 1899 plus the
//     fraction of the day), which the run-time library leaves to us
//   TcxCustomCalendarTable and its twelve calendars with their eras
//   the thread locale's date and time settings, the application-wide start
//     of the week and the week-number rule
//   pattern formatting, month names and the smart date-input mask
//   TdxTimeZoneHelper: the system's time zones, read at start-up
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/dxCoreClasses.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SysUtilsFormat.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/rtl/TypInfo.h"

RTL_DECLARE_UNIT(cxDateUtils);

RTL_ENUM(TDay, dSunday, dMonday, dTuesday, dWednesday, dThursday, dFriday, dSaturday);
RTL_ENUM(TcxFirstWeekOfYear, fwySystem, fwyJan1, fwyFirstFullWeek, fwyFirstFourDays);
RTL_ENUM(TcxCalendarAlgorithmType, catUnknown, catSolarCalendar, catLunarCalendar, catLunarSolarCalendar);

// ---------------------------------------------------------------------------
// The platform's date encoding: proleptic Gregorian years 1 to 9999. A date
// before 30 December 1899 is negative and its time is still added as a
// positive fraction of the day, away from zero.

bool cxTryEncodeDate(int AYear, int AMonth, int ADay, rtl::TDateTime& AResult);
// Raises EConvertError for a date that does not exist.
rtl::TDateTime cxEncodeDate(int AYear, int AMonth, int ADay);
rtl::TDateTime cxEncodeTime(int AHours, int AMinutes, int ASeconds, int AMilliseconds);
// The date with the time added away from zero.
rtl::TDateTime cxComposeDateTime(rtl::TDateTime ADate, rtl::TDateTime ATime);
void cxDecodeDate(rtl::TDateTime AValue, int& AYear, int& AMonth, int& ADay);
void cxDecodeTime(rtl::TDateTime AValue, int& AHours, int& AMinutes, int& ASeconds, int& AMilliseconds);
// 1 = Sunday ... 7 = Saturday.
int cxDayOfWeek(rtl::TDateTime AValue);
bool cxIsLeapYear(int AYear);
int cxDaysInAMonth(int AYear, int AMonth);

// ---------------------------------------------------------------------------
// Calendar tables

struct TcxDateTime {
  // An index into the table's eras; -1 for the default era.
  std::int32_t Era;
  std::uint32_t Year;
  std::uint32_t Month;
  std::uint32_t Day;
  std::uint8_t Hours;
  std::uint8_t Minutes;
  std::uint8_t Seconds;
  std::uint16_t Milliseconds;
};

struct TcxDate {
  std::int32_t Era;
  std::uint32_t Year;
  std::uint32_t Month;
  std::uint32_t Day;
};

// One era of a calendar: Gregorian year = era year + YearOffset.
class TcxEra : public rtl::TPersistent {
  RTL_CLASS(TcxEra, rtl::TPersistent)

 public:
  void Create(int AEra, rtl::TDateTime AStartDate, int AYearOffset, int AMinEraYear, int AMaxEraYear);
  void Assign(rtl::TPersistent* ASource) override;

  int Era;
  rtl::TDateTime StartDate;
  int YearOffset;
  int MinEraYear;
  int MaxEraYear;
};

// The eras of a table in ascending order of start date; owns them.
class TcxEras : public TdxFastObjectList {
  RTL_CLASS(TcxEras, TdxFastObjectList)

 public:
  TcxEra* GetItems(int AIndex) const { return static_cast<TcxEra*>(GetItem(AIndex)); }
  // Assigns into the era already at AIndex.
  void SetItems(int AIndex, TcxEra* AValue) { GetItems(AIndex)->Assign(AValue); }
};

// Converts between date-time values and the dates of one calendar system and
// does date arithmetic inside it. Operations handed an invalid date answer
// MinSupportedDate rather than raise.
class TcxCustomCalendarTable : public rtl::TObject {
  RTL_CLASS(TcxCustomCalendarTable, rtl::TObject)

 public:
  // Lists the table process-wide; Destroy takes it out again.
  virtual void Create();
  void Destroy() override;

  virtual void AdjustYearAndEra(std::uint32_t& AYear, std::int32_t& AEra);
  virtual void AdjustYearAndEraForDate(std::uint32_t& AYear, std::int32_t& AEra, std::uint32_t AMonth,
                                       std::uint32_t ADay);
  virtual TcxCalendarAlgorithmType AlgorithmKind() const { return TcxCalendarAlgorithmType::catUnknown; }
  virtual CALID CalendarIdentifier() const { return 0; }
  virtual TcxEra* DefaultEra() const { return nullptr; }
  virtual rtl::TDateTime MaxSupportedDate() const;
  virtual rtl::TDateTime MinSupportedDate() const;
  virtual void ClampToSupportedRange(rtl::TDateTime& ADate) const;
  virtual std::uint32_t MaxSupportedYear() const { return 9999; }
  virtual std::uint32_t MinSupportedYear() const { return 1; }

  virtual rtl::TDateTime AddDays(const TcxDateTime& ADate, int ACount);
  virtual rtl::TDateTime AddMonths(rtl::TDateTime ADate, int ACount);
  virtual rtl::TDateTime AddMonths(const TcxDateTime& ADate, int ACount);
  virtual rtl::TDateTime AddYears(rtl::TDateTime ADate, int ACount);
  virtual rtl::TDateTime AddYears(const TcxDateTime& ADate, int ACount);
  virtual rtl::TDateTime AddWeeks(rtl::TDateTime ADate, int ACount);
  virtual rtl::TDateTime AddWeeks(const TcxDateTime& ADate, int ACount);
  virtual TcxDateTime FromDateTime(rtl::TDateTime ADate);
  virtual TcxDateTime FromDateTime(std::uint32_t AYear, std::uint32_t AMonth, std::uint32_t ADay);
  virtual TcxDateTime FromDateTime(std::uint32_t AYear, std::uint32_t AMonth, std::uint32_t ADay,
                                   std::uint8_t AHours, std::uint8_t AMinutes, std::uint8_t ASeconds,
                                   std::uint16_t AMilliseconds);
  virtual std::uint32_t GetDayOfYear(rtl::TDateTime ADate);
  virtual std::uint32_t GetDayOfYear(const TcxDateTime& ADate);
  virtual std::uint32_t GetDaysInMonth(std::uint32_t AYear, std::uint32_t AMonth);
  virtual std::uint32_t GetDaysInMonth(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth);
  virtual std::uint32_t GetDaysInYear(std::uint32_t AYear);
  virtual std::uint32_t GetDaysInYear(std::int32_t AEra, std::uint32_t AYear);
  // The era of a Gregorian date: the last one that started on or before it.
  virtual std::int32_t GetEra(std::uint32_t AYear);
  virtual std::int32_t GetEra(std::uint32_t AYear, std::uint32_t AMonth, std::uint32_t ADay);
  virtual rtl::TDateTime GetFirstDayOfWeek(rtl::TDateTime ADate);
  virtual rtl::TDateTime GetFirstDayOfWeek(rtl::TDateTime ADate, TDay AStartDayOfWeek);
  virtual TcxDateTime GetFirstDayOfWeek(const TcxDateTime& ADate);
  virtual TcxDateTime GetFirstDayOfWeek(const TcxDateTime& ADate, TDay AStartDayOfWeek);
  virtual rtl::TDateTime GetFirstDayOfMonth(rtl::TDateTime ADate);
  virtual TcxDateTime GetFirstDayOfMonth(const TcxDateTime& ADate);
  virtual rtl::TDateTime GetFirstDayOfYear(rtl::TDateTime ADate);
  virtual TcxDateTime GetFirstDayOfYear(const TcxDateTime& ADate);
  // 0 = Sunday.
  virtual int GetFirstWeekDay();
  virtual std::uint32_t GetFullWeeksInYear(std::uint32_t AYear);
  virtual rtl::TDateTime GetLastDayOfMonth(rtl::TDateTime ADate);
  virtual TcxDateTime GetLastDayOfMonth(const TcxDateTime& ADate);
  virtual rtl::TDateTime GetLastDayOfYear(rtl::TDateTime ADate);
  virtual TcxDateTime GetLastDayOfYear(const TcxDateTime& ADate);
  virtual std::uint32_t GetMonthsInYear(std::uint32_t AYear);
  virtual std::uint32_t GetMonthsInYear(std::int32_t AEra, std::uint32_t AYear);
  virtual std::uint32_t GetYear(rtl::TDateTime ADate);
  virtual std::uint32_t GetYear(const TcxDate& ADate);
  virtual std::uint32_t GetYear(const TcxDateTime& ADate);
  // 0 = Sunday.
  virtual int GetWeekDay(rtl::TDateTime ADate);
  virtual int GetWeekDay(const TcxDateTime& ADate);
  virtual int GetWeekNumber(rtl::TDateTime ADate, TDay AStartOfWeek, TcxFirstWeekOfYear AFirstWeekOfYear);
  virtual int GetWeekNumber(const TcxDateTime& ADate, TDay AStartOfWeek, TcxFirstWeekOfYear AFirstWeekOfYear);
  virtual bool IsLeapDay(std::uint32_t AYear, std::uint32_t AMonth, std::uint32_t ADay);
  virtual bool IsLeapDay(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth, std::uint32_t ADay);
  virtual bool IsLeapMonth(std::uint32_t AYear, std::uint32_t AMonth);
  virtual bool IsLeapMonth(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth);
  virtual bool IsLeapYear(std::uint32_t AYear);
  virtual bool IsLeapYear(std::int32_t AEra, std::uint32_t AYear);
  virtual bool IsValidYear(std::uint32_t AYear);
  virtual bool IsValidYear(std::int32_t AEra, std::uint32_t AYear);
  virtual bool IsValidMonth(std::uint32_t AYear, std::uint32_t AMonth);
  virtual bool IsValidMonth(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth);
  virtual bool IsValidDay(std::uint32_t AYear, std::uint32_t AMonth, std::uint32_t ADay);
  virtual bool IsValidDay(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth, std::uint32_t ADay);
  virtual bool IsValidDate(rtl::TDateTime ADate);
  virtual rtl::TDateTime ToDateTime(const TcxDate& ADate);
  virtual rtl::TDateTime ToDateTime(std::uint32_t AYear, std::uint32_t AMonth, std::uint32_t ADay);
  virtual rtl::TDateTime ToDateTime(std::uint32_t AYear, std::uint32_t AMonth, std::uint32_t ADay,
                                    std::uint8_t AHours, std::uint8_t AMinutes, std::uint8_t ASeconds,
                                    std::uint16_t AMilliseconds);
  virtual rtl::TDateTime ToDateTime(const TcxDateTime& ADateTime);
  // Numbers typed by the user; text that is no number raises EConvertError.
  virtual std::uint32_t GetDayNumber(const rtl::String& S);
  virtual std::uint32_t GetMonthNumber(std::uint32_t AYear, const rtl::String& S);
  virtual std::uint32_t GetYearNumber(const rtl::String& S);

  TcxEras* GetEras() const { return FEras; }

 protected:
  // An era year as a Gregorian year, by the offset of AEra (-1 the default).
  int ConvertYear(std::uint32_t AYear, std::int32_t AEra) const;
  bool IsValidDateTime(const TcxDateTime& ADate) { return IsValidDay(ADate.Era, ADate.Year, ADate.Month, ADate.Day); }
  // The time of ADate as a fraction of the day.
  static rtl::TDateTime TimeOf(const TcxDateTime& ADate);
  static void SetTimeOf(TcxDateTime& ADate, rtl::TDateTime AValue);
  rtl::TDateTime Clamped(rtl::TDateTime AValue) const;
  // Week numbers counted in the calendar's own year (Hebrew, Hijri).
  int GetCalendarWeekNumber(const TcxDateTime& ADate, TcxFirstWeekOfYear AFirstWeekOfYear);

  TcxEras* FEras;
};

using TcxCalendarTableClass = rtl::ClassOf<TcxCustomCalendarTable>;

class TcxGregorianCalendarTable : public TcxCustomCalendarTable {
  RTL_CLASS(TcxGregorianCalendarTable, TcxCustomCalendarTable)

 public:
  void Create() override;
  void Destroy() override;

  using TcxCustomCalendarTable::FromDateTime;
  using TcxCustomCalendarTable::GetDaysInMonth;
  using TcxCustomCalendarTable::GetDaysInYear;
  using TcxCustomCalendarTable::GetMonthsInYear;
  using TcxCustomCalendarTable::GetWeekNumber;
  using TcxCustomCalendarTable::IsLeapDay;
  using TcxCustomCalendarTable::IsLeapMonth;
  using TcxCustomCalendarTable::IsLeapYear;
  using TcxCustomCalendarTable::ToDateTime;

  TcxCalendarAlgorithmType AlgorithmKind() const override { return TcxCalendarAlgorithmType::catSolarCalendar; }
  CALID CalendarIdentifier() const override { return CAL_GREGORIAN; }
  TcxEra* DefaultEra() const override { return FDefaultEra; }
  rtl::TDateTime MaxSupportedDate() const override;
  rtl::TDateTime MinSupportedDate() const override;
  std::uint32_t MaxSupportedYear() const override { return 9999; }
  std::uint32_t MinSupportedYear() const override { return 100; }
  TcxDateTime FromDateTime(rtl::TDateTime ADate) override;
  std::uint32_t GetDaysInMonth(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth) override;
  std::uint32_t GetDaysInYear(std::int32_t AEra, std::uint32_t AYear) override;
  int GetFirstWeekDay() override { return 0; }
  std::uint32_t GetFullWeeksInYear(std::uint32_t AYear) override;
  std::uint32_t GetMonthsInYear(std::int32_t AEra, std::uint32_t AYear) override;
  int GetWeekNumber(const TcxDateTime& ADate, TDay AStartOfWeek, TcxFirstWeekOfYear AFirstWeekOfYear) override;
  bool IsLeapDay(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth, std::uint32_t ADay) override;
  bool IsLeapMonth(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth) override;
  bool IsLeapYear(std::int32_t AEra, std::uint32_t AYear) override;
  rtl::TDateTime ToDateTime(const TcxDateTime& ADateTime) override;

 protected:
  TcxEra* FDefaultEra;
};

class TcxGregorianUSEnglishCalendarTable : public TcxGregorianCalendarTable {
  RTL_CLASS(TcxGregorianUSEnglishCalendarTable, TcxGregorianCalendarTable)

 public:
  CALID CalendarIdentifier() const override { return CAL_GREGORIAN_US; }
};

// The eras of the Japanese emperors; Taiwan, Korea and Thailand count their
// years in one era of their own.
class TcxJapaneseCalendarTable : public TcxGregorianCalendarTable {
  RTL_CLASS(TcxJapaneseCalendarTable, TcxGregorianCalendarTable)

 public:
  void Create() override;

  using TcxGregorianCalendarTable::FromDateTime;
  using TcxGregorianCalendarTable::ToDateTime;

  CALID CalendarIdentifier() const override { return CAL_JAPAN; }
  TcxEra* DefaultEra() const override;
  rtl::TDateTime MaxSupportedDate() const override;
  rtl::TDateTime MinSupportedDate() const override;
  std::uint32_t MaxSupportedYear() const override;
  std::uint32_t MinSupportedYear() const override;
  TcxDateTime FromDateTime(rtl::TDateTime ADate) override;
  rtl::TDateTime ToDateTime(const TcxDateTime& ADateTime) override;

 protected:
  // The eras of the calendar; the last one is the default.
  virtual void AddEras();
};

class TcxTaiwanCalendarTable : public TcxJapaneseCalendarTable {
  RTL_CLASS(TcxTaiwanCalendarTable, TcxJapaneseCalendarTable)

 public:
  CALID CalendarIdentifier() const override { return CAL_TAIWAN; }

 protected:
  void AddEras() override;
};

class TcxKoreanCalendarTable : public TcxJapaneseCalendarTable {
  RTL_CLASS(TcxKoreanCalendarTable, TcxJapaneseCalendarTable)

 public:
  CALID CalendarIdentifier() const override { return CAL_KOREA; }

 protected:
  void AddEras() override;
};

class TcxThaiCalendarTable : public TcxJapaneseCalendarTable {
  RTL_CLASS(TcxThaiCalendarTable, TcxJapaneseCalendarTable)

 public:
  CALID CalendarIdentifier() const override { return CAL_THAI; }

 protected:
  void AddEras() override;
};

// The tabular Islamic calendar: a thirty-year cycle of eleven leap years.
class TcxHijriCalendarTable : public TcxCustomCalendarTable {
  RTL_CLASS(TcxHijriCalendarTable, TcxCustomCalendarTable)

 public:
  void Create() override;
  void Destroy() override;

  using TcxCustomCalendarTable::FromDateTime;
  using TcxCustomCalendarTable::GetDaysInMonth;
  using TcxCustomCalendarTable::GetDaysInYear;
  using TcxCustomCalendarTable::GetMonthsInYear;
  using TcxCustomCalendarTable::GetWeekNumber;
  using TcxCustomCalendarTable::IsLeapDay;
  using TcxCustomCalendarTable::IsLeapMonth;
  using TcxCustomCalendarTable::IsLeapYear;
  using TcxCustomCalendarTable::ToDateTime;

  TcxCalendarAlgorithmType AlgorithmKind() const override { return TcxCalendarAlgorithmType::catLunarCalendar; }
  CALID CalendarIdentifier() const override { return CAL_HIJRI; }
  TcxEra* DefaultEra() const override { return FDefaultEra; }
  rtl::TDateTime MaxSupportedDate() const override;
  rtl::TDateTime MinSupportedDate() const override;
  std::uint32_t MaxSupportedYear() const override { return 9666; }
  std::uint32_t MinSupportedYear() const override { return 1; }
  TcxDateTime FromDateTime(rtl::TDateTime ADate) override;
  std::uint32_t GetDaysInMonth(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth) override;
  std::uint32_t GetDaysInYear(std::int32_t AEra, std::uint32_t AYear) override;
  int GetFirstWeekDay() override { return 6; }
  std::uint32_t GetFullWeeksInYear(std::uint32_t) override { return 50; }
  std::uint32_t GetMonthsInYear(std::int32_t, std::uint32_t) override { return 12; }
  std::uint32_t GetMonthNumber(std::uint32_t AYear, const rtl::String& S) override;
  int GetWeekNumber(const TcxDateTime& ADate, TDay AStartOfWeek, TcxFirstWeekOfYear AFirstWeekOfYear) override;
  bool IsLeapDay(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth, std::uint32_t ADay) override;
  bool IsLeapMonth(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth) override;
  bool IsLeapYear(std::int32_t AEra, std::uint32_t AYear) override;
  rtl::TDateTime ToDateTime(const TcxDateTime& ADateTime) override;

 private:
  TcxEra* FDefaultEra;
};

// The arithmetic Hebrew calendar, from a table of the years 5343 to 5999.
class TcxHebrewCalendarTable : public TcxCustomCalendarTable {
  RTL_CLASS(TcxHebrewCalendarTable, TcxCustomCalendarTable)

 public:
  void Create() override;
  void Destroy() override;

  using TcxCustomCalendarTable::FromDateTime;
  using TcxCustomCalendarTable::GetDaysInMonth;
  using TcxCustomCalendarTable::GetDaysInYear;
  using TcxCustomCalendarTable::GetMonthsInYear;
  using TcxCustomCalendarTable::GetWeekNumber;
  using TcxCustomCalendarTable::IsLeapDay;
  using TcxCustomCalendarTable::IsLeapMonth;
  using TcxCustomCalendarTable::IsLeapYear;
  using TcxCustomCalendarTable::ToDateTime;

  TcxCalendarAlgorithmType AlgorithmKind() const override
  {
    return TcxCalendarAlgorithmType::catLunarSolarCalendar;
  }
  CALID CalendarIdentifier() const override { return CAL_HEBREW; }
  TcxEra* DefaultEra() const override { return FDefaultEra; }
  rtl::TDateTime MaxSupportedDate() const override;
  rtl::TDateTime MinSupportedDate() const override;
  std::uint32_t MaxSupportedYear() const override { return 5999; }
  std::uint32_t MinSupportedYear() const override { return 5343; }
  TcxDateTime FromDateTime(rtl::TDateTime ADate) override;
  std::uint32_t GetDayNumber(const rtl::String& S) override;
  std::uint32_t GetDaysInMonth(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth) override;
  std::uint32_t GetDaysInYear(std::int32_t AEra, std::uint32_t AYear) override;
  int GetFirstWeekDay() override { return 0; }
  std::uint32_t GetFullWeeksInYear(std::uint32_t AYear) override;
  std::uint32_t GetMonthsInYear(std::int32_t AEra, std::uint32_t AYear) override;
  std::uint32_t GetMonthNumber(std::uint32_t AYear, const rtl::String& S) override;
  int GetWeekNumber(const TcxDateTime& ADate, TDay AStartOfWeek, TcxFirstWeekOfYear AFirstWeekOfYear) override;
  std::uint32_t GetYearNumber(const rtl::String& S) override;
  // 0 outside the table; 1 to 3 for 353 to 355 days (383 to 385 in leap
  // years).
  int GetYearType(std::uint32_t AYear);
  bool IsLeapDay(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth, std::uint32_t ADay) override;
  bool IsLeapMonth(std::int32_t AEra, std::uint32_t AYear, std::uint32_t AMonth) override;
  bool IsLeapYear(std::int32_t AEra, std::uint32_t AYear) override;
  rtl::TDateTime ToDateTime(const TcxDateTime& ADateTime) override;

 private:
  TcxEra* FDefaultEra;
};

class TcxGregorianMiddleEastFrenchCalendarTable : public TcxGregorianCalendarTable {
  RTL_CLASS(TcxGregorianMiddleEastFrenchCalendarTable, TcxGregorianCalendarTable)

 public:
  CALID CalendarIdentifier() const override { return CAL_GREGORIAN_ME_FRENCH; }
  int GetFirstWeekDay() override { return 1; }
};

class TcxGregorianArabicCalendarTable : public TcxGregorianCalendarTable {
  RTL_CLASS(TcxGregorianArabicCalendarTable, TcxGregorianCalendarTable)

 public:
  CALID CalendarIdentifier() const override { return CAL_GREGORIAN_ARABIC; }
  int GetFirstWeekDay() override { return 6; }
};

class TcxGregorianTransliteratedEnglishCalendarTable : public TcxGregorianCalendarTable {
  RTL_CLASS(TcxGregorianTransliteratedEnglishCalendarTable, TcxGregorianCalendarTable)

 public:
  CALID CalendarIdentifier() const override { return CAL_GREGORIAN_XLIT_ENGLISH; }
  int GetFirstWeekDay() override { return 1; }
};

class TcxGregorianTransliteratedFrenchCalendarTable : public TcxGregorianCalendarTable {
  RTL_CLASS(TcxGregorianTransliteratedFrenchCalendarTable, TcxGregorianCalendarTable)

 public:
  CALID CalendarIdentifier() const override { return CAL_GREGORIAN_XLIT_FRENCH; }
  int GetFirstWeekDay() override { return 1; }
};

// The class of a Windows calendar identifier; Gregorian for any other.
TcxCalendarTableClass cxCalendarTableClassByID(CALID AID);
// The shared table of the identifier, made on first use and kept until
// shut-down; nil outside the unit's lifetime.
TcxCustomCalendarTable* cxCalendarTableByID(CALID AID);
CALID cxThreadLocaleCalendarType();
TcxCustomCalendarTable* cxLocaleCalendarTable();
// The locale's table when ATable is nil.
bool cxIsGregorianCalendarTable(const TcxCustomCalendarTable* ATable = nullptr);

// ---------------------------------------------------------------------------
// The locale's settings and the start of week

rtl::String cxLocaleShortDateFormat();
rtl::String cxLocaleLongDateFormat();
rtl::String cxLocaleLongTimeFormat();
rtl::String cxLocaleTimeAMString();
rtl::String cxLocaleTimePMString();
// The first character; #0 when the locale has none.
rtl::Char cxLocaleDateSeparator();
rtl::Char cxLocaleTimeSeparator();
TDay dxLocaleStartOfWeek();
TcxFirstWeekOfYear dxLocaleFirstWeekOfYear();
// The locale's date and time formats, separators and AM/PM strings; the
// list separator from the platform's settings.
void cxFillLocaleFormatSettings(rtl::TFormatSettings& ASettings);
// GetCalendarInfoW, bound by name at each call: 0 where the system lacks it.
int cxGetCalendarInfo(LCID ALocale, CALID ACalendar, CALTYPE AType, wchar_t* AData, int ADataSize,
                      DWORD* AValue);

// The assigned start of week while one is assigned, else the locale's.
TDay dxStartOfWeek();
bool dxIsStartOfWeekAssigned();
void dxSetStartOfWeek(TDay AValue);
void dxResetStartOfWeek();
// 1 = Sunday ... 7 = Saturday; 0 also gives Sunday.
TDay dxDayOfWeekFromPlatform(int AValue);
// 0 = Monday ... 6 = Sunday.
TDay dxDayOfWeekFromLocale(int AValue);
// The days from the start of the week to ADate (0 to 6).
int dxDayOfWeekOffset(rtl::TDateTime ADate);
int dxDayOfWeekOffset(rtl::TDateTime ADate, TDay AStartOfWeek);

// The week of the year of ADate; fwySystem takes the locale's rule.
int cxWeekNumber(TcxFirstWeekOfYear ARule, rtl::TDateTime ADate);

// ---------------------------------------------------------------------------
// Formatting and smart input

// ADate by a pattern of d, m and y runs; ASeparator (when not #0) stands in
// for the literal text between the elements.
rtl::String cxFormatDateByPattern(const rtl::String& APattern, rtl::Char ASeparator, rtl::TDateTime ADate);
// By GetDateFormatW in the thread locale; False with an empty text when it
// fails.
bool cxFormatDate(DWORD AFlags, const rtl::String& APattern, rtl::TDateTime ADate, rtl::String& AResult);
rtl::String cxCalendarMonthName(TcxCustomCalendarTable* ATable, rtl::TDateTime ADate);
rtl::String cxCalendarMonthNameOf(std::uint32_t AYear, std::uint32_t AMonth, TcxCustomCalendarTable* ATable);

// "(" mask ")|(" the smart-input words ")" and an optional signed offset;
// "now" only when time can be entered.
void cxAddSmartInputToDateMask(rtl::String& AMask, bool ACanEnterTime);

// ---------------------------------------------------------------------------
// Time zones

// The registry value "TZI" of a zone.
#pragma pack(push, 1)
struct TcxTZIField {
  std::int32_t Bias;
  std::int32_t StandardBias;
  std::int32_t DaylightBias;
  SYSTEMTIME StandardDate;
  SYSTEMTIME DaylightDate;
};

// The moments daylight saving time starts and ends in one year.
struct TcxDSTInfo {
  std::uint16_t Year;
  rtl::TDateTime DaylightDate;
  rtl::TDateTime StandardDate;
};
#pragma pack(pop)
static_assert(sizeof(TcxTZIField) == 44);

struct TcxTimeZoneInformation {
  rtl::String Display;
  rtl::String StandardName;
  rtl::String DaylightName;
  std::int32_t Index = 0;
  rtl::String MapId;
  TcxTZIField TZI{};
  std::vector<TcxDSTInfo> DynamicDST;
};

// The system's time zones, read by a start-up step of the units loader.
class TdxTimeZoneHelper {
 public:
  // Reads the table again.
  static void Load();
  static void Clear();
  static int TimeZoneCount();
  static const TcxTimeZoneInformation& TimeZone(int AIndex);
  // -1 when no zone of the table is the system's.
  static int CurrentTimeZoneIndex();
  // The system's zone as GetTimeZoneInformation reports it; empty before
  // the table is read.
  static TcxTimeZoneInformation CurrentTimeZone();
  // The zones under a key of its own (the system's key, or a test's):
  // one entry per subkey, the current one matched by ADynamicKeyName or,
  // without it, by bias and standard name.
  static void LoadFrom(HKEY ARootKey, const rtl::String& AKeyPath, const rtl::String& ADynamicKeyName);
  // The moment a SYSTEMTIME transition rule names in AYear.
  static rtl::TDateTime TransitionMoment(const SYSTEMTIME& ARule, int AYear);
};
