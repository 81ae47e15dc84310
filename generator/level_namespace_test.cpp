#include "generator/level_namespace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lvltext {
namespace {

using namespace std::string_literals;

struct FindCase {
  std::size_t prefix;
  std::vector<std::string> stored;
  std::string text;
  std::size_t expectedOffset;  // SIZE_MAX: not found
};

constexpr std::size_t notFound = static_cast<std::size_t>(-1);

// Only places where the game shows exactly the text are reused: a stored text or its tail,
// never the middle or start of one, never the reserved prefix.
TEST(LevelNamespaceTest, FindReusesOnlyWholeTextsOrTheirTails) {
  const std::vector<std::string> example = {"Hello_there", "Good luck in the caves"};
  const FindCase cases[] = {
      {0xF40, example, "Hello_there", 0xF40},
      {0xF40, example, "the caves", 0xF59},
      {0xF40, example, "caves", 0xF5D},
      {0xF40, example, "there", 0xF46},
      {0xF40, example, "luck", notFound},
      {0xF40, example, "Good", notFound},
      {0xF40, example, "Good luck in the caves", 0xF4C},
      {0xF40, example, "", notFound},
      {0xF40, example, " ", notFound},
      {0xF40, example, "caves ", notFound},
      {0xF40, example, "Hello_there\0Good"s, notFound},
      {0x40, {"Good luck", "Bad luck"}, "luck", 0x45},
      {0x40, {"Cave"}, "  Cave", notFound},
      {0x40, {"Cave"}, "ve", 0x42},
      {0x40, {"a\0b"s}, "b", 0x42},
      {0x40, {"a\0b"s}, "a", 0x40},
      {0x40, {"a\0b"s}, "a\0b"s, 0x40},
      {0x40, {"x", "y"}, "x\0y"s, 0x40},
      {0x40, {}, "anything", notFound},
      {4, {}, "    ", notFound},
  };
  for (const FindCase& c : cases) {
    LevelNamespace levelNamespace(c.prefix);
    for (const std::string& text : c.stored) levelNamespace.append(text);
    const std::size_t expected = c.expectedOffset == notFound ? 0 : c.expectedOffset + 1;
    EXPECT_EQ(levelNamespace.find(c.text), expected) << '"' << c.text << '"';
  }
}

TEST(LevelNamespaceTest, AppendAddsTheTextAndOneNulByte) {
  LevelNamespace levelNamespace(3);
  EXPECT_EQ(levelNamespace.content(), "   ");
  levelNamespace.append("ab_");
  levelNamespace.append("");
  EXPECT_EQ(levelNamespace.content(), "   ab_\0\0"s);
  EXPECT_EQ(levelNamespace.length(), 8u);
}

// The first reusable place never moves as the content grows, for short and long texts alike.
TEST(LevelNamespaceTest, RepeatedSearchesKeepTheFirstPlace) {
  for (const std::size_t length : {5u, 5000u}) {
    const std::string text(length, 'q');
    LevelNamespace levelNamespace(0x40);
    EXPECT_EQ(levelNamespace.find(text), 0u);
    levelNamespace.append(text);
    levelNamespace.append("x" + text);
    levelNamespace.append(text);
    EXPECT_EQ(levelNamespace.find(text), 0x41u) << length;
    EXPECT_EQ(levelNamespace.find(text.substr(1)), 0x42u) << length;
    EXPECT_EQ(levelNamespace.find(text), 0x41u) << length;
  }
}

TEST(LevelNamespaceTest, LimitIsExceededOnlyPastIt) {
  LevelNamespace levelNamespace(1230);
  EXPECT_FALSE(levelNamespace.exceedsLimit(1231));
  levelNamespace.append("");
  EXPECT_FALSE(levelNamespace.exceedsLimit(1231));
  levelNamespace.append("");
  EXPECT_TRUE(levelNamespace.exceedsLimit(1231));
}

}  // namespace
}  // namespace lvltext
