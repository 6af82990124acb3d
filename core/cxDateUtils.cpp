#include "core/cxDateUtils.h"

#include <array>

#include "core/cxLibraryStrs.h"
#include "core/dxCore.h"

namespace {

// The start of week the application chose, while one is chosen.
TDay AssignedStartOfWeek = TDay::dMonday;
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
  return static_cast<TDay>(((AValue % 7) + 7) % 7);
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
