#pragma once

#include <cstddef>
#include <string_view>

namespace lvltext {

/// Position of the leftmost occurrence of `needle` in `haystack` at or after `from`, or
/// std::string_view::npos. An empty needle is found at `from`. Runs in time linear in the
/// lengths of both and in constant extra memory, whatever the bytes (two-way string matching),
/// so no list can make the namespace search quadratic.
std::size_t findLeftmost(std::string_view haystack, std::string_view needle, std::size_t from = 0);

}  // namespace lvltext
