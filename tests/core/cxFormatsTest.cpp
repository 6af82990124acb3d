#include "core/cxFormats.h"
#include "platform/vcl/Forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using enum TcxDateTimeFormatItemKind;
using rtl::String;

namespace {

// The platform's settings pinned to an English locale for the test, and put
// back afterwards.
class cxFormats : public testing::Test {
 protected:
  void SetUp() override
  {
    FSaved = rtl::FormatSettings();
    rtl::TFormatSettings& settings = rtl::FormatSettings();
    settings = rtl::TFormatSettings::Create(0x0409);
    settings.ShortDateFormat = L"d/M/yyyy";
    settings.LongTimeFormat = L"hh:mm:ss AM/PM";
    settings.DateSeparator = L'/';
    settings.TimeSeparator = L':';
    settings.TimeAMString = L"AM";
    settings.TimePMString = L"PM";
    // The locale's own patterns (its long time format) are English too.
    FSavedLocale = GetThreadLocale();
    SetThreadLocale(0x0409);
    FController.reset(rtl::New<TcxFormatController>());
  }
  void TearDown() override
  {
    FController.reset();
    SetThreadLocale(FSavedLocale);
    rtl::FormatSettings() = FSaved;
  }

  std::vector<std::pair<TcxDateTimeFormatItemKind, String>> Parsed(const String& APattern)
  {
    TcxDateTimeFormatInfo info;
    FController->ParseDateTimeFormat(APattern, info);
    std::vector<std::pair<TcxDateTimeFormatItemKind, String>> result;
    for (int i = 0; i < info.ItemCount(); ++i)
      result.emplace_back(info.GetItems(i).Kind, info.GetItems(i).Data);
    return result;
  }

  rtl::TFormatSettings FSaved;
  LCID FSavedLocale = 0;
  rtl::TOwnedPtr<TcxFormatController> FController;
};

using TItems = std::vector<std::pair<TcxDateTimeFormatItemKind, String>>;

class TcxFormatsTestListener : public IcxFormatControllerListener {
 public:
  HRESULT __stdcall QueryInterface(REFIID, void** AObj) override
  {
    *AObj = nullptr;
    return E_NOINTERFACE;
  }
  ULONG __stdcall AddRef() override { return 1; }
  ULONG __stdcall Release() override { return 1; }
  void __stdcall FormatChanged() override { ++Count; }
  int Count = 0;
};

// Hears the clock too.
class TcxFormatsTestTimeListener : public IcxFormatControllerListener, public IcxFormatControllerTimeListener {
 public:
  HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override
  {
    *AObj = IsEqualGUID(AIID, rtl::IIDOf<IcxFormatControllerTimeListener>())
                ? static_cast<IcxFormatControllerTimeListener*>(this)
                : nullptr;
    return *AObj ? S_OK : E_NOINTERFACE;
  }
  ULONG __stdcall AddRef() override { return 1; }
  ULONG __stdcall Release() override { return 1; }
  void __stdcall FormatChanged() override {}
  void __stdcall TimeChanged() override { ++Count; }
  int Count = 0;
};

}  // namespace

