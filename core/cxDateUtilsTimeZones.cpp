// The time-zone table of the cxDateUtils unit: the system's zones as the
// registry lists them, with their yearly daylight-saving rules.
#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <vector>

#include "core/cxDateUtils.h"
#include "core/dxCore.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/SysUtils.h"

namespace {

struct TcxTimeZoneTable {
  std::vector<TcxTimeZoneInformation> Zones;
  int CurrentIndex = -1;
  TcxTimeZoneInformation Current;
};

// Made by the start-up step, freed by the finish step.
TcxTimeZoneTable* TimeZones = nullptr;

// The first 68 bytes of the system's record: the bias and the standard name.
constexpr std::size_t kZoneIdentitySize = offsetof(TIME_ZONE_INFORMATION, StandardDate);

// The system's record of a table entry; names longer than the record holds
// are cut to 31 characters.
TIME_ZONE_INFORMATION ToSystemRecord(const TcxTimeZoneInformation& AZone)
{
  TIME_ZONE_INFORMATION result{};
  result.Bias = AZone.TZI.Bias;
  result.StandardBias = AZone.TZI.StandardBias;
  result.DaylightBias = AZone.TZI.DaylightBias;
  result.StandardDate = AZone.TZI.StandardDate;
  result.DaylightDate = AZone.TZI.DaylightDate;
  AZone.StandardName.copy(result.StandardName, std::size(result.StandardName) - 1);
  AZone.DaylightName.copy(result.DaylightName, std::size(result.DaylightName) - 1);
  return result;
}

TcxTimeZoneInformation FromSystemRecord(const TIME_ZONE_INFORMATION& ARecord)
{
  TcxTimeZoneInformation result;
  result.StandardName.assign(ARecord.StandardName, wcsnlen(ARecord.StandardName, std::size(ARecord.StandardName)));
  result.DaylightName.assign(ARecord.DaylightName, wcsnlen(ARecord.DaylightName, std::size(ARecord.DaylightName)));
  result.TZI.Bias = ARecord.Bias;
  result.TZI.StandardBias = ARecord.StandardBias;
  result.TZI.DaylightBias = ARecord.DaylightBias;
  result.TZI.StandardDate = ARecord.StandardDate;
  result.TZI.DaylightDate = ARecord.DaylightDate;
  return result;
}

rtl::String DynamicTimeZoneKeyName()
{
  using TGetDynamicTimeZoneInformation = DWORD(WINAPI*)(PDYNAMIC_TIME_ZONE_INFORMATION);
  const auto getDynamic = reinterpret_cast<TGetDynamicTimeZoneInformation>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetDynamicTimeZoneInformation")));
  DYNAMIC_TIME_ZONE_INFORMATION info{};
  if (!getDynamic || getDynamic(&info) == TIME_ZONE_ID_INVALID)
    return rtl::String();
  return rtl::String(info.TimeZoneKeyName, wcsnlen(info.TimeZoneKeyName, std::size(info.TimeZoneKeyName)));
}

bool IsStringValue(rtl::TRegistry& ARegistry, const rtl::String& AName)
{
  const rtl::TRegDataType type = ARegistry.GetDataType(AName);
  return type == rtl::rdString || type == rtl::rdExpandString;
}

// The first 44 bytes of a binary value of at least that size.
bool ReadTZI(rtl::TRegistry& ARegistry, const rtl::String& AName, TcxTZIField& AValue)
{
  const int size = ARegistry.GetDataSize(AName);
  if (ARegistry.GetDataType(AName) != rtl::rdBinary || size < static_cast<int>(sizeof(TcxTZIField)))
    return false;
  std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
  ARegistry.ReadBinaryData(AName, data.data(), size);
  std::memcpy(&AValue, data.data(), sizeof(TcxTZIField));
  return true;
}

int ReadIntegerDef(rtl::TRegistry& ARegistry, const rtl::String& AName, int ADefault)
{
  return ARegistry.GetDataType(AName) == rtl::rdInteger ? ARegistry.ReadInteger(AName) : ADefault;
}

void ReadDynamicDST(const rtl::String& AKeyPath, TcxTimeZoneInformation& AZone, HKEY ARootKey)
{
  const auto registry = rtl::TOwnedPtr<rtl::TRegistry>(rtl::New<rtl::TRegistry>(KEY_READ));
  registry->SetRootKey(ARootKey);
  if (!registry->OpenKeyReadOnly(AKeyPath + L"\\Dynamic DST"))
    return;
  const int first = ReadIntegerDef(*registry, L"FirstEntry", INT_MAX);
  const int last = ReadIntegerDef(*registry, L"LastEntry", -1);
  for (int year = first; year <= last && year <= 9999; ++year) {
    TcxTZIField rule;
    if (!ReadTZI(*registry, std::to_wstring(year), rule))
      continue;
    TcxDSTInfo info{static_cast<std::uint16_t>(year), 0, 0};
    if (rule.StandardDate.wMonth != 0) {
      info.DaylightDate = TdxTimeZoneHelper::TransitionMoment(rule.DaylightDate, year);
      info.StandardDate = TdxTimeZoneHelper::TransitionMoment(rule.StandardDate, year);
    }
    AZone.DynamicDST.push_back(info);
  }
}

TcxTimeZoneInformation ReadZone(HKEY ARootKey, const rtl::String& AKeyPath)
{
  TcxTimeZoneInformation result;
  const auto registry = rtl::TOwnedPtr<rtl::TRegistry>(rtl::New<rtl::TRegistry>(KEY_READ));
  registry->SetRootKey(ARootKey);
  if (!registry->OpenKeyReadOnly(AKeyPath))
    return result;
  if (IsStringValue(*registry, L"Display"))
    result.Display = registry->ReadString(L"Display");
  if (IsStringValue(*registry, L"Std"))
    result.StandardName = registry->ReadString(L"Std");
  if (IsStringValue(*registry, L"Dlt"))
    result.DaylightName = registry->ReadString(L"Dlt");
  if (IsStringValue(*registry, L"MapID"))
    result.MapId = registry->ReadString(L"MapID");
  result.Index = ReadIntegerDef(*registry, L"Index", 0);
  ReadTZI(*registry, L"TZI", result.TZI);
  if (registry->HasSubKeys())
    ReadDynamicDST(AKeyPath, result, ARootKey);
  return result;
}

}  // namespace

