#include "generator/text_search.h"

#include <algorithm>
#include <cstring>

namespace lvltext {
namespace {

using Byte = unsigned char;
constexpr std::size_t none = static_cast<std::size_t>(-1);

// Splits the needle into u v so that the local period at the split equals the needle's period
// (Crochemore-Perrin). Returns the length of u and sets `period` to the period of v's maximal
// suffix computation. Indexes use `none` as -1 and rely on unsigned wrap-around.
std::size_t criticalFactorization(const Byte* needle, std::size_t length, std::size_t& period) {
  auto maximalSuffix = [&](bool reversed, std::size_t& suffixPeriod) {
    std::size_t start = none;  // one before the maximal suffix
    std::size_t j = 0;
    std::size_t k = 1;
    std::size_t p = 1;
    while (j + k < length) {
      const Byte a = needle[j + k];
      const Byte b = needle[start + k];
      const bool advances = reversed ? b < a : a < b;
      if (advances) {
        j += k;
        k = 1;
        p = j - start;
      } else if (a == b) {
        if (k != p) {
          ++k;
        } else {
          j += p;
          k = 1;
        }
      } else {
        start = j++;
        k = p = 1;
      }
    }
    suffixPeriod = p;
    return start;
  };
  std::size_t forwardPeriod = 0;
  std::size_t reversePeriod = 0;
  const std::size_t forward = maximalSuffix(false, forwardPeriod);
  const std::size_t reverse = maximalSuffix(true, reversePeriod);
  if (reverse + 1 < forward + 1) {
    period = forwardPeriod;
    return forward + 1;
  }
  period = reversePeriod;
  return reverse + 1;
}

}  // namespace

std::size_t findLeftmost(std::string_view haystackText, std::string_view needleText,
                         std::size_t from) {
  if (from > haystackText.size()) return std::string_view::npos;
  const auto* haystack = reinterpret_cast<const Byte*>(haystackText.data()) + from;
  const std::size_t haystackLength = haystackText.size() - from;
  const auto* needle = reinterpret_cast<const Byte*>(needleText.data());
  const std::size_t needleLength = needleText.size();
  if (needleLength == 0) return from;
  if (needleLength > haystackLength) return std::string_view::npos;

  std::size_t period = 0;
  const std::size_t split = criticalFactorization(needle, needleLength, period);
  if (std::memcmp(needle, needle + period, split) == 0) {
    // Periodic needle: remember how much of the left part is known to match after a shift.
    std::size_t memory = 0;
    std::size_t j = 0;
    while (j <= haystackLength - needleLength) {
      std::size_t i = std::max(split, memory);
      while (i < needleLength && needle[i] == haystack[i + j]) ++i;
      if (i >= needleLength) {
        i = split - 1;
        while (memory < i + 1 && needle[i] == haystack[i + j]) --i;
        if (i + 1 < memory + 1) return from + j;
        j += period;
        memory = needleLength - period;
      } else {
        j += i - split + 1;
        memory = 0;
      }
    }
  } else {
    const std::size_t shift = std::max(split, needleLength - split) + 1;
    std::size_t j = 0;
    while (j <= haystackLength - needleLength) {
      std::size_t i = split;
      while (i < needleLength && needle[i] == haystack[i + j]) ++i;
      if (i >= needleLength) {
        i = split - 1;
        while (i != none && needle[i] == haystack[i + j]) --i;
        if (i == none) return from + j;
        j += shift;
      } else {
        j += i - split + 1;
      }
    }
  }
  return std::string_view::npos;
}

}  // namespace lvltext
