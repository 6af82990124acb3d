#include "core/cxDateUtils.h"
#include "core/cxFormats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/rtl/Registry.h"
#include "platform/rtl/SysUtils.h"

using rtl::String;
using rtl::TDateTime;

namespace {

struct TcxDateUtilsTestDate {
  int Era;
  unsigned Year, Month, Day;
};

// A calendar's date of a Gregorian one.
struct TcxDateUtilsTestKnownDate {
  CALID Calendar;
  int Year, Month, Day;
  TcxDateUtilsTestDate Expected;
};

// The platform's settings pinned to English for names, put back afterwards.
class cxDateUtils : public testing::Test {
 protected:
  void SetUp() override
  {
    FSaved = rtl::FormatSettings();
    rtl::FormatSettings() = rtl::TFormatSettings::Create(0x0409);
    FSavedLocale = GetThreadLocale();
    SetThreadLocale(0x0409);
  }
  void TearDown() override
  {
    SetThreadLocale(FSavedLocale);
    rtl::FormatSettings() = FSaved;
    dxResetStartOfWeek();
  }

  rtl::TFormatSettings FSaved;
  LCID FSavedLocale = 0;
};

}  // namespace

TEST(cxDateEncoding, EncodesAndDecodesThePlatformsDays)
{
  struct TCase {
    int Year, Month, Day;
    TDateTime Value;
    int DayOfWeek;
  };
  const TCase cases[] = {{1899, 12, 30, 0, 7},       {1900, 1, 1, 2, 2},         {2024, 3, 5, 45356, 3},
                         {1, 1, 1, -693593, 2},      {9999, 12, 31, 2958465, 6}, {1600, 2, 29, -109512, 3}};
  for (const TCase& c : cases) {
    EXPECT_EQ(c.Value, cxEncodeDate(c.Year, c.Month, c.Day)) << c.Year;
    int year, month, day;
    cxDecodeDate(c.Value, year, month, day);
    EXPECT_EQ(c.Year * 10000 + c.Month * 100 + c.Day, year * 10000 + month * 100 + day);
    EXPECT_EQ(c.DayOfWeek, cxDayOfWeek(c.Value)) << c.Year;
  }
  TDateTime value;
  EXPECT_FALSE(cxTryEncodeDate(2023, 2, 29, value));
  EXPECT_FALSE(cxTryEncodeDate(10000, 1, 1, value));
  EXPECT_THROW(cxEncodeDate(2024, 13, 1), rtl::EConvertError);
  // Before 1899 the time still counts away from zero.
  const TDateTime evening = cxComposeDateTime(cxEncodeDate(1800, 6, 1), cxEncodeTime(18, 30, 15, 250));
  int year, month, day, hours, minutes, seconds, milliseconds;
  cxDecodeDate(evening, year, month, day);
  cxDecodeTime(evening, hours, minutes, seconds, milliseconds);
  EXPECT_EQ(18000601, year * 10000 + month * 100 + day);
  EXPECT_EQ(183015250, ((hours * 100 + minutes) * 100 + seconds) * 1000 + milliseconds);
}

