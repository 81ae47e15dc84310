#include "console/vt_key_decoder.h"

#include <gtest/gtest.h>

namespace lvltext {
namespace {

using Kind = Key::Kind;
using Keys = std::vector<Key>;

Keys decode(std::string_view bytes, bool pauseAtEnd = true) {
  VtKeyDecoder decoder;
  Keys keys;
  for (const char byte : bytes) decoder.feed(byte, keys);
  if (pauseAtEnd && decoder.waitingForMore()) decoder.timeout(keys);
  return keys;
}

TEST(VtKeyDecoderTest, TurnsTerminalBytesIntoKeys) {
  const Key left = Key::of(Kind::Left), right = Key::of(Kind::Right), home = Key::of(Kind::Home),
            end = Key::of(Kind::End);
  struct Case {
    std::string_view bytes;
    Keys keys;
  };
  const Case cases[] = {
      {"a ~", {Key::character("a"), Key::character(" "), Key::character("~")}},
      {"\r", {Key::of(Kind::Enter)}},
      {"\n", {Key::of(Kind::Enter)}},
      {"\x7f\x08", {Key::of(Kind::Backspace), Key::of(Kind::Backspace)}},
      {"\t", {Key::of(Kind::Tab)}},
      {"\x1b[D\x1b[C\x1b[H\x1b[F", {left, right, home, end}},
      {"\x1bOD\x1bOC\x1bOH\x1bOF", {left, right, home, end}},
      {"\x1b[1~\x1b[7~\x1b[4~\x1b[8~\x1b[3~", {home, home, end, end, Key::of(Kind::Delete)}},
      {"\x1b[1;5D\x1b[3;2~", {left, Key::of(Kind::Delete)}},
      {"\x1b", {Key::of(Kind::Escape)}},
      {"\x1b\x1b", {Key::of(Kind::Escape), Key::of(Kind::Escape)}},
      // Ignored: control keys (Ctrl+Z, Ctrl+D, NUL), up and down, Insert, F1, F5, Alt+x.
      {"\x1a\x04", {}},
      {std::string_view("\0", 1), {}},
      {"\x1b[A\x1b[B\x1b[2~\x1bOP\x1b[15~\x1bx", {}},
      {"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80",
       {Key::character("\xC3\xA9"), Key::character("\xE2\x82\xAC"),
        Key::character("\xF0\x9F\x98\x80")}},
      {"\xC3"
       "a",
       {Key::character("\xC3"), Key::character("a")}},
      {"\xFF", {Key::character("\xFF")}},
  };
  for (const Case& c : cases) EXPECT_EQ(decode(c.bytes), c.keys) << testing::PrintToString(c.bytes);
}

TEST(VtKeyDecoderTest, WaitsForMoreOnlyAfterAnEscape) {
  VtKeyDecoder decoder;
  Keys keys;
  decoder.feed('\x1b', keys);
  EXPECT_TRUE(decoder.waitingForMore());
  decoder.feed('[', keys);
  EXPECT_TRUE(decoder.waitingForMore());
  decoder.feed('D', keys);
  EXPECT_FALSE(decoder.waitingForMore());
  decoder.feed('\xC3', keys);
  EXPECT_FALSE(decoder.waitingForMore());  // a UTF-8 character's bytes come together
  EXPECT_EQ(keys, Keys({Key::of(Kind::Left)}));
  // A sequence cut short by the pause is dropped, not typed.
  EXPECT_EQ(decode("\x1b[1"), Keys());
}

}  // namespace
}  // namespace lvltext
