#pragma once
// Generic containers of the core library:
// - TdxMap<K,V>, a one-to-one map that answers in both directions by hash
//   lookups (the SVG tag-name table);
// - TdxOrdinalStringComparer and TdxOrdinalIStringComparer, the ordinal
//   string comparers, case-sensitive and not, with their process-wide
//   instances TdxStringComparer::Ordinal and TdxIStringComparer::Ordinal.

#include <functional>
#include <type_traits>
#include <unordered_map>

#include "platform/rtl/System.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/SystemUnits.h"

RTL_DECLARE_UNIT(dxGenerics);

namespace rtl {

// Which parts of a pair an owning dictionary frees when the pair leaves it.
// They belong with the platform's generic dictionaries; until those exist
// they live here, in their namespace, so that callers need not change.
RTL_ENUM(TDictionaryOwnership, doOwnsKeys, doOwnsValues);
using TDictionaryOwnerships = TSet<TDictionaryOwnership>;

// The platform's comparer base of the generic containers: order, equality
// and hash of T in one object.
template <class T>
class TCustomComparer : public TObject {
  RTL_CLASS(TCustomComparer, TObject)

 public:
  virtual int Compare(const T& ALeft, const T& ARight) const = 0;
  virtual bool Equals(const T& ALeft, const T& ARight) const = 0;
  virtual int GetHashCode(const T& AValue) const = 0;
};

}  // namespace rtl

// The hash of a map's keys and values: the standard one where the type has
// one, else that of the class reference (TdxSVGElementClass and the like).
template <class T>
struct TdxDefaultHash {
  std::size_t operator()(const T& AValue) const
  {
    if constexpr (requires { std::hash<T>{}(AValue); })
      return std::hash<T>{}(AValue);
    else
      return std::hash<rtl::TClass>{}(static_cast<rtl::TClass>(AValue));
  }
};

// Keys are unique and values are unique; the two directions always hold the
// same pairs. The platform's equality comparers are the type parameters
// KeyHash/KeyEqual and ValueHash/ValueEqual, defaulting to the type's own.
// Ownerships matter only where K or V is a pointer to an object: an owned key
// or value is freed when its pair leaves the map (DeleteByKey, DeleteByValue,
// Clear, the map's destruction), never when Add refuses it.
template <class K, class V, class KeyHash = TdxDefaultHash<K>, class KeyEqual = std::equal_to<K>,
          class ValueHash = TdxDefaultHash<V>, class ValueEqual = std::equal_to<V>>
class TdxMap : public rtl::TObject {
  RTL_CLASS(TdxMap, rtl::TObject)

 public:
  void Create(rtl::TDictionaryOwnerships AOwnerships = {}, int ACapacity = 0)
  {
    inherited::Create();
    FOwnerships = AOwnerships;
    if (ACapacity > 0) {
      FKeyToValue.reserve(ACapacity);
      FValueToKey.reserve(ACapacity);
    }
  }
  void Create(int ACapacity, rtl::TDictionaryOwnerships AOwnerships) { Create(AOwnerships, ACapacity); }
  void Destroy() override
  {
    Clear();
    inherited::Destroy();
  }

  // Raises EListError "Duplicates not allowed" when AKey or AValue is
  // already in the map, which then holds what it held before the call.
  void Add(const K& AKey, const V& AValue)
  {
    auto [pair, added] = FKeyToValue.try_emplace(AKey, AValue);
    if (!added)
      RaiseDuplicate();
    try {
      if (!FValueToKey.try_emplace(AValue, AKey).second)
        RaiseDuplicate();
    } catch (...) {
      // Taken out, not freed: an owned value refused here may be the value
      // of another pair.
      FKeyToValue.erase(pair);
      throw;
    }
  }

  void Clear()
  {
    for (auto& [key, value] : FKeyToValue)
      FreeOwned(key, value);
    FKeyToValue.clear();
    FValueToKey.clear();
  }