TEST_F(cxDateUtils, CalendarsConvertKnownDatesAcrossTheirEras)
{
  const TcxDateUtilsTestKnownDate cases[] = {
      {CAL_GREGORIAN, 2024, 2, 29, {0, 2024, 2, 29}},
      {CAL_GREGORIAN_ARABIC, 100, 1, 1, {0, 100, 1, 1}},
      {CAL_JAPAN, 1868, 9, 8, {0, 1, 9, 8}},
      {CAL_JAPAN, 1912, 7, 29, {0, 45, 7, 29}},
      {CAL_JAPAN, 1912, 7, 30, {1, 1, 7, 30}},
      {CAL_JAPAN, 1926, 12, 24, {1, 15, 12, 24}},
      {CAL_JAPAN, 1926, 12, 25, {2, 1, 12, 25}},
      {CAL_JAPAN, 1989, 1, 7, {2, 64, 1, 7}},
      {CAL_JAPAN, 1989, 1, 8, {3, 1, 1, 8}},
      {CAL_JAPAN, 2024, 5, 1, {3, 36, 5, 1}},
      {CAL_TAIWAN, 1912, 1, 1, {0, 1, 1, 1}},
      {CAL_TAIWAN, 2024, 1, 1, {0, 113, 1, 1}},
      {CAL_KOREA, 2024, 6, 15, {0, 4357, 6, 15}},
      {CAL_THAI, 2024, 6, 15, {0, 2567, 6, 15}},
      {CAL_HIJRI, 622, 7, 18, {-1, 1, 1, 1}},
      {CAL_HIJRI, 2000, 1, 1, {-1, 1420, 9, 25}},
      {CAL_HIJRI, 2024, 7, 7, {-1, 1446, 1, 1}},
      {CAL_HEBREW, 1583, 1, 1, {-1, 5343, 4, 7}},
      {CAL_HEBREW, 2000, 1, 1, {-1, 5760, 4, 23}},
      {CAL_HEBREW, 2023, 9, 16, {-1, 5784, 1, 1}},
      {CAL_HEBREW, 2024, 1, 1, {-1, 5784, 4, 20}},
      {CAL_HEBREW, 2024, 3, 24, {-1, 5784, 7, 14}},
      {CAL_HEBREW, 2024, 4, 23, {-1, 5784, 8, 15}},
      {CAL_HEBREW, 2024, 10, 2, {-1, 5784, 13, 29}},
      {CAL_HEBREW, 2024, 10, 3, {-1, 5785, 1, 1}},
      {CAL_HEBREW, 2239, 9, 29, {-1, 5999, 13, 29}},
  };
  for (const TcxDateUtilsTestKnownDate& c : cases) {
    TcxCustomCalendarTable* table = cxCalendarTableByID(c.Calendar);
    ASSERT_NE(nullptr, table);
    const TDateTime date = cxComposeDateTime(cxEncodeDate(c.Year, c.Month, c.Day), cxEncodeTime(13, 45, 0, 0));
    const TcxDateTime converted = table->FromDateTime(date);
    const std::string where = std::to_string(c.Calendar) + ": " + std::to_string(c.Year) + "-" +
                              std::to_string(c.Month) + "-" + std::to_string(c.Day);
    EXPECT_EQ(c.Expected.Era, converted.Era) << where;
    EXPECT_EQ(c.Expected.Year, converted.Year) << where;
    EXPECT_EQ(c.Expected.Month, converted.Month) << where;
    EXPECT_EQ(c.Expected.Day, converted.Day) << where;
    EXPECT_EQ(13, converted.Hours) << where;
    EXPECT_EQ(45, converted.Minutes) << where;
    EXPECT_DOUBLE_EQ(date, table->ToDateTime(converted)) << where;
  }
}

TEST_F(cxDateUtils, EveryCalendarRoundTripsItsWholeRange)
{
  for (CALID id = 1; id <= 12; ++id) {
    TcxCustomCalendarTable* table = cxCalendarTableByID(id);
    ASSERT_EQ(id, table->CalendarIdentifier());
    const TDateTime first = std::trunc(table->MinSupportedDate());
    const TDateTime last = std::trunc(table->MaxSupportedDate());
    int faults = 0;
    // Every 211th day (all weekdays and month positions) and the last one.
    for (TDateTime step = first; step < last + 211 && faults < 5; step += 211) {
      const TDateTime date = std::min(step, last);
      const TcxDateTime converted = table->FromDateTime(date);
      if (!table->IsValidDay(converted.Era, converted.Year, converted.Month, converted.Day) ||
          table->ToDateTime(converted) != date) {
        ADD_FAILURE() << "calendar " << id << " day " << date;
        ++faults;
      }
    }
  }
}