void cxTimeZonesLoad()
{
  TdxTimeZoneHelper::Load();
}

void cxTimeZonesClear()
{
  TdxTimeZoneHelper::Clear();
}

void TdxTimeZoneHelper::Load()
{
  const rtl::String path = dxOSIsWindows9x ? L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Time Zones"
                                           : L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";
  LoadFrom(HKEY_LOCAL_MACHINE, path, DynamicTimeZoneKeyName());
}

void TdxTimeZoneHelper::LoadFrom(HKEY ARootKey, const rtl::String& AKeyPath, const rtl::String& ADynamicKeyName)
{
  auto table = std::make_unique<TcxTimeZoneTable>();
  TIME_ZONE_INFORMATION current{};
  GetTimeZoneInformation(&current);
  table->Current = FromSystemRecord(current);

  const auto registry = rtl::TOwnedPtr<rtl::TRegistry>(rtl::New<rtl::TRegistry>(KEY_READ));
  registry->SetRootKey(ARootKey);
  if (registry->OpenKeyReadOnly(AKeyPath) && registry->HasSubKeys()) {
    const auto names = rtl::TOwnedPtr<rtl::TStringList>(rtl::New<rtl::TStringList>());
    registry->GetKeyNames(names.get());
    for (int i = 0; i < names->GetCount(); ++i) {
      const rtl::String name = names->GetStrings(i);
      table->Zones.push_back(ReadZone(ARootKey, AKeyPath + L"\\" + name));
      const TIME_ZONE_INFORMATION record = ToSystemRecord(table->Zones.back());
      const bool isCurrent = ADynamicKeyName.empty()
                                 ? std::memcmp(&record, &current, kZoneIdentitySize) == 0
                                 : rtl::SameText(name, ADynamicKeyName);
      if (isCurrent)
        table->CurrentIndex = i;
    }
  }
  Clear();
  TimeZones = table.release();
}

void TdxTimeZoneHelper::Clear()
{
  delete TimeZones;
  TimeZones = nullptr;
}

int TdxTimeZoneHelper::TimeZoneCount()
{
  return TimeZones ? static_cast<int>(TimeZones->Zones.size()) : 0;
}

const TcxTimeZoneInformation& TdxTimeZoneHelper::TimeZone(int AIndex)
{
  if (AIndex < 0 || AIndex >= TimeZoneCount())
    throw rtl::EListError(rtl::Format(L"List index out of bounds (%d)", {AIndex}));
  return TimeZones->Zones[static_cast<std::size_t>(AIndex)];
}

int TdxTimeZoneHelper::CurrentTimeZoneIndex()
{
  return TimeZones ? TimeZones->CurrentIndex : -1;
}

TcxTimeZoneInformation TdxTimeZoneHelper::CurrentTimeZone()
{
  return TimeZones ? TimeZones->Current : TcxTimeZoneInformation();
}

rtl::TDateTime TdxTimeZoneHelper::TransitionMoment(const SYSTEMTIME& ARule, int AYear)
{
  const rtl::TDateTime time = cxEncodeTime(ARule.wHour, ARule.wMinute, ARule.wSecond, ARule.wMilliseconds);
  rtl::TDateTime date;
  if (ARule.wYear == AYear) {
    if (!cxTryEncodeDate(AYear, ARule.wMonth, ARule.wDay, date))
      return 0;
    return cxComposeDateTime(date, time);
  }
  const int month = ARule.wMonth;
  if (!cxTryEncodeDate(AYear, month, 1, date))
    return 0;
  int day;
  if (ARule.wDay >= 1 && ARule.wDay <= 4) {
    // The n-th such weekday of the month.
    const int first = cxDayOfWeek(date);
    const int c = ARule.wDayOfWeek - first + 2;
    day = (c > 0 ? c : c + 7) + 7 * (ARule.wDay - 1);
  } else {
    // The last such weekday of the month.
    const int lastDay = cxDaysInAMonth(AYear, month);
    const int lastWeekDay = cxDayOfWeek(date + lastDay - 1);
    const int d = lastDay + ARule.wDayOfWeek - lastWeekDay + 1;
    day = d > lastDay ? d - 7 : d;
  }
  return cxComposeDateTime(date + day - 1, time);
}
