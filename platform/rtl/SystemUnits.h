// Unit start-up and shut-down in link order.
//
// No unit runs code from a C++ static constructor: their order across
// translation units is unspecified, while the system's units start in link
// order and finish in reverse. Each unit declares one constant record:
//
//   // cxClasses.h
//   RTL_DECLARE_UNIT(cxClasses);
//   // cxClasses.cpp
//   RTL_UNIT(cxClasses, &cxClassesInitialization, &cxClassesFinalization);  // either may be nullptr
//
// The start-up and shut-down functions carry the unit's name, as does every
// other file-local name a unit might share with another: the sources must
// still compile when several are built as one translation unit.
//
// One table fixes the order of the whole program (app/LinkOrder.h):
//
//   constinit const rtl::UnitInfo* const kLinkOrder[] = {&unit_dxCore, ..., &unit_Main};
//   rtl::InitUnits(kLinkOrder);  ...  rtl::FinalizeUnits();
#pragma once

#include <span>
#include <string>
#include <vector>

namespace rtl {

struct UnitInfo {
  const char* name;
  void (*initialization)();
  void (*finalization)();
};

// RTL_UNIT also puts a pointer to the record into a linker section of its
// own, so LinkedUnits can list every unit linked into the program.
#define RTL_DECLARE_UNIT(AName) extern const ::rtl::UnitInfo unit_##AName
#define RTL_UNIT(AName, AInitialization, AFinalization)                                  \
  RTL_DECLARE_UNIT(AName);                                                               \
  constinit const ::rtl::UnitInfo unit_##AName{#AName, AInitialization, AFinalization}; \
  [[gnu::used, gnu::section(".rdata$rtlunit_m")]] static const ::rtl::UnitInfo* const    \
      unitref_##AName = &unit_##AName

// Runs the initialization of each unit in order and remembers how far it got.
// When one raises, the units before it stay initialised (FinalizeUnits
// finishes exactly those) and the exception propagates. Calling it again
// before FinalizeUnits raises EInvalidOperation: a unit must not start twice.
// The table must outlive the run: FinalizeUnits reads it.
void InitUnits(std::span<const UnitInfo* const> ALinkOrder);

// Runs the finalization of the initialised units in reverse order, each once.
// When one raises, the rest still finish and the first exception propagates
// afterwards. A second call does nothing.
void FinalizeUnits();

// False: the system is an executable, never a library.
bool IsLibrary();

// Every unit declared with RTL_UNIT in an object file linked into the
// program, in no particular order. A unit's object file is linked when
// anything in it is used, so a unit missing from the link-order table but
// linked all the same shows up here.
std::span<const UnitInfo* const> LinkedUnits();

// Checks a link-order table: every entry set, no unit listed twice (by record
// or by name), and every unit of AExpected listed. Returns an empty text when
// the table is sound, else one line per fault, for a test's failure message.
// The program's test passes LinkedUnits() as AExpected.
std::string CheckLinkOrder(std::span<const UnitInfo* const> ALinkOrder,
                           std::span<const UnitInfo* const> AExpected = {});

// The units of AUnits in the order of their names in ANames, so that a
// program that links only some of the units (a test program) starts them in
// the order of the whole program's one table. A unit that ANames lacks would
// start out of order, or not at all: EInvalidOperation names every such unit.
std::vector<const UnitInfo*> OrderUnits(std::span<const UnitInfo* const> AUnits,
                                        std::span<const char* const> ANames);

}  // namespace rtl