TEST_F(cxDateUtils, CalendarYearsMonthsAndLeapDays)
{
  TcxCustomCalendarTable* hijri = cxCalendarTableByID(CAL_HIJRI);
  EXPECT_TRUE(hijri->IsLeapYear(2u));
  EXPECT_EQ(355u, hijri->GetDaysInYear(2u));
  EXPECT_FALSE(hijri->IsLeapYear(1u));
  EXPECT_EQ(354u, hijri->GetDaysInYear(1u));
  EXPECT_EQ(30u, hijri->GetDaysInMonth(2u, 12u));
  EXPECT_TRUE(hijri->IsLeapDay(2u, 12u, 30u));

  auto* hebrew = rtl::As<TcxHebrewCalendarTable>(cxCalendarTableByID(CAL_HEBREW));
  EXPECT_TRUE(hebrew->IsLeapYear(5784u));
  EXPECT_EQ(383u, hebrew->GetDaysInYear(5784u));
  EXPECT_EQ(13u, hebrew->GetMonthsInYear(5784u));
  EXPECT_EQ(29u, hebrew->GetDaysInMonth(5784u, 7u));
  EXPECT_TRUE(hebrew->IsLeapMonth(5784u, 7u));
  EXPECT_EQ(1, hebrew->GetYearType(5784u));
  EXPECT_EQ(355u, hebrew->GetDaysInYear(5785u));
  EXPECT_EQ(0, hebrew->GetYearType(6000u));
  EXPECT_FALSE(hebrew->IsValidDay(5785u, 13u, 1u));

  // Meiji 13 is 1880, a leap year; the same number in the default era is not.
  TcxCustomCalendarTable* japanese = cxCalendarTableByID(CAL_JAPAN);
  EXPECT_EQ(61u, japanese->GetDayOfYear(TcxDateTime{0, 13, 3, 1, 0, 0, 0, 0}));
  // Before the first era there is no year to count: the first day converts.
  const TcxDateTime early = japanese->FromDateTime(cxEncodeDate(1800, 1, 1));
  EXPECT_EQ(0, early.Era);
  EXPECT_EQ(1u, early.Year);
  EXPECT_EQ(9u, early.Month);
  EXPECT_EQ(8u, early.Day);

  TcxCustomCalendarTable* gregorian = cxCalendarTableByID(CAL_GREGORIAN);
  EXPECT_EQ(53u, gregorian->GetFullWeeksInYear(2022u));  // begins on a Saturday
  EXPECT_EQ(52u, gregorian->GetFullWeeksInYear(2023u));
  EXPECT_FALSE(gregorian->IsValidYear(99u));
  EXPECT_TRUE(gregorian->IsLeapDay(2000u, 2u, 29u));
  EXPECT_FALSE(gregorian->IsLeapYear(1900u));
}

