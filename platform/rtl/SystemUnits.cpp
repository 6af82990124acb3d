#include "platform/rtl/SystemUnits.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "platform/rtl/SysUtils.h"

namespace rtl {

namespace {

// Plain data, set up before any code runs: the table given to InitUnits and
// how many of its units have been initialised.
constinit const UnitInfo* const* gUnitTable = nullptr;
constinit std::size_t gUnitsInitialized = 0;

// The linker sorts the input sections named ".rdata$..." by the text
// after '$', so these two bracket the pointers RTL_UNIT puts in "rtlunit_m".
[[gnu::used, gnu::section(".rdata$rtlunit_a")]] const UnitInfo* const gLinkedUnitsStart = nullptr;
[[gnu::used, gnu::section(".rdata$rtlunit_z")]] const UnitInfo* const gLinkedUnitsStop = nullptr;

// Walking from one object into the next is outside what the compiler assumes
// of pointers; the empty asm hides where the address came from.
const UnitInfo* const* HideOrigin(const UnitInfo* const* APointer)
{
  asm("" : "+r"(APointer));
  return APointer;
}

}  // namespace

std::span<const UnitInfo* const> LinkedUnits()
{
  const UnitInfo* const* first = HideOrigin(&gLinkedUnitsStart) + 1;
  const UnitInfo* const* last = HideOrigin(&gLinkedUnitsStop);
  return {first, last};
}

void InitUnits(std::span<const UnitInfo* const> ALinkOrder)
{
  if (gUnitsInitialized != 0)
    throw EInvalidOperation(L"Units are already initialized");
  gUnitTable = ALinkOrder.data();
  for (std::size_t i = 0; i < ALinkOrder.size(); ++i) {
    const UnitInfo* unit = ALinkOrder[i];
    if (unit == nullptr)
      throw EInvalidOperation(L"The unit table has an empty entry");
    if (unit->initialization)
      unit->initialization();
    gUnitsInitialized = i + 1;
  }
}

void FinalizeUnits()
{
  // The count drops before each call, so a unit that raises is not finished
  // again; the others still are, as shut-down must release what they hold.
  std::exception_ptr firstError;
  while (gUnitsInitialized > 0) {
    const UnitInfo* unit = gUnitTable[--gUnitsInitialized];
    if (!unit->finalization)
      continue;
    try {
      unit->finalization();
    } catch (...) {
      if (!firstError)
        firstError = std::current_exception();
    }
  }
  gUnitTable = nullptr;
  if (firstError)
    std::rethrow_exception(firstError);
}

bool IsLibrary()
{
  return false;
}

std::string CheckLinkOrder(std::span<const UnitInfo* const> ALinkOrder, std::span<const UnitInfo* const> AExpected)
{
  std::string faults;
  for (std::size_t i = 0; i < ALinkOrder.size(); ++i) {
    const UnitInfo* unit = ALinkOrder[i];
    if (unit == nullptr) {
      faults += "entry " + std::to_string(i) + " is empty\n";
      continue;
    }
    for (std::size_t j = 0; j < i; ++j)
      if (ALinkOrder[j] && (ALinkOrder[j] == unit || std::strcmp(ALinkOrder[j]->name, unit->name) == 0)) {
        faults += std::string(unit->name) + " is listed at " + std::to_string(j) + " and " + std::to_string(i) + "\n";
        break;
      }
  }
  for (const UnitInfo* unit : AExpected)
    if (std::find(ALinkOrder.begin(), ALinkOrder.end(), unit) == ALinkOrder.end())
      faults += std::string(unit->name) + " is missing\n";
  return faults;
}

std::vector<const UnitInfo*> OrderUnits(std::span<const UnitInfo* const> AUnits, std::span<const char* const> ANames)
{
  std::vector<const UnitInfo*> ordered;
  for (const char* name : ANames)
    for (const UnitInfo* unit : AUnits)
      if (std::strcmp(unit->name, name) == 0)
        ordered.push_back(unit);
  std::wstring unlisted;
  for (const UnitInfo* unit : AUnits)
    if (std::find(ordered.begin(), ordered.end(), unit) == ordered.end())
      unlisted += (unlisted.empty() ? L"" : L", ") + String(unit->name, unit->name + std::strlen(unit->name));
  if (!unlisted.empty())
    throw EInvalidOperation(L"Units missing from the link order: " + unlisted);
  return ordered;
}

}  // namespace rtl
