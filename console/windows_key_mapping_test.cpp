#include "console/windows_key_mapping.h"

#include <gtest/gtest.h>

namespace lvltext {
namespace {

using Kind = Key::Kind;
using Keys = std::vector<Key>;

WindowsKeyEvent down(std::uint16_t virtualKeyCode, char16_t unicodeChar = 0,
                     std::uint16_t repeatCount = 1) {
  return {true, virtualKeyCode, unicodeChar, repeatCount};
}

TEST(WindowsKeyMapperTest, MapsKeyEventsToEditorKeys) {
  struct Case {
    const char* what;
    std::vector<WindowsKeyEvent> events;
    Keys keys;
  };
  const Case cases[] = {
      {"letters", {down(0x41, u'a'), down(0x42, u'B')}, {Key::character("a"), Key::character("B")}},
      {"Enter", {down(0x0D, u'\r')}, {Key::of(Kind::Enter)}},
      {"Backspace, Tab, Esc",
       {down(0x08, 0x08), down(0x09, u'\t'), down(0x1B, 0x1B)},
       {Key::of(Kind::Backspace), Key::of(Kind::Tab), Key::of(Kind::Escape)}},
      {"arrows, Home, End, Delete",
       {down(0x25), down(0x27), down(0x24), down(0x23), down(0x2E)},
       {Key::of(Kind::Left), Key::of(Kind::Right), Key::of(Kind::Home), Key::of(Kind::End),
        Key::of(Kind::Delete)}},
      {"releases", {{false, 0x41, u'a', 1}, {false, 0x0D, u'\r', 1}}, {}},
      {"Ctrl+Z and other control characters", {down(0x5A, 0x1A), down(0x44, 0x04)}, {}},
      {"keys without a character", {down(0x10), down(0x26), down(0x70), down(0x2D)}, {}},
      {"a held key", {down(0x58, u'x', 3)}, Keys(3, Key::character("x"))},
      {"a held Backspace", {down(0x08, 0x08, 2)}, Keys(2, Key::of(Kind::Backspace))},
      {"accented letter", {down(0xDE, u'\u00E9')}, {Key::character("\xC3\xA9")}},
      {"surrogate pair", {down(0, 0xD83D), down(0, 0xDE00)}, {Key::character("\xF0\x9F\x98\x80")}},
      {"lone low surrogate", {down(0, 0xDE00)}, {}},
      {"Alt with the number pad",
       {down(0x12), down(0x61), {false, 0x61, 0, 1}, {false, 0x12, u'\u00E9', 1}},
       {Key::character("\xC3\xA9")}},
  };
  for (const Case& c : cases) {
    WindowsKeyMapper mapper(encodeUtf8);
    Keys keys;
    for (const WindowsKeyEvent& event : c.events) mapper.map(event, keys);
    EXPECT_EQ(keys, c.keys) << c.what;
  }
}

TEST(WindowsKeyMapperTest, UsesTheConsolesEncoding) {
  WindowsKeyMapper mapper([](std::u16string_view text) {
    return text == u"\u00E9" ? std::string("\x82") : std::string();
  });
  Keys keys;
  mapper.map(down(0, u'\u00E9'), keys);
  mapper.map(down(0, u'\u4E00'), keys);  // not in the code page: nothing to insert
  EXPECT_EQ(keys, Keys({Key::character("\x82")}));
}

}  // namespace
}  // namespace lvltext