TEST_F(cxDateUtils, DateArithmeticKeepsTheMonthEndAndCrossesEras)
{
  struct TCase {
    CALID Calendar;
    TcxDateUtilsTestDate From;
    int Months, Years;
    int Year, Month, Day;  // the Gregorian result
  };
  const TCase cases[] = {
      {CAL_GREGORIAN, {0, 2024, 1, 31}, 1, 0, 2024, 2, 29},
      {CAL_GREGORIAN, {0, 2023, 1, 31}, 1, 0, 2023, 2, 28},
      {CAL_GREGORIAN, {0, 2023, 3, 15}, -15, 0, 2021, 12, 15},
      {CAL_GREGORIAN, {0, 2024, 2, 29}, 0, 1, 2025, 2, 28},
      // Showa 64 ended in January: a month on is Heisei 1.
      {CAL_JAPAN, {2, 64, 1, 7}, 1, 0, 1989, 2, 7},
      {CAL_JAPAN, {2, 63, 6, 1}, 0, 1, 1989, 6, 1},
      // Adar II of a leap year into a common year: the month count differs.
      {CAL_HEBREW, {-1, 5784, 13, 29}, 1, 0, 2024, 10, 31},
      {CAL_HEBREW, {-1, 5784, 7, 14}, 0, 1, 2025, 4, 12},
      {CAL_HIJRI, {-1, 1445, 12, 29}, 1, 0, 2024, 8, 4},
  };
  for (const TCase& c : cases) {
    TcxCustomCalendarTable* table = cxCalendarTableByID(c.Calendar);
    const TcxDateTime from{c.From.Era, c.From.Year, c.From.Month, c.From.Day, 0, 0, 0, 0};
    const TDateTime result = c.Years != 0 ? table->AddYears(from, c.Years) : table->AddMonths(from, c.Months);
    EXPECT_EQ(cxEncodeDate(c.Year, c.Month, c.Day), result) << c.Calendar << " " << c.From.Year;
  }
  TcxCustomCalendarTable* gregorian = cxCalendarTableByID(CAL_GREGORIAN);
  // Invalid input and results outside the range.
  EXPECT_EQ(gregorian->MinSupportedDate(), gregorian->AddDays(TcxDateTime{0, 2023, 2, 29, 0, 0, 0, 0}, 1));
  EXPECT_EQ(gregorian->MaxSupportedDate(), gregorian->AddDays(TcxDateTime{0, 9999, 12, 30, 0, 0, 0, 0}, 5));
  EXPECT_EQ(gregorian->MinSupportedDate(), gregorian->AddYears(TcxDateTime{0, 2000, 1, 1, 0, 0, 0, 0}, -1950));
  EXPECT_EQ(cxEncodeDate(2024, 3, 12), gregorian->AddWeeks(cxEncodeDate(2024, 2, 27), 2));
}

TEST_F(cxDateUtils, TablesAreSharedPerIdentifier)
{
  EXPECT_EQ(cxCalendarTableByID(CAL_JAPAN), cxCalendarTableByID(CAL_JAPAN));
  EXPECT_TRUE(rtl::Is<TcxThaiCalendarTable>(cxCalendarTableByID(CAL_THAI)));
  // An unknown identifier is the Gregorian calendar, and no new table each time.
  EXPECT_EQ(cxCalendarTableByID(CAL_GREGORIAN), cxCalendarTableByID(99));
  EXPECT_EQ(TcxCalendarTableClass::Of<TcxGregorianCalendarTable>().ClassType(),
            cxCalendarTableClassByID(99).ClassType());
  EXPECT_TRUE(cxIsGregorianCalendarTable(cxCalendarTableByID(CAL_GREGORIAN_XLIT_FRENCH)));
  EXPECT_FALSE(cxIsGregorianCalendarTable(cxCalendarTableByID(CAL_KOREA)));
  EXPECT_EQ(4, cxCalendarTableByID(CAL_JAPAN)->DefaultEra()->Era);
  EXPECT_EQ(6, cxCalendarTableByID(CAL_HIJRI)->GetFirstWeekDay());
  EXPECT_EQ(1, cxCalendarTableByID(CAL_GREGORIAN_ME_FRENCH)->GetFirstWeekDay());

  const rtl::TOwnedPtr<TcxCustomCalendarTable> base(rtl::New<TcxCustomCalendarTable>());
  EXPECT_THROW(base->GetFirstWeekDay(), rtl::EAbstractError);
  EXPECT_THROW(base->ToDateTime(TcxDateTime{}), rtl::EAbstractError);
}

TEST_F(cxDateUtils, NumbersTypedAsTextOrInHebrewLetters)
{
  TcxCustomCalendarTable* gregorian = cxCalendarTableByID(CAL_GREGORIAN);
  EXPECT_EQ(3u, gregorian->GetMonthNumber(2024u, L"march"));
  EXPECT_EQ(9u, gregorian->GetMonthNumber(2024u, L"Sep"));
  EXPECT_EQ(11u, gregorian->GetMonthNumber(2024u, L"11"));
  EXPECT_EQ(1999u, gregorian->GetYearNumber(L"1999"));
  EXPECT_THROW(gregorian->GetDayNumber(L"x"), rtl::EConvertError);

  TcxCustomCalendarTable* hebrew = cxCalendarTableByID(CAL_HEBREW);
  EXPECT_EQ(15u, hebrew->GetDayNumber(L"\u05D8\u05D5"));                      // tet vav
  EXPECT_EQ(5784u, hebrew->GetYearNumber(L"\u05EA\u05E9\u05E4\u05D3"));       // tav shin pe dalet
  EXPECT_EQ(7u, hebrew->GetMonthNumber(5784u, L"\u05D6"));                    // zayin
  EXPECT_EQ(12u, hebrew->GetDayNumber(L"12"));
}

