#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lvltext {

/// One key as the line editor sees it, whatever keyboard interface it came from.
struct Key {
  enum class Kind { Character, Backspace, Delete, Left, Right, Home, End, Tab, Escape, Enter };
  Kind kind;
  /// For `Character`: the bytes of one character (one byte, or one UTF-8 sequence).
  std::string text;

  static Key character(std::string_view bytes) { return {Kind::Character, std::string(bytes)}; }
  static Key of(Kind kind) { return {kind, {}}; }
  bool operator==(const Key&) const = default;
};

/// The line being typed at the wait prompt: inserts characters at the cursor and edits with
/// the usual keys. Each key gives back the bytes that bring the screen up to date: typing at
/// the end of the line gives exactly the typed bytes; edits inside the line move the cursor
/// with backspace and ANSI sequences. The line is assumed to fit in one screen row, and every
/// character is taken as one column wide.
class LineEditor {
 public:
  /// `startColumn`: the screen column where the line begins (after the prompt), for Tab stops.
  explicit LineEditor(std::size_t startColumn) : startColumn_(startColumn) {}

  /// Applies `key` and returns the echo for it; Enter changes nothing and echoes nothing.
  std::string apply(const Key& key);

  const std::string& line() const { return line_; }
  /// Byte offset of the cursor in `line()`.
  std::size_t cursor() const { return cursor_; }

 private:
  std::string insert(std::string_view text);
  std::string eraseBefore();
  std::string eraseAt();
  std::size_t previousCharacter() const;
  std::size_t nextCharacter() const;
  /// Screen columns taken by the bytes [from, to) of the line.
  std::size_t columns(std::size_t from, std::size_t to) const;
  /// Rewrites the line from the cursor on, clears what was behind it and puts the cursor back.
  std::string redrawTail() const;

  std::size_t startColumn_;
  std::string line_;
  std::size_t cursor_ = 0;
};

}  // namespace lvltext
