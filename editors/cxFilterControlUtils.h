// The filter edit helpers: per editor-properties class, how an editor is set
// up to edit one operand of a filter condition (the editor class, how its
// properties are prepared, the operators that suit a value type, how the
// operand is read and set), and the process-wide register that maps
// properties classes to their helpers.
//
// A helper is used as a class reference, never instantiated by its users:
// each helper class has one constant, stateless instance, and a pointer to
// it (TcxCustomFilterEditHelperClass) is the reference through which its
// class operations are called virtually.
#pragma once

#include <utility>
#include <vector>

#include "editors/cxDataStorage.h"
#include "editors/cxEdit.h"
#include "platform/rtl/TypInfo.h"

RTL_DECLARE_UNIT(cxFilterControlUtils);

RTL_ENUM(TcxFilterDataType, fdtText, fdtNumeric, fdtDate, fdtTime, fdtLookup, fdtCheck);
RTL_ENUM(TcxFilterControlOperator, fcoNone, fcoEqual, fcoNotEqual, fcoLess, fcoLessEqual, fcoGreater,
         fcoGreaterEqual, fcoLike, fcoNotLike, fcoContains, fcoNotContains, fcoBeginsWith, fcoEndsWith, fcoBlanks,
         fcoNonBlanks, fcoBetween, fcoNotBetween, fcoInList, fcoNotInList, fcoYesterday, fcoToday, fcoTomorrow,
         fcoLast7Days, fcoLastWeek, fcoLast14Days, fcoLastTwoWeeks, fcoLast30Days, fcoLastMonth, fcoLastYear,
         fcoInPast, fcoThisWeek, fcoThisMonth, fcoThisYear, fcoNext7Days, fcoNextWeek, fcoNext14Days,
         fcoNextTwoWeeks, fcoNext30Days, fcoNextMonth, fcoNextYear, fcoInFuture);
using TcxFilterControlOperators =
    rtl::TSet<TcxFilterControlOperator, 0, static_cast<int>(TcxFilterControlOperator::fcoInFuture)>;

// The operators from AFirst to ALast, both included.
TcxFilterControlOperators cxFilterOperatorRange(TcxFilterControlOperator AFirst, TcxFilterControlOperator ALast);

class TcxCustomFilterEditHelper;
using TcxCustomFilterEditHelperClass = const TcxCustomFilterEditHelper*;

class TcxCustomFilterEditHelper {
 public:
  constexpr TcxCustomFilterEditHelper() = default;
  TcxCustomFilterEditHelper(const TcxCustomFilterEditHelper&) = delete;
  TcxCustomFilterEditHelper& operator=(const TcxCustomFilterEditHelper&) = delete;

  static TcxCustomFilterEditHelperClass Class() noexcept;
  virtual const wchar_t* ClassName() const { return L"TcxCustomFilterEditHelper"; }

  // Clears OnButtonClick, OnChange, OnEditValueChanged and OnValidate: a
  // filter editor must not run the handlers of the column it edits for.
  virtual void ClearPropertiesEvents(TcxCustomEditProperties* AProperties) const;
  virtual void InitializeFilterEdit(TcxCustomEdit* AEdit, TcxCustomEditProperties* AEditProperties) const;
  virtual bool KeepsDefaultValuesProvider(TcxCustomEditProperties* /*AEditProperties*/) const { return true; }
  virtual bool EditPropertiesHasButtons() const { return false; }
  virtual TcxFilterDataType GetFilterDataType(TcxValueTypeClass AValueTypeClass) const;
  virtual TcxCustomEditClass GetFilterEditClass() const { return nullptr; }
  // V is the editor's value, S its display text (the value's text when the
  // properties show none).
  virtual void GetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AEditProperties, rtl::Variant& V,
                              rtl::String& S) const;
  virtual TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                                TcxValueTypeClass AValueTypeClass,
                                                                bool AExtendedSet = false) const;
  // AProperties (the filter editor's) take AEditProperties and are made fit
  // for entering an operand: left and centred, no beep, no buttons unless
  // AHasButtons, editable, validated on Enter, no events.
  virtual void InitializeProperties(TcxCustomEditProperties* AProperties, TcxCustomEditProperties* AEditProperties,
                                    bool AHasButtons) const;
  virtual bool IsValueValid(TcxValueTypeClass AValueTypeClass, rtl::Variant& AValue) const;
  virtual void SetFilterValue(TcxCustomEdit* /*AEdit*/, TcxCustomEditProperties* /*AEditProperties*/,
                              const rtl::Variant& /*AValue*/) const
  {
  }
  virtual bool UseDisplayValue() const { return false; }

  // A new editor of GetFilterEditClass without owner (the caller frees it),
  // or the free one AInplaceEditList keeps for that class; either way set up
  // for AEditProperties.
  TcxCustomEdit* GetFilterEdit(TcxCustomEditProperties* AEditProperties,
                               TcxInplaceEditList* AInplaceEditList = nullptr) const;
};

