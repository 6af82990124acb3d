// Damaged inputs for the readers' tests: the fixtures read from disk and a
// mutator that damages valid files. The seed is fixed, so a failing input
// can be made again from its iteration.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace kvtest {

using TTestBytes = std::vector<std::uint8_t>;

// The whole file; empty when it cannot be read.
inline TTestBytes ReadFixture(const std::string& APath)
{
  TTestBytes result;
  if (std::FILE* file = std::fopen(APath.c_str(), "rb")) {
    std::uint8_t buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof(buffer), file)) > 0;)
      result.insert(result.end(), buffer, buffer + n);
    std::fclose(file);
  }
  return result;
}

class TTestMutator {
 public:
  explicit TTestMutator(std::uint32_t ASeed) : FRandom(ASeed) {}

  // One to four changes: a byte set, a bit flipped, a 16- or 32-bit field
  // set to an edge value, bytes inserted or removed, the end cut off.
  TTestBytes Mutate(const TTestBytes& ASource)
  {
    TTestBytes result = ASource;
    const int changes = 1 + Below(4);
    for (int i = 0; i < changes && !result.empty(); ++i)
      Change(result);
    return result;
  }

  std::uint32_t Below(std::uint32_t ALimit) { return ALimit == 0 ? 0 : FRandom() % ALimit; }

 private:
  void Change(TTestBytes& ABytes)
  {
    static constexpr std::uint32_t kEdges[] = {0, 1, 2, 3, 4, 7, 8, 0x7F, 0x80, 0xFF, 0x100, 0x7FFF, 0x8000, 0xFFFF,
                                               0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFF8, 0xFFFFFFFF};
    const std::size_t at = Below(static_cast<std::uint32_t>(ABytes.size()));
    switch (Below(6)) {
      case 0:
        ABytes[at] = static_cast<std::uint8_t>(FRandom());
        break;
      case 1:
        ABytes[at] ^= static_cast<std::uint8_t>(1u << Below(8));
        break;
      case 2: {
        const std::uint32_t edge = kEdges[Below(std::size(kEdges))];
        const std::size_t width = Below(2) ? 4 : 2;
        for (std::size_t i = 0; i < width && at + i < ABytes.size(); ++i)
          ABytes[at + i] = static_cast<std::uint8_t>(edge >> (8 * i));
        break;
      }
      case 3:
        ABytes.insert(ABytes.begin() + at, 1 + Below(8), static_cast<std::uint8_t>(FRandom()));
        break;
      case 4:
        ABytes.erase(ABytes.begin() + at, ABytes.begin() + std::min(ABytes.size(), at + 1 + Below(8)));
        break;
      default:
        ABytes.resize(at);
        break;
    }
  }

  std::mt19937 FRandom;
};

}  // namespace kvtest
