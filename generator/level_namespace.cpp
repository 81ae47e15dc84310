#include "generator/level_namespace.h"

#include "generator/text_search.h"

namespace lvltext {
namespace {

// Texts longer than this are searched anew each time instead of being remembered, so that a
// few huge lines do not keep extra copies of themselves. Such a text can only be reused from a
// stored text at least as long, so searching again stays in proportion to the input.
constexpr std::size_t rememberedTextLimit = 4096;

}  // namespace

LevelNamespace::LevelNamespace(std::size_t reservedPrefixLength)
    : reservedPrefixLength_(reservedPrefixLength), content_(reservedPrefixLength, ' ') {}

std::size_t LevelNamespace::find(const std::string& text) {
  if (text.empty()) return 0;
  const bool remembered = text.size() <= rememberedTextLimit;
  if (remembered) {
    if (auto known = knownOffsets_.find(text); known != knownOffsets_.end()) {
      return known->second + 1;
    }
  }
  // A std::string's bytes are always followed by a NUL: search for the text with it.
  const std::string_view terminated(text.c_str(), text.size() + 1);
  const std::size_t offset = findLeftmost(content_, terminated, reservedPrefixLength_);
  if (offset == std::string_view::npos) return 0;
  if (remembered) knownOffsets_.emplace(text, offset);
  return offset + 1;
}

void LevelNamespace::append(std::string_view text) {
  if (!text.empty() && text.size() <= rememberedTextLimit) {
    knownOffsets_.emplace(text, content_.size());
  }
  content_.append(text).push_back('\0');
}

}  // namespace lvltext