// The helper of the text editor and of every text-based editor without one
// of its own.
class TcxFilterTextEditHelper : public TcxCustomFilterEditHelper {
 public:
  constexpr TcxFilterTextEditHelper() = default;
  static TcxCustomFilterEditHelperClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxFilterTextEditHelper"; }

  TcxCustomEditClass GetFilterEditClass() const override;
  void InitializeProperties(TcxCustomEditProperties* AProperties, TcxCustomEditProperties* AEditProperties,
                            bool AHasButtons) const override;
  void SetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AEditProperties,
                      const rtl::Variant& AValue) const override;
};

// A memo filters on its text only.
class TcxFilterMemoHelper : public TcxFilterTextEditHelper {
 public:
  constexpr TcxFilterMemoHelper() = default;
  static TcxCustomFilterEditHelperClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxFilterMemoHelper"; }

  TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                        TcxValueTypeClass AValueTypeClass,
                                                        bool AExtendedSet = false) const override;
};

class TcxFilterMaskEditHelper : public TcxFilterTextEditHelper {
 public:
  constexpr TcxFilterMaskEditHelper() = default;
  static TcxCustomFilterEditHelperClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxFilterMaskEditHelper"; }

  TcxCustomEditClass GetFilterEditClass() const override;
  TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                        TcxValueTypeClass AValueTypeClass,
                                                        bool AExtendedSet = false) const override;
  void InitializeProperties(TcxCustomEditProperties* AProperties, TcxCustomEditProperties* AEditProperties,
                            bool AHasButtons) const override;
};

class TcxFilterDropDownEditHelper : public TcxFilterMaskEditHelper {
 public:
  constexpr TcxFilterDropDownEditHelper() = default;
  static TcxCustomFilterEditHelperClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxFilterDropDownEditHelper"; }

  bool EditPropertiesHasButtons() const override { return true; }
};

class TcxFilterComboBoxHelper : public TcxFilterDropDownEditHelper {
 public:
  constexpr TcxFilterComboBoxHelper() = default;
  static TcxCustomFilterEditHelperClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxFilterComboBoxHelper"; }

  TcxFilterDataType GetFilterDataType(TcxValueTypeClass AValueTypeClass) const override;
  TcxCustomEditClass GetFilterEditClass() const override;
  void InitializeProperties(TcxCustomEditProperties* AProperties, TcxCustomEditProperties* AEditProperties,
                            bool AHasButtons) const override;
};

// Maps editor-properties classes to their helpers; a helper registered for a
// properties class serves its descendants too.
class TcxFilterEditsController : public rtl::TObject {
  RTL_CLASS(TcxFilterEditsController, rtl::TObject)

 public:
  void Create() {}

  // Nil for nil; else the helper registered for exactly the class, else the
  // one found for its parent.
  TcxCustomFilterEditHelperClass FindHelper(rtl::TClass APropertiesClass) const;
  int Count() const { return static_cast<int>(FItems.size()); }
  // A pair registered twice is kept once.
  void Register(rtl::TClass APropertiesClass, TcxCustomFilterEditHelperClass AHelperClass);
  // Removes the pair; when the register becomes empty the process-wide
  // instance is freed, so this object must not be touched afterwards.
  void Unregister(rtl::TClass APropertiesClass, TcxCustomFilterEditHelperClass AHelperClass);

 private:
  std::vector<std::pair<rtl::TClass, TcxCustomFilterEditHelperClass>> FItems;
};

// The process-wide register, created on first use.
TcxFilterEditsController* cxFilterEditsControllerInstance();
// Unregisters through the instance when there is one (a unit finishing after
// the register has gone has nothing to remove).
void cxFilterEditsControllerUnregister(rtl::TClass APropertiesClass, TcxCustomFilterEditHelperClass AHelperClass);
