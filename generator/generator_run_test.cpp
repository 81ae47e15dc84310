#include "generator/generator_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "textfiles/memory_file_system.h"

namespace lvltext {
namespace {

TEST(EscapeTextTest, WritesUnderscoresAndQuotesAsByteValues) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"", ""},
      {"Hello_there", "Hello\" $0A \"there"},
      {"_a__b_", "\" $0A \"a\" $0A \"\" $0A \"b\" $0A \""},
      {"say \"hi\"", "say \" $22 \"hi\" $22 \""},
      {"$0A #RL %end", "$0A #RL %end"},
  };
  for (const auto& [text, escaped] : cases) EXPECT_EQ(escapeText(text), escaped) << text;
}

std::string listOf(const std::vector<std::string>& lines) {
  std::string list;
  for (const std::string& line : lines) list += line + "\r\n";
  return list;
}

/// `count` texts of `length` bytes each, none found inside another.
std::vector<std::string> distinctTexts(int count, std::size_t length) {
  std::vector<std::string> texts;
  for (int i = 0; i < count; ++i) texts.emplace_back(length, static_cast<char>('0' + i));
  return texts;
}

struct OutcomeCase {
  const char* what;
  const EpisodeProfile* profile;
  std::vector<std::string> entries;
  std::vector<std::string> names;
  RunOutcome outcome;
  std::string scriptEnd;
};

// The run stops, with nothing written for the offending line, once the texts no longer fit.
TEST(GeneratorRunTest, StopsWhereTheNamespaceOverflows) {
  // Profile 5: 64 reserved bytes and 16 entry texts of 71 bytes leave the namespace at 1200.
  const std::vector<std::string> to1200 = distinctTexts(16, 70);
  const OutcomeCase cases[] = {
      {"limit reached",
       &episodeProfile5,
       to1200,
       {std::string(30, 'n')},
       RunOutcome::Completed,
       "RL #" + std::string(30, 'n') + "\r\n\r\n\r\n%end\r\n"},
      {"limit passed by a new name",
       &episodeProfile5,
       to1200,
       {std::string(31, 'n'), "never read"},
       RunOutcome::NamespaceExceeded,
       "%patch $204B0 \"" + std::string(31, 'n') + "\" $00\r\n"},
      // Caught after the entry pass, so an empty name list cannot hide it.
      {"limit passed by entries",
       &episodeProfile5,
       distinctTexts(17, 70),
       {std::string(70, '0')},
       RunOutcome::NamespaceExceeded,
       "RL #" + std::string(70, '@') + "\r\n\r\n\r\n"},
      // 63 texts of 64 bytes fill the window up to 0x1000: the 64th has no address.
      {"entry past the window",
       &episodeProfile5,
       distinctTexts(64, 63),
       {},
       RunOutcome::NamespaceExceeded,
       "%patch $20FC0 \"" + std::string(63, 'n') + "\" $00\r\n"},
      {"found inside the window",
       &episodeProfile5,
       [] {
         auto texts = distinctTexts(63, 63);
         texts.push_back(std::string(10, '0'));
         return texts;
       }(),
       {},
       RunOutcome::NamespaceExceeded,
       "RL #0000000000\r\n\r\n\r\n"},
      {"26 names, 25 slots",
       &episodeProfile6,
       {},
       distinctTexts(26, 1),
       RunOutcome::Completed,
       "%patch $32512 $1E000F70RL #H\r\n\r\n\r\n%end\r\n"},
  };
  for (const OutcomeCase& c : cases) {
    MemoryFileSystem fileSystem;
    fileSystem.files[std::string(c.profile->entryListFile)] = listOf(c.entries);
    fileSystem.files[std::string(c.profile->nameListFile)] = listOf(c.names);
    GeneratorRun run(*c.profile, fileSystem);
    EXPECT_EQ(run.run(), c.outcome) << c.what;
    closeAllFiles(run.reader(), run.writer());
    const std::string& script = fileSystem.files[std::string(c.profile->patchScriptFile)];
    EXPECT_TRUE(script.ends_with(c.scriptEnd)) << c.what << "\n"
                                               << script.substr(script.size() - 200);
  }
}

// A text holding a NUL byte can come to fit further left once it is stored: the second "\0\0"
// runs across the NUL that ends "a". Every line takes the leftmost place there is at its turn.
TEST(GeneratorRunTest, ATextWithANulByteTakesItsLeftmostPlaceAtEachLine) {
  using namespace std::string_literals;
  MemoryFileSystem fileSystem;
  fileSystem.files["5ENTER.TXT"] = "a\r\n\0\0\r\n\0\0\r\nb\r\n\0\0\r\n"s;
  GeneratorRun run(episodeProfile5, fileSystem);
  EXPECT_EQ(run.run(), RunOutcome::Completed);
  closeAllFiles(run.reader(), run.writer());
  const std::string expected =
      "%ext VX5\r\n\r\n#Level entry texts\r\n"
      "%patch $20040 \"a\" $00\r\n"
      "%patch $20042 \"\0\0\" $00\r\n"
      "%patch $20045 \"b\" $00\r\n"
      "\r\n#Level name pointers\r\n"
      "%patch $31B18 $20000040RL #a\r\n"
      "%patch $31B1C $20000042RL #\0\0\r\n"
      "%patch $31B20 $20000041RL #\0\0\r\n"
      "%patch $31B24 $20000045RL #b\r\n"
      "%patch $31B28 $20000041RL #\0\0\r\n"
      "\r\n\r\n#Level names\r\n"s;
  EXPECT_TRUE(fileSystem.files["Q5PATCHFILE.TXT"].starts_with(expected))
      << fileSystem.files["Q5PATCHFILE.TXT"];
}

}  // namespace
}  // namespace lvltext
