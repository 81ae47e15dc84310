#include "textfiles/text_line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "textfiles/memory_file_system.h"

namespace lvltext {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

Lines readAll(MemoryFileSystem& fileSystem, std::string_view name) {
  TextLineReader reader(fileSystem);
  reader.open(name);
  Lines lines;
  while (!reader.atEnd()) lines.push_back(reader.readLine());
  return lines;
}

Lines readAll(const std::string& data) {
  MemoryFileSystem fileSystem;
  fileSystem.files["LIST.TXT"] = data;
  return readAll(fileSystem, "LIST.TXT");
}

TEST(TextLineReaderTest, SplitsListDataIntoLines) {
  struct Case {
    std::string data;
    Lines lines;
  };
  const Case cases[] = {
      {"A\nB\n", {"A", "B"}},
      {"A\r\nB", {"A", "B"}},
      {"A\r\r\n", {"A"}},
      {"A\r\r\r\n", {"A\r"}},
      {"A\rB\n", {"A\rB"}},
      {"A\r", {"A"}},
      {"A\r\r", {"A\r"}},
      {"\n\n", {"", ""}},
      {"\r\n", {""}},
      {"", {}},
      {"A\r\n\x1A"
       "B\n",
       {"A"}},
      {"A\nB\x1A\n", {"A", "B"}},
      {"\x1A"
       "A\n",
       {}},
      {"A\n\r\nB\r\r\nC", {"A", "", "B", "C"}},
      {"A\nB\n\n", {"A", "B", ""}},
      {"\xEF\xBB\xBFHello\n", {"\xEF\xBB\xBFHello"}},
      {"  spaced \t\n", {"  spaced \t"}},
      {"\x80\xFF\n", {"\x80\xFF"}},
      // NUL bytes before a line end stay; NUL bytes at the very end of the data are padding.
      {"A\0\nB\0"s, {"A\0"s, "B"}},
      {"A\0\0"s, {"A"}},
      {"A\n\0\0\0"s, {"A"}},
      {"A\r\0"s, {"A"}},
      {"\0A"s, {"\0A"s}},
      {"\0\0\n"s, {"\0\0"s}},
      {"A\0\x1A"
       "B"s,
       {"A"}},
  };
  for (const Case& c : cases) EXPECT_EQ(readAll(c.data), c.lines) << testing::PrintToString(c.data);
}

// Lines far longer than a read block, with their line ends split across blocks.
TEST(TextLineReaderTest, ReadsLongLinesWhole) {
  for (const std::size_t length : {2000u, 65535u, 65536u, 65537u, 300000u, 2u << 20}) {
    const std::string line(length, 'x');
    EXPECT_EQ(readAll(line + "\r\n" + line + "\r\r\n" + line), Lines({line, line, line})) << length;
    EXPECT_EQ(readAll(line + std::string(100000, '\0')), Lines({line})) << length;
    EXPECT_EQ(readAll("short\r\n" + line + "\r\nend"), Lines({"short", line, "end"})) << length;
  }
  const std::string manyLines = [] {
    std::string data;
    for (int i = 0; i < 50000; ++i) data += std::to_string(i) + "\r\n";
    return data;
  }();
  const Lines lines = readAll(manyLines);
  ASSERT_EQ(lines.size(), 50000u);
  EXPECT_EQ(lines[49999], "49999");
}

TEST(TextLineReaderTest, AMissingListIsClosedAndEmpty) {
  MemoryFileSystem fileSystem;
  TextLineReader reader(fileSystem);
  reader.open("MISSING.TXT");
  EXPECT_FALSE(reader.isOpen());
  EXPECT_TRUE(reader.atEnd());
  EXPECT_EQ(reader.readLine(), "");
  reader.close();
  EXPECT_TRUE(reader.atEnd());
}

TEST(TextLineReaderTest, ServesOneListAfterAnother) {
  MemoryFileSystem fileSystem;
  fileSystem.files["FIRST.TXT"] = "one\r\nleft unread\r\n";
  fileSystem.files["SECOND.TXT"] = "two";
  TextLineReader reader(fileSystem);
  reader.open("FIRST.TXT");
  EXPECT_EQ(reader.readLine(), "one");
  reader.open("SECOND.TXT");  // open already: no effect
  EXPECT_EQ(reader.readLine(), "left unread");
  reader.close();
  reader.open("SECOND.TXT");
  EXPECT_TRUE(reader.isOpen());
  EXPECT_FALSE(reader.atEnd());
  EXPECT_EQ(reader.readLine(), "two");
  EXPECT_TRUE(reader.atEnd());
  EXPECT_TRUE(reader.isOpen());
  EXPECT_EQ(reader.readLine(), "");
}

}  // namespace
}  // namespace lvltext
