#include "core/dxGenerics.h"

#include <algorithm>
#include <cstdint>

#include <windows.h>

#include "platform/rtl/SysUtils.h"

namespace {

constinit TdxOrdinalStringComparer* GOrdinalComparer = nullptr;
constinit TdxOrdinalIStringComparer* GOrdinalIComparer = nullptr;

int CompareOrdinal(const rtl::String& ALeft, const rtl::String& ARight)
{
  const std::size_t count = std::min(ALeft.size(), ARight.size());
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned left = static_cast<std::uint16_t>(ALeft[i]);
    const unsigned right = static_cast<std::uint16_t>(ARight[i]);
    if (left == right)
      continue;
    if (const int low = static_cast<int>(left & 0xFF) - static_cast<int>(right & 0xFF); low != 0)
      return low;
    return static_cast<int>(left >> 8) - static_cast<int>(right >> 8);
  }
  return static_cast<int>(ALeft.size()) - static_cast<int>(ARight.size());
}

// Two interleaved multiply-by-33 hashes over the characters up to the first
// nul, in 32-bit arithmetic that wraps.
int HashOrdinal(const rtl::String& AValue)
{
  std::uint32_t h1 = 5381;
  std::uint32_t h2 = 5381;
  const std::size_t length = AValue.size();
  for (std::size_t i = 0; i < length; i += 2) {
    const auto c1 = static_cast<std::uint16_t>(AValue[i]);
    if (c1 == 0)
      break;
    h1 = (h1 * 33) ^ c1;
    if (i + 1 >= length || AValue[i + 1] == 0)
      break;
    h2 = (h2 * 33) ^ static_cast<std::uint16_t>(AValue[i + 1]);
  }
  return static_cast<int>(h1 + h2 * 1566083941u);
}

void dxGenericsFinalization()
{
  rtl::FreeAndNil(GOrdinalIComparer);
  rtl::FreeAndNil(GOrdinalComparer);
}

}  // namespace

RTL_UNIT(dxGenerics, nullptr, &dxGenericsFinalization);

int TdxOrdinalStringComparer::Compare(const rtl::String& ALeft, const rtl::String& ARight) const
{
  return CompareOrdinal(ALeft, ARight);
}

bool TdxOrdinalStringComparer::Equals(const rtl::String& ALeft, const rtl::String& ARight) const
{
  return ALeft == ARight;
}

int TdxOrdinalStringComparer::GetHashCode(const rtl::String& AValue) const
{
  return HashOrdinal(AValue);
}

int TdxOrdinalIStringComparer::Compare(const rtl::String& ALeft, const rtl::String& ARight) const
{
  return inherited::Compare(rtl::AnsiLowerCase(ALeft), rtl::AnsiLowerCase(ARight));
}

bool TdxOrdinalIStringComparer::Equals(const rtl::String& ALeft, const rtl::String& ARight) const
{
  return inherited::Equals(rtl::AnsiLowerCase(ALeft), rtl::AnsiLowerCase(ARight));
}

int TdxOrdinalIStringComparer::GetHashCode(const rtl::String& AValue) const
{
  return inherited::GetHashCode(rtl::AnsiLowerCase(AValue));
}

namespace {

// Dictionaries on several threads may ask at once: the first comparer
// published wins and a comparer made in vain goes again.
template <class T>
T* Shared(T*& AInstance)
{
  if (AInstance == nullptr) {
    T* created = rtl::New<T>();
    if (InterlockedCompareExchangePointer(reinterpret_cast<void**>(&AInstance), created, nullptr) != nullptr)
      rtl::Free(created);
  }
  return AInstance;
}

}  // namespace

TdxOrdinalStringComparer* TdxStringComparer::Ordinal()
{
  return Shared(GOrdinalComparer);
}

TdxOrdinalIStringComparer* TdxIStringComparer::Ordinal()
{
  return Shared(GOrdinalIComparer);
}