  void DeleteByKey(const K& AKey)
  {
    auto pair = FKeyToValue.find(AKey);
    if (pair == FKeyToValue.end())
      return;
    const K key = pair->first;
    const V value = pair->second;
    FValueToKey.erase(value);
    FKeyToValue.erase(pair);
    FreeOwned(key, value);
  }

  void DeleteByValue(const V& AValue)
  {
    auto pair = FValueToKey.find(AValue);
    if (pair == FValueToKey.end())
      return;
    const K key = pair->second;
    const V value = pair->first;
    FKeyToValue.erase(key);
    FValueToKey.erase(pair);
    FreeOwned(key, value);
  }

  bool TryGetValue(const K& AKey, V& AValue) const
  {
    auto pair = FKeyToValue.find(AKey);
    if (pair == FKeyToValue.end())
      return false;
    AValue = pair->second;
    return true;
  }

  // AKey is cleared when AValue is not in the map.
  bool TryGetKey(const V& AValue, K& AKey) const
  {
    AKey = K{};
    auto pair = FValueToKey.find(AValue);
    if (pair == FValueToKey.end())
      return false;
    AKey = pair->second;
    return true;
  }

  // Raise EListError "Item not found" for a missing entry.
  V GetValue(const K& AKey) const
  {
    auto pair = FKeyToValue.find(AKey);
    if (pair == FKeyToValue.end())
      RaiseNotFound();
    return pair->second;
  }

  K GetKey(const V& AValue) const
  {
    auto pair = FValueToKey.find(AValue);
    if (pair == FValueToKey.end())
      RaiseNotFound();
    return pair->second;
  }

  int GetCount() const { return static_cast<int>(FKeyToValue.size()); }

 private:
  template <class T>
  static constexpr bool IsObject = std::is_pointer_v<T> && std::is_base_of_v<rtl::TObject, std::remove_pointer_t<T>>;

  [[noreturn]] static void RaiseDuplicate() { throw rtl::EListError(L"Duplicates not allowed"); }
  [[noreturn]] static void RaiseNotFound() { throw rtl::EListError(L"Item not found"); }

  void FreeOwned(const K& AKey, const V& AValue)
  {
    if constexpr (IsObject<K>)
      if (FOwnerships.Contains(rtl::TDictionaryOwnership::doOwnsKeys))
        rtl::Free(AKey);
    if constexpr (IsObject<V>)
      if (FOwnerships.Contains(rtl::TDictionaryOwnership::doOwnsValues))
        rtl::Free(AValue);
  }

  std::unordered_map<K, V, KeyHash, KeyEqual> FKeyToValue;
  std::unordered_map<V, K, ValueHash, ValueEqual> FValueToKey;
  rtl::TDictionaryOwnerships FOwnerships;
};

// ---------------------------------------------------------------------------
// Ordinal string comparers

// Orders by the bytes of the UTF-16 little-endian text (low byte of each
// character first), then by length; equal means the same characters.
class TdxOrdinalStringComparer : public rtl::TCustomComparer<rtl::String> {
  RTL_CLASS(TdxOrdinalStringComparer, rtl::TCustomComparer<rtl::String>)

 public:
  int Compare(const rtl::String& ALeft, const rtl::String& ARight) const override;
  bool Equals(const rtl::String& ALeft, const rtl::String& ARight) const override;
  int GetHashCode(const rtl::String& AValue) const override;
};

// The same after lower-casing both texts with the locale's rules.
class TdxOrdinalIStringComparer : public TdxOrdinalStringComparer {
  RTL_CLASS(TdxOrdinalIStringComparer, TdxOrdinalStringComparer)

 public:
  int Compare(const rtl::String& ALeft, const rtl::String& ARight) const override;
  bool Equals(const rtl::String& ALeft, const rtl::String& ARight) const override;
  int GetHashCode(const rtl::String& AValue) const override;
};

// The process-wide comparers: made on the first call, freed when the unit
// finishes.
struct TdxStringComparer {
  static TdxOrdinalStringComparer* Ordinal();
};

struct TdxIStringComparer {
  static TdxOrdinalIStringComparer* Ordinal();
};
