#include "platform/rtl/SystemUnits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/rtl/SysUtils.h"

using namespace rtl;

namespace unitstest {

std::vector<std::string>& UnitLog()
{
  static std::vector<std::string> log;
  return log;
}

void InitA() { UnitLog().push_back("init A"); }
void FinA() { UnitLog().push_back("fin A"); }
void InitB() { UnitLog().push_back("init B"); }
void FinB() { UnitLog().push_back("fin B"); }
void InitC() { UnitLog().push_back("init C"); }
void FinC() { UnitLog().push_back("fin C"); }
void InitFails()
{
  UnitLog().push_back("init Fails");
  throw EConvertError(L"start-up failed");
}
void FinFails()
{
  UnitLog().push_back("fin Fails");
  throw EConvertError(L"shut-down failed");
}
void FinFailsToo()
{
  UnitLog().push_back("fin FailsToo");
  throw EInvalidOperation(L"second shut-down failure");
}

RTL_UNIT(A, &InitA, &FinA);
RTL_UNIT(B, &InitB, &FinB);
RTL_UNIT(C, &InitC, &FinC);
RTL_UNIT(StartOnly, &InitB, nullptr);
RTL_UNIT(FinishOnly, nullptr, &FinB);
RTL_UNIT(FailsToStart, &InitFails, &FinFails);
RTL_UNIT(FailsToFinish, nullptr, &FinFails);
RTL_UNIT(FailsToFinishToo, nullptr, &FinFailsToo);
// Another record with a name already taken.
constinit const UnitInfo unit_SecondA{"A", nullptr, nullptr};

using LogLines = std::vector<std::string>;

class Units : public testing::Test {
 protected:
  void SetUp() override { UnitLog().clear(); }
  // A failed test must not leave units started for the next one.
  void TearDown() override
  {
    try {
      FinalizeUnits();
    } catch (...) {
    }
  }
};

}  // namespace unitstest

using namespace unitstest;

TEST_F(Units, StartInOrderAndFinishInReverseOnce)
{
  static constexpr const UnitInfo* table[] = {&unit_A, &unit_B, &unit_C};
  InitUnits(table);
  EXPECT_EQ(UnitLog(), (LogLines{"init A", "init B", "init C"}));
  FinalizeUnits();
  EXPECT_EQ(UnitLog(), (LogLines{"init A", "init B", "init C", "fin C", "fin B", "fin A"}));
  FinalizeUnits();
  EXPECT_EQ(UnitLog().size(), 6u);
  EXPECT_FALSE(IsLibrary());
}

TEST_F(Units, MissingStepsAreSkipped)
{
  static constexpr const UnitInfo* table[] = {&unit_StartOnly, &unit_FinishOnly};
  InitUnits(table);
  FinalizeUnits();
  EXPECT_EQ(UnitLog(), (LogLines{"init B", "fin B"}));
}

TEST_F(Units, AFailingStartFinishesOnlyTheUnitsBeforeIt)
{
  static constexpr const UnitInfo* table[] = {&unit_A, &unit_B, &unit_FailsToStart, &unit_C};
  EXPECT_THROW(InitUnits(table), EConvertError);
  EXPECT_EQ(UnitLog(), (LogLines{"init A", "init B", "init Fails"}));
  FinalizeUnits();
  EXPECT_EQ(UnitLog(), (LogLines{"init A", "init B", "init Fails", "fin B", "fin A"}));
}

TEST_F(Units, AFailingFinishLetsTheOthersFinishThenRaisesTheFirst)
{
  static constexpr const UnitInfo* table[] = {&unit_A, &unit_FailsToFinishToo, &unit_B, &unit_FailsToFinish};
  InitUnits(table);
  EXPECT_THROW(FinalizeUnits(), EConvertError);
  EXPECT_EQ(UnitLog(), (LogLines{"init A", "init B", "fin Fails", "fin B", "fin FailsToo", "fin A"}));
  FinalizeUnits();
  EXPECT_EQ(UnitLog().size(), 6u);
}

TEST_F(Units, StartingTwiceIsRefused)
{
  static constexpr const UnitInfo* table[] = {&unit_A};
  InitUnits(table);
  EXPECT_THROW(InitUnits(table), EInvalidOperation);
  FinalizeUnits();
  EXPECT_EQ(UnitLog(), (LogLines{"init A", "fin A"}));
  InitUnits(table);  // a finished run may start again
  FinalizeUnits();
  EXPECT_EQ(UnitLog().size(), 4u);
}

TEST(LinkOrder, EachUnitExactlyOnce)
{
  const UnitInfo* const sound[] = {&unit_A, &unit_B, &unit_C};
  const UnitInfo* const twice[] = {&unit_A, &unit_B, &unit_A};
  const UnitInfo* const sameName[] = {&unit_A, &unit_SecondA};
  const UnitInfo* const empty[] = {&unit_A, nullptr};
  const UnitInfo* const expected[] = {&unit_C, &unit_A};
  const struct {
    const char* what;
    std::span<const UnitInfo* const> table, expected;
    std::string faults;
  } cases[] = {
      {"sound", sound, expected, ""},
      {"listed twice", twice, {}, "A is listed at 0 and 2\n"},
      {"same name twice", sameName, {}, "A is listed at 0 and 1\n"},
      {"empty entry", empty, {}, "entry 1 is empty\n"},
      {"missing", twice, expected, "A is listed at 0 and 2\nC is missing\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CheckLinkOrder(c.table, c.expected), c.faults) << c.what;
}

TEST(LinkOrder, LinkedUnitsListsEveryDeclaredUnitOnce)
{
  const std::span<const UnitInfo* const> linked = LinkedUnits();
  for (const UnitInfo* unit : {&unit_A, &unit_B, &unit_C, &unit_StartOnly, &unit_FailsToFinishToo})
    EXPECT_EQ(std::count(linked.begin(), linked.end(), unit), 1) << unit->name;
  // Records written without RTL_UNIT are not listed.
  EXPECT_EQ(std::count(linked.begin(), linked.end(), &unit_SecondA), 0);
  const UnitInfo* const partial[] = {&unit_A, &unit_B};
  const std::string faults = CheckLinkOrder(partial, linked);
  EXPECT_NE(faults.find("C is missing\n"), std::string::npos) << faults;
  EXPECT_EQ(faults.find("A is missing"), std::string::npos) << faults;
}

TEST(LinkOrder, OrderUnitsFollowsTheNamesAndSkipsUnitsNotLinked)
{
  const UnitInfo* const linked[] = {&unit_A, &unit_B, &unit_C};
  const char* const names[] = {"C", "NotLinked", "A", "B"};
  EXPECT_EQ(OrderUnits(linked, names), (std::vector<const UnitInfo*>{&unit_C, &unit_A, &unit_B}));
  EXPECT_TRUE(OrderUnits({}, names).empty());
}

TEST(LinkOrder, OrderUnitsRefusesALinkedUnitWithoutAPlace)
{
  const UnitInfo* const linked[] = {&unit_A, &unit_B, &unit_C};
  const char* const names[] = {"B"};
  try {
    OrderUnits(linked, names);
    FAIL() << "a unit missing from the names was accepted";
  } catch (const EInvalidOperation& E) {
    EXPECT_EQ(E.Message(), L"Units missing from the link order: A, C");
  }
}