TEST_F(cxDateUtils, WeekNumbersByRule)
{
  dxSetStartOfWeek(TDay::dMonday);
  struct TCase {
    TcxFirstWeekOfYear Rule;
    int Year, Month, Day;
    int Week;
  };
  const TCase cases[] = {
      {TcxFirstWeekOfYear::fwyFirstFourDays, 2021, 1, 3, 53},  {TcxFirstWeekOfYear::fwyFirstFourDays, 2020, 12, 31, 53},
      {TcxFirstWeekOfYear::fwyFirstFourDays, 2019, 12, 30, 1}, {TcxFirstWeekOfYear::fwyFirstFourDays, 2021, 1, 4, 1},
      {TcxFirstWeekOfYear::fwyJan1, 2021, 1, 3, 1},            {TcxFirstWeekOfYear::fwyJan1, 2021, 12, 27, 1},
      {TcxFirstWeekOfYear::fwyFirstFullWeek, 2021, 1, 3, 52},  {TcxFirstWeekOfYear::fwyFirstFullWeek, 2021, 1, 4, 1},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(c.Week, cxWeekNumber(c.Rule, cxEncodeDate(c.Year, c.Month, c.Day))) << c.Year << "-" << c.Month << "-"
                                                                                   << c.Day;
  // The Hebrew year's own weeks: its first day is in week 1, and the days of
  // Elul that share a week with the next year's first day are too.
  TcxCustomCalendarTable* hebrew = cxCalendarTableByID(CAL_HEBREW);
  EXPECT_EQ(1, hebrew->GetWeekNumber(cxEncodeDate(2023, 9, 16), TDay::dSunday, TcxFirstWeekOfYear::fwyJan1));
  EXPECT_EQ(2, hebrew->GetWeekNumber(cxEncodeDate(2023, 9, 17), TDay::dSunday, TcxFirstWeekOfYear::fwyJan1));
  EXPECT_EQ(1, hebrew->GetWeekNumber(cxEncodeDate(2024, 9, 30), TDay::dSunday, TcxFirstWeekOfYear::fwyJan1));
}

TEST_F(cxDateUtils, TheStartOfWeekIsTheLocalesUntilAssigned)
{
  struct TCase {
    int Locale;
    TDay Day;
  };
  const TCase fromLocale[] = {{0, TDay::dMonday}, {5, TDay::dSaturday}, {6, TDay::dSunday}};
  for (const TCase& c : fromLocale)
    EXPECT_EQ(c.Day, dxDayOfWeekFromLocale(c.Locale));
  EXPECT_EQ(TDay::dSunday, dxDayOfWeekFromPlatform(1));
  EXPECT_EQ(TDay::dSunday, dxDayOfWeekFromPlatform(0));
  EXPECT_EQ(TDay::dSaturday, dxDayOfWeekFromPlatform(7));

  EXPECT_FALSE(dxIsStartOfWeekAssigned());
  EXPECT_EQ(dxLocaleStartOfWeek(), dxStartOfWeek());
  dxSetStartOfWeek(TDay::dSunday);
  EXPECT_EQ(TDay::dSunday, dxStartOfWeek());
  EXPECT_EQ(2, dxDayOfWeekOffset(cxEncodeDate(2024, 3, 5)));  // a Tuesday
  dxResetStartOfWeek();
  EXPECT_EQ(dxLocaleStartOfWeek(), dxStartOfWeek());
}

TEST_F(cxDateUtils, PatternsFormatTheirElements)
{
  struct TCase {
    const wchar_t* Pattern;
    rtl::Char Separator;
    const wchar_t* Text;
  };
  const TCase cases[] = {
      {L"dd/mm/yyyy", 0, L"05/03/2024"},
      {L"d mmmm yy", 0, L"5 March 24"},
      {L"dd/mm/yyyy", L'-', L"05-03-2024"},
      {L"ddd, d. mmmm yyyy", 0, L"Tue, 5. March 2024"},
      {L"dddd 'the' d", 0, L"Tuesday the 5"},
      {L"[yyyy.mm.dd]", 0, L"2024.03.05"},
      {L"yyyy e mm", 0, L"202403"},
      {L"m/d/yyyyy", 0, L"03/5/24"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(String(c.Text), cxFormatDateByPattern(c.Pattern, c.Separator, cxEncodeDate(2024, 3, 5))) << c.Pattern;
}

TEST_F(cxDateUtils, DatesFormatThroughTheLocaleOrThePlatformsPatterns)
{
  const TDateTime date = cxEncodeDate(2024, 3, 5);
  String text;
  EXPECT_TRUE(cxFormatDate(0, L"MMMM d, yyyy", date, text));
  EXPECT_EQ(L"March 5, 2024", text);
  EXPECT_FALSE(cxFormatDate(0, L"MMMM", -700000, text));
  EXPECT_EQ(L"", text);
  TcxCustomCalendarTable* gregorian = cxCalendarTableByID(CAL_GREGORIAN);
  EXPECT_EQ(L"March", cxCalendarMonthName(gregorian, date));
  EXPECT_EQ(L"December", cxCalendarMonthNameOf(2024u, 12u, gregorian));
  EXPECT_EQ(L"", cxCalendarMonthNameOf(2024u, 13u, gregorian));
  // A common Hebrew year has no thirteenth month.
  EXPECT_EQ(L"", cxCalendarMonthNameOf(5783u, 13u, cxCalendarTableByID(CAL_HEBREW)));

  TcxFormatController* controller = cxGetFormatController();
  ASSERT_NE(nullptr, controller);
  controller->SetUsePlatformDateTimeFormats(true);
  EXPECT_TRUE(cxFormatDate(0, L"dd-mm-yyyy", date, text));
  EXPECT_EQ(L"05-03-2024", text);
  controller->SetUsePlatformDateTimeFormats(false);
}

TEST_F(cxDateUtils, TheSmartInputMaskListsTheWords)
{
  String dateMask = L"D";
  cxAddSmartInputToDateMask(dateMask, false);
  EXPECT_EQ(0u, dateMask.find(L"(D)|('today'|'yesterday'|'tomorrow'|'Sunday'"));
  EXPECT_EQ(String::npos, dateMask.find(L"now"));
  EXPECT_NE(String::npos, dateMask.find(L"'bom'|'eom')((\\+|-)\\d(\\d(\\d\\d?)?)?)?"));
  String dateTimeMask = L"D";
  cxAddSmartInputToDateMask(dateTimeMask, true);
  EXPECT_NE(String::npos, dateTimeMask.find(L"'eom'|'now')"));
}

namespace {

// A time-zone tree of the test's own under the current user's key.
class cxTimeZones : public testing::Test {
 protected:
  static constexpr const wchar_t* kRoot = L"Software\\KelvaroTests\\Time Zones";

  void TearDown() override
  {
    const rtl::TOwnedPtr<rtl::TRegistry> registry(rtl::New<rtl::TRegistry>());
    registry->SetRootKey(HKEY_CURRENT_USER);
    registry->DeleteKey(L"Software\\KelvaroTests");
    TdxTimeZoneHelper::Load();
  }

  static TcxTZIField Rule(WORD ADaylightMonth, WORD ADaylightWeek, WORD AStandardMonth, WORD AStandardWeek)
  {
    TcxTZIField result{};
    result.Bias = 300;
    result.DaylightBias = -60;
    result.DaylightDate = SYSTEMTIME{0, ADaylightMonth, 0, ADaylightWeek, 2, 0, 0, 0};
    result.StandardDate = SYSTEMTIME{0, AStandardMonth, 0, AStandardWeek, 2, 0, 0, 0};
    return result;
  }
};

}  // namespace

TEST_F(cxTimeZones, DynamicRulesGiveOneEntryPerYear)
{
  const rtl::TOwnedPtr<rtl::TRegistry> registry(rtl::New<rtl::TRegistry>());
  registry->SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry->OpenKey(String(kRoot) + L"\\Test Eastern", true));
  registry->WriteString(L"Display", L"(UTC-05:00) Test Eastern");
  registry->WriteString(L"Std", L"Test Eastern Standard Time");
  registry->WriteString(L"Dlt", L"Test Eastern Daylight Time");
  registry->WriteInteger(L"Index", 35);
  TcxTZIField current = Rule(3, 2, 11, 1);
  registry->WriteBinaryData(L"TZI", &current, sizeof(current));
  registry->CloseKey();
  ASSERT_TRUE(registry->OpenKey(String(kRoot) + L"\\Test Eastern\\Dynamic DST", true));
  registry->WriteInteger(L"FirstEntry", 2006);
  registry->WriteInteger(L"LastEntry", 2008);
  TcxTZIField old = Rule(4, 1, 10, 5);
  registry->WriteBinaryData(L"2006", &old, sizeof(old));
  registry->WriteBinaryData(L"2007", &current, sizeof(current));
  registry->WriteBinaryData(L"2008", &current, 40);  // damaged: too short
  registry->CloseKey();
  ASSERT_TRUE(registry->OpenKey(String(kRoot) + L"\\Test Pacific", true));
  registry->WriteInteger(L"TZI", 5);  // not binary: skipped
  registry->CloseKey();

  TdxTimeZoneHelper::LoadFrom(HKEY_CURRENT_USER, kRoot, L"test eastern");
  ASSERT_EQ(2, TdxTimeZoneHelper::TimeZoneCount());
  EXPECT_EQ(0, TdxTimeZoneHelper::CurrentTimeZoneIndex());
  const TcxTimeZoneInformation& zone = TdxTimeZoneHelper::TimeZone(0);
  EXPECT_EQ(L"(UTC-05:00) Test Eastern", zone.Display);
  EXPECT_EQ(L"Test Eastern Standard Time", zone.StandardName);
  EXPECT_EQ(35, zone.Index);
  EXPECT_EQ(300, zone.TZI.Bias);
  ASSERT_EQ(2u, zone.DynamicDST.size());
  struct TCase {
    int Year;
    TDateTime Daylight, Standard;
  };
  const TDateTime twoOClock = cxEncodeTime(2, 0, 0, 0);
  const TCase cases[] = {{2006, cxEncodeDate(2006, 4, 2) + twoOClock, cxEncodeDate(2006, 10, 29) + twoOClock},
                         {2007, cxEncodeDate(2007, 3, 11) + twoOClock, cxEncodeDate(2007, 11, 4) + twoOClock}};
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(cases[i].Year, zone.DynamicDST[i].Year);
    EXPECT_DOUBLE_EQ(cases[i].Daylight, zone.DynamicDST[i].DaylightDate) << cases[i].Year;
    EXPECT_DOUBLE_EQ(cases[i].Standard, zone.DynamicDST[i].StandardDate) << cases[i].Year;
  }
  EXPECT_EQ(0, TdxTimeZoneHelper::TimeZone(1).TZI.Bias);
  EXPECT_THROW(TdxTimeZoneHelper::TimeZone(2), rtl::EListError);

  // No key: an empty table.
  TdxTimeZoneHelper::LoadFrom(HKEY_CURRENT_USER, L"Software\\KelvaroTests\\Missing", L"");
  EXPECT_EQ(0, TdxTimeZoneHelper::TimeZoneCount());
  EXPECT_EQ(-1, TdxTimeZoneHelper::CurrentTimeZoneIndex());
}
