// The filter edit helpers: which helper serves a properties class, the
// operators and data type each offers, a filter editor made and prepared
// from a column's properties, and the register's life.
#include "editors/cxFilterControlUtils.h"

#include <gtest/gtest.h>

#include "editors/cxDropDownEdit.h"
#include "editors/cxMaskEdit.h"
#include "editors/cxMemo.h"
#include "editors/cxTextEdit.h"

namespace {

using TcxOp = TcxFilterControlOperator;

TEST(cxFilterEditsControllerTest, FindsTheHelperOfTheClassOrItsNearestAncestor)
{
  const struct {
    const char* Name;
    rtl::TClass PropertiesClass;
    TcxCustomFilterEditHelperClass Helper;
  } cases[] = {
      {"text", TcxTextEditProperties::StaticClass(), TcxFilterTextEditHelper::Class()},
      {"memo, through its base class", TcxMemoProperties::StaticClass(), TcxFilterMemoHelper::Class()},
      {"mask, through its base class", TcxMaskEditProperties::StaticClass(), TcxFilterMaskEditHelper::Class()},
      {"combo box", TcxComboBoxProperties::StaticClass(), TcxFilterComboBoxHelper::Class()},
      {"a class without helper", TcxCustomEditProperties::StaticClass(), nullptr},
      {"nil", nullptr, nullptr},
  };
  for (const auto& c : cases)
    EXPECT_EQ(cxFilterEditsControllerInstance()->FindHelper(c.PropertiesClass), c.Helper) << c.Name;
}

TEST(cxFilterEditsControllerTest, FreesItselfWithTheLastHelperAndStartsAgainEmpty)
{
  const std::pair<rtl::TClass, TcxCustomFilterEditHelperClass> registered[] = {
      {TcxTextEditProperties::StaticClass(), TcxFilterTextEditHelper::Class()},
      {TcxCustomMemoProperties::StaticClass(), TcxFilterMemoHelper::Class()},
      {TcxCustomMaskEditProperties::StaticClass(), TcxFilterMaskEditHelper::Class()},
      {TcxComboBoxProperties::StaticClass(), TcxFilterComboBoxHelper::Class()},
  };
  ASSERT_EQ(cxFilterEditsControllerInstance()->Count(), 4);
  cxFilterEditsControllerInstance()->Register(registered[0].first, registered[0].second);
  EXPECT_EQ(cxFilterEditsControllerInstance()->Count(), 4) << "a pair is registered once";

  for (const auto& [propertiesClass, helper] : registered)
    cxFilterEditsControllerUnregister(propertiesClass, helper);
  cxFilterEditsControllerUnregister(registered[0].first, registered[0].second);  // nothing left: no-op
  EXPECT_EQ(cxFilterEditsControllerInstance()->Count(), 0) << "a fresh, empty register";

  for (const auto& [propertiesClass, helper] : registered)
    cxFilterEditsControllerInstance()->Register(propertiesClass, helper);
  EXPECT_EQ(cxFilterEditsControllerInstance()->Count(), 4);
}

TEST(cxFilterEditHelperTest, OffersTheOperatorsThatSuitTheValueType)
{
  const TcxFilterControlOperators text = {TcxOp::fcoLike,        TcxOp::fcoNotLike,    TcxOp::fcoContains,
                                          TcxOp::fcoNotContains, TcxOp::fcoBeginsWith, TcxOp::fcoEndsWith};
  const TcxFilterControlOperators basic = cxFilterOperatorRange(TcxOp::fcoEqual, TcxOp::fcoNonBlanks);
  const TcxFilterControlOperators extended = cxFilterOperatorRange(TcxOp::fcoEqual, TcxOp::fcoNotInList);
  const TcxFilterControlOperators compare = cxFilterOperatorRange(TcxOp::fcoEqual, TcxOp::fcoGreaterEqual) +
                                            TcxFilterControlOperators{TcxOp::fcoBlanks, TcxOp::fcoNonBlanks};
  const TcxFilterControlOperators range = cxFilterOperatorRange(TcxOp::fcoBetween, TcxOp::fcoNotInList);

  rtl::TOwnedPtr<TcxMaskEditProperties> unmasked(rtl::New<TcxMaskEditProperties>(nullptr));
  rtl::TOwnedPtr<TcxMaskEditProperties> masked(rtl::New<TcxMaskEditProperties>(nullptr));
  masked->SetMaskKind(TcxEditMaskKind::emkRegExpr);
  masked->SetEditMask(L"\\d+");

  const struct {
    const char* Name;
    TcxCustomFilterEditHelperClass Helper;
    TcxCustomEditProperties* Properties;
    TcxValueTypeClass ValueType;
    bool Extended;
    TcxFilterControlOperators Expected;
  } cases[] = {
      {"text on strings, extended", TcxFilterTextEditHelper::Class(), nullptr, TcxStringValueType::Class(), true,
       extended},
      {"text on strings", TcxFilterTextEditHelper::Class(), nullptr, TcxStringValueType::Class(), false, basic},
      {"text on integers", TcxFilterTextEditHelper::Class(), nullptr, TcxIntegerValueType::Class(), true,
       extended - text},
      {"text without a value type", TcxFilterTextEditHelper::Class(), nullptr, nullptr, false, basic - text},
      {"memo, whatever the type", TcxFilterMemoHelper::Class(), nullptr, TcxIntegerValueType::Class(), true,
       text + TcxFilterControlOperators{TcxOp::fcoBlanks, TcxOp::fcoNonBlanks}},
      {"mask without a mask on strings", TcxFilterMaskEditHelper::Class(), unmasked.get(),
       TcxStringValueType::Class(), false, compare + text},
      {"mask with a mask on strings", TcxFilterMaskEditHelper::Class(), masked.get(), TcxStringValueType::Class(),
       true, compare + range},
      {"mask on integers", TcxFilterMaskEditHelper::Class(), unmasked.get(), TcxIntegerValueType::Class(), false,
       compare},
  };
  for (const auto& c : cases)
    EXPECT_TRUE(c.Helper->GetSupportedFilterOperators(c.Properties, c.ValueType, c.Extended) == c.Expected)
        << c.Name;
}

TEST(cxFilterEditHelperTest, NamesTheDataTypeOfTheValueType)
{
  const struct {
    TcxValueTypeClass ValueType;
    TcxFilterDataType Expected;
  } cases[] = {
      {nullptr, TcxFilterDataType::fdtText},
      {TcxStringValueType::Class(), TcxFilterDataType::fdtText},
      {TcxBLOBValueType::Class(), TcxFilterDataType::fdtText},
      {TcxIntegerValueType::Class(), TcxFilterDataType::fdtNumeric},
      {TcxFloatValueType::Class(), TcxFilterDataType::fdtNumeric},
      {TcxDateTimeValueType::Class(), TcxFilterDataType::fdtDate},
      {TcxSQLTimeStampValueType::Class(), TcxFilterDataType::fdtDate},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TcxFilterTextEditHelper::Class()->GetFilterDataType(c.ValueType), c.Expected)
        << (c.ValueType ? c.ValueType->Caption() : L"nil").c_str();
  EXPECT_EQ(TcxFilterComboBoxHelper::Class()->GetFilterDataType(TcxIntegerValueType::Class()),
            TcxFilterDataType::fdtText);
}

TEST(cxFilterEditHelperTest, MakesAFilterEditorFitForEnteringAnOperand)
{
  rtl::TOwnedPtr<TcxTextEditProperties> column(rtl::New<TcxTextEditProperties>(nullptr));
  column->GetAlignment()->SetHorz(rtl::TAlignment::taRightJustify);
  column->SetReadOnly(true);
  column->SetBeepOnError(true);
  column->SetAutoSelect(false);
  column->SetValidateOnEnter(false);
  column->GetButtons()->Add();

  rtl::TOwnedPtr<TcxCustomEdit> edit(TcxFilterTextEditHelper::Class()->GetFilterEdit(column.get()));
  ASSERT_TRUE(rtl::Is<TcxTextEdit>(edit.get()));
  auto* properties = static_cast<TcxCustomTextEditProperties*>(edit->GetActiveProperties());
  EXPECT_EQ(properties->GetAlignment()->GetHorz(), rtl::TAlignment::taLeftJustify);
  EXPECT_EQ(properties->GetAlignment()->GetVert(), TcxEditVertAlignment::taVCenter);
  EXPECT_FALSE(properties->GetReadOnly());
  EXPECT_FALSE(properties->GetBeepOnError());
  EXPECT_TRUE(properties->GetAutoSelect());
  EXPECT_TRUE(properties->GetValidateOnEnter());
  EXPECT_TRUE(properties->GetHideSelection());
  EXPECT_EQ(properties->GetButtons()->GetCount(), 0);

  TcxFilterTextEditHelper::Class()->SetFilterValue(edit.get(), column.get(), rtl::Variant(L"abc"));
  rtl::Variant value;
  rtl::String text;
  TcxFilterTextEditHelper::Class()->GetFilterValue(edit.get(), column.get(), value, text);
  EXPECT_EQ(rtl::VarToStr(value), L"abc");
  EXPECT_EQ(text, L"abc");

  rtl::Variant operand(L"12");
  EXPECT_TRUE(TcxFilterTextEditHelper::Class()->IsValueValid(TcxIntegerValueType::Class(), operand));
  EXPECT_EQ(operand.VarType(), rtl::varInteger);
}

TEST(cxFilterEditHelperTest, TheMaskEditorTakesPartialInputOfARegularExpression)
{
  rtl::TOwnedPtr<TcxMaskEditProperties> column(rtl::New<TcxMaskEditProperties>(nullptr));
  column->SetMaskKind(TcxEditMaskKind::emkRegExpr);
  column->SetEditMask(L"[a-c]+");
  rtl::TOwnedPtr<TcxCustomEdit> edit(TcxFilterMaskEditHelper::Class()->GetFilterEdit(column.get()));
  ASSERT_TRUE(rtl::Is<TcxMaskEdit>(edit.get()));
  auto* properties = static_cast<TcxCustomMaskEditProperties*>(edit->GetActiveProperties());
  EXPECT_EQ(properties->GetMaskKind(), TcxEditMaskKind::emkRegExprEx);
  EXPECT_FALSE(properties->GetAutoSelect()) << "a masked operand is not selected whole " << properties->IsMasked() << " [" << std::string(properties->GetEditMask().begin(), properties->GetEditMask().end()) << "] " << (int)column->GetMaskKind() << " " << std::string(column->GetEditMask().begin(), column->GetEditMask().end());
}

}  // namespace
