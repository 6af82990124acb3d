// The cxDateUtils unit, its locale part: the thread locale's date and time
// settings, the application-wide start of the week and the words of smart
// date input with their regular-expression mask.
#pragma once

#include <windows.h>

#include "platform/rtl/System.h"
#include "platform/rtl/SysUtilsFormat.h"
#include "platform/rtl/TypInfo.h"

RTL_ENUM(TDay, dMonday, dTuesday, dWednesday, dThursday, dFriday, dSaturday, dSunday);
RTL_ENUM(TcxFirstWeekOfYear, fwySystem, fwyJan1, fwyFirstFullWeek, fwyFirstFourDays);

// The thread locale's values.
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

// The assigned start of week while one is assigned, else the locale's.
TDay dxStartOfWeek();
bool dxIsStartOfWeekAssigned();
void dxSetStartOfWeek(TDay AValue);
void dxResetStartOfWeek();
// 0 = Monday ... 6 = Sunday.
TDay dxDayOfWeekFromLocale(int AValue);

// "(" mask ")|(" the smart-input words ")" and an optional signed offset;
// "now" only when time can be entered.
void cxAddSmartInputToDateMask(rtl::String& AMask, bool ACanEnterTime);
