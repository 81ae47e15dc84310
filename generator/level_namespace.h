#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lvltext {

/// In-memory mirror of the game's level namespace: the byte at offset n stands for the byte at
/// offset n of the area. It starts as the reserved prefix (spaces the script never writes) and
/// only ever grows at its end, one NUL-terminated text at a time.
class LevelNamespace {
 public:
  explicit LevelNamespace(std::size_t reservedPrefixLength);

  /// Content length in bytes: the offset at which the next new text goes.
  std::size_t length() const { return content_.size(); }

  /// 1-based position of the leftmost place where the game would show exactly `text`: an
  /// occurrence at or after the reserved prefix that a NUL byte follows, so a stored text or the
  /// tail of one. 0 when there is none or the text is empty. With `from`, only occurrences that
  /// start at or after that offset are looked at.
  std::size_t find(const std::string& text, std::size_t from = 0);

  /// Stores `text` at the end, followed by one NUL byte.
  void append(std::string_view text);

  /// True when the content is longer than `limit` bytes.
  bool exceedsLimit(std::size_t limit) const { return content_.size() > limit; }

  std::string_view content() const { return content_; }

 private:
  std::size_t reservedPrefixLength_;
  std::string content_;
};

}  // namespace lvltext