TEST_F(cxFormats, PatternsParseIntoItems)
{
  struct TCase {
    const wchar_t* Pattern;
    TItems Items;
  };
  const TCase cases[] = {
      {L"hh:mm:ss AM/PM",
       {{dtikHour, L"12HH"},
        {dtikTimeSeparator, L":"},
        {dtikMin, L"NN"},
        {dtikTimeSeparator, L":"},
        {dtikSec, L"SS"},
        {dtikString, L" "},
        {dtikTimeSuffix, L"AM/PM"}}},
      {L"d/M/yyyy", {{dtikDay, L"D"}, {dtikDateSeparator, L"/"}, {dtikMonth, L"M"}, {dtikDateSeparator, L"/"},
                     {dtikYear, L"YYYY"}}},
      {L"HH:nn", {{dtikHour, L"24HH"}, {dtikTimeSeparator, L":"}, {dtikMin, L"NN"}}},
      // A suffix without an hour goes; a second day is dropped.
      {L"dd 'of' mmmm am/pm dd", {{dtikDay, L"DD"}, {dtikString, L" of "}, {dtikMonth, L"MMMM"},
                                  {dtikString, L" "}, {dtikString, L" "}}},
      {L"ddddd", {{dtikDay, L"D"}, {dtikDateSeparator, L"/"}, {dtikMonth, L"M"}, {dtikDateSeparator, L"/"},
                  {dtikYear, L"YYYY"}}},
      {L"yyyy gg", {}},
      // The locale's "h:mm:ss tt" with tt read as the locale's AM and PM.
      {L"tt", {{dtikHour, L"12H"}, {dtikTimeSeparator, L":"}, {dtikMin, L"NN"}, {dtikTimeSeparator, L":"},
               {dtikSec, L"SS"}, {dtikString, L" "}, {dtikTimeSuffix, L"AMPM"}}},
      {L"C", {{dtikDay, L"D"}, {dtikDateSeparator, L"/"}, {dtikMonth, L"M"}, {dtikDateSeparator, L"/"},
              {dtikYear, L"YYYY"}, {dtikString, L" "}, {dtikHour, L"12H"}, {dtikTimeSeparator, L":"},
              {dtikMin, L"NN"}, {dtikTimeSeparator, L":"}, {dtikSec, L"SS"}, {dtikString, L" "},
              {dtikTimeSuffix, L"AMPM"}}},
      {L"aaaa, yy-mmm 'o''clock", {{dtikDay, L"DDDD"}, {dtikString, L", "}, {dtikYear, L"YY"}, {dtikString, L"-"},
                                    {dtikMonth, L"MMM"}, {dtikString, L" oclock"}}},
      {L"h:n:s.zzz a/p", {{dtikHour, L"12H"}, {dtikTimeSeparator, L":"}, {dtikMin, L"N"}, {dtikTimeSeparator, L":"},
                          {dtikSec, L"S"}, {dtikString, L"."}, {dtikMSec, L"ZZZ"}, {dtikString, L" "},
                          {dtikTimeSuffix, L"a/p"}}},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(c.Items, Parsed(c.Pattern)) << String(c.Pattern);
}

TEST_F(cxFormats, TheLocalesFormatsBuildTheEditMasks)
{
  EXPECT_EQ(L"!99/99/9999\\ 99:99:99\\ cc;1; ", FController->GetStandardDateTimeEditMask());
  EXPECT_EQ(L"!99/99/9999;1; ", FController->GetStandardDateEditMask());
  EXPECT_EQ(L"dd/mm/yyyy' 'hh:nn:ss' 'ampm", FController->GetMaskedDateTimeEditFormat());
  EXPECT_EQ(0u, FController->GetRegExprDateTimeEditMask().find(
                    L"(([012]?[1-9]|[123]0|31)\\/((0?[1-9]|1[012])|('Jan'"));
  EXPECT_NE(String::npos, FController->GetRegExprDateTimeEditMask().find(
                              L"\\d\\d\\d\\d ' '((0?[1-9]|1[012])\\:[0-5]?\\d\\:[0-5]?\\d' '('AM'|'PM')?)?)|("));
  EXPECT_TRUE(FController->GetLocalIsGregorianCalendar());
  EXPECT_EQ(L"h:mm:ss tt", FController->GetLocalFormatSettings().LongTimeFormat);

  // The suffix of the locale's strings: its zone is as long as the longer.
  TcxDateTimeFormatItemInfo item{};
  ASSERT_TRUE(TcxFormatController::GetDateTimeFormatItemStandardMaskInfo(FController->GetDateTimeFormatInfo(), 22,
                                                                         item));
  EXPECT_EQ(dtikTimeSuffix, item.Kind);
  EXPECT_EQ(TcxTimeSuffixKind::tskAMPMString, item.TimeSuffixKind);
  EXPECT_EQ(21, item.ItemZoneStart);
  EXPECT_EQ(2, item.ItemZoneLength);
  EXPECT_EQ(22, TcxFormatController::GetDateTimeStandardMaskStringLength(FController->GetDateTimeFormatInfo()));

  // The platform's patterns instead of the locale's.
  FController->SetUsePlatformDateTimeFormats(true);
  EXPECT_EQ(L"!99/99/9999\\ 99:99:99\\ cc;1; ", FController->GetStandardDateTimeEditMask());
  EXPECT_EQ(L"dd/mm/yyyy' 'hh:nn:ss' 'am/pm", FController->GetMaskedDateTimeEditFormat());
}

TEST_F(cxFormats, MasksAndFormatsOfParsedPatterns)
{
  TcxDateTimeFormatInfo date;
  FController->ParseDateTimeFormat(L"d/M/yyyy", date);
  EXPECT_EQ(L"!99/99/9999;1; ", TcxFormatController::StandardMask(date, 0));
  EXPECT_EQ(L"dd/mm/yyyy", TcxFormatController::DisplayFormat(date));
  EXPECT_EQ(10, TcxFormatController::GetDateTimeStandardMaskStringLength(date));
  TcxDateTimeFormatItemInfo item{};
  ASSERT_TRUE(TcxFormatController::GetDateTimeFormatItemStandardMaskInfo(date, 4, item));
  EXPECT_EQ(dtikMonth, item.Kind);
  EXPECT_EQ(4, item.ItemZoneStart);
  EXPECT_EQ(2, item.ItemZoneLength);
  EXPECT_FALSE(TcxFormatController::GetDateTimeFormatItemStandardMaskInfo(date, 11, item));
  EXPECT_FALSE(TcxFormatController::GetDateTimeFormatItemStandardMaskInfo(date, 0, item));

  TcxDateTimeFormatInfo time;
  FController->ParseDateTimeFormat(L"hh:mm:ss AM/PM", time);
  EXPECT_EQ(L"00:00:00\\ cc;1;0", TcxFormatController::StandardMask(time, 1));
  EXPECT_EQ(L"(0?[1-9]|1[012])\\:[0-5]?\\d\\:[0-5]?\\d' '(AM|PM)?", FController->RegExprMask(time, 1));
  EXPECT_EQ(L"([012]?[1-9]|[123]0|31)\\/((0?[1-9]|1[012])|('Jan'|'Feb'|'Mar'|'Apr'|'May'|'Jun'|'Jul'|'Aug'|"
            L"'Sep'|'Oct'|'Nov'|'Dec'))\\/\\d\\d\\d\\d",
            FController->RegExprMask(date, 0));

  EXPECT_EQ(FController->RegExprMask(date, 0), FController->RegExprCustomDateEditMask(L"d/M/yyyy"));
  EXPECT_EQ(String::npos, FController->GetRegExprDateEditMask().find(L"now"));
  EXPECT_NE(String::npos, FController->GetRegExprDateTimeEditMask().find(L"'now'"));
  EXPECT_EQ(L"dd/MM/yyyy", FController->GetDateEditFormat());
}

TEST_F(cxFormats, CurrencyFormatsFollowThePositiveAndNegativePatterns)
{
  rtl::TFormatSettings settings = rtl::FormatSettings();
  settings.CurrencyString = L"Fr.";
  settings.CurrencyDecimals = 2;
  struct TCase {
    int Positive;
    int Negative;
    const wchar_t* Format;
  };
  const TCase cases[] = {{0, 0, L"Fr'.',0.00;(Fr'.',0.00)"},
                         {3, 8, L",0.00 Fr'.';-,0.00 Fr'.'"},
                         {2, 12, L"Fr'.' ,0.00;Fr'.' -,0.00"},
                         {1, 15, L",0.00Fr'.';(,0.00 Fr'.')"}};
  for (const TCase& c : cases) {
    settings.CurrencyFormat = static_cast<std::uint8_t>(c.Positive);
    settings.NegCurrFormat = static_cast<std::uint8_t>(c.Negative);
    EXPECT_EQ(c.Format, TcxFormatController::CurrencyFormatOf(settings)) << c.Negative;
  }
}

TEST_F(cxFormats, AssignedValuesSurviveRebuildsAndListenersHearRealChanges)
{
  TcxFormatsTestListener listener;
  FController->AddListener(&listener);
  const String mask = FController->GetStandardDateEditMask();
  FController->SetStandardDateEditMask(mask);
  EXPECT_TRUE(FController->GetAssignedStandardDateEditMask());
  EXPECT_EQ(0, listener.Count);
  FController->SetStandardDateEditMask(L"!99.99.9999;1; ");
  EXPECT_EQ(1, listener.Count);
  FController->GetFormats();
  EXPECT_EQ(L"!99.99.9999;1; ", FController->GetStandardDateEditMask());

  FController->BeginUpdate();
  FController->SetUsePlatformDateTimeFormats(true);
  FController->SetCurrencyFormat(L"0");
  EXPECT_EQ(1, listener.Count);
  FController->EndUpdate();
  EXPECT_EQ(2, listener.Count);

  FController->RemoveListener(&listener);
}

// The locale's settings change: an application that takes new format
// settings rebuilds the formats and tells the listeners; one that keeps its
// own changes no format. Only the exact "intl" counts.
TEST_F(cxFormats, ALocaleChangeRebuildsTheFormatsOnlyWhenTheApplicationTakesNewSettings)
{
  struct TCase {
    const char* Name;
    bool Update;
    const wchar_t* Section;
    int Notified;
  };
  const TCase cases[] = {
      {"taken", true, L"intl", 1},
      {"kept", false, L"intl", 0},
      {"another section", true, L"Intl", 0},
  };
  vcl::TApplication* application = vcl::Application();
  const bool update = application->GetUpdateFormatSettings();
  for (const TCase& c : cases) {
    TcxFormatsTestListener listener;
    FController->AddListener(&listener);
    application->SetUpdateFormatSettings(c.Update);
    EXPECT_EQ(0, SendMessageW(FController->GetHandle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(c.Section)));
    EXPECT_EQ(c.Notified, listener.Count) << c.Name;
    FController->RemoveListener(&listener);
  }
  application->SetUpdateFormatSettings(update);
}

TEST_F(cxFormats, TheClockChangeReachesTheTimeListenersOnly)
{
  TcxFormatsTestListener plain;
  TcxFormatsTestTimeListener timed;
  FController->AddListener(&plain);
  FController->AddListener(&timed);
  FController->AddListener(&timed);
  EXPECT_EQ(0, SendMessageW(FController->GetHandle(), WM_TIMECHANGE, 0, 0));
  EXPECT_EQ(1, timed.Count);
  EXPECT_EQ(0, plain.Count);
  FController->RemoveListener(&timed);
  SendMessageW(FController->GetHandle(), WM_TIMECHANGE, 0, 0);
  EXPECT_EQ(1, timed.Count);
  FController->RemoveListener(&plain);
}
