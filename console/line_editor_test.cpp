#include "console/line_editor.h"

#include <gtest/gtest.h>

#include <vector>

namespace lvltext {
namespace {

using Kind = Key::Kind;

Key text(std::string_view bytes) {
  return Key::character(bytes);
}
Key key(Kind kind) {
  return Key::of(kind);
}

TEST(LineEditorTest, KeysLeaveTheExpectedLineAndCursor) {
  struct Case {
    const char* what;
    std::vector<Key> keys;
    std::string_view line;
    std::size_t cursor;
  };
  const Key left = key(Kind::Left), right = key(Kind::Right), home = key(Kind::Home),
            end = key(Kind::End), backspace = key(Kind::Backspace), del = key(Kind::Delete);
  const Case cases[] = {
      {"typing", {text("a"), text("b"), text("c")}, "abc", 3},
      {"insert inside", {text("a"), text("c"), left, text("b")}, "abc", 2},
      {"home and end", {text("b"), home, text("a"), end, text("c")}, "abc", 3},
      {"backspace at the end", {text("a"), text("b"), backspace}, "a", 1},
      {"backspace inside", {text("a"), text("b"), text("c"), left, backspace}, "ac", 1},
      {"backspace at the start", {text("a"), home, backspace}, "a", 0},
      {"delete inside", {text("a"), text("b"), home, del}, "b", 0},
      {"delete at the end", {text("a"), del}, "a", 1},
      {"left at the start, right at the end", {text("a"), right, home, left}, "a", 0},
      {"escape clears", {text("a"), text("b"), left, key(Kind::Escape), text("c")}, "c", 1},
      {"tab to the next stop after the prompt", {text("a"), key(Kind::Tab)}, "a     ", 6},
      {"tab on a stop", {text("abcdef"), key(Kind::Tab)}, "abcdef        ", 14},
      {"utf-8 moves as one character",
       {text("a"), text("\xC3\xA9"), text("\xE2\x82\xAC"), left, left, right},
       "a\xC3\xA9\xE2\x82\xAC",
       3},
      {"utf-8 erases as one character",
       {text("\xE2\x82\xAC"), text("x"), left, backspace, del},
       "",
       0},
      {"enter changes nothing", {text("a"), key(Kind::Enter)}, "a", 1},
  };
  for (const Case& c : cases) {
    LineEditor editor(2);
    for (const Key& k : c.keys) editor.apply(k);
    EXPECT_EQ(editor.line(), c.line) << c.what;
    EXPECT_EQ(editor.cursor(), c.cursor) << c.what;
  }
}

// What is typed at the end of the line is echoed as typed; only edits inside the line move
// the cursor with sequences.
TEST(LineEditorTest, EchoesTypingAtTheEndVerbatim) {
  LineEditor editor(2);
  EXPECT_EQ(editor.apply(text("h")), "h");
  EXPECT_EQ(editor.apply(text("\xC3\xA9")), "\xC3\xA9");
  EXPECT_EQ(editor.apply(key(Kind::Enter)), "");
  EXPECT_EQ(editor.apply(key(Kind::Left)), "\x1b[1D");
  EXPECT_EQ(editor.apply(text("x")), "x\xC3\xA9\x1b[1D");
  EXPECT_EQ(editor.apply(key(Kind::Backspace)), "\x1b[1D\xC3\xA9\x1b[K\x1b[1D");
  EXPECT_EQ(editor.apply(key(Kind::Delete)), "\x1b[K");
  EXPECT_EQ(editor.apply(key(Kind::Escape)), "\x1b[1D\x1b[K");
  EXPECT_EQ(editor.apply(key(Kind::Left)), "");
}

}  // namespace
}  // namespace lvltext
