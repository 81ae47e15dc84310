#include "generator/text_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace lvltext {
namespace {

constexpr auto npos = std::string_view::npos;

TEST(TextSearchTest, FindsTheLeftmostOccurrenceAtOrAfterTheStart) {
  struct Case {
    std::string_view haystack;
    std::string_view needle;
    std::size_t from;
    std::size_t expected;
  };
  const Case cases[] = {
      {"abcabc", "abc", 0, 0},
      {"abcabc", "abc", 1, 3},
      {"abcabc", "abc", 4, npos},
      {"abcabc", "", 2, 2},
      {"abc", "abcd", 0, npos},
      {"aaaaab", "aab", 0, 3},
      {std::string_view("x\0y\0", 4), std::string_view("y\0", 2), 0, 2},
      {"abababac", "ababac", 0, 2},
      {"", "a", 0, npos},
      {"abc", "c", 3, npos},
      {"abc", "a", 7, npos},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(findLeftmost(c.haystack, c.needle, c.from), c.expected)
        << '"' << c.haystack << "\" / \"" << c.needle << "\" from " << c.from;
  }
}

// The two-way search must agree with a plain search on everything; small alphabets give the
// periodic and near-periodic needles where shift mistakes show.
TEST(TextSearchTest, AgreesWithAPlainSearchOnRandomTexts) {
  std::mt19937 random(12345);
  for (int round = 0; round < 20000; ++round) {
    const int alphabet = 1 + static_cast<int>(random() % 3);
    auto randomText = [&](std::size_t maxLength) {
      std::string text(random() % (maxLength + 1), 'a');
      for (char& c : text) c = static_cast<char>('a' + random() % alphabet);
      return text;
    };
    const std::string haystack = randomText(40);
    const std::string needle = randomText(8);
    const std::size_t from = random() % (haystack.size() + 2);
    const std::size_t expected = from > haystack.size() ? npos : haystack.find(needle, from);
    ASSERT_EQ(findLeftmost(haystack, needle, from), expected)
        << '"' << haystack << "\" / \"" << needle << "\" from " << from;
  }
}

TEST(TextSearchTest, HandlesBytesAboveTheAsciiRange) {
  const std::string haystack = "\x7f\x80\xff\x80\xff\xfe";
  EXPECT_EQ(findLeftmost(haystack, "\x80\xff\xfe"), 3u);
}

}  // namespace
}  // namespace lvltext
