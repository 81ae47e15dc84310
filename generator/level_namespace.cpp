#include "generator/level_namespace.h"

#include <algorithm>

#include "generator/text_search.h"

namespace lvltext {

LevelNamespace::LevelNamespace(std::size_t reservedPrefixLength)
    : reservedPrefixLength_(reservedPrefixLength), content_(reservedPrefixLength, ' ') {}

std::size_t LevelNamespace::find(const std::string& text, std::size_t from) {
  if (text.empty()) return 0;
  // A std::string's bytes are always followed by a NUL: search for the text with it.
  const std::string_view terminated(text.c_str(), text.size() + 1);
  const std::size_t offset =
      findLeftmost(content_, terminated, std::max(from, reservedPrefixLength_));
  return offset == std::string_view::npos ? 0 : offset + 1;
}

void LevelNamespace::append(std::string_view text) {
  // Room for the text and its NUL at once: appending the NUL alone could double a large buffer.
  content_.reserve(content_.size() + text.size() + 1);
  content_.append(text).push_back('\0');
}

}  // namespace lvltext
